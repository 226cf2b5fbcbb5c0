#include "component/editing/UndoList.h"

#include "component/shapes/MyShape.h"

#include <algorithm>
#include <array>

namespace {
struct ActionNameEntry {
    TUndoAction Action;
    const char* Name;
};

constexpr std::array<ActionNameEntry, 9> ActionNames = {{
    {TUndoAction::Add, "ACT_ADD"},
    {TUndoAction::Change, "ACT_CHANGE"},
    {TUndoAction::Delete, "ACT_DELETE"},
    {TUndoAction::Group, "ACT_GROUP"},
    {TUndoAction::UnGroup, "ACT_UNGROUP"},
    {TUndoAction::BringToFront, "ACT_BRINGTOFRONT"},
    {TUndoAction::BringToFrontByStep, "ACT_BRINGTOFRONTBYSTEP"},
    {TUndoAction::SendToBack, "ACT_SENDTOBACK"},
    {TUndoAction::SendToBackByStep, "ACT_SENDTOBACKBYSTEP"},
}};
} // namespace

TUndoAction UndoActionOf(const QString& Name)
{
    for (const ActionNameEntry& entry : ActionNames)
        if (Name == QLatin1String(entry.Name))
            return entry.Action;
    return TUndoAction::Unknown;
}

QString UndoActionCaption(TUndoAction Action)
{
    switch (Action) {
    case TUndoAction::Add: return QStringLiteral("Add");
    case TUndoAction::Change: return QStringLiteral("Change");
    case TUndoAction::Delete: return QStringLiteral("Delete");
    case TUndoAction::Group: return QStringLiteral("Group");
    case TUndoAction::UnGroup: return QStringLiteral("Ungroup");
    case TUndoAction::BringToFront: return QStringLiteral("Bring to Front");
    case TUndoAction::BringToFrontByStep: return QStringLiteral("Bring Forward");
    case TUndoAction::SendToBack: return QStringLiteral("Send to Back");
    case TUndoAction::SendToBackByStep: return QStringLiteral("Send Backward");
    case TUndoAction::Unknown: break;
    }
    return QString();
}

QString UndoActionName(TUndoAction Action)
{
    for (const ActionNameEntry& entry : ActionNames)
        if (entry.Action == Action)
            return QString::fromLatin1(entry.Name);
    return QString();
}

TUndoList::TUndoList() = default;
TUndoList::~TUndoList() = default;

int TUndoList::LastActionNo() const
{
    return FRecords.empty() ? -1 : FRecords.back().ActionNo;
}

int TUndoList::FirstRecordOfNewestAction() const
{
    int i = RecordCount();
    const int last = LastActionNo();
    while (i > 0 && FRecords[size_t(i - 1)].ActionNo == last)
        --i;
    return i;
}

void TUndoList::DropOldestAction()
{
    if (FRecords.empty())
        return;
    const int oldest = FRecords.front().ActionNo;
    const auto end = std::find_if(FRecords.begin(), FRecords.end(),
                                  [oldest](const TSavedShape& r) { return r.ActionNo != oldest; });
    FRecords.erase(FRecords.begin(), end);
    for (TSavedShape& r : FRecords)
        --r.ActionNo;
}

void TUndoList::Append(TSavedShape Record)
{
    FRecords.push_back(std::move(Record));
}

void TUndoList::DropNewestAction()
{
    FRecords.erase(FRecords.begin() + FirstRecordOfNewestAction(), FRecords.end());
}

std::vector<TSavedShape> TUndoList::TakeNewestAction()
{
    const auto first = FRecords.begin() + FirstRecordOfNewestAction();
    std::vector<TSavedShape> taken(std::make_move_iterator(first), std::make_move_iterator(FRecords.end()));
    FRecords.erase(first, FRecords.end());
    return taken;
}

void TUndoList::Clear()
{
    FRecords.clear();
}
