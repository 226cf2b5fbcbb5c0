// Library files: the tag checks on short, foreign and old files, opening, loading and
// saving.
#include "LibraryTestSupport.h"

#include <QTemporaryDir>

namespace {

class LibraryFiles : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(LibraryFiles, TagChecksAcceptExactlyTheirGenerations)
{
    struct TCheck {
        const char* Name;
        bool (*Check)(const QString&);
        QList<QByteArray> Accepts;
    };
    const QList<QByteArray> all = {"ZEDALIBX.i", "ZEDALIBX.L", "ZEDALIBX.h", "ZEDALIBX.e", "ZEDALIBX.a", "ZEDALIBX.9",
                                   "ZEDALIBX.8", "ZEDALIBX.7", "ZEDALIBX.6", "ZEDALIBX.3", "ZEDALIBX.2"};
    const std::vector<TCheck> checks = {
        {"IsZEDALibFile", IsZEDALibFile, all},
        {"IsZEDALibFileXH", IsZEDALibFileXH, {"ZEDALIBX.h"}},
        {"IsZEDALibFileXE", IsZEDALibFileXE, {"ZEDALIBX.e"}},
        {"IsZEDALibFileXA", IsZEDALibFileXA, {"ZEDALIBX.a"}},
        {"IsZEDALibFileX9", IsZEDALibFileX9, {"ZEDALIBX.9"}},
        {"IsZEDALibFileX8", IsZEDALibFileX8, {"ZEDALIBX.8"}},
        {"IsZEDALibFileX67", IsZEDALibFileX67, {"ZEDALIBX.6", "ZEDALIBX.7"}},
        {"IsZEDALibX2File", IsZEDALibX2File, {"ZEDALIBX.2"}},
        {"IsOLDZEDALibFile", IsOLDZEDALibFile, {"ZEDALIB2.1"}},
    };
    QList<QByteArray> tags = all;
    tags << "ZEDALIB2.1" << "zedalibx.i" << "ZEDALIBX.b" << "ZEDALIBX.i"; // the last with entries after it
    for (const TCheck& check : checks)
        for (qsizetype i = 0; i < tags.size(); ++i) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QLatin1String(check.Name), QLatin1String(tags[i])).toStdString());
            const QString path = Write(QStringLiteral("t%1.lib").arg(i), tags[i] + (i == tags.size() - 1 ? QByteArray(40, 'x') : QByteArray()));
            EXPECT_EQ(check.Check(path), check.Accepts.contains(tags[i]));
        }
    // Short, foreign and missing files.
    const QString shortFile = Write(QStringLiteral("short.lib"), "ZEDALIBX.");
    TMyCAD cad;
    QByteArray drawing;
    QBuffer buffer(&drawing);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(cad.SaveToStream(buffer));
    const QString drawingFile = Write(QStringLiteral("drawing.zed"), drawing);
    for (const TCheck& check : checks) {
        SCOPED_TRACE(check.Name);
        EXPECT_FALSE(check.Check(shortFile));
        EXPECT_FALSE(check.Check(drawingFile));
        EXPECT_FALSE(check.Check(dir.filePath(QStringLiteral("missing.lib"))));
        EXPECT_FALSE(check.Check(dir.path())); // a folder
    }
}

TEST_F(LibraryFiles, AFailedOpenLeavesAnEmptyLibrary)
{
    for (const QString& path : {dir.filePath(QStringLiteral("missing.lib")), Write(QStringLiteral("short.lib"), "ZEDA")}) {
        TLibManager lib(path);
        EXPECT_EQ(lib.Bytes(), QByteArray("ZEDALIBX.i"));
        EXPECT_TRUE(lib.LibFileName().isEmpty());
        EXPECT_EQ(lib.GetcmbShapesCount(), 0);
    }
    // A file of another kind is kept as it is: nothing reads it as a library.
    const QByteArray foreign = QByteArray("Ombrell Component") + QByteArray(100, ' ');
    const QString path = Write(QStringLiteral("foreign.zed"), foreign);
    TLibManager lib(path);
    EXPECT_EQ(lib.Bytes(), foreign);
    EXPECT_EQ(lib.LibFileName(), path);
}

TEST_F(LibraryFiles, LoadingReplacesTheBytesOnlyOnSuccess)
{
    TMyCAD cad;
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    TLibManager lib;
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("a"), {rect.get()}, TUserData(), 10, 10));
    const QByteArray before = lib.Bytes();
    EXPECT_FALSE(lib.LoadFromFile(dir.filePath(QStringLiteral("missing.lib"))));
    EXPECT_FALSE(lib.LoadFromFile(Write(QStringLiteral("short.lib"), "ZEDALIB")));
    EXPECT_EQ(lib.Bytes(), before);
    EXPECT_TRUE(lib.LibFileName().isEmpty());

    const QString old = Write(QStringLiteral("old.lib"), QByteArray("ZEDALIB2.1") + QByteArray(20, 'o'));
    const QString current = Write(QStringLiteral("current.lib"), before);
    EXPECT_FALSE(lib.LoadFromOldFile(current));
    EXPECT_EQ(lib.Bytes(), before);
    ASSERT_TRUE(lib.LoadFromOldFile(old));
    EXPECT_EQ(lib.Bytes(), Read(old));
    EXPECT_EQ(lib.LibFileName(), old);
    ASSERT_TRUE(lib.LoadFromFile(current));
    EXPECT_EQ(lib.Bytes(), before);
    EXPECT_EQ(lib.LibFileName(), current);
}

TEST_F(LibraryFiles, SavingWritesTheBytesSafely)
{
    TLibManager empty;
    const QString path = dir.filePath(QStringLiteral("new.lib"));
    ASSERT_TRUE(empty.SavetoFile(path));
    EXPECT_EQ(Read(path), QByteArray("ZEDALIBX.i"));
    EXPECT_TRUE(empty.LibFileName().isEmpty());

    TMyCAD cad;
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    TLibManager lib(path);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("a"), {rect.get()}, TUserData(), 10, 10));
    ASSERT_TRUE(lib.SavetoFile(path));
    EXPECT_EQ(Read(path), lib.Bytes());
    // A save that cannot be written leaves the file as it was.
    EXPECT_FALSE(lib.SavetoFile(dir.filePath(QStringLiteral("missing/x.lib"))));
    EXPECT_TRUE(IsZEDALibFile(path));
}
