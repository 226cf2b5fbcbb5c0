#pragma once
// Windows icon files (ICO): the directory, DIB entries with their AND masks, PNG entries.
//
// The picture of an icon file is the entry nearest 32 x 32 pixels (the sum of the
// differences of width and height) with the most colours among the nearest, drawn over
// white: pixels the AND mask leaves out stay white, 32-bit entries with an alpha channel
// are blended by it, PNG entries by theirs. Every entry must lie within the file; an
// entry larger than the pixel limit is refused before anything is allocated.
#include "mycad_export.h"
#include "PixelLimit.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

class TBitmap;

struct MYCAD_EXPORT TIconEntry {
    // As the directory gives them (a 0 there means 256).
    int Width = 0;
    int Height = 0;
    // Bits per pixel of the image itself (the directory's count is often 0).
    int BitCount = 0;
    bool Png = false;
    uint32_t Offset = 0;
    uint32_t Size = 0;
};

// Reads the directory: false with a reason when the data is not an icon file or an entry
// lies outside it.
MYCAD_EXPORT bool ReadIconDirectory(const QByteArray& data, std::vector<TIconEntry>& entries,
                                    QString* error = nullptr);
// The index of the entry an icon file shows (-1 for none).
MYCAD_EXPORT int ChooseIconEntry(const std::vector<TIconEntry>& entries);
// Decodes one entry into an ARGB32 picture (not premultiplied), transparency from its
// alpha channel or AND mask.
MYCAD_EXPORT bool DecodeIconEntry(const QByteArray& data, const TIconEntry& entry, QImage& out,
                                  QString* error = nullptr, int64_t maxPixels = kMaxPicturePixels);
// The icon file's picture in a pf24bit bitmap (see above); out unchanged on failure.
MYCAD_EXPORT bool ReadIco(const QByteArray& data, TBitmap& out, QString* error = nullptr,
                          int64_t maxPixels = kMaxPicturePixels);
MYCAD_EXPORT bool ReadIcoFile(const QString& fileName, TBitmap& out, QString* error = nullptr);
