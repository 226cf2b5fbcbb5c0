#pragma once
// The drawing's undo history: saved shape copies tagged with the action they belong to.
// Records are kept oldest first; all records of one action share its action number, and
// the numbers run 0, 1, 2, ... without gaps from the oldest action kept. The history only
// stores and hands out records; what undoing an action means is the drawing's business
// (MyCADUndo.cpp).
#include "mycad_export.h"
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TMyShape;

// The editing actions the history knows, by their recorded names.
enum class TUndoAction {
    Unknown,
    Add,                // "ACT_ADD"
    Change,             // "ACT_CHANGE"
    Delete,             // "ACT_DELETE"
    Group,              // "ACT_GROUP"
    UnGroup,            // "ACT_UNGROUP"
    BringToFront,       // "ACT_BRINGTOFRONT"
    BringToFrontByStep, // "ACT_BRINGTOFRONTBYSTEP"
    SendToBack,         // "ACT_SENDTOBACK"
    SendToBackByStep,   // "ACT_SENDTOBACKBYSTEP"
};

// The action of a recorded name; Unknown for any other text.
MYCAD_EXPORT TUndoAction UndoActionOf(const QString& Name);
// The recorded name of an action (empty for Unknown).
MYCAD_EXPORT QString UndoActionName(TUndoAction Action);
// The action as a menu names it: "Add", "Change", "Bring to Front"... (empty for Unknown).
MYCAD_EXPORT QString UndoActionCaption(TUndoAction Action);

// One saved shape.
struct MYCAD_EXPORT TSavedShape {
    // The step of the history this record belongs to.
    int32_t ActionNo = 0;
    // The shape's Name when it was saved, at most MaxShapeName characters.
    QString ShapeName;
    // A separate copy of the shape, of the same class, owned by the record and never part
    // of the drawing. Its list of attached connectors is empty.
    std::unique_ptr<TMyShape> Shape;
    QString ActionName;
    // Identifiers of the shape's group and of its members when it was saved: shape
    // numbers change with every edit of the shape list, identifiers do not, so undo finds
    // the group and the members again through these.
    int ParentId = -1;
    std::vector<int> ChildIds;
    // For a connector: identifiers of the shapes its ends were attached to (-1: free), so
    // that undoing a change attaches them again.
    int StartShapeId = -1;
    int EndShapeId = -1;

    static constexpr int MaxShapeName = 255;
};

// One undone action, kept so that it can be done again. What it holds depends on the
// action: copies of the shapes as the action left them (Add, Change, Group: the group
// with its members' identifiers), or only the identifiers of the shapes to act on
// (Delete: the shapes undoing brought back; UnGroup: the group it made; the reorderings:
// the shape moved).
struct MYCAD_EXPORT TRedoStep {
    TUndoAction Action = TUndoAction::Unknown;
    std::vector<TSavedShape> Shapes;
    std::vector<int> Ids;
};

class MYCAD_EXPORT TUndoList {
public:
    TUndoList();
    ~TUndoList();
    TUndoList(const TUndoList&) = delete;
    TUndoList& operator=(const TUndoList&) = delete;

    bool Empty() const { return FRecords.empty(); }
    int RecordCount() const { return int(FRecords.size()); }
    // The number of actions held (the newest action number + 1).
    int ActionCount() const { return LastActionNo() + 1; }
    // The action number of the newest record, -1 when the history is empty.
    int LastActionNo() const;
    const TSavedShape& Record(int Index) const { return FRecords[size_t(Index)]; }
    TSavedShape& Record(int Index) { return FRecords[size_t(Index)]; }
    // The index of the first record of the newest action (RecordCount() when empty).
    int FirstRecordOfNewestAction() const;

    // Frees the records of the oldest action and numbers the remaining ones one lower.
    void DropOldestAction();
    // Appends a record (its action number and names are the caller's).
    void Append(TSavedShape Record);
    // Frees the records of the newest action.
    void DropNewestAction();
    // Takes the records of the newest action out of the history, oldest first.
    std::vector<TSavedShape> TakeNewestAction();
    // Frees every record.
    void Clear();

private:
    std::vector<TSavedShape> FRecords;
};
