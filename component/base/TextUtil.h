#pragma once
// Small string helpers of the drawing component.
#include "component/base/Enums.h"
#include "mycad_export.h"
#include <QString>

#include <cstdint>

// S padded with spaces to N + 1 characters when it has at most N characters (N - length
// + 1 spaces are added); S itself when it is longer.
MYCAD_EXPORT QString AppendSpace(const QString& S, int32_t N);


// "Area=" and the area in the unit, formatted "%9.2f", with the unit's text: UnitArea is
// the area in document units (pixels at one pixel per unit), scaled by Ratio squared and,
// for lengths, converted by D pixels per inch.
MYCAD_EXPORT QString AreaText(double UnitArea, double Ratio, TUnits Unit, double D);
