// TMyLine: drawing with arrow heads, and the rubber bands of drawing, dragging, resizing
// and rotating (screen pixels).
#include "component/shapes/MyLine.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "component/render/HotDrawing.h"

#include <bit>
#include <cstdint>
#include <numbers>

namespace {
TMyPoint Offset(TMyPoint p, double dx, double dy)
{
    return TMyPoint(float(p.X + dx), float(p.Y + dy));
}

void Segment(TCanvas* canvas, TPoint a, TPoint b)
{
    canvas->MoveTo(a.X, a.Y);
    canvas->LineTo(b.X, b.Y);
}
} // namespace

void TMyLine::DrawTriangle(TCanvas* Canvas, TMyPoint Tip, TMyPoint From)
{
    if (!Canvas)
        return;
    const TMyPoint tip = SplitLine(Tip, From, FArrowOffset);
    const double alpha = FArrowAngle * std::numbers::pi / 180;
    const TMyTriangle head = GetTriangle(tip, From, alpha, ArrowHeadLength());
    Canvas->Polygon({MyPtToPt(head.Tip), MyPtToPt(head.Corner1), MyPtToPt(head.Corner2)});
}

void TMyLine::DrawSegments(TCanvas* Canvas)
{
    SetDrawShapeMode(this, Canvas);
    SetPS(Canvas, Pen()->Style(), Pen()->Color(), Pen()->Width());
    for (int k = 0; k + 1 < GetPointsCount(); ++k)
        LineDraw(this, Canvas, GetPointInZoom(k), GetPointInZoom(k + 1));
}

void TMyLine::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    DrawSegments(Canvas);
    const int n = GetPointsCount();
    if (n >= 2) {
        // The angle follows the direction of the first segment.
        const TMyPoint from = GetPointInZoom(0), to = GetPointInZoom(1);
        // Compared bit for bit: a zero's sign can turn the angle.
        const auto same = [](TMyPoint a, TMyPoint b) {
            return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
        };
        if (!same(from, FSlopeFrom) || !same(to, FSlopeTo)) {
            float angle = float(GetSlopeAngle(to, from));
            RecaclinRad(angle);
            FSlopeFrom = from;
            FSlopeTo = to;
            FSlopeAngle = angle;
        }
        StoreAngle(FSlopeAngle);
        if (ArrowStyle() != ANone)
            SetDrawTriangleMode(Canvas, this);
        const TMyPoint first = GetPointInZoom(0), second = GetPointInZoom(1);
        const TMyPoint last = GetPointInZoom(n - 1), beforeLast = GetPointInZoom(n - 2);
        if (ArrowStyle() == ALeft || ArrowStyle() == ADouble)
            DrawTriangle(Canvas, last, beforeLast);
        if (ArrowStyle() == ARight || ArrowStyle() == ADouble)
            DrawTriangle(Canvas, first, second);
    }
    SetDrawShapeMode(this, Canvas);
    DrawInfo(Canvas);
    Canvas->DeselectGeometricPen();
}

// ---- Rubber bands (the caller sets the exclusive-or mode, except for Drawing) ----------

void TMyLine::Drawing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    SetDragResizeRotateShapeMode(Canvas);
    Segment(Canvas, From, To);
}

void TMyLine::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    const double dx = double(To.X) - From.X, dy = double(To.Y) - From.Y;
    for (int k = 0; k + 1 < GetPointsCount(); ++k)
        Segment(Canvas, MyPtToPt(Offset(GetPointInZoom(k), dx, dy)), MyPtToPt(Offset(GetPointInZoom(k + 1), dx, dy)));
}

void TMyLine::Sizing(TCanvas* Canvas, TPoint From, TPoint To)
{
    const int h = FCurrentHot;
    const int n = GetPointsCount();
    if (!Canvas || h < 0 || h >= n)
        return;
    const TPoint moved = MyPtToPt(Offset(GetPointInZoom(h), double(To.X) - From.X, double(To.Y) - From.Y));
    if (h >= 1)
        Segment(Canvas, moved, MyPtToPt(GetPointInZoom(h - 1)));
    if (h + 1 < n)
        Segment(Canvas, moved, MyPtToPt(GetPointInZoom(h + 1)));
}

void TMyLine::Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle)
{
    if (!Canvas)
        return;
    for (int k = 0; k + 1 < GetPointsCount(); ++k)
        Segment(Canvas, MyPtToPt(RotateAPoint(GetPointInZoom(k), Centre, AAngle)),
                MyPtToPt(RotateAPoint(GetPointInZoom(k + 1), Centre, AAngle)));
}
