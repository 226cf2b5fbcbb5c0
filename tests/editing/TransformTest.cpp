// Moving, turning, tilting, resizing and mirroring a shape with its group members, and
// the traces drawn for the mouse.
#include "EditingSupport.h"

#include <cmath>
#include <numbers>

namespace {
::testing::AssertionResult PointsNear(const TMyShape* s, std::initializer_list<TMyPoint> expected, float tol = 1e-3f)
{
    if (s->GetPointsCount() != int(expected.size()))
        return ::testing::AssertionFailure() << s->GetPointsCount() << " points";
    int i = 0;
    for (const TMyPoint& e : expected) {
        const TMyPoint p = s->GetPoint(i);
        if (std::fabs(p.X - e.X) > tol || std::fabs(p.Y - e.Y) > tol)
            return ::testing::AssertionFailure()
                   << "point " << i << " is (" << p.X << ", " << p.Y << "), expected (" << e.X << ", " << e.Y << ")";
        ++i;
    }
    return ::testing::AssertionSuccess();
}

bool Near(TMyPoint a, TMyPoint b, float tol = 1e-3f)
{
    return std::fabs(a.X - b.X) <= tol && std::fabs(a.Y - b.Y) <= tol;
}

// Two rectangles grouped; the group is left unselected.
struct GroupOfTwo {
    TMyShape* A;
    TMyShape* B;
    TMyShape* G;
};

GroupOfTwo MakeGroup(TMyCAD& cad)
{
    GroupOfTwo g;
    g.A = AddRect(cad, 0, 0, 100, 100, "A");
    g.B = AddRect(cad, 100, 100, 200, 200, "B");
    g.G = cad.GetShapeByID(cad.GroupShapes({g.A, g.B}, false));
    cad.DeSelectedAllShapesByCode();
    return g;
}
} // namespace

TEST(Move, MovesTheTreeByScreenPixelsAndFiresFirst)
{
    TMyCAD cad;
    cad.SetZoom(2);
    GroupOfTwo g = MakeGroup(cad); // document units: A 0..50, B 50..100
    g.B->StoreLocked(true);
    std::vector<std::tuple<TMyShape*, float, float>> events;
    cad.OnShapeCodeDragging = [&](TMyShape* s, float dx, float dy) {
        events.emplace_back(s, dx, dy);
        EXPECT_EQ(s->GetPoint(0), TMyPoint(0, 0)); // before the move
    };
    cad.Move(g.G, 20, -10);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_tuple(g.G, 20.0f, -10.0f));
    EXPECT_TRUE(PointsNear(g.A, {{10, -5}, {60, -5}, {60, 45}, {10, 45}}));
    EXPECT_TRUE(PointsNear(g.B, {{50, 50}, {100, 50}, {100, 100}, {50, 100}})); // locked
    EXPECT_TRUE(PointsNear(g.G, {{10, -5}, {110, -5}, {110, 95}, {10, 95}}));
    cad.Move(nullptr, 5, 5); // nothing
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(cad.UndoList().RecordCount(), 2); // the two additions only
    EXPECT_CONSISTENT(cad);
}

TEST(Rotate, TurnsAMemberAboutItsRootsCentre)
{
    TMyCAD cad;
    GroupOfTwo g = MakeGroup(cad); // group centre (100, 100)
    float reported = 0;
    cad.OnShapeCodeRotating = [&](TMyShape*, float a) { reported = a; };
    const float quarter = float(std::numbers::pi / 2);
    cad.Rotate(g.A, quarter);
    EXPECT_FLOAT_EQ(reported, quarter);
    // A quarter turn about (100, 100) maps (0, 0) to (200, 0) and (100, 100) to itself.
    EXPECT_TRUE(Near(g.A->GetPoint(0), TMyPoint(200, 0), 1e-3f));
    EXPECT_TRUE(Near(g.A->GetPoint(2), TMyPoint(100, 100), 1e-3f));
    EXPECT_FLOAT_EQ(g.A->Angle(), quarter);
    EXPECT_TRUE(PointsNear(g.B, {{100, 100}, {200, 100}, {200, 200}, {100, 200}})); // not turned
    cad.Rotate(nullptr, quarter);
    EXPECT_CONSISTENT(cad);
}

TEST(Rotate, RotationOfATreeTurnsLockedMembersNot)
{
    TMyCAD cad;
    GroupOfTwo g = MakeGroup(cad);
    g.G->StoreLocked(true); // the group itself stays, its members turn
    g.B->StoreLocked(true);
    cad.RotateChangeValueforShapes(g.G, TMyPoint(100, 100), std::numbers::pi);
    EXPECT_TRUE(PointsNear(g.G, {{0, 0}, {200, 0}, {200, 200}, {0, 200}}));
    EXPECT_TRUE(PointsNear(g.A, {{200, 200}, {100, 200}, {100, 100}, {200, 100}}));
    EXPECT_TRUE(PointsNear(g.B, {{100, 100}, {200, 100}, {200, 200}, {100, 200}}));
}

TEST(Tilt, TurnsByTheAngleSeenFromTheCentreAndReturnsIt)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 100, 100, 200, 140);
    const TMyPoint c(150, 120);
    const float a = cad.Tilt(r, c, TMyPoint(250, 120), TMyPoint(150, 220), false);
    EXPECT_NEAR(std::fabs(a), std::numbers::pi / 2, 1e-6);
    EXPECT_TRUE(Near(r->GetPoint(0), RotateAPoint(TMyPoint(100, 100), c, a)));
    EXPECT_TRUE(Near(r->GetPoint(0), TMyPoint(170, 70), 1e-3f));
    EXPECT_EQ(cad.Tilt(nullptr, c, TMyPoint(), TMyPoint(1, 1), false), 0.0f);
    // With a constraint of 30 degrees a 40-degree tilt becomes 30 degrees.
    cad.SetRotateConstraintDegree(30);
    const double forty = 40 * std::numbers::pi / 180;
    const TMyPoint to(float(150 + 100 * std::cos(forty)), float(120 + 100 * std::sin(forty)));
    EXPECT_NEAR(std::fabs(cad.Tilt(r, c, TMyPoint(250, 120), to, true)), std::numbers::pi / 6, 1e-6);
}

TEST(SizeShape, MovesACornerAndKeepsTheCaptionInPlaceOfTheBox)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 100, 50); // caption point (50, 60)
    ASSERT_EQ(r->CaptionPoint(), TMyPoint(50, 60));
    cad.SizeShape(r, 2, TMyPoint(150, 80));
    EXPECT_TRUE(PointsNear(r, {{0, 0}, {150, 0}, {150, 80}, {0, 80}}));
    // The fixed corner is (0, 0): the caption scales with the box.
    EXPECT_TRUE(Near(r->CaptionPoint(), TMyPoint(75, 96)));
    // A side hot moves its side only.
    cad.SizeShape(r, 5, TMyPoint(200, 40));
    EXPECT_TRUE(PointsNear(r, {{0, 0}, {200, 0}, {200, 80}, {0, 80}}));
    cad.SizeShape(r, -1, TMyPoint(10, 10));
    cad.SizeShape(nullptr, 2, TMyPoint(10, 10));
    EXPECT_TRUE(PointsNear(r, {{0, 0}, {200, 0}, {200, 80}, {0, 80}}));
}

TEST(SizeShape, ResizingARotatedRectangleKeepsItsCaptionAtTheSameRelativePlace)
{
    TMyCAD cad;
    const float theta = float(std::numbers::pi / 6);
    const int id = cad.AddShapeByCode(&cad, SpRectangle, QString(),
                                      {TMyPoint(100, 100), TMyPoint(200, 100), TMyPoint(200, 160), TMyPoint(100, 160)},
                                      theta, "Turned");
    TMyShape* r = cad.GetShapeByID(id);
    // The caption in the box's own frame: as fractions of the unturned box.
    auto relative = [&] {
        const TMyPoint c = r->GetCenterPoint();
        TArrMyPoint u;
        for (const TMyPoint& p : r->Points())
            u.push_back(RotateAPoint(p, c, -r->Angle()));
        const TMyRect box = GetPointsLTRB(u);
        const TMyPoint cap = RotateAPoint(r->CaptionPoint(), c, -r->Angle());
        return TMyPoint((cap.X - box.Left) / box.Width(), (cap.Y - box.Top) / box.Height());
    };
    const TMyPoint before = relative();
    // Drag corner 2 outwards along the box's own diagonal.
    const TMyPoint corner = r->GetPointInZoom(2);
    cad.SizeShape(r, 2, TMyPoint(corner.X + 30, corner.Y + 40));
    EXPECT_GT(r->GetMyWidth(), 100.5f);
    EXPECT_TRUE(Near(relative(), before, 1e-3f)) << relative().X << " " << relative().Y;
    EXPECT_NEAR(r->Angle(), theta, 1e-5);
}

TEST(SizeShape, LockedOrNotResizableShapesRefuse)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 100, 50);
    r->StoreLocked(true);
    cad.SizeShape(r, 2, TMyPoint(150, 80));
    EXPECT_TRUE(PointsNear(r, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}));
    r->StoreLocked(false);
    r->SetResizeEnable(false);
    cad.SizeShape(r, 2, TMyPoint(150, 80));
    EXPECT_TRUE(PointsNear(r, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}));
}

TEST(SizeShape, AGroupScalesItsMembersFromTheOppositeCorner)
{
    TMyCAD cad;
    GroupOfTwo g = MakeGroup(cad); // box 0..200
    cad.SizeShape(g.G, 2, TMyPoint(400, 300));
    EXPECT_TRUE(PointsNear(g.G, {{0, 0}, {400, 0}, {400, 300}, {0, 300}}));
    EXPECT_TRUE(PointsNear(g.A, {{0, 0}, {200, 0}, {200, 150}, {0, 150}}));
    EXPECT_TRUE(PointsNear(g.B, {{200, 150}, {400, 150}, {400, 300}, {200, 300}}));
    // Grabbing corner 0 keeps corner 2 in place; a locked member keeps its size.
    g.B->StoreLocked(true);
    cad.SizeShape(g.G, 0, TMyPoint(200, 150));
    EXPECT_TRUE(PointsNear(g.G, {{200, 150}, {400, 150}, {400, 300}, {200, 300}}));
    EXPECT_TRUE(PointsNear(g.A, {{200, 150}, {300, 150}, {300, 225}, {200, 225}}));
    EXPECT_TRUE(PointsNear(g.B, {{200, 150}, {400, 150}, {400, 300}, {200, 300}}));
    EXPECT_CONSISTENT(cad);
}

TEST(Flip, MirrorsEveryMemberAboutTheGroupsCentreLineAndRecordsOneChange)
{
    TMyCAD cad;
    GroupOfTwo g = MakeGroup(cad); // centre (100, 100)
    TMyShape* c = AddRect(cad, 300, 0, 320, 10, "C");
    g.B->StoreLocked(true);
    const int records = cad.UndoList().RecordCount();
    cad.FlipHoriz(g.G);
    EXPECT_TRUE(PointsNear(g.A, {{200, 0}, {100, 0}, {100, 100}, {200, 100}}));
    EXPECT_TRUE(PointsNear(g.B, {{100, 100}, {200, 100}, {200, 200}, {100, 200}})); // locked
    EXPECT_TRUE(g.A->IsFlipHorz());
    EXPECT_FALSE(g.B->IsFlipHorz());
    // One action: the group and its two members.
    EXPECT_EQ(cad.UndoList().RecordCount(), records + 3);
    EXPECT_EQ(cad.UndoList().Record(records).ActionName, "ACT_CHANGE");
    EXPECT_EQ(cad.UndoList().Record(records).Shape->GetShapeId(), g.G->GetShapeId());
    cad.FlipVert(c); // about its own centre line y = 5
    EXPECT_TRUE(PointsNear(c, {{300, 10}, {320, 10}, {320, 0}, {300, 0}}));
    EXPECT_TRUE(c->IsFlipVert());
}

TEST(Flip, ConnectorsAndNilAreNotMirrored)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 100, 0, 110, 10);
    TMyLinkLine* line = Connect(cad, a, b);
    const TArrMyPoint before = line->Points();
    const int records = cad.UndoList().RecordCount();
    cad.FlipHoriz(line);
    cad.FlipVert(line);
    cad.FlipHoriz(nullptr);
    EXPECT_EQ(line->Points(), before);
    EXPECT_EQ(cad.UndoList().RecordCount(), records);
}

TEST(Traces, DraggingDrawsTheShapeMovedAndNothingWhenLocked)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 10, 10, 40, 40);
    TBitmap picture(100, 100);
    TCanvas& canvas = picture.Canvas();
    canvas.Pen().SetColor(clBlack);
    r->StoreLocked(true);
    cad.DraggingforShapes(&canvas, r, TPoint(0, 0), TPoint(30, 30));
    EXPECT_EQ(canvas.Pixels(55, 40), clWhite);
    r->StoreLocked(false);
    cad.DraggingforShapes(&canvas, r, TPoint(0, 0), TPoint(30, 30));
    EXPECT_EQ(canvas.Pixels(55, 40), clBlack); // top edge of the box moved to 40..70
    EXPECT_EQ(canvas.Pixels(25, 10), clWhite); // nothing at the old place
}

TEST(Traces, RotatingAGroupDrawsItsMembersOnly)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 10, 10, 40, 40);
    TMyShape* b = AddRect(cad, 60, 60, 90, 90);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TBitmap picture(100, 100);
    TCanvas& canvas = picture.Canvas();
    canvas.Pen().SetColor(clBlack);
    cad.RotatingforShapes(&canvas, g, TMyPoint(50, 50), 0);
    EXPECT_EQ(canvas.Pixels(25, 10), clBlack); // a's top edge
    EXPECT_EQ(canvas.Pixels(75, 90), clBlack); // b's bottom edge
    EXPECT_EQ(canvas.Pixels(90, 10), clWhite); // the group's own corner
    EXPECT_EQ(canvas.Pixels(50, 10), clWhite); // the group's top edge
}
