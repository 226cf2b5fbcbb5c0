#include "inspector/InspEditors.h"

#include "inspector/InspCtrl.h"
#include "inspector/InspGlyphs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

// ---- Edit -----------------------------------------------------------------------------

TInspectorEdit::TInspectorEdit(TCustomInspector* inspector, QWidget* parent) : QLineEdit(parent), FInspector(inspector)
{
    setFrame(false);
}

void TInspectorEdit::keyPressEvent(QKeyEvent* event)
{
    if (FInspector->EditorKey(event))
        return;
    QLineEdit::keyPressEvent(event);
}

void TInspectorEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    FInspector->EditorDoubleClicked();
}

// ---- Check box ------------------------------------------------------------------------

TInspectorCheckBox::TInspectorCheckBox(TCustomInspector* inspector, QWidget* parent) : QCheckBox(parent), FInspector(inspector)
{
    connect(this, &QCheckBox::clicked, this, [this] { FInspector->CheckBoxClicked(); });
}

void TInspectorCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (FInspector->EditorKey(event))
        return;
    QCheckBox::keyPressEvent(event);
}

// ---- Button ---------------------------------------------------------------------------

TInspectorButton::TInspectorButton(TCustomInspector* inspector, QWidget* parent) : QAbstractButton(parent), FInspector(inspector)
{
    setFocusPolicy(Qt::NoFocus);
    // A click on the button while the drop-down is open only closes the list.
    setAttribute(Qt::WA_NoMouseReplay);
    connect(this, &QAbstractButton::clicked, this, [this] { FInspector->ButtonClicked(); });
}

void TInspectorButton::SetButtonType(TButtonType value)
{
    if (FButtonType == value)
        return;
    FButtonType = value;
    update();
}

void TInspectorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, ToQColor(clBtnFace));
    const bool down = isDown() || FDragging;
    p.setPen(ToQColor(down ? clBtnShadow : clBtnHighlight));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(ToQColor(down ? clBtnHighlight : clBtnShadow));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(clBtnText));
    const int cx = r.width() / 2;
    const int cy = r.height() / 2;
    switch (FButtonType) {
    case btDropDown: {
        const QPoint arrow[] = {{cx - 3, cy - 1}, {cx + 4, cy - 1}, {cx, cy + 3}};
        p.drawPolygon(arrow, 3);
        break;
    }
    case btUpDown: {
        const QPoint up[] = {{cx - 3, cy - 2}, {cx + 4, cy - 2}, {cx, cy - 6}};
        const QPoint dn[] = {{cx - 3, cy + 2}, {cx + 4, cy + 2}, {cx, cy + 6}};
        p.drawPolygon(up, 3);
        p.drawPolygon(dn, 3);
        break;
    }
    case btDialog:
        for (int i = -1; i <= 1; ++i)
            p.drawRect(cx + i * 3 - 1, cy + 2, 2, 2);
        break;
    case btNone: break;
    }
}

void TInspectorButton::mousePressEvent(QMouseEvent* event)
{
    if (FButtonType == btUpDown && event->button() == Qt::LeftButton) {
        FDragging = true;
        setCursor(UpDownCursor());
        update();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void TInspectorButton::mouseMoveEvent(QMouseEvent* event)
{
    if (FDragging) {
        FInspector->ButtonDragged(height() / 2 - int(event->position().y()));
        return;
    }
    QAbstractButton::mouseMoveEvent(event);
}

void TInspectorButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (FDragging) {
        FDragging = false;
        unsetCursor();
        update();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

// ---- Drop-down list -------------------------------------------------------------------

namespace {

// Entries painted by the inspector (colour rows draw a swatch), one row high each.
class TPopupDelegate : public QStyledItemDelegate {
public:
    TPopupDelegate(TInspectorPopup* popup, TCustomInspector* inspector) : QStyledItemDelegate(popup), FPopup(popup), FInspector(inspector) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        FInspector->PaintPopupItem(FPopup->Row(), *painter, option.rect, index.data().toString(),
                                   option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return QSize(FInspector->GetPopupItemWidth(FPopup->Row(), index.data().toString()), FInspector->RowHeight());
    }

private:
    TInspectorPopup* FPopup;
    TCustomInspector* FInspector;
};

} // namespace

TInspectorPopup::TInspectorPopup(TCustomInspector* inspector, QWidget* parent) : QListWidget(parent), FInspector(inspector)
{
    setWindowFlags(Qt::Popup);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new TPopupDelegate(this, inspector));
}

void TInspectorPopup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FInspector->CloseUp(true);
        return;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        FInspector->CloseUp(false);
        return;
    default: break;
    }
    QListWidget::keyPressEvent(event);
}

void TInspectorPopup::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (QListWidgetItem* item = itemAt(event->position().toPoint())) {
        setCurrentItem(item);
        FInspector->CloseUp(true);
    }
}

void TInspectorPopup::hideEvent(QHideEvent* event)
{
    QListWidget::hideEvent(event);
    FInspector->PopupClosed();
}
