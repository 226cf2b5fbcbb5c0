#pragma once
// The texts of property values: colour, cursor, charset and shortcut names, and the
// number formats (C locale): integers in decimal or with "$" / "0x" hexadecimal, floats
// in the shortest form that reads back to the same value.
#include "mycad_export.h"
#include "platform/Color.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace PropTexts {

// A colour's name ("clRed", "clBtnFace", ...) or, without one, "$" and eight hex digits.
MYCAD_EXPORT QString ColorToString(TColor color);
// A colour name (any case) or a number; none for anything else.
MYCAD_EXPORT std::optional<TColor> StringToColor(const QString& text);
// The sixteen standard colour names, then the named system colours 0 to 32.
MYCAD_EXPORT QStringList ColorValueNames();

// "crDefault", "crArrow", ... or the number.
MYCAD_EXPORT QString CursorToString(int cursor);
MYCAD_EXPORT std::optional<int> StringToCursor(const QString& text);
// The named cursors from 0 down to -32.
MYCAD_EXPORT QStringList CursorValueNames();

// "ANSI_CHARSET", "DEFAULT_CHARSET", ... or the number.
MYCAD_EXPORT QString CharsetToString(int charset);
MYCAD_EXPORT std::optional<int> StringToCharset(const QString& text);
MYCAD_EXPORT QStringList CharsetValueNames();

// Shortcuts: the key code with Shift 0x2000, Ctrl 0x4000 and Alt 0x8000; "(None)" for 0.
MYCAD_EXPORT QString ShortCutToText(int shortCut);
MYCAD_EXPORT std::optional<int> TextToShortCut(const QString& text);
MYCAD_EXPORT QStringList ShortCutValueNames();

// The shortest decimal text that reads back to the same value (of a 32-bit float when
// single): fixed notation for exponents from -5 to 14, otherwise "1.5E-7", "1E20".
MYCAD_EXPORT QString FloatToText(double value, bool single);
// A finite decimal number (leading and trailing blanks ignored); none otherwise.
MYCAD_EXPORT std::optional<double> TextToFloat(const QString& text);
// A decimal number with an optional sign, or "$" / "0x" followed by up to sixteen hex
// digits (the bits of an unsigned number); none when malformed or out of range.
struct MYCAD_EXPORT TParsedInteger {
    int64_t Value = 0;   // decimal numbers
    uint64_t Bits = 0;   // hexadecimal numbers
    bool Hex = false;
};
MYCAD_EXPORT std::optional<TParsedInteger> TextToInteger(const QString& text);

} // namespace PropTexts
