#include "component/base/Geometry.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Ext = long double;

// The axis angle used by the arrow-head geometry: |arctan(dx / dy)| of Tip - From,
// pi/2 when both have the same Y (the line is horizontal or the points coincide).
Ext ArrowAxisAngle(const TMyPoint& Tip, const TMyPoint& From)
{
    if (Tip.Y == From.Y)
        return PiExtended / 2;
    return std::fabs(std::atan(Ext(Tip.X - From.X) / Ext(Tip.Y - From.Y)));
}

// Tip moved by Distance along Angle (measured as in ArrowAxisAngle), the sign on each
// axis chosen so that the move heads back towards From: minus where Tip exceeds From.
TMyPoint StepTowards(const TMyPoint& Tip, const TMyPoint& From, Ext Angle, Ext Distance)
{
    const Ext sx = std::sin(Angle) * Distance;
    const Ext sy = std::cos(Angle) * Distance;
    const Ext x = Tip.X > From.X ? Tip.X - sx : Tip.X + sx;
    const Ext y = Tip.Y > From.Y ? Tip.Y - sy : Tip.Y + sy;
    return TMyPoint(float(x), float(y));
}

bool FitsInt32(int64_t v)
{
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

} // namespace

// ---- Conversions ----

TMyPoint MyPoint(float X, float Y)
{
    return TMyPoint(X, Y);
}

TPoint MyPtToPt(const TMyPoint& P)
{
    return TPoint(Round(P.X), Round(P.Y));
}

TMyPoint PtToMyPt(const TPoint& P)
{
    return TMyPoint(float(P.X), float(P.Y));
}

TRect myRecttoRect(const TMyRect& R)
{
    return TRect(Round(R.Left), Round(R.Top), Round(R.Right), Round(R.Bottom));
}

TRect PtToARect(const TPoint& A, const TPoint& B)
{
    return TRect(std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y));
}

TRect ExpandRect(const TRect& R, int32_t N)
{
    const int64_t l = int64_t(R.Left) - N;
    const int64_t t = int64_t(R.Top) - N;
    const int64_t r = int64_t(R.Right) + N;
    const int64_t b = int64_t(R.Bottom) + N;
    if (!FitsInt32(l) || !FitsInt32(t) || !FitsInt32(r) || !FitsInt32(b))
        return R;
    return TRect(int32_t(l), int32_t(t), int32_t(r), int32_t(b));
}

void OffsetMyRect(TMyRect& R, double DX, double DY)
{
    R.Left = float(Ext(R.Left) + DX);
    R.Right = float(Ext(R.Right) + DX);
    R.Top = float(Ext(R.Top) + DY);
    R.Bottom = float(Ext(R.Bottom) + DY);
}

// ---- Measures and angles ----

float GetLengthinPixel(const TMyPoint& A, const TMyPoint& B)
{
    const Ext dx = Ext(A.X) - B.X;
    const Ext dy = Ext(A.Y) - B.Y;
    return float(std::sqrt(dx * dx + dy * dy));
}

int32_t PointInQuadrantX(const TMyPoint& A, const TMyPoint& B)
{
    return B.X > A.X ? 1 : -1;
}

int32_t PointInQuadrantY(const TMyPoint& A, const TMyPoint& B)
{
    return B.Y > A.Y ? 1 : -1;
}

double GetSlopeAngle(const TMyPoint& A, const TMyPoint& B)
{
    const Ext dx = Ext(A.X) - B.X;
    const Ext dy = Ext(A.Y) - B.Y;
    // The principal value of the slope, then corrected by the quadrant in which B lies
    // as seen from A.
    Ext t = dx == 0 ? PiExtended / 2 : std::atan(dy / dx);
    const int32_t qx = PointInQuadrantX(A, B);
    const int32_t qy = PointInQuadrantY(A, B);
    if (qx > 0 && qy < 0)
        t = t + PiExtended;
    else if (qx > 0 && qy > 0)
        t = std::fabs(t) + PiExtended;
    else if (qx < 0 && qy > 0)
        t = TwoPiExtended - std::fabs(t);
    return double(t);
}

TMyPoint RotateAPoint(const TMyPoint& P, const TMyPoint& C, float Theta)
{
    const Ext c = std::cos(Ext(Theta));
    const Ext s = std::sin(Ext(Theta));
    const Ext dx = Ext(P.X) - C.X;
    const Ext dy = Ext(P.Y) - C.Y;
    return TMyPoint(float(C.X + dx * c - dy * s), float(C.Y + dx * s + dy * c));
}

void RecaclinRad(float& A)
{
    if (!std::isfinite(A))
        return;
    // fmod removes the whole turns at once; that is what subtracting 2 pi until the
    // angle is below the limit gives, without looping over huge values. Should the
    // remainder round up to the limit itself, one more turn is taken off.
    if (A > TwoPiSingle) {
        const Ext r = std::fmod(Ext(A), TwoPiExtended);
        A = float(r);
        if (A >= TwoPiSingle)
            A = float(r - TwoPiExtended);
    } else if (A < -TwoPiSingle) {
        const Ext r = std::fmod(Ext(A), TwoPiExtended);
        A = float(r);
        if (A <= -TwoPiSingle)
            A = float(r + TwoPiExtended);
    }
}

void RecaclinDeg(int32_t& A)
{
    // Above 360 repeated subtraction stops at A mod 360 (0 .. 359); below -360 repeated
    // addition stops at the truncated remainder (-359 .. 0), which C++'s % gives.
    if (A > 360 || A < -360)
        A = A % 360;
}

TMyPoint Getintersection(const TMyPoint& A, const TMyPoint& B, const TMyPoint& C, const TMyPoint& D,
                         bool* Parallel)
{
    if (Parallel)
        *Parallel = false;
    const Ext ax = A.X, ay = A.Y, bx = B.X, by = B.Y, cx = C.X, cy = C.Y, dx = D.X, dy = D.Y;

    const bool vertical1 = C.X == A.X;
    const bool vertical2 = D.X == B.X;
    if (vertical1 && vertical2) {
        // Half the difference of the Y values, not a midpoint: width and height of
        // shapes with a zero side are measured through this answer.
        if (Parallel)
            *Parallel = true;
        return TMyPoint(A.X, float((cy - ay) / 2));
    }
    if (vertical1)
        return TMyPoint(A.X, float(by + (ax - bx) * (dy - by) / (dx - bx)));
    if (vertical2)
        return TMyPoint(B.X, float(ay + (bx - ax) * (cy - ay) / (cx - ax)));

    const Ext m1 = (cy - ay) / (cx - ax);
    const Ext m2 = (dy - by) / (dx - bx);
    if (C.Y == A.Y && D.Y == B.Y) {
        // Half the difference of the X values, as for two vertical lines.
        if (Parallel)
            *Parallel = true;
        return TMyPoint(float((cx - ax) / 2), A.Y);
    }
    if (m1 == m2) {
        // No single crossing; A is a point of line 1.
        if (Parallel)
            *Parallel = true;
        return A;
    }
    const Ext x = (m2 * bx - by - m1 * ax + ay) / (m2 - m1);
    const Ext y = ay + (x - ax) * m1;
    return TMyPoint(float(x), float(y));
}

bool IsAtLeftTop(const TMyPoint& A, const TMyPoint& B)
{
    return B.X <= A.X && B.Y <= A.Y;
}

bool IsAtLeftBottom(const TMyPoint& A, const TMyPoint& B)
{
    return B.X <= A.X && B.Y >= A.Y;
}

bool IsAtRightTop(const TMyPoint& A, const TMyPoint& B)
{
    return B.X >= A.X && B.Y <= A.Y;
}

bool IsAtRightBottom(const TMyPoint& A, const TMyPoint& B)
{
    return B.X >= A.X && B.Y >= A.Y;
}

// ---- Arrow heads ----

TMyPoint SplitLine(const TMyPoint& Tip, const TMyPoint& From, double Offset)
{
    return StepTowards(Tip, From, ArrowAxisAngle(Tip, From), Offset);
}

TMyTriangle GetTriangle(const TMyPoint& Tip, const TMyPoint& From, double Alpha, double Length)
{
    const Ext phi = ArrowAxisAngle(Tip, From);
    TMyTriangle head;
    head.Tip = Tip;
    head.Corner1 = StepTowards(Tip, From, phi - Alpha, Length);
    head.Corner2 = StepTowards(Tip, From, phi + Alpha, Length);
    return head;
}

bool PolylineDistanceBelow(const std::vector<TPoint>& Points, TPoint P, double Distance)
{
    const double px = P.X, py = P.Y, limit = Distance * Distance;
    auto below = [&](double x, double y) { return (x - px) * (x - px) + (y - py) * (y - py) < limit; };
    if (Points.size() == 1)
        return below(Points[0].X, Points[0].Y);
    for (size_t k = 0; k + 1 < Points.size(); ++k) {
        const double ax = Points[k].X, ay = Points[k].Y, bx = Points[k + 1].X, by = Points[k + 1].Y;
        const double dx = bx - ax, dy = by - ay, len = dx * dx + dy * dy;
        // The point of the segment nearest to P.
        const double t = len > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len, 0.0, 1.0) : 0.0;
        if (below(ax + t * dx, ay + t * dy))
            return true;
    }
    return false;
}
