// The ten-byte x87 extended numbers of older drawing files: known byte patterns, the
// special values, rounding to float in one step, and a cross-check against the
// hardware's own extended type where long double is that type.
#include "platform/Extended.h"

#include <QBuffer>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

TExtendedBytes Hex(const char* hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    TExtendedBytes e{};
    std::memcpy(e.data(), b.constData(), std::min<size_t>(10, size_t(b.size())));
    return e;
}

// sign, biased exponent, significand
TExtendedBytes Make(bool negative, int exponent, uint64_t significand)
{
    TExtendedBytes e{};
    for (int i = 0; i < 8; ++i)
        e[i] = uint8_t(significand >> (8 * i));
    const unsigned top = unsigned(exponent) | (negative ? 0x8000u : 0u);
    e[8] = uint8_t(top);
    e[9] = uint8_t(top >> 8);
    return e;
}

} // namespace

TEST(Extended, KnownBytePatterns)
{
    const TExtendedBytes one = Hex("0000000000000080ff3f");
    EXPECT_EQ(ExtendedToDouble(one), 1.0);
    EXPECT_EQ(ExtendedToFloat(one), 1.0f);
    EXPECT_EQ(DoubleToExtended(1.0), one);

    const TExtendedBytes minus2_5 = Hex("00000000000000a000c0");
    EXPECT_EQ(ExtendedToDouble(minus2_5), -2.5);
    EXPECT_EQ(ExtendedToFloat(minus2_5), -2.5f);
    EXPECT_EQ(DoubleToExtended(-2.5), minus2_5);

    const TExtendedBytes tenth = Hex("cdccccccccccccccfb3f"); // 0.1 rounded to 64 bits
    EXPECT_EQ(ExtendedToFloat(tenth), 0.1f);
    EXPECT_EQ(ExtendedToDouble(tenth), 0.1);

    const TExtendedBytes big = Hex("00000000000000c00440"); // 1.5 * 2^5 = 48
    EXPECT_EQ(ExtendedToDouble(big), 48.0);
}

TEST(Extended, ZerosAndDenormals)
{
    const TExtendedBytes zero = Hex("00000000000000000000");
    EXPECT_EQ(ExtendedToDouble(zero), 0.0);
    EXPECT_FALSE(std::signbit(ExtendedToDouble(zero)));
    EXPECT_EQ(DoubleToExtended(0.0), zero);
    const TExtendedBytes negZero = Hex("00000000000000000080");
    EXPECT_TRUE(std::signbit(ExtendedToFloat(negZero)));
    EXPECT_EQ(DoubleToExtended(-0.0), negZero);

    // An extended denormal is far below every double: zero with its sign.
    const TExtendedBytes tiny = Make(true, 0, 1);
    EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
    EXPECT_TRUE(std::signbit(ExtendedToDouble(tiny)));

    // The smallest double denormal is a normal extended number and comes back exactly.
    const double minDenormal = std::numeric_limits<double>::denorm_min();
    const TExtendedBytes e = DoubleToExtended(minDenormal);
    EXPECT_EQ(e, Make(false, 16383 - 1074, uint64_t(1) << 63));
    EXPECT_EQ(ExtendedToDouble(e), minDenormal);
    EXPECT_EQ(ExtendedToFloat(e), 0.0f);

    // 2^-140 is a float denormal; 1.5 * 2^-150 rounds up to the smallest float denormal
    // and exactly 2^-150 (half of it) rounds to even, that is to zero.
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383 - 140, uint64_t(1) << 63)), std::ldexp(1.0f, -140));
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383 - 150, uint64_t(3) << 62)), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383 - 150, uint64_t(1) << 63)), 0.0f);
}

TEST(Extended, InfinitiesNaNsAndOverflow)
{
    const TExtendedBytes inf = Hex("0000000000000080ff7f");
    EXPECT_EQ(ExtendedToDouble(inf), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToFloat(inf), std::numeric_limits<float>::infinity());
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::infinity()), inf);
    const TExtendedBytes negInf = Hex("0000000000000080ffff");
    EXPECT_EQ(ExtendedToFloat(negInf), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(DoubleToExtended(-std::numeric_limits<double>::infinity()), negInf);

    const TExtendedBytes nan = Hex("00000000000000c0ff7f");
    EXPECT_TRUE(std::isnan(ExtendedToDouble(nan)));
    EXPECT_TRUE(std::isnan(ExtendedToFloat(nan)));
    const TExtendedBytes nanBack = DoubleToExtended(ExtendedToDouble(nan));
    EXPECT_EQ(nanBack[9] & 0x7F, 0x7F);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(nanBack)));
    EXPECT_TRUE(std::signbit(ExtendedToDouble(Make(true, 0x7FFF, 0xC000000000000001ull))));

    // 2^200 fits a double but not a float; 2^16000 fits neither.
    EXPECT_EQ(ExtendedToDouble(Make(false, 16383 + 200, uint64_t(1) << 63)), std::ldexp(1.0, 200));
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383 + 200, uint64_t(1) << 63)), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ExtendedToDouble(Make(true, 16383 + 16000, uint64_t(1) << 63)), -std::numeric_limits<double>::infinity());
    // The largest float survives; just above half an ulp beyond it overflows.
    const float maxFloat = std::numeric_limits<float>::max();
    EXPECT_EQ(ExtendedToFloat(DoubleToExtended(maxFloat)), maxFloat);
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383 + 127, ~uint64_t(0))), std::numeric_limits<float>::infinity());
}

TEST(Extended, FloatConversionRoundsOnceToNearestEven)
{
    const uint64_t top = uint64_t(1) << 63;
    // 1 + 2^-24 is halfway between 1 and the next float: ties go to the even 1.
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383, top | (top >> 24))), 1.0f);
    // 1 + 3 * 2^-24 is halfway between two floats with an odd lower one: rounds up.
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383, top | (top >> 23) | (top >> 24))), 1.0f + std::ldexp(1.0f, -22));
    // 1 + 2^-24 + 2^-60 lies above the half. Rounding through double first would land on
    // the tie and then on 1; one rounding gives the next float.
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383, top | (top >> 24) | (top >> 60))), 1.0f + std::ldexp(1.0f, -23));
    // Just below the half.
    EXPECT_EQ(ExtendedToFloat(Make(false, 16383, top | ((top >> 24) - 1))), 1.0f);
}

TEST(Extended, DoublesRoundTripExactly)
{
    const double values[] = {1.0, -1.0, 0.1, 1e300, -1e-300, 3.141592653589793, 123456789.125,
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(), 5e-320};
    for (double v : values)
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v)), v) << v;
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isnan(v))
            continue;
        ASSERT_EQ(ExtendedToDouble(DoubleToExtended(v)), v);
    }
}

TEST(Extended, AgreesWithTheHardwareExtendedType)
{
    if (std::numeric_limits<long double>::digits != 64 || sizeof(long double) < 10)
        GTEST_SKIP() << "long double is not the x87 extended type here";
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        // Normal numbers (integer bit set) over the whole exponent range, and denormals.
        const int exponent = i % 7 == 0 ? 0 : int(random() % 0x7FFF);
        uint64_t significand = random();
        if (exponent != 0)
            significand |= uint64_t(1) << 63;
        else
            significand &= ~(uint64_t(1) << 63);
        const TExtendedBytes e = Make(random() & 1, exponent, significand);
        long double ld = 0;
        std::memcpy(&ld, e.data(), 10);
        ASSERT_EQ(ExtendedToDouble(e), double(ld)) << i;
        ASSERT_EQ(ExtendedToFloat(e), float(ld)) << i;
    }
}

TEST(Extended, StreamReadsAndWrites)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteExtended(out, -2.5));
    ASSERT_TRUE(WriteExtended(out, 0.1));
    EXPECT_EQ(bytes.left(10), QByteArray::fromHex("00000000000000a000c0"));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    float f = 0;
    double d = 0;
    ASSERT_TRUE(ReadExtended(in, f));
    EXPECT_EQ(f, -2.5f);
    ASSERT_TRUE(ReadExtended(in, d));
    EXPECT_EQ(d, 0.1);
    EXPECT_FALSE(ReadExtended(in, f));
    QByteArray cut = QByteArray::fromHex("000000000000008000");
    QBuffer short9(&cut);
    short9.open(QIODevice::ReadOnly);
    EXPECT_FALSE(ReadExtended(short9, f));
}
