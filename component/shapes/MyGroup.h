#pragma once
// TMyGroup: a container made by grouping shapes. Its four points are the box around its
// members; the members are ordinary shapes of the drawing that name the group as their
// parent, and the group lists their shape numbers as its children.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

class MYCAD_EXPORT TMyGroup : public TMyRectangle {
    Q_OBJECT

public:
    explicit TMyGroup(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}

    // Only the caption: the members draw themselves as shapes of the drawing.
    void Draw(TCanvas* Canvas) override;
};
