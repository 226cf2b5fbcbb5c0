// TMyText: construction, copying, the setters, flipping and fitting the box to Info.
#include "component/shapes/MyText.h"

#include "component/base/Geometry.h"
#include "component/render/TextOut.h"
#include "component/shapes/MyTextLayout.h"

#include <numbers>
#include <utility>

TMyText::TMyText(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}

TMyText::~TMyText() = default;

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
    ExtentChanged();
}

// The setters store; those that move the text tell the drawing where the shape shows may
// have changed.
void TMyText::SetCharacterSpace(int16_t v)
{
    FCharacterSpace = v;
    ExtentChanged();
}

void TMyText::SetHAlignment(TAlignment v)
{
    FHAlignment = v;
    ExtentChanged();
}

void TMyText::SetLines(const QStringList& v)
{
    FLines = v;
    if (FLayout)
        FLayout->Truncate(v.size());
    ExtentChanged();
}

void TMyText::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    ExtentChanged();
}

void TMyText::SetWordWrap(bool v)
{
    FWordWrap = v;
    ExtentChanged();
}

QString TMyText::GetInfo()
{
    return Info();
}

// Mirrored left-right, the corners P0-P1 and P3-P2 trade places, so P0 is the top-left
// corner again and the lines keep reading left to right; the angle becomes its mirror.
void TMyText::FlipHoriz()
{
    TMyRectangle::FlipHoriz();
    if (GetPointsCount() >= 4) {
        TArrMyPoint& p = PointsRef();
        std::swap(p[0], p[1]);
        std::swap(p[2], p[3]);
    }
    if (Angle() != 0)
        StoreAngle(float(Angle() + std::numbers::pi));
}

// Mirrored top-bottom, the corners P0-P3 and P1-P2 trade places.
void TMyText::FlipVert()
{
    TMyRectangle::FlipVert();
    if (GetPointsCount() >= 4) {
        TArrMyPoint& p = PointsRef();
        std::swap(p[0], p[3]);
        std::swap(p[1], p[2]);
    }
    if (Angle() != 0)
        StoreAngle(float(Angle() + 2 * std::numbers::pi));
}

void TMyText::reCaclpoints(TCanvas* Canvas)
{
    if (GetPointsCount() == 0)
        return;
    TCanvas own;
    TCanvas* canvas = Canvas ? Canvas : &own;
    const float angle = Angle();
    if (angle != 0)
        RotateChangeValueByAngle(GetCenterPoint(), -angle);
    const TSize size = ::GetTextWidthHeight(canvas, Info(), Font(), 1.0, 0.0);
    TArrMyPoint& p = PointsRef();
    p.resize(4);
    p[1] = TMyPoint(float(double(p[0].X) + size.cx), p[0].Y);
    p[2] = TMyPoint(p[1].X, float(double(p[0].Y) + size.cy));
    p[3] = TMyPoint(p[0].X, p[2].Y);
    if (angle != 0)
        RotateChangeValueByAngle(GetCenterPoint(), angle);
    SetCenterPoint(ComputeCenterPoint(4));
}
