#pragma once
// Free geometry functions of the drawing component: conversions between float and
// integer points and rectangles, distances, slope angles, rotation, angle reduction,
// line intersection, relative position tests and arrow-head geometry.
//
// Coordinates are y-down (screen orientation): a positive angle turns clockwise on the
// screen. Every conversion to integers rounds half to even (Round, platform/Rounding.h).
// Where a computation is said to be done in extended precision it is done in long
// double and the result stored as 32-bit floats.
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "component/base/PointArrays.h"
#include "platform/Types.h"

#include <cstdint>
#include <numbers>
#include <vector>

// pi and 2 pi in extended precision; TwoPiSingle is 2 pi stored as a 32-bit float, the
// limit that RecaclinRad keeps angles within.
inline constexpr long double PiExtended = std::numbers::pi_v<long double>;
inline constexpr long double TwoPiExtended = 2 * std::numbers::pi_v<long double>;
inline constexpr float TwoPiSingle = float(2 * std::numbers::pi_v<long double>);

// ---- Conversions ----

// The point (X, Y).
MYCAD_EXPORT TMyPoint MyPoint(float X, float Y);
// Both coordinates rounded half to even.
MYCAD_EXPORT TPoint MyPtToPt(const TMyPoint& P);
// The same coordinates as floats.
MYCAD_EXPORT TMyPoint PtToMyPt(const TPoint& P);
// All four values rounded half to even.
MYCAD_EXPORT TRect myRecttoRect(const TMyRect& R);
// The normalised rectangle spanned by two points: (smaller x, smaller y, larger x, larger y).
MYCAD_EXPORT TRect PtToARect(const TPoint& A, const TPoint& B);
// R grown by N on each side (N may be negative); R unchanged when a side would leave
// the 32-bit integer range.
MYCAD_EXPORT TRect ExpandRect(const TRect& R, int32_t N);
// Whether P lies closer than Distance (Euclidean) to the polyline through Points (to its
// one point when it has only one).
MYCAD_EXPORT bool PolylineDistanceBelow(const std::vector<TPoint>& Points, TPoint P, double Distance);
// Whether P lies in R, left and top edges included, right and bottom excluded.
inline bool PtInRect(const TRect& R, TPoint P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
// Adds DX to Left and Right, DY to Top and Bottom.
MYCAD_EXPORT void OffsetMyRect(TMyRect& R, double DX, double DY);

// ---- Measures and angles ----

// Euclidean distance from A to B.
MYCAD_EXPORT float GetLengthinPixel(const TMyPoint& A, const TMyPoint& B);
// 1 when B.X > A.X, else -1.
MYCAD_EXPORT int32_t PointInQuadrantX(const TMyPoint& A, const TMyPoint& B);
// 1 when B.Y > A.Y, else -1.
MYCAD_EXPORT int32_t PointInQuadrantY(const TMyPoint& A, const TMyPoint& B);
// Direction of A seen from B, in [0, 2 pi), from +X towards +Y (clockwise on screen):
// east 0, south pi/2, west pi, north 3 pi/2. A point straight below or above B gives
// pi/2 or 3 pi/2; A = B gives pi/2.
MYCAD_EXPORT double GetSlopeAngle(const TMyPoint& A, const TMyPoint& B);
// P rotated about C by Theta radians (clockwise on screen for positive Theta).
MYCAD_EXPORT TMyPoint RotateAPoint(const TMyPoint& P, const TMyPoint& C, float Theta);
// Removes whole turns from an angle beyond +-2 pi: above 2 pi the result is below 2 pi
// and not negative; below -2 pi it is above -2 pi and not positive. Angles within
// [-2 pi, 2 pi] (limits included, the limit being 2 pi as a float) and non-finite
// values are left alone.
MYCAD_EXPORT void RecaclinRad(float& A);
// The same in whole degrees with 360: 720 -> 0, 360 -> 360, -400 -> -40.
MYCAD_EXPORT void RecaclinDeg(int32_t& A);
// The crossing of line 1 through A and C with line 2 through B and D, in extended
// precision. The special answers are fixed behaviour that callers rely on:
// - both lines vertical: (A.X, (C.Y - A.Y) / 2);
// - both lines horizontal: ((C.X - A.X) / 2, A.Y);
// - both lines slanted with equal slopes: A.
// Parallel, when given, is set true in these three cases (the lines do not cross in a
// single point) and false otherwise.
MYCAD_EXPORT TMyPoint Getintersection(const TMyPoint& A, const TMyPoint& B, const TMyPoint& C, const TMyPoint& D,
                         bool* Parallel = nullptr);
// Position of B relative to A, edges included.
MYCAD_EXPORT bool IsAtLeftTop(const TMyPoint& A, const TMyPoint& B);     // B.X <= A.X and B.Y <= A.Y
MYCAD_EXPORT bool IsAtLeftBottom(const TMyPoint& A, const TMyPoint& B);  // B.X <= A.X and B.Y >= A.Y
MYCAD_EXPORT bool IsAtRightTop(const TMyPoint& A, const TMyPoint& B);    // B.X >= A.X and B.Y <= A.Y
MYCAD_EXPORT bool IsAtRightBottom(const TMyPoint& A, const TMyPoint& B); // B.X >= A.X and B.Y >= A.Y

// ---- Arrow heads (screen pixels held as floats) ----

// The tip pulled back by Offset along the line towards From. With
// theta = |arctan((Tip.X - From.X) / (Tip.Y - From.Y))|, or pi/2 when Tip.Y = From.Y,
// the result is (Tip.X -+ sin(theta) * Offset, Tip.Y -+ cos(theta) * Offset), the minus
// sign on an axis where Tip exceeds From, the plus sign otherwise.
MYCAD_EXPORT TMyPoint SplitLine(const TMyPoint& Tip, const TMyPoint& From, double Offset);

// An arrow head: the tip and the two base corners, in polygon order.
struct MYCAD_EXPORT TMyTriangle {
    TMyPoint Tip;
    TMyPoint Corner1;
    TMyPoint Corner2;
};
// The isosceles arrow head with its tip at Tip and its axis pointing back towards From:
// each side Length long, at -Alpha and +Alpha (radians) about the axis. With
// phi = |arctan((Tip.X - From.X) / (Tip.Y - From.Y))| (pi/2 when Tip.Y = From.Y),
// corner 1 uses angle phi - Alpha and corner 2 phi + Alpha, each placed as in SplitLine.
MYCAD_EXPORT TMyTriangle GetTriangle(const TMyPoint& Tip, const TMyPoint& From, double Alpha, double Length);
