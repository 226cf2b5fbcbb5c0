// Point-array edits and queries at and beyond their bounds.
#include "component/base/PointArrays.h"

#include <gtest/gtest.h>

namespace {
TArrMyPoint Three()
{
    return {TMyPoint(1, 1), TMyPoint(2, 2), TMyPoint(3, 3)};
}
} // namespace

TEST(PointArrays, AppendAddsAtTheEnd)
{
    TArrMyPoint pts;
    EXPECT_TRUE(AppendAPoint(TMyPoint(1, 2), pts));
    EXPECT_TRUE(AppendAPoint(TMyPoint(3, 4), pts));
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[0], TMyPoint(1, 2));
    EXPECT_EQ(pts[1], TMyPoint(3, 4));
}

TEST(PointArrays, InsertBeforeEachValidIndex)
{
    TArrMyPoint pts = Three();
    EXPECT_TRUE(InsertAPointBeforeId(TMyPoint(9, 9), 0, pts));
    EXPECT_EQ(pts, (TArrMyPoint{{9, 9}, {1, 1}, {2, 2}, {3, 3}}));

    pts = Three();
    EXPECT_TRUE(InsertAPointBeforeId(TMyPoint(9, 9), 2, pts)); // before the last element
    EXPECT_EQ(pts, (TArrMyPoint{{1, 1}, {2, 2}, {9, 9}, {3, 3}}));

    TArrMyPoint one{{5, 6}};
    EXPECT_TRUE(InsertAPointBeforeId(TMyPoint(7, 8), 0, one));
    EXPECT_EQ(one, (TArrMyPoint{{7, 8}, {5, 6}}));
}

TEST(PointArrays, InsertOutsideTheArrayChangesNothing)
{
    TArrMyPoint pts = Three();
    EXPECT_FALSE(InsertAPointBeforeId(TMyPoint(9, 9), 3, pts)); // index = length: not after the last
    EXPECT_FALSE(InsertAPointBeforeId(TMyPoint(9, 9), -1, pts));
    EXPECT_FALSE(InsertAPointBeforeId(TMyPoint(9, 9), 1000, pts));
    EXPECT_EQ(pts, Three());

    TArrMyPoint empty;
    EXPECT_FALSE(InsertAPointBeforeId(TMyPoint(9, 9), 0, empty));
    EXPECT_TRUE(empty.empty());
}

TEST(PointArrays, InsertIntegerPoints)
{
    TArrPoint pts{TPoint(1, 1), TPoint(2, 2)};
    EXPECT_TRUE(InsertAPointBeforeId1(TPoint(0, 0), 1, pts));
    EXPECT_EQ(pts, (TArrPoint{TPoint(1, 1), TPoint(0, 0), TPoint(2, 2)}));
    EXPECT_FALSE(InsertAPointBeforeId1(TPoint(5, 5), 3, pts));
    EXPECT_FALSE(InsertAPointBeforeId1(TPoint(5, 5), -1, pts));
    EXPECT_EQ(pts.size(), 3u);
}

TEST(PointArrays, RemoveAtBoundsAndOutside)
{
    TArrMyPoint pts = Three();
    RemovePoint(3, pts);
    RemovePoint(-1, pts);
    EXPECT_EQ(pts, Three());
    RemovePoint(0, pts);
    EXPECT_EQ(pts, (TArrMyPoint{{2, 2}, {3, 3}}));
    RemovePoint(1, pts);
    EXPECT_EQ(pts, (TArrMyPoint{{2, 2}}));
    RemovePoint(0, pts);
    EXPECT_TRUE(pts.empty());
    RemovePoint(0, pts);
    EXPECT_TRUE(pts.empty());
}

TEST(PointArrays, ExistenceOfIndices)
{
    const TArrMyPoint pts = Three();
    EXPECT_TRUE(IsExistPt(0, pts));
    EXPECT_TRUE(IsExistPt(2, pts));
    EXPECT_FALSE(IsExistPt(3, pts));
    EXPECT_FALSE(IsExistPt(-1, pts));
    EXPECT_FALSE(IsExistPt(0, TArrMyPoint()));
    const TArrPoint ipts{TPoint(0, 0)};
    EXPECT_TRUE(IsExistPt1(0, ipts));
    EXPECT_FALSE(IsExistPt1(1, ipts));
    EXPECT_FALSE(IsExistPt1(-1, ipts));
}

TEST(PointArrays, BoundingValues)
{
    EXPECT_EQ(GetPointsLTRB(TArrMyPoint()), TMyRect(0, 0, 0, 0));
    EXPECT_EQ(GetPointsLTRB(TArrMyPoint{{3, -2}}), TMyRect(3, -2, 3, -2));
    // All points far from the origin: the origin is not part of the result.
    EXPECT_EQ(GetPointsLTRB(TArrMyPoint{{10, 20}, {-5, 30}, {7, 15.5f}}), TMyRect(-5, 15.5f, 10, 30));
    EXPECT_EQ(GetPointsLTRB(TArrMyPoint{{-1, -1}, {-9, -3}}), TMyRect(-9, -3, -1, -1));
}
