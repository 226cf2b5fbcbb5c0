#include "component/dxf/DXFWrite.h"

#include "component/dxf/DXFNumbers.h"
#include "platform/AnsiString.h"

#include <QBuffer>
#include <algorithm>

namespace {

constexpr size_t kMaxText = 255;

} // namespace

TDXFWrite::TDXFWrite(const QString& FileName) : FFile(std::make_unique<QFile>(FileName))
{
    if (FFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        FDevice = FFile.get();
        FOutput = std::make_unique<TDXFOutput>(*FDevice);
    }
}

TDXFWrite::TDXFWrite(QIODevice& Device) : FDevice(&Device), FOutput(std::make_unique<TDXFOutput>(Device)) {}

TDXFWrite::~TDXFWrite()
{
    Flush();
}

bool TDXFWrite::Reset()
{
    if (!FDevice)
        return false;
    FOutput->Discard();
    if (auto* file = qobject_cast<QFileDevice*>(FDevice))
        return file->resize(0) && file->seek(0);
    if (auto* buffer = qobject_cast<QBuffer*>(FDevice)) {
        buffer->buffer().clear();
        return buffer->seek(0);
    }
    return false;
}

bool TDXFWrite::Flush()
{
    return FDevice && FOutput->Flush();
}

void TDXFWrite::WriteCode(int Code)
{
    char* out = FOutput->Reserve(24);
    FOutput->EndLine(DXFNumbers::FormatInteger(out, Code, 3));
}

void TDXFWrite::WriteGroup(int Code, const TGroupValue& Value)
{
    if (!FDevice)
        return;
    WriteCode(Code);
    const TGroupKind kind = GroupKindOf(Code);
    const bool textCode = (Code >= 0 && Code <= 9) || (Code >= 999 && Code <= 1009);
    if (kind == TGroupKind::Real) {
        double v = Value.Real;
        if (Value.Kind == TGroupKind::Integer)
            v = Value.Integer;
        else if (Value.Kind == TGroupKind::Text)
            DXFNumbers::ParseReal(Value.Text, v);
        char* out = FOutput->Reserve(DXFNumbers::kBufferSize);
        FOutput->EndLine(DXFNumbers::FormatFixed6(out, v));
    } else if (kind == TGroupKind::Integer) {
        int32_t v = Value.Integer;
        if (Value.Kind == TGroupKind::Real)
            v = std::clamp(Value.Real, -2147483648.0, 2147483647.0) == Value.Real ? int32_t(Value.Real) : 0;
        else if (Value.Kind == TGroupKind::Text)
            DXFNumbers::ParseInteger(Value.Text, v);
        char* out = FOutput->Reserve(24);
        FOutput->EndLine(DXFNumbers::FormatInteger(out, v, 6));
    } else if (textCode) {
        char* out = FOutput->Reserve(DXFNumbers::kBufferSize);
        char* end = out;
        if (Value.Kind == TGroupKind::Text) {
            const size_t n = std::min(Value.Text.size(), kMaxText);
            for (size_t i = 0; i < n; ++i) {
                const char c = Value.Text[i];
                *end++ = c == '\r' || c == '\n' ? ' ' : c;
            }
        } else if (Value.Kind == TGroupKind::Real) {
            end = DXFNumbers::FormatGeneral(out, Value.Real);
        } else if (Value.Kind == TGroupKind::Integer) {
            end = DXFNumbers::FormatInteger(out, Value.Integer);
        }
        FOutput->EndLine(end);
    } else {
        FOutput->Line({});
    }
}

void TDXFWrite::WriteGroup(int Code, const QString& Value)
{
    const QByteArray bytes = ToAnsi(Value);
    TGroupValue v;
    v.Kind = TGroupKind::Text;
    v.Text = std::string_view(bytes.constData(), size_t(bytes.size()));
    WriteGroup(Code, v);
}

void TDXFWrite::WriteGroup(int Code, double Value)
{
    TGroupValue v;
    v.Kind = TGroupKind::Real;
    v.Real = Value;
    WriteGroup(Code, v);
}

void TDXFWrite::WriteGroup(int Code, int Value)
{
    TGroupValue v;
    v.Kind = TGroupKind::Integer;
    v.Integer = Value;
    v.Real = Value;
    WriteGroup(Code, v);
}

void TDXFWrite::BeginSection(TSections Section)
{
    WriteGroup(0, QStringLiteral("SECTION"));
    const char* name = nullptr;
    switch (Section) {
    case scHeader: name = "HEADER"; break;
    case scTables: name = "TABLES"; break;
    case scBlocks: name = "BLOCKS"; break;
    case scEntities: name = "ENTITIES"; break;
    case scClasses: name = "CLASSES"; break;
    case scUnknow: break;
    }
    if (name)
        WriteGroup(2, QString::fromLatin1(name));
}

void TDXFWrite::EndSection()
{
    WriteGroup(0, QStringLiteral("ENDSEC"));
}

void TDXFWrite::WriteAnEntry(const TGroupTable& Groups)
{
    for (int index = 0; index < TGroupTable::Size; ++index) {
        const TGroupValue& value = Groups.ValueAt(index);
        if (value.Kind != TGroupKind::Empty)
            WriteGroup(TGroupTable::CodeAt(index), value);
    }
}
