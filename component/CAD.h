#pragma once
// The drawing component's chief header: everything a host needs.
#include "platform/Color.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Types.h"
