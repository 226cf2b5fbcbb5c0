// Distances, slope angles, rotation and angle reduction.
#include "component/base/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

// The direction of A seen from B, from +X towards +Y, in [0, 2 pi).
double ReferenceDirection(const TMyPoint& A, const TMyPoint& B)
{
    double a = std::atan2(double(A.Y) - B.Y, double(A.X) - B.X);
    return a < 0 ? a + 2 * kPi : a;
}
} // namespace

TEST(Measures, LengthIsEuclidean)
{
    EXPECT_FLOAT_EQ(GetLengthinPixel(MyPoint(0, 0), MyPoint(3, 4)), 5.0f);
    EXPECT_FLOAT_EQ(GetLengthinPixel(MyPoint(-1, 7), MyPoint(-4, 3)), 5.0f);
    EXPECT_EQ(GetLengthinPixel(MyPoint(2, 2), MyPoint(2, 2)), 0.0f);
    // Squares of large coordinates do not overflow.
    EXPECT_FLOAT_EQ(GetLengthinPixel(MyPoint(0, 0), MyPoint(3e30f, 4e30f)), 5e30f);
}

TEST(Measures, QuadrantSigns)
{
    EXPECT_EQ(PointInQuadrantX(MyPoint(0, 0), MyPoint(1, 0)), 1);
    EXPECT_EQ(PointInQuadrantX(MyPoint(0, 0), MyPoint(0, 0)), -1);
    EXPECT_EQ(PointInQuadrantX(MyPoint(0, 0), MyPoint(-1, 0)), -1);
    EXPECT_EQ(PointInQuadrantY(MyPoint(0, 0), MyPoint(0, 1)), 1);
    EXPECT_EQ(PointInQuadrantY(MyPoint(0, 5), MyPoint(0, 5)), -1);
    EXPECT_EQ(PointInQuadrantY(MyPoint(0, 0), MyPoint(0, -1)), -1);
}

TEST(SlopeAngle, CompassDirectionsAndCoincidentPoints)
{
    const TMyPoint origin(0, 0);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(MyPoint(10, 0), origin), 0.0);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(MyPoint(0, 10), origin), kPi / 2);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(MyPoint(-10, 0), origin), kPi);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(MyPoint(0, -10), origin), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(origin, origin), kPi / 2);
    EXPECT_DOUBLE_EQ(GetSlopeAngle(MyPoint(4, 4), MyPoint(4, 4)), kPi / 2);
}

TEST(SlopeAngle, DiagonalsInEveryQuadrant)
{
    const TMyPoint b(100, 50);
    EXPECT_NEAR(GetSlopeAngle(MyPoint(110, 60), b), kPi / 4, 1e-12);     // down right
    EXPECT_NEAR(GetSlopeAngle(MyPoint(90, 60), b), 3 * kPi / 4, 1e-12);  // down left
    EXPECT_NEAR(GetSlopeAngle(MyPoint(90, 40), b), 5 * kPi / 4, 1e-12);  // up left
    EXPECT_NEAR(GetSlopeAngle(MyPoint(110, 40), b), 7 * kPi / 4, 1e-12); // up right
}

TEST(SlopeAngle, AgreesWithTheDirectionFromBToAEverywhere)
{
    const TMyPoint b(-3.5f, 12.25f);
    for (int i = -6; i <= 6; ++i) {
        for (int j = -6; j <= 6; ++j) {
            if (i == 0 && j == 0)
                continue;
            const TMyPoint a(b.X + float(i) * 1.5f, b.Y + float(j) * 2.0f);
            const double angle = GetSlopeAngle(a, b);
            EXPECT_GE(angle, 0.0);
            EXPECT_LT(angle, 2 * kPi);
            EXPECT_NEAR(angle, ReferenceDirection(a, b), 1e-9) << "i=" << i << " j=" << j;
        }
    }
}

TEST(RotateAPoint, QuarterTurnsAboutTheOriginTurnClockwiseOnScreen)
{
    const TMyPoint o(0, 0);
    const TMyPoint down = RotateAPoint(MyPoint(10, 0), o, float(kPi / 2));
    EXPECT_NEAR(down.X, 0.0f, 1e-5f);
    EXPECT_NEAR(down.Y, 10.0f, 1e-5f);
    const TMyPoint left = RotateAPoint(MyPoint(10, 0), o, float(kPi));
    EXPECT_NEAR(left.X, -10.0f, 1e-5f);
    EXPECT_NEAR(left.Y, 0.0f, 1e-5f);
    const TMyPoint up = RotateAPoint(MyPoint(10, 0), o, float(-kPi / 2));
    EXPECT_NEAR(up.X, 0.0f, 1e-5f);
    EXPECT_NEAR(up.Y, -10.0f, 1e-5f);
    EXPECT_EQ(RotateAPoint(MyPoint(3, -4), o, 0.0f), MyPoint(3, -4));
}

TEST(RotateAPoint, AboutOtherCentres)
{
    const TMyPoint c(5, 5);
    const TMyPoint p = RotateAPoint(MyPoint(10, 5), c, float(kPi / 2));
    EXPECT_NEAR(p.X, 5.0f, 1e-5f);
    EXPECT_NEAR(p.Y, 10.0f, 1e-5f);

    const TMyPoint c2(-20, 30);
    const TMyPoint q = RotateAPoint(MyPoint(-10, 30), c2, float(kPi / 6)); // 30 degrees
    EXPECT_NEAR(q.X, -20 + 10 * std::cos(kPi / 6), 1e-4);
    EXPECT_NEAR(q.Y, 30 + 10 * std::sin(kPi / 6), 1e-4);

    // A centre rotates onto itself; a full turn comes back; distances are kept.
    EXPECT_EQ(RotateAPoint(c2, c2, 1.234f), c2);
    const TMyPoint back = RotateAPoint(MyPoint(7, -2), c, float(2 * kPi));
    EXPECT_NEAR(back.X, 7.0f, 1e-5f);
    EXPECT_NEAR(back.Y, -2.0f, 1e-5f);
    for (int k = 0; k < 12; ++k) {
        const TMyPoint r = RotateAPoint(MyPoint(7, -2), c, float(k * 0.6));
        EXPECT_NEAR(GetLengthinPixel(r, c), GetLengthinPixel(MyPoint(7, -2), c), 1e-4f);
    }
}

TEST(RecaclinRad, RemovesWholeTurnsBeyondTwoPi)
{
    float a = 7.0f;
    RecaclinRad(a);
    EXPECT_FLOAT_EQ(a, float(7.0 - 2 * kPi));
    a = -7.0f;
    RecaclinRad(a);
    EXPECT_FLOAT_EQ(a, float(-7.0 + 2 * kPi));
    a = 20.0f;
    RecaclinRad(a);
    EXPECT_FLOAT_EQ(a, float(20.0 - 6 * kPi));
    a = -20.0f;
    RecaclinRad(a);
    EXPECT_FLOAT_EQ(a, float(-20.0 + 6 * kPi));
}

TEST(RecaclinRad, LeavesTheClosedRangeAlone)
{
    for (float v : {float(2 * kPi), float(-2 * kPi), 0.0f, 3.0f, -6.0f, 6.28f}) {
        float a = v;
        RecaclinRad(a);
        EXPECT_EQ(a, v);
    }
    // Just beyond the limit a tiny positive angle remains.
    float above = std::nextafter(float(2 * kPi), 10.0f);
    RecaclinRad(above);
    EXPECT_GE(above, 0.0f);
    EXPECT_LT(above, 1e-5f);
}

TEST(RecaclinRad, HugeAndNonFiniteAnglesEndPromptly)
{
    float huge = 1e30f;
    RecaclinRad(huge);
    EXPECT_GE(huge, 0.0f);
    EXPECT_LT(huge, float(2 * kPi));
    float negHuge = -3e38f;
    RecaclinRad(negHuge);
    EXPECT_LE(negHuge, 0.0f);
    EXPECT_GT(negHuge, float(-2 * kPi));
    float inf = std::numeric_limits<float>::infinity();
    RecaclinRad(inf);
    EXPECT_TRUE(std::isinf(inf));
    float nan = std::numeric_limits<float>::quiet_NaN();
    RecaclinRad(nan);
    EXPECT_TRUE(std::isnan(nan));
}

TEST(RecaclinDeg, RemovesWholeTurnsBeyond360)
{
    const struct {
        int32_t in, out;
    } cases[] = {{720, 0},    {360, 360},   {-400, -40}, {361, 1},   {-360, -360}, {-361, -1},
                 {-720, 0},   {1000, 280},  {0, 0},      {359, 359}, {-359, -359}, {1080, 0},
                 {std::numeric_limits<int32_t>::max(), 127},
                 {std::numeric_limits<int32_t>::min(), -128}};
    for (const auto& c : cases) {
        int32_t a = c.in;
        RecaclinDeg(a);
        EXPECT_EQ(a, c.out) << "input " << c.in;
    }
}
