// TMyPolyBezier: drawing with the mouse, painting, hots and editing. Points are screen
// pixels unless noted.
#include "component/shapes/MyPolyBezier.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/HotDrawing.h"

#include <cmath>

TMyPoint TMyPolyBezier::LineCenterPoint(TMyPoint A, TMyPoint B)
{
    return TMyPoint(float(A.X + (double(B.X) - A.X) / 2), float(A.Y + (double(B.Y) - A.Y) / 2));
}

TPoint TMyPolyBezier::LineCenterPoint(TPoint A, TPoint B)
{
    return TPoint(int(A.X + (int64_t(B.X) - A.X) / 2), int(A.Y + (int64_t(B.Y) - A.Y) / 2));
}

std::vector<TPoint> TMyPolyBezier::Flatten(const std::vector<TPoint>& P)
{
    std::vector<TPoint> out;
    if (P.empty())
        return out;
    out.push_back(P[0]);
    for (size_t i = 0; i + 3 < P.size(); i += 3) {
        const TPoint a = P[i], b = P[i + 1], c = P[i + 2], d = P[i + 3];
        // Steps by the length of the control polygon: a pixel or two per step.
        const double length = std::hypot(double(b.X) - a.X, double(b.Y) - a.Y) +
                              std::hypot(double(c.X) - b.X, double(c.Y) - b.Y) +
                              std::hypot(double(d.X) - c.X, double(d.Y) - c.Y);
        const int steps = int(std::clamp(length / 2, 1.0, 4096.0));
        for (int k = 1; k <= steps; ++k) {
            const double t = double(k) / steps, u = 1 - t;
            const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
            out.push_back(TPoint(Round(w0 * a.X + w1 * b.X + w2 * c.X + w3 * d.X),
                                 Round(w0 * a.Y + w1 * b.Y + w2 * c.Y + w3 * d.Y)));
        }
    }
    return out;
}

std::vector<TPoint> TMyPolyBezier::CurvePoints() const
{
    std::vector<TPoint> points;
    const int n = GetPointsCount();
    if (n == 0)
        return points;
    const int used = 1 + 3 * ((n - 1) / 3);
    points.reserve(size_t(used));
    for (int i = 0; i < used; ++i)
        points.push_back(MyPtToPt(GetPointInZoom(i)));
    return points;
}

// ---- Drawing with the mouse --------------------------------------------------------------------

void TMyPolyBezier::AddPointByMouse(TPoint P)
{
    AddPoint(TMyPoint(float(P.X), float(P.Y)));
    const int n = GetPointsCount();
    if (n == 4 || (n > 4 && (n - 4) % 3 == 0)) {
        // The click is a control point: the join before it goes half-way between the
        // previous control point and this one. The rubber band is redrawn around it.
        TCanvas* canvas = FOwnerCAD ? FOwnerCAD->Canvas() : nullptr;
        const TPoint anchor = FOwnerCAD ? FOwnerCAD->AnchorPoint() : P;
        const TPoint current = FOwnerCAD ? FOwnerCAD->CurrentPoint() : P;
        Drawing(canvas, anchor, current);
        TArrMyPoint& points = PointsRef();
        points.push_back(points.back());
        points[size_t(n) - 1] = LineCenterPoint(points[size_t(n) - 2], points[size_t(n) - 1]);
        Drawing(canvas, anchor, current);
        if (FOwnerCAD)
            FOwnerCAD->ScreenChanged();
    }
}

bool TMyPolyBezier::IsDrawingFinished(TMouseButton, TPoint P)
{
    const int n = GetPointsCount();
    if (n <= 3 || GetPointInZoom(n - 1) != GetPointInZoom(n - 2))
        return false;
    PointsRef().pop_back();
    const int left = n - 1;
    if (left == 4)
        return true;
    if (left < 4)
        return false;
    const int r = (left - 1) % 3;
    if (r != 0)
        for (int k = 0; k < 3 - r; ++k)
            AddPoint(TMyPoint(float(P.X), float(P.Y)));
    return true;
}

void TMyPolyBezier::Drawing(TCanvas* Canvas, TPoint, TPoint To)
{
    const int n = GetPointsCount();
    if (!Canvas || n == 0)
        return;
    // 3 ((n - 4) div 3 + 1) + 4 points, the division truncating toward zero.
    const int count = 3 * ((n - 4) / 3 + 1) + 4;
    std::vector<TPoint> points;
    points.reserve(size_t(std::max(count, n)));
    for (int i = 0; i < n && i < count; ++i)
        points.push_back(MyPtToPt(GetPointInZoom(i)));
    while (int(points.size()) < count)
        points.push_back(To);
    Canvas->PolyBezier(points);
}

// ---- Painting and hots ---------------------------------------------------------------------------

void TMyPolyBezier::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    const std::vector<TPoint> points = CurvePoints();
    if (points.size() >= 4) {
        Canvas->BeginPath();
        SetPS(Canvas, Pen()->Style(), Pen()->Color(), Pen()->Width());
        Canvas->PolyBezier(points);
        Canvas->EndPath();
        if (Brush()->Style() == bsClear)
            Canvas->StrokePath();
        else
            Canvas->StrokeAndFillPath();
        Canvas->DeselectGeometricPen();
    }
    DrawInfo(Canvas);
}

void TMyPolyBezier::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    const int n = GetPointsCount();
    for (int i = 0; i < n; ++i)
        DrawSquare(this, Canvas, GetPointInZoom(i));
    if (n > 4) {
        Canvas->Pen().SetColor(clGray);
        for (int i = 2; i < n - 2; i += 3) {
            const TPoint a = MyPtToPt(GetPointInZoom(i)), b = MyPtToPt(GetPointInZoom(i + 2));
            Canvas->MoveTo(a.X, a.Y);
            Canvas->LineTo(b.X, b.Y);
        }
    }
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

int TMyPolyBezier::InWhichHot(TPoint P)
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

bool TMyPolyBezier::IsClickedMe(TCanvas*, TPoint P)
{
    const std::vector<TPoint> points = CurvePoints();
    if (points.size() < 4)
        return false;
    return PolylineDistanceBelow(Flatten(points), P, 10);
}

// ---- Editing ---------------------------------------------------------------------------------------

bool TMyPolyBezier::MovedPoints(int H, double dx, double dy, TMyPoint From, TMyPoint To, std::vector<TMyPoint>& Out,
                                int& HandleA, int& HandleB) const
{
    const int n = GetPointsCount();
    HandleA = HandleB = -1;
    if (H < 0 || H >= n)
        return false;
    Out.clear();
    for (int i = 0; i < n; ++i)
        Out.push_back(GetPointInZoom(i));
    auto move = [&](int i) { Out[size_t(i)] = TMyPoint(float(Out[size_t(i)].X + dx), float(Out[size_t(i)].Y + dy)); };
    // The other control point turns about the join by the angle the mouse swept about it;
    // a control point lying on its join sweeps no angle.
    auto swing = [&](int other, int join) {
        const TMyPoint c = Out[size_t(join)];
        if (From == c || To == c)
            return;
        const float angle = GetRotatedAngle(From, To, c, false);
        Out[size_t(other)] = RotateAPoint(Out[size_t(other)], c, angle);
    };
    if (H > 1 && H < n - 2) {
        if (H % 3 == 2) {
            move(H);
            swing(H + 2, H + 1);
            HandleA = H;
            HandleB = H + 2;
        } else if (H % 3 == 1) {
            move(H);
            swing(H - 2, H - 1);
            HandleA = H;
            HandleB = H - 2;
        } else {
            move(H);
            move(H - 1);
            move(H + 1);
            HandleA = H - 1;
            HandleB = H + 1;
        }
    } else {
        move(H);
    }
    return true;
}

void TMyPolyBezier::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    std::vector<TMyPoint> moved;
    int a = -1, b = -1;
    if (!MovedPoints(FCurrentHot, double(To.X) - From.X, double(To.Y) - From.Y, From, To, moved, a, b))
        return;
    for (size_t i = 0; i < moved.size(); ++i)
        if (moved[i] != GetPointInZoom(int(i)))
            SetPointInZoom(int(i), moved[i]);
    FCenterPoint = ComputeCenterPoint(4);
}

void TMyPolyBezier::Sizing(TCanvas* Canvas, TPoint From, TPoint To)
{
    std::vector<TMyPoint> moved;
    int a = -1, b = -1;
    if (!Canvas || !MovedPoints(FCurrentHot, double(To.X) - From.X, double(To.Y) - From.Y, PtToMyPt(From),
                                PtToMyPt(To), moved, a, b))
        return;
    if (a >= 0 && b >= 0) {
        const TPoint p = MyPtToPt(moved[size_t(a)]), q = MyPtToPt(moved[size_t(b)]);
        Canvas->MoveTo(p.X, p.Y);
        Canvas->LineTo(q.X, q.Y);
    }
    std::vector<TPoint> curve;
    const size_t used = 1 + 3 * ((moved.size() - 1) / 3);
    for (size_t i = 0; i < used; ++i)
        curve.push_back(MyPtToPt(moved[i]));
    Canvas->PolyBezier(curve);
}

void TMyPolyBezier::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    std::vector<TPoint> points = CurvePoints();
    for (TPoint& p : points)
        p = TPoint(p.X + To.X - From.X, p.Y + To.Y - From.Y);
    Canvas->PolyBezier(points);
}

void TMyPolyBezier::Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle)
{
    if (!Canvas)
        return;
    std::vector<TPoint> points;
    const size_t used = GetPointsCount() == 0 ? 0 : 1 + 3 * ((size_t(GetPointsCount()) - 1) / 3);
    for (size_t i = 0; i < used; ++i)
        points.push_back(MyPtToPt(RotateAPoint(GetPointInZoom(int(i)), Centre, AAngle)));
    Canvas->PolyBezier(points);
}
