#include "MetafileEngine.h"

#include "EllipseFit.h"
#include "GraphicsTypes.h"
#include "MetafileRecords.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kSrcPaint = 0x00EE0086;
constexpr uint32_t kSrcAnd = 0x008800C6;

int Rop2For(QPainter::CompositionMode mode)
{
    switch (mode) {
    case QPainter::RasterOp_SourceXorDestination: return R2_XORPEN;
    case QPainter::RasterOp_NotSourceXorDestination: return R2_NOTXORPEN;
    case QPainter::RasterOp_NotDestination: return R2_NOT;
    case QPainter::RasterOp_NotSource: return R2_NOTCOPYPEN;
    case QPainter::RasterOp_SourceOrNotDestination: return R2_MERGEPENNOT;
    case QPainter::RasterOp_SourceAndNotDestination: return R2_MASKPENNOT;
    case QPainter::RasterOp_NotSourceOrDestination: return R2_MERGENOTPEN;
    case QPainter::RasterOp_NotSourceAndDestination: return R2_MASKNOTPEN;
    case QPainter::RasterOp_SourceOrDestination: return R2_MERGEPEN;
    case QPainter::RasterOp_NotSourceAndNotDestination: return R2_NOTMERGEPEN;
    case QPainter::RasterOp_SourceAndDestination: return R2_MASKPEN;
    case QPainter::RasterOp_NotSourceOrNotDestination: return R2_NOTMASKPEN;
    case QPainter::RasterOp_ClearDestination: return R2_BLACK;
    case QPainter::RasterOp_SetDestination: return R2_WHITE;
    default: return R2_COPYPEN;
    }
}

// The ternary raster operation that copies a picture the way the composition mode does.
uint32_t RopFor(QPainter::CompositionMode mode)
{
    switch (mode) {
    case QPainter::RasterOp_SourceXorDestination: return 0x00660046;      // SRCINVERT
    case QPainter::RasterOp_SourceAndDestination: return kSrcAnd;         // SRCAND
    case QPainter::RasterOp_SourceOrDestination: return kSrcPaint;        // SRCPAINT
    case QPainter::RasterOp_NotSource: return 0x00330008;                 // NOTSRCCOPY
    case QPainter::RasterOp_SourceAndNotDestination: return 0x00440328;   // SRCERASE
    case QPainter::RasterOp_NotSourceAndNotDestination: return 0x001100A6; // NOTSRCERASE
    case QPainter::RasterOp_NotSourceOrDestination: return 0x00BB0226;    // MERGEPAINT
    case QPainter::RasterOp_NotDestination: return 0x00550009;            // DSTINVERT
    default: return kSrcCopy;
    }
}

// The dash style of a pen: Qt's own styles, and the patterns the canvas gives its
// cosmetic and its geometric pens.
uint32_t DashStyle(const QPen& pen)
{
    switch (pen.style()) {
    case Qt::DashLine: return PS_DASH;
    case Qt::DotLine: return PS_DOT;
    case Qt::DashDotLine: return PS_DASHDOT;
    case Qt::DashDotDotLine: return PS_DASHDOTDOT;
    case Qt::CustomDashLine: break;
    default: return PS_SOLID;
    }
    const QList<qreal> d = pen.dashPattern();
    if (d == QList<qreal>{18, 6} || d == QList<qreal>{3, 1})
        return PS_DASH;
    if (d == QList<qreal>{3, 3} || d == QList<qreal>{1, 1})
        return PS_DOT;
    if (d == QList<qreal>{9, 6, 3, 6} || d == QList<qreal>{3, 1, 1, 1})
        return PS_DASHDOT;
    if (d == QList<qreal>{9, 3, 3, 3, 3, 3} || d == QList<qreal>{3, 1, 1, 1, 1, 1})
        return PS_DASHDOTDOT;
    return PS_DASH;
}

uint32_t HatchFor(Qt::BrushStyle style)
{
    switch (style) {
    case Qt::HorPattern: return HS_HORIZONTAL;
    case Qt::VerPattern: return HS_VERTICAL;
    case Qt::FDiagPattern: return HS_FDIAGONAL;
    case Qt::BDiagPattern: return HS_BDIAGONAL;
    case Qt::CrossPattern: return HS_CROSS;
    default: return HS_DIAGCROSS;
    }
}

// The figures of a device path: vertices with their kinds, a figure closed where it
// returns to its first point.
TMfPath ToMfPath(const QPainterPath& path, bool& curves, int& figures, bool& allClosed)
{
    TMfPath out;
    curves = false;
    figures = 0;
    allClosed = true;
    size_t figureStart = 0;
    auto closeFigure = [&]() {
        if (out.Points.size() > figureStart + 2 && out.Points.back() == out.Points[figureStart]) {
            out.Points.pop_back();
            out.Kinds.pop_back();
            out.Kinds.back() |= PT_CLOSEFIGURE;
        } else if (out.Points.size() > figureStart) {
            allClosed = false;
        }
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPoint p(TMetafileEngine::Coord(e.x), TMetafileEngine::Coord(e.y));
        switch (e.type) {
        case QPainterPath::MoveToElement:
            closeFigure();
            figureStart = out.Points.size();
            ++figures;
            out.Points.push_back(p);
            out.Kinds.push_back(PT_MOVETO);
            break;
        case QPainterPath::LineToElement:
            out.Points.push_back(p);
            out.Kinds.push_back(PT_LINETO);
            break;
        default:
            curves = true;
            out.Points.push_back(p);
            out.Kinds.push_back(PT_BEZIERTO);
            break;
        }
    }
    closeFigure();
    return out;
}

// The polygons of the figures of a path of lines only.
std::vector<QPolygon> Figures(const TMfPath& path)
{
    std::vector<QPolygon> polys;
    for (size_t i = 0; i < path.Points.size(); ++i) {
        if ((path.Kinds[i] & ~PT_CLOSEFIGURE) == PT_MOVETO || polys.empty())
            polys.emplace_back();
        polys.back().append(path.Points[i]);
    }
    return polys;
}

} // namespace

TMetafileEngine::TMetafileEngine(TMetafileSink& sink)
    : QPaintEngine(QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) & ~QPaintEngine::PerspectiveTransform
                   & ~QPaintEngine::PorterDuff),
      FSink(sink)
{
}

TMetafileEngine::~TMetafileEngine() = default;

int TMetafileEngine::Coord(double v)
{
    // A value within a hair of a half counts as that half, which goes down.
    const double r = std::ceil(v - 0.5 - 1e-7);
    if (!(r > -2147483648.0))
        return INT32_MIN;
    if (!(r < 2147483647.0))
        return INT32_MAX;
    return int(r);
}

// A recorder whose file failed keeps accepting drawing (which records nothing); its
// Finish() reports the failure.
bool TMetafileEngine::begin(QPaintDevice*)
{
    return true;
}

bool TMetafileEngine::end()
{
    return FSink.Ok();
}

void TMetafileEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        FTransform = state.transform();
    if (flags & DirtyPen)
        FPen = state.pen();
    if (flags & DirtyBrush)
        FBrush = state.brush();
    if (flags & DirtyBackground)
        FBackground = state.backgroundBrush();
    if (flags & DirtyBackgroundMode)
        FBackgroundMode = state.backgroundMode();
    if (flags & DirtyCompositionMode)
        FComposition = state.compositionMode();
    // Clip regions and paths come in the coordinates of the transform of their time,
    // which is the transform of this update.
    if (flags & DirtyClipRegion)
        ClipChanged(FTransform.map(state.clipRegion()), state.clipOperation());
    if (flags & DirtyClipPath) {
        QRegion region;
        const Qt::FillRule rule = state.clipPath().fillRule();
        for (const QPolygonF& poly : FTransform.map(state.clipPath()).toFillPolygons())
            region = region.xored(QRegion(poly.toPolygon(), rule));
        ClipChanged(region, state.clipOperation());
    }
    if (flags & DirtyClipEnabled)
        FClipEnabled = state.isClipEnabled();
}

void TMetafileEngine::ClipChanged(const QRegion& region, Qt::ClipOperation operation)
{
    switch (operation) {
    case Qt::NoClip: FClip.reset(); return;
    case Qt::ReplaceClip: FClip = region; break;
    case Qt::IntersectClip: FClip = FClip ? FClip->intersected(region) : region; break;
    }
    FClipEnabled = true;
}

bool TMetafileEngine::PenVisible() const
{
    return FPen.style() != Qt::NoPen && FPen.brush().style() != Qt::NoBrush;
}

bool TMetafileEngine::BrushVisible() const
{
    return FBrush.style() != Qt::NoBrush;
}

TMfPen TMetafileEngine::MappedPen() const
{
    const double scale = FPen.isCosmetic() ? 1.0 : std::sqrt(std::abs(FTransform.determinant()));
    const double width = std::max(FPen.widthF(), FPen.isCosmetic() ? 1.0 : 0.0) * scale;
    TMfPen pen;
    pen.Color = FromQColor(FPen.color()) & 0xFFFFFF;
    const uint32_t dash = DashStyle(FPen);
    if (width <= 1.5) {
        pen.Style = PS_COSMETIC | dash;
        pen.Width = 1;
        return pen;
    }
    const uint32_t cap = FPen.capStyle() == Qt::FlatCap ? PS_ENDCAP_FLAT
                       : FPen.capStyle() == Qt::SquareCap ? PS_ENDCAP_SQUARE
                                                          : PS_ENDCAP_ROUND;
    const uint32_t join = FPen.joinStyle() == Qt::RoundJoin ? PS_JOIN_ROUND
                        : FPen.joinStyle() == Qt::BevelJoin ? PS_JOIN_BEVEL
                                                            : PS_JOIN_MITER;
    pen.Style = PS_GEOMETRIC | cap | join | dash;
    pen.Width = Coord(width);
    return pen;
}

TMfBrush TMetafileEngine::MappedBrush() const
{
    TMfBrush brush;
    brush.Color = FromQColor(FBrush.color()) & 0xFFFFFF;
    switch (FBrush.style()) {
    case Qt::NoBrush: brush.Style = BS_NULL; break;
    case Qt::HorPattern:
    case Qt::VerPattern:
    case Qt::FDiagPattern:
    case Qt::BDiagPattern:
    case Qt::CrossPattern:
    case Qt::DiagCrossPattern:
        brush.Style = BS_HATCHED;
        brush.Hatch = HatchFor(FBrush.style());
        break;
    case Qt::TexturePattern:
        brush.Style = BS_DIBPATTERNPT;
        brush.Pattern = FBrush.textureImage();
        break;
    case Qt::LinearGradientPattern:
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        brush.Style = BS_SOLID;
        if (const QGradient* g = FBrush.gradient(); g && !g->stops().isEmpty())
            brush.Color = FromQColor(g->stops().front().second) & 0xFFFFFF;
        break;
    default: brush.Style = BS_SOLID; break;
    }
    return brush;
}

void TMetafileEngine::Realize(bool pen, bool brush)
{
    FSink.SetRop2(Rop2For(FComposition));
    FSink.SelectPen(pen ? MappedPen() : TMfPen{PS_NULL, 0, 0});
    FSink.SelectBrush(brush ? MappedBrush() : TMfBrush{BS_NULL, 0, 0, {}});
    const bool opaque = FBackgroundMode == Qt::OpaqueMode;
    FSink.SetBkMode(opaque ? OPAQUE : TRANSPARENT);
    if (opaque)
        FSink.SetBkColor(FromQColor(FBackground.color()) & 0xFFFFFF);
    FSink.SetClip(FClipEnabled ? FClip : std::nullopt);
}

QPoint TMetafileEngine::Map(const QPointF& p) const
{
    const QPointF d = FTransform.map(p);
    return QPoint(Coord(d.x()), Coord(d.y()));
}

// A box of Qt's (the edges through the outermost pixels) as GDI takes it: right and
// bottom one further.
QRect TMetafileEngine::MapBox(const QRectF& r) const
{
    const QRectF d = FTransform.mapRect(r.normalized());
    const int l = Coord(d.left()), t = Coord(d.top());
    return QRect(QPoint(l, t), QPoint(Coord(d.right()), Coord(d.bottom())));
}

// Records an ellipse, arc, chord or pie when the path is one; false otherwise.
bool TMetafileEngine::DrawFitted(const QPainterPath& device, bool pen, bool brush)
{
    const TFittedEllipse fit = FitEllipseFigure(device);
    using K = TFittedEllipse::TKind;
    if (fit.Kind == K::None || (fit.Kind == K::Arc && brush))
        return false;
    // The canvas puts box edges on whole or half pixels; an edge the curves' approximation
    // left within a small distance of one is taken as it.
    const double snap = 1e-3 * std::max(fit.RadiusX, fit.RadiusY) + 0.02;
    auto edge = [snap](double v) {
        const double half = std::round(2 * v) / 2;
        return Coord(std::abs(v - half) <= snap ? half : v);
    };
    const QRect box(QPoint(edge(fit.Centre.x() - fit.RadiusX), edge(fit.Centre.y() - fit.RadiusY)),
                    QPoint(edge(fit.Centre.x() + fit.RadiusX), edge(fit.Centre.y() + fit.RadiusY)));
    const QPoint start(Coord(fit.Start.x()), Coord(fit.Start.y()));
    const QPoint end(Coord(fit.End.x()), Coord(fit.End.y()));
    Realize(pen, brush);
    switch (fit.Kind) {
    case K::Ellipse: FSink.Ellipse(box); break;
    case K::Arc: FSink.ArcFigure(TMfArcKind::Arc, box, start, end); break;
    case K::Chord: FSink.ArcFigure(TMfArcKind::Chord, box, start, end); break;
    default: FSink.ArcFigure(TMfArcKind::Pie, box, start, end); break;
    }
    return true;
}

void TMetafileEngine::DrawDevicePath(const QPainterPath& device, bool pen, bool brush)
{
    if (DrawFitted(device, pen, brush))
        return;
    bool curves = false, allClosed = true;
    int figures = 0;
    const TMfPath path = ToMfPath(device, curves, figures, allClosed);
    if (path.Points.empty())
        return;
    FSink.SetPolyFillMode(device.fillRule() == Qt::WindingFill ? WINDING : ALTERNATE);
    if (!curves && (allClosed || !brush)) {
        const std::vector<QPolygon> polys = Figures(path);
        Realize(pen, brush);
        if (allClosed)
            FSink.PolyPolygon(polys);
        else
            FSink.PolyPolyline(polys);
        return;
    }
    if (curves && figures == 1 && !brush && !allClosed && path.Kinds.size() >= 4) {
        bool bezierOnly = true;
        for (size_t i = 1; i < path.Kinds.size(); ++i)
            bezierOnly = bezierOnly && path.Kinds[i] == PT_BEZIERTO;
        if (bezierOnly && (path.Points.size() - 1) % 3 == 0) {
            Realize(pen, false);
            FSink.PolyBezier(QPolygon(QList<QPoint>(path.Points.begin(), path.Points.end())));
            return;
        }
    }
    Realize(pen, brush);
    FSink.Path(path, brush, pen);
}

void TMetafileEngine::drawPath(const QPainterPath& path)
{
    const bool pen = PenVisible(), brush = BrushVisible();
    if (pen || brush)
        DrawDevicePath(FTransform.map(path), pen, brush);
}

void TMetafileEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (count < 2)
        return;
    QPolygon poly(count);
    for (int i = 0; i < count; ++i)
        poly[i] = Map(points[i]);
    const bool pen = PenVisible();
    if (mode == PolylineMode) {
        if (pen) {
            Realize(true, false);
            FSink.Polyline(poly);
        }
        return;
    }
    const bool brush = BrushVisible();
    if (!pen && !brush)
        return;
    FSink.SetPolyFillMode(mode == WindingMode ? WINDING : ALTERNATE);
    Realize(pen, brush);
    FSink.Polygon(poly);
}

// Lines that join end to start become one polyline.
void TMetafileEngine::drawLines(const QLineF* lines, int count)
{
    if (count <= 0 || !PenVisible())
        return;
    std::vector<QPolygon> runs;
    for (int i = 0; i < count; ++i) {
        const QPoint a = Map(lines[i].p1()), b = Map(lines[i].p2());
        if (runs.empty() || runs.back().back() != a)
            runs.push_back(QPolygon{a});
        runs.back().append(b);
    }
    Realize(true, false);
    FSink.PolyPolyline(runs);
}

void TMetafileEngine::drawRects(const QRectF* rects, int count)
{
    const bool pen = PenVisible(), brush = BrushVisible();
    if (count <= 0 || (!pen && !brush))
        return;
    std::vector<QPolygon> polys;
    polys.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i];
        polys.push_back(QPolygon{Map(r.topLeft()), Map(QPointF(r.x() + r.width(), r.y())),
                                 Map(QPointF(r.x() + r.width(), r.y() + r.height())),
                                 Map(QPointF(r.x(), r.y() + r.height()))});
    }
    Realize(pen, brush);
    FSink.PolyPolygon(polys);
}

void TMetafileEngine::drawEllipse(const QRectF& rect)
{
    const bool pen = PenVisible(), brush = BrushVisible();
    if (!pen && !brush)
        return;
    if (FTransform.type() > QTransform::TxScale) {
        QPainterPath path;
        path.addEllipse(rect);
        DrawDevicePath(FTransform.map(path), pen, brush);
        return;
    }
    const QRect box = MapBox(rect);
    Realize(pen, brush);
    FSink.Ellipse(QRect(box.topLeft(), QSize(box.width(), box.height())));
}

void TMetafileEngine::drawPoints(const QPointF* points, int count)
{
    if (!PenVisible())
        return;
    Realize(false, false);
    const TColor color = FromQColor(FPen.color()) & 0xFFFFFF;
    for (int i = 0; i < count; ++i)
        FSink.SetPixel(Map(points[i]), color);
}

void TMetafileEngine::drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                                Qt::ImageConversionFlags)
{
    if (image.isNull())
        return;
    const QRectF d = FTransform.mapRect(rect.normalized());
    const QPoint tl(Coord(d.left()), Coord(d.top()));
    const QPoint br(Coord(d.right()), Coord(d.bottom()));
    const QRect dest(tl, QSize(br.x() - tl.x(), br.y() - tl.y()));
    if (dest.isEmpty())
        return;
    const QRect part = source.toAlignedRect().intersected(image.rect());
    if (part.isEmpty())
        return;
    QImage picture = part == image.rect() ? image : image.copy(part);
    FSink.SetClip(FClipEnabled ? FClip : std::nullopt);
    const uint32_t rop = RopFor(FComposition);
    if (picture.hasAlphaChannel() && rop == kSrcCopy) {
        // Transparent pixels: a mask that keeps the destination there, then the picture
        // with those pixels black added to it.
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        QImage mask(picture.size(), QImage::Format_RGB32);
        bool transparent = false;
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            auto* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                const bool clear = qAlpha(line[x]) < 128;
                transparent = transparent || clear;
                m[x] = clear ? 0xFFFFFFFF : 0xFF000000;
                if (clear)
                    line[x] = 0xFF000000;
            }
        }
        if (transparent) {
            FSink.StretchDib(dest, mask, kSrcAnd);
            FSink.StretchDib(dest, picture, kSrcPaint);
            return;
        }
    }
    FSink.StretchDib(dest, picture, rop);
}

void TMetafileEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(rect, pixmap.toImage(), source);
}

void TMetafileEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || !PenVisible())
        return;
    const QFont font = textItem.font();
    const QPaintDevice* device = paintDevice();
    const double dpi = device ? device->logicalDpiY() : 96.0;
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    const double scale = std::sqrt(std::abs(FTransform.determinant()));
    const double angle = std::atan2(-FTransform.m12(), FTransform.m11()) * 180.0 / std::numbers::pi;
    TMfFont f;
    f.Height = -std::max(1, Coord(pixels * scale));
    f.Escapement = Coord(angle * 10.0);
    f.Weight = font.bold() ? std::max(700, int(font.weight())) : int(font.weight());
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.StrikeOut = font.strikeOut();
    f.Face = font.family();
    // The advance of every UTF-16 unit along the base line, rounded so that their sums
    // follow the exact positions.
    const QFontMetricsF metrics(font);
    const double spacing = font.letterSpacingType() == QFont::AbsoluteSpacing ? font.letterSpacing() : 0.0;
    std::vector<int32_t> advances(size_t(text.size()), 0);
    double position = 0;
    int placed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        position += (metrics.horizontalAdvance(text.mid(i, pair ? 2 : 1)) + spacing) * scale;
        const int next = Coord(position);
        advances[size_t(i)] = next - placed;
        placed = next;
        if (pair)
            ++i;
    }
    FSink.SetClip(FClipEnabled ? FClip : std::nullopt);
    FSink.SetBkMode(TRANSPARENT);
    FSink.SetTextColor(FromQColor(FPen.color()) & 0xFFFFFF);
    FSink.SetTextAlign(uint32_t(TA_BASELINE | TA_LEFT));
    FSink.SelectFont(f);
    FSink.Text(Map(p), text, advances);
}
