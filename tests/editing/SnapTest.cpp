// Snapping to the grid and to shape edges, the point mappings of the XY modes and the
// confinement of the cursor.
#include "EditingSupport.h"

#include "support/RecordingUIServices.h"

namespace {
struct Snapped {
    int X, Y;
    bool Result;
    friend bool operator==(const Snapped&, const Snapped&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Snapped& s)
    {
        return os << "(" << s.X << ", " << s.Y << ") " << (s.Result ? "snapped" : "free");
    }
};

Snapped SnapOf(TMyCAD& cad, int x, int y)
{
    const bool r = cad.SnapXY(x, y);
    return {x, y, r};
}
} // namespace

TEST(SnapGrid, CapturesWithinSnapPixelsOnEachAxis)
{
    TMyCAD cad; // grid 20 x 20, SnapPixels 4
    EXPECT_EQ(SnapOf(cad, 23, 10), (Snapped{20, 10, true}));
    EXPECT_EQ(SnapOf(cad, 24, 10), (Snapped{24, 10, false})); // exactly SnapPixels away
    EXPECT_EQ(SnapOf(cad, 37, 10), (Snapped{40, 10, true}));
    EXPECT_EQ(SnapOf(cad, 10, 10), (Snapped{10, 10, false}));
    EXPECT_EQ(SnapOf(cad, 10, 57), (Snapped{10, 60, true}));
    EXPECT_EQ(SnapOf(cad, 43, 57), (Snapped{40, 60, true}));
    EXPECT_EQ(SnapOf(cad, -3, 2), (Snapped{0, 0, true}));
}

TEST(SnapGrid, NonIntegralSpacingRoundsTheLineHalfToEven)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridWidth(12.5);
    cad.GridOperation()->SetGridHeight(12.5);
    // 3 x 12.5 = 37.5 rounds to 38; 5 x 12.5 = 62.5 rounds to 62.
    EXPECT_EQ(SnapOf(cad, 36, 61), (Snapped{38, 62, true}));
}

TEST(SnapGrid, ZeroSpacingLeavesThatAxisAlone)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridWidth(0);
    EXPECT_EQ(SnapOf(cad, 1, 41), (Snapped{1, 40, true}));
    cad.GridOperation()->SetGridHeight(-20);
    EXPECT_EQ(SnapOf(cad, 1, 41), (Snapped{1, 41, false}));
}

TEST(SnapGrid, SnapPixelsMustStayBelowBothSpacings)
{
    TMyCAD cad;
    cad.SetSnapPixels(20);
    EXPECT_EQ(cad.SnapPixels(), 4);
    cad.SetSnapPixels(19);
    EXPECT_EQ(cad.SnapPixels(), 19);
    cad.GridOperation()->SetGridHeight(10);
    cad.SetSnapPixels(12);
    EXPECT_EQ(cad.SnapPixels(), 19);
}

TEST(SnapShapes, GridCaptureInOneAxisStopsShapeEdges)
{
    TMyCAD cad;
    cad.SetSnapShape(true);
    AddRect(cad, 100, 107, 200, 300); // top edge at y = 107
    // x is 2 from the grid line at 120; y = 110 is 3 from the top edge but 10 from the grid.
    EXPECT_EQ(SnapOf(cad, 122, 110), (Snapped{120, 110, true}));
    // Off the grid in both axes, the top edge captures y.
    EXPECT_EQ(SnapOf(cad, 130, 110), (Snapped{130, 107, true}));
}

TEST(SnapShapes, EdgesOfOtherShapesWithTheGridOff)
{
    TMyCAD cad;
    cad.SetSnap(false);
    cad.SetSnapShape(true);
    AddRect(cad, 100, 100, 200, 200);
    EXPECT_EQ(SnapOf(cad, 103, 150), (Snapped{100, 150, true})); // left edge
    EXPECT_EQ(SnapOf(cad, 197, 150), (Snapped{200, 150, true})); // right edge
    EXPECT_EQ(SnapOf(cad, 150, 97), (Snapped{150, 100, true}));  // top edge
    EXPECT_EQ(SnapOf(cad, 103, 202), (Snapped{100, 200, true})); // both at a corner
    EXPECT_EQ(SnapOf(cad, 100, 150), (Snapped{100, 150, true})); // on the edge: no move
    EXPECT_EQ(SnapOf(cad, 104, 150), (Snapped{104, 150, false})); // SnapPixels away
    EXPECT_EQ(SnapOf(cad, 150, 150), (Snapped{150, 150, false})); // inside, far from edges
    // The band in which an edge attracts runs from 0.8 x top to 1.2 x bottom.
    EXPECT_EQ(SnapOf(cad, 102, 81), (Snapped{100, 81, true}));
    EXPECT_EQ(SnapOf(cad, 102, 80), (Snapped{102, 80, false}));
    EXPECT_EQ(SnapOf(cad, 102, 239), (Snapped{100, 239, true}));
}

TEST(SnapShapes, SmallerCorrectionWinsAndTheLeftEdgeWinsATie)
{
    TMyCAD cad;
    cad.SetSnap(false);
    cad.SetSnapShape(true);
    AddRect(cad, 100, 100, 200, 200);
    AddRect(cad, 50, 100, 105, 200); // right edge at 105
    // 102: 2 right of the left edge at 100, 3 left of the right edge at 105.
    EXPECT_EQ(SnapOf(cad, 102, 150), (Snapped{100, 150, true}));
    // 103: 3 and 2: the right edge is nearer.
    EXPECT_EQ(SnapOf(cad, 103, 150), (Snapped{105, 150, true}));
    cad.DeleteAllShapes();
    AddRect(cad, 100, 100, 200, 200);
    AddRect(cad, 50, 100, 104, 200);
    // 102 lies 2 from both edges: the left edge (first slot) wins.
    EXPECT_EQ(SnapOf(cad, 102, 150), (Snapped{100, 150, true}));
}

TEST(SnapShapes, MembersOfGroupsDoNotAttractButTheGroupBoxDoes)
{
    TMyCAD cad;
    cad.SetSnap(false);
    cad.SetSnapShape(true);
    TMyShape* a = AddRect(cad, 100, 100, 200, 200);
    TMyShape* b = AddRect(cad, 300, 100, 400, 200);
    ASSERT_GE(cad.GroupShapes({a, b}, false), 0);
    EXPECT_EQ(SnapOf(cad, 203, 150), (Snapped{203, 150, false})); // a's right edge
    // The new group is the shape being operated on, which never attracts.
    EXPECT_EQ(SnapOf(cad, 397, 150), (Snapped{397, 150, false}));
    cad.DeSelectedAllShapesByCode();
    EXPECT_EQ(SnapOf(cad, 397, 150), (Snapped{400, 150, true})); // the group's right edge
}

TEST(SnapShapes, EdgesAreTakenInScreenPixels)
{
    TMyCAD cad;
    cad.SetZoom(2);
    cad.SetSnap(false);
    cad.SetSnapShape(true);
    AddRect(cad, 100, 100, 200, 200); // screen pixels at zoom 2
    EXPECT_EQ(SnapOf(cad, 103, 150), (Snapped{100, 150, true}));
}

TEST(SnapRect, TakesTheSmallestCorrectionPerAxisFromAnyCorner)
{
    TMyCAD cad;
    // x: left 43 is 3 from 40, right 82 is 2 from 80. y: top 57 is 3 from 60, bottom 101 is
    // 1 from 100.
    int x = 200, y = 200;
    cad.SnapRect(TRect(43, 57, 82, 101), x, y);
    EXPECT_EQ(x, 200 - 2);
    EXPECT_EQ(y, 200 - 1);
    // Left corners capture nothing in x: the right corners give x, the top gives y.
    x = 200, y = 200;
    cad.SnapRect(TRect(30, 22, 83, 50), x, y);
    EXPECT_EQ(x, 200 - 3);
    EXPECT_EQ(y, 200 - 2);
    // Nothing near the grid: the point stays.
    x = 200, y = 200;
    cad.SnapRect(TRect(30, 30, 50, 50), x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 200);
}

TEST(PointByMode, EachMappingIsItsOwnInverse)
{
    TMyCAD cad;
    const int w = cad.width(), h = cad.height();
    const TPoint p(30, 40);
    const std::pair<TXYMode, TPoint> expected[] = {{TXYMode::Mode0, TPoint(30, 40)},
                                                   {TXYMode::Mode1, TPoint(30, h - 40)},
                                                   {TXYMode::Mode2, TPoint(w - 30, h - 40)},
                                                   {TXYMode::Mode3, TPoint(w - 30, 40)}};
    for (const auto& [mode, q] : expected) {
        cad.SetXYMode(mode);
        EXPECT_EQ(cad.GetPointByMode(p), q);
        EXPECT_EQ(cad.GetPointByMode(cad.GetPointByMode(p)), p);
        const TMyPoint m(30.5f, 40.25f);
        EXPECT_EQ(cad.GetMyPointByMode(cad.GetMyPointByMode(m)), m);
    }
}

TEST(CursorClip, ConfinesAndReleasesThroughTheUIServices)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TMyCAD cad;
    cad.SetCursorClipArea(TRect(10, 20, 300, 200), 5, 6, false);
    ASSERT_TRUE(ui.CursorClip().has_value());
    EXPECT_EQ(*ui.CursorClip(), QRect(10, 20, 295, 194));
    EXPECT_TRUE(cad.CursorClipped());
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
    cad.ReleaseCursorClipArea();
    EXPECT_FALSE(ui.CursorClip().has_value());
    EXPECT_FALSE(cad.CursorClipped());
}

TEST(CursorClip, HiddenCursorComesBackAsCrossOnlyWithMouseEffect)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TMyCAD cad;
    cad.SetCursorClipArea(TRect(0, 0, 100, 100), 0, 0, true);
    EXPECT_EQ(cad.cursor().shape(), Qt::BlankCursor);
    cad.ReleaseCursorClipArea();
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
    cad.SetMouseEffect(false);
    cad.SetCursorClipArea(TRect(0, 0, 100, 100), 0, 0, true);
    cad.ReleaseCursorClipArea();
    EXPECT_EQ(cad.cursor().shape(), Qt::BlankCursor);
}

TEST(CursorClip, AControlDestroyedWhileConfiningReleasesTheCursor)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    {
        TMyCAD cad;
        cad.SetCursorClipArea(TRect(0, 0, 100, 100), 0, 0, false);
        EXPECT_TRUE(ui.CursorClip().has_value());
    }
    EXPECT_FALSE(ui.CursorClip().has_value());
    EXPECT_EQ(ui.CursorClips().size(), 2u);
}
