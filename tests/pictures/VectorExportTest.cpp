// SVG and PDF pictures of the page, checked by the programs that read them.
#include "PictureScene.h"
#include "PictureTestUtil.h"

#include <gtest/gtest.h>

namespace {

// The box of the pixels of a colour.
QRect BoxOf(const QImage& image, TColor colour, int tolerance)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Near(ColorAt(image, x, y), colour, tolerance))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(VectorExport, SvgRendersAsThePage)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString path = dir.filePath("page.svg");
    ASSERT_TRUE(scene.Cad->SaveToSvg(path));
    const QByteArray svg = ReadAll(path);
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.trimmed().endsWith("</svg>"));
    EXPECT_EQ(svg.count("<svg"), 1);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 794 1123\""));
    if (!HaveTool("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    const ToolRun run = RunTool("rsvg-convert", {"-b", "white", "-o", dir.filePath("page.png"), path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), QSize(794, 1123));
    // The one-pixel line on the pixel row 100 lies on the boundary of rows 99 and 100
    // for a smoothing renderer: both are half red.
    EXPECT_TRUE(Near(ColorAt(page, 150, 100), clRed, 130));
    EXPECT_TRUE(Near(ColorAt(page, 150, 98), clWhite, 10));
    EXPECT_TRUE(Near(ColorAt(page, 500, 300), clBlue, 10));
    EXPECT_TRUE(Near(ColorAt(page, 150, 550), clWhite, 10)) << "the hidden layer's shape";
    EXPECT_TRUE(Near(ColorAt(page, 350, 550), clWhite, 10)) << "the shape that is not Visible";
    EXPECT_TRUE(Near(ColorAt(page, 395, 195), clWhite, 10)) << "a hot of the selection";
}

// More shapes than one part holds: the parts join into one picture.
TEST(VectorExport, SvgOfManyShapesInParts)
{
    QTemporaryDir dir;
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    for (int i = 0; i < 4500; ++i) {
        const float x = float(10 + (i % 75) * 10), y = float(10 + (i / 75) * 10);
        FilledRect(cad, x, y, x + 6, y + 6, i == 0 ? clRed : i == 4499 ? clBlue : clGreen);
    }
    cad.RemoveAllWorkingShapes();
    const QString path = dir.filePath("many.svg");
    ASSERT_TRUE(cad.SaveToSvg(path));
    const QByteArray svg = ReadAll(path);
    EXPECT_EQ(svg.count("<svg"), 1);
    EXPECT_EQ(svg.count("</svg>"), 1);
    if (!HaveTool("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    const ToolRun run = RunTool("rsvg-convert", {"-b", "white", "-o", dir.filePath("many.png"), path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QImage page = QImage(dir.filePath("many.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Near(ColorAt(page, 13, 13), clRed, 10));
    EXPECT_TRUE(Near(ColorAt(page, 10 + 74 * 10 + 3, 10 + 59 * 10 + 3), clBlue, 10));
}

// One PDF page of the drawing's paper; at 600 dpi a 100-unit line is 625 pixels long.
TEST(VectorExport, PdfIsThePrintedPage)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(100, 700), TMyPoint(200, 700)}, 0, "Short");
    cad.GetShapeByID(id)->Pen()->SetColor(clGreen);
    const QString path = dir.filePath("page.pdf");
    ASSERT_TRUE(cad.SaveToPdf(path));
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_TRUE(ReadAll(path).startsWith("%PDF"));
    cad.SetPageOrientation(poLandscape);
    ASSERT_TRUE(cad.SaveToPdf(dir.filePath("landscape.pdf")));
    if (!HaveTool("pdfinfo") || !HaveTool("pdftoppm"))
        GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are not installed";
    ToolRun run = RunTool("pdfinfo", {path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.simplified().contains("Pages: 1"));
    EXPECT_TRUE(run.Out.contains("595 x 842") || run.Out.contains("595.28 x 841.89")) << run.Out.toStdString();
    run = RunTool("pdfinfo", {dir.filePath("landscape.pdf")});
    EXPECT_TRUE(run.Out.contains("842 x 595") || run.Out.contains("841.89 x 595.2")) << run.Out.toStdString();

    // The part of the page at 600 dpi from (0, 3000) holding both lines' ends and shapes.
    run = RunTool("pdftoppm", {"-r", "600", "-aa", "no", "-aaVector", "no", "-x", "0", "-y", "3000", "-W", "3500",
                               "-H", "1600", "-png", "-singlefile", path, dir.filePath("page")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), QSize(3500, 1600));
    // The green line's box is its length plus the round ends of its pen.
    const QRect green = BoxOf(page, clGreen, 60);
    ASSERT_FALSE(green.isEmpty());
    EXPECT_NEAR(green.width() - green.height(), 625, 2);
    EXPECT_NEAR(green.center().x(), 937.5, 2);
    EXPECT_NEAR(green.center().y() + 3000, 4375, 2);
    EXPECT_TRUE(Near(ColorAt(page, 937, 437), clLime, 10)) << "printing shows shapes of hidden layers";
    EXPECT_TRUE(Near(ColorAt(page, 2187, 437), clWhite, 10));
}

TEST(VectorExport, FailuresLeaveTheOldFile)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString svg = dir.filePath("old.svg"), pdf = dir.filePath("old.pdf");
    ASSERT_TRUE(WriteAll(svg, "previous"));
    ASSERT_TRUE(WriteAll(pdf, "previous"));
    scene.Cad->resize(0, 0);
    EXPECT_FALSE(scene.Cad->SaveToSvg(svg));
    scene.Cad->SetPageWidth(0);
    EXPECT_FALSE(scene.Cad->SaveToPdf(pdf));
    EXPECT_EQ(ReadAll(svg), QByteArray("previous"));
    EXPECT_EQ(ReadAll(pdf), QByteArray("previous"));
    EXPECT_FALSE(MakePictureScene().Cad->SaveToPdf(dir.filePath("missing/folder/page.pdf")));
}
