// Copying shapes and the passing of a group's attributes to its members.
#include "support/DrawingTestSupport.h"

namespace {
TMyShape* GroupOf(TMyCAD& cad, TMyShape* a, TMyShape* b)
{
    auto group = cad.CreateShapeByName("TMyGroup");
    const int no = cad.GetShapesCount();
    group->ChildNos() = {uint32_t(a->ShapeNo()), uint32_t(b->ShapeNo())};
    a->SetParentNo(no);
    b->SetParentNo(no);
    group->SetShapeNo(no);
    TMyShape* raw = group.get();
    EXPECT_TRUE(cad.AddShape(group, false, false));
    return raw;
}
} // namespace

TEST(ShapeCopy, NewShapesCopyTheDrawingsAttributes)
{
    TMyCAD cad;
    TPen pen;
    pen.SetColor(clRed);
    cad.SetPen(&pen);
    cad.SetResizeEnable(false);
    auto s = cad.CreateShapeByName("TMyRectangle");
    EXPECT_EQ(s->Pen()->Color(), clRed);
    EXPECT_FALSE(s->ResizeEnable());
    EXPECT_EQ(s->ParentNo(), -1);
    EXPECT_EQ(s->CurrentHot(), -1);
    EXPECT_EQ(s->ColorBegin(), clWhite);
    EXPECT_EQ(s->ColorEnd(), clBlack);
    EXPECT_EQ(s->GradientStyle(), gsNone);
    EXPECT_TRUE(s->CaptionShow());
    EXPECT_TRUE(s->Visible());
    EXPECT_EQ(s->LogHeight(), 10);
    EXPECT_EQ(s->LogWidth(), 10);
    EXPECT_FALSE(s->LogUse());
    cad.Pen()->SetColor(clGreen);
    EXPECT_EQ(s->Pen()->Color(), clRed); // a copy, not a share
}

TEST(ShapeCopy, AssignMakesATwinAndWithoutRelationKeepsTheTargetsLinks)
{
    TMyCAD cad;
    TMyShape* src = AddRect(cad, 0, 0, 20, 10, "Src");
    src->SetTag(7);
    src->SetCaption("cap");
    src->SetInfo("info");
    src->SetMultiInfo({"one", "two"});
    src->StoreAngle(0.25f);
    src->Pen()->SetWidth(5);
    src->UserData()->AddKeyandValue("k", "v");
    src->ChildNos() = {4, 5};
    src->LinkLineNos() = {6};
    src->SetCurrentHot(3);
    auto twin = cad.CreateShapeByName("TMyRectangle");
    twin->Assign(src);
    EXPECT_EQ(twin->GetShapeId(), src->GetShapeId());
    EXPECT_EQ(twin->Tag(), 7);
    EXPECT_EQ(twin->Caption(), "cap");
    EXPECT_EQ(twin->Info(), "info");
    EXPECT_EQ(twin->MultiInfo(), QStringList({"one", "two"}));
    EXPECT_EQ(twin->ChildNos(), TMyShapeNo({4, 5}));
    EXPECT_EQ(twin->LinkLineNos(), TMyShapeNo({6}));
    EXPECT_EQ(twin->Points(), src->Points());
    EXPECT_EQ(twin->Angle(), 0.25f);
    EXPECT_EQ(twin->Pen()->Width(), 5);
    EXPECT_EQ(twin->UserData()->GetValueByKey("k"), "v");
    EXPECT_EQ(twin->CurrentHot(), -1);
    EXPECT_NE(twin->Name(), "Src"); // names are not copied

    auto other = cad.CreateShapeByName("TMyRectangle");
    other->SetShapeNo(12);
    other->SetParentNo(3);
    other->SetMultiInfo({"mine"});
    other->AssignWithoutRelation(src);
    EXPECT_EQ(other->ShapeNo(), 12);
    EXPECT_EQ(other->ParentNo(), 3);
    EXPECT_TRUE(other->ChildNos().empty());
    EXPECT_EQ(other->MultiInfo(), QStringList({"mine"}));
    EXPECT_EQ(other->Points(), src->Points());
    EXPECT_EQ(other->CenterPoint(), TMyPoint(10, 5));
    src->Assign(src); // a shape assigned to itself stays as it is
    EXPECT_EQ(src->Tag(), 7);
}

TEST(ShapeCopy, GroupPassesItsAttributesToMembersExceptWhileLoading)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* g = GroupOf(cad, a, b);
    g->Brush()->SetColor(clRed);
    EXPECT_EQ(a->Brush()->Color(), clRed);
    EXPECT_EQ(b->Brush()->Color(), clRed);
    g->Font()->SetColor(clBlue);
    EXPECT_EQ(b->Font()->Color(), clBlue);
    g->SetGradientStyle(gsLinearV);
    EXPECT_EQ(a->GradientStyle(), gsLinearV);
    g->SetColorEnd(clRed);
    EXPECT_EQ(b->ColorEnd(), clRed);

    cad.SetLoading(true);
    g->Brush()->SetColor(clGreen);
    g->Pen()->SetColor(clYellow);
    EXPECT_EQ(a->Brush()->Color(), clRed);
    EXPECT_NE(a->Pen()->Color(), clYellow);
    cad.SetLoading(false);
}
