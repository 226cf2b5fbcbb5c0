// TMyShape: the gradient pattern, a 256-colour ramp from ColorBegin to ColorEnd laid out
// in one of 23 patterns; PowerDrawShape stretches and turns it into the shape.
#include "component/shapes/MyShape.h"

#include "component/render/BitmapOps.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {
struct Rgb {
    uint8_t R, G, B;
};

std::array<Rgb, 256> GradientTable(TColor begin, TColor end)
{
    const TColor b = ColorToRGB(begin), e = ColorToRGB(end);
    auto channel = [](int from, int to, int i) { return uint8_t(from + (i * (to - from)) / 255); };
    std::array<Rgb, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = {channel(GetRValue(b), GetRValue(e), i), channel(GetGValue(b), GetGValue(e), i),
                            channel(GetBValue(b), GetBValue(e), i)};
    return table;
}

int M(int v)
{
    return v <= 180 ? (180 - v) * (180 - v) : (v - 181) * (v - 181);
}

int Sq(int v)
{
    return v * v;
}

int R(int q)
{
    return Round(std::sqrt(double(q)));
}

struct PatternSize {
    int W, H;
};

PatternSize SizeOf(TGradientStyle style)
{
    switch (style) {
    case gsRadialC: return {362, 362};
    case gsRadialT:
    case gsRadialB: return {362, 181};
    case gsRadialL:
    case gsRadialR: return {181, 362};
    case gsRadialTL:
    case gsRadialTR:
    case gsRadialBL:
    case gsRadialBR: return {181, 181};
    case gsLinearH: return {1, 256};
    case gsLinearV: return {256, 1};
    case gsReflectedH: return {1, 512};
    case gsReflectedV: return {512, 1};
    case gsDiagonalLF:
    case gsDiagonalLB: return {128, 129};
    case gsDiagonalRF:
    case gsDiagonalRB: return {256, 256};
    case gsArrowL:
    case gsArrowR: return {129, 256};
    case gsArrowU:
    case gsArrowD: return {256, 129};
    case gsDiamond:
    case gsButterfly: return {256, 256};
    case gsNone: break;
    }
    return {0, 0};
}

// The table entry of pixel (x, y) of the pattern.
int EntryOf(TGradientStyle style, int x, int y)
{
    switch (style) {
    case gsRadialC: return R(M(x) + Sq(180 - y));
    case gsRadialT: return R(M(x) + Sq(y));
    case gsRadialB: return R(M(x) + Sq(180 - y));
    case gsRadialL: return R(Sq(x) + M(y));
    case gsRadialR: return R(Sq(180 - x) + M(y));
    case gsRadialTL: return R(Sq(x) + Sq(y));
    case gsRadialTR: return R(Sq(180 - x) + Sq(y));
    case gsRadialBL: return R(Sq(x) + Sq(180 - y));
    case gsRadialBR: return R(Sq(180 - x) + Sq(180 - y));
    case gsLinearH: return y;
    case gsLinearV: return x;
    case gsReflectedH: return y <= 255 ? 255 - y : y - 256;
    case gsReflectedV: return x <= 255 ? 255 - x : x - 256;
    case gsDiagonalLF: return 127 + y - x;
    case gsDiagonalLB: return x + y;
    case gsDiagonalRF: return std::abs(x - y);
    case gsDiagonalRB: return std::abs(x + y - 255);
    case gsArrowL: return y <= 127 ? 255 - x - y : y - x;
    case gsArrowR: return y <= 127 ? 127 + x - y : x + y - 128;
    case gsArrowU: return x <= 127 ? 255 - x - y : x - y;
    case gsArrowD: return x <= 127 ? 127 + y - x : x + y - 128;
    case gsDiamond:
        if (y <= 127)
            return x <= 127 ? 255 - x - y : x - y;
        return x <= 127 ? y - x : x + y - 255;
    case gsButterfly:
        if (y <= 127)
            return x <= 127 ? 128 + x - y : 383 - x - y;
        return x <= 127 ? x + y - 128 : 128 + y - x;
    case gsNone: break;
    }
    return 0;
}
} // namespace

void TMyShape::DrawGradient()
{
    const TGradientStyle style = GradientStyle();
    // Without a gradient the pattern is empty, as a shape that never had one has none.
    if (style == gsNone && !(FExtras && FExtras->GradientBitmap))
        return;
    const std::array<Rgb, 256> table = GradientTable(ColorBegin(), ColorEnd());
    const PatternSize size = SizeOf(style);
    TBitmap* pattern = GradientBitmap();
    pattern->SetPixelFormat(pf24bit);
    pattern->SetSize(size.W, size.H);
    for (int y = 0; y < size.H; ++y) {
        uint8_t* line = pattern->ScanLine(y);
        for (int x = 0; x < size.W; ++x) {
            // Entries beyond the ramp (the corners of the radial patterns) take its ends.
            const Rgb c = table[size_t(std::clamp(EntryOf(style, x, y), 0, 255))];
            line[3 * x] = c.B;
            line[3 * x + 1] = c.G;
            line[3 * x + 2] = c.R;
        }
    }
}

void TMyShape::FlipGradientByFlags()
{
    if (FExtras && FExtras->GradientBitmap)
        FlipBitmap(*FExtras->GradientBitmap, FIsFlipHorz, FIsFlipVert);
}
