#include "component/render/HotColor.h"

namespace {
TColor g_hotColor = clLime;
}

TColor HotColor()
{
    return g_hotColor;
}

void SetHotColor(TColor c)
{
    g_hotColor = c;
}
