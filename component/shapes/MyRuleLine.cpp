// TMyRuleLine: construction and copying.
#include "shapes/MyRuleLine.h"

TMyRuleLine::TMyRuleLine(TMyCAD* OwnerCAD) : TMyLine(OwnerCAD)
{
    Font()->SetSize(8);
    SetArrowAngle(10);
    SetArrowLength(20);
    SetArrowStyle(ADouble);
}

void TMyRuleLine::Assign(const TMyShape* Source)
{
    TMyLine::Assign(Source);
    const auto* rule = dynamic_cast<const TMyRuleLine*>(Source);
    if (!rule || rule == this)
        return;
    FShowUserInfo = rule->FShowUserInfo;
    FTickStyle = rule->FTickStyle;
    FUserInfo = rule->FUserInfo;
}
