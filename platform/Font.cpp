#include "Font.h"

#include "GraphicsSerial.h"
#include "Rounding.h"
#include "Screen.h"

#include <QFontMetricsF>
#include <QHash>
#include <QSharedData>
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

struct TFontData : QSharedData {
    QString Name = TFont::DefaultName();
    int Height = 0;
    int PixelsPerInch = 96;
    TColor Color = clBlack;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Weight = FW_NORMAL;
    TFontPitch Pitch = fpDefault;
    uint8_t Charset = DEFAULT_CHARSET;
    TFontQuality Quality = fqDefault;
    int Escapement = 0;
    int Orientation = 0;
    int Width = 0;
    uint64_t Serial = NextGraphicsSerial();
    // The Qt font made of these values, and the serial it was made at.
    mutable uint64_t QFontSerial = 0;
    mutable QFont QtFont;

    bool SameValues(const TFontData& o) const
    {
        return Name == o.Name && Height == o.Height && PixelsPerInch == o.PixelsPerInch && Color == o.Color
               && Italic == o.Italic && Underline == o.Underline && StrikeOut == o.StrikeOut && Weight == o.Weight
               && Pitch == o.Pitch && Charset == o.Charset && Quality == o.Quality && Escapement == o.Escapement
               && Orientation == o.Orientation && Width == o.Width;
    }
};

namespace {

// The values of every font that was never changed, made anew when the screen's
// resolution has changed since.
const QExplicitlySharedDataPointer<TFontData>& DefaultFont()
{
    static QExplicitlySharedDataPointer<TFontData> values;
    const int ppi = ScreenPixelsPerInch();
    if (!values || values->PixelsPerInch != ppi) {
        values = new TFontData;
        values->PixelsPerInch = ppi;
        values->Height = -Round(8.0 * ppi / 72.0);
    }
    return values;
}

} // namespace

TFont::TFont() : d(DefaultFont()) {}

TFont::~TFont() = default;

QString TFont::Name() const { return d->Name; }
int TFont::Height() const { return d->Height; }
int TFont::PixelsPerInch() const { return d->PixelsPerInch; }
TColor TFont::Color() const { return d->Color; }
TFontPitch TFont::Pitch() const { return d->Pitch; }
uint8_t TFont::Charset() const { return d->Charset; }
TFontQuality TFont::Quality() const { return d->Quality; }
int TFont::Orientation() const { return d->Orientation; }
int TFont::Escapement() const { return d->Escapement; }
int TFont::Weight() const { return d->Weight; }
uint64_t TFont::Serial() const { return d->Serial; }

TFontData& TFont::Edit()
{
    return EditSharedValues(d);
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& value)
{
    if (d->Name == value)
        return;
    Edit().Name = value;
    Changed();
}

// Size and height are each other's negation scaled by the resolution; the rounding
// is negated first so that even the most negative result stays an int.
int TFont::Size() const
{
    return Round(-double(d->Height) * 72.0 / d->PixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(Round(-double(value) * d->PixelsPerInch / 72.0));
}

void TFont::SetHeight(int value)
{
    if (d->Height == value)
        return;
    Edit().Height = value;
    Changed();
}

void TFont::SetPixelsPerInch(int value)
{
    if (value < 1 || d->PixelsPerInch == value)
        return;
    Edit().PixelsPerInch = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (d->Color == value)
        return;
    Edit().Color = value;
    Changed();
}

TFontStyles TFont::Style() const
{
    TFontStyles style;
    if (d->Weight >= FW_BOLD)
        style |= fsBold;
    if (d->Italic)
        style |= fsItalic;
    if (d->Underline)
        style |= fsUnderline;
    if (d->StrikeOut)
        style |= fsStrikeOut;
    return style;
}

void TFont::SetStyle(TFontStyles value)
{
    if (Style() == value)
        return;
    TFontData& data = Edit();
    const bool bold = value.testFlag(fsBold);
    if (bold != (data.Weight >= FW_BOLD))
        data.Weight = bold ? FW_BOLD : FW_NORMAL;
    data.Italic = value.testFlag(fsItalic);
    data.Underline = value.testFlag(fsUnderline);
    data.StrikeOut = value.testFlag(fsStrikeOut);
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (d->Pitch == value)
        return;
    Edit().Pitch = value;
    Changed();
}

void TFont::SetCharset(uint8_t value)
{
    if (d->Charset == value)
        return;
    Edit().Charset = value;
    Changed();
}

void TFont::SetQuality(TFontQuality value)
{
    if (d->Quality == value)
        return;
    Edit().Quality = value;
    Changed();
}

void TFont::SetOrientation(int value)
{
    if (d->Orientation == value && d->Escapement == value)
        return;
    TFontData& data = Edit();
    data.Orientation = value;
    data.Escapement = value;
    Changed();
}

void TFont::SetEscapement(int value)
{
    if (d->Escapement == value)
        return;
    Edit().Escapement = value;
    Changed();
}

void TFont::SetWeight(int value)
{
    value = std::clamp(value, 0, 1000);
    if (value == 0)
        value = FW_NORMAL;
    if (d->Weight == value)
        return;
    Edit().Weight = value;
    Changed();
}

TLogFont TFont::GetLogFont() const
{
    TLogFont lf;
    lf.lfHeight = d->Height;
    lf.lfWidth = d->Width;
    lf.lfEscapement = d->Escapement;
    lf.lfOrientation = d->Orientation;
    lf.lfWeight = d->Weight;
    lf.lfItalic = d->Italic ? 1 : 0;
    lf.lfUnderline = d->Underline ? 1 : 0;
    lf.lfStrikeOut = d->StrikeOut ? 1 : 0;
    lf.lfCharSet = d->Charset;
    lf.lfQuality = uint8_t(d->Quality);
    switch (d->Pitch) {
    case fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
    case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    }
    lf.lfFaceName = d->Name;
    return lf;
}

void TFont::SetLogFont(const TLogFont& value)
{
    TFontData& data = Edit();
    data.Height = value.lfHeight;
    data.Width = std::max(0, value.lfWidth);
    data.Escapement = value.lfEscapement;
    data.Orientation = value.lfOrientation;
    data.Weight = value.lfWeight <= 0 ? FW_NORMAL : std::min(value.lfWeight, 1000);
    data.Italic = value.lfItalic != 0;
    data.Underline = value.lfUnderline != 0;
    data.StrikeOut = value.lfStrikeOut != 0;
    data.Charset = value.lfCharSet;
    data.Quality = value.lfQuality <= uint8_t(fqClearTypeNatural) ? TFontQuality(value.lfQuality) : fqDefault;
    switch (value.lfPitchAndFamily & 3) {
    case FIXED_PITCH: data.Pitch = fpFixed; break;
    case VARIABLE_PITCH: data.Pitch = fpVariable; break;
    default: data.Pitch = fpDefault; break;
    }
    data.Name = value.lfFaceName;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    d = source.d;
    Changed();
}

bool TFont::SameAs(const TFont& other) const
{
    return d == other.d || d->SameValues(*other.d);
}

bool TFont::Antialiased() const
{
    return d->Quality == fqAntialiased || d->Quality == fqClearType || d->Quality == fqClearTypeNatural;
}

int TFont::EmHeight() const
{
    double em;
    if (d->Height < 0)
        em = -double(d->Height);
    else if (d->Height > 0)
        em = Round(d->Height * EmPerCellPixel(d->Name.isEmpty() ? DefaultName() : d->Name));
    else
        em = Round(8.0 * d->PixelsPerInch / 72.0);
    return int(std::clamp(em, 1.0, double(kMaxEm)));
}

QFont TFont::ToQFont() const
{
    if (d->QFontSerial == d->Serial)
        return d->QtFont;
    QFont font(d->Name.isEmpty() ? DefaultName() : d->Name);
    font.setPixelSize(EmHeight());
    font.setWeight(QFont::Weight(std::clamp(d->Weight, 1, 1000)));
    font.setItalic(d->Italic);
    font.setUnderline(d->Underline);
    font.setStrikeOut(d->StrikeOut);
    font.setKerning(false);
    font.setStyleStrategy(Antialiased() ? QFont::PreferAntialias : QFont::NoAntialias);
    if (d->Pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    if (d->Width > 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(Round(d->Width * 100.0 / natural), 1, 4000));
    }
    d->QtFont = font;
    d->QFontSerial = d->Serial;
    return font;
}
