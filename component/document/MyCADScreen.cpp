// TMyCAD: the picture on the screen. The control keeps what it shows in an image of its
// own: painting composes the page into it, exclusive-or drawing between paints (rubber
// bands, highlights) goes straight into it, and the paint event only copies it to the
// screen. So a figure drawn twice in exclusive-or mode is gone exactly.
#include "document/MyCAD.h"

#include "shapes/MyShape.h"

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
        FPageDirty = true;
    }
    return FCanvas.get();
}

void TMyCAD::Invalidate()
{
    FPageDirty = true;
    update();
}

void TMyCAD::ScreenChanged()
{
    update();
}

void TMyCAD::paintEvent(QPaintEvent* event)
{
    TCanvas* canvas = Canvas();
    if (FPageDirty && !FBusy) {
        FPageDirty = false;
        ComposePage(canvas);
    }
    canvas->ReleasePainter();
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), FScreen, r);
}

// The page as the drawing holds it: page colour, then every visible shape of the
// visible layers, members before their group.
void TMyCAD::ComposePage(TCanvas* Canvas)
{
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->Brush().SetColor(FColorOfBackGround);
    Canvas->FillRect(TRect(0, 0, FScreen.width(), FScreen.height()));
    for (const auto& shape : FShapes)
        if (!shape->HasParentShape() && IsVisibleLayerByID(shape->LayerId()))
            ForShapeTree(shape.get(), true, [Canvas](TMyShape* s) {
                if (s->Visible())
                    s->Draw(Canvas);
            });
}
