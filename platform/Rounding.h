#pragma once
// Rounding of floating values to integers: half to even (1.5 -> 2, 2.5 -> 2,
// -0.5 -> 0), the one rule used wherever the drawing model says "rounded".
#include <cstdint>

// Rounds half to even; values beyond the int32 range saturate, NaN gives 0.
int32_t Round(double v);
// The same rounding to a 64-bit result (saturating).
int64_t Round64(double v);
// Truncation toward zero, saturating like Round.
int32_t Trunc(double v);
