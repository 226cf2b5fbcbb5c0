// mycad-convert's failures: the message on the error stream, the exit code (1 command line,
// 2 input, 3 output), and no output file made or changed.
#include "ConvertTestSupport.h"

#include "component/base/Version.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConvertErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FDrawing = Path("rect.zed");
        ASSERT_TRUE(WriteRectangleDrawing(FDrawing));
    }
    QString Path(const QString& Name) const { return FDir.filePath(Name); }
    static void WriteBytes(const QString& File, const QByteArray& Bytes)
    {
        QFile f(File);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(Bytes), Bytes.size());
    }
    // Runs the converter and expects the exit code and exactly one line on the error stream.
    static QString Failure(const QStringList& Args, int ExitCode)
    {
        const TConvertRun run = RunConvertProgram(Args);
        EXPECT_TRUE(run.Finished);
        EXPECT_EQ(run.ExitCode, ExitCode) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
        return run.Err;
    }

    QTemporaryDir FDir;
    QString FDrawing;
};

} // namespace

TEST_F(ConvertErrors, CommandLineMistakesExitWithOne)
{
    EXPECT_EQ(Failure({}, 1), "mycad-convert: an input and an output file are needed\n"
                              "Try 'mycad-convert --help' for more information.\n");
    EXPECT_TRUE(Failure({FDrawing, Path("x.png"), "--zoom", "zero"}, 1).startsWith("mycad-convert: 'zero' is not a zoom"));
    EXPECT_TRUE(Failure({FDrawing, Path("x.png"), "--quality", "50"}, 1).contains("'--quality' applies to JPEG output only"));
    EXPECT_TRUE(Failure({FDrawing, Path("x.svg"), "--page"}, 1).contains("'--page' applies to PNG, JPEG, BMP and PDF"));
    EXPECT_TRUE(FilesIn(FDir.path()) == QStringList{"rect.zed"});

    const TConvertRun help = RunConvertProgram({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Out.startsWith("Usage: mycad-convert IN OUT [options]"));
    const TConvertRun version = RunConvertProgram({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, QString("mycad-convert %1\n").arg(MyCADVersion()));
}

TEST_F(ConvertErrors, UnreadableInputsExitWithTwo)
{
    const QString missing = Path("missing.zed");
    EXPECT_EQ(Failure({missing, Path("x.png")}, 2), QString("mycad-convert: cannot read '%1': no such file\n").arg(missing));

    // A drawing cut in half.
    QFile whole(FDrawing);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString cut = Path("cut.zed");
    WriteBytes(cut, bytes.left(bytes.size() / 2));
    EXPECT_EQ(Failure({cut, Path("x.png")}, 2),
              QString("mycad-convert: cannot read '%1': the drawing is damaged or incomplete\n").arg(cut));

    // A DXF file that ends inside its entities.
    const QString dxf = Path("cut.dxf");
    WriteBytes(dxf, "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n1.0\n");
    EXPECT_EQ(Failure({dxf, Path("x.png")}, 2), QString("mycad-convert: cannot read '%1': Invalid DXF file.\n").arg(dxf));

    const QString text = Path("notes.txt");
    WriteBytes(text, "just some words\n");
    EXPECT_TRUE(Failure({text, Path("x.png")}, 2).endsWith("not a MyCAD drawing, DXF file or shape library\n"));
    EXPECT_TRUE(Failure({FDir.path(), Path("x.png")}, 2).endsWith("': it is a folder\n"));

    const QString library = Path("box.lib");
    ASSERT_TRUE(WriteBoxLibrary(library));
    EXPECT_EQ(Failure({library + "#Nope", Path("x.png")}, 2),
              QString("mycad-convert: cannot read '%1': the library holds no entry 'Nope'\n").arg(library));
    EXPECT_TRUE(Failure({FDrawing, Path("x.png"), "--entry", "Box"}, 2).endsWith(": not a shape library\n"));
    // A library whose only entry was cut short has no entry to convert.
    QFile full(library);
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QByteArray libraryBytes = full.readAll();
    const QString cutLibrary = Path("cut.lib");
    WriteBytes(cutLibrary, libraryBytes.left(libraryBytes.size() - 8));
    EXPECT_TRUE(Failure({cutLibrary + "#Box", Path("x.png")}, 2).startsWith(QString("mycad-convert: cannot read '%1': ").arg(cutLibrary)));
    // A library without an entry name is a command-line mistake.
    EXPECT_TRUE(Failure({library, Path("x.png")}, 1).contains("it is a shape library: name an entry"));
    EXPECT_EQ(FilesIn(FDir.path()).filter(QRegularExpression("^x\\.")), QStringList());
}

TEST_F(ConvertErrors, UnwritableOutputsExitWithThreeAndLeaveNoFile)
{
    const QString unknown = Path("rect.xyz");
    EXPECT_TRUE(Failure({FDrawing, unknown}, 3)
                    .startsWith(QString("mycad-convert: cannot write '%1': unknown output format '.xyz' (known: .png")
                                    .arg(unknown)));
    EXPECT_TRUE(Failure({FDrawing, Path("noext")}, 3).contains("no suffix names the output format"));
    const QString nowhere = Path("no/such/folder/x.png");
    EXPECT_TRUE(Failure({FDrawing, nowhere}, 3).contains("x.png': the folder '"));
    EXPECT_TRUE(Failure({FDrawing, FDrawing + "/x.png"}, 3).contains("' is not a folder"));
    EXPECT_TRUE(Failure({FDrawing, Path("sub.png")}, 0).isEmpty()); // a sanity check of the folder
    QDir(FDir.path()).mkdir("taken.png");
    EXPECT_TRUE(Failure({FDrawing, Path("taken.png")}, 3).endsWith("taken.png': it is a folder\n"));

    // A picture beyond the pixel limit fails before anything is written, and the older
    // output stays as it was.
    QFile older(Path("sub.png"));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    const QByteArray before = older.readAll();
    older.close();
    EXPECT_TRUE(Failure({FDrawing, Path("sub.png"), "--zoom", "100"}, 3).contains("is beyond the limit"));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), before);
    EXPECT_EQ(FilesIn(FDir.path()), (QStringList{"rect.zed", "sub.png"}));
}
