#pragma once
// Exact little-endian reads and writes over a QIODevice. Every read either transfers all
// the bytes asked for and returns true, or returns false (the data ended or the device
// failed); nothing throws. A device that has no more data at the moment of a read counts
// as ended: these helpers are meant for files and memory buffers.
//
// Also here: the text and block primitives of the drawing files (fixed text fields,
// counted strings, 64-bit sized blocks) and plausibility checks for counts read from
// outside data.
#include "mycad_export.h"
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <functional>

// --- Whole files ---------------------------------------------------------------------

// Writes a file through write into a temporary beside it, which replaces the file only
// when write returned true and every byte reached the disk: a failed save leaves the
// previous file as it was. False on any failure.
MYCAD_EXPORT bool SaveFileSafely(const QString& fileName, const std::function<bool(QIODevice&)>& write);

// --- Raw bytes ---------------------------------------------------------------------

// Reads exactly n bytes into data. False when fewer than n bytes could be read (the
// bytes that were there are consumed) or when n is negative.
MYCAD_EXPORT bool ReadExact(QIODevice& dev, void* data, qint64 n);
// Writes exactly n bytes. False when the device took fewer.
MYCAD_EXPORT bool WriteExact(QIODevice& dev, const void* data, qint64 n);
MYCAD_EXPORT bool WriteExact(QIODevice& dev, const QByteArray& bytes);

// Reads exactly n bytes into out (replacing its contents). Large counts are read in
// chunks and the buffer grows only as data arrives, so a damaged count never makes it
// allocate more than the device really holds. False when the data ends early (out then
// holds what was there) or n is negative.
MYCAD_EXPORT bool ReadBytes(QIODevice& dev, qint64 n, QByteArray& out);
// Reads up to n bytes, never failing: a string of exactly n bytes where the positions
// past the end of the data are zero bytes. n <= 0 gives an empty array.
MYCAD_EXPORT QByteArray ReadBytesPadded(QIODevice& dev, int n);

// Bytes from the current position to the end of a random-access device; -1 when that
// is unknown (sequential devices such as pipes and sockets).
MYCAD_EXPORT qint64 BytesLeft(const QIODevice& dev);
// True when count items of itemSize bytes each can still follow on the device: count is
// not negative, and either the rest of the device is unknown (sequential) or it holds at
// least count * itemSize bytes. Use before reserving memory for a count read from a file.
MYCAD_EXPORT bool CountFits(const QIODevice& dev, int64_t count, int64_t itemSize);

// --- Typed little-endian values --------------------------------------------------------

MYCAD_EXPORT bool ReadInt8(QIODevice& dev, int8_t& v);
MYCAD_EXPORT bool ReadUInt8(QIODevice& dev, uint8_t& v);
MYCAD_EXPORT bool ReadInt16(QIODevice& dev, int16_t& v);
MYCAD_EXPORT bool ReadUInt16(QIODevice& dev, uint16_t& v);
MYCAD_EXPORT bool ReadInt32(QIODevice& dev, int32_t& v);
MYCAD_EXPORT bool ReadUInt32(QIODevice& dev, uint32_t& v);
MYCAD_EXPORT bool ReadInt64(QIODevice& dev, int64_t& v);
MYCAD_EXPORT bool ReadFloat32(QIODevice& dev, float& v);
MYCAD_EXPORT bool ReadFloat64(QIODevice& dev, double& v);
// A one-byte Boolean: any non-zero byte reads as true.
MYCAD_EXPORT bool ReadBool(QIODevice& dev, bool& v);

MYCAD_EXPORT bool WriteInt8(QIODevice& dev, int8_t v);
MYCAD_EXPORT bool WriteUInt8(QIODevice& dev, uint8_t v);
MYCAD_EXPORT bool WriteInt16(QIODevice& dev, int16_t v);
MYCAD_EXPORT bool WriteUInt16(QIODevice& dev, uint16_t v);
MYCAD_EXPORT bool WriteInt32(QIODevice& dev, int32_t v);
MYCAD_EXPORT bool WriteUInt32(QIODevice& dev, uint32_t v);
MYCAD_EXPORT bool WriteInt64(QIODevice& dev, int64_t v);
MYCAD_EXPORT bool WriteFloat32(QIODevice& dev, float v);
MYCAD_EXPORT bool WriteFloat64(QIODevice& dev, double v);
// A one-byte Boolean written as 1 or 0.
MYCAD_EXPORT bool WriteBool(QIODevice& dev, bool v);

// --- Fixed text fields ---------------------------------------------------------------

// Writes exactly width bytes: the text padded with spaces (0x20), or its first width
// bytes when it is longer. The QString form encodes the text as Windows-1252 first.
MYCAD_EXPORT bool WriteFixedText(QIODevice& dev, const QByteArray& text, int width);
MYCAD_EXPORT bool WriteFixedText(QIODevice& dev, const QString& text, int width);
// Reads a field of exactly width bytes, unchanged (false when the data ends early).
MYCAD_EXPORT bool ReadFixedText(QIODevice& dev, int width, QByteArray& field);
// Reads a field of width bytes, decodes it from Windows-1252 and trims it (TrimField).
MYCAD_EXPORT bool ReadFixedText(QIODevice& dev, int width, QString& text);
// Removes leading and trailing bytes up to 0x20 (spaces, control characters and zeros).
MYCAD_EXPORT QByteArray TrimField(const QByteArray& field);
MYCAD_EXPORT QString TrimField(const QString& text);

// --- Counted strings -----------------------------------------------------------------
// The drawing files' counted string: an int32 length L, then the first (L mod 256) bytes
// of the string (Windows-1252, no terminator). "L mod 256" is the low byte of L, so
// strings up to 255 bytes round-trip and a longer one keeps its full L but loses all but
// its first (L mod 256) bytes.

// Writes L = bytes.size() and the first (L mod 256) bytes.
MYCAD_EXPORT bool WriteCountedBytes(QIODevice& dev, const QByteArray& bytes);
MYCAD_EXPORT bool WriteCountedString(QIODevice& dev, const QString& text);
// Reads L and the (L mod 256) bytes that follow. storedLength, when given, receives L.
MYCAD_EXPORT bool ReadCountedBytes(QIODevice& dev, QByteArray& bytes, int32_t* storedLength = nullptr);
MYCAD_EXPORT bool ReadCountedString(QIODevice& dev, QString& text, int32_t* storedLength = nullptr);

// The long variant of the same layout: int32 length L followed by all L bytes.
// Readers refuse a negative L, an L above maxLength and an L larger than the bytes left.
constexpr int32_t kMaxLongStringLength = 64 * 1024 * 1024;
MYCAD_EXPORT bool WriteLongCountedBytes(QIODevice& dev, const QByteArray& bytes);
MYCAD_EXPORT bool WriteLongCountedString(QIODevice& dev, const QString& text);
MYCAD_EXPORT bool ReadLongCountedBytes(QIODevice& dev, QByteArray& bytes, int32_t maxLength = kMaxLongStringLength);
MYCAD_EXPORT bool ReadLongCountedString(QIODevice& dev, QString& text, int32_t maxLength = kMaxLongStringLength);

// --- Sized blocks --------------------------------------------------------------------
// A 64-bit signed byte count n followed by n bytes; n = 0 (or any n <= 0 when reading)
// is an empty block. Bitmaps are stored in drawing files as such a block holding a BMP
// file image.

constexpr int64_t kMaxBlockSize = int64_t(1) << 30;
MYCAD_EXPORT bool WriteSizedBlock(QIODevice& dev, const QByteArray& bytes);
// Reads n and the n bytes. n <= 0 gives an empty block and true. False when n exceeds
// maxSize or the data ends before n bytes (the bytes that were there are consumed).
// storedSize, when given, receives n.
MYCAD_EXPORT bool ReadSizedBlock(QIODevice& dev, QByteArray& bytes, int64_t maxSize = kMaxBlockSize,
                    int64_t* storedSize = nullptr);
