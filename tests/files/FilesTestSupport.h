#pragma once
// Helpers of the drawing-file tests: a byte builder that writes the format's fields by
// hand (so the tests do not depend on the writer they check), drawings that hold every
// shape class with non-default values, and shortcuts for saving and loading in memory.
#include "component/CAD.h"
#include "component/persistence/DrawingFormat.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

// Little-endian fields appended one after the other.
class TBytes {
public:
    TBytes& I32(int32_t v);
    TBytes& U32(uint32_t v);
    TBytes& I64(int64_t v);
    TBytes& U8(uint8_t v);
    TBytes& F32(float v);
    TBytes& F64(double v);
    // A 10-byte x87 extended number.
    TBytes& Ext(double v);
    // A coordinate as the generation stores it (extended in XP.3 to XP.5).
    TBytes& Coord(TFileGeneration g, float v);
    // A counted string: int32 length, then length mod 256 bytes (Latin-1 text).
    TBytes& Str(const QByteArray& text);
    // The long form: int32 length, then every byte.
    TBytes& LongStr(const QByteArray& text);
    TBytes& Fixed(const QByteArray& text, int width);
    TBytes& Raw(const QByteArray& bytes);
    // A bitmap buffer holding the BMP file image (n = 0 for an empty array).
    TBytes& Bitmap(const QByteArray& bmp);
    QByteArray Data;
};

// The 218-byte header with the given version tag.
QByteArray HeaderBytes(const QByteArray& tag);

// The document block up to and including the shape count (no shapes), for a tag:
// background 0x00112233, canvas 640 x 480, unit cm, no background bitmap, mode Stretch,
// ratio 2.5, and for XP.h and later tag 77 and the given user-data pairs; the layers
// (name, id, visible flag) and the current layer.
struct TDocSpec {
    QByteArray Tag = "XP.i";
    QList<std::pair<QByteArray, QByteArray>> UserData;
    QList<std::tuple<QByteArray, int32_t, int32_t>> Layers = {{"Layer0", 0, 1}};
    int32_t CurrentLayer = 0;
    int32_t ShapeCount = 0;
};
QByteArray DocumentBytes(const TDocSpec& recipe);

// A 4 x 3 picture with distinct pixels, and its BMP file image as bitmap buffers hold it.
std::unique_ptr<TBitmap> SmallPicture(TColor seed = 0x102030);
QByteArray BmpBytes(const TBitmap& bitmap);

// The drawing's stream in memory, and a load from memory.
QByteArray SaveBytes(const TMyCAD& cad);
bool LoadBytes(TMyCAD& cad, const QByteArray& bytes);

// Fills cad with one shape of every class of the class table, every persisted field set
// to a value other than the default, relations between them (a group with members, a
// combined shape, a connector attached at both ends), a second hidden layer, document
// user data, a background picture and the other document fields. Returns the shapes by
// class name.
void BuildEveryClassDrawing(TMyCAD& cad);
// Class names of the class table, in the order BuildEveryClassDrawing adds them.
QStringList EveryClassName();

// The values of a base record, as the tests write them by hand.
struct TBaseSpec {
    QByteArray Name = "Shape7";
    int32_t Id = 7;
    int32_t No = 0;
    int32_t Layer = 0;
    int32_t Parent = -1;
    std::vector<uint32_t> Children;
    std::vector<uint32_t> Links;
    std::vector<std::pair<double, double>> Points = {{1.5, 0.1}, {10.25, 20.75}};
    std::vector<std::pair<double, double>> LinkPoints = {{3, 4}};
    double CaptionX = 5.5, CaptionY = -6.5;
    int32_t Tag = 42;
    double Angle = 0.5;
    QByteArray BrushBitmap;
    int32_t BrushColor = 0x123456;
    uint8_t BrushStyle = 2;
    QByteArray Caption = "Cap";
    int32_t ColorBegin = 0x0000FF, ColorEnd = 0x00FF00;
    QByteArray FontName = "DejaVu Sans Mono";
    uint8_t Charset = 3;
    int32_t FontColor = 0x0A0B0C;
    int32_t Height = -16, Size = 12;
    uint8_t Pitch = 2;
    int32_t PixelsPerInch = 96;
    uint8_t Style = 5;
    uint8_t Gradient = 9;
    QByteArray Info = "Inf";
    int32_t PenColor = 0x0F0E0D;
    uint8_t PenMode = 14, PenStyle = 2;
    int32_t PenWidth = 3;
    QList<std::pair<QByteArray, QByteArray>> UserData = {{"k", "v"}, {"k", "second"}};
    uint8_t FlipHorz = 1, FlipVert = 1, Visible = 0;
    QList<QByteArray> MultiInfo = {"m1", "m2"};
    uint8_t MultiInfoAlignment = 2;
    int32_t LogHeight = 30;
    uint8_t LogUse = 1;
    int32_t LogWidth = 40;
    uint8_t Locked = 7; // any non-zero byte is true
};

// The base record of a generation, field by field from the layout.
QByteArray BaseRecord(TFileGeneration g, const TBaseSpec& s);

// A drawing of one shape of each record layout (rectangle, rule line, connector, arc,
// text, image, junction), written in the bytes of a generation with the given tag.
QByteArray GenerationDrawing(TFileGeneration g, const QByteArray& tag);

// Every persisted field of a shape as text, for comparing a shape with its copy.
QString DescribeShape(const TMyShape& s);
// The document-level fields and every shape described.
QString DescribeDrawing(const TMyCAD& cad);
