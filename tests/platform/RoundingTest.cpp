#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Rounding, HalfToEven)
{
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(2.4999), 2);
    EXPECT_EQ(Round(-2.6), -3);
}

TEST(Rounding, SaturatesOutsideInt32AndMapsNanToZero)
{
    EXPECT_EQ(Round(1e20), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(Round(-1e20), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Round64(5e9 + 0.5), int64_t(5000000000));
}

TEST(Screen, DefaultsTo96AndCanBeOverridden)
{
    EXPECT_EQ(ScreenPixelsPerInch(), 96);
    SetScreenPixelsPerInch(120);
    EXPECT_EQ(ScreenPixelsPerInch(), 120);
    SetScreenPixelsPerInch(0);
    EXPECT_EQ(ScreenPixelsPerInch(), 96);
}
