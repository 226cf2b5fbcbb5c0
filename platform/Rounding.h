#pragma once
// Rounding of floating values to integers: half to even (1.5 -> 2, 2.5 -> 2,
// -0.5 -> 0), the one rule used wherever the drawing model says "rounded".
#include "mycad_export.h"
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The general case of Round: any value, NaN and the ends of the range included.
MYCAD_EXPORT int32_t RoundSaturating(double v);

// Rounds half to even; values beyond the int32 range saturate, NaN gives 0. Inline, as
// drawing rounds every point it lays out.
inline int32_t Round(double v)
{
#if defined(__SSE2__)
    // Inside the range (NaN fails both tests) the processor's conversion rounds in the
    // current rounding mode, which is round-to-nearest-even.
    if (v > -2147483648.5 && v < 2147483647.5)
        return _mm_cvtsd_si32(_mm_set_sd(v));
#endif
    return RoundSaturating(v);
}
// The same rounding to a 64-bit result (saturating).
MYCAD_EXPORT int64_t Round64(double v);
// Truncation toward zero, saturating like Round.
MYCAD_EXPORT int32_t Trunc(double v);
