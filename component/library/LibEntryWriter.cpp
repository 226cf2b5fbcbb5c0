// TLibManager: writing new entries and replacing the content of entries.
#include "component/library/LibManager.h"

#include "component/library/LibEntryBytes.h"

using namespace LibraryFormat;

int TLibManager::IndexOfBoundary(int64_t Position) const
{
    int index = 0;
    int found = -1;
    const int64_t end = Walk([&](const TEntry& e) {
        if (e.Position == Position)
            found = index;
        ++index;
        return found < 0 && e.Position < Position;
    });
    if (found >= 0)
        return found;
    return Position == end || Position == FBytes.size() ? index : -1;
}

int64_t TLibManager::BoundaryOfIndex(int Index) const
{
    int i = 0;
    int64_t at = -1;
    const int64_t end = Walk([&](const TEntry& e) {
        if (i++ == Index)
            at = e.Position;
        return at < 0;
    });
    return at >= 0 ? at : end;
}

int TLibManager::IndexOfEntry(const TEntry& Entry) const
{
    int index = 0;
    Walk([&](const TEntry& e) {
        if (e.Position == Entry.Position)
            return false;
        ++index;
        return true;
    });
    return index;
}

bool TLibManager::MakeCurrent()
{
    const std::optional<TLibGenerationInfo> info = Generation();
    if (!info || !RecordFormatOf(*info))
        return false;
    return IsCurrent(info->Generation) || UpgradeToCurrent();
}

bool TLibManager::IsLongStringLibrary() const
{
    const std::optional<TLibGenerationInfo> info = Generation();
    return info && info->Generation == TLibGeneration::XiLong;
}

void TLibManager::UseLongStringsIfNeeded(bool LongStrings)
{
    // The strings stored so far read the same in both forms (none is longer than 255
    // bytes), so only the tag changes.
    if (LongStrings && !IsLongStringLibrary())
        ReplaceoldTagwithNewTag(kLongStringTag);
}

bool TLibManager::AppendNewShape(const QString& Name, const TArrMyShape& Shapes, const TUserData& UserData, int W,
                                 int H)
{
    return InsertNewShape(FBytes.size(), Name, Shapes, UserData, W, H);
}

bool TLibManager::InsertNewShape(int64_t Position, const QString& Name, const TArrMyShape& Shapes,
                                 const TUserData& UserData, int W, int H)
{
    QByteArray name;
    const int index = IndexOfBoundary(Position);
    if (index < 0 || !EncodeLibEntryName(Name, name))
        return false;
    // The entry is made before anything changes, so a refusal leaves the library as it was.
    const bool longStrings = IsLongStringLibrary() || LibEntryBytes::NeedLongStrings(Shapes, UserData);
    QByteArray entry;
    if (!LibEntryBytes::EntryBytes(name, Shapes, UserData, W, H, true, longStrings, entry) || !MakeCurrent())
        return false;
    UseLongStringsIfNeeded(longStrings);
    FBytes.insert(qsizetype(BoundaryOfIndex(index)), entry);
    return true;
}

bool TLibManager::RepalceExistShape(const QString& Name, const TArrMyShape& Shapes, const TUserData& UserData, int W,
                                    int H)
{
    TEntry old;
    if (!FindEntry(Name, old))
        return false;
    const int index = IndexOfEntry(old);
    const QByteArray name = FBytes.mid(qsizetype(old.NameAt), old.NameLength);
    const bool longStrings = IsLongStringLibrary() || LibEntryBytes::NeedLongStrings(Shapes, UserData);
    QByteArray entry;
    if (!LibEntryBytes::EntryBytes(name, Shapes, UserData, W, H, true, longStrings, entry) || !MakeCurrent())
        return false;
    // An upgrade moved the entries: the same entry is found again by its place.
    if (!EntryAt(BoundaryOfIndex(index), old))
        return false;
    UseLongStringsIfNeeded(longStrings);
    FBytes.replace(qsizetype(old.Position), qsizetype(old.Length), entry);
    return true;
}
