// The JPEG decoder against libjpeg-turbo's own djpeg, the colour models, cut and damaged
// files, and the encoder against cjpeg.
#include "PictureTestUtil.h"
#include "platform/BmpCodec.h"
#include "platform/JpegCodec.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Smooth gradients with a few hard edges: something both codecs work on.
QImage TestPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, ((x / 16 + y / 16) % 2) * 200 + 20));
    return image;
}

QByteArray Encode(const QImage& image, TJpegWriteOptions options)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteJpeg(buffer, image, options));
    return buffer.data();
}

QImage Decode(const QByteArray& jpeg, TJpegReadInfo* info = nullptr)
{
    TBitmap bitmap;
    QString error;
    EXPECT_TRUE(ReadJpeg(jpeg, bitmap, &error, info)) << error.toStdString();
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    return bitmap.ToQImage();
}

// The mean difference of the channels over the picture.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

int MaxDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

} // namespace

// Baseline, progressive and grey files decode to exactly the pixels djpeg gives.
TEST(JpegDecode, ByteForByteAsDjpeg)
{
    if (!HaveTool("djpeg"))
        GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
    QTemporaryDir dir;
    const QImage picture = TestPicture(203, 131);
    TJpegWriteOptions progressive;
    progressive.Progressive = true;
    TJpegWriteOptions grey;
    grey.ColorSpace = TJpegColorSpace::Grey;
    const std::pair<const char*, TJpegWriteOptions> kinds[] = {{"baseline", {}}, {"progressive", progressive},
                                                               {"grey", grey}};
    for (const auto& [name, options] : kinds) {
        SCOPED_TRACE(name);
        const QString jpeg = dir.filePath(QString(name) + ".jpg"), bmp = dir.filePath(QString(name) + ".bmp");
        ASSERT_TRUE(WriteAll(jpeg, Encode(picture, options)));
        const ToolRun run = RunTool("djpeg", {"-bmp", "-outfile", bmp, jpeg});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        QImage theirs;
        ASSERT_TRUE(ReadBmp(ReadAll(bmp), theirs));
        const QImage ours = Decode(ReadAll(jpeg));
        ASSERT_EQ(ours.size(), theirs.size());
        EXPECT_EQ(ours, theirs.convertToFormat(ours.format()));
    }
    // A file of cjpeg's decodes as djpeg decodes it.
    if (!HaveTool("cjpeg"))
        return;
    WriteAll(dir.filePath("source.bmp"), WriteBmp(picture));
    ASSERT_EQ(RunTool("cjpeg", {"-quality", "60", "-outfile", dir.filePath("c.jpg"), dir.filePath("source.bmp")}).ExitCode, 0);
    ASSERT_EQ(RunTool("djpeg", {"-bmp", "-outfile", dir.filePath("c.bmp"), dir.filePath("c.jpg")}).ExitCode, 0);
    QImage theirs;
    ASSERT_TRUE(ReadBmp(ReadAll(dir.filePath("c.bmp")), theirs));
    EXPECT_EQ(Decode(ReadAll(dir.filePath("c.jpg"))), theirs.convertToFormat(QImage::Format_RGB32));
}

// The encoder's defaults are the library's: cjpeg at the same quality writes the same bytes.
TEST(JpegDecode, EncoderWritesWhatCjpegWrites)
{
    if (!HaveTool("cjpeg"))
        GTEST_SKIP() << "cjpeg (libjpeg-turbo-progs) is not installed";
    QTemporaryDir dir;
    const QImage picture = TestPicture(160, 90);
    WriteAll(dir.filePath("source.bmp"), WriteBmp(picture));
    ASSERT_EQ(RunTool("cjpeg", {"-quality", "80", "-outfile", dir.filePath("c.jpg"), dir.filePath("source.bmp")}).ExitCode, 0);
    TJpegWriteOptions options;
    options.Quality = 80;
    EXPECT_EQ(Encode(picture, options), ReadAll(dir.filePath("c.jpg")));
}

TEST(JpegDecode, ColourModels)
{
    const QImage picture = TestPicture(64, 48);
    for (TJpegColorSpace space : {TJpegColorSpace::YCbCr, TJpegColorSpace::Cmyk, TJpegColorSpace::Ycck}) {
        TJpegWriteOptions options;
        options.Quality = 95;
        options.ColorSpace = space;
        TJpegReadInfo info;
        const QImage decoded = Decode(Encode(picture, options), &info);
        EXPECT_EQ(info.Components, space == TJpegColorSpace::YCbCr ? 3 : 4);
        // Close on the whole; at the hard edges of the squares the subsampled or
        // coarser quantised channels ring.
        EXPECT_LE(MeanDifference(decoded, picture), 4) << int(space);
        EXPECT_LE(MaxDifference(decoded, picture), 80) << int(space);
    }
    TJpegWriteOptions greyOptions;
    greyOptions.ColorSpace = TJpegColorSpace::Grey;
    TJpegReadInfo info;
    const QImage grey = Decode(Encode(picture, greyOptions), &info);
    EXPECT_EQ(info.Components, 1);
    for (int x = 0; x < 64; x += 7) {
        const QRgb p = grey.pixel(x, 20);
        EXPECT_EQ(qRed(p), qGreen(p));
        EXPECT_EQ(qGreen(p), qBlue(p));
    }
    // ImageMagick's CMYK files (Adobe's inverted channels).
    if (!HaveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QTemporaryDir dir;
    WriteAll(dir.filePath("source.bmp"), WriteBmp(picture));
    ASSERT_EQ(RunTool("convert", {dir.filePath("source.bmp"), "-colorspace", "CMYK", "-quality", "95",
                                  dir.filePath("cmyk.jpg")})
                  .ExitCode,
              0);
    const QImage theirs = Decode(ReadAll(dir.filePath("cmyk.jpg")), &info);
    EXPECT_EQ(info.Components, 4);
    EXPECT_LE(MeanDifference(theirs, picture), 4);
    EXPECT_LE(MaxDifference(theirs, picture), 80);
    const ToolRun run = RunTool("identify", {"-format", "%[colorspace]", dir.filePath("cmyk.jpg")});
    EXPECT_EQ(run.Out.trimmed(), QByteArray("CMYK"));
}

// A file cut short decodes as far as its data goes: the rows before the cut are those of
// the whole file.
TEST(JpegDecode, TruncatedFilesDecodeAsFarAsTheyGo)
{
    const QImage picture = TestPicture(128, 128);
    for (bool progressive : {false, true}) {
        TJpegWriteOptions options;
        options.Progressive = progressive;
        const QByteArray jpeg = Encode(picture, options);
        const QImage whole = Decode(jpeg);
        TJpegReadInfo info;
        const QImage cut = Decode(jpeg.left(jpeg.size() * 6 / 10), &info);
        EXPECT_TRUE(info.Truncated);
        EXPECT_GT(info.Warnings, 0);
        ASSERT_EQ(cut.size(), whole.size());
        if (progressive)
            continue;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 128; ++x) {
                ASSERT_EQ(cut.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(JpegDecode, DamagedFilesAreRefusedWithoutHarm)
{
    const QByteArray jpeg = Encode(TestPicture(48, 40), {});
    TBitmap kept(3, 3);
    QString error;
    EXPECT_FALSE(ReadJpeg(QByteArray("not a jpeg"), kept, &error));
    EXPECT_FALSE(ReadJpeg(jpeg.left(2), kept, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ReadJpeg(jpeg.left(20), kept, &error)) << "headers cut short";
    EXPECT_EQ(kept.Width(), 3) << "a refused file leaves the bitmap";
    // A picture larger than the pixel limit is refused from its header.
    QByteArray huge = jpeg;
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0x7F), huge[sof + 6] = char(0xFF); // height 32767
    huge[sof + 7] = char(0x7F), huge[sof + 8] = char(0xFF); // width 32767
    TJpegReadInfo info;
    EXPECT_FALSE(ReadJpeg(huge, kept, &error, &info));
    EXPECT_EQ(info.Width, 32767);
    EXPECT_TRUE(error.contains("pixel limit")) << error.toStdString();
    // Bytes changed everywhere: decoded or refused, never more.
    for (qsizetype at = 2; at < jpeg.size(); at += 7) {
        QByteArray damaged = jpeg;
        damaged[at] = char(damaged[at] ^ 0x5A);
        TBitmap out;
        ReadJpeg(damaged, out);
        EXPECT_TRUE(out.Empty() || (out.Width() > 0 && out.Height() > 0));
    }
    EXPECT_FALSE(ReadJpegFile("/no/such/file.jpg", kept, &error));
}
