// Polygon regions: hit tests agree with the pixels FillRgn paints and with clipping.
#include "CanvasTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

#include <QElapsedTimer>

namespace {

struct Shape {
    const char* name;
    std::vector<TPoint> points;
};

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = {
        {"triangle", {{3, 2}, {57, 13}, {17, 44}}},
        {"thin sliver", {{1, 1}, {58, 4}, {2, 3}}},
        {"concave", {{2, 2}, {55, 2}, {55, 45}, {30, 12}, {4, 46}}},
        {"self-crossing star", {{30, 1}, {48, 46}, {2, 17}, {58, 17}, {12, 46}}},
        {"doubly wound square", {{5, 5}, {40, 5}, {40, 40}, {5, 40}, {5, 5}, {40, 5}, {40, 40}, {5, 40}}},
    };
    return shapes;
}

} // namespace

TEST(CanvasRegion, PtInRegionAgreesWithThePixelsFillRgnPaints)
{
    for (const Shape& shape : Shapes())
        for (int mode : {ALTERNATE, WINDING}) {
            SCOPED_TRACE(testing::Message() << shape.name << (mode == WINDING ? " winding" : " alternate"));
            const TRegion region = CreatePolygonRgn(shape.points, mode);
            QImage image = WhiteImage(64, 52);
            {
                TCanvas canvas(&image);
                TBrush black;
                black.SetColor(clBlack);
                EXPECT_TRUE(canvas.FillRgn(region, black));
            }
            int inside = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const bool painted = PixelAt(image, x, y) == clBlack;
                    inside += painted ? 1 : 0;
                    ASSERT_EQ(region.PtInRegion(x, y), painted) << x << "," << y;
                }
            // A square wound twice is empty under the alternate rule.
            if (shape.points.size() == 8 && mode == ALTERNATE)
                EXPECT_EQ(inside, 0);
            else
                EXPECT_GT(inside, 0);
        }
}

TEST(CanvasRegion, FillModesDecideTheDoublyWoundParts)
{
    const auto& star = Shapes()[3].points;
    EXPECT_FALSE(CreatePolygonRgn(star, ALTERNATE).PtInRegion(30, 25));
    EXPECT_TRUE(CreatePolygonRgn(star, WINDING).PtInRegion(30, 25));
    const auto& square = Shapes()[4].points;
    EXPECT_FALSE(CreatePolygonRgn(square, ALTERNATE).PtInRegion(20, 20));
    EXPECT_TRUE(CreatePolygonRgn(square, WINDING).PtInRegion(20, 20));
}

TEST(CanvasRegion, PolygonRegionLeavesOutRightAndBottomEdges)
{
    const TRegion region = CreatePolygonRgn({{2, 2}, {6, 2}, {6, 6}, {2, 6}}, ALTERNATE);
    EXPECT_TRUE(region.PtInRegion(2, 2));
    EXPECT_TRUE(region.PtInRegion(5, 5));
    EXPECT_FALSE(region.PtInRegion(6, 3));
    EXPECT_FALSE(region.PtInRegion(3, 6));
    EXPECT_FALSE(region.PtInRegion(1, 3));
    TRect box;
    EXPECT_EQ(region.GetRgnBox(box), SIMPLEREGION);
    EXPECT_EQ(box, TRect(2, 2, 6, 6));
}

TEST(CanvasRegion, RectRegionsAndCombinations)
{
    const TRegion a = CreateRectRgn(0, 0, 10, 10);
    const TRegion b = CreateRectRgn(5, 5, 15, 15);
    EXPECT_TRUE(a.PtInRegion(9, 9));
    EXPECT_FALSE(a.PtInRegion(10, 9));

    TRegion r;
    EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
    TRect box;
    r.GetRgnBox(box);
    EXPECT_EQ(box, TRect(5, 5, 10, 10));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(r.PtInRegion(0, 0) && r.PtInRegion(14, 14) && !r.PtInRegion(14, 0));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    EXPECT_TRUE(r.PtInRegion(3, 3));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    EXPECT_FALSE(r.PtInRegion(12, 12));
    EXPECT_EQ(CombineRgn(r, a, CreateRectRgn(20, 20, 30, 30), RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(r, b, a, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(r.PtInRegion(14, 14));
    EXPECT_EQ(CombineRgn(r, a, b, 77), RGN_ERROR);
    EXPECT_TRUE(r.PtInRegion(14, 14)) << "an unknown mode leaves the region alone";

    OffsetRgn(r, 100, -5);
    EXPECT_TRUE(r.PtInRegion(114, 9));
    EXPECT_FALSE(r.PtInRegion(14, 14));
    EXPECT_EQ(TRegion().GetRgnBox(box), NULLREGION);
    EXPECT_EQ(CreateRectRgn(5, 5, 5, 9).GetRgnBox(box), NULLREGION);
}

TEST(CanvasRegion, OffsetPolygonRegionStillAgreesWithItsPixels)
{
    TRegion region = CreatePolygonRgn(Shapes()[2].points, WINDING);
    region.Offset(3, 4);
    QImage image = WhiteImage(64, 56);
    {
        TCanvas canvas(&image);
        TBrush brush;
        brush.SetColor(clRed);
        canvas.FillRgn(region, brush);
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(region.PtInRegion(x, y), PixelAt(image, x, y) == clRed) << x << "," << y;
}

TEST(CanvasRegion, ClipRegionLimitsDrawingAndCanBeRemoved)
{
    QImage image = WhiteImage(60, 50);
    const TRegion triangle = CreatePolygonRgn({{3, 2}, {57, 13}, {17, 44}}, ALTERNATE);
    {
        TCanvas canvas(&image);
        EXPECT_EQ(canvas.SelectClipRgn(&triangle), COMPLEXREGION);
        TRect box;
        EXPECT_EQ(triangle.GetRgnBox(box), COMPLEXREGION);
        EXPECT_EQ(canvas.ClipRect(), box);
        EXPECT_EQ(box.Left, 3);
        EXPECT_EQ(box.Top, 2);
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(TRect(0, 0, 60, 50));
        canvas.SetPixels(58, 48, clRed); // outside the clip: refused
        TRegion clip;
        EXPECT_EQ(canvas.GetClipRgn(clip), 1);
        EXPECT_TRUE(clip.PtInRegion(20, 20));
        canvas.SelectClipRgn(nullptr);
        EXPECT_EQ(canvas.GetClipRgn(clip), 0);
        EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 60, 50));
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect(TRect(58, 0, 60, 2));
    }
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 58; ++x)
            ASSERT_EQ(triangle.PtInRegion(x, y), PixelAt(image, x, y) == clBlack) << x << "," << y;
    EXPECT_EQ(PixelAt(image, 58, 48), clWhite);
    EXPECT_EQ(PixelAt(image, 59, 1), clBlue);
}

TEST(CanvasRegion, ClipCombinationsAndIntersectClipRect)
{
    QImage image = WhiteImage(40, 40);
    {
        TCanvas canvas(&image);
        const TRegion left = CreateRectRgn(0, 0, 20, 40);
        const TRegion top = CreateRectRgn(0, 0, 40, 20);
        canvas.SelectClipRgn(&left);
        EXPECT_EQ(canvas.ExtSelectClipRgn(&top, RGN_OR), COMPLEXREGION);
        EXPECT_EQ(canvas.ExtSelectClipRgn(nullptr, RGN_AND), RGN_ERROR);
        EXPECT_EQ(canvas.IntersectClipRect(5, 5, 35, 35), COMPLEXREGION);
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(TRect(0, 0, 40, 40));
    }
    EXPECT_EQ(PixelAt(image, 4, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 5, 5), clBlack);
    EXPECT_EQ(PixelAt(image, 34, 10), clBlack);
    EXPECT_EQ(PixelAt(image, 35, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 30, 30), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 30), clBlack);
    // Rectangles wider than an int's range still clip what lies inside them.
    QImage wide = WhiteImage(40, 40);
    {
        TCanvas canvas(&wide);
        EXPECT_NE(canvas.IntersectClipRect(-2000000000, -2000000000, 2000000000, 2000000000), NULLREGION);
        EXPECT_NE(canvas.IntersectClipRect(INT_MIN, INT_MIN, 20, INT_MAX), NULLREGION);
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(TRect(0, 0, 40, 40));
    }
    EXPECT_EQ(PixelAt(wide, 19, 39), clBlack);
    EXPECT_EQ(PixelAt(wide, 20, 0), clWhite);
    EXPECT_EQ(CreateRectRgn(INT_MIN, 0, INT_MAX, 10).BoundsRect().Bottom, 10);
    // Under a mapping squeezed nearly flat the clip's logical box stays within range.
    QImage flat = WhiteImage(40, 40);
    {
        TCanvas canvas(&flat);
        canvas.SetGraphicsMode(GM_ADVANCED);
        XFORM squeeze;
        squeeze.eM22 = 1e-9f;
        ASSERT_TRUE(canvas.SetWorldTransform(squeeze));
        const TRect box = canvas.ClipRect();
        EXPECT_EQ(box.Top, 0);
        EXPECT_EQ(box.Bottom, 1 << 30);
        TBrush brush;
        brush.SetColor(clBlack);
        EXPECT_TRUE(canvas.FillRgn(CreateRectRgn(0, 0, 10, 10), brush));
    }
}

TEST(CanvasRegion, PaintRgnUsesThePenModeSoItErasesItself)
{
    QImage image = NoiseImage(50, 50);
    const QImage original = image.copy();
    const TRegion region = CreatePolygonRgn({{5, 5}, {45, 10}, {25, 45}}, ALTERNATE);
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmXor);
    canvas.Brush().SetColor(clWhite);
    canvas.PaintRgn(region);
    canvas.ReleasePainter();
    EXPECT_GT(DifferingPixels(image, original), 100);
    canvas.PaintRgn(region);
    canvas.ReleasePainter();
    EXPECT_EQ(DifferingPixels(image, original), 0);
}

TEST(CanvasRegion, HugeCoordinatesCostNeitherMemoryNorTime)
{
    const TRegion region = CreatePolygonRgn({{-2000000000, -2000000000}, {2000000000, -1999999999}, {0, 2000000000}}, WINDING);
    EXPECT_TRUE(region.PtInRegion(0, 0));
    EXPECT_FALSE(region.PtInRegion(2000000000, 2000000000));
    QImage image = WhiteImage(100, 100);
    QElapsedTimer timer;
    timer.start();
    {
        TCanvas canvas(&image);
        TBrush brush;
        brush.SetColor(clBlack);
        canvas.FillRgn(region, brush);
        canvas.SelectClipRgn(&region);
        TRect box;
        EXPECT_EQ(region.GetRgnBox(box), COMPLEXREGION) << "too large to measure exactly";
    }
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(PixelAt(image, 50, 50), clBlack);
    TRegion combined;
    CombineRgn(combined, region, CreateRectRgn(0, 0, 10, 10), RGN_AND);
    TRect box;
    EXPECT_EQ(combined.GetRgnBox(box), SIMPLEREGION);
    EXPECT_EQ(box, TRect(0, 0, 10, 10));
}

TEST(CanvasRegion, DegeneratePolygonsMakeEmptyRegions)
{
    TRect box;
    EXPECT_EQ(CreatePolygonRgn({}, ALTERNATE).GetRgnBox(box), NULLREGION);
    EXPECT_EQ(CreatePolygonRgn({{1, 1}, {5, 5}}, ALTERNATE).GetRgnBox(box), NULLREGION);
    EXPECT_EQ(CreatePolygonRgn({{1, 1}, {5, 1}, {9, 1}}, ALTERNATE).GetRgnBox(box), NULLREGION);
    EXPECT_FALSE(CreatePolygonRgn({{1, 1}, {5, 1}, {9, 1}}, ALTERNATE).PtInRegion(4, 1));
}
