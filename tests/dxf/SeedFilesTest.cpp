// The files of tests/data/dxf (the fuzz target's seeds): the export's files are what the
// export writes today, the hand-written sample is SampleFile, and every one of them, with
// the files ezdxf wrote there, imports whole in both modes.
// MYCAD_WRITE_DXF_SEEDS=1 writes the export's files and the sample anew.
#include "DxfTestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString SeedFolder()
{
    return QStringLiteral(MYCAD_TEST_DATA_DIR "/dxf");
}

void CheckOrWrite(const QString& name, const QByteArray& bytes)
{
    const QString file = QDir(SeedFolder()).filePath(name);
    if (qEnvironmentVariableIsSet("MYCAD_WRITE_DXF_SEEDS")) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return;
    }
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    EXPECT_TRUE(in.readAll() == bytes) << file.toStdString() << " differs from what is written now";
}

} // namespace

TEST(DxfSeeds, ExportedFilesAreCurrentAndEverySeedImports)
{
    TMyCAD every;
    BuildEveryKind(every);
    CheckOrWrite(QStringLiteral("every_kind.dxf"), ExportBytes(every));
    TMyCAD turned;
    BuildEveryKind(turned);
    for (const auto& s : turned.Shapes())
        s->RotateChangeValueByAngle(s->ComputeCenterPoint(4), 0.5f);
    CheckOrWrite(QStringLiteral("every_kind_turned.dxf"), ExportBytes(turned));
    CheckOrWrite(QStringLiteral("sample.dxf"), SampleFile());

    const QStringList seeds = QDir(SeedFolder()).entryList({QStringLiteral("*.dxf")}, QDir::Files);
    EXPECT_GE(seeds.size(), 6);
    for (const QString& name : seeds) {
        SCOPED_TRACE(name.toStdString());
        for (bool extended : {false, true}) {
            TMyCAD cad;
            TDXF2DImport import(QDir(SeedFolder()).filePath(name), &cad);
            import.SetExtendedEntities(extended);
            EXPECT_TRUE(import.ReadDXF());
            EXPECT_GT(cad.GetShapesCount(), 0);
        }
    }
}
