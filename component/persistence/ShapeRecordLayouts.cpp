// The class table of the drawing files and the record tails of the shape kinds.
//
// Class          record
// TMyRectangle, TMyEllipse, TMyGroup, TMyCombine, TMyPolyBezier, TMyBLine   base
// TMyLine, TMyPolyLine, TMyPolygon, TMyFreeLine                             base, line
// TMyRuleLine                                                               base, line, rule line
// TMyLinkLine                                                               base, line, link line
// TMyElliArc                                                                base, arc
// TMyText                                                                   base, text
// TMyImage                                                                  base, image
// TMyLinkPoint, TMyLineLinkLine                                             base, link point
#include "component/persistence/ShapeRecords.h"

#include "platform/Stream.h"
#include "component/shapes/AllShapes.h"

#include <array>

using namespace DrawingFormat;

namespace {

enum class TTail : uint8_t { None, Line, RuleLine, LinkLine, Arc, Text, Image, LinkPoint };

struct TLayout {
    const QMetaObject* Meta;
    TTail First;
    TTail Second;
};

const std::array<TLayout, 17>& Layouts()
{
    static const std::array<TLayout, 17> layouts = {{
        {&TMyRectangle::staticMetaObject, TTail::None, TTail::None},
        {&TMyEllipse::staticMetaObject, TTail::None, TTail::None},
        {&TMyGroup::staticMetaObject, TTail::None, TTail::None},
        {&TMyCombine::staticMetaObject, TTail::None, TTail::None},
        {&TMyPolyBezier::staticMetaObject, TTail::None, TTail::None},
        {&TMyBLine::staticMetaObject, TTail::None, TTail::None},
        {&TMyLine::staticMetaObject, TTail::Line, TTail::None},
        {&TMyPolyLine::staticMetaObject, TTail::Line, TTail::None},
        {&TMyPolygon::staticMetaObject, TTail::Line, TTail::None},
        {&TMyFreeLine::staticMetaObject, TTail::Line, TTail::None},
        {&TMyRuleLine::staticMetaObject, TTail::Line, TTail::RuleLine},
        {&TMyLinkLine::staticMetaObject, TTail::Line, TTail::LinkLine},
        {&TMyElliArc::staticMetaObject, TTail::Arc, TTail::None},
        {&TMyText::staticMetaObject, TTail::Text, TTail::None},
        {&TMyImage::staticMetaObject, TTail::Image, TTail::None},
        {&TMyLinkPoint::staticMetaObject, TTail::LinkPoint, TTail::None},
        {&TMyLineLinkLine::staticMetaObject, TTail::LinkPoint, TTail::None},
    }};
    return layouts;
}

const TLayout* LayoutOf(const TMyShape& shape)
{
    const QMetaObject* meta = shape.metaObject();
    for (const TLayout& layout : Layouts())
        if (layout.Meta == meta)
            return &layout;
    return nullptr;
}

// ---- Writing the tails -------------------------------------------------------------------

template <typename W>
void WriteTail(const TMyShape& shape, TTail tail, W& w)
{
    switch (tail) {
    case TTail::None:
        break;
    case TTail::Line: {
        const auto& line = static_cast<const TMyLine&>(shape);
        w.Int32(line.ArrowAngle());
        w.UInt8(line.ArrowLength());
        w.UInt8(line.ArrowOffset());
        w.UInt8(uint8_t(EnumOrdinal(line.ArrowStyle())));
        break;
    }
    case TTail::RuleLine: {
        const auto& rule = static_cast<const TMyRuleLine&>(shape);
        w.Bool(rule.ShowUserInfo());
        w.UInt8(uint8_t(EnumOrdinal(rule.TickStyle())));
        w.String(rule.UserInfo());
        break;
    }
    case TTail::LinkLine: {
        const auto& link = static_cast<const TMyLinkLine&>(shape);
        w.Int32(link.StartSpNo());
        w.Int32(link.StartSpPtId());
        w.Int32(link.EndSpNo());
        w.Int32(link.EndSpPtId());
        w.UInt8(uint8_t(EnumOrdinal(link.LinkLineDrawStyle())));
        break;
    }
    case TTail::Arc: {
        const auto& arc = static_cast<const TMyElliArc&>(shape);
        w.UInt8(uint8_t(EnumOrdinal(arc.ArcMode())));
        w.UInt8(uint8_t(EnumOrdinal(arc.ArcStyle())));
        break;
    }
    case TTail::Text: {
        const auto& text = static_cast<const TMyText&>(shape);
        w.Bool(text.IsBorder());
        w.Bool(text.IsSolid());
        const QStringList lines = text.Lines();
        w.Int32(int32_t(lines.size()));
        for (const QString& line : lines)
            w.String(line);
        w.UInt8(uint8_t(EnumOrdinal(text.VAlignment())));
        w.UInt8(uint8_t(text.HAlignment()));
        w.Bool(text.WordWrap());
        break;
    }
    case TTail::Image: {
        const auto& image = static_cast<const TMyImage&>(shape);
        w.Bitmap(image.Bitmap());
        w.Int32(image.Brightness());
        w.Int32(image.Contrast());
        w.Bool(image.Transparent());
        w.Bool(image.Border());
        w.Bool(image.GrayScale());
        w.Int32(image.StoredTransparentColor());
        w.Int32(int32_t(image.TransparentMode()));
        break;
    }
    case TTail::LinkPoint:
        w.UInt8(static_cast<const TMyLinkPoint&>(shape).Size());
        break;
    }
}

// ---- Reading the tails -------------------------------------------------------------------

bool ReadLineTail(TMyLine& line, TRecordReader& r)
{
    int32_t angle = 0;
    uint8_t length = 0, offset = 0;
    TArrowStyle style = ANone;
    if (!r.Int32(angle) || !r.UInt8(length) || !r.UInt8(offset) || !r.Enum8(style))
        return false;
    line.SetArrowAngle(angle);
    line.SetArrowLength(length);
    line.SetArrowOffset(offset);
    line.SetArrowStyle(style);
    return true;
}

bool ReadRuleLineTail(TMyRuleLine& rule, TRecordReader& r)
{
    bool show = false;
    TTickStyle tick = tsLine;
    QString userInfo;
    if (!r.Bool(show) || !r.Enum8(tick) || !r.String(userInfo))
        return false;
    rule.SetShowUserInfo(show);
    rule.SetTickStyle(tick);
    rule.SetUserInfo(userInfo);
    return true;
}

bool ReadLinkLineTail(TMyLinkLine& link, TRecordReader& r)
{
    int32_t startNo = 0, startPt = 0, endNo = 0, endPt = 0;
    if (!r.Int32(startNo) || !r.Int32(startPt) || !r.Int32(endNo) || !r.Int32(endPt))
        return false;
    link.SetStartSpNo(startNo);
    link.SetStartSpPtId(startPt);
    link.SetEndSpNo(endNo);
    link.SetEndSpPtId(endPt);
    if (HasLinkLineDrawStyle(r.Generation())) {
        TLinkLineDrawStyle style = lldsHV;
        if (!r.Enum8(style))
            return false;
        link.StoreLinkLineDrawStyle(style); // the stored points are the route as it was
    }
    return true;
}

bool ReadArcTail(TMyElliArc& arc, TRecordReader& r)
{
    TArcMode mode = amCircle;
    TArcStyle style = asArc;
    if (!r.Enum8(mode) || !r.Enum8(style))
        return false;
    arc.SetArcMode(mode);
    arc.SetArcStyle(style);
    return true;
}

bool ReadTextTail(TMyText& text, TRecordReader& r)
{
    bool border = false, solid = true;
    if (!r.Bool(border) || !r.Bool(solid))
        return false;
    text.SetIsBorder(border);
    text.SetIsSolid(solid);
    if (!HasTextLayout(r.Generation()))
        return true;
    int32_t n = 0;
    if (!r.Count(n, 4))
        return false;
    QStringList lines;
    QString line;
    for (int32_t i = 0; i < n; ++i) {
        if (!r.String(line))
            return false;
        lines.append(line);
    }
    TVAlignment vertical = vaMiddle;
    TAlignment horizontal = taCenter;
    bool wrap = false;
    if (!r.Enum8(vertical) || !r.Enum8(horizontal) || !r.Bool(wrap))
        return false;
    text.SetLines(lines);
    text.SetVAlignment(vertical);
    text.SetHAlignment(horizontal);
    text.SetWordWrap(wrap);
    return true;
}

bool ReadImageTail(TMyImage& image, TRecordReader& r)
{
    std::unique_ptr<TBitmap> picture;
    if (!r.Bitmap(picture))
        return false;
    // Copied into the shape's picture directly: the box is stored with the record.
    if (picture)
        image.Bitmap()->Assign(*picture);
    const TFileGeneration g = r.Generation();
    if (HasImageAdjustments(g)) {
        int32_t brightness = 0, contrast = 0;
        bool transparent = false, border = false, grayScale = false;
        if (!r.Int32(brightness) || !r.Int32(contrast) || !r.Bool(transparent) || !r.Bool(border)
            || !r.Bool(grayScale))
            return false;
        image.SetBrightness(brightness);
        image.SetContrast(contrast);
        image.SetTransparent(transparent);
        image.SetBorder(border);
        image.SetGrayScale(grayScale);
    }
    if (HasImageTransparency(g)) {
        TColor color = clDefault;
        TTransparentMode mode = tmAuto;
        if (!r.Int32(color) || !r.EnumLowByte(mode))
            return false;
        image.StoreTransparency(color, mode);
    }
    return true;
}

bool ReadTail(TMyShape& shape, TTail tail, TRecordReader& r)
{
    switch (tail) {
    case TTail::None: return true;
    case TTail::Line: return ReadLineTail(static_cast<TMyLine&>(shape), r);
    case TTail::RuleLine: return ReadRuleLineTail(static_cast<TMyRuleLine&>(shape), r);
    case TTail::LinkLine: return ReadLinkLineTail(static_cast<TMyLinkLine&>(shape), r);
    case TTail::Arc: return ReadArcTail(static_cast<TMyElliArc&>(shape), r);
    case TTail::Text: return ReadTextTail(static_cast<TMyText&>(shape), r);
    case TTail::Image: return ReadImageTail(static_cast<TMyImage&>(shape), r);
    case TTail::LinkPoint: {
        uint8_t size = 0;
        if (!r.UInt8(size))
            return false;
        static_cast<TMyLinkPoint&>(shape).SetSize(size);
        return true;
    }
    }
    return false;
}

} // namespace

bool IsRecordClass(const QString& ClassName)
{
    return !RecordClassOfField(ClassName.toLatin1()).isEmpty();
}

QString RecordClassOfField(const QByteArray& Field)
{
    // The names of the table as Latin-1 bytes and as strings, made once.
    static const auto names = [] {
        std::array<std::pair<QByteArray, QString>, 17> n;
        for (size_t i = 0; i < n.size(); ++i) {
            n[i].first = QByteArray(Layouts()[i].Meta->className());
            n[i].second = QString::fromLatin1(n[i].first);
        }
        return n;
    }();
    const QByteArray name = TrimField(Field);
    for (const auto& [bytes, text] : names)
        if (name == bytes)
            return text;
    return QString();
}

bool WriteShapeRecord(const TMyShape& Shape, TRecordWriter& Writer)
{
    const TLayout* layout = LayoutOf(Shape);
    if (!layout)
        return false;
    WriteBaseRecord(Shape, Writer);
    WriteTail(Shape, layout->First, Writer);
    WriteTail(Shape, layout->Second, Writer);
    return true;
}

void ScanShapeStrings(const TMyShape& Shape, TLongStringScanner& Scanner)
{
    const TLayout* layout = LayoutOf(Shape);
    if (!layout)
        return;
    WriteBaseRecord(Shape, Scanner);
    WriteTail(Shape, layout->First, Scanner);
    WriteTail(Shape, layout->Second, Scanner);
}

bool ReadShapeRecord(TMyShape& Shape, TRecordReader& Reader)
{
    const TLayout* layout = LayoutOf(Shape);
    return layout && ReadBaseRecord(Shape, Reader) && ReadTail(Shape, layout->First, Reader)
           && ReadTail(Shape, layout->Second, Reader);
}
