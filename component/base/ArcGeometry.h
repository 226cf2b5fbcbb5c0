#pragma once
// The figures of elliptic-arc shapes, as point lists in screen pixels, computed in one
// place for drawing, rubber bands, hit tests, extents and export.
//
// Circle mode: the arc of the circle through A (start), B (on the way) and E (end),
// stepped clockwise from the start (or, when the middle point lies the other way round,
// from the end), closed for a chord or a sector. Nearly straight triples (E within 3
// pixels of the line A-B, unless E is within 4 pixels of B) give the segment A-E; a triple
// on no circle gives nothing.
//
// Ellipse mode: a conic from A to E with corner B.
//
// The number of points is bounded (at most kMaxArcPoints): arcs of ordinary size give
// their full stepping; huge radii (nearly collinear points) are stepped more coarsely, so
// that every arc draws and hit-tests in bounded time and memory.
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "mycad_export.h"
#include "platform/Types.h"

#include <vector>

constexpr int kMaxArcPoints = 8192;

struct MYCAD_EXPORT TArcFigure {
    enum class TKind { Nothing, Segment, Points };
    TKind Kind = TKind::Nothing;
    // Segment: A and E. Points: the polyline to draw, closed for a chord or a sector.
    std::vector<TPoint> Points;
    // Whether the polyline encloses a region to fill (chord and sector).
    bool Closed = false;
    // The circle, when one was found.
    double Cx = 0, Cy = 0, R = 0;
    // Whether the stepping started at the end point (the second pass).
    bool FromEnd = false;
};

// The circle-mode figure of A, B, E in the given style.
MYCAD_EXPORT TArcFigure CircleArcFigure(TPoint A, TPoint B, TPoint E, TArcStyle Style);
// The ellipse-mode polyline: A, the curve's points, E.
MYCAD_EXPORT std::vector<TPoint> EllipseArcPoints(TPoint A, TPoint B, TPoint E);
// The centre of the circle through three points (floating point); false when they lie on
// a line.
MYCAD_EXPORT bool CircleCentre(double Ax, double Ay, double Bx, double By, double Ex, double Ey, double& Cx,
                               double& Cy);

// The export parameters of an arc in a frame whose y axis points up: the points are
// taken as (x, Height - y), Centre is given in that frame already. R is the distance of
// P0 from the centre, A1 the angle of P2 and A2 that of P0, in degrees; exchanging the
// ends makes the exported arc run counter-clockwise from A1 to A2.
MYCAD_EXPORT void ArcExportParameters(double Height, TMyPoint P0, TMyPoint P2, TMyPoint Centre, double& R,
                                      double& A1, double& A2);
