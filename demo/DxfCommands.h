#pragma once
// The demonstration's DXF commands: File > Import > "AutoCAD Dxf R12" reads a DXF file
// into the drawing (with the further entities: inserts, bulges, MTEXT, splines, points
// and hatch outlines), showing a wait cursor and, on long imports, a progress dialog that
// can cancel; File > Export > "AutoCAD DXF" writes the drawing with SaveToDxf.
#include <QString>

class QMenu;
class QWidget;
class TMyCAD;

namespace DxfCommands {

// The filter of both file dialogs.
QString Filter();

// Adds the Import submenu with its DXF command to the menu, and the DXF command to the
// menu's Export submenu (made when the menu has none).
void AddTo(QMenu* menu, TMyCAD* cad, QWidget* parent);

// Asks for a file in the executable's folder and imports it; messages say why a file
// did not import. True when the file was imported.
bool Import(TMyCAD& cad, QWidget* parent);
// Imports a file without asking (the work of Import).
bool ImportFile(TMyCAD& cad, const QString& file, QWidget* parent);
// Asks for a file name (extension dxf by default) and exports; a message names the file
// written, or says that it could not be written.
bool Export(TMyCAD& cad);

} // namespace DxfCommands
