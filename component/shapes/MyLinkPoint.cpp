// TMyLinkPoint and TMyLineLinkLine: the link point marker and the junction.
#include "component/shapes/MyLineLinkLine.h"
#include "component/shapes/MyLinkPoint.h"

#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/shapes/MyLinkLine.h"

void TMyLinkPoint::Drawing(TCanvas* Canvas, TPoint From, TPoint)
{
    if (Canvas)
        Canvas->Ellipse(From.X, From.Y, From.X + FSize, From.Y + FSize);
}

void TMyLinkPoint::AddPointByMouse(TPoint P)
{
    if (GetPointsCount() > 0)
        return;
    const double h = Zoom() * FSize / 2;
    AddPoint(TMyPoint(float(P.X - h), float(P.Y - h)));
    AddPoint(TMyPoint(float(P.X + h), float(P.Y - h)));
    AddPoint(TMyPoint(float(P.X + h), float(P.Y + h)));
    AddPoint(TMyPoint(float(P.X - h), float(P.Y + h)));
}

namespace {
// The shape's mode with a solid brush in the canvas's pen colour.
void SolidInPenColour(const TMyShape* Shape, TCanvas* Canvas)
{
    SetDrawShapeMode(Shape, Canvas);
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->Brush().SetColor(Canvas->Pen().Color());
}
} // namespace

void TMyLinkPoint::Draw(TCanvas* Canvas)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    SolidInPenColour(this, Canvas);
    auto stroke = [&](int a, int b) {
        const TPoint p = MyPtToPt(GetPointInZoom(a)), q = MyPtToPt(GetPointInZoom(b));
        Canvas->MoveTo(p.X, p.Y);
        Canvas->LineTo(q.X, q.Y);
    };
    stroke(0, 2);
    stroke(1, 3);
}

int TMyLinkPoint::InWhichHot(TPoint)
{
    return -1;
}

// ---- The junction -----------------------------------------------------------------------------

void TMyLineLinkLine::AddPointByMouse(TPoint P)
{
    TMyLinkPoint::AddPointByMouse(P);
    if (GetPointsCount() == 4) {
        ClearLinkPoints();
        LinkPointsRef().push_back(GetCenterPoint());
    }
}

namespace {
void Dot(const TMyShape* S, TCanvas* Canvas)
{
    const TPoint a = MyPtToPt(S->GetPointInZoom(0)), b = MyPtToPt(S->GetPointInZoom(2));
    Canvas->Ellipse(a.X, a.Y, b.X, b.Y);
}
} // namespace

void TMyLineLinkLine::Draw(TCanvas* Canvas)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    SolidInPenColour(this, Canvas);
    Dot(this, Canvas);
}

void TMyLineLinkLine::DrawHot(TCanvas* Canvas)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    SetDrawShapeMode(this, Canvas);
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->Brush().SetColor(clLime);
    Canvas->Pen().SetColor(clBlack);
    Dot(this, Canvas);
}

void TMyLineLinkLine::Drawed(TPoint From, TPoint To)
{
    TMyLinkPoint::Drawed(From, To);
    TMyCAD* cad = OwnerCAD();
    if (!cad || GetPointsCount() < 4)
        return;
    TMyPoint c = GetCenterPoint();
    TMyLinkLine* line = nullptr;
    const int segment = cad->IsBreakLineByAPoint(c, line, nullptr);
    if (segment < 0 || !line)
        return;
    cad->BreakLineByAPoint(c, line, this, segment);
    // The dot is centred on the split point.
    const double z = Zoom();
    RemoveAllPoints(this);
    AddPointByMouse(TPoint(Round(c.X * z), Round(c.Y * z)));
    TMyLinkPoint::Drawed(From, To);
}
