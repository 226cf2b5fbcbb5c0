// Moving, rotating, scaling and mirroring shapes, at zoom and within groups.
#include "support/DrawingTestSupport.h"

#include <cmath>

namespace {
void ExpectNear(TMyPoint a, TMyPoint b, float eps = 1e-3f)
{
    EXPECT_NEAR(a.X, b.X, eps);
    EXPECT_NEAR(a.Y, b.Y, eps);
}

// Makes a group of the given shapes as the drawing stores one: the group lists its
// members by number and each member names the group.
TMyShape* Group(TMyCAD& cad, std::initializer_list<TMyShape*> members)
{
    auto group = cad.CreateShapeByName("TMyGroup");
    const TMyRect box = cad.GetShapesLTRB(TArrMyShape(members));
    for (TMyPoint p : {TMyPoint(box.Left, box.Top), TMyPoint(box.Right, box.Top), TMyPoint(box.Right, box.Bottom),
                       TMyPoint(box.Left, box.Bottom)})
        group->PointsRef().push_back(p);
    group->SetCenterPoint(group->ComputeCenterPoint(4));
    const int no = cad.GetShapesCount();
    for (TMyShape* m : members) {
        group->ChildNos().push_back(uint32_t(m->ShapeNo()));
        m->SetParentNo(no);
    }
    group->SetShapeNo(no);
    TMyShape* raw = group.get();
    EXPECT_TRUE(cad.AddShape(group, false, false));
    return raw;
}
} // namespace

TEST(ShapeTransforms, DragMovesEverythingByScreenPixelsOverZoom)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->AddLinkPoint(TMyPoint(4, 4));
    cad.SetZoom(2);
    const TMyPoint centre = r->CenterPoint(), caption = r->CaptionPoint();
    r->DragChangeValuedxdy(0, 0);
    EXPECT_EQ(r->GetPoint(0), TMyPoint(0, 0));
    r->DragChangeValuedxdy(10, 0);
    EXPECT_EQ(r->GetPoint(0), TMyPoint(5, 0));
    EXPECT_EQ(r->GetPoint(2), TMyPoint(25, 10));
    EXPECT_EQ(r->GetLinkPoint(0), TMyPoint(9, 4));
    EXPECT_EQ(r->CenterPoint(), TMyPoint(centre.X + 5, centre.Y));
    EXPECT_EQ(r->CaptionPoint(), TMyPoint(caption.X + 5, caption.Y));
    r->DragChangeValue(TPoint(0, 0), TPoint(0, 4));
    EXPECT_EQ(r->GetPoint(0), TMyPoint(5, 2));
}

TEST(ShapeTransforms, SetAngleTurnsFurtherEachTime)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->SetAngle(0.5f);
    r->SetAngle(0.5f);
    EXPECT_FLOAT_EQ(r->Angle(), 1.0f);
    // Turned by one radian about the centre (10, 5).
    const TMyPoint expected = RotateAPoint(TMyPoint(0, 0), TMyPoint(10, 5), 1.0f);
    ExpectNear(r->GetPoint(0), expected);
    auto empty = cad.CreateShapeByName("TMyLine");
    empty->SetAngle(0.5f);
    EXPECT_FLOAT_EQ(empty->Angle(), 0.5f);
    EXPECT_EQ(empty->GetPointsCount(), 0);
}

TEST(ShapeTransforms, RotationKeepsTheAngleWithinAWholeTurn)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->RotateChangeValueByAngle(r->GetCenterPoint(), 6.0f);
    r->RotateChangeValueByAngle(r->GetCenterPoint(), 1.0f);
    EXPECT_NEAR(r->Angle(), 7.0 - 2 * M_PI, 1e-5);
}

TEST(ShapeTransforms, MembersTurnAboutTheirGroupsCentre)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 30, 0, 40, 10);
    TMyShape* g = Group(cad, {a, b});
    EXPECT_INVARIANTS(cad);
    b->SetLocked(true);
    EXPECT_FALSE(a->Locked()); // locking reaches only the shape's own tree
    g->SetAngle(float(M_PI));
    // A locked member keeps its place while the rest of the group turns.
    ExpectNear(a->GetPoint(0), TMyPoint(40, 10));
    EXPECT_EQ(b->GetPoint(0), TMyPoint(30, 0));
    ExpectNear(g->GetPoint(0), TMyPoint(40, 10));
}

TEST(ShapeTransforms, LockingAGroupLocksItsMembers)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 30, 0, 40, 10);
    TMyShape* g = Group(cad, {a, b});
    g->SetLocked(true);
    EXPECT_TRUE(a->Locked() && b->Locked() && g->Locked());
    g->SetLocked(false);
    EXPECT_FALSE(a->Locked() || b->Locked() || g->Locked());
}

TEST(ShapeTransforms, ScaleActsAlongTheShapesOwnAxes)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->SizeChangeValueByScale(2, 3, TMyPoint(0, 0), r->GetCenterPoint(), TMyPoint());
    EXPECT_EQ(r->GetPoint(2), TMyPoint(40, 30));
    EXPECT_EQ(r->CenterPoint(), TMyPoint(20, 15));
    TMyShape* turned = AddRect(cad, 0, 0, 20, 10);
    const TMyPoint c = turned->GetCenterPoint();
    turned->SetAngle(float(M_PI / 2));
    const TMyPoint fixed = RotateAPoint(TMyPoint(0, 0), c, float(M_PI / 2));
    turned->SizeChangeValueByScale(2, 1, fixed, c, TMyPoint());
    // Doubling the width of a quarter-turned shape doubles its height on screen.
    EXPECT_NEAR(turned->GetHeight(), 40, 1e-3);
    EXPECT_NEAR(turned->GetWidth(), 10, 1e-3);
}

TEST(ShapeTransforms, MirroringFlipsAnglesAndToggles)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->StoreAngle(0.3f);
    r->FlipHoriz();
    EXPECT_FLOAT_EQ(r->Angle(), float(M_PI - 0.3f));
    EXPECT_TRUE(r->IsFlipHorz());
    r->StoreAngle(0.3f);
    r->FlipVert();
    EXPECT_FLOAT_EQ(r->Angle(), -0.3f);
    TMyShape* flat = AddRect(cad, 0, 0, 20, 10);
    flat->FlipHoriz();
    EXPECT_EQ(flat->Angle(), 0);
}

TEST(ShapeTransforms, FlipPropertyMirrorsOnEveryAssignment)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 20, 10);
    r->SetCaptionPoint(TMyPoint(2, 30));
    r->SetIsFlipHorz(true);
    EXPECT_TRUE(r->IsFlipHorz());
    EXPECT_EQ(r->CaptionPoint(), TMyPoint(18, 30));
    r->SetIsFlipHorz(true);
    EXPECT_FALSE(r->IsFlipHorz());
    EXPECT_EQ(r->CaptionPoint(), TMyPoint(2, 30));
}

TEST(ShapeTransforms, FlippingAGroupMirrorsMembersAboutTheGroupCentre)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 30, 0, 40, 10);
    TMyShape* locked = AddRect(cad, 12, 0, 14, 10);
    TMyShape* g = Group(cad, {a, b, locked});
    locked->StoreLocked(true);
    cad.FlipHoriz(g);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(30, 0));
    EXPECT_EQ(b->GetLeftTop(), TMyPoint(0, 0));
    EXPECT_EQ(locked->GetLeftTop(), TMyPoint(12, 0));
    EXPECT_TRUE(g->IsFlipHorz());
}
