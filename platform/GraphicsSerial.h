#pragma once
// Change numbers of pens, brushes and fonts: each change takes the next number of one
// process-wide counter, so a canvas can tell by number alone whether what it applied
// last is still current (the user-interface thread only).
#include "mycad_export.h"
#include <QExplicitlySharedDataPointer>
#include <cstdint>

MYCAD_EXPORT uint64_t NextGraphicsSerial();

// The shared values of a pen, brush or font, made the object's own for a change: copied
// first while other objects share them, then given the next number.
template <typename TData>
TData& EditSharedValues(QExplicitlySharedDataPointer<TData>& Values)
{
    Values.detach();
    Values->Serial = NextGraphicsSerial();
    return *Values;
}
