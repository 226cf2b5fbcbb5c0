// TMyLinkLine: painting with hops over crossing connectors, and the hot marks. Points are
// screen pixels.
#include "component/shapes/MyLinkLine.h"

#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/HotDrawing.h"
#include "platform/Printer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

// One-pixel solid lines that follow on one another, each starting where the last one
// ended, gathered into one polyline: the same pixels as drawing them one by one (each
// leaves out its end), for one stroke. A line that starts elsewhere begins a new run.
class TLineRun {
public:
    explicit TLineRun(TCanvas* Canvas) : FCanvas(Canvas) { FPoints.clear(); }
    ~TLineRun() { Flush(); }
    TLineRun(const TLineRun&) = delete;
    TLineRun& operator=(const TLineRun&) = delete;
    void Line(TPoint A, TPoint B)
    {
        if (FPoints.empty() || FPoints.back() != A) {
            Flush();
            FPoints.push_back(A);
        }
        FPoints.push_back(B);
    }
    void Polyline(const std::vector<TPoint>& Points)
    {
        for (size_t k = 1; k < Points.size(); ++k)
            Line(Points[k - 1], Points[k]);
    }
    void Flush()
    {
        if (FPoints.size() >= 2)
            FCanvas->Polyline(FPoints);
        FPoints.clear();
    }

private:
    TCanvas* FCanvas;
    static thread_local TArrPoint FPoints; // kept between runs to spare the allocation
};
thread_local TArrPoint TLineRun::FPoints;

void TMyLinkLine::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    SetPS(Canvas, Pen()->Style(), Pen()->Color(), Pen()->Width());
    const int n = GetPointsCount();
    const bool hops = FOwnerCAD && FOwnerCAD->CrossLine();
    // On a picture, with a solid pen whose pattern cannot shift, hops that cannot show are
    // left out.
    TRect visible;
    const bool cull = hops && Pen()->Style() == psSolid && Canvas->VisiblePictureArea(visible);
    // A one-pixel solid line on a picture is drawn as polylines: the same pixels as its
    // segments (and the pieces around its hops) one by one, each leaving out its end, for
    // a fraction of the cost.
    const bool runs = n >= 2 && Pen()->Width() <= 1 && Pen()->Style() == psSolid && Canvas->PenScale() == 1
        && Canvas->DrawsOnPicture() && !IsPrinterDevice(Canvas->Device());
    if (runs) {
        TLineRun run(Canvas);
        TMyPoint p = GetPointInZoom(0);
        for (int k = 1; k < n; ++k) {
            const TMyPoint q = GetPointInZoom(k);
            if (hops)
                DrawSegmentWithHops(Canvas, p, q, cull ? &visible : nullptr, &run);
            else
                run.Line(MyPtToPt(p), MyPtToPt(q));
            p = q;
        }
    } else {
        for (int k = 0; k + 1 < n; ++k) {
            if (hops)
                DrawSegmentWithHops(Canvas, GetPointInZoom(k), GetPointInZoom(k + 1), cull ? &visible : nullptr);
            else
                LineDraw(this, Canvas, GetPointInZoom(k), GetPointInZoom(k + 1));
        }
    }
    if (n >= 2 && ArrowStyle() != ANone) {
        SetDrawTriangleMode(Canvas, this);
        const TMyPoint first = GetPointInZoom(0), second = GetPointInZoom(1);
        const TMyPoint last = GetPointInZoom(n - 1), beforeLast = GetPointInZoom(n - 2);
        if (ArrowStyle() == ALeft || ArrowStyle() == ADouble)
            DrawTriangle(Canvas, last, beforeLast);
        if (ArrowStyle() == ARight || ArrowStyle() == ADouble)
            DrawTriangle(Canvas, first, second);
        SetDrawShapeMode(this, Canvas);
    }
    DrawInfo(Canvas);
    Canvas->DeselectGeometricPen();
}

// A horizontal segment hops over the vertical connector segments that cross it strictly
// inside, each hop a half circle of the hop radius, leaving out crossings too close to
// the previous hop or to the segment's right end.
void TMyLinkLine::DrawSegmentWithHops(TCanvas* Canvas, TMyPoint P, TMyPoint Q, const TRect* Visible, TLineRun* Run)
{
    const auto line = [&](TMyPoint A, TMyPoint B) {
        if (Run)
            Run->Line(MyPtToPt(A), MyPtToPt(B));
        else
            LineDraw(this, Canvas, A, B);
    };
    if (!(P.Y == Q.Y && P.X != Q.X)) {
        line(P, Q);
        return;
    }
    const int r = Round(Zoom() * FHopRadius);
    const TMyPoint S = Q.X >= P.X ? P : Q, E = Q.X >= P.X ? Q : P;
    // How far the ink of a hop at x may reach from x: the radius, the pen's width as drawn
    // and two pixels of rounding.
    const double margin = r + std::max(1, Pen()->Width()) * std::max(1.0, Canvas->PenScale()) + 2;
    if (Visible && (S.Y < Visible->Top - margin || S.Y > Visible->Bottom + margin || E.X < Visible->Left - margin
                    || S.X > Visible->Right + margin)) {
        line(P, Q); // no hop of it can show
        return;
    }
    thread_local std::vector<TMyPoint> hops; // kept to spare an allocation per segment
    // Hops starting right of the visible area are not drawn: they need not be found.
    const double until = Visible ? Visible->Right + margin : HUGE_VAL;
    if (!FOwnerCAD->ConnectorHops(P, Q, r, hops, until)) {
        line(P, Q);
        return;
    }
    TMyPoint cur = S;
    for (const TMyPoint& c : hops) {
        const TMyPoint left(float(double(c.X) - r), S.Y), right(float(double(c.X) + r), S.Y);
        // A hop wholly outside the visible area is not drawn, and the line runs on
        // through it: inside the area the pixels are the same.
        if (Visible && (right.X < Visible->Left - margin || left.X > Visible->Right + margin))
            continue;
        line(cur, left);
        if (Run)
            Run->Polyline(HalfCircleAt(c));
        else
            DrawHalfCircle(Canvas, c);
        cur = right;
    }
    line(cur, E);
}

namespace {
// The pixel corners of the upper half of a circle of radius R about the origin, from
// (-R, 0) over (0, -R) to (R, 0): a polyline whose chords stray less than a quarter of a
// pixel from the circle. Hops are drawn by the thousand on a busy page, and a polyline of
// one-pixel lines costs a fraction of a stroked arc.
const std::vector<TPoint>& HalfCircleCorners(int R)
{
    thread_local int radius = -1;
    thread_local std::vector<TPoint> corners;
    if (R == radius)
        return corners;
    radius = R;
    corners.clear();
    const double step = 2 * std::acos(std::max(-1.0, 1 - 0.25 / std::max(R, 1)));
    // An even count, so that the top is a corner.
    const int n = std::clamp(2 * int(std::ceil(std::numbers::pi / 2 / step)), 2, 512);
    for (int k = 0; k <= n; ++k) {
        const double a = std::numbers::pi - std::numbers::pi * k / n;
        const TPoint p(Round(R * std::cos(a)), Round(-R * std::sin(a)));
        if (corners.empty() || corners.back() != p)
            corners.push_back(p);
    }
    return corners;
}
} // namespace

// The corners of the half circle of the hop above C, left end first (none for a radius
// of no pixel).
const std::vector<TPoint>& TMyLinkLine::HalfCircleAt(TMyPoint C) const
{
    thread_local std::vector<TPoint> points;
    points.clear();
    const int r = Round(Zoom() * FHopRadius);
    if (r <= 0)
        return points;
    const TPoint c(Round(C.X), Round(C.Y));
    points = HalfCircleCorners(r);
    for (TPoint& p : points) {
        p.X += c.X;
        p.Y += c.Y;
    }
    return points;
}

// The half circle above C, left end first: the line before the hop left out the left end,
// and the line after it starts at the right end, which the polyline leaves out.
void TMyLinkLine::DrawHalfCircle(TCanvas* Canvas, TMyPoint C)
{
    if (!Canvas)
        return;
    const std::vector<TPoint>& points = HalfCircleAt(C);
    if (!points.empty())
        Canvas->Polyline(points);
}

// ---- Hots ------------------------------------------------------------------------------------

namespace {
int HotSizeOf(const TMyShape* S)
{
    return S->OwnerCAD() ? S->OwnerCAD()->HotSize() : 4;
}

void HotMode(const TMyShape* S, TCanvas* Canvas)
{
    if (S->Locked())
        SetDrawLockedHotMode(Canvas);
    else
        SetDrawHotMode(Canvas);
}
} // namespace

void TMyLinkLine::DrawStartEnd(TCanvas* Canvas, TMyPoint P)
{
    if (!Canvas)
        return;
    HotMode(this, Canvas);
    const double hs = HotSizeOf(this);
    Canvas->Rectangle(Round(P.X - hs), Round(P.Y - hs), Round(P.X + hs), Round(P.Y + hs));
}

void TMyLinkLine::DrawCenter(TCanvas* Canvas, TMyPoint P)
{
    if (!Canvas)
        return;
    HotMode(this, Canvas);
    Canvas->Pen().SetStyle(psClear);
    const double hs = HotSizeOf(this);
    Canvas->Rectangle(Round(P.X - hs), Round(P.Y - hs), Round(P.X + hs), Round(P.Y + hs));
}

void TMyLinkLine::DrawCorner(TCanvas* Canvas, TMyPoint P)
{
    if (!Canvas)
        return;
    HotMode(this, Canvas);
    Canvas->Pen().SetStyle(psClear);
    const double hs = HotSizeOf(this);
    Canvas->Polygon({TPoint(Round(P.X - hs), Round(P.Y)), TPoint(Round(P.X), Round(P.Y - hs)),
                     TPoint(Round(P.X + hs), Round(P.Y)), TPoint(Round(P.X), Round(P.Y + hs))});
}

void TMyLinkLine::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    const int n = GetPointsCount();
    for (int i = 0; i < n; ++i) {
        const TMyPoint p = GetPointInZoom(i);
        if (FLinkLineDrawStyle == lldsFree) {
            DrawStartEnd(Canvas, p);
            continue;
        }
        if (i > 0 && i < n - 1)
            DrawCorner(Canvas, p);
        if (i <= n - 2) {
            const TMyPoint q = GetPointInZoom(i + 1);
            DrawCenter(Canvas, TMyPoint(float(p.X + (double(q.X) - p.X) / 2), float(p.Y + (double(q.Y) - p.Y) / 2)));
        }
        if (i == 0 || i == n - 1)
            DrawStartEnd(Canvas, p);
    }
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}
