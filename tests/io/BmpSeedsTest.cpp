// The BMP fuzzing seeds committed under tests/data/bmp: each file equals the bytes
// BmpSeeds() builds and decodes. With MYCAD_WRITE_BMP_SEEDS set to a folder, this test
// (re)writes the files there:
//   MYCAD_WRITE_BMP_SEEDS=tests/data/bmp build/tests/test_io --gtest_filter='BmpSeeds.*'
#include "BmpSeeds.h"
#include "platform/BmpCodec.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(BmpSeeds, CommittedFilesEqualTheGeneratedSeedsAndDecode)
{
    const QByteArray target = qgetenv("MYCAD_WRITE_BMP_SEEDS");
    if (!target.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(target));
        for (const auto& [name, bytes] : BmpSeeds()) {
            QFile file(QDir(QString::fromLocal8Bit(target)).filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(file.write(bytes), bytes.size());
        }
    }
    const QDir dir(QStringLiteral(MYCAD_TEST_DATA_DIR "/bmp"));
    for (const auto& [name, bytes] : BmpSeeds()) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
        QImage image;
        QString error;
        EXPECT_TRUE(ReadBmp(bytes, image, &error)) << error.toStdString();
    }
}
