#include "Screen.h"

namespace {
int g_ppi = 96;
}

int ScreenPixelsPerInch()
{
    return g_ppi;
}

void SetScreenPixelsPerInch(int ppi)
{
    g_ppi = ppi > 0 ? ppi : 96;
}
