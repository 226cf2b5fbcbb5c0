#include "inspector/CustomProps.h"

#include <list>

namespace {

// A list keeps the entries where they are while others come and go.
std::list<TCustomPropertyEntry>& Registry()
{
    static std::list<TCustomPropertyEntry> registry;
    return registry;
}

const TCustomPropertyEntry* Find(const QMetaObject* Class, const QString& Name)
{
    for (const TCustomPropertyEntry& e : Registry())
        if (e.Class == Class && e.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

} // namespace

bool RegisterCustomProperty(const TCustomPropertyEntry& Entry)
{
    if (!Entry.Class || Entry.Name.isEmpty() || !Entry.Read || Find(Entry.Class, Entry.Name))
        return false;
    Registry().push_back(Entry);
    return true;
}

bool UnregisterCustomProperty(const QMetaObject* Class, const QString& Name)
{
    std::list<TCustomPropertyEntry>& registry = Registry();
    for (auto it = registry.begin(); it != registry.end(); ++it) {
        if (it->Class == Class && it->Name.compare(Name, Qt::CaseInsensitive) == 0) {
            registry.erase(it);
            return true;
        }
    }
    return false;
}

const TCustomPropertyEntry* RegisteredProperty(const QMetaObject* Class, const QString& Name)
{
    if (const TCustomPropertyEntry* own = Find(Class, Name))
        return own;
    for (const QMetaObject* c = Class ? Class->superClass() : nullptr; c; c = c->superClass())
        if (const TCustomPropertyEntry* e = Find(c, Name); e && e->Inherited)
            return e;
    return nullptr;
}

std::vector<const TCustomPropertyEntry*> RegisteredProperties(const QMetaObject* Class)
{
    std::vector<const TCustomPropertyEntry*> entries;
    for (const TCustomPropertyEntry& e : Registry())
        if (e.Class == Class)
            entries.push_back(&e);
    for (const QMetaObject* c = Class ? Class->superClass() : nullptr; c; c = c->superClass())
        for (const TCustomPropertyEntry& e : Registry())
            if (e.Class == c && e.Inherited && RegisteredProperty(Class, e.Name) == &e)
                entries.push_back(&e);
    return entries;
}
