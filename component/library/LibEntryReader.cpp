// TLibManager: reading entries into shapes of the private drawing.
#include "component/library/LibManager.h"

#include "component/library/LibEntryBytes.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/persistence/RecordIO.h"
#include "component/persistence/ShapeRecords.h"
#include "component/shapes/MyShape.h"

#include <QBuffer>

using namespace LibraryFormat;

namespace {

// Marks the drawing as reading while shapes are read into it (a group then does not pass
// its attributes on by member numbers that belong to another drawing).
class TLoadingScope {
public:
    explicit TLoadingScope(TMyCAD& drawing) : FDrawing(drawing), FWas(drawing.Loading()) { drawing.SetLoading(true); }
    ~TLoadingScope() { FDrawing.SetLoading(FWas); }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    TMyCAD& FDrawing;
    bool FWas;
};

// A read-only buffer over bytes [at, at + n) of data, without a copy.
void OpenWindow(QBuffer& buffer, const QByteArray& data, int64_t at, int64_t n)
{
    buffer.setData(QByteArray::fromRawData(data.constData() + at, qsizetype(n)));
    buffer.open(QIODevice::ReadOnly);
}

TMyPoint Scaled(TMyPoint p, int32_t w, int32_t h)
{
    return TMyPoint(float(double(p.X) * w), float(double(p.Y) * h));
}

// Reads a shapes block: each shape is created for the drawing from its class name and
// reads its record; with Scale its points and caption point are multiplied by W and H.
bool ReadShapesBlock(TRecordReader& r, TMyCAD& drawing, int32_t w, int32_t h, bool scale, bool linkPointsAsPoints,
                     TArrMyPoint& points, TLibShapes& shapes)
{
    static const QString linkPointClass = QStringLiteral("TMyLinkPoint");
    int32_t n = 0;
    if (!r.Count(n, DrawingFormat::kClassNameWidth))
        return false;
    TLoadingScope loading(drawing);
    QByteArray field;
    for (int32_t i = 0; i < n; ++i) {
        if (!r.Fixed(DrawingFormat::kClassNameWidth, field))
            return false;
        const QString className = RecordClassOfField(field);
        std::unique_ptr<TMyShape> shape = className.isEmpty() ? nullptr : drawing.CreateShapeByName(className, &drawing);
        if (!shape || !ReadShapeRecord(*shape, r))
            return false;
        if (scale) {
            for (TMyPoint& p : shape->PointsRef())
                p = Scaled(p, w, h);
            shape->SetCaptionPoint(Scaled(shape->CaptionPoint(), w, h));
        }
        if (linkPointsAsPoints && className == linkPointClass) {
            const TMyRect box = GetPointsLTRB(shape->Points());
            points.push_back(TMyPoint(float((double(box.Left) + box.Right) / 2), float((double(box.Top) + box.Bottom) / 2)));
            continue;
        }
        shape->StoreName(QString());
        shape->SetCenterPoint(shape->ComputeCenterPoint(4));
        shapes.push_back(std::move(shape));
    }
    return true;
}

} // namespace

bool TLibManager::ReadEntry(const TEntry& Entry, const TLayout& Layout, TArrMyPoint& Points, TUserData& UserData,
                            TLibShapes& Shapes, int& W, int& H, bool LinkPointsAsPoints, bool Scale)
{
    FDrawing->SetDiskFileVersion(QString::fromLatin1(Layout.Info.DiskFileVersion));
    FDrawing->SetZoom(1);
    QBuffer buffer;
    OpenWindow(buffer, FBytes, Entry.ContentAt, Entry.Size);
    TRecordReader r(buffer, Layout.Format);
    int32_t w = 0, h = 0;
    if (!r.Int32(w) || !r.Int32(h))
        return false;
    TArrUserDataRecord pairs;
    if (Layout.Info.HasUserData && !LibEntryBytes::ReadUserData(r, pairs))
        return false;
    TArrMyPoint points;
    TLibShapes shapes;
    if (!ReadShapesBlock(r, *FDrawing, w, h, Scale, LinkPointsAsPoints, points, shapes))
        return false;

    W = w;
    H = h;
    Points = std::move(points);
    Shapes = std::move(shapes);
    if (Layout.Info.HasUserData) {
        UserData.ClearAll();
        for (const TUserDataRecord& pair : pairs)
            UserData.AddKeyandValue(pair.Key, pair.Value); // a repeated key keeps its first value
    }
    return true;
}

bool TLibManager::ReadNamed(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                            int& H, bool LinkPointsAsPoints)
{
    TEntry entry;
    const std::optional<TLayout> layout = Layout();
    return layout && FindEntry(Name, entry)
           && ReadEntry(entry, *layout, Points, UserData, Shapes, W, H, LinkPointsAsPoints, true);
}

bool TLibManager::GetCmbShape(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                              int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeforX8(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                                   int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeforX9(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                                   int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeforXA(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                                   int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeforXE(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                                   int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeforXH(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes,
                                   int& W, int& H, bool LinkPointsAsPoints)
{
    return ReadNamed(Name, Points, UserData, Shapes, W, H, LinkPointsAsPoints);
}

bool TLibManager::GetCmbShapeAt(int64_t Position, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                                int& H, bool LinkPointsAsPoints)
{
    // Only a position the walk reaches is an entry.
    bool found = false;
    TEntry entry;
    Walk([&](const TEntry& e) {
        found = e.Position == Position;
        if (found)
            entry = e;
        return !found && e.End() <= Position;
    });
    const std::optional<TLayout> layout = Layout();
    return found && layout && ReadEntry(entry, *layout, Points, UserData, Shapes, W, H, LinkPointsAsPoints, true);
}

bool TLibManager::ReadShapes(int64_t Position, int W, int H, bool LinkPointsAsPoints, TArrMyPoint& Points,
                             TLibShapes& Shapes, TLibSpan* Span)
{
    const std::optional<TLayout> layout = Layout();
    if (!layout || Position < kFirstEntry || Position > FBytes.size())
        return false;
    FDrawing->SetDiskFileVersion(QString::fromLatin1(layout->Info.DiskFileVersion));
    FDrawing->SetZoom(1);
    QBuffer buffer;
    OpenWindow(buffer, FBytes, Position, FBytes.size() - Position);
    TArrMyPoint points;
    TLibShapes shapes;
    {
        TRecordReader r(buffer, layout->Format);
        if (!ReadShapesBlock(r, *FDrawing, W, H, true, LinkPointsAsPoints, points, shapes))
            return false;
    }
    if (Span)
        *Span = TLibSpan{Position + buffer.pos(), buffer.pos()};
    Points = std::move(points);
    Shapes = std::move(shapes);
    return true;
}

bool TLibManager::HoldsLongStrings()
{
    const std::optional<TLayout> layout = Layout();
    if (!layout)
        return false;
    bool found = false;
    Walk([&](const TEntry& e) {
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        if (!ReadEntry(e, *layout, points, data, shapes, w, h, false, false)) {
            found = true; // what cannot be read may hold one
            return false;
        }
        TArrMyShape list;
        for (const auto& s : shapes)
            list.push_back(s.get());
        found = LibEntryBytes::NeedLongStrings(list, data);
        return !found;
    });
    return found;
}
