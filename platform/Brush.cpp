#include "Brush.h"

#include "Bitmap.h"
#include "GraphicsSerial.h"

TBrush::TBrush() : FSerial(NextGraphicsSerial()) {}

TBrush::~TBrush() = default;

void TBrush::Changed()
{
    FSerial = NextGraphicsSerial();
    if (OnChange)
        OnChange();
}

void TBrush::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TBrush::SetBitmap(const TBitmap* value)
{
    if (value == FBitmap.get())
        return;
    if (value) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(*value);
        FBitmap = std::move(copy);
    } else {
        FBitmap.reset();
    }
    Changed();
}

void TBrush::Assign(const TBrush& source)
{
    if (&source != this) {
        FColor = source.FColor;
        FStyle = source.FStyle;
        if (source.FBitmap) {
            auto copy = std::make_unique<TBitmap>();
            copy->Assign(*source.FBitmap);
            FBitmap = std::move(copy);
        } else {
            FBitmap.reset();
        }
    }
    Changed();
}

bool TBrush::HasPattern() const
{
    return FBitmap && !FBitmap->Empty();
}
