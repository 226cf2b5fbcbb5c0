// TMyPolyLine, TMyPolygon and TMyFreeLine: the kinds made of a free number of points.
#include "component/shapes/MyFreeLine.h"
#include "component/shapes/MyPolyLine.h"
#include "component/shapes/MyPolygon.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/base/PolygonPixels.h"
#include "component/base/TextUtil.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/HotDrawing.h"
#include "platform/Region.h"
#include "platform/Screen.h"

#include <cmath>

// ---- Polyline -------------------------------------------------------------------------------

bool TMyPolyLine::IsDrawingFinished(TMouseButton, TPoint)
{
    const int n = GetPointsCount();
    if (n < 3 || GetPointInZoom(n - 1) != GetPointInZoom(n - 2))
        return false;
    PointsRef().pop_back();
    return true;
}

void TMyPolyLine::AppendPoint(TPoint P)
{
    const TPoint mapped = FOwnerCAD ? FOwnerCAD->GetPointByMode(P) : P;
    AddPoint(TMyPoint(float(mapped.X), float(mapped.Y)));
}

// ---- Polygon --------------------------------------------------------------------------------

bool TMyPolygon::IsDrawingFinished(TMouseButton, TPoint P)
{
    const int n = GetPointsCount();
    if (n < 3)
        return false;
    const double h = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    auto near = [&](TMyPoint q) { return std::abs(P.X - double(q.X)) < h && std::abs(P.Y - double(q.Y)) < h; };
    if (!near(GetPointInZoom(0)) && !near(GetPointInZoom(n - 2)))
        return false;
    PointsRef().back() = FPoints.front();
    return true;
}

namespace {
TArrPoint RoundedInZoom(const TMyShape* S)
{
    TArrPoint points;
    points.reserve(size_t(S->GetPointsCount()));
    for (int i = 0; i < S->GetPointsCount(); ++i)
        points.push_back(MyPtToPt(S->GetPointInZoom(i)));
    return points;
}
} // namespace

void TMyPolygon::Draw(TCanvas* Canvas)
{
    if (!Canvas || FPoints.empty())
        return;
    SetDrawShapeMode(this, Canvas);
    const TArrPoint points = RoundedInZoom(this);
    PowerDrawShape(Canvas, points, int(points.size()), true);
    DrawInfo(Canvas);
}

void TMyPolygon::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    for (int i = 0; i + 1 < GetPointsCount(); ++i)
        DrawSquare(this, Canvas, GetPointInZoom(i));
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

bool TMyPolygon::IsClickedMe(TCanvas*, TPoint P)
{
    if (GetPointsCount() < 3)
        return false;
    return TRegion::FromPolygon(RoundedInZoom(this), ALTERNATE).PtInRegion(P);
}

void TMyPolygon::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    const int n = GetPointsCount();
    const int h = FCurrentHot;
    if (h < 0 || h >= n)
        return;
    const double dx = double(To.X) - From.X, dy = double(To.Y) - From.Y;
    PointAddXY(h, dx, dy);
    // The outline stays closed.
    if (n > 1 && h == 0)
        PointAddXY(n - 1, dx, dy);
    else if (n > 1 && h == n - 1)
        PointAddXY(0, dx, dy);
    FCenterPoint = ComputeCenterPoint(4);
}

void TMyPolygon::Sizing(TCanvas* Canvas, TPoint From, TPoint To)
{
    const int n = GetPointsCount();
    const int h = FCurrentHot;
    if (!Canvas || h < 0 || h >= n)
        return;
    const double dx = double(To.X) - From.X, dy = double(To.Y) - From.Y;
    auto moved = [&](int i) {
        const TMyPoint p = GetPointInZoom(i);
        return MyPtToPt(TMyPoint(float(p.X + dx), float(p.Y + dy)));
    };
    auto at = [&](int i) { return MyPtToPt(GetPointInZoom(i)); };
    auto segment = [&](TPoint a, TPoint b) {
        Canvas->MoveTo(a.X, a.Y);
        Canvas->LineTo(b.X, b.Y);
    };
    if (h >= 1) {
        segment(moved(h), at(h - 1));
        if (h == n - 1 && n > 1)
            segment(moved(0), at(1));
    }
    if (h + 1 < n) {
        segment(moved(h), at(h + 1));
        if (h == 0 && n >= 2)
            segment(moved(n - 1), at(n - 2));
    }
}

int64_t TMyPolygon::CoveredPixels() const
{
    if (FPoints.size() < 2)
        return 0;
    // On a copy: moving the stored float points and back would change them.
    const TMyRect box = GetPointsLTRB(FPoints);
    TArrPoint shifted;
    shifted.reserve(FPoints.size());
    auto clamp = [](double v) { return std::clamp(v, -1.0e9, 1.0e9); };
    for (const TMyPoint& p : FPoints)
        shifted.push_back(TPoint(Round(clamp(double(p.X) - box.Left)), Round(clamp(double(p.Y) - box.Top))));
    const double w = clamp(double(box.Right) - box.Left), h = clamp(double(box.Bottom) - box.Top);
    return CountPolygonPixels(shifted, Round(w), Round(h));
}

QString TMyPolygon::GetInfo()
{
    const QString info = AreaText(double(CoveredPixels()), FOwnerCAD ? FOwnerCAD->Ratio() : 1.0,
                                  FOwnerCAD ? FOwnerCAD->TheUNIT() : TUnits::mm, ScreenPixelsPerInch());
    SetInfo(info);
    return info;
}

// ---- Free line -------------------------------------------------------------------------------

void TMyFreeLine::Drawing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    TPen& pen = Canvas->Pen();
    pen.SetColor(Pen()->Color());
    pen.SetWidth(Pen()->Width());
    pen.SetStyle(Pen()->Style());
    pen.SetMode(Pen()->Mode());
    Canvas->MoveTo(From.X, From.Y);
    Canvas->LineTo(To.X, To.Y);
}

namespace {
TRect BoxInZoom(const TMyShape* S)
{
    const TMyRect box = GetPointsLTRB(S->Points());
    const double z = S->Zoom();
    return TRect(Round(box.Left * z), Round(box.Top * z), Round(box.Right * z), Round(box.Bottom * z));
}
} // namespace

void TMyFreeLine::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas || FPoints.empty())
        return;
    const TRect b = BoxInZoom(this);
    const int dx = To.X - From.X, dy = To.Y - From.Y;
    Canvas->Polyline({TPoint(b.Left + dx, b.Top + dy), TPoint(b.Right + dx, b.Top + dy),
                      TPoint(b.Right + dx, b.Bottom + dy), TPoint(b.Left + dx, b.Bottom + dy),
                      TPoint(b.Left + dx, b.Top + dy)});
}

bool TMyFreeLine::IsDrawingFinished(TMouseButton, TPoint)
{
    return GetPointsCount() > 1;
}

void TMyFreeLine::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow() || FPoints.empty())
        return;
    Canvas->Brush().SetStyle(bsClear);
    TPen& pen = Canvas->Pen();
    pen.SetStyle(psSolid);
    pen.SetColor(clRed);
    pen.SetWidth(1);
    pen.SetMode(pmCopy);
    Canvas->Rectangle(BoxInZoom(this));
}

bool TMyFreeLine::IsClickedMe(TCanvas*, TPoint P)
{
    if (FPoints.empty())
        return false;
    const TRect b = BoxInZoom(this);
    return TRegion::FromPolygon({TPoint(b.Left, b.Top), TPoint(b.Right, b.Top), TPoint(b.Right, b.Bottom),
                                 TPoint(b.Left, b.Bottom)},
                                ALTERNATE)
        .PtInRegion(P);
}
