#include "PixelWriter.h"

#include <QSysInfo>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// From this many pixels on, a grey span is written as one run of bytes.
constexpr int kLongSpan = 16;

// The raster operation of a pen mode as a truth table: bit (2 * P + D) holds the result
// bit for pen bit P and destination bit D.
uint8_t TruthTable(TPenMode mode)
{
    switch (mode) {
    case pmBlack: return 0b0000;
    case pmWhite: return 0b1111;
    case pmNop: return 0b1010;
    case pmNot: return 0b0101;
    case pmCopy: return 0b1100;
    case pmNotCopy: return 0b0011;
    case pmMergePenNot: return 0b1101;
    case pmMaskPenNot: return 0b0100;
    case pmMergeNotPen: return 0b1011;
    case pmMaskNotPen: return 0b0010;
    case pmMerge: return 0b1110;
    case pmNotMerge: return 0b0001;
    case pmMask: return 0b1000;
    case pmNotMask: return 0b0111;
    case pmXor: return 0b0110;
    case pmNotXor: return 0b1001;
    }
    return 0b1010;
}

// Whether the operation's result does not depend on the destination.
bool IgnoresDestination(uint8_t truth)
{
    return ((truth >> 1) & 0b101) == (truth & 0b101);
}
} // namespace

std::optional<TPixelWriter> TPixelWriter::For(QImage& image, const QRect& clip, TPenMode mode, TColor color)
{
    const uint8_t truth = TruthTable(mode);
    if (truth == 0b1010 || image.isNull() || !image.isDetached())
        return std::nullopt;
    int bytes = 0;
    switch (image.format()) {
    case QImage::Format_BGR888: bytes = 3; break;
    case QImage::Format_RGB32: bytes = 4; break;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        // Raster operations on translucent pixels are the painter's business.
        if (!IgnoresDestination(truth))
            return std::nullopt;
        bytes = 4;
        break;
    default: return std::nullopt;
    }
    // A 32-bit pixel is blue, green, red, alpha in memory on little-endian machines only.
    if (bytes == 4 && QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return std::nullopt;

    TPixelWriter w;
    w.FClip = clip.intersected(image.rect());
    w.FBits = image.bits();
    w.FStride = image.bytesPerLine();
    w.FBytesPerPixel = bytes;
    w.FTruth = truth;
    w.FCopy = IgnoresDestination(truth);
    const TColor rgb = ColorToRGB(color);
    w.FPen[0] = uint8_t(GetBValue(rgb));
    w.FPen[1] = uint8_t(GetGValue(rgb));
    w.FPen[2] = uint8_t(GetRValue(rgb));
    // With the pen fixed, each result bit is 0, 1, the destination bit or its inverse:
    // the result is C ^ (D & X), with C the result over a clear destination and X the
    // bits where a set destination bit changes it.
    for (int i = 0; i < 3; ++i) {
        w.FValue[i] = w.Apply(w.FPen[i], 0x00);
        w.FFlip[i] = uint8_t(w.FValue[i] ^ w.Apply(w.FPen[i], 0xFF));
    }
    return w;
}

uint8_t TPixelWriter::Apply(uint8_t pen, uint8_t dest) const
{
    const uint8_t p = pen, d = dest;
    uint8_t r = 0;
    if (FTruth & 0b0001)
        r |= uint8_t(~p & ~d);
    if (FTruth & 0b0010)
        r |= uint8_t(~p & d);
    if (FTruth & 0b0100)
        r |= uint8_t(p & ~d);
    if (FTruth & 0b1000)
        r |= uint8_t(p & d);
    return r;
}

void TPixelWriter::Put(uchar* px) const
{
    if (FCopy) {
        px[0] = FValue[0];
        px[1] = FValue[1];
        px[2] = FValue[2];
    } else {
        for (int i = 0; i < 3; ++i)
            px[i] = uint8_t(FValue[i] ^ (px[i] & FFlip[i]));
    }
    if (FBytesPerPixel == 4)
        px[3] = 0xFF;
}

// The result over a clear destination as a whole 32-bit pixel, opaque.
uint32_t TPixelWriter::CopyValue32() const
{
    return 0xFF000000u | uint32_t(FValue[2]) << 16 | uint32_t(FValue[1]) << 8 | FValue[0];
}

// Visits the Count steps of a line, lighting the pixels inside the clip: the longer axis
// moves by one each step, the shorter one when the remainder passes the denominator. The
// place in the image is kept as an offset stepped along with the coordinates.
template <typename PutPixel>
void TPixelWriter::Walk(const Step& S, PutPixel put)
{
    qsizetype at = qsizetype(S.Major) * S.MajorStride + qsizetype(S.Minor) * S.MinorStride;
    const qsizetype majorStep = qsizetype(S.MajorStep) * S.MajorStride;
    if (S.RemStep == 0) {
        // Along an axis: the shorter coordinate stays, inside the clip or not.
        if (S.Minor < S.MinorLo || S.Minor > S.MinorHi)
            return;
        for (int64_t i = 0; i < S.Count; ++i, at += majorStep)
            put(S.Bits + at);
        return;
    }
    const qsizetype minorStep = qsizetype(S.MinorStep) * S.MinorStride;
    int64_t minor = S.Minor, rem = S.Rem;
    for (int64_t i = 0; i < S.Count; ++i, at += majorStep) {
        if (minor >= S.MinorLo && minor <= S.MinorHi)
            put(S.Bits + at);
        rem += S.RemStep;
        if (rem >= S.Denominator) {
            rem -= S.Denominator;
            minor += S.MinorStep;
            at += minorStep;
        }
    }
}

template <typename F>
void TPixelWriter::WithPut(F&& f) const
{
    if (FCopy && FBytesPerPixel == 3)
        f([v0 = FValue[0], v1 = FValue[1], v2 = FValue[2]](uchar* px) {
            px[0] = v0;
            px[1] = v1;
            px[2] = v2;
        });
    else if (FCopy)
        f([value = CopyValue32()](uchar* px) { std::memcpy(px, &value, 4); });
    else
        f([this](uchar* px) { Put(px); });
}

template <typename PutPixel>
void TPixelWriter::ClippedLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, PutPixel put) const
{
    const int64_t dx = x1 - x0, dy = y1 - y0;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const int64_t n = std::max(adx, ady);
    if (n == 0 || FClip.isEmpty())
        return;
    // Along the longer axis the coordinate is the start plus i steps exactly, so the
    // steps that can land inside the clip form one range.
    const bool alongX = adx >= ady;
    const int64_t start = alongX ? x0 : y0;
    const int64_t dir = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int64_t lo = alongX ? FClip.left() : FClip.top();
    const int64_t hi = alongX ? FClip.right() : FClip.bottom();
    const int64_t first = std::max<int64_t>(dir > 0 ? lo - start : start - hi, 0);
    const int64_t last = std::min<int64_t>(dir > 0 ? hi - start : start - lo, n - 1);
    if (first > last)
        return;
    const int64_t minorStart = alongX ? y0 : x0;
    const int64_t minorDir = (alongX ? dy : dx) < 0 ? -1 : 1;
    const int64_t ad = alongX ? ady : adx;
    // The shorter axis moves by floor((2 i ad + n) / 2n) from its start (i/n of the way,
    // rounded half away from the start), kept as quotient and remainder step by step.
    int64_t off = 0, rem = n;
    if (first > 0) {
        // first and ad are below 2^34, so their product needs more than 64 bits only
        // for lines far longer than any device.
        if (first < (int64_t(1) << 30) && ad < (int64_t(1) << 30)) {
            const int64_t num = 2 * first * ad + n;
            off = num / (2 * n);
            rem = num % (2 * n);
        } else {
            const __int128 num = __int128(2) * first * ad + n;
            off = int64_t(num / (2 * n));
            rem = int64_t(num % (2 * n));
        }
    }
    const Step walk{FBits,
                    alongX ? FBytesPerPixel : FStride,
                    alongX ? FStride : FBytesPerPixel,
                    alongX ? FClip.top() : FClip.left(),
                    alongX ? FClip.bottom() : FClip.right(),
                    start + dir * first,
                    dir,
                    minorStart + minorDir * off,
                    minorDir,
                    rem,
                    2 * ad,
                    2 * n,
                    last - first + 1};
    Walk(walk, put);
}

// The same walk as ClippedLine's for a line whose ends both lie inside the clip (so do
// all its pixels, which lie between them): one pointer stepped along, no tests.
template <typename PutPixel>
void TPixelWriter::InsideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, PutPixel put) const
{
    const int64_t dx = x1 - x0, dy = y1 - y0;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const bool alongX = adx >= ady;
    const int64_t n = alongX ? adx : ady, ad = alongX ? ady : adx;
    const qsizetype xStep = dx < 0 ? -FBytesPerPixel : FBytesPerPixel, yStep = dy < 0 ? -FStride : FStride;
    const qsizetype majorStep = alongX ? xStep : yStep, minorStep = alongX ? yStep : xStep;
    uchar* px = FBits + y0 * FStride + x0 * FBytesPerPixel;
    int64_t rem = n;
    const int64_t remStep = 2 * ad, denominator = 2 * n;
    for (int64_t i = 0; i < n; ++i, px += majorStep) {
        put(px);
        // Without a branch: whether the shorter axis moves follows no pattern.
        rem += remStep;
        const int64_t moves = -int64_t(rem >= denominator);
        rem -= denominator & moves;
        px += minorStep & moves;
    }
}

template <typename PutPixel>
void TPixelWriter::PolylineWith(const TPoint* points, size_t count, int64_t dx, int64_t dy, PutPixel put) const
{
    const int64_t l = FClip.left(), t = FClip.top(), r = FClip.right(), b = FClip.bottom();
    const auto inside = [&](int64_t x, int64_t y) { return x >= l && x <= r && y >= t && y <= b; };
    int64_t x0 = points[0].X + dx, y0 = points[0].Y + dy;
    bool in0 = inside(x0, y0);
    for (size_t i = 1; i < count; ++i) {
        const int64_t x1 = points[i].X + dx, y1 = points[i].Y + dy;
        if (x1 == x0 && y1 == y0) // the outlines of small figures repeat points
            continue;
        const bool in1 = inside(x1, y1);
        if (in0 && in1)
            InsideLine(x0, y0, x1, y1, put);
        else
            ClippedLine(x0, y0, x1, y1, put);
        x0 = x1;
        y0 = y1;
        in0 = in1;
    }
}

void TPixelWriter::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    WithPut([&](auto put) { ClippedLine(x0, y0, x1, y1, put); });
}

void TPixelWriter::Polyline(const TPoint* points, size_t count, int64_t dx, int64_t dy)
{
    if (count < 2 || FClip.isEmpty())
        return;
    WithPut([&](auto put) { PolylineWith(points, count, dx, dy, put); });
}

void TPixelWriter::Span(int x1, int x2, int y)
{
    uchar* px = FBits + y * FStride + qsizetype(x1) * FBytesPerPixel;
    const int count = x2 - x1;
    if (FCopy && FBytesPerPixel == 4) {
        const uint32_t value = CopyValue32();
        std::fill_n(reinterpret_cast<uint32_t*>(px), count, value);
        return;
    }
    if (FCopy) {
        // Grey pens (black and white among them) are one byte over and over; other
        // colours go four pixels, twelve bytes, at a time.
        if (count >= kLongSpan && FValue[0] == FValue[1] && FValue[1] == FValue[2]) {
            std::memset(px, FValue[0], size_t(count) * 3);
            return;
        }
        uint8_t four[12];
        for (int k = 0; k < 12; ++k)
            four[k] = FValue[k % 3];
        int i = 0;
        for (; i + 4 <= count; i += 4, px += 12)
            std::memcpy(px, four, 12);
        for (; i < count; ++i, px += 3)
            std::memcpy(px, FValue, 3);
        return;
    }
    if (FBytesPerPixel == 4) {
        // Whole pixels at once; the alpha byte comes out opaque.
        const uint32_t value = CopyValue32();
        const uint32_t flip = uint32_t(FFlip[2]) << 16 | uint32_t(FFlip[1]) << 8 | FFlip[0];
        for (int i = 0; i < count; ++i, px += 4) {
            uint32_t d;
            std::memcpy(&d, px, 4);
            d = value ^ (d & flip);
            std::memcpy(px, &d, 4);
        }
        return;
    }
    for (int i = 0; i < count; ++i, px += 3)
        Put(px);
}

void TPixelWriter::Fill(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    const int64_t l = std::max<int64_t>(x1, FClip.left()), r = std::min<int64_t>(x2, int64_t(FClip.right()) + 1);
    const int64_t t = std::max<int64_t>(y1, FClip.top()), b = std::min<int64_t>(y2, int64_t(FClip.bottom()) + 1);
    if (l >= r || t >= b)
        return;
    const int left = int(l), right = int(r), top = int(t), bottom = int(b);
    if (!FCopy) {
        for (int y = top; y < bottom; ++y)
            Span(left, right, y);
        return;
    }
    // The first row is laid out once and copied to the others.
    Span(left, right, top);
    const uchar* row = FBits + top * FStride + qsizetype(left) * FBytesPerPixel;
    const size_t bytes = size_t(right - left) * size_t(FBytesPerPixel);
    for (int y = top + 1; y < bottom; ++y)
        std::memcpy(FBits + y * FStride + qsizetype(left) * FBytesPerPixel, row, bytes);
}

bool TPixelWriter::Copy(const QImage& Picture, int64_t x, int64_t y)
{
    int from = 0;
    switch (Picture.format()) {
    case QImage::Format_BGR888: from = 3; break;
    case QImage::Format_RGB32: from = 4; break;
    default: return false;
    }
    if (!FCopy)
        return false;
    const int64_t l = std::max<int64_t>(x, FClip.left()), r = std::min<int64_t>(x + Picture.width(), int64_t(FClip.right()) + 1);
    const int64_t t = std::max<int64_t>(y, FClip.top()), b = std::min<int64_t>(y + Picture.height(), int64_t(FClip.bottom()) + 1);
    if (l >= r || t >= b)
        return true;
    const int count = int(r - l);
    for (int64_t row = t; row < b; ++row) {
        const uchar* s = Picture.constScanLine(int(row - y)) + (l - x) * from;
        uchar* d = FBits + row * FStride + l * FBytesPerPixel;
        if (from == FBytesPerPixel) {
            std::memcpy(d, s, size_t(count) * size_t(from));
        } else if (from == 3) {
            // Four bytes read per pixel (the fourth belongs to the next one), made opaque;
            // the row's last pixel byte by byte, so nothing past the row is read.
            int i = 0;
            for (; i + 1 < count; ++i, s += 3, d += 4) {
                uint32_t v;
                std::memcpy(&v, s, 4);
                v |= 0xFF000000u;
                std::memcpy(d, &v, 4);
            }
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            d[3] = 0xFF;
        } else {
            for (int i = 0; i < count; ++i, s += 4, d += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
    }
    return true;
}
