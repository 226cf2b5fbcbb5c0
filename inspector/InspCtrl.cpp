// TCustomInspector: rows, selection, the child controls and applying edits. The row
// interface's defaults are in InspCtrlDefaults.cpp, painting in InspCtrlPaint.cpp,
// mouse and keyboard in InspCtrlInput.cpp.
#include "inspector/InspCtrl.h"

#include "inspector/InspGlyphs.h"
#include "platform/UIServices.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <exception>

TCustomInspector::TCustomInspector(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    FEdit = new TInspectorEdit(this, viewport());
    FCheckBox = new TInspectorCheckBox(this, viewport());
    FButton = new TInspectorButton(this, viewport());
    FPopup = new TInspectorPopup(this, this);
    FEdit->hide();
    FCheckBox->hide();
    FButton->hide();
    FPopup->hide();
    FExpandGlyph = InspectorGlyph(true, clWindow);
    FCollapseGlyph = InspectorGlyph(false, clWindow);
    UpdateRowHeight();
}

TCustomInspector::~TCustomInspector()
{
    // The drop-down reports its closing to the control: it goes while the control is
    // still whole, not among the children freed after it.
    delete FPopup;
    FPopup = nullptr;
}

// ---- Rows -----------------------------------------------------------------------------

void TCustomInspector::SetItemCount(int value)
{
    if (value == ItemCount())
        return;
    RebuildItems(value);
}

void TCustomInspector::RebuildItems(int count)
{
    FlushPendingEdit();
    CloseUp(false);
    count = std::max(count, 0);
    FItems.assign(size_t(count), TItem());
    for (int i = 0; i < count; ++i) {
        FItems[size_t(i)].Name = GetName(i);
        FItems[size_t(i)].Data = GetData(i);
    }
    FItemIndex = -1;
    UpdateScrollBar();
    if (count > 0)
        SetSelectionPos(std::clamp(GetDefaultIndex(), 0, count - 1));
    else
        PlaceControls();
    viewport()->update();
}

QString TCustomInspector::ItemName(int row) const
{
    return row >= 0 && row < ItemCount() ? FItems[size_t(row)].Name : QString();
}

void* TCustomInspector::ItemData(int row) const
{
    return row >= 0 && row < ItemCount() ? FItems[size_t(row)].Data : nullptr;
}

// ---- Look -----------------------------------------------------------------------------

void TCustomInspector::SetSplitter(int value)
{
    value = std::max(value, 0);
    if (FSplitter == value)
        return;
    FSplitter = value;
    PlaceControls();
    viewport()->update();
}

void TCustomInspector::SetPaintStyle(TPaintStyle value)
{
    if (FPaintStyle == value)
        return;
    FPaintStyle = value;
    viewport()->update();
}

void TCustomInspector::SetCheckBoxes(bool value)
{
    if (FCheckBoxes == value)
        return;
    FCheckBoxes = value;
    PlaceControls();
    viewport()->update();
}

void TCustomInspector::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    viewport()->update();
}

int TCustomInspector::ClampSplitter(int x) const
{
    return std::max(32, std::min(x, viewport()->width() - 48));
}

void TCustomInspector::UpdateRowHeight()
{
    const int fontHeight = QFontInfo(font()).pixelSize();
    FRowHeight = std::max(1, fontHeight * 3 / 2);
    UpdateScrollBar();
}

int TCustomInspector::TopRow() const
{
    return verticalScrollBar()->value();
}

void TCustomInspector::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

int TCustomInspector::VisibleRowCount() const
{
    return std::max(1, viewport()->height() / FRowHeight);
}

void TCustomInspector::UpdateScrollBar()
{
    const int visible = VisibleRowCount();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, ItemCount() - visible));
    bar->setPageStep(visible);
    bar->setSingleStep(1);
}

QRect TCustomInspector::ItemRect(int row) const
{
    if (row < 0 || row >= ItemCount())
        return QRect();
    const int y = (row - TopRow()) * FRowHeight;
    if (y + FRowHeight <= 0 || y >= viewport()->height())
        return QRect();
    return QRect(0, y, viewport()->width(), FRowHeight);
}

int TCustomInspector::RowAt(int y) const
{
    if (y < 0)
        return -1;
    const int row = TopRow() + y / FRowHeight;
    return row < ItemCount() ? row : -1;
}

void TCustomInspector::EnsureVisible(int row)
{
    if (row < 0 || row >= ItemCount())
        return;
    const int top = TopRow();
    const int visible = VisibleRowCount();
    if (row < top)
        SetTopRow(row);
    else if (row >= top + visible)
        SetTopRow(row - visible + 1);
}

// ---- Updating -------------------------------------------------------------------------

void TCustomInspector::Update()
{
    if (Locked())
        return;
    CloseUp(false);
    if (FFullUpdate || FItemIndex < 0) {
        viewport()->update();
    } else {
        // The selected row's value cell is under its editor.
        QRegion region(viewport()->rect());
        const QRect row = ItemRect(FItemIndex);
        if (!row.isEmpty() && (!FEdit->isHidden() || !FCheckBox->isHidden()))
            region -= QRect(FSplitter + 1, row.top(), row.width() - FSplitter - 1, row.height());
        viewport()->update(region);
    }
    FFullUpdate = false;
    PlaceControls();
    Updated();
    if (OnUpdate)
        OnUpdate(this);
}

void TCustomInspector::Unlock()
{
    if (FLockCount > 0)
        --FLockCount;
}

// ---- Selection and child controls -----------------------------------------------------

void TCustomInspector::SetSelectionPos(int row)
{
    if (ItemCount() == 0)
        row = -1;
    else
        row = std::clamp(row, 0, ItemCount() - 1);
    const int old = FItemIndex;
    if (old == row) {
        EnsureVisible(row);
        return;
    }
    if (old >= 0 && old < ItemCount()) {
        DeselectItem(old);
        if (!GetReadOnly(old) && GetAutoApply(old))
            ApplyChanges();
        // Applying may have rebuilt the rows.
        if (row >= ItemCount())
            row = ItemCount() - 1;
    }
    FItemIndex = row;
    EnsureVisible(row);
    PlaceControls();
    viewport()->update();
    if (row >= 0) {
        SelectItem(row);
        if (OnSelect)
            OnSelect(this, row);
    }
}

void TCustomInspector::MoveSelection(int delta)
{
    if (ItemCount() == 0)
        return;
    SetSelectionPos(std::clamp(std::max(FItemIndex, 0) + delta, 0, ItemCount() - 1));
}

bool TCustomInspector::UsesCheckBox(int row)
{
    return FCheckBoxes && GetInplaceEditorType(row) == ieCheckBox;
}

bool TCustomInspector::NamesTrue(const QString& value)
{
    return value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

bool TCustomInspector::ViewportFocused() const
{
    return hasFocus() || viewport()->hasFocus() || FEdit->hasFocus() || FCheckBox->hasFocus() || FButton->hasFocus();
}

void TCustomInspector::PlaceControls()
{
    if (FPlacing)
        return;
    FPlacing = true;
    const bool focused = ViewportFocused();
    const int row = FItemIndex;
    const QRect r = ItemRect(row);
    if (r.isEmpty()) {
        FButton->hide();
        FEdit->hide();
        FCheckBox->hide();
        if (focused && !hasFocus())
            setFocus();
        FPlacing = false;
        return;
    }
    const TButtonType buttonType = GetButtonType(row);
    int right = r.right() + 1;
    if (buttonType != btNone) {
        const int side = FRowHeight - 1;
        FButton->SetButtonType(buttonType);
        FButton->setGeometry(right - side, r.top(), side, side);
        FButton->show();
        right -= side;
    } else {
        FButton->hide();
    }
    const QRect area(QPoint(FSplitter + 3 + GetValueIndent(row), r.top() + 1), QPoint(right - 2, r.bottom() - 1));
    const TInplaceEditorType editorType = GetInplaceEditorType(row);
    const bool check = editorType == ieCheckBox && FCheckBoxes;
    const bool edit = editorType == ieEdit || (editorType == ieCheckBox && !FCheckBoxes);
    const QString value = GetValue(row);
    const bool readOnly = GetReadOnly(row);
    if (edit) {
        FEdit->setGeometry(area);
        FEdit->setFont(GetValueFont(row));
        QPalette palette = FEdit->palette();
        palette.setColor(QPalette::Text, ToQColor(GetValueColor(row)));
        palette.setColor(QPalette::Base, ToQColor(clWindow));
        FEdit->setPalette(palette);
        const int maxLength = GetMaxLength(row);
        FEdit->setMaxLength(maxLength > 0 ? maxLength : 32767);
        FEdit->setReadOnly(readOnly);
        FEdit->setText(value);
        FEdit->setModified(false);
        FEdit->selectAll();
        FEdit->show();
    } else {
        FEdit->hide();
    }
    if (check) {
        FCheckBox->setGeometry(area);
        FCheckBox->setChecked(NamesTrue(value));
        FCheckBox->setEnabled(!readOnly);
        FCheckBox->show();
    } else {
        FCheckBox->hide();
    }
    if (focused) {
        if (edit)
            FEdit->setFocus();
        else if (check)
            FCheckBox->setFocus();
        else if (!hasFocus())
            setFocus();
    }
    FPlacing = false;
}

// ---- Editing --------------------------------------------------------------------------

bool TCustomInspector::SafeSetValue(int row, const QString& value)
{
    try {
        SetValue(row, value);
        return true;
    } catch (const std::exception& e) {
        ShowMessage(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowMessage(QStringLiteral("Invalid property value."));
    }
    return false;
}

bool TCustomInspector::SafeCallEditor(int row, bool& changed)
{
    changed = false;
    try {
        changed = CallEditor(row);
        return true;
    } catch (const std::exception& e) {
        ShowMessage(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowMessage(QStringLiteral("Invalid property value."));
    }
    return false;
}

void TCustomInspector::ApplyChanges()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount() || FEdit->isHidden() || !FEdit->isModified())
        return;
    const QString text = FEdit->text();
    FEdit->setModified(false);
    if (OnChangeValue)
        OnChangeValue(this, row, text, true);
    if (!SafeSetValue(row, text))
        IgnoreChanges(); // the row keeps its value
    if (!FEdit->isHidden() && ViewportFocused())
        FEdit->setFocus();
}

void TCustomInspector::IgnoreChanges()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount())
        return;
    const QString value = GetValue(row);
    if (!FEdit->isHidden()) {
        FEdit->setText(value);
        FEdit->setModified(false);
        FEdit->selectAll();
    }
    if (!FCheckBox->isHidden())
        FCheckBox->setChecked(NamesTrue(value));
}

void TCustomInspector::SetEditedText(const QString& text)
{
    FEdit->setText(text);
    FEdit->setModified(true);
    FEdit->selectAll();
}

void TCustomInspector::FlushPendingEdit()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount() || FEdit->isHidden() || !FEdit->isModified())
        return;
    if (!GetReadOnly(row) && GetAutoApply(row))
        ApplyChanges();
    FEdit->setModified(false); // dropped when the row does not apply by itself
}

void TCustomInspector::ItemAction(int row, TItemAction)
{
    if (row < 0 || row >= ItemCount())
        return;
    bool allow = true;
    if (OnValueDoubleClick)
        OnValueDoubleClick(this, row, allow);
    if (!allow)
        return;
    bool changed = false;
    if (GetEnableExternalEditor(row)) {
        SafeCallEditor(row, changed);
    } else if (!GetReadOnly(row)) {
        const QString next = GetNextValue(row);
        if (OnChangeValue)
            OnChangeValue(this, row, next, false);
        changed = SafeSetValue(row, next);
    }
    if (changed)
        Update();
    viewport()->update();
}

// ---- Drop-down ------------------------------------------------------------------------

bool TCustomInspector::DroppedDown() const
{
    return FPopup && FPopup->isVisible();
}

void TCustomInspector::DropDown()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount() || GetButtonType(row) != btDropDown)
        return;
    QStringList values;
    GetValuesList(row, values);
    if (GetSortValuesList(row))
        values.sort(Qt::CaseInsensitive);
    FPopup->SetRow(row);
    FPopup->clear();
    FPopup->setFont(GetValueFont(row));
    FPopup->addItems(values);
    const int count = int(values.size());
    const int rows = std::clamp(count, 1, 8);
    const int height = FRowHeight * rows + 2;
    int width = 0;
    for (const QString& v : values)
        width = std::max(width, GetPopupItemWidth(row, v));
    width += 6;
    if (count > rows) {
        width += FPopup->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        FPopup->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        FPopup->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    width = std::max(width, viewport()->width() - FSplitter);
    const QRect r = ItemRect(row);
    QPoint topLeft = viewport()->mapToGlobal(QPoint(FSplitter, r.bottom() + 1 - 2));
    const int controlRight = viewport()->mapToGlobal(QPoint(viewport()->width(), 0)).x();
    if (topLeft.x() + width > controlRight)
        topLeft.rx() = std::max(controlRight - width, viewport()->mapToGlobal(QPoint(0, 0)).x());
    if (const QScreen* s = screen()) {
        if (topLeft.y() + height > s->geometry().bottom() + 1)
            topLeft.ry() = viewport()->mapToGlobal(r.topLeft()).y() - height;
    }
    FPopup->setGeometry(QRect(topLeft, QSize(width, height)));
    const QString selected = GetSelectedValue(row);
    for (int i = 0; i < count; ++i) {
        if (values[i] == selected) {
            FPopup->setCurrentRow(i);
            FPopup->scrollToItem(FPopup->item(i));
            break;
        }
    }
    FPopup->show();
    FPopup->setFocus();
}

void TCustomInspector::CloseUp(bool accept)
{
    if (!FPopup || FPopup->isHidden())
        return;
    const QListWidgetItem* item = FPopup->currentItem();
    const QString text = item ? item->text() : QString();
    const bool chosen = accept && item;
    FPopup->hide();
    if (chosen)
        PopupAccepted(text);
}

void TCustomInspector::PopupAccepted(const QString& text)
{
    const int row = FPopup->Row();
    if (row != FItemIndex || row < 0 || row >= ItemCount())
        return;
    if (OnChangeValue)
        OnChangeValue(this, row, text, true);
    SafeSetValue(row, text);
    Update();
    if (!FEdit->isHidden())
        FEdit->setFocus();
}

void TCustomInspector::PopupClosed()
{
    if (!FEdit->isHidden() && isVisible())
        FEdit->setFocus();
}

// ---- Child control callbacks ----------------------------------------------------------

void TCustomInspector::CheckBoxClicked()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount())
        return;
    const QString text = FCheckBox->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    if (OnChangeValue)
        OnChangeValue(this, row, text, true);
    SafeSetValue(row, text);
    Update();
}

void TCustomInspector::ButtonClicked()
{
    const int row = FItemIndex;
    if (row < 0 || row >= ItemCount())
        return;
    switch (FButton->ButtonType()) {
    case btDropDown:
        if (DroppedDown())
            CloseUp(false);
        else
            DropDown();
        break;
    case btDialog: ItemAction(row, iaButtonClick); break;
    case btUpDown:
    case btNone: break;
    }
}

void TCustomInspector::ButtonDragged(int offset)
{
    const int row = FItemIndex;
    if (row >= 0 && row < ItemCount())
        DragValue(row, offset);
}

void TCustomInspector::EditorDoubleClicked()
{
    ItemAction(FItemIndex, iaDoubleClick);
}
