// The sample libraries under tests/data/libraries: seeds of the fuzz_library target and
// files every build must keep reading. They are written by this test when
// MYCAD_WRITE_LIBRARY_SEEDS names a folder:
//   MYCAD_WRITE_LIBRARY_SEEDS=tests/data/libraries build-library/tests/test_library --gtest_filter='LibrarySeeds.*'
#include "LibraryTestSupport.h"

#include <QDir>
#include <QFile>

namespace {

QString SeedFolder()
{
    return QStringLiteral(MYCAD_TEST_DATA_DIR "/libraries");
}

} // namespace

TEST(LibrarySeeds, WriteWhenAsked)
{
    const QString folder = qEnvironmentVariable("MYCAD_WRITE_LIBRARY_SEEDS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MYCAD_WRITE_LIBRARY_SEEDS to write the seeds";
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& [name, bytes] : LibrarySeeds()) {
        QFile f(QDir(folder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
}

TEST(LibrarySeeds, CommittedSeedsAreTheFilesTheBuildWrites)
{
    for (const auto& [name, bytes] : LibrarySeeds()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QDir(SeedFolder()).filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes);
        ASSERT_TRUE(IsZEDALibFile(path));
        TLibManager lib(path);
        ASSERT_GT(lib.GetcmbShapesCount(), name == QStringLiteral("empty.lib") ? -1 : 0);
        EXPECT_FALSE(DescribeLibrary(lib).contains(QStringLiteral("unreadable")));
    }
}
