#pragma once
// TMyEllipse: the ellipse inscribed in a rectangle's box. No fields of its own.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

class MYCAD_EXPORT TMyEllipse : public TMyRectangle {
    Q_OBJECT

public:
    explicit TMyEllipse(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}

    // Drag rubber band: the outline about the centre offset by To - From, as a path that
    // is stroked and filled with the canvas's pen and brush.
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Rubber band while drawn: Ellipse(From, To) with the canvas's current brush.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // The filled 73-point outline (5-degree steps) turned by the angle, then the caption.
    void Draw(TCanvas* Canvas) override;
    // "Area=" and the ellipse's area in the drawing's unit; also stored as Info.
    QString GetInfo() override;

private:
    // The 73 outline points in screen pixels about the centre Q (screen pixels), the last
    // equal to the first; the second form fills Points (kept allocated by the caller).
    TArrPoint Outline(TMyPoint Q) const;
    void Outline(TMyPoint Q, TArrPoint& Points) const;
};
