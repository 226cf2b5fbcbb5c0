#pragma once
// Helpers of the DXF tests: drawings exported to bytes, DXF text imported into drawings,
// files in a temporary folder, and the outside programs that check the files.
#include "component/CAD.h"
#include "component/dxf/DXFExport.h"
#include "component/dxf/DXFImport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The DXF text SaveToDxf (or SaveToDxf1) writes for the drawing.
QByteArray ExportBytes(const TMyCAD& cad, bool outlines = false);
// The lines of DXF text (CR LF line ends expected; the last line end dropped).
QStringList DxfLines(const QByteArray& bytes);
// Joins lines with CR LF after each, as the export writes them.
QByteArray CrLf(const QStringList& lines);
// DXF text from "code value" pairs written as alternating lines.
QByteArray Dxf(std::initializer_list<const char*> lines);
// An ENTITIES section holding the given entity lines, then EOF.
QByteArray EntitiesSection(std::initializer_list<const char*> lines);

// Imports DXF text into the drawing; Configure may set the importer's properties first.
struct TImportResult {
    bool Ok = false;
    int Entities = 0;
    QString Error;
};
TImportResult ImportBytes(TMyCAD& cad, const QByteArray& bytes, bool extended = false,
                          const std::function<void(TDXF2DImport&)>& configure = {});
// The importer settings that undo the export's coordinates (document units back from
// millimetres with the y axis flipped at the control's height).
void InverseOfExport(const TMyCAD& cad, TDXF2DImport& import);

// Runs /usr/bin/python3 with a script and arguments; false when python3 or ezdxf is
// missing (Skip then says why). Output receives stdout.
bool HaveEzdxf(QString* why = nullptr);
bool RunPython(const QString& script, const QStringList& args, QString& output, int timeoutMs = 300000);
// LibreCAD's dxf2pdf converter (librecad dxf2pdf) and pdfinfo.
bool HaveDxf2Pdf(QString* why = nullptr);
// Converts a DXF file into a PDF in folder; true when pdfinfo reads the PDF.
bool Dxf2PdfReads(const QString& dxfFile, const QString& folder, QString* detail = nullptr);

// A DXF file written by hand with every section and every entity kind the import reads:
// header extents, layers, blocks (one with a POLYLINE, one inserted), and in ENTITIES
// LINE, ARC, CIRCLE, ELLIPSE, SOLID, DIMENSION, TEXT, POLYLINE, LWPOLYLINE, INSERT, MTEXT,
// SPLINE, POINT and HATCH.
QByteArray SampleFile();

// A drawing holding one shape of every exported kind and the kinds that export nothing.
void BuildEveryKind(TMyCAD& cad);
