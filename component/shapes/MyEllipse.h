#pragma once
// TMyEllipse: the ellipse inscribed in a rectangle's box. No fields of its own.
#include "shapes/MyRectangle.h"

class TMyEllipse : public TMyRectangle {
    Q_OBJECT

public:
    explicit TMyEllipse(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}
};
