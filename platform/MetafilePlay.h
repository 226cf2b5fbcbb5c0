#pragma once
// The two metafile players behind PlayMetafile (MetafilePlayer.h): their headers and
// their record loops.
#include "Canvas.h"

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

namespace Mf {

struct TEmfHeader {
    QRect Bounds;       // device units, inclusive
    QRect Frame;        // hundredths of a millimetre, inclusive
    QSize DevicePixels; // the reference device
    QSize DeviceMm;
    QSize DeviceMicrometres; // 0 x 0 when the header has no such field
    uint16_t Handles = 0;
    // The frame's size in pixels at the given resolution (0 x 0 for a frame of no size).
    QSize PixelSize(int ppi) const;
};

struct TWmfHeader {
    bool Placeable = false;
    QRect Box;     // logical units (placeable files)
    int Inch = 0;  // logical units per inch (placeable files)
    uint16_t Objects = 0;
    qsizetype RecordsAt = 0; // where the first record starts
    QSize PixelSize(int ppi) const;
};

bool ReadEmfHeader(const QByteArray& data, TEmfHeader& header, QString* error);
bool ReadWmfHeader(const QByteArray& data, TWmfHeader& header, QString* error);
// Plays every record onto the canvas with the picture's frame on target (canvas device
// pixels). False with a reason when a record is damaged (playing stops there; what was
// drawn stays).
bool PlayEmf(const QByteArray& data, const TEmfHeader& header, TCanvas& canvas, const QRectF& target, QString* error);
bool PlayWmf(const QByteArray& data, const TWmfHeader& header, TCanvas& canvas, const QRectF& target, QString* error);

// Decodes a DIB of a record, keeping a 32-bit picture's alpha when keepAlpha.
bool RecordDib(const QByteArray& info, const QByteArray& bits, bool keepAlpha, QImage& out);

} // namespace Mf
