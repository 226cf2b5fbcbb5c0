#pragma once
// The hot colour: the fill of grab handles, one value shared by every drawing of the
// process. Setting any drawing's ColorOfHot replaces it.
#include "platform/Color.h"

TColor HotColor();
void SetHotColor(TColor c);
