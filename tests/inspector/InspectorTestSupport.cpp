#include "InspectorTestSupport.h"

#include "support/DrawingTestSupport.h"

TInspectedDrawing::TInspectedDrawing() : Cad(std::make_unique<TMyCAD>())
{
    Cad->resize(400, 300);
    Rect = AddRect(*Cad, 10, 10, 60, 40, QStringLiteral("R1"));
}

QStringList NamesOf(const TPropertyList& list)
{
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names << list.Items(i)->Name();
    return names;
}

QStringList RowNames(TCustomComponentInspector& insp)
{
    QStringList names;
    for (int i = 0; i < insp.ItemCount(); ++i)
        names << insp.ItemName(i);
    return names;
}

int RowOf(TCustomComponentInspector& insp, const QString& fullName)
{
    return insp.List().RowOf(fullName);
}
