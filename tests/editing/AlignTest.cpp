// Aligning the working shapes and spacing shapes evenly.
#include "EditingSupport.h"

namespace {
float Left(const TMyShape* s) { return GetPointsLTRB(s->Points()).Left; }
float Top(const TMyShape* s) { return GetPointsLTRB(s->Points()).Top; }
float Right(const TMyShape* s) { return GetPointsLTRB(s->Points()).Right; }
float Bottom(const TMyShape* s) { return GetPointsLTRB(s->Points()).Bottom; }

void Select(TMyCAD& cad, const TArrMyShape& shapes)
{
    cad.DeSelectedAllShapesByCode();
    for (TMyShape* s : shapes)
        cad.AddWorkingShapes(s);
}
} // namespace

TEST(Align, LeftMovesByTheDifferenceInScreenPixels)
{
    TMyCAD cad;
    cad.SetZoom(2);
    // Document boxes start at x = 10 and x = 40.
    TMyShape* a = AddRect(cad, 20, 20, 60, 60);
    TMyShape* b = AddRect(cad, 80, 100, 100, 140);
    double moved = 0;
    cad.OnShapeCodeDragging = [&](TMyShape*, float dx, float) { moved = dx; };
    Select(cad, {a, b});
    const int records = cad.UndoList().RecordCount();
    cad.AlignLeft();
    EXPECT_FLOAT_EQ(Left(a), 10);
    EXPECT_FLOAT_EQ(Left(b), 10); // moved by -60 screen pixels, -30 document units
    EXPECT_FLOAT_EQ(Right(b), 20);
    EXPECT_FLOAT_EQ(Top(b), 50); // y untouched
    EXPECT_EQ(moved, 0);         // no code-dragging event
    EXPECT_EQ(History(cad).mid(records), (QStringList{"2:ACT_CHANGE:R", "2:ACT_CHANGE:R"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Align, EveryEdgeAndCentreLine)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 10, 10, 50, 30);
    TMyShape* b = AddRect(cad, 100, 60, 120, 100);
    Select(cad, {a, b});
    cad.AlignRight();
    EXPECT_FLOAT_EQ(Right(a), 120);
    EXPECT_FLOAT_EQ(Right(b), 120);
    cad.AlignBottom();
    EXPECT_FLOAT_EQ(Bottom(a), 100);
    EXPECT_FLOAT_EQ(Bottom(b), 100);
    cad.AlignTop();
    EXPECT_FLOAT_EQ(Top(a), 60);
    EXPECT_FLOAT_EQ(Top(b), 60);
    cad.AlignLeft();
    EXPECT_FLOAT_EQ(Left(a), 80);
    EXPECT_FLOAT_EQ(Left(b), 80);
    // Now a spans x 80..120 and b 80..100; the box is 80..120 with centre line x = 100.
    cad.AlignHorizontalCenter();
    EXPECT_FLOAT_EQ(a->GetCenterPoint().X, 100);
    EXPECT_FLOAT_EQ(b->GetCenterPoint().X, 100);
    // a spans y 60..80, b 60..100: centre line y = 80.
    cad.AlignVerticalCenter();
    EXPECT_FLOAT_EQ(a->GetCenterPoint().Y, 80);
    EXPECT_FLOAT_EQ(b->GetCenterPoint().Y, 80);
    // Six alignments, six actions of two records each (the history keeps ten actions).
    EXPECT_EQ(cad.UndoList().ActionCount(), 8);
}

TEST(Align, CentreLinesMeetEachShapesOwnCentrePoint)
{
    TMyCAD cad;
    // A line's rotation centre is the middle of its points; a group's is its box centre.
    TMyShape* a = AddRect(cad, 0, 0, 20, 20);
    const int id = cad.AddShapeByCode(&cad, SpLine, QString(), {TMyPoint(100, 40), TMyPoint(140, 80)}, 0, "L");
    TMyShape* line = cad.GetShapeByID(id);
    Select(cad, {a, line});
    cad.AlignHorizontalCenter(); // box 0..140: centre line 70
    EXPECT_FLOAT_EQ(a->GetCenterPoint().X, 70);
    EXPECT_FLOAT_EQ(line->GetCenterPoint().X, 70);
    EXPECT_FLOAT_EQ(Left(line), 50);
}

TEST(Align, OneOrNoWorkingShapeChangesNothingAndRecordsNothing)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 10, 10, 50, 30);
    AddRect(cad, 100, 60, 120, 100);
    cad.SetUndoRedoSize(2); // full: a push would drop the oldest action
    const QStringList history = History(cad);
    Select(cad, {a});
    cad.AlignLeft();
    cad.AlignBottom();
    Select(cad, {});
    cad.AlignRight();
    cad.AlignVerticalCenter();
    EXPECT_FLOAT_EQ(Left(a), 10);
    EXPECT_FLOAT_EQ(Bottom(a), 30);
    EXPECT_EQ(History(cad), history);
}

TEST(Align, AGroupMovesWithItsMembersAndLockedMembersStay)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 50, 0, 60, 10);
    TMyShape* b = AddRect(cad, 70, 0, 80, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TMyShape* c = AddRect(cad, 10, 100, 20, 110);
    b->StoreLocked(true);
    Select(cad, {g, c});
    cad.AlignLeft();
    EXPECT_FLOAT_EQ(Left(g), 10);
    EXPECT_FLOAT_EQ(Left(a), 10);
    EXPECT_FLOAT_EQ(Left(b), 70);
}

TEST(Spacing, AverageHeightPutsTheMiddleShapeHalfWay)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 0, 15, 10, 25);
    TMyShape* c = AddRect(cad, 0, 100, 10, 110);
    const int records = cad.UndoList().RecordCount();
    cad.AverageHeight({c, b, a});
    EXPECT_FLOAT_EQ(Top(b), 50); // gap (100 - 10 - 10) / 2 = 40 below a's bottom
    EXPECT_FLOAT_EQ(Top(a), 0);
    EXPECT_FLOAT_EQ(Top(c), 100);
    EXPECT_EQ(cad.UndoList().RecordCount(), records); // no undo record
}

TEST(Spacing, NewEdgesRoundHalfToEven)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 15, 0, 25, 10);
    TMyShape* c = AddRect(cad, 101, 0, 111, 10);
    // gap (101 - 10 - 10) / 2 = 40.5: the new left is round(50.5) = 50.
    cad.AverageWidth({a, b, c});
    EXPECT_FLOAT_EQ(Left(b), 50);
    TMyShape* d = AddRect(cad, 0, 0, 10, 10);
    TMyShape* e = AddRect(cad, 17, 0, 27, 10);
    TMyShape* f = AddRect(cad, 103, 0, 113, 10);
    // gap 41.5: round(51.5) = 52.
    cad.AverageWidth({d, e, f});
    EXPECT_FLOAT_EQ(Left(e), 52);
}

TEST(Spacing, MiddleShapesKeepTheirOrderByFarEdgeWhateverTheListOrder)
{
    TMyCAD cad;
    TMyShape* first = AddRect(cad, 0, 0, 10, 10);
    TMyShape* m1 = AddRect(cad, 0, 60, 10, 80);  // height 20, bottom 80
    TMyShape* m2 = AddRect(cad, 0, 20, 10, 30);  // height 10, bottom 30
    TMyShape* m3 = AddRect(cad, 0, 40, 10, 70);  // height 30, bottom 70
    TMyShape* last = AddRect(cad, 0, 190, 10, 200);
    cad.AverageHeight({m1, last, m3, first, m2});
    // Between 10 and 190 the middle heights 60 leave 120 for four gaps of 30.
    EXPECT_FLOAT_EQ(Top(m2), 40);
    EXPECT_FLOAT_EQ(Top(m3), 80);
    EXPECT_FLOAT_EQ(Top(m1), 140);
    EXPECT_FLOAT_EQ(Bottom(m1), 160);
}

TEST(Spacing, FewerThanThreeShapesChangeNothing)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 0, 15, 10, 25);
    cad.AverageHeight({a, b});
    cad.AverageWidth({a, b, nullptr});
    cad.AverageWidth({});
    EXPECT_FLOAT_EQ(Top(b), 15);
    EXPECT_FLOAT_EQ(Left(b), 0);
}
