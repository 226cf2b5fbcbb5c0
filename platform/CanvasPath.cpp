// TCanvas: paths, regions and clipping.
#include "Canvas.h"

#include "Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

// Device-pixel distance within which flattened segments follow a Bézier curve.
constexpr double kFlatness = 0.25;

QPointF CubicAt(const QPointF& p0, const QPointF& p1, const QPointF& p2, const QPointF& p3, double t)
{
    const double u = 1 - t;
    return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
}

// Number of equal parameter steps that keep a cubic within kFlatness of its chords: the
// distance is at most 3/4 of the largest second difference of the control points divided
// by the square of the step count.
int CubicSteps(const QPointF& p0, const QPointF& p1, const QPointF& p2, const QPointF& p3)
{
    const QPointF d1 = p0 - 2 * p1 + p2;
    const QPointF d2 = p1 - 2 * p2 + p3;
    const double d = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
    const double n = std::ceil(std::sqrt(0.75 * d / kFlatness));
    if (!(n >= 1))
        return 1;
    return int(std::min(n, 1000.0));
}

int RegionKind(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

// ---- Recording ----

void TCanvas::PathAddPoint(const QPointF& logical, uint8_t kind)
{
    FPath.points.push_back(FLogToDev.map(logical));
    FPath.kinds.push_back(kind);
    if (kind == PT_MOVETO)
        FPath.newFigure = false;
}

void TCanvas::PathStartFigure()
{
    if (FPath.newFigure)
        PathAddPoint(QPointF(FPenPos.X, FPenPos.Y), PT_MOVETO);
}

void TCanvas::PathCloseFigure()
{
    if (!FPath.kinds.empty())
        FPath.kinds.back() |= PT_CLOSEFIGURE;
    FPath.newFigure = true;
}

void TCanvas::PathAddQPath(const QPainterPath& path, bool closeFigures)
{
    size_t figureStart = FPath.points.size();
    auto finishFigure = [&]() {
        if (!closeFigures || FPath.points.size() <= figureStart)
            return;
        // A closing line back to the start point is implied by the close flag.
        if (FPath.points.size() - figureStart > 2 && FPath.kinds.back() == PT_LINETO &&
            FPath.points.back() == FPath.points[figureStart]) {
            FPath.points.pop_back();
            FPath.kinds.pop_back();
        }
        FPath.kinds.back() |= PT_CLOSEFIGURE;
    };
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement) {
            finishFigure();
            figureStart = FPath.points.size();
            FPath.points.emplace_back(e.x, e.y);
            FPath.kinds.push_back(PT_MOVETO);
        } else if (e.type == QPainterPath::LineToElement) {
            FPath.points.emplace_back(e.x, e.y);
            FPath.kinds.push_back(PT_LINETO);
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < count) {
            for (int k = 0; k < 3; ++k) {
                const QPainterPath::Element c = path.elementAt(i + k);
                FPath.points.emplace_back(c.x, c.y);
                FPath.kinds.push_back(PT_BEZIERTO);
            }
            i += 2;
        }
    }
    finishFigure();
    FPath.newFigure = true;
}

// ---- Reading ----

QPainterPath TCanvas::StoredPathAsQPath(bool closeAll) const
{
    QPainterPath path;
    const auto& pts = FPath.points;
    const auto& kinds = FPath.kinds;
    bool inFigure = false;
    for (size_t i = 0; i < pts.size(); ++i) {
        const uint8_t kind = kinds[i] & ~PT_CLOSEFIGURE;
        bool closes = (kinds[i] & PT_CLOSEFIGURE) != 0;
        if (kind == PT_MOVETO || !inFigure) {
            if (inFigure && closeAll)
                path.closeSubpath();
            path.moveTo(pts[i]);
            inFigure = true;
        } else if (kind == PT_BEZIERTO && i + 2 < pts.size() && (kinds[i + 1] & ~PT_CLOSEFIGURE) == PT_BEZIERTO &&
                   (kinds[i + 2] & ~PT_CLOSEFIGURE) == PT_BEZIERTO) {
            path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
            i += 2;
            closes = (kinds[i] & PT_CLOSEFIGURE) != 0;
        } else {
            path.lineTo(pts[i]);
        }
        if (closes) {
            path.closeSubpath();
            inFigure = false;
        }
    }
    if (inFigure && closeAll)
        path.closeSubpath();
    return path;
}

void TCanvas::FlattenStoredPath(std::vector<QPointF>& points, std::vector<uint8_t>& kinds) const
{
    const auto& pts = FPath.points;
    const auto& ks = FPath.kinds;
    for (size_t i = 0; i < pts.size(); ++i) {
        const uint8_t kind = ks[i] & ~PT_CLOSEFIGURE;
        if (kind == PT_BEZIERTO && !points.empty() && i + 2 < pts.size()) {
            const QPointF p0 = points.back();
            const int steps = CubicSteps(p0, pts[i], pts[i + 1], pts[i + 2]);
            for (int s = 1; s <= steps; ++s) {
                points.push_back(s == steps ? pts[i + 2] : CubicAt(p0, pts[i], pts[i + 1], pts[i + 2], double(s) / steps));
                kinds.push_back(PT_LINETO);
            }
            kinds.back() |= ks[i + 2] & PT_CLOSEFIGURE;
            i += 2;
        } else {
            points.push_back(pts[i]);
            kinds.push_back(kind == PT_BEZIERTO ? uint8_t(PT_LINETO | (ks[i] & PT_CLOSEFIGURE)) : ks[i]);
        }
    }
}

std::vector<std::vector<TPoint>> TCanvas::StoredPathPolygons() const
{
    std::vector<QPointF> points;
    std::vector<uint8_t> kinds;
    FlattenStoredPath(points, kinds);
    std::vector<std::vector<TPoint>> polygons;
    for (size_t i = 0; i < points.size(); ++i) {
        if ((kinds[i] & ~PT_CLOSEFIGURE) == PT_MOVETO || polygons.empty())
            polygons.emplace_back();
        polygons.back().emplace_back(Round(points[i].x()), Round(points[i].y()));
    }
    return polygons;
}

void TCanvas::PaintStoredPath(bool stroke, bool fill)
{
    QPainter* p = Begin();
    if (!p)
        return;
    if (fill && SetupBrush(p, CurrentBrush())) {
        UseXf(p, Xf::Device);
        QPainterPath path = StoredPathAsQPath(true);
        path.setFillRule(FPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        p->drawPath(path);
    }
    if (stroke) {
        const QPainterPath outline = StoredPathAsQPath(false);
        Stroke(p, true, [&](bool) { p->drawPath(outline); });
    }
}

// ---- Path bracket ----

bool TCanvas::BeginPath()
{
    FPath.Clear();
    FPath.open = true;
    return true;
}

bool TCanvas::EndPath()
{
    if (!FPath.open)
        return false;
    FPath.open = false;
    FPath.exists = true;
    return true;
}

bool TCanvas::AbortPath()
{
    FPath.Clear();
    return true;
}

bool TCanvas::CloseFigure()
{
    if (!FPath.open || FPath.kinds.empty())
        return false;
    PathCloseFigure();
    return true;
}

// Paints the closed path bracket and forgets it; false while a bracket is open or
// when there is no path.
bool TCanvas::PaintAndClearPath(bool stroke, bool fill)
{
    if (FPath.open || !FPath.exists)
        return false;
    PaintStoredPath(stroke, fill);
    FPath.Clear();
    return true;
}

bool TCanvas::StrokePath()
{
    return PaintAndClearPath(true, false);
}

bool TCanvas::FillPath()
{
    return PaintAndClearPath(false, true);
}

bool TCanvas::StrokeAndFillPath()
{
    return PaintAndClearPath(true, true);
}

bool TCanvas::FlattenPath()
{
    if (FPath.open || !FPath.exists)
        return false;
    std::vector<QPointF> points;
    std::vector<uint8_t> kinds;
    FlattenStoredPath(points, kinds);
    FPath.points = std::move(points);
    FPath.kinds = std::move(kinds);
    return true;
}

int TCanvas::GetPath(std::vector<TPoint>& points, std::vector<uint8_t>& kinds) const
{
    points.clear();
    kinds.clear();
    if (FPath.open || !FPath.exists)
        return -1;
    bool invertible = false;
    const QTransform toLogical = FLogToDev.inverted(&invertible);
    if (!invertible)
        return -1;
    points.reserve(FPath.points.size());
    for (const QPointF& d : FPath.points) {
        const QPointF l = toLogical.map(d);
        points.emplace_back(Round(l.x()), Round(l.y()));
    }
    kinds = FPath.kinds;
    return int(points.size());
}

bool TCanvas::PathToRegion(TRegion& region)
{
    if (FPath.open || !FPath.exists)
        return false;
    region = TRegion::FromPolyPolygon(StoredPathPolygons(), FPolyFillMode);
    FPath.Clear();
    return true;
}

bool TCanvas::SelectClipPath(int mode)
{
    TRegion region;
    if (!PathToRegion(region))
        return false;
    return CombineClip(&region, mode) != RGN_ERROR;
}

// ---- Regions and clipping ----

bool TCanvas::FillRgn(const TRegion& region, const TBrush& brush)
{
    QPainter* p = Begin();
    if (!p)
        return false;
    const BrushSpec setup = MakeBrush(brush, true);
    if (!SetupBrush(p, setup))
        return true;
    UseXf(p, Xf::Logical);
    const QRegion pixels = region.ToQRegion(ClipRect().toQRect().adjusted(-1, -1, 1, 1));
    const std::vector<QRect> rects(pixels.begin(), pixels.end());
    if (!rects.empty())
        p->drawRects(rects.data(), int(rects.size()));
    return true;
}

bool TCanvas::PaintRgn(const TRegion& region)
{
    QPainter* p = Begin();
    if (!p)
        return false;
    if (!SetupBrush(p, CurrentBrush()))
        return true;
    UseXf(p, Xf::Logical);
    const QRegion pixels = region.ToQRegion(ClipRect().toQRect().adjusted(-1, -1, 1, 1));
    const std::vector<QRect> rects(pixels.begin(), pixels.end());
    if (!rects.empty())
        p->drawRects(rects.data(), int(rects.size()));
    return true;
}

int TCanvas::CombineClip(const TRegion* region, int mode)
{
    const QRect window = DeviceWindow();
    if (mode == RGN_COPY) {
        if (region)
            FClip = region->ToQRegion(window);
        else
            FClip.reset();
    } else {
        if (!region || mode < RGN_AND || mode > RGN_DIFF)
            return RGN_ERROR;
        const QRegion add = region->ToQRegion(window);
        const QRegion current = FClip ? *FClip : QRegion(window);
        switch (mode) {
        case RGN_AND: FClip = current.intersected(add); break;
        case RGN_OR: FClip = current.united(add); break;
        case RGN_XOR: FClip = current.xored(add); break;
        default: FClip = current.subtracted(add); break;
        }
    }
    FClipDirty = true;
    FDirect.valid = false;
    return FClip ? RegionKind(*FClip) : SIMPLEREGION;
}

int TCanvas::SelectClipRgn(const TRegion* region)
{
    return CombineClip(region, RGN_COPY);
}

int TCanvas::ExtSelectClipRgn(const TRegion* region, int mode)
{
    return CombineClip(region, mode);
}

int TCanvas::GetClipRgn(TRegion& region) const
{
    if (!FClip)
        return 0;
    region = TRegion::FromQRegion(*FClip);
    return 1;
}

int TCanvas::IntersectClipRect(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const QRectF device = FLogToDev.mapRect(QRectF(left, top, double(right) - left, double(bottom) - top));
    const TRegion rect = TRegion::FromRect(TRect(Round(device.left()), Round(device.top()), Round(device.right()),
                                                 Round(device.bottom())));
    return CombineClip(&rect, RGN_AND);
}

TRect TCanvas::ClipRect()
{
    const QRect device = FClip ? FClip->boundingRect() : DeviceWindow();
    // Under a translation by whole pixels (painting, most often) the box only moves.
    if (WholePixelShift(FLogToDev) && std::abs(FLogToDev.dx()) <= 1 << 29 && std::abs(FLogToDev.dy()) <= 1 << 29) {
        if (device.isEmpty())
            return TRect();
        const int dx = int(FLogToDev.dx()), dy = int(FLogToDev.dy());
        return TRect(device.left() - dx, device.top() - dy, device.right() + 1 - dx, device.bottom() + 1 - dy);
    }
    bool invertible = false;
    const QTransform toLogical = FLogToDev.inverted(&invertible);
    if (!invertible || device.isEmpty())
        return TRect();
    const QRectF logical = toLogical.mapRect(QRectF(device));
    // Under a mapping that squeezes nearly to a line the logical box reaches far past any
    // integer: it is kept within a span that callers can still widen.
    const auto whole = [](double v) {
        constexpr double kFar = double(1 << 30);
        return std::isnan(v) ? 0 : int(std::clamp(v, -kFar, kFar));
    };
    return TRect(whole(std::floor(logical.left())), whole(std::floor(logical.top())), whole(std::ceil(logical.right())),
                 whole(std::ceil(logical.bottom())));
}

bool TCanvas::DrawsOnPicture() const
{
    const QPaintDevice* device = Device();
    return device && device->devType() == QInternal::Image && !FPath.open;
}

bool TCanvas::VisiblePictureArea(TRect& Area)
{
    if (!DrawsOnPicture())
        return false;
    Area = ClipRect();
    return Area.Right > Area.Left && Area.Bottom > Area.Top;
}
