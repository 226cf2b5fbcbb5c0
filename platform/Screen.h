#pragma once
// The screen's logical resolution. 96 pixels per inch unless a test or host overrides
// it, so page sizes in pixels do not depend on the machine the drawing is shown on.
#include "mycad_export.h"
MYCAD_EXPORT int ScreenPixelsPerInch();
// Overrides the value (0 restores the default of 96).
MYCAD_EXPORT void SetScreenPixelsPerInch(int ppi);
