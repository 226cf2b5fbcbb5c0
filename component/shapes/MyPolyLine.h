#pragma once
// TMyPolyLine: an open chain of straight segments drawn point by point. It keeps the
// line's arrow heads, hit test and point hots; new polylines have no arrows.
#include "mycad_export.h"
#include "component/shapes/MyLine.h"

class MYCAD_EXPORT TMyPolyLine : public TMyLine {
    Q_OBJECT

public:
    explicit TMyPolyLine(TMyCAD* OwnerCAD) : TMyLine(OwnerCAD) { SetArrowStyle(ANone); }

    // True once at least three points are placed and the last two are the same (in zoom):
    // a double click ends the polyline, and its repeated point is removed.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // Appends a screen point given in the drawing's XY mode (for hosts building a
    // polyline by code).
    void AppendPoint(TPoint P);
};
