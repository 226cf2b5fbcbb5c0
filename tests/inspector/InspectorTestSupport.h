#pragma once
// Helpers of the inspector tests: a drawing with a rectangle, the rows of a property
// list as name/value pairs, and finding rows of a component inspector.
#include "component/CAD.h"
#include "inspector/CompInsp.h"
#include "inspector/PropList.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

// A drawing (not shown) with one rectangle named "R1".
struct TInspectedDrawing {
    TInspectedDrawing();
    std::unique_ptr<TMyCAD> Cad;
    TMyShape* Rect = nullptr;
};

// The names of a list's properties, in order.
QStringList NamesOf(const TPropertyList& list);
// The row names of an inspector.
QStringList RowNames(TCustomComponentInspector& insp);
// The row of a full name, -1 when not shown.
int RowOf(TCustomComponentInspector& insp, const QString& fullName);
