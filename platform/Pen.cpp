#include "Pen.h"

#include "GraphicsSerial.h"

#include <QSharedData>

struct TPenData : QSharedData {
    TColor Color = clBlack;
    TPenMode Mode = pmCopy;
    TPenStyle Style = psSolid;
    int Width = 1;
    uint64_t Serial = NextGraphicsSerial();
};

namespace {

// The values of every pen that was never changed.
const QExplicitlySharedDataPointer<TPenData>& DefaultPen()
{
    static const QExplicitlySharedDataPointer<TPenData> values(new TPenData);
    return values;
}

} // namespace

TPen::TPen() : d(DefaultPen()) {}

TPen::~TPen() = default;

TColor TPen::Color() const { return d->Color; }
TPenMode TPen::Mode() const { return d->Mode; }
TPenStyle TPen::Style() const { return d->Style; }
int TPen::Width() const { return d->Width; }
uint64_t TPen::Serial() const { return d->Serial; }

TPenData& TPen::Edit()
{
    return EditSharedValues(d);
}

void TPen::Changed()
{
    if (OnChange)
        OnChange();
}

void TPen::SetColor(TColor value)
{
    if (d->Color == value)
        return;
    Edit().Color = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (d->Mode == value)
        return;
    Edit().Mode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (d->Style == value)
        return;
    Edit().Style = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 0)
        value = 0;
    if (d->Width == value)
        return;
    Edit().Width = value;
    Changed();
}

void TPen::Assign(const TPen& source)
{
    d = source.d;
    Changed();
}

bool TPen::SameAs(const TPen& other) const
{
    return d == other.d
           || (d->Color == other.d->Color && d->Mode == other.d->Mode && d->Style == other.d->Style
               && d->Width == other.d->Width);
}
