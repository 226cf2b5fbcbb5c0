#pragma once
// Shape records: the bytes one shape writes of itself into a drawing or library stream.
//
// A record is the base record (identity, relations, geometry, attributes and texts
// common to every shape) followed by the tails of the shape's class, in the order of the
// class table (ShapeRecordLayouts.cpp). Writers always produce the newest layout, XP.i
// (with whole long strings when the writer is in long-string mode); readers follow the
// format the reader was given, so fields an older generation lacks keep the values a new
// shape has.
//
// These functions do the work of TMyShape::SaveToStream and LoadFromStream. Containers
// that read or write many shapes (drawings, blocks, libraries) call them with one reader
// or writer for the whole stream.
#include "mycad_export.h"
#include "component/persistence/RecordIO.h"

#include <QString>

class TMyShape;

// Whether the drawing files know a class of that exact name.
MYCAD_EXPORT bool IsRecordClass(const QString& ClassName);
// The class named by a 16-byte class-name field (trimmed of leading and trailing bytes up
// to 0x20); empty when the class table has no such class.
MYCAD_EXPORT QString RecordClassOfField(const QByteArray& Field);

// Writes the shape's record. False (nothing written) when its class is not in the class
// table; write failures show in Writer.Ok().
MYCAD_EXPORT bool WriteShapeRecord(const TMyShape& Shape, TRecordWriter& Writer);
// Notes in Scanner whether any of the shape's stored strings is too long for the
// format's counted strings.
MYCAD_EXPORT void ScanShapeStrings(const TMyShape& Shape, TLongStringScanner& Scanner);
// Reads a record into a freshly created shape. False when the data ends early, a count
// does not fit in the data, an enumeration ordinal or a value is out of its range, the
// name is not an identifier, or the class is not in the table. The shape's relations
// are read as stored; checking them is the container's task.
MYCAD_EXPORT bool ReadShapeRecord(TMyShape& Shape, TRecordReader& Reader);

// ---- The parts, used by the dispatch above --------------------------------------------
template <typename W>
void WriteBaseRecord(const TMyShape& Shape, W& Writer);
MYCAD_EXPORT bool ReadBaseRecord(TMyShape& Shape, TRecordReader& Reader);

// Whether a name is acceptable as a shape's name in a file: empty, or an identifier
// (a letter or underscore, then letters, digits and underscores).
MYCAD_EXPORT bool IsStoredShapeName(const QString& Name);

// Font heights read from a record are limited to this many pixels either way (so that
// the font's size, height * 72 / resolution, always fits in 32 bits).
constexpr int32_t kMaxStoredFontMagnitude = 1 << 24;
