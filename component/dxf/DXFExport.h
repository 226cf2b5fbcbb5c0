#pragma once
// TDXFExport: writes a drawing as a DXF file holding only an ENTITIES section, the entities
// of every exportable shape in drawing order on layer "0". One group is a code line (the
// code in decimal) and a value line, each ended by carriage return and line feed.
//
// Coordinates: with S = 3.779527559055118 (pixels per millimetre at 96 dots per inch) and
// H the control's height in document units (DocumentHeight), a point (x, y)
// of the drawing becomes (x / S, (H - y) / S); lengths are divided by S. Entities carry
// z = "0.0". Handles are decimal, counted from 20 for every entity, VERTEX and SEQEND.
// Reals are written in general format (DXFNumbers::FormatGeneral).
//
// What each kind becomes:
//   TMyLine                      LINE
//   TMyPolyLine, TMyLinkLine     a LINE per pair of consecutive points
//   TMyRectangle, TMyPolygon     a closed POLYLINE through every point
//   TMyEllipse                   a CIRCLE when its semi-axes differ by less than 0.5,
//                                otherwise a POLYLINE of 181 vertices (turned with the shape)
//   TMyElliArc, circle mode      the ARC it draws (the half of the circle that holds its
//                                middle point), with the chord or the sector's radii as
//                                LINEs; a straight arc is a LINE
//   TMyElliArc, ellipse mode     an open POLYLINE through its curve points
//   TMyPolyBezier                an open POLYLINE along its cubic segments
//   TMyLineLinkLine              two CIRCLEs (the junction's dot and its inner ring)
//   TMyText                      a TEXT per line (its Lines, else its Info), or with text
//                                outlines its glyphs as closed POLYLINEs
// Other kinds write nothing. Shapes without points or with a point that is not finite
// are skipped.
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "component/dxf/DXFOutput.h"

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TCanvas;
class TMyCAD;
class TMyShape;
class TMyElliArc;
class TMyEllipse;
class TMyPolyBezier;
class TMyText;

class MYCAD_EXPORT TDXFExport {
public:
    static constexpr double S = 3.779527559055118;
    static constexpr int FirstHandle = 20;

    // TextAsOutlines: texts are written as the outlines of their glyphs (where the text
    // shape supplies them) instead of TEXT entities.
    TDXFExport(const TMyCAD& CAD, QIODevice& Device, bool TextAsOutlines = false);
    TDXFExport(const TDXFExport&) = delete;
    TDXFExport& operator=(const TDXFExport&) = delete;
    ~TDXFExport();

    // Writes the whole file; false when the device did not take every byte.
    bool Write();

    // H: the height, in document units, of the control at zoom 1. A control that follows
    // its page has the page's height in whole pixels at every zoom; a control the host
    // sized otherwise has its own height divided by the zoom.
    static double DocumentHeight(const TMyCAD& CAD);

    // Entities written so far (VERTEX and SEQEND not counted).
    int EntityCount() const { return FEntities; }
    // The outline export of one text: vertices in screen pixels at the drawing's zoom and
    // their path kinds (PT_MOVETO starts a closed figure, PT_LINETO with or without
    // PT_CLOSEFIGURE continues it, other kinds are skipped).
    void WriteOutline(const TArrPoint& Points, const std::vector<uint8_t>& Kinds);

private:
    void WriteShape(const TMyShape& Shape);
    void WriteLine(TMyPoint A, TMyPoint B);
    void WriteClosedPolyline(const TArrMyPoint& Points, bool Closed);
    void WriteCircle(TMyPoint Centre, double Radius);
    void WriteEllipse(const TMyEllipse& Ellipse);
    void WriteArc(const TMyElliArc& Arc);
    void WriteCurvePoints(const TMyShape& Shape);
    void WriteBezier(const TMyPolyBezier& Curve);
    void WriteText(const TMyText& Text);
    void WriteTextEntity(double X, double Y, double Height, double Degrees, const QString& Line);

    // Group writers.
    void Code(int Code);
    void Text(int Code, std::string_view Value);
    void Real(int Code, double Value);
    void Integer(int Code, int Value);
    void Zero(int Code); // the literal "0.0" of z values and of the polyline's base point
    void Handle();
    void Layer();
    void Start(std::string_view Entity);  // 0 name, 5 handle, 8 layer
    void Vertex(double X, double Y);
    void SeqEnd();

    double X(double x) const { return x / S; }
    double Y(double y) const { return (FHeight - y) / S; }

    const TMyCAD& FCAD;
    TDXFOutput FOut;
    bool FTextAsOutlines;
    double FHeight;
    double FZoom;
    int FHandle = FirstHandle;
    int FEntities = 0;
    std::unique_ptr<TCanvas> FCanvas; // measures texts
};
