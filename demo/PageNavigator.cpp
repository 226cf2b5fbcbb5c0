#include "PageNavigator.h"

#include "ZoomMath.h"

#include <CAD.h>
#include <controls/ruler/RsRuler.h>

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cmath>

namespace {

// The dotted red rectangle of a zoom gesture, drawn over the page in xor mode so that it
// shows on any colour; it lets the mouse through to the page.
class TZoomBand : public QWidget {
public:
    TZoomBand(QWidget* page, const TPageNavigator& navigator) : QWidget(page), FNavigator(navigator)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QRect band = FNavigator.BandRect();
        if (band.isEmpty())
            return;
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band);
    }

private:
    const TPageNavigator& FNavigator;
};

} // namespace

TPageNavigator::TPageNavigator(TMyCAD* Cad, QScrollArea* Box, TRsRuler* Top, TRsRuler* Left, QComboBox* ZoomBox,
                               QObject* Parent)
    : QObject(Parent), FCad(Cad), FBox(Box), FTop(Top), FLeft(Left), FZoomBox(ZoomBox)
{
    FBand = new TZoomBand(Cad, *this);
    Cad->installEventFilter(this);
    FViewport = FBox->viewport();
    FViewport->installEventFilter(this);
    connect(FBox->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { SyncRulers(); });
    connect(FBox->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { SyncRulers(); });
    if (FZoomBox) {
        FZoomBox->addItems(ZoomMath::ZoomBoxItems());
        FZoomBox->setCurrentText(QStringLiteral("100%"));
        connect(FZoomBox, &QComboBox::textActivated, this, [this](const QString& item) {
            const double zoom = ZoomMath::ZoomOfItem(item);
            if (zoom > 0)
                SetZoom(zoom);
            else
                ShowZoomText(FCad->Zoom());
        });
    }
}

QPoint TPageNavigator::Edges() const
{
    return FCad->pos();
}

void TPageNavigator::SetEdges(QPoint Edges)
{
    // The scroll area places a page that fits by its alignment (centred); one that does
    // not is placed by the scroll bars, whose value is minus the edge.
    FBox->horizontalScrollBar()->setValue(-Edges.x());
    FBox->verticalScrollBar()->setValue(-Edges.y());
    SyncRulers();
}

void TPageNavigator::Centre()
{
    const QSize box = FBox->viewport()->size();
    SetEdges({ZoomMath::CentredEdge(box.width(), FCad->width()), ZoomMath::CentredEdge(box.height(), FCad->height())});
}

void TPageNavigator::SyncRulers()
{
    const double zoom = FCad->Zoom();
    const QPoint edges = Edges();
    for (TRsRuler* ruler : {FTop, FLeft}) {
        if (!ruler)
            continue;
        ruler->SetScale(ZoomMath::ZoomPercent(zoom));
        ruler->SetOffset(-(ruler == FTop ? edges.x() : edges.y()) / zoom);
    }
}

void TPageNavigator::TrackMouse(int X, int Y)
{
    const QPoint edges = Edges();
    if (FTop)
        FTop->SetHairLinePos(X + edges.x());
    if (FLeft)
        FLeft->SetHairLinePos(Y + edges.y());
}

double TPageNavigator::SetZoom(double Zoom)
{
    const double zoom = ZoomMath::ClampZoom(Zoom, int(std::lround(FCad->width() / FCad->Zoom())),
                                            int(std::lround(FCad->height() / FCad->Zoom())));
    FCad->SetZoom(zoom);
    Centre();
    ShowZoomText(zoom);
    return zoom;
}

void TPageNavigator::FitPage()
{
    const QSize box = FBox->viewport()->size();
    const double w = FCad->width() / FCad->Zoom();
    const double h = FCad->height() / FCad->Zoom();
    if (w <= 0 || h <= 0)
        return;
    SetZoom(std::min((box.width() - 2) / w, (box.height() - 2) / h));
}

void TPageNavigator::ZoomAbout(double Factor, int X, int Y)
{
    const double zoom = FCad->Zoom();
    const QPoint edges = Edges();
    const QPoint cursor(X + edges.x(), Y + edges.y());
    const double next = ZoomMath::ClampZoom(zoom * Factor, int(std::lround(FCad->width() / zoom)),
                                            int(std::lround(FCad->height() / zoom)));
    if (next == zoom)
        return;
    FCad->SetZoom(next);
    const QSize box = FBox->viewport()->size();
    SetEdges({ZoomMath::EdgeKeepingPoint(box.width(), FCad->width(), X, cursor.x(), zoom, next),
              ZoomMath::EdgeKeepingPoint(box.height(), FCad->height(), Y, cursor.y(), zoom, next)});
    ShowZoomText(next);
}

bool TPageNavigator::Press(int X, int Y, TGesture Gesture)
{
    if (Gesture == TGesture::None)
        return false;
    FActive = Gesture;
    FPress = FCorner = QPoint(X, Y);
    FCad->SetShapeTool(SpClose);
    if (Gesture != TGesture::Pan) {
        FBand->setGeometry(FCad->rect());
        FBand->show();
        FBand->raise();
    }
    return true;
}

void TPageNavigator::Move(int X, int Y)
{
    if (FActive == TGesture::ZoomIn || FActive == TGesture::ZoomOut) {
        FCorner = QPoint(X, Y);
        FBand->update();
    } else if (FActive == TGesture::Pan) {
        const QSize box = FBox->viewport()->size();
        const QPoint edges = Edges();
        SetEdges({ZoomMath::PannedEdge(edges.x(), X - FPress.x(), box.width(), FCad->width()),
                  ZoomMath::PannedEdge(edges.y(), Y - FPress.y(), box.height(), FCad->height())});
    }
}

void TPageNavigator::Release(int X, int Y)
{
    const TGesture gesture = FActive;
    FActive = TGesture::None;
    FBand->hide();
    if (gesture == TGesture::ZoomIn)
        FinishZoomGesture(1.2, (FPress.x() + X) / 2.0, (FPress.y() + Y) / 2.0);
    else if (gesture == TGesture::ZoomOut)
        FinishZoomGesture(0.8, X, Y);
}

QRect TPageNavigator::BandRect() const
{
    if (FActive != TGesture::ZoomIn && FActive != TGesture::ZoomOut)
        return {};
    return QRect(FPress, FCorner).normalized();
}

void TPageNavigator::FinishZoomGesture(double Factor, double FocusX, double FocusY)
{
    const double zoom = FCad->Zoom();
    const double next = ZoomMath::ClampZoom(zoom * Factor, int(std::lround(FCad->width() / zoom)),
                                            int(std::lround(FCad->height() / zoom)));
    const double factor = next / zoom;
    FCad->SetZoom(next);
    const QSize box = FBox->viewport()->size();
    SetEdges({ZoomMath::GestureEdge(box.width(), FCad->width(), FocusX, factor),
              ZoomMath::GestureEdge(box.height(), FCad->height(), FocusY, factor)});
    ShowZoomText(next);
}

void TPageNavigator::ShowZoomText(double Zoom)
{
    if (!FZoomBox)
        return;
    const QSignalBlocker quiet(FZoomBox);
    FZoomBox->setCurrentText(ZoomMath::ZoomText(Zoom));
}

bool TPageNavigator::eventFilter(QObject* Watched, QEvent* Event)
{
    // The watched widgets are compared by the pointers kept at the start: the scroll box
    // may be half torn down when its viewport's last events arrive.
    if (Watched != FCad && Watched != FViewport)
        return false;
    switch (Event->type()) {
    case QEvent::Move:
        // The scroll area moves the page when it scrolls, resizes or re-centres it.
        if (Watched == FCad)
            SyncRulers();
        return false;
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(Event);
        if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
            return false;
        QPoint at = wheel->position().toPoint();
        if (Watched != FCad)
            at -= Edges();
        ZoomAbout(wheel->angleDelta().y() > 0 ? 1.2 : 1 / 1.2, at.x(), at.y());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        if (Watched != FCad || mouse->button() != Qt::MiddleButton)
            return false;
        // The middle button pans whatever the tool; the drawing does not see it.
        FMiddlePan = true;
        FPress = mouse->position().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        if (Watched != FCad || !FMiddlePan)
            return false;
        const QPoint at = mouse->position().toPoint();
        const QSize box = FBox->viewport()->size();
        const QPoint edges = Edges();
        SetEdges({ZoomMath::PannedEdge(edges.x(), at.x() - FPress.x(), box.width(), FCad->width()),
                  ZoomMath::PannedEdge(edges.y(), at.y() - FPress.y(), box.height(), FCad->height())});
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        if (Watched != FCad || mouse->button() != Qt::MiddleButton || !FMiddlePan)
            return false;
        FMiddlePan = false;
        return true;
    }
    default:
        return false;
    }
}
