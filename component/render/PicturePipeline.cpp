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

// The contrast and then the brightness step on one channel value, as the two routines
// change a byte one after the other.
uint8_t ContrastThenBrightness(int v, int contrast, int brightness)
{
    if (contrast != 0) {
        const int f = (std::abs(127 - v) * contrast) / 255;
        v = Clamp255(v > 127 ? v + f : v - f);
    }
    if (brightness != 0)
        v = Clamp255(v + brightness);
    return uint8_t(v);
}

// A source index for each position of [From, To] of the stretched picture, mirrored when
// asked.
std::vector<int> NearestMap(int64_t From, int64_t To, int64_t Target, int Source, bool Mirror)
{
    std::vector<int> map;
    if (To < From)
        return map;
    map.resize(size_t(To - From + 1));
    for (int64_t i = From; i <= To; ++i) {
        const int s = TPicturePipeline::NearestSource(i, Target, Source);
        map[size_t(i - From)] = Mirror ? Source - 1 - s : s;
    }
    return map;
}

} // namespace

TPicturePipeline::TPicturePipeline(const TBitmap& Source, const TPictureSteps& Steps)
    : FSteps(Steps)
{
    for (int v = 0; v < 256; ++v)
        FLut[size_t(v)] = ContrastThenBrightness(v, Steps.Contrast, Steps.Brightness);
    if (Source.Empty() || Steps.Width <= 0 || Steps.Height <= 0 || Steps.Width > kMaxSide
        || Steps.Height > kMaxSide || !std::isfinite(Steps.Angle))
        return;
    FPixels = &Source;
    if (Source.PixelFormat() != pf24bit) {
        FConverted.Assign(Source);
        FConverted.SetPixelFormat(pf24bit);
        FPixels = &FConverted;
    }
    const int64_t W = Steps.Width, H = Steps.Height;
    if (Steps.Angle == 0) {
        FResult = QSize(int(W), int(H));
    } else {
        FCos = std::cos(Steps.Angle);
        FSin = std::sin(Steps.Angle);
        FCx = W / 2;
        FCy = H / 2;
        const int64_t RW = Round64(std::fabs(FCos * double(W)) + std::fabs(FSin * double(H)));
        const int64_t RH = Round64(std::fabs(FSin * double(W)) + std::fabs(FCos * double(H)));
        FResult = QSize(int(std::max<int64_t>(RW, 0)), int(std::max<int64_t>(RH, 0)));
        FOx = (FResult.width() - W) / 2 + FCx;
        FOy = (FResult.height() - H) / 2 + FCy;
    }
    FUsable = !FResult.isEmpty();
}

void TPicturePipeline::Adjusted(int x, int y, uint8_t* To) const
{
    const uint8_t* p = FPixels->ScanLine(y) + 3 * x;
    if (FSteps.GrayScale) {
        To[0] = To[1] = To[2] = FLut[size_t((p[0] + p[1] + p[2]) / 3)];
        return;
    }
    To[0] = FLut[p[0]];
    To[1] = FLut[p[1]];
    To[2] = FLut[p[2]];
}

void TPicturePipeline::Stretched(int sx, int sy, uint8_t* To) const
{
    const int bw = FPixels->Width(), bh = FPixels->Height();
    int x = NearestSource(sx, FSteps.Width, bw), y = NearestSource(sy, FSteps.Height, bh);
    if (FSteps.FlipHorizontal)
        x = bw - 1 - x;
    if (FSteps.FlipVertical)
        y = bh - 1 - y;
    Adjusted(x, y, To);
}

TColor TPicturePipeline::TransparentKey(TTransparentMode Mode, TColor Stored) const
{
    if (!FPixels)
        return Mode == tmFixed && Stored != clDefault ? Stored : clBlack;
    uint8_t bgr[3];
    // The working copy's colour: the stored one in tmFixed mode, else its bottom-left.
    TColor copyKey;
    if (Mode == tmFixed && Stored != clDefault) {
        copyKey = Stored;
    } else {
        const int bw = FPixels->Width(), bh = FPixels->Height();
        Adjusted(FSteps.FlipHorizontal ? bw - 1 : 0, FSteps.FlipVertical ? 0 : bh - 1, bgr);
        copyKey = RGB(bgr[2], bgr[1], bgr[0]);
    }
    if (FSteps.Angle != 0 || Mode == tmFixed)
        return copyKey;
    // Not turned and automatic: the bottom-left pixel of the stretched picture.
    Stretched(0, FSteps.Height - 1, bgr);
    return RGB(bgr[2], bgr[1], bgr[0]);
}

bool TPicturePipeline::Render(const QRect& Window, TBitmap& Out) const
{
    if (!FUsable)
        return false;
    const QRect w = Window.intersected(QRect(QPoint(0, 0), FResult));
    if (w.isEmpty() || !PictureSizeAllowed(w.width(), w.height()))
        return false;
    Out.SetPixelFormat(pf24bit);
    if (!Out.SetSize(w.width(), w.height()))
        return false;
    const int64_t W = FSteps.Width, H = FSteps.Height;
    const int bw = FPixels->Width(), bh = FPixels->Height();
    const bool gray = FSteps.GrayScale;
    const uint8_t* lut = FLut.data();
    auto put = [&](const uint8_t* p, uint8_t* to) {
        if (gray) {
            to[0] = to[1] = to[2] = lut[(p[0] + p[1] + p[2]) / 3];
        } else {
            to[0] = lut[p[0]];
            to[1] = lut[p[1]];
            to[2] = lut[p[2]];
        }
    };

    if (FSteps.Angle == 0) {
        const std::vector<int> cols = NearestMap(w.left(), w.right(), W, bw, FSteps.FlipHorizontal);
        const std::vector<int> rows = NearestMap(w.top(), w.bottom(), H, bh, FSteps.FlipVertical);
        for (int y = 0; y < w.height(); ++y) {
            const uint8_t* src = FPixels->ScanLine(rows[size_t(y)]);
            uint8_t* dst = Out.ScanLine(y);
            for (int x = 0; x < w.width(); ++x, dst += 3)
                put(src + 3 * cols[size_t(x)], dst);
        }
        return true;
    }

    // The stretched picture's pixel under result pixel (x, y), as RotateBitmap finds it.
    const double c = FCos, s = FSin;
    auto sourceOf = [&](int64_t x, int64_t y, int64_t& sx, int64_t& sy) {
        const double u = 2.0 * double(x - FOx) + 1, v = 2.0 * double(y - FOy) + 1;
        const int64_t p = Round(u * c - v * s), q = Round(u * s + v * c);
        sx = (p - 1) / 2 + FCx;
        sy = (q - 1) / 2 + FCy;
    };
    // The stretched pixels the window can reach: its corners' sources, widened for the
    // rounding, within the stretched picture.
    int64_t loX = INT64_MAX, hiX = INT64_MIN, loY = INT64_MAX, hiY = INT64_MIN;
    for (int64_t x : {int64_t(w.left()), int64_t(w.right())})
        for (int64_t y : {int64_t(w.top()), int64_t(w.bottom())}) {
            int64_t sx, sy;
            sourceOf(x, y, sx, sy);
            loX = std::min(loX, sx), hiX = std::max(hiX, sx);
            loY = std::min(loY, sy), hiY = std::max(hiY, sy);
        }
    loX = std::max<int64_t>(loX - 2, 0), hiX = std::min<int64_t>(hiX + 2, W - 1);
    loY = std::max<int64_t>(loY - 2, 0), hiY = std::min<int64_t>(hiY + 2, H - 1);
    const std::vector<int> cols = NearestMap(loX, hiX, W, bw, FSteps.FlipHorizontal);
    const std::vector<int> rows = NearestMap(loY, hiY, H, bh, FSteps.FlipVertical);
    std::vector<double> uc(size_t(w.width())), us(size_t(w.width()));
    for (int x = 0; x < w.width(); ++x) {
        const double u = 2.0 * double(w.left() + x - FOx) + 1;
        uc[size_t(x)] = u * c;
        us[size_t(x)] = u * s;
    }
    for (int y = 0; y < w.height(); ++y) {
        const double v = 2.0 * double(w.top() + y - FOy) + 1;
        const double vs = v * s, vc = v * c;
        uint8_t* dst = Out.ScanLine(y);
        for (int x = 0; x < w.width(); ++x, dst += 3) {
            const int64_t sx = (int64_t(Round(uc[size_t(x)] - vs)) - 1) / 2 + FCx;
            const int64_t sy = (int64_t(Round(us[size_t(x)] + vc)) - 1) / 2 + FCy;
            if (sx < 0 || sy < 0 || sx >= W || sy >= H) {
                dst[0] = dst[1] = dst[2] = 255;
                continue;
            }
            int col, row;
            if (sx >= loX && sx <= hiX && sy >= loY && sy <= hiY) {
                col = cols[size_t(sx - loX)];
                row = rows[size_t(sy - loY)];
            } else {
                col = NearestSource(sx, W, bw), row = NearestSource(sy, H, bh);
                if (FSteps.FlipHorizontal)
                    col = bw - 1 - col;
                if (FSteps.FlipVertical)
                    row = bh - 1 - row;
            }
            put(FPixels->ScanLine(row) + 3 * col, dst);
        }
    }
    return true;
}
