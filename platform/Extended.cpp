#include "Extended.h"

#include "Stream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t(1) << 63;

struct TUnpacked {
    bool negative = false;
    int exponent = 0;      // biased, 0 .. 0x7FFF
    uint64_t significand = 0;
};

TUnpacked Unpack(const TExtendedBytes& b)
{
    TUnpacked u;
    for (int i = 7; i >= 0; --i)
        u.significand = (u.significand << 8) | b[i];
    const unsigned top = unsigned(b[8]) | (unsigned(b[9]) << 8);
    u.negative = (top & 0x8000) != 0;
    u.exponent = int(top & 0x7FFF);
    return u;
}

// Rounds significand x 2^power (significand != 0) to the nearest T, ties to even,
// with T's own subnormal range and overflow to infinity.
template <typename T>
T RoundTo(uint64_t significand, int power)
{
    constexpr int precision = std::numeric_limits<T>::digits;      // 24 or 53
    constexpr int minExponent = std::numeric_limits<T>::min_exponent - 1; // of the smallest normal

    // Normalise so that the top bit is set: the value lies in [2^x, 2^(x+1)).
    const int lead = std::countl_zero(significand);
    significand <<= lead;
    power -= lead;
    const int x = power + 63;

    // Weight of the last bit that T keeps at this magnitude.
    const int lsbPower = std::max(x, minExponent) - precision + 1;
    const int drop = lsbPower - power; // bits of the significand below that weight (> 0)

    uint64_t kept = 0;
    bool roundUp = false;
    if (drop < 64) {
        kept = significand >> drop;
        const uint64_t rest = significand & ((uint64_t(1) << drop) - 1);
        const uint64_t half = uint64_t(1) << (drop - 1);
        roundUp = rest > half || (rest == half && (kept & 1));
    } else if (drop == 64) {
        // The whole value is below one unit of the last place: compare with the half.
        roundUp = significand > kIntegerBit; // exactly half rounds to the even zero
    }
    if (roundUp)
        ++kept;
    // kept * 2^lsbPower is representable in T (or overflows to infinity), so the
    // scaling is exact.
    return std::ldexp(T(kept), lsbPower);
}

template <typename T>
T Convert(const TExtendedBytes& bytes)
{
    const TUnpacked u = Unpack(bytes);
    T result;
    if (u.exponent == 0x7FFF) {
        if ((u.significand & ~kIntegerBit) == 0) {
            result = std::numeric_limits<T>::infinity();
        } else {
            result = std::numeric_limits<T>::quiet_NaN();
        }
    } else if (u.significand == 0) {
        result = T(0);
    } else {
        // Denormals share the exponent of the smallest normal number.
        const int power = std::max(u.exponent, 1) - kBias - 63;
        result = RoundTo<T>(u.significand, power);
    }
    return u.negative ? -result : result;
}

} // namespace

double ExtendedToDouble(const TExtendedBytes& bytes)
{
    const TUnpacked u = Unpack(bytes);
    if (u.exponent == 0x7FFF && (u.significand & ~kIntegerBit) != 0) {
        // NaN: keep the top 51 payload bits below the quiet bit, force quiet.
        uint64_t bits = (uint64_t(0x7FF) << 52) | (uint64_t(1) << 51) | ((u.significand >> 11) & ((uint64_t(1) << 51) - 1));
        if (u.negative)
            bits |= uint64_t(1) << 63;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    return Convert<double>(bytes);
}

float ExtendedToFloat(const TExtendedBytes& bytes)
{
    return Convert<float>(bytes);
}

TExtendedBytes DoubleToExtended(double value)
{
    uint64_t significand = 0;
    int exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        exponent = 0x7FFF;
        significand = kIntegerBit | (uint64_t(1) << 62) | ((bits & ((uint64_t(1) << 51) - 1)) << 11);
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        significand = kIntegerBit;
    } else if (value != 0) {
        int e = 0;
        const double fraction = std::frexp(std::fabs(value), &e); // [0.5, 1) x 2^e
        significand = uint64_t(std::ldexp(fraction, 64));          // exact: 53 bits at most
        exponent = e - 1 + kBias;
    }
    TExtendedBytes b{};
    for (int i = 0; i < 8; ++i)
        b[i] = uint8_t(significand >> (8 * i));
    const unsigned top = unsigned(exponent) | (negative ? 0x8000u : 0u);
    b[8] = uint8_t(top & 0xFF);
    b[9] = uint8_t(top >> 8);
    return b;
}

bool ReadExtended(QIODevice& dev, float& value)
{
    TExtendedBytes b;
    if (!ReadExact(dev, b.data(), qint64(b.size())))
        return false;
    value = ExtendedToFloat(b);
    return true;
}

bool ReadExtended(QIODevice& dev, double& value)
{
    TExtendedBytes b;
    if (!ReadExact(dev, b.data(), qint64(b.size())))
        return false;
    value = ExtendedToDouble(b);
    return true;
}

bool WriteExtended(QIODevice& dev, double value)
{
    const TExtendedBytes b = DoubleToExtended(value);
    return WriteExact(dev, b.data(), qint64(b.size()));
}
