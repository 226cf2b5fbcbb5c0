#include "DrawByCode.h"

#include <CAD.h>

#include <QApplication>

#include <cmath>
#include <numbers>

namespace {
// The picture the image item shows when no logo.bmp lies beside the program.
void PaintLogo(TBitmap& logo)
{
    logo.SetSize(120, 60);
    TCanvas& c = logo.Canvas();
    c.Brush().SetColor(RGB(0x20, 0x60, 0xA0));
    c.FillRect(TRect(0, 0, 120, 60));
    c.Font().SetColor(clWhite);
    c.Font().SetSize(20);
    c.SetBkMode(TRANSPARENT);
    c.TextOut(14, 14, QStringLiteral("MyCAD"));
}

// A rectangle by code with link points at the middles of its sides (left, top, right,
// bottom).
TMyShape* LinkableBox(TMyCAD& cad, const QString& name, float x, float y, float w, float h)
{
    const int id = cad.AddShapeByCode(&cad, SpRectangle, QString(),
                                      {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, 0, name);
    TMyShape* box = cad.GetShapeByID(id);
    if (box)
        for (const TMyPoint& p : {TMyPoint(x, y + h / 2), TMyPoint(x + w / 2, y), TMyPoint(x + w, y + h / 2),
                                  TMyPoint(x + w / 2, y + h)})
            box->AddLinkPoint(p);
    return box;
}

// Two boxes joined by a connector from the first's right side to the second's left side,
// and a third below the first joined to it from its top.
void AddLinkedShapes(TMyCAD& cad)
{
    TMyShape* a = LinkableBox(cad, QStringLiteral("LinkedA"), 60, 60, 100, 60);
    TMyShape* b = LinkableBox(cad, QStringLiteral("LinkedB"), 300, 160, 100, 60);
    TMyShape* c = LinkableBox(cad, QStringLiteral("LinkedC"), 60, 300, 100, 60);
    cad.CreateLink(QStringLiteral("LinkAB"), a, 2, b, 0);
    cad.CreateLink(QStringLiteral("LinkAC"), a, 3, c, 1);
}

std::function<void(TMyCAD&)> Add(TDrawTool tool, const QString& name, TArrMyPoint points, double angle = 0)
{
    return [=](TMyCAD& cad) { cad.AddShapeByCode(&cad, tool, QString(), points, angle, name); };
}
} // namespace

std::vector<TDrawByCodeItem> DrawByCodeItems()
{
    return {
        {QStringLiteral("Line"), Add(SpLine, QStringLiteral("LineShape"), {{211, 231}, {50, 40}})},
        {QStringLiteral("RuleLine"), Add(SpRuleLine, QStringLiteral("RuleLineShape"), {{41, 131}, {150, 140}})},
        {QStringLiteral("Ellipse"),
         Add(SpEllipse, QStringLiteral("EllipseShape"), {{211, 231}, {211, 340}, {350, 340}, {350, 231}})},
        {QStringLiteral("Rectangle"), Add(SpRectangle, QStringLiteral("RectangleShape"),
                                          {{211, 290}, {211, 380}, {270, 380}, {270, 290}}, std::numbers::pi / 6)},
        {QStringLiteral("PolyLine by array"),
         Add(SpPolyLine, QStringLiteral("PolyLineShape"), {{11, 190}, {70, 180}, {10, 210}, {190, 210}})},
        {QStringLiteral("Polygon by array"),
         Add(SpPolygon, QStringLiteral("PolygonShape"), {{11, 390}, {70, 380}, {10, 210}, {190, 110}})},
        {QStringLiteral("Text"),
         [](TMyCAD& cad) {
             const int id = cad.AddShapeByCode(&cad, SpText, QString(), {{211, 290}, {211, 380}, {270, 380}, {270, 290}},
                                               0, QStringLiteral("TextShape"));
             if (auto* text = dynamic_cast<TMyText*>(cad.GetShapeByID(id)))
                 text->SetLines({QStringLiteral("My Text")});
         }},
        {QStringLiteral("Image(Bitmap)"),
         [](TMyCAD& cad) {
             TBitmap logo;
             if (!logo.LoadFromFile(QApplication::applicationDirPath() + QStringLiteral("/logo.bmp")))
                 PaintLogo(logo);
             cad.AddImageShapeByCode(QStringLiteral("ImageShape"), TPoint(20, 30), &logo);
         }},
        {QStringLiteral("Linked shapes (CreateLink)"), AddLinkedShapes},
        {QStringLiteral("BeMouse(NoShape)"), [](TMyCAD& cad) { cad.SetShapeTool(SpSelecting); }},
        {QStringLiteral("DeSelectAllShapesByCode"), [](TMyCAD& cad) { cad.DeSelectedAllShapesByCode(); }},
        {QStringLiteral("SelectShapeByCode"), [](TMyCAD& cad) { cad.SelectShapeByCode(1, true); }},
    };
}
