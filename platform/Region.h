#pragma once
// Regions: sets of pixels made from rectangles and polygons, for hit testing (PtInRegion),
// filling (TCanvas::FillRgn) and clipping (TCanvas::SelectClipRgn).
//
// Pixel rule: the pixel (x, y) belongs to a polygon region when its centre (x + 0.5,
// y + 0.5) lies inside the polygon under the region's fill mode (ALTERNATE or WINDING);
// a rectangle region (Left, Top, Right, Bottom) holds Left..Right-1 by Top..Bottom-1.
// PtInRegion and the pixels a canvas paints or clips to are computed by the same scan
// conversion, so a hit test agrees with what FillRgn shows, pixel for pixel.
//
// Polygon regions keep their vertices and are turned into pixels only inside the window
// a canvas needs (its device or clip box), so a huge polygon costs no memory; combined
// regions are kept as an expression of their operands. Regions are cheap to copy
// (immutable, shared parts).
#include "mycad_export.h"
#include "GraphicsTypes.h"
#include "Types.h"

#include <QRegion>
#include <memory>
#include <vector>

class MYCAD_EXPORT TRegion {
public:
    // The empty region.
    TRegion();

    static TRegion FromRect(const TRect& rect);
    // A closed polygon (the last vertex joins the first); fillMode ALTERNATE or WINDING
    // (anything else counts as ALTERNATE).
    static TRegion FromPolygon(const std::vector<TPoint>& points, int fillMode);
    // Several closed polygons filled together under one fill mode.
    static TRegion FromPolyPolygon(const std::vector<std::vector<TPoint>>& polygons, int fillMode);
    static TRegion FromQRegion(const QRegion& region);

    bool PtInRegion(int x, int y) const;
    bool PtInRegion(const TPoint& p) const { return PtInRegion(p.X, p.Y); }

    // A rectangle holding every pixel of the region (not always the smallest one).
    TRect BoundsRect() const;
    // The smallest rectangle holding the region's pixels and NULLREGION, SIMPLEREGION or
    // COMPLEXREGION (the GDI region box). Regions over 2^26 pixels of bounds are
    // reported as COMPLEXREGION with BoundsRect().
    int GetRgnBox(TRect& box) const;

    // Moves the region by (dx, dy).
    void Offset(int dx, int dy);

    // The region's pixels inside the window, as a Qt region.
    QRegion ToQRegion(const QRect& window) const;

    // Makes this region a combination of a and b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF;
    // RGN_COPY copies a). Returns the kind of the result (NULLREGION...), RGN_ERROR for
    // an unknown mode (the region is then unchanged).
    int Combine(const TRegion& a, const TRegion& b, int mode);

    struct Node;

private:
    explicit TRegion(std::shared_ptr<const Node> node);
    std::shared_ptr<const Node> FNode;
};

// The GDI-style functions over regions.
MYCAD_EXPORT TRegion CreateRectRgn(int left, int top, int right, int bottom);
MYCAD_EXPORT TRegion CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode);
MYCAD_EXPORT TRegion CreatePolyPolygonRgn(const std::vector<std::vector<TPoint>>& polygons, int fillMode);
MYCAD_EXPORT int CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, int mode);
MYCAD_EXPORT bool PtInRegion(const TRegion& region, int x, int y);
MYCAD_EXPORT void OffsetRgn(TRegion& region, int dx, int dy);
