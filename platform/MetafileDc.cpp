#include "MetafileDc.h"

#include "Bitmap.h"
#include "MetafileRecords.h"

#include <algorithm>
#include <cmath>

namespace Mf {

namespace {

TPenMode PenModeFor(int rop2)
{
    static const TPenMode modes[16] = {pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot,
                                       pmXor,   pmNotMask,  pmMask,       pmNotXor,  pmNop,        pmMergeNotPen,
                                       pmCopy,  pmMergePenNot, pmMerge,   pmWhite};
    return rop2 >= 1 && rop2 <= 16 ? modes[rop2 - 1] : pmCopy;
}

bool Finite(const QTransform& t)
{
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v))
            return false;
    return true;
}

// A rectangle of target pixels far wider than any page.
QRect EverywhereRect()
{
    constexpr int kFar = 100'000'000;
    return QRect(QPoint(-kFar, -kFar), QPoint(kFar, kFar));
}

} // namespace

TDc::TDc(TCanvas& canvas, size_t maxObjects) : FCanvas(canvas), FObjects(maxObjects)
{
    FState.Font.lfHeight = -13;
    FState.Font.lfFaceName = TFont::DefaultName();
}

bool TDc::Create(size_t index, TObject object)
{
    if (index >= FObjects.size())
        return false;
    FObjects[index] = std::move(object);
    return true;
}

bool TDc::CreateLowest(TObject object)
{
    for (std::optional<TObject>& slot : FObjects) {
        if (!slot) {
            slot = std::move(object);
            return true;
        }
    }
    return false;
}

const TObject* TDc::Object(size_t index) const
{
    return index < FObjects.size() && FObjects[index] ? &*FObjects[index] : nullptr;
}

bool TDc::Select(size_t index)
{
    const TObject* object = Object(index);
    if (!object)
        return false;
    switch (object->Kind) {
    case TObject::TKind::Pen:
        FState.Pen = object->Pen;
        FState.PenNull = object->Pen.Style == psClear;
        break;
    case TObject::TKind::Brush: FState.Brush = object->Brush; break;
    case TObject::TKind::Font: FState.Font = object->Font; break;
    case TObject::TKind::Region: SetClip(LogicalToTarget().map(object->Region)); break;
    case TObject::TKind::Other: break;
    }
    Touch();
    return true;
}

bool TDc::SelectStock(uint32_t stock)
{
    auto brush = [this](TColor colour, bool null) {
        FState.Brush = TBrushObject{null, bsSolid, colour, {}};
    };
    switch (stock) {
    case WHITE_BRUSH: brush(clWhite, false); break;
    case LTGRAY_BRUSH: brush(0xC0C0C0, false); break;
    case GRAY_BRUSH: brush(0x808080, false); break;
    case DKGRAY_BRUSH: brush(0x404040, false); break;
    case BLACK_BRUSH: brush(clBlack, false); break;
    case NULL_BRUSH: brush(clWhite, true); break;
    case DC_BRUSH: brush(clWhite, false); break;
    case WHITE_PEN: FState.Pen = TPenObject{psSolid, 0, clWhite, false}, FState.PenNull = false; break;
    case BLACK_PEN:
    case DC_PEN: FState.Pen = TPenObject{psSolid, 0, clBlack, false}, FState.PenNull = false; break;
    case NULL_PEN: FState.PenNull = true; break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        FState.Font = TLogFont();
        FState.Font.lfHeight = -13;
        FState.Font.lfFaceName = TFont::DefaultName();
        break;
    default: return stock == DEFAULT_PALETTE;
    }
    Touch();
    return true;
}

bool TDc::Delete(size_t index)
{
    if (!Object(index))
        return false;
    FObjects[index].reset();
    return true;
}

void TDc::SetReferenceResolution(double dpiX, double dpiY)
{
    if (std::isfinite(dpiX) && std::isfinite(dpiY) && dpiX > 0 && dpiY > 0) {
        FRefDpiX = dpiX;
        FRefDpiY = dpiY;
        Touch();
    }
}

QTransform TDc::PageToDevice() const
{
    const TState& s = FState;
    if (FWindowTarget) {
        const QSizeF ext = s.WindowExt;
        if (ext.width() == 0 || ext.height() == 0)
            return QTransform(0, 0, 0, 0, 0, 0);
        const double sx = FWindowTarget->width() / ext.width(), sy = FWindowTarget->height() / ext.height();
        return QTransform(sx, 0, 0, sy, FWindowTarget->left() - sx * s.WindowOrg.x(),
                          FWindowTarget->top() - sy * s.WindowOrg.y());
    }
    double sx = 1, sy = 1;
    double unitsPerInch = 0;
    switch (s.MapMode) {
    case MM_LOMETRIC: unitsPerInch = 254; break;
    case MM_HIMETRIC: unitsPerInch = 2540; break;
    case MM_LOENGLISH: unitsPerInch = 100; break;
    case MM_HIENGLISH: unitsPerInch = 1000; break;
    case MM_TWIPS: unitsPerInch = 1440; break;
    case 7:   // MM_ISOTROPIC
    case 8: { // MM_ANISOTROPIC
        if (s.WindowExt.width() == 0 || s.WindowExt.height() == 0)
            return QTransform(0, 0, 0, 0, 0, 0);
        sx = s.ViewportExt.width() / s.WindowExt.width();
        sy = s.ViewportExt.height() / s.WindowExt.height();
        if (s.MapMode == 7) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    }
    default: break;
    }
    if (unitsPerInch > 0) {
        sx = FRefDpiX / unitsPerInch;
        sy = -FRefDpiY / unitsPerInch;
    }
    return QTransform(sx, 0, 0, sy, s.ViewportOrg.x() - sx * s.WindowOrg.x(), s.ViewportOrg.y() - sy * s.WindowOrg.y());
}

QTransform TDc::LogicalToTarget() const
{
    return FState.World * PageToDevice() * FFrame;
}

void TDc::SetClip(const std::optional<QRegion>& clip)
{
    FState.Clip = clip;
    Touch();
}

void TDc::CombineClip(const QRegion& region, int mode)
{
    const std::optional<QRegion>& clip = FState.Clip;
    switch (mode) {
    case RGN_AND: SetClip(clip ? clip->intersected(region) : region); break;
    case RGN_OR: SetClip(clip ? clip->united(region) : region); break;
    case RGN_XOR: SetClip(clip ? clip->xored(region) : region); break;
    case RGN_DIFF:
        // Without a clip everything shows: what is left out is cut from all of it.
        SetClip((clip ? *clip : QRegion(EverywhereRect())).subtracted(region));
        break;
    default: SetClip(region); break;
    }
}

QRegion TDc::LogicalRect(int left, int top, int right, int bottom) const
{
    const QRectF box = LogicalToTarget().mapRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
    // A region is made of integer rectangles: the box is cut to a span far wider than any
    // page, which keeps what it clips on the page and lets its corners fit.
    const QRectF kept = box.intersected(QRectF(EverywhereRect()));
    if (!kept.isValid())
        return QRegion();
    return QRegion(kept.toRect());
}

void TDc::Save()
{
    if (FSaved.size() < 4096)
        FSaved.push_back(FState);
}

bool TDc::Restore(int which)
{
    const int64_t count = int64_t(FSaved.size());
    const int64_t keep = which < 0 ? count + which : int64_t(which) - 1;
    if (keep < 0 || keep >= count)
        return false;
    FState = FSaved[size_t(keep)];
    FSaved.resize(size_t(keep));
    Touch();
    return true;
}

bool TDc::Prepare()
{
    if (!FDirty)
        return FUsable;
    FDirty = false;
    const QTransform t = LogicalToTarget();
    FUsable = Finite(t) && t.isInvertible();
    if (!FUsable)
        return false;
    TCanvas& c = FCanvas;
    c.SetGraphicsMode(GM_ADVANCED);
    FUsable = c.SetWorldTransform(XFORM{float(t.m11()), float(t.m12()), float(t.m21()), float(t.m22()),
                                        float(t.dx()), float(t.dy())});
    if (!FUsable)
        return false;
    const TState& s = FState;
    c.Pen().SetStyle(s.PenNull ? psClear : s.Pen.Style);
    c.Pen().SetWidth(std::max(1, s.Pen.Width));
    c.Pen().SetColor(s.Pen.Color);
    c.Pen().SetMode(PenModeFor(s.Rop2));
    const bool dashed = s.Pen.Style != psSolid && s.Pen.Style != psClear && s.Pen.Style != psInsideFrame;
    if (!s.PenNull && s.Pen.Geometric && s.Pen.Width > 1 && dashed)
        c.SelectGeometricPen(s.Pen.Style, s.Pen.Color, s.Pen.Width);
    else
        c.DeselectGeometricPen();
    if (!s.Brush.Pattern.isNull()) {
        TBitmap pattern;
        pattern.Assign(s.Brush.Pattern);
        c.Brush().SetBitmap(&pattern);
    } else {
        c.Brush().SetBitmap(nullptr);
    }
    c.Brush().SetStyle(s.Brush.Null ? bsClear : s.Brush.Style);
    c.Brush().SetColor(s.Brush.Color);
    // After the brush: a new brush sets the canvas's background mode.
    c.SetBkMode(s.BkMode);
    c.SetBkColor(s.BkColor);
    c.SetPolyFillMode(s.PolyFillMode);
    const bool mirrored = t.determinant() < 0;
    c.SetArcDirection((s.ArcDirection == AD_CLOCKWISE) != mirrored ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
    c.SetTextCharacterExtra(s.CharExtra);
    c.Font().SetLogFont(s.Font);
    c.Font().SetColor(s.TextColor);
    if (s.Clip) {
        const TRegion region = TRegion::FromQRegion(*s.Clip);
        c.SelectClipRgn(&region);
        FClipApplied = true;
    } else if (FClipApplied) {
        c.SelectClipRgn(nullptr);
        FClipApplied = false;
    }
    return true;
}

} // namespace Mf

namespace Mf {

void TDc::Text(QPoint ref, const QString& text, const std::vector<int>& advances, uint32_t options,
               const std::optional<QRect>& rect)
{
    if (!Prepare())
        return;
    TCanvas& c = FCanvas;
    const bool updateCp = FState.TextAlign & 1; // TA_UPDATECP
    if (updateCp)
        ref = FState.Position;
    if (rect && (options & ETO_OPAQUE)) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(FState.BkColor);
        c.FillRect(TRect(rect->left(), rect->top(), rect->right() + 1, rect->bottom() + 1));
        Touch();
        Prepare();
    }
    if (rect && (options & ETO_CLIPPED))
        c.IntersectClipRect(rect->left(), rect->top(), rect->right() + 1, rect->bottom() + 1);
    // A mapping that mirrors would mirror the glyphs: their frame is turned back, the
    // reference point kept where it falls.
    const QTransform t = LogicalToTarget();
    QTransform glyphs = t;
    if (t.determinant() < 0)
        glyphs = QTransform::fromScale(1, -1) * t;
    // Under a mapping squeezed nearly flat the reference point lands far off: it is kept
    // where an int still holds it.
    const auto kept = [](double v) { return std::isfinite(v) ? std::clamp(v, -1e9, 1e9) : 0.0; };
    QPointF at = glyphs.inverted().map(t.map(QPointF(ref)));
    at = QPointF(kept(at.x()), kept(at.y()));
    c.SetWorldTransform(XFORM{float(glyphs.m11()), float(glyphs.m12()), float(glyphs.m21()), float(glyphs.m22()),
                              float(glyphs.dx()), float(glyphs.dy())});
    const int horizontal = int(FState.TextAlign & TA_CENTER);
    const int vertical = int(FState.TextAlign & TA_BASELINE);
    int64_t total = 0;
    for (size_t i = 0; i < advances.size() && i < size_t(text.size()); ++i)
        total += advances[i];
    if (advances.empty() || text.size() < 2) {
        c.SetTextAlign(horizontal | vertical);
        c.TextOut(int(std::lround(at.x())), int(std::lround(at.y())), text);
        if (updateCp)
            FState.Position = ref + QPoint(c.TextWidth(text), 0);
    } else {
        // Each character at its place along the base line.
        const double angle = FState.Font.lfEscapement / 10.0 * 3.14159265358979323846 / 180.0;
        const double dx = std::cos(angle), dy = -std::sin(angle);
        double start = horizontal == TA_CENTER ? -double(total) / 2 : horizontal == TA_RIGHT ? -double(total) : 0;
        c.SetTextAlign(TA_LEFT | vertical);
        double along = start;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
            const QString ch = text.mid(i, pair ? 2 : 1);
            c.TextOut(int(std::lround(at.x() + along * dx)), int(std::lround(at.y() + along * dy)), ch);
            along += size_t(i) < advances.size() ? advances[size_t(i)] : 0;
            if (pair && size_t(i + 1) < advances.size())
                along += advances[size_t(i + 1)];
            if (pair)
                ++i;
        }
        if (updateCp)
            FState.Position = ref + QPoint(int(std::clamp<int64_t>(total, INT32_MIN / 2, INT32_MAX / 2)), 0);
    }
    if (rect && (options & ETO_CLIPPED))
        FClipApplied = true; // the clip is selected again from the state below
    Touch();
}

void TDc::Picture(QRect dest, QImage image, QRect source, uint32_t rop)
{
    if (image.isNull() || !Prepare())
        return;
    source = source.intersected(image.rect());
    if (source.isEmpty() || dest.width() == 0 || dest.height() == 0)
        return;
    if (source != image.rect())
        image = image.copy(source);
    if (dest.width() < 0 || dest.height() < 0) {
        image = image.mirrored(dest.width() < 0, dest.height() < 0);
        dest = dest.normalized();
    }
    FCanvas.SetCopyMode(TCopyMode(rop));
    FCanvas.StretchDraw(TRect(dest.left(), dest.top(), dest.left() + dest.width(), dest.top() + dest.height()), image);
    FCanvas.SetCopyMode(cmSrcCopy);
}

void TDc::PatternFill(QRect dest, uint32_t rop)
{
    if (!Prepare())
        return;
    dest = dest.normalized();
    const TRect r(dest.left(), dest.top(), dest.left() + dest.width(), dest.top() + dest.height());
    TCanvas& c = FCanvas;
    switch (rop) {
    case 0x00F00021: // PATCOPY
        if (!FState.Brush.Null)
            c.FillRect(r);
        break;
    case cmBlackness:
    case cmWhiteness:
        c.Brush().SetBitmap(nullptr);
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(rop == uint32_t(cmBlackness) ? clBlack : clWhite);
        c.FillRect(r);
        Touch();
        break;
    case cmDstInvert: {
        const TPenMode mode = c.Pen().Mode();
        c.Pen().SetStyle(psClear);
        c.Pen().SetMode(pmNot);
        c.Brush().SetStyle(bsSolid);
        c.Rectangle(r);
        c.Pen().SetMode(mode);
        Touch();
        break;
    }
    default: break;
    }
}

void TDc::PolyPolygon(const std::vector<std::vector<TPoint>>& polygons)
{
    if (!Prepare())
        return;
    TCanvas& c = FCanvas;
    if (c.PathOpen()) {
        for (const auto& p : polygons)
            c.Polygon(p);
        return;
    }
    c.BeginPath();
    for (const auto& p : polygons)
        c.Polygon(p);
    c.EndPath();
    c.StrokeAndFillPath();
}

} // namespace Mf
