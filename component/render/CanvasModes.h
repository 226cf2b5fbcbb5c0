#pragma once
// Canvas set-ups shared by the shapes and the mouse: each sets the canvas's pen, brush
// and pen mode for one kind of drawing.
#include "mycad_export.h"
#include "platform/Canvas.h"

class TMyShape;

// Hots: a black one-pixel outline filled with the hot colour.
MYCAD_EXPORT void SetDrawHotMode(TCanvas* Canvas);
// Hots of locked shapes: as SetDrawHotMode with a grey fill.
MYCAD_EXPORT void SetDrawLockedHotMode(TCanvas* Canvas);
// The rubber band of a shape being drawn, dragged, resized or rotated: a dotted white
// exclusive-or pen and no fill, so that drawing it again removes it.
MYCAD_EXPORT void SetDragResizeRotateShapeMode(TCanvas* Canvas);
// Filled arrow heads: the shape's font and pen, the fill in the pen's colour.
MYCAD_EXPORT void SetDrawTriangleMode(TCanvas* Canvas, const TMyShape* Shape);
// The shape's pen and brush, for the screen or (in grey on a two-colour printer) for paper.
MYCAD_EXPORT void SetDrawShapeMode(const TMyShape* Shape, TCanvas* Canvas);
