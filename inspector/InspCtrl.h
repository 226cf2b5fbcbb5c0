#pragma once
// TCustomInspector: a two-column property grid, names on the left, values on the right,
// a movable splitter between them. It knows nothing about where its rows come from:
// every fact about a row (name, value, level, whether it expands, its in-place editor
// and button, fonts and colours) is asked for through a virtual operation whose default
// raises the event of the same name. TCommonInspector is the control to use with those
// events; TCustomComponentInspector overrides the operations to show the published
// properties of drawing objects.
//
// The grid paints its rows itself and owns the child controls placed over the selected
// row: an in-place edit, an in-place check box, a small button and a drop-down list.
// Whatever the user applies (Enter, leaving the row, a drop-down choice, an editor
// button, a double click) goes through SetValue or CallEditor; a failure there is shown
// as a message and the row keeps its value, so no exception leaves the control.
#include "mycad_export.h"
#include "inspector/InspEditors.h"
#include "inspector/InspTypes.h"

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QPointer>

#include <vector>

class MYCAD_EXPORT TCustomInspector : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int Splitter READ Splitter WRITE SetSplitter)
    Q_PROPERTY(InspEnums::TPaintStyle PaintStyle READ PaintStyle WRITE SetPaintStyle)
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE SetCheckBoxes)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)

public:
    explicit TCustomInspector(QWidget* parent = nullptr);
    ~TCustomInspector() override;

    // ---- Rows --------------------------------------------------------------------------
    int ItemCount() const { return int(FItems.size()); }
    // Rebuilds the rows (names and data asked for again) and selects GetDefaultIndex();
    // setting the same count does nothing.
    void SetItemCount(int value);
    // Rebuilds the rows even when their number stays.
    void RebuildItems(int count);
    // The name and the data attached to a row when the rows were built.
    QString ItemName(int row) const;
    void* ItemData(int row) const;
    // The selected row, -1 for none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value) { SetSelectionPos(value); }

    // ---- Look --------------------------------------------------------------------------
    int Splitter() const { return FSplitter; }
    void SetSplitter(int value);
    TPaintStyle PaintStyle() const { return FPaintStyle; }
    void SetPaintStyle(TPaintStyle value);
    bool CheckBoxes() const { return FCheckBoxes; }
    void SetCheckBoxes(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // |font height| x 3 / 2.
    int RowHeight() const { return FRowHeight; }
    // The first row shown and the number of rows that fit.
    int TopRow() const;
    void SetTopRow(int row);
    int VisibleRowCount() const;
    // The rectangle of a row in the viewport (empty when not shown).
    QRect ItemRect(int row) const;
    // The row at a viewport y, -1 below the last row.
    int RowAt(int y) const;
    // The splitter is kept within 32 ... client width - 48 when dragged.
    int ClampSplitter(int x) const;

    // ---- Updating ----------------------------------------------------------------------
    // Unless locked: closes the drop-down, repaints, re-places the child controls and
    // raises OnUpdate.
    void Update();
    // The next Update repaints everything.
    void FullUpdateNeeded() { FFullUpdate = true; }
    void Lock() { ++FLockCount; }
    void Unlock();
    bool Locked() const { return FLockCount > 0; }

    // ---- Editing -----------------------------------------------------------------------
    // Applies a modified edit of the selected row through SetValue.
    void ApplyChanges();
    // Reloads the editor of the selected row from GetValue.
    void IgnoreChanges();
    // Puts text into the edit as if typed and selects it.
    void SetEditedText(const QString& text);
    // Before rows change: a modified edit of the selected row is applied when the row
    // applies automatically, otherwise dropped.
    void FlushPendingEdit();
    // The double-click action of a row: the external editor or the next value.
    void ItemAction(int row, TItemAction action);
    // Opens and closes the drop-down list of the selected row.
    void DropDown();
    void CloseUp(bool accept);
    bool DroppedDown() const;

    TInspectorEdit* Editor() const { return FEdit; }
    TInspectorCheckBox* CheckBox() const { return FCheckBox; }
    TInspectorButton* Button() const { return FButton; }
    TInspectorPopup* Popup() const { return FPopup; }

    // ---- Row interface (defaults raise the events) -------------------------------------
    virtual QString GetName(int TheIndex);
    virtual QString GetValue(int TheIndex);
    virtual QString GetNextValue(int TheIndex);
    virtual void SetValue(int TheIndex, const QString& Value);
    // A drag of the up-down button by Offset pixels (upward positive).
    virtual void DragValue(int TheIndex, int Offset);
    virtual TButtonType GetButtonType(int TheIndex);
    virtual TInplaceEditorType GetInplaceEditorType(int TheIndex);
    virtual int GetMaxLength(int TheIndex);
    virtual bool GetEnableExternalEditor(int TheIndex);
    virtual bool GetReadOnly(int TheIndex);
    virtual TExpandState GetExpandState(int TheIndex);
    virtual int GetLevel(int TheIndex);
    virtual void* GetData(int TheIndex);
    virtual void GetValuesList(int TheIndex, QStringList& Values);
    virtual bool GetSortValuesList(int TheIndex);
    virtual QString GetSelectedValue(int TheIndex);
    virtual bool GetAutoApply(int TheIndex);
    virtual QFont GetNameFont(int TheIndex);
    virtual TColor GetNameColor(int TheIndex);
    virtual QFont GetValueFont(int TheIndex);
    virtual TColor GetValueColor(int TheIndex);
    virtual int GetIndent();
    // True when the editor changed the value.
    virtual bool CallEditor(int TheIndex);
    virtual void Expand(int TheIndex);
    virtual void Collapse(int TheIndex);
    virtual void SelectItem(int TheIndex);
    virtual void DeselectItem(int TheIndex);
    // The row selected after the rows are rebuilt.
    virtual int GetDefaultIndex();
    // The width a drop-down entry needs.
    virtual int GetPopupItemWidth(int TheIndex, const QString& Item);
    // Paints a drop-down entry.
    virtual void PaintPopupItem(int TheIndex, QPainter& Painter, const QRect& Rect, const QString& Item, bool Selected);
    // Room left of a row's value for a small picture (a colour swatch), and its painting.
    virtual int GetValueIndent(int TheIndex);
    virtual void DrawValueGlyph(int TheIndex, QPainter& Painter, const QRect& Rect);

    // ---- Events ------------------------------------------------------------------------
    TInspectorStringEvent OnGetName;
    TInspectorStringEvent OnGetValue;
    TInspectorStringEvent OnGetNextValue;
    TInspectorSetValueEvent OnSetValue;
    TInspectorButtonTypeEvent OnGetButtonType;
    TInspectorEditorTypeEvent OnGetInplaceEditorType;
    TInspectorIntegerEvent OnGetMaxLength;
    TInspectorBooleanEvent OnGetEnableExternalEditor;
    TInspectorBooleanEvent OnGetReadOnly;
    TInspectorExpandStateEvent OnGetExpandState;
    TInspectorIntegerEvent OnGetLevel;
    TInspectorDataEvent OnGetData;
    TInspectorValuesListEvent OnGetValuesList;
    TInspectorBooleanEvent OnGetSortValuesList;
    TInspectorStringEvent OnGetSelectedValue;
    TInspectorBooleanEvent OnGetAutoApply;
    TInspectorFontEvent OnGetNameFont;
    TInspectorColorEvent OnGetNameColor;
    TInspectorFontEvent OnGetValueFont;
    TInspectorColorEvent OnGetValueColor;
    TInspectorCallEditorEvent OnCallEditor;
    TInspectorItemEvent OnExpand;
    TInspectorItemEvent OnCollapse;
    TInspectorItemEvent OnSelectItem;
    TInspectorItemEvent OnDeselectItem;
    TInspectorNotifyEvent OnUpdate;
    TInspectorValidateCharEvent OnValidateChar;
    TInspectorChangeValueEvent OnChangeValue;
    TInspectorDrawCellEvent OnDrawName;
    TInspectorDrawCellEvent OnDrawValue;
    TInspectorDoubleClickEvent OnValueDoubleClick;
    TInspectorItemEvent OnSelect;

    // ---- Used by the child controls ----------------------------------------------------
    // A key in the edit or the check box; true when the inspector handled it.
    bool EditorKey(QKeyEvent* event);
    void EditorDoubleClicked();
    void CheckBoxClicked();
    void ButtonClicked();
    void ButtonDragged(int offset);
    void PopupAccepted(const QString& text);
    void PopupClosed();
    // Paints every visible row (what the viewport shows).
    void PaintRows(QPainter& painter, const QRect& clip);

protected:
    // Called at the end of every Update, before OnUpdate.
    virtual void Updated() {}
    // Changes the selected row: the old row is deselected (its edit applied first when
    // it applies automatically), the new one stored and its controls placed.
    void SetSelectionPos(int row);
    // Places the button, the edit and the check box over the selected row.
    void PlaceControls();
    // SetValue and CallEditor with every failure shown as a message; false on failure.
    bool SafeSetValue(int row, const QString& value);
    bool SafeCallEditor(int row, bool& changed);
    // Whether the row shows the check box.
    bool UsesCheckBox(int row);
    // The x range of a row's expand glyph.
    bool OnGlyph(int row, int x);
    // Default painting of the cells.
    virtual void DrawName(int row, QPainter& painter, const QRect& rect);
    virtual void DrawValue(int row, QPainter& painter, const QRect& rect);
    void DrawSeparators(int row, QPainter& painter, const QRect& rect);
    void DrawGlyph(QPainter& painter, int x, const QRect& rect, TExpandState state);
    // Where a value cell's small picture goes.
    static QRect GlyphRect(const QRect& cell);
    static bool NamesTrue(const QString& value);
    // Expands or collapses a row and keeps the new children in view.
    void ToggleRow(int row);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    struct TItem {
        QString Name;
        void* Data = nullptr;
    };
    void UpdateScrollBar();
    void UpdateRowHeight();
    void EnsureVisible(int row);
    // Moves the selection by delta rows, keeping it in range.
    void MoveSelection(int delta);
    bool ViewportFocused() const;

    std::vector<TItem> FItems;
    int FItemIndex = -1;
    int FSplitter = 100;
    TPaintStyle FPaintStyle = psClassic;
    bool FCheckBoxes = false;
    TColor FColor = clBtnFace;
    int FLockCount = 0;
    bool FFullUpdate = false;
    TDragKind FDragKind = dkNone;
    int FSplitterDragPos = -1;
    int FRowHeight = 16;
    QPixmap FExpandGlyph;
    QPixmap FCollapseGlyph;
    bool FPlacing = false;

    TInspectorEdit* FEdit;
    TInspectorCheckBox* FCheckBox;
    TInspectorButton* FButton;
    TInspectorPopup* FPopup;
};

// The inspector control whose rows are supplied by its events.
class MYCAD_EXPORT TCommonInspector : public TCustomInspector {
    Q_OBJECT
public:
    explicit TCommonInspector(QWidget* parent = nullptr) : TCustomInspector(parent) {}
};
