// TMyCAD: making and dissolving groups.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/base/PointArrays.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <unordered_set>

int TMyCAD::GroupShapes(const TArrMyShape& Shapes, bool AddUndo)
{
    // Each shape once, in the order given. Every one must be a visible top-level shape of
    // this drawing on the first one's layer.
    TArrMyShape members;
    std::unordered_set<const TMyShape*> seen;
    for (TMyShape* s : Shapes) {
        if (!s || GetShapeNoInMyShapes(s) < 0)
            return -1;
        if (seen.insert(s).second)
            members.push_back(s);
    }
    if (members.empty())
        return -1;
    const int layer = members.front()->LayerId();
    for (const TMyShape* s : members)
        if (!s->Visible() || s->LayerId() != layer || s->HasParentShape())
            return -1;

    const TMyRect B = GetShapesLTRBinZoom(members);
    std::unique_ptr<TMyShape> group = CreateShapeByName(QStringLiteral("TMyGroup"), this);
    group->AddPoint(TMyPoint(B.Left, B.Top));
    group->AddPoint(TMyPoint(B.Right, B.Top));
    group->AddPoint(TMyPoint(B.Right, B.Bottom));
    group->AddPoint(TMyPoint(B.Left, B.Bottom));
    const int no = GetShapesCount();
    const int id = FNextShapeId;
    group->SetShapeNo(no);
    group->SetShapeId(id);
    group->SetName(QStringLiteral("Shape%1").arg(id));
    for (TMyShape* s : members) {
        group->ChildNos().push_back(uint32_t(s->ShapeNo()));
        s->SetParentNo(no);
    }
    std::sort(group->ChildNos().begin(), group->ChildNos().end());
    group->SetCenterPoint(group->ComputeCenterPoint(4));
    group->SetCaptionPoint(TMyPoint(group->CenterPoint().X, GetPointsLTRB(group->Points()).Bottom + 10.0f));
    group->SetParentNo(-1);
    TMyShape* added = group.get();
    if (!AddShape(group, false, false)) {
        // The group never came to be: its members stay top-level shapes.
        for (TMyShape* s : members)
            s->SetParentNo(-1);
        return -1;
    }
    if (AddUndo)
        PushtoUndoRedoShapeList({added}, UndoActionName(TUndoAction::Group));
    FWorkingShapes.assign(1, added);
    Interaction().CurrentShape = added;
    Invalidate();
    return id;
}

int TMyCAD::GroupWorkingShape()
{
    const TArrMyShape shapes = FWorkingShapes;
    return GroupShapes(shapes, true);
}

void TMyCAD::UnGroupShape(TMyShape* S, bool AddUndo)
{
    // Only a top-level group of this drawing, and not a locked one: a locked group could
    // not be deleted and would be left empty.
    const int no = GetShapeNoInMyShapes(S);
    if (no < 0 || !S->HasChildShapes() || S->HasParentShape() || S->Locked())
        return;
    const bool wasBusy = FBusy;
    FBusy = true;
    RemoveAllWorkingShapes();
    if (AddUndo)
        PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::UnGroup));
    for (uint32_t member : S->ChildNos())
        if (TMyShape* m = GetShapeByNo(int(member)); m && m->ParentNo() == no)
            m->SetParentNo(-1);
    S->ChildNos().clear();
    DeleteShapeById(S->GetShapeId(), false);
    Invalidate();
    FBusy = wasBusy;
}

bool TMyCAD::areTheyBrother(const TMyShape* A, const TMyShape* B) const
{
    return A && B && A->HasParentShape() && B->HasParentShape() && A->ParentNo() == B->ParentNo();
}
