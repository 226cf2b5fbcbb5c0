#pragma once
// TMyFreeLine: a free-hand line recorded from the mouse movements; handled as a whole
// (one frame hot, box hit test) rather than point by point.
#include "mycad_export.h"
#include "component/shapes/MyPolyLine.h"

class MYCAD_EXPORT TMyFreeLine : public TMyPolyLine {
    Q_OBJECT

public:
    explicit TMyFreeLine(TMyCAD* OwnerCAD) : TMyPolyLine(OwnerCAD) {}

    // The segment From-To in the line's own pen, left on the canvas until the next
    // repaint (the stroke grows as the mouse moves).
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // The box of the points offset by To - From.
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // True as soon as there is more than one point.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // A red frame around the points' box.
    void DrawHot(TCanvas* Canvas) override;
    // Inside the points' box.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;
};
