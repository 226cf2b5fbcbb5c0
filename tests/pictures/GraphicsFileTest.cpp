// LoadGraphicsFile: each named reader, Qt's readers for other names and for misnamed
// files, the red cross for missing, undecodable and oversized pictures.
#include "MetafileScene.h"
#include "PictureTestUtil.h"
#include "component/render/GraphicsFile.h"
#include "platform/IcoCodec.h"
#include "platform/JpegCodec.h"
#include "platform/PngCheck.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace {

bool IsRedCross(const TBitmap& b)
{
    if (b.Width() != 32 || b.Height() != 32 || b.PixelFormat() != pf24bit)
        return false;
    const QImage image = b.ToQImage();
    for (auto [x, y] : {std::pair{2, 2}, {15, 15}, {28, 28}, {2, 29}, {29, 2}, {16, 15}})
        if (ColorAt(image, x, y) != clRed)
            return false;
    for (auto [x, y] : {std::pair{16, 4}, {4, 16}, {0, 31}, {31, 31}, {16, 27}})
        if (ColorAt(image, x, y) != clWhite)
            return false;
    return true;
}

QImage Quarters(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
                                           : (y < h / 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255)));
    return image;
}

QByteArray Png(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    EXPECT_TRUE(writer.write(image));
    return buffer.data();
}

uint32_t Crc32(const QByteArray& bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (char ch : bytes) {
        crc ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig32(QByteArray& b, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

} // namespace

TEST(GraphicsFile, EachNamedReader)
{
    QTemporaryDir dir;
    const QImage quarters = Quarters(24, 16);
    const QString bmp = dir.filePath("q.bmp");
    TBitmap source;
    source.Assign(quarters);
    ASSERT_TRUE(source.SaveToFile(bmp));
    QString error;
    std::unique_ptr<TBitmap> loaded = LoadGraphicsFile(bmp, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(loaded->PixelFormat(), pf24bit);
    EXPECT_EQ(loaded->ToQImage(), quarters);

    // JPEG under .jpg, .JPEG and .jpeg: the last three characters decide.
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    TJpegWriteOptions options;
    options.Quality = 95;
    ASSERT_TRUE(WriteJpeg(jpeg, Quarters(64, 48), options));
    for (const char* name : {"p.jpg", "p.JPEG", "p.jpeg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteAll(dir.filePath(name), jpeg.data()));
        loaded = LoadGraphicsFile(dir.filePath(name), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_EQ(loaded->Width(), 64);
        EXPECT_TRUE(Near(ColorAt(loaded->ToQImage(), 8, 8), clRed, 12));
        EXPECT_TRUE(Near(ColorAt(loaded->ToQImage(), 56, 40), clWhite, 12));
    }
    // Cut short: decoded as far as it goes, not a red cross.
    ASSERT_TRUE(WriteAll(dir.filePath("cut.jpg"), jpeg.data().left(jpeg.data().size() * 4 / 5)));
    EXPECT_EQ(LoadGraphicsFile(dir.filePath("cut.jpg"))->Width(), 64);

    // Metafiles at their size, on white.
    for (auto [name, format] : {std::pair{"m.emf", TMetafileFormat::Emf}, {"m.WMF", TMetafileFormat::PlaceableWmf}}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteAll(dir.filePath(name), Record(format, QSize(200, 170), DrawEveryFigure)));
        loaded = LoadGraphicsFile(dir.filePath(name), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_EQ(loaded->Width(), 200);
        ASSERT_EQ(loaded->Height(), 170);
        EXPECT_EQ(ColorAt(loaded->ToQImage(), 40, 35), clYellow);
        EXPECT_EQ(ColorAt(loaded->ToQImage(), 195, 165), clWhite);
    }

    if (!HaveTool("icotool"))
        GTEST_SKIP() << "icotool (icoutils) is not installed";
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 0, 255, 255));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            icon.setPixel(x, y, 0);
    ASSERT_TRUE(icon.save(dir.filePath("i.png")));
    ASSERT_EQ(RunTool("icotool", {"-c", "-o", dir.filePath("i.ico"), "-b", "8", dir.filePath("i.png")}).ExitCode, 0);
    loaded = LoadGraphicsFile(dir.filePath("i.ico"), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(loaded->Width(), 32);
    EXPECT_EQ(ColorAt(loaded->ToQImage(), 4, 4), clWhite) << "masked out, over white";
    EXPECT_EQ(ColorAt(loaded->ToQImage(), 20, 20), clBlue);
}

// Other names go to Qt's readers; so does a file its named reader refuses.
TEST(GraphicsFile, QtReadersForOtherNamesAndMisnamedFiles)
{
    QTemporaryDir dir;
    QImage alpha(20, 10, QImage::Format_ARGB32);
    alpha.fill(qRgba(255, 0, 0, 255));
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            alpha.setPixel(x, y, qRgba(0, 0, 0, 0));
    const QByteArray png = Png(alpha);
    for (const char* name : {"a.png", "a.PNG", "a.bmp", "a.jpg", "a"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteAll(dir.filePath(name), png));
        QString error;
        std::unique_ptr<TBitmap> loaded = LoadGraphicsFile(dir.filePath(name), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_EQ(loaded->Width(), 20);
        EXPECT_EQ(loaded->PixelFormat(), pf24bit);
        EXPECT_EQ(ColorAt(loaded->ToQImage(), 3, 3), clWhite) << "transparent pixels over white";
        EXPECT_EQ(ColorAt(loaded->ToQImage(), 15, 3), clRed);
    }
}

TEST(GraphicsFile, RedCrossForMissingUndecodableAndOversizedPictures)
{
    QTemporaryDir dir;
    QString error;
    std::unique_ptr<TBitmap> cross = LoadGraphicsFile(dir.filePath("missing.bmp"), &error);
    EXPECT_TRUE(IsRedCross(*cross));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(IsRedCross(*LoadGraphicsFile(dir.path()))) << "a folder";
    EXPECT_TRUE(IsRedCross(*RedCrossBitmap()));

    const QByteArray junk("this is not a picture of any kind, whatever its name says");
    for (const char* name : {"j.bmp", "j.ico", "j.jpg", "j.jpeg", "j.emf", "j.wmf", "j.xyz", "j.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteAll(dir.filePath(name), junk));
        error.clear();
        EXPECT_TRUE(IsRedCross(*LoadGraphicsFile(dir.filePath(name), &error)));
        EXPECT_FALSE(error.isEmpty());
    }

    // A PNG whose header claims 100,000 x 100,000 pixels is refused from its header.
    QByteArray huge = Png(Quarters(8, 8));
    PutBig32(huge, 16, 100000);
    PutBig32(huge, 20, 100000);
    PutBig32(huge, 29, Crc32(huge.mid(12, 17)));
    ASSERT_TRUE(WriteAll(dir.filePath("huge.png"), huge));
    error.clear();
    EXPECT_TRUE(IsRedCross(*LoadGraphicsFile(dir.filePath("huge.png"), &error)));
    EXPECT_TRUE(error.contains("pixel limit")) << error.toStdString();

    // A chunk after the picture that claims two gigabytes is refused before any decoder
    // allocates for it, from a file and inside an icon; the intact picture passes.
    const QByteArray good = Png(Quarters(8, 8));
    EXPECT_TRUE(PngChunksFit(good));
    QByteArray claims = good;
    claims.insert(claims.size() - 12, QByteArray("\x7f\xff\xff\xf0tEXt", 8) + QByteArray(16, 'x'));
    EXPECT_FALSE(PngChunksFit(claims));
    EXPECT_FALSE(PngChunksFit(good.left(good.size() - 20))) << "cut inside a chunk";
    EXPECT_FALSE(PngChunksFit(junk));
    ASSERT_TRUE(WriteAll(dir.filePath("claims.png"), claims));
    error.clear();
    EXPECT_TRUE(IsRedCross(*LoadGraphicsFile(dir.filePath("claims.png"), &error)));
    EXPECT_TRUE(error.contains("chunk")) << error.toStdString();
    TIconEntry entry;
    entry.Width = entry.Height = 8;
    entry.Size = uint32_t(claims.size());
    QImage decoded;
    EXPECT_FALSE(DecodeIconEntry(claims, entry, decoded, &error));
}
