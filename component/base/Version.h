#pragma once
// The component's version, as built (MYCAD_VERSION_STRING and its parts).
#include "mycad_export.h"
#include "mycad_version.h"

MYCAD_EXPORT const char* MyCADVersion();
