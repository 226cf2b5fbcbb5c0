#include "controls/ruler/RsRulerCorner.h"

TRsRulerCorner::TRsRulerCorner(QWidget* parent) : TRsBaseRuler(parent)
{
    resize(24, 24);
    SetHint(QStringLiteral("centimeter"));
}

void TRsRulerCorner::SetPosition(TCornerPos value)
{
    if (FPosition == value)
        return;
    FPosition = value;
    Invalidate();
}

void TRsRulerCorner::SetUnit(TRulerUnit value)
{
    StoreUnit(value);
    QString name;
    switch (value) {
    case ruKilo: FUnitText = RsRuler::Kilo; name = QStringLiteral("kilometer"); break;
    case ruMeter: FUnitText = RsRuler::Meter; name = QStringLiteral("meter"); break;
    case ruCenti: FUnitText = RsRuler::Centi; name = QStringLiteral("centimeter"); break;
    case ruMilli: FUnitText = RsRuler::Milli; name = QStringLiteral("millimeter"); break;
    case ruInch: FUnitText = RsRuler::Inch; name = QStringLiteral("inch"); break;
    case ruPixel: FUnitText = RsRuler::Pixel; name = QStringLiteral("pixel"); break;
    case ruNone: FUnitText = RsRuler::None; break;
    }
    SetHint(name);
    Invalidate();
}

void TRsRulerCorner::Paint()
{
    TRsBaseRuler::Paint();
    TCanvas& c = Canvas();
    const int w = width();
    const int h = height();
    if (!Flat())
        DrawRaisedEdge(TRect(0, 0, w, h));
    const int m = Margin();
    c.SetFont(HorzFont());
    const int d = c.TextHeight(QStringLiteral("0")) + 6;
    c.SetBkMode(TRANSPARENT);
    TRect a; // continues the horizontal ruler's band
    TRect b; // continues the vertical ruler's band
    int y = 8;
    switch (FPosition) {
    case cpLeftTop:
        a = TRect(w - d, h - d - 1, w - m, h - 8);
        b = TRect(w - d, h - d, w - 8, h - m);
        y = h - d - 1;
        break;
    case cpRightTop:
        a = TRect(m, h - d - 1, d, h - 8);
        b = TRect(8, h - d, d, h - m);
        y = h - d;
        break;
    case cpLeftBottom:
        a = TRect(w - d, 8, w - m, d + 1);
        b = TRect(w - d, m, w - 8, d);
        break;
    case cpRightBottom:
        a = TRect(m, 8, d, d + 1);
        b = TRect(8, m, d, d);
        break;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ScaleColor());
    c.FillRect(a);
    c.FillRect(b);
    c.SetBkMode(TRANSPARENT); // the brush change above made it opaque
    const int tw = c.TextWidth(FUnitText);
    const bool left = FPosition == cpLeftTop || FPosition == cpLeftBottom;
    // Right-aligned in the band of a left corner, left-aligned in that of a right one.
    const int x = left ? a.Right - tw : a.Left;
    c.TextOut(x, y, FUnitText);
    c.SetBkMode(OPAQUE);
}
