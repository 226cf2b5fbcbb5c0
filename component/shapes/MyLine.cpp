// TMyLine: construction, copying, hots, hit tests, resizing and the length report.
#include "component/shapes/MyLine.h"

#include "component/base/Geometry.h"
#include "component/render/HotDrawing.h"
#include "component/document/MyCAD.h"
#include "component/shapes/MyRuleLine.h"

#include <cmath>
#include <numbers>

namespace {
// Pixels within which a click still hits a segment.
constexpr int ClickTolerance = 8;

// Whether p hits the segment A-B (screen pixels). An axis-parallel segment is hit inside
// a band of the tolerance on either side; a slanted one only inside its own bounding
// rectangle, where p must lie within the tolerance of the line measured along the
// segment's minor axis.
bool SegmentHit(TPoint a, TPoint b, TPoint p)
{
    const int minX = std::min(a.X, b.X), maxX = std::max(a.X, b.X);
    const int minY = std::min(a.Y, b.Y), maxY = std::max(a.Y, b.Y);
    if (a.X == b.X)
        return PtInRect(TRect(minX - ClickTolerance, minY, maxX + ClickTolerance, maxY), p);
    if (a.Y == b.Y)
        return PtInRect(TRect(minX, minY - ClickTolerance, maxX, maxY + ClickTolerance), p);
    if (!PtInRect(TRect(minX, minY, maxX, maxY), p))
        return false;
    const double dx = double(b.X) - a.X;
    const double dy = double(b.Y) - a.Y;
    if (std::fabs(dx) > std::fabs(dy)) {
        const double yL = dy / dx * (double(p.X) - a.X) + a.Y;
        return yL - ClickTolerance <= p.Y && p.Y <= yL + ClickTolerance;
    }
    const double xL = dx / dy * (double(p.Y) - a.Y) + a.X;
    return xL - ClickTolerance <= p.X && p.X <= xL + ClickTolerance;
}
} // namespace

TMyLine::TMyLine(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD)
{
    if (OwnerCAD) {
        FArrowAngle = OwnerCAD->ArrowAngle();
        FArrowLength = OwnerCAD->ArrowLength();
        FArrowOffset = OwnerCAD->ArrowOffset();
        FArrowStyle = OwnerCAD->ArrowStyle();
    }
}

void TMyLine::Assign(const TMyShape* Source)
{
    TMyShape::Assign(Source);
    const auto* line = dynamic_cast<const TMyLine*>(Source);
    if (!line || line == this)
        return;
    FArrowAngle = line->FArrowAngle;
    FArrowLength = line->FArrowLength;
    FArrowOffset = line->FArrowOffset;
    FArrowStyle = line->FArrowStyle;
}

void TMyLine::Drawed(TPoint From, TPoint To)
{
    TMyShape::Drawed(From, To);
}

bool TMyLine::IsDrawingFinished(TMouseButton, TPoint)
{
    return GetPointsCount() == 2;
}

// ---- Hots ---------------------------------------------------------------------------------

void TMyLine::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || !FOwnerCAD || !FOwnerCAD->HotShow())
        return;
    for (int i = 0; i < GetPointsCount(); ++i)
        DrawSquare(this, Canvas, GetPointInZoom(i));
    DrawDiamond(this, Canvas, ZoomedValuePt(FCaptionPoint), clBlack);
}

int TMyLine::InWhichHot(TPoint P)
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

// ---- Hit tests ------------------------------------------------------------------------------

bool TMyLine::IsClickedMeBeforeWhichPoint(int& Index, TPoint P)
{
    Index = -1;
    for (int k = 0; k + 1 < GetPointsCount(); ++k) {
        if (SegmentHit(MyPtToPt(GetPointInZoom(k)), MyPtToPt(GetPointInZoom(k + 1)), P)) {
            Index = k + 1;
            return true;
        }
    }
    return false;
}

bool TMyLine::IsClickedMe(TCanvas*, TPoint P)
{
    int index = -1;
    return IsClickedMeBeforeWhichPoint(index, P);
}

// ---- Resizing ---------------------------------------------------------------------------

void TMyLine::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    PointAddXY(FCurrentHot, double(To.X) - From.X, double(To.Y) - From.Y);
    if (qobject_cast<TMyRuleLine*>(this)) {
        // A rule line keeps the plain slope of its segment and its length text.
        const TMyPoint p0 = GetPoint(0), p1 = GetPoint(1);
        float angle = float(std::numbers::pi / 2);
        if (p1.X != p0.X)
            angle = float(std::atan((double(p1.Y) - p0.Y) / (double(p1.X) - p0.X)));
        StoreAngle(angle);
        SetInfo(GetLengthByUnit(MyPtToPt(GetPointInZoom(0)), MyPtToPt(GetPointInZoom(1))).trimmed());
    }
    FCenterPoint = ComputeCenterPoint(4);
}

// ---- Measuring ----------------------------------------------------------------------------

QString TMyLine::GetInfo()
{
    if (metaObject() != &TMyLine::staticMetaObject && metaObject() != &TMyRuleLine::staticMetaObject)
        return QString();
    const QString info = GetLengthByUnit(MyPtToPt(GetPointInZoom(0)), MyPtToPt(GetPointInZoom(1)));
    SetInfo(info);
    return info;
}

int TMyLine::ArrowHeadLength() const
{
    return Round(Zoom() * FArrowLength);
}
