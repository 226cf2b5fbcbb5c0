// TMyCAD: redo. Undoing an action leaves a step behind (MyCADUndo.cpp) from which the
// action is done again: shapes are found by identifier, a shape that is gone is skipped,
// and the action is recorded for undo exactly as doing it first recorded it, so that undo
// and redo can alternate without end.
#include "component/document/MyCAD.h"

#include "component/shapes/AllShapes.h"

namespace {
TMyShape* ShapeWithId(const TMyCAD& cad, int Id)
{
    return cad.GetShapeByNo(cad.GetShapeNoById(Id));
}

// Marks the drawing as redoing for the lifetime of the guard.
class TRedoing {
public:
    explicit TRedoing(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TRedoing() { FFlag = false; }
    TRedoing(const TRedoing&) = delete;
    TRedoing& operator=(const TRedoing&) = delete;

private:
    bool& FFlag;
};
} // namespace

QString TMyCAD::UndoActionText() const
{
    if (!CanUndo())
        return QString();
    return UndoActionCaption(UndoActionOf(FUndoList.Record(FUndoList.RecordCount() - 1).ActionName));
}

QString TMyCAD::RedoActionText() const
{
    return CanRedo() ? UndoActionCaption(FRedoSteps.back().Action) : QString();
}

bool TMyCAD::Redo()
{
    if (!CanRedo())
        return false;
    RemoveAllWorkingShapes();
    // The step leaves the list first: what the action's events do cannot reach it.
    const TRedoStep step = std::move(FRedoSteps.back());
    FRedoSteps.pop_back();
    {
        const TRedoing redoing(FRedoing);
        // The one-shape actions: the operation done again on the shape, when it is still there.
        void (TMyCAD::*onShape)(TMyShape*, bool) = nullptr;
        switch (step.Action) {
        case TUndoAction::Add: RedoAddition(step); break;
        case TUndoAction::Change: RedoChange(step); break;
        case TUndoAction::Delete: RedoDeletion(step); break;
        case TUndoAction::Group: RedoGrouping(step); break;
        case TUndoAction::UnGroup: onShape = &TMyCAD::UnGroupShape; break;
        case TUndoAction::BringToFront: onShape = &TMyCAD::BringToFront; break;
        case TUndoAction::BringToFrontByStep: onShape = &TMyCAD::BringToFrontByStep; break;
        case TUndoAction::SendToBack: onShape = &TMyCAD::SendToBack; break;
        case TUndoAction::SendToBackByStep: onShape = &TMyCAD::SendToBackByStep; break;
        case TUndoAction::Unknown: break;
        }
        if (TMyShape* S = step.Ids.empty() ? nullptr : ShapeWithId(*this, step.Ids.front()); onShape && S)
            (this->*onShape)(S, true);
    }
    Invalidate();
    Fire(OnUndoRedoChange, this);
    return true;
}

// The shapes come back at the end of the list with their identifiers, names and layers,
// their connectors attached again where the shapes at the ends are still there.
void TMyCAD::RedoAddition(const TRedoStep& Step)
{
    std::vector<const TSavedShape*> missing;
    for (const TSavedShape& r : Step.Shapes)
        if (!ShapeWithId(*this, r.Shape->GetShapeId()))
            missing.push_back(&r);
    if (missing.empty())
        return;
    RecreateDeletedShapes(missing, true);
    TArrMyShape made;
    for (const TSavedShape* r : missing) {
        TMyShape* S = ShapeWithId(*this, r->Shape->GetShapeId());
        if (!S)
            continue;
        if (auto* line = qobject_cast<TMyLinkLine*>(S))
            ReattachConnector(line, *r);
        made.push_back(S);
    }
    SaveUndoAction(made, UndoActionName(TUndoAction::Add));
}

// The shapes take the state the action gave them; the states they leave are recorded.
void TMyCAD::RedoChange(const TRedoStep& Step)
{
    std::vector<TMyShape*> targets;
    TArrMyShape present;
    for (const TSavedShape& r : Step.Shapes) {
        TMyShape* S = ShapeWithId(*this, r.Shape->GetShapeId());
        targets.push_back(S);
        if (S)
            present.push_back(S);
    }
    SaveUndoAction(present, UndoActionName(TUndoAction::Change));
    for (size_t k = 0; k < Step.Shapes.size(); ++k) {
        TMyShape* S = targets[k];
        if (!S)
            continue;
        S->AssignWithoutRelation(Step.Shapes[k].Shape.get());
        if (auto* line = qobject_cast<TMyLinkLine*>(S))
            ReattachConnector(line, Step.Shapes[k]);
        ChangeLinkShapes(S);
    }
}

// The shapes undoing brought back go again, recorded as one action as the deletion was.
void TMyCAD::RedoDeletion(const TRedoStep& Step)
{
    std::vector<int> ids;
    TArrMyShape targets;
    for (int id : Step.Ids) {
        TMyShape* S = ShapeWithId(*this, id);
        if (S && !S->Locked()) {
            ids.push_back(id);
            targets.push_back(S);
        }
    }
    if (targets.empty())
        return;
    SaveUndoAction(targets, UndoActionName(TUndoAction::Delete));
    DeleteShapes(ids, targets, false);
}

// The members are grouped again; the group takes back the identifier, the name and the
// properties it had, so that the actions after it find it.
void TMyCAD::RedoGrouping(const TRedoStep& Step)
{
    if (Step.Shapes.empty())
        return;
    const TSavedShape& saved = Step.Shapes.front();
    TArrMyShape members;
    for (int id : saved.ChildIds)
        if (TMyShape* m = ShapeWithId(*this, id))
            members.push_back(m);
    const int made = GroupShapes(members, true);
    TMyShape* group = ShapeWithId(*this, made);
    if (!group)
        return;
    const int oldId = saved.Shape->GetShapeId();
    if (oldId != made && !ShapeWithId(*this, oldId)) {
        group->SetShapeId(oldId);
        ShapeIdentityChanged();
        // The record the grouping just made names the group by its new identifier.
        if (!FUndoList.Empty()) {
            TSavedShape& newest = FUndoList.Record(FUndoList.RecordCount() - 1);
            if (newest.Shape->GetShapeId() == made)
                newest.Shape->SetShapeId(oldId);
        }
    }
    // Its own properties as they were (the caption the first grouping gave it, say).
    group->AssignWithoutRelation(saved.Shape.get());
    group->SetName(saved.ShapeName);
    if (!FUndoList.Empty())
        FUndoList.Record(FUndoList.RecordCount() - 1).ShapeName = saved.ShapeName.left(TSavedShape::MaxShapeName);
}
