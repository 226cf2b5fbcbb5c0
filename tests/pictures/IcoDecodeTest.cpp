// Icon files made by icotool at several depths, with masks and PNG entries; the entry
// an icon file shows; damaged directories and entries.
#include "PictureTestUtil.h"
#include "platform/IcoCodec.h"

#include <gtest/gtest.h>

namespace {

// A size x size picture of the given number of colours, transparent in its top-left
// quarter when masked, in half-transparent steps along the bottom row when smooth.
QImage IconPicture(int size, int colours, bool masked, bool smooth = false)
{
    QImage image(size, size, QImage::Format_ARGB32);
    const QRgb palette[4] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 160, 0), qRgb(250, 250, 0)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            QRgb c = colours <= 4 ? palette[(x / 4 + y / 4) % colours] : qRgb(x * 255 / size, y * 255 / size, 90);
            if (masked && x < size / 2 && y < size / 2)
                c = 0;
            if (smooth && y == size - 1)
                c = qRgba(qRed(c), qGreen(c), qBlue(c), x * 255 / (size - 1));
            image.setPixel(x, y, c);
        }
    return image;
}

bool SamePixels(const QImage& decoded, const QImage& source)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb a = decoded.pixel(x, y), b = source.pixel(x, y);
            if (qAlpha(b) == 0 ? qAlpha(a) != 0 : (a != b))
                return false;
        }
    return true;
}

} // namespace

TEST(IcoDecode, DepthsMasksAndPngEntriesOfIcotool)
{
    if (!HaveTool("icotool"))
        GTEST_SKIP() << "icotool (icoutils) is not installed";
    QTemporaryDir dir;
    struct Entry {
        const char* Name;
        int Size, Colours, Bits;
        bool Raw;
    };
    const Entry entries[] = {{"one", 16, 2, 1, false},      {"four", 24, 4, 4, false},  {"eight", 48, 4, 8, false},
                             {"deep", 32, 256, 32, false},  {"png", 64, 256, 32, true}, {"mid", 32, 4, 8, false}};
    QStringList arguments{"-c", "-o", dir.filePath("all.ico")};
    for (const Entry& e : entries) {
        const QString png = dir.filePath(QString(e.Name) + ".png");
        ASSERT_TRUE(IconPicture(e.Size, e.Colours, true, e.Bits == 32).save(png));
        if (e.Raw)
            arguments << "-r" << png;
        else
            arguments << "-b" << QString::number(e.Bits) << png;
    }
    const ToolRun run = RunTool("icotool", arguments);
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QByteArray ico = ReadAll(dir.filePath("all.ico"));
    const QString listed = QString::fromLatin1(RunTool("icotool", {"-l", dir.filePath("all.ico")}).Out);
    std::vector<TIconEntry> found;
    QString error;
    ASSERT_TRUE(ReadIconDirectory(ico, found, &error)) << error.toStdString();
    ASSERT_EQ(found.size(), std::size(entries));
    for (size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(entries[i].Name);
        EXPECT_EQ(found[i].Width, entries[i].Size);
        EXPECT_EQ(found[i].Png, entries[i].Raw);
        // The depth icotool itself reports (it widens a masked two-colour picture).
        EXPECT_TRUE(listed.contains(QStringLiteral("--width=%1 --height=%1 --bit-depth=%2")
                                        .arg(entries[i].Size)
                                        .arg(found[i].BitCount)))
            << listed.toStdString();
        QImage image;
        ASSERT_TRUE(DecodeIconEntry(ico, found[i], image, &error)) << error.toStdString();
        const QImage source = IconPicture(entries[i].Size, entries[i].Colours, true, entries[i].Bits == 32);
        if (entries[i].Bits == 32) {
            // Alpha kept: the half-transparent row within rounding.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            EXPECT_EQ(image.pixel(entries[i].Size - 1, 3), source.pixel(entries[i].Size - 1, 3));
            const int half = entries[i].Size / 2, last = entries[i].Size - 1;
            EXPECT_NEAR(qAlpha(image.pixel(half, last)), qAlpha(source.pixel(half, last)), 2);
        } else {
            EXPECT_TRUE(SamePixels(image, source));
        }
    }
    // The file shows the 32 x 32 entry with the most colours, over white where masked.
    EXPECT_EQ(ChooseIconEntry(found), 3);
    TBitmap shown;
    ASSERT_TRUE(ReadIco(ico, shown, &error)) << error.toStdString();
    EXPECT_EQ(shown.Width(), 32);
    EXPECT_EQ(shown.PixelFormat(), pf24bit);
    const QImage page = shown.ToQImage();
    EXPECT_EQ(ColorAt(page, 3, 3), clWhite);
    EXPECT_EQ(page.pixel(28, 28) & 0xFFFFFF, IconPicture(32, 256, true).pixel(28, 28) & 0xFFFFFF);
}

TEST(IcoDecode, DamagedFilesAreRefused)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("p.png");
    ASSERT_TRUE(IconPicture(32, 4, true).save(png));
    QByteArray ico;
    if (HaveTool("icotool")) {
        ASSERT_EQ(RunTool("icotool", {"-c", "-o", dir.filePath("p.ico"), "-b", "4", png}).ExitCode, 0);
        ico = ReadAll(dir.filePath("p.ico"));
    } else {
        GTEST_SKIP() << "icotool (icoutils) is not installed";
    }
    TBitmap kept(2, 2);
    QString error;
    EXPECT_FALSE(ReadIco(QByteArray("\0\0\1\0", 4), kept, &error));
    EXPECT_FALSE(ReadIco(ico.left(10), kept, &error)) << "the directory cut short";
    EXPECT_FALSE(ReadIco(ico.left(ico.size() - 200), kept, &error)) << "the entry outside the file";
    QByteArray wide = ico;
    const uint32_t at = U32At(ico, 18);
    wide[at + 4] = char(0xFF), wide[at + 5] = char(0xFF), wide[at + 6] = char(0xFF), wide[at + 7] = char(0x0F);
    EXPECT_FALSE(ReadIco(wide, kept, &error)) << "a width beyond the limit";
    EXPECT_EQ(kept.Width(), 2);
    for (qsizetype i = 0; i < ico.size(); i += 3) {
        QByteArray damaged = ico;
        damaged[i] = char(damaged[i] ^ 0xA5);
        TBitmap out;
        ReadIco(damaged, out);
    }
    for (qsizetype n = 0; n < ico.size(); n += 17) {
        TBitmap out;
        ReadIco(ico.left(n), out);
    }
}
