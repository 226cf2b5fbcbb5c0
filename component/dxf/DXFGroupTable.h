#pragma once
// The values of one DXF entry (an entity, a table record, a header variable), one value
// per group code: codes 0-255 at indices 0-255 and codes 1000-1256 at indices 256-512.
// Other codes are not stored. The kind of a value follows from its code.
#include "mycad_export.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

enum class TGroupKind : uint8_t {
    Empty,   // not set
    Text,    // codes 0-9 and 999-1009 (trimmed) and every code not listed below (as read)
    Real,    // codes 10-59, 140-147, 210-239, 1010-1059
    Integer, // codes 60-79, 170-175, 1060-1079
};

// The kind of value a group code carries (Text for codes outside every range).
MYCAD_EXPORT TGroupKind GroupKindOf(int Code);

// One group value. Text views the characters of the value line (trimmed for the text
// codes); numbers keep that text too. The characters belong to whoever filled the value:
// the reader's data or the table's own copies.
struct MYCAD_EXPORT TGroupValue {
    TGroupKind Kind = TGroupKind::Empty;
    int32_t Integer = 0;
    double Real = 0;
    std::string_view Text;
};

// One group as read: its code and value.
struct MYCAD_EXPORT TDXFGroup {
    int Code = 0;
    TGroupValue Value;
};

class MYCAD_EXPORT TGroupTable {
public:
    static constexpr int Size = 513;
    // The index of a code, -1 for codes that are not stored.
    static constexpr int IndexOf(int Code)
    {
        if (Code >= 0 && Code <= 255)
            return Code;
        if (Code >= 1000 && Code <= 1256)
            return Code - 744;
        return -1;
    }
    // The code stored at an index.
    static constexpr int CodeAt(int Index) { return Index <= 255 ? Index : Index + 744; }

    TGroupTable() = default;
    // Not copied: the values may view texts the table owns.
    TGroupTable(const TGroupTable&) = delete;
    TGroupTable& operator=(const TGroupTable&) = delete;
    TGroupTable(TGroupTable&&) = default;
    TGroupTable& operator=(TGroupTable&&) = default;

    // Stores a value (ignored for codes outside the table). The text must outlive the
    // table's use; SetText copies it instead.
    void Set(int Code, const TGroupValue& Value);
    void SetText(int Code, const QByteArray& Text);
    void SetText(int Code, const QString& Text); // as Windows-1252
    void SetReal(int Code, double Value);
    void SetInteger(int Code, int32_t Value);
    // Empties the entries that were set (the others are empty already).
    void Clear();

    // The value of a code; an empty value for unset and unstored codes.
    const TGroupValue& Value(int Code) const;
    const TGroupValue& ValueAt(int Index) const { return FValues[size_t(Index)]; }
    bool Has(int Code) const { return Value(Code).Kind != TGroupKind::Empty; }
    // The value as a number or as text; Default when the entry is empty. Real of an
    // integer code gives the integer, Integer of a real code the value truncated; a text
    // code (90-99, for example) is converted from its text, Default when it is no number.
    double Real(int Code, double Default = 0) const;
    int32_t Integer(int Code, int32_t Default = 0) const;
    std::string_view Text(int Code) const { return Value(Code).Text; }
    // The indices that hold a value, in the order they were first set.
    const std::vector<uint16_t>& UsedIndices() const { return FUsed; }

private:
    std::array<TGroupValue, Size> FValues{};
    std::vector<uint16_t> FUsed;
    // Texts copied in by SetText (a deque keeps them in place as it grows).
    std::deque<QByteArray> FOwnedTexts;
};
