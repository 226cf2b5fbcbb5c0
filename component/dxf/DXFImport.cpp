// TDXF2DImport: the import as a whole, its sections, layers and the final hand-over of
// what was read to the drawing.
#include "component/dxf/DXFImport.h"

#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/dxf/DXFNumbers.h"
#include "component/dxf/DXFText.h"
#include "component/shapes/MyShape.h"
#include "platform/Canvas.h"
#include "platform/UIServices.h"

#include <cmath>

namespace {

const QString kInvalid = QStringLiteral("Invalid DXF file.");
const QString kNoLayer = QStringLiteral("Error!There is no Layer!");

std::string_view Trimmed(std::string_view Text)
{
    return DXFNumbers::TrimBlanks(Text);
}

bool Usable(double V)
{
    return std::isfinite(V) && std::fabs(V) < 1e20;
}

} // namespace

TDXF2DImport::TDXF2DImport(const QString& FileName, TMyCAD* Target, QObject* Parent)
    : QObject(Parent), FReader(std::make_unique<TDXFRead>(FileName))
{
    Init(Target);
}

TDXF2DImport::TDXF2DImport(const QByteArray& Data, TMyCAD* Target, QObject* Parent)
    : QObject(Parent), FReader(std::make_unique<TDXFRead>(Data))
{
    Init(Target);
}

TDXF2DImport::~TDXF2DImport() = default;

void TDXF2DImport::Init(TMyCAD* Target)
{
    FTarget = Target;
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetSize(8);
    FCanvas = std::make_unique<TCanvas>();
    FExtents = {{-1000, -1000, 1}, {1000, 1000, 1}};
}

void TDXF2DImport::SetDefaultFont(const TFont* Font)
{
    if (Font)
        FDefaultFont->Assign(*Font);
}

TMyPoint TDXF2DImport::mm2Pixel(double X, double Y) const
{
    return TMyPoint(float((X + FOffSetX) * FScalex), float((Y + FOffSetY) * FScaley));
}

TMyPoint TDXF2DImport::pixel2mm(TMyPoint P)
{
    return TMyPoint(float(P.X * 25.4 / 96), float(P.Y * 25.4 / 96));
}

bool TDXF2DImport::Fail(const QString& Message)
{
    FReadFailed = true;
    FLastError = Message;
    FPending.clear();
    return false;
}

bool TDXF2DImport::ReportProgress()
{
    const qint64 position = FReader->Position();
    if (!OnProgress || position < FNextProgress)
        return true;
    const qint64 size = FReader->Size();
    FNextProgress = position + std::max<qint64>(size / 100, 1);
    bool cancel = false;
    OnProgress(position, size, cancel);
    if (cancel) {
        FCancelled = true;
        Fail(QString());
    }
    return !cancel;
}

// ---- The whole import ---------------------------------------------------------------------

bool TDXF2DImport::ReadDXF()
{
    if (!FTarget)
        return false;
    FPending.clear();
    FNewLayers.clear();
    FLayerTokens.clear();
    FLastLayerValid = false;
    FCurrentLayer = FTarget->CurrentLayerId();
    FBlocks.clear();
    FBlockImported = false;
    FInsertStack.clear();
    FInsertedEntities = 0;
    FImportedEntities = 0;
    FBlockMap = TAffine2D();
    FCurrent = FReader.get();
    FReadFailed = false;
    FCancelled = false;
    FLastError.clear();
    FUtf8 = false;
    FNextProgress = 0;
    if (!IsOpen())
        return Fail(kInvalid);

    // Room for about one shape per 256 bytes of the file, the size of a small entity.
    FPending.reserve(size_t(std::min<qint64>(FReader->Size() / 256, 1 << 20)));
    FReader->Rewind();
    for (;;) {
        bool ok = true;
        switch (FReader->Section()) {
        case scHeader: ok = ReadHeader(); break;
        case scTables: ok = ReadTables(); break;
        case scBlocks: ok = FExtendedEntities ? ReadBlocksAsDefinitions() : ReadBlocks(); break;
        case scEntities: ok = ReadEntities(); break;
        case scClasses: ok = ReadClasses(); break;
        case scUnknow:
            // A section of another name (OBJECTS, THUMBNAILIMAGE, ...) is passed over:
            // the reading goes on to the group 0 EOF.
            ok = FReader->StopReason() == TDXFRead::TStop::UnknownSection;
            if (!ok && FReader->StopReason() == TDXFRead::TStop::EndOfFile && !FReader->Failed())
                return Commit();
            break;
        }
        if (!ok)
            return FCancelled ? false : Fail(kInvalid);
        FReader->NextSection();
    }
    return Commit();
}

bool TDXF2DImport::GoToSection(TSections Section)
{
    FReader->Rewind();
    while (FReader->Section() != scUnknow) {
        if (FReader->Section() == Section)
            return true;
        FReader->NextSection();
    }
    return false;
}

bool TDXF2DImport::Commit()
{
    if (!FPending.empty() && FTarget->GetLayersCount() == 0 && FNewLayers.empty()) {
        // One message for the whole file, not one per shape.
        ShowMessage(kNoLayer);
        return Fail(kNoLayer);
    }
    std::vector<int> ids;
    ids.reserve(FNewLayers.size());
    for (const QString& name : FNewLayers) {
        const int id = FTarget->NewLayer(name, true);
        ids.push_back(id >= 0 ? id : FTarget->GetLayerIdByName(name));
    }
    // A handler of the new-layer event may have changed the layers: every identifier is
    // checked against the drawing's layers before a shape takes it.
    auto resolve = [&](int token) {
        int id = token <= -2 ? ids[size_t(-2 - token)] : token;
        if (id < 0 || FTarget->GetLayerNoById(id) < 0)
            id = FTarget->CurrentLayerId();
        return id;
    };
    int lastToken = -1;
    int lastId = FTarget->CurrentLayerId();
    for (TPendingShape& pending : FPending) {
        TMyShape* shape = pending.Shape.get();
        if (pending.Layer != lastToken) {
            lastToken = pending.Layer;
            lastId = resolve(lastToken);
        }
        const int id = FTarget->NextShapeId();
        shape->SetParentNo(-1);
        shape->SetShapeId(id);
        shape->SetShapeNo(FTarget->GetShapesCount());
        shape->SetLayerId(lastId);
        // "Shape" and digits is always a valid name: it is given without the check of
        // SetName, and becomes the caption as SetName would make it.
        const QString name = QStringLiteral("Shape") + QString::number(id);
        shape->StoreName(name);
        if (shape->Caption().isEmpty())
            shape->SetCaption(name);
        const TMyRect box = GetPointsLTRB(shape->Points());
        shape->SetCenterPoint(shape->ComputeCenterPoint(4));
        shape->SetCaptionPoint(TMyPoint(shape->CenterPoint().X, box.Bottom + 10));
        if (!FTarget->AddShape(pending.Shape, true, false))
            break;
    }
    FPending.clear();
    const int current = resolve(FCurrentLayer);
    if (current >= 0 && current != FTarget->CurrentLayerId())
        FTarget->SetCurrentLayerId(current);
    FTarget->Invalidate();
    return true;
}

// ---- Sections -------------------------------------------------------------------------------

bool TDXF2DImport::SkipToEndOfSection()
{
    while (FReader->HasGroup()) {
        if (FReader->IsGroup(0, "ENDSEC"))
            return true;
        FReader->ConsumeGroup();
    }
    return false;
}

bool TDXF2DImport::ReadHeader()
{
    FExtents = {{-1000, -1000, 1}, {1000, 1000, 1}};
    FExtentsFound = false;
    TRect2D found;
    bool haveMin = false, haveMax = false;
    TDXFRead& r = *FReader;
    while (r.HasGroup()) {
        if (r.GroupCode() == 0) {
            if (r.IsGroup(0, "ENDSEC"))
                break;
            r.ConsumeGroup();
            continue;
        }
        FTable.Clear();
        if (r.ReadAnEntry(9, FTable) != 9)
            continue;
        const std::string_view name = Trimmed(FTable.Text(9));
        const bool corner = FTable.Has(10) && FTable.Has(20);
        if (name == "$EXTMIN" && corner) {
            found.FirstEdge = {FTable.Real(10), FTable.Real(20), 1};
            haveMin = true;
        } else if (name == "$EXTMAX" && corner) {
            found.SecondEdge = {FTable.Real(10), FTable.Real(20), 1};
            haveMax = true;
        } else if (name == "$ACADVER") {
            // From AutoCAD 2007 (AC1021) on, texts are UTF-8.
            const std::string_view version = Trimmed(FTable.Text(1));
            FUtf8 = version.size() >= 6 && version.substr(0, 2) == "AC" && version.substr(2) >= "1021";
        }
        if (!ReportProgress())
            return false;
    }
    if (!r.HasGroup())
        return false;
    if (!haveMin || !haveMax)
        return true;
    const TRect2D e = ReorderRect2D(found);
    const double minX = e.FirstEdge.X, minY = e.FirstEdge.Y, maxX = e.SecondEdge.X, maxY = e.SecondEdge.Y;
    // Extents that cannot be fitted count as missing: the empty-drawing marks (+-1e20),
    // numbers that are not finite, and a box without width or height.
    if (!Usable(minX) || !Usable(minY) || !Usable(maxX) || !Usable(maxY) || !(maxX > minX) || !(maxY > minY))
        return true;
    const double zoom = FTarget->Zoom() > 0 ? FTarget->Zoom() : 1.0;
    double left = 0, top = 0, width = FTarget->width() / zoom, height = FTarget->height() / zoom;
    if (FDestRegion.Right > FDestRegion.Left && FDestRegion.Bottom > FDestRegion.Top) {
        left = FDestRegion.Left / zoom;
        top = FDestRegion.Top / zoom;
        width = (FDestRegion.Right - FDestRegion.Left) / zoom;
        height = (FDestRegion.Bottom - FDestRegion.Top) / zoom;
    }
    const double sx = width / (maxX - minX), sy = height / (minY - maxY);
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0 || sy == 0)
        return true;
    FExtents = e;
    FExtentsFound = true;
    FScalex = sx;
    FScaley = sy;
    FOffSetX = left / sx - minX;
    FOffSetY = top / sy - maxY;
    return true;
}

bool TDXF2DImport::ReadTables()
{
    TDXFRead& r = *FReader;
    for (;;) {
        while (r.HasGroup() && r.GroupCode() != 0)
            r.ConsumeGroup();
        if (!r.HasGroup())
            return false;
        if (r.IsGroup(0, "ENDSEC"))
            return true;
        FTable.Clear();
        r.ReadAnEntry(0, FTable);
        if (Trimmed(FTable.Text(0)) == "LAYER")
            AddTableLayer(Trimmed(FTable.Text(2)));
        if (!ReportProgress())
            return false;
    }
}

bool TDXF2DImport::ReadClasses()
{
    return SkipToEndOfSection();
}

bool TDXF2DImport::ReadEntities()
{
    TDXFRead& r = *FReader;
    for (;;) {
        while (r.HasGroup() && r.GroupCode() != 0)
            r.ConsumeGroup();
        if (!r.HasGroup())
            return false;
        if (r.IsGroup(0, "ENDSEC"))
            return true;
        if (!ReadEntity(FPending) || !ReportProgress())
            return false;
    }
}

bool TDXF2DImport::ReadBlocks()
{
    TDXFRead& r = *FReader;
    for (;;) {
        while (r.HasGroup() && r.GroupCode() != 0)
            r.ConsumeGroup();
        if (!r.HasGroup())
            return false;
        if (r.IsGroup(0, "ENDSEC"))
            return true;
        FTable.Clear();
        r.ReadAnEntry(0, FTable);
        if (FTable.Has(8))
            SelectLayer(Trimmed(FTable.Text(8)));
        if (Trimmed(FTable.Text(0)) == "BLOCK" && (FTable.Integer(70) & (1 | 4)) == 0) {
            std::vector<TPendingShape> shapes;
            if (!ReadSourceBlock(shapes))
                return false;
            if (!shapes.empty()) {
                // The first block with shapes is the drawing; the other blocks are skipped.
                for (TPendingShape& s : shapes)
                    FPending.push_back(std::move(s));
                FBlockImported = true;
                return SkipToEndOfSection();
            }
        }
        if (!ReportProgress())
            return false;
    }
}

bool TDXF2DImport::ReadSourceBlock(std::vector<TPendingShape>& Shapes)
{
    TDXFRead& r = *FReader;
    const int counted = FImportedEntities;
    for (;;) {
        while (r.HasGroup() && r.GroupCode() != 0)
            r.ConsumeGroup();
        // A block ends with ENDBLK: the end of the section or of the data, or another
        // BLOCK, before it means the file is damaged.
        if (!r.HasGroup() || r.IsGroup(0, "ENDSEC") || r.IsGroup(0, "BLOCK"))
            return false;
        if (r.IsGroup(0, "ENDBLK")) {
            FTable.Clear();
            r.ReadAnEntry(0, FTable);
            break;
        }
        if (!ReadEntity(Shapes) || !ReportProgress())
            return false;
    }
    if (Shapes.empty())
        FImportedEntities = counted;
    return true;
}

bool TDXF2DImport::ReadBlocksAsDefinitions()
{
    TDXFRead& r = *FReader;
    for (;;) {
        while (r.HasGroup() && r.GroupCode() != 0)
            r.ConsumeGroup();
        if (!r.HasGroup())
            return false;
        if (r.IsGroup(0, "ENDSEC"))
            return true;
        FTable.Clear();
        r.ReadAnEntry(0, FTable);
        if (Trimmed(FTable.Text(0)) != "BLOCK")
            continue;
        TBlock block;
        block.BaseX = FTable.Real(10);
        block.BaseY = FTable.Real(20);
        const bool external = (FTable.Integer(70) & 4) != 0;
        std::string name(Trimmed(FTable.Text(2)));
        for (char& c : name)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        block.Begin = r.GroupOffset();
        while (r.HasGroup() && !r.IsGroup(0, "ENDBLK")) {
            if (r.IsGroup(0, "ENDSEC") || r.IsGroup(0, "BLOCK"))
                return false;
            r.ConsumeGroup();
        }
        if (!r.HasGroup())
            return false;
        block.End = r.GroupOffset();
        FTable.Clear();
        r.ReadAnEntry(0, FTable);
        if (!external)
            FBlocks.emplace(std::move(name), block);
        if (!ReportProgress())
            return false;
    }
}

// ---- Layers ----------------------------------------------------------------------------------

int TDXF2DImport::LayerToken(std::string_view Name)
{
    if (FLastLayerValid && Name == FLastLayerName)
        return FLastLayerToken;
    auto it = FLayerTokens.find(Name);
    int token = -1;
    if (it != FLayerTokens.end()) {
        token = it->second;
    } else {
        const QString name = Decode(Name);
        token = FTarget->GetLayerIdByName(name);
        if (token < 0) {
            for (size_t k = FNewLayers.size(); k-- > 0;) {
                if (FNewLayers[k] == name) {
                    token = -2 - int(k);
                    break;
                }
            }
        }
        FLayerTokens.emplace(std::string(Name), token);
    }
    FLastLayerName.assign(Name);
    FLastLayerToken = token;
    FLastLayerValid = true;
    return token;
}

void TDXF2DImport::SelectLayer(std::string_view Name)
{
    const int token = LayerToken(Name);
    if (token != -1)
        FCurrentLayer = token;
}

void TDXF2DImport::AddTableLayer(std::string_view Name)
{
    const QString name = Decode(Name);
    if (name.isEmpty() || LayerToken(Name) != -1)
        return;
    // The drawing keeps at most MaxLayers layers; further ones are not created.
    if (int(FTarget->GetLayersCount()) + int(FNewLayers.size()) >= TMyCAD::MaxLayers)
        return;
    FNewLayers.push_back(name);
    const int token = -2 - int(FNewLayers.size() - 1);
    FLayerTokens[std::string(Name)] = token;
    FLastLayerValid = false;
    FCurrentLayer = token;
}

QString TDXF2DImport::Decode(std::string_view Bytes) const
{
    return DecodeDxfString(Bytes, FUtf8);
}
