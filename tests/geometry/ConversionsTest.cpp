// Conversions between float and integer points and rectangles, and the Qt bridges.
#include "component/base/Geometry.h"

#include <QPointF>
#include <QRectF>
#include <gtest/gtest.h>
#include <limits>

TEST(Conversions, MyPtToPtRoundsHalfToEven)
{
    EXPECT_EQ(MyPtToPt(MyPoint(2.5f, 3.5f)), TPoint(2, 4));
    EXPECT_EQ(MyPtToPt(MyPoint(-0.5f, 1.5f)), TPoint(0, 2));
    EXPECT_EQ(MyPtToPt(MyPoint(-1.5f, -2.5f)), TPoint(-2, -2));
    EXPECT_EQ(MyPtToPt(MyPoint(0.49f, -0.51f)), TPoint(0, -1));
}

TEST(Conversions, PtToMyPtKeepsCoordinates)
{
    const TMyPoint p = PtToMyPt(TPoint(-7, 123456));
    EXPECT_EQ(p.X, -7.0f);
    EXPECT_EQ(p.Y, 123456.0f);
    EXPECT_EQ(MyPtToPt(PtToMyPt(TPoint(31, -9))), TPoint(31, -9));
}

TEST(Conversions, MyRectToRectRoundsEverySide)
{
    EXPECT_EQ(myRecttoRect(TMyRect(0.5f, 1.5f, 2.5f, -2.5f)), TRect(0, 2, 2, -2));
    EXPECT_EQ(myRecttoRect(TMyRect(10.4f, 10.6f, -3.5f, 7.5f)), TRect(10, 11, -4, 8));
}

TEST(Conversions, PtToARectNormalises)
{
    EXPECT_EQ(PtToARect(TPoint(10, 2), TPoint(4, 8)), TRect(4, 2, 10, 8));
    EXPECT_EQ(PtToARect(TPoint(4, 8), TPoint(10, 2)), TRect(4, 2, 10, 8));
    EXPECT_EQ(PtToARect(TPoint(-1, -1), TPoint(-1, -1)), TRect(-1, -1, -1, -1));
}

TEST(Conversions, ExpandRectGrowsOrShrinksEachSide)
{
    EXPECT_EQ(ExpandRect(TRect(0, 0, 10, 10), 2), TRect(-2, -2, 12, 12));
    EXPECT_EQ(ExpandRect(TRect(0, 0, 10, 10), -3), TRect(3, 3, 7, 7));
    EXPECT_EQ(ExpandRect(TRect(5, 6, 7, 8), 0), TRect(5, 6, 7, 8));
}

TEST(Conversions, ExpandRectLeavesRectangleWhenASideWouldOverflow)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const TRect nearRight(0, 0, kMax - 1, 10);
    EXPECT_EQ(ExpandRect(nearRight, 1), TRect(-1, -1, kMax, 11));
    EXPECT_EQ(ExpandRect(nearRight, 2), nearRight);
    const TRect nearLeft(kMin + 1, 0, 10, 10);
    EXPECT_EQ(ExpandRect(nearLeft, 2), nearLeft);
    EXPECT_EQ(ExpandRect(TRect(0, 0, 1, 1), kMin), TRect(0, 0, 1, 1));
}

TEST(Conversions, OffsetMyRectMovesBothEdgesOfEachAxis)
{
    TMyRect r(1, 2, 3, 4);
    OffsetMyRect(r, 10.5, -2.25);
    EXPECT_EQ(r, TMyRect(11.5f, -0.25f, 13.5f, 1.75f));
}

TEST(Types, PointAndRectangleBridgeToQt)
{
    const TMyPoint p(QPointF(1.25, -3.5));
    EXPECT_EQ(p, TMyPoint(1.25f, -3.5f));
    EXPECT_EQ(p.toQPointF(), QPointF(1.25, -3.5));
    EXPECT_EQ(ToMyPoint(ToQPointF(p)), p);

    // Qt's rectangle is origin and size; ours are the four edges.
    const TMyRect r(QRectF(1, 2, 3, 4));
    EXPECT_EQ(r, TMyRect(1, 2, 4, 6));
    EXPECT_EQ(r.Width(), 3.0f);
    EXPECT_EQ(r.Height(), 4.0f);
    EXPECT_EQ(r.toQRectF(), QRectF(1, 2, 3, 4));
    EXPECT_EQ(ToMyRect(ToQRectF(r)), r);

    // Doubles narrow to 32-bit floats.
    EXPECT_EQ(TMyPoint(QPointF(0.1, 0)).X, 0.1f);
}

TEST(Types, RecordsStartEmptyAndCompareByValue)
{
    EXPECT_EQ(sizeof(TMyPoint), 8u);
    EXPECT_EQ(sizeof(TMyRect), 16u);
    EXPECT_EQ(TMyPoint(), TMyPoint(0, 0));
    EXPECT_EQ(TMyRect(), TMyRect(0, 0, 0, 0));

    const LayerRec empty;
    EXPECT_TRUE(empty.Name.isEmpty());
    EXPECT_EQ(empty.Id, 0);
    EXPECT_FALSE(empty.Visible);
    const LayerRec layer{QStringLiteral("Layer0"), 0, true};
    EXPECT_EQ(layer, (LayerRec{QStringLiteral("Layer0"), 0, true}));
    EXPECT_NE(layer, (LayerRec{QStringLiteral("Layer0"), 1, true}));

    const TDirAndPoint move{dRight, TMyPoint(10, 0)};
    TArrDirAndPoints plan{move, {dbottom, TMyPoint(10, 5)}};
    EXPECT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[1].Dir, dbottom);
    EXPECT_EQ(plan[1].Point, TMyPoint(10, 5));
    EXPECT_EQ(TDirAndPoint().Dir, dNone);
}
