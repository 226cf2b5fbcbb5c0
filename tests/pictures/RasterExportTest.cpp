// BMP, PNG and JPEG pictures of the page, and the page fitted into a caller's bitmap.
#include "PictureScene.h"
#include "PictureTestUtil.h"
#include "platform/BmpCodec.h"
#include "platform/JpegCodec.h"

#include <gtest/gtest.h>

namespace {

QImage ReadBmpFile(const QString& path)
{
    QImage image;
    EXPECT_TRUE(ReadBmp(ReadAll(path), image));
    return image;
}

// What every raster export of the scene shows at zoom 1.
void ExpectSceneAtZoom1(const QImage& page, TColor pageColour)
{
    ASSERT_EQ(page.size(), QSize(794, 1123));
    EXPECT_EQ(ColorAt(page, 150, 100), clRed);
    EXPECT_EQ(ColorAt(page, 500, 300), clBlue);
    EXPECT_EQ(ColorAt(page, 150, 550), pageColour) << "shape of a hidden layer";
    EXPECT_EQ(ColorAt(page, 350, 550), pageColour) << "shape that is not Visible";
    // The hots of the selected rectangle lie around its corners: none in the picture.
    for (const QPoint corner : {QPoint(400, 200), QPoint(599, 399)})
        for (int d = -4; d <= 4; ++d) {
            if (d == 0)
                continue;
            const int x = corner.x() + (corner.x() == 400 ? -5 : 5), y = corner.y() + d;
            EXPECT_EQ(ColorAt(page, x, y), pageColour) << x << "," << y;
        }
}

} // namespace

TEST(RasterExport, BmpOfTheA4PageAtZoom1And2)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetColorOfBackGround(clYellow);
    const QString one = dir.filePath("page1.bmp"), two = dir.filePath("page2.bmp");
    ASSERT_TRUE(cad.SaveToBmp(one, true));
    const QByteArray file = ReadAll(one);
    ASSERT_GE(file.size(), 54);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(I32At(file, 18), 794);
    EXPECT_EQ(I32At(file, 22), 1123);
    EXPECT_EQ(U16At(file, 28), 24);
    EXPECT_EQ(U32At(file, 2), uint32_t(file.size()));
    ExpectSceneAtZoom1(ReadBmpFile(one), clYellow);

    cad.SetZoom(2);
    ASSERT_TRUE(cad.SaveToBmp(two, false));
    const QImage page = ReadBmpFile(two);
    ASSERT_EQ(page.size(), QSize(1587, 2245));
    EXPECT_EQ(ColorAt(page, 300, 200), clRed);
    EXPECT_EQ(ColorAt(page, 1000, 600), clBlue);
    // Without the fill the page colour is not drawn: the new picture stays white.
    EXPECT_EQ(ColorAt(page, 10, 10), clWhite);
    EXPECT_EQ(cad.Zoom(), 2.0);
    EXPECT_EQ(cad.size(), QSize(1587, 2245));

    if (!HaveTool("identify"))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const ToolRun run = RunTool("identify", {"-format", "%w %h", two});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.trimmed(), QByteArray("1587 2245"));
}

TEST(RasterExport, FittedIntoACallersBitmap)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetColorOfBackGround(clYellow);
    TBitmap bitmap(400, 400);
    bitmap.Canvas().Brush().SetColor(clAqua);
    bitmap.Canvas().FillRect(TRect(0, 0, 400, 400));
    ASSERT_TRUE(cad.SaveToBmp(&bitmap, 400, 400, false));
    const QImage kept = bitmap.ToQImage();
    // Zoom 400 / 1123: the page is 283 x 400 at the left edge; the line from (100, 100)
    // to (300, 100) is at y = round(100 x 0.3562) = 36.
    EXPECT_EQ(ColorAt(kept, 50, 36), clRed);
    EXPECT_EQ(ColorAt(kept, 350, 200), clAqua) << "without fill the bitmap keeps what it held";
    EXPECT_EQ(ColorAt(kept, 20, 300), clAqua) << "without fill the page colour is not drawn";
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.size(), QSize(794, 1123));

    ASSERT_TRUE(cad.SaveToBmp(&bitmap, 400, 400, true));
    const QImage filled = bitmap.ToQImage();
    EXPECT_EQ(ColorAt(filled, 283, 200), clYellow) << "the fill covers the whole bitmap";
    EXPECT_EQ(ColorAt(filled, 399, 399), clYellow);
    EXPECT_EQ(ColorAt(filled, 20, 300), clYellow);
    EXPECT_EQ(ColorAt(filled, 178, 107), clBlue); // (500, 300) x 0.3562
    EXPECT_EQ(cad.Zoom(), 1.0);

    EXPECT_FALSE(cad.SaveToBmp(&bitmap, 0, 400, true)) << "a bitmap of no width";
    EXPECT_FALSE(cad.SaveToBmp(&bitmap, 400, -1, true));
    EXPECT_FALSE(cad.SaveToBmp(nullptr, 400, 400, true));
    EXPECT_EQ(bitmap.Width(), 400);
    EXPECT_FALSE(cad.SaveToBmp(&bitmap, 40000, 40000, true)) << "beyond the pixel limit";
    EXPECT_EQ(cad.Zoom(), 1.0);
}

TEST(RasterExport, PngShowsThePage)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString path = dir.filePath("page.png");
    ASSERT_TRUE(scene.Cad->SaveToPng(path, true));
    QImage page(path);
    ExpectSceneAtZoom1(page, clWhite);
    if (!HaveTool("identify"))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const ToolRun run = RunTool("identify", {"-format", "%m %w %h", path});
    EXPECT_EQ(run.Out.trimmed(), QByteArray("PNG 794 1123"));
}

TEST(RasterExport, JpegMarkersQualityAndColours)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    // The first entry of the luminance table is 16 scaled by the quality, as libjpeg
    // scales it: 80 -> 6, 100 -> 1, 1 -> 255 (baseline tables stop at 255).
    const std::pair<int, int> qualities[] = {{80, 6}, {100, 1}, {150, 1}, {1, 255}, {-7, 255}};
    for (const auto& [quality, first] : qualities) {
        SCOPED_TRACE(quality);
        const QString path = dir.filePath(QString("q%1.jpg").arg(quality));
        ASSERT_TRUE(cad.SaveToJpg(path, quality, true));
        const QByteArray jpeg = ReadAll(path);
        ASSERT_GT(jpeg.size(), 4);
        EXPECT_EQ(uint8_t(jpeg[0]), 0xFF);
        EXPECT_EQ(uint8_t(jpeg[1]), 0xD8);
        EXPECT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
        EXPECT_EQ(uint8_t(jpeg[jpeg.size() - 2]), 0xFF);
        EXPECT_EQ(uint8_t(jpeg[jpeg.size() - 1]), 0xD9);
        const qsizetype dqt = jpeg.indexOf("\xFF\xDB");
        ASSERT_GT(dqt, 0);
        EXPECT_EQ(uint8_t(jpeg[dqt + 5]), first);
        const qsizetype sof = jpeg.indexOf("\xFF\xC0");
        ASSERT_GT(sof, 0);
        EXPECT_EQ((uint8_t(jpeg[sof + 5]) << 8) | uint8_t(jpeg[sof + 6]), 1123); // big-endian sizes
        EXPECT_EQ((uint8_t(jpeg[sof + 7]) << 8) | uint8_t(jpeg[sof + 8]), 794);
    }
    TBitmap decoded;
    ASSERT_TRUE(ReadJpegFile(dir.filePath("q80.jpg"), decoded));
    const QImage page = decoded.ToQImage();
    EXPECT_TRUE(Near(ColorAt(page, 500, 300), clBlue, 12));
    EXPECT_TRUE(Near(ColorAt(page, 150, 550), clWhite, 12));
    EXPECT_TRUE(Near(ColorAt(page, 350, 550), clWhite, 12));

    if (!HaveTool("djpeg"))
        GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
    const ToolRun run = RunTool("djpeg", {"-bmp", "-outfile", dir.filePath("q80.bmp"), dir.filePath("q80.jpg")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    QImage theirs;
    ASSERT_TRUE(ReadBmp(ReadAll(dir.filePath("q80.bmp")), theirs));
    EXPECT_EQ(theirs.size(), QSize(794, 1123));
}

TEST(RasterExport, FailuresLeaveTheOldFile)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    const QString bmp = dir.filePath("old.bmp"), jpg = dir.filePath("old.jpg"), png = dir.filePath("old.png");
    for (const QString& path : {bmp, jpg, png})
        ASSERT_TRUE(WriteAll(path, "previous contents"));
    // A page beyond the pixel limit cannot be composed: nothing is written.
    cad.SetZoom(12);
    EXPECT_FALSE(cad.SaveToBmp(bmp, true));
    EXPECT_FALSE(cad.SaveToJpg(jpg, 80, true));
    EXPECT_FALSE(cad.SaveToPng(png, true));
    for (const QString& path : {bmp, jpg, png})
        EXPECT_EQ(ReadAll(path), QByteArray("previous contents")) << path.toStdString();
    // A file that cannot be created (its folder does not exist) is reported.
    cad.SetZoom(1);
    EXPECT_FALSE(cad.SaveToBmp(dir.filePath("no/such/folder/page.bmp"), true));
    EXPECT_FALSE(cad.SaveToJpg(dir.filePath("no/such/folder/page.jpg"), 80, true));
}
