#pragma once
// TDXF2DImport: reads a DXF file into a drawing. The header extents fit the drawing into
// the canvas, the LAYER table gives layers, and the two-dimensional entities of the first
// usable block and of the ENTITIES section become shapes on their layers.
//
// Every imported point goes through mm2Pixel: x' = (x + OffSetX) * Scalex and
// y' = (y + OffSetY) * Scaley, in document units. An import either completes or leaves
// the drawing exactly as it was: layers and shapes are collected while the file is read
// and added to the drawing only when the whole file has read well. A damaged file makes
// ReadDXF return false, sets ReadFailed and LastError ("Invalid DXF file."), and adds
// nothing. The file is whole when its sections end with a group 0 EOF; sections of
// other names are passed over.
//
// With ExtendedEntities (off by default) the import also expands the INSERTs of blocks
// (insertion point, scales, rotation, column and row repeats, nested inserts), reads
// the bulges of polylines as arcs, partial ELLIPSEs as curves, and imports MTEXT, SPLINE
// (as curves), POINT and the boundaries of HATCH; blocks then only serve their inserts,
// and paper-space entities are left out.
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "component/dxf/DXFGeometry.h"
#include "component/dxf/DXFGroupTable.h"
#include "component/dxf/DXFRead.h"
#include "platform/Font.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TCanvas;
class TMyCAD;
class TMyShape;
class TMyText;

// Progress of an import: Position bytes of Size read; setting Cancel stops the import
// (it then fails and leaves the drawing unchanged).
using TDXFProgress = std::function<void(qint64 Position, qint64 Size, bool& Cancel)>;

class MYCAD_EXPORT TDXF2DImport : public QObject {
    Q_OBJECT
    Q_PROPERTY(TFont* DefaultFont READ DefaultFont WRITE SetDefaultFont)
    Q_PROPERTY(double OffSetX READ OffSetX WRITE SetOffSetX)
    Q_PROPERTY(double OffSetY READ OffSetY WRITE SetOffSetY)
    Q_PROPERTY(double Scalex READ Scalex WRITE SetScalex)
    Q_PROPERTY(double Scaley READ Scaley WRITE SetScaley)
    Q_PROPERTY(bool ReadFailed READ ReadFailed WRITE SetReadFailed)
    Q_PROPERTY(bool ExtendedEntities READ ExtendedEntities WRITE SetExtendedEntities)

public:
    // Opens the file for the target drawing; IsOpen tells whether that worked.
    TDXF2DImport(const QString& FileName, TMyCAD* Target, QObject* Parent = nullptr);
    // The same over bytes in memory.
    TDXF2DImport(const QByteArray& Data, TMyCAD* Target, QObject* Parent = nullptr);
    ~TDXF2DImport() override;

    bool IsOpen() const { return FReader && FReader->IsOpen(); }

    // The whole import; true when the file read completely and its shapes and layers
    // were added. Nothing happens without a target drawing.
    bool ReadDXF();
    // Rewinds and advances section by section to the wanted one; true when found.
    bool GoToSection(TSections Section);

    // ---- Published properties ------------------------------------------------------
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Font);
    double OffSetX() const { return FOffSetX; }
    void SetOffSetX(double v) { FOffSetX = v; }
    double OffSetY() const { return FOffSetY; }
    void SetOffSetY(double v) { FOffSetY = v; }
    double Scalex() const { return FScalex; }
    void SetScalex(double v) { FScalex = v; }
    double Scaley() const { return FScaley; }
    void SetScaley(double v) { FScaley = v; }
    bool ReadFailed() const { return FReadFailed; }
    void SetReadFailed(bool v) { FReadFailed = v; }
    bool ExtendedEntities() const { return FExtendedEntities; }
    void SetExtendedEntities(bool v) { FExtendedEntities = v; }

    // A pixel rectangle of the canvas; when not empty the header extents are fitted into
    // it instead of into the whole canvas.
    void SetDestRegion(const TRect& Rect) { FDestRegion = Rect; }
    TRect DestRegion() const { return FDestRegion; }
    // The drawing extents of the header ((-1000, -1000) to (1000, 1000) without them).
    TRect2D Extents() const { return FExtents; }
    bool ExtentsFound() const { return FExtentsFound; }

    // ---- Results ------------------------------------------------------------------------
    // Why the last ReadDXF failed ("Invalid DXF file.", the missing-layer message, or
    // empty after a cancelled import).
    QString LastError() const { return FLastError; }
    bool Cancelled() const { return FCancelled; }
    // Entities that became at least one shape (each inserted copy counts), and shapes.
    int ImportedEntities() const { return FImportedEntities; }
    int ImportedShapes() const { return int(FPending.size()); }
    // The largest number of entities the inserts of one import may place (beyond it
    // further inserts are left out).
    void SetMaxInsertedEntities(int Count) { FMaxInserted = Count; }

    TDXFProgress OnProgress;

    // ---- Coordinates --------------------------------------------------------------------
    TMyPoint mm2Pixel(double X, double Y) const;
    TMyPoint ModeChange(TMyPoint P) const { return P; }
    static TMyPoint pixel2mm(TMyPoint P);

    // ---- Entity readers: a group table in, a new shape (or none) out ---------------------
    // They read the entity's table and, for the kinds with repeated groups, the groups of
    // the entry just read; ReadPolyline2D also reads the VERTEX entities and the SEQEND
    // that follow (false in Ok when the SEQEND is missing).
    std::unique_ptr<TMyShape> ReadLine2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadArc2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadCircle2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadEllipse2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadSolid2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadDIMENSION2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadText2D(const TGroupTable& Groups);
    std::unique_ptr<TMyShape> ReadPolyline2D(const TGroupTable& Groups, bool& Ok);
    std::unique_ptr<TMyShape> ReadLWPolyline2D(const TGroupTable& Groups);

private:
    struct TPendingShape {
        std::unique_ptr<TMyShape> Shape;
        int Layer; // layer token (see LayerToken)
    };
    struct TBlock {
        qint64 Begin = 0; // the first entity after the BLOCK entry
        qint64 End = 0;   // where ENDBLK begins
        double BaseX = 0;
        double BaseY = 0;
    };
    struct TVertex {
        double X = 0;
        double Y = 0;
        double Bulge = 0;
    };
    using TShapes = std::vector<std::unique_ptr<TMyShape>>;

    void Init(TMyCAD* Target);
    bool Fail(const QString& Message);
    bool ReportProgress();
    bool Commit();

    // Sections.
    bool ReadHeader();
    bool ReadTables();
    bool ReadBlocks();
    bool ReadBlocksAsDefinitions();
    bool ReadSourceBlock(std::vector<TPendingShape>& Shapes);
    bool ReadClasses();
    bool ReadEntities();
    // Reads one entity of the current reader into Out; false on a structural failure.
    bool ReadEntity(std::vector<TPendingShape>& Out);
    bool SkipToEndOfSection();

    // Layers: a token is a drawing layer's identifier (>= 0), a pending new layer
    // (-2 - its index), or -1 for none.
    int LayerToken(std::string_view Name);
    void SelectLayer(std::string_view Name);
    void AddTableLayer(std::string_view Name);

    // Entity conversion helpers.
    std::unique_ptr<TMyShape> NewShape(const QString& ClassName) const;
    void SetEntityMap(const TGroupTable& Groups);
    TMyPoint Map(double X, double Y);
    TMyPoint Map(TVec2 P) { return Map(P.X, P.Y); }
    TVec2 MapVector(TVec2 V) const;
    QString Decode(std::string_view Bytes) const;
    std::unique_ptr<TMyShape> PolylineOf(const std::vector<TVertex>& Vertices, bool Closed);
    // The VERTEX entities after a POLYLINE and its SEQEND; false when the SEQEND is missing.
    bool ReadPolylineVertices(const TGroupTable& Groups, std::vector<TVertex>& Vertices, bool& Closed);
    std::unique_ptr<TMyShape> EllipseShape(TVec2 Centre, TVec2 U, TVec2 V);
    std::unique_ptr<TMyShape> ArcShape(TVec2 Start, TVec2 Middle, TVec2 End);
    std::unique_ptr<TMyShape> TextShape(TVec2 Insertion, double Degrees, const QString& Info, const QStringList& Lines,
                                        int Attachment);

    // Extended entities (DXFImportExtended.cpp): each appends what it makes to Out.
    void ReadBulgedPath(const std::vector<TVertex>& Vertices, bool Closed, TShapes& Out);
    void ReadPartialEllipse2D(const TGroupTable& Groups, TShapes& Out);
    void ReadMText2D(const TGroupTable& Groups, TShapes& Out);
    void ReadSpline2D(const TGroupTable& Groups, TShapes& Out);
    void ReadPoint2D(const TGroupTable& Groups, TShapes& Out);
    void ReadHatch2D(const TGroupTable& Groups, TShapes& Out);
    bool ReadInsert(const TGroupTable& Groups, std::vector<TPendingShape>& Out);
    std::vector<TVertex> LWPolylineVertices(bool& Closed) const;

    std::unique_ptr<TDXFRead> FReader;
    TDXFRead* FCurrent = nullptr; // the reader entities come from (the file or a block)
    TMyCAD* FTarget = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TCanvas> FCanvas; // measures texts
    double FOffSetX = 0;
    double FOffSetY = 0;
    double FScalex = 1;
    double FScaley = 1;
    bool FReadFailed = false;
    bool FExtendedEntities = false;
    TRect FDestRegion{0, 0, 0, 0};
    TRect2D FExtents;
    bool FExtentsFound = false;
    bool FUtf8 = false;

    // The state of one import.
    QString FLastError;
    bool FCancelled = false;
    qint64 FNextProgress = 0;
    std::vector<TPendingShape> FPending;
    int FImportedEntities = 0;
    std::vector<QString> FNewLayers;
    struct TNameHash {
        using is_transparent = void;
        size_t operator()(std::string_view Name) const { return std::hash<std::string_view>()(Name); }
    };
    std::unordered_map<std::string, int, TNameHash, std::equal_to<>> FLayerTokens;
    std::string FLastLayerName;
    int FLastLayerToken = -1;
    bool FLastLayerValid = false;
    int FCurrentLayer = -1;
    bool FBlockImported = false;
    std::unordered_map<std::string, TBlock, TNameHash, std::equal_to<>> FBlocks;
    std::vector<std::string> FInsertStack;
    int FInsertedEntities = 0;
    int FMaxInserted = 2000000;
    int FInsertLayer = -1;     // the layer of the insert being expanded
    TAffine2D FBlockMap;       // DXF coordinates of the block being expanded to the file's
    TAffine2D FEntityMap;      // the block map after the entity's own plane (OCS)
    bool FPlainMap = true;     // FEntityMap is the identity
    bool FBadPoint = false;    // a mapped point was not finite
    TGroupTable FTable;        // the entity being read
    TGroupTable FVertexTable;  // a VERTEX of a POLYLINE
};
