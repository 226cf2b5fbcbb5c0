// TCustomInspector: the defaults of the row interface, each raising the event of its
// name with the default answer.
#include "inspector/InspCtrl.h"

#include <QFontMetrics>

// ---- Row interface defaults -----------------------------------------------------------

QString TCustomInspector::GetName(int TheIndex)
{
    QString value;
    if (OnGetName)
        OnGetName(this, TheIndex, value);
    return value;
}

QString TCustomInspector::GetValue(int TheIndex)
{
    QString value;
    if (OnGetValue)
        OnGetValue(this, TheIndex, value);
    return value;
}

QString TCustomInspector::GetNextValue(int TheIndex)
{
    QString value;
    if (OnGetNextValue)
        OnGetNextValue(this, TheIndex, value);
    return value;
}

void TCustomInspector::SetValue(int TheIndex, const QString& Value)
{
    if (OnSetValue)
        OnSetValue(this, TheIndex, Value);
}

void TCustomInspector::DragValue(int, int)
{
}

TButtonType TCustomInspector::GetButtonType(int TheIndex)
{
    TButtonType value = btNone;
    if (OnGetButtonType)
        OnGetButtonType(this, TheIndex, value);
    return value;
}

TInplaceEditorType TCustomInspector::GetInplaceEditorType(int TheIndex)
{
    TInplaceEditorType value = ieEdit;
    if (OnGetInplaceEditorType)
        OnGetInplaceEditorType(this, TheIndex, value);
    return value;
}

int TCustomInspector::GetMaxLength(int TheIndex)
{
    int value = 0;
    if (OnGetMaxLength)
        OnGetMaxLength(this, TheIndex, value);
    return value;
}

bool TCustomInspector::GetEnableExternalEditor(int TheIndex)
{
    bool value = false;
    if (OnGetEnableExternalEditor)
        OnGetEnableExternalEditor(this, TheIndex, value);
    return value;
}

bool TCustomInspector::GetReadOnly(int TheIndex)
{
    bool value = false;
    if (OnGetReadOnly)
        OnGetReadOnly(this, TheIndex, value);
    return value;
}

TExpandState TCustomInspector::GetExpandState(int TheIndex)
{
    TExpandState value = esNone;
    if (OnGetExpandState)
        OnGetExpandState(this, TheIndex, value);
    return value;
}

int TCustomInspector::GetLevel(int TheIndex)
{
    int value = 0;
    if (OnGetLevel)
        OnGetLevel(this, TheIndex, value);
    return value;
}

void* TCustomInspector::GetData(int TheIndex)
{
    void* value = nullptr;
    if (OnGetData)
        OnGetData(this, TheIndex, value);
    return value;
}

void TCustomInspector::GetValuesList(int TheIndex, QStringList& Values)
{
    Values.clear();
    if (OnGetValuesList)
        OnGetValuesList(this, TheIndex, Values);
}

bool TCustomInspector::GetSortValuesList(int TheIndex)
{
    bool value = false;
    if (OnGetSortValuesList)
        OnGetSortValuesList(this, TheIndex, value);
    return value;
}

QString TCustomInspector::GetSelectedValue(int TheIndex)
{
    QString value;
    if (OnGetSelectedValue)
        OnGetSelectedValue(this, TheIndex, value);
    return value;
}

bool TCustomInspector::GetAutoApply(int TheIndex)
{
    bool value = false;
    if (OnGetAutoApply)
        OnGetAutoApply(this, TheIndex, value);
    return value;
}

QFont TCustomInspector::GetNameFont(int TheIndex)
{
    QFont value = font();
    if (OnGetNameFont)
        OnGetNameFont(this, TheIndex, value);
    return value;
}

TColor TCustomInspector::GetNameColor(int TheIndex)
{
    TColor value = clWindowText;
    if (OnGetNameColor)
        OnGetNameColor(this, TheIndex, value);
    return value;
}

QFont TCustomInspector::GetValueFont(int TheIndex)
{
    QFont value = font();
    if (OnGetValueFont)
        OnGetValueFont(this, TheIndex, value);
    return value;
}

TColor TCustomInspector::GetValueColor(int TheIndex)
{
    TColor value = clWindowText;
    if (OnGetValueColor)
        OnGetValueColor(this, TheIndex, value);
    return value;
}

int TCustomInspector::GetIndent()
{
    const int glyph = FExpandGlyph.width();
    switch (FPaintStyle) {
    case psTree: return glyph + 4;
    case psMagic: return glyph + 3;
    case psClassic: break;
    }
    return glyph;
}

bool TCustomInspector::CallEditor(int TheIndex)
{
    bool changed = false;
    bool handled = true;
    if (OnCallEditor)
        OnCallEditor(this, TheIndex, changed, handled);
    return changed;
}

int TCustomInspector::GetValueIndent(int)
{
    return 0;
}

void TCustomInspector::DrawValueGlyph(int, QPainter&, const QRect&)
{
}

void TCustomInspector::Expand(int TheIndex)
{
    if (OnExpand)
        OnExpand(this, TheIndex);
}

void TCustomInspector::Collapse(int TheIndex)
{
    if (OnCollapse)
        OnCollapse(this, TheIndex);
}

void TCustomInspector::SelectItem(int TheIndex)
{
    if (OnSelectItem)
        OnSelectItem(this, TheIndex);
}

void TCustomInspector::DeselectItem(int TheIndex)
{
    if (OnDeselectItem)
        OnDeselectItem(this, TheIndex);
}

int TCustomInspector::GetDefaultIndex()
{
    return 0;
}

int TCustomInspector::GetPopupItemWidth(int TheIndex, const QString& Item)
{
    return QFontMetrics(GetValueFont(TheIndex)).horizontalAdvance(Item);
}
