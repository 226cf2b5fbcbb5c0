// TCanvas: lines, polygons, Bézier chains, boxes, ellipses and arcs.
//
// Figure geometry is built in logical coordinates where the integer point (x, y) is the
// pixel (x, y). A width-1 (cosmetic) pen draws that geometry as is; wide pens and curved
// fills are drawn half a device pixel further right and down, so that their outlines run
// through pixel centres; polygon fills are not shifted (a pixel belongs to a polygon when
// its centre is inside), which gives GDI's rule of leaving out the right and bottom edges.
#include "Canvas.h"

#include <QPaintEngine>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void Normalize(int& x1, int& y1, int& x2, int& y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
}

QPointF ToF(const TPoint& p)
{
    return QPointF(p.X, p.Y);
}

// Pixel layouts matter where pixels are painted; vector devices (printers, PDF, SVG,
// metafiles) are given the figures themselves.
bool PaintsPixels(QPainter* p)
{
    const QPaintEngine* engine = p->paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

// The rectangle in device pixels when the logical-to-device mapping keeps axes (scale and
// translation); empty when it is empty on the device (right before left or bottom above
// top there, as GDI judges it).
QRectF DeviceRect(const QTransform& toDevice, const TRect& r)
{
    const QPointF a = toDevice.map(QPointF(r.Left, r.Top));
    const QPointF b = toDevice.map(QPointF(r.Right, r.Bottom));
    if (a.x() >= b.x() || a.y() >= b.y())
        return QRectF();
    return QRectF(QPointF(std::round(a.x()), std::round(a.y())), QPointF(std::round(b.x()), std::round(b.y())));
}

} // namespace

const QPoint* TCanvas::ToScratch(const TPoint* points, size_t count)
{
    FScratch.resize(count);
    for (size_t i = 0; i < count; ++i)
        FScratch[i] = QPoint(points[i].X, points[i].Y);
    return FScratch.data();
}

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = TPoint(x, y);
    if (FPath.open)
        FPath.newFigure = true;
}

void TCanvas::LineTo(int x, int y)
{
    if (FPath.open) {
        PathStartFigure();
        PathAddPoint(QPointF(x, y), PT_LINETO);
        FPenPos = TPoint(x, y);
        return;
    }
    const TPoint line[2] = {FPenPos, TPoint(x, y)};
    FPenPos = line[1];
    if (line[0] != line[1]) // a line of no length lights no pixel
        StrokePolyline(line, 2);
}

// Qt leaves out the pixel at the larger coordinate whatever the direction; GDI leaves out
// the end point. Thin solid lines are therefore laid out pixel by pixel the GDI way, each
// segment leaving out its end: straight into the image when it can take them, else as
// points through the painter (under a translation by whole pixels, which moves the layout
// unchanged). Other pens go to the painter's stroker.
void TCanvas::StrokePolyline(const TPoint* points, size_t count)
{
    QPoint offset;
    int depth = 1;
    std::optional<TPixelWriter> writer = ThinPenWriter(offset, depth);
    // A scaled one-pixel line is the one-pixel line laid at every offset of its width,
    // in the modes where writing a pixel twice writes it once.
    const TPenMode mode = FPen.Mode();
    if (writer && (depth == 1 || (mode != pmXor && mode != pmNotXor && mode != pmNot))) {
        for (int dy = 0; dy < depth; ++dy)
            for (int dx = 0; dx < depth; ++dx)
                writer->Polyline(points, count, int64_t(offset.x()) + dx, int64_t(offset.y()) + dy);
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    const PenSpec& setup = CurrentPen(1.0);
    if (!setup.cosmetic || setup.pen.style() != Qt::SolidLine || !WholePixelShift(p->transform()) || !PaintsPixels(p)) {
        const QPoint* scratch = ToScratch(points, count);
        Stroke(p, false, [&](bool) { p->drawPolyline(scratch, int(count)); });
        return;
    }
    if (!SetupPen(p, false))
        return;
    QPolygon pixels;
    for (size_t i = 1; i < count; ++i) {
        const TPoint a = points[i - 1], b = points[i];
        const QPolygon segment = LinePixels(a, b);
        if (!segment.isEmpty())
            pixels += segment;
        else if (a != b) // longer than any device: the painter clips it
            p->drawLine(QPoint(a.X, a.Y), QPoint(b.X, b.Y));
    }
    if (!pixels.isEmpty())
        p->drawPoints(pixels);
}

// The pixels of a one-pixel line from a to b, b left out: one pixel per step along the
// longer axis, the other coordinate rounded (halves away from the start).
QPolygon TCanvas::LinePixels(TPoint a, TPoint b)
{
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    QPolygon pixels;
    // Lines far longer than any device are left to the painter's clipping stroker.
    if (n == 0 || n > 1 << 16)
        return pixels;
    pixels.reserve(int(n));
    for (int64_t i = 0; i < n; ++i) {
        // a + i/n * (b - a), rounded half away from a, in exact integer arithmetic.
        auto along = [i, n](int64_t d) {
            const int64_t num = 2 * i * std::llabs(d) + n;
            const int64_t step = num / (2 * n);
            return d < 0 ? -step : step;
        };
        pixels.append(QPoint(int(a.X + along(dx)), int(a.Y + along(dy))));
    }
    return pixels;
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    if (FPath.open) {
        FPath.newFigure = true;
        PathAddPoint(ToF(points[0]), PT_MOVETO);
        for (size_t i = 1; i < points.size(); ++i)
            PathAddPoint(ToF(points[i]), PT_LINETO);
        FPath.newFigure = true;
        return;
    }
    StrokePolyline(points.data(), points.size());
}

void TCanvas::PolylineTo(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    if (FPath.open) {
        PathStartFigure();
        for (const TPoint& pt : points)
            PathAddPoint(ToF(pt), PT_LINETO);
        FPenPos = points.back();
        return;
    }
    std::vector<TPoint> all;
    all.reserve(points.size() + 1);
    all.push_back(FPenPos);
    all.insert(all.end(), points.begin(), points.end());
    FPenPos = points.back();
    StrokePolyline(all.data(), all.size());
}

bool TCanvas::PolyBezier(const std::vector<TPoint>& points)
{
    if (points.empty() || (points.size() - 1) % 3 != 0)
        return false;
    if (FPath.open) {
        FPath.newFigure = true;
        PathAddPoint(ToF(points[0]), PT_MOVETO);
        for (size_t i = 1; i < points.size(); ++i)
            PathAddPoint(ToF(points[i]), PT_BEZIERTO);
        FPath.newFigure = true;
        return true;
    }
    QPainterPath path(ToF(points[0]));
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(ToF(points[i]), ToF(points[i + 1]), ToF(points[i + 2]));
    StrokeFillPath(path, FillShape::None);
    return true;
}

bool TCanvas::PolyBezierTo(const std::vector<TPoint>& points)
{
    if (points.size() % 3 != 0)
        return false;
    if (points.empty())
        return true;
    if (FPath.open) {
        PathStartFigure();
        for (const TPoint& pt : points)
            PathAddPoint(ToF(pt), PT_BEZIERTO);
        FPenPos = points.back();
        return true;
    }
    const TPoint from = FPenPos;
    FPenPos = points.back();
    QPainterPath path(ToF(from));
    for (size_t i = 0; i + 2 < points.size(); i += 3)
        path.cubicTo(ToF(points[i]), ToF(points[i + 1]), ToF(points[i + 2]));
    StrokeFillPath(path, FillShape::None);
    return true;
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    if (FPath.open) {
        FPath.newFigure = true;
        PathAddPoint(ToF(points[0]), PT_MOVETO);
        for (size_t i = 1; i < points.size(); ++i)
            PathAddPoint(ToF(points[i]), PT_LINETO);
        PathCloseFigure();
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    const QPoint* pts = ToScratch(points.data(), points.size());
    const int n = int(points.size());
    if (SetupBrush(p, CurrentBrush())) {
        UseXf(p, Xf::Logical);
        p->drawPolygon(pts, n, FPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    }
    Stroke(p, false, [&](bool) { p->drawPolygon(pts, n); });
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Normalize(x1, y1, x2, y2);
    if (x1 == x2 || y1 == y2)
        return;
    // The outline runs through the pixels x1 and x2 - 1 (y1 and y2 - 1).
    const double r = double(x2) - 1;
    const double b = double(y2) - 1;
    if (FPath.open) {
        FPath.newFigure = true;
        PathAddPoint(QPointF(x1, y1), PT_MOVETO);
        PathAddPoint(QPointF(r, y1), PT_LINETO);
        PathAddPoint(QPointF(r, b), PT_LINETO);
        PathAddPoint(QPointF(x1, b), PT_LINETO);
        PathCloseFigure();
        return;
    }
    if (DirectRectangle(x1, y1, x2, y2))
        return;
    QPainter* p = Begin();
    if (!p)
        return;
    const PenSpec& pen = CurrentPen(1.0);
    const double w = double(x2) - x1;
    const double h = double(y2) - y1;
    // The outline's depth: one pixel, or the width of a scaled one-pixel pen.
    const bool thin = pen.visible && (pen.cosmetic || pen.hairline);
    const double t = pen.hairline ? pen.hairlineWidth : 1;
    if (thin && (w <= 2 * t || h <= 2 * t)) {
        // A box one or two pixels across is all outline: cover it once.
        if (SetupBrush(p, BrushSpec{true, QBrush(pen.pen.color()), pen.mode})) {
            UseXf(p, Xf::Logical);
            p->drawRect(QRectF(x1, y1, w, h));
        }
        return;
    }
    // With a one-pixel outline the brush covers only the inside; otherwise x1..x2-2.
    const QRectF fill = thin ? QRectF(x1 + t, y1 + t, w - 2 * t, h - 2 * t) : QRectF(x1, y1, w - 1, h - 1);
    if (!fill.isEmpty() && SetupBrush(p, CurrentBrush())) {
        UseXf(p, Xf::Logical);
        p->drawRect(fill);
    }
    if (pen.visible && pen.cosmetic && pen.pen.style() == Qt::SolidLine && WholePixelShift(FLogToDev * FBase)
        && PaintsPixels(p)) {
        // A one-pixel solid outline is its four sides as boxes, each border pixel once;
        // Qt's stroker drops the far corner of an outline that starts outside the device.
        if (SetupBrush(p, BrushSpec{true, QBrush(pen.pen.color()), pen.mode})) {
            UseXf(p, Xf::Logical);
            const QRectF sides[4] = {QRectF(x1, y1, w, 1), QRectF(x1, y2 - 1, w, 1), QRectF(x1, y1 + 1, 1, h - 2),
                                     QRectF(x2 - 1, y1 + 1, 1, h - 2)};
            p->drawRects(sides, 4);
        }
        return;
    }
    if (pen.visible && pen.hairline && pen.pen.style() == Qt::SolidLine) {
        // A scaled one-pixel outline: the border pixels, as many deep as the pen is wide.
        if (SetupBrush(p, BrushSpec{true, QBrush(pen.pen.color()), pen.mode})) {
            UseXf(p, Xf::Logical);
            const QRectF sides[4] = {QRectF(x1, y1, w, t), QRectF(x1, y2 - t, w, t), QRectF(x1, y1 + t, t, h - 2 * t),
                                     QRectF(x2 - t, y1 + t, t, h - 2 * t)};
            p->drawRects(sides, 4);
        }
        return;
    }
    if (pen.hairline) {
        // Dashed: the outline's lines along the border pixels.
        const QPointF corners[4] = {QPointF(x1, y1), QPointF(x2 - t, y1), QPointF(x2 - t, y2 - t), QPointF(x1, y2 - t)};
        Stroke(p, false, [&](bool) { p->drawPolygon(corners, 4); });
        return;
    }
    if (!SetupPen(p, false))
        return;
    double inset = 0;
    if (!pen.cosmetic && !GeometricPenSelected() && FPen.Style() == psInsideFrame)
        inset = (FPen.Width() - 1) / 2.0;
    const QPointF corners[4] = {QPointF(x1 + inset, y1 + inset), QPointF(r - inset, y1 + inset),
                                QPointF(r - inset, b - inset), QPointF(x1 + inset, b - inset)};
    p->drawPolygon(corners, 4);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h)
{
    Normalize(x1, y1, x2, y2);
    if (x1 == x2 || y1 == y2)
        return;
    QPainterPath path;
    path.addRoundedRect(QRectF(x1, y1, double(x2) - x1 - 1, double(y2) - y1 - 1), std::abs(w) / 2.0, std::abs(h) / 2.0);
    StrokeFillPath(path, FillShape::Curve);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Normalize(x1, y1, x2, y2);
    if (x1 == x2 || y1 == y2)
        return;
    double inset = 0;
    const PenSpec& pen = CurrentPen(1.0);
    if (pen.visible && !pen.cosmetic && !GeometricPenSelected() && FPen.Style() == psInsideFrame)
        inset = (FPen.Width() - 1) / 2.0;
    const QRectF box(x1 + inset, y1 + inset, double(x2) - x1 - 1 - 2 * inset, double(y2) - y1 - 1 - 2 * inset);
    QPainterPath path;
    path.addEllipse(box);
    if (FPath.open) {
        StrokeFillPath(path, FillShape::Curve);
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    if (SetupBrush(p, CurrentBrush())) {
        UseXf(p, Xf::LogicalHalf);
        p->drawPath(path);
    }
    // Qt traces a one-pixel ellipse by the midpoint method, which reaches every side of
    // the box exactly; a stroked curve may fall short of it by a pixel.
    Stroke(p, false, [&](bool onePixel) {
        if (onePixel)
            p->drawEllipse(box);
        else
            p->drawPath(path);
    });
}

// kind 0: arc, 1: chord, 2: pie.
QPainterPath TCanvas::ArcPath(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int kind) const
{
    Normalize(x1, y1, x2, y2);
    QPainterPath path;
    const QRectF box(x1, y1, double(x2) - x1 - 1, double(y2) - y1 - 1);
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    if (rx <= 0 || ry <= 0)
        return path;
    const QPointF c = box.center();
    // Qt measures arcs by the ellipse's parameter (counter-clockwise on screen); a radial
    // through a point meets the ellipse at the parameter of that point scaled to a circle.
    auto angleOf = [&](int x, int y) {
        return std::atan2(-(y - c.y()) / ry, (x - c.x()) / rx) * 180.0 / std::numbers::pi;
    };
    const double start = angleOf(x3, y3);
    double sweep = angleOf(x4, y4) - start;
    if (FArcDirection == AD_COUNTERCLOCKWISE) {
        while (sweep <= 0)
            sweep += 360;
        while (sweep > 360)
            sweep -= 360;
    } else {
        while (sweep >= 0)
            sweep -= 360;
        while (sweep < -360)
            sweep += 360;
    }
    if (kind == 2) {
        path.moveTo(c);
        path.arcTo(box, start, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        if (kind == 1)
            path.closeSubpath();
    }
    return path;
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const QPainterPath path = ArcPath(x1, y1, x2, y2, x3, y3, x4, y4, 0);
    if (!path.isEmpty())
        StrokeFillPath(path, FillShape::None);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const QPainterPath path = ArcPath(x1, y1, x2, y2, x3, y3, x4, y4, 1);
    if (!path.isEmpty())
        StrokeFillPath(path, FillShape::Curve);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const QPainterPath path = ArcPath(x1, y1, x2, y2, x3, y3, x4, y4, 2);
    if (!path.isEmpty())
        StrokeFillPath(path, FillShape::Curve);
}

void TCanvas::StrokeFillPath(const QPainterPath& path, FillShape fill)
{
    if (FPath.open) {
        FPath.newFigure = true;
        PathAddQPath(FLogToDev.map(path), fill != FillShape::None);
        FPath.newFigure = true;
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    if (fill != FillShape::None && SetupBrush(p, CurrentBrush())) {
        UseXf(p, fill == FillShape::Curve ? Xf::LogicalHalf : Xf::Logical);
        QPainterPath filled = path;
        filled.setFillRule(FPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        p->drawPath(filled);
    }
    Stroke(p, false, [&](bool) { p->drawPath(path); });
}

// Opens the painter with the brush in copy mode for a rectangle: the rectangle in device
// pixels while the transform keeps axes parallel, else in logical units. Null when there
// is nothing to paint.
QPainter* TCanvas::BeginBrushRect(const TRect& r, QRectF& area)
{
    const bool axes = FLogToDev.type() <= QTransform::TxScale;
    area = axes ? DeviceRect(FLogToDev, r) : QRectF(r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top);
    if (area.isEmpty())
        return nullptr;
    QPainter* p = Begin();
    if (!p || !SetupBrush(p, MakeBrush(FBrush, true)))
        return nullptr;
    UseXf(p, axes ? Xf::Device : Xf::Logical);
    return p;
}

void TCanvas::FillRect(const TRect& r)
{
    if (FBrush.Style() == bsSolid && !FBrush.HasPattern()) {
        QPoint offset;
        if (std::optional<TPixelWriter> writer = DirectWriter(pmCopy, FBrush.Color(), offset)) {
            writer->Fill(int64_t(r.Left) + offset.x(), int64_t(r.Top) + offset.y(), int64_t(r.Right) + offset.x(),
                         int64_t(r.Bottom) + offset.y());
            return;
        }
    }
    QRectF area;
    QPainter* p = BeginBrushRect(r, area);
    if (!p)
        return;
    p->drawRect(area);
}

void TCanvas::FrameRect(const TRect& r)
{
    QRectF area;
    QPainter* p = BeginBrushRect(r, area);
    if (!p)
        return;
    // One device pixel (or logical unit under a turning transform) wide.
    const double l = area.left(), t = area.top(), w = area.width(), h = area.height();
    QRectF sides[4];
    int n = 0;
    sides[n++] = QRectF(l, t, w, 1);
    if (h > 1)
        sides[n++] = QRectF(l, t + h - 1, w, 1);
    if (h > 2) {
        sides[n++] = QRectF(l, t + 1, 1, h - 2);
        if (w > 1)
            sides[n++] = QRectF(l + w - 1, t + 1, 1, h - 2);
    }
    p->drawRects(sides, n);
}
