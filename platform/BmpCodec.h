#pragma once
// Windows BMP files: the picture format the drawing files embed for background and
// image-shape bitmaps, and the format bitmaps are saved in.
#include "mycad_export.h"
#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <cstdint>

// Limits the reader applies before allocating anything: each side at most
// kBmpMaxDimension pixels and the whole picture at most kBmpMaxPixels pixels.
constexpr int kBmpMaxDimension = 32768;
constexpr int64_t kBmpMaxPixels = int64_t(1) << 26;

// Reads one whole BMP file image from the device's current position. Accepts the common
// variants (1/4/8/16/24/32 bits, BI_RGB/BI_BITFIELDS/RLE4/RLE8, top-down or bottom-up,
// core/info/v4/v5 headers). On success out is a QImage::Format_RGB32 image; on failure
// returns false with a reason.
//
// Extent of the file image: when the file header's size field (bfSize) is at least the
// size the headers describe (headers, colour table and pixel rows, the padding of the
// last row not required), the image is bfSize bytes long, so trailing bytes such as an
// embedded colour profile are consumed; data ending after the pixel rows but before
// bfSize is accepted. When bfSize is smaller (0 included) or above 1 GiB it is ignored
// and the image ends after the pixel rows (or after the compressed data, whose size
// then comes from biSizeImage). On success the device is left at the end of the file
// image; after a failure its position is unspecified.
//
// Decoding rules: the alpha channel is ignored (pixels are opaque); bit-field channels
// narrower than 8 bits are scaled to 0..255 rounded to nearest (5 bits: 16 -> 132),
// wider ones keep their top 8 bits; a palette index beyond the colour table gives black;
// pixels an RLE image skips (delta, end of line, end of bitmap) take colour-table entry
// 0; RLE runs past the end of a row are clipped; compressed data that ends between two
// commands ends the picture as an end-of-bitmap would; an embedded colour profile whose
// position is beyond the limits is ignored.
//
// Refused: other signatures, header sizes, bit depths and compressions (JPEG, PNG, OS/2
// Huffman and RLE24), empty or oversized dimensions, RLE pictures of more than 4 Mi
// pixels with fewer than one byte of compressed data per 16384 pixels (more than any
// encoder writing an end-of-line code per row needs), top-down RLE images, offsets inside
// the headers, pixel rows or compressed data (biSizeImage bytes, or up to bfSize when
// that is 0) cut short by the end of the data, and RLE commands cut short by the end of
// the compressed data.
MYCAD_EXPORT bool ReadBmp(QIODevice& in, QImage& out, QString* error = nullptr);
// The same from the bytes of a BMP file image (which may be followed by other bytes).
MYCAD_EXPORT bool ReadBmp(const QByteArray& data, QImage& out, QString* error = nullptr);

// Writes a 24-bit BI_RGB bottom-up BMP (rows padded to 4 bytes) of the image.
// BITMAPFILEHEADER (14 bytes) and BITMAPINFOHEADER (40 bytes), then the rows; bfSize and
// biSizeImage are filled in, the resolution and colour-count fields are 0, padding bytes
// are 0, so equal pixels always give equal bytes. Alpha is dropped. False for a null
// image, an image beyond the reader's limits, or a failed write.
MYCAD_EXPORT bool WriteBmp(QIODevice& out, const QImage& image);
// The same into a byte array; an empty array on failure.
MYCAD_EXPORT QByteArray WriteBmp(const QImage& image);
