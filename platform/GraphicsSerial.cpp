#include "GraphicsSerial.h"

uint64_t NextGraphicsSerial()
{
    static uint64_t counter = 0;
    return ++counter;
}
