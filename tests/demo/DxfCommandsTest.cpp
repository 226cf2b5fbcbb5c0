// The demonstration's DXF commands: the Import and Export menu items, an import with the
// further entities, the messages of a damaged file, and an export named by the dialog.
#include "DxfCommands.h"
#include "MainWindow.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Lines(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

QString Write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString file = dir.filePath(QString::fromLatin1(name));
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return file;
}

QAction* Find(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = Find(a->menu(), text))
                return inner;
    }
    return nullptr;
}

// A block of two lines inserted twice, and an MTEXT.
const QByteArray kInserts = Lines({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "Pair", "70", "0", "10", "0", "20",
                                   "0", "0", "LINE", "10", "0", "20", "0", "11", "10", "21", "0", "0", "LINE", "10", "0",
                                   "20", "0", "11", "0", "21", "10", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2",
                                   "ENTITIES", "0", "INSERT", "2", "Pair", "10", "100", "20", "100", "0", "INSERT", "2",
                                   "Pair", "10", "200", "20", "100", "0", "MTEXT", "10", "5", "20", "5", "1", "Hello",
                                   "0", "ENDSEC", "0", "EOF"});

} // namespace

TEST(DemoDxf, MenuItemsImportWithTheFurtherEntitiesAndExport)
{
    QTemporaryDir dir;
    const QString source = Write(dir, "inserts.dxf", kInserts);
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    QMenu* file = nullptr;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() && a->text() == QLatin1String("&File"))
            file = a->menu();
    ASSERT_NE(file, nullptr);
    QAction* import = Find(file, QStringLiteral("AutoCAD Dxf R12"));
    QAction* exportDxf = Find(file, QStringLiteral("AutoCAD DXF"));
    ASSERT_NE(import, nullptr);
    ASSERT_NE(exportDxf, nullptr);

    ui.QueueFileName(source);
    import->trigger();
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].Kind, TRecordingUIServices::TDialogKind::OpenFile);
    EXPECT_EQ(ui.Dialogs()[0].Filter, "AutoCAD DXF R12|*.dxf|All Files|*.*");
    EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessageText().toStdString();
    EXPECT_EQ(cad->GetShapesCount(), 5); // 2 inserts of 2 lines, 1 text
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Without an extension the file gets ".dxf".
    const QString target = dir.filePath("out");
    ui.QueueFileName(target);
    exportDxf->trigger();
    ASSERT_EQ(ui.Dialogs().size(), 2u);
    EXPECT_EQ(ui.Dialogs()[1].Kind, TRecordingUIServices::TDialogKind::SaveFile);
    EXPECT_EQ(ui.LastMessageText(), "MyCAD1 has been saved to " + target + ".dxf");
    QFile written(target + ".dxf");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("0\r\nSECTION\r\n2\r\nENTITIES\r\n"));
}

TEST(DemoDxf, DamagedFilesAndCancelledDialogs)
{
    QTemporaryDir dir;
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    // Cut off inside a polyline: one message, nothing added.
    const QString cut = Write(dir, "cut.dxf", Lines({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "11", "5", "0",
                                                      "POLYLINE", "0", "VERTEX", "10", "1"}));
    EXPECT_FALSE(DxfCommands::ImportFile(*cad, cut, &window));
    EXPECT_EQ(ui.MessageTexts(), QStringList{"Invalid DXF file."});
    EXPECT_EQ(cad->GetShapesCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // A missing file, a cancelled open dialog, a cancelled save dialog: no import, no file.
    EXPECT_FALSE(DxfCommands::ImportFile(*cad, dir.filePath("missing.dxf"), &window));
    EXPECT_EQ(ui.MessageTexts().size(), 2);
    ui.QueueFileName(std::nullopt);
    EXPECT_FALSE(DxfCommands::Import(*cad, &window));
    ui.QueueFileName(std::nullopt);
    EXPECT_FALSE(DxfCommands::Export(*cad));
    EXPECT_EQ(ui.MessageTexts().size(), 2);
    // A folder that does not exist cannot take the file.
    ui.QueueFileName(dir.filePath("no/such/folder/x.dxf"));
    EXPECT_FALSE(DxfCommands::Export(*cad));
    EXPECT_TRUE(ui.LastMessageText().startsWith("Could not save MyCAD1 to "));
}
