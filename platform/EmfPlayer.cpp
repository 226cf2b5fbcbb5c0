// Plays enhanced metafiles onto a canvas: the records the recorder writes and the common
// ones of other programs. Unknown records are skipped; a record whose size leaves the
// data stops playing.
#include "MetafileDc.h"
#include "MetafilePlay.h"
#include "MetafileRecordView.h"
#include "MetafileRecords.h"

#include "AnsiString.h"
#include "Dib.h"
#include "PixelLimit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Mf {

namespace {

constexpr size_t kMinObjectTable = 64;

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// A stored rectangle (left, top, right, bottom) with each coordinate held to 2^29 in
// magnitude, so that its width and height stay within an int however damaged the file.
QRect RectAt(const TRecordView& r, uint64_t at)
{
    auto held = [&r](uint64_t offset) { return std::clamp<int32_t>(r.I32(offset), -(1 << 29), 1 << 29); };
    return QRect(QPoint(held(at), held(at + 4)), QPoint(held(at + 8), held(at + 12)));
}

TPenStyle PenStyleOf(uint32_t style)
{
    switch (style & PS_STYLE_MASK) {
    case PS_DASH: return psDash;
    case PS_DOT:
    case PS_ALTERNATE: return psDot;
    case PS_DASHDOT: return psDashDot;
    case PS_DASHDOTDOT: return psDashDotDot;
    case PS_NULL: return psClear;
    case PS_INSIDEFRAME: return psInsideFrame;
    default: return psSolid;
    }
}

TBrushObject BrushOf(uint32_t style, uint32_t colour, uint32_t hatch)
{
    TBrushObject b;
    b.Color = TColor(colour & 0xFFFFFF);
    if (style == BS_NULL) {
        b.Null = true;
    } else if (style == BS_HATCHED) {
        static const TBrushStyle hatches[6] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
        b.Style = hatch < 6 ? hatches[hatch] : bsSolid;
    }
    return b;
}

// The rectangles of region data (a RGNDATAHEADER and its rectangles).
QRegion RegionData(const TRecordView& r, uint64_t at, uint64_t size)
{
    QRegion region;
    if (size < 32 || !r.Has(at, size))
        return region;
    const uint32_t count = r.U32(at + 8);
    for (uint64_t i = 0; i < count && 32 + 16 * (i + 1) <= size; ++i) {
        const uint64_t p = at + 32 + 16 * i;
        // Held like any stored rectangle; right and bottom are exclusive.
        const QRect box = RectAt(r, p);
        const QRect rect(box.topLeft(), QPoint(box.right() - 1, box.bottom() - 1));
        if (rect.isValid())
            region += rect;
    }
    return region;
}

class TEmfPlayer {
public:
    TEmfPlayer(TCanvas& canvas, size_t handles) : FDc(canvas, handles) {}
    TDc& Dc() { return FDc; }
    // Plays one record; false at the end-of-file record.
    bool Play(uint32_t type, const TRecordView& r);

private:
    TCanvas& C() { return FDc.Canvas(); }
    bool Figure() { return FDc.Prepare(); }
    void Poly(uint32_t type, const TRecordView& r, bool small);
    void PolyPoly(uint32_t type, const TRecordView& r, bool small);
    void CreateObject(uint32_t type, const TRecordView& r);
    void Text(const TRecordView& r, bool wide);
    void Bitmap(uint32_t type, const TRecordView& r);
    void Transform(uint32_t type, const TRecordView& r);

    TDc FDc;
};

void TEmfPlayer::Poly(uint32_t type, const TRecordView& r, bool small)
{
    std::vector<TPoint> points;
    if (!r.Points(28, r.U32(24), small, points) || points.empty() || !Figure())
        return;
    switch (type) {
    case Emf::POLYBEZIER:
    case Emf::POLYBEZIER16: C().PolyBezier(points); break;
    case Emf::POLYGON:
    case Emf::POLYGON16: C().Polygon(points); break;
    case Emf::POLYLINE:
    case Emf::POLYLINE16: C().Polyline(points); break;
    case Emf::POLYBEZIERTO:
    case Emf::POLYBEZIERTO16: C().PolyBezierTo(points); break;
    default: C().PolylineTo(points); break;
    }
    if (type != Emf::POLYGON && type != Emf::POLYGON16 && type != Emf::POLYLINE && type != Emf::POLYLINE16
        && type != Emf::POLYBEZIER && type != Emf::POLYBEZIER16)
        FDc.State().Position = QPoint(points.back().X, points.back().Y);
}

void TEmfPlayer::PolyPoly(uint32_t type, const TRecordView& r, bool small)
{
    const uint32_t polys = r.U32(24), total = r.U32(28);
    if (!r.Has(32, uint64_t(polys) * 4))
        return;
    std::vector<TPoint> all;
    if (!r.Points(32 + uint64_t(polys) * 4, total, small, all) || !Figure())
        return;
    std::vector<std::vector<TPoint>> figures;
    uint64_t used = 0;
    for (uint32_t i = 0; i < polys; ++i) {
        const uint32_t n = r.U32(32 + 4 * uint64_t(i));
        if (used + n > all.size())
            return;
        figures.emplace_back(all.begin() + long(used), all.begin() + long(used + n));
        used += n;
    }
    if (type == Emf::POLYPOLYGON || type == Emf::POLYPOLYGON16) {
        FDc.PolyPolygon(figures);
    } else {
        for (const auto& line : figures)
            C().Polyline(line);
    }
}

void TEmfPlayer::CreateObject(uint32_t type, const TRecordView& r)
{
    const uint32_t index = r.U32(8);
    TObject o;
    switch (type) {
    case Emf::CREATEPEN:
        o.Kind = TObject::TKind::Pen;
        o.Pen = TPenObject{PenStyleOf(r.U32(12)), r.I32(16), TColor(r.U32(24) & 0xFFFFFF), false};
        break;
    case Emf::EXTCREATEPEN: {
        o.Kind = TObject::TKind::Pen;
        const uint32_t style = r.U32(28);
        o.Pen = TPenObject{PenStyleOf(style), int(std::min<uint32_t>(r.U32(32), 1u << 20)),
                           TColor(r.U32(40) & 0xFFFFFF), (style & PS_GEOMETRIC) != 0};
        if (r.U32(36) == BS_NULL)
            o.Pen.Style = psClear;
        break;
    }
    case Emf::CREATEBRUSHINDIRECT:
        o.Kind = TObject::TKind::Brush;
        o.Brush = BrushOf(r.U32(12), r.U32(16), r.U32(20));
        break;
    case Emf::CREATEMONOBRUSH:
    case Emf::CREATEDIBPATTERNBRUSHPT: {
        o.Kind = TObject::TKind::Brush;
        QImage pattern;
        if (RecordDib(r.Bytes(r.U32(16), r.U32(20)), r.Bytes(r.U32(24), r.U32(28)), false, pattern)
            && pattern.width() <= 256 && pattern.height() <= 256)
            o.Brush.Pattern = pattern;
        else
            o.Brush.Color = 0x808080;
        break;
    }
    case Emf::EXTCREATEFONTINDIRECTW: {
        if (!r.Has(12, 92))
            return;
        o.Kind = TObject::TKind::Font;
        TLogFont& f = o.Font;
        f.lfHeight = std::clamp(r.I32(12), -(1 << 20), 1 << 20);
        f.lfWidth = std::clamp(r.I32(16), 0, 1 << 20);
        f.lfEscapement = r.I32(20) % 3600;
        f.lfOrientation = r.I32(24) % 3600;
        f.lfWeight = std::clamp(r.I32(28), 0, 1000);
        f.lfItalic = r.U8(32);
        f.lfUnderline = r.U8(33);
        f.lfStrikeOut = r.U8(34);
        f.lfCharSet = r.U8(35);
        f.lfQuality = r.U8(38);
        f.lfPitchAndFamily = r.U8(39);
        QString face;
        for (int i = 0; i < 32 && r.U16(40 + 2 * i) != 0; ++i)
            face.append(QChar(r.U16(40 + 2 * i)));
        f.lfFaceName = face;
        break;
    }
    default: break; // palettes and the like hold their slot
    }
    FDc.Create(index, o);
}

void TEmfPlayer::Text(const TRecordView& r, bool wide)
{
    const QPoint ref(r.I32(36), r.I32(40));
    const uint32_t chars = r.U32(44), offString = r.U32(48), options = r.U32(52), offDx = r.U32(72);
    if (chars == 0 || !r.Has(offString, uint64_t(chars) * (wide ? 2 : 1)))
        return;
    QString text;
    if (wide) {
        text.resize(qsizetype(chars));
        for (uint32_t i = 0; i < chars; ++i)
            text[qsizetype(i)] = QChar(r.U16(offString + 2 * uint64_t(i)));
    } else {
        text = FromAnsi(r.Bytes(offString, chars));
    }
    std::vector<int> advances;
    const uint64_t step = (options & ETO_PDY) ? 8 : 4;
    if (offDx != 0 && r.Has(offDx, uint64_t(chars) * step)) {
        advances.resize(chars);
        for (uint32_t i = 0; i < chars; ++i)
            advances[i] = std::clamp(r.I32(offDx + step * i), -(1 << 24), 1 << 24);
    }
    std::optional<QRect> rect;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        const QRect box = RectAt(r, 56);
        if (box.isValid())
            rect = QRect(box.topLeft(), QPoint(box.right() - 1, box.bottom() - 1));
    }
    FDc.Text(ref, text, advances, options, rect);
}

// A rectangle from a record's position and size, each held to 2^29 in magnitude so that
// QRect's edge arithmetic cannot overflow on damaged values.
static QRect RecordRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    auto held = [](int32_t v) { return std::clamp<int32_t>(v, -(1 << 29), 1 << 29); };
    return QRect(held(x), held(y), held(w), held(h));
}

void TEmfPlayer::Bitmap(uint32_t type, const TRecordView& r)
{
    QRect dest, source;
    uint32_t rop = 0x00CC0020, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    bool alpha = false;
    int transparent = -1;
    switch (type) {
    case Emf::STRETCHDIBITS:
        dest = RecordRect(r.I32(24), r.I32(28), r.I32(72), r.I32(76));
        source = RecordRect(r.I32(32), r.I32(36), r.I32(40), r.I32(44));
        offBmi = r.U32(48), cbBmi = r.U32(52), offBits = r.U32(56), cbBits = r.U32(60), rop = r.U32(68);
        break;
    case Emf::SETDIBITSTODEVICE:
        source = RecordRect(r.I32(32), r.I32(36), r.I32(40), r.I32(44));
        dest = RecordRect(r.I32(24), r.I32(28), source.width(), source.height());
        offBmi = r.U32(48), cbBmi = r.U32(52), offBits = r.U32(56), cbBits = r.U32(60);
        break;
    default: // BITBLT, STRETCHBLT, ALPHABLEND, TRANSPARENTBLT
        dest = RecordRect(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
        rop = r.U32(40);
        offBmi = r.U32(84), cbBmi = r.U32(88), offBits = r.U32(92), cbBits = r.U32(96);
        source = RecordRect(r.I32(44), r.I32(48), dest.width(), dest.height());
        if (type != Emf::BITBLT)
            source = RecordRect(source.x(), source.y(), r.I32(100), r.I32(104));
        if (type == Emf::ALPHABLEND) {
            alpha = true;
            rop = 0x00CC0020;
        } else if (type == Emf::TRANSPARENTBLT) {
            transparent = int(r.U32(40) & 0xFFFFFF);
            rop = 0x00CC0020;
        }
        if (cbBmi == 0) {
            if (type == Emf::BITBLT)
                FDc.PatternFill(dest, rop);
            return;
        }
        break;
    }
    QImage image;
    if (!RecordDib(r.Bytes(offBmi, cbBmi), r.Bytes(offBits, cbBits), alpha, image))
        return;
    if (transparent >= 0) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = qRgb(transparent & 0xFF, (transparent >> 8) & 0xFF, (transparent >> 16) & 0xFF) & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
        }
    }
    FDc.Picture(dest, image, source, rop);
}

void TEmfPlayer::Transform(uint32_t type, const TRecordView& r)
{
    const QTransform x(r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28));
    TState& s = FDc.State();
    if (type == Emf::SETWORLDTRANSFORM) {
        s.World = x;
    } else {
        switch (r.U32(32)) {
        case MWT_IDENTITY: s.World = QTransform(); break;
        case MWT_LEFTMULTIPLY: s.World = x * s.World; break;
        case MWT_RIGHTMULTIPLY: s.World = s.World * x; break;
        case 4: s.World = x; break; // MWT_SET
        default: return;
        }
    }
    FDc.Touch();
}

bool TEmfPlayer::Play(uint32_t type, const TRecordView& r)
{
    TState& s = FDc.State();
    auto touch = [this] { FDc.Touch(); };
    switch (type) {
    case Emf::EOF_: return false;
    case Emf::POLYBEZIER:
    case Emf::POLYGON:
    case Emf::POLYLINE:
    case Emf::POLYBEZIERTO:
    case Emf::POLYLINETO: Poly(type, r, false); break;
    case Emf::POLYBEZIER16:
    case Emf::POLYGON16:
    case Emf::POLYLINE16:
    case Emf::POLYBEZIERTO16:
    case Emf::POLYLINETO16: Poly(type, r, true); break;
    case Emf::POLYPOLYLINE:
    case Emf::POLYPOLYGON: PolyPoly(type, r, false); break;
    case Emf::POLYPOLYLINE16:
    case Emf::POLYPOLYGON16: PolyPoly(type, r, true); break;
    case Emf::SETWINDOWEXTEX: s.WindowExt = QSizeF(r.I32(8), r.I32(12)), s.WindowExtSet = true, touch(); break;
    case Emf::SETWINDOWORGEX: s.WindowOrg = QPointF(r.I32(8), r.I32(12)), touch(); break;
    case Emf::SETVIEWPORTEXTEX: s.ViewportExt = QSizeF(r.I32(8), r.I32(12)), touch(); break;
    case Emf::SETVIEWPORTORGEX: s.ViewportOrg = QPointF(r.I32(8), r.I32(12)), touch(); break;
    case Emf::SCALEVIEWPORTEXTEX:
    case Emf::SCALEWINDOWEXTEX: {
        const double xd = r.I32(12), yd = r.I32(20);
        if (xd == 0 || yd == 0)
            break;
        QSizeF& ext = type == Emf::SCALEWINDOWEXTEX ? s.WindowExt : s.ViewportExt;
        ext = QSizeF(ext.width() * r.I32(8) / xd, ext.height() * r.I32(16) / yd);
        touch();
        break;
    }
    case Emf::SETMAPMODE: s.MapMode = r.I32(8), touch(); break;
    case Emf::SETBKMODE: s.BkMode = r.I32(8) == TRANSPARENT ? TRANSPARENT : OPAQUE, touch(); break;
    case Emf::SETPOLYFILLMODE: s.PolyFillMode = r.I32(8) == WINDING ? WINDING : ALTERNATE, touch(); break;
    case Emf::SETROP2: s.Rop2 = r.I32(8), touch(); break;
    case Emf::SETTEXTALIGN: s.TextAlign = r.U32(8), touch(); break;
    case Emf::SETTEXTCOLOR: s.TextColor = TColor(r.U32(8) & 0xFFFFFF), touch(); break;
    case Emf::SETBKCOLOR: s.BkColor = TColor(r.U32(8) & 0xFFFFFF), touch(); break;
    case Emf::SETARCDIRECTION: s.ArcDirection = r.I32(8) == AD_CLOCKWISE ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE, touch(); break;
    case Emf::MOVETOEX:
        s.Position = QPoint(r.I32(8), r.I32(12));
        C().MoveTo(s.Position.x(), s.Position.y());
        break;
    case Emf::LINETO:
        if (Figure()) {
            C().MoveTo(s.Position.x(), s.Position.y());
            C().LineTo(r.I32(8), r.I32(12));
        }
        s.Position = QPoint(r.I32(8), r.I32(12));
        break;
    case Emf::SETPIXELV:
        if (Figure())
            C().SetPixels(r.I32(8), r.I32(12), TColor(r.U32(16) & 0xFFFFFF));
        break;
    case Emf::ELLIPSE:
    case Emf::RECTANGLE:
    case Emf::ROUNDRECT:
    case Emf::ARC:
    case Emf::CHORD:
    case Emf::PIE:
    case Emf::ARCTO: {
        if (!Figure())
            break;
        const QRect b = RectAt(r, 8);
        const int l = b.left(), t = b.top(), rr = b.right(), bb = b.bottom();
        switch (type) {
        case Emf::ELLIPSE: C().Ellipse(l, t, rr, bb); break;
        case Emf::RECTANGLE: C().Rectangle(l, t, rr, bb); break;
        case Emf::ROUNDRECT: C().RoundRect(l, t, rr, bb, r.I32(24), r.I32(28)); break;
        case Emf::ARC:
        case Emf::ARCTO: C().Arc(l, t, rr, bb, r.I32(24), r.I32(28), r.I32(32), r.I32(36)); break;
        case Emf::CHORD: C().Chord(l, t, rr, bb, r.I32(24), r.I32(28), r.I32(32), r.I32(36)); break;
        default: C().Pie(l, t, rr, bb, r.I32(24), r.I32(28), r.I32(32), r.I32(36)); break;
        }
        break;
    }
    case Emf::CREATEPEN:
    case Emf::EXTCREATEPEN:
    case Emf::CREATEBRUSHINDIRECT:
    case Emf::CREATEMONOBRUSH:
    case Emf::CREATEDIBPATTERNBRUSHPT:
    case Emf::EXTCREATEFONTINDIRECTW:
    case 49: // EMR_CREATEPALETTE
        CreateObject(type, r);
        break;
    case Emf::SELECTOBJECT: {
        const uint32_t index = r.U32(8);
        if (index & Emf::STOCK_OBJECT)
            FDc.SelectStock(index & ~Emf::STOCK_OBJECT);
        else
            FDc.Select(index);
        break;
    }
    case Emf::DELETEOBJECT: FDc.Delete(r.U32(8)); break;
    case Emf::SAVEDC: FDc.Save(); break;
    case Emf::RESTOREDC: FDc.Restore(r.I32(8)); break;
    case Emf::SETWORLDTRANSFORM:
    case Emf::MODIFYWORLDTRANSFORM: Transform(type, r); break;
    case Emf::BEGINPATH:
        Figure();
        C().BeginPath();
        break;
    case Emf::ENDPATH: C().EndPath(); break;
    case Emf::CLOSEFIGURE: C().CloseFigure(); break;
    case Emf::ABORTPATH: C().AbortPath(); break;
    case Emf::FLATTENPATH: C().FlattenPath(); break;
    case Emf::FILLPATH:
    case Emf::STROKEPATH:
    case Emf::STROKEANDFILLPATH:
        if (!Figure())
            C().AbortPath();
        else if (type == Emf::FILLPATH)
            C().FillPath();
        else if (type == Emf::STROKEPATH)
            C().StrokePath();
        else
            C().StrokeAndFillPath();
        break;
    case Emf::SELECTCLIPPATH:
        if (Figure() && C().SelectClipPath(r.I32(8))) {
            TRegion clip;
            if (C().GetClipRgn(clip) == 1)
                FDc.SetClip(clip.ToQRegion(C().ClipRect().toQRect().adjusted(-1, -1, 1, 1)));
        }
        break;
    case Emf::EXTSELECTCLIPRGN: {
        const uint32_t size = r.U32(8);
        const int mode = r.I32(12);
        if (size == 0 && mode == RGN_COPY)
            FDc.SetClip(std::nullopt);
        else
            FDc.CombineClip(FDc.Frame().map(RegionData(r, 16, size)), mode);
        break;
    }
    case Emf::INTERSECTCLIPRECT: FDc.CombineClip(FDc.LogicalRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20)), RGN_AND); break;
    case Emf::EXCLUDECLIPRECT: FDc.CombineClip(FDc.LogicalRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20)), RGN_DIFF); break;
    case Emf::OFFSETCLIPRGN:
        if (s.Clip) {
            const QPointF d = FDc.LogicalToTarget().map(QPointF(r.I32(8), r.I32(12))) - FDc.LogicalToTarget().map(QPointF());
            FDc.SetClip(s.Clip->translated(int(std::lround(std::clamp(d.x(), -1e8, 1e8))),
                                           int(std::lround(std::clamp(d.y(), -1e8, 1e8)))));
        }
        break;
    case Emf::FILLRGN:
    case Emf::PAINTRGN: {
        const bool fill = type == Emf::FILLRGN;
        const QRegion region = RegionData(r, fill ? 32 : 28, r.U32(24));
        if (region.isEmpty() || !Figure())
            break;
        const TObject* brush = fill ? FDc.Object(r.U32(28)) : nullptr;
        TBrush b;
        if (brush && brush->Kind == TObject::TKind::Brush) {
            b.SetStyle(brush->Brush.Null ? bsClear : brush->Brush.Style);
            b.SetColor(brush->Brush.Color);
        } else {
            b.Assign(C().Brush());
        }
        C().FillRgn(TRegion::FromQRegion(region), b);
        break;
    }
    case Emf::EXTTEXTOUTW:
    case Emf::EXTTEXTOUTA: Text(r, type == Emf::EXTTEXTOUTW); break;
    case Emf::BITBLT:
    case Emf::STRETCHBLT:
    case Emf::STRETCHDIBITS:
    case Emf::SETDIBITSTODEVICE:
    case Emf::ALPHABLEND:
    case Emf::TRANSPARENTBLT: Bitmap(type, r); break;
    default: break; // comments, palettes, colour management, layout: nothing to draw
    }
    return true;
}

} // namespace

QSize TEmfHeader::PixelSize(int ppi) const
{
    const double w = (double(Frame.right()) - Frame.left() + 1) * ppi / 2540.0;
    const double h = (double(Frame.bottom()) - Frame.top() + 1) * ppi / 2540.0;
    if (!(w >= 0.5) || !(h >= 0.5) || w > 1e9 || h > 1e9)
        return QSize();
    return QSize(int(std::lround(w)), int(std::lround(h)));
}

bool ReadEmfHeader(const QByteArray& data, TEmfHeader& header, QString* error)
{
    const TRecordView r(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
    const uint32_t size = r.U32(4);
    if (r.U32(0) != Emf::HEADER || size < 88 || !r.Has(0, size) || r.U32(40) != Emf::SIGNATURE) {
        SetError(error, QStringLiteral("The data is not an enhanced metafile."));
        return false;
    }
    header.Bounds = RectAt(r, 8);
    header.Frame = RectAt(r, 24);
    header.Handles = r.U16(56);
    header.DevicePixels = QSize(r.I32(72), r.I32(76));
    header.DeviceMm = QSize(r.I32(80), r.I32(84));
    header.DeviceMicrometres = size >= 108 ? QSize(r.I32(100), r.I32(104)) : QSize();
    return true;
}

bool PlayEmf(const QByteArray& data, const TEmfHeader& header, TCanvas& canvas, const QRectF& target, QString* error)
{
    // Some writers count their handles short: the table has room for a few more.
    TEmfPlayer player(canvas, std::max<size_t>(header.Handles, kMinObjectTable));
    // Reference pixels per hundredth of a millimetre, from the most exact size given.
    double kx = 96 / 2540.0, ky = 96 / 2540.0;
    const QSize dev = header.DevicePixels, um = header.DeviceMicrometres, mm = header.DeviceMm;
    if (dev.width() > 0 && dev.height() > 0 && um.width() > 0 && um.height() > 0) {
        kx = dev.width() * 10.0 / um.width();
        ky = dev.height() * 10.0 / um.height();
    } else if (dev.width() > 0 && dev.height() > 0 && mm.width() > 0 && mm.height() > 0) {
        kx = dev.width() / (mm.width() * 100.0);
        ky = dev.height() / (mm.height() * 100.0);
    }
    player.Dc().SetReferenceResolution(kx * 2540, ky * 2540);
    QRectF frame(header.Frame.left() * kx, header.Frame.top() * ky,
                 (double(header.Frame.right()) - header.Frame.left() + 1) * kx,
                 (double(header.Frame.bottom()) - header.Frame.top() + 1) * ky);
    if (!(frame.width() > 0) || !(frame.height() > 0))
        frame = QRectF(header.Bounds.left(), header.Bounds.top(), double(header.Bounds.width()),
                       double(header.Bounds.height()));
    if (!(frame.width() > 0) || !(frame.height() > 0))
        frame = QRectF(0, 0, 1, 1);
    // The frame's hundredths of a millimetre only approximate whole pixels: taken as the
    // nearest whole pixels, a picture played at its size maps one to one.
    if (frame.width() >= 1 && frame.height() >= 1 && std::fabs(frame.left()) < 1e9 && std::fabs(frame.top()) < 1e9
        && frame.width() < 1e9 && frame.height() < 1e9)
        frame = QRectF(std::round(frame.left()), std::round(frame.top()), std::round(frame.width()),
                       std::round(frame.height()));
    const double sx = target.width() / frame.width(), sy = target.height() / frame.height();
    player.Dc().SetFrame(QTransform(sx, 0, 0, sy, target.left() - sx * frame.left(), target.top() - sy * frame.top()));

    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    uint64_t at = 0;
    bool first = true;
    while (at + 8 <= uint64_t(data.size())) {
        const TRecordView head(bytes + at, size_t(uint64_t(data.size()) - at));
        const uint32_t type = head.U32(0), size = head.U32(4);
        if (size < 8 || size % 4 != 0 || !head.Has(0, size)) {
            SetError(error, QStringLiteral("A record of the metafile is damaged."));
            canvas.SelectClipRgn(nullptr);
            return false;
        }
        if (!first && !player.Play(type, TRecordView(bytes + at, size)))
            break;
        first = false;
        at += size;
    }
    canvas.SelectClipRgn(nullptr);
    return true;
}

bool RecordDib(const QByteArray& info, const QByteArray& bits, bool keepAlpha, QImage& out)
{
    if (info.size() < 40)
        return false;
    const TRecordView h(reinterpret_cast<const uint8_t*>(info.constData()), size_t(info.size()));
    if (keepAlpha && h.U16(14) == 32 && h.U32(16) == 0) {
        const int64_t w = h.I32(4), rawH = h.I32(8), height = std::llabs(rawH);
        if (!PictureSizeAllowed(w, height) || bits.size() < w * height * 4)
            return false;
        QImage image(int(w), int(height), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            const int64_t row = rawH > 0 ? height - 1 - y : y;
            std::memcpy(image.scanLine(y), bits.constData() + row * w * 4, size_t(w) * 4);
            // Premultiplied colours never exceed their alpha.
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(line[x]);
                line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a), std::min(qBlue(line[x]), a), a);
            }
        }
        out = image;
        return true;
    }
    return DecodeDib(info, bits, out);
}

} // namespace Mf
