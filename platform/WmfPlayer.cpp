// Plays Windows metafiles (placeable or not) onto a canvas. Coordinates are 16-bit
// logical units; the window (origin and extent) is mapped onto the target rectangle, the
// placeable header's box standing in until the file sets a window. Unknown records are
// skipped; a record whose size leaves the data stops playing.
#include "MetafileDc.h"
#include "MetafilePlay.h"
#include "MetafileRecordView.h"
#include "MetafileRecords.h"

#include "AnsiString.h"

#include <algorithm>
#include <cmath>

namespace Mf {

namespace {

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The info block and the bits of a DIB that runs to the end of a record.
bool SplitDib(const QByteArray& dib, QByteArray& info, QByteArray& bits)
{
    const TRecordView h(reinterpret_cast<const uint8_t*>(dib.constData()), size_t(dib.size()));
    const uint32_t headerSize = h.U32(0);
    if (headerSize < 12 || !h.Has(0, headerSize))
        return false;
    const bool core = headerSize == 12;
    const int bpp = core ? h.U16(10) : h.U16(14);
    const uint32_t compression = core ? 0 : h.U32(16);
    const uint32_t used = core ? 0 : h.U32(32);
    const uint64_t colours = bpp <= 8 ? (used && used <= 256 ? used : 1u << bpp) : used;
    const uint64_t masks = (!core && headerSize == 40 && compression == 3) ? 12 : 0;
    const uint64_t infoSize = headerSize + masks + colours * (core ? 3 : 4);
    if (infoSize > uint64_t(dib.size()))
        return false;
    info = dib.left(qsizetype(infoSize));
    bits = dib.mid(qsizetype(infoSize));
    return true;
}

class TWmfPlayer {
public:
    TWmfPlayer(TCanvas& canvas, size_t objects) : FDc(canvas, objects) {}
    TDc& Dc() { return FDc; }
    // Plays one record (r holds its parameters from offset 6); false at the end record.
    bool Play(uint16_t function, const TRecordView& r, uint32_t words);

private:
    TCanvas& C() { return FDc.Canvas(); }
    bool Figure() { return FDc.Prepare(); }
    int P(const TRecordView& r, int i) const { return r.I16(6 + 2 * uint64_t(i)); }
    void CreateObject(uint16_t function, const TRecordView& r);
    void Text(uint16_t function, const TRecordView& r);
    void Bitmap(uint16_t function, const TRecordView& r, uint32_t words);
    QRegion RegionOf(size_t index) const;

    TDc FDc;
};

void TWmfPlayer::CreateObject(uint16_t function, const TRecordView& r)
{
    TObject o;
    switch (function) {
    case Wmf::CREATEPENINDIRECT: {
        o.Kind = TObject::TKind::Pen;
        const uint16_t style = r.U16(6);
        static const TPenStyle styles[7] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};
        o.Pen = TPenObject{styles[std::min<int>(style & 0xF, 6)], std::abs(P(r, 1)), TColor(r.U32(12) & 0xFFFFFF),
                           P(r, 1) > 1};
        break;
    }
    case Wmf::CREATEBRUSHINDIRECT: {
        o.Kind = TObject::TKind::Brush;
        const uint16_t style = r.U16(6), hatch = r.U16(12);
        o.Brush.Color = TColor(r.U32(8) & 0xFFFFFF);
        if (style == BS_NULL) {
            o.Brush.Null = true;
        } else if (style == BS_HATCHED) {
            static const TBrushStyle hatches[6] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                                                   bsDiagCross};
            o.Brush.Style = hatch < 6 ? hatches[hatch] : bsSolid;
        }
        break;
    }
    case Wmf::DIBCREATEPATTERNBRUSH: {
        o.Kind = TObject::TKind::Brush;
        QByteArray info, bits;
        QImage pattern;
        if (r.U16(8) == DIB_RGB_COLORS && SplitDib(r.Bytes(10, r.Size() - std::min<size_t>(10, r.Size())), info, bits)
            && RecordDib(info, bits, false, pattern) && pattern.width() <= 256 && pattern.height() <= 256)
            o.Brush.Pattern = pattern;
        else
            o.Brush.Color = 0x808080;
        break;
    }
    case Wmf::CREATEPATTERNBRUSH:
        o.Kind = TObject::TKind::Brush;
        o.Brush.Color = 0x808080;
        break;
    case Wmf::CREATEFONTINDIRECT: {
        o.Kind = TObject::TKind::Font;
        TLogFont& f = o.Font;
        f.lfHeight = P(r, 0);
        f.lfWidth = std::max(0, P(r, 1));
        f.lfEscapement = P(r, 2) % 3600;
        f.lfOrientation = P(r, 3) % 3600;
        f.lfWeight = std::clamp(P(r, 4), 0, 1000);
        f.lfItalic = r.U8(16);
        f.lfUnderline = r.U8(17);
        f.lfStrikeOut = r.U8(18);
        f.lfCharSet = r.U8(19);
        f.lfQuality = r.U8(22);
        f.lfPitchAndFamily = r.U8(23);
        QByteArray face;
        for (uint64_t i = 24; i < 24 + 32 && r.Has(i, 1) && r.U8(i) != 0; ++i)
            face.append(char(r.U8(i)));
        f.lfFaceName = FromAnsi(face);
        break;
    }
    case Wmf::CREATEREGION: {
        o.Kind = TObject::TKind::Region;
        const int scans = P(r, 5);
        uint64_t at = 28;
        for (int s = 0; s < scans && r.Has(at, 6); ++s) {
            const int count = r.U16(at), top = r.I16(at + 2), bottom = r.I16(at + 4);
            for (int k = 0; k + 1 < count && r.Has(at + 6 + 2 * uint64_t(k), 4); k += 2) {
                const int left = r.I16(at + 6 + 2 * uint64_t(k)), right = r.I16(at + 8 + 2 * uint64_t(k));
                if (right > left && bottom > top)
                    o.Region += QRect(left, top, right - left, bottom - top);
            }
            at += 8 + 2 * uint64_t(count);
        }
        break;
    }
    default: break; // palettes hold their slot
    }
    FDc.CreateLowest(o);
}

QRegion TWmfPlayer::RegionOf(size_t index) const
{
    const TObject* o = FDc.Object(index);
    return o && o->Kind == TObject::TKind::Region ? FDc.LogicalToTarget().map(o->Region) : QRegion();
}

void TWmfPlayer::Text(uint16_t function, const TRecordView& r)
{
    QPoint ref;
    QByteArray bytes;
    std::vector<int> advances;
    std::optional<QRect> rect;
    uint32_t options = 0;
    if (function == Wmf::TEXTOUT) {
        const int length = std::max(0, P(r, 0));
        const uint64_t padded = (uint64_t(length) + 1) & ~uint64_t(1);
        bytes = r.Bytes(8, uint64_t(length));
        ref = QPoint(r.I16(8 + padded + 2), r.I16(8 + padded));
    } else {
        ref = QPoint(P(r, 1), P(r, 0));
        const int length = std::max(0, P(r, 2));
        options = r.U16(12);
        uint64_t at = 14;
        if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
            rect = QRect(QPoint(r.I16(14), r.I16(16)), QPoint(r.I16(18) - 1, r.I16(20) - 1));
            at = 22;
        }
        bytes = r.Bytes(at, uint64_t(length));
        const uint64_t dx = at + ((uint64_t(length) + 1) & ~uint64_t(1));
        if (r.Has(dx, 2 * uint64_t(length))) {
            advances.resize(size_t(length));
            for (int i = 0; i < length; ++i)
                advances[size_t(i)] = r.I16(dx + 2 * uint64_t(i));
        }
    }
    if (bytes.isEmpty())
        return;
    FDc.Text(ref, FromAnsi(bytes), advances, options, rect);
}

void TWmfPlayer::Bitmap(uint16_t function, const TRecordView& r, uint32_t words)
{
    // Records without a bitmap are three words plus their parameters.
    const bool withBitmap = words != uint32_t((function >> 8) + 3);
    const uint32_t rop = r.U32(6);
    QRect dest, source;
    uint64_t dibAt = 0;
    switch (function) {
    case Wmf::STRETCHDIB:
        if (r.U16(10) != DIB_RGB_COLORS)
            return;
        source = QRect(P(r, 6), P(r, 5), P(r, 4), P(r, 3));
        dest = QRect(P(r, 10), P(r, 9), P(r, 8), P(r, 7));
        dibAt = 28;
        break;
    case Wmf::DIBSTRETCHBLT:
        if (!withBitmap) {
            FDc.PatternFill(QRect(P(r, 6), P(r, 5), P(r, 4), P(r, 3)), rop);
            return;
        }
        source = QRect(P(r, 5), P(r, 4), P(r, 3), P(r, 2));
        dest = QRect(P(r, 9), P(r, 8), P(r, 7), P(r, 6));
        dibAt = 26;
        break;
    case Wmf::DIBBITBLT:
        if (!withBitmap) {
            FDc.PatternFill(QRect(P(r, 6), P(r, 5), P(r, 4), P(r, 3)), rop);
            return;
        }
        source = QRect(P(r, 3), P(r, 2), P(r, 5), P(r, 4));
        dest = QRect(P(r, 7), P(r, 6), P(r, 5), P(r, 4));
        dibAt = 22;
        break;
    default: // PATBLT
        FDc.PatternFill(QRect(P(r, 5), P(r, 4), P(r, 3), P(r, 2)), rop);
        return;
    }
    QByteArray info, bits;
    QImage image;
    if (!r.Has(dibAt, 1) || !SplitDib(r.Bytes(dibAt, r.Size() - dibAt), info, bits) || !RecordDib(info, bits, false, image))
        return;
    FDc.Picture(dest, image, source, rop);
}

bool TWmfPlayer::Play(uint16_t function, const TRecordView& r, uint32_t words)
{
    TState& s = FDc.State();
    auto touch = [this] { FDc.Touch(); };
    switch (function) {
    case Wmf::EOF_: return false;
    case Wmf::SETBKCOLOR: s.BkColor = TColor(r.U32(6) & 0xFFFFFF), touch(); break;
    case Wmf::SETBKMODE: s.BkMode = P(r, 0) == TRANSPARENT ? TRANSPARENT : OPAQUE, touch(); break;
    case Wmf::SETROP2: s.Rop2 = P(r, 0), touch(); break;
    case Wmf::SETPOLYFILLMODE: s.PolyFillMode = P(r, 0) == WINDING ? WINDING : ALTERNATE, touch(); break;
    case Wmf::SETTEXTCHAREXTRA: s.CharExtra = P(r, 0), touch(); break;
    case Wmf::SETTEXTCOLOR: s.TextColor = TColor(r.U32(6) & 0xFFFFFF), touch(); break;
    case Wmf::SETTEXTALIGN: s.TextAlign = r.U16(6), touch(); break;
    case Wmf::SETWINDOWORG: s.WindowOrg = QPointF(P(r, 1), P(r, 0)), touch(); break;
    case Wmf::SETWINDOWEXT: s.WindowExt = QSizeF(P(r, 1), P(r, 0)), s.WindowExtSet = true, touch(); break;
    case Wmf::OFFSETWINDOWORG: s.WindowOrg += QPointF(P(r, 1), P(r, 0)), touch(); break;
    case Wmf::SCALEWINDOWEXT:
        if (P(r, 0) != 0 && P(r, 2) != 0) {
            s.WindowExt = QSizeF(s.WindowExt.width() * P(r, 3) / P(r, 2), s.WindowExt.height() * P(r, 1) / P(r, 0));
            touch();
        }
        break;
    case Wmf::MOVETO:
        s.Position = QPoint(P(r, 1), P(r, 0));
        C().MoveTo(s.Position.x(), s.Position.y());
        break;
    case Wmf::LINETO:
        if (Figure()) {
            C().MoveTo(s.Position.x(), s.Position.y());
            C().LineTo(P(r, 1), P(r, 0));
        }
        s.Position = QPoint(P(r, 1), P(r, 0));
        break;
    case Wmf::EXCLUDECLIPRECT:
    case Wmf::INTERSECTCLIPRECT:
        FDc.CombineClip(FDc.LogicalRect(P(r, 3), P(r, 2), P(r, 1), P(r, 0)),
                        function == Wmf::INTERSECTCLIPRECT ? RGN_AND : RGN_DIFF);
        break;
    case Wmf::OFFSETCLIPRGN:
        if (s.Clip) {
            const QTransform t = FDc.LogicalToTarget();
            const QPointF d = t.map(QPointF(P(r, 1), P(r, 0))) - t.map(QPointF());
            FDc.SetClip(s.Clip->translated(int(std::lround(std::clamp(d.x(), -1e8, 1e8))),
                                           int(std::lround(std::clamp(d.y(), -1e8, 1e8)))));
        }
        break;
    case Wmf::ARC:
    case Wmf::PIE:
    case Wmf::CHORD:
        if (Figure()) {
            const int l = P(r, 7), t = P(r, 6), rr = P(r, 5), b = P(r, 4);
            const int xs = P(r, 3), ys = P(r, 2), xe = P(r, 1), ye = P(r, 0);
            if (function == Wmf::ARC)
                C().Arc(l, t, rr, b, xs, ys, xe, ye);
            else if (function == Wmf::PIE)
                C().Pie(l, t, rr, b, xs, ys, xe, ye);
            else
                C().Chord(l, t, rr, b, xs, ys, xe, ye);
        }
        break;
    case Wmf::ELLIPSE:
        if (Figure())
            C().Ellipse(P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        break;
    case Wmf::RECTANGLE:
        if (Figure())
            C().Rectangle(P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        break;
    case Wmf::ROUNDRECT:
        if (Figure())
            C().RoundRect(P(r, 5), P(r, 4), P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        break;
    case Wmf::SETPIXEL:
        if (Figure())
            C().SetPixels(P(r, 3), P(r, 2), TColor(r.U32(6) & 0xFFFFFF));
        break;
    case Wmf::POLYGON:
    case Wmf::POLYLINE: {
        std::vector<TPoint> points;
        if (r.Points(8, uint64_t(std::max(0, P(r, 0))), true, points) && !points.empty() && Figure()) {
            if (function == Wmf::POLYGON)
                C().Polygon(points);
            else
                C().Polyline(points);
        }
        break;
    }
    case Wmf::POLYPOLYGON: {
        const int polys = std::max(0, P(r, 0));
        std::vector<std::vector<TPoint>> figures;
        uint64_t at = 8 + 2 * uint64_t(polys);
        for (int i = 0; i < polys; ++i) {
            std::vector<TPoint> points;
            const uint64_t n = uint64_t(std::max(0, int(r.I16(8 + 2 * uint64_t(i)))));
            if (!r.Points(at, n, true, points))
                return true;
            figures.push_back(std::move(points));
            at += 4 * n;
        }
        FDc.PolyPolygon(figures);
        break;
    }
    case Wmf::SAVEDC: FDc.Save(); break;
    case Wmf::RESTOREDC: FDc.Restore(P(r, 0)); break;
    case Wmf::SELECTOBJECT: FDc.Select(r.U16(6)); break;
    case Wmf::DELETEOBJECT: FDc.Delete(r.U16(6)); break;
    case Wmf::SELECTCLIPREGION: {
        const TObject* o = FDc.Object(r.U16(6));
        if (o && o->Kind == TObject::TKind::Region)
            FDc.SetClip(RegionOf(r.U16(6)));
        break;
    }
    case Wmf::FILLREGION:
    case Wmf::PAINTREGION: {
        const QRegion region = RegionOf(r.U16(6));
        if (region.isEmpty() || !Figure())
            break;
        TBrush brush;
        brush.Assign(C().Brush());
        const TObject* b = function == Wmf::FILLREGION ? FDc.Object(r.U16(8)) : nullptr;
        if (b && b->Kind == TObject::TKind::Brush) {
            brush.SetStyle(b->Brush.Null ? bsClear : b->Brush.Style);
            brush.SetColor(b->Brush.Color);
        }
        // The region is in target pixels: drawn without the world transform.
        C().SetWorldTransform(XFORM());
        C().FillRgn(TRegion::FromQRegion(region), brush);
        FDc.Touch();
        break;
    }
    case Wmf::CREATEPENINDIRECT:
    case Wmf::CREATEBRUSHINDIRECT:
    case Wmf::DIBCREATEPATTERNBRUSH:
    case Wmf::CREATEPATTERNBRUSH:
    case Wmf::CREATEFONTINDIRECT:
    case Wmf::CREATEPALETTE:
    case Wmf::CREATEREGION: CreateObject(function, r); break;
    case Wmf::TEXTOUT:
    case Wmf::EXTTEXTOUT: Text(function, r); break;
    case Wmf::PATBLT:
    case Wmf::DIBBITBLT:
    case Wmf::DIBSTRETCHBLT:
    case Wmf::STRETCHDIB: Bitmap(function, r, words); break;
    default: break; // mapping of the viewport, palettes, escapes: nothing to draw
    }
    return true;
}

} // namespace

QSize TWmfHeader::PixelSize(int ppi) const
{
    if (!Placeable || Inch <= 0)
        return QSize();
    const double w = (double(Box.right()) - Box.left()) * ppi / Inch;
    const double h = (double(Box.bottom()) - Box.top()) * ppi / Inch;
    if (!(w >= 0.5) || !(h >= 0.5))
        return QSize();
    return QSize(int(std::lround(w)), int(std::lround(h)));
}

bool ReadWmfHeader(const QByteArray& data, TWmfHeader& header, QString* error)
{
    const TRecordView r(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
    header = TWmfHeader();
    uint64_t at = 0;
    if (r.U32(0) == Wmf::PLACEABLE_KEY) {
        header.Placeable = true;
        // Left, top, right, bottom, as the header stores them (right and bottom exclusive).
        header.Box = QRect(QPoint(r.I16(6), r.I16(8)), QPoint(r.I16(10), r.I16(12)));
        header.Inch = r.U16(14);
        at = Wmf::PLACEABLE_SIZE;
    }
    const uint16_t type = r.U16(at), words = r.U16(at + 2), version = r.U16(at + 4);
    if (!r.Has(at, 18) || (type != 1 && type != 2) || words != Wmf::HEADER_WORDS
        || (version != 0x0100 && version != 0x0300)) {
        SetError(error, QStringLiteral("The data is not a Windows metafile."));
        return false;
    }
    header.Objects = r.U16(at + 10);
    header.RecordsAt = qsizetype(at + 18);
    return true;
}

bool PlayWmf(const QByteArray& data, const TWmfHeader& header, TCanvas& canvas, const QRectF& target, QString* error)
{
    TWmfPlayer player(canvas, std::max<size_t>(header.Objects, 1));
    TState& state = player.Dc().State();
    if (header.Placeable) {
        state.WindowOrg = QPointF(header.Box.left(), header.Box.top());
        state.WindowExt = QSizeF(double(header.Box.right()) - header.Box.left(), double(header.Box.bottom()) - header.Box.top());
    }
    player.Dc().SetWindowTarget(target);
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    uint64_t at = uint64_t(header.RecordsAt);
    while (at + 6 <= uint64_t(data.size())) {
        const TRecordView head(bytes + at, size_t(uint64_t(data.size()) - at));
        const uint32_t words = head.U32(0);
        const uint64_t size = uint64_t(words) * 2;
        if (words < 3 || !head.Has(0, size)) {
            SetError(error, QStringLiteral("A record of the metafile is damaged."));
            canvas.SelectClipRgn(nullptr);
            return false;
        }
        if (!player.Play(head.U16(4), TRecordView(bytes + at, size_t(size)), words))
            break;
        at += size;
    }
    canvas.SelectClipRgn(nullptr);
    return true;
}

} // namespace Mf
