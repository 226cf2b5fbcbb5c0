#include "component/editing/OrthoGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {
// Directions as indices: 0 left, 1 down (+y), 2 right, 3 up (-y); opposite ones differ by 2.
constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, 1, 0, -1};
constexpr int kAny = -1;
// Beyond this many grid nodes a search is refused rather than allowed to eat memory.
constexpr size_t kNodeLimit = size_t(1) << 22;

int IndexOf(Tdirections D)
{
    switch (D) {
    case dLeft: return 0;
    case dbottom: return 1;
    case dRight: return 2;
    case dTop: return 3;
    case dNone: break;
    }
    return kAny;
}

// Costs compare bends first, length second.
struct TCost {
    int Bends = 0;
    double Length = 0;
    friend bool operator<(const TCost& A, const TCost& B)
    {
        return A.Bends != B.Bends ? A.Bends < B.Bends : A.Length < B.Length;
    }
};

// Bends on turning from direction A to B (B kAny: none).
int TurnBends(int A, int B)
{
    if (A == kAny || B == kAny || A == B)
        return 0;
    return (A + 2) % 4 == B ? 2 : 1;
}

// Sorted distinct values.
void Distinct(std::vector<double>& V)
{
    std::sort(V.begin(), V.end());
    V.erase(std::unique(V.begin(), V.end()), V.end());
}

int Find(const std::vector<double>& V, double X)
{
    return int(std::lower_bound(V.begin(), V.end(), X) - V.begin());
}

// What a search reaches of a state: the best cost so far and the state before.
struct TReached {
    double Length = 0;
    int32_t Bends = INT32_MAX;
    int32_t From = -1;
    TCost Best() const { return {Bends, Length}; }
};

struct TItem {
    TCost F, G;
    int32_t State; // node * 4 + direction; -1 - state for the finish after that state
};
// The order of the open list's heap: the item with the least estimate on top, the
// deeper one first among equals. A function object, so that the heap operations inline it.
struct TLaterThan {
    bool operator()(const TItem& A, const TItem& B) const
    {
        if (A.F < B.F || B.F < A.F)
            return B.F < A.F;
        return A.G < B.G;
    }
};

// Graphs up to this many states keep what they reach in dense tables; beyond it a search
// touches a small part of a large graph and keeps it sparse.
constexpr size_t kDenseStates = size_t(1) << 18;

// The search's memory, kept on the thread from one search to the next: a move lays a
// route for every connector it drags, and allocating the tables each time cost more
// than the searches. A stamp per dense state tells whether the current search wrote it,
// so nothing is cleared between searches.
struct TBuffers {
    std::vector<double> Xs, Ys;
    std::vector<uint8_t> Horz, Vert;
    std::vector<TItem> Open;
    std::vector<TReached> Reached;
    std::vector<uint32_t> Stamp;
    uint32_t Generation = 0;
};

TBuffers& ThreadBuffers()
{
    thread_local TBuffers buffers;
    return buffers;
}

class TDenseReached {
public:
    TDenseReached(TBuffers& B, size_t States) : FB(B)
    {
        if (FB.Stamp.size() < States) {
            FB.Stamp.resize(States, 0);
            FB.Reached.resize(States);
        }
        if (++FB.Generation == 0) { // wrapped: the old stamps could be taken for new ones
            std::fill(FB.Stamp.begin(), FB.Stamp.end(), 0);
            FB.Generation = 1;
        }
    }
    TCost BestOf(size_t S) const { return FB.Stamp[S] == FB.Generation ? FB.Reached[S].Best() : TReached{}.Best(); }
    TReached& At(size_t S)
    {
        if (FB.Stamp[S] != FB.Generation) {
            FB.Stamp[S] = FB.Generation;
            FB.Reached[S] = TReached{};
        }
        return FB.Reached[S];
    }

private:
    TBuffers& FB;
};

class TSparseReached {
public:
    TSparseReached() { FMap.reserve(1024); }
    TCost BestOf(size_t S) const
    {
        const auto it = FMap.find(int32_t(S));
        return it == FMap.end() ? TReached{}.Best() : it->second.Best();
    }
    TReached& At(size_t S) { return FMap[int32_t(S)]; }

private:
    std::unordered_map<int32_t, TReached> FMap;
};

class TSearch {
public:
    TSearch(const TOrthoQuery& Q, TBuffers& B) : FQ(Q), FB(B), FXs(B.Xs), FYs(B.Ys) {}
    std::optional<TArrMyPoint> Run();

private:
    bool BuildLines();
    void BlockObstacles();
    template <class TTable> int32_t Search(TTable& Reached);
    template <class TTable> std::optional<TArrMyPoint> RouteTo(int32_t Finish, TTable& Reached) const;
    // A lower bound of the cost from node (I, J) travelling in direction D to the end.
    TCost Estimate(int I, int J, int D) const;
    size_t Node(int I, int J) const { return size_t(J) * FXs.size() + size_t(I); }

    const TOrthoQuery& FQ;
    TBuffers& FB;
    std::vector<double>& FXs;
    std::vector<double>& FYs;
    int FSi = 0, FSj = 0, FTi = 0, FTj = 0, FEndDir = kAny;
};

bool TSearch::BuildLines()
{
    const TMyRect& b = FQ.Bounds;
    auto inX = [&](double x) { return x >= b.Left && x <= b.Right; };
    auto inY = [&](double y) { return y >= b.Top && y <= b.Bottom; };
    if (!(b.Left <= b.Right && b.Top <= b.Bottom) || !inX(FQ.From.X) || !inX(FQ.To.X) || !inY(FQ.From.Y) ||
        !inY(FQ.To.Y))
        return false;
    FXs.assign({b.Left, b.Right, FQ.From.X, FQ.To.X});
    FYs.assign({b.Top, b.Bottom, FQ.From.Y, FQ.To.Y});
    for (const TMyRect& r : FQ.Obstacles) {
        for (double x : {double(r.Left), double(r.Right)})
            if (inX(x))
                FXs.push_back(x);
        for (double y : {double(r.Top), double(r.Bottom)})
            if (inY(y))
                FYs.push_back(y);
    }
    Distinct(FXs);
    Distinct(FYs);
    if (FXs.size() * FYs.size() > kNodeLimit)
        return false;
    FSi = Find(FXs, FQ.From.X);
    FSj = Find(FYs, FQ.From.Y);
    FTi = Find(FXs, FQ.To.X);
    FTj = Find(FYs, FQ.To.Y);
    FEndDir = IndexOf(FQ.ToDir);
    return true;
}

void TSearch::BlockObstacles()
{
    const int nx = int(FXs.size()), ny = int(FYs.size());
    std::vector<uint8_t>& horz = FB.Horz;
    std::vector<uint8_t>& vert = FB.Vert;
    horz.assign(FXs.size() * FYs.size(), 0);
    vert.assign(FXs.size() * FYs.size(), 0);
    for (const TMyRect& r : FQ.Obstacles) {
        if (!(r.Left < r.Right && r.Top < r.Bottom) || r.Right <= FXs.front() || r.Left >= FXs.back() ||
            r.Bottom <= FYs.front() || r.Top >= FYs.back())
            continue;
        // Line indices of the edges; a side beyond the bounds lies one past the outer line,
        // so that the outer line counts as inside the box.
        const int i0 = r.Left < FXs.front() ? -1 : Find(FXs, r.Left);
        const int i1 = r.Right > FXs.back() ? nx : Find(FXs, r.Right);
        const int j0 = r.Top < FYs.front() ? -1 : Find(FYs, r.Top);
        const int j1 = r.Bottom > FYs.back() ? ny : Find(FYs, r.Bottom);
        for (int j = std::max(j0 + 1, 0); j < std::min(j1, ny); ++j)
            std::fill_n(horz.begin() + ptrdiff_t(Node(std::max(i0, 0), j)),
                        std::max(0, std::min(i1, nx - 1) - std::max(i0, 0)), uint8_t(1));
        for (int j = std::max(j0, 0); j < std::min(j1, ny - 1); ++j)
            std::fill_n(vert.begin() + ptrdiff_t(Node(std::max(i0 + 1, 0), j)),
                        std::max(0, std::min(i1, nx) - std::max(i0 + 1, 0)), uint8_t(1));
    }
}

TCost TSearch::Estimate(int I, int J, int D) const
{
    TCost c;
    c.Length = std::abs(FXs[size_t(I)] - FXs[size_t(FTi)]) + std::abs(FYs[size_t(J)] - FYs[size_t(FTj)]);
    const int e = FEndDir;
    if (D == kAny || e == kAny) {
        // Not aligned with the end: one turn at least.
        c.Bends = (I != FTi && J != FTj) ? 1 : 0;
        return c;
    }
    if ((D + e) % 2 == 1) {
        c.Bends = 1; // perpendicular directions: an odd number of bends
        return c;
    }
    // Parallel directions: an even number; none only straight ahead on the end's line.
    const bool ahead = (kDx[D] != 0) ? (J == FTj && (FTi - I) * kDx[D] >= 0) : (I == FTi && (FTj - J) * kDy[D] >= 0);
    c.Bends = (D == e && ahead) ? 0 : 2;
    return c;
}

std::optional<TArrMyPoint> TSearch::Run()
{
    if (!BuildLines())
        return std::nullopt;
    BlockObstacles();
    const size_t states = FXs.size() * FYs.size() * 4;
    if (states <= kDenseStates) {
        TDenseReached reached(FB, states);
        return RouteTo(Search(reached), reached);
    }
    TSparseReached reached;
    return RouteTo(Search(reached), reached);
}

// A* over the states (node, direction of travel); the state the finish was reached
// after, or -1.
template <class TTable> int32_t TSearch::Search(TTable& Reached)
{
    const int nx = int(FXs.size()), ny = int(FYs.size());
    std::vector<TItem>& open = FB.Open;
    open.clear();
    auto push = [&](const TItem& Item) {
        open.push_back(Item);
        std::push_heap(open.begin(), open.end(), TLaterThan());
    };
    const int startDir = IndexOf(FQ.FromDir);
    const size_t startNode = Node(FSi, FSj);
    // The start counts in every direction; turning away from the arriving one costs bends.
    for (int d = 0; d < 4; ++d) {
        const TCost g{TurnBends(startDir, d), 0};
        if (startDir != kAny && (startDir + 2) % 4 == d)
            continue; // never straight back
        const size_t s = startNode * 4 + size_t(d);
        Reached.At(s) = {g.Length, g.Bends, -1};
        TCost f = Estimate(FSi, FSj, d);
        f.Bends += g.Bends;
        push({f, g, int32_t(s)});
    }
    const size_t endNode = Node(FTi, FTj);
    while (!open.empty()) {
        std::pop_heap(open.begin(), open.end(), TLaterThan());
        const TItem it = open.back();
        open.pop_back();
        if (it.State < 0)
            return -1 - it.State;
        const size_t s = size_t(it.State);
        if (Reached.BestOf(s) < it.G)
            continue;
        const size_t node = s / 4;
        const int d = int(s % 4);
        const int i = int(node % FXs.size()), j = int(node / FXs.size());
        if (node == endNode) {
            TCost g = it.G;
            g.Bends += TurnBends(d, FEndDir);
            push({g, g, -1 - int32_t(s)});
            continue;
        }
        for (int nd = 0; nd < 4; ++nd) {
            if ((d + 2) % 4 == nd)
                continue;
            const int ni = i + kDx[nd], nj = j + kDy[nd];
            if (ni < 0 || nj < 0 || ni >= nx || nj >= ny)
                continue;
            const bool blocked = kDx[nd] != 0 ? FB.Horz[Node(std::min(i, ni), j)] : FB.Vert[Node(i, std::min(j, nj))];
            if (blocked)
                continue;
            TCost g = it.G;
            g.Bends += nd == d ? 0 : 1;
            g.Length += std::abs(FXs[size_t(ni)] - FXs[size_t(i)]) + std::abs(FYs[size_t(nj)] - FYs[size_t(j)]);
            const size_t ns = Node(ni, nj) * 4 + size_t(nd);
            TReached& r = Reached.At(ns);
            if (!(g < r.Best()))
                continue;
            r = {g.Length, g.Bends, int32_t(s)};
            TCost f = Estimate(ni, nj, nd);
            f.Bends += g.Bends;
            f.Length += g.Length;
            push({f, g, int32_t(ns)});
        }
    }
    return -1;
}

// The corners of the path that ends in state Finish, with points that continue a line
// dropped.
template <class TTable> std::optional<TArrMyPoint> TSearch::RouteTo(int32_t Finish, TTable& Reached) const
{
    if (Finish < 0)
        return std::nullopt;
    TArrMyPoint corners;
    for (int32_t s = Finish; s >= 0; s = Reached.At(size_t(s)).From) {
        const size_t node = size_t(s) / 4;
        corners.push_back(TMyPoint(float(FXs[node % FXs.size()]), float(FYs[node / FXs.size()])));
    }
    std::reverse(corners.begin(), corners.end());
    // Exact ends, then drop points that continue a line.
    corners.front() = FQ.From;
    if (corners.size() == 1)
        corners.push_back(FQ.To);
    corners.back() = FQ.To;
    TArrMyPoint route;
    for (const TMyPoint& p : corners) {
        if (!route.empty() && route.back() == p)
            continue;
        if (route.size() >= 2) {
            const TMyPoint& a = route[route.size() - 2];
            const TMyPoint& b = route.back();
            if ((a.X == b.X && b.X == p.X) || (a.Y == b.Y && b.Y == p.Y)) {
                route.back() = p;
                continue;
            }
        }
        route.push_back(p);
    }
    if (route.size() == 1)
        route.push_back(FQ.To);
    return route;
}
} // namespace

std::optional<TArrMyPoint> FindOrthoRoute(const TOrthoQuery& Query)
{
    return TSearch(Query, ThreadBuffers()).Run();
}

bool SegmentCrossesBox(TMyPoint A, TMyPoint B, const TMyRect& R)
{
    const double l = std::min(A.X, B.X), r = std::max(A.X, B.X);
    const double t = std::min(A.Y, B.Y), b = std::max(A.Y, B.Y);
    return l < R.Right && r > R.Left && t < R.Bottom && b > R.Top;
}

int CountBends(const TArrMyPoint& Points)
{
    int bends = 0;
    int prev = -1;
    for (size_t k = 1; k < Points.size(); ++k) {
        const TMyPoint& a = Points[k - 1];
        const TMyPoint& b = Points[k];
        if (a == b)
            continue;
        const int dir = a.Y == b.Y ? (b.X > a.X ? 2 : 0) : (a.X == b.X ? (b.Y > a.Y ? 1 : 3) : 4 + int(k));
        if (prev >= 0 && dir != prev)
            ++bends;
        prev = dir;
    }
    return bends;
}

double PolylineLength(const TArrMyPoint& Points)
{
    double length = 0;
    for (size_t k = 1; k < Points.size(); ++k)
        length += std::hypot(double(Points[k].X) - Points[k - 1].X, double(Points[k].Y) - Points[k - 1].Y);
    return length;
}
