#include "PictureCommands.h"

#include <CAD.h>
#include "component/render/GraphicsFile.h"
#include "platform/Printer.h"
#include "platform/QtPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

namespace PictureCommands {

namespace {

void Report(bool ok, const QString& file)
{
    ShowMessage(ok ? QStringLiteral("MyCAD1 has been saved to ") + file
                   : QStringLiteral("Could not save MyCAD1 to ") + file);
}

// The save dialog starts at the name in the export folder; the file is written only when
// the dialog is accepted, and the message says whether it was.
void ExportWithDialog(const QString& name, const QString& filter, const std::function<bool(const QString&)>& save)
{
    QString file = ExportFolder() + QLatin1Char('/') + name;
    if (!UIServices().SaveFileDialog(file, filter, QStringLiteral("Export the page")))
        return;
    Report(save(file), file);
}

// Prints the page on a Qt printer (the dialog's, or the preview's).
void PrintOn(TMyCAD& cad, QPrinter& qprinter)
{
    TQtPrinter printer(qprinter);
    TPrinter* previous = SetPrinter(&printer);
    const bool ok = cad.Print({}, 1.0);
    SetPrinter(previous);
    if (!ok)
        ShowMessage(QStringLiteral("The page could not be printed."));
}

} // namespace

QString ExportFolder()
{
    const QString app = QCoreApplication::applicationDirPath();
    return QFileInfo(app).isWritable() ? app : QDir::homePath();
}

void ExportBitmap(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCADTest.Bmp"), QStringLiteral("Bitmaps|*.bmp|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToBmp(f, false); });
}

void ExportMetafile(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCADTest.Wmf"), QStringLiteral("Windows metafiles|*.wmf|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToWmf(f); });
}

void ExportJpeg(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCADTest.Jpg"), QStringLiteral("JPEG pictures|*.jpg;*.jpeg|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToJpg(f, 80, false); });
}

void ExportPng(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCAD1.png"), QStringLiteral("PNG pictures|*.png|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToPng(f, true); });
}

void ExportSvg(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCAD1.svg"), QStringLiteral("SVG drawings|*.svg|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToSvg(f); });
}

void ExportPdf(TMyCAD& cad)
{
    ExportWithDialog(QStringLiteral("MyCAD1.pdf"), QStringLiteral("PDF documents|*.pdf|All Files|*.*"),
                     [&cad](const QString& f) { return cad.SaveToPdf(f); });
}

void Print(TMyCAD& cad, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        PrintOn(cad, printer);
}

void PrintPreview(TMyCAD& cad, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&cad](QPrinter* shown) { PrintOn(cad, *shown); });
    dialog.exec();
}

void AddTo(QMenu* menu, TMyCAD* cad, QWidget* parent)
{
    QMenu* exports = menu->addMenu(QStringLiteral("Export"));
    exports->addAction(QStringLiteral("BitmapFile"), parent, [cad] { ExportBitmap(*cad); });
    exports->addAction(QStringLiteral("WmfFile"), parent, [cad] { ExportMetafile(*cad); });
    exports->addAction(QStringLiteral("JpegFle"), parent, [cad] { ExportJpeg(*cad); });
    exports->addSeparator();
    exports->addAction(QStringLiteral("PNG picture..."), parent, [cad] { ExportPng(*cad); });
    exports->addAction(QStringLiteral("SVG drawing..."), parent, [cad] { ExportSvg(*cad); });
    exports->addAction(QStringLiteral("PDF document..."), parent, [cad] { ExportPdf(*cad); });
    menu->addAction(QStringLiteral("Print..."), parent, [cad, parent] { Print(*cad, parent); });
    menu->addAction(QStringLiteral("Print preview..."), parent, [cad, parent] { PrintPreview(*cad, parent); });
}

void PlacePicture(TMyCAD& cad, TMyShape* shape)
{
    // A picture placed by code keeps its picture.
    auto* image = qobject_cast<TMyImage*>(shape);
    if (!image || !image->Bitmap()->Empty())
        return;
    QString file = QDir::homePath() + QLatin1Char('/');
    if (!UIServices().OpenFileDialog(file,
                                     QStringLiteral("Pictures|*.bmp;*.jpg;*.jpeg;*.ico;*.emf;*.wmf;*.png;*.gif|"
                                                    "All Files|*.*"),
                                     QStringLiteral("Place a picture")))
        return;
    std::unique_ptr<TBitmap> picture = LoadGraphicsFile(file);
    image->SetBitmap(picture.get());
    cad.Invalidate();
}

} // namespace PictureCommands
