// TMyCAD: the undo history. Each action is stored as saved copies of the shapes it
// touched; undoing applies the inverse of the action to the drawing's shapes with the
// same identifiers. Shapes are found by identifier, never by pointer or shape number,
// and a record whose shape no longer exists is skipped.
#include "component/document/MyCAD.h"

#include "platform/UIServices.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

void TMyCAD::ClearAllUndoStuff()
{
    const bool had = !FUndoList.Empty() || !FRedoSteps.empty();
    FUndoList.Clear();
    FRedoSteps.clear();
    if (had)
        Fire(OnUndoRedoChange, this);
}

void TMyCAD::PushtoUndoRedoShapeList(const TArrMyShape& Shapes, const QString& ActionName)
{
    if (FUndoRedoSize == 0)
        return;
    // What the action saves, newest shape passed first; a shape is saved once.
    TArrMyShape saved;
    std::unordered_set<const TMyShape*> seen;
    auto save = [&](TMyShape* s) {
        if (s && seen.insert(s).second)
            saved.push_back(s);
    };
    const TMyShape* first = Shapes.empty() ? nullptr : Shapes.front();
    const TUndoAction action = UndoActionOf(ActionName);
    switch (action) {
    case TUndoAction::Add:
        for (auto it = Shapes.rbegin(); it != Shapes.rend(); ++it)
            save(*it);
        break;
    case TUndoAction::Change:
    case TUndoAction::Delete:
        for (auto it = Shapes.rbegin(); it != Shapes.rend(); ++it)
            for (TMyShape* s : ShapeTreeOf(*it, false))
                // Deletion leaves locked shapes in the drawing: they are not saved, so
                // undoing cannot bring back a second copy.
                if (action == TUndoAction::Change || !s->Locked())
                    save(s);
        break;
    case TUndoAction::Group:
    case TUndoAction::BringToFront:
    case TUndoAction::BringToFrontByStep:
    case TUndoAction::SendToBack:
    case TUndoAction::SendToBackByStep:
        save(const_cast<TMyShape*>(first));
        break;
    case TUndoAction::UnGroup:
        if (first)
            for (uint32_t no : std::as_const(*first).ChildNos())
                save(GetShapeByNo(int(no)));
        break;
    case TUndoAction::Unknown: break;
    }
    SaveUndoAction(saved, ActionName);
}

void TMyCAD::SaveUndoAction(const TArrMyShape& Shapes, const QString& ActionName)
{
    if (FUndoRedoSize == 0)
        return;
    // A full history loses its oldest action, also when the size was lowered below the
    // number of actions held, and also when this action saves nothing.
    while (!FUndoList.Empty() && FUndoList.LastActionNo() >= int(FUndoRedoSize) - 1)
        FUndoList.DropOldestAction();
    const int actionNo = FUndoList.LastActionNo() + 1;
    for (TMyShape* s : Shapes) {
        TSavedShape record;
        if (!CopyForHistory(s, record))
            continue;
        record.ActionNo = actionNo;
        record.ShapeName = s->Name().left(TSavedShape::MaxShapeName);
        record.ActionName = ActionName;
        FUndoList.Append(std::move(record));
    }
    // A new action makes the undone ones meaningless; the actions Redo records do not.
    if (!Shapes.empty()) {
        if (!FRedoing)
            FRedoSteps.clear();
        Fire(OnUndoRedoChange, this);
    }
}

bool TMyCAD::CopyForHistory(TMyShape* S, TSavedShape& Record)
{
    std::unique_ptr<TMyShape> copy = CreateShapeByName(S->ClassName(), this);
    if (!copy)
        return false;
    copy->Assign(S);
    if (copy->HasLinkShapes())
        copy->LinkLineNos().clear();
    Record.Shape = std::move(copy);
    Record.ShapeName = S->Name();
    Record.ParentId = -1;
    if (const TMyShape* parent = GetShapeByNo(S->ParentNo()))
        Record.ParentId = parent->GetShapeId();
    Record.StartShapeId = Record.EndShapeId = -1;
    if (const auto* line = qobject_cast<const TMyLinkLine*>(S)) {
        if (const TMyShape* start = line->GetStartShape())
            Record.StartShapeId = start->GetShapeId();
        if (const TMyShape* end = line->GetEndShape())
            Record.EndShapeId = end->GetShapeId();
    }
    Record.ChildIds.clear();
    const TMyShapeNo& members = std::as_const(*S).ChildNos(); // reading makes no block
    Record.ChildIds.reserve(members.size());
    for (uint32_t no : members) {
        const TMyShape* child = GetShapeByNo(int(no));
        Record.ChildIds.push_back(child ? child->GetShapeId() : -1);
    }
    return true;
}

namespace {
TMyShape* ShapeById(const TMyCAD& cad, int Id)
{
    return cad.GetShapeByNo(cad.GetShapeNoById(Id));
}
} // namespace

int TMyCAD::PopFromUndoRedoShapeList()
{
    if (FUndoRedoSize == 0 || FUndoList.Empty())
        return -1;
    RemoveAllWorkingShapes();
    // The action leaves the history first, so that whatever the inverse operations and
    // their events do to the history cannot disturb the records being undone.
    std::vector<TSavedShape> records = FUndoList.TakeNewestAction();
    std::reverse(records.begin(), records.end()); // newest record first

    // Look the shapes to restore or regroup up before anything changes (restoring a copy
    // touches the lookup).
    std::vector<TMyShape*> targets(records.size(), nullptr);
    for (size_t k = 0; k < records.size(); ++k) {
        const TUndoAction action = UndoActionOf(records[k].ActionName);
        if (action == TUndoAction::Change || action == TUndoAction::UnGroup)
            targets[k] = ShapeById(*this, records[k].Shape->GetShapeId());
    }
    // What doing the action again needs, gathered while the drawing still shows its result
    // (kept in the order the action recorded its shapes, oldest record first).
    TRedoStep redo;
    redo.Action = UndoActionOf(records.front().ActionName);
    auto keep = [&redo, this](TMyShape* S) {
        TSavedShape copy;
        if (S && CopyForHistory(S, copy))
            redo.Shapes.push_back(std::move(copy));
    };
    for (size_t k = records.size(); k-- > 0;) {
        const int id = records[k].Shape->GetShapeId();
        switch (redo.Action) {
        case TUndoAction::Add: keep(ShapeById(*this, id)); break;
        case TUndoAction::Change: keep(targets[k]); break;
        case TUndoAction::Group: keep(ShapeById(*this, id)); break;
        case TUndoAction::BringToFront:
        case TUndoAction::BringToFrontByStep:
        case TUndoAction::SendToBack:
        case TUndoAction::SendToBackByStep:
            if (ShapeById(*this, id))
                redo.Ids.push_back(id);
            break;
        default: break;
        }
    }

    std::vector<int> added;
    std::vector<const TSavedShape*> deleted;
    TArrMyShape regroup;
    int oldGroupId = -1;
    for (size_t k = 0; k < records.size(); ++k) {
        const TSavedShape& r = records[k];
        TMyShape* S = targets[k];
        switch (UndoActionOf(r.ActionName)) {
        case TUndoAction::Add: added.push_back(r.Shape->GetShapeId()); break;
        case TUndoAction::Change:
            if (S) {
                S->AssignWithoutRelation(r.Shape.get());
                if (auto* line = qobject_cast<TMyLinkLine*>(S))
                    ReattachConnector(line, r);
                ChangeLinkShapes(S);
            }
            break;
        case TUndoAction::Delete: deleted.push_back(&r); break;
        case TUndoAction::Group: UnGroupShape(ShapeById(*this, r.Shape->GetShapeId()), false); break;
        case TUndoAction::UnGroup:
            // Only members still in the drawing and not in another group since.
            if (S && !S->HasParentShape() && std::find(regroup.begin(), regroup.end(), S) == regroup.end())
                regroup.push_back(S);
            if (r.ParentId >= 0)
                oldGroupId = r.ParentId;
            break;
        case TUndoAction::BringToFront: SendToBack(ShapeById(*this, r.Shape->GetShapeId()), false); break;
        case TUndoAction::SendToBack: BringToFront(ShapeById(*this, r.Shape->GetShapeId()), false); break;
        case TUndoAction::BringToFrontByStep:
            SendToBackByStep(ShapeById(*this, r.Shape->GetShapeId()), false);
            break;
        case TUndoAction::SendToBackByStep:
            BringToFrontByStep(ShapeById(*this, r.Shape->GetShapeId()), false);
            break;
        case TUndoAction::Unknown: break;
        }
    }
    // Shapes added by the action go (one pass; unknown identifiers are skipped).
    if (!added.empty())
        DeleteShapesById(added, false);

    // A dissolved group comes back as a new group around the same members; older actions
    // that named the old group now name the new one.
    if (!regroup.empty()) {
        const int G = GroupShapes(regroup, false);
        if (G >= 0 && redo.Action == TUndoAction::UnGroup)
            redo.Ids.push_back(G);
        if (G >= 0 && oldGroupId >= 0) {
            for (int i = 0; i < FUndoList.RecordCount(); ++i) {
                TSavedShape& older = FUndoList.Record(i);
                if (older.Shape->GetShapeId() == oldGroupId)
                    older.Shape->SetShapeId(G);
                if (older.ParentId == oldGroupId)
                    older.ParentId = G;
                std::replace(older.ChildIds.begin(), older.ChildIds.end(), oldGroupId, G);
            }
        }
    }

    if (!deleted.empty()) {
        RecreateDeletedShapes(deleted);
        if (redo.Action == TUndoAction::Delete)
            for (auto it = deleted.rbegin(); it != deleted.rend(); ++it)
                if (ShapeById(*this, (*it)->Shape->GetShapeId()))
                    redo.Ids.push_back((*it)->Shape->GetShapeId());
    }
    if (!redo.Shapes.empty() || !redo.Ids.empty())
        FRedoSteps.push_back(std::move(redo));
    Invalidate();
    Fire(OnUndoRedoChange, this);
    return FUndoList.LastActionNo();
}

// A connector's ends go back to the shapes they were attached to when the record was
// made, where those still exist and still have the link point; otherwise they are free.
void TMyCAD::ReattachConnector(TMyLinkLine* Line, const TSavedShape& Record)
{
    const auto* saved = qobject_cast<const TMyLinkLine*>(Record.Shape.get());
    if (!saved)
        return;
    auto attach = [&](TLinkLineEndPoint End, int Id, int PtId) {
        const TMyShape* s = Id >= 0 ? ShapeById(*this, Id) : nullptr;
        if (s && s != Line && PtId >= 0 && PtId < s->GetLinkPointsCount())
            AttachConnectorEnd(Line, End, s->ShapeNo(), PtId);
        else
            AttachConnectorEnd(Line, End, -1, -1);
    };
    attach(llStart, Record.StartShapeId, saved->StartSpPtId());
    attach(llEnd, Record.EndShapeId, saved->EndSpPtId());
}

void TMyCAD::RecreateDeletedShapes(const std::vector<const TSavedShape*>& Records, bool KeepLayers)
{
    const int base = GetShapesCount();
    // Old shape number of each copy -> the number its re-created shape will take.
    std::unordered_map<int, int> numbers;
    for (size_t k = 0; k < Records.size(); ++k)
        numbers[Records[k]->Shape->ShapeNo()] = base + int(k);
    // Shapes outside the action that a copy named by identifier (a member's group that
    // stayed, a member that stayed behind its group), looked up before anything is added.
    std::unordered_map<int, TMyShape*> outside;
    auto lookOutside = [&](int id) {
        if (id >= 0 && !outside.count(id))
            outside[id] = ShapeById(*this, id);
    };
    for (const TSavedShape* r : Records) {
        const TMyShape* K = r->Shape.get();
        if (K->ParentNo() >= 0 && !numbers.count(K->ParentNo()))
            lookOutside(r->ParentId);
        for (size_t i = 0; i < K->ChildNos().size(); ++i)
            if (!numbers.count(int(K->ChildNos()[i])) && i < r->ChildIds.size())
                lookOutside(r->ChildIds[i]);
    }
    auto outsideShape = [&](int id) -> TMyShape* {
        const auto it = outside.find(id);
        return it == outside.end() ? nullptr : it->second;
    };

    for (size_t k = 0; k < Records.size(); ++k) {
        const TSavedShape* r = Records[k];
        const TMyShape* K = r->Shape.get();
        std::unique_ptr<TMyShape> shape = CreateShapeByName(K->ClassName(), this);
        if (!shape)
            continue;
        shape->Assign(K);
        shape->SetName(r->ShapeName);
        const int no = GetShapesCount();

        // The group: re-created with it, or still in the drawing, or none.
        TMyShape* group = nullptr;
        int parent = -1;
        if (K->ParentNo() >= 0) {
            if (const auto it = numbers.find(K->ParentNo()); it != numbers.end())
                parent = it->second;
            else if ((group = outsideShape(r->ParentId)) != nullptr)
                parent = group->ShapeNo();
        }
        shape->SetParentNo(parent);
        // The members: re-created with it, or left behind as top-level shapes.
        TMyShapeNo members;
        TArrMyShape takenBack;
        for (size_t i = 0; i < K->ChildNos().size(); ++i) {
            if (const auto it = numbers.find(int(K->ChildNos()[i])); it != numbers.end()) {
                members.push_back(uint32_t(it->second));
            } else if (i < r->ChildIds.size()) {
                TMyShape* stayed = outsideShape(r->ChildIds[i]);
                if (stayed && !stayed->HasParentShape()) {
                    members.push_back(uint32_t(stayed->ShapeNo()));
                    takenBack.push_back(stayed);
                }
            }
        }
        if (!members.empty() || shape->HasChildShapes())
            shape->ChildNos() = members;
        // Connectors are not re-attached: both sides of every attachment are dropped.
        if (shape->HasLinkShapes())
            shape->LinkLineNos().clear();
        if (auto* line = dynamic_cast<TMyLinkLine*>(shape.get()))
            line->RemoveAllLink();
        shape->SetShapeNo(no);
        const bool keepLayer = KeepLayers && GetLayerNoById(K->LayerId()) >= 0;
        if (!AddShape(shape, keepLayer, true))
            return; // no layer to take shapes: nothing more can be added
        if (group) {
            group->ChildNos().push_back(uint32_t(no));
            std::sort(group->ChildNos().begin(), group->ChildNos().end());
        }
        for (TMyShape* member : takenBack)
            member->SetParentNo(no);
    }
}
