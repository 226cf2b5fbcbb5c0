// TBitmap: scan-line layout, the canvas on it, resizing, pixel formats, transparent and
// scaled drawing, and byte-exact BMP round trips.
#include "CanvasTestUtil.h"
#include "platform/Bitmap.h"
#include "platform/BmpCodec.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

TEST(CanvasBitmap, ScanLinesAreBlueGreenRedRowsTopDown)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.ScanLine(0), nullptr);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    ASSERT_TRUE(bitmap.SetSize(3, 2));
    EXPECT_EQ(bitmap.BytesPerPixel(), 3);
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), 12) << "rows padded to four bytes";
    EXPECT_EQ(bitmap.ScanLine(2), nullptr);
    EXPECT_EQ(bitmap.ScanLine(-1), nullptr);
    const uint8_t* row0 = bitmap.ScanLine(0);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(row0[i], 255) << "new bitmaps are white";

    bitmap.Canvas().SetPixels(1, 0, RGB(10, 20, 30));
    bitmap.Canvas().SetPixels(2, 1, clRed);
    EXPECT_EQ(bitmap.ScanLine(0)[3], 30);
    EXPECT_EQ(bitmap.ScanLine(0)[4], 20);
    EXPECT_EQ(bitmap.ScanLine(0)[5], 10);
    EXPECT_EQ(bitmap.ScanLine(1)[6], 0);
    EXPECT_EQ(bitmap.ScanLine(1)[8], 255);

    uint8_t* row1 = bitmap.ScanLine(1);
    row1[0] = 0xAA; // blue
    row1[1] = 0xBB; // green
    row1[2] = 0xCC; // red
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 1), RGB(0xCC, 0xBB, 0xAA));
    QImage image = WhiteImage(5, 5);
    {
        TCanvas canvas(&image);
        canvas.Draw(1, 2, bitmap);
    }
    EXPECT_EQ(PixelAt(image, 1, 3), RGB(0xCC, 0xBB, 0xAA));
    EXPECT_EQ(PixelAt(image, 3, 3), clRed);
}

TEST(CanvasBitmap, CanvasDrawingShowsInTheScanLinesAtOnce)
{
    TBitmap bitmap(10, 10);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().Pen().SetStyle(psClear);
    bitmap.Canvas().Rectangle(0, 0, 6, 6);
    const uint8_t* row = bitmap.ScanLine(2);
    EXPECT_EQ(row[3 * 2 + 0], 255);
    EXPECT_EQ(row[3 * 2 + 2], 0);
    bitmap.Canvas().Rectangle(4, 0, 9, 6);
    EXPECT_EQ(bitmap.ScanLine(2)[3 * 7 + 0], 255);
}

TEST(CanvasBitmap, ResizingKeepsTheTopLeftAndFillsWithTheBrushColour)
{
    TBitmap bitmap(4, 4);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(TRect(0, 0, 4, 4));
    bitmap.Canvas().Brush().SetColor(clYellow);
    ASSERT_TRUE(bitmap.SetSize(6, 3));
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Canvas().Pixels(3, 2), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixels(4, 0), clYellow);
    // The canvas keeps painting on the new picture.
    bitmap.Canvas().Pen().SetColor(clBlue);
    bitmap.Canvas().MoveTo(0, 2);
    bitmap.Canvas().LineTo(6, 2);
    EXPECT_EQ(bitmap.Canvas().Pixels(5, 2), clBlue);
    bitmap.SetWidth(0);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.Canvas().LineTo(3, 3); // nothing to paint on: ignored
    EXPECT_FALSE(bitmap.SetSize(1 << 30, 1 << 30)) << "too large to allocate";
    EXPECT_TRUE(bitmap.Empty());
}

TEST(CanvasBitmap, PixelFormatsAndTheirLayouts)
{
    TBitmap bitmap(2, 1);
    bitmap.Canvas().SetPixels(0, 0, RGB(1, 2, 3));
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.BytesPerPixel(), 4);
    const uint8_t* row = bitmap.ScanLine(0);
    EXPECT_EQ(row[0], 3);
    EXPECT_EQ(row[1], 2);
    EXPECT_EQ(row[2], 1);
    EXPECT_EQ(row[3], 255);
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.BytesPerPixel(), 1);
    EXPECT_EQ(bitmap.ScanLine(0)[1], 255);
    bitmap.Canvas().Pen().SetColor(clRed);
    bitmap.Canvas().MoveTo(0, 0);
    bitmap.Canvas().LineTo(1, 0);
    EXPECT_NE(bitmap.ScanLine(0)[0], 0) << "red is a grey level apart from black";
    EXPECT_NE(bitmap.ScanLine(0)[0], 255);
    bitmap.SetPixelFormat(pf16bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit) << "other formats are kept as 24 bits";
}

TEST(CanvasBitmap, AssignCopiesPictureAndSettingsAndStaysIndependent)
{
    TBitmap source(3, 3);
    source.Canvas().SetPixels(1, 1, clGreen);
    source.SetTransparent(true);
    source.SetTransparentColor(clGreen);
    TBitmap copy;
    copy.Assign(source);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentMode(), tmFixed);
    EXPECT_EQ(copy.Canvas().Pixels(1, 1), clGreen);
    copy.ScanLine(1)[3] = 0;
    copy.Canvas().SetPixels(0, 0, clRed);
    EXPECT_EQ(source.Canvas().Pixels(0, 0), clWhite);
    EXPECT_EQ(source.ScanLine(1)[3], 0) << "green has no blue";
    EXPECT_EQ(source.ScanLine(1)[4], 0x80);
    source.Canvas().SetPixels(2, 2, clBlue);
    EXPECT_EQ(copy.Canvas().Pixels(2, 2), clWhite);

    QImage qt(4, 2, QImage::Format_ARGB32);
    qt.fill(QColor(9, 8, 7));
    copy.Assign(qt);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    EXPECT_EQ(copy.ScanLine(1)[0], 7);
    EXPECT_EQ(copy.ToQImage().format(), QImage::Format_RGB32);
}

TEST(CanvasBitmap, TransparentColourAndModes)
{
    TBitmap bitmap(4, 4);
    bitmap.Canvas().SetPixels(0, 3, clLime);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clLime) << "the bottom-left pixel";
    bitmap.SetTransparentMode(tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clLime);
    bitmap.Canvas().SetPixels(0, 3, clRed);
    EXPECT_EQ(bitmap.TransparentColor(), clLime) << "fixed";
    bitmap.SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    bitmap.SetTransparentColor(clBlue);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
}

TEST(CanvasBitmap, TransparentAndStretchedDrawing)
{
    TBitmap sprite(4, 4);
    sprite.Canvas().Brush().SetColor(clFuchsia);
    sprite.Canvas().FillRect(TRect(0, 0, 4, 4));
    sprite.Canvas().Brush().SetColor(clNavy);
    sprite.Canvas().FillRect(TRect(1, 1, 3, 3));
    sprite.SetTransparent(true);
    QImage image = WhiteImage(20, 20);
    {
        TCanvas canvas(&image);
        canvas.Draw(0, 0, sprite);
        canvas.StretchDraw(TRect(8, 8, 16, 16), sprite);
        sprite.SetTransparent(false);
        canvas.Draw(16, 0, sprite);
    }
    EXPECT_EQ(PixelAt(image, 0, 0), clWhite) << "the bottom-left colour is left out";
    EXPECT_EQ(PixelAt(image, 1, 1), clNavy);
    EXPECT_EQ(PixelAt(image, 8, 8), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 10), clNavy);
    EXPECT_EQ(PixelAt(image, 13, 13), clNavy);
    EXPECT_EQ(PixelAt(image, 14, 14), clWhite);
    EXPECT_EQ(PixelAt(image, 16, 0), clFuchsia);
    EXPECT_EQ(PixelAt(image, 17, 1), clNavy);
}

TEST(CanvasBitmap, CopyModesAndCopyRect)
{
    TBitmap source(4, 4);
    source.Canvas().Brush().SetColor(RGB(0xF0, 0x0F, 0x55));
    source.Canvas().FillRect(TRect(0, 0, 4, 4));
    TBitmap target(8, 8);
    target.Canvas().Brush().SetColor(RGB(0x0F, 0x0F, 0x0F));
    target.Canvas().FillRect(TRect(0, 0, 8, 8));
    target.Canvas().SetCopyMode(cmSrcInvert);
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(target.Canvas().Pixels(1, 1), RGB(0xFF, 0x00, 0x5A));
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(target.Canvas().Pixels(1, 1), RGB(0x0F, 0x0F, 0x0F)) << "xor twice restores";
    target.Canvas().SetCopyMode(cmSrcCopy);
    target.Canvas().CopyRect(TRect(4, 4, 8, 8), source.Canvas(), TRect(0, 0, 2, 2));
    EXPECT_EQ(target.Canvas().Pixels(7, 7), RGB(0xF0, 0x0F, 0x55));
    EXPECT_EQ(target.Canvas().Pixels(3, 3), RGB(0x0F, 0x0F, 0x0F));
    // Copying within one bitmap reads the pixels as they were.
    target.Canvas().CopyRect(TRect(0, 0, 8, 8), target.Canvas(), TRect(4, 4, 8, 8));
    EXPECT_EQ(target.Canvas().Pixels(0, 0), RGB(0xF0, 0x0F, 0x55));
    target.Canvas().SetCopyMode(cmBlackness);
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(target.Canvas().Pixels(2, 2), clBlack);
}

TEST(CanvasBitmap, StreamRoundTripIsByteExact)
{
    TBitmap bitmap(37, 11);
    bitmap.Canvas().Brush().SetColor(clTeal);
    bitmap.Canvas().Ellipse(2, 1, 35, 10);
    bitmap.Canvas().TextOut(3, 0, "bmp");
    QBuffer first;
    first.open(QIODevice::WriteOnly);
    ASSERT_TRUE(bitmap.SaveToStream(first));
    const QByteArray bytes = first.data();
    ASSERT_EQ(bytes.size(), 54 + 11 * 112); // 37 * 3 = 111 bytes per row, padded to 112
    EXPECT_EQ(bytes.left(2), "BM");

    TBitmap loaded;
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(loaded.LoadFromStream(in));
    EXPECT_EQ(in.pos(), bytes.size());
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    EXPECT_EQ(DifferingPixels(loaded.ToQImage(), bitmap.ToQImage()), 0);
    QBuffer second;
    second.open(QIODevice::WriteOnly);
    ASSERT_TRUE(loaded.SaveToStream(second));
    EXPECT_EQ(second.data(), bytes);
}

TEST(CanvasBitmap, FileRoundTripAndRefusedInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("picture.bmp");
    TBitmap bitmap(5, 4);
    bitmap.Canvas().SetPixels(4, 3, clPurple);
    bitmap.SetPixelFormat(pf32bit);
    ASSERT_TRUE(bitmap.SaveToFile(path));
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Width(), 5);
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    EXPECT_EQ(loaded.Canvas().Pixels(4, 3), clPurple);

    QString error;
    EXPECT_FALSE(loaded.LoadFromFile(dir.filePath("missing.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    QBuffer junk;
    junk.setData(QByteArray("BMxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    junk.open(QIODevice::ReadOnly);
    error.clear();
    EXPECT_FALSE(loaded.LoadFromStream(junk, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(loaded.Width(), 5) << "a refused picture leaves the bitmap alone";
    EXPECT_EQ(loaded.Canvas().Pixels(4, 3), clPurple);
    TBitmap empty;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(empty.SaveToStream(out));
    EXPECT_FALSE(bitmap.SaveToFile(dir.filePath("no/such/folder/x.bmp")));
}

TEST(CanvasBitmap, LargeBitmapsPaintAndDraw)
{
    TBitmap big(4000, 3000);
    ASSERT_FALSE(big.Empty());
    big.Canvas().Pen().SetMode(pmXor);
    big.Canvas().Pen().SetColor(clWhite);
    big.Canvas().MoveTo(0, 0);
    big.Canvas().LineTo(3999, 2999);
    // Row 2000 of the diagonal: x near 2000 * 3999 / 2999 = 2666.9.
    const uint8_t* row = big.ScanLine(2000);
    std::vector<int> dark;
    for (int x = 0; x < 4000; ++x)
        if (row[3 * x] == 0)
            dark.push_back(x);
    ASSERT_FALSE(dark.empty());
    EXPECT_LE(dark.size(), 2u);
    EXPECT_NEAR(dark.front(), 2667, 1);
    QImage screen(1600, 1200, QImage::Format_RGB32);
    screen.fill(Qt::white);
    TCanvas canvas(&screen);
    canvas.Draw(-1000, -1000, big);
    canvas.ReleasePainter();
    // The same pixels, 1000 to the left and up.
    for (int x = 0; x < 1600; ++x)
        EXPECT_EQ(PixelAt(screen, x, 1000) == clBlack, row[3 * (x + 1000)] == 0) << x;
}
