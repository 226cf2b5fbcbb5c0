// Making and dissolving groups.
#include "EditingSupport.h"

TEST(Group, MembersAreListedInShapeNumberOrderAndNameTheGroup)
{
    TMyCAD cad;
    TArrMyShape s;
    for (int i = 0; i < 8; ++i)
        s.push_back(AddRect(cad, 10.0f * i, 0, 10.0f * i + 5, 5 + i));
    const int id = cad.GroupShapes({s[7], s[2], s[5]}, true);
    EXPECT_EQ(id, 8);
    TMyShape* g = cad.GetShapeByID(id);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->ClassName(), "TMyGroup");
    EXPECT_EQ(g->ShapeNo(), 8);
    EXPECT_EQ(g->Name(), "Shape8");
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{2, 5, 7}));
    for (int i : {2, 5, 7})
        EXPECT_EQ(s[size_t(i)]->ParentNo(), 8);
    EXPECT_EQ(s[3]->ParentNo(), -1);
    EXPECT_EQ(g->Points(), (TArrMyPoint{{20, 0}, {75, 0}, {75, 12}, {20, 12}}));
    EXPECT_EQ(g->CaptionPoint(), TMyPoint(47.5f, 22));
    EXPECT_EQ(g->ParentNo(), -1);
    EXPECT_EQ(g->LayerId(), cad.CurrentLayerId());
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{g}));
    EXPECT_EQ(History(cad).last(), "8:ACT_GROUP:Shape8");
    EXPECT_CONSISTENT(cad);
    // The next shape takes the next identifier.
    EXPECT_EQ(AddRect(cad, 0, 0, 1, 1)->GetShapeId(), 9);
}

TEST(Group, TheBoxIsTakenInScreenPixelsAndStoredInDocumentUnits)
{
    TMyCAD cad;
    cad.SetZoom(2);
    TMyShape* a = AddRect(cad, 20, 20, 40, 40);
    TMyShape* b = AddRect(cad, 60, 80, 100, 120);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    EXPECT_EQ(g->Points(), (TArrMyPoint{{10, 10}, {50, 10}, {50, 60}, {10, 60}}));
}

TEST(Group, RefusesMixedLayersInvisibleShapesMembersAndEmptyLists)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    cad.NewLayer("Other", true);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    const QStringList before = Describe(cad);
    const int records = cad.UndoList().RecordCount();
    EXPECT_EQ(cad.GroupShapes({}, true), -1);
    EXPECT_EQ(cad.GroupShapes({a, c}, true), -1);
    b->SetVisible(false);
    EXPECT_EQ(cad.GroupShapes({a, b}, true), -1);
    b->SetVisible(true);
    EXPECT_EQ(cad.GroupShapes({a, nullptr}, true), -1);
    EXPECT_EQ(Describe(cad), before);
    ASSERT_GE(cad.GroupShapes({a, b}, false), 0);
    const QStringList grouped = Describe(cad);
    EXPECT_EQ(cad.GroupShapes({a}, true), -1); // a is a member now
    EXPECT_EQ(Describe(cad), grouped);
    EXPECT_EQ(a->ParentNo(), 3);
    EXPECT_EQ(b->ParentNo(), 3);
    EXPECT_EQ(c->ParentNo(), -1);
    EXPECT_EQ(cad.UndoList().RecordCount(), records);
}

TEST(Group, AShapeGivenTwiceIsListedOnce)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({b, a, b}, false));
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{0, 1}));
}

TEST(Group, GroupWorkingShapeGroupsTheSelectionWithUndo)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    cad.SelectAllShapes();
    const int id = cad.GroupWorkingShape();
    EXPECT_EQ(cad.GetShapeByID(id)->ChildNos(), (TMyShapeNo{0, 1}));
    EXPECT_EQ(a->ParentNo(), 2);
    EXPECT_EQ(b->ParentNo(), 2);
    EXPECT_EQ(History(cad).last(), QStringLiteral("2:ACT_GROUP:Shape2"));
}

TEST(UnGroup, FreesTheMembersAndDeletesTheGroup)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10, "A");
    TMyShape* b = AddRect(cad, 20, 0, 30, 10, "B");
    TMyShape* c = AddRect(cad, 40, 0, 50, 10, "C");
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, c}, false));
    std::vector<QString> deleted;
    cad.OnShapeDeleted = [&](TMyShape* s) { deleted.push_back(s->Name()); };
    cad.UnGroupShape(g, true);
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(a->ParentNo(), -1);
    EXPECT_EQ(c->ParentNo(), -1);
    EXPECT_EQ(deleted, (std::vector<QString>{"Shape3"}));
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
    // The record holds the members, not the group.
    EXPECT_EQ(History(cad).mid(3), (QStringList{"3:ACT_UNGROUP:A", "3:ACT_UNGROUP:C"}));
    (void)b;
    EXPECT_CONSISTENT(cad);
}

TEST(UnGroup, OnlyTopLevelUnlockedGroups)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    TMyShape* inner = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TMyShape* outer = cad.GetShapeByID(cad.GroupShapes({inner, c}, false));
    const QStringList before = Describe(cad);
    cad.UnGroupShape(inner, true); // a member
    cad.UnGroupShape(a, true);     // no members
    cad.UnGroupShape(nullptr, true);
    outer->SetLocked(true);
    cad.UnGroupShape(outer, true);
    EXPECT_EQ(Describe(cad), before);
    outer->SetLocked(false);
    cad.UnGroupShape(outer, false);
    EXPECT_EQ(inner->ParentNo(), -1);
    EXPECT_EQ(inner->ChildNos().size(), 2u);
    EXPECT_CONSISTENT(cad);
}

TEST(Group, Brothers)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    TMyShape* d = AddRect(cad, 60, 0, 70, 10);
    EXPECT_FALSE(cad.areTheyBrother(a, b)); // both top-level
    cad.GroupShapes({a, b}, false);
    cad.GroupShapes({c, d}, false);
    EXPECT_TRUE(cad.areTheyBrother(a, b));
    EXPECT_FALSE(cad.areTheyBrother(b, c));
    EXPECT_FALSE(cad.areTheyBrother(a, nullptr));
}
