// TMyText: copying.
#include "component/shapes/MyText.h"

void TMyText::Assign(const TMyShape* Source)
{
    TMyRectangle::Assign(Source);
    const auto* text = dynamic_cast<const TMyText*>(Source);
    if (!text || text == this)
        return;
    FIsBorder = text->FIsBorder;
    FIsSolid = text->FIsSolid;
    FLines = text->FLines;
    FHAlignment = text->FHAlignment;
    FVAlignment = text->FVAlignment;
    FWordWrap = text->FWordWrap;
}
