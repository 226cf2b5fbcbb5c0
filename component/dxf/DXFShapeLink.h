#pragma once
// Where DXF export and import need what a shape kind computes about itself: the figure a
// circle-mode arc draws, its centre and export parameters, and the layout of a text box.
// Each function here stands for the shape's own operation of the same name; until the
// kind provides it, the function computes it from the shape's published state by the
// rules of that kind (DXFShapeLink.cpp).
#include "mycad_export.h"
#include "component/base/MyTypes.h"

#include <cstdint>
#include <vector>

class TCanvas;
class TMyCAD;
class TMyElliArc;
class TMyText;

namespace DXFShapeLink {

// What a circle-mode arc draws from its three points at zoom 1: nothing (the three
// points define no circle), one straight segment from P0 to P2, or an arc of the circle
// through them running clockwise on the screen from P0 to P2 (FromStart) or from P2 to
// P0 (the drawing's second pass, which covers the other side of the circle).
struct TArcFigure {
    enum TKind { None, Segment, Arc };
    TKind Kind = None;
    bool FromStart = true;
};
MYCAD_EXPORT TArcFigure ArcFigure(const TMyElliArc& Arc);

// The arc's centre point in document units: in circle mode the centre of the circle
// through its three points (the middle of P0 and P2 when they lie on one line), in
// ellipse mode the stored centre point. TMyElliArc::GetCenterPoint.
MYCAD_EXPORT TMyPoint ArcCentre(const TMyElliArc& Arc);

// TMyCAD::GetRA1A2By3Points: the export parameters of an arc in a frame whose y axis
// points up. The points are taken as (x, Height - y); Centre is given in that frame
// already. R is the distance of P0 from the centre, A1 the angle of P2 and A2 that of P0
// in degrees.
MYCAD_EXPORT void GetRA1A2By3Points(double Height, TMyPoint P0, TMyPoint P1, TMyPoint P2, TMyPoint Centre,
                                    double& R, double& A1, double& A2);

// TMyText::GetPathPoints: the glyph outlines of the laid-out text as flattened path
// vertices in screen pixels with their path kinds. False when the text shape gives no
// outline; the export then writes the text as TEXT entities.
MYCAD_EXPORT bool GetPathPoints(const TMyText& Text, TCanvas* Canvas, TArrPoint& Points,
                                std::vector<uint8_t>& Kinds);

// TMyText::reCaclpoints: fits the box to the single-line Info text in the shape's font at
// scale 1, keeping P0, turned back to angle 0 and forward again about its centre.
MYCAD_EXPORT void reCaclpoints(TMyText& Text, TCanvas* Canvas);

} // namespace DXFShapeLink
