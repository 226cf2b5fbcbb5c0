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
            shapes.push_back(FreeConnector(route));
        }
        THopIndex index;
        index.Build(shapes);
        EXPECT_TRUE(index.Built());
        std::vector<TMyPoint> found;
        for (int k = 0; k < 400; ++k) {
            const bool snap = k % 2 == 0;
            const TMyPoint p(fine(rng), snap ? float(coarse(rng) * 10) : fine(rng));
            const TMyPoint q(fine(rng), p.Y);
            index.Crossings(p, q, found);
            ASSERT_EQ(found, ScanCrossings(shapes, p, q)) << "scene " << scene << " query " << k;
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
