#include "component/base/ArcGeometry.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {
constexpr double kTwoPi = 6.28319;
constexpr double kHalfPi = 1.570795;
// Points far outside any canvas are held at this distance, so that they stay integers.
constexpr double kCoordLimit = double(1 << 30);

int Clamped(double v)
{
    return Round(std::clamp(v, -kCoordLimit, kCoordLimit));
}

bool Straight(TPoint A, TPoint B, TPoint E)
{
    if (A.X == B.X && E.X == B.X)
        return true;
    if (A.X == B.X)
        return false;
    if (A.Y == B.Y && E.Y == B.Y)
        return true;
    if (A.Y == B.Y)
        return false;
    // An end point within 4 pixels of the middle point never counts as collinear.
    if (std::llabs(int64_t(E.X) - B.X) <= 4 && std::llabs(int64_t(E.Y) - B.Y) <= 4)
        return false;
    const double ax = A.X, ay = A.Y, bx = B.X, by = B.Y, ex = E.X, ey = E.Y;
    if (std::abs(bx - ax) > std::abs(by - ay))
        return std::abs(ey - (ay + (by - ay) / (bx - ax) * (ex - ax))) <= 3;
    return std::abs(ex - (ax + (bx - ax) / (by - ay) * (ey - ay))) <= 3;
}

double AngleOf(double x, double y, double cx, double cy)
{
    if (x == cx)
        return y > cy ? kHalfPi : -kHalfPi;
    return std::atan2(y - cy, x - cx);
}

// Whether angle a lies on the clockwise sweep from s to t (t >= s, t - s < 2 pi + step).
bool OnSweep(double a, double s, double t)
{
    while (a < s)
        a += 2 * M_PI;
    while (a > s + 2 * M_PI)
        a -= 2 * M_PI;
    return a <= t;
}
} // namespace

bool CircleCentre(double Ax, double Ay, double Bx, double By, double Ex, double Ey, double& Cx, double& Cy)
{
    const long double f = (long double)Ax * Ax - (long double)Bx * Bx + (long double)Ay * Ay - (long double)By * By;
    const long double e = (long double)Ex * Ex - (long double)Bx * Bx + (long double)Ey * Ey - (long double)By * By;
    const long double d =
        ((long double)Ax - Bx) * ((long double)Ey - By) - ((long double)Bx - Ex) * ((long double)By - Ay);
    if (d == 0)
        return false;
    Cx = double((f * ((long double)Ey - By) + e * ((long double)By - Ay)) / (2 * d));
    Cy = double((f * ((long double)Bx - Ex) + e * ((long double)Ax - Bx)) / (2 * d));
    return std::isfinite(Cx) && std::isfinite(Cy);
}

TArcFigure CircleArcFigure(TPoint A, TPoint B, TPoint E, TArcStyle Style)
{
    TArcFigure fig;
    if (Straight(A, B, E)) {
        fig.Kind = TArcFigure::TKind::Segment;
        fig.Points = {A, E};
        return fig;
    }
    // The circle, with exact integer products (wide enough for any 32-bit coordinates).
    const __int128 ax = A.X, ay = A.Y, bx = B.X, by = B.Y, ex = E.X, ey = E.Y;
    const __int128 f = ax * ax - bx * bx + ay * ay - by * by;
    const __int128 e = ex * ex - bx * bx + ey * ey - by * by;
    const __int128 d = (ax - bx) * (ey - by) - (bx - ex) * (by - ay);
    if (d == 0)
        return fig; // on no circle: nothing is drawn
    const double cx = double(f * (ey - by) + e * (by - ay)) / (2 * double(d));
    const double cy = double(f * (bx - ex) + e * (ax - bx)) / (2 * double(d));
    const double R = std::hypot(double(A.X) - cx, double(A.Y) - cy);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(R) || R == 0)
        return fig;
    fig.Cx = cx;
    fig.Cy = cy;
    fig.R = R;
    const double a1 = AngleOf(A.X, A.Y, cx, cy), a3 = AngleOf(E.X, E.Y, cx, cy);
    const double base = R < 5.08 ? 0.015 : R < 7.62 ? 0.06 : R < 25.4 ? 0.075 : 0.15;
    const double step = base * 25.4 / R;
    // Rounded half to even, as Round does, but kept as a double: the count of a huge
    // circle does not fit an int.
    auto countOf = [step](double s, double t) {
        double n = std::nearbyint((t - s) / step + 0.5);
        if (n == 0)
            n = std::nearbyint(kTwoPi / step + 0.5);
        return n;
    };
    auto pass = [&](double s, std::vector<TPoint>& points, bool& nearB) {
        double t = s == a1 ? a3 : a1;
        if (t < s)
            t += kTwoPi;
        const double n = countOf(s, t);
        points.clear();
        nearB = false;
        auto add = [&](double angle) {
            const TPoint p(Clamped(R * std::cos(angle) + cx), Clamped(R * std::sin(angle) + cy));
            points.push_back(p);
            if (std::llabs(int64_t(p.X) - B.X) < 10 && std::llabs(int64_t(p.Y) - B.Y) < 10)
                nearB = true;
        };
        if (n <= kMaxArcPoints) {
            double angle = s;
            add(angle);
            for (int k = 1; k < int(n); ++k) {
                angle += step;
                add(angle);
            }
            return;
        }
        // A huge circle: the same sweep in at most kMaxArcPoints steps. Whether the sweep
        // passes the middle point is read off the angles instead of the points.
        const double coarse = (n * step) / kMaxArcPoints;
        double angle = s;
        add(angle);
        for (int k = 1; k < kMaxArcPoints; ++k) {
            angle += coarse;
            add(angle);
        }
        nearB = OnSweep(AngleOf(B.X, B.Y, cx, cy), s, s + (n - 1) * step);
    };
    bool nearB = false;
    pass(a1, fig.Points, nearB);
    if (!nearB) {
        pass(a3, fig.Points, nearB);
        fig.FromEnd = true;
    }
    fig.Points.push_back(fig.FromEnd ? A : E);
    fig.Kind = TArcFigure::TKind::Points;
    const TPoint first = fig.Points.front();
    if (Style == asChord) {
        fig.Points.push_back(first);
        fig.Closed = true;
    } else if (Style == asSector) {
        fig.Points.push_back(TPoint(Clamped(cx), Clamped(cy)));
        fig.Points.push_back(first);
        fig.Closed = true;
    }
    return fig;
}

std::vector<TPoint> EllipseArcPoints(TPoint A, TPoint B, TPoint E)
{
    const double kx = E.X * 3.414 - B.X * 4.828 + A.X * 2.414, ky = E.Y * 3.414 - B.Y * 4.828 + A.Y * 2.414;
    const double lx = -1.414 * E.X + 4.828 * B.X - 3.414 * A.X, ly = -1.414 * E.Y + 4.828 * B.Y - 3.414 * A.Y;
    const double steps = std::sqrt(std::sqrt(kx * kx + ky * ky) * 100);
    const int t = std::isfinite(steps) ? int(std::min<double>(std::nearbyint(steps), kMaxArcPoints)) : 0;
    std::vector<TPoint> points{A};
    points.reserve(size_t(t) + 2);
    for (int k = 1; k <= t; ++k) {
        const double w = double(k) / t;
        const double q = 1 + w * w;
        points.push_back(TPoint(Clamped((A.X + lx * w + kx * w * w) / q), Clamped((A.Y + ly * w + ky * w * w) / q)));
    }
    points.push_back(E);
    return points;
}

void ArcExportParameters(double Height, TMyPoint P0, TMyPoint P2, TMyPoint Centre, double& R, double& A1, double& A2)
{
    const double cx = Centre.X, cy = Centre.Y;
    auto angle = [&](TMyPoint p) {
        const double x = p.X, y = Height - p.Y;
        if (x > cx)
            return std::atan((y - cy) / (x - cx)) * 180 / std::numbers::pi;
        if (x < cx)
            return std::atan((y - cy) / (x - cx)) * 180 / std::numbers::pi + 180;
        return y > cy ? 90.0 : 270.0;
    };
    R = std::hypot(double(P0.X) - cx, Height - P0.Y - cy);
    A1 = angle(P2);
    A2 = angle(P0);
}
