#pragma once
// Helpers of the canvas tests: images with varied pixels and pixel probes.
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Types.h"

#include <QImage>
#include <functional>
#include <vector>

// An image whose every pixel differs from its neighbours, so that a pixel drawn once
// too often or too rarely shows.
inline QImage NoiseImage(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, qRgb(int(state >> 24), int((state >> 16) & 255), int((state >> 8) & 255)));
        }
    return format == QImage::Format_RGB32 ? image : image.convertToFormat(format);
}

inline QImage WhiteImage(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(Qt::white);
    return image;
}

// The colour of a pixel as a TColor.
inline TColor PixelAt(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)));
}

// The pixels of the image that satisfy the predicate, as points.
inline std::vector<TPoint> PixelsWhere(const QImage& image, const std::function<bool(TColor)>& pred)
{
    std::vector<TPoint> result;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pred(PixelAt(image, x, y)))
                result.emplace_back(x, y);
    return result;
}

// The bounding rectangle (right and bottom exclusive) of the pixels that differ from white.
inline TRect InkBounds(const QImage& image)
{
    int l = image.width(), t = image.height(), r = -1, b = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != clWhite) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    if (r < 0)
        return TRect();
    return TRect(l, t, r + 1, b + 1);
}

// Number of pixels that differ between two images of equal size (colour channels only).
inline int DifferingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                ++count;
    return count;
}
