#pragma once
// Change numbers of pens, brushes and fonts: each change takes the next number of one
// process-wide counter, so a canvas can tell by number alone whether what it applied
// last is still current (the user-interface thread only).
#include "mycad_export.h"
#include <cstdint>

MYCAD_EXPORT uint64_t NextGraphicsSerial();
