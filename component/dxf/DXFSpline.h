#pragma once
// B-spline curves of the DXF import as chains of cubic Bezier pieces: the start point,
// then two control points and an end point per piece (the layout of a poly-Bezier shape).
#include "mycad_export.h"
#include "component/dxf/DXFGeometry.h"

#include <vector>

// The curve of a SPLINE: degree, knot vector, control points and weights (empty, or one
// per control point). A knot vector that does not fit (wrong length, decreasing, not
// finite) is replaced by a clamped uniform one. Non-rational curves of degree 1 to 3 are
// converted exactly; rational ones and higher degrees are sampled along every knot span
// and joined smoothly. False, with Out empty, when there is no curve (fewer control
// points than degree + 1, a degree outside 1 to 11).
MYCAD_EXPORT bool SplineToBezier(int Degree, const std::vector<double>& Knots, const std::vector<TVec2>& Control,
                                 const std::vector<double>& Weights, std::vector<TVec2>& Out);
// A smooth chain of cubic pieces through the points (Catmull-Rom tangents, the ends
// clamped); a single point gives that point alone.
MYCAD_EXPORT void BezierThrough(const std::vector<TVec2>& Points, std::vector<TVec2>& Out);
