// TMyEllipse: the ellipse inscribed in the rectangle's box, drawn as a 73-point outline.
#include "component/shapes/MyEllipse.h"

#include "component/render/CanvasModes.h"

#include <cmath>
#include <numbers>

namespace {
// sin and cos of the 73 outline angles i * 5 degrees, i = 0 .. 72.
struct OutlineTable {
    double Sin[73];
    double Cos[73];
    OutlineTable()
    {
        for (int i = 0; i <= 72; ++i) {
            const double t = i * std::numbers::pi / 36;
            Sin[i] = std::sin(t);
            Cos[i] = std::cos(t);
        }
    }
};
const OutlineTable& Table()
{
    static const OutlineTable table;
    return table;
}
} // namespace

TArrPoint TMyEllipse::Outline(TMyPoint Q) const
{
    TArrPoint points;
    Outline(Q, points);
    return points;
}

void TMyEllipse::Outline(TMyPoint Q, TArrPoint& points) const
{
    const double z = Zoom();
    float width = 0, height = 0;
    GetMyWidthHeight(width, height);
    const double a = z * width / 2;
    const double b = z * height / 2;
    const double phi = Angle();
    // An unturned ellipse (the usual case) spares the sine and cosine; cos 0 and sin 0
    // are exactly 1 and 0, so the points are the same.
    const double cosPhi = phi == 0 ? 1.0 : std::cos(phi), sinPhi = phi == 0 ? 0.0 : std::sin(phi);
    const OutlineTable& table = Table();
    points.clear();
    points.reserve(73);
    for (int i = 0; i <= 72; ++i) {
        const double x = table.Sin[i] * a;
        const double y = table.Cos[i] * b;
        points.push_back(TPoint(Round(x * cosPhi - y * sinPhi + Q.X), Round(x * sinPhi + y * cosPhi + Q.Y)));
    }
}

void TMyEllipse::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    if (GetPointsCount() >= 4) {
        thread_local TArrPoint outline; // kept between calls to spare the allocation
        Outline(GetCenterPointInZoom(), outline);
        PowerDrawShape(Canvas, outline, 73, true);
    }
    DrawInfo(Canvas);
}

// ---- Rubber bands (the caller sets the exclusive-or mode) ------------------------------

void TMyEllipse::Drawing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (Canvas)
        Canvas->Ellipse(From.X, From.Y, To.X, To.Y);
}

void TMyEllipse::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    const TMyPoint c = GetCenterPointInZoom();
    const TMyPoint q(float(c.X + (double(To.X) - From.X)), float(c.Y + (double(To.Y) - From.Y)));
    Canvas->BeginPath();
    Canvas->Polyline(Outline(q));
    Canvas->EndPath();
    Canvas->StrokeAndFillPath();
}

// ---- Area ---------------------------------------------------------------------------------

QString TMyEllipse::GetInfo()
{
    const double a = GetMyWidth() / 2.0;
    const double b = GetMyHeight() / 2.0;
    return AreaText(std::numbers::pi * a * b);
}
