#pragma once
// TMyPolyBezier: a chain of cubic Bezier segments. Points: P0, then per segment two
// control points and an end point, so a complete curve has 3m + 1 points; numbers
// divisible by 3 lie on the curve.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyPolyBezier : public TMyShape {
    Q_OBJECT

public:
    explicit TMyPolyBezier(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}
};
