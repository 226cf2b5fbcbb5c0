#pragma once
// TMyPolygon: a closed, filled chain of points; once drawn, its last point is a copy of
// its first.
#include "mycad_export.h"
#include "component/shapes/MyPolyLine.h"

#include <cstdint>

class MYCAD_EXPORT TMyPolygon : public TMyPolyLine {
    Q_OBJECT

public:
    explicit TMyPolygon(TMyCAD* OwnerCAD) : TMyPolyLine(OwnerCAD) {}

    // A click within HotSize of the first point, or of the point placed before the
    // current one, closes the polygon: its last point becomes the first.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // Filled with gradient and brush, outlined with the pen; no arrow heads.
    void Draw(TCanvas* Canvas) override;
    // Hot squares at every point but the closing copy, then the caption diamond.
    void DrawHot(TCanvas* Canvas) override;
    // "Area=" and the covered area in the drawing's unit, also stored as Info.
    QString GetInfo() override;
    // Inside the polygon (alternate fill), no tolerance.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;
    // Moves the hot point; the first and the closing point move together.
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    // The segments at the hot point, and at its twin when it is the first or the last.
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;

    // The pixels the filled and outlined polygon covers at one pixel per document unit,
    // counted in the box from the points' left-top, as wide and high as the points' box
    // (rounded). The points do not move.
    int64_t CoveredPixels() const;
};
