// TMyCAD: the working shapes, the drawing's current selection. It holds root shapes only
// (a member stands for its root group) and never a shape twice.
#include "document/MyCAD.h"

#include "shapes/MyShape.h"

#include <algorithm>

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
    if (FCurrentShape == S)
        FCurrentShape = nullptr;
    if (FClickedChild == S)
        FClickedChild = nullptr;
    FWorkingShapes.erase(FWorkingShapes.begin() + i);
}

void TMyCAD::RemoveAllWorkingShapes()
{
    while (!FWorkingShapes.empty())
        RemoveWorkingShape(FWorkingShapes.front());
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

void TMyCAD::SelectAllShapes()
{
    for (const auto& shape : FShapes)
        if (!shape->HasParentShape())
            AddWorkingShapes(shape.get());
    SelectAllWorkingShapes();
    ScreenChanged();
}

void TMyCAD::SelectAllShapesByLayerId(int LayerId)
{
    if (FCurrentLayerId == -1)
        return;
    for (const auto& shape : FShapes)
        if (!shape->HasParentShape() && shape->LayerId() == LayerId)
            AddWorkingShapes(shape.get());
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
    AddWorkingShapes(S);
    Fire(OnShapeSelected, FWorkingShapes.front(), S);
    Invalidate();
    return true;
}

void TMyCAD::DeSelectedAllShapesByCode()
{
    RemoveAllWorkingShapes();
    Invalidate();
}
