#include "EmfWriter.h"

#include "Dib.h"
#include "GraphicsTypes.h"
#include "MetafileRecords.h"
#include "Stream.h"

#include <algorithm>

namespace {

// The reference device: a 96 pixels-per-inch screen of 1920 x 1440 pixels, 508 x 381 mm.
constexpr int kRefWidth = 1920;
constexpr int kRefHeight = 1440;
constexpr int kRefWidthMm = 508;
constexpr int kRefHeightMm = 381;
constexpr double kHundredthsMmPerPixel = 2540.0 / 96.0;

bool Fits16(const QPolygon& points)
{
    for (const QPoint& p : points)
        if (p.x() < INT16_MIN || p.x() > INT16_MAX || p.y() < INT16_MIN || p.y() > INT16_MAX)
            return false;
    return true;
}

uint32_t ColorRef(TColor color)
{
    return uint32_t(ColorToRGB(color)) & 0x00FFFFFF;
}

} // namespace

TEmfWriter::TEmfWriter(QIODevice& out, QSize size) : FOut(out), FSize(size.expandedTo(QSize(1, 1)))
{
    FStart = out.pos();
    TLeBytes header;
    Header(header);
    if (!WriteExact(FOut, header.Data()))
        Fail();
    FBytes = uint64_t(header.Size());
    FRecords = 1;
    Simple(Emf::SETSTRETCHBLTMODE, COLORONCOLOR);
}

TEmfWriter::~TEmfWriter() = default;

void TEmfWriter::Header(TLeBytes& out) const
{
    const bool drawn = FBounds.isValid();
    out.U32(Emf::HEADER);
    out.U32(Emf::HEADER_SIZE);
    out.I32(drawn ? FBounds.left() : 0);
    out.I32(drawn ? FBounds.top() : 0);
    out.I32(drawn ? FBounds.right() : -1);
    out.I32(drawn ? FBounds.bottom() : -1);
    // The frame: the picture's size in hundredths of a millimetre, inclusive.
    out.I32(0);
    out.I32(0);
    out.I32(int32_t(FSize.width() * kHundredthsMmPerPixel + 0.5) - 1);
    out.I32(int32_t(FSize.height() * kHundredthsMmPerPixel + 0.5) - 1);
    out.U32(Emf::SIGNATURE);
    out.U32(Emf::VERSION);
    out.U32(uint32_t(std::min<uint64_t>(FBytes, UINT32_MAX)));
    out.U32(FRecords);
    out.U16(uint16_t(std::min<size_t>(FHandles.size(), UINT16_MAX)));
    out.U16(0);
    out.U32(0); // no description
    out.U32(0);
    out.U32(0); // no palette
    out.I32(kRefWidth);
    out.I32(kRefHeight);
    out.I32(kRefWidthMm);
    out.I32(kRefHeightMm);
    out.U32(0); // no pixel format
    out.U32(0);
    out.U32(0); // not OpenGL
    out.I32(kRefWidthMm * 1000);
    out.I32(kRefHeightMm * 1000);
}

TLeBytes& TEmfWriter::Start(uint32_t type)
{
    FRecord.Clear();
    FRecord.U32(type);
    FRecord.U32(0); // the size, filled in by End
    return FRecord;
}

void TEmfWriter::End()
{
    if (!Ok())
        return;
    FRecord.Align(4);
    FRecord.PatchU32(4, uint32_t(FRecord.Size()));
    if (FBytes + uint64_t(FRecord.Size()) > UINT32_MAX || !WriteExact(FOut, FRecord.Data())) {
        Fail(); // the format counts its bytes in 32 bits
        return;
    }
    FBytes += uint64_t(FRecord.Size());
    ++FRecords;
}

void TEmfWriter::Simple(uint32_t type, uint32_t value)
{
    Start(type).U32(value);
    End();
}

void TEmfWriter::Bounds(TLeBytes& out, const QRect& inclusive)
{
    out.I32(inclusive.left());
    out.I32(inclusive.top());
    out.I32(inclusive.right());
    out.I32(inclusive.bottom());
    FBounds = FBounds.isValid() ? FBounds.united(inclusive) : inclusive;
}

void TEmfWriter::Bounds(TLeBytes& out, const QPolygon& points)
{
    Bounds(out, points.boundingRect());
}

void TEmfWriter::Points(TLeBytes& out, const QPolygon& points, bool small)
{
    for (const QPoint& p : points) {
        if (small) {
            out.I16(int16_t(p.x()));
            out.I16(int16_t(p.y()));
        } else {
            out.I32(p.x());
            out.I32(p.y());
        }
    }
}

void TEmfWriter::Poly(uint32_t type16, uint32_t type32, const QPolygon& points)
{
    if (points.isEmpty() || !Ok())
        return;
    const bool small = Fits16(points);
    TLeBytes& r = Start(small ? type16 : type32);
    Bounds(r, points);
    r.U32(uint32_t(points.size()));
    Points(r, points, small);
    End();
}

void TEmfWriter::PolyPoly(uint32_t type16, uint32_t type32, const std::vector<QPolygon>& polys)
{
    if (polys.empty() || !Ok())
        return;
    bool small = true;
    QRect box;
    uint32_t total = 0;
    for (const QPolygon& p : polys) {
        small = small && Fits16(p);
        box = box.united(p.boundingRect());
        total += uint32_t(p.size());
    }
    TLeBytes& r = Start(small ? type16 : type32);
    Bounds(r, box);
    r.U32(uint32_t(polys.size()));
    r.U32(total);
    for (const QPolygon& p : polys)
        r.U32(uint32_t(p.size()));
    for (const QPolygon& p : polys)
        Points(r, p, small);
    End();
}

void TEmfWriter::Polyline(const QPolygon& points)
{
    Poly(Emf::POLYLINE16, Emf::POLYLINE, points);
}

void TEmfWriter::PolyPolyline(const std::vector<QPolygon>& lines)
{
    if (lines.size() == 1)
        Polyline(lines.front());
    else
        PolyPoly(Emf::POLYPOLYLINE16, Emf::POLYPOLYLINE, lines);
}

void TEmfWriter::Polygon(const QPolygon& points)
{
    Poly(Emf::POLYGON16, Emf::POLYGON, points);
}

void TEmfWriter::PolyPolygon(const std::vector<QPolygon>& polygons)
{
    if (polygons.size() == 1)
        Polygon(polygons.front());
    else
        PolyPoly(Emf::POLYPOLYGON16, Emf::POLYPOLYGON, polygons);
}

void TEmfWriter::PolyBezier(const QPolygon& points)
{
    if (points.size() < 4 || (points.size() - 1) % 3 != 0)
        return;
    Poly(Emf::POLYBEZIER16, Emf::POLYBEZIER, points);
}

void TEmfWriter::Ellipse(const QRect& box)
{
    if (!Ok())
        return;
    TLeBytes& r = Start(Emf::ELLIPSE);
    r.I32(box.left());
    r.I32(box.top());
    r.I32(box.left() + box.width());
    r.I32(box.top() + box.height());
    FBounds = FBounds.isValid() ? FBounds.united(box) : box;
    End();
}

void TEmfWriter::ArcFigure(TMfArcKind kind, const QRect& box, QPoint start, QPoint end)
{
    if (!Ok())
        return;
    const uint32_t type = kind == TMfArcKind::Pie ? Emf::PIE : kind == TMfArcKind::Chord ? Emf::CHORD : Emf::ARC;
    TLeBytes& r = Start(type);
    r.I32(box.left());
    r.I32(box.top());
    r.I32(box.left() + box.width());
    r.I32(box.top() + box.height());
    r.I32(start.x());
    r.I32(start.y());
    r.I32(end.x());
    r.I32(end.y());
    FBounds = FBounds.isValid() ? FBounds.united(box) : box;
    End();
}

void TEmfWriter::Path(const TMfPath& path, bool fill, bool stroke)
{
    if (path.Points.empty() || (!fill && !stroke) || !Ok())
        return;
    Start(Emf::BEGINPATH);
    End();
    const size_t n = std::min(path.Points.size(), path.Kinds.size());
    size_t i = 0;
    while (i < n && Ok()) {
        const uint8_t kind = path.Kinds[i] & ~PT_CLOSEFIGURE;
        if (kind == PT_MOVETO) {
            TLeBytes& r = Start(Emf::MOVETOEX);
            r.I32(path.Points[i].x());
            r.I32(path.Points[i].y());
            End();
            if (path.Kinds[i] & PT_CLOSEFIGURE) {
                Start(Emf::CLOSEFIGURE);
                End();
            }
            ++i;
            continue;
        }
        // A run of line or curve vertices, up to and including a closing one.
        QPolygon run;
        size_t j = i;
        bool close = false;
        while (j < n && (path.Kinds[j] & ~PT_CLOSEFIGURE) == kind) {
            run.append(path.Points[j]);
            close = path.Kinds[j] & PT_CLOSEFIGURE;
            ++j;
            if (close)
                break;
        }
        if (kind == PT_BEZIERTO) {
            run.resize(run.size() - run.size() % 3);
            Poly(Emf::POLYBEZIERTO16, Emf::POLYBEZIERTO, run);
        } else {
            Poly(Emf::POLYLINETO16, Emf::POLYLINETO, run);
        }
        if (close) {
            Start(Emf::CLOSEFIGURE);
            End();
        }
        i = j;
    }
    Start(Emf::ENDPATH);
    End();
    QPolygon all;
    all.reserve(qsizetype(n));
    for (size_t k = 0; k < n; ++k)
        all.append(path.Points[k]);
    TLeBytes& r = Start(fill && stroke ? Emf::STROKEANDFILLPATH : fill ? Emf::FILLPATH : Emf::STROKEPATH);
    Bounds(r, all);
    End();
}

void TEmfWriter::Text(QPoint ref, const QString& text, const std::vector<int32_t>& advances)
{
    if (text.isEmpty() || !Ok())
        return;
    const uint32_t chars = uint32_t(text.size());
    TLeBytes& r = Start(Emf::EXTTEXTOUTW);
    int64_t width = 0;
    for (int32_t a : advances)
        width += a;
    const QRect box(ref.x(), ref.y(), int(std::clamp<int64_t>(width, 1, INT32_MAX / 2)), 1);
    Bounds(r, box);
    r.U32(uint32_t(GM_COMPATIBLE));
    r.F32(float(kHundredthsMmPerPixel));
    r.F32(float(kHundredthsMmPerPixel));
    // EMRTEXT: the string right after the record's fixed part, the advances after it.
    const uint32_t offString = 76;
    const uint32_t offDx = offString + ((chars * 2 + 3) & ~3u);
    r.I32(ref.x());
    r.I32(ref.y());
    r.U32(chars);
    r.U32(offString);
    r.U32(0);
    r.I32(0);
    r.I32(0);
    r.I32(-1);
    r.I32(-1);
    r.U32(offDx);
    for (QChar ch : text)
        r.U16(ch.unicode());
    r.Align(4);
    for (uint32_t k = 0; k < chars; ++k)
        r.I32(k < advances.size() ? advances[k] : 0);
    End();
}

void TEmfWriter::StretchDib(const QRect& dest, const QImage& image, uint32_t rop)
{
    if (image.isNull() || dest.isEmpty() || !Ok())
        return;
    TLeBytes& r = Start(Emf::STRETCHDIBITS);
    Bounds(r, dest);
    TLeBytes info;
    const uint32_t bits = AppendDibHeader(info, image);
    r.I32(dest.left());
    r.I32(dest.top());
    r.I32(0);
    r.I32(0);
    r.I32(image.width());
    r.I32(image.height());
    r.U32(80); // the info block right after the fixed part
    r.U32(uint32_t(info.Size()));
    r.U32(80 + uint32_t(info.Size()));
    r.U32(bits);
    r.U32(DIB_RGB_COLORS);
    r.U32(rop);
    r.I32(dest.width());
    r.I32(dest.height());
    r.Bytes(info.Data().constData(), info.Size());
    AppendDibBits(r, image);
    End();
}

void TEmfWriter::SetPixel(QPoint at, TColor color)
{
    if (!Ok())
        return;
    TLeBytes& r = Start(Emf::SETPIXELV);
    r.I32(at.x());
    r.I32(at.y());
    r.U32(ColorRef(color));
    FBounds = FBounds.united(QRect(at, QSize(1, 1)));
    End();
}

// ---- Objects ----

uint32_t TEmfWriter::NewHandle()
{
    auto free = std::find(FHandles.begin() + 1, FHandles.end(), false);
    if (free != FHandles.end()) {
        *free = true;
        return uint32_t(free - FHandles.begin());
    }
    FHandles.push_back(true);
    return uint32_t(FHandles.size() - 1);
}

// An object is created once and selected again while it is one of the last two of its
// slot: the fill and the outline of a figure alternate between a pen and no pen, a brush
// and no brush. The object that falls out of the pair is deleted, never while selected.
void TEmfWriter::Select(int slot, const QByteArray& key, const std::function<void(uint32_t)>& create)
{
    std::vector<TCached>& cache = FCache[slot];
    ++FUse;
    for (TCached& c : cache) {
        if (c.Key == key) {
            c.Used = FUse;
            Simple(Emf::SELECTOBJECT, c.Handle);
            return;
        }
    }
    const uint32_t handle = NewHandle();
    create(handle);
    Simple(Emf::SELECTOBJECT, handle);
    if (cache.size() == 2) {
        auto oldest = std::min_element(cache.begin(), cache.end(),
                                       [](const TCached& a, const TCached& b) { return a.Used < b.Used; });
        Simple(Emf::DELETEOBJECT, oldest->Handle);
        FHandles[oldest->Handle] = false;
        cache.erase(oldest);
    }
    cache.push_back({key, handle, FUse});
}

void TEmfWriter::WritePen(const TMfPen& pen)
{
    if ((pen.Style & PS_STYLE_MASK) == PS_NULL) {
        Simple(Emf::SELECTOBJECT, Emf::STOCK_OBJECT | NULL_PEN);
        return;
    }
    TLeBytes key;
    key.U32(pen.Style);
    key.I32(pen.Width);
    key.U32(ColorRef(pen.Color));
    Select(0, key.Data(), [&](uint32_t handle) {
        if (pen.Style & PS_GEOMETRIC) {
            TLeBytes& r = Start(Emf::EXTCREATEPEN);
            r.U32(handle);
            r.U32(0); // no pattern bitmap
            r.U32(0);
            r.U32(0);
            r.U32(0);
            r.U32(pen.Style);
            r.U32(uint32_t(std::max(pen.Width, 1)));
            r.U32(BS_SOLID);
            r.U32(ColorRef(pen.Color));
            r.U32(0);
            r.U32(0); // no dash entries
        } else {
            TLeBytes& r = Start(Emf::CREATEPEN);
            r.U32(handle);
            r.U32(pen.Style & PS_STYLE_MASK);
            r.I32(pen.Width);
            r.I32(0);
            r.U32(ColorRef(pen.Color));
        }
        End();
    });
}

void TEmfWriter::WriteBrush(const TMfBrush& brush)
{
    if (brush.Style == BS_NULL) {
        Simple(Emf::SELECTOBJECT, Emf::STOCK_OBJECT | NULL_BRUSH);
        return;
    }
    const bool pattern = brush.Style == BS_DIBPATTERNPT && !brush.Pattern.isNull();
    TLeBytes key;
    key.U32(pattern ? BS_DIBPATTERNPT : brush.Style);
    key.U32(ColorRef(brush.Color));
    key.U32(brush.Hatch);
    key.U32(uint32_t(brush.Pattern.cacheKey()));
    key.U32(uint32_t(uint64_t(brush.Pattern.cacheKey()) >> 32));
    Select(1, key.Data(), [&](uint32_t handle) {
        if (pattern) {
            TLeBytes& r = Start(Emf::CREATEDIBPATTERNBRUSHPT);
            TLeBytes info;
            const uint32_t bits = AppendDibHeader(info, brush.Pattern);
            r.U32(handle);
            r.U32(DIB_RGB_COLORS);
            r.U32(32);
            r.U32(uint32_t(info.Size()));
            r.U32(32 + uint32_t(info.Size()));
            r.U32(bits);
            r.Bytes(info.Data().constData(), info.Size());
            AppendDibBits(r, brush.Pattern);
        } else {
            TLeBytes& r = Start(Emf::CREATEBRUSHINDIRECT);
            r.U32(handle);
            r.U32(brush.Style == BS_HATCHED ? BS_HATCHED : BS_SOLID);
            r.U32(ColorRef(brush.Color));
            r.U32(brush.Style == BS_HATCHED ? brush.Hatch : 0);
        }
        End();
    });
}

void TEmfWriter::WriteFont(const TMfFont& font)
{
    TLeBytes logFont;
    logFont.I32(font.Height);
    logFont.I32(0);
    logFont.I32(font.Escapement);
    logFont.I32(font.Escapement);
    logFont.I32(font.Weight);
    logFont.U8(font.Italic);
    logFont.U8(font.Underline);
    logFont.U8(font.StrikeOut);
    logFont.U8(DEFAULT_CHARSET);
    logFont.U8(0); // OUT_DEFAULT_PRECIS
    logFont.U8(0); // CLIP_DEFAULT_PRECIS
    logFont.U8(DEFAULT_QUALITY);
    logFont.U8(DEFAULT_PITCH);
    const QString face = font.Face.left(31);
    for (int k = 0; k < 32; ++k)
        logFont.U16(k < face.size() ? face[k].unicode() : 0);
    Select(2, logFont.Data(), [&](uint32_t handle) {
        TLeBytes& r = Start(Emf::EXTCREATEFONTINDIRECTW);
        r.U32(handle);
        r.Bytes(logFont.Data().constData(), logFont.Size());
        End();
    });
}

void TEmfWriter::WriteRop2(int rop)
{
    Simple(Emf::SETROP2, uint32_t(rop));
}

void TEmfWriter::WriteBkMode(int mode)
{
    Simple(Emf::SETBKMODE, uint32_t(mode));
}

void TEmfWriter::WriteBkColor(TColor color)
{
    Simple(Emf::SETBKCOLOR, ColorRef(color));
}

void TEmfWriter::WriteTextColor(TColor color)
{
    Simple(Emf::SETTEXTCOLOR, ColorRef(color));
}

void TEmfWriter::WriteTextAlign(uint32_t align)
{
    Simple(Emf::SETTEXTALIGN, align);
}

void TEmfWriter::WritePolyFillMode(int mode)
{
    Simple(Emf::SETPOLYFILLMODE, uint32_t(mode));
}

void TEmfWriter::WriteClip(const std::optional<QRegion>& clip)
{
    TLeBytes& r = Start(Emf::EXTSELECTCLIPRGN);
    if (!clip) {
        r.U32(0); // no region data: back to the whole picture
        r.U32(uint32_t(RGN_COPY));
        End();
        return;
    }
    const uint32_t count = uint32_t(clip->rectCount());
    r.U32(32 + 16 * count);
    r.U32(uint32_t(RGN_COPY));
    const QRect box = clip->boundingRect();
    r.U32(32);
    r.U32(RDH_RECTANGLES);
    r.U32(count);
    r.U32(16 * count);
    r.I32(box.left());
    r.I32(box.top());
    r.I32(box.left() + box.width());
    r.I32(box.top() + box.height());
    for (const QRect& rect : *clip) {
        r.I32(rect.left());
        r.I32(rect.top());
        r.I32(rect.left() + rect.width());
        r.I32(rect.top() + rect.height());
    }
    End();
}

// ---- The end ----

bool TEmfWriter::Finish()
{
    if (FFinished)
        return Ok();
    FFinished = true;
    TLeBytes& r = Start(Emf::EOF_);
    r.U32(0);  // no palette entries
    r.U32(16); // where they would be
    r.U32(20); // this record's size, repeated at its end
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
