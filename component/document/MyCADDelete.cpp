// TMyCAD: deleting a shape with its group members, renumbering every reference.
#include "document/MyCAD.h"

#include "shapes/AllShapes.h"

#include <algorithm>

namespace {
// Removes every entry equal to no from the list.
void RemoveNumber(TMyShapeNo& list, uint32_t no)
{
    list.erase(std::remove(list.begin(), list.end(), no), list.end());
}

// Entries above no move down by one.
void ShiftDownAbove(TMyShapeNo& list, uint32_t no)
{
    for (uint32_t& entry : list)
        if (entry > no)
            --entry;
}
} // namespace

// Members before their group, in member order; locked shapes stay (their own unlocked
// members are still collected).
void TMyCAD::CollectForDeletion(TMyShape* S, TArrMyShape& Out, int Depth) const
{
    if (!S || Depth > GetShapesCount())
        return;
    for (uint32_t no : S->ChildNos()) {
        TMyShape* child = GetShapeByNo(int(no));
        if (child && child != S)
            CollectForDeletion(child, Out, Depth + 1);
    }
    if (!S->Locked() && std::find(Out.begin(), Out.end(), S) == Out.end())
        Out.push_back(S);
}

void TMyCAD::DetachConnectors(TMyShape* X)
{
    const int no = X->ShapeNo();
    for (uint32_t lineNo : X->LinkLineNos()) {
        auto* line = dynamic_cast<TMyLinkLine*>(GetShapeByNo(int(lineNo)));
        if (!line)
            continue;
        if (line->StartSpNo() == no) {
            line->SetStartSpNo(-1);
            line->SetStartSpPtId(-1);
        }
        if (line->EndSpNo() == no) {
            line->SetEndSpNo(-1);
            line->SetEndSpPtId(-1);
        }
    }
    if (auto* line = dynamic_cast<TMyLinkLine*>(X)) {
        for (int end : {line->StartSpNo(), line->EndSpNo()})
            if (TMyShape* attached = GetShapeByNo(end))
                RemoveNumber(attached->LinkLineNos(), uint32_t(no));
    }
}

void TMyCAD::RemoveShapeAt(int n)
{
    TMyShape* removed = GetShapeByNo(n);
    if (!removed)
        return;
    const uint32_t un = uint32_t(n);
    TMyShape* parent = removed->HasParentShape() ? GetShapeByNo(removed->ParentNo()) : nullptr;
    if (parent)
        RemoveNumber(parent->ChildNos(), un);
    // A member left behind (a locked one) must not name the removed group: it becomes a
    // top-level shape.
    for (const auto& shape : FShapes)
        if (shape.get() != removed && shape->ParentNo() == n)
            shape->SetParentNo(-1);
    for (const auto& shape : FShapes) {
        if (shape->ParentNo() > n)
            shape->SetParentNo(shape->ParentNo() - 1);
        ShiftDownAbove(shape->ChildNos(), un);
        ShiftDownAbove(shape->LinkLineNos(), un);
        if (auto* line = dynamic_cast<TMyLinkLine*>(shape.get())) {
            if (line->StartSpNo() > n)
                line->SetStartSpNo(line->StartSpNo() - 1);
            if (line->EndSpNo() > n)
                line->SetEndSpNo(line->EndSpNo() - 1);
        }
    }
    std::erase(FWorkingShapes, removed);
    if (FCurrentShape == removed)
        FCurrentShape = nullptr;
    if (FLastEnteredShape == removed)
        FLastEnteredShape = nullptr;
    if (FHighlightShape == removed) {
        FHighlightShape = nullptr;
        FHighlightIndex = -1;
    }
    FShapes.erase(FShapes.begin() + n);
    for (int i = n; i < GetShapesCount(); ++i)
        FShapes[size_t(i)]->SetShapeNo(i);
    ShapeListChanged();
}

bool TMyCAD::DeleteShapeById(int Id, bool AddUndo)
{
    (void)AddUndo;
    TMyShape* S = GetShapeByNo(GetShapeNoById(Id));
    if (!S || S->Locked())
        return false;
    Fire(OnShapeDeleted, S);
    TArrMyShape doomed;
    CollectForDeletion(S, doomed, 0);
    for (TMyShape* X : doomed)
        DetachConnectors(X);
    for (TMyShape* X : doomed)
        RemoveShapeAt(GetShapeNoInMyShapes(X));
    FWorkingShapes.clear();
    FCurrentShape = nullptr;
    return true;
}
