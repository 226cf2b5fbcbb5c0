// TMyCAD: queries over the shape list.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/shapes/MyShape.h"

#include <algorithm>
#include <limits>

TMyShape* TMyCAD::GetShapeByNo(int No) const
{
    if (No < 0 || No >= GetShapesCount())
        return nullptr;
    return FShapes[size_t(No)].get();
}

TMyShape* TMyCAD::GetShapeByID(int Id) const
{
    if (Id < 0 || Id >= FNextShapeId)
        return nullptr;
    return GetShapeByNo(FShapeIndex.FirstPositionOf(FShapes, Id));
}

int TMyCAD::GetShapeNoById(int Id) const
{
    const TMyShape* shape = GetShapeByNo(FShapeIndex.LastPositionOf(FShapes, Id));
    return shape ? shape->ShapeNo() : -1;
}

int TMyCAD::GetShapeNoInMyShapes(const TMyShape* Shape) const
{
    if (!Shape)
        return -1;
    // The shape number is the position whenever the list is consistent; check it first.
    const int no = Shape->ShapeNo();
    if (no >= 0 && no < GetShapesCount() && FShapes[size_t(no)].get() == Shape)
        return no;
    for (size_t i = 0; i < FShapes.size(); ++i)
        if (FShapes[i].get() == Shape)
            return int(i);
    return -1;
}

TMyShape* TMyCAD::GetShapeByName(const QString& Name) const
{
    return GetShapeByNo(FShapeIndex.FirstPositionOfName(FShapes, Name));
}

void TMyCAD::RenameShapeName(const QString& OldName, const QString& NewName)
{
    if (OldName == NewName || GetShapeByName(NewName))
        return;
    if (TMyShape* shape = GetShapeByName(OldName))
        shape->SetName(NewName);
}

TMyShape* TMyCAD::GetRootParentShape(const TMyShape* Shape) const
{
    if (!Shape)
        return nullptr;
    TMyShape* current = const_cast<TMyShape*>(Shape);
    // A damaged drawing may hold a cycle of parents: never walk more steps than shapes.
    for (int steps = 0; current->HasParentShape() && steps <= GetShapesCount(); ++steps) {
        TMyShape* parent = GetShapeByNo(current->ParentNo());
        if (!parent || parent == current)
            break;
        current = parent;
    }
    return current;
}

TMyShape* TMyCAD::GetNextSingleorRootShape(int No) const
{
    for (int i = std::max(No + 1, 0); i < GetShapesCount(); ++i)
        if (!FShapes[size_t(i)]->HasParentShape())
            return FShapes[size_t(i)].get();
    return nullptr;
}

TMyShape* TMyCAD::GetPrevSingleorRootShape(int No) const
{
    for (int i = std::min(No, GetShapesCount()) - 1; i >= 0; --i)
        if (!FShapes[size_t(i)]->HasParentShape())
            return FShapes[size_t(i)].get();
    return nullptr;
}

int TMyCAD::GetShapesCountInALayer(int LayerId) const
{
    return int(std::count_if(FShapes.begin(), FShapes.end(),
                             [LayerId](const auto& s) { return s->LayerId() == LayerId; }));
}

TArrMyShape TMyCAD::GetShapesByLayerId(int LayerId) const
{
    TArrMyShape result;
    if (FCurrentLayerId == -1)
        return result;
    for (const auto& shape : FShapes)
        if (shape->LayerId() == LayerId && !shape->HasParentShape())
            result.push_back(shape.get());
    return result;
}

TMyRect TMyCAD::GetShapesLTRB(const TArrMyShape& Shapes) const
{
    bool any = false;
    TMyRect r(std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
              std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest());
    for (const TMyShape* shape : Shapes) {
        if (!shape)
            continue;
        for (const TMyPoint& p : shape->Points()) {
            any = true;
            r.Left = std::min(r.Left, p.X);
            r.Top = std::min(r.Top, p.Y);
            r.Right = std::max(r.Right, p.X);
            r.Bottom = std::max(r.Bottom, p.Y);
        }
    }
    return any ? r : TMyRect();
}

TMyRect TMyCAD::GetShapesLTRBinZoom(const TArrMyShape& Shapes) const
{
    const TMyRect r = GetShapesLTRB(Shapes);
    return TMyRect(float(r.Left * FZoom), float(r.Top * FZoom), float(r.Right * FZoom), float(r.Bottom * FZoom));
}

TPoint TMyCAD::GetPointByMode(TPoint P) const
{
    const int w = width(), h = height();
    switch (FXYMode) {
    case TXYMode::Mode1: return TPoint(P.X, h - P.Y);
    case TXYMode::Mode2: return TPoint(w - P.X, h - P.Y);
    case TXYMode::Mode3: return TPoint(w - P.X, P.Y);
    default: return P;
    }
}

TMyPoint TMyCAD::GetMyPointByMode(TMyPoint P) const
{
    const float w = float(width()), h = float(height());
    switch (FXYMode) {
    case TXYMode::Mode1: return TMyPoint(P.X, h - P.Y);
    case TXYMode::Mode2: return TMyPoint(w - P.X, h - P.Y);
    case TXYMode::Mode3: return TMyPoint(w - P.X, P.Y);
    default: return P;
    }
}
