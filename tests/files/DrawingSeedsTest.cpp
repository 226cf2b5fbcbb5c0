// The sample drawings under tests/data/drawings: seeds of the fuzz_drawing target and
// files every build must keep reading. They are written by this test when
// MYCAD_WRITE_DRAWING_SEEDS names a folder:
//   MYCAD_WRITE_DRAWING_SEEDS=tests/data/drawings build-files/tests/test_files --gtest_filter='DrawingSeeds.*'
#include "FilesTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <QDir>
#include <QFile>
#include <functional>

namespace {

struct TSeed {
    const char* Name;
    std::function<QByteArray()> Bytes;
};

std::vector<TSeed> Seeds()
{
    return {
        {"empty.zed", [] { TMyCAD cad; return SaveBytes(cad); }},
        {"every_class.zed",
         [] {
             TMyCAD cad;
             BuildEveryClassDrawing(cad);
             return SaveBytes(cad);
         }},
        {"long_strings.zed",
         [] {
             TMyCAD cad;
             AddRect(cad, 0, 0, 20, 10, "Long")->SetCaption(QString(300, 'c'));
             return SaveBytes(cad);
         }},
        {"xp3.zed", [] { return GenerationDrawing(TFileGeneration::XP3, "XP.3"); }},
        {"xp7.zed", [] { return GenerationDrawing(TFileGeneration::XP7, "XP.7"); }},
        {"xpa.zed", [] { return GenerationDrawing(TFileGeneration::XPa, "XP.a"); }},
        {"xph.zed", [] { return GenerationDrawing(TFileGeneration::XPh, "XP.h"); }},
    };
}

QString SeedFolder()
{
    return QStringLiteral(MYCAD_TEST_DATA_DIR "/drawings");
}

} // namespace

TEST(DrawingSeeds, WriteWhenAsked)
{
    const QString folder = qEnvironmentVariable("MYCAD_WRITE_DRAWING_SEEDS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MYCAD_WRITE_DRAWING_SEEDS to write the seeds";
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const TSeed& seed : Seeds()) {
        QFile f(QDir(folder).filePath(seed.Name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(seed.Bytes());
    }
}

TEST(DrawingSeeds, CommittedSeedsAreTheFilesTheBuildWrites)
{
    for (const TSeed& seed : Seeds()) {
        SCOPED_TRACE(seed.Name);
        QFile f(QDir(SeedFolder()).filePath(seed.Name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(bytes, seed.Bytes());
        TMyCAD cad;
        ASSERT_TRUE(cad.IsZEDAFile(f.fileName()));
        ASSERT_TRUE(cad.LoadFromFile(f.fileName()));
        EXPECT_INVARIANTS(cad);
    }
}
