#pragma once
// Building the entries of the starter shape library from the component's shape kinds.
//
// Each entry is drawn in its own box from (0, 0) to (W, H), W and H powers of two, with
// every coordinate on a grid of 1/16 unit: so the unit-box coordinates the library stores
// are exact, and reading an entry and writing it again gives the same bytes. Link-point
// shapes on the box's sides let connectors attach to the placed shape at once.
#include "component/CAD.h"

#include <memory>
#include <vector>

class TStarterEntry {
public:
    TStarterEntry(TMyCAD& Drawing, const QString& Name, int W, int H, const QString& Category,
                  const QString& Description);

    // The style of the shapes added next: fill and outline colours.
    TStarterEntry& Fill(TColor Color);
    TStarterEntry& Outline(TColor Color, int Width = 1);

    TStarterEntry& Rect(double X1, double Y1, double X2, double Y2);
    TStarterEntry& Ellipse(double X1, double Y1, double X2, double Y2);
    TStarterEntry& Line(double X1, double Y1, double X2, double Y2);
    // A closed, filled outline (the first point is repeated at the end).
    TStarterEntry& Polygon(const TArrMyPoint& Points);
    TStarterEntry& PolyLine(const TArrMyPoint& Points);
    // A link point centred on (X, Y); Sides adds the middles of the four sides.
    TStarterEntry& Link(double X, double Y);
    TStarterEntry& Sides();

    int Width() const { return FW; }
    int Height() const { return FH; }
    // Appends the entry; false when its shapes do not span the box exactly or the library
    // refuses it.
    bool AppendTo(TLibManager& Library) const;

private:
    TMyShape* Add(const QString& ClassName, TArrMyPoint Points, bool Filled);

    TMyCAD& FDrawing;
    QString FName;
    int FW, FH;
    TUserData FUserData;
    TColor FFill = clWhite;
    TColor FOutline = clBlack;
    int FOutlineWidth = 1;
    std::vector<std::unique_ptr<TMyShape>> FShapes;
};

// A point on the grid of the entries.
TMyPoint GridPoint(double X, double Y);
// Points along an ellipse arc: centre, radii, angles in degrees (y grows downwards, angle
// 90 is the bottom), Steps segments.
TArrMyPoint ArcPoints(double CX, double CY, double RX, double RY, double From, double To, int Steps);
// Points mapped so that their bounding box becomes (0, 0) .. (W, H).
TArrMyPoint FitToBox(const TArrMyPoint& Points, int W, int H);
