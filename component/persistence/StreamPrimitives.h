#pragma once
// The stream operations of the drawing and library files, for callers with or without a
// drawing (TMyCAD offers the same as members): raw text fields and bitmap buffers.
// AppendSpace, which pads the texts of fixed fields, is in TextUtil.h.
#include "mycad_export.h"
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>

class TBitmap;

// Writes the first Count bytes of S in the ANSI code page. When S has fewer than Count
// bytes, the positions after its end are written as zero bytes (the first of them is the
// string's terminator; the header's reserved field relies on it). False when a write fails.
MYCAD_EXPORT bool WriteStrBuffer(QIODevice& Stream, const QString& S, uint8_t Count);
// A string of exactly Count bytes read one by one; never fails: positions past the end of
// the stream are zero bytes (which read as U+0000 characters).
MYCAD_EXPORT QString ReadStrBuffer(QIODevice& Stream, uint8_t Count);

// A bitmap buffer: a 64-bit byte count n, then n bytes holding the bitmap as a complete
// BMP file image (24 bits per pixel, as TBitmap::SaveToStream writes it). A missing or
// empty bitmap is written as n = 0 and nothing more. False when a write fails.
MYCAD_EXPORT bool WriteBitmapBuffer(QIODevice& Stream, const TBitmap* Bitmap);
// Reads a bitmap buffer. n <= 0: Bitmap is left as it was and the result is true. n > 0:
// the n bytes are consumed first, then decoded into a new bitmap stored in Bitmap; when
// they are not a valid BMP image the result is false and Bitmap holds a new, empty bitmap
// (the stream stays positioned after the buffer). False with Bitmap unchanged when the
// stream ends before n bytes or n is larger than the bytes left.
MYCAD_EXPORT bool ReadBitmapBuffer(QIODevice& Stream, std::unique_ptr<TBitmap>& Bitmap);

// The BMP file image of a bitmap as a bitmap buffer stores it; empty for no bitmap or an
// empty one.
MYCAD_EXPORT QByteArray BitmapBufferBytes(const TBitmap* Bitmap);
// Decodes the bytes of a bitmap buffer into a new bitmap; an empty bitmap when they are
// not a valid BMP image (then Ok, when given, is false).
MYCAD_EXPORT std::unique_ptr<TBitmap> BitmapFromBufferBytes(const QByteArray& Bytes, bool* Ok = nullptr);
