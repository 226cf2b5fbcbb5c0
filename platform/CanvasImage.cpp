// TCanvas: pixels, pictures, world transforms and mapping modes.
#include "Canvas.h"

#include "Bitmap.h"
#include "Rounding.h"
#include "Screen.h"

#include <QImage>
#include <cmath>

namespace {

QPainter::CompositionMode CompositionForCopy(TCopyMode mode)
{
    switch (mode) {
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmDstInvert: return QPainter::RasterOp_NotDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// The image with every pixel of the key colour made fully transparent.
QImage KeyedOut(const QImage& image, TColor key)
{
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    const TColor rgb = ColorToRGB(key);
    const QRgb k = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0xFFFFFF;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k)
                line[x] = 0;
    }
    return keyed;
}

} // namespace

// ---- Pixels ----

TColor TCanvas::Pixels(int x, int y)
{
    const QImage* image = TargetImage();
    if (!image)
        return CLR_INVALID;
    const QPointF d = (FLogToDev * FBase).map(QPointF(x, y));
    const double ratio = image->devicePixelRatio();
    // On an image of a denser screen: the image pixel under the logical pixel's centre.
    const int px = ratio == 1 ? Round(d.x()) : Trunc(std::floor((d.x() + 0.5) * ratio));
    const int py = ratio == 1 ? Round(d.y()) : Trunc(std::floor((d.y() + 0.5) * ratio));
    if (!image->valid(px, py))
        return CLR_INVALID;
    const QRgb rgb = image->pixel(px, py);
    return RGB(uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    QImage* image = TargetImage();
    if (!image)
        return;
    const QPointF base = FLogToDev.map(QPointF(x, y));
    if (FClip && !FClip->contains(QPoint(Round(base.x()), Round(base.y()))))
        return;
    const QPointF d = FBase.map(base);
    const int px = Round(d.x());
    const int py = Round(d.y());
    const double ratio = image->devicePixelRatio();
    if (ratio != 1) {
        // On an image of a denser screen the logical pixel covers a block of the image's.
        const QRect block = QRect(QPoint(Trunc(std::floor(px * ratio)), Trunc(std::floor(py * ratio))),
                                  QPoint(Trunc(std::floor((px + 1) * ratio)) - 1, Trunc(std::floor((py + 1) * ratio)) - 1))
                                .intersected(image->rect());
        const QColor c = ToQColor(color);
        for (int yy = block.top(); yy <= block.bottom(); ++yy)
            for (int xx = block.left(); xx <= block.right(); ++xx)
                image->setPixelColor(xx, yy, c);
        return;
    }
    if (image->valid(px, py))
        image->setPixelColor(px, py, ToQColor(color));
}

// ---- Pictures ----

void TCanvas::DrawImageAt(const QRectF& target, const QImage& image, const QRectF& source, bool transparent, TColor key)
{
    if (image.isNull() || target.isEmpty())
        return;
    QPainter* p = Begin();
    if (!p)
        return;
    ApplyClip(p);
    UseXf(p, Xf::Logical);
    if (FCopyMode == cmBlackness || FCopyMode == cmWhiteness) {
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(target, FCopyMode == cmBlackness ? Qt::black : Qt::white);
        return;
    }
    p->setCompositionMode(CompositionForCopy(FCopyMode));
    if (FCopyMode == cmDstInvert) {
        p->fillRect(target, Qt::black);
        return;
    }
    // Drawing an image onto itself reads what it writes: work from a copy.
    const QImage* own = TargetImage();
    const bool self = own && own->constBits() == image.constBits();
    if (transparent)
        p->drawImage(target, KeyedOut(image, key), source);
    else if (self)
        p->drawImage(target, image.copy(), source);
    else
        p->drawImage(target, image, source);
}

// An opaque picture copied unscaled in copy mode goes straight into the device image.
bool TCanvas::DirectDraw(int x, int y, const QImage& image)
{
    if (FCopyMode != cmSrcCopy || image.isNull())
        return false;
    const QImage* own = TargetImage();
    if (own && own->constBits() == image.constBits())
        return false; // onto itself: the painter works from a copy
    QPoint offset;
    std::optional<TPixelWriter> writer = DirectWriter(pmCopy, clBlack, offset);
    return writer && writer->Copy(image, int64_t(x) + offset.x(), int64_t(y) + offset.y());
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const QImage& image = bitmap.Image();
    if (!bitmap.Transparent() && DirectDraw(x, y, image))
        return;
    DrawImageAt(QRectF(x, y, image.width(), image.height()), image, QRectF(image.rect()), bitmap.Transparent(),
                bitmap.TransparentColor());
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const QImage& image = bitmap.Image();
    DrawImageAt(QRectF(r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top), image, QRectF(image.rect()),
                bitmap.Transparent(), bitmap.TransparentColor());
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    if (DirectDraw(x, y, image))
        return;
    DrawImageAt(QRectF(x, y, image.width(), image.height()), image, QRectF(image.rect()), false, 0);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    DrawImageAt(QRectF(r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top), image, QRectF(image.rect()),
                false, 0);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    const QImage* image = source.TargetImage();
    if (!image)
        return;
    DrawImageAt(QRectF(dest.Left, dest.Top, double(dest.Right) - dest.Left, double(dest.Bottom) - dest.Top), *image,
                QRectF(sourceRect.Left, sourceRect.Top, double(sourceRect.Right) - sourceRect.Left,
                       double(sourceRect.Bottom) - sourceRect.Top),
                false, 0);
}

// ---- World transform and mapping mode ----

int TCanvas::SetGraphicsMode(int mode)
{
    if (mode != GM_COMPATIBLE && mode != GM_ADVANCED)
        return 0;
    if (mode == GM_COMPATIBLE && !FWorld.isIdentity())
        return 0;
    const int previous = FGraphicsMode;
    FGraphicsMode = mode;
    return previous;
}

bool TCanvas::SetWorldTransform(const XFORM& xform)
{
    if (FGraphicsMode != GM_ADVANCED)
        return false;
    const QTransform t(xform.eM11, xform.eM12, xform.eM21, xform.eM22, xform.eDx, xform.eDy);
    if (!t.isInvertible())
        return false;
    FWorld = t;
    TransformChanged();
    return true;
}

bool TCanvas::GetWorldTransform(XFORM& xform) const
{
    xform = XFORM{float(FWorld.m11()), float(FWorld.m12()), float(FWorld.m21()),
                  float(FWorld.m22()), float(FWorld.dx()),  float(FWorld.dy())};
    return true;
}

bool TCanvas::ModifyWorldTransform(const XFORM& xform, int mode)
{
    if (FGraphicsMode != GM_ADVANCED)
        return false;
    const QTransform t(xform.eM11, xform.eM12, xform.eM21, xform.eM22, xform.eDx, xform.eDy);
    QTransform result;
    switch (mode) {
    case MWT_IDENTITY: break;
    case MWT_LEFTMULTIPLY: result = t * FWorld; break;
    case MWT_RIGHTMULTIPLY: result = FWorld * t; break;
    default: return false;
    }
    if (!result.isInvertible())
        return false;
    FWorld = result;
    TransformChanged();
    return true;
}

int TCanvas::SetMapMode(int mode)
{
    double unitsPerInch = 0;
    switch (mode) {
    case MM_TEXT: break;
    case MM_LOMETRIC: unitsPerInch = 254; break;
    case MM_HIMETRIC: unitsPerInch = 2540; break;
    case MM_LOENGLISH: unitsPerInch = 100; break;
    case MM_HIENGLISH: unitsPerInch = 1000; break;
    case MM_TWIPS: unitsPerInch = 1440; break;
    default: return 0;
    }
    const int previous = FMapMode;
    FMapMode = mode;
    if (unitsPerInch == 0) {
        FMap = QTransform();
    } else {
        const QPaintDevice* device = Device();
        const double dpiX = device ? device->logicalDpiX() : ScreenPixelsPerInch();
        const double dpiY = device ? device->logicalDpiY() : ScreenPixelsPerInch();
        FMap = QTransform::fromScale(dpiX / unitsPerInch, -dpiY / unitsPerInch);
    }
    TransformChanged();
    return previous;
}

void TCanvas::SetWindowOrgEx(int X, int Y, TPoint* Previous)
{
    if (Previous)
        *Previous = FWindowOrg;
    if (FWindowOrg == TPoint(X, Y))
        return;
    FWindowOrg = TPoint(X, Y);
    TransformChanged();
}

bool TCanvas::LPtoDP(std::vector<TPoint>& points) const
{
    for (TPoint& pt : points) {
        const QPointF d = FLogToDev.map(QPointF(pt.X, pt.Y));
        pt = TPoint(Round(d.x()), Round(d.y()));
    }
    return true;
}

bool TCanvas::DPtoLP(std::vector<TPoint>& points) const
{
    bool invertible = false;
    const QTransform toLogical = FLogToDev.inverted(&invertible);
    if (!invertible)
        return false;
    for (TPoint& pt : points) {
        const QPointF l = toLogical.map(QPointF(pt.X, pt.Y));
        pt = TPoint(Round(l.x()), Round(l.y()));
    }
    return true;
}
