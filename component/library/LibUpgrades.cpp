// TLibManager: bringing libraries of older generations to the current one.
//
// One pass over the entries by position: each entry's content is read in the layout of
// the library's tag, without scaling, and written again in the current layout with the
// same unit-box coordinates, width, height and user data (none for the generations that
// had no user-data block). Entries of the same name stay what and where they were, and
// the cost is linear in the size of the library.
#include "component/library/LibManager.h"

#include "component/library/LibEntryBytes.h"
#include "component/shapes/MyShape.h"

using namespace LibraryFormat;

bool TLibManager::UpgradeFrom(std::initializer_list<TLibGeneration> Sources)
{
    const std::optional<TLibGenerationInfo> info = Generation();
    if (!info)
        return false;
    for (TLibGeneration g : Sources)
        if (info->Generation == g)
            return UpgradeToCurrent();
    return false;
}

bool TLibManager::Upgradefromx6tox8()
{
    return UpgradeFrom({TLibGeneration::X6, TLibGeneration::X7});
}

bool TLibManager::Upgradefromx8tox9()
{
    return UpgradeFrom({TLibGeneration::X8});
}

bool TLibManager::Upgradefromx9toxa()
{
    return UpgradeFrom({TLibGeneration::X9});
}

bool TLibManager::Upgradefromxatoxe()
{
    return UpgradeFrom({TLibGeneration::Xa});
}

bool TLibManager::Upgradefromxetoxh()
{
    return UpgradeFrom({TLibGeneration::Xe});
}

bool TLibManager::Upgradefromxhtoxi()
{
    return UpgradeFrom({TLibGeneration::Xh});
}

bool TLibManager::UpgradeToCurrent()
{
    const std::optional<TLayout> layout = Layout();
    if (!layout)
        return false;
    if (IsCurrent(layout->Info.Generation))
        return true;
    QByteArray upgraded(kCurrentTag);
    upgraded.reserve(FBytes.size() + FBytes.size() / 4);
    bool ok = true;
    const int64_t end = Walk([&](const TEntry& e) {
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        if (!ReadEntry(e, *layout, points, data, shapes, w, h, false, false)) {
            ok = false;
            return false;
        }
        TArrMyShape list;
        list.reserve(shapes.size());
        for (const auto& s : shapes)
            list.push_back(s.get());
        // Strings of older generations hold at most 255 bytes: the short form keeps them.
        QByteArray entry;
        ok = LibEntryBytes::EntryBytes(FBytes.mid(qsizetype(e.NameAt), e.NameLength), list, data, w, h, false, false, entry);
        upgraded.append(entry);
        return ok;
    });
    if (!ok)
        return false;
    // Bytes after the last entry the walk reached are kept as they were: they are never
    // read, and new entries go in before them.
    upgraded.append(FBytes.mid(qsizetype(end)));
    FBytes = std::move(upgraded);
    return true;
}
