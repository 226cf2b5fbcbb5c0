#pragma once
// JPEG pictures through libjpeg(-turbo), called directly.
//
// Both directions work on TBitmap's scan lines: the encoder reads 24-bit blue-green-red
// (or 32-bit, or grey) rows as they are, the decoder writes blue-green-red rows straight
// into a pf24bit bitmap. Errors of the library never end the process: its error handler
// returns control here and the call reports false with the library's message; its
// warnings are counted, never printed.
//
// Decoding: grey pictures come out grey in all three channels; CMYK and YCCK pictures are
// converted to RGB (Adobe's inverted CMYK recognised by its APP14 marker). A file cut
// short decodes as far as its data goes (the rest of the picture is what the library
// fills in for missing data) and is reported as truncated. A picture larger than the
// pixel limit is refused after reading its header, before anything is allocated, and
// the library's own memory is capped. Progressive files with an unreasonable number of
// scans are refused.
#include "mycad_export.h"
#include "PixelLimit.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <cstdint>

class TBitmap;

// The colour model a JPEG is written in.
enum class TJpegColorSpace : uint8_t { YCbCr, Grey, Cmyk, Ycck };

struct MYCAD_EXPORT TJpegWriteOptions {
    // 1..100; values outside are clamped.
    int Quality = 75;
    TJpegColorSpace ColorSpace = TJpegColorSpace::YCbCr;
    bool Progressive = false;
};

// Writes the bitmap as a JPEG file image (JFIF, the library's default settings: 4:2:0
// chroma subsampling, baseline Huffman tables) at the options' quality. False with a
// reason for an empty bitmap, one beyond the pixel limit, or a failed write.
MYCAD_EXPORT bool WriteJpeg(QIODevice& out, const TBitmap& bitmap, const TJpegWriteOptions& options,
                            QString* error = nullptr);
MYCAD_EXPORT bool WriteJpeg(QIODevice& out, const QImage& image, const TJpegWriteOptions& options,
                            QString* error = nullptr);

struct MYCAD_EXPORT TJpegReadInfo {
    int Width = 0;
    int Height = 0;
    // 1 (grey), 3 (YCbCr or RGB) or 4 (CMYK or YCCK), as stored.
    int Components = 0;
    bool Progressive = false;
    // The data ended before the picture did.
    bool Truncated = false;
    // Warnings of the library (corrupt data, premature end).
    int Warnings = 0;
};

// Decodes a JPEG file image into out (made pf24bit, width x height). On failure false
// with a reason, and out is left as it was. maxPixels lowers the pixel limit (fuzzing).
MYCAD_EXPORT bool ReadJpeg(const QByteArray& data, TBitmap& out, QString* error = nullptr,
                           TJpegReadInfo* info = nullptr, int64_t maxPixels = kMaxPicturePixels);
// Reads the file (at most kMaxPictureFileSize bytes) and decodes it.
MYCAD_EXPORT bool ReadJpegFile(const QString& fileName, TBitmap& out, QString* error = nullptr,
                               TJpegReadInfo* info = nullptr);
// Whether the bytes start like a JPEG file (the start-of-image marker).
MYCAD_EXPORT bool IsJpegData(const QByteArray& data);
