// Writing a whole drawing stream. The bytes depend only on the drawing (and the
// control's size and zoom at the moment of saving): writing the same drawing twice gives
// the same bytes.
#include "component/persistence/DrawingStream.h"

#include "component/persistence/RecordIO.h"
#include "component/persistence/ShapeRecords.h"
#include "component/document/MyCAD.h"
#include "platform/Rounding.h"
#include "component/shapes/MyShape.h"

#include <algorithm>

using namespace DrawingFormat;

namespace {

// The strings of the document block (layer names and the document's user data).
template <typename W>
void WriteUserData(W& w, const TUserData& data)
{
    w.Int32(int32_t(data.Records().size()));
    for (const TUserDataRecord& pair : data.Records()) {
        w.String(pair.Key);
        w.String(pair.Value);
    }
}

template <typename W>
void WriteLayers(W& w, const TMyCAD& d)
{
    w.Int32(int32_t(d.Layers().size()));
    for (const LayerRec& layer : d.Layers()) {
        w.String(layer.Name);
        w.Int32(layer.Id);
        w.Int32(layer.Visible ? 1 : 0);
    }
}

} // namespace

bool DrawingNeedsLongStrings(const TMyCAD& Drawing)
{
    TLongStringScanner scanner;
    WriteUserData(scanner, *Drawing.UserData());
    WriteLayers(scanner, Drawing);
    for (int i = 0; i < Drawing.GetShapesCount() && !scanner.Found(); ++i)
        ScanShapeStrings(*Drawing.GetShapeByNo(i), scanner);
    return scanner.Found();
}

bool WriteDrawing(const TMyCAD& Drawing, QIODevice& Device)
{
    const bool longStrings = DrawingNeedsLongStrings(Drawing);
    TRecordWriter w(Device, longStrings);

    // Header: fixed fields padded with spaces; the reserved field is 63 spaces and the
    // zero byte that ends them.
    w.Fixed(kSignature, kSignatureWidth);
    w.Fixed(kProduct, kProductWidth);
    w.Fixed(longStrings ? kLongStringTag : kCurrentTag, kVersionWidth);
    w.Fixed(kDate, kDateWidth);
    w.Fixed(QByteArray(kReservedWidth - 1, ' ') + '\0', kReservedWidth);

    // Document block. The canvas size is the control's size in document units (limited
    // to the sizes readers accept, which no real page comes near).
    w.Int32(Drawing.ColorOfBackGround());
    w.Int32(std::clamp(Round(Drawing.width() / Drawing.Zoom()), 0, kMaxCanvasSide));
    w.Int32(std::clamp(Round(Drawing.height() / Drawing.Zoom()), 0, kMaxCanvasSide));
    w.UInt8(uint8_t(EnumOrdinal(Drawing.TheUNIT())));
    w.Bitmap(Drawing.BkBitmap());
    w.Int32(EnumOrdinal(Drawing.BkBitmapMode()));
    w.Float64(Drawing.Ratio());
    w.Int32(Drawing.Tag());
    WriteUserData(w, *Drawing.UserData());
    WriteLayers(w, Drawing);
    w.Int32(Drawing.CurrentLayerId());

    // Shape entries: the class name, then the record.
    const int count = Drawing.GetShapesCount();
    w.Int32(count);
    for (int i = 0; i < count && w.Ok(); ++i) {
        const TMyShape& shape = *Drawing.GetShapeByNo(i);
        w.Fixed(shape.ClassName().toLatin1(), kClassNameWidth);
        if (!WriteShapeRecord(shape, w)) {
            w.Finish();
            return false;
        }
    }
    return w.Finish();
}
