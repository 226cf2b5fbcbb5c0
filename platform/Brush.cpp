#include "Brush.h"

#include "Bitmap.h"
#include "GraphicsSerial.h"

#include <QSharedData>
#include <memory>

struct TBrushData : QSharedData {
    TBrushData() = default;
    // A copy made for writing owns a copy of the pattern.
    TBrushData(const TBrushData& o) : QSharedData(), Color(o.Color), Style(o.Style), Serial(o.Serial)
    {
        if (o.Bitmap) {
            Bitmap = std::make_unique<TBitmap>();
            Bitmap->Assign(*o.Bitmap);
        }
    }
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    std::unique_ptr<TBitmap> Bitmap;
    uint64_t Serial = NextGraphicsSerial();
};

namespace {

// The values of every brush that was never changed.
const QExplicitlySharedDataPointer<TBrushData>& DefaultBrush()
{
    static const QExplicitlySharedDataPointer<TBrushData> values(new TBrushData);
    return values;
}

} // namespace

TBrush::TBrush() : d(DefaultBrush()) {}

TBrush::~TBrush() = default;

TColor TBrush::Color() const { return d->Color; }
TBrushStyle TBrush::Style() const { return d->Style; }
uint64_t TBrush::Serial() const { return d->Serial; }
const TBitmap* TBrush::Pattern() const { return d->Bitmap.get(); }

TBitmap* TBrush::Bitmap() const
{
    if (d->Bitmap)
        d.detach();
    return d->Bitmap.get();
}

TBrushData& TBrush::Edit()
{
    return EditSharedValues(d);
}

void TBrush::Changed()
{
    if (OnChange)
        OnChange();
}

void TBrush::SetColor(TColor value)
{
    if (d->Color == value)
        return;
    Edit().Color = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (d->Style == value)
        return;
    Edit().Style = value;
    Changed();
}

void TBrush::SetBitmap(const TBitmap* value)
{
    if (value == d->Bitmap.get())
        return;
    std::unique_ptr<TBitmap> copy;
    if (value) {
        copy = std::make_unique<TBitmap>();
        copy->Assign(*value);
    }
    TBrushData& data = Edit();
    data.Bitmap = std::move(copy);
    Changed();
}

void TBrush::Assign(const TBrush& source)
{
    d = source.d;
    Changed();
}

bool TBrush::HasPattern() const
{
    return d->Bitmap && !d->Bitmap->Empty();
}

bool TBrush::SameAs(const TBrush& other) const
{
    return d == other.d || (d->Color == other.d->Color && d->Style == other.d->Style && !d->Bitmap && !other.d->Bitmap);
}
