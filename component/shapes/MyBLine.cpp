// TMyBLine: the interpolating B-spline, its vertex buffer and everything drawn from it.
// Points are screen pixels unless noted.
#include "component/shapes/MyBLine.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/HotDrawing.h"

#include <cmath>

namespace {
constexpr int kSamples = 600;

// The uniform cubic B-spline basis.
double Weight(double s)
{
    if (s < 1)
        return 2.0 / 3 - s * s + s * s * s / 2;
    if (s < 2)
        return (2 - s) * (2 - s) * (2 - s) / 6;
    return 0;
}

bool Same(TMyPoint a, TMyPoint b)
{
    return std::abs(double(a.X) - b.X) <= 1e-5 && std::abs(double(a.Y) - b.Y) <= 1e-5;
}

// The phantom vertices: each end vertex mirrored through its neighbour.
void Phantoms(TArrMyPoint& V, int n)
{
    if (n <= 1)
        return;
    auto mirror = [](TMyPoint a, TMyPoint b) {
        return TMyPoint(float(2 * double(a.X) - b.X), float(2 * double(a.Y) - b.Y));
    };
    V[0] = mirror(V[1], V[2]);
    V[size_t(n) + 1] = mirror(V[size_t(n)], V[size_t(n) - 1]);
}

// The system has ones on the diagonal for the end rows and for the three rows around a
// tripled point, and 1/6, 2/3, 1/6 elsewhere: tridiagonal. Elimination without pivoting
// touches only the diagonal and the right-hand side of the next row, and substitution
// only the neighbour above, so this does the same arithmetic as the elimination of the
// full matrix, in single precision as that matrix holds.
void InterpolateVertices(TArrMyPoint& V, int n)
{
    if (n < 1)
        return;
    std::vector<float> sub(size_t(n), 0), diag(size_t(n), 1), super(size_t(n), 0);
    for (int r = 1; r + 1 < n; ++r) {
        sub[size_t(r)] = 1.0f / 6;
        diag[size_t(r)] = 2.0f / 3;
        super[size_t(r)] = 1.0f / 6;
    }
    for (int i = 2; i <= n - 1; ++i) { // an inner data point repeated on both sides
        const TMyPoint q = V[size_t(i)];
        if (!Same(q, V[size_t(i) - 1]) || !Same(q, V[size_t(i) + 1]))
            continue;
        for (int r = i - 2; r <= i; ++r) {
            sub[size_t(r)] = 0;
            diag[size_t(r)] = 1;
            super[size_t(r)] = 0;
        }
    }
    std::vector<float> bx(static_cast<size_t>(n)), by(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        bx[size_t(r)] = V[size_t(r) + 1].X;
        by[size_t(r)] = V[size_t(r) + 1].Y;
    }
    for (int k = 0; k + 1 < n; ++k) {
        const float factor = sub[size_t(k) + 1] / diag[size_t(k)];
        if (factor == 0)
            continue;
        diag[size_t(k) + 1] -= factor * super[size_t(k)];
        bx[size_t(k) + 1] -= factor * bx[size_t(k)];
        by[size_t(k) + 1] -= factor * by[size_t(k)];
    }
    bx[size_t(n) - 1] /= diag[size_t(n) - 1];
    by[size_t(n) - 1] /= diag[size_t(n) - 1];
    for (int r = n - 2; r >= 0; --r) {
        bx[size_t(r)] = (bx[size_t(r)] - super[size_t(r)] * bx[size_t(r) + 1]) / diag[size_t(r)];
        by[size_t(r)] = (by[size_t(r)] - super[size_t(r)] * by[size_t(r) + 1]) / diag[size_t(r)];
    }
    for (int r = 0; r < n; ++r)
        V[size_t(r) + 1] = TMyPoint(bx[size_t(r)], by[size_t(r)]);
}

TMyPoint CurvePoint(const TArrMyPoint& V, int n, double T)
{
    if (n <= 0)
        return TMyPoint();
    if (n == 1)
        return V[1]; // a curve of one point is that point
    const double u = (n - 1) * T;
    const int b = int(std::trunc(u));
    double x = 0, y = 0;
    // Only the vertices that exist: the window reaches one past the phantom vertices at
    // both ends, where the weights are zero anyway.
    for (int j = std::max(0, b - 2); j <= std::min(n + 1, b + 3); ++j) {
        const double w = Weight(std::abs(u - (j - 1)));
        x += w * V[size_t(j)].X;
        y += w * V[size_t(j)].Y;
    }
    return TMyPoint(float(x), float(y));
}

} // namespace

// ---- The vertex buffer -------------------------------------------------------------------------

void TMyBLine::AddVertex(TMyPoint P)
{
    ++FVertexCount;
    FVertices.resize(size_t(FVertexCount) + 2);
    FVertices[size_t(FVertexCount)] = P;
    PhantomPoints();
}

void TMyBLine::PhantomPoints()
{
    Phantoms(FVertices, FVertexCount);
}

void TMyBLine::SetVertices(const TArrMyPoint& Points)
{
    FVertexCount = 0;
    FVertices.assign(Points.size() + 2, TMyPoint());
    for (const TMyPoint& p : Points) {
        ++FVertexCount;
        FVertices[size_t(FVertexCount)] = p;
    }
    PhantomPoints();
}

void TMyBLine::Interpolate()
{
    InterpolateVertices(FVertices, FVertexCount);
    PhantomPoints();
}

TMyPoint TMyBLine::GetVPoint(double T) const
{
    return CurvePoint(FVertices, FVertexCount, T);
}

void TMyBLine::DrawBLine(TCanvas* Canvas)
{
    if (!Canvas || FVertexCount < 1)
        return;
    const TPoint first = MyPtToPt(GetVPoint(0));
    Canvas->MoveTo(first.X, first.Y);
    for (int i = 1; i <= kSamples; ++i) {
        const TPoint p = MyPtToPt(GetVPoint(double(i) / kSamples));
        Canvas->LineTo(p.X, p.Y);
    }
}

std::vector<TPoint> TMyBLine::CurveThrough(const TArrMyPoint& Points)
{
    SetVertices(Points);
    Interpolate();
    std::vector<TPoint> samples;
    if (FVertexCount < 1)
        return samples;
    samples.reserve(kSamples + 1);
    for (int i = 0; i <= kSamples; ++i)
        samples.push_back(MyPtToPt(GetVPoint(double(i) / kSamples)));
    return samples;
}

TArrMyPoint TMyBLine::PointsInZoom() const
{
    TArrMyPoint points;
    points.reserve(FPoints.size());
    for (int i = 0; i < GetPointsCount(); ++i)
        points.push_back(GetPointInZoom(i));
    return points;
}

// ---- Painting ------------------------------------------------------------------------------------

void TMyBLine::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    if (!FPoints.empty()) {
        Canvas->BeginPath();
        SetPS(Canvas, Pen()->Style(), Pen()->Color(), Pen()->Width());
        SetVertices(PointsInZoom());
        Interpolate();
        DrawBLine(Canvas);
        Canvas->EndPath();
        Canvas->StrokePath();
        Canvas->DeselectGeometricPen();
    }
    DrawInfo(Canvas);
}

bool TMyBLine::FigureBox(TMyRect& Box) const
{
    if (FPoints.empty())
        return false;
    // The same curve in document units: the interpolation commutes with the zoom.
    const int n = int(FPoints.size());
    TArrMyPoint vertices(FPoints.size() + 2);
    std::copy(FPoints.begin(), FPoints.end(), vertices.begin() + 1);
    InterpolateVertices(vertices, n);
    Phantoms(vertices, n);
    TArrMyPoint samples;
    samples.reserve(kSamples + 1);
    for (int i = 0; i <= kSamples; ++i)
        samples.push_back(CurvePoint(vertices, n, double(i) / kSamples));
    Box = GetPointsLTRB(samples);
    return true;
}

void TMyBLine::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    for (int i = 0; i < GetPointsCount(); ++i)
        DrawSquare(this, Canvas, GetPointInZoom(i));
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

// ---- Rubber bands ------------------------------------------------------------------------------

void TMyBLine::Drawing(TCanvas* Canvas, TPoint, TPoint To)
{
    const bool preview = FPreview;
    FPreview = false;
    if (!Canvas || FPoints.empty())
        return;
    if (GetPointsCount() == 1) {
        DrawSquare(this, Canvas, GetPointInZoom(0));
        return;
    }
    TArrMyPoint points = PointsInZoom();
    if (!preview) {
        const TMyPoint last = points.back();
        const TMyPoint to = PtToMyPt(To);
        if (to.X == last.X || to.Y == last.Y)
            return; // not drawn while the mouse shares an axis with the last point
        points.push_back(to);
    }
    for (const TMyPoint& p : points)
        DrawSquare(this, Canvas, p);
    SetDragResizeRotateShapeMode(Canvas);
    SetVertices(points);
    Interpolate();
    DrawBLine(Canvas);
}

void TMyBLine::Sizing(TCanvas* Canvas, TPoint From, TPoint To)
{
    const int h = FCurrentHot;
    if (!Canvas || h < 0 || h >= GetPointsCount())
        return;
    TArrMyPoint points = PointsInZoom();
    points[size_t(h)] = TMyPoint(float(points[size_t(h)].X + double(To.X) - From.X),
                                 float(points[size_t(h)].Y + double(To.Y) - From.Y));
    SetVertices(points);
    Interpolate();
    DrawBLine(Canvas);
}

void TMyBLine::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas || FPoints.empty())
        return;
    TArrMyPoint points = PointsInZoom();
    for (TMyPoint& p : points)
        p = TMyPoint(float(p.X + double(To.X) - From.X), float(p.Y + double(To.Y) - From.Y));
    SetVertices(points);
    Interpolate();
    DrawBLine(Canvas);
}

void TMyBLine::Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle)
{
    if (!Canvas || FPoints.empty())
        return;
    TArrMyPoint points = PointsInZoom();
    for (TMyPoint& p : points)
        p = RotateAPoint(p, Centre, AAngle);
    SetVertices(points);
    Interpolate();
    DrawBLine(Canvas);
}

// ---- Drawing with the mouse and editing --------------------------------------------------------

bool TMyBLine::IsDrawingFinished(TMouseButton, TPoint)
{
    const int n = GetPointsCount();
    if (n < 4 || GetPointInZoom(n - 1) != GetPointInZoom(n - 2))
        return false;
    PointsRef().pop_back();
    return true;
}

void TMyBLine::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    const int h = FCurrentHot;
    if (h < 0 || h >= GetPointsCount())
        return;
    PointAddXY(h, double(To.X) - From.X, double(To.Y) - From.Y);
    FCenterPoint = ComputeCenterPoint(4);
}

int TMyBLine::InWhichHot(TPoint P)
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

bool TMyBLine::IsClickedMe(TCanvas*, TPoint P)
{
    if (FPoints.empty())
        return false;
    return PolylineDistanceBelow(CurveThrough(PointsInZoom()), P, 10);
}
