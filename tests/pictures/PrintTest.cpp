// Printing on a printer that prints into a picture: the print zoom from the resolution,
// unequal resolutions, physical offsets, frame, head and foot, the background picture's
// modes, the choice of shapes, failures of the printer; printing to PDF through Qt.
#include "PictureScene.h"
#include "PictureTestUtil.h"
#include "platform/ImagePrinter.h"
#include "platform/Printer.h"
#include "platform/QtPrinter.h"

#include <QPrinter>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Installs a printer for the life of a test.
class PrinterScope {
public:
    explicit PrinterScope(TPrinter& printer) : FPrevious(SetPrinter(&printer)) {}
    ~PrinterScope() { SetPrinter(FPrevious); }

private:
    TPrinter* FPrevious;
};

// A 600 dpi printer with a printable area of width x height printer pixels.
TImagePrinter::TSettings At600(int width, int height)
{
    TImagePrinter::TSettings s;
    s.PageSize = {width, height};
    return s;
}

// The columns (or rows) of a picture's line or column where a colour is found.
std::vector<int> Where(const QImage& image, bool row, int at, TColor colour, int tolerance = 0)
{
    std::vector<int> found;
    const int n = row ? image.width() : image.height();
    for (int i = 0; i < n; ++i)
        if (Near(ColorAt(image, row ? i : at, row ? at : i), colour, tolerance))
            found.push_back(i);
    return found;
}

// Every stored point of every shape, to compare bit for bit.
QByteArray StoredPoints(const TMyCAD& cad)
{
    QByteArray bytes;
    for (const auto& s : cad.Shapes()) {
        bytes.append(reinterpret_cast<const char*>(s->Points().data()), qsizetype(s->Points().size() * sizeof(TMyPoint)));
        bytes.append(reinterpret_cast<const char*>(s->LinkPoints().data()),
                     qsizetype(s->LinkPoints().size() * sizeof(TMyPoint)));
        const TMyPoint c = s->CaptionPoint();
        bytes.append(reinterpret_cast<const char*>(&c), sizeof c);
    }
    return bytes;
}

} // namespace

// At 600 dpi on a 96 PPI screen the print zoom is 6.25: the 200-unit line is 1250 printer
// pixels long (its pen 6 pixels wide, round ends), the frame 125 pixels inside the
// printable area; afterwards the zoom is 1 again and the control is as it was.
TEST(Print, AtTheResolutionOfThePrinter)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetPageHead("Head");
    cad.SetPageFoot("Foot");
    TImagePrinter printer(At600(2600, 3800));
    PrinterScope installed(printer);
    const QByteArray before = StoredPoints(cad);
    ASSERT_TRUE(cad.Print({}, 1.0));
    EXPECT_EQ(printer.BeginCount(), 1);
    EXPECT_EQ(printer.EndCount(), 1);
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.size(), QSize(794, 1123));
    EXPECT_EQ(StoredPoints(cad), before) << "printing moved a stored point";
    const QImage page = printer.Page().ToQImage();
    ASSERT_EQ(page.size(), QSize(2600, 3800));
    const std::vector<int> line = Where(page, true, 625, clRed);
    ASSERT_FALSE(line.empty());
    EXPECT_NEAR(line.front(), 625, 4);
    EXPECT_NEAR(line.back(), 1875, 4);
    EXPECT_NEAR((line.front() + line.back()) / 2.0, 1250, 1);
    EXPECT_EQ(ColorAt(page, 2550, 1875), clBlue); // the square from x = 2500
    EXPECT_EQ(ColorAt(page, 2490, 1875), clWhite);
    // The frame: margins of 20 units at zoom 6.25, right and bottom exclusive.
    EXPECT_EQ(ColorAt(page, 125, 3000), clBlack);
    EXPECT_EQ(ColorAt(page, 124, 3000), clWhite);
    EXPECT_EQ(ColorAt(page, 126, 3000), clWhite);
    EXPECT_EQ(ColorAt(page, 2600 - 126, 3000), clBlack);
    EXPECT_EQ(ColorAt(page, 2600 - 125, 3000), clWhite);
    EXPECT_EQ(ColorAt(page, 1000, 125), clBlack);
    EXPECT_EQ(ColorAt(page, 2000, 3800 - 126), clBlack);
    // Head and foot: text near the top (15 units down) and the bottom, centred and right.
    auto inked = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (ColorAt(page, x, y) != clWhite && ColorAt(page, x, y) != clBlack)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(1000, 1600, 90, 200));
    EXPECT_FALSE(inked(130, 800, 90, 200));
    EXPECT_TRUE(inked(1800, 2474, 3500, 3700));
    // Shapes of a hidden layer print (their own Visible counts), shapes not Visible do not.
    EXPECT_EQ(ColorAt(page, 937, 3437), clLime);
    EXPECT_EQ(ColorAt(page, 2187, 3437), clWhite);
}

// 600 x 1200 dpi: the zoom is still 6.25 (here 3.125 at scale 0.5) and the page still
// prints at its real size: the 200-unit square is 625 pixels across and 1250 down.
TEST(Print, UnequalResolutionsKeepTheRealSize)
{
    PictureScene scene = MakePictureScene();
    TImagePrinter::TSettings s = At600(2000, 2600);
    s.ResolutionY = 1200;
    TImagePrinter printer(s);
    PrinterScope installed(printer);
    ASSERT_TRUE(scene.Cad->Print({}, 0.5));
    const QImage page = printer.Page().ToQImage();
    const std::vector<int> across = Where(page, true, 1875, clBlue);
    const std::vector<int> down = Where(page, false, 1562, clBlue);
    ASSERT_FALSE(across.empty());
    ASSERT_FALSE(down.empty());
    EXPECT_NEAR(across.back() - across.front() + 1, 625, 4);
    EXPECT_NEAR(across.front(), 1250, 2);
    EXPECT_NEAR(down.back() - down.front() + 1, 1250, 8);
    EXPECT_NEAR(down.front(), 1250, 4);
    EXPECT_EQ(scene.Cad->Zoom(), 1.0);
}

// The shapes move up and left by the physical offsets, to the paper's edge; the frame
// keeps to the printable area; the stored points stay bit for bit.
TEST(Print, PhysicalOffsetsMoveTheShapesOnly)
{
    PictureScene scene = MakePictureScene();
    TImagePrinter::TSettings s = At600(2000, 1500);
    TImagePrinter plain(s);
    s.PhysicalOffset = {100, 200};
    TImagePrinter offset(s);
    const QByteArray before = StoredPoints(*scene.Cad);
    {
        PrinterScope installed(plain);
        ASSERT_TRUE(scene.Cad->Print({}, 0.5));
    }
    {
        PrinterScope installed(offset);
        ASSERT_TRUE(scene.Cad->Print({}, 0.5));
    }
    EXPECT_EQ(StoredPoints(*scene.Cad), before);
    const QImage a = plain.Page().ToQImage(), b = offset.Page().ToQImage();
    const std::vector<int> rowA = Where(a, true, 937, clBlue), rowB = Where(b, true, 737, clBlue);
    ASSERT_FALSE(rowA.empty());
    ASSERT_FALSE(rowB.empty());
    EXPECT_EQ(rowB.front(), rowA.front() - 100);
    EXPECT_EQ(rowB.back(), rowA.back() - 100);
    const std::vector<int> colA = Where(a, false, 1562, clBlue), colB = Where(b, false, 1462, clBlue);
    ASSERT_FALSE(colA.empty());
    ASSERT_FALSE(colB.empty());
    EXPECT_EQ(colB.front(), colA.front() - 200);
    EXPECT_EQ(ColorAt(b, 62, 700), clBlack) << "the frame does not move";
    EXPECT_EQ(ColorAt(a, 62, 700), clBlack);
}

// Scale 0.5 at 600 dpi: zoom 3.125.
TEST(Print, ChoosingShapesByLayerAndSelection)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    TImagePrinter printer(At600(2500, 2500));
    PrinterScope installed(printer);
    // Only the hidden layer, listed twice: its one shape, once.
    ASSERT_TRUE(cad.Print({scene.HiddenLayer, scene.HiddenLayer}, 0.5));
    EXPECT_EQ(cad.DrawnShapes(), TMyShapeNo{uint32_t(scene.Hidden->ShapeNo())});
    QImage page = printer.Page().ToQImage();
    EXPECT_EQ(ColorAt(page, 468, 1718), clLime);
    EXPECT_EQ(ColorAt(page, 1562, 937), clWhite);
    // The selection: the blue square alone, and the drawn-shape list stays.
    ASSERT_TRUE(cad.PrintSelectedShapes(0.5));
    page = printer.Page().ToQImage();
    EXPECT_EQ(ColorAt(page, 1562, 937), clBlue);
    EXPECT_EQ(ColorAt(page, 468, 1718), clWhite);
    EXPECT_EQ(cad.DrawnShapes().size(), 1u);
    // A hidden group prints none of its members; a hidden member of a visible group is
    // left out while the others print.
    TMyShape* a = FilledRect(cad, 600, 500, 650, 550, clMaroon);
    TMyShape* b = FilledRect(cad, 660, 500, 710, 550, clOlive);
    TMyShape* group = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    ASSERT_NE(group, nullptr);
    b->SetVisible(false);
    ASSERT_TRUE(cad.Print({}, 0.5));
    page = printer.Page().ToQImage();
    EXPECT_EQ(ColorAt(page, 1953, 1640), clMaroon);
    EXPECT_EQ(ColorAt(page, 2140, 1640), clWhite);
    group->SetVisible(false);
    ASSERT_TRUE(cad.Print({}, 0.5));
    EXPECT_EQ(ColorAt(printer.Page().ToQImage(), 1953, 1640), clWhite);
}

TEST(Print, PageColourAndBlackAndWhitePrinters)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetColorOfBackGround(clYellow);
    cad.SetPrintBackground(true);
    TImagePrinter::TSettings s = At600(1000, 1000);
    s.ColorCount = 2;
    TImagePrinter printer(s);
    PrinterScope installed(printer);
    EXPECT_TRUE(IsBlackWhitePrinter());
    ASSERT_TRUE(cad.Print({}, 1.0));
    EXPECT_EQ(ColorAt(printer.Page().ToQImage(), 10, 10), clYellow);
    cad.SetPrintBackground(false);
    ASSERT_TRUE(cad.Print({}, 1.0));
    EXPECT_EQ(ColorAt(printer.Page().ToQImage(), 10, 10), clWhite);
}

// The printer failing to begin or to end is reported; the zoom is back either way.
TEST(Print, FailuresOfThePrinter)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetZoom(1.5);
    TImagePrinter::TSettings s = At600(500, 500);
    s.FailBegin = true;
    TImagePrinter refusing(s);
    {
        PrinterScope installed(refusing);
        EXPECT_FALSE(cad.Print({}, 1.0));
        EXPECT_FALSE(cad.PrintSelectedShapes(1.0));
        EXPECT_EQ(cad.Zoom(), 1.5);
    }
    s.FailBegin = false;
    s.FailEnd = true;
    TImagePrinter failing(s);
    {
        PrinterScope installed(failing);
        const QByteArray before = StoredPoints(cad);
        EXPECT_FALSE(cad.Print({}, 1.0));
        EXPECT_EQ(cad.Zoom(), 1.5);
        EXPECT_EQ(StoredPoints(cad), before);
        EXPECT_FALSE(cad.Print({}, 0.0)) << "no scale";
        EXPECT_FALSE(cad.Print({}, std::nan("")));
        EXPECT_EQ(failing.BeginCount(), 1);
    }
    EXPECT_EQ(cad.size(), QSize(1191, 1684));
}

// The background picture scaled by the zoom: centred on the printer page, and tiled
// with tiles of its scaled size, 7 x 7 of 200 x 200 on a page of 1000 x 1000.
TEST(Print, BackgroundPictureModes)
{
    TMyCAD cad;
    cad.SetPrintABorder(false);
    TBitmap picture(100, 50);
    picture.Canvas().Brush().SetColor(clRed);
    picture.Canvas().FillRect(TRect(0, 0, 100, 50));
    picture.Canvas().Brush().SetColor(clBlue);
    picture.Canvas().FillRect(TRect(0, 0, 1, 1));
    cad.SetBkBitmap(&picture);
    cad.SetBkBitmapMode(TBkBitmapMode::Center);
    TImagePrinter::TSettings s;
    s.ResolutionX = s.ResolutionY = 192; // zoom 2
    s.PageSize = {1001, 800};
    TImagePrinter printer(s);
    PrinterScope installed(printer);
    ASSERT_TRUE(cad.Print({}, 1.0));
    QImage page = printer.Page().ToQImage();
    EXPECT_EQ(ColorAt(page, 400, 350), clBlue);
    EXPECT_EQ(ColorAt(page, 402, 352), clRed);
    EXPECT_EQ(ColorAt(page, 599, 449), clRed);
    EXPECT_EQ(ColorAt(page, 600, 449), clWhite);
    EXPECT_EQ(ColorAt(page, 399, 400), clWhite);

    TBitmap square(100, 100);
    square.Canvas().Brush().SetColor(clGreen);
    square.Canvas().FillRect(TRect(0, 0, 100, 100));
    square.Canvas().Brush().SetColor(clBlue);
    square.Canvas().FillRect(TRect(0, 0, 1, 1));
    cad.SetBkBitmap(&square);
    cad.SetBkBitmapMode(TBkBitmapMode::Tiled);
    s.PageSize = {1000, 1000};
    printer.SetSettings(s);
    ASSERT_TRUE(cad.Print({}, 1.0));
    page = printer.Page().ToQImage();
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(ColorAt(page, 200 * i, 200 * j), clBlue) << i << "," << j;
            EXPECT_EQ(ColorAt(page, 200 * i + 2, 200 * j + 2), clGreen);
            EXPECT_EQ(ColorAt(page, 200 * i + 199, 200 * j + 199), clGreen);
        }
    // A tile that rounds to no size draws nothing (zoom 0.4 of a one-pixel picture).
    TBitmap dot(1, 1);
    dot.Canvas().Brush().SetColor(clBlue);
    dot.Canvas().FillRect(TRect(0, 0, 1, 1));
    cad.SetBkBitmap(&dot);
    ASSERT_TRUE(cad.Print({}, 0.2));
    page = printer.Page().ToQImage();
    EXPECT_EQ(ColorAt(page, 0, 0), clWhite);
    EXPECT_EQ(ColorAt(page, 500, 500), clWhite);
    // Outside a print job the printing parts draw nothing and do not fail.
    cad.PrintBkBitmap(2);
    cad.PrintBorder();
    cad.PrintHeadFoot();
}

// Qt's printer writing a PDF file, headless: one page, and the picture on it.
TEST(Print, ThroughQtToPdf)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(dir.filePath("print.pdf"));
    TQtPrinter printer(qprinter);
    PrinterScope installed(printer);
    ASSERT_TRUE(scene.Cad->Print({}, 1.0));
    EXPECT_EQ(scene.Cad->Zoom(), 1.0);
    const QByteArray pdf = ReadAll(dir.filePath("print.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    if (!HaveTool("pdfinfo"))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const ToolRun run = RunTool("pdfinfo", {dir.filePath("print.pdf")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.simplified().contains("Pages: 1")) << run.Out.toStdString();
}
