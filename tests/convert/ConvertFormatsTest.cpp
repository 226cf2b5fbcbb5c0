// mycad-convert end to end: a drawing with a known rectangle into every output format,
// each output opened by an outside program where one is installed, and pixels probed in
// the pictures.
#include "ConvertTestSupport.h"

#include "component/document/MyCAD.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConvertFormats : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FDrawing = Path("rect.zed");
        ASSERT_TRUE(WriteRectangleDrawing(FDrawing));
    }
    QString Path(const QString& Name) const { return FDir.filePath(Name); }
    // Converts the drawing into Name and expects success and silence.
    QString Convert(const QString& Name, const QStringList& Options = {})
    {
        const QString out = Path(Name);
        const TConvertRun run = RunConvertProgram(QStringList{FDrawing, out} + Options);
        EXPECT_TRUE(run.Finished);
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
        EXPECT_TRUE(QFile::exists(out));
        return out;
    }
    // identify's "width height" of a picture; empty without ImageMagick.
    static QString Identified(const QString& File)
    {
        QString out;
        EXPECT_TRUE(RunTool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h"), File}, out))
            << out.toStdString();
        return out.trimmed();
    }

    QTemporaryDir FDir;
    QString FDrawing;
};

// The A4 page at zoom 1 and 96 pixels per inch.
constexpr int kPageW = 794, kPageH = 1123;

} // namespace

TEST_F(ConvertFormats, PngShowsTheRectangleOnThePage)
{
    const QImage png(Convert("rect.png"));
    ASSERT_EQ(png.size(), QSize(kPageW, kPageH));
    EXPECT_EQ(png.pixelColor(200, 150), QColor(Qt::red));
    EXPECT_EQ(png.pixelColor(50, 50), QColor(Qt::white));
    EXPECT_EQ(png.pixelColor(400, 150), QColor(Qt::white));
    EXPECT_EQ(png.pixelColor(100, 150), QColor(Qt::black)); // the outline
    if (!ToolInstalled("identify"))
        GTEST_SKIP() << "ImageMagick's identify is missing (scripts/deps.sh ci installs imagemagick)";
    EXPECT_EQ(Identified(Path("rect.png")), QString("PNG %1 %2").arg(kPageW).arg(kPageH));
}

TEST_F(ConvertFormats, ZoomSizeAndBackground)
{
    const QImage zoomed(Convert("zoomed.png", {"--zoom", "2"}));
    ASSERT_EQ(zoomed.size(), QSize(1587, 2245));
    EXPECT_EQ(zoomed.pixelColor(400, 300), QColor(Qt::red));
    EXPECT_EQ(zoomed.pixelColor(650, 300), QColor(Qt::white));

    // Fitted into 397 x 397: the height decides, the aspect stays.
    const QImage fitted(Convert("fitted.png", {"--width", "397", "--height", "397"}));
    EXPECT_EQ(fitted.height(), 397);
    EXPECT_NEAR(fitted.width(), 397.0 * 210 / 297, 1.0);
    const QImage wide(Convert("wide.bmp", {"--width=397"}));
    EXPECT_EQ(wide.width(), 397);
    EXPECT_NEAR(wide.height(), 397.0 * 297 / 210, 1.0);
    EXPECT_EQ(wide.pixelColor(100, 75), QColor(Qt::red));

    const QImage green(Convert("green.png", {"--background", "#00ff00"}));
    EXPECT_EQ(green.pixelColor(50, 50), QColor(Qt::green));
    EXPECT_EQ(green.pixelColor(200, 150), QColor(Qt::red));
}

TEST_F(ConvertFormats, PageDrawsTheFrameOfThePrint)
{
    const QImage plain(Convert("plain.png"));
    const QImage page(Convert("page.png", {"--page"}));
    ASSERT_EQ(page.size(), plain.size());
    EXPECT_EQ(page.pixelColor(200, 150), QColor(Qt::red));
    // The frame stands 20 pixels (at zoom 1) inside the page's edges.
    const auto darkInColumn = [](const QImage& image, int from, int to, int y) {
        for (int x = from; x <= to; ++x)
            if (image.pixelColor(x, y).lightness() < 128)
                return true;
        return false;
    };
    EXPECT_TRUE(darkInColumn(page, 15, 25, 600));
    EXPECT_FALSE(darkInColumn(plain, 15, 25, 600));
}

TEST_F(ConvertFormats, JpegAndBmpOpenInImageMagick)
{
    const QString low = Convert("low.jpg", {"--quality", "5"});
    const QString high = Convert("high.JPEG", {"--quality", "95"});
    EXPECT_LT(QFileInfo(low).size(), QFileInfo(high).size());
    const QImage jpeg(high);
    ASSERT_EQ(jpeg.size(), QSize(kPageW, kPageH));
    const QColor inside = jpeg.pixelColor(200, 150);
    EXPECT_GT(inside.red(), 230);
    EXPECT_LT(inside.green(), 30);
    const QString bmp = Convert("rect.bmp");
    EXPECT_EQ(QImage(bmp).pixelColor(200, 150), QColor(Qt::red));
    if (!ToolInstalled("identify"))
        GTEST_SKIP() << "ImageMagick's identify is missing (scripts/deps.sh ci installs imagemagick)";
    EXPECT_EQ(Identified(high), QString("JPEG %1 %2").arg(kPageW).arg(kPageH));
    const QString identified = Identified(bmp);
    EXPECT_TRUE(identified.startsWith("BMP")) << identified.toStdString();
    EXPECT_TRUE(identified.endsWith(QString(" %1 %2").arg(kPageW).arg(kPageH))) << identified.toStdString();
}

TEST_F(ConvertFormats, SvgRendersInRsvg)
{
    const QString svg = Convert("rect.svg");
    if (!ToolInstalled("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert is missing (scripts/deps.sh ci installs librsvg2-bin)";
    QString out;
    const QString png = Path("svg.png");
    ASSERT_TRUE(RunTool("rsvg-convert", {"-b", "white", "-o", png, svg}, out)) << out.toStdString();
    const QImage picture(png);
    ASSERT_EQ(picture.size(), QSize(kPageW, kPageH));
    EXPECT_EQ(picture.pixelColor(200, 150), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(400, 150), QColor(Qt::white));
}

TEST_F(ConvertFormats, PdfIsOnePageOfA4)
{
    const QString pdf = Convert("rect.pdf", {"--page"});
    if (!ToolInstalled("pdfinfo"))
        GTEST_SKIP() << "pdfinfo is missing (scripts/deps.sh ci installs poppler-utils)";
    QString out;
    ASSERT_TRUE(RunTool("pdfinfo", {pdf}, out)) << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+1\\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains("(A4)")) << out.toStdString();
    if (!ToolInstalled("pdftoppm"))
        GTEST_SKIP() << "pdftoppm is missing (scripts/deps.sh ci installs poppler-utils)";
    // At 96 dots per inch the printed page has the screen's pixels: the rectangle is where
    // the drawing has it, inside the page's margins.
    ASSERT_TRUE(RunTool("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, Path("pdf")}, out)) << out.toStdString();
    const QImage page(Path("pdf.png"));
    ASSERT_FALSE(page.isNull());
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            red += page.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_GT(red, 150 * 80); // most of the 200 x 100 rectangle, whatever the print's offset
}

TEST_F(ConvertFormats, MetafilesStartWithTheirHeaders)
{
    QFile emf(Convert("rect.emf"));
    ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
    const QByteArray e = emf.readAll();
    ASSERT_GE(e.size(), 44);
    EXPECT_EQ(e.mid(0, 4), QByteArray("\x01\x00\x00\x00", 4)); // EMR_HEADER
    EXPECT_EQ(e.mid(40, 4), QByteArray(" EMF"));
    QFile wmf(Convert("rect.WMF"));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    EXPECT_EQ(wmf.read(4), QByteArray("\xD7\xCD\xC6\x9A", 4)); // the placeable header's key
    wmf.close();
    QString out;
    if (!ToolInstalled("emf2svg-conv"))
        GTEST_SKIP() << "emf2svg-conv is missing (scripts/deps.sh ci installs emf2svg)";
    EXPECT_TRUE(RunTool("emf2svg-conv", {"-i", Path("rect.emf"), "-o", Path("emf.svg")}, out)) << out.toStdString();
    EXPECT_GT(QFileInfo(Path("emf.svg")).size(), 0);
    if (!ToolInstalled("wmf2svg"))
        GTEST_SKIP() << "wmf2svg is missing (scripts/deps.sh ci installs libwmf-bin)";
    EXPECT_TRUE(RunTool("wmf2svg", {"-o", Path("wmf.svg"), Path("rect.WMF")}, out)) << out.toStdString();
    EXPECT_GT(QFileInfo(Path("wmf.svg")).size(), 0);
}

TEST_F(ConvertFormats, DxfOpensInEzdxf)
{
    const QString dxf = Convert("rect.dxf");
    if (!EzdxfInstalled())
        GTEST_SKIP() << "python3-ezdxf is missing (scripts/deps.sh ci installs it)";
    QString out;
    ASSERT_TRUE(RunTool("/usr/bin/python3",
                        {"-c", "import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); print(len(d.modelspace()))", dxf},
                        out))
        << out.toStdString();
    EXPECT_GE(out.trimmed().toInt(), 1) << out.toStdString();
}

TEST_F(ConvertFormats, DrawingRoundTripsThroughTheConverter)
{
    const QString copy = Convert("copy.ZED");
    TMyCAD cad;
    ASSERT_TRUE(cad.LoadFromFile(copy));
    EXPECT_EQ(cad.GetShapesCount(), 1);
    QFile a(FDrawing), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}
