// The converter's inputs, in process (so that the leak checker sees the whole conversion)
// and through the program: DXF files with and without their suffix, library entries by
// "#Name" and by --entry, and failures that name the file.
#include "ConvertTestSupport.h"
#include "Converter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConvertInputs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }
    QString Path(const QString& Name) const { return FDir.filePath(Name); }
    static TConvertResult Convert(const QStringList& Args)
    {
        TConvertOptions options;
        const TParseResult parsed = ParseConvertArguments(Args, options);
        EXPECT_TRUE(parsed.Ok) << parsed.Error.toStdString();
        return RunConversion(options);
    }

    QTemporaryDir FDir;
};

bool HasColour(const QImage& Image, const QColor& Colour)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (Image.pixelColor(x, y) == Colour)
                return true;
    return false;
}

} // namespace

TEST_F(ConvertInputs, LibraryEntryOnAPageOfItsOwnSize)
{
    const QString library = Path("box.lib");
    ASSERT_TRUE(WriteBoxLibrary(library));
    const QString png = Path("box.png");
    const TConvertResult r = Convert({library + "#Box", png});
    ASSERT_EQ(r.Exit, TConvertExit::Ok) << r.Error.toStdString();
    const QImage picture(png);
    // 120 x 60 pixels and a margin, in whole millimetres of page.
    EXPECT_GE(picture.width(), 136);
    EXPECT_LE(picture.width(), 142);
    EXPECT_GE(picture.height(), 76);
    EXPECT_LE(picture.height(), 82);
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::white));

    // The same entry with --entry, through the program, into an SVG.
    const TConvertRun run = RunConvertProgram({library, Path("box.svg"), "--entry", "Box"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_GT(QFileInfo(Path("box.svg")).size(), 100);
}

TEST_F(ConvertInputs, DxfFilesBecomePictures)
{
    const QString dxf = QStringLiteral(MYCAD_TEST_DATA_DIR "/dxf/every_kind.dxf");
    const QString png = Path("every.png");
    const TConvertResult r = Convert({dxf, png, "--width", "400"});
    ASSERT_EQ(r.Exit, TConvertExit::Ok) << r.Error.toStdString();
    const QImage picture(png);
    EXPECT_EQ(picture.width(), 400);
    EXPECT_TRUE(HasColour(picture, QColor(Qt::white)));
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            drawn += picture.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(drawn, 100); // the entities left marks on the page

    // A DXF file without its suffix is still recognised by its first group.
    const QString renamed = Path("every_kind.data");
    ASSERT_TRUE(QFile::copy(dxf, renamed));
    EXPECT_EQ(Convert({renamed, Path("every.dxf")}).Exit, TConvertExit::Ok);
    EXPECT_TRUE(QFile::exists(Path("every.dxf")));
}

TEST_F(ConvertInputs, InProcessFailuresNameTheFile)
{
    const TConvertResult missing = Convert({Path("none.dxf"), Path("x.png")});
    EXPECT_EQ(missing.Exit, TConvertExit::InputUnreadable);
    EXPECT_EQ(missing.Error, QString("mycad-convert: cannot read '%1': no such file").arg(Path("none.dxf")));
    const QString drawing = Path("rect.zed");
    ASSERT_TRUE(WriteRectangleDrawing(drawing));
    const TConvertResult big = Convert({drawing, Path("x.bmp"), "--zoom", "60"});
    EXPECT_EQ(big.Exit, TConvertExit::OutputUnwritable);
    EXPECT_EQ(FilesIn(FDir.path()), QStringList{"rect.zed"});
    EXPECT_EQ(Convert({drawing, Path("x.pdf"), "--background", "yellow"}).Exit, TConvertExit::Ok);
}
