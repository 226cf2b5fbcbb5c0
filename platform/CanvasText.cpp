// TCanvas: text output and measurement.
//
// Text is laid out in a frame whose x axis runs along the base line and whose y axis runs
// down the characters, with its origin at the reference point (top-left by default). The
// frame is turned by the escapement, then carried to the device: the reference point goes
// through the whole logical-to-device mapping, while the glyphs are scaled by the mapping
// mode without being mirrored by it (a mapping mode with y up still shows upright text)
// and follow the world transform, so a world transform that mirrors mirrors the text.
#include "Canvas.h"
#include "PreparedText.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {
// Pixels: glyphs drawn larger than this are filled as outlines.
constexpr double kLargestRenderedGlyph = 2048;
} // namespace

QFont TCanvas::CurrentQFont() const
{
    QFont font = FFont.ToQFont();
    if (FCharExtra != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, FCharExtra);
    return font;
}

QTransform TCanvas::TextTransform(int x, int y) const
{
    const QPointF reference = FLogToDev.map(QPointF(x, y));
    const double sx = FMap.m11();
    const double sy = FMap.m22();
    // Glyph vectors: into the page's orientation, through the world transform, then the
    // signed mapping scale (which undoes the first flip and keeps the magnitude).
    const QTransform toPage = QTransform::fromScale(sx < 0 ? -1 : 1, sy < 0 ? -1 : 1);
    const QTransform world(FWorld.m11(), FWorld.m12(), FWorld.m21(), FWorld.m22(), 0, 0);
    QTransform escapement;
    escapement.rotate(-double(FFont.Escapement()) / 10.0); // any stored value, INT_MIN too
    return escapement * toPage * world * FMap * QTransform::fromTranslate(reference.x(), reference.y());
}

TSize TCanvas::TextExtent(const QString& text)
{
    const QFontMetrics metrics(CurrentQFont());
    return TSize{text.isEmpty() ? 0 : metrics.horizontalAdvance(text), metrics.height()};
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    TextOut(x, y, text, nullptr);
}

void TCanvas::TextOut(int x, int y, const QString& text, TPreparedText* Prepared)
{
    if (text.isEmpty())
        return;
    const QFont font = CurrentQFont();
    const QFontMetrics metrics(font);
    // Measuring shapes the whole text again: only right and centred alignment and an
    // opaque background need the width.
    const bool measured = (FTextAlign & TA_CENTER) != 0 || (FBkMode == OPAQUE && !FPath.open);
    const int width = measured ? metrics.horizontalAdvance(text) : 0;
    const int ascent = metrics.ascent();
    const int height = metrics.height();
    double left = 0;
    switch (FTextAlign & TA_CENTER) {
    case TA_RIGHT: left = -width; break;
    case TA_CENTER: left = -(width / 2); break;
    default: break;
    }
    double top = 0;
    switch (FTextAlign & TA_BASELINE) {
    case TA_BOTTOM: top = -height; break;
    case TA_BASELINE: top = -ascent; break;
    default: break;
    }
    const QTransform frame = TextTransform(x, y);
    if (FPath.open) {
        QPainterPath glyphs;
        glyphs.addText(QPointF(left, top + ascent), font, text);
        FPath.newFigure = true;
        PathAddQPath(frame.map(glyphs), true);
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    ApplyClip(p);
    SyncBkFromBrush();
    p->setTransform(frame * FBase);
    FXf = Xf::Custom;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (FBkMode == OPAQUE)
        p->fillRect(QRectF(left, top, width, height), ToQColor(FBkColor));
    p->setRenderHint(QPainter::TextAntialiasing, FFont.Antialiased());
    p->setFont(font);
    p->setPen(QPen(ToQColor(FFont.Color())));
    p->setBrush(NoBrush());
    // Glyphs drawn larger than a picture is wide go as outlines: the painter measures a
    // glyph by the transform's area alone, so under a scale that stretches one axis and
    // squeezes the other it would render a glyph far past what the font engine renders.
    // The font's own size is taken too: for huge fonts the metrics overflow.
    const QTransform toDevice = p->transform();
    const double stretch = std::max(std::hypot(toDevice.m11(), toDevice.m12()), std::hypot(toDevice.m21(), toDevice.m22()));
    const double em = std::max({double(height), double(font.pixelSize()), font.pointSizeF()});
    if (!(em * stretch < kLargestRenderedGlyph)) {
        QPainterPath outlines;
        outlines.addText(QPointF(left, top + ascent), font, text);
        p->setRenderHint(QPainter::Antialiasing, FFont.Antialiased());
        p->fillPath(outlines, ToQColor(FFont.Color()));
        p->setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    // Prepared glyphs are drawn only on pictures: other devices (printers, metafiles) are
    // given the text itself.
    const QPaintDevice* device = p->device();
    if (Prepared && DrawsOnPicture()
        && (Prepared->Holds(text, font, device) || Prepared->Prepare(text, font, device))) {
        const QPointF origin(left, top + ascent - Prepared->Baseline());
        for (const QGlyphRun& run : Prepared->Runs())
            p->drawGlyphRun(origin, run);
        return;
    }
    p->drawText(QPointF(left, top + ascent), text);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    if (FPath.open) {
        TextOut(x, y, text);
        return;
    }
    QPainter* p = Begin();
    if (!p)
        return;
    ApplyClip(p);
    UseXf(p, Xf::Logical);
    p->save();
    p->setClipRect(QRectF(r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top), Qt::IntersectClip);
    TextOut(x, y, text);
    p->restore();
    FXf = Xf::Unknown;
}
