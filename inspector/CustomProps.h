#pragma once
// The process-wide registry of custom properties: values a class shows in the inspector
// although it does not publish them, each with the routines that read and write it.
// The registry is emptied at program end.
#include "mycad_export.h"

#include <QMetaObject>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

struct MYCAD_EXPORT TCustomPropertyEntry {
    const QMetaObject* Class = nullptr;
    QString Name;
    QMetaType ValueType;
    std::function<QVariant(QObject* Instance)> Read;
    std::function<void(QObject* Instance, const QVariant& Value)> Write; // empty: read-only
    // Whether classes derived from Class have the property too.
    bool Inherited = false;
};

// Adds the entry unless the class already has one of that name; false then.
MYCAD_EXPORT bool RegisterCustomProperty(const TCustomPropertyEntry& Entry);
MYCAD_EXPORT bool UnregisterCustomProperty(const QMetaObject* Class, const QString& Name);
// The entry of that name (any case) for the class, else for its nearest ancestor whose
// entry is inherited; null when none. The pointer stays valid until the entry is
// unregistered.
MYCAD_EXPORT const TCustomPropertyEntry* RegisteredProperty(const QMetaObject* Class, const QString& Name);
// Every entry that applies to the class: its own, then inherited ones of its ancestors.
MYCAD_EXPORT std::vector<const TCustomPropertyEntry*> RegisteredProperties(const QMetaObject* Class);
