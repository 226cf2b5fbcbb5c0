#pragma once
// TMetafileSink: the device-context calls a metafile records, in device pixels, shared by
// the EMF and the WMF writer.
//
// The sink keeps the state a metafile player would have (selected pen, brush and font,
// raster operation, background, text colour and alignment, fill mode, clip) and writes a
// state record only when the value really changes; pens, brushes and fonts are created
// when selected and deleted once they are replaced, so a player never holds more than a
// few objects. Drawing calls write one record each. A failed write makes every later
// call do nothing and Finish() report false.
#include "mycad_export.h"
#include "Color.h"

#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// A pen as the metafile creates it: PS_ style bits (PS_NULL for no pen; PS_GEOMETRIC
// with end-cap and join bits for wide pens), width in pixels (0: one pixel at any scale).
struct MYCAD_EXPORT TMfPen {
    uint32_t Style = 0;
    int32_t Width = 0;
    TColor Color = 0;
    friend bool operator==(const TMfPen&, const TMfPen&) = default;
};

// A brush: BS_SOLID, BS_NULL, BS_HATCHED (Hatch an HS_ value) or BS_DIBPATTERNPT with a
// pattern picture (compared by the picture's cache key).
struct MYCAD_EXPORT TMfBrush {
    uint32_t Style = 0;
    TColor Color = 0;
    uint32_t Hatch = 0;
    QImage Pattern;
    bool operator==(const TMfBrush& other) const;
};

// A font: the log-font fields a text record needs; Height < 0 is the em height in pixels,
// Escapement is in tenths of a degree, counter-clockwise on screen.
struct MYCAD_EXPORT TMfFont {
    int32_t Height = 0;
    int32_t Escapement = 0;
    int32_t Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QString Face;
    friend bool operator==(const TMfFont&, const TMfFont&) = default;
};

// A path of figures: vertices with the kinds PT_MOVETO, PT_LINETO and PT_BEZIERTO (three
// per cubic segment), PT_CLOSEFIGURE or-ed into the last vertex of a closed figure.
struct MYCAD_EXPORT TMfPath {
    std::vector<QPoint> Points;
    std::vector<uint8_t> Kinds;
};

// What Arc-like records draw: the curve alone, closed by its chord, or by two radii.
enum class TMfArcKind : uint8_t { Arc, Chord, Pie };

class MYCAD_EXPORT TMetafileSink {
public:
    virtual ~TMetafileSink();

    // ---- State (written when it changes) ----
    void SelectPen(const TMfPen& pen);
    void SelectBrush(const TMfBrush& brush);
    void SelectFont(const TMfFont& font);
    // R2_ raster operation.
    void SetRop2(int rop);
    // TRANSPARENT or OPAQUE.
    void SetBkMode(int mode);
    void SetBkColor(TColor color);
    void SetTextColor(TColor color);
    void SetTextAlign(uint32_t align);
    // ALTERNATE or WINDING.
    void SetPolyFillMode(int mode);
    // The clip region in device pixels; none for no clipping.
    void SetClip(const std::optional<QRegion>& clip);

    // ---- Drawing (device pixels) ----
    virtual void Polyline(const QPolygon& points) = 0;
    virtual void PolyPolyline(const std::vector<QPolygon>& lines) = 0;
    virtual void Polygon(const QPolygon& points) = 0;
    virtual void PolyPolygon(const std::vector<QPolygon>& polygons) = 0;
    // A start point and three points per cubic segment.
    virtual void PolyBezier(const QPolygon& points) = 0;
    // The ellipse in the box (right and bottom exclusive, as GDI's Ellipse takes it).
    virtual void Ellipse(const QRect& box) = 0;
    // The part of the box's ellipse from the radial through start, counter-clockwise on
    // screen, to the radial through end.
    virtual void ArcFigure(TMfArcKind kind, const QRect& box, QPoint start, QPoint end) = 0;
    // Figures filled with the brush, stroked with the pen, or both.
    virtual void Path(const TMfPath& path, bool fill, bool stroke) = 0;
    // Text with its reference point at ref (as SetTextAlign says) and the advance of each
    // UTF-16 unit in pixels.
    virtual void Text(QPoint ref, const QString& text, const std::vector<int32_t>& advances) = 0;
    // The picture stretched onto dest with a ternary raster operation (SRCCOPY...).
    virtual void StretchDib(const QRect& dest, const QImage& image, uint32_t rop) = 0;
    virtual void SetPixel(QPoint at, TColor color) = 0;

    // Writes the end of the metafile and completes the header; false when any write failed.
    virtual bool Finish() = 0;
    bool Ok() const { return FOk; }

protected:
    virtual void WritePen(const TMfPen& pen) = 0;
    virtual void WriteBrush(const TMfBrush& brush) = 0;
    virtual void WriteFont(const TMfFont& font) = 0;
    virtual void WriteRop2(int rop) = 0;
    virtual void WriteBkMode(int mode) = 0;
    virtual void WriteBkColor(TColor color) = 0;
    virtual void WriteTextColor(TColor color) = 0;
    virtual void WriteTextAlign(uint32_t align) = 0;
    virtual void WritePolyFillMode(int mode) = 0;
    virtual void WriteClip(const std::optional<QRegion>& clip) = 0;
    // Forgets the state written, so that the next values are written again.
    void ResetState();
    void Fail() { FOk = false; }

private:
    std::optional<TMfPen> FPen;
    std::optional<TMfBrush> FBrush;
    std::optional<TMfFont> FFont;
    int FRop2 = 0;
    int FBkMode = 0;
    TColor FBkColor = -1;
    TColor FTextColor = -1;
    int64_t FTextAlign = -1;
    int FPolyFillMode = 0;
    bool FClipKnown = false;
    std::optional<QRegion> FClip;
    bool FOk = true;
};
