// Which pixels each figure covers: GDI's rules of excluded end pixels and right and
// bottom edges, probed pixel by pixel.
#include "CanvasTestUtil.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include <QElapsedTimer>

namespace {

std::set<std::pair<int, int>> InkSet(const QImage& image, TColor ink)
{
    std::set<std::pair<int, int>> set;
    for (const TPoint& p : PixelsWhere(image, [ink](TColor c) { return c == ink; }))
        set.insert({p.X, p.Y});
    return set;
}

std::set<std::pair<int, int>> Box(int l, int t, int r, int b)
{
    std::set<std::pair<int, int>> set;
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
            set.insert({x, y});
    return set;
}

} // namespace

TEST(CanvasPixels, RectangleCoversExactlyItsBoxWithAOnePixelPen)
{
    QImage image = WhiteImage(10, 10);
    {
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clBlack);
        canvas.Rectangle(2, 2, 6, 6);
    }
    EXPECT_EQ(InkSet(image, clBlack), Box(2, 2, 6, 6));
}

TEST(CanvasPixels, RectangleOutlineAndBrushShareTheBoxWithoutOverlap)
{
    QImage image = WhiteImage(12, 12);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
        canvas.Rectangle(6, 7, 1, 2); // corners given in reverse order
    }
    const auto red = InkSet(image, clRed);
    const auto blue = InkSet(image, clBlue);
    EXPECT_EQ(blue, Box(2, 3, 5, 6));
    std::set<std::pair<int, int>> all = red;
    all.insert(blue.begin(), blue.end());
    EXPECT_EQ(all, Box(1, 2, 6, 7));
    EXPECT_EQ(red.size(), 16u); // the border of a 5 x 5 box
}

TEST(CanvasPixels, RectangleWithAClearPenLeavesOutTheLastRowAndColumn)
{
    QImage image = WhiteImage(10, 10);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetColor(clBlack);
        canvas.Rectangle(2, 2, 6, 6);
    }
    EXPECT_EQ(InkSet(image, clBlack), Box(2, 2, 5, 5));
}

TEST(CanvasPixels, FillRectAndFrameRectExcludeRightAndBottom)
{
    QImage image = WhiteImage(12, 12);
    {
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(TRect(2, 2, 6, 6));
        canvas.Brush().SetColor(clRed);
        canvas.FrameRect(TRect(7, 1, 11, 5));
        canvas.FillRect(TRect(5, 9, 3, 11)); // empty: right before left
    }
    EXPECT_EQ(InkSet(image, clBlack), Box(2, 2, 6, 6));
    auto frame = Box(7, 1, 11, 5);
    for (const auto& inner : Box(8, 2, 10, 4))
        frame.erase(inner);
    EXPECT_EQ(InkSet(image, clRed), frame);
}

TEST(CanvasPixels, LineToLeavesOutTheEndPixelAndMovesThePen)
{
    QImage image = WhiteImage(20, 10);
    TCanvas canvas(&image);
    canvas.MoveTo(2, 3);
    canvas.LineTo(9, 3);
    EXPECT_EQ(canvas.PenPos(), TPoint(9, 3));
    canvas.LineTo(9, 8);
    canvas.ReleasePainter();
    auto expected = Box(2, 3, 9, 4);
    const auto vertical = Box(9, 3, 10, 8);
    expected.insert(vertical.begin(), vertical.end());
    EXPECT_EQ(InkSet(image, clBlack), expected);
}

TEST(CanvasPixels, EllipseStaysInItsBoxAndTouchesEverySide)
{
    QImage image = WhiteImage(40, 30);
    {
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clRed);
        canvas.Ellipse(5, 4, 35, 24);
    }
    EXPECT_EQ(InkBounds(image), TRect(5, 4, 35, 24));
    EXPECT_EQ(PixelAt(image, 20, 14), clRed) << "filled inside";
    EXPECT_EQ(PixelAt(image, 5, 14), clBlack) << "outline at the left side";
    EXPECT_EQ(PixelAt(image, 34, 14), clBlack) << "outline at the right side";
    EXPECT_EQ(PixelAt(image, 5, 4), clWhite) << "corner of the box untouched";
}

TEST(CanvasPixels, PolygonFillModesDifferInTheOverlap)
{
    const std::vector<TPoint> star = {{20, 1}, {32, 38}, {1, 14}, {39, 14}, {8, 38}};
    for (int mode : {ALTERNATE, WINDING}) {
        QImage image = WhiteImage(40, 40);
        {
            TCanvas canvas(&image);
            canvas.Pen().SetStyle(psClear);
            canvas.Brush().SetColor(clBlack);
            canvas.SetPolyFillMode(mode);
            canvas.Polygon(star);
        }
        // The centre of a five-pointed star is wound twice.
        EXPECT_EQ(PixelAt(image, 20, 20), mode == WINDING ? clBlack : clWhite);
        EXPECT_EQ(PixelAt(image, 20, 5), clBlack) << "a point of the star";
    }
}

TEST(CanvasPixels, PolygonFillLeavesOutRightAndBottomEdges)
{
    QImage image = WhiteImage(10, 10);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetColor(clBlack);
        canvas.Polygon({{2, 2}, {6, 2}, {6, 6}, {2, 6}});
    }
    EXPECT_EQ(InkSet(image, clBlack), Box(2, 2, 6, 6));
}

TEST(CanvasPixels, ArcRunsCounterClockwiseFromStartRadialToEndRadial)
{
    // Box (0,0)-(101,101): centre (50, 50), radius 50. Start radial to the right, end radial
    // straight up: counter-clockwise on screen is the upper-right quarter.
    for (int direction : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
        QImage image = WhiteImage(110, 110);
        {
            TCanvas canvas(&image);
            canvas.SetArcDirection(direction);
            canvas.Arc(0, 0, 101, 101, 100, 50, 50, 0);
        }
        const bool upperRight = PixelAt(image, 85, 15) != clWhite || PixelAt(image, 86, 14) != clWhite ||
                                PixelAt(image, 85, 14) != clWhite || PixelAt(image, 86, 15) != clWhite;
        const TRect ink = InkBounds(image);
        if (direction == AD_COUNTERCLOCKWISE) {
            EXPECT_TRUE(upperRight);
            EXPECT_GE(ink.Left, 49);
            EXPECT_LE(ink.Bottom, 52);
        } else {
            EXPECT_FALSE(upperRight);
            EXPECT_LE(ink.Left, 1);
            EXPECT_GE(ink.Bottom, 100);
        }
    }
}

TEST(CanvasPixels, ArcStartsOnTheRadialThroughTheGivenPoint)
{
    // A wide ellipse: the radial at 45 degrees meets it where x = y from the centre.
    QImage image = WhiteImage(210, 110);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetColor(clRed);
        // Box (0,0)-(201,101): centre (100, 50), radii 100 and 50.
        // Start radial towards (200, -50) (up-right, 45 degrees), end radial straight left.
        canvas.Arc(0, 0, 201, 101, 200, -50, 0, 50);
    }
    // On the 45-degree radial: x - 100 = 50 - y; on the ellipse (dx/100)^2 + (dy/50)^2 = 1
    // gives dx = 100 * 50 / sqrt(100^2 + 50^2) = 44.72.
    const int dx = int(std::lround(100.0 * 50 / std::sqrt(100.0 * 100 + 50 * 50)));
    bool inkNearStart = false;
    for (int y = 50 - dx - 1; y <= 50 - dx + 1; ++y)
        for (int x = 100 + dx - 1; x <= 100 + dx + 1; ++x)
            inkNearStart = inkNearStart || PixelAt(image, x, y) == clRed;
    EXPECT_TRUE(inkNearStart);
    // Nothing of the arc lies clockwise of the start radial on the right half.
    EXPECT_EQ(PixelAt(image, 200, 50), clWhite);
    EXPECT_EQ(PixelAt(image, 150, 94), clWhite);
    EXPECT_EQ(PixelAt(image, 100, 0), clRed) << "the top of the ellipse is on the arc";
}

TEST(CanvasPixels, WidePensHaveRoundEndsCentredOnTheLine)
{
    QImage image = WhiteImage(40, 20);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetWidth(5);
        canvas.Pen().SetStyle(psDash); // wide pens draw solid
        canvas.MoveTo(10, 10);
        canvas.LineTo(30, 10);
    }
    EXPECT_EQ(InkBounds(image), TRect(8, 8, 33, 13));
    for (int x = 10; x <= 30; ++x)
        EXPECT_EQ(PixelAt(image, x, 10), clBlack) << x;
    EXPECT_EQ(PixelAt(image, 8, 8), clWhite) << "rounded end";
}

TEST(CanvasPixels, CosmeticDashesFollowTheDevicePattern)
{
    QImage image = WhiteImage(60, 5);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetStyle(psDot);
        canvas.MoveTo(0, 2);
        canvas.LineTo(60, 2);
    }
    // Three pixels on, three off.
    for (int x = 0; x < 60; ++x)
        EXPECT_EQ(PixelAt(image, x, 2), (x / 3) % 2 == 0 ? clBlack : clWhite) << x;
}

TEST(CanvasPixels, DashGapsTakeTheBackgroundColourOnlyWhenOpaque)
{
    for (int mode : {OPAQUE, TRANSPARENT}) {
        QImage image = WhiteImage(30, 5);
        {
            TCanvas canvas(&image);
            canvas.Pen().SetStyle(psDash);
            canvas.Pen().SetColor(clRed);
            canvas.Brush().SetColor(clYellow); // a solid brush sets the background colour
            canvas.SetBkMode(mode);
            canvas.MoveTo(0, 2);
            canvas.LineTo(30, 2);
        }
        EXPECT_EQ(PixelAt(image, 5, 2), clRed);
        EXPECT_EQ(PixelAt(image, 20, 2), mode == OPAQUE ? clYellow : clWhite) << "a gap: dashes are 18 on, 6 off";
    }
}

TEST(CanvasPixels, PixelsReadAndWriteSinglePixels)
{
    QImage image = WhiteImage(8, 8);
    TCanvas canvas(&image);
    canvas.SetPixels(3, 4, clFuchsia);
    EXPECT_EQ(canvas.Pixels(3, 4), clFuchsia);
    EXPECT_EQ(PixelAt(image, 3, 4), clFuchsia);
    EXPECT_EQ(canvas.Pixels(8, 0), CLR_INVALID);
    EXPECT_EQ(canvas.Pixels(-1, 0), CLR_INVALID);
    canvas.SetPixels(100, 100, clRed); // outside: ignored
    TCanvas nowhere;
    EXPECT_EQ(nowhere.Pixels(0, 0), CLR_INVALID);
}

TEST(CanvasPixels, HatchedBrushesLeaveTheBackgroundWhenTransparent)
{
    QImage image = WhiteImage(16, 16);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetStyle(bsHorizontal);
        canvas.Brush().SetColor(clBlue);
        EXPECT_EQ(canvas.GetBkMode(), TRANSPARENT) << "a hatched brush makes the background transparent";
        canvas.Rectangle(0, 0, 17, 17);
    }
    int blueRows = 0;
    for (int y = 0; y < 16; ++y) {
        const bool blue = PixelAt(image, 5, y) == clBlue;
        blueRows += blue ? 1 : 0;
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(PixelAt(image, x, y), blue ? clBlue : clWhite);
    }
    EXPECT_EQ(blueRows, 2); // one line every eight rows
}

TEST(CanvasPixels, HugeCoordinatesDrawQuicklyAndOnlyWhereTheDeviceIs)
{
    const int big = 2000000000;
    QImage image = WhiteImage(100, 100);
    QElapsedTimer timer;
    timer.start();
    {
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clRed);
        canvas.Polyline({{-big, 50}, {big, 50}, {big, big}, {-big, -big}});
        canvas.Rectangle(-big, -big, big, big);
        canvas.Ellipse(-big, -big, big, big);
        canvas.Polygon({{-big, -big}, {big, 0}, {0, big}});
        canvas.Pie(-big, -big, big, big, big, 0, 0, -big);
        canvas.Pen().SetWidth(9);
        canvas.MoveTo(-big, 10);
        canvas.LineTo(big, 10);
        canvas.Ellipse(-big, -big, big, big);
        canvas.PolyBezier({{-big, 0}, {0, -big}, {big, big}, {50, 50}});
        canvas.FillRect(TRect(-big, -big, big, big));
        canvas.TextOut(-big, big, "far away");
    }
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(PixelAt(image, 50, 30), clRed) << "the last FillRect covers the whole device";
}

TEST(CanvasPixels, PieChordAndRoundRectFillTheirOutlines)
{
    QImage image = WhiteImage(110, 110);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetColor(clRed);
        canvas.Pie(0, 0, 101, 101, 100, 50, 50, 0); // the upper-right quarter
        canvas.Brush().SetColor(clBlue);
        canvas.Chord(0, 0, 101, 101, 100, 50, 50, 0);
    }
    EXPECT_EQ(PixelAt(image, 70, 30), clRed) << "in the sector, outside the chord";
    EXPECT_EQ(PixelAt(image, 85, 25), clBlue) << "between the chord and the arc";
    EXPECT_EQ(PixelAt(image, 30, 30), clWhite);
    EXPECT_EQ(PixelAt(image, 70, 70), clWhite);
    EXPECT_EQ(PixelAt(image, 99, 5), clWhite) << "outside the circle";

    QImage rounded = WhiteImage(60, 40);
    {
        TCanvas canvas(&rounded);
        canvas.Brush().SetColor(clGreen);
        canvas.RoundRect(5, 5, 55, 35, 20, 20);
    }
    EXPECT_EQ(InkBounds(rounded), TRect(5, 5, 55, 35));
    EXPECT_EQ(PixelAt(rounded, 5, 5), clWhite) << "the corner is cut";
    EXPECT_EQ(PixelAt(rounded, 5, 20), clBlack) << "straight side";
    EXPECT_EQ(PixelAt(rounded, 30, 20), clGreen);
}

// LineTo lights the start pixel and leaves out the end pixel in every direction, so the
// same line drawn the other way round lights a different end.
TEST(CanvasLines, LineToKeepsTheStartAndLeavesOutTheEndInEveryDirection)
{
    const std::pair<TPoint, TPoint> lines[] = {
        {TPoint(2, 4), TPoint(6, 4)}, {TPoint(6, 4), TPoint(2, 4)}, {TPoint(4, 2), TPoint(4, 6)},
        {TPoint(4, 6), TPoint(4, 2)}, {TPoint(12, 8), TPoint(8, 12)}, {TPoint(8, 12), TPoint(12, 8)},
        {TPoint(1, 1), TPoint(11, 4)}, {TPoint(11, 4), TPoint(1, 1)}};
    for (const auto& [a, b] : lines) {
        TBitmap bitmap(16, 16);
        TCanvas& c = bitmap.Canvas();
        c.Pen().SetColor(clBlack);
        c.MoveTo(a.X, a.Y);
        c.LineTo(b.X, b.Y);
        EXPECT_EQ(c.Pixels(a.X, a.Y), clBlack) << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
        EXPECT_EQ(c.Pixels(b.X, b.Y), clWhite) << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
        int lit = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                lit += c.Pixels(x, y) == clBlack;
        EXPECT_EQ(lit, std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y)));
    }
}

TEST(CanvasLines, ALineOfNoLengthLightsNothingWhateverThePen)
{
    for (TPenStyle style : {psSolid, psDot, psDash}) {
        TBitmap bitmap(8, 8);
        TCanvas& c = bitmap.Canvas();
        c.Pen().SetStyle(style);
        c.Pen().SetMode(pmXor);
        c.Pen().SetColor(clWhite);
        c.MoveTo(3, 3);
        c.LineTo(3, 3);
        EXPECT_EQ(c.Pixels(3, 3), clWhite);
    }
}
