// TMyCAD: printing on the current printer and print previews into bitmaps.
//
// A print draws at the printer's resolution: the zoom becomes scale x dpi / PPI for the
// job and is stored back on every way out (also when the printer refuses to start).
// The shapes are drawn through a painter shifted by the printer's physical offsets, so
// that they meet the paper's edge while frame, head and foot keep to the printable area;
// no stored coordinate moves.
#include "component/document/MyCAD.h"

#include "component/document/HopScope.h"
#include "component/render/PrintPage.h"
#include "component/render/TextOut.h"
#include "component/shapes/MyShape.h"
#include "platform/PixelLimit.h"
#include "platform/Printer.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <QPainter>
#include <climits>
#include <cmath>

namespace {

// Stores a value back into a field when the scope ends, however it ends.
class ZoomScope {
public:
    explicit ZoomScope(double& zoom) : FZoom(zoom), FOld(zoom) {}
    ~ZoomScope() { FZoom = FOld; }
    ZoomScope(const ZoomScope&) = delete;
    ZoomScope& operator=(const ZoomScope&) = delete;

private:
    double& FZoom;
    double FOld;
};

bool UsableZoom(double z)
{
    return std::isfinite(z) && z > 0;
}

// The picture with its transparent colour left out (alpha 0), as TCanvas draws it.
QImage KeyedPicture(const TBitmap& bitmap)
{
    QImage image = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
    if (!bitmap.Transparent())
        return image;
    const TColor key = ColorToRGB(bitmap.TransparentColor());
    const QRgb k = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k)
                line[x] = 0;
    }
    return image;
}

} // namespace

std::vector<TMyShape*> TMyCAD::RootsByLayer(const std::vector<int>& LayerIds) const
{
    std::vector<TMyShape*> roots;
    for (const auto& shape : FShapes) {
        if (shape->HasParentShape() || !shape->Visible())
            continue;
        if (LayerIds.empty() || std::find(LayerIds.begin(), LayerIds.end(), shape->LayerId()) != LayerIds.end())
            roots.push_back(shape.get());
    }
    return roots;
}

std::vector<TMyShape*> TMyCAD::VisibleRootWorkingShapes() const
{
    std::vector<TMyShape*> roots;
    for (TMyShape* shape : FWorkingShapes)
        if (shape && shape->Visible() && !shape->HasParentShape())
            roots.push_back(shape);
    return roots;
}

void TMyCAD::DrawRoots(TCanvas* Canvas, const std::vector<TMyShape*>& Roots)
{
    std::vector<TMyShape*> linkHolders; // printed pictures carry no link-point marks
    const THopScope hops(*this, Roots);
    for (TMyShape* shape : Roots)
        DrawShapeTree(Canvas, shape, 0, linkHolders);
}

// ---- Printing ----

bool TMyCAD::Print(const std::vector<int>& LayerIds, double Scale)
{
    const std::vector<TMyShape*> roots = RootsByLayer(LayerIds);
    FDrawnShapes.clear();
    for (const TMyShape* shape : roots)
        FDrawnShapes.push_back(uint32_t(shape->ShapeNo()));
    return PrintRoots(roots, Scale, true);
}

bool TMyCAD::PrintSelectedShapes(double Scale)
{
    return PrintRoots(VisibleRootWorkingShapes(), Scale, false);
}

bool TMyCAD::PrintRoots(const std::vector<TMyShape*>& Roots, double Scale, bool AtPaperEdge)
{
    TPrinter& printer = Printer();
    if (printer.Printing() || !UsableZoom(Scale))
        return false;
    ZoomScope zoom(FZoom);
    // The orientation first: the capabilities describe the page as it is turned.
    printer.SetOrientation(FPageOrientation == TPageOrientation::poLandscape ? TPrinterOrientation::Landscape
                                                                             : TPrinterOrientation::Portrait);
    const int dpi = TPrintPage::Resolution(printer);
    if (dpi <= 0)
        return false;
    const double z = Scale * dpi / ScreenPixelsPerInch();
    if (!UsableZoom(z))
        return false;
    FZoom = z;
    const TPoint offset = AtPaperEdge ? printer.PhysicalOffset() : TPoint();
    if (!printer.BeginDoc())
        return false;
    {
        TPrintPage page(printer);
        if (!page.Valid()) {
            printer.Abort();
            return false;
        }
        if (FPrintBackground) {
            TCanvas& c = *page.Canvas();
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(FColorOfBackGround);
            c.FillRect(TRect(0, 0, page.Width(), page.Height()));
        }
        PrintBkBitmapOn(page, z);
        PrintBorderOn(page);
        PrintHeadFootOn(page);
    }
    {
        TPrintPage shapes(printer, QPointF(-offset.X, -offset.Y));
        DrawRoots(shapes.Canvas(), Roots);
    }
    return printer.EndDoc();
}

void TMyCAD::PrintBkBitmap(double Zoom)
{
    TPrintPage page(Printer());
    if (page.Valid())
        PrintBkBitmapOn(page, Zoom);
}

void TMyCAD::PrintBorder()
{
    TPrintPage page(Printer());
    if (page.Valid())
        PrintBorderOn(page);
}

void TMyCAD::PrintHeadFoot()
{
    TPrintPage page(Printer());
    if (page.Valid())
        PrintHeadFootOn(page);
}

void TMyCAD::PrintBkBitmapOn(TPrintPage& Page, double Zoom)
{
    const TBitmap& picture = *FBkBitmap;
    if (picture.Empty() || picture.Width() <= 0 || picture.Height() < 1 || !UsableZoom(Zoom))
        return;
    TCanvas& c = *Page.Canvas();
    c.SetCopyMode(cmSrcCopy);
    const int bw = picture.Width(), bh = picture.Height();
    const int tw = Round(Zoom * bw), th = Round(Zoom * bh);
    const int PW = Page.Width(), PH = Page.Height();
    switch (FBkBitmapMode) {
    case TBkBitmapMode::LeftTop: c.StretchDraw(TRect(0, 0, tw, th), picture); break;
    case TBkBitmapMode::Center: {
        const int x0 = (PW - tw) / 2, y0 = (PH - th) / 2;
        c.StretchDraw(TRect(x0, y0, x0 + tw, y0 + th), picture);
        break;
    }
    case TBkBitmapMode::Stretch: c.StretchDraw(TRect(0, 0, PW, PH), picture); break;
    case TBkBitmapMode::Tiled: {
        // Tiles of no size draw nothing. The tiles, columns 0 to PW div tw + 1 and rows 0
        // to PH div th + 1, are one fill with the picture as a brush scaled to the tile.
        if (tw <= 0 || th <= 0)
            return;
        const int64_t columns = PW / tw + 2, rows = PH / th + 2;
        QPainter* p = c.Painter();
        if (!p)
            return;
        p->save();
        QBrush tiles(KeyedPicture(picture));
        tiles.setTransform(QTransform::fromScale(double(tw) / bw, double(th) / bh));
        p->setPen(Qt::NoPen);
        p->setBrush(tiles);
        p->setBrushOrigin(0, 0);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->drawRect(QRectF(0, 0, double(columns * tw), double(rows * th)));
        p->restore();
        break;
    }
    }
}

void TMyCAD::PrintBorderOn(TPrintPage& Page)
{
    if (!FPrintABorder)
        return;
    TCanvas& c = *Page.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Pen().SetColor(clBlack);
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetMode(pmCopy);
    const double z = FZoom;
    c.Rectangle(Round(FPrintABordertoLeft * z), Round(z * FPrintABordertoTop), Round(Page.Width() - z * FPrintABordertoRight),
                Round(Page.Height() - FPrintABordertoBottom * z));
}

// Head and foot are measured at scale 1 and placed by that measure times the zoom.
void TMyCAD::PrintHeadFootOn(TPrintPage& Page)
{
    TCanvas* c = Page.Canvas();
    const double z = FZoom;
    const int PW = Page.Width(), PH = Page.Height();
    auto x = [&](int width, TAlignment alignment) {
        switch (alignment) {
        case taLeftJustify: return Round(FPrintABordertoLeft * z);
        case taRightJustify: return Round(PW - width * z - FPrintABordertoRight * z);
        case taCenter: return Round((PW - width * z) / 2);
        }
        return 0;
    };
    const TSize head = GetTextWidthHeight(c, FPageHead, FPageHeadFont.get(), 1, 0);
    MyLogTextOut(c, x(head.cx, FPageHeadAlignment), Round(z * FPageHeadToTop), FPageHead, FPageHeadFont.get(), z, 0);
    const TSize foot = GetTextWidthHeight(c, FPageFoot, FPageFootFont.get(), 1, 0);
    MyLogTextOut(c, x(foot.cx, FPageFootAlignment), Round(PH - (foot.cy + FPageFootToBottom) * z), FPageFoot,
                 FPageFootFont.get(), z, 0);
}

// ---- Previews ----

bool TMyCAD::PrintPreview(const std::vector<int>& LayerIds, TBitmap* Bitmap, double Zoom)
{
    return PreviewPage(Bitmap, Zoom, INT_MAX, INT_MAX, RootsByLayer(LayerIds));
}

bool TMyCAD::PrintPreviewLowMem(const std::vector<int>& LayerIds, TBitmap* Bitmap, int MaxWidth, int MaxHeight,
                                double Zoom)
{
    return PreviewPage(Bitmap, Zoom, MaxWidth, MaxHeight, RootsByLayer(LayerIds));
}

bool TMyCAD::PreviewSelectedShapes(TBitmap* Bitmap, double Zoom)
{
    return PreviewPage(Bitmap, Zoom, INT_MAX, INT_MAX, VisibleRootWorkingShapes());
}

bool TMyCAD::PreviewPage(TBitmap* Bitmap, double Zoom, int MaxWidth, int MaxHeight, const std::vector<TMyShape*>& Roots)
{
    if (!Bitmap || !UsableZoom(Zoom))
        return false;
    const double ppi = ScreenPixelsPerInch();
    const int64_t w = std::min<int64_t>(Round64(FPageWidth * Zoom * ppi / 25.4), MaxWidth);
    const int64_t h = std::min<int64_t>(Round64(FPageHeight * Zoom * ppi / 25.4), MaxHeight);
    if (!PictureSizeAllowed(w, h))
        return false;
    ZoomScope zoom(FZoom);
    FZoom = Zoom;
    if (!Bitmap->SetSize(int(w), int(h)))
        return false;
    DrawBackground(Bitmap);
    DrawBkBitmap(Bitmap, 0, 0, true);
    DrawBorder(Bitmap);
    DrawHeadFoot(Bitmap);
    DrawRoots(&Bitmap->Canvas(), Roots);
    return true;
}
