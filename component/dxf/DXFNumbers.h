#pragma once
// Numbers in DXF text, written and read without the process locale: the point is the
// decimal separator whatever the user's number settings are.
#include "mycad_export.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace DXFNumbers {

// Room every Format* function needs at its destination.
constexpr size_t kBufferSize = 400;

// General format: up to 15 significant digits, no trailing zeros, no decimal point for
// whole values; exponent notation ("1.5E20", "2E-7": mantissa, "E", exponent without
// plus sign or leading zeros) when the decimal exponent of the rounded value is below -5
// or 15 or more. Zero (also -0) is "0"; NaN and the infinities are "NAN", "INF" and
// "-INF". Returns the end of the text written at Out.
MYCAD_EXPORT char* FormatGeneral(char* Out, double Value);
// Six decimals, as "%.6f" in the C locale ("-0.000000" stays as printf writes it).
MYCAD_EXPORT char* FormatFixed6(char* Out, double Value);
// A decimal integer right-aligned in Width characters (longer numbers are not cut).
MYCAD_EXPORT char* FormatInteger(char* Out, int64_t Value, int Width = 0);

// Removes leading and trailing blanks (spaces and tabs).
MYCAD_EXPORT std::string_view TrimBlanks(std::string_view Text);

// A real value of a DXF group: blanks around it are ignored; the decimal separator is the
// point when the text holds one, otherwise the comma; a leading '+' is accepted. False
// (and Value 0) when the text is not entirely one finite number: "nan", "inf", "1e999",
// "12abc" and the empty text do not convert.
MYCAD_EXPORT bool ParseReal(std::string_view Text, double& Value);
// An integer group: blanks around it ignored, a leading '+' accepted. False (and Value 0)
// when the text is not entirely a number in the int32 range.
MYCAD_EXPORT bool ParseInteger(std::string_view Text, int32_t& Value);

} // namespace DXFNumbers
