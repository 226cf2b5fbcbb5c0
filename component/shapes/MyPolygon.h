#pragma once
// TMyPolygon: a closed, filled chain of points; once drawn, its last point is a copy of
// its first.
#include "mycad_export.h"
#include "component/shapes/MyPolyLine.h"

class MYCAD_EXPORT TMyPolygon : public TMyPolyLine {
    Q_OBJECT

public:
    explicit TMyPolygon(TMyCAD* OwnerCAD) : TMyPolyLine(OwnerCAD) {}
};
