#pragma once
// TPixelWriter: lays figures out pixel by pixel straight into the scan lines of a 24- or
// 32-bit image, bypassing QPainter. The canvas uses it for the figures whose pixels it
// defines itself (one-pixel solid lines, solid rectangle fills) when nothing but an
// integer translation lies between logical and device coordinates and the clip is a
// rectangle. Painting that way gives the same pixels as the painter, at a fraction of
// the cost for the many small figures of a drawing: no stroker, no span buffers, no
// hand-offs to the raster engine's fill threads.
//
// Every write goes through the raster operation of a pen mode, bit by bit on the red,
// green and blue bytes (the alpha byte of a 32-bit pixel is set opaque). Formats:
// QImage::Format_BGR888 and Format_RGB32 take all modes; Format_ARGB32 and
// Format_ARGB32_Premultiplied take the modes that ignore the destination.
#include "mycad_export.h"
#include "Color.h"
#include "GraphicsTypes.h"
#include "Types.h"

#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>

class MYCAD_EXPORT TPixelWriter {
public:
    // A writer on image within clip (device pixels; cut to the image), or none when the
    // image's format cannot take the mode, the image shares its data with a copy, or
    // the mode draws nothing.
    static std::optional<TPixelWriter> For(QImage& image, const QRect& clip, TPenMode mode, TColor color);

    // The one-pixel line from (x0, y0) to (x1, y1) with the end left out: one pixel per
    // step along the longer axis, the other coordinate rounded halves away from the start.
    // Only the steps inside the clip are visited, so any length costs at most the clip.
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    // The lines joining count points one after the other, each moved by (dx, dy), each
    // laid out as Line lays it out. The many short segments of an outline go through
    // one walk with no clip tests when both their ends lie inside the clip.
    void Polyline(const TPoint* points, size_t count, int64_t dx, int64_t dy);
    // The pixels x1..x2-1 by y1..y2-1 (nothing for an empty or reversed rectangle).
    void Fill(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    // Copies an opaque 24- or 32-bit picture (Format_BGR888 or Format_RGB32) with its
    // top-left at (x, y); only for a writer of a mode that ignores the destination
    // (the picture's pixels are copied as they are). False for other pictures.
    bool Copy(const QImage& Picture, int64_t x, int64_t y);

    const QRect& Clip() const { return FClip; }

private:
    // A line's walk: the first pixel's place on either axis, the steps, and the
    // remainder that decides when the shorter axis moves.
    struct Step {
        uchar* Bits;
        qsizetype MajorStride, MinorStride;
        int64_t MinorLo, MinorHi;
        int64_t Major, MajorStep;
        int64_t Minor, MinorStep;
        int64_t Rem, RemStep, Denominator;
        int64_t Count;
    };
    TPixelWriter() = default;
    template <typename PutPixel>
    static void Walk(const Step& S, PutPixel put);
    template <typename PutPixel>
    void ClippedLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, PutPixel put) const;
    template <typename PutPixel>
    void InsideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, PutPixel put) const;
    template <typename PutPixel>
    void PolylineWith(const TPoint* points, size_t count, int64_t dx, int64_t dy, PutPixel put) const;
    // Calls f with the pixel writing function of the writer's mode and layout.
    template <typename F>
    void WithPut(F&& f) const;
    uint32_t CopyValue32() const;
    // Writes one pixel through the raster operation.
    void Put(uchar* px) const;
    void Span(int x1, int x2, int y);
    uint8_t Apply(uint8_t pen, uint8_t dest) const;

    uchar* FBits = nullptr;
    qsizetype FStride = 0;
    int FBytesPerPixel = 0;
    bool FCopy = false;     // the result is the pen colour whatever the destination
    uint8_t FTruth = 0;     // bit (2 * pen bit + destination bit) is the result bit
    uint8_t FPen[3] = {};   // pen bytes in memory order (blue, green, red)
    uint8_t FValue[3] = {}; // the result bytes over a clear destination
    uint8_t FFlip[3] = {};  // the result bits a set destination bit inverts
    QRect FClip;
};
