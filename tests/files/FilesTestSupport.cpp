#include "FilesTestSupport.h"

#include "platform/Extended.h"

#include <QtEndian>
#include <cstring>

// ---- TBytes ---------------------------------------------------------------------------

namespace {
template <typename T>
void AppendLE(QByteArray& out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

QString Num(double v)
{
    return QString::number(v, 'g', 9);
}

QString Pt(const TMyPoint& p)
{
    return QStringLiteral("(%1,%2)").arg(Num(p.X), Num(p.Y));
}
} // namespace

TBytes& TBytes::I32(int32_t v) { AppendLE(Data, v); return *this; }
TBytes& TBytes::U32(uint32_t v) { AppendLE(Data, v); return *this; }
TBytes& TBytes::I64(int64_t v) { AppendLE(Data, v); return *this; }
TBytes& TBytes::U8(uint8_t v) { Data.append(char(v)); return *this; }

TBytes& TBytes::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return U32(bits);
}

TBytes& TBytes::F64(double v)
{
    int64_t bits;
    std::memcpy(&bits, &v, 8);
    return I64(bits);
}

TBytes& TBytes::Ext(double v)
{
    const TExtendedBytes e = DoubleToExtended(v);
    Data.append(reinterpret_cast<const char*>(e.data()), 10);
    return *this;
}

TBytes& TBytes::Coord(TFileGeneration g, float v)
{
    return (g <= TFileGeneration::XP5) ? Ext(v) : F32(v);
}

TBytes& TBytes::Str(const QByteArray& text)
{
    I32(int32_t(text.size()));
    Data.append(text.left(text.size() % 256));
    return *this;
}

TBytes& TBytes::LongStr(const QByteArray& text)
{
    I32(int32_t(text.size()));
    Data.append(text);
    return *this;
}

TBytes& TBytes::Fixed(const QByteArray& text, int width)
{
    Data.append(text.left(width));
    for (qsizetype i = text.size(); i < width; ++i)
        Data.append(' ');
    return *this;
}

TBytes& TBytes::Raw(const QByteArray& bytes)
{
    Data.append(bytes);
    return *this;
}

TBytes& TBytes::Bitmap(const QByteArray& bmp)
{
    I64(bmp.size());
    Data.append(bmp);
    return *this;
}

// ---- Streams ---------------------------------------------------------------------------

QByteArray HeaderBytes(const QByteArray& tag)
{
    TBytes b;
    b.Fixed("Ombrell Component", 64).Fixed("ZEDA for Borland Delphi & C++ Builder", 64).Fixed(tag, 16);
    b.Fixed("20080724", 10).Fixed(QByteArray(63, ' ') + '\0', 64);
    return b.Data;
}

QByteArray DocumentBytes(const TDocSpec& recipe)
{
    TBytes b;
    b.Raw(HeaderBytes(recipe.Tag));
    b.I32(0x00112233).I32(640).I32(480).U8(2).I64(0).I32(1).F64(2.5);
    if (recipe.Tag == "XP.h" || recipe.Tag == "XP.i" || recipe.Tag == "XP.iL") {
        b.I32(77).I32(int32_t(recipe.UserData.size()));
        for (const auto& [key, value] : recipe.UserData)
            recipe.Tag == "XP.iL" ? b.LongStr(key).LongStr(value) : b.Str(key).Str(value);
    }
    b.I32(int32_t(recipe.Layers.size()));
    for (const auto& [name, id, visible] : recipe.Layers)
        (recipe.Tag == "XP.iL" ? b.LongStr(name) : b.Str(name)).I32(id).I32(visible);
    b.I32(recipe.CurrentLayer).I32(recipe.ShapeCount);
    return b.Data;
}

std::unique_ptr<TBitmap> SmallPicture(TColor seed)
{
    auto bitmap = std::make_unique<TBitmap>(4, 3);
    for (int y = 0; y < 3; ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < 4; ++x) {
            row[3 * x] = uint8_t(seed + 40 * x);
            row[3 * x + 1] = uint8_t((seed >> 8) + 60 * y);
            row[3 * x + 2] = uint8_t((seed >> 16) + 7 * x * y);
        }
    }
    return bitmap;
}

QByteArray BmpBytes(const TBitmap& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bitmap.SaveToStream(buffer);
    return bytes;
}

QByteArray SaveBytes(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(cad.SaveToStream(buffer));
    return bytes;
}

bool LoadBytes(TMyCAD& cad, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return cad.LoadFromStream(buffer);
}

QByteArray BaseRecord(TFileGeneration g, const TBaseSpec& s)
{
    TBytes b;
    b.Str(s.Name).I32(s.Id).I32(s.No).I32(s.Layer).I32(s.Parent);
    b.I32(int32_t(s.Children.size()));
    for (uint32_t c : s.Children)
        b.U32(c);
    b.I32(int32_t(s.Links.size()));
    for (uint32_t c : s.Links)
        b.U32(c);
    for (const auto* points : {&s.Points, &s.LinkPoints}) {
        b.I32(int32_t(points->size()));
        for (const auto& [x, y] : *points)
            g <= TFileGeneration::XP5 ? b.Ext(x).Ext(y) : b.F32(float(x)).F32(float(y));
    }
    g <= TFileGeneration::XP5 ? b.Ext(s.CaptionX).Ext(s.CaptionY) : b.F32(float(s.CaptionX)).F32(float(s.CaptionY));
    b.I32(s.Tag);
    g <= TFileGeneration::XP5 ? b.Ext(s.Angle) : b.F32(float(s.Angle));
    b.Bitmap(s.BrushBitmap).I32(s.BrushColor).U8(s.BrushStyle);
    b.Str(s.Caption).I32(s.ColorBegin).I32(s.ColorEnd);
    b.Str(s.FontName).U8(s.Charset).I32(s.FontColor).I32(s.Height).I32(s.Size).U8(s.Pitch).I32(s.PixelsPerInch).U8(s.Style);
    if (g != TFileGeneration::XP7)
        b.I32(0x11111111).I32(0x22222222); // reserved, ignored
    b.U8(s.Gradient);
    if (g <= TFileGeneration::XP5)
        b.U8(0xEE).U8(0xEE); // reserved bytes of the oldest generations
    b.Str(s.Info).I32(s.PenColor).U8(s.PenMode).U8(s.PenStyle).I32(s.PenWidth);
    if (g >= TFileGeneration::XP8) {
        b.I32(int32_t(s.UserData.size()));
        for (const auto& [k, v] : s.UserData)
            b.Str(k).Str(v);
    }
    if (g >= TFileGeneration::XP9)
        b.U8(s.FlipHorz).U8(s.FlipVert).U8(s.Visible);
    if (g >= TFileGeneration::XPe) {
        b.I32(int32_t(s.MultiInfo.size()));
        for (const QByteArray& line : s.MultiInfo)
            b.Str(line);
        b.U8(s.MultiInfoAlignment);
    }
    if (g >= TFileGeneration::XPh)
        b.I32(s.LogHeight).U8(s.LogUse).I32(s.LogWidth).U8(s.Locked);
    return b.Data;
}

namespace {
QByteArray LineTail()
{
    return TBytes().I32(25).U8(44).U8(2).U8(3).Data;
}

QByteArray TextTail(TFileGeneration g)
{
    TBytes b;
    b.U8(1).U8(0);
    if (g >= TFileGeneration::XPa)
        b.I32(2).Str("alpha").Str("beta").U8(2).U8(1).U8(1);
    return b.Data;
}

QByteArray ImageTail(TFileGeneration g, const QByteArray& bmp)
{
    TBytes b;
    b.Bitmap(bmp);
    if (g >= TFileGeneration::XP9)
        b.I32(-30).I32(60).U8(1).U8(1).U8(1);
    if (g == TFileGeneration::XPi)
        b.I32(0x00C0FFEE).I32(0x0101); // readers use the low byte of the mode
    return b.Data;
}

} // namespace

QByteArray GenerationDrawing(TFileGeneration g, const QByteArray& tag)
{
    TDocSpec doc;
    doc.Tag = tag;
    doc.ShapeCount = 7;
    TBytes b;
    b.Raw(DocumentBytes(doc));
    auto entry = [&](const char* cls, int no, QByteArray tails, std::vector<uint32_t> links = {}) {
        TBaseSpec recipe;
        recipe.Name = QByteArray("Shape") + QByteArray::number(no);
        recipe.Id = 10 + no;
        recipe.No = no;
        recipe.Links = std::move(links);
        b.Fixed(cls, 16).Raw(BaseRecord(g, recipe)).Raw(tails);
    };
    entry("TMyRectangle", 0, {}, {2});
    entry("TMyRuleLine", 1, LineTail() + TBytes().U8(1).U8(1).Str("UI").Data);
    QByteArray link = LineTail() + TBytes().I32(0).I32(1).I32(-1).I32(-1).Data;
    if (g >= TFileGeneration::XP5)
        link += TBytes().U8(1).Data;
    entry("TMyLinkLine", 2, link);
    entry("TMyElliArc", 3, TBytes().U8(1).U8(2).Data);
    entry("TMyText", 4, TextTail(g));
    entry("TMyImage", 5, ImageTail(g, BmpBytes(*SmallPicture())));
    entry("TMyLineLinkLine", 6, TBytes().U8(9).Data);
    return b.Data;
}

// ---- The every-class drawing -----------------------------------------------------------------

QStringList EveryClassName()
{
    return {QStringLiteral("TMyRectangle"), QStringLiteral("TMyEllipse"),    QStringLiteral("TMyGroup"),
            QStringLiteral("TMyLine"),      QStringLiteral("TMyCombine"),    QStringLiteral("TMyPolyBezier"),
            QStringLiteral("TMyBLine"),     QStringLiteral("TMyPolyLine"),   QStringLiteral("TMyPolygon"),
            QStringLiteral("TMyFreeLine"),  QStringLiteral("TMyRuleLine"),   QStringLiteral("TMyLinkPoint"),
            QStringLiteral("TMyLineLinkLine"), QStringLiteral("TMyElliArc"), QStringLiteral("TMyText"),
            QStringLiteral("TMyImage"),     QStringLiteral("TMyLinkLine")};
}

namespace {
void SetCommonFields(TMyShape& s, int i)
{
    s.SetName(QStringLiteral("Part_%1").arg(i));
    s.SetCaption(QStringLiteral("Caption %1 \u00e9\u20ac").arg(i));
    s.SetShapeId(5 + 3 * i);
    s.SetLayerId(i % 2);
    s.PointsRef() = {TMyPoint(1.5f + i, 2.25f), TMyPoint(100.125f + i, 20.75f), TMyPoint(-3.5f, 64.0f + i),
                     TMyPoint(7.0f, 8.0f)};
    s.LinkPointsRef() = {TMyPoint(50.5f, 2.25f + i), TMyPoint(100.0f, 42.0f), TMyPoint(0.5f, 0.25f)};
    s.SetCaptionPoint(TMyPoint(2.5f * i, -3.25f));
    s.SetTag(1000 + i);
    s.StoreAngle(0.1f + 0.125f * i);
    if (i == 5) {
        s.Brush()->SetBitmap(SmallPicture(0x334455).get()); // colour and style stay the drawing's
    } else {
        s.Brush()->SetColor(0x00102030 + i);
        s.Brush()->SetStyle(bsCross);
    }
    s.SetColorBegin(0x00FF8000 + i);
    s.SetColorEnd(0x000080FF);
    s.SetGradientStyle(TGradientStyle(EnumOrdinal(gsLinearH) + i % 5)); // the small patterns
    TFont* font = s.Font();
    font->SetName(QStringLiteral("DejaVu Serif"));
    font->SetCharset(uint8_t(1 + i));
    font->SetColor(0x00405060 + i);
    font->SetPixelsPerInch(100);
    font->SetHeight(-12);
    font->SetPitch(fpFixed);
    font->SetStyle(TFontStyles(fsBold) | fsItalic | fsStrikeOut);
    s.SetInfo(QStringLiteral("Info %1").arg(i));
    s.Pen()->SetColor(0x00708090 + i);
    s.Pen()->SetMode(pmNotXor);
    s.Pen()->SetStyle(psDashDot);
    s.Pen()->SetWidth(2 + i % 3);
    s.UserData()->AddKeyandValue(QStringLiteral("part"), QStringLiteral("P-%1").arg(i));
    s.UserData()->AddKeyandValue(QStringLiteral("Part"), QString());
    s.StoreFlips(true, true);
    s.SetVisible(false);
    s.SetMultiInfo({QStringLiteral("first line"), QStringLiteral("line %1").arg(i)});
    s.SetMultiInfoAlignment(i % 2 ? taRightJustify : taCenter);
    s.SetLogHeight(11 + i);
    s.SetLogUse(true);
    s.SetLogWidth(-12 - i);
    s.StoreLocked(true);
}

void SetTailFields(TMyShape& s, int i)
{
    if (auto* line = dynamic_cast<TMyLine*>(&s)) {
        line->SetArrowAngle(20 + i);
        line->SetArrowLength(uint8_t(200 + i));
        line->SetArrowOffset(3);
        line->SetArrowStyle(ADouble);
    }
    if (auto* rule = dynamic_cast<TMyRuleLine*>(&s)) {
        rule->SetShowUserInfo(true);
        rule->SetTickStyle(tsNone);
        rule->SetUserInfo(QStringLiteral("12.5 m"));
    }
    if (auto* arc = dynamic_cast<TMyElliArc*>(&s)) {
        arc->SetArcMode(amEllipse);
        arc->SetArcStyle(asSector);
    }
    if (auto* text = dynamic_cast<TMyText*>(&s)) {
        text->SetIsBorder(true);
        text->SetIsSolid(false);
        text->SetLines({QStringLiteral("first"), QString(), QStringLiteral("third \u00fc")});
        text->SetVAlignment(vaBottom);
        text->SetHAlignment(taRightJustify);
        text->SetWordWrap(true);
    }
    if (auto* image = dynamic_cast<TMyImage*>(&s)) {
        image->Bitmap()->Assign(*SmallPicture(0x665544));
        image->SetBrightness(-40);
        image->SetContrast(25);
        image->SetTransparent(true);
        image->SetBorder(true);
        image->SetGrayScale(true);
        image->StoreTransparency(0x00ABCDEF, tmFixed);
    }
    if (auto* point = dynamic_cast<TMyLinkPoint*>(&s))
        point->SetSize(uint8_t(5 + i));
}
} // namespace

void BuildEveryClassDrawing(TMyCAD& cad)
{
    cad.SetColorOfBackGround(0x00EEDDCC);
    cad.SetTheUNIT(TUnits::inch);
    cad.SetBkBitmap(SmallPicture(0x0A0B0C).get());
    cad.SetBkBitmapMode(TBkBitmapMode::Tiled);
    cad.SetRatio(0.75);
    cad.SetTag(-9);
    cad.UserData()->AddKeyandValue(QStringLiteral("Project"), QStringLiteral("Pump house"));
    cad.UserData()->AddKeyandValue(QStringLiteral("Rev"), QStringLiteral("C"));
    cad.NewLayer(QStringLiteral("Hidden layer"), true);
    cad.InVisibleLayerByID(1);

    const QStringList classes = EveryClassName();
    std::vector<TMyShape*> shapes;
    for (int i = 0; i < classes.size(); ++i) {
        TMyShape* s = cad.CreateAddShapeByName(classes[i], nullptr);
        EXPECT_NE(s, nullptr) << classes[i].toStdString();
        SetCommonFields(*s, i);
        SetTailFields(*s, i);
        shapes.push_back(s);
    }
    // Relations last, so that no attribute change passes from a group to its members.
    shapes[0]->SetParentNo(2);
    shapes[1]->SetParentNo(2);
    shapes[2]->ChildNos() = {0, 1};
    shapes[3]->SetParentNo(4);
    shapes[4]->ChildNos() = {3};
    auto* link = static_cast<TMyLinkLine*>(shapes[16]);
    link->SetStartSpNo(11);
    link->SetStartSpPtId(0);
    link->SetEndSpNo(15);
    link->SetEndSpPtId(2);
    link->StoreLinkLineDrawStyle(lldsFree);
    shapes[11]->LinkLineNos() = {16};
    shapes[15]->LinkLineNos() = {16};
}

// ---- Descriptions -----------------------------------------------------------------------------

QString DescribeShape(const TMyShape& s)
{
    QStringList f;
    f << s.ClassName() << s.Name() << QString::number(s.GetShapeId()) << QString::number(s.ShapeNo())
      << QString::number(s.LayerId()) << QString::number(s.ParentNo());
    QStringList numbers;
    for (uint32_t n : s.ChildNos())
        numbers << QString::number(n);
    f << QStringLiteral("children[%1]").arg(numbers.join(','));
    numbers.clear();
    for (uint32_t n : s.LinkLineNos())
        numbers << QString::number(n);
    f << QStringLiteral("links[%1]").arg(numbers.join(','));
    QStringList points;
    for (const TMyPoint& p : s.Points())
        points << Pt(p);
    f << points.join(' ');
    points.clear();
    for (const TMyPoint& p : s.LinkPoints())
        points << Pt(p);
    f << points.join(' ') << Pt(s.CaptionPoint()) << QString::number(s.Tag()) << Num(s.Angle());
    const TBrush* brush = s.Brush();
    f << QStringLiteral("brush %1 %2 %3")
             .arg(brush->Color())
             .arg(int(brush->Style()))
             .arg(brush->Bitmap() ? QString::fromLatin1(BmpBytes(*brush->Bitmap()).toHex()) : QString());
    f << s.Caption() << QString::number(s.ColorBegin()) << QString::number(s.ColorEnd());
    const TFont* font = s.Font();
    f << QStringLiteral("font %1 %2 %3 %4 %5 %6 %7 %8")
             .arg(font->Name())
             .arg(font->Charset())
             .arg(font->Color())
             .arg(font->Height())
             .arg(font->Size())
             .arg(int(font->Pitch()))
             .arg(font->PixelsPerInch())
             .arg(font->Style().toInt());
    f << QString::number(int(s.GradientStyle())) << s.Info();
    const TPen* pen = s.Pen();
    f << QStringLiteral("pen %1 %2 %3 %4").arg(pen->Color()).arg(int(pen->Mode())).arg(int(pen->Style())).arg(pen->Width());
    for (const TUserDataRecord& r : s.UserData()->Records())
        f << QStringLiteral("ud %1=%2").arg(r.Key, r.Value);
    f << QStringLiteral("flags %1 %2 %3 %4").arg(s.IsFlipHorz()).arg(s.IsFlipVert()).arg(s.Visible()).arg(s.Locked());
    f << s.MultiInfo().join('|') << QString::number(int(s.MultiInfoAlignment()));
    f << QStringLiteral("log %1 %2 %3").arg(s.LogHeight()).arg(s.LogUse()).arg(s.LogWidth());
    if (const auto* line = dynamic_cast<const TMyLine*>(&s))
        f << QStringLiteral("line %1 %2 %3 %4")
                 .arg(line->ArrowAngle())
                 .arg(line->ArrowLength())
                 .arg(line->ArrowOffset())
                 .arg(int(line->ArrowStyle()));
    if (const auto* rule = dynamic_cast<const TMyRuleLine*>(&s))
        f << QStringLiteral("rule %1 %2 %3").arg(rule->ShowUserInfo()).arg(int(rule->TickStyle())).arg(rule->UserInfo());
    if (const auto* link = dynamic_cast<const TMyLinkLine*>(&s))
        f << QStringLiteral("link %1 %2 %3 %4 %5")
                 .arg(link->StartSpNo())
                 .arg(link->StartSpPtId())
                 .arg(link->EndSpNo())
                 .arg(link->EndSpPtId())
                 .arg(int(link->LinkLineDrawStyle()));
    if (const auto* arc = dynamic_cast<const TMyElliArc*>(&s))
        f << QStringLiteral("arc %1 %2").arg(int(arc->ArcMode())).arg(int(arc->ArcStyle()));
    if (const auto* text = dynamic_cast<const TMyText*>(&s))
        f << QStringLiteral("text %1 %2 %3 %4 %5 %6")
                 .arg(text->IsBorder())
                 .arg(text->IsSolid())
                 .arg(text->Lines().join('|'))
                 .arg(int(text->VAlignment()))
                 .arg(int(text->HAlignment()))
                 .arg(text->WordWrap());
    if (const auto* image = dynamic_cast<const TMyImage*>(&s))
        f << QStringLiteral("image %1 %2 %3 %4 %5 %6 %7 %8")
                 .arg(QString::fromLatin1(BmpBytes(*image->Bitmap()).toHex()))
                 .arg(image->Brightness())
                 .arg(image->Contrast())
                 .arg(image->Transparent())
                 .arg(image->Border())
                 .arg(image->GrayScale())
                 .arg(image->StoredTransparentColor())
                 .arg(int(image->TransparentMode()));
    if (const auto* point = dynamic_cast<const TMyLinkPoint*>(&s))
        f << QStringLiteral("size %1").arg(point->Size());
    return f.join(QStringLiteral("; "));
}

QString DescribeDrawing(const TMyCAD& cad)
{
    QStringList f;
    f << QString::number(cad.ColorOfBackGround()) << QString::number(cad.width()) << QString::number(cad.height())
      << QString::number(int(cad.TheUNIT())) << QString::fromLatin1(BmpBytes(*cad.BkBitmap()).toHex())
      << QString::number(int(cad.BkBitmapMode())) << Num(cad.Ratio()) << QString::number(cad.Tag());
    for (const TUserDataRecord& r : cad.UserData()->Records())
        f << QStringLiteral("ud %1=%2").arg(r.Key, r.Value);
    for (const LayerRec& layer : cad.Layers())
        f << QStringLiteral("layer %1 %2 %3").arg(layer.Name).arg(layer.Id).arg(layer.Visible);
    f << QString::number(cad.CurrentLayerId());
    for (int i = 0; i < cad.GetShapesCount(); ++i)
        f << DescribeShape(*cad.GetShapeByNo(i));
    return f.join('\n');
}
