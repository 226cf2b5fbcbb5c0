#pragma once
// Helpers of the text tests: text boxes on a drawing that does not own them, the box of
// the ink in a picture, and the literal prefix-by-prefix wrapping the layout must match.
#include "component/CAD.h"

#include <QImage>
#include <QStringList>
#include <memory>

// A text box with the corners (x1, y1) top-left and (x2, y2) bottom-right in document
// units, in DejaVu Sans of the given size, black.
std::unique_ptr<TMyText> MakeText(TMyCAD& cad, float x1, float y1, float x2, float y2, int size = 20);

// The box of the pixels that differ from white (Right and Bottom inclusive).
struct TInk {
    int Left = INT32_MAX, Top = INT32_MAX, Right = -1, Bottom = -1;
    bool Any() const { return Right >= 0; }
    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
};
TInk InkOf(const QImage& image);
// The picture of the shape drawn on a white picture of the given size.
QImage Drawn(TMyShape& shape, int width, int height);
// The number of pixels that differ.
int DifferingPixels(const QImage& a, const QImage& b);

// Wrapping by the rule itself: every prefix measured with GetTextWidthHeight.
QStringList LiteralWrap(TCanvas& canvas, const QString& line, int width, const TFont& font, double scale);
