#pragma once
// TMyPolygon: a closed, filled chain of points; once drawn, its last point is a copy of
// its first.
#include "shapes/MyPolyLine.h"

class TMyPolygon : public TMyPolyLine {
    Q_OBJECT

public:
    explicit TMyPolygon(TMyCAD* OwnerCAD) : TMyPolyLine(OwnerCAD) {}
};
