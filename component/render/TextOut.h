#pragma once
// Text drawn and measured with a font built from a shape's font at a scale and an angle:
// the character height is font size x scale pixels (the point size taken as a pixel
// count) and a positive angle (radians) turns the text clockwise on screen.
#include "mycad_export.h"
#include "platform/Canvas.h"

#include <QFont>
#include <QString>

// Draws the text with its top-left corner at (X, Y) in the font's colour, antialiased,
// on a transparent background; with the glyphs Prepared keeps for it, when given (see
// TCanvas::TextOut).
MYCAD_EXPORT void MyLogTextOut(TCanvas* Canvas, int X, int Y, const QString& Text, const TFont* AFont, double Scale,
                               double Angle, TPreparedText* Prepared = nullptr);
// The text's width and height in pixels with the same font.
MYCAD_EXPORT TSize GetTextWidthHeight(TCanvas* Canvas, const QString& Text, const TFont* AFont, double Scale, double Angle);
// Selects the font GetTextWidthHeight measures with into the canvas and returns it as the
// Qt font behind those measurements: a text's width is exactly
// QFontMetrics(font).horizontalAdvance(text) and its height QFontMetrics(font).height().
// Layouts that measure many pieces of one text use it to measure without the canvas.
MYCAD_EXPORT QFont GetTextMeasureFont(TCanvas* Canvas, const TFont* AFont, double Scale, double Angle);
// True when the current printer prints in two colours only.
MYCAD_EXPORT bool IsBlackWhitePrinter();
