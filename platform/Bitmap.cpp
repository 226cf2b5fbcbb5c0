#include "Bitmap.h"

#include "BmpCodec.h"
#include "Stream.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

QImage::Format StorageFormat(TPixelFormat format)
{
    switch (format) {
    case pf8bit: return QImage::Format_Grayscale8;
    case pf32bit: return QImage::Format_RGB32;
    default: return QImage::Format_BGR888;
    }
}

TPixelFormat StoredPixelFormat(TPixelFormat format)
{
    return format == pf8bit || format == pf32bit ? format : pf24bit;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : FPixelFormat(StoredPixelFormat(format))
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    // The canvas ends its painter before the image it paints on goes.
    FCanvas.reset();
}

void TBitmap::FinishPainting() const
{
    if (FCanvas)
        FCanvas->ReleasePainter();
}

void TBitmap::SetImage(QImage image)
{
    FinishPainting();
    FImage = std::move(image);
}

QColor TBitmap::FillColor() const
{
    return FCanvas ? ToQColor(FCanvas->Brush().Color()) : QColor(255, 255, 255);
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    FPixelFormat = source.FPixelFormat;
    FTransparent = source.FTransparent;
    FTransparentColor = source.FTransparentColor;
    FTransparentMode = source.FTransparentMode;
    SetImage(source.Image());
}

void TBitmap::Assign(const QImage& image)
{
    if (image.isNull()) {
        SetImage(QImage());
        return;
    }
    SetImage(image.convertToFormat(StorageFormat(FPixelFormat)));
}

bool TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return true;
    if (width == 0 || height == 0) {
        SetImage(QImage());
        return true;
    }
    QImage resized(width, height, StorageFormat(FPixelFormat));
    if (resized.isNull())
        return false;
    resized.fill(FillColor());
    if (!FImage.isNull()) {
        const int rows = std::min(height, FImage.height());
        const size_t bytes = size_t(std::min(width, FImage.width())) * size_t(BytesPerPixel());
        for (int y = 0; y < rows; ++y)
            std::memcpy(resized.scanLine(y), FImage.constScanLine(y), bytes);
    }
    SetImage(std::move(resized));
    return true;
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    value = StoredPixelFormat(value);
    if (value == FPixelFormat)
        return;
    FPixelFormat = value;
    if (!FImage.isNull())
        SetImage(FImage.convertToFormat(StorageFormat(value)));
}

int TBitmap::BytesPerPixel() const
{
    switch (FPixelFormat) {
    case pf8bit: return 1;
    case pf32bit: return 4;
    default: return 3;
    }
}

uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= FImage.height())
        return nullptr;
    return FImage.scanLine(row);
}

const uint8_t* TBitmap::ScanLine(int row) const
{
    if (row < 0 || row >= FImage.height())
        return nullptr;
    return FImage.constScanLine(row);
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(&FImage);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (FImage.isNull())
        return clBlack;
    const QRgb rgb = FImage.pixel(0, FImage.height() - 1);
    return RGB(uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)));
}

void TBitmap::SetTransparentColor(TColor value)
{
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == FTransparentMode)
        return;
    if (value == tmFixed)
        SetTransparentColor(TransparentColor());
    else
        SetTransparentColor(clDefault);
}

const QImage& TBitmap::Image() const
{
    FinishPainting();
    return FImage;
}

QImage TBitmap::ToQImage() const
{
    return Image().convertToFormat(QImage::Format_RGB32);
}

bool TBitmap::LoadFromStream(QIODevice& stream, QString* error)
{
    QImage image;
    if (!ReadBmp(stream, image, error))
        return false;
    FPixelFormat = pf24bit;
    SetImage(image.convertToFormat(StorageFormat(pf24bit)));
    return true;
}

bool TBitmap::SaveToStream(QIODevice& stream) const
{
    return WriteBmp(stream, Image());
}

bool TBitmap::LoadFromFile(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return LoadFromStream(file, error);
}

bool TBitmap::SaveToFile(const QString& fileName) const
{
    return SaveFileSafely(fileName, [this](QIODevice& file) { return SaveToStream(file); });
}
