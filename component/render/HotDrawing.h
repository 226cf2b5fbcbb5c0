#pragma once
// Grab handles ("hots") of shapes and the marks of link points, drawn in screen pixels.
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "platform/Canvas.h"

class TMyShape;

// One hot of a shape at P: a square (a circle while rotating), smaller for group
// members, grey for locked shapes; nothing while the drawing hides hots.
MYCAD_EXPORT void DrawSquare(const TMyShape* Shape, TCanvas* Canvas, TMyPoint P);
// The blue X that marks a link point, its arms 2.5 pixels times Scale.
MYCAD_EXPORT void DrawLinkSquare(TCanvas* Canvas, TMyPoint P, double Scale = 1);
// The marks of every link point of the shape, when the drawing shows hots and link hots.
MYCAD_EXPORT void DrawLinkHot(const TMyShape* Shape, TCanvas* Canvas);
// The diamond hot of the caption point (nothing for text shapes or shapes without
// caption text). The colour is not used.
MYCAD_EXPORT void DrawDiamond(const TMyShape* Shape, TCanvas* Canvas, TMyPoint P, TColor Color);
// A straight stroke from A to B with the canvas's current pen.
MYCAD_EXPORT void LineDraw(const TMyShape* Shape, TCanvas* Canvas, TMyPoint A, TMyPoint B);
