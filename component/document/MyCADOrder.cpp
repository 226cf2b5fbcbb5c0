// TMyCAD: the drawing order. Only top-level shapes move past each other; group members
// keep their positions (they are painted with their group). Every move is one
// permutation of the shape list applied in a single pass, so bringing a shape to the
// front of a large drawing costs one pass, not one pass per shape passed over.
#include "component/document/MyCAD.h"

#include "component/shapes/AllShapes.h"

void TMyCAD::ReorderShapes(const std::vector<int>& NewNo)
{
    const int n = GetShapesCount();
    if (int(NewNo.size()) != n)
        return;
    auto map = [&](int no) { return (no >= 0 && no < n) ? NewNo[size_t(no)] : no; };
    for (const auto& owned : FShapes) {
        TMyShape* shape = owned.get();
        if (shape->ParentNo() >= 0)
            shape->SetParentNo(map(shape->ParentNo()));
        if (shape->HasChildShapes())
            for (uint32_t& no : shape->ChildNos())
                no = uint32_t(map(int(no)));
        if (shape->HasLinkShapes())
            for (uint32_t& no : shape->LinkLineNos())
                no = uint32_t(map(int(no)));
        if (auto* line = dynamic_cast<TMyLinkLine*>(shape)) {
            if (line->StartSpNo() >= 0)
                line->SetStartSpNo(map(line->StartSpNo()));
            if (line->EndSpNo() >= 0)
                line->SetEndSpNo(map(line->EndSpNo()));
        }
    }
    std::vector<std::unique_ptr<TMyShape>> reordered(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        reordered[size_t(NewNo[size_t(i)])] = std::move(FShapes[size_t(i)]);
    FShapes.swap(reordered);
    for (int i = 0; i < n; ++i)
        FShapes[size_t(i)]->SetShapeNo(i);
    FDrawnShapes.clear();
    ShapeListChanged();
}

namespace {
std::vector<int> Identity(int n)
{
    std::vector<int> p(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        p[size_t(i)] = i;
    return p;
}
} // namespace

void TMyCAD::SwapShape(TMyShape* A, TMyShape* B)
{
    const int i = GetShapeNoInMyShapes(A), j = GetShapeNoInMyShapes(B);
    if (i < 0 || j < 0 || i == j)
        return;
    std::vector<int> newNo = Identity(GetShapesCount());
    newNo[size_t(i)] = j;
    newNo[size_t(j)] = i;
    ReorderShapes(newNo);
}

namespace {
// The positions of the top-level shapes after (Forward) or before position i, nearest
// first.
std::vector<int> RootsBeyond(const TMyCAD& cad, int i, bool Forward)
{
    std::vector<int> roots;
    const int n = cad.GetShapesCount();
    for (int k = Forward ? i + 1 : i - 1; k >= 0 && k < n; k += Forward ? 1 : -1)
        if (!cad.GetShapeByNo(k)->HasParentShape())
            roots.push_back(k);
    return roots;
}
} // namespace

// S moves to the farthest top-level position in one direction; every top-level shape
// passed over moves one top-level position back towards where S was. This is the result
// of swapping S with each of them in turn.
static std::vector<int> PassAll(int n, int i, const std::vector<int>& roots)
{
    std::vector<int> newNo = Identity(n);
    if (roots.empty())
        return newNo;
    newNo[size_t(i)] = roots.back();
    newNo[size_t(roots.front())] = i;
    for (size_t m = 1; m < roots.size(); ++m)
        newNo[size_t(roots[m])] = roots[m - 1];
    return newNo;
}

void TMyCAD::BringToFront(TMyShape* S, bool AddUndo)
{
    const int i = GetShapeNoInMyShapes(S);
    if (i < 0 || S->HasParentShape())
        return;
    const std::vector<int> roots = RootsBeyond(*this, i, true);
    if (!roots.empty())
        ReorderShapes(PassAll(GetShapesCount(), i, roots));
    Invalidate();
    if (AddUndo)
        PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::BringToFront));
}

void TMyCAD::SendToBack(TMyShape* S, bool AddUndo)
{
    const int i = GetShapeNoInMyShapes(S);
    if (i < 0 || S->HasParentShape())
        return;
    const std::vector<int> roots = RootsBeyond(*this, i, false);
    if (!roots.empty())
        ReorderShapes(PassAll(GetShapesCount(), i, roots));
    Invalidate();
    if (AddUndo)
        PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::SendToBack));
}

void TMyCAD::BringToFrontByStep(TMyShape* S, bool AddUndo)
{
    const int i = GetShapeNoInMyShapes(S);
    if (i < 0 || S->HasParentShape())
        return;
    TMyShape* next = GetNextSingleorRootShape(i);
    if (!next)
        return;
    SwapShape(S, next);
    Invalidate();
    if (AddUndo)
        PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::BringToFrontByStep));
}

void TMyCAD::SendToBackByStep(TMyShape* S, bool AddUndo)
{
    const int i = GetShapeNoInMyShapes(S);
    if (i < 0 || S->HasParentShape())
        return;
    TMyShape* previous = GetPrevSingleorRootShape(i);
    if (!previous)
        return;
    SwapShape(S, previous);
    Invalidate();
    if (AddUndo)
        PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::SendToBackByStep));
}
