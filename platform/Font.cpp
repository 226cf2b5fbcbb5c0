#include "Font.h"

#include "GraphicsSerial.h"
#include "Rounding.h"
#include "Screen.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>

namespace {

// Em height per pixel of cell height (ascent + descent) of a family, measured once.
double EmPerCellPixel(const QString& family)
{
    static QHash<QString, double> cache;
    const auto found = cache.constFind(family);
    if (found != cache.constEnd())
        return found.value();
    QFont probe(family);
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    const double ratio = cell > 0 ? 1000.0 / cell : 1.0;
    cache.insert(family, ratio);
    return ratio;
}

constexpr int kMaxEm = 32767;

} // namespace

TFont::TFont() : FName(DefaultName()), FPixelsPerInch(ScreenPixelsPerInch()), FSerial(NextGraphicsSerial())
{
    FHeight = -Round(8.0 * FPixelsPerInch / 72.0);
}

void TFont::Changed()
{
    FSerial = NextGraphicsSerial();
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& value)
{
    if (FName == value)
        return;
    FName = value;
    Changed();
}

// Size and height are each other's negation scaled by the resolution; the rounding
// is negated first so that even the most negative result stays an int.
int TFont::Size() const
{
    return Round(-double(FHeight) * 72.0 / FPixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(Round(-double(value) * FPixelsPerInch / 72.0));
}

void TFont::SetHeight(int value)
{
    if (FHeight == value)
        return;
    FHeight = value;
    Changed();
}

void TFont::SetPixelsPerInch(int value)
{
    if (value < 1 || FPixelsPerInch == value)
        return;
    FPixelsPerInch = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

TFontStyles TFont::Style() const
{
    TFontStyles style;
    if (FWeight >= FW_BOLD)
        style |= fsBold;
    if (FItalic)
        style |= fsItalic;
    if (FUnderline)
        style |= fsUnderline;
    if (FStrikeOut)
        style |= fsStrikeOut;
    return style;
}

void TFont::SetStyle(TFontStyles value)
{
    if (Style() == value)
        return;
    const bool bold = value.testFlag(fsBold);
    if (bold != (FWeight >= FW_BOLD))
        FWeight = bold ? FW_BOLD : FW_NORMAL;
    FItalic = value.testFlag(fsItalic);
    FUnderline = value.testFlag(fsUnderline);
    FStrikeOut = value.testFlag(fsStrikeOut);
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (FPitch == value)
        return;
    FPitch = value;
    Changed();
}

void TFont::SetCharset(uint8_t value)
{
    if (FCharset == value)
        return;
    FCharset = value;
    Changed();
}

void TFont::SetQuality(TFontQuality value)
{
    if (FQuality == value)
        return;
    FQuality = value;
    Changed();
}

void TFont::SetOrientation(int value)
{
    if (FOrientation == value && FEscapement == value)
        return;
    FOrientation = value;
    FEscapement = value;
    Changed();
}

void TFont::SetEscapement(int value)
{
    if (FEscapement == value)
        return;
    FEscapement = value;
    Changed();
}

void TFont::SetWeight(int value)
{
    value = std::clamp(value, 0, 1000);
    if (value == 0)
        value = FW_NORMAL;
    if (FWeight == value)
        return;
    FWeight = value;
    Changed();
}

TLogFont TFont::GetLogFont() const
{
    TLogFont lf;
    lf.lfHeight = FHeight;
    lf.lfWidth = FWidth;
    lf.lfEscapement = FEscapement;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FWeight;
    lf.lfItalic = FItalic ? 1 : 0;
    lf.lfUnderline = FUnderline ? 1 : 0;
    lf.lfStrikeOut = FStrikeOut ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfQuality = uint8_t(FQuality);
    switch (FPitch) {
    case fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
    case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    }
    lf.lfFaceName = FName;
    return lf;
}

void TFont::SetLogFont(const TLogFont& value)
{
    FHeight = value.lfHeight;
    FWidth = std::max(0, value.lfWidth);
    FEscapement = value.lfEscapement;
    FOrientation = value.lfOrientation;
    FWeight = value.lfWeight <= 0 ? FW_NORMAL : std::min(value.lfWeight, 1000);
    FItalic = value.lfItalic != 0;
    FUnderline = value.lfUnderline != 0;
    FStrikeOut = value.lfStrikeOut != 0;
    FCharset = value.lfCharSet;
    FQuality = value.lfQuality <= uint8_t(fqClearTypeNatural) ? TFontQuality(value.lfQuality) : fqDefault;
    switch (value.lfPitchAndFamily & 3) {
    case FIXED_PITCH: FPitch = fpFixed; break;
    case VARIABLE_PITCH: FPitch = fpVariable; break;
    default: FPitch = fpDefault; break;
    }
    FName = value.lfFaceName;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    if (&source != this) {
        FName = source.FName;
        FHeight = source.FHeight;
        FPixelsPerInch = source.FPixelsPerInch;
        FColor = source.FColor;
        FItalic = source.FItalic;
        FUnderline = source.FUnderline;
        FStrikeOut = source.FStrikeOut;
        FWeight = source.FWeight;
        FPitch = source.FPitch;
        FCharset = source.FCharset;
        FQuality = source.FQuality;
        FEscapement = source.FEscapement;
        FOrientation = source.FOrientation;
        FWidth = source.FWidth;
    }
    Changed();
}

bool TFont::Antialiased() const
{
    return FQuality == fqAntialiased || FQuality == fqClearType || FQuality == fqClearTypeNatural;
}

int TFont::EmHeight() const
{
    double em;
    if (FHeight < 0)
        em = -double(FHeight);
    else if (FHeight > 0)
        em = Round(FHeight * EmPerCellPixel(FName.isEmpty() ? DefaultName() : FName));
    else
        em = Round(8.0 * FPixelsPerInch / 72.0);
    return int(std::clamp(em, 1.0, double(kMaxEm)));
}

QFont TFont::ToQFont() const
{
    if (FQFontSerial == FSerial)
        return FQFont;
    QFont font(FName.isEmpty() ? DefaultName() : FName);
    font.setPixelSize(EmHeight());
    font.setWeight(QFont::Weight(std::clamp(FWeight, 1, 1000)));
    font.setItalic(FItalic);
    font.setUnderline(FUnderline);
    font.setStrikeOut(FStrikeOut);
    font.setKerning(false);
    font.setStyleStrategy(Antialiased() ? QFont::PreferAntialias : QFont::NoAntialias);
    if (FPitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    if (FWidth > 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(Round(FWidth * 100.0 / natural), 1, 4000));
    }
    FQFont = font;
    FQFontSerial = FSerial;
    return font;
}
