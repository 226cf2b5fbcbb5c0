// Preview pictures: the zoom that fits the larger side, the centring offsets, link points
// left out, and degenerate sizes and entries.
#include "LibraryTestSupport.h"

namespace {

QRgb Pixel(const TBitmap& bitmap, int x, int y)
{
    return bitmap.ToQImage().pixel(x, y) & 0xFFFFFF;
}

constexpr QRgb kGray = 0x808080;
constexpr QRgb kBlue = 0x0000FF;

class LibraryPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto rect = MakeRect(cad, 0, 0, 100, 50);
        rect->Brush()->SetColor(clBlue);
        rect->Pen()->SetColor(clBlue);
        auto point = MakeLinkPoint(cad, 50, 25); // drawn, its X would cross the middle
        point->Pen()->SetColor(clRed);
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("wide"), {rect.get(), point.get()}, TUserData(), 100, 50));
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("empty"), {}, TUserData(), 100, 50));
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("flat"), {rect.get()}, TUserData(), 0, 0));
    }
    TMyCAD cad;
    TLibManager lib;
};

} // namespace

TEST_F(LibraryPreview, TheLargerSideFitsAndTheEntryIsCentred)
{
    // Size 32: zoom (32 - 2) / 100 = 0.3, offsets round(1) = 1 and round(8.5) = 8, so the
    // 30 x 15 pixel box covers x 1 .. 31 and y 8 .. 23.
    TBitmap picture;
    ASSERT_TRUE(lib.GetCmbShapeImage(QStringLiteral("wide"), 32, picture, clGray));
    ASSERT_EQ(picture.Width(), 32);
    ASSERT_EQ(picture.Height(), 32);
    EXPECT_EQ(Pixel(picture, 0, 15), kGray);
    EXPECT_EQ(Pixel(picture, 1, 15), kBlue);
    EXPECT_EQ(Pixel(picture, 30, 15), kBlue);
    EXPECT_EQ(Pixel(picture, 16, 7), kGray);
    EXPECT_EQ(Pixel(picture, 16, 8), kBlue);
    EXPECT_EQ(Pixel(picture, 16, 22), kBlue);
    EXPECT_EQ(Pixel(picture, 16, 24), kGray);
    EXPECT_EQ(Pixel(picture, 31, 31), kGray);
    // The link point is not drawn: the middle stays blue.
    for (int x = 12; x < 20; ++x)
        EXPECT_EQ(Pixel(picture, x, 15), kBlue) << x;
    EXPECT_EQ(lib.Drawing()->Zoom(), 1);

    // A fractional size is rounded for the picture and used as it is for the zoom.
    ASSERT_TRUE(lib.GetCmbShapeImage(QStringLiteral("wide"), 64.4, picture, clGray));
    EXPECT_EQ(picture.Width(), 64);
}

TEST_F(LibraryPreview, DegenerateSizesAndEntriesDrawOnlyTheBackground)
{
    TBitmap picture;
    for (double size : {2.0, 1.0, 0.0, -5.0}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(lib.GetCmbShapeImage(QStringLiteral("wide"), size, picture, clGray));
        const int side = std::max(0, int(size));
        EXPECT_EQ(picture.Width(), side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                EXPECT_EQ(Pixel(picture, x, y), kGray);
    }
    ASSERT_TRUE(lib.GetCmbShapeImage(QStringLiteral("empty"), 32, picture, clWhite));
    EXPECT_EQ(Pixel(picture, 16, 16), 0xFFFFFFu);
    // A box of 0 x 0 counts as 1 x 1.
    ASSERT_TRUE(lib.GetCmbShapeImage(QStringLiteral("flat"), 32, picture, clGray));
    EXPECT_EQ(picture.Width(), 32);

    picture.SetSize(5, 5);
    EXPECT_FALSE(lib.GetCmbShapeImage(QStringLiteral("none"), 32, picture, clGray));
    EXPECT_EQ(picture.Width(), 5);
}
