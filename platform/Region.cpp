#include "Region.h"

#include <algorithm>
#include <climits>
#include <cmath>

struct TRegion::Node {
    enum Kind { Empty, Pixels, Polygons, Combined, Offset };
    Kind kind = Empty;
    QRegion pixels;
    std::vector<std::vector<TPoint>> polygons;
    bool winding = false;
    int op = RGN_OR;
    std::shared_ptr<const Node> a;
    std::shared_ptr<const Node> b;
    int dx = 0;
    int dy = 0;
    // Conservative bounds, right and bottom exclusive; empty when Left >= Right or Top >= Bottom.
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool BoundsEmpty() const { return left >= right || top >= bottom; }
};

namespace {

using Node = TRegion::Node;

struct Edge {
    TPoint from;
    TPoint to;
    int yMin;  // first row whose sample line the edge crosses
    int yEnd;  // one past the last such row
    int dir;   // +1 downward, -1 upward
};

// The x where the edge crosses the horizontal line y = yc. The same expression serves the
// point test and the scan conversion, so both decide every pixel alike.
double CrossX(const Edge& e, double yc)
{
    return e.from.X + (yc - e.from.Y) * (double(e.to.X) - e.from.X) / (double(e.to.Y) - e.from.Y);
}

// Rows r whose sample line r + 0.5 lies strictly between the edge's end rows: min <= r < max.
void AddEdge(std::vector<Edge>& edges, const TPoint& a, const TPoint& b)
{
    if (a.Y == b.Y)
        return;
    Edge e{a, b, std::min(a.Y, b.Y), std::max(a.Y, b.Y), b.Y > a.Y ? 1 : -1};
    edges.push_back(e);
}

std::vector<Edge> EdgesOf(const std::vector<std::vector<TPoint>>& polygons)
{
    std::vector<Edge> edges;
    for (const auto& poly : polygons) {
        if (poly.size() < 2)
            continue;
        for (size_t i = 0; i + 1 < poly.size(); ++i)
            AddEdge(edges, poly[i], poly[i + 1]);
        AddEdge(edges, poly.back(), poly.front());
    }
    return edges;
}

bool InsideCount(int crossingsOrWinding, bool winding)
{
    return winding ? crossingsOrWinding != 0 : (crossingsOrWinding & 1) != 0;
}

bool PolygonContains(const Node& n, int x, int y)
{
    const double yc = y + 0.5;
    const double xc = x + 0.5;
    int count = 0;
    for (const auto& poly : n.polygons) {
        if (poly.size() < 2)
            continue;
        for (size_t i = 0; i < poly.size(); ++i) {
            const TPoint& a = poly[i];
            const TPoint& b = poly[i + 1 < poly.size() ? i + 1 : 0];
            if (a.Y == b.Y || y < std::min(a.Y, b.Y) || y >= std::max(a.Y, b.Y))
                continue;
            const Edge e{a, b, 0, 0, b.Y > a.Y ? 1 : -1};
            if (CrossX(e, yc) <= xc)
                count += n.winding ? e.dir : 1;
        }
    }
    return InsideCount(count, n.winding);
}

bool Contains(const Node& n, int x, int y)
{
    switch (n.kind) {
    case Node::Empty:
        return false;
    case Node::Pixels:
        return n.pixels.contains(QPoint(x, y));
    case Node::Polygons:
        if (x < n.left || x >= n.right || y < n.top || y >= n.bottom)
            return false;
        return PolygonContains(n, x, y);
    case Node::Combined: {
        const bool inA = Contains(*n.a, x, y);
        const bool inB = Contains(*n.b, x, y);
        switch (n.op) {
        case RGN_AND: return inA && inB;
        case RGN_OR: return inA || inB;
        case RGN_XOR: return inA != inB;
        case RGN_DIFF: return inA && !inB;
        default: return inA;
        }
    }
    case Node::Offset:
        return Contains(*n.a, int(int64_t(x) - n.dx), int(int64_t(y) - n.dy));
    }
    return false;
}

// The smallest pixel x whose centre is at or right of c, clamped to [lo, hi].
int64_t FirstPixelFrom(double c, int64_t lo, int64_t hi)
{
    if (!(c > double(lo) - 0.5))
        return lo;
    if (c > double(hi) + 0.5)
        return hi;
    auto x = int64_t(std::ceil(c - 0.5));
    while (double(x - 1) + 0.5 >= c)
        --x;
    while (double(x) + 0.5 < c)
        ++x;
    return std::clamp(x, lo, hi);
}

// Scan conversion of the polygons inside the window, with rows of equal spans merged.
QRegion RasterizePolygons(const Node& n, const QRect& window)
{
    const int64_t wl = window.left(), wr = int64_t(window.right()) + 1;
    const int64_t rowFirst = std::max<int64_t>(n.top, window.top());
    const int64_t rowEnd = std::min<int64_t>(n.bottom, int64_t(window.bottom()) + 1);
    if (rowFirst >= rowEnd || wl >= wr || n.right <= wl || n.left >= wr)
        return {};
    std::vector<Edge> edges = EdgesOf(n.polygons);
    std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.yMin < q.yMin; });

    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> spans, previousSpans;
    size_t previousFirstRect = 0;
    std::vector<const Edge*> active;
    std::vector<std::pair<double, int>> crossings;
    size_t nextEdge = 0;
    for (int64_t row = rowFirst; row < rowEnd; ++row) {
        while (nextEdge < edges.size() && edges[nextEdge].yMin <= row)
            active.push_back(&edges[nextEdge++]);
        active.erase(std::remove_if(active.begin(), active.end(), [row](const Edge* e) { return e->yEnd <= row; }),
                     active.end());
        if (active.empty()) {
            if (nextEdge >= edges.size())
                break;
            previousSpans.clear();
            continue;
        }
        const double yc = double(row) + 0.5;
        crossings.clear();
        for (const Edge* e : active)
            crossings.emplace_back(CrossX(*e, yc), e->dir);
        std::sort(crossings.begin(), crossings.end(),
                  [](const auto& p, const auto& q) { return p.first < q.first; });
        spans.clear();
        int count = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            count += n.winding ? crossings[i].second : 1;
            if (!InsideCount(count, n.winding))
                continue;
            const int64_t x0 = FirstPixelFrom(crossings[i].first, wl, wr);
            const int64_t x1 = FirstPixelFrom(crossings[i + 1].first, wl, wr);
            if (x0 >= x1)
                continue;
            if (!spans.empty() && spans.back().second >= x0)
                spans.back().second = int(std::max<int64_t>(spans.back().second, x1));
            else
                spans.emplace_back(int(x0), int(x1));
        }
        if (!spans.empty() && spans == previousSpans) {
            for (size_t i = previousFirstRect; i < rects.size(); ++i)
                rects[i].setBottom(rects[i].bottom() + 1);
            continue;
        }
        previousFirstRect = rects.size();
        for (const auto& s : spans)
            rects.emplace_back(s.first, int(row), s.second - s.first, 1);
        previousSpans = spans;
    }
    QRegion result;
    if (!rects.empty())
        result.setRects(rects.data(), int(rects.size()));
    return result;
}

QRegion Rasterize(const Node& n, const QRect& window)
{
    switch (n.kind) {
    case Node::Empty:
        return {};
    case Node::Pixels:
        return n.pixels.intersected(window);
    case Node::Polygons:
        return RasterizePolygons(n, window);
    case Node::Combined: {
        const QRegion ra = Rasterize(*n.a, window);
        const QRegion rb = Rasterize(*n.b, window);
        switch (n.op) {
        case RGN_AND: return ra.intersected(rb);
        case RGN_OR: return ra.united(rb);
        case RGN_XOR: return ra.xored(rb);
        case RGN_DIFF: return ra.subtracted(rb);
        default: return ra;
        }
    }
    case Node::Offset:
        return Rasterize(*n.a, window.translated(-n.dx, -n.dy)).translated(n.dx, n.dy);
    }
    return {};
}

constexpr int64_t kCoordMin = INT32_MIN;
constexpr int64_t kCoordMax = INT32_MAX;

int ClampCoord(int64_t v)
{
    return int(std::clamp(v, kCoordMin, kCoordMax));
}

} // namespace

TRegion::TRegion() : FNode(std::make_shared<Node>()) {}

TRegion::TRegion(std::shared_ptr<const Node> node) : FNode(std::move(node)) {}

TRegion TRegion::FromRect(const TRect& rect)
{
    if (rect.Left >= rect.Right || rect.Top >= rect.Bottom)
        return TRegion();
    // Pixels are kept within a span far wider than any picture, so that the region's
    // width and height fit an int.
    static constexpr int kFar = 1 << 29;
    const auto kept = [](int v) { return std::clamp(v, -kFar, kFar); };
    return FromQRegion(QRegion(QRect(QPoint(kept(rect.Left), kept(rect.Top)),
                                     QPoint(kept(rect.Right) - 1, kept(rect.Bottom) - 1))));
}

TRegion TRegion::FromPolygon(const std::vector<TPoint>& points, int fillMode)
{
    return FromPolyPolygon({points}, fillMode);
}

TRegion TRegion::FromPolyPolygon(const std::vector<std::vector<TPoint>>& polygons, int fillMode)
{
    auto n = std::make_shared<Node>();
    n->kind = Node::Polygons;
    n->winding = fillMode == WINDING;
    int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
    for (const auto& poly : polygons) {
        if (poly.size() < 3)
            continue;
        n->polygons.push_back(poly);
        for (const TPoint& p : poly) {
            l = std::min<int64_t>(l, p.X);
            t = std::min<int64_t>(t, p.Y);
            r = std::max<int64_t>(r, p.X);
            b = std::max<int64_t>(b, p.Y);
        }
    }
    if (n->polygons.empty())
        return TRegion();
    // Pixel centres inside the polygon lie in [min, max), so pixels min..max-1.
    n->left = l;
    n->top = t;
    n->right = r;
    n->bottom = b;
    return TRegion(std::move(n));
}

TRegion TRegion::FromQRegion(const QRegion& region)
{
    if (region.isEmpty())
        return TRegion();
    auto n = std::make_shared<Node>();
    n->kind = Node::Pixels;
    n->pixels = region;
    const QRect box = region.boundingRect();
    n->left = box.left();
    n->top = box.top();
    // From the corners themselves: a box wider than an int would overflow its width.
    n->right = int64_t(box.right()) + 1;
    n->bottom = int64_t(box.bottom()) + 1;
    return TRegion(std::move(n));
}

bool TRegion::PtInRegion(int x, int y) const
{
    return Contains(*FNode, x, y);
}

TRect TRegion::BoundsRect() const
{
    if (FNode->BoundsEmpty())
        return TRect();
    return TRect(ClampCoord(FNode->left), ClampCoord(FNode->top), ClampCoord(FNode->right), ClampCoord(FNode->bottom));
}

int TRegion::GetRgnBox(TRect& box) const
{
    box = BoundsRect();
    if (FNode->BoundsEmpty())
        return NULLREGION;
    const double area = double(FNode->right - FNode->left) * double(FNode->bottom - FNode->top);
    if (area > double(1 << 26))
        return COMPLEXREGION;
    const QRegion pixels = ToQRegion(box.toQRect());
    if (pixels.isEmpty()) {
        box = TRect();
        return NULLREGION;
    }
    box = TRect(pixels.boundingRect());
    return pixels.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void TRegion::Offset(int dx, int dy)
{
    if ((dx == 0 && dy == 0) || FNode->kind == Node::Empty)
        return;
    auto n = std::make_shared<Node>();
    if (FNode->kind == Node::Offset) {
        n->a = FNode->a;
        n->dx = ClampCoord(int64_t(FNode->dx) + dx);
        n->dy = ClampCoord(int64_t(FNode->dy) + dy);
    } else {
        n->a = FNode;
        n->dx = dx;
        n->dy = dy;
    }
    n->kind = Node::Offset;
    n->left = FNode->left + dx;
    n->right = FNode->right + dx;
    n->top = FNode->top + dy;
    n->bottom = FNode->bottom + dy;
    FNode = std::move(n);
}

QRegion TRegion::ToQRegion(const QRect& window) const
{
    if (window.isEmpty() || FNode->BoundsEmpty())
        return {};
    return Rasterize(*FNode, window);
}

int TRegion::Combine(const TRegion& a, const TRegion& b, int mode)
{
    if (mode == RGN_COPY) {
        FNode = a.FNode;
    } else {
        if (mode < RGN_AND || mode > RGN_DIFF)
            return RGN_ERROR;
        auto n = std::make_shared<Node>();
        n->kind = Node::Combined;
        n->op = mode;
        n->a = a.FNode;
        n->b = b.FNode;
        const Node& na = *a.FNode;
        const Node& nb = *b.FNode;
        if (mode == RGN_AND) {
            n->left = std::max(na.left, nb.left);
            n->top = std::max(na.top, nb.top);
            n->right = std::min(na.right, nb.right);
            n->bottom = std::min(na.bottom, nb.bottom);
        } else if (mode == RGN_DIFF || nb.BoundsEmpty()) {
            n->left = na.left;
            n->top = na.top;
            n->right = na.right;
            n->bottom = na.bottom;
        } else if (na.BoundsEmpty()) {
            n->left = nb.left;
            n->top = nb.top;
            n->right = nb.right;
            n->bottom = nb.bottom;
        } else {
            n->left = std::min(na.left, nb.left);
            n->top = std::min(na.top, nb.top);
            n->right = std::max(na.right, nb.right);
            n->bottom = std::max(na.bottom, nb.bottom);
        }
        if (n->BoundsEmpty())
            n = std::make_shared<Node>();
        FNode = std::move(n);
    }
    TRect box;
    return GetRgnBox(box);
}

TRegion CreateRectRgn(int left, int top, int right, int bottom)
{
    return TRegion::FromRect(TRect(left, top, right, bottom));
}

TRegion CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode)
{
    return TRegion::FromPolygon(points, fillMode);
}

TRegion CreatePolyPolygonRgn(const std::vector<std::vector<TPoint>>& polygons, int fillMode)
{
    return TRegion::FromPolyPolygon(polygons, fillMode);
}

int CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, int mode)
{
    return dest.Combine(a, b, mode);
}

bool PtInRegion(const TRegion& region, int x, int y)
{
    return region.PtInRegion(x, y);
}

void OffsetRgn(TRegion& region, int dx, int dy)
{
    region.Offset(dx, dy);
}
