#pragma once
// TMetafileDc: the device context a metafile plays on, over a TCanvas.
//
// It keeps what the records set (objects in their table, selected pen, brush and font,
// modes, mapping, world transform, clip, current position, saved states) and brings the
// canvas up to date before each figure. Coordinates of figures are logical; they reach
// the canvas's device through the world transform, the page-to-device mapping and the
// frame that maps the metafile's device onto the target rectangle. Object indices are
// checked against the table; a record naming an object that does not exist changes
// nothing.
#include "Canvas.h"
#include "Region.h"

#include <QImage>
#include <QRegion>
#include <QTransform>
#include <optional>
#include <vector>

namespace Mf {

struct TPenObject {
    TPenStyle Style = psSolid;
    int Width = 0; // logical units; 0 and 1 draw one device pixel
    TColor Color = clBlack;
    bool Geometric = false;
};

struct TBrushObject {
    bool Null = false;
    TBrushStyle Style = bsSolid;
    TColor Color = clWhite;
    QImage Pattern;
};

struct TObject {
    enum class TKind : uint8_t { Pen, Brush, Font, Region, Other };
    TKind Kind = TKind::Other;
    TPenObject Pen;
    TBrushObject Brush;
    TLogFont Font;
    QRegion Region; // logical units (WMF regions)
};

struct TState {
    TPenObject Pen;
    bool PenNull = false;
    TBrushObject Brush;
    TLogFont Font;
    int Rop2 = 13; // R2_COPYPEN
    int BkMode = OPAQUE;
    TColor BkColor = clWhite;
    TColor TextColor = clBlack;
    uint32_t TextAlign = 0;
    int PolyFillMode = ALTERNATE;
    int ArcDirection = AD_COUNTERCLOCKWISE;
    int CharExtra = 0;
    int MapMode = MM_TEXT;
    QPointF WindowOrg, ViewportOrg;
    QSizeF WindowExt{1, 1}, ViewportExt{1, 1};
    bool WindowExtSet = false;
    QTransform World;
    std::optional<QRegion> Clip; // target device pixels
    QPoint Position;             // logical
};

class TDc {
public:
    // maxObjects bounds the object table.
    TDc(TCanvas& canvas, size_t maxObjects);

    TCanvas& Canvas() { return FCanvas; }
    TState& State() { return FState; }
    const TState& State() const { return FState; }
    // Marks the state changed: the canvas is updated before the next figure.
    void Touch() { FDirty = true; }

    // ---- Objects ----
    bool Create(size_t index, TObject object);
    // The lowest free index (the old metafiles' rule); false when the table is full.
    bool CreateLowest(TObject object);
    bool Select(size_t index);
    bool SelectStock(uint32_t stock);
    bool Delete(size_t index);
    const TObject* Object(size_t index) const;

    // ---- Mapping ----
    // The frame: the metafile's device units onto the target's pixels.
    void SetFrame(const QTransform& deviceToTarget) { FFrame = deviceToTarget, Touch(); }
    // Pixels per inch of the metafile's reference device (for the metric map modes).
    void SetReferenceResolution(double dpiX, double dpiY);
    // A mapping of the window alone onto a rectangle of the target (the old metafiles,
    // whose viewport is where the player draws).
    void SetWindowTarget(const QRectF& target) { FWindowTarget = target, Touch(); }
    QTransform PageToDevice() const;
    QTransform LogicalToTarget() const;
    // The device-to-target frame alone (for regions in device units).
    const QTransform& Frame() const { return FFrame; }

    // ---- Clip (target pixels) ----
    void SetClip(const std::optional<QRegion>& clip);
    void CombineClip(const QRegion& region, int mode);
    // A rectangle in logical units, as device pixels.
    QRegion LogicalRect(int left, int top, int right, int bottom) const;

    // ---- Saved states ----
    void Save();
    // A negative value counts back from the newest state, a positive one names it.
    bool Restore(int which);

    // Brings the canvas up to date; false when the mapping cannot be used (nothing
    // should then be drawn).
    bool Prepare();

    // ---- Figures the canvas has no call for ----
    // Text at a logical reference point (or the current position, TA_UPDATECP), with the
    // advance of each character in logical units when given; ETO_OPAQUE fills the
    // rectangle with the background colour first, ETO_CLIPPED clips to it.
    void Text(QPoint ref, const QString& text, const std::vector<int>& advances, uint32_t options,
              const std::optional<QRect>& rect);
    // A picture stretched onto a logical rectangle (a negative width or height mirrors
    // it), the part source of it, combined by the raster operation.
    void Picture(QRect dest, QImage image, QRect source, uint32_t rop);
    // A logical rectangle painted by a raster operation without a source: PATCOPY with
    // the brush, BLACKNESS, WHITENESS, DSTINVERT; others do nothing.
    void PatternFill(QRect dest, uint32_t rop);
    // Polygons filled and outlined together (as one figure under the fill mode).
    void PolyPolygon(const std::vector<std::vector<TPoint>>& polygons);
    // Whether the mapping mirrors (arcs and text then turn the other way).
    bool Mirrored() const { return LogicalToTarget().determinant() < 0; }

private:
    TCanvas& FCanvas;
    TState FState;
    std::vector<std::optional<TObject>> FObjects;
    std::vector<TState> FSaved;
    QTransform FFrame;
    std::optional<QRectF> FWindowTarget;
    double FRefDpiX = 96, FRefDpiY = 96;
    bool FDirty = true;
    bool FUsable = true;
    bool FClipApplied = false;
};

} // namespace Mf
