// Reading a whole drawing stream into a document of its own, with every check a damaged
// or hostile stream needs: counts against the bytes left, ordinals, sizes, class names,
// and the shape numbers that relations use.
#include "component/persistence/DrawingStream.h"

#include "component/persistence/RecordIO.h"
#include "component/persistence/ShapeRecords.h"
#include "component/document/MyCAD.h"
#include "platform/AnsiString.h"
#include "platform/Bitmap.h"
#include "platform/Stream.h"
#include "component/shapes/AllShapes.h"

#include <utility>

using namespace DrawingFormat;

TLoadedDrawing::TLoadedDrawing() = default;
TLoadedDrawing::~TLoadedDrawing() = default;

namespace {

// The smallest number of bytes a layer record and a shape entry take.
constexpr int64_t kMinLayerBytes = 12;
constexpr int64_t kMinShapeEntryBytes = kClassNameWidth;

bool IsShapeNo(int64_t no, size_t count)
{
    return no >= 0 && uint64_t(no) < count;
}

// Every shape number a relation uses names a shape of the list: parent (or -1), members,
// attached connectors, connector ends (or -1); a shape is neither its own parent nor its
// own member.
bool RelationsInRange(const std::vector<std::unique_ptr<TMyShape>>& shapes)
{
    const size_t n = shapes.size();
    for (size_t i = 0; i < n; ++i) {
        const TMyShape& s = *shapes[i];
        const int parent = s.ParentNo();
        if (parent != -1 && (!IsShapeNo(parent, n) || size_t(parent) == i))
            return false;
        for (uint32_t child : s.ChildNos())
            if (!IsShapeNo(child, n) || child == i)
                return false;
        for (uint32_t line : s.LinkLineNos())
            if (!IsShapeNo(line, n))
                return false;
        if (const auto* link = qobject_cast<const TMyLinkLine*>(&s)) {
            for (int end : {link->StartSpNo(), link->EndSpNo()})
                if (end != -1 && !IsShapeNo(end, n))
                    return false;
        }
    }
    return true;
}

// Neither the parent links nor the member lists may loop: walking up from any shape ends
// at a root, and walking down through members ends at shapes without members. A number
// naming no shape of the list ends a walk.
bool RelationsWithoutLoops(const std::vector<std::unique_ptr<TMyShape>>& shapes)
{
    const size_t n = shapes.size();
    enum : uint8_t { Unseen, Open, Done };
    std::vector<uint8_t> state(n, Unseen);
    std::vector<size_t> path;
    for (size_t i = 0; i < n; ++i) {
        path.clear();
        for (size_t at = i; state[at] != Done;) {
            if (state[at] == Open)
                return false; // came back to a shape of this walk
            state[at] = Open;
            path.push_back(at);
            const int parent = shapes[at]->ParentNo();
            if (!IsShapeNo(parent, n))
                break;
            at = size_t(parent);
        }
        for (size_t p : path)
            state[p] = Done;
    }

    // Member lists: depth-first with an explicit stack.
    std::fill(state.begin(), state.end(), Unseen);
    std::vector<std::pair<size_t, size_t>> stack; // shape, next member index
    for (size_t root = 0; root < n; ++root) {
        if (state[root] != Unseen)
            continue;
        state[root] = Open;
        stack.emplace_back(root, 0);
        while (!stack.empty()) {
            auto& [shape, next] = stack.back();
            const TMyShapeNo& members = std::as_const(*shapes[shape]).ChildNos();
            if (next == members.size()) {
                state[shape] = Done;
                stack.pop_back();
                continue;
            }
            const size_t member = members[next++];
            if (member >= n)
                continue;
            if (state[member] == Open)
                return false;
            if (state[member] == Unseen) {
                state[member] = Open;
                stack.emplace_back(member, 0);
            }
        }
    }
    return true;
}

bool ReadLayers(TRecordReader& r, TLoadedDrawing& out, TDrawingReadError& error)
{
    int32_t count = 0;
    if (!r.Int32(count))
        return false;
    if (count < 0 || count > kMaxLayers) {
        error = TDrawingReadError::BadValue;
        return false;
    }
    if (!r.Fits(count, kMinLayerBytes))
        return false;
    int32_t largest = 0;
    out.Layers.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        LayerRec layer;
        int32_t visible = 0;
        if (!r.String(layer.Name) || !r.Int32(layer.Id) || !r.Int32(visible))
            return false;
        layer.Visible = visible == 1; // any other value is hidden
        largest = std::max(largest, layer.Id);
        out.Layers.push_back(layer);
    }
    out.NextLayerId = int32_t(uint32_t(largest) + 1u);
    return r.Int32(out.CurrentLayerId);
}

bool ReadShapes(TRecordReader& r, TMyCAD& owner, TLoadedDrawing& out, TDrawingReadError& error, TDrawingReadMode mode)
{
    int32_t count = 0;
    if (!r.Count(count, kMinShapeEntryBytes))
        return false;
    out.Shapes.reserve(r.Left() >= 0 ? size_t(count) : std::min<size_t>(size_t(count), 4096));
    uint32_t largestId = 0; // compared unsigned
    QByteArray field;
    for (int32_t i = 0; i < count; ++i) {
        if (!r.Fixed(kClassNameWidth, field))
            return false;
        const QString className = RecordClassOfField(field);
        std::unique_ptr<TMyShape> shape = className.isEmpty() ? nullptr : owner.CreateShapeByName(className, &owner);
        if (!shape) {
            error = TDrawingReadError::UnknownClass;
            return false;
        }
        if (!ReadShapeRecord(*shape, r)) {
            error = TDrawingReadError::BadShapeRecord;
            return false;
        }
        shape->SetCenterPoint(shape->ComputeCenterPoint(4));
        largestId = std::max(largestId, uint32_t(shape->GetShapeId()));
        out.Shapes.push_back(std::move(shape));
    }
    out.NextShapeId = int32_t(largestId + 1u);
    const bool block = mode == TDrawingReadMode::Block;
    if (!block && !out.Shapes.empty() && out.Layers.empty()) {
        error = TDrawingReadError::NoLayer;
        return false;
    }
    if ((!block && !RelationsInRange(out.Shapes)) || !RelationsWithoutLoops(out.Shapes)) {
        error = TDrawingReadError::BadReference;
        return false;
    }
    // Relations are positions in the list; a stored number that disagrees with the
    // position is taken as the position.
    for (size_t i = 0; i < out.Shapes.size(); ++i)
        out.Shapes[i]->SetShapeNo(int(i));
    return true;
}

bool ReadDocument(TRecordReader& r, TMyCAD& owner, TLoadedDrawing& out, TDrawingReadError& error,
                  TDrawingReadMode readMode)
{
    error = TDrawingReadError::Truncated;
    QByteArray signature, product, version;
    if (!r.Fixed(kSignatureWidth, signature) || !r.Fixed(kProductWidth, product) || !r.Fixed(kVersionWidth, version))
        return false;
    // The signature is not compared here: that is IsZEDAFile's task.
    out.Version = FromAnsi(TrimField(version));
    const std::optional<TRecordFormat> format = FormatOfTag(out.Version);
    if (!format) {
        error = TDrawingReadError::UnknownVersion;
        return false;
    }
    out.Format = *format;
    r.SetFormat(*format);
    if (!r.Skip(kDateWidth + kReservedWidth))
        return false;

    uint8_t unit = 0;
    if (!r.Int32(out.BackgroundColor) || !r.Int32(out.CanvasWidth) || !r.Int32(out.CanvasHeight) || !r.UInt8(unit))
        return false;
    const std::optional<TUnits> theUnit = EnumFromOrdinal<TUnits>(unit);
    if (out.CanvasWidth < 0 || out.CanvasWidth > kMaxCanvasSide || out.CanvasHeight < 0
        || out.CanvasHeight > kMaxCanvasSide || !theUnit) {
        error = TDrawingReadError::BadValue;
        return false;
    }
    out.Unit = *theUnit;
    if (!r.Bitmap(out.BkBitmap))
        return false;
    int32_t mode = 0;
    if (!r.Int32(mode) || !r.Float64(out.Ratio))
        return false;
    const std::optional<TBkBitmapMode> bkMode = EnumFromOrdinal<TBkBitmapMode>(mode & 0xFF);
    if (!bkMode) {
        error = TDrawingReadError::BadValue;
        return false;
    }
    out.BkBitmapMode = *bkMode;

    out.HasTagAndUserData = HasDocumentTagAndUserData(format->Generation);
    if (out.HasTagAndUserData) {
        int32_t pairs = 0;
        if (!r.Int32(out.Tag) || !r.Count(pairs, 8))
            return false;
        out.UserData.reserve(r.Left() >= 0 ? size_t(pairs) : std::min<size_t>(size_t(pairs), 4096));
        for (int32_t i = 0; i < pairs; ++i) {
            TUserDataRecord record;
            if (!r.String(record.Key) || !r.String(record.Value))
                return false;
            out.UserData.push_back(record);
        }
    }
    if (!ReadLayers(r, out, error))
        return false;
    error = TDrawingReadError::Truncated;
    return ReadShapes(r, owner, out, error, readMode);
}

} // namespace

bool ReadDrawing(QIODevice& Device, TMyCAD& Owner, TLoadedDrawing& Out, TDrawingReadError* Error,
                 TDrawingReadMode Mode)
{
    TDrawingReadError error = TDrawingReadError::None;
    bool ok = false;
    {
        TRecordReader reader(Device, TRecordFormat{});
        ok = ReadDocument(reader, Owner, Out, error, Mode);
    }
    if (ok)
        error = TDrawingReadError::None;
    if (Error)
        *Error = error;
    return ok;
}
