// The arc and text computations the DXF code needs, by the rules of those kinds.
#include "component/dxf/DXFShapeLink.h"

#include "component/render/TextOut.h"
#include "component/shapes/MyElliArc.h"
#include "component/shapes/MyText.h"
#include "platform/Rounding.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace DXFShapeLink {

namespace {

struct TIntPoint {
    int64_t X = 0;
    int64_t Y = 0;
};

TIntPoint Rounded(TMyPoint P)
{
    return {Round(P.X), Round(P.Y)};
}

// The arc's three points: with fewer than three the missing ones repeat the last.
void ThreePoints(const TMyElliArc& Arc, TMyPoint& A, TMyPoint& B, TMyPoint& E)
{
    const int n = Arc.GetPointsCount();
    A = Arc.GetPoint(0);
    B = n > 1 ? Arc.GetPoint(1) : A;
    E = n > 2 ? Arc.GetPoint(2) : B;
}

// The straight cases of the circle-mode figure, drawn as one segment from A to E.
bool IsStraight(TIntPoint A, TIntPoint B, TIntPoint E)
{
    if (A.X == B.X && E.X == B.X)
        return true;
    if (A.X != B.X && A.Y == B.Y && E.Y == B.Y)
        return true;
    if (A.X != B.X && A.Y != B.Y && (std::llabs(E.X - B.X) > 4 || std::llabs(E.Y - B.Y) > 4)) {
        const double dx = double(B.X - A.X), dy = double(B.Y - A.Y);
        if (std::fabs(dx) > std::fabs(dy))
            return std::fabs(E.Y - (A.Y + dy / dx * double(E.X - A.X))) <= 3;
        return std::fabs(E.X - (A.X + dx / dy * double(E.Y - A.Y))) <= 3;
    }
    return false;
}

double PointAngle(TIntPoint P, double Cx, double Cy)
{
    if (double(P.X) == Cx)
        return double(P.Y) > Cy ? 1.570795 : -1.570795;
    return std::atan2(double(P.Y) - Cy, double(P.X) - Cx);
}

// Whether one pass from angle S to angle T passes within 10 pixels of B on both axes.
bool PassMeetsMiddle(double S, double T, double R, double Cx, double Cy, double Step, TIntPoint B)
{
    if (T < S)
        T += 6.28319;
    int64_t n = Round64((T - S) / Step + 0.5);
    if (n == 0)
        n = Round64(6.28319 / Step + 0.5);
    double angle = S;
    for (int64_t k = 1; k < n; ++k) {
        angle += Step;
        const int64_t x = Round64(R * std::cos(angle) + Cx);
        const int64_t y = Round64(R * std::sin(angle) + Cy);
        if (std::llabs(x - B.X) < 10 && std::llabs(y - B.Y) < 10)
            return true;
    }
    return false;
}

} // namespace

TArcFigure ArcFigure(const TMyElliArc& Arc)
{
    TMyPoint pa, pb, pe;
    ThreePoints(Arc, pa, pb, pe);
    const TIntPoint A = Rounded(pa), B = Rounded(pb), E = Rounded(pe);
    TArcFigure figure;
    if (IsStraight(A, B, E)) {
        figure.Kind = TArcFigure::Segment;
        return figure;
    }
    // Exact integer products: 128 bits hold them for any pair of rounded coordinates.
    using Wide = __int128;
    const Wide f = Wide(A.X) * A.X - Wide(B.X) * B.X + Wide(A.Y) * A.Y - Wide(B.Y) * B.Y;
    const Wide e = Wide(E.X) * E.X - Wide(B.X) * B.X + Wide(E.Y) * E.Y - Wide(B.Y) * B.Y;
    const Wide d = Wide(A.X - B.X) * (E.Y - B.Y) - Wide(B.X - E.X) * (B.Y - A.Y);
    if (d == 0)
        return figure;
    const double cx = (double(f) * double(E.Y - B.Y) + double(e) * double(B.Y - A.Y)) / (2.0 * double(d));
    const double cy = (double(f) * double(B.X - E.X) + double(e) * double(A.X - B.X)) / (2.0 * double(d));
    const double r = std::hypot(double(A.X) - cx, double(A.Y) - cy);
    const double base = r < 5.08 ? 0.015 : r < 7.62 ? 0.06 : r < 25.4 ? 0.075 : 0.15;
    const double step = base * 25.4 / r;
    const double a1 = PointAngle(A, cx, cy), a3 = PointAngle(E, cx, cy);
    figure.Kind = TArcFigure::Arc;
    figure.FromStart = PassMeetsMiddle(a1, a3, r, cx, cy, step, B);
    return figure;
}

TMyPoint ArcCentre(const TMyElliArc& Arc)
{
    if (Arc.ArcMode() == amEllipse)
        return Arc.CenterPoint();
    TMyPoint pa, pb, pe;
    ThreePoints(Arc, pa, pb, pe);
    const double ax = pa.X, ay = pa.Y, bx = pb.X, by = pb.Y, ex = pe.X, ey = pe.Y;
    const double f = ax * ax - bx * bx + ay * ay - by * by;
    const double e = ex * ex - bx * bx + ey * ey - by * by;
    const double d = (ax - bx) * (ey - by) - (bx - ex) * (by - ay);
    if (d == 0)
        return TMyPoint(float((ax + ex) / 2), float((ay + ey) / 2));
    return TMyPoint(float((f * (ey - by) + e * (by - ay)) / (2 * d)), float((f * (bx - ex) + e * (ax - bx)) / (2 * d)));
}

void GetRA1A2By3Points(double Height, TMyPoint P0, TMyPoint, TMyPoint P2, TMyPoint Centre, double& R, double& A1,
                       double& A2)
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

bool GetPathPoints(const TMyText&, TCanvas*, TArrPoint& Points, std::vector<uint8_t>& Kinds)
{
    Points.clear();
    Kinds.clear();
    return false;
}

void reCaclpoints(TMyText& Text, TCanvas* Canvas)
{
    const float angle = Text.Angle();
    if (angle != 0)
        Text.RotateChangeValueByAngle(Text.GetCenterPoint(), -angle);
    const TSize size = GetTextWidthHeight(Canvas, Text.Info(), Text.Font(), 1.0, 0.0);
    TArrMyPoint& p = Text.PointsRef();
    p.resize(4);
    p[1] = TMyPoint(float(double(p[0].X) + size.cx), p[0].Y);
    p[2] = TMyPoint(p[1].X, float(double(p[0].Y) + size.cy));
    p[3] = TMyPoint(p[0].X, p[2].Y);
    if (angle != 0)
        Text.RotateChangeValueByAngle(Text.GetCenterPoint(), angle);
    Text.SetCenterPoint(Text.ComputeCenterPoint(4));
}

} // namespace DXFShapeLink
