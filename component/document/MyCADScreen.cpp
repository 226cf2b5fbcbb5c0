// TMyCAD: the picture on the screen. The control keeps what it shows in an image of its
// own: a paint pass composes the page into it, exclusive-or drawing between paint passes
// (rubber bands, highlights) goes straight into it, and the paint event copies it to the
// screen. So a figure drawn twice in exclusive-or mode is gone exactly, and uncovering
// the window shows what was there without drawing the page again.
#include "component/document/MyCAD.h"

#include "component/shapes/MyShape.h"

#include "platform/Rounding.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

double TMyCAD::ScreenPixelRatio() const
{
    const double ratio = FScreenPixelRatio > 0 ? FScreenPixelRatio : devicePixelRatioF();
    return std::isfinite(ratio) ? std::clamp(ratio, 1.0, 8.0) : 1.0;
}

void TMyCAD::SetScreenPixelRatio(double Ratio)
{
    if (!(Ratio >= 0) || !std::isfinite(Ratio))
        return;
    FScreenPixelRatio = Ratio;
    Invalidate();
}

// The image pixels a rectangle of the control covers, partly covered ones included.
TRect TMyCAD::ToScreenPixels(const TRect& R) const
{
    const double ratio = ScreenPixelRatio();
    if (ratio == 1)
        return R;
    return TRect(Trunc(std::floor(R.Left * ratio)), Trunc(std::floor(R.Top * ratio)), Trunc(std::ceil(R.Right * ratio)),
                 Trunc(std::ceil(R.Bottom * ratio)));
}

TCanvas* TMyCAD::Canvas()
{
    const double ratio = ScreenPixelRatio();
    const TRect pixels = ToScreenPixels(TRect(0, 0, std::max(width(), 1), std::max(height(), 1)));
    const QSize size(pixels.Width(), pixels.Height());
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>();
    if (FScreen.size() != size || FScreen.devicePixelRatio() != ratio) {
        FCanvas->ReleasePainter();
        FScreen = QImage(size, QImage::Format_RGB32);
        // A painter on the image draws in the control's pixels, scaled to the image's.
        FScreen.setDevicePixelRatio(ratio);
        FScreen.fill(ToQColor(FColorOfBackGround));
        FCanvas->SetDevice(&FScreen);
        FStale = QRegion(rect());
    }
    return FCanvas.get();
}

void TMyCAD::Invalidate()
{
    FStale = QRegion(rect());
    update();
}

void TMyCAD::InvalidateRect(const TRect& R)
{
    FStale += R.toQRect();
    update(R.toQRect());
}

void TMyCAD::ScreenChanged()
{
    update();
}

void TMyCAD::paintEvent(QPaintEvent* event)
{
    Canvas();
    // Compose the parts of the page that are out of date and now to be shown.
    const QRegion due = FStale.intersected(event->region());
    if (!due.isEmpty() && !FBusy) {
        FStale -= due;
        PaintRect(TRect(due.boundingRect()));
    }
    FCanvas->ReleasePainter();
    QPainter painter(this);
    const double ratio = FScreen.devicePixelRatio();
    for (const QRect& r : event->region()) {
        if (ratio == 1) {
            painter.drawImage(r.topLeft(), FScreen, r);
            continue;
        }
        // The image pixels covering r, placed where they belong on the control.
        const QRect source = ToScreenPixels(TRect(r)).toQRect().intersected(FScreen.rect());
        painter.drawImage(QRectF(source.x() / ratio, source.y() / ratio, source.width() / ratio, source.height() / ratio),
                          FScreen, QRectF(source));
    }
}

void TMyCAD::Paint()
{
    Canvas();
    PaintRect(TRect(0, 0, std::max(width(), 1), std::max(height(), 1)));
    ScreenChanged();
}
