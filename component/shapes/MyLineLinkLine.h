#pragma once
// TMyLineLinkLine: a junction, a filled dot with one link point at its centre. Placed on
// a connector it splits the connector there, so that other connectors can start from it.
#include "mycad_export.h"
#include "component/shapes/MyLinkPoint.h"

class MYCAD_EXPORT TMyLineLinkLine : public TMyLinkPoint {
    Q_OBJECT

public:
    explicit TMyLineLinkLine(TMyCAD* OwnerCAD) : TMyLinkPoint(OwnerCAD) {}

    // At the release that places it (in the drawing already): placed on a connector
    // segment, it splits the connector there and centres itself on the split point.
    void Drawed(TPoint From, TPoint To) override;
    // The dot filled lime with a black outline.
    void DrawHot(TCanvas* Canvas) override;
    // The link point's square; once it has its four points, exactly one link point, at
    // its centre.
    void AddPointByMouse(TPoint P) override;
    // A filled dot in the pen's colour.
    void Draw(TCanvas* Canvas) override;
};
