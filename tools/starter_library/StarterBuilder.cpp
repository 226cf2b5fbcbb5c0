#include "StarterBuilder.h"

#include <cmath>
#include <limits>
#include <numbers>

TMyPoint GridPoint(double X, double Y)
{
    return TMyPoint(float(std::round(X * 16) / 16), float(std::round(Y * 16) / 16));
}

TArrMyPoint ArcPoints(double CX, double CY, double RX, double RY, double From, double To, int Steps)
{
    TArrMyPoint points;
    for (int i = 0; i <= Steps; ++i) {
        const double a = (From + (To - From) * i / Steps) * std::numbers::pi / 180;
        points.push_back(GridPoint(CX + RX * std::cos(a), CY + RY * std::sin(a)));
    }
    return points;
}

TArrMyPoint FitToBox(const TArrMyPoint& Points, int W, int H)
{
    double left = std::numeric_limits<double>::max(), top = left, right = -left, bottom = -left;
    for (const TMyPoint& p : Points) {
        left = std::min(left, double(p.X));
        right = std::max(right, double(p.X));
        top = std::min(top, double(p.Y));
        bottom = std::max(bottom, double(p.Y));
    }
    TArrMyPoint fitted;
    for (const TMyPoint& p : Points)
        fitted.push_back(GridPoint((p.X - left) * W / (right - left), (p.Y - top) * H / (bottom - top)));
    return fitted;
}

TStarterEntry::TStarterEntry(TMyCAD& Drawing, const QString& Name, int W, int H, const QString& Category,
                             const QString& Description)
    : FDrawing(Drawing), FName(Name), FW(W), FH(H)
{
    FUserData.AddKeyandValue(QStringLiteral("Category"), Category);
    FUserData.AddKeyandValue(QStringLiteral("Description"), Description);
}

TStarterEntry& TStarterEntry::Fill(TColor Color)
{
    FFill = Color;
    return *this;
}

TStarterEntry& TStarterEntry::Outline(TColor Color, int Width)
{
    FOutline = Color;
    FOutlineWidth = Width;
    return *this;
}

TMyShape* TStarterEntry::Add(const QString& ClassName, TArrMyPoint Points, bool Filled)
{
    std::unique_ptr<TMyShape> shape = FDrawing.CreateShapeByName(ClassName, &FDrawing);
    shape->PointsRef() = std::move(Points);
    shape->Pen()->SetColor(FOutline);
    shape->Pen()->SetWidth(FOutlineWidth);
    shape->Brush()->SetColor(FFill);
    shape->Brush()->SetStyle(Filled ? bsSolid : bsClear);
    FShapes.push_back(std::move(shape));
    return FShapes.back().get();
}

TStarterEntry& TStarterEntry::Rect(double X1, double Y1, double X2, double Y2)
{
    const TMyPoint a = GridPoint(X1, Y1), b = GridPoint(X2, Y2);
    Add(QStringLiteral("TMyRectangle"), {a, TMyPoint(b.X, a.Y), b, TMyPoint(a.X, b.Y)}, true);
    return *this;
}

TStarterEntry& TStarterEntry::Ellipse(double X1, double Y1, double X2, double Y2)
{
    const TMyPoint a = GridPoint(X1, Y1), b = GridPoint(X2, Y2);
    Add(QStringLiteral("TMyEllipse"), {a, TMyPoint(b.X, a.Y), b, TMyPoint(a.X, b.Y)}, true);
    return *this;
}

TStarterEntry& TStarterEntry::Line(double X1, double Y1, double X2, double Y2)
{
    Add(QStringLiteral("TMyLine"), {GridPoint(X1, Y1), GridPoint(X2, Y2)}, false);
    return *this;
}

TStarterEntry& TStarterEntry::Polygon(const TArrMyPoint& Points)
{
    TArrMyPoint closed = Points;
    if (!closed.empty() && !(closed.front() == closed.back()))
        closed.push_back(closed.front());
    Add(QStringLiteral("TMyPolygon"), std::move(closed), true);
    return *this;
}

TStarterEntry& TStarterEntry::PolyLine(const TArrMyPoint& Points)
{
    Add(QStringLiteral("TMyPolyLine"), Points, false);
    return *this;
}

TStarterEntry& TStarterEntry::Link(double X, double Y)
{
    const TMyPoint c = GridPoint(X, Y);
    std::unique_ptr<TMyShape> point = FDrawing.CreateShapeByName(QStringLiteral("TMyLinkPoint"), &FDrawing);
    const float half = static_cast<TMyLinkPoint*>(point.get())->Size() / 2.0f;
    point->PointsRef() = {TMyPoint(c.X - half, c.Y - half), TMyPoint(c.X + half, c.Y - half),
                          TMyPoint(c.X + half, c.Y + half), TMyPoint(c.X - half, c.Y + half)};
    FShapes.push_back(std::move(point));
    return *this;
}

TStarterEntry& TStarterEntry::Sides()
{
    return Link(FW / 2.0, 0).Link(FW, FH / 2.0).Link(FW / 2.0, FH).Link(0, FH / 2.0);
}

bool TStarterEntry::AppendTo(TLibManager& Library) const
{
    TArrMyShape shapes;
    TArrMyShape outline;
    for (const auto& s : FShapes) {
        shapes.push_back(s.get());
        if (!qobject_cast<TMyLinkPoint*>(s.get()))
            outline.push_back(s.get());
    }
    // The stored unit box must be the entry's box exactly.
    const TMyRect box = FDrawing.GetShapesLTRB(outline);
    if (box.Left != 0 || box.Top != 0 || box.Right != float(FW) || box.Bottom != float(FH))
        return false;
    return Library.AppendNewShape(FName, shapes, FUserData, FW, FH);
}
