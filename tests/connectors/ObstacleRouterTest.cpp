// The obstacle-avoiding router: the orthogonal search on known cases (fewest bends, then
// shortest), randomised lattices of obstacles checked segment by segment against every
// box, the spreading of shared corridors, and the drawing property that chooses it.
#include "ConnectorTestSupport.h"

#include "component/editing/ObstacleRouter.h"
#include "component/editing/OrthoGraph.h"

#include <QBuffer>
#include <QMetaProperty>
#include <random>

namespace {
TOrthoQuery Query(TMyPoint from, Tdirections fromDir, TMyPoint to, Tdirections toDir, std::vector<TMyRect> boxes)
{
    TOrthoQuery q;
    q.From = from;
    q.FromDir = fromDir;
    q.To = to;
    q.ToDir = toDir;
    q.Bounds = TMyRect(-1000, -1000, 1000, 1000);
    q.Obstacles = std::move(boxes);
    return q;
}

// Brute force: the first segment of Route that passes through the inside of a box, or -1.
int FirstCrossing(const TArrMyPoint& route, const std::vector<TMyRect>& boxes, size_t from = 0, size_t skipLast = 0)
{
    for (size_t k = from; k + 1 + skipLast < route.size(); ++k) {
        const TMyPoint a = route[k], b = route[k + 1];
        if (a.X != b.X && a.Y != b.Y)
            return int(k); // not orthogonal
        for (const TMyRect& r : boxes) {
            const float l = std::min(a.X, b.X), rr = std::max(a.X, b.X);
            const float t = std::min(a.Y, b.Y), bb = std::max(a.Y, b.Y);
            if (l < r.Right && rr > r.Left && t < r.Bottom && bb > r.Top)
                return int(k);
        }
    }
    return -1;
}

QByteArray Saved(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(cad.SaveToStream(buffer));
    return bytes;
}
} // namespace

TEST(OrthoSearch, FewestBendsThenShortestOnKnownCases)
{
    // Straight ahead: no bend.
    auto r = FindOrthoRoute(Query({0, 0}, dRight, {300, 0}, dRight, {}));
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (TArrMyPoint{{0, 0}, {300, 0}}));
    // An L: one bend at the corner.
    r = FindOrthoRoute(Query({0, 0}, dRight, {200, 200}, dbottom, {}));
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (TArrMyPoint{{0, 0}, {200, 0}, {200, 200}}));
    // A box across the straight way: four bends around its nearer (upper, on a tie the
    // first found) or lower side, 400 long.
    r = FindOrthoRoute(Query({0, 0}, dRight, {300, 0}, dRight, {{100, -50, 200, 60}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(CountBends(*r), 4);
    EXPECT_DOUBLE_EQ(PolylineLength(*r), 400);
    EXPECT_EQ(FirstCrossing(*r, {{100, -50, 200, 60}}), -1);
    // A box on the L's corner: three bends, not the five of a way round its far side.
    r = FindOrthoRoute(Query({0, 0}, dRight, {200, 200}, dbottom, {{150, -50, 250, 50}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(CountBends(*r), 3);
    EXPECT_EQ(FirstCrossing(*r, {{150, -50, 250, 50}}), -1);
    // Arriving against the leaving direction: the two bends fall on the ends (where the
    // stubs join), the route between them is straight.
    r = FindOrthoRoute(Query({0, 0}, dRight, {0, 100}, dLeft, {}));
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (TArrMyPoint{{0, 0}, {0, 100}}));
    // Edges and corners may be touched: a route along a box's side is straight.
    r = FindOrthoRoute(Query({0, 0}, dRight, {300, 0}, dRight, {{100, 0, 200, 80}, {100, -80, 200, 0}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->size(), 2u);
}

TEST(OrthoSearch, NoWayInsideTheBoundsIsReportedNotGuessed)
{
    // A wall from bound to bound.
    EXPECT_FALSE(FindOrthoRoute(Query({-500, 0}, dRight, {500, 0}, dRight, {{-10, -2000, 10, 2000}})));
    // Ends outside the bounds, and bounds turned inside out.
    TOrthoQuery q = Query({0, 0}, dRight, {5000, 0}, dRight, {});
    EXPECT_FALSE(FindOrthoRoute(q));
    q = Query({0, 0}, dRight, {10, 0}, dRight, {});
    q.Bounds = TMyRect(100, 100, -100, -100);
    EXPECT_FALSE(FindOrthoRoute(q));
    // Degenerate and huge boxes are harmless.
    q = Query({0, 0}, dNone, {10, 10}, dNone, {{5, 5, 5, 5}, {-1e30f, -1e30f, -1e29f, -1e29f}});
    ASSERT_TRUE(FindOrthoRoute(q));
}

TEST(OrthoSearch, LargeGraphsAndRepeatedSearchesFindTheSameOptimum)
{
    // Squares in a regular lattice with corridors on the lines x, y = 100 k: the best way from
    // one corridor crossing to another is along the corridors with one bend. 150 x 150
    // squares make a graph too large for the dense tables of a small search.
    std::vector<TMyRect> squares;
    for (int i = 0; i < 150; ++i)
        for (int j = 0; j < 150; ++j)
            squares.push_back(TMyRect(float(i * 100 + 10), float(j * 100 + 10), float(i * 100 + 90), float(j * 100 + 90)));
    TOrthoQuery large = Query({0, 0}, dRight, {12000, 7000}, dbottom, squares);
    large.Bounds = TMyRect(0, 0, 15000, 15000);
    const TArrMyPoint expected{{0, 0}, {12000, 0}, {12000, 7000}};
    // A small search in a box that a large one fills with other states.
    const TOrthoQuery small = Query({0, 0}, dRight, {300, 0}, dRight, {{100, -50, 200, 60}});
    const auto first = FindOrthoRoute(small);
    ASSERT_TRUE(first);
    for (int round = 0; round < 2; ++round) {
        const auto route = FindOrthoRoute(large);
        ASSERT_TRUE(route);
        EXPECT_EQ(*route, expected);
        EXPECT_EQ(FindOrthoRoute(small), first);
        // A different small search between them does not colour the next one.
        EXPECT_TRUE(FindOrthoRoute(Query({0, 0}, dRight, {200, 200}, dbottom, {{150, -50, 250, 50}})));
    }
    // The same lattice at a third of the size fits the dense tables: the same kind of answer.
    squares.resize(0);
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 50; ++j)
            squares.push_back(TMyRect(float(i * 100 + 10), float(j * 100 + 10), float(i * 100 + 90), float(j * 100 + 90)));
    TOrthoQuery medium = Query({0, 0}, dRight, {4000, 2000}, dbottom, squares);
    medium.Bounds = TMyRect(0, 0, 5000, 5000);
    EXPECT_EQ(FindOrthoRoute(medium), (TArrMyPoint{{0, 0}, {4000, 0}, {4000, 2000}}));
}

TEST(OrthoSearch, RandomLatticesAreCrossedWithoutTouchingABox)
{
    // Boxes in the cells of a 100-unit lattice, never wider than 70, so that corridors of
    // at least 30 keep every free point reachable; ends in the corridors.
    std::mt19937 rng(20);
    std::uniform_real_distribution<float> size(10, 70), frac(0, 1);
    std::uniform_int_distribution<int> cell(0, 19);
    int routes = 0;
    for (int scene = 0; scene < 40; ++scene) {
        std::vector<TMyRect> boxes;
        for (int i = 0; i < 20; ++i)
            for (int j = 0; j < 20; ++j)
                if (frac(rng) < 0.7f) {
                    const float w = size(rng), h = size(rng);
                    const float x = float(i * 100) + frac(rng) * (70 - w), y = float(j * 100) + frac(rng) * (70 - h);
                    boxes.push_back(TMyRect(x, y, x + w, y + h));
                }
        auto query = [&](const TMyRect& region, std::vector<TMyRect>& out) {
            for (const TMyRect& b : boxes)
                if (b.Right >= region.Left && b.Left <= region.Right && b.Bottom >= region.Top && b.Top <= region.Bottom)
                    out.push_back(b);
        };
        for (int k = 0; k < 10; ++k) {
            const TMyPoint sa(float(cell(rng) * 100 + 85), float(cell(rng) * 100 + 85));
            const TMyPoint sb(float(cell(rng) * 100 + 85), float(cell(rng) * 100 + 40));
            const TRouteEnd a{TMyPoint(sa.X - 10, sa.Y), sa, dRight};
            const TRouteEnd b{TMyPoint(sb.X, sb.Y - 10), sb, dbottom};
            const auto route = RouteAroundObstacles(a, b, query, 0);
            ASSERT_TRUE(route) << "scene " << scene << " route " << k;
            EXPECT_EQ(FirstCrossing(*route, boxes), -1) << "scene " << scene << " route " << k;
            EXPECT_EQ(route->front(), a.Link);
            EXPECT_EQ((*route)[1], a.Stub);
            EXPECT_EQ(route->back(), b.Link);
            ++routes;
        }
    }
    EXPECT_EQ(routes, 400);
}

TEST(OrthoSearch, SharedCorridorsAreSpreadApartClearOfTheBoxes)
{
    // Two routes along y = 100 between x = 100 and 400: the second moves aside, its
    // neighbours stretch, the stubs stay.
    const TArrMyPoint first{{100, -20}, {100, 0}, {100, 100}, {400, 100}, {400, 200}, {400, 220}};
    TArrMyPoint second = first;
    NudgeApart(second, MiddleSegments(first), {}, 8);
    EXPECT_EQ(second, (TArrMyPoint{{100, -20}, {100, 0}, {100, 108}, {400, 108}, {400, 200}, {400, 220}}));
    // A box just below the corridor keeps it from moving down; with one above as well it stays.
    TArrMyPoint up = first;
    NudgeApart(up, MiddleSegments(first), {{150, 104, 350, 150}}, 8);
    EXPECT_EQ(up[2].Y, 92.0f);
    EXPECT_EQ(up[3].Y, 92.0f);
    TArrMyPoint stays = first;
    NudgeApart(stays, MiddleSegments(first), {{150, 104, 350, 150}, {150, 50, 350, 96}}, 8);
    EXPECT_EQ(stays, first);
    // A route already apart is left alone.
    TArrMyPoint apart = second;
    NudgeApart(apart, MiddleSegments(first), {}, 8);
    EXPECT_EQ(apart, second);
    // No stub segment ever moves: the ends stay on their link points.
}

class AvoidingRoutes : public ConnectorTest {};

TEST_F(AvoidingRoutes, TheStandardRouterStaysTheDefaultAndTheSwitchIsNotSaved)
{
    EXPECT_EQ(cad.LinkLineRouter(), lrStandard);
    const int index = cad.metaObject()->indexOfProperty("LinkLineRouter");
    ASSERT_GE(index, 0);
    EXPECT_TRUE(cad.metaObject()->property(index).isEnumType());

    TMyShape* a = Box(100, 100, 200, 160, "A");
    TMyShape* b = Box(400, 300, 500, 360, "B");
    Obstacle(260, 60, 320, 200);
    TMyLinkLine* line = Link(a, 2, b, 0);
    ASSERT_NE(line, nullptr);
    const QString standard = PointsOf(line);
    const QByteArray before = Saved(cad);
    // Routed around with the other router, then back: the standard bytes again.
    cad.SetLinkLineRouter(lrAvoidObstacles);
    cad.Move(a, 10, 0);
    cad.Move(a, -10, 0);
    EXPECT_NE(PointsOf(line), standard);
    cad.SetLinkLineRouter(lrStandard);
    cad.Move(a, 10, 0);
    cad.Move(a, -10, 0);
    EXPECT_EQ(PointsOf(line), standard);
    EXPECT_EQ(Saved(cad), before);
    // The switch itself writes nothing.
    cad.SetLinkLineRouter(lrAvoidObstacles);
    EXPECT_EQ(Saved(cad), before);
    EXPECT_INVARIANTS(cad);
}

TEST_F(AvoidingRoutes, RoutesGoAroundCombinedShapesAndFollowMoves)
{
    cad.SetLinkLineRouter(lrAvoidObstacles);
    TMyShape* a = Box(100, 100, 200, 160, "A");
    TMyShape* b = Box(500, 100, 600, 160, "B");
    const std::vector<TMyRect> walls{{300, 0, 360, 250}, {300, 300, 360, 420}};
    for (const TMyRect& w : walls)
        Obstacle(w.Left, w.Top, w.Right, w.Bottom);
    std::vector<TMyRect> grown;
    for (const TMyRect& w : walls)
        grown.push_back(TMyRect(w.Left - 20, w.Top - 20, w.Right + 20, w.Bottom + 20));
    TMyLinkLine* line = Link(a, 2, b, 0);
    ASSERT_NE(line, nullptr);
    // Out to the right of A, through the gap between the walls, into B from the left.
    EXPECT_EQ(line->Points().front(), a->GetLinkPoint(2));
    EXPECT_EQ(line->Points()[1], TMyPoint(225, 130));
    EXPECT_EQ(line->Points().back(), b->GetLinkPoint(0));
    EXPECT_EQ(FirstCrossing(line->Points(), grown), -1) << PointsOf(line).toStdString();
    EXPECT_EQ(CountBends(line->Points()), 4) << PointsOf(line).toStdString();
    // A second connector along the same way is spread from the first, in the same gap.
    TMyLinkLine* twin = Link(a, 2, b, 0);
    ASSERT_NE(twin, nullptr);
    EXPECT_NE(PointsOf(twin), PointsOf(line));
    EXPECT_EQ(CountBends(twin->Points()), 4) << PointsOf(twin).toStdString();
    EXPECT_EQ(FirstCrossing(twin->Points(), walls), -1) << PointsOf(twin).toStdString();
    // B moves below the lower wall: both routes follow and still keep clear.
    cad.Move(b, 0, 400);
    for (const TMyLinkLine* l : {line, twin}) {
        EXPECT_EQ(l->Points().front(), a->GetLinkPoint(2));
        EXPECT_EQ(l->Points().back(), b->GetLinkPoint(0));
        EXPECT_EQ(FirstCrossing(l->Points(), grown), -1) << PointsOf(l).toStdString();
    }
    EXPECT_INVARIANTS(cad);
}
