#include "controls/ruler/RsRuler.h"

#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

TRsRuler::TRsRuler(QWidget* parent) : TRsBaseRuler(parent)
{
    resize(200, 33);
}

void TRsRuler::SetDirection(TRulerDir value)
{
    const bool wasHorizontal = IsHorizontal();
    const bool horizontal = value == rdTop || value == rdBottom;
    if (wasHorizontal != horizontal && !Loading())
        resize(height(), width());
    FDirection = value;
    Invalidate();
}

void TRsRuler::SetScaleDir(TRulerScaleDir value)
{
    if (FScaleDir == value)
        return;
    FScaleDir = value;
    Invalidate();
}

void TRsRuler::SetScale(int value)
{
    if (value <= 0)
        return;
    FScale = value;
    Invalidate();
}

void TRsRuler::SetOffset(double value)
{
    if (FOffset == value || !std::isfinite(value))
        return;
    FOffset = value;
    Invalidate();
}

void TRsRuler::SetHairLine(bool value)
{
    if (FHairLine == value)
        return;
    FHairLine = value;
    Invalidate();
}

void TRsRuler::SetHairLineStyle(THairLineStyle value)
{
    if (FHairLineStyle == value)
        return;
    FHairLineStyle = value;
    Invalidate();
}

void TRsRuler::SetShowMinus(bool value)
{
    if (FShowMinus == value)
        return;
    FShowMinus = value;
    Invalidate();
}

void TRsRuler::setMyLongTick(int value)
{
    if (value < 1) // every tick number is tested against a multiple of it
        return;
    FMyLongTick = value;
    Repaint();
}

void TRsRuler::setMyShortTick(int value)
{
    if (value < 1)
        return;
    FMyShortTick = value;
    Repaint();
}

void TRsRuler::SetUnit(TRulerUnit value)
{
    FOffset = ConvertOffset(value);
    StoreUnit(value);
    Invalidate();
}

// ---- Units --------------------------------------------------------------------------

namespace {

// Units per millimetre.
double UnitsPerMillimetre(TRulerUnit unit)
{
    switch (unit) {
    case ruPixel: return ScreenPixelsPerInch() / 25.4;
    case ruInch: return 1 / 25.4;
    case ruKilo: return 1e-6;
    case ruMeter: return 0.001;
    case ruCenti: return 0.1;
    case ruMilli: return 1;
    case ruNone: return 1;
    }
    return 1;
}

// The label step for a scale (percent); none above 1000, where the step stays.
std::optional<double> MultiplierOf(int scale)
{
    if (scale <= 1) return 100;
    if (scale == 2) return 50;
    if (scale <= 5) return 25;
    if (scale <= 8) return 20;
    if (scale <= 12) return 10;
    if (scale <= 25) return 5;
    if (scale <= 35) return 4;
    if (scale <= 50) return 2;
    if (scale <= 125) return 1;
    if (scale <= 300) return 0.5;
    if (scale <= 400) return 0.25;
    if (scale <= 500) return 0.2;
    if (scale <= 1000) return 0.1;
    return std::nullopt;
}

} // namespace

double TRsRuler::ConvertOffset(TRulerUnit ANewUnit) const
{
    return FOffset / UnitsPerMillimetre(Units()) * UnitsPerMillimetre(ANewUnit);
}

double TRsRuler::Pos2Unit(int APos) const
{
    const double b = FScaleDir == rsdReverse ? double(RulerLength()) - APos : double(APos);
    const double inches = b / FScale * 100 / ScreenPixelsPerInch();
    switch (Units()) {
    case ruPixel: return Round(FOffset + b / FScale * 100);
    case ruInch: return FOffset + inches;
    case ruCenti: return FOffset + inches * 2.54;
    case ruMilli: return FOffset + inches * 25.4;
    case ruMeter: return FOffset + inches * 0.0254;
    case ruKilo: return FOffset + inches * 0.0000254;
    case ruNone: return FOffset + inches * 2.54; // the labels count as centimetres
    }
    return FOffset;
}

void TRsRuler::CalcAdvance()
{
    FAdvance = ScreenPixelsPerInch() / 10.0 * FScale / 100.0; // pixels per tenth of an inch
    if (Units() != ruInch)
        FAdvance /= 2.54; // pixels per millimetre
    if (Units() == ruPixel)
        FAdvance = FScale * 5 / 100.0;
    if (const std::optional<double> m = MultiplierOf(FScale))
        FMultiplier = *m;
    FAdvance *= FMultiplier;
}

QString TRsRuler::FormatLabel(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Fifteen significant digits, then rounded half up to two decimals as a decimal
    // number (so 0.005 gives "0.01" whatever its binary neighbour is).
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    QByteArray digits;
    for (const char* p = buf; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    // Keep the digits down to the hundredths: the value is digits x 10^-2 afterwards.
    const int keep = exponent + 3;
    if (keep < 0 || (keep == 0 && digits[0] < '5'))
        return QStringLiteral("0");
    if (keep == 0) {
        digits = "1";
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.truncate(keep);
        int i = keep - 1;
        while (up && i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (up)
            i >= 0 ? void(++digits[i]) : void(digits.prepend('1'));
    } else {
        digits += QByteArray(keep - digits.size(), '0');
    }
    while (digits.size() < 3)
        digits.prepend('0');
    QByteArray intPart = digits.left(digits.size() - 2);
    QByteArray fracPart = digits.right(2);
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.remove(0, 1);
    while (fracPart.endsWith('0'))
        fracPart.chop(1);
    QByteArray text = intPart;
    if (!fracPart.isEmpty())
        text += '.' + fracPart;
    if (value < 0 && text != "0") // no "-0" for values that round to zero
        text.prepend('-');
    return QString::fromLatin1(text);
}

// ---- Painting -----------------------------------------------------------------------

int TRsRuler::DigitHeight()
{
    Canvas().SetFont(HorzFont());
    return Canvas().TextHeight(QStringLiteral("0"));
}

void TRsRuler::Paint()
{
    TRsBaseRuler::Paint();
    FHairLinePos = -1;
    TCanvas& c = Canvas();
    const int w = width();
    const int h = height();
    if (!Flat())
        DrawRaisedEdge(TRect(0, 0, w, h));
    const int m = Margin();
    FDigitHeight = DigitHeight();
    const int th = FDigitHeight;
    TRect band;
    switch (FDirection) {
    case rdTop: band = TRect(m, h - th - 7, w - m, h - 8); break;
    case rdBottom: band = TRect(m, 8, w - m, th + 7); break;
    case rdLeft: band = TRect(w - th - 6, m, w - 8, h - m); break;
    case rdRight: band = TRect(8, m, th + 6, h - m); break;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ScaleColor());
    c.FillRect(band);
    CalcAdvance();
    c.SetBkMode(TRANSPARENT);
    PaintScaleTics();
    PaintScaleLabels();
    c.SetBkMode(OPAQUE);
    c.SetFont(HorzFont());
}

std::vector<TRulerTick> TRsRuler::Ticks() const
{
    std::vector<TRulerTick> ticks;
    if (!(FAdvance > 0))
        return ticks;
    const int length = RulerLength();
    for (int64_t k = 0;; ++k) {
        const double pos = 2.0 * double(k) * FAdvance;
        if (!(pos < length))
            break;
        int len = 0;
        if (k % FMyLongTick == 0)
            len = 8;
        else if (k % FMyShortTick == 0)
            len = 6;
        else
            continue;
        ticks.push_back({Round(FScaleDir == rsdReverse ? length - pos : pos), len});
    }
    return ticks;
}

std::vector<TRulerLabel> TRsRuler::Labels() const
{
    std::vector<TRulerLabel> labels;
    if (!(FAdvance > 0))
        return labels;
    const int length = RulerLength();
    const int64_t step = 2 * int64_t(FMyLongTick); // labels fall on long ticks only
    for (int64_t i = step;; i += step) {
        const double pos = double(i) * FAdvance;
        if (!(pos < length))
            break;
        double value = double(i) * FMultiplier / 10;
        switch (Units()) {
        case ruMilli: value *= 10; break;
        case ruMeter: value /= 100; break;
        case ruKilo: value /= 100000; break;
        case ruPixel: value *= 50; break;
        default: break;
        }
        value += FOffset;
        if (Units() == ruPixel)
            value = Round(value);
        else if (Units() == ruInch)
            value = Round(value * 100) / 100.0;
        labels.push_back({Round(FScaleDir == rsdReverse ? length - pos : pos), FormatLabel(FShowMinus ? value : std::fabs(value))});
    }
    return labels;
}

void TRsRuler::PaintScaleTics()
{
    TCanvas& c = Canvas();
    c.Pen().SetMode(pmCopy);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(TickColor());
    const int w = width();
    const int h = height();
    for (const TRulerTick& t : Ticks()) {
        const int p = t.Pos;
        const int len = t.Length;
        switch (FDirection) {
        case rdTop: c.MoveTo(p, h - 1); c.LineTo(p, h - len); break;
        case rdBottom: c.MoveTo(p, 0); c.LineTo(p, len - 1); break;
        case rdLeft: c.MoveTo(w - 1, p); c.LineTo(w - len, p); break;
        case rdRight: c.MoveTo(0, p); c.LineTo(len - 1, p); break;
        }
    }
}

void TRsRuler::PaintScaleLabels()
{
    TCanvas& c = Canvas();
    const int w = width();
    const int h = height();
    const int th = FDigitHeight;
    switch (FDirection) {
    case rdTop:
    case rdBottom: c.SetFont(HorzFont()); break;
    case rdLeft: c.SetFont(UpFont()); break;
    case rdRight: c.SetFont(DownFont()); break;
    }
    for (const TRulerLabel& l : Labels()) {
        const int p = l.Pos;
        const int tw = c.TextWidth(l.Text);
        switch (FDirection) {
        case rdTop: c.TextOut(p - tw / 2, h - th - 8, l.Text); break;
        case rdBottom: c.TextOut(p - tw / 2, 8, l.Text); break;
        case rdLeft: c.TextOut(w - th - 7, p + tw / 2, l.Text); break;
        case rdRight: c.TextOut(th + 7, p - tw / 2, l.Text); break;
        }
    }
}

// ---- Hair line ----------------------------------------------------------------------

TRect TRsRuler::HairLineRect() const
{
    const int w = width();
    const int h = height();
    const int d = FDigitHeight + 6;
    const int pos = FHairLinePos;
    const bool reverse = FScaleDir == rsdReverse;
    int from = pos - 1;
    int to = pos;
    if (FHairLineStyle == hlsRect) {
        const int start = reverse ? RulerLength() : 1;
        from = std::min(start, pos);
        to = std::max(start, pos);
    }
    switch (FDirection) {
    case rdTop: return TRect(from, h - d, to, h - 8);
    case rdBottom: return TRect(from, 8, to, d);
    case rdLeft: return TRect(w - d, from, w - 8, to);
    case rdRight: return TRect(8, from, d, to);
    }
    return TRect();
}

void TRsRuler::DrawHairLine()
{
    if (!FHairLine || FHairLinePos == -1)
        return;
    TCanvas& c = Canvas();
    // Black in not-xor inverts every pixel, and drawing again puts it back.
    c.Pen().SetMode(pmNotXor);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(clBlack);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBlack);
    const TRect r = HairLineRect();
    c.Rectangle(r);
    c.Pen().SetMode(pmCopy);
    PictureChanged(r);
}

void TRsRuler::SetHairLinePos(int value)
{
    if (value == FHairLinePos)
        return;
    EnsureComposed(); // a stale picture is composed first, which forgets the old line
    DrawHairLine();   // erases the line at the old position
    FHairLinePos = value;
    DrawHairLine();
}
