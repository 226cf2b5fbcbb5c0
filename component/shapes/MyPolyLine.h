#pragma once
// TMyPolyLine: an open chain of straight segments drawn point by point. It keeps the
// line's arrow heads, hit test and point hots; new polylines have no arrows.
#include "mycad_export.h"
#include "component/shapes/MyLine.h"

class MYCAD_EXPORT TMyPolyLine : public TMyLine {
    Q_OBJECT

public:
    explicit TMyPolyLine(TMyCAD* OwnerCAD) : TMyLine(OwnerCAD) { SetArrowStyle(ANone); }
};
