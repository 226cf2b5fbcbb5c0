#include "inspector/CompInsp.h"

#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"
#include "inspector/CompCombo.h"
#include "inspector/CompTree.h"
#include "inspector/PropTexts.h"

#include <QPainter>

TCustomComponentInspector::TCustomComponentInspector(QWidget* parent) : TCustomInspector(parent)
{
}

TCustomComponentInspector::~TCustomComponentInspector()
{
    // No row may be read while the control goes.
    Editor()->setModified(false);
    FList.ClearRows();
}

// ---- Root and instances ---------------------------------------------------------------

TMyCAD* TCustomComponentInspector::Root() const
{
    return qobject_cast<TMyCAD*>(FList.Root());
}

void TCustomComponentInspector::SetRoot(QObject* Root)
{
    TMyCAD* cad = qobject_cast<TMyCAD*>(Root);
    if (Root && !cad)
        return; // only a drawing can be the root
    if (cad == FList.Root())
        return;
    FlushPendingEdit();
    FList.SetRoot(cad);
    if (cad)
        Watch(cad);
    RefreshList();
}

bool TCustomComponentInspector::Accepts(QObject* Instance) const
{
    return qobject_cast<TMyCAD*>(Instance) || qobject_cast<TMyShape*>(Instance);
}

QObject* TCustomComponentInspector::Instance() const
{
    const std::vector<QObject*> all = FList.Instances();
    return all.size() == 1 ? all.front() : nullptr;
}

void TCustomComponentInspector::SetInstance(QObject* Instance)
{
    SetInstances(Instance ? std::vector<QObject*>{Instance} : std::vector<QObject*>{});
}

void TCustomComponentInspector::AddInstance(QObject* Instance)
{
    std::vector<QObject*> all = FList.Instances();
    all.push_back(Instance);
    SetInstances(all);
}

void TCustomComponentInspector::DeleteInstance(QObject* Instance)
{
    std::vector<QObject*> all = FList.Instances();
    std::erase(all, Instance);
    SetInstances(all);
}

void TCustomComponentInspector::SetInstances(const std::vector<QObject*>& Instances)
{
    std::vector<QObject*> accepted;
    for (QObject* o : Instances)
        if (o && Accepts(o) && std::find(accepted.begin(), accepted.end(), o) == accepted.end())
            accepted.push_back(o);
    // A pending edit goes to the object it was typed for, before the rows change.
    FlushPendingEdit();
    FList.SetInstances(accepted);
    for (QObject* o : accepted)
        Watch(o);
    RefreshList();
}

void TCustomComponentInspector::Watch(QObject* Instance)
{
    // One connection per object: connecting again replaces nothing, so disconnect first.
    disconnect(Instance, &QObject::destroyed, this, nullptr);
    connect(Instance, &QObject::destroyed, this, [this](QObject* gone) { InstanceDestroyed(gone); });
}

void TCustomComponentInspector::InstanceDestroyed(QObject* Gone)
{
    // The rows go now, without a look at the dying object; the rest is rebuilt once the
    // deletion is over.
    Editor()->setModified(false);
    FList.DropInstance(Gone);
    RebuildItems(0);
    if (!FRefreshQueued) {
        FRefreshQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            FRefreshQueued = false;
            RefreshList();
        }, Qt::QueuedConnection);
    }
}

void TCustomComponentInspector::SetMode(TCompInspMode Mode)
{
    if (FList.Mode == Mode)
        return;
    FlushPendingEdit();
    FList.Mode = Mode;
    RefreshList();
}

// ---- Rows -----------------------------------------------------------------------------

bool TCustomComponentInspector::FilterProperty(TProperty* Prop)
{
    const bool modeMatches = Prop->IsEvent() ? FList.Mode == TCompInspMode::imEvents : FList.Mode == TCompInspMode::imProperties;
    bool accept = modeMatches && (Prop->Kind() == TTypeKind::tkClass || Prop->IsCustom() || (Prop->Readable() && Prop->Writable()));
    if (OnFilter)
        OnFilter(this, Prop, accept);
    return accept;
}

int TCustomComponentInspector::CompareProperties(TProperty* A, TProperty* B)
{
    int result = TPropertyList::CompareByName(A, B);
    if (OnCompare)
        OnCompare(this, A, B, result);
    return result;
}

void TCustomComponentInspector::RefreshList()
{
    FlushPendingEdit();
    FList.BuildLists([this](TProperty* p) { return FilterProperty(p); },
                     [this](TProperty* a, TProperty* b) { return CompareProperties(a, b); });
    if (OnCustomizeInspector)
        OnCustomizeInspector(this);
    RebuildRows();
    FullUpdateNeeded();
    Update();
}

void TCustomComponentInspector::RebuildRows()
{
    FlushPendingEdit();
    FList.BuildRows();
    RebuildItems(FList.RowCount());
}

void TCustomComponentInspector::ClearExpanded()
{
    FList.ClearExpanded();
    RebuildRows();
}

bool TCustomComponentInspector::SelectProperty(const QString& FullName)
{
    const QStringList names = FullName.split(QLatin1Char('.'));
    QString prefix;
    bool opened = false;
    for (int i = 0; i + 1 < names.size(); ++i) {
        prefix += (i ? QStringLiteral(".") : QString()) + names[i];
        if (!FList.IsExpanded(prefix)) {
            FList.AddExpanded(prefix);
            opened = true;
        }
    }
    if (opened)
        RebuildRows();
    const int row = FList.RowOf(FullName);
    if (row < 0)
        return false;
    SetItemIndex(row);
    return true;
}

void TCustomComponentInspector::Updated()
{
    for (const QPointer<TCustomComponentComboBox>& c : FCombos)
        if (c)
            c->InspectorUpdated();
    for (const QPointer<TCustomComponentTree>& t : FTrees)
        if (t)
            t->InspectorUpdated();
}

void TCustomComponentInspector::AttachComboBox(TCustomComponentComboBox* Combo)
{
    std::erase_if(FCombos, [Combo](const QPointer<TCustomComponentComboBox>& c) { return !c || c == Combo; });
    if (Combo)
        FCombos.emplace_back(Combo);
}

void TCustomComponentInspector::AttachTree(TCustomComponentTree* Tree)
{
    std::erase_if(FTrees, [Tree](const QPointer<TCustomComponentTree>& t) { return !t || t == Tree; });
    if (Tree)
        FTrees.emplace_back(Tree);
}

// ---- Row interface --------------------------------------------------------------------

QString TCustomComponentInspector::GetName(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    return p ? p->Name() : QString();
}

QString TCustomComponentInspector::GetValue(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    if (!p)
        return QString();
    const QString text = p->DisplayValue();
    if (FList.ListCount() > 1 && TheIndex != ItemIndex()) {
        // Only what every instance shows alike.
        const QString fullName = p->FullName();
        for (int i = 1; i < FList.ListCount(); ++i) {
            const TProperty* other = FList.PropertyOf(i, fullName);
            if (!other || other->DisplayValue() != text)
                return QString();
        }
    }
    return text;
}

QString TCustomComponentInspector::GetNextValue(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    if (!p)
        return QString();
    QStringList values;
    GetValuesList(TheIndex, values);
    if (GetSortValuesList(TheIndex))
        values.sort(Qt::CaseInsensitive);
    const QString current = p->DisplayValue();
    qsizetype at = values.indexOf(current);
    if (at < 0)
        for (qsizetype i = 0; i < values.size() && at < 0; ++i)
            if (values[i].compare(current, Qt::CaseInsensitive) == 0)
                at = i;
    if (at < 0)
        return current;
    return values[(at + 1) % values.size()];
}

void TCustomComponentInspector::SetValue(int TheIndex, const QString& Value)
{
    TProperty* p = GetProperty(TheIndex);
    if (!p)
        return;
    const QString fullName = p->FullName();
    for (int i = 0; i < FList.ListCount(); ++i)
        if (TProperty* q = FList.PropertyOf(i, fullName))
            q->SetStringValue(Value);
    if (OnChange)
        OnChange(this, p);
}

void TCustomComponentInspector::DragValue(int TheIndex, int Offset)
{
    const TProperty* p = GetProperty(TheIndex);
    if (!p || GetReadOnly(TheIndex) || (p->Kind() != TTypeKind::tkInteger && p->Kind() != TTypeKind::tkInt64))
        return;
    SetEditedText(QString::number(p->OrdValue() + Offset));
}

TButtonType TCustomComponentInspector::GetButtonType(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    if (!p)
        return btNone;
    TButtonType result = btNone;
    if (p->ValueKind() == TValueKind::vkColor) {
        result = btDropDown; // the colour names; the colour dialog opens on a double click
    } else if (GetEditorClass(TheIndex)) {
        result = btDialog;
    } else {
        switch (p->Kind()) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkInt64:
            result = p->ValueKind() == TValueKind::vkPlain ? btUpDown : btDropDown;
            break;
        case TTypeKind::tkMethod: result = btDropDown; break;
        case TTypeKind::tkEnumeration:
            result = GetInplaceEditorType(TheIndex) == ieCheckBox ? btNone : btDropDown;
            break;
        case TTypeKind::tkLString:
        case TTypeKind::tkString:
        case TTypeKind::tkWString:
            if (p->ValueKind() == TValueKind::vkFontName)
                result = btDropDown;
            break;
        case TTypeKind::tkClass:
            if (p->ValueKind() == TValueKind::vkComponent)
                result = btDropDown;
            break;
        default: break;
        }
    }
    if (result != btDialog && GetReadOnly(TheIndex))
        result = btNone;
    if (OnGetButtonType)
        OnGetButtonType(this, TheIndex, result);
    return result;
}

TInplaceEditorType TCustomComponentInspector::GetInplaceEditorType(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    TInplaceEditorType result = p && p->ValueKind() == TValueKind::vkBoolean && CheckBoxes() ? ieCheckBox : ieEdit;
    if (OnGetInplaceEditorType)
        OnGetInplaceEditorType(this, TheIndex, result);
    return result;
}

bool TCustomComponentInspector::GetEnableExternalEditor(int TheIndex)
{
    bool result = bool(GetEditorClass(TheIndex));
    if (OnGetEnableExternalEditor)
        OnGetEnableExternalEditor(this, TheIndex, result);
    return result;
}

bool TCustomComponentInspector::GetReadOnly(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    bool result = !p || !p->Writable() || (p->Kind() == TTypeKind::tkClass && p->ValueKind() != TValueKind::vkComponent);
    if (OnGetReadOnly)
        OnGetReadOnly(this, TheIndex, result);
    return result;
}

TExpandState TCustomComponentInspector::GetExpandState(int TheIndex)
{
    TProperty* p = GetProperty(TheIndex);
    if (!p || !p->HasChildren())
        return esNone;
    return FList.IsExpanded(p->FullName()) ? esCollapse : esExpand;
}

int TCustomComponentInspector::GetLevel(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    return p ? p->Level() : 0;
}

void* TCustomComponentInspector::GetData(int TheIndex)
{
    return GetProperty(TheIndex);
}

void TCustomComponentInspector::GetValuesList(int TheIndex, QStringList& Values)
{
    Values.clear();
    TProperty* p = GetProperty(TheIndex);
    if (!p)
        return;
    p->ValuesList(Values);
    if (p->IsEvent() && OnFillEventList)
        OnFillEventList(this, p, Values);
    if (OnGetValuesList)
        OnGetValuesList(this, TheIndex, Values);
}

bool TCustomComponentInspector::GetSortValuesList(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    return p && (p->ValueKind() == TValueKind::vkCursor || p->IsEvent());
}

QString TCustomComponentInspector::GetSelectedValue(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    return p ? p->DisplayValue() : QString();
}

bool TCustomComponentInspector::GetAutoApply(int TheIndex)
{
    const TProperty* p = GetProperty(TheIndex);
    return p && FList.ListCount() == 1 && p->Kind() != TTypeKind::tkClass && GetInplaceEditorType(TheIndex) == ieEdit;
}

TPropertyEditorClass TCustomComponentInspector::GetEditorClass(int TheIndex)
{
    TPropertyEditorClass editorClass = EditorClassOf(GetProperty(TheIndex));
    if (OnGetEditorClass)
        OnGetEditorClass(this, TheIndex, editorClass);
    return editorClass;
}

bool TCustomComponentInspector::CallEditor(int TheIndex)
{
    TProperty* p = GetProperty(TheIndex);
    if (!p)
        return false;
    bool changed = false;
    if (OnCallEditor) {
        bool handled = true;
        OnCallEditor(this, TheIndex, changed, handled);
        if (handled) {
            if (changed) {
                FullUpdateNeeded();
                RefreshList();
            }
            return changed;
        }
    }
    const TPropertyEditorClass editorClass = GetEditorClass(TheIndex);
    if (!editorClass)
        return false;
    const std::unique_ptr<TPropertyEditor> editor = editorClass(p);
    changed = editor && editor->Execute();
    if (!changed)
        return false;
    if (FList.ListCount() > 1 && p->Kind() != TTypeKind::tkClass) {
        // The other instances take the value the editor chose.
        const QString text = p->GetStringValue();
        const QString fullName = p->FullName();
        for (int i = 1; i < FList.ListCount(); ++i)
            if (TProperty* q = FList.PropertyOf(i, fullName))
                q->SetStringValue(text);
    }
    if (OnChange)
        OnChange(this, p);
    FullUpdateNeeded();
    RefreshList();
    return true;
}

void TCustomComponentInspector::Expand(int TheIndex)
{
    TProperty* p = GetProperty(TheIndex);
    if (!p)
        return;
    bool allow = true;
    if (OnBeforeExpand)
        OnBeforeExpand(this, p, allow);
    if (!allow)
        return;
    const QString fullName = p->FullName();
    TCustomInspector::Expand(TheIndex);
    FList.AddExpanded(fullName);
    RebuildRows();
    if (OnAfterExpand)
        if (TProperty* q = FList.Row(FList.RowOf(fullName)))
            OnAfterExpand(this, q);
}

void TCustomComponentInspector::Collapse(int TheIndex)
{
    TProperty* p = GetProperty(TheIndex);
    if (!p)
        return;
    bool allow = true;
    if (OnBeforeCollapse)
        OnBeforeCollapse(this, p, allow);
    if (!allow)
        return;
    const QString fullName = p->FullName();
    TCustomInspector::Collapse(TheIndex);
    FList.RemoveExpanded(fullName);
    RebuildRows();
    if (OnAfterCollapse)
        if (TProperty* q = FList.Row(FList.RowOf(fullName)))
            OnAfterCollapse(this, q);
}

void TCustomComponentInspector::SelectItem(int TheIndex)
{
    if (const TProperty* p = GetProperty(TheIndex))
        FLastSelected = p->FullName();
    TCustomInspector::SelectItem(TheIndex);
}

int TCustomComponentInspector::GetDefaultIndex()
{
    // The row last selected, or the nearest one above it in its path.
    QString name = FLastSelected;
    while (!name.isEmpty()) {
        const int row = FList.RowOf(name);
        if (row >= 0)
            return row;
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        name = dot < 0 ? QString() : name.left(dot);
    }
    return 0;
}

// ---- Colour swatches ------------------------------------------------------------------

bool TCustomComponentInspector::IsColorRow(int Row)
{
    const TProperty* p = GetProperty(Row);
    return p && p->ValueKind() == TValueKind::vkColor;
}

int TCustomComponentInspector::GetValueIndent(int TheIndex)
{
    return IsColorRow(TheIndex) ? RowHeight() : 0;
}

void TCustomComponentInspector::DrawValueGlyph(int TheIndex, QPainter& Painter, const QRect& Rect)
{
    if (const std::optional<TColor> color = PropTexts::StringToColor(GetValue(TheIndex)); color && !GetValue(TheIndex).isEmpty()) {
        Painter.fillRect(Rect, ToQColor(*color));
        Painter.setPen(Qt::black);
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(Rect.adjusted(0, 0, -1, -1));
    }
}

int TCustomComponentInspector::GetPopupItemWidth(int TheIndex, const QString& Item)
{
    return TCustomInspector::GetPopupItemWidth(TheIndex, Item) + (IsColorRow(TheIndex) ? RowHeight() : 0);
}

void TCustomComponentInspector::PaintPopupItem(int TheIndex, QPainter& Painter, const QRect& Rect, const QString& Item, bool Selected)
{
    if (!IsColorRow(TheIndex)) {
        TCustomInspector::PaintPopupItem(TheIndex, Painter, Rect, Item, Selected);
        return;
    }
    Painter.fillRect(Rect, ToQColor(Selected ? clHighlight : clWindow));
    const int side = std::max(1, Rect.height() - 4);
    const QRect swatch(Rect.left() + 2, Rect.top() + 2, side, side);
    if (const std::optional<TColor> color = PropTexts::StringToColor(Item)) {
        Painter.fillRect(swatch, ToQColor(*color));
        Painter.setPen(Qt::black);
        Painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    Painter.setPen(ToQColor(Selected ? clHighlightText : GetValueColor(TheIndex)));
    Painter.setFont(GetValueFont(TheIndex));
    Painter.drawText(Rect.adjusted(2 + RowHeight(), 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Item);
}
