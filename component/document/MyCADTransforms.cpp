// TMyCAD: transforms that carry a shape's group members along.
#include "document/MyCAD.h"

#include "shapes/AllShapes.h"

void TMyCAD::RotateChangeValueforShapes(TMyShape* S, TMyPoint Centre, double Angle)
{
    ForShapeTree(S, false, [&](TMyShape* shape) {
        if (!shape->Locked())
            shape->RotateChangeValueByAngle(Centre, float(Angle));
    });
}

void TMyCAD::LockUnLockforShapes(TMyShape* S, bool Lock)
{
    ForShapeTree(S, true, [Lock](TMyShape* shape) { shape->StoreLocked(Lock); });
}

void TMyCAD::FlipHoriz(TMyShape* S)
{
    if (!S || dynamic_cast<TMyLinkLine*>(S))
        return;
    ForShapeTree(S, true, [](TMyShape* shape) {
        if (!shape->Locked())
            shape->FlipHoriz();
    });
}

void TMyCAD::FlipVert(TMyShape* S)
{
    if (!S || dynamic_cast<TMyLinkLine*>(S))
        return;
    ForShapeTree(S, true, [](TMyShape* shape) {
        if (!shape->Locked())
            shape->FlipVert();
    });
}

void TMyCAD::ForShapeTree(TMyShape* S, bool MembersFirst, const std::function<void(TMyShape*)>& Action,
                          int Depth)
{
    // A damaged drawing may hold a cycle of members: never go deeper than there are shapes.
    if (!S || Depth > GetShapesCount())
        return;
    if (!MembersFirst)
        Action(S);
    const TMyShapeNo members = S->ChildNos();
    for (uint32_t no : members) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != S)
            ForShapeTree(member, MembersFirst, Action, Depth + 1);
    }
    if (MembersFirst)
        Action(S);
}
