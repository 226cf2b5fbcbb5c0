// TMyCAD: the working shapes, the drawing's current selection. It holds root shapes only
// (a member stands for its root group) and never a shape twice.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/shapes/MyShape.h"

#include <algorithm>
#include <unordered_set>

void TMyCAD::AddWorkingShapes(TMyShape* S)
{
    S = GetRootParentShape(S);
    if (S && IsInWorkingShape(S) < 0)
        FWorkingShapes.push_back(S);
}

void TMyCAD::RemoveWorkingShape(TMyShape* S)
{
    const int i = IsInWorkingShape(S);
    if (i < 0)
        return;
    if (Interaction().CurrentShape == S)
        Interaction().CurrentShape = nullptr;
    if (Interaction().ClickedChild == S)
        Interaction().ClickedChild = nullptr;
    FWorkingShapes.erase(FWorkingShapes.begin() + i);
}

// The same as removing the first working shape until none is left, in one pass.
void TMyCAD::RemoveAllWorkingShapes()
{
    for (TMyShape* S : FWorkingShapes) {
        if (Interaction().CurrentShape == S)
            Interaction().CurrentShape = nullptr;
        if (Interaction().ClickedChild == S)
            Interaction().ClickedChild = nullptr;
    }
    FWorkingShapes.clear();
}

void TMyCAD::SetWorkingShapes(const TArrMyShape& Shapes)
{
    FWorkingShapes.clear();
    AppendWorkingShapes(Shapes);
}

void TMyCAD::AppendWorkingShapes(const TArrMyShape& Shapes)
{
    std::unordered_set<const TMyShape*> selected(FWorkingShapes.begin(), FWorkingShapes.end());
    for (TMyShape* s : Shapes)
        if (s && selected.insert(s).second)
            FWorkingShapes.push_back(s);
}

int TMyCAD::IsInWorkingShape(const TMyShape* S) const
{
    const auto it = std::find(FWorkingShapes.begin(), FWorkingShapes.end(), S);
    return it == FWorkingShapes.end() ? -1 : int(it - FWorkingShapes.begin());
}

TMyShape* TMyCAD::GetSelectedShape() const
{
    return FWorkingShapes.size() == 1 ? FWorkingShapes.front() : nullptr;
}

namespace {
// Appends every top-level shape that passes Accept and is not selected yet, in list
// order, without searching the selection once per shape.
template <typename Accept>
void AddTopLevelShapes(const std::vector<std::unique_ptr<TMyShape>>& Shapes, TArrMyShape& Working, Accept accept)
{
    std::unordered_set<const TMyShape*> selected(Working.begin(), Working.end());
    for (const auto& shape : Shapes)
        if (!shape->HasParentShape() && accept(shape.get()) && selected.insert(shape.get()).second)
            Working.push_back(shape.get());
}
} // namespace

void TMyCAD::SelectAllShapes()
{
    AddTopLevelShapes(FShapes, FWorkingShapes, [](const TMyShape*) { return true; });
    SelectAllWorkingShapes();
    ScreenChanged();
}

void TMyCAD::SelectAllShapesByLayerId(int LayerId)
{
    if (FCurrentLayerId == -1)
        return;
    AddTopLevelShapes(FShapes, FWorkingShapes, [LayerId](const TMyShape* s) { return s->LayerId() == LayerId; });
    SelectAllWorkingShapes();
    ScreenChanged();
}

bool TMyCAD::SelectShapeByCode(int Id, bool ClearFirst)
{
    TMyShape* S = GetShapeByID(Id);
    if (!S)
        return false;
    if (ClearFirst)
        RemoveAllWorkingShapes();
    // The previous selection as the event reports it: S itself when there was none.
    TMyShape* first = FWorkingShapes.empty() ? S : FWorkingShapes.front();
    AddWorkingShapes(S);
    Fire(OnShapeSelected, first, S);
    Invalidate();
    return true;
}

void TMyCAD::DeSelectedAllShapesByCode()
{
    RemoveAllWorkingShapes();
    Invalidate();
}
