// TMyCAD: the picture on the screen. The control keeps what it shows in an image of its
// own: a paint pass composes the page into it, exclusive-or drawing between paint passes
// (rubber bands, highlights) goes straight into it, and the paint event copies it to the
// screen. So a figure drawn twice in exclusive-or mode is gone exactly, and uncovering
// the window shows what was there without drawing the page again.
#include "component/document/MyCAD.h"

#include "component/shapes/MyShape.h"

#include <QPaintEvent>
#include <QPainter>

TCanvas* TMyCAD::Canvas()
{
    const QSize size(std::max(width(), 1), std::max(height(), 1));
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>();
    if (FScreen.size() != size) {
        FCanvas->ReleasePainter();
        FScreen = QImage(size, QImage::Format_RGB32);
        FScreen.fill(ToQColor(FColorOfBackGround));
        FCanvas->SetDevice(&FScreen);
        FStale = QRegion(FScreen.rect());
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
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), FScreen, r);
}

void TMyCAD::Paint()
{
    Canvas();
    PaintRect(TRect(0, 0, FScreen.width(), FScreen.height()));
    ScreenChanged();
}
