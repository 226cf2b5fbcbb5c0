// The undo history: numbering and bounds, and the inverse of every recorded action.
#include "EditingSupport.h"

#include <cmath>
#include <numbers>

namespace {
// Three named rectangles added without records, then a history of Size actions.
TArrMyShape ThreeShapes(TMyCAD& cad, uint8_t Size)
{
    cad.SetUndoRedoSize(0);
    TArrMyShape s = {AddRect(cad, 0, 0, 10, 10, "A"), AddRect(cad, 20, 0, 30, 10, "B"),
                     AddRect(cad, 40, 0, 50, 10, "C")};
    cad.SetUndoRedoSize(Size);
    return s;
}

const QString Change = QStringLiteral("ACT_CHANGE");
} // namespace

TEST(UndoHistory, ASmallHistoryKeepsTheNewestActionsNumberedFromZero)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 2);
    for (TMyShape* shape : s)
        cad.PushtoUndoRedoShapeList({shape}, Change);
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:B", "1:ACT_CHANGE:C"}));
    EXPECT_EQ(cad.UndoList().ActionCount(), 2);
}

TEST(UndoHistory, AnEmptyOrUnknownPushWritesNothingButAFullHistoryStillLosesItsOldest)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 2);
    cad.PushtoUndoRedoShapeList({s[0]}, Change);
    cad.PushtoUndoRedoShapeList({}, Change); // not full: nothing at all
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:A"}));
    cad.PushtoUndoRedoShapeList({s[1]}, Change);
    cad.PushtoUndoRedoShapeList({}, Change); // full: the oldest goes
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:B"}));
    cad.PushtoUndoRedoShapeList({s[2]}, QStringLiteral("ACT_SOMETHING"));
    cad.PushtoUndoRedoShapeList({nullptr}, Change);
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:B"}));
}

TEST(UndoHistory, WhatEachActionSaves)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 20);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[0], s[1]}, false));
    g->SetName("G");
    cad.PushtoUndoRedoShapeList({s[2], g}, QStringLiteral("ACT_ADD"));
    cad.PushtoUndoRedoShapeList({s[2], g}, Change);
    cad.PushtoUndoRedoShapeList({g, s[2]}, QStringLiteral("ACT_DELETE"));
    cad.PushtoUndoRedoShapeList({g, s[2]}, QStringLiteral("ACT_GROUP"));
    cad.PushtoUndoRedoShapeList({g, s[2]}, QStringLiteral("ACT_UNGROUP"));
    cad.PushtoUndoRedoShapeList({s[2], g}, QStringLiteral("ACT_SENDTOBACKBYSTEP"));
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_ADD:G", "0:ACT_ADD:C",                                      //
                                         "1:ACT_CHANGE:G", "1:ACT_CHANGE:A", "1:ACT_CHANGE:B", "1:ACT_CHANGE:C", //
                                         "2:ACT_DELETE:C", "2:ACT_DELETE:G", "2:ACT_DELETE:A", "2:ACT_DELETE:B", //
                                         "3:ACT_GROUP:G",                                                        //
                                         "4:ACT_UNGROUP:A", "4:ACT_UNGROUP:B",                                   //
                                         "5:ACT_SENDTOBACKBYSTEP:C"}));
}

TEST(UndoHistory, SavedCopiesAreSeparateShapesWithoutConnectorsAndShortNames)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    Connect(cad, s[0], s[1]);
    const QString longName = QString(300, QLatin1Char('n'));
    ASSERT_TRUE(s[0]->SetName(longName));
    cad.PushtoUndoRedoShapeList({s[0]}, Change);
    const TSavedShape& r = cad.UndoList().Record(0);
    EXPECT_EQ(r.ShapeName, QString(255, QLatin1Char('n')));
    ASSERT_NE(r.Shape.get(), s[0]);
    EXPECT_EQ(r.Shape->ClassName(), "TMyRectangle");
    EXPECT_EQ(r.Shape->GetShapeId(), s[0]->GetShapeId());
    EXPECT_EQ(r.Shape->Points(), s[0]->Points());
    EXPECT_TRUE(r.Shape->LinkLineNos().empty());
    EXPECT_EQ(s[0]->LinkLineNos().size(), 1u);
    EXPECT_EQ(cad.GetShapesCount(), 4); // the copy is not part of the drawing
}

TEST(UndoHistory, PopReturnsTheNewestNumberLeftAndMinusOneAtTheEnd)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    cad.PushtoUndoRedoShapeList({s[0]}, Change);
    cad.PushtoUndoRedoShapeList({s[1]}, Change);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    cad.PushtoUndoRedoShapeList({s[1]}, Change);
    cad.SetUndoRedoSize(0);
    EXPECT_TRUE(cad.UndoList().Empty());
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    cad.PushtoUndoRedoShapeList({s[1]}, Change);
    EXPECT_TRUE(cad.UndoList().Empty());
}

TEST(UndoHistory, LoweringTheSizeTrimsAtTheNextPush)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    for (int i = 0; i < 5; ++i)
        cad.PushtoUndoRedoShapeList({s[size_t(i % 3)]}, Change);
    cad.SetUndoRedoSize(3);
    EXPECT_EQ(cad.UndoList().ActionCount(), 5);
    cad.PushtoUndoRedoShapeList({s[0]}, Change);
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:A", "1:ACT_CHANGE:B", "2:ACT_CHANGE:A"}));
}

TEST(UndoHistory, AdditionsByCodeAreRecordedAndDeleteAllForgetsThem)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10, "R");
    TBitmap picture(8, 8);
    const int image = cad.AddImageShapeByCode("Pic", TPoint(50, 50), &picture);
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_ADD:R", "1:ACT_ADD:Pic"}));
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(cad.GetShapeByID(image), nullptr);
    EXPECT_EQ(Names(cad), (QStringList{"R"}));
    cad.DeleteAllShapes();
    EXPECT_TRUE(cad.UndoList().Empty());
}

TEST(Undo, AddRemovesTheShapeAndSkipsItWhenItIsGone)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 10, 10, "R");
    cad.PushtoUndoRedoShapeList({r}, QStringLiteral("ACT_ADD")); // recorded twice
    std::vector<QString> deleted;
    cad.OnShapeDeleted = [&](TMyShape* s) { deleted.push_back(s->Name()); };
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1); // the shape is gone: skipped
    EXPECT_EQ(deleted, (std::vector<QString>{"R"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, RecordsOfVanishedShapesAreSkipped)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[0], s[1]}, true));
    cad.PushtoUndoRedoShapeList({s[2]}, Change);
    cad.PushtoUndoRedoShapeList({s[2]}, QStringLiteral("ACT_BRINGTOFRONT"));
    cad.PushtoUndoRedoShapeList({g}, QStringLiteral("ACT_UNGROUP"));
    cad.DeleteShapeById(s[2]->GetShapeId(), false);
    cad.DeleteShapeById(g->GetShapeId(), false); // and its members
    ASSERT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 2);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 1);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    EXPECT_EQ(cad.GetShapesCount(), 0);
}

TEST(Undo, ADragOfThreeShapesIsOneActionAndKeepsOrderAndGroups)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* d = AddRect(cad, 60, 0, 70, 10, "D");
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[0], s[1]}, false));
    cad.DeSelectedAllShapesByCode();
    for (TMyShape* w : {g, s[2], d})
        cad.AddWorkingShapes(w);
    const TArrMyShape working = cad.GetSelectedShapes();
    cad.PushtoUndoRedoShapeList(working, Change);
    EXPECT_EQ(cad.UndoList().RecordCount(), 1 + 5); // the addition of D, then G, A, B, C, D
    for (TMyShape* w : working)
        cad.DragChangeValueDxDyforShapes(w, 15, 25);
    cad.BringToFront(s[2], false); // order changes after the drag
    const QStringList order = Describe(cad);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(s[0]->Points(), (TArrMyPoint{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(s[2]->Points(), (TArrMyPoint{{40, 0}, {50, 0}, {50, 10}, {40, 10}}));
    EXPECT_EQ(d->Points(), (TArrMyPoint{{60, 0}, {70, 0}, {70, 10}, {60, 10}}));
    EXPECT_EQ(g->Points(), (TArrMyPoint{{0, 0}, {30, 0}, {30, 10}, {0, 10}}));
    EXPECT_EQ(Describe(cad), order); // places and relations as they were before the undo
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, ResizeRotateFlipAndAlignAreRestored)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* r = s[0];
    const TArrMyPoint points = r->Points();
    const TMyPoint caption = r->CaptionPoint();

    cad.PushtoUndoRedoShapeList({r}, Change);
    cad.SizeShape(r, 2, TMyPoint(80, 60));
    ASSERT_NE(r->Points(), points);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(r->Points(), points);
    EXPECT_EQ(r->CaptionPoint(), caption);

    cad.PushtoUndoRedoShapeList({r}, Change);
    cad.Rotate(r, float(std::numbers::pi / 3));
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(r->Points(), points);
    EXPECT_EQ(r->Angle(), 0.0f);

    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[1], s[2]}, false));
    const TArrMyPoint member = s[2]->Points();
    cad.FlipHoriz(g);
    ASSERT_NE(s[2]->Points(), member);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(s[2]->Points(), member);
    EXPECT_FALSE(s[2]->IsFlipHorz());
    EXPECT_FALSE(g->IsFlipHorz());

    cad.DeSelectedAllShapesByCode();
    cad.AddWorkingShapes(r);
    cad.AddWorkingShapes(g);
    cad.AlignBottom();
    cad.AlignRight();
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    EXPECT_EQ(r->Points(), points);
    EXPECT_EQ(s[2]->Points(), member);
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, DeletionComesBackAtTheEndOnTheCurrentLayerWithConnectorsDetached)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyLinkLine* l1 = Connect(cad, s[0], s[1]); // 3
    l1->SetName("L1");
    TMyLinkLine* l2 = Connect(cad, s[1], s[2]); // 4
    l2->SetName("L2");
    const int idB = s[1]->GetShapeId(), idL1 = l1->GetShapeId();
    const TArrMyPoint pointsB = s[1]->Points();
    cad.DeSelectedAllShapesByCode();
    cad.AddWorkingShapes(s[1]);
    cad.AddWorkingShapes(l1);
    ASSERT_TRUE(cad.DeleteSelectedShapes());
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "L2"}));
    EXPECT_EQ(l2->StartSpNo(), -1);
    const int layer = cad.NewLayer("Later", true);

    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    // Saved last to first (L1, B) and re-created newest record first: B, then L1.
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "L2", "B", "L1"}));
    TMyShape* b = cad.GetShapeByID(idB);
    auto* line = dynamic_cast<TMyLinkLine*>(cad.GetShapeByID(idL1));
    ASSERT_NE(b, nullptr);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(b->Points(), pointsB);
    EXPECT_EQ(b->LayerId(), layer);
    EXPECT_TRUE(b->LinkLineNos().empty());
    EXPECT_EQ(line->StartSpNo(), -1);
    EXPECT_EQ(line->EndSpNo(), -1);
    EXPECT_EQ(line->StartSpPtId(), -1);
    EXPECT_TRUE(s[0]->LinkLineNos().empty()); // A no longer lists L1
    // The identifier counter did not move.
    EXPECT_EQ(AddRect(cad, 0, 0, 1, 1, "Next")->GetShapeId(), 5);
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, DeletedGroupsComeBackWithTheirMembers)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* inner = cad.GetShapeByID(cad.GroupShapes({s[0], s[1]}, false)); // 3
    inner->SetName("Inner");
    TMyShape* outer = cad.GetShapeByID(cad.GroupShapes({inner, s[2]}, false)); // 4
    outer->SetName("Outer");
    AddRect(cad, 90, 0, 95, 5, "X");
    const int idOuter = outer->GetShapeId();
    ASSERT_TRUE(cad.DeleteShapeById(idOuter, true));
    EXPECT_EQ(Names(cad), (QStringList{"X"}));
    cad.PopFromUndoRedoShapeList();
    // Saved group first, then its members in member order (Outer, C, Inner, A, B) and
    // re-created newest record first.
    EXPECT_EQ(Names(cad), (QStringList{"X", "B", "A", "Inner", "C", "Outer"}));
    TMyShape* g = cad.GetShapeByID(idOuter);
    EXPECT_EQ(g->ShapeNo(), 5);
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{4, 3}));
    EXPECT_EQ(cad.GetShapeByNo(3)->ChildNos(), (TMyShapeNo{2, 1}));
    EXPECT_EQ(cad.GetShapeByNo(1)->ParentNo(), 3);
    EXPECT_EQ(cad.GetShapeByNo(4)->ParentNo(), 5);
    EXPECT_EQ(g->ParentNo(), -1);
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, AMemberDeletedAloneRejoinsItsGroup)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[0], s[1], s[2]}, false));
    ASSERT_TRUE(cad.DeleteShapeById(s[1]->GetShapeId(), true));
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{0, 1}));
    cad.PopFromUndoRedoShapeList();
    TMyShape* b = cad.GetShapeByNo(3);
    EXPECT_EQ(b->Name(), "B");
    EXPECT_EQ(b->ParentNo(), g->ShapeNo());
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{0, 1, 3}));
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, ALockedMemberLeftBehindIsTakenBackByItsRecreatedGroup)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[0], s[1]}, false));
    g->SetName("G");
    s[1]->StoreLocked(true);
    const int records = cad.UndoList().RecordCount();
    ASSERT_TRUE(cad.DeleteShapeById(g->GetShapeId(), true));
    // Only what went was saved: G and A.
    EXPECT_EQ(History(cad).mid(records), (QStringList{"0:ACT_DELETE:G", "0:ACT_DELETE:A"}));
    EXPECT_EQ(Names(cad), (QStringList{"B", "C"}));
    EXPECT_EQ(s[1]->ParentNo(), -1);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"B", "C", "A", "G"}));
    TMyShape* back = cad.GetShapeByNo(3);
    EXPECT_EQ(back->ChildNos(), (TMyShapeNo{2, 0}));
    EXPECT_EQ(s[1]->ParentNo(), 3);
    EXPECT_EQ(cad.GetShapesCount(), 4); // no second B
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, GroupingIsUndoneByUngrouping)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    const int id = cad.GroupShapes({s[0], s[2]}, true);
    std::vector<QString> deleted;
    cad.OnShapeDeleted = [&](TMyShape* x) { deleted.push_back(x->Name()); };
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1);
    EXPECT_EQ(cad.GetShapeByID(id), nullptr);
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(s[0]->ParentNo(), -1);
    EXPECT_EQ(s[2]->ParentNo(), -1);
    EXPECT_EQ(deleted, (std::vector<QString>{QStringLiteral("Shape%1").arg(id)}));
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, UngroupingMakesANewGroupThatOlderActionsNowName)
{
    TMyCAD cad;
    TArrMyShape s = ThreeShapes(cad, 10);
    const int oldId = cad.GroupShapes({s[0], s[1]}, true); // action 0
    TMyShape* g = cad.GetShapeByID(oldId);
    const TArrMyPoint box = g->Points();
    cad.PushtoUndoRedoShapeList({g}, Change); // action 1
    cad.Move(g, 100, 0);
    cad.UnGroupShape(g, true); // action 2
    ASSERT_EQ(cad.GetShapesCount(), 3);

    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 1);
    ASSERT_EQ(cad.GetShapesCount(), 4);
    TMyShape* regrouped = cad.GetShapeByNo(3);
    EXPECT_NE(regrouped->GetShapeId(), oldId);
    EXPECT_EQ(regrouped->ClassName(), "TMyGroup");
    EXPECT_EQ(regrouped->ChildNos(), (TMyShapeNo{0, 1}));
    EXPECT_EQ(s[0]->ParentNo(), 3);
    EXPECT_EQ(cad.GetSelectedShape(), regrouped);
    // The older records name the new group.
    EXPECT_EQ(cad.UndoList().Record(0).Shape->GetShapeId(), regrouped->GetShapeId());

    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), 0); // the move of the old group
    EXPECT_EQ(regrouped->Points(), box);
    EXPECT_EQ(cad.PopFromUndoRedoShapeList(), -1); // the grouping: the new group goes
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(s[0]->ParentNo(), -1);
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, EachReorderingHasItsInverse)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    TArrMyShape s;
    for (const char* name : {"A", "B", "C", "D"})
        s.push_back(AddRect(cad, 0, 0, 5, 5, name));
    cad.SetUndoRedoSize(10);
    cad.BringToFront(s[0], true);
    EXPECT_EQ(Names(cad), (QStringList{"B", "C", "D", "A"}));
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C", "D"}));
    cad.SendToBack(s[3], true);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C", "D"}));
    cad.BringToFrontByStep(s[1], true);
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "B", "D"}));
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C", "D"}));
    cad.SendToBackByStep(s[2], true);
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "B", "D"}));
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"A", "B", "C", "D"}));
    // The inverse of bringing to the front is sending to the very back.
    cad.BringToFront(s[2], true);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"C", "A", "B", "D"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Undo, DeletingALayerRecordsEachShape)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 5, 5, "Keep");
    const int layer = cad.NewLayer("Doomed", true);
    AddRect(cad, 10, 0, 15, 5, "X");
    AddRect(cad, 20, 0, 25, 5, "Y");
    ASSERT_TRUE(cad.DeleteLayerByID(layer));
    EXPECT_EQ(Names(cad), (QStringList{"Keep"}));
    EXPECT_EQ(History(cad).mid(3), (QStringList{"3:ACT_DELETE:X", "4:ACT_DELETE:Y"}));
    cad.PopFromUndoRedoShapeList();
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(Names(cad), (QStringList{"Keep", "Y", "X"}));
    EXPECT_EQ(cad.GetShapeByNo(1)->LayerId(), cad.CurrentLayerId());
    EXPECT_CONSISTENT(cad);
}
