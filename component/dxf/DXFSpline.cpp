#include "component/dxf/DXFSpline.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxDegree = 11;

bool KnotsFit(const std::vector<double>& Knots, size_t Count, int Degree)
{
    if (Knots.size() != Count + size_t(Degree) + 1)
        return false;
    for (size_t i = 0; i < Knots.size(); ++i) {
        if (!std::isfinite(Knots[i]) || (i > 0 && Knots[i] < Knots[i - 1]))
            return false;
    }
    return Knots[size_t(Degree)] < Knots[Count];
}

std::vector<double> ClampedUniform(size_t Count, int Degree)
{
    std::vector<double> knots(Count + size_t(Degree) + 1);
    const size_t inner = Count - size_t(Degree);
    for (size_t i = 0; i < knots.size(); ++i) {
        if (i <= size_t(Degree))
            knots[i] = 0;
        else if (i >= Count)
            knots[i] = double(inner);
        else
            knots[i] = double(i - size_t(Degree));
    }
    return knots;
}

// Homogeneous control point.
struct THom {
    double X = 0, Y = 0, W = 1;
};

// The blossom of the span [U[k], U[k+1]) at the parameters T[0..p-1] (de Boor's scheme
// with one parameter per level).
THom Blossom(int p, size_t k, const std::vector<double>& U, const std::vector<THom>& P, const double* T)
{
    THom d[kMaxDegree + 1];
    for (int j = 0; j <= p; ++j)
        d[j] = P[k - size_t(p) + size_t(j)];
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const size_t i = k - size_t(p) + size_t(j);
            const double span = U[i + size_t(p) + 1 - size_t(r)] - U[i];
            const double a = span > 0 ? (T[r - 1] - U[i]) / span : 0;
            d[j] = {(1 - a) * d[j - 1].X + a * d[j].X, (1 - a) * d[j - 1].Y + a * d[j].Y,
                    (1 - a) * d[j - 1].W + a * d[j].W};
        }
    }
    return d[p];
}

TVec2 Cartesian(const THom& H)
{
    return H.W != 0 ? TVec2{H.X / H.W, H.Y / H.W} : TVec2{H.X, H.Y};
}

} // namespace

bool SplineToBezier(int Degree, const std::vector<double>& Knots, const std::vector<TVec2>& Control,
                    const std::vector<double>& Weights, std::vector<TVec2>& Out)
{
    Out.clear();
    const size_t n = Control.size();
    if (Degree < 1 || Degree > kMaxDegree || n < size_t(Degree) + 1)
        return false;
    const int p = Degree;
    const std::vector<double> U = KnotsFit(Knots, n, p) ? Knots : ClampedUniform(n, p);
    bool rational = false;
    std::vector<THom> P(n);
    const bool weighted = Weights.size() == n;
    for (size_t i = 0; i < n; ++i) {
        double w = weighted ? Weights[i] : 1;
        if (!std::isfinite(w) || w <= 0)
            w = 1;
        if (w != 1)
            rational = true;
        P[i] = {Control[i].X * w, Control[i].Y * w, w};
    }
    if (!rational && p <= 3) {
        // Exact: the Bezier points of each span are blossoms at its two ends.
        for (size_t k = size_t(p); k < n; ++k) {
            const double a = U[k], b = U[k + 1];
            if (!(b > a))
                continue;
            TVec2 q[4];
            const double t3[4][3] = {{a, a, a}, {a, a, b}, {a, b, b}, {b, b, b}};
            if (p == 3) {
                for (int i = 0; i < 4; ++i)
                    q[i] = Cartesian(Blossom(p, k, U, P, t3[i]));
            } else if (p == 2) {
                const double t2[3][2] = {{a, a}, {a, b}, {b, b}};
                TVec2 r[3];
                for (int i = 0; i < 3; ++i)
                    r[i] = Cartesian(Blossom(p, k, U, P, t2[i]));
                q[0] = r[0];
                q[1] = {r[0].X + 2.0 / 3 * (r[1].X - r[0].X), r[0].Y + 2.0 / 3 * (r[1].Y - r[0].Y)};
                q[2] = {r[2].X + 2.0 / 3 * (r[1].X - r[2].X), r[2].Y + 2.0 / 3 * (r[1].Y - r[2].Y)};
                q[3] = r[2];
            } else {
                const TVec2 s = Cartesian(Blossom(p, k, U, P, &a)), e = Cartesian(Blossom(p, k, U, P, &b));
                q[0] = s;
                q[1] = {s.X + (e.X - s.X) / 3, s.Y + (e.Y - s.Y) / 3};
                q[2] = {s.X + 2 * (e.X - s.X) / 3, s.Y + 2 * (e.Y - s.Y) / 3};
                q[3] = e;
            }
            if (Out.empty())
                Out.push_back(q[0]);
            Out.insert(Out.end(), {q[1], q[2], q[3]});
        }
        return !Out.empty();
    }
    // Sampled: eight points per span, joined smoothly.
    std::vector<TVec2> samples;
    double t[kMaxDegree];
    for (size_t k = size_t(p); k < n; ++k) {
        const double a = U[k], b = U[k + 1];
        if (!(b > a))
            continue;
        for (int i = samples.empty() ? 0 : 1; i <= 8; ++i) {
            std::fill(t, t + p, a + (b - a) * i / 8);
            samples.push_back(Cartesian(Blossom(p, k, U, P, t)));
        }
    }
    BezierThrough(samples, Out);
    return !Out.empty();
}

void BezierThrough(const std::vector<TVec2>& Points, std::vector<TVec2>& Out)
{
    Out.clear();
    const size_t n = Points.size();
    if (n == 0)
        return;
    Out.push_back(Points[0]);
    for (size_t i = 0; i + 1 < n; ++i) {
        const TVec2 p0 = Points[i > 0 ? i - 1 : i], p1 = Points[i], p2 = Points[i + 1],
                    p3 = Points[i + 2 < n ? i + 2 : i + 1];
        Out.push_back({p1.X + (p2.X - p0.X) / 6, p1.Y + (p2.Y - p0.Y) / 6});
        Out.push_back({p2.X - (p3.X - p1.X) / 6, p2.Y - (p3.Y - p1.Y) / 6});
        Out.push_back(p2);
    }
}
