#pragma once
// Small string helpers of the drawing component.
#include "mycad_export.h"
#include <QString>

#include <cstdint>

// S padded with spaces to N + 1 characters when it has at most N characters (N - length
// + 1 spaces are added); S itself when it is longer.
MYCAD_EXPORT QString AppendSpace(const QString& S, int32_t N);
