// The base record every shape starts with, in all generations, and the two virtual
// operations of TMyShape that read and write a whole record.
#include "component/persistence/ShapeRecords.h"

#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"

#include <QBuffer>
#include <algorithm>
#include <utility>

using namespace DrawingFormat;

namespace {

template <typename W>
void WriteNumbers(W& w, const TMyShapeNo& numbers)
{
    w.Int32(int32_t(numbers.size()));
    for (uint32_t no : numbers)
        w.UInt32(no);
}

template <typename W>
void WritePoints(W& w, const TArrMyPoint& points)
{
    w.Int32(int32_t(points.size()));
    for (const TMyPoint& p : points) {
        w.Float32(p.X);
        w.Float32(p.Y);
    }
}

// Reads a count and that many elements, growing the array only as elements arrive (the
// count is checked against the bytes left whenever the device knows them).
template <typename T, typename ReadOne>
bool ReadArray(TRecordReader& r, std::vector<T>& out, int64_t itemSize, ReadOne readOne)
{
    int32_t n = 0;
    if (!r.Count(n, itemSize))
        return false;
    out.clear();
    out.reserve(r.Left() >= 0 ? size_t(n) : std::min<size_t>(size_t(n), 4096));
    for (int32_t i = 0; i < n; ++i) {
        T item{};
        if (!readOne(item))
            return false;
        out.push_back(item);
    }
    return true;
}

bool ReadNumbers(TRecordReader& r, TMyShapeNo& out)
{
    return ReadArray(r, out, 4, [&r](uint32_t& v) { return r.UInt32(v); });
}

bool ReadPoints(TRecordReader& r, TArrMyPoint& out)
{
    const int64_t itemSize = HasExtendedCoordinates(r.Generation()) ? 20 : 8;
    return ReadArray(r, out, itemSize, [&r](TMyPoint& p) { return r.Coordinate(p.X) && r.Coordinate(p.Y); });
}

// The height a font size gives at a resolution (as the font's size setter computes it),
// limited to kMaxStoredFontMagnitude so that no later size or height computation of the
// font can overflow.
int32_t HeightOfSize(int32_t size, int pixelsPerInch)
{
    const int64_t height = -Round64(double(size) * pixelsPerInch / 72.0);
    return int32_t(std::clamp<int64_t>(height, -kMaxStoredFontMagnitude, kMaxStoredFontMagnitude));
}

} // namespace

bool IsStoredShapeName(const QString& Name)
{
    const QChar* s = Name.constData();
    for (qsizetype i = 0; i < Name.size(); ++i) {
        const char16_t c = s[i].unicode();
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

// ---- Writing -------------------------------------------------------------------------

template <typename W>
void WriteBaseRecord(const TMyShape& s, W& w)
{
    w.String(s.Name());
    w.Int32(s.GetShapeId());
    w.Int32(s.ShapeNo());
    w.Int32(s.LayerId());
    w.Int32(s.ParentNo());
    WriteNumbers(w, s.ChildNos());
    WriteNumbers(w, s.LinkLineNos());
    WritePoints(w, s.Points());
    WritePoints(w, s.LinkPoints());
    w.Float32(s.CaptionPoint().X);
    w.Float32(s.CaptionPoint().Y);
    w.Int32(s.Tag());
    w.Float32(s.Angle());

    const TBrush* brush = s.Brush();
    w.Bitmap(brush->Pattern());
    w.Int32(brush->Color());
    w.UInt8(uint8_t(brush->Style()));

    w.String(s.Caption());
    w.Int32(s.ColorBegin());
    w.Int32(s.ColorEnd());

    const TFont* font = s.Font();
    w.String(font->Name());
    w.UInt8(font->Charset());
    w.Int32(font->Color());
    w.Int32(font->Height());
    w.Int32(font->Size());
    w.UInt8(uint8_t(font->Pitch()));
    w.Int32(font->PixelsPerInch());
    w.UInt8(uint8_t(font->Style().toInt()));
    w.Int32(0); // two reserved words
    w.Int32(0);
    w.UInt8(uint8_t(EnumOrdinal(s.GradientStyle())));

    w.String(s.Info());
    const TPen* pen = s.Pen();
    w.Int32(pen->Color());
    w.UInt8(uint8_t(pen->Mode()));
    w.UInt8(uint8_t(pen->Style()));
    w.Int32(pen->Width());

    static const TArrUserDataRecord none;
    const TArrUserDataRecord& pairs = s.HasUserData() ? s.UserData()->Records() : none;
    w.Int32(int32_t(pairs.size()));
    for (const TUserDataRecord& pair : pairs) {
        w.String(pair.Key);
        w.String(pair.Value);
    }

    w.Bool(s.IsFlipHorz());
    w.Bool(s.IsFlipVert());
    w.Bool(s.Visible());

    const QStringList multiInfo = s.MultiInfo();
    w.Int32(int32_t(multiInfo.size()));
    for (const QString& line : multiInfo)
        w.String(line);
    w.UInt8(uint8_t(s.MultiInfoAlignment()));

    w.Int32(s.LogHeight());
    w.Bool(s.LogUse());
    w.Int32(s.LogWidth());
    w.Bool(s.Locked());
}

template void WriteBaseRecord<TRecordWriter>(const TMyShape&, TRecordWriter&);
template void WriteBaseRecord<TLongStringScanner>(const TMyShape&, TLongStringScanner&);

// ---- Reading -------------------------------------------------------------------------

namespace {

// Gives the shape the attribute read (Read), unless it has it already; the values are
// shared with the last different attribute read, or become that attribute.
template <typename T>
void TakeShared(T& Target, const T& Read, T& Last)
{
    if (Read.SameAs(Target))
        return;
    if (!Read.SameAs(Last))
        Last.Assign(Read);
    Target.Assign(Last);
}

} // namespace

bool ReadBaseRecord(TMyShape& s, TRecordReader& r)
{
    const TFileGeneration g = r.Generation();

    QString name;
    if (!r.String(name) || !IsStoredShapeName(name))
        return false;
    // As the name setter does: an empty caption takes the name (the stored caption that
    // follows replaces it).
    s.StoreName(name);
    if (s.Caption().isEmpty())
        s.SetCaption(name);

    int32_t id = 0, no = 0, layer = 0, parent = 0;
    if (!r.Int32(id) || !r.Int32(no) || !r.Int32(layer) || !r.Int32(parent))
        return false;
    s.SetShapeId(id);
    s.SetShapeNo(no);
    s.SetLayerId(layer);
    s.SetParentNo(parent);
    // The lists most shapes leave empty are given only when they hold anything: a shape
    // without them does without the block that keeps them.
    TMyShapeNo members, connectors;
    TArrMyPoint linkPoints;
    if (!ReadNumbers(r, members) || !ReadNumbers(r, connectors))
        return false;
    if (!ReadPoints(r, s.PointsRef()) || !ReadPoints(r, linkPoints))
        return false;
    if (!members.empty())
        s.ChildNos() = std::move(members);
    if (!connectors.empty())
        s.LinkLineNos() = std::move(connectors);
    if (!linkPoints.empty())
        s.LinkPointsRef() = std::move(linkPoints);

    TMyPoint caption;
    int32_t tag = 0;
    float angle = 0;
    if (!r.Coordinate(caption.X) || !r.Coordinate(caption.Y) || !r.Int32(tag) || !r.Coordinate(angle))
        return false;
    s.SetCaptionPoint(caption);
    s.SetTag(tag);
    s.StoreAngle(angle);

    // A pattern bitmap replaces the brush's colour and style, which are then read but
    // not applied. A buffer whose bytes are no valid picture counts as no bitmap.
    std::unique_ptr<TBitmap> pattern;
    TColor brushColor = 0;
    TBrushStyle brushStyle = bsSolid;
    if (!r.Bitmap(pattern) || !r.Int32(brushColor) || !r.Enum8(brushStyle))
        return false;
    TBrush& brush = r.ScratchBrush;
    brush.Assign(*s.Brush());
    if (pattern && !pattern->Empty()) {
        brush.SetBitmap(pattern.get());
    } else {
        brush.SetColor(brushColor);
        brush.SetStyle(brushStyle);
    }
    TakeShared(*s.Brush(), brush, r.LastBrush);

    QString text;
    TColor colorBegin = 0, colorEnd = 0;
    if (!r.String(text) || !r.Int32(colorBegin) || !r.Int32(colorEnd))
        return false;
    if (text != s.Caption()) // the caption is most often the name, whose text it shares
        s.SetCaption(text);

    // The font, applied in record order; the resolution is stored after the size, so
    // the height follows the size at the font's previous resolution.
    QString fontName;
    uint8_t charset = 0, styleBits = 0;
    TColor fontColor = 0;
    int32_t height = 0, size = 0, pixelsPerInch = 0;
    TFontPitch pitch = fpDefault;
    if (!r.RepeatedString(fontName, r.LastFontNameBytes, r.LastFontName) || !r.UInt8(charset) || !r.Int32(fontColor) || !r.Int32(height) || !r.Int32(size)
        || !r.Enum8(pitch) || !r.Int32(pixelsPerInch) || !r.UInt8(styleBits) || styleBits > 0x0F)
        return false;
    TFont* font = &r.ScratchFont;
    font->Assign(*s.Font());
    font->SetName(fontName);
    font->SetCharset(charset);
    font->SetColor(fontColor);
    font->SetHeight(std::clamp(height, -kMaxStoredFontMagnitude, kMaxStoredFontMagnitude));
    font->SetHeight(HeightOfSize(size, font->PixelsPerInch())); // the size setter's rule
    font->SetPitch(pitch);
    font->SetPixelsPerInch(pixelsPerInch);
    font->SetStyle(TFontStyles::fromInt(styleBits));
    TakeShared(*s.Font(), *font, r.LastFont);

    if (HasReservedWords(g) && !r.Skip(8))
        return false;
    TGradientStyle gradient = gsNone;
    if (!r.Enum8(gradient))
        return false;
    if (HasGradientPadding(g) && !r.Skip(2))
        return false;
    s.StoreGradient(colorBegin, colorEnd, gradient);
    // The pattern is rebuilt; without a gradient it is empty, as a new shape's already is.
    if (gradient != gsNone || s.HasGradientBitmap())
        s.DrawGradient();

    TColor penColor = 0;
    TPenMode penMode = pmCopy;
    TPenStyle penStyle = psSolid;
    int32_t penWidth = 0;
    if (!r.String(text) || !r.Int32(penColor) || !r.Enum8(penMode) || !r.Enum8(penStyle) || !r.Int32(penWidth))
        return false;
    s.SetInfo(text);
    TPen& pen = r.ScratchPen;
    pen.Assign(*s.Pen());
    pen.SetColor(penColor);
    pen.SetMode(penMode);
    pen.SetStyle(penStyle);
    pen.SetWidth(penWidth);
    TakeShared(*s.Pen(), pen, r.LastPen);

    if (HasUserData(g)) {
        int32_t n = 0;
        if (!r.Count(n, 8))
            return false;
        QString key, value;
        for (int32_t i = 0; i < n; ++i) {
            if (!r.String(key) || !r.String(value))
                return false;
            s.UserData()->AddKeyandValue(key, value); // a repeated key keeps its first value
        }
    }
    if (HasFlipsAndVisible(g)) {
        bool flipHorz = false, flipVert = false, visible = true;
        if (!r.Bool(flipHorz) || !r.Bool(flipVert) || !r.Bool(visible))
            return false;
        s.StoreFlips(flipHorz, flipVert); // stored only: the points are already mirrored
        s.SetVisible(visible);
    }
    if (HasMultiInfo(g)) {
        int32_t n = 0;
        if (!r.Count(n, 4))
            return false;
        if (n > 0) {
            QStringList lines = s.MultiInfo();
            for (int32_t i = 0; i < n; ++i) {
                if (!r.String(text))
                    return false;
                lines.append(text);
            }
            s.SetMultiInfo(lines);
        }
        TAlignment alignment = taLeftJustify;
        if (!r.Enum8(alignment))
            return false;
        s.SetMultiInfoAlignment(alignment);
    }
    if (HasLogAndLock(g)) {
        int32_t logHeight = 0, logWidth = 0;
        bool logUse = false, locked = false;
        if (!r.Int32(logHeight) || !r.Bool(logUse) || !r.Int32(logWidth) || !r.Bool(locked))
            return false;
        s.SetLogHeight(logHeight);
        s.SetLogUse(logUse);
        s.SetLogWidth(logWidth);
        s.StoreLocked(locked);
    }
    return true;
}

// ---- The virtual operations ------------------------------------------------------------

bool TMyShape::SaveToStream(QIODevice& Stream) const
{
    TRecordWriter writer(Stream, false);
    if (!WriteShapeRecord(*this, writer))
        return false;
    return writer.Finish();
}

bool TMyShape::LoadFromStream(QIODevice& Stream)
{
    // The generation is that of the owning drawing's disk file version; a version no
    // generation has cannot be read.
    const std::optional<TRecordFormat> format =
        FormatOfTag(FOwnerCAD ? FOwnerCAD->DiskFileVersion() : QString::fromLatin1(kCurrentTag));
    if (!format)
        return false;
    // While the record is read, a group's new attributes are not passed on: its member
    // numbers refer to the container the record comes from.
    const bool wasLoading = FOwnerCAD && FOwnerCAD->Loading();
    if (FOwnerCAD)
        FOwnerCAD->SetLoading(true);
    bool ok = false;
    {
        TRecordReader reader(Stream, *format);
        ok = ReadShapeRecord(*this, reader);
    }
    if (FOwnerCAD)
        FOwnerCAD->SetLoading(wasLoading);
    return ok;
}
