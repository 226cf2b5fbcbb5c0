// TMyRuleLine: construction, copying and drawing with end ticks and an upright label.
#include "component/shapes/MyRuleLine.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"

#include <algorithm>
#include <numbers>

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

double TMyRuleLine::LabelAngle(double Slope)
{
    constexpr double pi = std::numbers::pi;
    return (Slope > pi / 2 && Slope < 3 * pi / 2) ? Slope + pi : Slope;
}

namespace {
// Half the length of an end tick, in screen pixels at every zoom.
constexpr float TickHalf = 10;
// Gap between the segment and the lower edge of the label, in screen pixels.
constexpr float LabelGap = 3;
} // namespace

void TMyRuleLine::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    DrawSegments(Canvas);
    const int n = GetPointsCount();
    if (n < 2) {
        Canvas->DeselectGeometricPen();
        return;
    }

    SetDrawTriangleMode(Canvas, this);
    const TMyPoint last = GetPointInZoom(n - 1), beforeLast = GetPointInZoom(n - 2);
    if (ArrowStyle() == ALeft || ArrowStyle() == ADouble)
        DrawTriangle(Canvas, last, beforeLast);
    if (ArrowStyle() == ARight || ArrowStyle() == ADouble)
        DrawTriangle(Canvas, beforeLast, last);

    // Turn the segment horizontal about the centre, place ticks and label there, and turn
    // them back; the label angle keeps the text upright.
    const TMyPoint p0 = GetPointInZoom(0), p1 = GetPointInZoom(1);
    float angle = float(GetSlopeAngle(p1, p0));
    RecaclinRad(angle);
    StoreAngle(angle);
    const float q = float(LabelAngle(angle));
    const TMyPoint centre = GetCenterPointInZoom();
    const TMyPoint h0 = RotateAPoint(p0, centre, -q);
    const TMyPoint h1 = RotateAPoint(p1, centre, -q);

    auto turnBack = [&](TMyPoint p) { return MyPtToPt(RotateAPoint(PtToMyPt(MyPtToPt(p)), centre, q)); };
    const TPoint t0a = turnBack(TMyPoint(h0.X, h0.Y - TickHalf));
    const TPoint t0b = turnBack(TMyPoint(h0.X, h0.Y + TickHalf));
    const TPoint t1a = turnBack(TMyPoint(h1.X, h1.Y - TickHalf));
    const TPoint t1b = turnBack(TMyPoint(h1.X, h1.Y + TickHalf));
    if (FTickStyle == tsLine) {
        Canvas->MoveTo(t0a.X, t0a.Y);
        Canvas->LineTo(t0b.X, t0b.Y);
        Canvas->MoveTo(t1a.X, t1a.Y);
        Canvas->LineTo(t1b.X, t1b.Y);
    }

    QString text = FUserInfo;
    if (!FShowUserInfo) {
        text = GetLengthByUnit(MyPtToPt(p0), MyPtToPt(p1));
        SetInfo(text);
    }
    const double z = Zoom();
    const TSize size = GetTextWidthHeight(Canvas, text, Font(), z, q);
    const double length = GetLengthinPixel(h0, h1);
    const TMyPoint origin(float(std::min(h0.X, h1.X) + (length - size.cx) / 2),
                          float(h0.Y - size.cy - LabelGap));
    const TPoint at = MyPtToPt(RotateAPoint(origin, centre, q));
    MyLogTextOut(Canvas, at.X, at.Y, text, Font(), z, q);
    Canvas->DeselectGeometricPen();
}
