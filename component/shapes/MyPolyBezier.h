#pragma once
// TMyPolyBezier: a chain of cubic Bezier segments. Points: P0, then per segment two
// control points and an end point, so a complete curve has 3m + 1 points; numbers
// divisible by 3 lie on the curve. While the user clicks, every join is placed half-way
// between its two control points; moving a control point swings the opposite one about
// the join.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyPolyBezier : public TMyShape {
    Q_OBJECT

public:
    explicit TMyPolyBezier(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}

    // ---- Overridden operations (screen pixels unless noted) --------------------------------
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Squares at every point, the grey handle lines through the joins, the caption diamond.
    void DrawHot(TCanvas* Canvas) override;
    // The curve so far, its last segment completed with copies of To.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // A double click ends the curve; it is padded with the click point to 3m + 1 points.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle) override;
    // Moves the hot point: a join carries its two control points, a control point swings
    // the opposite one about their join.
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Appends the click; every control point clicked after the first segment's makes the
    // join before it the middle of its two control points.
    void AddPointByMouse(TPoint P) override;
    // Stroked with the pen, filled with the brush unless it is clear; caption.
    void Draw(TCanvas* Canvas) override;
    int InWhichHot(TPoint P) override;
    // Within 10 pixels of the flattened curve.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;

    static TMyPoint LineCenterPoint(TMyPoint A, TMyPoint B);
    static TPoint LineCenterPoint(TPoint A, TPoint B);
    // The curve through these control points (3m + 1 used) as a polyline.
    static std::vector<TPoint> Flatten(const std::vector<TPoint>& Points);

private:
    // The points in zoom, rounded, cut to the longest complete curve (3m + 1 points).
    std::vector<TPoint> CurvePoints() const;
    // The points in zoom after moving hot H by (dx, dy) as the hot rules say, and the two
    // ends of the handle line that moves with it (both -1 when none).
    bool MovedPoints(int H, double dx, double dy, TMyPoint From, TMyPoint To, std::vector<TMyPoint>& Out,
                     int& HandleA, int& HandleB) const;
};
