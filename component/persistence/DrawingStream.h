#pragma once
// Reading and writing a whole drawing stream: header, document block, layers and shape
// entries. TMyCAD's file operations are built on these.
//
// Reading goes into a TLoadedDrawing, a document of its own, so that a stream that fails
// half way changes nothing in the open drawing; the drawing takes the loaded document
// over only when everything read and checked well.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "component/base/UserData.h"
#include "component/persistence/DrawingFormat.h"
#include "platform/Color.h"

#include <QIODevice>
#include <QString>
#include <memory>
#include <vector>

class TBitmap;
class TMyCAD;
class TMyShape;

struct MYCAD_EXPORT TLoadedDrawing {
    TLoadedDrawing();
    ~TLoadedDrawing();
    TLoadedDrawing(const TLoadedDrawing&) = delete;
    TLoadedDrawing& operator=(const TLoadedDrawing&) = delete;

    QString Version; // the header's version tag, trimmed
    TRecordFormat Format;
    TColor BackgroundColor = 0;
    int32_t CanvasWidth = 0;
    int32_t CanvasHeight = 0;
    TUnits Unit = TUnits::mm;
    std::unique_ptr<TBitmap> BkBitmap; // null when the stream has none
    TBkBitmapMode BkBitmapMode = TBkBitmapMode::Center;
    double Ratio = 1.0;
    bool HasTagAndUserData = false;
    int32_t Tag = 0;
    TArrUserDataRecord UserData;
    std::vector<LayerRec> Layers;
    int32_t CurrentLayerId = 0;
    std::vector<std::unique_ptr<TMyShape>> Shapes;
    int32_t NextShapeId = 0;
    int32_t NextLayerId = 0;
};

// Why a read failed (for tests and diagnostics; the file operations report only false).
enum class TDrawingReadError {
    None,
    Truncated,        // the data ended early or a count does not fit in it
    UnknownVersion,   // the version tag names no known generation
    BadValue,         // an enumeration ordinal, size or name out of its range
    UnknownClass,     // a shape entry names a class outside the class table
    BadShapeRecord,   // a shape record is short or damaged
    BadReference,     // a shape number in a relation names no shape, or relations loop
    NoLayer,          // shapes but no layer to hold them
};

// What a stream is read as. A drawing must be whole: every relation names a shape of it
// and there are layers for its shapes. A block (a drawing added into another) may name
// shapes outside itself, which the paste cuts loose, and may come without layers; its
// relations still must not loop.
enum class TDrawingReadMode { Drawing, Block };

// Reads a drawing from the device's current position into Out. Shapes are created by
// Owner (by class name) and belong to it, but are not added to it. Owner is otherwise not
// changed. Checks every count against the bytes left, every ordinal, every shape number
// used in a relation (Drawing mode), and that parents and members do not form loops;
// shape numbers are set to the shapes' positions.
MYCAD_EXPORT bool ReadDrawing(QIODevice& Device, TMyCAD& Owner, TLoadedDrawing& Out, TDrawingReadError* Error = nullptr,
                              TDrawingReadMode Mode = TDrawingReadMode::Drawing);

// Writes the drawing at the device's position: "XP.i", or "XP.iL" when a string of the
// drawing is longer than the format's counted strings hold. False when a write failed
// or a shape's class has no record layout (what was written stays in the device).
MYCAD_EXPORT bool WriteDrawing(const TMyCAD& Drawing, QIODevice& Device);
// Whether the drawing holds a string too long for the format's counted strings (and so
// is written under the long-string tag).
MYCAD_EXPORT bool DrawingNeedsLongStrings(const TMyCAD& Drawing);
