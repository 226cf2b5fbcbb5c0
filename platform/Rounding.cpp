#include "Rounding.h"

#include <cmath>
#include <limits>

namespace {
template <typename Int>
Int saturate(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    if (v <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    return Int(v);
}
} // namespace

int32_t RoundSaturating(double v)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even.
    return saturate<int32_t>(std::nearbyint(v));
}

int64_t Round64(double v)
{
    return saturate<int64_t>(std::nearbyint(v));
}

int32_t Trunc(double v)
{
    return saturate<int32_t>(std::trunc(v));
}
