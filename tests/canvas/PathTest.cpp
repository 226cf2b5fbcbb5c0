// Paths: figures recorded between BeginPath and EndPath, read back with their vertex
// kinds, flattened, stroked, filled, and turned into clip regions.
#include "CanvasTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QPointF Cubic(const TPoint& a, const TPoint& b, const TPoint& c, const TPoint& d, double t)
{
    const double u = 1 - t;
    return QPointF(u * u * u * a.X + 3 * u * u * t * b.X + 3 * u * t * t * c.X + t * t * t * d.X,
                   u * u * u * a.Y + 3 * u * u * t * b.Y + 3 * u * t * t * c.Y + t * t * t * d.Y);
}

double DistanceToCubic(const TPoint& p, const TPoint& a, const TPoint& b, const TPoint& c, const TPoint& d)
{
    double best = 1e9;
    for (int i = 0; i <= 4000; ++i) {
        const QPointF q = Cubic(a, b, c, d, i / 4000.0);
        best = std::min(best, std::hypot(q.x() - p.X, q.y() - p.Y));
    }
    return best;
}

} // namespace

TEST(CanvasPath, FlattenedPolygonReadsBackItsVerticesAndKinds)
{
    TCanvas canvas;
    EXPECT_TRUE(canvas.BeginPath());
    EXPECT_TRUE(canvas.PathOpen());
    canvas.Polygon({{10, 10}, {50, 12}, {30, 40}});
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    EXPECT_EQ(canvas.GetPath(points, kinds), -1) << "not while the path is open";
    EXPECT_TRUE(canvas.EndPath());
    EXPECT_TRUE(canvas.FlattenPath());
    ASSERT_EQ(canvas.GetPath(points, kinds), 3);
    EXPECT_EQ(points, (std::vector<TPoint>{{10, 10}, {50, 12}, {30, 40}}));
    EXPECT_EQ(kinds, (std::vector<uint8_t>{PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE}));
}

TEST(CanvasPath, LinesFiguresAndCloseFigure)
{
    TCanvas canvas;
    canvas.MoveTo(1, 2);
    canvas.BeginPath();
    canvas.LineTo(5, 2);
    canvas.LineTo(5, 9);
    EXPECT_TRUE(canvas.CloseFigure());
    canvas.MoveTo(20, 20);
    canvas.LineTo(30, 25);
    canvas.Rectangle(40, 40, 50, 45);
    canvas.EndPath();
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    ASSERT_EQ(canvas.GetPath(points, kinds), 9);
    EXPECT_EQ(points, (std::vector<TPoint>{{1, 2}, {5, 2}, {5, 9}, {20, 20}, {30, 25}, {40, 40}, {49, 40}, {49, 44}, {40, 44}}));
    EXPECT_EQ(kinds, (std::vector<uint8_t>{PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO, PT_LINETO,
                                           PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE}));
    EXPECT_FALSE(canvas.CloseFigure()) << "the bracket is closed";
}

TEST(CanvasPath, BezierPathFlattensToPointsOnTheCurve)
{
    const TPoint a(10, 80), b(30, -40), c(120, 160), d(150, 20);
    TCanvas canvas;
    canvas.BeginPath();
    EXPECT_TRUE(canvas.PolyBezier({a, b, c, d}));
    EXPECT_FALSE(canvas.PolyBezier({a, b, c})) << "one plus three points per segment";
    canvas.EndPath();
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    ASSERT_EQ(canvas.GetPath(points, kinds), 4);
    EXPECT_EQ(kinds, (std::vector<uint8_t>{PT_MOVETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO}));
    canvas.FlattenPath();
    const int n = canvas.GetPath(points, kinds);
    ASSERT_GT(n, 10);
    EXPECT_EQ(points.front(), a);
    EXPECT_EQ(points.back(), d);
    EXPECT_EQ(kinds.front(), PT_MOVETO);
    for (int i = 1; i < n; ++i) {
        EXPECT_EQ(kinds[i], PT_LINETO);
        EXPECT_LT(DistanceToCubic(points[i], a, b, c, d), 0.75) << i; // on the curve up to rounding
    }
}

TEST(CanvasPath, PolyBezierToContinuesFromThePenAndMovesIt)
{
    TCanvas canvas;
    canvas.MoveTo(3, 4);
    canvas.BeginPath();
    EXPECT_TRUE(canvas.PolyBezierTo({{10, 0}, {20, 0}, {30, 4}, {40, 8}, {50, 8}, {60, 4}}));
    EXPECT_FALSE(canvas.PolyBezierTo({{1, 1}}));
    canvas.EndPath();
    EXPECT_EQ(canvas.PenPos(), TPoint(60, 4));
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    ASSERT_EQ(canvas.GetPath(points, kinds), 7);
    EXPECT_EQ(points.front(), TPoint(3, 4));
    EXPECT_EQ(kinds.front(), PT_MOVETO);
    EXPECT_EQ(kinds.back(), PT_BEZIERTO);
}

TEST(CanvasPath, EllipsePathIsFourClosedBezierArcs)
{
    TCanvas canvas;
    canvas.BeginPath();
    canvas.Ellipse(0, 0, 101, 51); // box through pixels 0..100 and 0..50
    canvas.EndPath();
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    ASSERT_EQ(canvas.GetPath(points, kinds), 13);
    EXPECT_EQ(kinds.front(), PT_MOVETO);
    for (int i = 1; i < 13; ++i)
        EXPECT_EQ(kinds[i] & ~PT_CLOSEFIGURE, PT_BEZIERTO);
    EXPECT_TRUE(kinds.back() & PT_CLOSEFIGURE);
    canvas.FlattenPath();
    canvas.GetPath(points, kinds);
    for (const TPoint& p : points) {
        const double e = std::pow((p.X - 50.0) / 50.0, 2) + std::pow((p.Y - 25.0) / 25.0, 2);
        EXPECT_NEAR(e, 1.0, 0.05) << p.X << "," << p.Y;
    }
}

TEST(CanvasPath, StrokeFillAndUsedUpPaths)
{
    QImage image = WhiteImage(60, 60);
    TCanvas canvas(&image);
    EXPECT_FALSE(canvas.StrokePath()) << "no path yet";
    canvas.Brush().SetColor(clRed);
    canvas.BeginPath();
    canvas.Polygon({{5, 5}, {50, 5}, {50, 50}, {5, 50}});
    canvas.EndPath();
    EXPECT_TRUE(canvas.StrokeAndFillPath());
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    EXPECT_EQ(canvas.GetPath(points, kinds), -1) << "stroking uses the path up";
    // An open figure is closed for filling.
    canvas.Brush().SetColor(clBlue);
    canvas.BeginPath();
    canvas.MoveTo(20, 20);
    canvas.LineTo(40, 20);
    canvas.LineTo(30, 40);
    canvas.EndPath();
    EXPECT_TRUE(canvas.FillPath());
    canvas.ReleasePainter();
    EXPECT_EQ(PixelAt(image, 5, 5), clBlack);
    EXPECT_EQ(PixelAt(image, 50, 30), clBlack);
    EXPECT_EQ(PixelAt(image, 10, 30), clRed);
    EXPECT_EQ(PixelAt(image, 30, 25), clBlue);
    EXPECT_EQ(PixelAt(image, 55, 55), clWhite);
    EXPECT_EQ(canvas.PenPos(), TPoint(30, 40));
}

TEST(CanvasPath, NothingIsPaintedWhileThePathIsOpen)
{
    QImage image = WhiteImage(40, 40);
    TCanvas canvas(&image);
    canvas.BeginPath();
    canvas.Brush().SetColor(clBlack);
    canvas.Rectangle(0, 0, 40, 40);
    canvas.Ellipse(0, 0, 40, 40);
    canvas.MoveTo(0, 0);
    canvas.LineTo(39, 39);
    canvas.TextOut(2, 2, "Ab");
    canvas.Pie(0, 0, 40, 40, 40, 0, 0, 0);
    canvas.EndPath();
    canvas.ReleasePainter();
    EXPECT_EQ(InkBounds(image), TRect());
    EXPECT_TRUE(canvas.AbortPath());
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    EXPECT_EQ(canvas.GetPath(points, kinds), -1);
}

TEST(CanvasPath, TextPathHoldsClosedGlyphOutlinesThatStrokeHollow)
{
    QImage image = WhiteImage(80, 90);
    TCanvas canvas(&image);
    canvas.Font().SetHeight(-80);
    canvas.BeginPath();
    canvas.TextOut(10, 0, "I");
    canvas.EndPath();
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    const int n = canvas.GetPath(points, kinds);
    ASSERT_GE(n, 4);
    EXPECT_EQ(kinds.front(), PT_MOVETO);
    EXPECT_TRUE(kinds.back() & PT_CLOSEFIGURE);
    int minX = 1000, maxX = -1000, minY = 1000, maxY = -1000;
    for (const TPoint& p : points) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    // DejaVu Sans "I": a stem about 0.12 em wide, from the cap height down to the base line
    // (ascent 0.93 em below the top).
    EXPECT_GT(minX, 10);
    EXPECT_NEAR(maxX - minX, 0.12 * 80, 3);
    EXPECT_NEAR(maxY, 0.93 * 80, 2);
    EXPECT_NEAR(maxY - minY, 0.73 * 80, 2);
    EXPECT_TRUE(canvas.StrokePath());
    canvas.ReleasePainter();
    const int midX = (minX + maxX) / 2;
    const int midY = (minY + maxY) / 2;
    EXPECT_EQ(PixelAt(image, midX, midY), clWhite) << "hollow inside";
    bool leftOutline = false;
    for (int x = minX - 1; x <= minX + 1; ++x)
        leftOutline = leftOutline || PixelAt(image, x, midY) == clBlack;
    EXPECT_TRUE(leftOutline) << "outline at the left of the stem";
}

TEST(CanvasPath, ClipPathLimitsDrawingToTheFiguresPixels)
{
    QImage image = WhiteImage(70, 50);
    TCanvas canvas(&image);
    canvas.BeginPath();
    canvas.Ellipse(5, 5, 65, 45);
    canvas.EndPath();
    EXPECT_TRUE(canvas.SelectClipPath(RGN_COPY));
    EXPECT_FALSE(canvas.SelectClipPath(RGN_AND)) << "the path is used up";
    canvas.Brush().SetColor(clGreen);
    canvas.FillRect(TRect(0, 0, 70, 50));
    canvas.ReleasePainter();
    // The same figure as a region gives the same pixels.
    TCanvas other;
    other.BeginPath();
    other.Ellipse(5, 5, 65, 45);
    other.EndPath();
    TRegion region;
    EXPECT_TRUE(other.PathToRegion(region));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 70; ++x)
            ASSERT_EQ(region.PtInRegion(x, y), PixelAt(image, x, y) == clGreen) << x << "," << y;
    EXPECT_TRUE(region.PtInRegion(35, 25));
    EXPECT_FALSE(region.PtInRegion(6, 6));
}

TEST(CanvasPath, WorldTransformAppliesWhenRecordingNotWhenReading)
{
    TCanvas canvas;
    canvas.SetGraphicsMode(GM_ADVANCED);
    canvas.SetWorldTransform(XFORM{1, 0, 0, 1, 100, 0});
    canvas.BeginPath();
    canvas.MoveTo(1, 1);
    canvas.LineTo(2, 2);
    canvas.EndPath();
    std::vector<TPoint> points;
    std::vector<uint8_t> kinds;
    canvas.GetPath(points, kinds);
    EXPECT_EQ(points, (std::vector<TPoint>{{1, 1}, {2, 2}}));
    canvas.ModifyWorldTransform(XFORM{}, MWT_IDENTITY);
    canvas.GetPath(points, kinds);
    EXPECT_EQ(points, (std::vector<TPoint>{{101, 1}, {102, 2}})) << "the path stays where it was drawn on the device";
}
