#pragma once
// TWmfWriter: writes a placeable Windows metafile (WMF with the Aldus placeable header)
// record by record straight to a device.
//
// The placeable header names the picture's box in pixels at 96 per inch, with its
// checksum; the metafile header's totals are completed by Finish(), which seeks back,
// so the device must be random access. Coordinates are 16-bit: values outside that range
// are clamped, never wrapped. The format has no curves, paths or world transforms:
// Béziers and paths are written as the polygons and polylines they flatten to. Text is
// written in the Windows-1252 code page. Objects take the lowest free table index, as
// players assign them.
#include "mycad_export.h"
#include "LittleEndian.h"
#include "MetafileSink.h"

#include <QIODevice>
#include <QSize>
#include <functional>
#include <vector>

class MYCAD_EXPORT TWmfWriter : public TMetafileSink {
public:
    TWmfWriter(QIODevice& out, QSize size);
    ~TWmfWriter() override;

    void Polyline(const QPolygon& points) override;
    void PolyPolyline(const std::vector<QPolygon>& lines) override;
    void Polygon(const QPolygon& points) override;
    void PolyPolygon(const std::vector<QPolygon>& polygons) override;
    void PolyBezier(const QPolygon& points) override;
    void Ellipse(const QRect& box) override;
    void ArcFigure(TMfArcKind kind, const QRect& box, QPoint start, QPoint end) override;
    void Path(const TMfPath& path, bool fill, bool stroke) override;
    void Text(QPoint ref, const QString& text, const std::vector<int32_t>& advances) override;
    void StretchDib(const QRect& dest, const QImage& image, uint32_t rop) override;
    void SetPixel(QPoint at, TColor color) override;
    bool Finish() override;

    // The checksum of a placeable header: the exclusive or of its first ten 16-bit words.
    static uint16_t PlaceableChecksum(const uint8_t* header);

protected:
    void WritePen(const TMfPen& pen) override;
    void WriteBrush(const TMfBrush& brush) override;
    void WriteFont(const TMfFont& font) override;
    void WriteRop2(int rop) override;
    void WriteBkMode(int mode) override;
    void WriteBkColor(TColor color) override;
    void WriteTextColor(TColor color) override;
    void WriteTextAlign(uint32_t align) override;
    void WritePolyFillMode(int mode) override;
    void WriteClip(const std::optional<QRegion>& clip) override;

private:
    TLeBytes& Start(uint16_t function);
    void End();
    // A record of one 16-bit mode and its reserved word.
    void Simple(uint16_t function, uint16_t value);
    void Header(TLeBytes& out) const;
    void Points(TLeBytes& out, const QPolygon& points);
    void Box(TLeBytes& out, const QRect& box);
    void Region(const QRegion& region);
    uint16_t NewObject();
    // Selects the object of a slot (0 pen, 1 brush, 2 font) described by key, creating it
    // with create(index) when it is not one of the slot's two last objects.
    void Select(int slot, const QByteArray& key, const std::function<void(uint16_t)>& create);

    QIODevice& FOut;
    QSize FSize;
    qint64 FStart = 0;
    uint64_t FWords = 0;
    uint32_t FMaxRecord = 0;
    TLeBytes FRecord;
    std::vector<bool> FObjects;
    struct TCached {
        QByteArray Key;
        uint16_t Index;
        uint64_t Used;
    };
    std::vector<TCached> FCache[3];
    uint64_t FUse = 0;
    TMfPen FSelectedPen;
    bool FFinished = false;
};
