// TMyCAD: placing an entry of a shape library on the canvas.
#include "component/document/MyCAD.h"

#include "component/base/PointArrays.h"
#include "component/library/LibManager.h"
#include "component/shapes/AllShapes.h"

namespace {

// A copy from a library entry keeps none of the entry's relations: its shape numbers
// belong to the drawing the entry was made from.
void DropRelations(TMyShape& shape)
{
    if (shape.HasChildShapes())
        shape.ChildNos().clear();
    if (shape.HasLinkShapes())
        shape.LinkLineNos().clear();
    shape.SetParentNo(-1);
    if (auto* connector = qobject_cast<TMyLinkLine*>(&shape))
        connector->RemoveAllLink();
}

} // namespace

int TMyCAD::AddUserDefineShapefromLib(TLibManager* Lib, const QString& Name, int X, int Y, TMyCAD*)
{
    TArrMyPoint linkPoints;
    TUserData userData;
    TLibShapes entry;
    int W = 0, H = 0;
    if (!Lib || !Lib->GetCmbShape(Name, linkPoints, userData, entry, W, H, true))
        return -1;
    if (entry.empty() && linkPoints.empty())
        return -1; // nothing to place
    TArrMyShape shapes;
    for (const auto& s : entry)
        shapes.push_back(s.get());

    // The placement box in screen pixels, centred on the drop point; the shapes' box
    // moves onto it.
    const TMyRect box = GetShapesLTRB(shapes);
    const double w = (double(box.Right) - box.Left) * FZoom, h = (double(box.Bottom) - box.Top) * FZoom;
    const TMyPoint C0(float(X - w / 2), float(Y - h / 2)), C1(float(X + w / 2), float(Y - h / 2));
    const TMyPoint C2(float(X + w / 2), float(Y + h / 2)), C3(float(X - w / 2), float(Y + h / 2));
    const double dx = C0.X / FZoom - box.Left, dy = C0.Y / FZoom - box.Top;
    for (TMyShape* s : shapes) {
        for (TMyPoint& p : s->PointsRef())
            p = TMyPoint(float(p.X + dx), float(p.Y + dy));
        s->SetCaptionPoint(TMyPoint(float(s->CaptionPoint().X + dx), float(s->CaptionPoint().Y + dy)));
    }

    const bool combined = shapes.size() > 1 || !linkPoints.empty();
    std::unique_ptr<TMyShape> shape;
    if (combined) {
        shape = CreateShapeByName(QStringLiteral("TMyCombine"), this);
        for (const TMyPoint& c : {C0, C1, C2, C3})
            shape->AddPoint(c);
        for (const TMyPoint& p : linkPoints)
            shape->AddLinkPoint(TMyPoint(float((p.X - box.Left) * FZoom + C0.X), float((p.Y - box.Top) * FZoom + C0.Y)));
    } else {
        shape = CreateShapeByName(shapes.front()->ClassName(), this);
        shape->Assign(shapes.front());
        DropRelations(*shape);
    }
    const int id = FNextShapeId;
    shape->SetShapeNo(GetShapesCount());
    shape->SetShapeId(id);
    shape->SetLayerId(FCurrentLayerId);
    shape->SetName(QStringLiteral("Shape%1").arg(id));
    shape->SetCenterPoint(shape->ComputeCenterPoint(4));
    shape->SetCaptionPoint(TMyPoint(shape->CenterPoint().X, GetPointsLTRB(shape->Points()).Bottom + 10));
    shape->UserData()->Assign(userData);
    TMyShape* added = shape.get();
    if (!AddShape(shape, false, false)) {
        Invalidate();
        return -1;
    }

    // The members, groups of the entry left out: their members become members of the
    // one combined shape. Every copy belongs to this drawing, which holds it.
    if (combined) {
        for (TMyShape* s : shapes) {
            if (qobject_cast<TMyGroup*>(s))
                continue;
            std::unique_ptr<TMyShape> member = CreateShapeByName(s->ClassName(), this);
            member->Assign(s);
            DropRelations(*member);
            const int memberId = FNextShapeId;
            member->SetName(QStringLiteral("Shape%1").arg(memberId));
            member->SetShapeNo(GetShapesCount());
            member->SetShapeId(memberId);
            member->SetParentNo(added->ShapeNo());
            member->SetInfo(s->Info());
            member->SetCenterPoint(member->ComputeCenterPoint(4));
            const int memberNo = member->ShapeNo();
            if (AddShape(member, false, false))
                added->ChildNos().push_back(uint32_t(memberNo));
        }
    }

    Fire(OnShapeAdded, added, GetShapesCount());
    PushtoUndoRedoShapeList({added}, UndoActionName(TUndoAction::Add));
    FWorkingShapes.assign(1, added);
    Invalidate();
    return id;
}
