// Enhanced and placeable Windows metafiles of the page and of canvas drawing: headers,
// record layouts, 16-bit clamping, and the files opened by other programs.
#include "PictureScene.h"
#include "MetafileScene.h"
#include "PictureTestUtil.h"
#include "platform/MetafileRecorder.h"
#include "platform/MetafileRecords.h"

#include <QBuffer>
#include <QRect>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

void ExpectWellFormedEmf(const QByteArray& emf)
{
    const std::vector<EmfRecord> records = EmfRecords(emf);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Type, Emf::HEADER);
    EXPECT_EQ(records.front().Size, Emf::HEADER_SIZE);
    EXPECT_EQ(U32At(emf, 40), Emf::SIGNATURE);
    EXPECT_EQ(U32At(emf, 44), Emf::VERSION);
    EXPECT_EQ(U32At(emf, 48), uint32_t(emf.size())) << "nBytes";
    EXPECT_EQ(U32At(emf, 52), uint32_t(records.size())) << "nRecords";
    // The records chain to the file's end and the last one ends the file.
    EXPECT_EQ(records.back().Offset + qsizetype(records.back().Size), emf.size());
    EXPECT_EQ(records.back().Type, Emf::EOF_);
    EXPECT_EQ(records.back().Size, 20u);
    EXPECT_EQ(U32At(emf, records.back().Offset + 16), 20u);
    // Every object selected or deleted was created before (or is a stock object), and
    // the header's handle count covers every handle.
    std::vector<bool> live(U16At(emf, 56), false);
    for (const EmfRecord& r : records) {
        if (r.Type == Emf::CREATEPEN || r.Type == Emf::EXTCREATEPEN || r.Type == Emf::CREATEBRUSHINDIRECT
            || r.Type == Emf::EXTCREATEFONTINDIRECTW || r.Type == Emf::CREATEDIBPATTERNBRUSHPT) {
            const uint32_t h = U32At(emf, r.Offset + 8);
            ASSERT_LT(h, live.size());
            EXPECT_FALSE(live[h]) << "handle " << h << " created twice";
            live[h] = true;
        } else if (r.Type == Emf::SELECTOBJECT || r.Type == Emf::DELETEOBJECT) {
            const uint32_t h = U32At(emf, r.Offset + 8);
            if (h & Emf::STOCK_OBJECT)
                continue;
            ASSERT_LT(h, live.size());
            EXPECT_TRUE(live[h]) << "handle " << h << " used before it was made";
            if (r.Type == Emf::DELETEOBJECT)
                live[h] = false;
        }
    }
}

} // namespace

TEST(MetafileExport, EmfOfThePage)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString path = dir.filePath("page.emf");
    ASSERT_TRUE(scene.Cad->SaveToWmf(path));
    const QByteArray emf = ReadAll(path);
    ExpectWellFormedEmf(emf);
    // The frame is the page in hundredths of a millimetre, inclusive.
    EXPECT_EQ(I32At(emf, 24), 0);
    EXPECT_EQ(I32At(emf, 32), int(794 * 2540.0 / 96 + 0.5) - 1);
    EXPECT_EQ(I32At(emf, 36), int(1123 * 2540.0 / 96 + 0.5) - 1);
    const std::vector<EmfRecord> records = EmfRecords(emf);
    bool line = false;
    for (const EmfRecord& r : records) {
        if (r.Type == Emf::POLYLINE16 && I32At(emf, r.Offset + 8) == 100 && I32At(emf, r.Offset + 12) == 100
            && I32At(emf, r.Offset + 16) == 300)
            line = true;
        if (r.Type == Emf::CREATEBRUSHINDIRECT || r.Type == Emf::CREATEPEN) {
            const uint32_t colour = U32At(emf, r.Offset + (r.Type == Emf::CREATEPEN ? 24 : 16));
            EXPECT_NE(colour, uint32_t(clLime)) << "the shape of the hidden layer";
            EXPECT_NE(colour, uint32_t(clFuchsia)) << "the shape that is not Visible";
            EXPECT_NE(colour, uint32_t(clGray)) << "the hots of the selection";
        }
    }
    EXPECT_TRUE(line) << "the red line as a 16-bit polyline";
    // Neither the page colour nor the background picture goes into the metafile.
    EXPECT_EQ(CountRecords(records, Emf::STRETCHDIBITS), 0);

    for (const char* name : {"noextension", "page.emf", "page.Emf"}) {
        ASSERT_TRUE(scene.Cad->SaveToWmf(dir.filePath(name)));
        EXPECT_EQ(U32At(ReadAll(dir.filePath(name)), 40), Emf::SIGNATURE) << name;
    }
}

TEST(MetafileExport, PlaceableWmfOfThePage)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    for (const char* name : {"page.wmf", "PAGE.WMF", "page.WmF"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_TRUE(scene.Cad->SaveToWmf(path));
        const QByteArray wmf = ReadAll(path);
        ASSERT_GT(wmf.size(), 40);
        EXPECT_EQ(U32At(wmf, 0), Wmf::PLACEABLE_KEY);
        EXPECT_EQ(I16At(wmf, 6), 0);
        EXPECT_EQ(I16At(wmf, 8), 0);
        EXPECT_EQ(I16At(wmf, 10), 794);
        EXPECT_EQ(I16At(wmf, 12), 1123);
        EXPECT_EQ(U16At(wmf, 14), 96);
        uint16_t checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= U16At(wmf, 2 * i);
        EXPECT_EQ(U16At(wmf, 20), checksum);
        // The metafile header: its size in words, its largest record, its objects.
        EXPECT_EQ(U16At(wmf, 22), 1);
        EXPECT_EQ(U16At(wmf, 24), 9);
        EXPECT_EQ(U16At(wmf, 26), 0x0300);
        EXPECT_EQ(U32At(wmf, 28), uint32_t((wmf.size() - 22) / 2));
        const std::vector<WmfRecord> records = WmfRecords(wmf);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.back().Function, Wmf::EOF_);
        EXPECT_EQ(records.back().Size, 6u);
        EXPECT_EQ(records.back().Offset + 6, wmf.size());
        uint32_t largest = 0;
        for (const WmfRecord& r : records)
            largest = std::max(largest, r.Size / 2);
        EXPECT_EQ(U32At(wmf, 34), largest);
        EXPECT_GE(U16At(wmf, 32), 2);
    }
}

TEST(MetafileExport, EveryFigureHasItsRecord)
{
    const QByteArray emf = Record(TMetafileFormat::Emf, QSize(200, 170), DrawEveryFigure);
    ExpectWellFormedEmf(emf);
    const std::vector<EmfRecord> r = EmfRecords(emf);
    bool xorPen = false;
    for (uint32_t type : {Emf::CREATEPEN, Emf::EXTCREATEPEN, Emf::CREATEBRUSHINDIRECT, Emf::SELECTOBJECT,
                          Emf::POLYLINE16, Emf::POLYGON16, Emf::POLYBEZIER16, Emf::ELLIPSE, Emf::ARC, Emf::PIE,
                          Emf::CHORD, Emf::EXTCREATEFONTINDIRECTW, Emf::EXTTEXTOUTW, Emf::STRETCHDIBITS,
                          Emf::EXTSELECTCLIPRGN, Emf::SETROP2})
        EXPECT_GT(CountRecords(r, type), 0) << "record type " << type;
    for (const EmfRecord& rec : r) {
        if (rec.Type == Emf::ELLIPSE) {
            // The canvas's box, right and bottom exclusive.
            EXPECT_EQ(I32At(emf, rec.Offset + 8), 70);
            EXPECT_EQ(I32At(emf, rec.Offset + 12), 20);
            EXPECT_EQ(I32At(emf, rec.Offset + 16), 120);
            EXPECT_EQ(I32At(emf, rec.Offset + 20), 60);
        }
        if (rec.Type == Emf::ARC) {
            EXPECT_EQ(I32At(emf, rec.Offset + 8), 10);
            EXPECT_EQ(I32At(emf, rec.Offset + 16), 60);
        }
        xorPen = xorPen || (rec.Type == Emf::SETROP2 && U32At(emf, rec.Offset + 8) == uint32_t(R2_XORPEN));
        if (rec.Type == Emf::EXTTEXTOUTW) {
            EXPECT_EQ(U32At(emf, rec.Offset + 44), 5u); // five characters
            const uint32_t offDx = U32At(emf, rec.Offset + 72);
            int width = 0;
            for (int i = 0; i < 5; ++i)
                width += I32At(emf, rec.Offset + offDx + 4 * i);
            TCanvas measure;
            EXPECT_NEAR(width, measure.TextWidth("Hello"), 1);
        }
    }
    EXPECT_TRUE(xorPen) << "the exclusive-or pen as its raster operation";
    const QByteArray wmf = Record(TMetafileFormat::PlaceableWmf, QSize(200, 170), DrawEveryFigure);
    const std::vector<WmfRecord> w = WmfRecords(wmf);
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w.back().Function, Wmf::EOF_);
    std::set<uint16_t> functions;
    for (const WmfRecord& rec : w)
        functions.insert(rec.Function);
    for (uint16_t f : {Wmf::CREATEPENINDIRECT, Wmf::CREATEBRUSHINDIRECT, Wmf::SELECTOBJECT, Wmf::POLYLINE,
                       Wmf::POLYGON, Wmf::ELLIPSE, Wmf::ARC, Wmf::PIE, Wmf::CHORD, Wmf::CREATEFONTINDIRECT,
                       Wmf::EXTTEXTOUT, Wmf::STRETCHDIB, Wmf::CREATEREGION, Wmf::SELECTCLIPREGION, Wmf::SETROP2})
        EXPECT_TRUE(functions.count(f)) << "function " << std::hex << f;
}

TEST(MetafileExport, WmfCoordinatesAreClampedTo16Bits)
{
    auto far = [](TCanvas& c) {
        c.MoveTo(10, 20);
        c.LineTo(100000, -100000);
    };
    const QByteArray wmf = Record(TMetafileFormat::PlaceableWmf, QSize(100, 100), far);
    bool found = false;
    for (const WmfRecord& r : WmfRecords(wmf)) {
        if (r.Function != Wmf::POLYLINE)
            continue;
        found = true;
        EXPECT_EQ(I16At(wmf, r.Offset + 6), 2);
        EXPECT_EQ(I16At(wmf, r.Offset + 8), 10);
        EXPECT_EQ(I16At(wmf, r.Offset + 10), 20);
        EXPECT_EQ(I16At(wmf, r.Offset + 12), 32767);
        EXPECT_EQ(I16At(wmf, r.Offset + 14), -32768);
    }
    EXPECT_TRUE(found);
    // The enhanced form keeps the exact values in a 32-bit polyline.
    const QByteArray emf = Record(TMetafileFormat::Emf, QSize(100, 100), far);
    found = false;
    for (const EmfRecord& r : EmfRecords(emf)) {
        if (r.Type != Emf::POLYLINE)
            continue;
        found = true;
        EXPECT_EQ(I32At(emf, r.Offset + 36), 100000);
        EXPECT_EQ(I32At(emf, r.Offset + 40), -100000);
    }
    EXPECT_TRUE(found);
}

TEST(MetafileExport, FailuresAreReported)
{
    // A device that takes 100 bytes and then refuses.
    class Full : public QBuffer {
    protected:
        qint64 writeData(const char* data, qint64 n) override
        {
            return pos() + n > 100 ? -1 : QBuffer::writeData(data, n);
        }
    };
    for (TMetafileFormat format : {TMetafileFormat::Emf, TMetafileFormat::PlaceableWmf}) {
        Full full;
        full.open(QIODevice::ReadWrite);
        TMetafileRecorder recorder(full, QSize(200, 170), format);
        {
            TCanvas canvas(&recorder);
            DrawEveryFigure(canvas);
        }
        EXPECT_FALSE(recorder.Finish());
    }
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString old = dir.filePath("old.wmf");
    ASSERT_TRUE(WriteAll(old, "previous"));
    scene.Cad->resize(0, 0); // a page of no size has no picture
    EXPECT_FALSE(scene.Cad->SaveToWmf(old));
    EXPECT_EQ(ReadAll(old), QByteArray("previous"));
    EXPECT_FALSE(scene.Cad->SaveToWmf(dir.filePath("missing/folder/page.emf")));
}

TEST(MetafileExport, OtherProgramsReadTheFiles)
{
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    const QString emf = dir.filePath("page.emf"), wmf = dir.filePath("page.wmf");
    ASSERT_TRUE(scene.Cad->SaveToWmf(emf));
    ASSERT_TRUE(scene.Cad->SaveToWmf(wmf));
    WriteAll(dir.filePath("figures.emf"), Record(TMetafileFormat::Emf, QSize(200, 170), DrawEveryFigure));
    WriteAll(dir.filePath("figures.wmf"), Record(TMetafileFormat::PlaceableWmf, QSize(200, 170), DrawEveryFigure));
    int checked = 0;
    if (HaveTool("printemf")) {
        for (const QString& name : {emf, dir.filePath("figures.emf")}) {
            const ToolRun run = RunTool("printemf", {name});
            EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
            EXPECT_FALSE(run.Err.contains("error")) << run.Err.toStdString();
            EXPECT_TRUE(run.Out.contains("*EOF*"));
        }
        ++checked;
    }
    if (HaveTool("emf2svg-conv")) {
        const ToolRun run = RunTool("emf2svg-conv", {"-i", dir.filePath("figures.emf"), "-o", dir.filePath("e.svg")});
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(ReadAll(dir.filePath("e.svg")).contains("#FF0000"));
        ++checked;
    }
    if (HaveTool("wmf2svg")) {
        for (const QString& name : {wmf, dir.filePath("figures.wmf")}) {
            const ToolRun run = RunTool("wmf2svg", {"-o", dir.filePath("w.svg"), name});
            EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
            const QByteArray svg = ReadAll(dir.filePath("w.svg"));
            EXPECT_TRUE(svg.contains("<svg"));
            EXPECT_TRUE(svg.contains("stroke:red")) << name.toStdString();
        }
        ++checked;
    }
    if (checked == 0)
        GTEST_SKIP() << "none of printemf, emf2svg-conv and wmf2svg is installed";
}

// LibreOffice renders both files: the red line and the blue square in their places
// (LibreOffice puts the picture inside page margins, so positions are compared with
// each other: the square is 200 x 200, the line 200 long, 100 above the square's top,
// starting 300 left of it).
TEST(MetafileExport, LibreOfficeRendersThePage)
{
    if (!HaveTool("soffice"))
        GTEST_SKIP() << "LibreOffice (libreoffice-draw-nogui) is not installed";
    QTemporaryDir dir;
    PictureScene scene = MakePictureScene();
    // One start of LibreOffice converts both.
    ASSERT_TRUE(scene.Cad->SaveToWmf(dir.filePath("enhanced.emf")));
    ASSERT_TRUE(scene.Cad->SaveToWmf(dir.filePath("placeable.wmf")));
    const ToolRun run = RunTool("soffice", {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless",
                                            "--convert-to", "png", "--outdir", dir.path(), dir.filePath("enhanced.emf"),
                                            dir.filePath("placeable.wmf")},
                                240000);
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    for (const char* name : {"enhanced.png", "placeable.png"}) {
        SCOPED_TRACE(name);
        const QImage image = QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << run.Out.toStdString();
        QRect blue, red;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const TColor c = ColorAt(image, x, y);
                if (Near(c, clBlue, 40))
                    blue |= QRect(x, y, 1, 1);
                else if (Near(c, clRed, 60))
                    red |= QRect(x, y, 1, 1);
            }
        ASSERT_FALSE(blue.isEmpty());
        ASSERT_FALSE(red.isEmpty());
        const double unit = blue.width() / 200.0;
        EXPECT_NEAR(blue.height() / unit, 200, 4);
        EXPECT_NEAR(red.width() / unit, 200, 4);
        EXPECT_LE(red.height(), 3);
        EXPECT_NEAR((blue.top() - red.top()) / unit, 100, 4);
        EXPECT_NEAR((blue.left() - red.left()) / unit, 300, 4);
        EXPECT_EQ(Near(ColorAt(image, blue.center().x(), blue.bottom() + 10), clWhite, 20), true);
    }
}
