#pragma once
// The drawing file's fixed texts and its generations.
//
// A drawing stream starts with a 218-byte header of fixed text fields (signature, product,
// version tag, date, reserved), then the document block, the layers and the shape entries
// (a 16-byte class name, then the shape's record). The version tag names the generation
// whose layout the shape records (and parts of the document block) follow. Eleven tags are
// known, oldest first: "XP.3" ... "XP.i"; writers produce "XP.i".
//
// Long strings. A counted string of the format holds an int32 length L followed by only
// (L mod 256) bytes, so a string of more than 255 bytes cannot be stored whole. To keep
// such strings without loss while leaving every other file byte-compatible with the
// format, a drawing that holds at least one string longer than 255 bytes (in the ANSI code
// page) is written under the tag "XP.iL": the XP.i layout in every respect except that
// each counted string carries all of its L bytes. A drawing without long strings is
// written as "XP.i", byte for byte as the format has it. Readers here accept both; a
// program that knows only the eleven tags meets a tag it does not know.
#include "mycad_export.h"
#include <QString>
#include <cstdint>
#include <optional>

// The generations of the shape record, oldest first (the order is used in comparisons).
enum class TFileGeneration : uint8_t { XP3, XP4, XP5, XP6, XP7, XP8, XP9, XPa, XPe, XPh, XPi };

// How records of a stream are laid out: the generation, and whether counted strings carry
// all their bytes (the "XP.iL" tag).
struct MYCAD_EXPORT TRecordFormat {
    TFileGeneration Generation = TFileGeneration::XPi;
    bool LongStrings = false;
    friend constexpr bool operator==(const TRecordFormat&, const TRecordFormat&) = default;
};

namespace DrawingFormat {

// Header fields: widths and texts.
constexpr int kSignatureWidth = 64;
constexpr int kProductWidth = 64;
constexpr int kVersionWidth = 16;
constexpr int kDateWidth = 10;
constexpr int kReservedWidth = 64;
constexpr int kHeaderSize = kSignatureWidth + kProductWidth + kVersionWidth + kDateWidth + kReservedWidth; // 218
constexpr int kClassNameWidth = 16;

inline const char kSignature[] = "Ombrell Component";
inline const char kProduct[] = "ZEDA for Borland Delphi & C++ Builder";
inline const char kDate[] = "20080724";
// The newest generation's tag, and the tag of the same layout with whole long strings.
inline const char kCurrentTag[] = "XP.i";
inline const char kLongStringTag[] = "XP.iL";

// A counted string of the format keeps at most this many bytes.
constexpr int kMaxShortStringBytes = 255;
// Layer tables hold at most this many layers (the count is a byte in the drawing).
constexpr int kMaxLayers = 255;
// Canvas sizes above this many document units (17 m at 96 pixels per inch) are refused as
// damaged, and writers never write more.
constexpr int32_t kMaxCanvasSide = 65535;

// The format of a version tag as it appears in a file (already trimmed); none for a tag
// that no known generation has.
MYCAD_EXPORT std::optional<TRecordFormat> FormatOfTag(const QString& Tag);
// The tag a format is written under ("XP.i" or "XP.iL"; older generations are never
// written and give their own tag).
MYCAD_EXPORT QString TagOfFormat(TRecordFormat Format);

// What each generation holds (see the shape-record and document-block layouts).
constexpr bool HasExtendedCoordinates(TFileGeneration g) { return g <= TFileGeneration::XP5; }
constexpr bool HasReservedWords(TFileGeneration g) { return g != TFileGeneration::XP7; }
constexpr bool HasGradientPadding(TFileGeneration g) { return g <= TFileGeneration::XP5; }
constexpr bool HasUserData(TFileGeneration g) { return g >= TFileGeneration::XP8; }
constexpr bool HasFlipsAndVisible(TFileGeneration g) { return g >= TFileGeneration::XP9; }
constexpr bool HasMultiInfo(TFileGeneration g) { return g >= TFileGeneration::XPe; }
constexpr bool HasLogAndLock(TFileGeneration g) { return g >= TFileGeneration::XPh; }
constexpr bool HasLinkLineDrawStyle(TFileGeneration g) { return g >= TFileGeneration::XP5; }
constexpr bool HasTextLayout(TFileGeneration g) { return g >= TFileGeneration::XPa; }
constexpr bool HasImageAdjustments(TFileGeneration g) { return g >= TFileGeneration::XP9; }
constexpr bool HasImageTransparency(TFileGeneration g) { return g >= TFileGeneration::XPi; }
// The document's tag and user data follow the ratio.
constexpr bool HasDocumentTagAndUserData(TFileGeneration g) { return g >= TFileGeneration::XPh; }

} // namespace DrawingFormat
