// The bitmap routines of the image shape on known channel values, mirroring, and turning
// at right angles, 45 degrees and odd sizes.
#include "component/render/BitmapOps.h"
#include "platform/Bitmap.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

TBitmap* OnePixel(TBitmap& b, uint8_t blue, uint8_t green, uint8_t red)
{
    b.SetSize(1, 1);
    uint8_t* p = b.ScanLine(0);
    p[0] = blue, p[1] = green, p[2] = red;
    return &b;
}

std::array<int, 3> Channels(const TBitmap& b, int x = 0, int y = 0)
{
    const uint8_t* p = b.ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

// A picture whose every pixel tells where it came from: blue = x, green = y.
void Numbered(TBitmap& b, int w, int h)
{
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = b.ScanLine(y) + 3 * x;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = 7;
        }
}

} // namespace

TEST(BitmapOps, GreyContrastAndBrightnessOnKnownValues)
{
    TBitmap b;
    GrayScaleBitmap(*OnePixel(b, 10, 20, 31), true);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{20, 20, 20}));
    GrayScaleBitmap(*OnePixel(b, 10, 20, 31), false);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{10, 20, 31}));

    // Contrast 255: the ends stay, the middle stays, 200 goes past 255 and is clamped.
    AdjustContrastBitmap(*OnePixel(b, 255, 0, 127), 255);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{255, 0, 127}));
    AdjustContrastBitmap(*OnePixel(b, 200, 100, 128), 255);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{255, 73, 129}));
    // A negative amount pulls toward the middle, truncating toward zero.
    AdjustContrastBitmap(*OnePixel(b, 200, 27, 127), -128);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{200 - (73 * 128) / 255, 27 + (100 * 128) / 255, 127}));

    AdjustBrightBitmap(*OnePixel(b, 250, 5, 100), 10);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{255, 15, 110}));
    AdjustBrightBitmap(*OnePixel(b, 250, 5, 100), -10);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{240, 0, 90}));
    AdjustBrightBitmap(*OnePixel(b, 250, 5, 100), 0);
    EXPECT_EQ(Channels(b), (std::array<int, 3>{250, 5, 100}));
}

TEST(BitmapOps, FlipMirrorsRowsAndColumns)
{
    TBitmap b;
    Numbered(b, 5, 3);
    FlipBitmap(b, true, false);
    EXPECT_EQ(Channels(b, 0, 0), (std::array<int, 3>{4, 0, 7}));
    EXPECT_EQ(Channels(b, 4, 2), (std::array<int, 3>{0, 2, 7}));
    FlipBitmap(b, false, true);
    EXPECT_EQ(Channels(b, 0, 0), (std::array<int, 3>{4, 2, 7}));
    FlipBitmap(b, true, true);
    EXPECT_EQ(Channels(b, 0, 0), (std::array<int, 3>{0, 0, 7}));
    EXPECT_EQ(Channels(b, 3, 1), (std::array<int, 3>{3, 1, 7}));
}

// Turned by +90 degrees the top row becomes the left column (counter-clockwise on the
// screen); by -90 degrees the right one; every pixel is a source pixel.
TEST(BitmapOps, RotateAtRightAngles)
{
    TBitmap source;
    Numbered(source, 100, 50);
    const double quarter = std::acos(-1.0) / 2;
    std::unique_ptr<TBitmap> left = RotateBitmap(source, 100, 50, 0, 0, quarter);
    ASSERT_EQ(left->Width(), 50);
    ASSERT_EQ(left->Height(), 100);
    std::unique_ptr<TBitmap> right = RotateBitmap(source, 100, 50, 0, 0, -quarter);
    ASSERT_EQ(right->Width(), 50);
    ASSERT_EQ(right->Height(), 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(Channels(*left, x, y), (std::array<int, 3>{99 - y, x, 7})) << x << "," << y;
            ASSERT_EQ(Channels(*right, x, y), (std::array<int, 3>{y, 49 - x, 7})) << x << "," << y;
        }
    // Stretched first: a 10 x 5 picture to 100 x 50, each pixel ten times over.
    TBitmap small;
    Numbered(small, 10, 5);
    std::unique_ptr<TBitmap> big = RotateBitmap(small, 100, 50, 0, 0, 0);
    ASSERT_EQ(big->Width(), 100);
    for (int x = 0; x < 100; x += 3)
        EXPECT_EQ(Channels(*big, x, 17), (std::array<int, 3>{x / 10, 1, 7}));
}

TEST(BitmapOps, RotateAt45DegreesAndOddSizes)
{
    TBitmap source;
    Numbered(source, 7, 5);
    const double eighth = std::acos(-1.0) / 4;
    std::unique_ptr<TBitmap> turned = RotateBitmap(source, 7, 5, 0, 0, eighth);
    // Round(cos 45 x 7 + sin 45 x 5) = Round(8.49) on both sides.
    ASSERT_EQ(turned->Width(), 8);
    ASSERT_EQ(turned->Height(), 8);
    // The corners lie outside the turned picture: white.
    for (auto [x, y] : {std::pair{0, 0}, {7, 0}, {0, 7}, {7, 7}})
        EXPECT_EQ(Channels(*turned, x, y), (std::array<int, 3>{255, 255, 255})) << x << "," << y;
    // The turn's centre shows the source's (W div 2, H div 2).
    EXPECT_EQ(Channels(*turned, 3, 3), (std::array<int, 3>{3, 2, 7}));
    int inside = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const auto c = Channels(*turned, x, y);
            if (c[2] == 7) {
                ++inside;
                EXPECT_LT(c[0], 7);
                EXPECT_LT(c[1], 5);
            }
        }
    // About the source's area of 35 pixels is shown.
    EXPECT_NEAR(inside, 35, 8);

    // An odd width turns about W div 2: the doubled coordinates shift the picture by one
    // pixel, so its last column is left out and the bottom row comes out white.
    TBitmap odd;
    Numbered(odd, 9, 3);
    std::unique_ptr<TBitmap> up = RotateBitmap(odd, 9, 3, 0, 0, std::acos(-1.0) / 2);
    ASSERT_EQ(up->Width(), 3);
    ASSERT_EQ(up->Height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Channels(*up, x, y), y < 8 ? (std::array<int, 3>{7 - y, x, 7}) : (std::array<int, 3>{255, 255, 255}))
                << x << "," << y;
}

// The transparency of the source passes to the result, fixed, and the source's flag is
// cleared; a stretched size beyond the pixel limit gives nothing.
TEST(BitmapOps, RotateCarriesTransparencyAndRefusesHugeSizes)
{
    TBitmap source;
    Numbered(source, 4, 4);
    source.SetTransparent(true);
    std::unique_ptr<TBitmap> turned = RotateBitmap(source, 4, 4, 0, 0, 0.5);
    EXPECT_FALSE(source.Transparent());
    EXPECT_TRUE(turned->Transparent());
    EXPECT_EQ(turned->TransparentMode(), tmFixed);
    EXPECT_EQ(turned->TransparentColor(), RGB(7, 3, 0)) << "the source's bottom-left pixel";
    std::unique_ptr<TBitmap> huge = RotateBitmap(source, 100000, 100000, 0, 0, 0.5);
    EXPECT_TRUE(huge->Empty());
}
