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
    // An image that shares its data with a copy gets its own, as a painter beginning on it
    // would do; under an active painter that is the painter's business.
    if (!image.isDetached()) {
        if (image.paintingActive())
            return std::nullopt;
        image.detach();
    }
    QRect clip = image.rect();
    if (FClip) {
        if (FClip->rectCount() > 1)
            return std::nullopt;
        clip = FClip->boundingRect();
    }
    offset = QPoint(int(dx), int(dy));
    return TPixelWriter::For(image, clip, mode, color);
}

// Read from the pen itself rather than from the painter's pen built from it, which a
// geometric pen selected and deselected around every shape would rebuild each time.
std::optional<TPixelWriter> TCanvas::ThinPenWriter(QPoint& offset)
{
    const bool geometric = GeometricPenSelected();
    const TPenStyle style = geometric ? FGeoStyle : FPen.Style();
    const int width = geometric ? FGeoWidth : FPen.Width();
    // One pixel wide and without dashes (psInsideFrame draws solid); psClear and pmNop
    // draw nothing, which the painter path decides.
    if (width > 1 || (style != psSolid && style != psInsideFrame))
        return std::nullopt;
    return DirectWriter(FPen.Mode(), geometric ? FGeoColor : FPen.Color(), offset);
}
