// TMyElliArc: construction and copying.
#include "component/shapes/MyElliArc.h"

#include "component/document/MyCAD.h"

TMyElliArc::TMyElliArc(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD)
{
    if (OwnerCAD)
        FArcMode = OwnerCAD->ArcMode();
}

void TMyElliArc::Assign(const TMyShape* Source)
{
    TMyShape::Assign(Source);
    const auto* arc = dynamic_cast<const TMyElliArc*>(Source);
    if (!arc || arc == this)
        return;
    FArcMode = arc->FArcMode;
    FArcStyle = arc->FArcStyle;
}
