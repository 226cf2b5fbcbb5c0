#pragma once
// The starter shape library: flowchart shapes, arrows, and network and electrical
// symbols, each with link points on its sides.
#include "component/CAD.h"

#include <QStringList>

// Appends every starter entry to Library, in the order of StarterShapeNames; false when
// one could not be written.
bool BuildStarterLibrary(TLibManager& Library);
QStringList StarterShapeNames();

// The two halves (StarterFlowchart.cpp, StarterSymbols.cpp).
bool AddFlowchartShapes(TMyCAD& Drawing, TLibManager& Library);
bool AddSymbolShapes(TMyCAD& Drawing, TLibManager& Library);
