#include "component/document/ShapeGrid.h"

#include "component/document/MyCAD.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <cmath>

namespace {
// Coordinates are kept well inside the 32-bit range, so that widening a box never
// overflows.
constexpr double CoordLimit = double(1 << 29);
// A box covering more cells than this goes on the list that every query checks.
constexpr int MaxCellsPerEntry = 64;
// The grid never has more cells than this.
constexpr double MaxCells = double(1 << 22);

int ClampedFloor(double v)
{
    return int(std::clamp(std::floor(v), -CoordLimit, CoordLimit));
}

int ClampedCeil(double v)
{
    return int(std::clamp(std::ceil(v), -CoordLimit, CoordLimit));
}

} // namespace

// The box of a tree being gathered, in document units.
struct TShapeGrid::TGather {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Margin = 0;
    bool Any = false;
    bool Unbounded = false;

    void Add(const TMyShape* S)
    {
        const int m = TShapeGrid::HitMargin(S);
        if (m < 0) {
            Unbounded = true;
            return;
        }
        Margin = std::max(Margin, m);
        for (const TMyPoint& p : S->Points()) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y)) {
                Unbounded = true;
                return;
            }
            if (!Any) {
                Left = Right = p.X;
                Top = Bottom = p.Y;
                Any = true;
                continue;
            }
            Left = std::min<double>(Left, p.X);
            Right = std::max<double>(Right, p.X);
            Top = std::min<double>(Top, p.Y);
            Bottom = std::max<double>(Bottom, p.Y);
        }
    }
};

TShapeGrid::TShapeGrid() = default;
TShapeGrid::~TShapeGrid() = default;

namespace {
int MarginOfKind(const TMyShape* S)
{
    // Arcs and interpolating curves leave the box of their points; a kind the grid does
    // not know is not trusted either.
    if (dynamic_cast<const TMyElliArc*>(S) || dynamic_cast<const TMyBLine*>(S))
        return -1;
    // Lines hit within 8 pixels of a segment, Bezier curves within 10 of the flattened
    // curve (inside the hull of the control points); boxes have no tolerance. One or two
    // pixels more cover the rounding of the points to pixels.
    if (dynamic_cast<const TMyLine*>(S))
        return 10;
    if (dynamic_cast<const TMyPolyBezier*>(S))
        return 12;
    if (dynamic_cast<const TMyRectangle*>(S))
        return 2;
    return -1;
}

// The margin turns on the kind alone: it is worked out once per class.
struct TKindMargin {
    const QMetaObject* Kind;
    int Margin;
};
} // namespace

int TShapeGrid::HitMargin(const TMyShape* S)
{
    static std::vector<TKindMargin> known;
    const QMetaObject* kind = S->metaObject();
    for (const TKindMargin& k : known)
        if (k.Kind == kind)
            return k.Margin;
    const int margin = MarginOfKind(S);
    known.push_back({kind, margin});
    return margin;
}

bool TShapeGrid::EntryOf(const TGather& g, double z, bool& Unbounded, TEntry& E)
{
    Unbounded = g.Unbounded;
    if (g.Unbounded || !g.Any)
        return false;
    const double lz = g.Left * z, rz = g.Right * z, tz = g.Top * z, bz = g.Bottom * z;
    if (!std::isfinite(lz) || !std::isfinite(rz) || !std::isfinite(tz) || !std::isfinite(bz)) {
        Unbounded = true;
        return false;
    }
    const int m = g.Margin;
    E.Left = ClampedFloor(std::min(lz, rz)) - m;
    E.Top = ClampedFloor(std::min(tz, bz)) - m;
    E.Right = ClampedCeil(std::max(lz, rz)) + m;
    E.Bottom = ClampedCeil(std::max(tz, bz)) + m;
    return true;
}

void TShapeGrid::Build(const TMyCAD& Cad, const TKey& Key)
{
    FEntries.clear();
    FWide.clear();
    FUnbounded.clear();
    FMembers.clear();
    FOrphans.clear();
    FExtra.clear();
    FKey = Key;

    const int n = Cad.GetShapesCount();
    const size_t count = size_t(std::max(n, 0));
    std::vector<TGather>& gather = FGather;
    gather.assign(count, TGather());
    std::vector<int>& rootOf = FRootOf;
    rootOf.assign(count, -1);
    for (int i = 0; i < n; ++i) {
        const TMyShape* s = Cad.GetShapeByNo(i);
        int r = i;
        if (s->HasParentShape()) {
            const TMyShape* root = Cad.GetRootParentShape(s);
            r = root ? Cad.GetShapeNoInMyShapes(root) : -1;
            if (r < 0 || root->HasParentShape()) {
                FOrphans.push_back(i);
                continue;
            }
            FMembers.emplace_back(r, i);
        }
        rootOf[size_t(i)] = r;
        gather[size_t(r)].Add(s);
    }
    // A top-level shape is also hit through the members it lists itself.
    for (int r = 0; r < n; ++r) {
        if (rootOf[size_t(r)] != r)
            continue;
        for (uint32_t c : Cad.GetShapeByNo(r)->ChildNos())
            if (c < uint32_t(n) && rootOf[c] != r)
                gather[size_t(r)].Add(Cad.GetShapeByNo(int(c)));
    }

    FEntryOf.assign(count, -1);
    FExtraOf.assign(count, -1);
    FUnboundedFlag.assign(count, 0);
    for (int r = 0; r < n; ++r) {
        if (rootOf[size_t(r)] != r)
            continue;
        bool unbounded = false;
        TEntry e{0, 0, 0, 0, r};
        if (EntryOf(gather[size_t(r)], Key.Zoom, unbounded, e)) {
            FEntryOf[size_t(r)] = int(FEntries.size());
            FEntries.push_back(e);
        } else if (unbounded) {
            FUnbounded.push_back(r);
            FUnboundedFlag[size_t(r)] = 1;
        } // no points: nothing of the tree can be hit
    }
    FDead.assign(FEntries.size(), 0);
    BuildCells();
    FValid = true;
}

bool TShapeGrid::TreeBox(const TMyCAD& Cad, int R, TEntry& Entry, bool& Unbounded) const
{
    TGather g;
    const TMyShape* root = Cad.GetShapeByNo(R);
    g.Add(root);
    auto it = std::lower_bound(FMembers.begin(), FMembers.end(), std::make_pair(R, -1));
    for (; it != FMembers.end() && it->first == R; ++it)
        g.Add(Cad.GetShapeByNo(it->second));
    for (uint32_t c : root->ChildNos())
        if (const TMyShape* member = Cad.GetShapeByNo(int(c)))
            g.Add(member);
    Entry.No = R;
    return EntryOf(g, FKey.Zoom, Unbounded, Entry);
}

std::vector<int> TShapeGrid::AffectedRoots(const TMyCAD& Cad, const TArrMyShape& Changed) const
{
    std::vector<int> roots;
    auto addRoot = [&](const TMyShape* s) {
        const TMyShape* root = s ? Cad.GetRootParentShape(s) : nullptr;
        const int r = root ? Cad.GetShapeNoInMyShapes(root) : -1;
        if (r < 0 || root->HasParentShape())
            return -1;
        roots.push_back(r);
        return r;
    };
    for (const TMyShape* s : Changed) {
        // The connectors hanging on the tree follow it.
        const int r = addRoot(s);
        if (r < 0)
            continue;
        auto connectorsOf = [&](const TMyShape* t) {
            for (uint32_t c : t->LinkLineNos())
                addRoot(Cad.GetShapeByNo(int(c)));
        };
        connectorsOf(Cad.GetShapeByNo(r));
        auto it = std::lower_bound(FMembers.begin(), FMembers.end(), std::make_pair(r, -1));
        for (; it != FMembers.end() && it->first == r; ++it)
            connectorsOf(Cad.GetShapeByNo(it->second));
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}

bool TShapeGrid::Patch(const TMyCAD& Cad, const TArrMyShape& Changed)
{
    if (!FValid)
        return false;
    const size_t limit = std::max<size_t>(4096, FEntries.size() / 8);
    for (int r : AffectedRoots(Cad, Changed)) {
        if (size_t(r) >= FEntryOf.size()) {
            FValid = false;
            return false;
        }
        if (FUnboundedFlag[size_t(r)])
            continue; // every query returns it anyway
        TEntry e{};
        bool unbounded = false;
        const bool any = TreeBox(Cad, r, e, unbounded);
        if (unbounded) {
            FValid = false; // rare: let the rebuild place it
            return false;
        }
        if (!any)
            e = TEntry{1, 1, 0, 0, r}; // holds no point
        int& extra = FExtraOf[size_t(r)];
        if (extra >= 0) {
            FExtra[size_t(extra)] = e;
            continue;
        }
        const int entry = FEntryOf[size_t(r)];
        if (entry >= 0) {
            const TEntry& old = FEntries[size_t(entry)];
            if (old.Left == e.Left && old.Top == e.Top && old.Right == e.Right && old.Bottom == e.Bottom)
                continue;
            FDead[size_t(entry)] = 1;
        }
        extra = int(FExtra.size());
        FExtra.push_back(e);
        if (FExtra.size() > limit) {
            FValid = false;
            return false;
        }
    }
    return true;
}

void TShapeGrid::BuildCells()
{
    FCellStart.clear();
    FCellItems.clear();
    FCols = FRows = 0;
    if (FEntries.empty())
        return;
    int minX = FEntries[0].Left, minY = FEntries[0].Top, maxX = FEntries[0].Right, maxY = FEntries[0].Bottom;
    std::vector<int> sizes;
    sizes.reserve(FEntries.size());
    for (const TEntry& e : FEntries) {
        minX = std::min(minX, e.Left);
        minY = std::min(minY, e.Top);
        maxX = std::max(maxX, e.Right);
        maxY = std::max(maxY, e.Bottom);
        sizes.push_back(std::max(e.Right - e.Left, e.Bottom - e.Top) + 1);
    }
    // Cells about as large as a typical box: a point then meets about as many boxes in
    // its cell as overlap there, and a box lands in about four cells.
    std::nth_element(sizes.begin(), sizes.begin() + ptrdiff_t(sizes.size() / 2), sizes.end());
    double cell = std::max(8, sizes[sizes.size() / 2]);
    const double width = double(maxX) - minX + 1, height = double(maxY) - minY + 1;
    while (std::ceil(width / cell) * std::ceil(height / cell) > MaxCells)
        cell *= 2;
    FCellSize = int(std::min(cell, CoordLimit));
    FOriginX = minX;
    FOriginY = minY;
    FCols = int(std::ceil(width / FCellSize));
    FRows = int(std::ceil(height / FCellSize));

    auto range = [this](const TEntry& e, int& c0, int& r0, int& c1, int& r1) {
        c0 = int((int64_t(e.Left) - FOriginX) / FCellSize);
        c1 = int((int64_t(e.Right) - FOriginX) / FCellSize);
        r0 = int((int64_t(e.Top) - FOriginY) / FCellSize);
        r1 = int((int64_t(e.Bottom) - FOriginY) / FCellSize);
    };
    const size_t cells = size_t(FCols) * size_t(FRows);
    FCellStart.assign(cells + 1, 0);
    std::vector<char> wide(FEntries.size(), 0);
    for (size_t i = 0; i < FEntries.size(); ++i) {
        int c0, r0, c1, r1;
        range(FEntries[i], c0, r0, c1, r1);
        if (int64_t(c1 - c0 + 1) * (r1 - r0 + 1) > MaxCellsPerEntry) {
            wide[i] = 1;
            FWide.push_back(uint32_t(i));
            continue;
        }
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                ++FCellStart[size_t(r) * size_t(FCols) + size_t(c) + 1];
    }
    for (size_t c = 0; c < cells; ++c)
        FCellStart[c + 1] += FCellStart[c];
    FCellItems.resize(FCellStart[cells]);
    std::vector<uint32_t> fill(FCellStart.begin(), FCellStart.end() - 1);
    for (size_t i = 0; i < FEntries.size(); ++i) {
        if (wide[i])
            continue;
        int c0, r0, c1, r1;
        range(FEntries[i], c0, r0, c1, r1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                FCellItems[fill[size_t(r) * size_t(FCols) + size_t(c)]++] = uint32_t(i);
    }
}

bool TShapeGrid::Append(const TMyCAD& Cad, const TMyShape* Added, const TKey& Key)
{
    const int n = Cad.GetShapesCount();
    const int r = Added ? Cad.GetShapeNoInMyShapes(Added) : -1;
    if (!FValid || Key.Zoom != FKey.Zoom || r != n - 1 || size_t(r) != FEntryOf.size() || Added->HasParentShape() ||
        Added->HasChildShapes()) {
        FValid = false;
        return false;
    }
    FEntryOf.push_back(-1);
    FExtraOf.push_back(-1);
    FUnboundedFlag.push_back(0);
    FKey = Key;
    TEntry e{};
    bool unbounded = false;
    if (TreeBox(Cad, r, e, unbounded)) {
        FExtraOf.back() = int(FExtra.size());
        FExtra.push_back(e);
    } else if (unbounded) {
        FUnbounded.push_back(r); // the largest number: the list stays sorted
        FUnboundedFlag.back() = 1;
    }
    return true;
}

void TShapeGrid::RootsAt(TPoint P, std::vector<int>& Out) const
{
    Out.clear();
    if (FCols > 0 && P.X >= FOriginX && P.Y >= FOriginY) {
        const int64_t c = (int64_t(P.X) - FOriginX) / FCellSize;
        const int64_t r = (int64_t(P.Y) - FOriginY) / FCellSize;
        if (c < FCols && r < FRows) {
            const size_t cell = size_t(r) * size_t(FCols) + size_t(c);
            for (uint32_t k = FCellStart[cell]; k < FCellStart[cell + 1]; ++k) {
                const uint32_t i = FCellItems[k];
                if (FEntries[i].Holds(P) && !FDead[i])
                    Out.push_back(FEntries[i].No);
            }
        }
    }
    if (FWide.empty() && FUnbounded.empty() && FExtra.empty())
        return;
    for (uint32_t i : FWide)
        if (FEntries[i].Holds(P) && !FDead[i])
            Out.push_back(FEntries[i].No);
    for (const TEntry& e : FExtra)
        if (e.Holds(P))
            Out.push_back(e.No);
    Out.insert(Out.end(), FUnbounded.begin(), FUnbounded.end());
    std::sort(Out.begin(), Out.end());
}

void TShapeGrid::ShapesAt(TPoint P, std::vector<int>& Out) const
{
    RootsAt(P, Out);
    const size_t roots = Out.size();
    for (size_t i = 0; i < roots; ++i) {
        const int r = Out[i];
        auto it = std::lower_bound(FMembers.begin(), FMembers.end(), std::make_pair(r, -1));
        for (; it != FMembers.end() && it->first == r; ++it)
            Out.push_back(it->second);
    }
    Out.insert(Out.end(), FOrphans.begin(), FOrphans.end());
    if (Out.size() != roots)
        std::sort(Out.begin(), Out.end());
}
