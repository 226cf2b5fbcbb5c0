#include "component/dxf/DXFHatch.h"

#include "component/dxf/DXFSpline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kStep = 5 * std::numbers::pi / 180; // flattening step of curved edges

// A cursor over the entity's groups.
class TGroupCursor {
public:
    explicit TGroupCursor(const std::vector<TDXFGroup>& Groups) : FGroups(Groups) {}
    bool AtEnd() const { return FIndex >= FGroups.size(); }
    int Code() const { return AtEnd() ? -1 : FGroups[FIndex].Code; }
    double Real() const { return AtEnd() ? 0 : Number(FGroups[FIndex].Value); }
    int Int() const { return int(std::clamp(Real(), -1e9, 1e9)); }
    void Next() { ++FIndex; }
    // Moves to the next group with the code; false (at the end) when there is none.
    bool Seek(int Code)
    {
        while (!AtEnd() && Code != this->Code())
            Next();
        return !AtEnd();
    }

private:
    static double Number(const TGroupValue& V)
    {
        if (V.Kind == TGroupKind::Real)
            return V.Real;
        if (V.Kind == TGroupKind::Integer)
            return V.Integer;
        TGroupTable one;
        one.Set(90, V);
        return one.Real(90);
    }
    const std::vector<TDXFGroup>& FGroups;
    size_t FIndex = 0;
};

void Append(std::vector<TVec2>& Loop, TVec2 P)
{
    if (Loop.empty() || Loop.back().X != P.X || Loop.back().Y != P.Y)
        Loop.push_back(P);
}

// An arc from angle A to angle B (radians) of the ellipse C + Major cos t + Minor sin t,
// counter-clockwise or, with Ccw false, clockwise with the angles mirrored.
void AppendArc(std::vector<TVec2>& Loop, TVec2 C, TVec2 Major, TVec2 Minor, double A, double B, bool Ccw)
{
    const double full = 2 * std::numbers::pi;
    if (!Ccw) {
        A = -A;
        B = -B;
    }
    std::vector<TVec2> points;
    // Angles count round the ellipse: the first is kept within one turn.
    if (Ccw) {
        const double turn = CounterClockwiseTurn(A, B);
        A = std::fmod(A, full);
        EllipticArcPoints(C, Major, Minor, A, A + turn, kStep, points);
    } else {
        const double turn = CounterClockwiseTurn(B, A);
        B = std::fmod(B, full);
        EllipticArcPoints(C, Major, Minor, B, B + turn, kStep, points);
        std::reverse(points.begin(), points.end());
    }
    for (const TVec2& p : points)
        Append(Loop, p);
}

void AppendBezierPoints(std::vector<TVec2>& Loop, const std::vector<TVec2>& Bezier)
{
    if (Bezier.empty())
        return;
    Append(Loop, Bezier[0]);
    for (size_t k = 0; k + 3 < Bezier.size(); k += 3) {
        for (int i = 1; i <= 8; ++i) {
            const double t = i / 8.0, u = 1 - t;
            const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
            Append(Loop, {w0 * Bezier[k].X + w1 * Bezier[k + 1].X + w2 * Bezier[k + 2].X + w3 * Bezier[k + 3].X,
                          w0 * Bezier[k].Y + w1 * Bezier[k + 1].Y + w2 * Bezier[k + 2].Y + w3 * Bezier[k + 3].Y});
        }
    }
}

void ReadPolylinePath(TGroupCursor& G, std::vector<TVec2>& Loop)
{
    struct TVertex {
        TVec2 P;
        double Bulge = 0;
    };
    std::vector<TVertex> vertices;
    for (; !G.AtEnd(); G.Next()) {
        const int code = G.Code();
        // 72 (has bulges), 73 (closed: a boundary always is) and 93 (the count) pass.
        if (code == 72 || code == 73 || code == 93)
            continue;
        if (code == 10)
            vertices.push_back({{G.Real(), 0}, 0});
        else if (code == 20 && !vertices.empty())
            vertices.back().P.Y = G.Real();
        else if (code == 42 && !vertices.empty())
            vertices.back().Bulge = G.Real();
        else
            break;
    }
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        Append(Loop, vertices[i].P);
        const double b = vertices[i].Bulge;
        if (b == 0)
            continue;
        const TVec2 p1 = vertices[i].P, p2 = vertices[(i + 1) % n].P;
        const double chord = std::hypot(p2.X - p1.X, p2.Y - p1.Y);
        const double theta = 4 * std::atan(b);
        if (chord == 0 || !std::isfinite(theta))
            continue;
        const double r = chord / (2 * std::sin(std::fabs(theta) / 2));
        const TVec2 m = BulgeMiddle(p1, p2, b);
        // The centre lies on the chord's normal, the radius away from the middle point.
        const TVec2 mid{(p1.X + p2.X) / 2, (p1.Y + p2.Y) / 2};
        const double mx = m.X - mid.X, my = m.Y - mid.Y, sag = std::hypot(mx, my);
        if (sag == 0)
            continue;
        const TVec2 c{m.X - mx / sag * r, m.Y - my / sag * r};
        const double a1 = std::atan2(p1.Y - c.Y, p1.X - c.X), a2 = std::atan2(p2.Y - c.Y, p2.X - c.X);
        // A clockwise arc is given as the hatch edges give it, with its angles mirrored.
        AppendArc(Loop, c, {r, 0}, {0, r}, b > 0 ? a1 : -a1, b > 0 ? a2 : -a2, b > 0);
    }
}

void ReadSplineEdge(TGroupCursor& G, std::vector<TVec2>& Loop)
{
    int degree = 3;
    std::vector<double> knots, weights;
    std::vector<TVec2> control, fit;
    for (; !G.AtEnd(); G.Next()) {
        const int code = G.Code();
        if (code == 94)
            degree = G.Int();
        else if (code == 40)
            knots.push_back(G.Real());
        else if (code == 42)
            weights.push_back(G.Real());
        else if (code == 10)
            control.push_back({G.Real(), 0});
        else if (code == 20 && !control.empty())
            control.back().Y = G.Real();
        else if (code == 11)
            fit.push_back({G.Real(), 0});
        else if (code == 21 && !fit.empty())
            fit.back().Y = G.Real();
        else if (code == 72 || code == 92 || code == 75 || code == 76)
            break;
        // 73, 74, 95, 96, 97 (flags and counts) and the end tangents 12, 22, 13, 23 pass.
    }
    std::vector<TVec2> bezier;
    if (!SplineToBezier(degree, knots, control, weights, bezier))
        BezierThrough(fit, bezier);
    AppendBezierPoints(Loop, bezier);
}

void ReadEdgePath(TGroupCursor& G, std::vector<TVec2>& Loop)
{
    int edges = G.Code() == 93 ? G.Int() : 0;
    if (G.Code() == 93)
        G.Next();
    for (; edges > 0 && G.Code() == 72; --edges) {
        const int type = G.Int();
        G.Next();
        if (type == 4) {
            ReadSplineEdge(G, Loop);
            continue;
        }
        double v10 = 0, v20 = 0, v11 = 0, v21 = 0, v40 = 0, v50 = 0, v51 = 0;
        bool ccw = true;
        for (; !G.AtEnd() && G.Code() != 72 && G.Code() != 92 && G.Code() != 97; G.Next()) {
            switch (G.Code()) {
            case 10: v10 = G.Real(); break;
            case 20: v20 = G.Real(); break;
            case 11: v11 = G.Real(); break;
            case 21: v21 = G.Real(); break;
            case 40: v40 = G.Real(); break;
            case 50: v50 = G.Real(); break;
            case 51: v51 = G.Real(); break;
            case 73: ccw = G.Int() != 0; break;
            default: break;
            }
        }
        const double toRad = std::numbers::pi / 180;
        if (type == 1) {
            Append(Loop, {v10, v20});
            Append(Loop, {v11, v21});
        } else if (type == 2) {
            AppendArc(Loop, {v10, v20}, {v40, 0}, {0, v40}, v50 * toRad, v51 * toRad, ccw);
        } else if (type == 3) {
            const TVec2 major{v11, v21}, minor{-v21 * v40, v11 * v40};
            AppendArc(Loop, {v10, v20}, major, minor, v50 * toRad, v51 * toRad, ccw);
        }
    }
}

} // namespace

std::vector<std::vector<TVec2>> HatchBoundaries(const std::vector<TDXFGroup>& Groups)
{
    std::vector<std::vector<TVec2>> loops;
    TGroupCursor g(Groups);
    if (!g.Seek(91))
        return loops;
    int paths = g.Int();
    g.Next();
    for (; paths > 0 && g.Seek(92); --paths) {
        const int flags = g.Int();
        g.Next();
        std::vector<TVec2> loop;
        if (flags & 2)
            ReadPolylinePath(g, loop);
        else
            ReadEdgePath(g, loop);
        if (loop.size() >= 2)
            loops.push_back(std::move(loop));
        // The path's source objects (97 and its handles) follow; Seek passes them.
        if (g.Code() == 97)
            g.Next();
    }
    return loops;
}
