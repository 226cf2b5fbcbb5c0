// Text drawn at a scale and an angle, and the canvas modes shared by shapes.
#include "support/DrawingTestSupport.h"
#include "support/TestSupport.h"

#include <QImage>

namespace {
struct Ink {
    int Left = INT_MAX, Top = INT_MAX, Right = -1, Bottom = -1;
    bool Any() const { return Right >= 0; }
    int Height() const { return Bottom - Top + 1; }
    int Width() const { return Right - Left + 1; }
};

// The box of every pixel that is not white.
Ink InkOf(const TBitmap& bitmap)
{
    Ink ink;
    const QImage image = bitmap.ToQImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
            }
    return ink;
}

TFont& TestFont(TFont& font, int size)
{
    font.SetName(TestFontFamily());
    font.SetSize(size);
    font.SetColor(clBlack);
    return font;
}
} // namespace

TEST(TextOut, ScaleMakesTheSizeAPixelHeight)
{
    TBitmap bitmap(200, 100);
    TFont font;
    TestFont(font, 10);
    MyLogTextOut(&bitmap.Canvas(), 10, 10, "HHHH", &font, 2, 0);
    const Ink ink = InkOf(bitmap);
    ASSERT_TRUE(ink.Any());
    // A capital H is about 0.73 em high in DejaVu Sans: an em of 20 pixels.
    EXPECT_NEAR(ink.Height(), 0.73 * 20, 2);
    EXPECT_EQ(bitmap.Canvas().Font().Height(), -20);
    const TSize size = GetTextWidthHeight(&bitmap.Canvas(), "HHHH", &font, 2, 0);
    EXPECT_GE(size.cy, 20);
    EXPECT_LE(size.cy, 26);
    EXPECT_NEAR(size.cx, ink.Width(), 4);
    // Measured at scale 1 the text is half as wide.
    EXPECT_NEAR(GetTextWidthHeight(&bitmap.Canvas(), "HHHH", &font, 1, 0).cx, size.cx / 2.0, 2);
}

TEST(TextOut, PositiveAngleTurnsTheTextClockwise)
{
    TBitmap bitmap(200, 200);
    TFont font;
    TestFont(font, 12);
    MyLogTextOut(&bitmap.Canvas(), 100, 20, "HHHHHHHH", &font, 1, M_PI / 2);
    const Ink ink = InkOf(bitmap);
    ASSERT_TRUE(ink.Any());
    // The text runs downward from the reference point, its glyphs to the left of it.
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_GE(ink.Top, 18);
    EXPECT_LE(ink.Right, 101);
    EXPECT_EQ(bitmap.Canvas().Font().Escapement(), -900);
}

TEST(TextOut, TextIsDrawnInTheFontColourOnATransparentBackground)
{
    TBitmap bitmap(120, 40);
    bitmap.Canvas().Brush().SetColor(clYellow);
    bitmap.Canvas().FillRect(TRect(0, 0, 120, 40));
    TFont font;
    TestFont(font, 14).SetColor(clRed);
    font.SetStyle(fsBold);
    MyLogTextOut(&bitmap.Canvas(), 5, 5, "W", &font, 1, 0);
    const QImage image = bitmap.ToQImage();
    bool red = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            red |= QColor(image.pixel(x, y)) == QColor(Qt::red);
    EXPECT_TRUE(red);
    EXPECT_EQ(QColor(image.pixel(100, 35)), QColor(Qt::yellow)); // no background box
    EXPECT_EQ(bitmap.Canvas().Font().Weight(), FW_BOLD);
}

TEST(CanvasModes, HotRubberBandAndTriangleModes)
{
    TBitmap bitmap(10, 10);
    TCanvas* c = &bitmap.Canvas();
    const TColor hot = HotColor();
    SetDrawHotMode(c);
    EXPECT_EQ(c->Pen().Color(), clBlack);
    EXPECT_EQ(c->Pen().Mode(), pmCopy);
    EXPECT_EQ(c->Brush().Color(), hot);
    EXPECT_EQ(c->Brush().Style(), bsSolid);
    SetDrawLockedHotMode(c);
    EXPECT_EQ(c->Brush().Color(), clGray);
    SetDragResizeRotateShapeMode(c);
    EXPECT_EQ(c->Pen().Color(), clWhite);
    EXPECT_EQ(c->Pen().Style(), psDot);
    EXPECT_EQ(c->Pen().Mode(), pmXor);
    EXPECT_EQ(c->Brush().Style(), bsClear);

    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    r->Pen()->SetColor(clNavy);
    r->Pen()->SetWidth(3);
    r->Brush()->SetColor(clYellow);
    r->Brush()->SetStyle(bsCross);
    SetDrawTriangleMode(c, r);
    EXPECT_EQ(c->Brush().Color(), clNavy);
    EXPECT_EQ(c->Brush().Style(), bsSolid);
    EXPECT_EQ(c->Pen().Width(), 3);
    c->Pen().SetMode(pmXor);
    SetDrawShapeMode(r, c);
    EXPECT_EQ(c->Pen().Mode(), pmCopy);
    EXPECT_EQ(c->Pen().Color(), clNavy);
    EXPECT_EQ(c->Brush().Color(), clYellow);
    EXPECT_EQ(c->Brush().Style(), bsCross);
}
