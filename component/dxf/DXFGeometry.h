#pragma once
// Plane geometry of the DXF import: homogeneous points and rectangles, affine maps, the
// axes of an ellipse given by a linear map, bulge arcs, and cubic Bezier pieces of
// elliptic arcs. Plain values in double precision, in DXF coordinates unless noted.
#include "mycad_export.h"

#include <vector>

// A homogeneous point: (X / W, Y / W) when W is neither 0 nor 1.
struct MYCAD_EXPORT TPoint2D {
    double X = 0;
    double Y = 0;
    double W = 1;
};

struct MYCAD_EXPORT TRect2D {
    TPoint2D FirstEdge;
    TPoint2D SecondEdge;
};

// Divides X and Y by W when W is neither 0 nor 1, and sets W to 1.
MYCAD_EXPORT TPoint2D CartesianPoint2D(const TPoint2D& P);
MYCAD_EXPORT TRect2D CartesianRect2D(const TRect2D& R);
// Converts both points and swaps coordinates so that the first point holds the smaller X
// and the smaller Y.
MYCAD_EXPORT TRect2D ReorderRect2D(const TRect2D& R);

struct MYCAD_EXPORT TVec2 {
    double X = 0;
    double Y = 0;
};

// x' = A x + B y + C, y' = D x + E y + F.
struct MYCAD_EXPORT TAffine2D {
    double A = 1, B = 0, C = 0;
    double D = 0, E = 1, F = 0;

    TVec2 Map(TVec2 P) const { return {A * P.X + B * P.Y + C, D * P.X + E * P.Y + F}; }
    // The linear part only (directions and lengths).
    TVec2 MapVector(TVec2 V) const { return {A * V.X + B * V.Y, D * V.X + E * V.Y}; }
    bool IsIdentity() const { return A == 1 && B == 0 && C == 0 && D == 0 && E == 1 && F == 0; }
    // This map applied after Inner.
    TAffine2D After(const TAffine2D& Inner) const;
    static TAffine2D Translation(double X, double Y) { return {1, 0, X, 0, 1, Y}; }
    static TAffine2D Scaling(double X, double Y) { return {X, 0, 0, 0, Y, 0}; }
    static TAffine2D Rotation(double Radians);
};

// The ellipse {Centre + U cos t + V sin t}, where U and V are the columns of a linear
// map, by its semi-axes and the direction of its major axis (radians, in (-pi/2, pi/2]).
struct MYCAD_EXPORT TEllipseAxes {
    double Major = 0;
    double Minor = 0;
    double Angle = 0;
};
MYCAD_EXPORT TEllipseAxes EllipseAxes(TVec2 U, TVec2 V);

// The point half way along the arc from P1 to P2 whose bulge (the tangent of a quarter of
// its included angle, positive counter-clockwise) is Bulge.
MYCAD_EXPORT TVec2 BulgeMiddle(TVec2 P1, TVec2 P2, double Bulge);

// The counter-clockwise turn from angle Start to angle End (radians), in (0, 2 pi]: an
// end at or before the start is reached going round once more, a turn of more than a
// whole one is a whole one. Found without stepping, so angles of any size are safe.
MYCAD_EXPORT double CounterClockwiseTurn(double Start, double End);

// Cubic Bezier pieces of the elliptic arc Centre + Major cos t + Minor sin t for t from
// Start to End (radians, End > Start), at most a quarter turn each: Out receives the
// start point and then three points per piece.
MYCAD_EXPORT void EllipticArcBezier(TVec2 Centre, TVec2 Major, TVec2 Minor, double Start, double End,
                                    std::vector<TVec2>& Out);
// Points along the same arc, one every Step radians at most (both ends included).
MYCAD_EXPORT void EllipticArcPoints(TVec2 Centre, TVec2 Major, TVec2 Minor, double Start, double End,
                                    double Step, std::vector<TVec2>& Out);
