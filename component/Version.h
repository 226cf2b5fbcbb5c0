#pragma once
// The component's version, as built.
#define MYCAD_VERSION_STRING "0.1.0"

const char* MyCADVersion();
