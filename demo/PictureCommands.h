#pragma once
// The demonstration's picture commands: the Export menu (BMP, WMF and JPEG to fixed test
// files, PNG, SVG and PDF through a save dialog), printing with Qt's print dialog, the
// print preview that shows what printing puts on paper, and the picture asked for when an
// image shape has been drawn.
#include <QString>

class QMenu;
class QWidget;
class TMyCAD;
class TMyShape;

namespace PictureCommands {

// The fixed test files of the Export menu: "MyCADTest" with the extension ".Bmp", ".Wmf"
// or ".Jpg" in the user's home folder.
QString TestFile(const QString& extension);

// Adds the Export submenu and the print commands to the menu.
void AddTo(QMenu* menu, TMyCAD* cad, QWidget* parent);

void ExportBitmap(TMyCAD& cad);
void ExportMetafile(TMyCAD& cad);
void ExportJpeg(TMyCAD& cad);
// Asks for a file name with a save dialog of the given filter, then exports.
void ExportPng(TMyCAD& cad);
void ExportSvg(TMyCAD& cad);
void ExportPdf(TMyCAD& cad);
void Print(TMyCAD& cad, QWidget* parent);
void PrintPreview(TMyCAD& cad, QWidget* parent);

// When the shape is an image without a picture: an open dialog asks for a picture file, which becomes the
// shape's picture (LoadGraphicsFile: the red cross for a file that does not decode).
void PlacePicture(TMyCAD& cad, TMyShape* shape);

} // namespace PictureCommands
