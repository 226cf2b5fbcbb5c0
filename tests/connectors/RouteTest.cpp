// The router: plans, stubs out of attached shapes, detours around combined shapes, the
// step budget; and the tidying of connector points.
#include "ConnectorTestSupport.h"

#include <random>

namespace {
QString Moves(const TArrDirAndPoints& moves)
{
    QStringList parts;
    for (const TDirAndPoint& m : moves)
        parts << QStringLiteral("%1:(%2,%3)").arg(int(m.Dir)).arg(double(m.Point.X)).arg(double(m.Point.Y));
    return parts.join(QLatin1Char(' '));
}
} // namespace

TEST(Geometry, HorizontalOrVerticalAndTheMiddleAlongTheMainAxis)
{
    EXPECT_EQ(TMyLinkLine::IsLineHV(TMyPoint(0, 0), TMyPoint(5, 5)), 1); // equal extents: horizontal
    EXPECT_EQ(TMyLinkLine::IsLineHV(TMyPoint(0, 0), TMyPoint(4, 5)), 2);
    EXPECT_EQ(TMyLinkLine::SplitALine(TMyPoint(0, 0), TMyPoint(10, 4)), TMyPoint(5, 0));
    EXPECT_EQ(TMyLinkLine::SplitALine(TMyPoint(0, 0), TMyPoint(3, 8)), TMyPoint(0, 4));
}

TEST(Geometry, PlansTurnAccordingToTheDirectionBefore)
{
    TMyCAD cad;
    // dRight 2, dbottom 1, dLeft 0, dTop 3.
    EXPECT_EQ(Moves(cad.GetDirAndPoints(TMyPoint(0, 0), TMyPoint(10, 5), dNone)), "2:(10,0) 1:(10,5)");
    EXPECT_EQ(Moves(cad.GetDirAndPoints(TMyPoint(0, 0), TMyPoint(10, 5), dRight)), "1:(0,5) 2:(10,5)");
    EXPECT_EQ(Moves(cad.GetDirAndPoints(TMyPoint(0, 0), TMyPoint(0, 5), dNone)), "1:(0,5)");
    EXPECT_EQ(Moves(cad.GetDirAndPoints(TMyPoint(10, 5), TMyPoint(0, 0), dTop)), "0:(0,5) 3:(0,0)");
    EXPECT_EQ(Moves(cad.GetDirAndPoints(TMyPoint(3, 3), TMyPoint(3, 3), dNone)), "");
}

class Routes : public ConnectorTest {
protected:
    // Routes a fresh free connector between two free points (document units at zoom 1).
    QString Route(TMyPoint a, TMyPoint b)
    {
        TMyLinkLine* line = FreeConnector({});
        cad.GetPath(nullptr, line, nullptr, TMyPoint(a.X * z(), a.Y * z()), nullptr, TMyPoint(b.X * z(), b.Y * z()), dNone);
        return PointsOf(line);
    }
    double z() const { return cad.Zoom(); }
};

TEST_F(Routes, BetweenFreePointsAnLThatTidiesToThreePoints)
{
    TMyLinkLine* line = FreeConnector({});
    cad.GetPath(nullptr, line, nullptr, TMyPoint(100, 100), nullptr, TMyPoint(300, 200), dNone);
    EXPECT_EQ(PointsOf(line), "(100,100) (300,100) (300,200) (300,200)");
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(100,100) (300,100) (300,200)");
}

TEST_F(Routes, AttachedEndsLeaveTheirShapesThroughStubs)
{
    TMyShape* a = Box(100, 100, 200, 160, "A");
    TMyShape* b = Box(400, 300, 500, 360, "B");
    TMyLinkLine* line = Link(a, 2, b, 0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(PointsOf(line), "(200,130) (225,130) (375,130) (375,330) (375,330) (400,330)");
    EXPECT_EQ(line->CenterPoint(), line->ComputeCenterPoint(4));
    EXPECT_EQ(line->CaptionPoint().Y, 340.0f);
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(200,130) (375,130) (375,330) (400,330)");
    EXPECT_INVARIANTS(cad);
}

TEST_F(Routes, CombinedShapesInTheWayArePassedOnTheSideNearerTheTarget)
{
    Obstacle(150, 50, 250, 130); // the bottom side is nearer to y = 100
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(400, 100)), "(100,100) (130,100) (130,150) (400,150) (400,100) (400,100)");
    cad.DeleteAllShapes();
    Obstacle(150, 60, 250, 140); // a tie goes below
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(400, 100)), "(100,100) (130,100) (130,160) (400,160) (400,100) (400,100)");
    cad.DeleteAllShapes();
    Obstacle(50, 150, 130, 250); // walking down: the right side is nearer to x = 100
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(100, 400)), "(100,100) (100,130) (150,130) (150,400) (100,400) (100,400)");
}

TEST_F(Routes, OnlyCombinedShapesThatDoNotHoldTheTargetAreObstacles)
{
    AddRect(cad, 150, 50, 250, 150); // a plain rectangle is crossed
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(400, 100)), "(100,100) (400,100) (400,100)");
    cad.DeleteAllShapes();
    Obstacle(150, 50, 250, 150); // holds the target
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(200, 100)), "(100,100) (200,100) (200,100)");
    cad.DeleteAllShapes();
    Obstacle(300, 50, 350, 150); // beyond the ten probed steps
    EXPECT_EQ(Route(TMyPoint(100, 100), TMyPoint(500, 100)), "(100,100) (500,100) (500,100)");
}

TEST_F(Routes, WithoutDetoursTheRouteCrossesCombinedShapes)
{
    cad.SetLinklineAroundShape(false);
    Obstacle(150, 50, 250, 150);
    TMyLinkLine* line = FreeConnector({});
    cad.GetPath(nullptr, line, nullptr, TMyPoint(100, 100), nullptr, TMyPoint(400, 100), dNone);
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(100,100) (400,100)");
}

TEST_F(Routes, JunctionsHaveNoStubsAndZoomLeavesTheRouteAsItIs)
{
    auto* j1 = dynamic_cast<TMyLineLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLineLinkLine"), nullptr));
    auto* j2 = dynamic_cast<TMyLineLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLineLinkLine"), nullptr));
    j1->AddPointByMouse(TPoint(100, 100));
    j2->AddPointByMouse(TPoint(300, 200));
    ASSERT_EQ(j1->GetLinkPointsCount(), 1);
    EXPECT_EQ(j1->GetLinkPoint(0), TMyPoint(100, 100));
    TMyLinkLine* line = Link(j1, 0, j2, 0);
    EXPECT_EQ(PointsOf(line), "(100,100) (100,100) (300,100) (300,200) (300,200) (300,200)");

    TMyShape* a = Box(100, 300, 200, 360, "A");
    TMyShape* b = Box(400, 500, 500, 560, "B");
    Obstacle(240, 250, 300, 350);
    TMyLinkLine* atOne = Link(a, 2, b, 0);
    const QString route = PointsOf(atOne);
    cad.SetZoom(2);
    TMyLinkLine* atTwo = Link(a, 2, b, 0);
    EXPECT_EQ(PointsOf(atTwo), route);
}

// ---- Tidying --------------------------------------------------------------------------------

namespace {
// The tidying done the slow way: every removal starts the scan over.
TArrMyPoint Tidy(TArrMyPoint p, bool startAttached, bool endAttached)
{
    for (bool again = true; again;) {
        again = false;
        for (size_t i = 1; i < p.size(); ++i)
            if (p[i] == p[i - 1]) {
                p.erase(p.begin() + long(i));
                again = true;
                break;
            }
    }
    if (p.size() <= 4 && startAttached && endAttached)
        return p;
    auto near = [](float a, float b) { return std::abs(double(a) - b) <= 10; };
    for (bool again = true; again;) {
        again = false;
        for (size_t i = 1; i + 1 < p.size(); ++i) {
            const bool last = i + 1 == p.size() - 1;
            if (near(p[i - 1].X, p[i].X) && near(p[i + 1].X, p[i].X)) {
                (endAttached && last ? p[i - 1].X : p[i + 1].X) = endAttached && last ? p[i + 1].X : p[i - 1].X;
            } else if (near(p[i - 1].Y, p[i].Y) && near(p[i + 1].Y, p[i].Y)) {
                (endAttached && last ? p[i - 1].Y : p[i + 1].Y) = endAttached && last ? p[i + 1].Y : p[i - 1].Y;
            } else {
                continue;
            }
            p.erase(p.begin() + long(i));
            again = true;
            break;
        }
    }
    return p;
}
} // namespace

TEST_F(Routes, TidyingRemovesRepeatsAndNearlyStraightRuns)
{
    TMyLinkLine* line = FreeConnector({TMyPoint(0, 0), TMyPoint(0, 0), TMyPoint(5, 0)});
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(0,0) (5,0)");
    line->PointsRef() = {TMyPoint(0, 0), TMyPoint(3, 50), TMyPoint(6, 100), TMyPoint(100, 100)};
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(0,0) (0,100) (100,100)");
}

TEST_F(Routes, TidyingKeepsAttachedEndsOnTheirLinkPoints)
{
    TMyShape* a = Box(0, 0, 40, 40, "A");     // right link point (40, 20)
    TMyShape* b = Box(200, 100, 240, 140, "B"); // left link point (200, 120)
    TMyLinkLine* line = Link(a, 2, b, 0);
    // Four points between attached ends: a nearly straight run stays.
    line->PointsRef() = {TMyPoint(40, 20), TMyPoint(45, 22), TMyPoint(100, 120), TMyPoint(200, 120)};
    line->MergePoints();
    EXPECT_EQ(line->GetPointsCount(), 4);
    // Five points: the last run ends on the link point, so the point before moves.
    line->PointsRef() = {TMyPoint(40, 20), TMyPoint(120, 20), TMyPoint(198, 20), TMyPoint(195, 70),
                         TMyPoint(200, 120)};
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(40,20) (200,20) (200,120)");
    // Collapsed to two points off the link points: rebuilt with one jog.
    line->PointsRef() = {TMyPoint(40, 20), TMyPoint(40, 20), TMyPoint(190, 25)};
    line->MergePoints();
    EXPECT_EQ(PointsOf(line), "(40,20) (120,20) (120,120) (200,120)");
    EXPECT_INVARIANTS(cad);
}

TEST_F(Routes, FastTidyingGivesTheSlowResultsOnLongPointLists)
{
    TMyShape* a = Box(0, 0, 40, 40, "A");
    TMyShape* b = Box(200, 100, 240, 140, "B");
    TMyLinkLine* attached = Link(a, 2, b, 0);
    TMyLinkLine* loose = FreeConnector({});
    std::mt19937 random(5);
    std::uniform_int_distribution<int> step(-14, 14), big(0, 5), len(2, 60);
    for (int round = 0; round < 400; ++round) {
        TArrMyPoint p;
        float x = 0, y = 0;
        const int n = len(random);
        for (int i = 0; i < n; ++i) {
            // Small moves make nearly straight runs; some big ones break them.
            x += float(big(random) == 0 ? step(random) * 10 : step(random) / 2);
            y += float(big(random) == 0 ? step(random) * 10 : step(random) / 2);
            p.push_back(TMyPoint(x, y));
            if (big(random) == 1)
                p.push_back(p.back());
        }
        TMyLinkLine* line = round % 2 ? attached : loose;
        const bool ends = line == attached;
        if (ends) {
            p.front() = TMyPoint(40, 20);
            p.back() = TMyPoint(200, 120);
        }
        TArrMyPoint expected = Tidy(p, ends, ends);
        line->PointsRef() = p;
        line->MergePoints();
        if (ends && expected.size() <= 2)
            continue; // rebuilt with a jog, tested above
        ASSERT_EQ(PointsOf(line), PointsText(expected)) << "round " << round << " from " << PointsText(p).toStdString();
    }
}
