// TLibManager: the fields of the layout, read and written at a byte position.
#include "component/library/LibManager.h"

#include "component/library/LibEntryBytes.h"
#include "component/persistence/RecordIO.h"
#include "platform/AnsiString.h"

#include <QBuffer>

using namespace LibraryFormat;
using LibEntryBytes::Splice;

namespace {

void Report(TLibSpan* span, int64_t position, int64_t length)
{
    if (span)
        *span = TLibSpan{position + length, length};
}

bool Within(const QByteArray& bytes, int64_t position, int64_t length)
{
    return position >= 0 && length >= 0 && position <= bytes.size() - length;
}

bool Put(QByteArray& bytes, int64_t position, const QByteArray& field, TLibSpan* span)
{
    if (!Splice(bytes, position, field))
        return false;
    Report(span, position, field.size());
    return true;
}

// Reads with a record reader from Position to the end of the bytes; the span is what the
// reader consumed.
template <typename Read>
bool ReadFrom(const QByteArray& bytes, int64_t position, TRecordFormat format, TLibSpan* span, Read&& read)
{
    if (position < 0 || position > bytes.size())
        return false;
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(bytes.constData() + position, bytes.size() - qsizetype(position)));
    buffer.open(QIODevice::ReadOnly);
    bool ok = false;
    {
        TRecordReader reader(buffer, format);
        ok = read(reader);
    }
    if (ok)
        Report(span, position, buffer.pos());
    return ok;
}

} // namespace

bool TLibManager::WriteLibTag(const QByteArray& Tag, TLibSpan* Span)
{
    if (Tag.size() != kTagSize)
        return false;
    return Put(FBytes, 0, Tag, Span);
}

bool TLibManager::ReadLibTag(QByteArray& Tag, TLibSpan* Span) const
{
    if (!Within(FBytes, 0, kTagSize))
        return false;
    Tag = FBytes.left(kTagSize);
    Report(Span, 0, kTagSize);
    return true;
}

bool TLibManager::ReplaceoldTagwithNewTag(const QByteArray& NewTag)
{
    return FBytes.size() >= kTagSize && WriteLibTag(NewTag);
}

bool TLibManager::WriteCmbShapeName(int64_t Position, const QString& Name, TLibSpan* Span)
{
    QByteArray name;
    if (!EncodeLibEntryName(Name, name))
        return false;
    name.prepend(char(uint8_t(name.size())));
    return Put(FBytes, Position, name, Span);
}

bool TLibManager::ReadCmbShapeName(int64_t Position, QString& Name, TLibSpan* Span) const
{
    if (!Within(FBytes, Position, 1))
        return false;
    const int n = uint8_t(FBytes[qsizetype(Position)]);
    if (!Within(FBytes, Position + 1, n))
        return false;
    Name = FromAnsi(FBytes.constData() + Position + 1, n);
    Report(Span, Position, 1 + n);
    return true;
}

bool TLibManager::WriteCmbShapeSize(int64_t Position, int32_t Size, TLibSpan* Span)
{
    return Put(FBytes, Position, LibEntryBytes::Int32Bytes(Size), Span);
}

bool TLibManager::ReadCmbShapeSize(int64_t Position, int32_t& Size, TLibSpan* Span) const
{
    if (!LibEntryBytes::GetInt32(FBytes, Position, Size))
        return false;
    Report(Span, Position, 4);
    return true;
}

bool TLibManager::WriteWidthHeight(int64_t Position, int32_t W, int32_t H, TLibSpan* Span)
{
    return Put(FBytes, Position, LibEntryBytes::Int32Bytes(W) + LibEntryBytes::Int32Bytes(H), Span);
}

bool TLibManager::ReadWidthHeight(int64_t Position, int32_t& W, int32_t& H, TLibSpan* Span) const
{
    int32_t w = 0, h = 0;
    if (!LibEntryBytes::GetInt32(FBytes, Position, w) || !LibEntryBytes::GetInt32(FBytes, Position + 4, h))
        return false;
    W = w;
    H = h;
    Report(Span, Position, 8);
    return true;
}

bool TLibManager::WriteUserDataRecords(int64_t Position, const TUserData& UserData, TLibSpan* Span)
{
    QByteArray block;
    return LibEntryBytes::UserDataBytes(UserData, IsLongStringLibrary(), block) && Put(FBytes, Position, block, Span);
}

bool TLibManager::ReadUserDataRecords(int64_t Position, TUserData& UserData, TLibSpan* Span) const
{
    const std::optional<TLayout> layout = Layout();
    TArrUserDataRecord pairs;
    if (!layout
        || !ReadFrom(FBytes, Position, layout->Format, Span,
                     [&](TRecordReader& r) { return LibEntryBytes::ReadUserData(r, pairs); }))
        return false;
    UserData.ClearAll();
    for (const TUserDataRecord& pair : pairs)
        UserData.AddKeyandValue(pair.Key, pair.Value);
    return true;
}

bool TLibManager::WriteShapes(int64_t Position, const TArrMyShape& Shapes, TLibSpan* Span)
{
    QByteArray block;
    return LibEntryBytes::ShapesBytes(Shapes, true, IsLongStringLibrary(), block) && Put(FBytes, Position, block, Span);
}

bool TLibManager::WriteStrBuffer(int64_t Position, const QString& S, TLibSpan* Span)
{
    return Put(FBytes, Position, LibEntryBytes::StringBytes(S, IsLongStringLibrary()), Span);
}

bool TLibManager::ReadStrBuffer(int64_t Position, QString& S, TLibSpan* Span) const
{
    const std::optional<TLayout> layout = Layout();
    QString text;
    if (!layout || !ReadFrom(FBytes, Position, layout->Format, Span, [&](TRecordReader& r) { return r.String(text); }))
        return false;
    S = text;
    return true;
}
