#pragma once
// Windows metafiles played onto a canvas: enhanced metafiles (EMF) and Windows metafiles
// with or without the placeable header (WMF). The players take the records the project's
// recorder writes and the common records of other programs' files (lines, polygons,
// curves, ellipses and arcs, rectangles, paths, regions and clipping, text, bitmaps,
// mapping modes and world transforms, saved states); records they do not know are
// skipped. Every read stays inside its record and every record inside the data; object
// indices are checked against the object table. A damaged record stops playing with a
// reason, leaving what was drawn.
#include "mycad_export.h"
#include "PixelLimit.h"
#include "Types.h"

#include <QByteArray>
#include <QSize>
#include <QString>

class TBitmap;
class TCanvas;

enum class TMetafileKind : uint8_t { Emf, PlaceableWmf, Wmf };

struct MYCAD_EXPORT TMetafileInfo {
    TMetafileKind Kind = TMetafileKind::Emf;
    // The picture's size in pixels at the screen's logical resolution (0 x 0 when the file
    // does not say).
    QSize Size;
};

// Reads the headers: false with a reason for data that is not a metafile.
MYCAD_EXPORT bool ReadMetafileInfo(const QByteArray& data, TMetafileInfo& info, QString* error = nullptr);
// Plays the metafile so that its picture fills target (the canvas's pixels).
MYCAD_EXPORT bool PlayMetafile(const QByteArray& data, TCanvas& canvas, const TRect& target, QString* error = nullptr);
// The metafile's picture in a pf24bit bitmap of its size, white where nothing is drawn.
// Refused: data that is not a metafile, a picture of no size or beyond maxPixels. A
// damaged record ends the picture there (true, with the reason in error).
MYCAD_EXPORT bool LoadMetafile(const QByteArray& data, TBitmap& out, QString* error = nullptr,
                               int64_t maxPixels = kMaxPicturePixels);
// Reads the file (at most kMaxPictureFileSize bytes) and loads it.
MYCAD_EXPORT bool LoadMetafileFile(const QString& fileName, TBitmap& out, QString* error = nullptr);
