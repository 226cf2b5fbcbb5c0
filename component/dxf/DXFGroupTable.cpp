#include "component/dxf/DXFGroupTable.h"

#include "component/dxf/DXFNumbers.h"
#include "platform/AnsiString.h"

#include <cmath>

namespace {

const TGroupValue kEmpty{};

} // namespace

TGroupKind GroupKindOf(int Code)
{
    if ((Code >= 0 && Code <= 9) || (Code >= 999 && Code <= 1009))
        return TGroupKind::Text;
    if ((Code >= 10 && Code <= 59) || (Code >= 140 && Code <= 147) || (Code >= 210 && Code <= 239)
        || (Code >= 1010 && Code <= 1059))
        return TGroupKind::Real;
    if ((Code >= 60 && Code <= 79) || (Code >= 170 && Code <= 175) || (Code >= 1060 && Code <= 1079))
        return TGroupKind::Integer;
    return TGroupKind::Text;
}

void TGroupTable::Set(int Code, const TGroupValue& Value)
{
    const int index = IndexOf(Code);
    if (index < 0)
        return;
    TGroupValue& slot = FValues[size_t(index)];
    if (slot.Kind == TGroupKind::Empty && Value.Kind != TGroupKind::Empty)
        FUsed.push_back(uint16_t(index));
    slot = Value;
}

void TGroupTable::SetText(int Code, const QByteArray& Text)
{
    if (IndexOf(Code) < 0)
        return;
    const QByteArray& owned = FOwnedTexts.emplace_back(Text);
    TGroupValue value;
    value.Kind = GroupKindOf(Code);
    value.Text = std::string_view(owned.constData(), size_t(owned.size()));
    Set(Code, value);
}

void TGroupTable::SetText(int Code, const QString& Text)
{
    SetText(Code, ToAnsi(Text));
}

void TGroupTable::SetReal(int Code, double Value)
{
    TGroupValue value;
    value.Kind = TGroupKind::Real;
    value.Real = Value;
    Set(Code, value);
}

void TGroupTable::SetInteger(int Code, int32_t Value)
{
    TGroupValue value;
    value.Kind = TGroupKind::Integer;
    value.Integer = Value;
    value.Real = Value;
    Set(Code, value);
}

void TGroupTable::Clear()
{
    for (uint16_t index : FUsed)
        FValues[index] = TGroupValue();
    FUsed.clear();
    FOwnedTexts.clear();
}

const TGroupValue& TGroupTable::Value(int Code) const
{
    const int index = IndexOf(Code);
    return index < 0 ? kEmpty : FValues[size_t(index)];
}

double TGroupTable::Real(int Code, double Default) const
{
    const TGroupValue& v = Value(Code);
    switch (v.Kind) {
    case TGroupKind::Real: return v.Real;
    case TGroupKind::Integer: return v.Integer;
    case TGroupKind::Text: {
        double parsed = 0;
        return DXFNumbers::ParseReal(v.Text, parsed) ? parsed : Default;
    }
    default: return Default;
    }
}

int32_t TGroupTable::Integer(int Code, int32_t Default) const
{
    const TGroupValue& v = Value(Code);
    switch (v.Kind) {
    case TGroupKind::Integer: return v.Integer;
    case TGroupKind::Real:
        return std::fabs(v.Real) < 2147483647.0 ? int32_t(v.Real) : Default;
    case TGroupKind::Text: {
        int32_t parsed = 0;
        return DXFNumbers::ParseInteger(v.Text, parsed) ? parsed : Default;
    }
    default: return Default;
    }
}
