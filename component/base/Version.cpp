#include "component/base/Version.h"

const char* MyCADVersion()
{
    return MYCAD_VERSION_STRING;
}
