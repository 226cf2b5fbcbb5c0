#pragma once
// Device-independent bitmaps as metafile records embed them: a BITMAPINFOHEADER (with
// its colour table) and the pixel rows, without the BMP file header.
#include "mycad_export.h"
#include "LittleEndian.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

// Appends a 24-bit bottom-up BI_RGB BITMAPINFOHEADER of the image (40 bytes) to header
// and returns the byte count of its rows (padded to 4 bytes), 0 for a null image.
MYCAD_EXPORT uint32_t AppendDibHeader(TLeBytes& header, const QImage& image);
// Appends the rows of that DIB (the image in any format; alpha is dropped).
MYCAD_EXPORT void AppendDibBits(TLeBytes& out, const QImage& image);

// Decodes a DIB from its info block and its bits (any depth and compression the BMP
// reader takes, a colour table within the info block). False with a reason for data
// that is not a whole DIB or a picture beyond the BMP reader's limits.
MYCAD_EXPORT bool DecodeDib(const QByteArray& info, const QByteArray& bits, QImage& out, QString* error = nullptr);
