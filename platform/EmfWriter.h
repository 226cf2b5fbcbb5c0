#pragma once
// TEmfWriter: writes an enhanced metafile (EMF) record by record straight to a device.
//
// The header goes first with its totals left open and is completed by Finish(), which
// seeks back to it: the device must be random access (a file, a buffer). Nothing but
// the record being written is kept in memory. Coordinates are device pixels at the
// reference resolution of 96 pixels per inch; points that fit in 16 bits are written in
// the 16-bit record forms. Objects are numbered from 1 and reused once deleted.
#include "mycad_export.h"
#include "LittleEndian.h"
#include "MetafileSink.h"

#include <QIODevice>
#include <QSize>
#include <functional>
#include <vector>

class MYCAD_EXPORT TEmfWriter : public TMetafileSink {
public:
    // A picture of size pixels (each side at least 1 for the frame) written from the
    // device's current position.
    TEmfWriter(QIODevice& out, QSize size);
    ~TEmfWriter() override;

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
    // Starts a record of the type in the scratch buffer; End writes it.
    TLeBytes& Start(uint32_t type);
    void End();
    void Simple(uint32_t type, uint32_t value);
    void Header(TLeBytes& out) const;
    // Bounds of the points (inclusive), added to the picture's bounds; writes them.
    void Bounds(TLeBytes& out, const QPolygon& points);
    void Bounds(TLeBytes& out, const QRect& inclusive);
    void Points(TLeBytes& out, const QPolygon& points, bool small);
    void Poly(uint32_t type16, uint32_t type32, const QPolygon& points);
    void PolyPoly(uint32_t type16, uint32_t type32, const std::vector<QPolygon>& polys);
    uint32_t NewHandle();
    // Selects the object of a slot (0 pen, 1 brush, 2 font) described by key, creating it
    // with create(handle) when it is not one of the slot's two last objects.
    void Select(int slot, const QByteArray& key, const std::function<void(uint32_t)>& create);

    QIODevice& FOut;
    QSize FSize;
    qint64 FStart = 0;
    uint64_t FBytes = 0;
    uint32_t FRecords = 0;
    QRect FBounds;
    TLeBytes FRecord;
    std::vector<bool> FHandles{true}; // index 0 is the metafile itself
    struct TCached {
        QByteArray Key;
        uint32_t Handle;
        uint64_t Used;
    };
    std::vector<TCached> FCache[3];
    uint64_t FUse = 0;
    bool FFinished = false;
};
