#pragma once
// Shape-library files: their layout, tags and generations.
//
// A library file is a 10-byte generation tag followed by entries, back to back, until the
// end of the file. An entry is
//   name length   1 byte, N (names longer than 255 bytes cannot be stored)
//   name          N bytes (ANSI)
//   entry size    int32 S: the bytes of the entry after this field
//   width, height int32 each: the size at which the entry is placed
//   user data     generations .8 and later: int32 count, then key and value counted strings
//   shapes        int32 count, then that many shape entries (16-byte class name, shape
//                 record in the layout of the generation's drawing version), with every
//                 point and caption point in the unit box of the shapes
// so an entry takes N + 1 + 4 + S bytes.
//
// Long strings. As a drawing holding a string longer than 255 bytes is written under
// "XP.iL", a library that holds one is tagged "ZEDALIBX.L": the layout of "ZEDALIBX.i" in
// which every counted string carries all of its bytes. A library without long strings is
// "ZEDALIBX.i", byte for byte as other programs write it; a program that knows only the
// older tags meets a tag it does not know rather than misreading the strings.
#include "mycad_export.h"
#include "component/persistence/DrawingFormat.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace LibraryFormat {

constexpr int kTagSize = 10;
// Entries start right after the tag.
constexpr int64_t kFirstEntry = kTagSize;
// The most bytes an entry name has (its length is one byte).
constexpr int kMaxNameBytes = 255;
// The smallest content an entry can have after its size field: width, height and the
// shape count.
constexpr int32_t kMinEntrySize = 12;

inline const char kCurrentTag[] = "ZEDALIBX.i";
inline const char kLongStringTag[] = "ZEDALIBX.L";
// The tag of the oldest libraries, which have no entry layout known here.
inline const char kOldTag[] = "ZEDALIB2.1";

// The generations, oldest first (the order is used in comparisons).
enum class TLibGeneration : uint8_t { X2, X3, X6, X7, X8, X9, Xa, Xe, Xh, Xi, XiLong };

struct MYCAD_EXPORT TLibGenerationInfo {
    TLibGeneration Generation = TLibGeneration::Xi;
    // The drawing version the entries' shape records follow ("XP.4" for ".3"); empty for
    // ".2", whose records have no known layout.
    const char* DiskFileVersion = "";
    // Whether entries carry a user-data block between the height and the shapes.
    bool HasUserData = false;
};

// The generation of a tag (exactly the ten bytes); none for any other bytes, the old
// "ZEDALIB2.1" included.
MYCAD_EXPORT std::optional<TLibGenerationInfo> GenerationOfTag(const QByteArray& Tag);
// The record layout of a generation's entries; none when the generation has none (".2").
MYCAD_EXPORT std::optional<TRecordFormat> RecordFormatOf(const TLibGenerationInfo& Info);
// Whether a generation is written by this program (".i" or its long-string form).
constexpr bool IsCurrent(TLibGeneration g)
{
    return g == TLibGeneration::Xi || g == TLibGeneration::XiLong;
}

} // namespace LibraryFormat
