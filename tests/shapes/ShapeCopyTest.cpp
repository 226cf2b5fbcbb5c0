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

// The fields most shapes leave as made: a copy of a plain shape takes their defaults back,
// and setting a default again reads back as the default.
TEST(ShapeCopy, APlainSourceGivesBackTheDefaultsOfTheRarelySetFields)
{
    TMyCAD cad;
    TMyShape* rich = AddRect(cad, 0, 0, 20, 10, "Rich");
    rich->SetTag(3);
    rich->SetMultiInfo({"a"});
    rich->SetMultiInfoAlignment(taCenter);
    rich->SetColorBegin(clRed);
    rich->SetGradientStyle(gsLinearH);
    rich->ChildNos() = {1};
    rich->LinkLineNos() = {2};
    rich->AddLinkPoint(TMyPoint(5, 5));
    ASSERT_TRUE(rich->HasGradientBitmap());
    auto plain = cad.CreateShapeByName("TMyRectangle");
    rich->Assign(plain.get());
    EXPECT_EQ(rich->Tag(), 0);
    EXPECT_TRUE(rich->MultiInfo().isEmpty());
    EXPECT_EQ(rich->MultiInfoAlignment(), taLeftJustify);
    EXPECT_EQ(rich->ColorBegin(), clWhite);
    EXPECT_EQ(rich->GradientStyle(), gsNone);
    EXPECT_FALSE(rich->HasGradientBitmap());
    EXPECT_FALSE(rich->HasChildShapes());
    EXPECT_FALSE(rich->HasLinkShapes());
    EXPECT_EQ(rich->GetLinkPointsCount(), 0);

    plain->SetLogHeight(12);
    plain->SetLogHeight(10);
    plain->SetLogUse(true);
    EXPECT_EQ(plain->LogHeight(), 10);
    EXPECT_TRUE(plain->LogUse());
    // Reading the lists of a shape without them leaves it without them.
    const TMyShape& view = *plain;
    EXPECT_TRUE(view.ChildNos().empty());
    EXPECT_TRUE(view.LinkPoints().empty());
}

// A shape's click handler: assigned, copied, emptied and fired like any event.
TEST(ShapeCopy, ClickHandlersAreAssignedCopiedAndCleared)
{
    TMyCAD cad;
    TMyShape* s = AddRect(cad, 0, 0, 20, 10, "S");
    EXPECT_FALSE(s->OnClick);
    QObject* seen = nullptr;
    s->OnClick = [&seen](QObject* sender) { seen = sender; };
    ASSERT_TRUE(s->OnClick);
    const TCompactNotifyEvent copy = s->OnClick;
    s->OnClick = nullptr;
    EXPECT_FALSE(s->OnClick);
    Fire(s->OnClick, &cad); // empty: nothing happens
    EXPECT_EQ(seen, nullptr);
    Fire(copy, &cad);
    EXPECT_EQ(seen, &cad);
    s->OnClick = TNotifyEvent(); // an empty function counts as none
    EXPECT_FALSE(s->OnClick);
}

// A caption that is the name's text keeps that text when the name changes; an empty one
// becomes the new name.
TEST(ShapeCopy, CaptionsKeepTheirTextWhenTheNameChanges)
{
    TMyCAD cad;
    auto s = cad.CreateShapeByName("TMyRectangle");
    ASSERT_TRUE(s->SetName("A"));
    EXPECT_EQ(s->Caption(), "A");
    ASSERT_TRUE(s->SetName("B"));
    EXPECT_EQ(s->Caption(), "A");
    s->SetCaption("B");
    s->StoreName("C");
    EXPECT_EQ(s->Caption(), "B");
    EXPECT_EQ(s->Name(), "C");
    s->SetCaption("");
    ASSERT_TRUE(s->SetName("D"));
    EXPECT_EQ(s->Caption(), "D");
    s->SetCaption("Own");
    ASSERT_TRUE(s->SetName("Own"));
    ASSERT_TRUE(s->SetName("E"));
    EXPECT_EQ(s->Caption(), "Own");

    auto twin = cad.CreateShapeByName("TMyRectangle");
    ASSERT_TRUE(twin->SetName("T"));
    twin->Assign(s.get());
    EXPECT_EQ(twin->Caption(), "Own");
    EXPECT_EQ(twin->Name(), "T");
}
