#pragma once
// The boundary paths of a HATCH entity as closed point loops in the hatch's own
// coordinates: polyline paths with their bulges, and edge paths of lines, circular and
// elliptic arcs and splines, each curve flattened into short straight pieces.
#include "mycad_export.h"
#include "component/dxf/DXFGeometry.h"
#include "component/dxf/DXFGroupTable.h"

#include <vector>

// Reads the paths that follow group 91 (their count) in the entity's groups. Loops with
// fewer than two points are left out; a damaged path ends the reading with the loops
// found before it.
MYCAD_EXPORT std::vector<std::vector<TVec2>> HatchBoundaries(const std::vector<TDXFGroup>& Groups);
