#pragma once
// The hot colour: the fill of grab handles, one value shared by every drawing of the
// process. Setting any drawing's ColorOfHot replaces it.
#include "mycad_export.h"
#include "platform/Color.h"

MYCAD_EXPORT TColor HotColor();
MYCAD_EXPORT void SetHotColor(TColor c);
