#include "component/document/ShapeGrid.h"

#include "component/document/MyCAD.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// Coordinates are kept well inside the 32-bit range, so that widening a box never
// overflows.
constexpr double CoordLimit = double(1 << 29);

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
        TArrMyPoint figure;
        if (TMyRect box; S->FigureBox(box))
            figure = {TMyPoint(box.Left, box.Top), TMyPoint(box.Right, box.Bottom)};
        AddPoints(S->Points());
        AddPoints(figure);
    }

    void AddPoints(const TArrMyPoint& Points)
    {
        for (const TMyPoint& p : Points) {
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
    // Arcs and interpolating curves are hit within 10 pixels of their figure, whose box
    // the grid takes in besides the points (and the triangle of an arc's points lies in
    // the box of its points).
    if (dynamic_cast<const TMyElliArc*>(S) || dynamic_cast<const TMyBLine*>(S))
        return 12;
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

TGridBox TShapeGrid::BoxOf(const TGather& g, double z)
{
    if (g.Unbounded)
        return TGridBox::Everywhere();
    if (!g.Any)
        return TGridBox::Nowhere(); // nothing of the tree can be hit
    const double lz = g.Left * z, rz = g.Right * z, tz = g.Top * z, bz = g.Bottom * z;
    if (!std::isfinite(lz) || !std::isfinite(rz) || !std::isfinite(tz) || !std::isfinite(bz))
        return TGridBox::Everywhere();
    const int m = g.Margin;
    return TGridBox::Of(ClampedFloor(std::min(lz, rz)) - m, ClampedFloor(std::min(tz, bz)) - m,
                        ClampedCeil(std::max(lz, rz)) + m, ClampedCeil(std::max(tz, bz)) + m);
}

void TShapeGrid::Build(const TMyCAD& Cad, const TKey& Key)
{
    FMembers.clear();
    FOrphans.clear();
    FRootOfEntry.clear();

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
        for (uint32_t c : std::as_const(*Cad.GetShapeByNo(r)).ChildNos())
            if (c < uint32_t(n) && rootOf[c] != r)
                gather[size_t(r)].Add(Cad.GetShapeByNo(int(c)));
    }

    FEntryOf.assign(count, -1);
    std::vector<TGridBox> boxes;
    for (int r = 0; r < n; ++r) {
        if (rootOf[size_t(r)] != r)
            continue;
        FEntryOf[size_t(r)] = int(boxes.size());
        FRootOfEntry.push_back(r);
        boxes.push_back(BoxOf(gather[size_t(r)], Key.Zoom));
    }
    FGrid.Build(boxes, Key);
}

TGridBox TShapeGrid::TreeBox(const TMyCAD& Cad, int R) const
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
    return BoxOf(g, FGrid.Key().Zoom);
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
    if (!FGrid.IsValid())
        return false;
    for (int r : AffectedRoots(Cad, Changed)) {
        if (size_t(r) >= FEntryOf.size() || FEntryOf[size_t(r)] < 0) {
            FGrid.Invalidate();
            return false;
        }
        const uint32_t entry = uint32_t(FEntryOf[size_t(r)]);
        const TGridBox box = TreeBox(Cad, r);
        if (box == FGrid.BoxOf(entry))
            continue;
        if (!FGrid.Patch(entry, box))
            return false;
    }
    return true;
}

bool TShapeGrid::Append(const TMyCAD& Cad, const TMyShape* Added, const TKey& Key)
{
    const int n = Cad.GetShapesCount();
    const int r = Added ? Cad.GetShapeNoInMyShapes(Added) : -1;
    if (!FGrid.IsValid() || Key.Zoom != FGrid.Key().Zoom || r != n - 1 || size_t(r) != FEntryOf.size() ||
        Added->HasParentShape() || Added->HasChildShapes()) {
        FGrid.Invalidate();
        return false;
    }
    FEntryOf.push_back(FGrid.EntryCount());
    FRootOfEntry.push_back(r);
    return FGrid.Append(TreeBox(Cad, r), Key);
}

void TShapeGrid::RootsAt(TPoint P, std::vector<int>& Out) const
{
    Out.clear();
    FGrid.ForEachHolding(P.X, P.Y, [&](uint32_t e) { Out.push_back(FRootOfEntry[e]); });
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
