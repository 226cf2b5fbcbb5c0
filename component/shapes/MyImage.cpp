// TMyImage: construction, copying and the property rules.
#include "component/shapes/MyImage.h"

namespace {
bool InAdjustRange(int v)
{
    return v >= -255 && v <= 255;
}
} // namespace

TMyImage::TMyImage(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD), FBitmap(std::make_unique<TBitmap>()) {}

TMyImage::~TMyImage() = default;

void TMyImage::Assign(const TMyShape* Source)
{
    TMyRectangle::Assign(Source);
    if (!Source || Source == this || Source->metaObject() != &staticMetaObject)
        return;
    const auto* image = static_cast<const TMyImage*>(Source);
    FBitmap->Assign(*image->FBitmap);
    FBorder = image->FBorder;
    FBrightness = image->FBrightness;
    FContrast = image->FContrast;
    FGrayScale = image->FGrayScale;
    FTransparent = image->FTransparent;
    FTransparentColor = image->FTransparentColor;
    FTransparentMode = image->FTransparentMode;
}

void TMyImage::SetBitmap(TBitmap* v)
{
    if (!v)
        return;
    v->SetPixelFormat(pf24bit);
    FBitmap->Assign(*v);
    // The box runs from P0 over the picture's size; a shape without points starts at the
    // origin.
    if (FPoints.empty())
        FPoints.push_back(TMyPoint());
    FPoints.resize(4);
    const double z = Zoom();
    const TMyPoint p0 = FPoints[0];
    const float right = float(p0.X + v->Width() / z);
    const float bottom = float(p0.Y + v->Height() / z);
    FPoints[1] = TMyPoint(right, p0.Y);
    FPoints[2] = TMyPoint(right, bottom);
    FPoints[3] = TMyPoint(p0.X, bottom);
    ExtentChanged();
}

void TMyImage::SetBrightness(int v)
{
    if (InAdjustRange(v))
        FBrightness = v;
}

void TMyImage::SetContrast(int v)
{
    if (InAdjustRange(v))
        FContrast = v;
}

TColor TMyImage::TransparentColor() const
{
    if (FTransparentColor != clDefault)
        return ColorToRGB(FTransparentColor);
    if (FBitmap->Empty())
        return clDefault; // no picture to take the colour from
    return FromQColor(QColor(FBitmap->Image().pixel(0, FBitmap->Height() - 1)));
}

// The mode follows the colour also when the colour is already stored (a file can hold a
// colour with the automatic mode).
void TMyImage::SetTransparentColor(TColor v)
{
    FTransparentMode = v != clDefault ? tmFixed : tmAuto;
    FTransparentColor = v;
}

// Always ends in the requested mode: fixing the colour of an empty picture keeps
// clDefault as the colour, yet the mode is tmFixed.
void TMyImage::SetTransparentMode(TTransparentMode v)
{
    if (v == FTransparentMode)
        return;
    if (v == tmFixed)
        SetTransparentColor(TransparentColor());
    else
        SetTransparentColor(clDefault);
    FTransparentMode = v;
}
