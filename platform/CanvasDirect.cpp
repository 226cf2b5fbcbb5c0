// TCanvas: the figures laid out pixel by pixel into the device image (see TPixelWriter)
// when only an integer translation lies between logical and device pixels.
#include "Canvas.h"

#include <QImage>
#include <cmath>

bool TCanvas::CachedDirectWriter(TPenMode mode, TColor rgb, QPoint& offset, std::optional<TPixelWriter>& writer) const
{
    if (!FDirect.valid || FDirect.mode != mode || FDirect.rgb != rgb || !FDevice)
        return false;
    const QImage& image = *static_cast<const QImage*>(FDevice);
    if (image.cacheKey() != FDirect.imageKey || !image.isDetached())
        return false;
    offset = FDirect.offset;
    writer = FDirect.writer;
    return true;
}

std::optional<TPixelWriter> TCanvas::DirectWriter(TPenMode mode, TColor color, QPoint& offset) const
{
    const TColor rgb = ColorToRGB(color);
    if (std::optional<TPixelWriter> cached; CachedDirectWriter(mode, rgb, offset, cached))
        return cached;
    FDirect.valid = false;
    if (FExternal || !FDevice || FDevice->devType() != QInternal::Image || FBaseHasClip || !FBase.isIdentity())
        return std::nullopt;
    const double dx = FLogToDev.dx(), dy = FLogToDev.dy();
    if (!WholePixelShift(FLogToDev) || std::abs(dx) > 1 << 30 || std::abs(dy) > 1 << 30)
        return std::nullopt;
    QImage& image = *static_cast<QImage*>(FDevice);
    // On an image of a denser screen the painter scales logical pixels to the image's.
    if (image.devicePixelRatio() != 1)
        return std::nullopt;
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
    std::optional<TPixelWriter> writer = TPixelWriter::For(image, clip, mode, rgb);
    if (writer) {
        // Taken after the writer asked for the bits, which renews the key.
        FDirect = DirectCache{true, mode, rgb, image.cacheKey(), offset, writer};
    }
    return writer;
}

// Read from the pen itself rather than from the painter's pen built from it, which a
// geometric pen selected and deselected around every shape would rebuild each time.
std::optional<TPixelWriter> TCanvas::ThinPenWriter(QPoint& offset, int& depth)
{
    const bool geometric = GeometricPenSelected();
    const TPenStyle style = geometric ? FGeoStyle : FPen.Style();
    const int width = geometric ? FGeoWidth : FPen.Width();
    // One pixel wide (or a one-pixel pen scaled) and without dashes (psInsideFrame draws
    // solid); psClear and pmNop draw nothing, which the painter path decides.
    depth = ScaledPenWidth(width);
    if ((width > 1 && depth > 1) || (style != psSolid && style != psInsideFrame))
        return std::nullopt;
    return DirectWriter(FPen.Mode(), geometric ? FGeoColor : FPen.Color(), offset);
}

// Rectangle with a one-pixel solid pen and a clear or solid brush: the outline covers the
// border pixels x1..x2-1 by y1..y2-1 once each, the brush the inside, both in the pen's
// mode; a box one or two pixels across is all outline. False when the painter has to
// draw it. The corners are normalised by the caller.
bool TCanvas::DirectRectangle(int x1, int y1, int x2, int y2)
{
    const bool clearBrush = FBrush.Style() == bsClear && !FBrush.HasPattern();
    const bool solidBrush = FBrush.Style() == bsSolid && !FBrush.HasPattern();
    if (!clearBrush && !solidBrush)
        return false;
    QPoint offset;
    int d = 1;
    std::optional<TPixelWriter> pen = ThinPenWriter(offset, d);
    if (!pen)
        return false;
    const int64_t l = int64_t(x1) + offset.x(), t = int64_t(y1) + offset.y();
    const int64_t r = int64_t(x2) + offset.x(), b = int64_t(y2) + offset.y();
    if (r - l <= 2 * d || b - t <= 2 * d) {
        pen->Fill(l, t, r, b);
        return true;
    }
    if (solidBrush) {
        std::optional<TPixelWriter> brush = DirectWriter(FPen.Mode(), FBrush.Color(), offset);
        if (!brush)
            return false;
        brush->Fill(l + d, t + d, r - d, b - d);
    }
    pen->Fill(l, t, r, t + d);
    pen->Fill(l, b - d, r, b);
    pen->Fill(l, t + d, l + d, b - d);
    pen->Fill(r - d, t + d, r, b - d);
    return true;
}

bool TCanvas::WholePixelShift(const QTransform& t)
{
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}
