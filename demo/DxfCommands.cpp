#include "DxfCommands.h"

#include "MainWindow.h"

#include <CAD.h>
#include "component/dxf/DXFImport.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <memory>

namespace DxfCommands {

namespace {

// The wait cursor for as long as the command runs.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// Progress in thousandths of the file; the dialog shows itself only when the import
// looks like lasting longer than half a second.
class TImportProgress {
public:
    TImportProgress(QWidget* Parent, const QString& File)
        : FDialog(QStringLiteral("Importing ") + QFileInfo(File).fileName(), QStringLiteral("Cancel"), 0, 1000,
                  Parent)
    {
        FDialog.setWindowTitle(QStringLiteral("AutoCAD Dxf R12"));
        FDialog.setWindowModality(Qt::WindowModal);
        FDialog.setMinimumDuration(500);
        FDialog.setAutoReset(false);
        FDialog.setValue(0);
    }
    void Report(qint64 Position, qint64 Size, bool& Cancel)
    {
        if (Size > 0)
            FDialog.setValue(int(std::min<qint64>(1000, Position * 1000 / Size)));
        Cancel = FDialog.wasCanceled();
    }

private:
    QProgressDialog FDialog;
};

} // namespace

QString Filter()
{
    return QStringLiteral("AutoCAD DXF R12|*.dxf|All Files|*.*");
}

bool ImportFile(TMyCAD& cad, const QString& file, QWidget* parent)
{
    TWaitCursor wait;
    TDXF2DImport import(file, &cad);
    if (!import.IsOpen()) {
        ShowMessage(QStringLiteral("Cannot open file ") + file);
        return false;
    }
    import.SetExtendedEntities(true);
    TImportProgress progress(parent, file);
    import.OnProgress = [&progress](qint64 position, qint64 size, bool& cancel) {
        progress.Report(position, size, cancel);
    };
    if (import.ReadDXF())
        return true;
    // A drawing without layers has said so already; a cancelled import says nothing.
    if (!import.Cancelled() && import.LastError() != QLatin1String("Error!There is no Layer!"))
        ShowMessage(import.LastError());
    return false;
}

bool Import(TMyCAD& cad, QWidget* parent)
{
    QString file = MainWindow::AppFolder() + QLatin1Char('/');
    if (!UIServices().OpenFileDialog(file, Filter(), QStringLiteral("Import an AutoCAD DXF file")))
        return false;
    if (!QFileInfo::exists(file))
        return false;
    return ImportFile(cad, file, parent);
}

bool Export(TMyCAD& cad)
{
    QString file = MainWindow::AppFolder() + QStringLiteral("/MyCAD1.dxf");
    if (!UIServices().SaveFileDialog(file, Filter(), QStringLiteral("Export as AutoCAD DXF")))
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".dxf");
    bool ok = false;
    {
        TWaitCursor wait;
        ok = cad.SaveToDxf(file);
    }
    ShowMessage(ok ? QStringLiteral("MyCAD1 has been saved to ") + file
                   : QStringLiteral("Could not save MyCAD1 to ") + file);
    return ok;
}

void AddTo(QMenu* menu, TMyCAD* cad, QWidget* parent)
{
    QMenu* exports = nullptr;
    for (QAction* action : menu->actions())
        if (action->menu() && action->menu()->title() == QLatin1String("Export"))
            exports = action->menu();
    QMenu* imports = new QMenu(QStringLiteral("Import"), menu);
    imports->addAction(QStringLiteral("AutoCAD Dxf R12"), parent, [cad, parent] { Import(*cad, parent); });
    menu->insertMenu(exports ? exports->menuAction() : nullptr, imports);
    if (!exports)
        exports = menu->addMenu(QStringLiteral("Export"));
    exports->addSeparator();
    exports->addAction(QStringLiteral("AutoCAD DXF"), parent, [cad] { Export(*cad); });
}

} // namespace DxfCommands
