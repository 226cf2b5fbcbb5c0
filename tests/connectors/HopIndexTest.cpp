// The index of vertical connector segments that hops are drawn from, against a scan of
// every segment: random routes of every length on a page, ends that share x, segments
// that touch the query line at an end, and outliers far off the page.
#include "ConnectorTestSupport.h"

#include "component/render/HopIndex.h"

#include <random>

namespace {
// Every crossing by brute force, by x and, of equal x, in the order taken.
std::vector<TMyPoint> ScanCrossings(const std::vector<const TMyShape*>& shapes, TMyPoint p, TMyPoint q)
{
    std::vector<std::pair<float, int>> found;
    const float left = std::min(p.X, q.X), right = std::max(p.X, q.X);
    int order = 0;
    for (const TMyShape* s : shapes)
        for (int k = 0; k + 1 < s->GetPointsCount(); ++k) {
            const TMyPoint a = s->GetPointInZoom(k), b = s->GetPointInZoom(k + 1);
            if (a.X != b.X || a.Y == b.Y)
                continue;
            ++order;
            if (std::min(a.Y, b.Y) < p.Y && p.Y < std::max(a.Y, b.Y) && left < a.X && a.X < right)
                found.emplace_back(a.X, order);
        }
    std::sort(found.begin(), found.end());
    std::vector<TMyPoint> out;
    for (const auto& [x, ignored] : found)
        out.push_back(TMyPoint(x, p.Y));
    return out;
}
} // namespace

TEST_F(ConnectorTest, HopIndexFindsWhatAScanOfEverySegmentFinds)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coarse(0, 60);
    std::uniform_real_distribution<float> fine(0, 800), length(1, 300);
    for (int scene = 0; scene < 6; ++scene) {
        cad.DeleteAllShapes();
        std::vector<const TMyShape*> shapes;
        for (int i = 0; i < 300; ++i) {
            // Coarse places make shared x and ends on the query lines common.
            const bool snap = i % 3 == 0;
            const float x = snap ? float(coarse(rng) * 10) : fine(rng), y = snap ? float(coarse(rng) * 10) : fine(rng);
            const float l = snap ? float(coarse(rng) * 5 + 10) : length(rng);
            TArrMyPoint route{TMyPoint(x, y), TMyPoint(x, y + l), TMyPoint(x + l, y + l), TMyPoint(x + l, y + 2 * l)};
            if (scene == 5 && i == 0) // one segment far off, and long: the bands stay few
                route = {TMyPoint(5, -1e7f), TMyPoint(5, 1e7f)};
            if (scene == 4) { // left of 0 too, and at -0 and 0, which order as one x
                for (TMyPoint& p : route)
                    p.X -= 400;
                if (i < 2)
                    route = {TMyPoint(i ? 0.0f : -0.0f, 100), TMyPoint(i ? 0.0f : -0.0f, 500)};
            }
            shapes.push_back(FreeConnector(route));
        }
        THopIndex index, rows;
        index.Build(shapes);
        EXPECT_TRUE(index.Built());
        // Built for the rows 200 to 400 only (their edges included), it answers there alike.
        rows.Build(shapes, 200, 400);
        EXPECT_TRUE(rows.Covers(200) && rows.Covers(400));
        EXPECT_FALSE(rows.Covers(199.9) || rows.Covers(400.1));
        EXPECT_LT(rows.SegmentCount(), index.SegmentCount());
        std::vector<TMyPoint> found;
        for (int k = 0; k < 400; ++k) {
            const bool snap = k % 2 == 0;
            const float shift = scene == 4 ? -400 : 0;
            const TMyPoint p(fine(rng) + shift, snap ? float(coarse(rng) * 10) : fine(rng));
            const TMyPoint q(fine(rng) + shift, p.Y);
            index.Crossings(p, q, found);
            ASSERT_EQ(found, ScanCrossings(shapes, p, q)) << "scene " << scene << " query " << k;
            if (rows.Covers(p.Y)) {
                rows.Crossings(p, q, found);
                ASSERT_EQ(found, ScanCrossings(shapes, p, q)) << "rows, scene " << scene << " query " << k;
            }
        }
    }
    // Nothing to index, then nothing found; a cleared index is not built.
    THopIndex empty;
    empty.Build({});
    std::vector<TMyPoint> found{TMyPoint(1, 1)};
    empty.Crossings(TMyPoint(0, 0), TMyPoint(100, 0), found);
    EXPECT_TRUE(found.empty());
    empty.Clear();
    EXPECT_FALSE(empty.Built());
}

// The hops a segment takes: the crossings the literal walk over every crossing keeps (each
// hop must start right of where the previous one ends and end left of the segment's end).
TEST_F(ConnectorTest, HopsAreTheCrossingsTheLiteralWalkKeeps)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coarse(0, 80);
    std::uniform_real_distribution<float> fine(0, 800);
    std::vector<const TMyShape*> shapes;
    for (int i = 0; i < 400; ++i) {
        const float x = i % 2 ? fine(rng) : float(coarse(rng) * 10), y = fine(rng) / 2;
        shapes.push_back(FreeConnector({TMyPoint(x, y), TMyPoint(x, y + 200 + fine(rng) / 4)}));
    }
    THopIndex index;
    index.Build(shapes);
    std::vector<TMyPoint> hops;
    for (int radius : {0, 1, 8, 40}) {
        for (int k = 0; k < 300; ++k) {
            TMyPoint p(fine(rng), 200 + fine(rng) / 4), q(fine(rng), p.Y);
            if (k % 3 == 0)
                std::swap(p, q);
            const std::vector<TMyPoint> crossings = ScanCrossings(shapes, p, q);
            std::vector<TMyPoint> kept;
            const float right = std::max(p.X, q.X);
            float cur = std::min(p.X, q.X);
            for (const TMyPoint& c : crossings)
                if (right > float(double(c.X) + radius) && float(double(c.X) - radius) > cur) {
                    kept.push_back(c);
                    cur = float(double(c.X) + radius);
                }
            EXPECT_EQ(index.Hops(p, q, radius, hops), !crossings.empty());
            ASSERT_EQ(hops, kept) << "radius " << radius << " query " << k;
            // Asked only up to a bound, the same hops up to it.
            const double until = fine(rng);
            std::erase_if(kept, [&](const TMyPoint& c) { return double(float(double(c.X) - radius)) > until; });
            EXPECT_EQ(index.Hops(p, q, radius, hops, until), !crossings.empty());
            ASSERT_EQ(hops, kept) << "radius " << radius << " query " << k << " until " << until;
        }
    }
}
