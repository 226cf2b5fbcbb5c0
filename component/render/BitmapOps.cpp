#include "component/render/BitmapOps.h"

#include "component/render/PicturePipeline.h"
#include "platform/PixelLimit.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
uint8_t Clamp255(int v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

void Ensure24(TBitmap& bitmap)
{
    if (bitmap.PixelFormat() != pf24bit)
        bitmap.SetPixelFormat(pf24bit);
}

// Fills the target with the source stretched to its size, each target pixel taking the
// source pixel under its centre.
void StretchNearest(const TBitmap& source, TBitmap& target)
{
    TBitmap converted;
    const TBitmap* from = &source;
    if (source.PixelFormat() != pf24bit) {
        converted.Assign(source);
        converted.SetPixelFormat(pf24bit);
        from = &converted;
    }
    const int W = target.Width(), H = target.Height(), bw = from->Width(), bh = from->Height();
    std::vector<int> cols(static_cast<size_t>(W));
    for (int x = 0; x < W; ++x)
        cols[size_t(x)] = 3 * TPicturePipeline::NearestSource(x, W, bw);
    for (int y = 0; y < H; ++y) {
        const uint8_t* src = from->ScanLine(TPicturePipeline::NearestSource(y, H, bh));
        uint8_t* dst = target.ScanLine(y);
        for (int x = 0; x < W; ++x, dst += 3)
            std::memcpy(dst, src + cols[size_t(x)], 3);
    }
}
} // namespace

void GrayScaleBitmap(TBitmap& Bitmap, bool On)
{
    if (!On || Bitmap.Empty())
        return;
    Ensure24(Bitmap);
    for (int y = 0; y < Bitmap.Height(); ++y) {
        uint8_t* p = Bitmap.ScanLine(y);
        for (int x = 0; x < Bitmap.Width(); ++x, p += 3)
            p[0] = p[1] = p[2] = uint8_t((p[0] + p[1] + p[2]) / 3);
    }
}

void AdjustBrightBitmap(TBitmap& Bitmap, int Amount)
{
    if (Amount == 0 || Bitmap.Empty())
        return;
    Ensure24(Bitmap);
    for (int y = 0; y < Bitmap.Height(); ++y) {
        uint8_t* p = Bitmap.ScanLine(y);
        for (int i = 0; i < 3 * Bitmap.Width(); ++i)
            p[i] = Clamp255(p[i] + Amount);
    }
}

void AdjustContrastBitmap(TBitmap& Bitmap, int Amount)
{
    if (Amount == 0 || Bitmap.Empty())
        return;
    Ensure24(Bitmap);
    for (int y = 0; y < Bitmap.Height(); ++y) {
        uint8_t* p = Bitmap.ScanLine(y);
        for (int i = 0; i < 3 * Bitmap.Width(); ++i) {
            const int v = p[i];
            const int f = (std::abs(127 - v) * Amount) / 255;
            p[i] = Clamp255(v > 127 ? v + f : v - f);
        }
    }
}

void FlipBitmap(TBitmap& Bitmap, bool Horizontal, bool Vertical)
{
    if ((!Horizontal && !Vertical) || Bitmap.Empty())
        return;
    const int w = Bitmap.Width(), h = Bitmap.Height(), bpp = Bitmap.BytesPerPixel();
    TBitmap flipped(w, h, Bitmap.PixelFormat());
    for (int r = 0; r < h; ++r) {
        const uint8_t* src = Bitmap.ScanLine(r);
        uint8_t* dst = flipped.ScanLine(Vertical ? h - r - 1 : r);
        if (!Horizontal) {
            std::memcpy(dst, src, size_t(w) * size_t(bpp));
            continue;
        }
        for (int i = 0; i < w; ++i)
            std::memcpy(dst + size_t(w - i - 1) * size_t(bpp), src + size_t(i) * size_t(bpp), size_t(bpp));
    }
    flipped.SetTransparent(Bitmap.Transparent());
    const TColor colour = Bitmap.TransparentColor();
    const TTransparentMode mode = Bitmap.TransparentMode();
    Bitmap.Assign(flipped);
    if (mode == tmFixed)
        Bitmap.SetTransparentColor(colour);
}

std::unique_ptr<TBitmap> RotateBitmap(TBitmap& Source, int Width, int Height, int dy, int dx, double Angle)
{
    const TColor savedColour = Source.Empty() ? clDefault : Source.TransparentColor();
    const TTransparentMode savedMode = Source.TransparentMode();
    const bool savedFlag = Source.Transparent();
    Source.SetTransparent(false);

    // A stretched size beyond the pixel limit is not made: the result is then empty.
    const bool allowed = PictureSizeAllowed(Width, Height);
    const int W = allowed ? Width : 0, H = allowed ? Height : 0;
    TBitmap scaled(W, H, pf24bit);
    if (!Source.Empty() && W > 0 && H > 0)
        StretchNearest(Source, scaled);

    auto result = std::make_unique<TBitmap>();
    if (Angle == 0) {
        result->Assign(scaled);
        result->SetTransparentColor(savedColour);
        result->SetTransparentMode(savedMode);
        result->SetTransparent(savedFlag);
        return result;
    }
    const double c = std::cos(Angle), s = std::sin(Angle);
    const int cx = dx + W / 2, cy = dy + H / 2;
    const int RW = Round(std::fabs(c * W) + std::fabs(s * H));
    const int RH = Round(std::fabs(s * W) + std::fabs(c * H));
    result->SetSize(std::max(RW, 0), std::max(RH, 0));
    const int ox = (result->Width() - W) / 2 + cx;
    const int oy = (result->Height() - H) / 2 + cy;
    for (int y = 0; y < result->Height(); ++y) {
        uint8_t* dst = result->ScanLine(y);
        const double v = 2.0 * (y - oy) + 1;
        for (int x = 0; x < result->Width(); ++x, dst += 3) {
            const double u = 2.0 * (x - ox) + 1;
            const int p = Round(u * c - v * s);
            const int q = Round(u * s + v * c);
            const int sx = (p - 1) / 2 + cx;
            const int sy = (q - 1) / 2 + cy;
            if (sx < 0 || sy < 0 || sx >= W || sy >= H) {
                dst[0] = dst[1] = dst[2] = 255;
                continue;
            }
            std::memcpy(dst, scaled.ScanLine(sy) + 3 * sx, 3);
        }
    }
    result->SetTransparentColor(savedColour);
    result->SetTransparentMode(tmFixed);
    result->SetTransparent(savedFlag);
    return result;
}
