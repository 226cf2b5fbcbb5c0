// TLibManager: deleting, renaming and moving entries. Each edits the bytes of the entry
// where they are, so an entry keeps its layout, its geometry and its place among entries
// of the same name.
#include "component/library/LibManager.h"

using namespace LibraryFormat;

bool TLibManager::DeleteShape(const QString& Name)
{
    TEntry entry;
    if (!FindEntry(Name, entry))
        return false;
    FBytes.remove(qsizetype(entry.Position), qsizetype(entry.Length));
    return true;
}

bool TLibManager::RenameCmbShapeName(const QString& OldName, const QString& NewName)
{
    TEntry entry;
    QByteArray name;
    if (!FindEntry(OldName, entry) || !EncodeLibEntryName(NewName, name))
        return false;
    // The size counts only the bytes after the size field: it stays as it is.
    name.prepend(char(uint8_t(name.size())));
    FBytes.replace(qsizetype(entry.Position), qsizetype(1 + entry.NameLength), name);
    return true;
}

bool TLibManager::MoveCmbShapeBeforeByName(const QString& Name, const QString& BeforeName)
{
    TEntry moved, before;
    if (!FindEntry(Name, moved))
        return false;
    int64_t target = kFirstEntry;
    if (!BeforeName.isEmpty()) {
        if (!FindEntry(BeforeName, before))
            return false;
        target = before.Position;
    }
    if (target == moved.Position)
        return true;
    const QByteArray bytes = FBytes.mid(qsizetype(moved.Position), qsizetype(moved.Length));
    FBytes.remove(qsizetype(moved.Position), qsizetype(moved.Length));
    if (moved.Position < target)
        target -= moved.Length;
    FBytes.insert(qsizetype(target), bytes);
    return true;
}
