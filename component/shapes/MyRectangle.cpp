// TMyRectangle: corners, centre, the eight hots and their cursors, the polygon hit test,
// drawing, and the area and size texts.
#include "component/shapes/MyRectangle.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "component/base/TextUtil.h"
#include "component/render/HotDrawing.h"
#include "component/document/MyCAD.h"
#include "platform/Region.h"
#include "platform/Screen.h"
#include "component/shapes/MyText.h"

#include <algorithm>
#include <climits>

namespace {
TMyPoint Half(TMyPoint from, double dx, double dy)
{
    return TMyPoint(float(from.X + dx / 2), float(from.Y + dy / 2));
}

// The side-hot places 4 to 7 of four unturned corners u.
std::array<TMyPoint, 4> SidePlaces(const TMyPoint (&u)[4])
{
    return {TMyPoint(Half(u[0], double(u[1].X) - u[0].X, 0).X, u[0].Y),
            TMyPoint(u[1].X, Half(u[1], 0, double(u[2].Y) - u[1].Y).Y),
            TMyPoint(Half(u[3], double(u[2].X) - u[3].X, 0).X, u[2].Y),
            TMyPoint(u[0].X, Half(u[1], 0, double(u[2].Y) - u[1].Y).Y)};
}

// Which of the side hots 4 to 7 are shown.
bool SideHotShown(int hot, bool vertical, bool horizontal)
{
    return (hot == 4 || hot == 6) ? vertical : horizontal;
}
} // namespace

// ---- Points and centre ------------------------------------------------------------------

void TMyRectangle::AddPointByMouse(TPoint P)
{
    const double z = Zoom();
    if (FPoints.empty()) {
        AddPoint(PtToMyPt(P));
        return;
    }
    if (FPoints.size() != 1)
        return;
    const TMyPoint p0 = FPoints[0];
    const float x = float(P.X / z), y = float(P.Y / z);
    FPoints.push_back(TMyPoint(x, p0.Y));
    FPoints.push_back(TMyPoint(x, y));
    FPoints.push_back(TMyPoint(p0.X, y));
    ExtentChanged();
}

bool TMyRectangle::IsDrawingFinished(TMouseButton, TPoint)
{
    return GetPointsCount() == 4;
}

TMyPoint TMyRectangle::GetCenterPoint() const
{
    return ComputeCenterPoint(4);
}

TMyPoint TMyRectangle::GetCenterPointInZoom() const
{
    return ZoomedValuePt(GetCenterPoint());
}

TMyPoint TMyRectangle::GetPoint(int Index) const
{
    if (Index < 4)
        return TMyShape::GetPoint(Index);
    if (Index > 7)
        return TMyPoint();
    const TMyPoint c = GetCenterPoint();
    const float a = Angle();
    TMyPoint u[4];
    for (int i = 0; i < 4; ++i)
        u[i] = RotateAPoint(TMyShape::GetPoint(i), c, -a);
    return RotateAPoint(SidePlaces(u)[size_t(Index - 4)], c, a);
}

// ---- Hots ---------------------------------------------------------------------------------

bool TMyRectangle::InRotatingState() const
{
    if (!FOwnerCAD)
        return false;
    const TActionTools tool = FOwnerCAD->ActionTool();
    return tool == dtRotateSelecting || tool == dtRotating;
}

std::array<TMyPoint, 8> TMyRectangle::HotPlacesInZoom() const
{
    const TMyPoint c = GetCenterPointInZoom();
    const float a = Angle();
    TMyPoint u[4];
    for (int i = 0; i < 4; ++i)
        u[i] = RotateAPoint(GetPointInZoom(i), c, -a);
    std::array<TMyPoint, 8> places;
    for (int i = 0; i < 4; ++i)
        places[size_t(i)] = RotateAPoint(u[i], c, a);
    const std::array<TMyPoint, 4> sides = SidePlaces(u);
    for (int i = 0; i < 4; ++i)
        places[size_t(4 + i)] = RotateAPoint(sides[size_t(i)], c, a);
    return places;
}

void TMyRectangle::DrawHot(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    if (FOwnerCAD && FOwnerCAD->HotShow() && GetPointsCount() >= 4) {
        const std::array<TMyPoint, 8> places = HotPlacesInZoom();
        for (int i = 0; i < 4; ++i)
            DrawSquare(this, Canvas, places[size_t(i)]);
        if (!InRotatingState() && FShowSideHot) {
            for (int hot : {4, 6, 5, 7})
                if (SideHotShown(hot, FShowVerticalSideHot, FShowHorizontalSideHot))
                    DrawSquare(this, Canvas, places[size_t(hot)]);
        }
    }
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

int TMyRectangle::InWhichHot(TPoint P)
{
    FCurrentHot = -1;
    if (GetPointsCount() < 4)
        return -1;
    const int hs = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    const std::array<TMyPoint, 8> places = HotPlacesInZoom();
    const bool sides = !InRotatingState() && FShowSideHot;
    int hot = -1;
    for (int i = 0; i < 8; ++i) {
        if (i >= 4 && !(sides && SideHotShown(i, FShowVerticalSideHot, FShowHorizontalSideHot)))
            continue;
        const TPoint c = MyPtToPt(places[size_t(i)]);
        if (PtInRect(TRect(c.X - hs, c.Y - hs, c.X + hs, c.Y + hs), P))
            hot = i;
    }
    FCurrentHot = hot;
    return hot;
}

// Side hots show the plain vertical or horizontal arrows; a corner shows the diagonal
// that points away from the centre (the later test wins on the centre lines).
TCursor TMyRectangle::GetMouseCursor(int X, int Y)
{
    const int h = InWhichHot(TPoint(X, Y));
    if (h < 0)
        return crCross;
    if (h == 4 || h == 6)
        return crSizeNS;
    if (h == 5 || h == 7)
        return crSizeWE;
    const double z = Zoom();
    const double x = X / z, y = Y / z;
    const TMyPoint c = GetCenterPoint();
    TCursor cursor = crCross;
    if (x <= c.X && y <= c.Y)
        cursor = crSizeNWSE;
    if (x <= c.X && y >= c.Y)
        cursor = crSizeNESW;
    if (x >= c.X && y <= c.Y)
        cursor = crSizeNESW;
    if (x >= c.X && y >= c.Y)
        cursor = crSizeNWSE;
    return cursor;
}

// ---- Hit test and drawing -------------------------------------------------------------------

bool TMyRectangle::IsClickedMe(TCanvas*, TPoint P)
{
    if (GetPointsCount() < 4)
        return false;
    TArrPoint corners;
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (int i = 0; i < 4; ++i) {
        const TPoint c = MyPtToPt(GetPointInZoom(i));
        corners.push_back(c);
        minX = std::min(minX, c.X);
        minY = std::min(minY, c.Y);
        maxX = std::max(maxX, c.X);
        maxY = std::max(maxY, c.Y);
    }
    // A pixel belongs to the region when its centre lies inside the outline, so nothing
    // outside the corners' box can: skip building the region there.
    if (P.X < minX || P.X >= maxX || P.Y < minY || P.Y >= maxY)
        return false;
    return TRegion::FromPolygon(corners, ALTERNATE).PtInRegion(P);
}

void TMyRectangle::DrawRectangle(TCanvas* Canvas, const TArrPoint& Points)
{
    if (!Canvas || Points.size() < 4)
        return;
    Canvas->MoveTo(Points[0].X, Points[0].Y);
    for (int i : {1, 2, 3, 0})
        Canvas->LineTo(Points[size_t(i)].X, Points[size_t(i)].Y);
}

void TMyRectangle::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    if (GetPointsCount() >= 4) {
        TArrPoint outline;
        for (int i : {0, 1, 2, 3, 0})
            outline.push_back(MyPtToPt(GetPointInZoom(i)));
        PowerDrawShape(Canvas, outline, 5, true);
    }
    if (DrawsInfoCaption())
        DrawInfo(Canvas);
}

// ---- Area and size texts --------------------------------------------------------------------

QString TMyRectangle::AreaText(double UnitArea)
{
    const QString info = ::AreaText(UnitArea, FOwnerCAD ? FOwnerCAD->Ratio() : 1.0,
                                    FOwnerCAD ? FOwnerCAD->TheUNIT() : TUnits::mm, ScreenPixelsPerInch());
    SetInfo(info);
    return info;
}

QString TMyRectangle::GetInfo()
{
    return AreaText(double(GetMyWidth()) * GetMyHeight());
}

QString TMyRectangle::GetLengthByUnit(TPoint P1, TPoint P2)
{
    const TMyPoint a = PtToMyPt(P1), b = PtToMyPt(P2);
    const TMyPoint e(b.X, a.Y);
    const double m = GetLengthinPixel(a, e);
    const double n = GetLengthinPixel(b, e);
    const double k = (FOwnerCAD ? FOwnerCAD->Ratio() : 1.0) / Zoom();
    const double D = ScreenPixelsPerInch();
    double vm = k * m, vn = k * n;
    const char* first = " pixel(s)";
    const char* second = "pixel(s)";
    const TUnits unit = FOwnerCAD ? FOwnerCAD->TheUNIT() : TUnits::mm;
    if (unit != TUnits::pixel) {
        double divisor = 1;
        switch (unit) {
        case TUnits::mm: first = " mm"; second = "mm"; break;
        case TUnits::cm: first = " cm"; second = "cm"; divisor = 10; break;
        case TUnits::dm: first = " dm"; second = "dm"; divisor = 100; break;
        case TUnits::m: first = " m"; second = "m"; divisor = 1000; break;
        case TUnits::inch: first = " in"; second = "in"; break;
        case TUnits::pixel: break;
        }
        if (unit == TUnits::inch) {
            vm = k * m / D;
            vn = k * n / D;
        } else {
            vm = k * m * 25.4 / D / divisor;
            vn = k * n * 25.4 / D / divisor;
        }
    }
    return QStringLiteral("m=") + QString::asprintf("%9.2f", vm) + QLatin1String(first) + QStringLiteral("\r") +
           QStringLiteral("n=") + QString::asprintf("%9.2f", vn) + QLatin1String(second);
}
