// Metafiles played onto a canvas: the recorder's own files against drawing straight on
// a bitmap, scaling onto a target, LibreOffice's files, damaged files.
#include "MetafileScene.h"
#include "PictureTestUtil.h"
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"

#include <gtest/gtest.h>

namespace {

QImage Played(const QByteArray& metafile)
{
    TBitmap bitmap;
    QString error;
    EXPECT_TRUE(LoadMetafile(metafile, bitmap, &error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return bitmap.ToQImage();
}

double DifferentShare(const QImage& a, const QImage& b)
{
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            different += a.pixel(x, y) != b.pixel(x, y);
    return double(different) / (a.width() * a.height());
}

// A little EMF of hand-made records after a header of the given picture size.
QByteArray HandMadeEmf(const std::vector<std::vector<uint32_t>>& records)
{
    QByteArray emf = Record(TMetafileFormat::Emf, QSize(50, 50), [](TCanvas&) {});
    emf.chop(20); // without its end record
    for (const auto& words : records)
        for (uint32_t w : words)
            emf.append(reinterpret_cast<const char*>(&w), 4);
    const uint32_t eof[5] = {Emf::EOF_, 20, 0, 16, 20};
    emf.append(reinterpret_cast<const char*>(eof), 20);
    return emf;
}

} // namespace

// Played back, the recorder's files show what the canvas draws straight on a bitmap.
TEST(MetafilePlay, RecordedFilesShowWhatTheCanvasDraws)
{
    TBitmap direct(200, 170);
    DrawEveryFigure(direct.Canvas());
    const QImage expected = direct.ToQImage();
    for (TMetafileFormat format : {TMetafileFormat::Emf, TMetafileFormat::PlaceableWmf}) {
        SCOPED_TRACE(format == TMetafileFormat::Emf ? "EMF" : "WMF");
        const QByteArray metafile = Record(format, QSize(200, 170), DrawEveryFigure);
        TMetafileInfo info;
        ASSERT_TRUE(ReadMetafileInfo(metafile, info));
        EXPECT_EQ(info.Size, QSize(200, 170));
        const QImage page = Played(metafile);
        ASSERT_EQ(page.size(), expected.size());
        EXPECT_EQ(ColorAt(page, 50, 10), clRed);
        EXPECT_EQ(ColorAt(page, 40, 35), clYellow);
        EXPECT_EQ(ColorAt(page, 95, 40), clYellow);
        EXPECT_EQ(ColorAt(page, 45, 5), clYellow) << "the clipped polygon";
        EXPECT_EQ(ColorAt(page, 70, 5), clWhite) << "outside the clip";
        EXPECT_EQ(ColorAt(page, 135, 45), clGreen) << "the picture";
        EXPECT_EQ(ColorAt(page, 150, 55), clWhite);
        EXPECT_EQ(ColorAt(page, 100, 140), ColorAt(expected, 100, 140)) << "the exclusive-or line";
        bool text = false;
        for (int y = 20; y < 34 && !text; ++y)
            for (int x = 130; x < 165 && !text; ++x)
                text = Near(ColorAt(page, x, y), clBlue, 90);
        EXPECT_TRUE(text);
        EXPECT_LT(DifferentShare(page, expected), 0.02);
    }
}

TEST(MetafilePlay, ThePictureFillsTheTarget)
{
    const QByteArray emf = Record(TMetafileFormat::Emf, QSize(200, 170), DrawEveryFigure);
    const QByteArray wmf = Record(TMetafileFormat::PlaceableWmf, QSize(200, 170), DrawEveryFigure);
    for (const QByteArray* metafile : {&emf, &wmf}) {
        TBitmap page(400, 340);
        ASSERT_TRUE(PlayMetafile(*metafile, page.Canvas(), TRect(0, 0, 400, 340)));
        const QImage image = page.ToQImage();
        EXPECT_EQ(ColorAt(image, 100, 20), clRed);
        EXPECT_EQ(ColorAt(image, 80, 70), clYellow);
        EXPECT_EQ(ColorAt(image, 270, 90), clGreen);
        // The canvas is as it was.
        EXPECT_EQ(page.Canvas().GetGraphicsMode(), GM_COMPATIBLE);
        EXPECT_EQ(page.Canvas().Pen().Mode(), pmCopy);
    }
}

// LibreOffice's files of an SVG drawing: a red square left of a blue ellipse.
TEST(MetafilePlay, LibreOfficeFiles)
{
    if (!HaveTool("soffice"))
        GTEST_SKIP() << "LibreOffice (libreoffice-draw-nogui) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(WriteAll(dir.filePath("drawing.svg"),
                         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\">"
                         "<rect x=\"20\" y=\"20\" width=\"60\" height=\"60\" fill=\"#ff0000\"/>"
                         "<ellipse cx=\"140\" cy=\"50\" rx=\"40\" ry=\"30\" fill=\"#0000ff\"/>"
                         "<text x=\"10\" y=\"95\" font-size=\"10\">Hi</text></svg>"));
    for (const char* format : {"emf", "wmf"}) {
        SCOPED_TRACE(format);
        const ToolRun run = RunTool("soffice", {"-env:UserInstallation=file://" + dir.filePath("profile"),
                                                "--headless", "--convert-to", format, "--outdir", dir.path(),
                                                dir.filePath("drawing.svg")},
                                    240000);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const QByteArray metafile = ReadAll(dir.filePath(QString("drawing.") + format));
        ASSERT_FALSE(metafile.isEmpty()) << run.Out.toStdString();
        TBitmap bitmap;
        QString error;
        ASSERT_TRUE(LoadMetafile(metafile, bitmap, &error)) << error.toStdString();
        const QImage page = bitmap.ToQImage();
        QRect red, blue;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                if (Near(ColorAt(page, x, y), clRed, 30))
                    red |= QRect(x, y, 1, 1);
                if (Near(ColorAt(page, x, y), clBlue, 30))
                    blue |= QRect(x, y, 1, 1);
            }
        ASSERT_FALSE(red.isEmpty());
        ASSERT_FALSE(blue.isEmpty());
        const double unit = red.width() / 60.0;
        EXPECT_NEAR(red.height() / unit, 60, 3);
        EXPECT_NEAR(blue.width() / unit, 80, 3);
        EXPECT_NEAR(blue.height() / unit, 60, 3);
        EXPECT_NEAR((blue.left() - red.left()) / unit, 80, 3);
        EXPECT_NEAR((blue.top() - red.top()) / unit, 0, 3); // both from y = 20
    }
}

TEST(MetafilePlay, DamagedFilesAreSurvived)
{
    const QByteArray emf = Record(TMetafileFormat::Emf, QSize(200, 170), DrawEveryFigure);
    const QByteArray wmf = Record(TMetafileFormat::PlaceableWmf, QSize(200, 170), DrawEveryFigure);
    TBitmap kept(3, 3);
    QString error;
    EXPECT_FALSE(LoadMetafile(QByteArray("not a metafile"), kept, &error));
    EXPECT_FALSE(LoadMetafile(emf.left(50), kept, &error)) << "the header cut short";
    EXPECT_EQ(kept.Width(), 3);
    // Cut within the records: what came before is drawn, the damage reported.
    error.clear();
    ASSERT_TRUE(LoadMetafile(emf.left(emf.size() - 30), kept, &error));
    EXPECT_EQ(kept.Width(), 200);
    for (const QByteArray* metafile : {&emf, &wmf}) {
        for (qsizetype n = 0; n < metafile->size(); n += 13) {
            TBitmap out;
            LoadMetafile(metafile->left(n), out);
        }
        for (qsizetype at = 0; at < metafile->size(); at += 5) {
            QByteArray damaged = *metafile;
            damaged[at] = char(damaged[at] ^ 0x6B);
            TBitmap out;
            LoadMetafile(damaged, out);
        }
    }
    // Objects named outside the table, a record size beyond the data, a zero size.
    const QByteArray objects = HandMadeEmf({{Emf::SELECTOBJECT, 12, 9999},
                                            {Emf::DELETEOBJECT, 12, 70000},
                                            {Emf::CREATEPEN, 28, 65000, 0, 5, 0, 0xFF},
                                            {Emf::CREATEBRUSHINDIRECT, 24, 1, 0, 0xFF, 0},
                                            {Emf::SELECTOBJECT, 12, 1},
                                            {Emf::RECTANGLE, 24, 10, 10, 40, 40}});
    TBitmap out;
    ASSERT_TRUE(LoadMetafile(objects, out, &error)) << error.toStdString();
    EXPECT_EQ(ColorAt(out.ToQImage(), 25, 25), clRed);
    const QByteArray oversized = HandMadeEmf({{Emf::RECTANGLE, 4000, 10, 10, 40, 40}});
    error.clear();
    EXPECT_TRUE(LoadMetafile(oversized, out, &error));
    EXPECT_FALSE(error.isEmpty());
    const QByteArray zero = HandMadeEmf({{Emf::RECTANGLE, 0, 10, 10, 40, 40}});
    error.clear();
    EXPECT_TRUE(LoadMetafile(zero, out, &error));
    EXPECT_FALSE(error.isEmpty());
    // A counted polygon longer than its record is skipped.
    const QByteArray counted = HandMadeEmf({{Emf::POLYGON16, 36, 0, 0, 0, 0, 1000000, 0x00050005, 0x00100010}});
    EXPECT_TRUE(LoadMetafile(counted, out, &error));
}

// Clip rectangles reaching far past any page still clip what lies on it.
TEST(MetafilePlay, ClipRectanglesFarWiderThanThePage)
{
    const uint32_t far = uint32_t(-2000000000), farEnd = 2000000000u;
    const std::vector<uint32_t> red = {Emf::CREATEBRUSHINDIRECT, 24, 1, 0, 0xFF, 0};
    const std::vector<uint32_t> selectRed = {Emf::SELECTOBJECT, 12, 1};
    const std::vector<uint32_t> square = {Emf::RECTANGLE, 24, 10, 10, 40, 40};
    TBitmap out;
    QString error;
    ASSERT_TRUE(LoadMetafile(HandMadeEmf({red, selectRed, {Emf::INTERSECTCLIPRECT, 24, far, far, farEnd, farEnd}, square}),
                             out, &error))
        << error.toStdString();
    EXPECT_EQ(ColorAt(out.ToQImage(), 25, 25), clRed) << "kept inside everything";
    ASSERT_TRUE(LoadMetafile(HandMadeEmf({red, selectRed, {Emf::EXCLUDECLIPRECT, 24, far, far, farEnd, farEnd}, square}),
                             out, &error));
    EXPECT_EQ(ColorAt(out.ToQImage(), 25, 25), clWhite) << "everything left out";
    ASSERT_TRUE(LoadMetafile(HandMadeEmf({red, selectRed, {Emf::INTERSECTCLIPRECT, 24, far, far, far + 10, far + 10}, square}),
                             out, &error));
    EXPECT_EQ(ColorAt(out.ToQImage(), 25, 25), clWhite) << "nothing kept";
}
