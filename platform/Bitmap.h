#pragma once
// TBitmap: an off-screen picture with scan-line access and a canvas that paints on it.
//
// Storage. The pixels live in one QImage whose memory layout is the scan-line layout, so
// ScanLine(row) is a plain pointer into it and the canvas paints into the same bytes
// (no copies to keep in step):
// - pf24bit (the default): QImage::Format_BGR888, three bytes per pixel in blue, green,
//   red order;
// - pf32bit: QImage::Format_RGB32, four bytes per pixel: blue, green, red, unused (255);
// - pf8bit: QImage::Format_Grayscale8, one grey level per pixel (the palette is the grey
//   ramp); the canvas paints on it, but raster modes such as xor are not exact there.
// Other formats are kept as pf24bit. Rows are top-down, each starting on a 4-byte
// boundary. Qt's raster operations work directly on the 24- and 32-bit layouts, so
// drawing a figure twice in pmXor on the canvas restores every pixel.
//
// A ScanLine pointer stays valid until the bitmap is resized, converted, assigned to or
// from, or loaded. New pixels (SetSize growing the picture) take the colour of the
// canvas brush (white by default).
//
// Files and streams hold 24-bit BMP images (platform/BmpCodec.h): saving writes 24 bits
// per pixel whatever the pixel format, loading accepts the common BMP variants and gives
// a pf24bit bitmap, so save -> load -> save reproduces the bytes.
#include "mycad_export.h"
#include "Canvas.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QImage>
#include <QIODevice>
#include <QString>
#include <memory>

class MYCAD_EXPORT TBitmap {
public:
    // An empty pf24bit bitmap.
    TBitmap();
    // A width x height bitmap filled with white (sizes below 0 count as 0).
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Copies the picture, pixel format and transparency settings (the canvas's pen, brush
    // and font stay as they are). The pixels are shared until either side changes.
    void Assign(const TBitmap& source);
    // Takes a Qt image, converted to the current pixel format.
    void Assign(const QImage& image);

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    // Resizes, keeping the pixels of the overlapping top-left part. False (and no change)
    // when the picture cannot be allocated.
    bool SetSize(int width, int height);
    bool Empty() const { return FImage.isNull(); }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels to the format (pf8bit, pf24bit or pf32bit; others become pf24bit).
    void SetPixelFormat(TPixelFormat value);
    int BytesPerPixel() const;

    // The first byte of a row (0 = top), null for a row outside the picture.
    uint8_t* ScanLine(int row);
    const uint8_t* ScanLine(int row) const;

    // The canvas that paints on the bitmap.
    TCanvas& Canvas();

    // Transparent drawing: TCanvas::Draw and StretchDraw leave out the pixels of the
    // transparent colour. TransparentColor is the stored colour in tmFixed mode and the
    // bottom-left pixel in tmAuto mode; setting it to clDefault selects tmAuto, any other
    // colour tmFixed; setting tmFixed keeps the colour currently in effect.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    // The picture as stored (see above), with painting on it finished; for drawing it
    // elsewhere without a copy.
    const QImage& Image() const;
    // A Format_RGB32 copy of the picture.
    QImage ToQImage() const;

    // BMP files and streams; false with a reason when reading fails (the bitmap is then
    // unchanged) or when writing fails.
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    bool SaveToFile(const QString& fileName) const;
    bool LoadFromStream(QIODevice& stream, QString* error = nullptr);
    bool SaveToStream(QIODevice& stream) const;

private:
    void FinishPainting() const;
    void SetImage(QImage image);
    QColor FillColor() const;

    QImage FImage;
    TPixelFormat FPixelFormat = pf24bit;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TCanvas> FCanvas;
};
