// TCustomInspector: the mouse (selecting rows, expanding them, dragging the splitter),
// the keyboard (on the list and in its editors), and the events that move the child
// controls.
#include "inspector/InspCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool TCustomInspector::OnGlyph(int row, int x)
{
    const int level = std::max(GetLevel(row), 0);
    const int indent = FPaintStyle == psTree ? GetIndent() + 2 : GetIndent();
    return x >= level * indent && x <= (level + 1) * indent + 2;
}

void TCustomInspector::ToggleRow(int row)
{
    switch (GetExpandState(row)) {
    case esExpand: {
        const int before = ItemCount();
        Expand(row);
        const int added = ItemCount() - before;
        if (added > 0) {
            // Show the new children, keeping the row itself in view.
            EnsureVisible(std::min(row + added, ItemCount() - 1));
            EnsureVisible(row);
        }
        break;
    }
    case esCollapse: Collapse(row); break;
    case esNone: break;
    }
    viewport()->update();
}

bool TCustomInspector::EditorKey(QKeyEvent* event)
{
    const int row = FItemIndex;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    if (row < 0 || row >= ItemCount())
        return false;
    if ((key == Qt::Key_Down || IsEnter(key)) && mods.testFlag(Qt::AltModifier)) {
        if (GetButtonType(row) == btDropDown)
            DropDown();
        return true;
    }
    switch (key) {
    case Qt::Key_Up: MoveSelection(-1); return true;
    case Qt::Key_Down: MoveSelection(1); return true;
    case Qt::Key_PageUp: MoveSelection(-VisibleRowCount()); return true;
    case Qt::Key_PageDown: MoveSelection(VisibleRowCount()); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods.testFlag(Qt::ControlModifier)) {
            if (GetButtonType(row) == btDialog)
                ItemAction(row, iaDoubleClick);
        } else {
            ApplyChanges();
            Update();
        }
        return true;
    case Qt::Key_Escape:
        IgnoreChanges();
        Update();
        return true;
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !mods.testFlag(Qt::ControlModifier)) {
        bool valid = true;
        if (OnValidateChar)
            OnValidateChar(this, row, text.at(0), valid);
        if (!valid) {
            QApplication::beep();
            return true;
        }
    }
    return false;
}

void TCustomInspector::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Home: SetSelectionPos(0); return;
    case Qt::Key_End: SetSelectionPos(ItemCount() - 1); return;
    default: break;
    }
    if (EditorKey(event))
        return;
    // Letters and digits typed on the list itself go nowhere.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isLetterOrNumber())
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void TCustomInspector::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    setFocus();
    if (std::abs(pos.x() - FSplitter) <= 2) {
        FDragKind = dkSplitter;
        FSplitterDragPos = ClampSplitter(pos.x());
        viewport()->update();
        return;
    }
    const int row = RowAt(pos.y());
    if (row < 0)
        return;
    if (GetExpandState(row) != esNone && OnGlyph(row, pos.x())) {
        ToggleRow(row);
        return;
    }
    SetSelectionPos(row);
    FDragKind = dkItem;
}

void TCustomInspector::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (FDragKind == dkSplitter) {
        FSplitterDragPos = ClampSplitter(pos.x());
        viewport()->update();
        return;
    }
    if (FDragKind == dkItem && event->buttons().testFlag(Qt::LeftButton)) {
        int row = -1;
        if (pos.y() < 0)
            row = FItemIndex - 1; // above the visible rows: one row up
        else if (pos.y() >= viewport()->height())
            row = FItemIndex + 1;
        else
            row = RowAt(pos.y());
        if (row >= 0 && row < ItemCount() && row != FItemIndex)
            SetSelectionPos(row);
        return;
    }
    if (std::abs(pos.x() - FSplitter) <= 2)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

void TCustomInspector::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (FDragKind == dkSplitter) {
        FDragKind = dkNone;
        FSplitter = FSplitterDragPos;
        FSplitterDragPos = -1;
        PlaceControls();
        viewport()->update();
        return;
    }
    if (FDragKind != dkItem)
        return;
    FDragKind = dkNone;
    // The editor placed under the mouse by the press gets the click.
    if (!FCheckBox->isHidden() && FCheckBox->geometry().contains(pos) && FCheckBox->isEnabled()) {
        FCheckBox->click();
    } else if (!FEdit->isHidden() && FEdit->geometry().contains(pos)) {
        FEdit->setFocus();
        FEdit->setCursorPosition(FEdit->cursorPositionAt(pos - FEdit->pos()));
    }
}

void TCustomInspector::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int row = RowAt(pos.y());
    if (row < 0)
        return;
    if (pos.x() < FSplitter) {
        // The press before already toggled a row whose glyph was hit.
        if (!OnGlyph(row, pos.x()))
            ToggleRow(row);
        return;
    }
    if (FEdit->isHidden() && FCheckBox->isHidden())
        ItemAction(row, iaDoubleClick);
}

void TCustomInspector::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!FEdit->isHidden()) {
        FEdit->setFocus();
        if (!FEdit->isModified())
            FEdit->selectAll(); // the value shows selected again, as when it was placed
    }
    else if (!FCheckBox->isHidden())
        FCheckBox->setFocus();
}

void TCustomInspector::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
    PlaceControls();
}

void TCustomInspector::scrollContentsBy(int, int)
{
    viewport()->update();
    PlaceControls();
}

void TCustomInspector::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
        PlaceControls();
        viewport()->update();
    }
}
