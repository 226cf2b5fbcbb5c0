#pragma once
// Helpers for the shape-kind tests: shapes built point by point on a drawing that does
// not own them, a white picture to draw them into, and pixel comparisons.
#include "support/DrawingTestSupport.h"

#include <QImage>
#include <memory>

// A shape of kind T on the drawing (not added to it) with the given screen points.
template <class T>
std::unique_ptr<T> MakeShape(TMyCAD& cad, std::initializer_list<TMyPoint> points)
{
    auto shape = std::make_unique<T>(&cad);
    for (const TMyPoint& p : points)
        shape->AddPoint(p);
    shape->Drawed(TPoint(), TPoint());
    return shape;
}

// A box shape of kind T drawn with the mouse from (x1, y1) to (x2, y2) (screen pixels).
template <class T>
std::unique_ptr<T> MakeBox(TMyCAD& cad, int x1, int y1, int x2, int y2)
{
    auto shape = std::make_unique<T>(&cad);
    shape->AddPointByMouse(TPoint(x1, y1));
    shape->AddPointByMouse(TPoint(x2, y2));
    shape->Drawed(TPoint(x1, y1), TPoint(x2, y2));
    return shape;
}

// A white 24-bit picture of the given size.
inline std::unique_ptr<TBitmap> WhitePicture(int width, int height)
{
    return std::make_unique<TBitmap>(width, height);
}

// The number of pixels in which two pictures of the same size differ.
int DifferingPixels(const QImage& a, const QImage& b);
// Whether some pixel of the rectangle (right and bottom exclusive) is not white.
bool AnyInk(TBitmap& picture, const TRect& r);
// Whether the pixel is dark (each of red, green and blue below 128).
bool IsDark(TColor c);
