#pragma once
// TCompInspList: what the component inspector shows. It keeps the root, the mode, one
// property list per inspected instance, the full names of the expanded properties and
// the rows: the first instance's properties with each expanded one followed by its
// children, and, with several instances, only the rows every instance can show too.
#include "mycad_export.h"
#include "inspector/PropList.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

enum class TCompInspMode { imProperties, imEvents };

class MYCAD_EXPORT TCompInspList {
public:
    QObject* Root() const { return FRoot; }
    void SetRoot(QObject* Root) { FRoot = Root; }
    TCompInspMode Mode = TCompInspMode::imProperties;

    // The instances still alive.
    std::vector<QObject*> Instances() const;
    int InstanceCount() const { return int(Instances().size()); }
    void SetInstances(const std::vector<QObject*>& Instances);
    // Drops every instance that is gone, or is Gone.
    void DropInstance(const QObject* Gone);

    // Rebuilds the property lists of the instances, then the rows.
    void BuildLists(const TPropertyList::TFilter& Filter, const TPropertyList::TCompare& Compare);
    void BuildRows();
    void ClearRows() { FRows.clear(); }

    int RowCount() const { return int(FRows.size()); }
    TProperty* Row(int Index) const;
    // The row of a full name (any case), -1 when not shown.
    int RowOf(const QString& FullName) const;
    // The property of that full name in the instance's list (children built on the way).
    TProperty* PropertyOf(int Instance, const QString& FullName) const;
    int ListCount() const { return int(FLists.size()); }

    // The expanded properties, by full name.
    bool IsExpanded(const QString& FullName) const;
    void AddExpanded(const QString& FullName);
    void RemoveExpanded(const QString& FullName);
    void ClearExpanded() { FExpanded.clear(); }
    const QStringList& Expanded() const { return FExpanded; }

private:
    void AddRows(TPropertyList* List);
    // Whether every other instance has a property of that full name of the same type.
    bool SharedByAll(const TProperty* Prop) const;

    QPointer<QObject> FRoot;
    std::vector<QPointer<QObject>> FInstances;
    std::vector<std::unique_ptr<TPropertyList>> FLists;
    std::vector<TProperty*> FRows;
    QStringList FExpanded;
};
