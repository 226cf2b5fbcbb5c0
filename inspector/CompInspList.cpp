#include "inspector/CompInspList.h"

std::vector<QObject*> TCompInspList::Instances() const
{
    std::vector<QObject*> alive;
    for (const QPointer<QObject>& p : FInstances)
        if (p)
            alive.push_back(p);
    return alive;
}

void TCompInspList::SetInstances(const std::vector<QObject*>& Instances)
{
    FRows.clear();
    FLists.clear();
    FInstances.clear();
    for (QObject* o : Instances)
        if (o)
            FInstances.emplace_back(o);
}

void TCompInspList::DropInstance(const QObject* Gone)
{
    // Nothing of a dying object is touched: its rows and lists go without being read.
    FRows.clear();
    for (size_t i = FInstances.size(); i-- > 0;) {
        if (!FInstances[i] || FInstances[i].data() == Gone) {
            FInstances.erase(FInstances.begin() + ptrdiff_t(i));
            if (i < FLists.size())
                FLists.erase(FLists.begin() + ptrdiff_t(i));
        }
    }
    if (FLists.size() != FInstances.size())
        FLists.clear();
}

void TCompInspList::BuildLists(const TPropertyList::TFilter& Filter, const TPropertyList::TCompare& Compare)
{
    FRows.clear();
    FLists.clear();
    std::vector<QPointer<QObject>> alive;
    for (const QPointer<QObject>& p : FInstances)
        if (p)
            alive.push_back(p);
    FInstances = alive;
    for (const QPointer<QObject>& p : FInstances) {
        auto list = std::make_unique<TPropertyList>(nullptr, FRoot, p);
        list->Filter = Filter;
        list->Compare = Compare;
        list->Update();
        FLists.push_back(std::move(list));
    }
}

void TCompInspList::BuildRows()
{
    FRows.clear();
    if (!FLists.empty())
        AddRows(FLists.front().get());
}

bool TCompInspList::SharedByAll(const TProperty* Prop) const
{
    if (FLists.size() < 2)
        return true;
    const QString fullName = Prop->FullName();
    if (fullName == QLatin1String("Name"))
        return false;
    for (size_t i = 1; i < FLists.size(); ++i) {
        const TProperty* other = FLists[i]->FindFullName(fullName);
        if (!other || !other->Compatible(*Prop))
            return false;
    }
    return true;
}

void TCompInspList::AddRows(TPropertyList* List)
{
    for (int i = 0; i < List->Count(); ++i) {
        TProperty* p = List->Items(i);
        if (!SharedByAll(p))
            continue;
        FRows.push_back(p);
        // Children are built only for what is open, so an object graph that leads back
        // to itself is walked no further than the user expands it.
        if (p->CanHaveChildren() && IsExpanded(p->FullName()) && p->HasChildren())
            AddRows(p->Children());
    }
}

TProperty* TCompInspList::Row(int Index) const
{
    return Index >= 0 && Index < RowCount() ? FRows[size_t(Index)] : nullptr;
}

int TCompInspList::RowOf(const QString& FullName) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (FRows[size_t(i)]->FullName().compare(FullName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TProperty* TCompInspList::PropertyOf(int Instance, const QString& FullName) const
{
    if (Instance < 0 || Instance >= int(FLists.size()))
        return nullptr;
    return FLists[size_t(Instance)]->FindFullName(FullName);
}

bool TCompInspList::IsExpanded(const QString& FullName) const
{
    return FExpanded.contains(FullName, Qt::CaseInsensitive);
}

void TCompInspList::AddExpanded(const QString& FullName)
{
    if (!IsExpanded(FullName))
        FExpanded << FullName;
}

void TCompInspList::RemoveExpanded(const QString& FullName)
{
    FExpanded.removeIf([&FullName](const QString& n) { return n.compare(FullName, Qt::CaseInsensitive) == 0; });
}
