#include "ClipboardTestSupport.h"

// The hand-written bytes of the drawing-file tests (header, document block, records) are
// compiled into this area too.
#include "files/FilesTestSupport.cpp"

namespace {

// A rectangle with link points in the middle of its sides: left, top, right, bottom.
TMyShape* Box(TMyCAD& cad, float x1, float y1, float x2, float y2, const QString& name)
{
    TMyShape* s = AddRect(cad, x1, y1, x2, y2, name);
    const float mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
    for (const TMyPoint& p : {TMyPoint(x1, my), TMyPoint(mx, y1), TMyPoint(x2, my), TMyPoint(mx, y2)})
        s->AddLinkPoint(p);
    return s;
}

} // namespace

TSampleDrawing BuildSample(TMyCAD& cad)
{
    cad.SetSnap(false);
    TSampleDrawing s;
    s.A = Box(cad, 10, 10, 60, 40, QStringLiteral("A"));
    s.B = Box(cad, 110, 10, 160, 40, QStringLiteral("B"));
    s.C = Box(cad, 10, 110, 60, 140, QStringLiteral("C"));
    const int link = cad.CreateLink(QStringLiteral("L"), s.A, 3, s.C, 1);
    s.Link = qobject_cast<TMyLinkLine*>(cad.GetShapeByID(link));
    const int group = cad.GroupShapes({s.A, s.B}, false);
    s.Group = cad.GetShapeByID(group);
    cad.RemoveAllWorkingShapes();
    return s;
}

TArrMyShape Roots(const TMyCAD& cad)
{
    TArrMyShape roots;
    for (const auto& shape : cad.Shapes())
        if (!shape->HasParentShape())
            roots.push_back(shape.get());
    return roots;
}
