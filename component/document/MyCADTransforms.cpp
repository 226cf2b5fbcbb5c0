// TMyCAD: transforms that carry a shape's group members along, and the host commands
// that move, turn, tilt, resize and mirror a shape.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/shapes/AllShapes.h"

#include <unordered_set>
#include <utility>

namespace {
bool IsGroup(const TMyShape* S)
{
    return dynamic_cast<const TMyGroup*>(S) != nullptr; // TMyCombine is a TMyGroup
}

// The fixed corner of a group resize: the corner opposite the grabbed hot, side hots 4
// to 7 taken like corners 0 to 3.
int OppositeCorner(int Hot)
{
    switch (Hot) {
    case 0:
    case 4: return 2;
    case 1:
    case 5: return 3;
    case 2:
    case 6: return 0;
    case 3:
    case 7: return 1;
    default: return 2;
    }
}

// a / b, or Fallback when the division has no result.
double ScaleOf(double a, double b, double Fallback)
{
    return b != 0 ? a / b : Fallback;
}
} // namespace

TArrMyShape TMyCAD::ShapeTreeOf(TMyShape* S, bool MembersFirst) const
{
    TArrMyShape result;
    if (!S)
        return result;
    if (!S->HasChildShapes()) {
        result.push_back(S);
        return result;
    }
    // A damaged drawing may list a member twice or hold a cycle: each shape comes once.
    std::unordered_set<const TMyShape*> seen;
    struct Frame {
        TMyShape* Shape;
        size_t Next;
    };
    std::vector<Frame> stack;
    seen.insert(S);
    if (!MembersFirst)
        result.push_back(S);
    stack.push_back({S, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const TMyShapeNo& members = std::as_const(*top.Shape).ChildNos();
        if (top.Next < members.size()) {
            TMyShape* member = GetShapeByNo(int(members[top.Next++]));
            if (member && seen.insert(member).second) {
                if (!MembersFirst)
                    result.push_back(member);
                stack.push_back({member, 0});
            }
            continue;
        }
        if (MembersFirst)
            result.push_back(top.Shape);
        stack.pop_back();
    }
    return result;
}

// ---- Recursive shape operations ---------------------------------------------------------

void TMyCAD::DragChangeValueDxDyforShapes(TMyShape* S, double dx, double dy)
{
    for (TMyShape* shape : ShapeTreeOf(S, true))
        if (!shape->Locked())
            shape->DragChangeValuedxdy(dx, dy);
}

void TMyCAD::DraggingforShapes(TCanvas* Canvas, TMyShape* S, TPoint From, TPoint To)
{
    if (S && !S->Locked())
        S->Draging(Canvas, From, To);
}

void TMyCAD::RotateChangeValueforShapes(TMyShape* S, TMyPoint Centre, double Angle)
{
    for (TMyShape* shape : ShapeTreeOf(S, false))
        if (!shape->Locked())
            shape->RotateChangeValueByAngle(Centre, float(Angle));
}

void TMyCAD::RotatingforShapes(TCanvas* Canvas, TMyShape* S, TMyPoint Centre, double Angle)
{
    // Only shapes without members draw a trace: a group shows its members turning.
    for (TMyShape* shape : ShapeTreeOf(S, false))
        if (!shape->HasChildShapes() && !shape->Locked())
            shape->Rotating(Canvas, Centre, float(Angle));
}

void TMyCAD::LockUnLockforShapes(TMyShape* S, bool Lock)
{
    for (TMyShape* shape : ShapeTreeOf(S, true))
        shape->StoreLocked(Lock);
}

void TMyCAD::SizeChangeValueforShapes(TMyShape* S, TMyPoint From, TMyPoint To)
{
    if (!S || S->Locked() || !S->ResizeEnable())
        return;
    const float theta = S->Angle();
    // Turning by 0 would still round the points: an unturned shape is not turned at all.
    auto turn = [S](float a) {
        if (a != 0)
            S->SetAngle(a);
    };

    if (IsGroup(S)) {
        const int k = OppositeCorner(S->CurrentHot());
        turn(-theta);
        const TMyPoint fixed = S->GetPoint(k);
        turn(theta);
        const TMyPoint c1 = S->GetCenterPoint();
        const double w1 = S->GetMyWidth(), h1 = S->GetMyHeight();
        S->SizeChangeValue(From, To);
        const TMyPoint c2 = S->GetCenterPoint();
        const double w2 = S->GetMyWidth(), h2 = S->GetMyHeight();
        S->SizeChangeValue(To, From);
        const double sx = ScaleOf(w2, w1, 1.0), sy = ScaleOf(h2, h1, 1.0);
        for (TMyShape* shape : ShapeTreeOf(S, true))
            if (!shape->Locked() && shape->ResizeEnable())
                shape->SizeChangeValueByScale(sx, sy, fixed, c1, c2);
        return;
    }

    turn(-theta);
    const TMyPoint c1 = S->GetCenterPoint();
    const double w1 = S->GetMyWidth(), h1 = S->GetMyHeight();
    const TMyRect r1 = GetPointsLTRB(S->Points());
    turn(theta);

    S->SizeChangeValue(From, To);
    const TMyPoint c2 = S->GetCenterPoint();

    turn(-theta);
    TMyRect r2 = GetPointsLTRB(S->Points());
    if (theta != 0)
        OffsetMyRect(r2, double(c2.X) - c1.X, double(c2.Y) - c1.Y);
    // The side that did not move is the fixed reference of the caption (later tests win).
    TMyPoint fixed(r1.Left, r1.Top);
    if (r1.Left == r2.Left)
        fixed.X = r1.Left;
    if (r1.Top == r2.Top)
        fixed.Y = r1.Top;
    if (r1.Right == r2.Right)
        fixed.X = r1.Right;
    if (r1.Bottom == r2.Bottom)
        fixed.Y = r1.Bottom;
    turn(theta);
    const double w2 = S->GetMyWidth(), h2 = S->GetMyHeight();

    // The caption keeps its place relative to the box.
    TMyPoint p = RotateAPoint(S->CaptionPoint(), c1, -theta);
    if (w1 != 0)
        p.X = float(fixed.X + (double(p.X) - fixed.X) * w2 / w1);
    if (h1 != 0)
        p.Y = float(fixed.Y + (double(p.Y) - fixed.Y) * h2 / h1);
    S->SetCaptionPoint(RotateAPoint(p, c1, theta));
}

// ---- Host commands ------------------------------------------------------------------------

void TMyCAD::Move(TMyShape* S, double dx, double dy)
{
    if (!S)
        return;
    Fire(OnShapeCodeDragging, S, float(dx), float(dy));
    DragChangeValueDxDyforShapes(S, dx, dy);
    ChangeLinkShapes(S);
    Invalidate();
}

void TMyCAD::Rotate(TMyShape* S, float Angle)
{
    if (!S)
        return;
    Fire(OnShapeCodeRotating, S, Angle);
    S->SetAngle(Angle);
    ChangeLinkShapes(S);
    Invalidate();
}

float TMyCAD::Tilt(TMyShape* S, TMyPoint Centre, TMyPoint From, TMyPoint To, bool UseConstraint)
{
    if (!S)
        return 0;
    const float a = S->GetRotatedAngle(From, To, Centre, UseConstraint);
    RotateChangeValueforShapes(S, Centre, a);
    ChangeLinkShapes(S);
    return a;
}

void TMyCAD::SizeShape(TMyShape* S, int Hot, TMyPoint Target)
{
    if (!S || Hot < 0)
        return;
    S->SetCurrentHot(Hot);
    const int point = (dynamic_cast<TMyRectangle*>(S) && Hot > 3) ? Hot - 4 : Hot;
    SizeChangeValueforShapes(S, S->GetPointInZoom(point), Target);
    // Connectors are not re-laid here, but lookups by position must know of the change.
    GeometryChanged();
    Invalidate();
}

void TMyCAD::FlipHoriz(TMyShape* S)
{
    if (!S || dynamic_cast<TMyLinkLine*>(S))
        return;
    PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::Change));
    for (TMyShape* shape : ShapeTreeOf(S, true)) {
        if (shape->Locked())
            continue;
        shape->FlipHoriz();
        ChangeLinkShapes(shape);
    }
}

void TMyCAD::FlipVert(TMyShape* S)
{
    if (!S || dynamic_cast<TMyLinkLine*>(S))
        return;
    PushtoUndoRedoShapeList({S}, UndoActionName(TUndoAction::Change));
    for (TMyShape* shape : ShapeTreeOf(S, true)) {
        if (shape->Locked())
            continue;
        shape->FlipVert();
        ChangeLinkShapes(shape);
    }
}

void TMyCAD::ForShapeTree(TMyShape* S, bool MembersFirst, const std::function<void(TMyShape*)>& Action, int)
{
    if (S && !S->HasChildShapes()) {
        Action(S);
        return;
    }
    for (TMyShape* shape : ShapeTreeOf(S, MembersFirst))
        Action(shape);
}
