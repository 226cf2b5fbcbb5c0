// Line intersection in all its branches, and the relative position tests.
#include "component/base/Geometry.h"

#include <gtest/gtest.h>

TEST(Getintersection, VerticalLineOneMeetsHorizontalLineTwo)
{
    bool parallel = true;
    const TMyPoint p = Getintersection(MyPoint(5, 0), MyPoint(0, 3), MyPoint(5, 10), MyPoint(9, 3), &parallel);
    EXPECT_EQ(p, MyPoint(5, 3));
    EXPECT_FALSE(parallel);
}

TEST(Getintersection, VerticalLineOneMeetsSlantedLineTwo)
{
    // Line 2 through (0, 0) and (10, 20) has y = 2x.
    const TMyPoint p = Getintersection(MyPoint(5, -100), MyPoint(0, 0), MyPoint(5, 100), MyPoint(10, 20));
    EXPECT_FLOAT_EQ(p.X, 5.0f);
    EXPECT_FLOAT_EQ(p.Y, 10.0f);
}

TEST(Getintersection, SlantedLineOneMeetsVerticalLineTwo)
{
    bool parallel = true;
    const TMyPoint p = Getintersection(MyPoint(0, 0), MyPoint(4, -5), MyPoint(10, 10), MyPoint(4, 50), &parallel);
    EXPECT_FLOAT_EQ(p.X, 4.0f);
    EXPECT_FLOAT_EQ(p.Y, 4.0f);
    EXPECT_FALSE(parallel);
}

TEST(Getintersection, GeneralCrossings)
{
    bool parallel = true;
    EXPECT_EQ(Getintersection(MyPoint(0, 0), MyPoint(0, 10), MyPoint(10, 10), MyPoint(10, 0), &parallel),
              MyPoint(5, 5));
    EXPECT_FALSE(parallel);
    // A horizontal line with a slanted one.
    const TMyPoint h = Getintersection(MyPoint(0, 3), MyPoint(0, 0), MyPoint(10, 3), MyPoint(6, 6));
    EXPECT_FLOAT_EQ(h.X, 3.0f);
    EXPECT_FLOAT_EQ(h.Y, 3.0f);
    // The crossing may lie outside both segments.
    const TMyPoint far = Getintersection(MyPoint(0, 0), MyPoint(100, 0), MyPoint(1, 1), MyPoint(101, 2));
    EXPECT_FLOAT_EQ(far.X, 200.0f);
    EXPECT_FLOAT_EQ(far.Y, 200.0f);
}

TEST(Getintersection, TwoVerticalLinesGiveHalfTheYDifference)
{
    bool parallel = false;
    // Not the midpoint of A and C (which would have Y = 7): half of C.Y - A.Y.
    const TMyPoint p = Getintersection(MyPoint(5, 4), MyPoint(7, 2), MyPoint(5, 10), MyPoint(7, 20), &parallel);
    EXPECT_EQ(p, MyPoint(5, 3));
    EXPECT_TRUE(parallel);
    // A zero-length first line (A = C) counts as vertical.
    EXPECT_EQ(Getintersection(MyPoint(2, 8), MyPoint(3, 0), MyPoint(2, 8), MyPoint(3, 1)), MyPoint(2, 0));
    // Order matters: C above A gives a negative answer.
    EXPECT_EQ(Getintersection(MyPoint(1, 10), MyPoint(3, 0), MyPoint(1, 4), MyPoint(3, 1)), MyPoint(1, -3));
}

TEST(Getintersection, TwoHorizontalLinesGiveHalfTheXDifference)
{
    bool parallel = false;
    const TMyPoint p = Getintersection(MyPoint(2, 3), MyPoint(0, 8), MyPoint(12, 3), MyPoint(5, 8), &parallel);
    EXPECT_EQ(p, MyPoint(5, 3));
    EXPECT_TRUE(parallel);
}

TEST(Getintersection, ParallelSlantedLinesReportItAndGiveA)
{
    bool parallel = false;
    const TMyPoint a(1, 1);
    EXPECT_EQ(Getintersection(a, MyPoint(0, 5), MyPoint(11, 11), MyPoint(10, 15), &parallel), a);
    EXPECT_TRUE(parallel);
    // The same line twice is parallel too; the flag is optional.
    EXPECT_EQ(Getintersection(a, a, MyPoint(3, 5), MyPoint(3, 5)), a);
}

TEST(RelativePosition, EdgesCountOnBothSides)
{
    const TMyPoint a(10, 10);
    // Same point: in every corner.
    EXPECT_TRUE(IsAtLeftTop(a, a));
    EXPECT_TRUE(IsAtLeftBottom(a, a));
    EXPECT_TRUE(IsAtRightTop(a, a));
    EXPECT_TRUE(IsAtRightBottom(a, a));

    const TMyPoint leftTop(9, 9), rightBottom(11, 11), rightTop(11, 9), leftBottom(9, 11);
    EXPECT_TRUE(IsAtLeftTop(a, leftTop));
    EXPECT_FALSE(IsAtLeftTop(a, rightBottom));
    EXPECT_FALSE(IsAtLeftTop(a, rightTop));
    EXPECT_FALSE(IsAtLeftTop(a, leftBottom));
    EXPECT_TRUE(IsAtLeftBottom(a, leftBottom));
    EXPECT_FALSE(IsAtLeftBottom(a, leftTop));
    EXPECT_TRUE(IsAtRightTop(a, rightTop));
    EXPECT_FALSE(IsAtRightTop(a, rightBottom));
    EXPECT_TRUE(IsAtRightBottom(a, rightBottom));
    EXPECT_FALSE(IsAtRightBottom(a, leftBottom));

    // Straight below A: on the bottom edge of both lower quadrants, in neither upper one.
    const TMyPoint below(10, 12);
    EXPECT_TRUE(IsAtLeftBottom(a, below));
    EXPECT_TRUE(IsAtRightBottom(a, below));
    EXPECT_FALSE(IsAtLeftTop(a, below));
    EXPECT_FALSE(IsAtRightTop(a, below));
    // Straight left of A: on the left edge of both left quadrants.
    const TMyPoint left(8, 10);
    EXPECT_TRUE(IsAtLeftTop(a, left));
    EXPECT_TRUE(IsAtLeftBottom(a, left));
    EXPECT_FALSE(IsAtRightTop(a, left));
    EXPECT_FALSE(IsAtRightBottom(a, left));
}
