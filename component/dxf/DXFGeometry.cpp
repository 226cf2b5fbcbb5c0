#include "component/dxf/DXFGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TPoint2D CartesianPoint2D(const TPoint2D& P)
{
    TPoint2D q = P;
    if (q.W != 0 && q.W != 1) {
        q.X /= q.W;
        q.Y /= q.W;
    }
    q.W = 1;
    return q;
}

TRect2D CartesianRect2D(const TRect2D& R)
{
    return {CartesianPoint2D(R.FirstEdge), CartesianPoint2D(R.SecondEdge)};
}

TRect2D ReorderRect2D(const TRect2D& R)
{
    TRect2D r = CartesianRect2D(R);
    if (r.FirstEdge.X > r.SecondEdge.X)
        std::swap(r.FirstEdge.X, r.SecondEdge.X);
    if (r.FirstEdge.Y > r.SecondEdge.Y)
        std::swap(r.FirstEdge.Y, r.SecondEdge.Y);
    return r;
}

TAffine2D TAffine2D::After(const TAffine2D& Inner) const
{
    return {A * Inner.A + B * Inner.D, A * Inner.B + B * Inner.E, A * Inner.C + B * Inner.F + C,
            D * Inner.A + E * Inner.D, D * Inner.B + E * Inner.E, D * Inner.C + E * Inner.F + F};
}

TAffine2D TAffine2D::Rotation(double Radians)
{
    const double c = std::cos(Radians), s = std::sin(Radians);
    return {c, -s, 0, s, c, 0};
}

TEllipseAxes EllipseAxes(TVec2 U, TVec2 V)
{
    // The singular values and the left singular direction of the 2 x 2 map [U V].
    const double e = (U.X + V.Y) / 2, f = (U.X - V.Y) / 2;
    const double g = (U.Y + V.X) / 2, h = (U.Y - V.X) / 2;
    const double q = std::hypot(e, h), r = std::hypot(f, g);
    TEllipseAxes axes;
    axes.Major = q + r;
    axes.Minor = std::fabs(q - r);
    double angle = (std::atan2(h, e) + std::atan2(g, f)) / 2;
    const double pi = std::numbers::pi;
    while (angle > pi / 2)
        angle -= pi;
    while (angle <= -pi / 2)
        angle += pi;
    axes.Angle = angle;
    return axes;
}

TVec2 BulgeMiddle(TVec2 P1, TVec2 P2, double Bulge)
{
    const double dx = P2.X - P1.X, dy = P2.Y - P1.Y;
    return {(P1.X + P2.X) / 2 + Bulge * dy / 2, (P1.Y + P2.Y) / 2 - Bulge * dx / 2};
}

namespace {

TVec2 ArcPoint(TVec2 C, TVec2 Major, TVec2 Minor, double T)
{
    const double c = std::cos(T), s = std::sin(T);
    return {C.X + Major.X * c + Minor.X * s, C.Y + Major.Y * c + Minor.Y * s};
}

TVec2 ArcTangent(TVec2 Major, TVec2 Minor, double T)
{
    const double c = std::cos(T), s = std::sin(T);
    return {-Major.X * s + Minor.X * c, -Major.Y * s + Minor.Y * c};
}

} // namespace

double CounterClockwiseTurn(double Start, double End)
{
    const double full = 2 * std::numbers::pi;
    const double turn = End - Start;
    if (!(turn <= full)) // beyond a whole turn, or not a number
        return full;
    return turn > 0 ? turn : std::fmod(turn, full) + full;
}

void EllipticArcBezier(TVec2 Centre, TVec2 Major, TVec2 Minor, double Start, double End, std::vector<TVec2>& Out)
{
    const double sweep = std::min(End - Start, 2 * std::numbers::pi);
    const int pieces = std::max(1, int(std::ceil(sweep / (std::numbers::pi / 2) - 1e-9)));
    const double delta = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(delta / 4);
    double t0 = Start;
    TVec2 p0 = ArcPoint(Centre, Major, Minor, t0);
    Out.push_back(p0);
    for (int i = 0; i < pieces; ++i) {
        const double t1 = Start + delta * (i + 1);
        const TVec2 p3 = ArcPoint(Centre, Major, Minor, t1);
        const TVec2 d0 = ArcTangent(Major, Minor, t0), d1 = ArcTangent(Major, Minor, t1);
        Out.push_back({p0.X + k * d0.X, p0.Y + k * d0.Y});
        Out.push_back({p3.X - k * d1.X, p3.Y - k * d1.Y});
        Out.push_back(p3);
        p0 = p3;
        t0 = t1;
    }
}

void EllipticArcPoints(TVec2 Centre, TVec2 Major, TVec2 Minor, double Start, double End, double Step,
                       std::vector<TVec2>& Out)
{
    const double sweep = std::min(End - Start, 2 * std::numbers::pi);
    const int steps = std::clamp(int(std::ceil(sweep / std::max(Step, 1e-3))), 1, 4096);
    for (int i = 0; i <= steps; ++i)
        Out.push_back(ArcPoint(Centre, Major, Minor, Start + sweep * i / steps));
}
