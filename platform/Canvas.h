#pragma once
// TCanvas: a GDI-like drawing surface on a Qt paint device (a QImage, a TBitmap's image,
// a printer, a picture recorder) or on a painter that someone else opened.
//
// Model. The canvas owns a current TPen, TBrush and TFont, applied lazily at the next
// drawing call, and keeps GDI's device-context state: current position, background mode
// and colour, polygon fill mode, arc direction, text alignment and character extra,
// copy mode, clip region, path bracket, graphics mode, world transform and mapping mode.
// Coordinates are logical integers; they go through the world transform (GM_ADVANCED
// only) and the mapping mode to device pixels. The canvas notices tool changes by their
// Serial(), so the OnChange events of its pen, brush and font are free for the caller.
//
// Pixel rules (with the identity transform; antialiasing is always off except for text
// of an antialiased font quality, so every drawing is exact and repeatable):
// - A width-1 pen lights the pixel (x, y) for the point (x, y). LineTo and Polyline leave
//   out the last pixel of the line, so joined segments never touch a pixel twice.
// - Polygon fills hold the pixels whose centres lie inside (ALTERNATE or WINDING) and
//   the outline is drawn over them; Rectangle(x1, y1, x2, y2) with a width-1 pen covers
//   exactly x1..x2-1 by y1..y2-1 (outline on the border, brush inside); with a clear pen
//   the brush covers x1..x2-2 by y1..y2-2, as GDI does. Ellipse, Arc, Chord, Pie and
//   RoundRect use the same box.
// - FillRect, FrameRect and FillRgn paint with the brush in copy mode (no raster mode).
// - Pens wider than 1 have round ends and joins; their dashed styles draw solid, as GDI's
//   wide cosmetic pens do. SelectGeometricPen gives dashed wide pens (shape outlines).
// Raster modes: all 16 pen modes map to Qt raster operations; drawing a figure twice in
// pmXor or pmNotXor restores every pixel. Raster operations are exact on 24- and 32-bit
// images (TBitmap pf24bit/pf32bit, QImage RGB32, ARGB32_Premultiplied, BGR888).
// Text ignores the pen mode, as in GDI.
//
// Paths: between BeginPath and EndPath, MoveTo, LineTo, Polyline, Polygon, PolyBezier,
// PolyBezierTo, Rectangle, RoundRect, Ellipse, Arc, Chord, Pie and TextOut (glyph
// outlines) add figures to the path instead of painting. The path is kept in device
// coordinates and read back in logical ones.
//
// Painter lifetime. A canvas on a device opens a QPainter at the first drawing call and
// keeps it open (that is what makes many small calls cheap). Call ReleasePainter() before
// resizing or replacing the device's image, copying that QImage, or painting on the
// device with a QPainter of your own (TCanvas::ReleaseDevice(device) does it for whatever
// canvas holds the device). Two canvases on one device take turns automatically. A
// picture recorder or a printer is best drawn through a canvas made on the painter you
// opened yourself: ending the painter there ends the document. A canvas on a foreign
// painter saves its state when attached and restores it when detached.
#include "mycad_export.h"
#include "Brush.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "Pen.h"
#include "PixelWriter.h"
#include "Region.h"
#include "Types.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

class QImage;
class QPaintDevice;
class TBitmap;
class TPreparedText;

class MYCAD_EXPORT TCanvas {
public:
    // A canvas without a device: drawing calls do nothing (text can still be measured).
    TCanvas();
    explicit TCanvas(QPaintDevice* device);
    // Draws through a painter someone else began and ends; the canvas does not end it.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // ---- Device and painter ----
    // Binds the canvas to a device (null: none). Ends any painter the canvas opened; the
    // drawing state (pen, brush, font, modes, transform) stays, clip and path are reset.
    void SetDevice(QPaintDevice* device);
    // Binds the canvas to a foreign, active painter (null: none).
    void SetPainter(QPainter* painter);
    QPaintDevice* Device() const;
    bool HandleAllocated() const { return FDevice != nullptr || FExternal != nullptr; }
    // Ends the painter the canvas opened (it reopens at the next drawing call).
    void ReleasePainter();
    // Ends the painter of whichever canvas holds the device open.
    static void ReleaseDevice(const QPaintDevice* device);
    // The active painter with the canvas's clip and logical-to-device transform applied,
    // for drawing that the canvas does not offer (null without a device). The canvas
    // re-applies its own state at its next call.
    QPainter* Painter();

    // ---- Pen, brush, font ----
    TPen& Pen() { return FPen; }
    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& value) { FPen.Assign(value); }
    TBrush& Brush() { return FBrush; }
    const TBrush& Brush() const { return FBrush; }
    void SetBrush(const TBrush& value) { FBrush.Assign(value); }
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode value) { FCopyMode = value; }

    // Strokes with a geometric pen instead of Pen(): the style (dashes scale with the
    // width), a solid colour, round ends and joins, width in logical units (1 or less
    // draws one pixel wide). The pen mode stays Pen().Mode(). It holds until
    // DeselectGeometricPen() or until Pen() changes.
    void SelectGeometricPen(TPenStyle style, TColor color, int width);
    void DeselectGeometricPen();
    bool GeometricPenSelected() const;
    // Device pixels per unit of pen width (1 unless set). A picture composed for a screen
    // of a higher pixel density scales its pens with it: a one-pixel pen then draws
    // Round(scale) device pixels wide (at least one), its dashes as long as the scale says,
    // and wider pens Round(width * scale). Coordinates are not scaled.
    void SetPenScale(double scale);
    double PenScale() const { return FPenScale; }

    // ---- Device-context modes ----
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& value) { MoveTo(value.X, value.Y); }
    // TRANSPARENT or OPAQUE; returns the previous mode (0 for an invalid one). As in the
    // VCL canvas, a brush change resets it: a solid brush makes it OPAQUE with the brush
    // colour as background, any other brush TRANSPARENT.
    int SetBkMode(int mode);
    int GetBkMode();
    TColor SetBkColor(TColor color);
    TColor GetBkColor();
    // ALTERNATE (the default) or WINDING; returns the previous mode (0 for an invalid one).
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return FPolyFillMode; }
    // AD_COUNTERCLOCKWISE (the default) or AD_CLOCKWISE, as seen on the device.
    int SetArcDirection(int direction);
    int GetArcDirection() const { return FArcDirection; }
    // TA_LEFT/TA_RIGHT/TA_CENTER | TA_TOP/TA_BOTTOM/TA_BASELINE; default TA_LEFT | TA_TOP.
    int SetTextAlign(int align);
    int GetTextAlign() const { return FTextAlign; }
    // Extra space after every character of text, in logical units; returns the previous value.
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const { return FCharExtra; }

    // ---- Lines and figures ----
    void MoveTo(int x, int y);
    // A line from the current position to (x, y), without its last pixel; moves there.
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    // Lines from the current position through the points; moves to the last.
    void PolylineTo(const std::vector<TPoint>& points);
    // Start point then three points (two controls and an end) per cubic segment; false
    // when the count is not 1 + 3n.
    bool PolyBezier(const std::vector<TPoint>& points);
    // From the current position, three points per segment; moves to the last. False when
    // the count is not a multiple of 3.
    bool PolyBezierTo(const std::vector<TPoint>& points);
    // A closed polygon filled with the brush under GetPolyFillMode() and outlined.
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // A rectangle with corners rounded by ellipses of w by h.
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // The part of the ellipse in the box (x1, y1, x2, y2) from the radial through
    // (x3, y3) to the radial through (x4, y4), counter-clockwise on screen (see
    // SetArcDirection); equal radials give the whole ellipse. Arc strokes, Chord closes
    // with the chord, Pie with two radii; the last two are filled.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // Brush only, in copy mode: Left..Right-1 by Top..Bottom-1; nothing for an empty rectangle.
    void FillRect(const TRect& r);
    // A border one logical unit wide inside the rectangle, with the brush in copy mode.
    void FrameRect(const TRect& r);

    // ---- Text ----
    // Draws the text at the reference point (by default its top-left corner) in the font's
    // colour, turned by the font's escapement (tenths of a degree, counter-clockwise on
    // screen), over a background box when the background mode is OPAQUE.
    void TextOut(int x, int y, const QString& text);
    // The same, drawing the glyphs Prepared holds for the text (shaping it into Prepared
    // when it holds another text or font) where that gives the same pixels: on a picture,
    // outside a path. Elsewhere, or for null, the text is shaped anew.
    void TextOut(int x, int y, const QString& text, TPreparedText* Prepared);
    // TextOut clipped to the rectangle.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    // Width (advance, with the character extra) and height (ascent + descent) in logical
    // units, independent of the escapement.
    TSize TextExtent(const QString& text);
    int TextWidth(const QString& text) { return TextExtent(text).cx; }
    int TextHeight(const QString& text) { return TextExtent(text).cy; }

    // ---- Pixels and pictures ----
    // The colour of a pixel of an image device; CLR_INVALID outside it or on other devices.
    TColor Pixels(int x, int y);
    // Sets one pixel (no raster mode; the clip region applies).
    void SetPixels(int x, int y, TColor color);
    // Draws the bitmap with its top-left at (x, y), combined by CopyMode(); a transparent
    // bitmap leaves its transparent colour out.
    void Draw(int x, int y, const TBitmap& bitmap);
    // Draws the bitmap scaled to the rectangle (nearest pixel).
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, const QImage& image);
    // Copies the source rectangle of another canvas's image (device pixels) to the
    // destination rectangle (scaled), combined by CopyMode(). Nothing when the source
    // canvas is not on an image.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // ---- Clipping and regions ----
    // The box of the drawable area in logical units: the clip region's box, or the device.
    TRect ClipRect();
    // Whether what is drawn now lands in a picture's pixels (an image device, no path
    // open): only then can a figure leave out what cannot show without any difference.
    bool DrawsOnPicture() const;
    // ClipRect when DrawsOnPicture and the box is not empty; false otherwise.
    bool VisiblePictureArea(TRect& Area);
    // Fills the region (logical coordinates) with the brush in copy mode.
    bool FillRgn(const TRegion& region, const TBrush& brush);
    // Fills the region with the canvas brush in the current pen mode.
    bool PaintRgn(const TRegion& region);
    // Clips to the region (device coordinates); null removes the clip. Returns the kind
    // of the new clip region (NULLREGION, SIMPLEREGION, COMPLEXREGION).
    int SelectClipRgn(const TRegion* region);
    // Combines the clip with the region (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    int ExtSelectClipRgn(const TRegion* region, int mode);
    // 1 and the clip region when there is one, 0 when there is none.
    int GetClipRgn(TRegion& region) const;
    // Narrows the clip to the rectangle (logical coordinates).
    int IntersectClipRect(int left, int top, int right, int bottom);

    // ---- Paths ----
    bool BeginPath();
    bool EndPath();
    bool AbortPath();
    // Closes the current figure (its last vertex gets PT_CLOSEFIGURE).
    bool CloseFigure();
    // Stroke with the pen / fill with the brush (figures closed) / both; the path is used up.
    bool StrokePath();
    bool FillPath();
    bool StrokeAndFillPath();
    // Turns the path's Bézier curves into line segments.
    bool FlattenPath();
    // The vertices of the closed path in logical units and their kinds (PT_MOVETO,
    // PT_LINETO, PT_BEZIERTO, with PT_CLOSEFIGURE or-ed in); returns the count, -1 when
    // there is no closed path.
    int GetPath(std::vector<TPoint>& points, std::vector<uint8_t>& kinds) const;
    // Makes the path (device coordinates, filled under the fill mode) a region; the path
    // is used up.
    bool PathToRegion(TRegion& region);
    // Combines the clip with the path's region; the path is used up.
    bool SelectClipPath(int mode);
    bool PathOpen() const { return FPath.open; }

    // ---- Transforms ----
    // GM_COMPATIBLE or GM_ADVANCED; returns the previous mode, 0 when refused (back to
    // GM_COMPATIBLE only with the identity world transform).
    int SetGraphicsMode(int mode);
    int GetGraphicsMode() const { return FGraphicsMode; }
    // Only in GM_ADVANCED; false otherwise or for a singular transform.
    bool SetWorldTransform(const XFORM& xform);
    bool GetWorldTransform(XFORM& xform) const;
    // MWT_IDENTITY, MWT_LEFTMULTIPLY or MWT_RIGHTMULTIPLY (GM_ADVANCED only).
    bool ModifyWorldTransform(const XFORM& xform, int mode);
    // MM_TEXT, MM_LOMETRIC, MM_HIMETRIC, MM_LOENGLISH, MM_HIENGLISH, MM_TWIPS, scaled by
    // the device's resolution; returns the previous mode, 0 when refused.
    int SetMapMode(int mode);
    int GetMapMode() const { return FMapMode; }
    // The logical point that lands on the device's top-left under the mapping mode: the
    // world's result is moved by its negative before the mode scales it. Clip regions
    // stay in device coordinates. Kept when the device changes; returns the previous
    // origin in Previous when given.
    void SetWindowOrgEx(int X, int Y, TPoint* Previous = nullptr);
    TPoint GetWindowOrg() const { return FWindowOrg; }
    bool LPtoDP(std::vector<TPoint>& points) const;
    bool DPtoLP(std::vector<TPoint>& points) const;
    // HORZRES, VERTRES, HORZSIZE, VERTSIZE, BITSPIXEL, NUMCOLORS, LOGPIXELSX, LOGPIXELSY.
    int GetDeviceCaps(int index) const;

private:
    // ...Hairline: offset by half the width of the current pen's scaled one-pixel line.
    enum class Xf : uint8_t { Unknown, Logical, LogicalHalf, Device, DeviceHalf, LogicalHairline, DeviceHairline, Custom };
    struct PenSpec {
        bool visible = false;
        bool cosmetic = true;
        // A one-pixel pen widened by the pen scale: its lines cover the pixels from the
        // point right and down by its width.
        bool hairline = false;
        int hairlineWidth = 1;
        // Whether the pen's mode gives the same pixel however often it is written: then
        // a scaled one-pixel line is drawn as the one-pixel line (stampPen) laid at every
        // offset of its width, which costs far less than stroking a wide pen.
        bool stampable = false;
        QPen stampPen;
        QPen pen;
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    };
    struct BrushSpec {
        bool visible = false;
        QBrush brush;
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    };
    struct PathData {
        std::vector<QPointF> points; // device coordinates
        std::vector<uint8_t> kinds;
        bool open = false;
        bool exists = false;
        bool newFigure = true;
        void Clear();
    };
    enum class FillShape : uint8_t { None, Polygon, Curve };

    void Init();
    void Detach();
    QPainter* Begin();
    void UseXf(QPainter* p, Xf xf);
    void ApplyClip(QPainter* p);
    void TransformChanged();
    const PenSpec& CurrentPen(double widthScale);
    const BrushSpec& CurrentBrush();
    BrushSpec MakeBrush(const TBrush& brush, bool copyMode);
    bool SetupPen(QPainter* p, bool deviceSpace);
    // Strokes what draw(onePixel) draws with the current pen, once or, for a stampable
    // scaled one-pixel pen, once per offset of its width with the one-pixel pen
    // (onePixel true: the figure may be drawn as a one-pixel pen draws it).
    template <typename Draw>
    void Stroke(QPainter* p, bool deviceSpace, Draw&& draw)
    {
        if (!SetupPen(p, deviceSpace))
            return;
        const PenSpec& pen = FPenSpec;
        if (!Stamps(pen)) {
            draw(pen.cosmetic);
            return;
        }
        p->setPen(pen.stampPen);
        for (int dy = 0; dy < pen.hairlineWidth; ++dy)
            for (int dx = 0; dx < pen.hairlineWidth; ++dx) {
                const QTransform shift = QTransform::fromTranslate(dx, dy);
                p->setTransform(deviceSpace ? shift * FBase : FLogToDev * shift * FBase);
                draw(true);
            }
        FXf = Xf::Custom;
    }
    // Whether a figure of the pen is drawn stamped (see PenSpec::stampable).
    bool Stamps(const PenSpec& pen) const
    {
        return pen.hairline && pen.stampable && (pen.stampPen.style() == Qt::SolidLine || FBkMode != OPAQUE);
    }
    bool SetupBrush(QPainter* p, const BrushSpec& setup);
    void SyncBkFromBrush();
    void ApplyBackground(QPainter* p, bool used);
    static const QPen& NoPen();
    static const QBrush& NoBrush();
    double LogicalScale() const;
    // A pen width (1 or less: one pixel) in device pixels under the pen scale.
    int ScaledPenWidth(int width) const;
    QImage* TargetImage() const;
    QRect DeviceWindow() const;
    QFont CurrentQFont() const;
    QTransform TextTransform(int x, int y) const;
    void DrawImageAt(const QRectF& target, const QImage& image, const QRectF& source, bool transparent, TColor key);

    // Figures (logical coordinates): painted, or added to an open path.
    void StrokeFillPath(const QPainterPath& path, FillShape fill);
    QPainterPath ArcPath(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int kind) const;
    const QPoint* ToScratch(const TPoint* points, size_t count);
    void PathAddPoint(const QPointF& logical, uint8_t kind);
    static QPolygon LinePixels(TPoint a, TPoint b);
    // A writer straight into the device image for a figure of the given mode and colour,
    // with the integer offset from logical to device pixels; none when a transform, a
    // non-rectangular clip, a foreign painter or the image's format stands in the way.
    std::optional<TPixelWriter> DirectWriter(TPenMode mode, TColor color, QPoint& offset) const;
    // The last writer DirectWriter made and what it was made for: a run of strokes in one
    // pen on one picture makes it once. Forgotten when the device, the transform or the
    // clip changes. The picture's cache key changes whenever its pixels may have moved
    // (a new size or format, another density, a hand on its bits); a copy sharing them
    // leaves the key but not the picture's own hold on them.
    struct DirectCache {
        bool valid = false;
        TPenMode mode = pmCopy;
        TColor rgb = 0;
        qint64 imageKey = 0;
        QPoint offset;
        std::optional<TPixelWriter> writer;
    };
    bool CachedDirectWriter(TPenMode mode, TColor rgb, QPoint& offset, std::optional<TPixelWriter>& writer) const;
    // The writer for the current pen when it is a one-pixel solid pen, else none; depth
    // is the pen's width in device pixels (more than 1 for a scaled one-pixel pen).
    std::optional<TPixelWriter> ThinPenWriter(QPoint& offset, int& depth);
    // Strokes the open polyline through the points with the current pen.
    void StrokePolyline(const TPoint* points, size_t count);
    // Rectangle (normalised corners) and an unscaled picture in copy mode written
    // straight into the device image; false when the painter has to draw them.
    bool DirectRectangle(int x1, int y1, int x2, int y2);
    bool DirectDraw(int x, int y, const QImage& image);
    // Whether the transform only moves by whole pixels, which keeps pixel layouts unchanged.
    static bool WholePixelShift(const QTransform& t);
    bool PaintAndClearPath(bool stroke, bool fill);
    QPainter* BeginBrushRect(const TRect& r, QRectF& area);
    void PathStartFigure();
    void PathCloseFigure();
    void PathAddQPath(const QPainterPath& devicePath, bool closeFigures);
    QPainterPath StoredPathAsQPath(bool closeAll) const;
    void FlattenStoredPath(std::vector<QPointF>& points, std::vector<uint8_t>& kinds) const;
    std::vector<std::vector<TPoint>> StoredPathPolygons() const;
    void PaintStoredPath(bool stroke, bool fill);
    int CombineClip(const TRegion* region, int mode);

    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TCopyMode FCopyMode = cmSrcCopy;
    TPoint FPenPos;
    int FBkMode = OPAQUE;
    TColor FBkColor = clWhite;
    uint64_t FBkBrushSerial = 0;
    QBrush FBkBrush{Qt::NoBrush};
    TColor FBkBrushColor = clWhite;
    int FPolyFillMode = ALTERNATE;
    int FArcDirection = AD_COUNTERCLOCKWISE;
    int FTextAlign = TA_LEFT | TA_TOP;
    int FCharExtra = 0;

    bool FGeometric = false;
    TPenStyle FGeoStyle = psSolid;
    TColor FGeoColor = clBlack;
    int FGeoWidth = 1;
    uint64_t FGeoPenSerial = 0;

    PenSpec FPenSpec;
    uint64_t FPenSpecSerial = 0;
    bool FPenSpecGeometric = false;
    double FPenSpecScale = 1;
    double FPenScale = 1;
    BrushSpec FBrushSpec;
    uint64_t FBrushSpecSerial = 0;
    uint64_t FBrushSpecPenSerial = 0;
    std::vector<QPoint> FScratch;

    int FGraphicsMode = GM_COMPATIBLE;
    int FMapMode = MM_TEXT;
    TPoint FWindowOrg;
    QTransform FWorld;
    QTransform FMap;
    QTransform FLogToDev;
    QTransform FBase;

    std::optional<QRegion> FClip; // device coordinates
    mutable DirectCache FDirect;
    bool FClipDirty = true;
    PathData FPath;

    QPaintDevice* FDevice = nullptr;
    QPainter* FExternal = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    void* FImageData = nullptr; // identity of the image data the painter was opened on
    bool FBaseHasClip = false;
    QPainterPath FBaseClip;
    Xf FXf = Xf::Unknown;
};
