// TMyLine: construction and copying.
#include "shapes/MyLine.h"

#include "document/MyCAD.h"

TMyLine::TMyLine(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD)
{
    if (OwnerCAD) {
        FArrowAngle = OwnerCAD->ArrowAngle();
        FArrowLength = OwnerCAD->ArrowLength();
        FArrowOffset = OwnerCAD->ArrowOffset();
        FArrowStyle = OwnerCAD->ArrowStyle();
    }
}

void TMyLine::Assign(const TMyShape* Source)
{
    TMyShape::Assign(Source);
    const auto* line = dynamic_cast<const TMyLine*>(Source);
    if (!line || line == this)
        return;
    FArrowAngle = line->FArrowAngle;
    FArrowLength = line->FArrowLength;
    FArrowOffset = line->FArrowOffset;
    FArrowStyle = line->FArrowStyle;
}
