#pragma once
// The x87 80-bit extended-precision number that older drawing files store coordinates
// in: ten little-endian bytes, a 64-bit significand with an explicit integer bit
// (bytes 0-7), then a 15-bit exponent biased by 16383 and the sign bit (bytes 8-9).
#include "mycad_export.h"
#include <QIODevice>
#include <array>
#include <cstdint>

using TExtendedBytes = std::array<uint8_t, 10>;

// The value of an extended number rounded to the nearest double (ties to even).
// Zeros, denormals (exponent 0), infinities and NaNs are handled; a NaN keeps its sign
// and stays a NaN. Values beyond the double range become infinities, values below half
// the smallest double denormal become zeros. Unnormal encodings (non-zero exponent with
// the integer bit clear) are taken at face value: significand x 2^(exponent - 16383 - 63).
MYCAD_EXPORT double ExtendedToDouble(const TExtendedBytes& bytes);
// The same value rounded once, directly, to the nearest float (ties to even).
MYCAD_EXPORT float ExtendedToFloat(const TExtendedBytes& bytes);
// The extended encoding of a double; exact, since every double is an extended number.
// Denormal doubles become normal extended numbers; a NaN becomes a quiet NaN with the
// same sign and the top bits of the same payload.
MYCAD_EXPORT TExtendedBytes DoubleToExtended(double value);

// Reads ten bytes and converts them to float (round to nearest) or double.
MYCAD_EXPORT bool ReadExtended(QIODevice& dev, float& value);
MYCAD_EXPORT bool ReadExtended(QIODevice& dev, double& value);
// Writes the ten-byte encoding of value.
MYCAD_EXPORT bool WriteExtended(QIODevice& dev, double value);
