// TMyCAD: deleting shapes with their group members. A whole batch of deletions is one
// pass over the shape list: every shape to go is marked first, then the list is compacted
// once and every reference by number (parents, members, attached connectors, connector
// ends) is dropped or renumbered in the same pass.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

void TMyCAD::MarkForDeletion(TMyShape* S, std::vector<char>& Doomed, TArrMyShape& Order) const
{
    // Members before their group, in member order. A locked member stays in the drawing;
    // its own unlocked members still go.
    for (TMyShape* shape : ShapeTreeOf(S, true)) {
        if (shape->Locked())
            continue;
        const int no = GetShapeNoInMyShapes(shape);
        if (no < 0 || size_t(no) >= Doomed.size() || Doomed[size_t(no)])
            continue;
        Doomed[size_t(no)] = 1;
        Order.push_back(shape);
    }
}

void TMyCAD::RemoveShapes(const std::vector<char>& Doomed)
{
    const int n = GetShapesCount();
    if (int(Doomed.size()) != n)
        return;
    // The new number of every shape that stays; -1 for the shapes that go.
    std::vector<int> newNo(size_t(n), -1);
    int kept = 0;
    for (int i = 0; i < n; ++i)
        if (!Doomed[size_t(i)])
            newNo[size_t(i)] = kept++;
    if (kept == n)
        return;
    // A reference to a shape that goes (or to no shape at all) is dropped.
    auto map = [&](long no) { return (no >= 0 && no < n) ? newNo[size_t(no)] : -1; };
    auto mapList = [&](TMyShapeNo& list) {
        size_t out = 0;
        for (uint32_t entry : list) {
            const int m = map(long(entry));
            if (m >= 0)
                list[out++] = uint32_t(m);
        }
        list.resize(out);
    };

    for (int i = 0; i < n; ++i) {
        if (Doomed[size_t(i)])
            continue;
        TMyShape* shape = FShapes[size_t(i)].get();
        // A member left behind by its group (a locked one) becomes a top-level shape.
        if (shape->ParentNo() >= 0)
            shape->SetParentNo(map(shape->ParentNo()));
        if (shape->HasChildShapes())
            mapList(shape->ChildNos());
        if (shape->HasLinkShapes())
            mapList(shape->LinkLineNos());
        if (auto* line = dynamic_cast<TMyLinkLine*>(shape)) {
            // A connector attached to a shape that goes keeps its geometry with a loose end.
            if (line->StartSpNo() >= 0) {
                const int m = map(line->StartSpNo());
                line->SetStartSpNo(m);
                if (m < 0)
                    line->SetStartSpPtId(-1);
            }
            if (line->EndSpNo() >= 0) {
                const int m = map(line->EndSpNo());
                line->SetEndSpNo(m);
                if (m < 0)
                    line->SetEndSpPtId(-1);
            }
        }
    }

    // The working shapes that go leave the selection before they are freed; the
    // interaction state's references let go of them by themselves.
    std::erase_if(FWorkingShapes, [&](const TMyShape* s) {
        const int no = GetShapeNoInMyShapes(s);
        return no >= 0 && Doomed[size_t(no)];
    });

    std::vector<std::unique_ptr<TMyShape>> removed;
    removed.reserve(size_t(n - kept));
    size_t out = 0;
    for (int i = 0; i < n; ++i) {
        if (Doomed[size_t(i)]) {
            removed.push_back(std::move(FShapes[size_t(i)]));
            continue;
        }
        FShapes[out] = std::move(FShapes[size_t(i)]);
        FShapes[out]->SetShapeNo(int(out));
        ++out;
    }
    FShapes.resize(out);
    // The numbers of the last paint pass no longer hold; the next one lists them again.
    FDrawnShapes.clear();
    ShapeListChanged();
    // The shapes are freed once the drawing is consistent again.
    removed.clear();
}

bool TMyCAD::DeleteShapeById(int Id, bool AddUndo)
{
    return DeleteShapesById({Id}, AddUndo);
}

bool TMyCAD::DeleteShapesById(const std::vector<int>& Ids, bool AddUndo)
{
    // Every identifier is looked up once, before any record or event can disturb the lookup.
    std::vector<TMyShape*> targets(Ids.size());
    for (size_t k = 0; k < Ids.size(); ++k)
        targets[k] = GetShapeByNo(GetShapeNoById(Ids[k]));
    return DeleteShapes(Ids, std::move(targets), AddUndo);
}

bool TMyCAD::DeleteShapes(const std::vector<int>& Ids, std::vector<TMyShape*> targets, bool AddUndo)
{
    if (targets.size() != Ids.size())
        return false;
    auto resolve = [&](size_t from) {
        for (size_t k = from; k < Ids.size(); ++k)
            targets[k] = GetShapeByNo(GetShapeNoById(Ids[k]));
    };

    std::vector<char> doomed(size_t(GetShapesCount()), 0);
    TArrMyShape order;
    std::vector<size_t> accepted; // the targets deleted so far
    uint64_t generation = FShapeListGeneration;
    auto isDoomed = [&](TMyShape* s) {
        const int no = GetShapeNoInMyShapes(s);
        return no < 0 || size_t(no) >= doomed.size() || doomed[size_t(no)];
    };
    // An event handler changed the shape list: the marks no longer match the positions.
    // Mark the accepted targets again on the list as it is now and look the rest up anew.
    auto restart = [&]() {
        doomed.assign(size_t(GetShapesCount()), 0);
        order.clear();
        resolve(0);
        std::vector<size_t> still;
        for (size_t k : accepted) {
            TMyShape* s = targets[k];
            if (s && !s->Locked() && !isDoomed(s)) {
                MarkForDeletion(s, doomed, order);
                still.push_back(k);
            }
        }
        accepted.swap(still);
        generation = FShapeListGeneration;
    };

    bool result = true;
    for (size_t k = 0; k < Ids.size(); ++k) {
        TMyShape* S = targets[k];
        // Gone already: unknown, or taken with a group deleted before it.
        if (!S || isDoomed(S) || S->Locked()) {
            result = false;
            continue;
        }
        Fire(OnShapeDeleted, S);
        if (generation != FShapeListGeneration) {
            restart();
            S = targets[k];
            if (!S || isDoomed(S) || S->Locked()) {
                result = false;
                continue;
            }
        }
        if (AddUndo) {
            // What this deletion takes: S and its members, without the locked ones (which
            // stay) and without those an earlier deletion of the batch took already.
            TArrMyShape saved;
            for (TMyShape* shape : ShapeTreeOf(S, false))
                if (!shape->Locked() && !isDoomed(shape))
                    saved.push_back(shape);
            SaveUndoAction(saved, UndoActionName(TUndoAction::Delete));
        }
        MarkForDeletion(S, doomed, order);
        accepted.push_back(k);
        result = true;
    }
    if (accepted.empty())
        return result;
    RemoveShapes(doomed);
    RemoveAllWorkingShapes();
    Interaction().CurrentShape = nullptr;
    Interaction().ClickedChild = nullptr;
    return result;
}

bool TMyCAD::DeleteSelectedShapes()
{
    for (const TMyShape* s : FWorkingShapes)
        if (s->Locked())
            return false;
    // The working shapes, then the connectors hanging on selected junctions. A shape is
    // listed once, and a locked connector (which stays) not at all.
    TArrMyShape shapes = FWorkingShapes;
    std::unordered_set<const TMyShape*> listed(shapes.begin(), shapes.end());
    for (TMyShape* s : FWorkingShapes) {
        if (!dynamic_cast<TMyLineLinkLine*>(s))
            continue;
        for (uint32_t no : std::as_const(*s).LinkLineNos()) {
            TMyShape* line = GetShapeByNo(int(no));
            if (line && !line->Locked() && listed.insert(line).second)
                shapes.push_back(line);
        }
    }
    if (shapes.empty())
        return true;
    PushtoUndoRedoShapeList(shapes, UndoActionName(TUndoAction::Delete));
    std::vector<int> ids;
    ids.reserve(shapes.size());
    for (const TMyShape* s : shapes)
        ids.push_back(s->GetShapeId());
    DeleteShapes(ids, shapes, false);
    Invalidate();
    return true;
}
