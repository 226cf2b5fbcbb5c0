#include "WmfWriter.h"

#include "AnsiString.h"
#include "Dib.h"
#include "GraphicsTypes.h"
#include "MetafileRecords.h"
#include "Stream.h"

#include <QPainterPath>
#include <algorithm>

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kMaxPoints = INT16_MAX;

int16_t Clamp16(int v)
{
    return int16_t(std::clamp(v, int(INT16_MIN), int(INT16_MAX)));
}

uint32_t ColorRef(TColor color)
{
    return uint32_t(ColorToRGB(color)) & 0x00FFFFFF;
}

// The polygons and polylines a path flattens to, each figure with its closing flag.
struct Figure {
    QPolygon Points;
    bool Closed = false;
};

std::vector<Figure> Flatten(const TMfPath& path)
{
    std::vector<Figure> figures;
    QPainterPath qpath;
    const size_t n = std::min(path.Points.size(), path.Kinds.size());
    auto flush = [&](bool closed) {
        for (const QPolygonF& poly : qpath.toSubpathPolygons())
            figures.push_back({poly.toPolygon(), closed});
        qpath = QPainterPath();
    };
    for (size_t i = 0; i < n; ++i) {
        const uint8_t kind = path.Kinds[i] & ~PT_CLOSEFIGURE;
        const QPointF p(path.Points[i]);
        if (kind == PT_MOVETO) {
            flush(false);
            qpath.moveTo(p);
        } else if (kind == PT_BEZIERTO && i + 2 < n) {
            qpath.cubicTo(p, QPointF(path.Points[i + 1]), QPointF(path.Points[i + 2]));
            i += 2;
        } else {
            qpath.lineTo(p);
        }
        if (path.Kinds[i] & PT_CLOSEFIGURE) {
            qpath.closeSubpath();
            flush(true);
        }
    }
    flush(false);
    return figures;
}

} // namespace

TWmfWriter::TWmfWriter(QIODevice& out, QSize size) : FOut(out), FSize(size.expandedTo(QSize(1, 1)))
{
    FStart = out.pos();
    TLeBytes header;
    Header(header);
    if (!WriteExact(FOut, header.Data()))
        Fail();
    FWords = Wmf::HEADER_WORDS;
    TLeBytes& org = Start(Wmf::SETWINDOWORG);
    org.I16(0);
    org.I16(0);
    End();
    TLeBytes& ext = Start(Wmf::SETWINDOWEXT);
    ext.I16(Clamp16(FSize.height()));
    ext.I16(Clamp16(FSize.width()));
    End();
    Simple(Wmf::SETSTRETCHBLTMODE, COLORONCOLOR);
}

TWmfWriter::~TWmfWriter() = default;

uint16_t TWmfWriter::PlaceableChecksum(const uint8_t* header)
{
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= uint16_t(header[2 * i] | (header[2 * i + 1] << 8));
    return sum;
}

void TWmfWriter::Header(TLeBytes& out) const
{
    // The placeable header: the picture's box in pixels and the pixels per inch.
    TLeBytes placeable;
    placeable.U32(Wmf::PLACEABLE_KEY);
    placeable.U16(0);
    placeable.I16(0);
    placeable.I16(0);
    placeable.I16(Clamp16(FSize.width()));
    placeable.I16(Clamp16(FSize.height()));
    placeable.U16(kPixelsPerInch);
    placeable.U32(0);
    placeable.U16(PlaceableChecksum(reinterpret_cast<const uint8_t*>(placeable.Data().constData())));
    out.Bytes(placeable.Data().constData(), placeable.Size());
    // The metafile header: a memory metafile, its size in words and its largest record.
    out.U16(1);
    out.U16(Wmf::HEADER_WORDS);
    out.U16(Wmf::VERSION);
    out.U32(uint32_t(std::min<uint64_t>(FWords, UINT32_MAX)));
    out.U16(uint16_t(std::min<size_t>(FObjects.size(), UINT16_MAX)));
    out.U32(FMaxRecord);
    out.U16(0);
}

TLeBytes& TWmfWriter::Start(uint16_t function)
{
    FRecord.Clear();
    FRecord.U32(0);
    FRecord.U16(function);
    return FRecord;
}

void TWmfWriter::End()
{
    if (!Ok())
        return;
    FRecord.Align(2);
    const uint64_t words = uint64_t(FRecord.Size()) / 2;
    if (FWords + words > UINT32_MAX) {
        Fail(); // the format counts its words in 32 bits
        return;
    }
    FRecord.PatchU32(0, uint32_t(words));
    if (!WriteExact(FOut, FRecord.Data())) {
        Fail();
        return;
    }
    FWords += words;
    FMaxRecord = std::max(FMaxRecord, uint32_t(words));
}

void TWmfWriter::Simple(uint16_t function, uint16_t value)
{
    TLeBytes& r = Start(function);
    r.U16(value);
    r.U16(0);
    End();
}

void TWmfWriter::Points(TLeBytes& out, const QPolygon& points)
{
    for (const QPoint& p : points) {
        out.I16(Clamp16(p.x()));
        out.I16(Clamp16(p.y()));
    }
}

// Bottom, right, top, left: the order of the box parameters.
void TWmfWriter::Box(TLeBytes& out, const QRect& box)
{
    out.I16(Clamp16(box.top() + box.height()));
    out.I16(Clamp16(box.left() + box.width()));
    out.I16(Clamp16(box.top()));
    out.I16(Clamp16(box.left()));
}

void TWmfWriter::Polyline(const QPolygon& points)
{
    // Long lines go in pieces that share their end points.
    for (int from = 0; from + 1 < points.size() && Ok(); from += kMaxPoints - 1) {
        const int count = std::min(kMaxPoints, int(points.size()) - from);
        TLeBytes& r = Start(Wmf::POLYLINE);
        r.I16(int16_t(count));
        Points(r, points.mid(from, count));
        End();
    }
}

void TWmfWriter::PolyPolyline(const std::vector<QPolygon>& lines)
{
    for (const QPolygon& line : lines)
        Polyline(line);
}

void TWmfWriter::Polygon(const QPolygon& points)
{
    if (points.isEmpty() || !Ok())
        return;
    const QPolygon kept = points.mid(0, kMaxPoints);
    TLeBytes& r = Start(Wmf::POLYGON);
    r.I16(int16_t(kept.size()));
    Points(r, kept);
    End();
}

void TWmfWriter::PolyPolygon(const std::vector<QPolygon>& polygons)
{
    if (polygons.empty() || !Ok())
        return;
    if (polygons.size() == 1) {
        Polygon(polygons.front());
        return;
    }
    // One record holds at most 32767 polygons; more are written in several.
    for (size_t from = 0; from < polygons.size() && Ok(); from += kMaxPoints) {
        const size_t to = std::min(polygons.size(), from + size_t(kMaxPoints));
        TLeBytes& r = Start(Wmf::POLYPOLYGON);
        r.I16(int16_t(to - from));
        for (size_t i = from; i < to; ++i)
            r.I16(int16_t(std::min<qsizetype>(polygons[i].size(), kMaxPoints)));
        for (size_t i = from; i < to; ++i)
            Points(r, polygons[i].mid(0, kMaxPoints));
        End();
    }
}

void TWmfWriter::PolyBezier(const QPolygon& points)
{
    if (points.size() < 4)
        return;
    QPainterPath path{QPointF(points[0])};
    for (int i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(QPointF(points[i]), QPointF(points[i + 1]), QPointF(points[i + 2]));
    for (const QPolygonF& poly : path.toSubpathPolygons())
        Polyline(poly.toPolygon());
}

void TWmfWriter::Ellipse(const QRect& box)
{
    if (!Ok())
        return;
    TLeBytes& r = Start(Wmf::ELLIPSE);
    Box(r, box);
    End();
}

void TWmfWriter::ArcFigure(TMfArcKind kind, const QRect& box, QPoint start, QPoint end)
{
    if (!Ok())
        return;
    TLeBytes& r = Start(kind == TMfArcKind::Pie ? Wmf::PIE : kind == TMfArcKind::Chord ? Wmf::CHORD : Wmf::ARC);
    r.I16(Clamp16(end.y()));
    r.I16(Clamp16(end.x()));
    r.I16(Clamp16(start.y()));
    r.I16(Clamp16(start.x()));
    Box(r, box);
    End();
}

// Closed figures are filled and outlined as one poly-polygon; open ones are outlined as
// polylines, their filled part drawn first without a pen.
void TWmfWriter::Path(const TMfPath& path, bool fill, bool stroke)
{
    if (!Ok() || (!fill && !stroke))
        return;
    const std::vector<Figure> figures = Flatten(path);
    std::vector<QPolygon> closed, open;
    for (const Figure& f : figures)
        (f.Closed ? closed : open).push_back(f.Points);
    if (open.empty() && fill && stroke) {
        PolyPolygon(closed);
        return;
    }
    if (fill) {
        std::vector<QPolygon> all;
        for (const Figure& f : figures)
            all.push_back(f.Points);
        if (stroke) {
            // The fill alone: a pen drawing nothing, then the stroke with the real pen.
            const TMfPen pen = FSelectedPen;
            SelectPen(TMfPen{PS_NULL, 0, 0});
            PolyPolygon(all);
            SelectPen(pen);
        } else {
            PolyPolygon(all);
        }
    }
    if (stroke) {
        for (QPolygon line : closed) {
            if (!line.isEmpty())
                line.append(line.front());
            Polyline(line);
        }
        for (const QPolygon& line : open)
            Polyline(line);
    }
}

void TWmfWriter::Text(QPoint ref, const QString& text, const std::vector<int32_t>& advances)
{
    if (text.isEmpty() || !Ok())
        return;
    const qsizetype count = std::min<qsizetype>(text.size(), kMaxPoints);
    TLeBytes& r = Start(Wmf::EXTTEXTOUT);
    r.I16(Clamp16(ref.y()));
    r.I16(Clamp16(ref.x()));
    r.I16(int16_t(count));
    r.U16(0); // no options, so no rectangle follows
    for (qsizetype i = 0; i < count; ++i) {
        const int ansi = UnicodeToAnsi(text[i].unicode());
        r.U8(uint8_t(ansi < 0 ? '?' : ansi));
    }
    r.Align(2);
    for (qsizetype i = 0; i < count; ++i)
        r.I16(Clamp16(size_t(i) < advances.size() ? advances[size_t(i)] : 0));
    End();
}

void TWmfWriter::StretchDib(const QRect& dest, const QImage& image, uint32_t rop)
{
    if (image.isNull() || dest.isEmpty() || !Ok())
        return;
    // The source size is 16-bit too: a larger picture is reduced to fit.
    QImage source = image;
    if (source.width() > kMaxPoints || source.height() > kMaxPoints)
        source = source.scaled(std::min(source.width(), kMaxPoints), std::min(source.height(), kMaxPoints));
    TLeBytes& r = Start(Wmf::STRETCHDIB);
    r.U32(rop);
    r.U16(uint16_t(DIB_RGB_COLORS));
    r.I16(int16_t(source.height()));
    r.I16(int16_t(source.width()));
    r.I16(0);
    r.I16(0);
    r.I16(Clamp16(dest.height()));
    r.I16(Clamp16(dest.width()));
    r.I16(Clamp16(dest.top()));
    r.I16(Clamp16(dest.left()));
    AppendDibHeader(r, source);
    AppendDibBits(r, source);
    End();
}

void TWmfWriter::SetPixel(QPoint at, TColor color)
{
    if (!Ok())
        return;
    TLeBytes& r = Start(Wmf::SETPIXEL);
    r.U32(ColorRef(color));
    r.I16(Clamp16(at.y()));
    r.I16(Clamp16(at.x()));
    End();
}

// ---- Objects ----

uint16_t TWmfWriter::NewObject()
{
    auto free = std::find(FObjects.begin(), FObjects.end(), false);
    if (free != FObjects.end()) {
        *free = true;
        return uint16_t(free - FObjects.begin());
    }
    FObjects.push_back(true);
    return uint16_t(FObjects.size() - 1);
}

// As in the EMF writer: the last two objects of a slot stay, the one falling out of the
// pair is deleted once another is selected.
void TWmfWriter::Select(int slot, const QByteArray& key, const std::function<void(uint16_t)>& create)
{
    std::vector<TCached>& cache = FCache[slot];
    ++FUse;
    for (TCached& c : cache) {
        if (c.Key == key) {
            c.Used = FUse;
            Start(Wmf::SELECTOBJECT).U16(c.Index);
            End();
            return;
        }
    }
    const uint16_t index = NewObject();
    create(index);
    Start(Wmf::SELECTOBJECT).U16(index);
    End();
    if (cache.size() == 2) {
        auto oldest = std::min_element(cache.begin(), cache.end(),
                                       [](const TCached& a, const TCached& b) { return a.Used < b.Used; });
        Start(Wmf::DELETEOBJECT).U16(oldest->Index);
        End();
        FObjects[oldest->Index] = false;
        cache.erase(oldest);
    }
    cache.push_back({key, index, FUse});
}

void TWmfWriter::WritePen(const TMfPen& pen)
{
    FSelectedPen = pen;
    TLeBytes body;
    body.U16(uint16_t(pen.Style & 0xFFFF));
    body.I16(Clamp16(pen.Width));
    body.I16(0);
    body.U32(ColorRef(pen.Color));
    Select(0, body.Data(), [&](uint16_t) {
        TLeBytes& r = Start(Wmf::CREATEPENINDIRECT);
        r.Bytes(body.Data().constData(), body.Size());
        End();
    });
}

void TWmfWriter::WriteBrush(const TMfBrush& brush)
{
    const bool pattern = brush.Style == BS_DIBPATTERNPT && !brush.Pattern.isNull();
    TLeBytes body;
    body.U16(uint16_t(pattern ? BS_DIBPATTERNPT
                              : brush.Style == BS_HATCHED || brush.Style == BS_NULL ? brush.Style : BS_SOLID));
    body.U32(ColorRef(brush.Color));
    body.U16(uint16_t(brush.Style == BS_HATCHED ? brush.Hatch : 0));
    TLeBytes key = body;
    key.U32(uint32_t(brush.Pattern.cacheKey()));
    key.U32(uint32_t(uint64_t(brush.Pattern.cacheKey()) >> 32));
    Select(1, key.Data(), [&](uint16_t) {
        if (pattern) {
            TLeBytes& r = Start(Wmf::DIBCREATEPATTERNBRUSH);
            r.U16(uint16_t(BS_DIBPATTERNPT));
            r.U16(uint16_t(DIB_RGB_COLORS));
            AppendDibHeader(r, brush.Pattern);
            AppendDibBits(r, brush.Pattern);
        } else {
            TLeBytes& r = Start(Wmf::CREATEBRUSHINDIRECT);
            r.Bytes(body.Data().constData(), body.Size());
        }
        End();
    });
}

void TWmfWriter::WriteFont(const TMfFont& font)
{
    TLeBytes body;
    body.I16(Clamp16(font.Height));
    body.I16(0);
    body.I16(Clamp16(font.Escapement));
    body.I16(Clamp16(font.Escapement));
    body.I16(Clamp16(font.Weight));
    body.U8(font.Italic);
    body.U8(font.Underline);
    body.U8(font.StrikeOut);
    body.U8(ANSI_CHARSET);
    body.U8(0);
    body.U8(0);
    body.U8(DEFAULT_QUALITY);
    body.U8(DEFAULT_PITCH);
    QByteArray face = ToAnsi(font.Face.left(31));
    face.resize(32, '\0');
    body.Bytes(face.constData(), 32);
    Select(2, body.Data(), [&](uint16_t) {
        TLeBytes& r = Start(Wmf::CREATEFONTINDIRECT);
        r.Bytes(body.Data().constData(), body.Size());
        End();
    });
}

void TWmfWriter::WriteRop2(int rop)
{
    Simple(Wmf::SETROP2, uint16_t(rop));
}

void TWmfWriter::WriteBkMode(int mode)
{
    Simple(Wmf::SETBKMODE, uint16_t(mode));
}

void TWmfWriter::WriteBkColor(TColor color)
{
    Start(Wmf::SETBKCOLOR).U32(ColorRef(color));
    End();
}

void TWmfWriter::WriteTextColor(TColor color)
{
    Start(Wmf::SETTEXTCOLOR).U32(ColorRef(color));
    End();
}

void TWmfWriter::WriteTextAlign(uint32_t align)
{
    Simple(Wmf::SETTEXTALIGN, uint16_t(align));
}

void TWmfWriter::WritePolyFillMode(int mode)
{
    Simple(Wmf::SETPOLYFILLMODE, uint16_t(mode));
}

// A clip is a region object selected and deleted at once; no clip is the region of the
// whole picture.
void TWmfWriter::WriteClip(const std::optional<QRegion>& clip)
{
    Region(clip ? *clip : QRegion(0, 0, FSize.width(), FSize.height()));
}

// The region object: its bands (scans) of equal top and bottom, each with its runs.
void TWmfWriter::Region(const QRegion& region)
{
    struct Scan {
        int Top, Bottom;
        std::vector<std::pair<int, int>> Runs;
    };
    std::vector<Scan> scans;
    for (const QRect& r : region) {
        const int top = r.top(), bottom = r.top() + r.height();
        if (scans.empty() || scans.back().Top != top || scans.back().Bottom != bottom)
            scans.push_back({top, bottom, {}});
        scans.back().Runs.emplace_back(r.left(), r.left() + r.width());
    }
    size_t bytes = 22;
    size_t maxScan = 0;
    for (const Scan& s : scans) {
        bytes += 8 + 4 * s.Runs.size();
        maxScan = std::max(maxScan, s.Runs.size() * 2);
    }
    if (scans.size() > size_t(kMaxPoints) || bytes > size_t(kMaxPoints)) {
        // Beyond what the 16-bit fields hold: clip to the region's box instead.
        Region(QRegion(region.boundingRect()));
        return;
    }
    const uint16_t index = NewObject();
    const QRect box = region.boundingRect();
    TLeBytes& r = Start(Wmf::CREATEREGION);
    r.U16(0);
    r.I16(6);
    r.U32(0);
    r.I16(int16_t(bytes));
    r.I16(int16_t(scans.size()));
    r.I16(int16_t(maxScan));
    r.I16(Clamp16(box.left()));
    r.I16(Clamp16(box.top()));
    r.I16(Clamp16(box.left() + box.width()));
    r.I16(Clamp16(box.top() + box.height()));
    for (const Scan& s : scans) {
        r.U16(uint16_t(s.Runs.size() * 2));
        r.I16(Clamp16(s.Top));
        r.I16(Clamp16(s.Bottom));
        for (const auto& [left, right] : s.Runs) {
            r.I16(Clamp16(left));
            r.I16(Clamp16(right));
        }
        r.U16(uint16_t(s.Runs.size() * 2));
    }
    End();
    TLeBytes& select = Start(Wmf::SELECTCLIPREGION);
    select.U16(index);
    End();
    TLeBytes& del = Start(Wmf::DELETEOBJECT);
    del.U16(index);
    End();
    FObjects[index] = false;
}

// ---- The end ----

bool TWmfWriter::Finish()
{
    if (FFinished)
        return Ok();
    FFinished = true;
    Start(Wmf::EOF_);
    End();
    if (!Ok())
        return false;
    const qint64 end = FOut.pos();
    TLeBytes header;
    Header(header);
    if (!FOut.seek(FStart) || !WriteExact(FOut, header.Data()) || !FOut.seek(end)) {
        Fail();
        return false;
    }
    return true;
}
