// Arrow-head geometry: pulling the tip back and placing the two base corners.
#include "component/base/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

double Dist(const TMyPoint& a, const TMyPoint& b)
{
    return std::hypot(double(a.X) - b.X, double(a.Y) - b.Y);
}

// Angle between the vectors (p - vertex) and (q - vertex).
double AngleAt(const TMyPoint& vertex, const TMyPoint& p, const TMyPoint& q)
{
    const double ux = double(p.X) - vertex.X, uy = double(p.Y) - vertex.Y;
    const double vx = double(q.X) - vertex.X, vy = double(q.Y) - vertex.Y;
    return std::acos((ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy)));
}

// Sign of the cross product (p - a) x (q - a): which side of line a-q point p lies on.
double Side(const TMyPoint& a, const TMyPoint& q, const TMyPoint& p)
{
    return (double(q.X) - a.X) * (double(p.Y) - a.Y) - (double(q.Y) - a.Y) * (double(p.X) - a.X);
}
} // namespace

TEST(SplitLine, PullsTheTipBackAlongTheLine)
{
    const TMyPoint right = SplitLine(MyPoint(100, 0), MyPoint(0, 0), 10);
    EXPECT_FLOAT_EQ(right.X, 90.0f);
    EXPECT_NEAR(right.Y, 0.0f, 1e-6f);
    const TMyPoint left = SplitLine(MyPoint(0, 0), MyPoint(100, 0), 10);
    EXPECT_FLOAT_EQ(left.X, 10.0f);
    EXPECT_NEAR(left.Y, 0.0f, 1e-6f);
    const TMyPoint down = SplitLine(MyPoint(0, 100), MyPoint(0, 0), 10);
    EXPECT_NEAR(down.X, 0.0f, 1e-5f);
    EXPECT_NEAR(down.Y, 90.0f, 1e-5f);
    const TMyPoint up = SplitLine(MyPoint(0, -100), MyPoint(0, 0), 10);
    EXPECT_NEAR(up.X, 0.0f, 1e-5f);
    EXPECT_NEAR(up.Y, -90.0f, 1e-5f);
    // Diagonals in every quadrant: the new tip lies on the segment, Offset from the tip.
    for (const TMyPoint tip : {MyPoint(30, 40), MyPoint(-30, 40), MyPoint(-30, -40), MyPoint(30, -40)}) {
        const TMyPoint t = SplitLine(tip, MyPoint(0, 0), 5);
        EXPECT_NEAR(Dist(t, tip), 5.0, 1e-4);
        EXPECT_NEAR(Dist(t, MyPoint(0, 0)), 45.0, 1e-4);
    }
    EXPECT_EQ(SplitLine(MyPoint(7, 8), MyPoint(0, 0), 0), MyPoint(7, 8));
}

TEST(SplitLine, CoincidentPointsUseAQuarterTurn)
{
    // theta = pi/2: the pull-back goes along +X, Y stays.
    const TMyPoint t = SplitLine(MyPoint(5, 5), MyPoint(5, 5), 3);
    EXPECT_FLOAT_EQ(t.X, 8.0f);
    EXPECT_NEAR(t.Y, 5.0f, 1e-6f);
}

TEST(GetTriangle, HorizontalLine)
{
    const double alpha = 10 * kPi / 180;
    const TMyTriangle head = GetTriangle(MyPoint(90, 0), MyPoint(0, 0), alpha, 30);
    EXPECT_EQ(head.Tip, MyPoint(90, 0));
    EXPECT_NEAR(head.Corner1.X, 90 - 30 * std::cos(alpha), 1e-4);
    EXPECT_NEAR(head.Corner1.Y, 30 * std::sin(alpha), 1e-4);
    EXPECT_NEAR(head.Corner2.X, 90 - 30 * std::cos(alpha), 1e-4);
    EXPECT_NEAR(head.Corner2.Y, -30 * std::sin(alpha), 1e-4);
}

TEST(GetTriangle, IsIsoscelesAboutTheLineInEveryDirection)
{
    const double alpha = 20 * kPi / 180;
    const TMyPoint from(50, 50);
    for (int k = 0; k < 16; ++k) {
        const double dir = k * kPi / 8;
        const TMyPoint tip(float(50 + 80 * std::cos(dir)), float(50 + 80 * std::sin(dir)));
        const TMyTriangle head = GetTriangle(tip, from, alpha, 25);
        EXPECT_NEAR(Dist(head.Corner1, tip), 25.0, 1e-3) << k;
        EXPECT_NEAR(Dist(head.Corner2, tip), 25.0, 1e-3) << k;
        EXPECT_NEAR(AngleAt(tip, head.Corner1, from), alpha, 1e-4) << k;
        EXPECT_NEAR(AngleAt(tip, head.Corner2, from), alpha, 1e-4) << k;
        // One corner on each side of the line.
        EXPECT_LT(Side(tip, from, head.Corner1) * Side(tip, from, head.Corner2), 0.0) << k;
    }
}

TEST(GetTriangle, CoincidentPointsUseAQuarterTurn)
{
    const double alpha = 10 * kPi / 180;
    const TMyTriangle head = GetTriangle(MyPoint(0, 0), MyPoint(0, 0), alpha, 20);
    // phi = pi/2: the head opens towards +X, symmetric about the X axis.
    EXPECT_NEAR(head.Corner1.X, 20 * std::cos(alpha), 1e-4);
    EXPECT_NEAR(head.Corner2.X, 20 * std::cos(alpha), 1e-4);
    EXPECT_NEAR(head.Corner1.Y, -head.Corner2.Y, 1e-4);
    EXPECT_NEAR(std::fabs(head.Corner1.Y), 20 * std::sin(alpha), 1e-4);
}
