// TMyElliArc: drawing, rubber bands, hots and hit tests of the arc. Points are screen
// pixels unless noted.
#include "component/shapes/MyElliArc.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/HotDrawing.h"
#include "platform/Region.h"

#include <algorithm>
#include <cmath>

TMyElliArc::TMyElliArc(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD)
{
    if (OwnerCAD)
        FArcMode = OwnerCAD->ArcMode();
}

void TMyElliArc::Assign(const TMyShape* Source)
{
    TMyShape::Assign(Source);
    const auto* arc = dynamic_cast<const TMyElliArc*>(Source);
    if (!arc || arc == this)
        return;
    FArcMode = arc->FArcMode;
    FArcStyle = arc->FArcStyle;
}

void TMyElliArc::SetArcMode(TArcMode v)
{
    if (v == FArcMode)
        return;
    FArcMode = v;
    FigureChanged();
}

void TMyElliArc::SetArcStyle(TArcStyle v)
{
    if (v == FArcStyle)
        return;
    FArcStyle = v;
    FigureChanged();
}

void TMyElliArc::FigureChanged()
{
    ExtentChanged();
}

// ---- The figure ----------------------------------------------------------------------------------

std::vector<TPoint> TMyElliArc::FigurePoints(TPoint A, TPoint B, TPoint E) const
{
    if (FArcMode == amEllipse)
        return EllipseArcPoints(A, B, E);
    return CircleArcFigure(A, B, E, FArcStyle).Points;
}

namespace {
void StrokeList(TCanvas* Canvas, const std::vector<TPoint>& Points)
{
    if (Points.empty())
        return;
    Canvas->MoveTo(Points.front().X, Points.front().Y);
    for (size_t k = 1; k < Points.size(); ++k)
        Canvas->LineTo(Points[k].X, Points[k].Y);
}
} // namespace

void TMyElliArc::DrawArc(TCanvas* Canvas, TPoint A, TPoint B, TPoint E, bool Fill)
{
    if (!Canvas)
        return;
    const TArcFigure fig = CircleArcFigure(A, B, E, FArcStyle);
    if (fig.Kind == TArcFigure::TKind::Nothing)
        return;
    if (fig.Closed && Fill)
        Canvas->FillRgn(TRegion::FromPolygon(fig.Points, ALTERNATE), *Brush());
    StrokeList(Canvas, fig.Points);
}

void TMyElliArc::DrawElliArc(TCanvas* Canvas, TPoint A, TPoint B, TPoint E)
{
    if (Canvas)
        StrokeList(Canvas, EllipseArcPoints(A, B, E));
}

bool TMyElliArc::ThreePoints(TPoint& A, TPoint& B, TPoint& E) const
{
    const int n = GetPointsCount();
    if (n == 0)
        return false;
    A = MyPtToPt(GetPointInZoom(0));
    B = MyPtToPt(GetPointInZoom(std::min(n - 1, 1)));
    E = MyPtToPt(GetPointInZoom(std::min(n - 1, 2)));
    return true;
}

void TMyElliArc::DrawFigure(TCanvas* Canvas, TPoint A, TPoint B, TPoint E)
{
    if (FArcMode == amEllipse)
        DrawElliArc(Canvas, A, B, E);
    else
        DrawArc(Canvas, A, B, E, false);
}

void TMyElliArc::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    TPoint a, b, e;
    // An arc needs its three points; with fewer it shows only its caption.
    if (GetPointsCount() >= 3 && ThreePoints(a, b, e)) {
        Canvas->BeginPath();
        SetPS(Canvas, Pen()->Style(), Pen()->Color(), Pen()->Width());
        if (FArcMode == amEllipse)
            DrawElliArc(Canvas, a, b, e);
        else
            DrawArc(Canvas, a, b, e, true); // the fill is painted at once, the outline stroked
        Canvas->EndPath();
        Canvas->StrokePath();
        Canvas->DeselectGeometricPen();
    }
    DrawInfo(Canvas);
}

bool TMyElliArc::FigureBox(TMyRect& Box) const
{
    TPoint a, b, e;
    if (GetPointsCount() < 3 || !ThreePoints(a, b, e))
        return false;
    // In circle mode the box of the sector, which holds the arc and the chord too, so that
    // a change of style does not move it.
    const std::vector<TPoint> figure =
        FArcMode == amEllipse ? EllipseArcPoints(a, b, e) : CircleArcFigure(a, b, e, asSector).Points;
    if (figure.empty())
        return false;
    int l = figure[0].X, t = figure[0].Y, r = l, btm = t;
    for (const TPoint& p : figure) {
        l = std::min(l, p.X);
        r = std::max(r, p.X);
        t = std::min(t, p.Y);
        btm = std::max(btm, p.Y);
    }
    const double z = Zoom();
    Box = TMyRect(float(l / z), float(t / z), float(r / z), float(btm / z));
    return true;
}

// ---- Rubber bands ------------------------------------------------------------------------------

void TMyElliArc::Drawing(TCanvas* Canvas, TPoint, TPoint To)
{
    if (!Canvas)
        return;
    const int n = GetPointsCount();
    if (n == 1) {
        DrawSquare(this, Canvas, GetPointInZoom(0));
        return;
    }
    if (n != 2)
        return;
    DrawSquare(this, Canvas, GetPointInZoom(0));
    DrawSquare(this, Canvas, GetPointInZoom(1));
    SetDragResizeRotateShapeMode(Canvas);
    const TPoint a = MyPtToPt(GetPointInZoom(0)), b = MyPtToPt(GetPointInZoom(1));
    if (FArcMode == amEllipse) {
        if (To.X != b.X && To.Y != b.Y)
            DrawElliArc(Canvas, a, b, To);
    } else {
        DrawArc(Canvas, a, b, To, false);
    }
}

void TMyElliArc::Sizing(TCanvas* Canvas, TPoint, TPoint To)
{
    TPoint p[3];
    const int h = FCurrentHot;
    if (!Canvas || GetPointsCount() < 3 || h < 0 || h > 2 || !ThreePoints(p[0], p[1], p[2]))
        return;
    p[h] = To;
    DrawFigure(Canvas, p[0], p[1], p[2]);
}

void TMyElliArc::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    TPoint p[3];
    if (!Canvas || GetPointsCount() < 3 || !ThreePoints(p[0], p[1], p[2]))
        return;
    const int dx = To.X - From.X, dy = To.Y - From.Y;
    for (TPoint& q : p)
        q = TPoint(q.X + dx, q.Y + dy);
    DrawFigure(Canvas, p[0], p[1], p[2]);
}

void TMyElliArc::Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle)
{
    if (!Canvas || GetPointsCount() < 3)
        return;
    SetDragResizeRotateShapeMode(Canvas);
    TPoint p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = MyPtToPt(RotateAPoint(GetPointInZoom(i), Centre, AAngle));
    DrawFigure(Canvas, p[0], p[1], p[2]);
}

// ---- Drawing with the mouse and editing ------------------------------------------------------

bool TMyElliArc::IsDrawingFinished(TMouseButton, TPoint)
{
    const int n = GetPointsCount();
    if (n == 2 && FPoints[1] == FPoints[0]) {
        PointsRef().pop_back();
        return false;
    }
    if (n == 3 && FPoints[2] == FPoints[1]) {
        PointsRef().pop_back();
        return false;
    }
    return n >= 3;
}

void TMyElliArc::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    const int h = FCurrentHot;
    if (h < 0 || h >= GetPointsCount())
        return;
    PointAddXY(h, double(To.X) - From.X, double(To.Y) - From.Y);
    FCenterPoint = ComputeCenterPoint(4);
}

void TMyElliArc::FlipHoriz()
{
    TMyShape::FlipHoriz();
    if (FPoints.size() >= 3) {
        std::swap(FPoints[0], FPoints[2]);
        ExtentChanged();
    }
}

void TMyElliArc::FlipVert()
{
    TMyShape::FlipVert();
    if (FPoints.size() >= 3) {
        std::swap(FPoints[0], FPoints[2]);
        ExtentChanged();
    }
}

TMyPoint TMyElliArc::GetCenterPoint() const
{
    if (FArcMode == amEllipse)
        return FCenterPoint;
    if (FPoints.size() < 3)
        return TMyShape::GetCenterPoint();
    const TMyPoint a = FPoints[0], b = FPoints[1], e = FPoints[2];
    double cx = 0, cy = 0;
    if (CircleCentre(a.X, a.Y, b.X, b.Y, e.X, e.Y, cx, cy))
        return TMyPoint(float(cx), float(cy));
    return TMyPoint(float((double(a.X) + e.X) / 2), float((double(a.Y) + e.Y) / 2));
}

TMyPoint TMyElliArc::GetCenterPointInZoom() const
{
    return ZoomedValuePt(GetCenterPoint());
}

// ---- Hots and hit test ---------------------------------------------------------------------------

void TMyElliArc::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    for (int i = 0; i < GetPointsCount(); ++i)
        DrawSquare(this, Canvas, GetPointInZoom(i));
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

int TMyElliArc::InWhichHot(TPoint P)
{
    const int hs = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    int hot = -1;
    for (int i = 0; i < GetPointsCount(); ++i) {
        const TPoint c = MyPtToPt(GetPointInZoom(i));
        if (PtInRect(TRect(c.X - hs, c.Y - hs, c.X + hs, c.Y + hs), P))
            hot = i;
    }
    FCurrentHot = hot;
    return hot;
}

bool TMyElliArc::IsClickedMe(TCanvas*, TPoint P)
{
    TPoint a, b, e;
    if (GetPointsCount() < 3 || !ThreePoints(a, b, e))
        return false;
    if (TRegion::FromPolygon({a, b, e}, ALTERNATE).PtInRegion(P))
        return true;
    // Closer than 10 pixels to the figure's outline (its segments, not only its vertices).
    return PolylineDistanceBelow(FigurePoints(a, b, e), P, 10);
}
