// TCanvas: the figures laid out pixel by pixel into the device image (see TPixelWriter)
// when only an integer translation lies between logical and device pixels.
#include "Canvas.h"

#include <QImage>
#include <cmath>

std::optional<TPixelWriter> TCanvas::DirectWriter(TPenMode mode, TColor color, QPoint& offset) const
{
    if (FExternal || !FDevice || FDevice->devType() != QInternal::Image || FBaseHasClip || !FBase.isIdentity())
        return std::nullopt;
    if (FLogToDev.type() > QTransform::TxTranslate)
        return std::nullopt;
    const double dx = FLogToDev.dx(), dy = FLogToDev.dy();
    if (dx != std::floor(dx) || dy != std::floor(dy) || std::abs(dx) > 1 << 30 || std::abs(dy) > 1 << 30)
        return std::nullopt;
    QImage& image = *static_cast<QImage*>(FDevice);
    QRect clip = image.rect();
    if (FClip) {
        if (FClip->rectCount() > 1)
            return std::nullopt;
        clip = FClip->boundingRect();
    }
    offset = QPoint(int(dx), int(dy));
    return TPixelWriter::For(image, clip, mode, color);
}

std::optional<TPixelWriter> TCanvas::ThinPenWriter(QPoint& offset)
{
    const PenSpec& setup = CurrentPen(1.0);
    if (!setup.visible || !setup.cosmetic || setup.pen.style() != Qt::SolidLine)
        return std::nullopt;
    const bool geometric = GeometricPenSelected();
    return DirectWriter(FPen.Mode(), geometric ? FGeoColor : FPen.Color(), offset);
}

// A thin solid polyline laid out as its segments drawn one after another, each leaving
// out its end. False when the painter has to draw it.
bool TCanvas::DirectPolyline(const TPoint* points, size_t count)
{
    QPoint offset;
    std::optional<TPixelWriter> writer = ThinPenWriter(offset);
    if (!writer)
        return false;
    for (size_t i = 1; i < count; ++i)
        writer->Line(int64_t(points[i - 1].X) + offset.x(), int64_t(points[i - 1].Y) + offset.y(),
                     int64_t(points[i].X) + offset.x(), int64_t(points[i].Y) + offset.y());
    return true;
}
