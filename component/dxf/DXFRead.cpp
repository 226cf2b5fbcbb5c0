#include "component/dxf/DXFRead.h"

#include "component/dxf/DXFNumbers.h"

#include <QFile>
#include <array>
#include <charconv>
#include <cstring>

// The bytes read: a mapping of the file, or the file's contents, or the caller's array.
struct TDXFRead::TData {
    QFile File;
    uchar* Map = nullptr;
    QByteArray Bytes;
    const char* Begin = nullptr;
    qint64 Size = 0;
    ~TData()
    {
        if (Map)
            File.unmap(Map);
    }
};

namespace {

// The kind of value of every stored code, looked up once per group.
const std::array<TGroupKind, TGroupTable::Size>& KindTable()
{
    static const auto table = [] {
        std::array<TGroupKind, TGroupTable::Size> t{};
        for (int i = 0; i < TGroupTable::Size; ++i)
            t[size_t(i)] = GroupKindOf(TGroupTable::CodeAt(i));
        return t;
    }();
    return table;
}

bool IsTrimmedTextCode(int Code)
{
    return (Code >= 0 && Code <= 9) || (Code >= 999 && Code <= 1009);
}

// A code line: digits with an optional sign and blanks around them.
bool ParseCode(std::string_view Line, int& Code)
{
    const char* p = Line.data();
    const char* end = p + Line.size();
    // The common case: digits, maybe right-aligned with spaces.
    while (p < end && *p == ' ')
        ++p;
    int value = 0;
    const char* digits = p;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 9)
        value = value * 10 + (*p++ - '0');
    if (p == end && p > digits) {
        Code = value;
        return true;
    }
    int32_t parsed = 0;
    if (!DXFNumbers::ParseInteger(Line, parsed))
        return false;
    Code = parsed;
    return true;
}

} // namespace

TDXFRead::TDXFRead(const QString& FileName, QObject* Parent) : QObject(Parent)
{
    auto data = std::make_shared<TData>();
    data->File.setFileName(FileName);
    if (!data->File.open(QIODevice::ReadOnly))
        return;
    const qint64 size = data->File.size();
    if (size > 0)
        data->Map = data->File.map(0, size);
    if (data->Map) {
        data->Begin = reinterpret_cast<const char*>(data->Map);
        data->Size = size;
    } else {
        data->Bytes = data->File.readAll();
        data->Begin = data->Bytes.constData();
        data->Size = data->Bytes.size();
    }
    Open(std::move(data), 0, -1);
    Rewind();
}

TDXFRead::TDXFRead(const QByteArray& Data, QObject* Parent) : QObject(Parent)
{
    auto data = std::make_shared<TData>();
    data->Bytes = Data;
    data->Begin = data->Bytes.constData();
    data->Size = data->Bytes.size();
    Open(std::move(data), 0, -1);
    Rewind();
}

TDXFRead::TDXFRead(const TDXFRead& Source, qint64 Begin, qint64 End) : QObject(nullptr)
{
    FIsR12DXF = Source.FIsR12DXF;
    if (!Source.FData)
        return;
    Open(Source.FData, Begin, End);
    FSection = scBlocks;
    ConsumeGroup();
}

TDXFRead::~TDXFRead() = default;

void TDXFRead::Open(std::shared_ptr<const TData> Data, qint64 Begin, qint64 End)
{
    FData = std::move(Data);
    FBytes = FData->Begin;
    const qint64 size = FData->Size;
    FEnd = End < 0 || End > size ? size : End;
    FBegin = std::clamp<qint64>(Begin, 0, FEnd);
    // A byte-order mark before the first group.
    if (FBegin == 0 && FEnd >= 3 && memcmp(FBytes, "\xEF\xBB\xBF", 3) == 0)
        FBegin = 3;
    FPos = FBegin;
    FEntry.reserve(256);
}

bool TDXFRead::NextLine(std::string_view& Line)
{
    if (FPos >= FEnd)
        return false;
    const char* start = FBytes + FPos;
    const size_t left = size_t(FEnd - FPos);
    const char* newline = static_cast<const char*>(memchr(start, '\n', left));
    size_t length = newline ? size_t(newline - start) : left;
    FPos += qint64(length) + (newline ? 1 : 0);
    if (length > 0 && start[length - 1] == '\r')
        --length;
    Line = std::string_view(start, length);
    return true;
}

bool TDXFRead::ConsumeGroup()
{
    FHasGroup = false;
    if (FFailed || !FData)
        return false;
    FGroupStart = FPos;
    std::string_view codeLine, valueLine;
    if (!NextLine(codeLine))
        return false;
    int code = 0;
    if (!ParseCode(codeLine, code) || !NextLine(valueLine)) {
        FFailed = true;
        return false;
    }
    FCode = code;
    FValue = TGroupValue();
    const int index = TGroupTable::IndexOf(code);
    if (index < 0 || (!IsTrimmedTextCode(code) && KindTable()[size_t(index)] == TGroupKind::Text)) {
        // Text as read (or a code the table does not store).
        FValue.Kind = TGroupKind::Text;
        FValue.Text = valueLine;
    } else {
        const std::string_view trimmed = DXFNumbers::TrimBlanks(valueLine);
        FValue.Kind = KindTable()[size_t(index)];
        FValue.Text = trimmed;
        if (FValue.Kind == TGroupKind::Real) {
            DXFNumbers::ParseReal(trimmed, FValue.Real);
        } else if (FValue.Kind == TGroupKind::Integer) {
            DXFNumbers::ParseInteger(trimmed, FValue.Integer);
            FValue.Real = FValue.Integer;
        }
    }
    FHasGroup = true;
    return true;
}

bool TDXFRead::IsGroup(int Code, std::string_view Text) const
{
    return FHasGroup && FCode == Code && DXFNumbers::TrimBlanks(FValue.Text) == Text;
}

void TDXFRead::NextSection()
{
    FSection = scUnknow;
    while (FHasGroup) {
        if (FCode == 0) {
            const std::string_view name = DXFNumbers::TrimBlanks(FValue.Text);
            if (name == "SECTION")
                break;
            if (name == "EOF") {
                FStop = TStop::EndOfFile;
                return;
            }
        }
        ConsumeGroup();
    }
    if (!FHasGroup || !ConsumeGroup()) {
        FStop = TStop::EndOfData;
        return;
    }
    const std::string_view name = FCode == 2 ? DXFNumbers::TrimBlanks(FValue.Text) : std::string_view();
    if (name == "HEADER")
        FSection = scHeader;
    else if (name == "TABLES")
        FSection = scTables;
    else if (name == "BLOCKS")
        FSection = scBlocks;
    else if (name == "ENTITIES")
        FSection = scEntities;
    else if (name == "CLASSES")
        FSection = scClasses;
    FStop = FSection == scUnknow ? TStop::UnknownSection : TStop::None;
    ConsumeGroup();
}

int TDXFRead::ReadAnEntry(int Code, TGroupTable& Table)
{
    FEntry.clear();
    while (FHasGroup && FCode != Code && FCode != 0)
        ConsumeGroup();
    if (!FHasGroup)
        return -1;
    if (FCode != Code)
        return 0;
    do {
        if (TGroupTable::IndexOf(FCode) >= 0) {
            Table.Set(FCode, FValue);
            FEntry.push_back(TDXFGroup{FCode, FValue});
        }
        ConsumeGroup();
    } while (FHasGroup && FCode != Code && FCode != 0);
    return Code;
}

void TDXFRead::Rewind()
{
    if (!FData)
        return;
    FPos = FBegin;
    FFailed = false;
    FStop = TStop::None;
    ConsumeGroup();
    NextSection();
}
