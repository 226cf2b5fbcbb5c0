#pragma once
// The bytes of library entries: building an entry, its user-data and shapes blocks, and
// the small helpers the field operations of TLibManager share.
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "component/base/UserData.h"
#include "component/persistence/DrawingFormat.h"

#include <QByteArray>
#include <cstdint>

class TRecordReader;

namespace LibEntryBytes {

// Overwrites Bytes from Position on with Field, growing Bytes when Field runs past its
// end. False (no change) when Position lies outside 0 .. size.
MYCAD_EXPORT bool Splice(QByteArray& Bytes, int64_t Position, const QByteArray& Field);
// Little-endian int32 at a position; false when the four bytes are not all there.
MYCAD_EXPORT bool GetInt32(const QByteArray& Bytes, int64_t Position, int32_t& Value);
MYCAD_EXPORT QByteArray Int32Bytes(int32_t Value);

// A counted string, in the long-string form when LongStrings is set.
MYCAD_EXPORT QByteArray StringBytes(const QString& S, bool LongStrings);
// The user-data block: the count, then each key and value as counted strings. False
// when a string is too long even for the long form.
MYCAD_EXPORT bool UserDataBytes(const TUserData& UserData, bool LongStrings, QByteArray& Out);
// Reads a user-data block into Records.
MYCAD_EXPORT bool ReadUserData(TRecordReader& Reader, TArrUserDataRecord& Records);

// Whether every shape is there and has a record layout.
MYCAD_EXPORT bool ShapesHaveRecords(const TArrMyShape& Shapes);
// Whether a string of the shapes or of the user data is too long for the short counted
// strings.
MYCAD_EXPORT bool NeedLongStrings(const TArrMyShape& Shapes, const TUserData& UserData);
// The box the shapes are normalised by: the bounding box of the points of every shape
// but the link points (class TMyLinkPoint exactly), its width and height rounded half to
// even and at least 1.
struct MYCAD_EXPORT TUnitBox {
    double Left = 0, Top = 0, Width = 1, Height = 1;
};
MYCAD_EXPORT TUnitBox UnitBoxOf(const TArrMyShape& Shapes);
// The shapes block: the count, then for each shape its 16-byte class name and its record
// with an empty name; with Normalise the points and caption points are written in the
// unit box (the shapes are left exactly as they were). False when a shape has no record
// layout or a string is too long even for the long form.
MYCAD_EXPORT bool ShapesBytes(const TArrMyShape& Shapes, bool Normalise, bool LongStrings, QByteArray& Out);
// A whole entry: name length and name, entry size, W, H, user data and shapes. False as
// ShapesBytes, or for a name of more than 255 bytes.
MYCAD_EXPORT bool EntryBytes(const QByteArray& AnsiName, const TArrMyShape& Shapes, const TUserData& UserData,
                             int32_t W, int32_t H, bool Normalise, bool LongStrings, QByteArray& Out);

} // namespace LibEntryBytes
