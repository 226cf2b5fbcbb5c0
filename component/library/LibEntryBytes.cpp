// Building the bytes of library entries.
#include "component/library/LibEntryBytes.h"

#include "component/library/LibraryFormat.h"
#include "component/persistence/RecordIO.h"
#include "component/persistence/ShapeRecords.h"
#include "platform/Rounding.h"
#include "component/shapes/MyShape.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace LibEntryBytes {

namespace {

const QString& LinkPointClass()
{
    static const QString name = QStringLiteral("TMyLinkPoint");
    return name;
}

template <typename W>
void WriteUserData(W& w, const TUserData& data)
{
    w.Int32(int32_t(data.Records().size()));
    for (const TUserDataRecord& pair : data.Records()) {
        w.String(pair.Key);
        w.String(pair.Value);
    }
}

// A shape's stored geometry and name while its record is written in the unit box.
class TNormalisedScope {
public:
    TNormalisedScope(TMyShape& shape, const TUnitBox* box) : FShape(shape), FName(shape.Name())
    {
        FShape.StoreName(QString());
        if (!box)
            return;
        FPoints = shape.Points();
        FCaption = shape.CaptionPoint();
        TArrMyPoint unit = FPoints;
        for (TMyPoint& p : unit)
            p = Normalised(p, *box);
        FShape.PointsRef().swap(unit);
        FShape.SetCaptionPoint(Normalised(FCaption, *box));
        FMoved = true;
    }
    ~TNormalisedScope()
    {
        if (FMoved) {
            FShape.PointsRef().swap(FPoints);
            FShape.SetCaptionPoint(FCaption);
        }
        FShape.StoreName(FName);
    }
    TNormalisedScope(const TNormalisedScope&) = delete;
    TNormalisedScope& operator=(const TNormalisedScope&) = delete;

private:
    static TMyPoint Normalised(TMyPoint p, const TUnitBox& box)
    {
        return TMyPoint(float((double(p.X) - box.Left) / box.Width), float((double(p.Y) - box.Top) / box.Height));
    }

    TMyShape& FShape;
    QString FName;
    TArrMyPoint FPoints;
    TMyPoint FCaption;
    bool FMoved = false;
};

void WriteShapesBlock(TRecordWriter& w, const TArrMyShape& shapes, bool normalise)
{
    const TUnitBox box = normalise ? UnitBoxOf(shapes) : TUnitBox();
    w.Int32(int32_t(shapes.size()));
    for (TMyShape* shape : shapes) {
        w.Fixed(shape->ClassName().toLatin1(), DrawingFormat::kClassNameWidth);
        TNormalisedScope scope(*shape, normalise ? &box : nullptr);
        WriteShapeRecord(*shape, w);
    }
}

} // namespace

bool Splice(QByteArray& Bytes, int64_t Position, const QByteArray& Field)
{
    if (Position < 0 || Position > Bytes.size())
        return false;
    const int64_t overlap = std::min<int64_t>(Field.size(), Bytes.size() - Position);
    Bytes.replace(qsizetype(Position), qsizetype(overlap), Field);
    return true;
}

bool GetInt32(const QByteArray& Bytes, int64_t Position, int32_t& Value)
{
    if (Position < 0 || Position > Bytes.size() - 4)
        return false;
    Value = qFromLittleEndian<int32_t>(Bytes.constData() + Position);
    return true;
}

QByteArray Int32Bytes(int32_t Value)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(Value, b.data());
    return b;
}

QByteArray StringBytes(const QString& S, bool LongStrings)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    TRecordWriter w(buffer, LongStrings);
    w.String(S);
    w.Finish();
    return out;
}

bool UserDataBytes(const TUserData& UserData, bool LongStrings, QByteArray& Out)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    TRecordWriter w(buffer, LongStrings);
    WriteUserData(w, UserData);
    if (!w.Finish())
        return false;
    Out = out;
    return true;
}

bool ReadUserData(TRecordReader& Reader, TArrUserDataRecord& Records)
{
    int32_t n = 0;
    if (!Reader.Count(n, 8))
        return false;
    Records.clear();
    Records.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        TUserDataRecord record;
        if (!Reader.String(record.Key) || !Reader.String(record.Value))
            return false;
        Records.push_back(std::move(record));
    }
    return true;
}

bool ShapesHaveRecords(const TArrMyShape& Shapes)
{
    return std::all_of(Shapes.begin(), Shapes.end(),
                       [](const TMyShape* s) { return s && IsRecordClass(s->ClassName()); });
}

bool NeedLongStrings(const TArrMyShape& Shapes, const TUserData& UserData)
{
    TLongStringScanner scanner;
    WriteUserData(scanner, UserData);
    for (const TMyShape* s : Shapes)
        if (s && !scanner.Found())
            ScanShapeStrings(*s, scanner);
    return scanner.Found();
}

TUnitBox UnitBoxOf(const TArrMyShape& Shapes)
{
    bool any = false;
    float left = std::numeric_limits<float>::max(), top = left;
    float right = std::numeric_limits<float>::lowest(), bottom = right;
    for (const TMyShape* s : Shapes) {
        if (s->ClassName() == LinkPointClass())
            continue;
        for (const TMyPoint& p : s->Points()) {
            any = true;
            left = std::min(left, p.X);
            top = std::min(top, p.Y);
            right = std::max(right, p.X);
            bottom = std::max(bottom, p.Y);
        }
    }
    TUnitBox box;
    if (!any)
        return box;
    box.Left = left;
    box.Top = top;
    const int32_t w = Round(double(right) - double(left));
    const int32_t h = Round(double(bottom) - double(top));
    box.Width = w == 0 ? 1 : w;
    box.Height = h == 0 ? 1 : h;
    return box;
}

bool ShapesBytes(const TArrMyShape& Shapes, bool Normalise, bool LongStrings, QByteArray& Out)
{
    if (!ShapesHaveRecords(Shapes))
        return false;
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    TRecordWriter w(buffer, LongStrings);
    WriteShapesBlock(w, Shapes, Normalise);
    if (!w.Finish())
        return false;
    Out = out;
    return true;
}

bool EntryBytes(const QByteArray& AnsiName, const TArrMyShape& Shapes, const TUserData& UserData, int32_t W,
                int32_t H, bool Normalise, bool LongStrings, QByteArray& Out)
{
    if (AnsiName.size() > LibraryFormat::kMaxNameBytes || !ShapesHaveRecords(Shapes))
        return false;
    QByteArray out;
    out.append(char(uint8_t(AnsiName.size())));
    out.append(AnsiName);
    const qsizetype sizeAt = out.size();
    out.append(Int32Bytes(0));
    {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly | QIODevice::Append);
        TRecordWriter w(buffer, LongStrings);
        w.Int32(W);
        w.Int32(H);
        WriteUserData(w, UserData);
        WriteShapesBlock(w, Shapes, Normalise);
        if (!w.Finish())
            return false;
    }
    // The size counts the bytes actually written after the size field.
    const int64_t size = out.size() - sizeAt - 4;
    if (size > std::numeric_limits<int32_t>::max())
        return false;
    out.replace(sizeAt, 4, Int32Bytes(int32_t(size)));
    Out = std::move(out);
    return true;
}

} // namespace LibEntryBytes
