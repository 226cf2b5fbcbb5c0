#include "component/base/PolygonPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
// Beyond this many rows the count is estimated.
constexpr int64_t kMaxRows = int64_t(1) << 24;

struct TEdge {
    int64_t X0, Y0, X1, Y1; // Y0 <= Y1 after set-up, or the original order for the outline
};

// The x range of the pixels that the line from A to B lights in row Y (a pixel per step
// along the longer axis, the other coordinate rounded half away from zero), or false
// when it lights none there.
bool OutlineSpan(const TPoint& A, const TPoint& B, int64_t Y, int64_t& From, int64_t& To)
{
    const int64_t dx = int64_t(B.X) - A.X, dy = int64_t(B.Y) - A.Y;
    const int64_t ylo = std::min<int64_t>(A.Y, B.Y), yhi = std::max<int64_t>(A.Y, B.Y);
    if (Y < ylo || Y > yhi)
        return false;
    if (dy == 0) {
        From = std::min<int64_t>(A.X, B.X);
        To = std::max<int64_t>(A.X, B.X);
        return true;
    }
    if (std::llabs(dx) <= std::llabs(dy)) {
        // One pixel per row: x = round(A.x + (Y - A.y) dx / dy).
        const double x = double(A.X) + double(Y - A.Y) * double(dx) / double(dy);
        From = To = int64_t(std::llround(x));
        return true;
    }
    // One pixel per column: the columns whose rounded y is Y, i.e. whose exact y lies in
    // [Y - 0.5, Y + 0.5). They form one run; find its ends by solving for x.
    const double slope = double(dy) / double(dx);
    double xa = double(A.X) + (double(Y) - 0.5 - double(A.Y)) / slope;
    double xb = double(A.X) + (double(Y) + 0.5 - double(A.Y)) / slope;
    if (xa > xb)
        std::swap(xa, xb);
    const int64_t xlo = std::min<int64_t>(A.X, B.X), xhi = std::max<int64_t>(A.X, B.X);
    From = std::max<int64_t>(xlo, int64_t(std::ceil(xa - 1e-9)));
    To = std::min<int64_t>(xhi, int64_t(std::floor(xb + 1e-9)));
    // Columns exactly on the upper boundary round to the next row: check the ends.
    auto rowOf = [&](int64_t x) { return int64_t(std::llround(double(A.Y) + double(x - A.X) * slope)); };
    while (From <= To && rowOf(From) != Y)
        ++From;
    while (To >= From && rowOf(To) != Y)
        --To;
    return From <= To;
}
} // namespace

int64_t CountPolygonPixels(const std::vector<TPoint>& Polygon, int Width, int Height)
{
    if (Polygon.size() < 2 || Width <= 0 || Height <= 0)
        return 0;
    const size_t n = Polygon.size();
    std::vector<TEdge> edges;
    edges.reserve(n);
    int64_t ymin = std::numeric_limits<int64_t>::max(), ymax = std::numeric_limits<int64_t>::min();
    for (size_t i = 0; i < n; ++i) {
        const TPoint& a = Polygon[i];
        const TPoint& b = Polygon[(i + 1) % n];
        edges.push_back({a.X, a.Y, b.X, b.Y});
        ymin = std::min<int64_t>({ymin, a.Y, b.Y});
        ymax = std::max<int64_t>({ymax, a.Y, b.Y});
    }
    const int64_t rowFirst = std::max<int64_t>(0, ymin), rowLast = std::min<int64_t>(Height - 1, ymax);
    if (rowFirst > rowLast)
        return 0;
    if (rowLast - rowFirst > kMaxRows) {
        // Far taller than any page: the area and half the outline, without walking the
        // rows one by one.
        double twice = 0, outline = 0;
        for (size_t i = 0; i < n; ++i) {
            const TPoint& a = Polygon[i];
            const TPoint& b = Polygon[(i + 1) % n];
            twice += double(a.X) * b.Y - double(b.X) * a.Y;
            outline += std::max(std::abs(double(b.X) - a.X), std::abs(double(b.Y) - a.Y));
        }
        const double estimate = std::abs(twice) / 2 + outline / 2;
        return int64_t(std::min(estimate, double(Width) * double(Height)));
    }
    // Edges by their top row, so that each row looks only at the edges that reach it.
    std::vector<size_t> order(edges.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    auto top = [&](size_t i) { return std::min(edges[i].Y0, edges[i].Y1); };
    auto bottom = [&](size_t i) { return std::max(edges[i].Y0, edges[i].Y1); };
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return top(a) < top(b); });

    int64_t count = 0;
    std::vector<size_t> active;
    std::vector<double> crossings;
    std::vector<std::pair<int64_t, int64_t>> spans;
    size_t next = 0;
    for (int64_t y = rowFirst; y <= rowLast; ++y) {
        while (next < order.size() && top(order[next]) <= y)
            active.push_back(order[next++]);
        std::erase_if(active, [&](size_t i) { return bottom(i) < y; });
        // The interior: pixels whose centres lie inside (even-odd), at height y + 0.5.
        crossings.clear();
        const double cy = double(y) + 0.5;
        for (size_t i : active) {
            const TEdge& e = edges[i];
            if ((e.Y0 <= cy) == (e.Y1 <= cy))
                continue;
            crossings.push_back(double(e.X0) + (cy - double(e.Y0)) * double(e.X1 - e.X0) / double(e.Y1 - e.Y0));
        }
        std::sort(crossings.begin(), crossings.end());
        spans.clear();
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            // Centres x + 0.5 strictly between the crossings.
            const int64_t from = int64_t(std::floor(crossings[k] - 0.5)) + 1;
            const int64_t to = int64_t(std::ceil(crossings[k + 1] - 0.5)) - 1;
            if (from <= to)
                spans.push_back({from, to});
        }
        // The outline: the pixels the pen lights along each edge in this row.
        for (size_t i : active) {
            const TEdge& e = edges[i];
            int64_t from = 0, to = 0;
            if (OutlineSpan(TPoint(int(e.X0), int(e.Y0)), TPoint(int(e.X1), int(e.Y1)), y, from, to))
                spans.push_back({from, to});
        }
        std::sort(spans.begin(), spans.end());
        int64_t coveredTo = -1; // pixels before it in this row are counted
        for (auto [from, to] : spans) {
            from = std::max<int64_t>({from, coveredTo + 1, 0});
            to = std::min<int64_t>(to, Width - 1);
            if (from <= to) {
                count += to - from + 1;
                coveredTo = to;
            }
        }
    }
    return count;
}
