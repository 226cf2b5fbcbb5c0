// Thin solid lines and solid fills are written straight into 24- and 32-bit images when
// only a translation lies between logical and device pixels and the clip is a rectangle.
// Those pixels must be the painter's: every pen mode, both layouts, with and without a
// translation and a clip rectangle. A clip that differs by one far pixel and is no
// longer a rectangle sends the same drawing through the painter, the reference.
#include "CanvasTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace {

constexpr int kSize = 64;
const TPoint kFarPixel(kSize - 1, kSize - 1); // the second rectangle of the reference clip

struct Place {
    bool translate;
    bool clip;
};

// Prepares the canvas: the translation and either the clip rectangle alone (direct) or
// the clip rectangle plus the far pixel (through the painter).
void Prepare(TCanvas& c, Place s, bool viaPainter)
{
    if (s.translate) {
        c.SetGraphicsMode(GM_ADVANCED);
        XFORM shift;
        shift.eDx = 7;
        shift.eDy = -5;
        c.SetWorldTransform(shift);
    }
    const TRect box = s.clip ? TRect(10, 12, 50, 41) : TRect(0, 0, kSize, kSize);
    TRegion region = TRegion::FromRect(box);
    if (viaPainter) {
        // Not a rectangle any more, and the same clip but for the far pixel.
        const TRegion far = TRegion::FromRect(TRect(kFarPixel.X, kFarPixel.Y, kFarPixel.X + 1, kFarPixel.Y + 1));
        CombineRgn(region, region, far, s.clip ? RGN_OR : RGN_DIFF);
    }
    if (s.clip || viaPainter)
        c.SelectClipRgn(&region);
}

void ExpectSameExceptFarPixel(const QImage& a, const QImage& b, const char* what)
{
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (TPoint(x, y) == kFarPixel)
                continue;
            ASSERT_EQ(PixelAt(a, x, y), PixelAt(b, x, y)) << what << " at " << x << "," << y;
        }
}

std::vector<TPoint> RandomPoints(std::mt19937& random, int count)
{
    std::uniform_int_distribution<int> coord(-40, kSize + 40);
    std::vector<TPoint> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(coord(random), coord(random));
    return points;
}

TEST(CanvasDirectPixels, LinesAndFillsMatchThePainterInEveryModeLayoutAndClip)
{
    for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32})
        for (int m = 0; m <= int(pmNotXor); ++m)
            for (Place place : {Place{false, false}, Place{true, false}, Place{false, true}, Place{true, true}}) {
                std::mt19937 random(unsigned(m * 7 + 1));
                const std::vector<TPoint> points = RandomPoints(random, 40);
                QImage direct = NoiseImage(kSize, kSize, format), painted = direct;
                for (QImage* image : {&direct, &painted}) {
                    TCanvas c(image);
                    Prepare(c, place, image == &painted);
                    c.Pen().SetColor(RGB(0x3C, 0xA5, 0x96));
                    c.Pen().SetMode(TPenMode(m));
                    for (size_t i = 0; i + 1 < points.size(); i += 2) {
                        c.MoveTo(points[i].X, points[i].Y);
                        c.LineTo(points[i + 1].X, points[i + 1].Y);
                    }
                    // Along rows, both ways, of every length, inside, across and off the clip;
                    // the lower ones in a grey pen.
                    for (int k = 0; k < 16; ++k) {
                        if (k == 8)
                            c.Pen().SetColor(RGB(0x80, 0x80, 0x80));
                        const int y = 1 + 4 * k, from = -20 + 7 * k, to = kSize + 9 - 11 * k;
                        c.MoveTo(k % 2 ? to : from, y);
                        c.LineTo(k % 2 ? from : to, y);
                        c.Polyline({TPoint(from + 3, y + 2), TPoint(to - 1, y + 2), TPoint(to - 1, y + 3)});
                    }
                    c.Pen().SetColor(RGB(0x3C, 0xA5, 0x96));
                    c.Brush().SetColor(RGB(0x81, 0x18, 0xE7));
                    c.FillRect(TRect(points[0].X, points[1].Y, points[2].X, points[3].Y));
                    c.FillRect(TRect(-5, 20, 30, 33));
                    // A grey fill, whose bytes are all alike, wide and narrow.
                    c.Brush().SetColor(RGB(0x80, 0x80, 0x80));
                    c.FillRect(TRect(2, 44, 61, 52));
                    c.FillRect(TRect(40, 3, 43, 60));
                    c.Brush().SetColor(RGB(0x81, 0x18, 0xE7));
                    // Rectangles: filled, two pixels across, hollow, reversed corners.
                    c.Rectangle(5, 8, 40, 30);
                    c.Rectangle(20, 30, 22, 50);
                    c.Brush().SetStyle(bsClear);
                    c.Rectangle(12, 14, 50, 60);
                    c.Rectangle(45, 50, 5, 8);
                    c.Rectangle(-10, -12, 30, 33); // starting outside the image
                    // Outlines of many short segments, inside the clip and across it.
                    for (const TPoint centre : {TPoint(30, 26), TPoint(12, 15), TPoint(52, 44)}) {
                        std::vector<TPoint> outline;
                        for (int k = 0; k <= 72; ++k)
                            outline.emplace_back(centre.X + int(std::lround(9 * std::sin(k * M_PI / 36))),
                                                 centre.Y + int(std::lround(6 * std::cos(k * M_PI / 36))));
                        c.Polyline(outline);
                    }
                }
                ExpectSameExceptFarPixel(direct, painted, format == QImage::Format_BGR888 ? "BGR888" : "RGB32");
            }
}

TEST(CanvasDirectPixels, PicturesCopyAsThePainterCopiesThem)
{
    for (QImage::Format target : {QImage::Format_BGR888, QImage::Format_RGB32})
        for (QImage::Format source : {QImage::Format_BGR888, QImage::Format_RGB32})
            for (Place place : {Place{false, false}, Place{true, false}, Place{false, true}, Place{true, true}}) {
                const QImage picture = NoiseImage(30, 20, source);
                QImage direct = WhiteImage(kSize, kSize, target), painted = direct;
                for (QImage* image : {&direct, &painted}) {
                    TCanvas c(image);
                    Prepare(c, place, image == &painted);
                    c.Draw(20, 25, picture); // inside
                    c.Draw(-12, -7, picture); // over the top-left corner
                    c.Draw(50, 55, picture);  // over the bottom-right corner
                }
                ExpectSameExceptFarPixel(direct, painted, "picture");
            }
}

TEST(CanvasDirectPixels, PolylineIsItsSegmentsEachLeavingOutItsEnd)
{
    std::mt19937 random(3);
    const std::vector<TPoint> points = RandomPoints(random, 25);
    QImage asPolyline = NoiseImage(kSize, kSize, QImage::Format_BGR888), asSegments = asPolyline;
    {
        TCanvas c(&asPolyline);
        c.Pen().SetMode(pmXor);
        c.Pen().SetColor(clYellow);
        c.Polyline(points);
    }
    {
        TCanvas c(&asSegments);
        c.Pen().SetMode(pmXor);
        c.Pen().SetColor(clYellow);
        c.MoveTo(points[0].X, points[0].Y);
        for (size_t i = 1; i < points.size(); ++i)
            c.LineTo(points[i].X, points[i].Y);
    }
    EXPECT_EQ(asPolyline, asSegments);
}

TEST(CanvasDirectPixels, ClosedOutlineInvertsEachPixelOnce)
{
    QImage image = NoiseImage(kSize, kSize, QImage::Format_BGR888);
    const QImage before = image;
    {
        TCanvas c(&image);
        c.Pen().SetMode(pmNot);
        c.Polyline({TPoint(10, 10), TPoint(30, 10), TPoint(30, 30), TPoint(10, 30), TPoint(10, 10)});
    }
    int inverted = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const TColor was = PixelAt(before, x, y), now = PixelAt(image, x, y);
            if (now != was) {
                EXPECT_EQ(now, TColor(~uint32_t(was) & 0xFFFFFF)) << x << "," << y;
                ++inverted;
            }
        }
    EXPECT_EQ(inverted, 80); // four sides of 20 pixels, corners once
}

TEST(CanvasDirectPixels, LinesFromTheEndsOfTheRangeLightOnlyTheirVisiblePixels)
{
    QImage image = WhiteImage(kSize, kSize, QImage::Format_BGR888);
    {
        TCanvas c(&image);
        // Four thousand million steps, one of them per visible column: the row is where
        // the halfway rounding puts it, and no time goes to the steps outside.
        c.MoveTo(-2000000000, 20);
        c.LineTo(2000000000, 22);
        // The main diagonal from one corner of the coordinate range to the other.
        c.MoveTo(INT_MIN, INT_MIN);
        c.LineTo(INT_MAX, INT_MAX);
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            // Step i = x + 2e9 of n = 4e9 moves floor((4i + n) / 2n) rows: one from x = 0.
            const bool expected = y == 21 || x == y;
            EXPECT_EQ(PixelAt(image, x, y) == clBlack, expected) << x << "," << y;
        }
}

TEST(CanvasDirectPixels, FillsAtTheEndsOfTheRangeCoverTheImageWithoutOverflow)
{
    QImage image = WhiteImage(kSize, kSize, QImage::Format_RGB32);
    {
        TCanvas c(&image);
        c.SetGraphicsMode(GM_ADVANCED);
        XFORM shift;
        shift.eDx = 1000;
        shift.eDy = -1000;
        c.SetWorldTransform(shift);
        c.Brush().SetColor(clNavy);
        c.FillRect(TRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    }
    EXPECT_TRUE(PixelsWhere(image, [](TColor c) { return c != clNavy; }).empty());
    EXPECT_EQ(qAlpha(image.pixel(5, 5)), 255);
}

TEST(CanvasDirectPixels, ARectanglePartlyOffTheImageKeepsItsVisibleBorderWhole)
{
    QImage image = WhiteImage(kSize, kSize, QImage::Format_BGR888);
    {
        TCanvas c(&image);
        c.Brush().SetStyle(bsClear);
        c.Rectangle(-10, -10, 30, 30);
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool border = (x == 29 && y <= 29) || (y == 29 && x <= 29);
            EXPECT_EQ(PixelAt(image, x, y) == clBlack, border) << x << "," << y;
        }
}

TEST(CanvasDirectPixels, AnImageSharingItsDataWithACopyLeavesTheCopyAlone)
{
    QImage image = WhiteImage(kSize, kSize, QImage::Format_BGR888);
    const QImage copy = image;
    {
        TCanvas c(&image);
        c.MoveTo(0, 5);
        c.LineTo(40, 5);
        c.Brush().SetColor(clRed);
        c.FillRect(TRect(0, 10, 8, 18));
    }
    EXPECT_EQ(PixelAt(image, 3, 5), clBlack);
    EXPECT_EQ(PixelAt(image, 3, 12), clRed);
    EXPECT_TRUE(PixelsWhere(copy, [](TColor c) { return c != clWhite; }).empty());
}

// Strokes one after the other in one pen reuse the writer; a copy taken between them, a
// new size, a new clip, a new colour, a new origin each renew it.
TEST(CanvasDirectPixels, StrokesInARowFollowEveryChangeOfTheirPicture)
{
    auto line = [](TCanvas& c, int y, int width = kSize) {
        c.MoveTo(0, y);
        c.LineTo(width, y);
    };
    QImage image = WhiteImage(kSize, kSize, QImage::Format_BGR888);
    TCanvas c(&image);
    line(c, 2);
    const QImage copy = image;
    line(c, 4);
    EXPECT_EQ(PixelAt(copy, 3, 2), clBlack);
    EXPECT_EQ(PixelAt(copy, 3, 4), clWhite); // the copy keeps its pixels
    EXPECT_EQ(PixelAt(image, 3, 4), clBlack);

    const TRegion band = TRegion::FromRect(TRect(10, 0, 20, kSize));
    c.SelectClipRgn(&band);
    line(c, 6);
    c.SelectClipRgn(nullptr);
    c.Pen().SetColor(clRed);
    line(c, 8);
    c.SetWindowOrgEx(0, -2);
    line(c, 8); // lands on row 10
    c.SetWindowOrgEx(0, 0);
    EXPECT_EQ(PixelAt(image, 5, 6), clWhite);
    EXPECT_EQ(PixelAt(image, 15, 6), clBlack);
    EXPECT_EQ(PixelAt(image, 5, 8), clRed);
    EXPECT_EQ(PixelAt(image, 5, 10), clRed);

    TBitmap bitmap(kSize, kSize);
    TCanvas& b = bitmap.Canvas();
    line(b, 1);
    bitmap.SetSize(kSize * 2, kSize / 2);
    b.Brush().SetColor(clWhite);
    b.FillRect(TRect(0, 0, kSize * 2, kSize / 2));
    line(b, 12, kSize * 2);
    EXPECT_EQ(PixelAt(bitmap.ToQImage(), kSize * 2 - 2, 12), clBlack);
}

TEST(CanvasDirectPixels, TranslucentImagesKeepThePainterForModesThatReadTheDestination)
{
    // On premultiplied ARGB a copy is written directly and an exclusive-or goes through
    // the painter; either way the opaque result is the one on RGB32.
    for (TPenMode mode : {pmCopy, pmXor, pmNotMerge}) {
        QImage argb = NoiseImage(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        QImage rgb = NoiseImage(kSize, kSize, QImage::Format_RGB32);
        for (QImage* image : {&argb, &rgb}) {
            TCanvas c(image);
            c.Pen().SetMode(mode);
            c.Pen().SetColor(RGB(200, 100, 50));
            c.Polyline({TPoint(2, 3), TPoint(60, 40), TPoint(10, 62)});
        }
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                ASSERT_EQ(PixelAt(argb, x, y), PixelAt(rgb, x, y)) << int(mode) << " at " << x << "," << y;
    }
}

} // namespace
