#pragma once
// The demonstration's picture commands: the Export menu (BMP, WMF, JPEG, PNG, SVG and
// PDF, each through a save dialog), printing with Qt's print dialog, the
// print preview that shows what printing puts on paper, and the picture asked for when an
// image shape has been drawn.
#include <QString>

class QMenu;
class QWidget;
class TMyCAD;
class TMyShape;

namespace PictureCommands {

// Where the export dialogs start: the executable's folder when it can be written, else
// the user's home folder. BMP, WMF and JPEG propose "MyCADTest" with ".Bmp", ".Wmf" or
// ".Jpg"; the others "MyCAD1" with their suffix.
QString ExportFolder();

// Adds the Export submenu and the print commands to the menu.
void AddTo(QMenu* menu, TMyCAD* cad, QWidget* parent);

void ExportBitmap(TMyCAD& cad);
void ExportMetafile(TMyCAD& cad);
void ExportJpeg(TMyCAD& cad);
// Each asks for a file name with a save dialog, then exports; the message says "MyCAD1
// has been saved to " and the file, or that it could not be written.
void ExportPng(TMyCAD& cad);
void ExportSvg(TMyCAD& cad);
void ExportPdf(TMyCAD& cad);
void Print(TMyCAD& cad, QWidget* parent);
void PrintPreview(TMyCAD& cad, QWidget* parent);

// When the shape is an image without a picture: an open dialog asks for a picture file, which becomes the
// shape's picture (LoadGraphicsFile: the red cross for a file that does not decode).
void PlacePicture(TMyCAD& cad, TMyShape* shape);

} // namespace PictureCommands
