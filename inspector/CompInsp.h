#pragma once
// TCustomComponentInspector (TComponentInspector): the inspector control showing the
// published properties of one or several drawing objects. The root must be a TMyCAD;
// an instance is the TMyCAD or one of its shapes (anything else is ignored).
//
// Instances are held through QPointer: when one is freed (a deleted shape, a new or
// loaded drawing, an undo, a cut, an ungroup) its rows go at once, without being read,
// and the rows of what remains are rebuilt right after. Attached combo boxes and trees
// are told after every update.
#include "mycad_export.h"
#include "inspector/CompInspList.h"
#include "inspector/InspCtrl.h"
#include "inspector/PropEdit.h"

#include <QPointer>

#include <functional>
#include <vector>

class TCustomComponentComboBox;
class TCustomComponentTree;
class TCustomComponentInspector;
class TMyCAD;

using TCompInspPropertyEvent = std::function<void(TCustomComponentInspector* Sender, TProperty* Prop)>;
using TCompInspAllowEvent = std::function<void(TCustomComponentInspector* Sender, TProperty* Prop, bool& Allow)>;
using TCompInspCompareEvent = std::function<void(TCustomComponentInspector* Sender, TProperty* A, TProperty* B, int& Result)>;
using TCompInspEditorClassEvent = std::function<void(TCustomComponentInspector* Sender, int TheIndex, TPropertyEditorClass& EditorClass)>;
using TCompInspEventListEvent = std::function<void(TCustomComponentInspector* Sender, TProperty* Prop, QStringList& Handlers)>;
using TCompInspNotifyEvent = std::function<void(TCustomComponentInspector* Sender)>;

class MYCAD_EXPORT TCustomComponentInspector : public TCustomInspector {
    Q_OBJECT
public:
    explicit TCustomComponentInspector(QWidget* parent = nullptr);
    ~TCustomComponentInspector() override;

    TMyCAD* Root() const;
    void SetRoot(QObject* Root);
    // The single instance (null when there are none or several).
    QObject* Instance() const;
    // Replaces every instance by this one (null: none).
    void SetInstance(QObject* Instance);
    void AddInstance(QObject* Instance);
    void DeleteInstance(QObject* Instance);
    std::vector<QObject*> Instances() const { return FList.Instances(); }
    int InstanceCount() const { return FList.InstanceCount(); }
    TCompInspMode Mode() const { return FList.Mode; }
    void SetMode(TCompInspMode Mode);

    // Selects the row of a full name ("Pen.Color", any case), expanding what leads to
    // it; false when there is none.
    bool SelectProperty(const QString& FullName);
    // Rebuilds the property lists and the rows, and selects the remembered row again.
    void RefreshList();
    void ClearExpanded();
    // The property shown in a row (the first instance's).
    TProperty* GetProperty(int Row) const { return FList.Row(Row); }
    const TCompInspList& List() const { return FList; }

    // Combo boxes and trees that follow the inspector.
    void AttachComboBox(TCustomComponentComboBox* Combo);
    void AttachTree(TCustomComponentTree* Tree);

    // ---- Events (besides the control's) ----------------------------------------------
    TCompInspEditorClassEvent OnGetEditorClass;
    TCompInspCompareEvent OnCompare;
    TCompInspAllowEvent OnFilter;
    TCompInspPropertyEvent OnChange;
    TCompInspAllowEvent OnBeforeExpand;
    TCompInspPropertyEvent OnAfterExpand;
    TCompInspAllowEvent OnBeforeCollapse;
    TCompInspPropertyEvent OnAfterCollapse;
    TCompInspEventListEvent OnFillEventList;
    TCompInspNotifyEvent OnCustomizeInspector;

    // ---- Row interface ---------------------------------------------------------------
    QString GetName(int TheIndex) override;
    QString GetValue(int TheIndex) override;
    QString GetNextValue(int TheIndex) override;
    void SetValue(int TheIndex, const QString& Value) override;
    void DragValue(int TheIndex, int Offset) override;
    TButtonType GetButtonType(int TheIndex) override;
    TInplaceEditorType GetInplaceEditorType(int TheIndex) override;
    bool GetEnableExternalEditor(int TheIndex) override;
    bool GetReadOnly(int TheIndex) override;
    TExpandState GetExpandState(int TheIndex) override;
    int GetLevel(int TheIndex) override;
    void* GetData(int TheIndex) override;
    void GetValuesList(int TheIndex, QStringList& Values) override;
    bool GetSortValuesList(int TheIndex) override;
    QString GetSelectedValue(int TheIndex) override;
    bool GetAutoApply(int TheIndex) override;
    bool CallEditor(int TheIndex) override;
    void Expand(int TheIndex) override;
    void Collapse(int TheIndex) override;
    void SelectItem(int TheIndex) override;
    int GetDefaultIndex() override;
    int GetPopupItemWidth(int TheIndex, const QString& Item) override;
    void PaintPopupItem(int TheIndex, QPainter& Painter, const QRect& Rect, const QString& Item, bool Selected) override;
    int GetValueIndent(int TheIndex) override;
    void DrawValueGlyph(int TheIndex, QPainter& Painter, const QRect& Rect) override;

    // The filter and order the property lists are built with.
    bool FilterProperty(TProperty* Prop);
    int CompareProperties(TProperty* A, TProperty* B);
    // The editor of a row's property (OnGetEditorClass may change it).
    TPropertyEditorClass GetEditorClass(int TheIndex);

protected:
    void Updated() override;

private:
    // Instances the inspector accepts: the drawing and its shapes.
    bool Accepts(QObject* Instance) const;
    void Watch(QObject* Instance);
    void InstanceDestroyed(QObject* Gone);
    // Rebuilds the rows from the lists and gives the control their number.
    void RebuildRows();
    void SetInstances(const std::vector<QObject*>& Instances);
    bool IsColorRow(int Row);

    TCompInspList FList;
    QString FLastSelected;
    bool FRefreshQueued = false;
    std::vector<QPointer<TCustomComponentComboBox>> FCombos;
    std::vector<QPointer<TCustomComponentTree>> FTrees;
};

class MYCAD_EXPORT TComponentInspector : public TCustomComponentInspector {
    Q_OBJECT
public:
    explicit TComponentInspector(QWidget* parent = nullptr) : TCustomComponentInspector(parent) {}
};
