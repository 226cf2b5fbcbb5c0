// The smallest host of the component: it creates a drawing, adds a rectangle by code,
// listens to the drawing's events and reads the shape back.
#include <CAD.h>

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TMyCAD drawing;
    int added = 0;
    drawing.OnShapeAdded = [&added](TMyShape*&, int) { ++added; };
    const int id = drawing.AddShapeByCode(&drawing, SpRectangle, QString(),
                                          {TMyPoint(10, 10), TMyPoint(110, 10), TMyPoint(110, 60), TMyPoint(10, 60)},
                                          0, QStringLiteral("Box"));
    const TMyShape* box = drawing.GetShapeByID(id);
    std::printf("MyCAD %s host: page %d x %d pixels, shape %s (%s), %d added\n", MyCADVersion(), drawing.width(),
                drawing.height(), qPrintable(box ? box->Name() : QStringLiteral("?")),
                qPrintable(box ? box->ClassName() : QString()), added);
    // The library built is the one whose headers the host compiled against.
    const bool sameVersion = std::strcmp(MyCADVersion(), MYCAD_VERSION_STRING) == 0;
    return box && box->ClassName() == QStringLiteral("TMyRectangle") && added == 1 && sameVersion ? 0 : 1;
}
