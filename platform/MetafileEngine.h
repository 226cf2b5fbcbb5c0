#pragma once
// TMetafileEngine: the paint engine of the metafile recorder. It turns what QPainter
// draws into device-context calls of a TMetafileSink, so that anything drawing through a
// QPainter (TCanvas above all) records onto a metafile unchanged.
//
// Geometry is mapped through the painter's transform to device pixels and rounded with
// halves going down: the canvas draws fills and wide strokes half a pixel right and down
// to meet Qt's raster rules, and that half pixel is taken out again here, so the records
// carry the canvas's own integer coordinates, as a GDI metafile would. Ellipses and
// elliptic arcs, chords and pies are recognised in the curves they arrive as and recorded
// as such; polygons, polylines and Bézier chains become their records, other paths a path
// bracket. Pictures become stretched DIBs (transparent ones as a mask and a picture
// combined by raster operations); raster modes become ROP2 values; text becomes a font
// and a text record with the advance of every character.
#include "mycad_export.h"
#include "MetafileSink.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QBrush>
#include <QTransform>
#include <optional>

class MYCAD_EXPORT TMetafileEngine : public QPaintEngine {
public:
    explicit TMetafileEngine(TMetafileSink& sink);
    ~TMetafileEngine() override;

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::User; }

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

    // Halves go down: the coordinate rounding of the records.
    static int Coord(double v);

private:
    bool PenVisible() const;
    bool BrushVisible() const;
    // Brings the sink's pen, brush, raster operation, background and clip up to date.
    void Realize(bool pen, bool brush);
    TMfPen MappedPen() const;
    TMfBrush MappedBrush() const;
    void ClipChanged(const QRegion& region, Qt::ClipOperation operation);
    QPoint Map(const QPointF& p) const;
    QRect MapBox(const QRectF& r) const;
    bool DrawFitted(const QPainterPath& device, bool pen, bool brush);
    void DrawDevicePath(const QPainterPath& device, bool pen, bool brush);

    TMetafileSink& FSink;
    QPen FPen;
    QBrush FBrush;
    QBrush FBackground;
    Qt::BGMode FBackgroundMode = Qt::TransparentMode;
    QPainter::CompositionMode FComposition = QPainter::CompositionMode_SourceOver;
    QTransform FTransform;
    bool FClipEnabled = false;
    std::optional<QRegion> FClip;
};
