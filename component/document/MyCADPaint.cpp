// TMyCAD: the paint pass. The page is composed off screen for the clip rectangle (page
// colour, background picture, grid, shapes with their link-point marks), copied onto the
// control's picture, and the hots of the selection are drawn on top.
#include "component/document/MyCAD.h"

#include "component/editing/ConnectorRouter.h"
#include "component/editing/InteractionState.h"
#include "component/render/HotDrawing.h"
#include "component/render/TextOut.h"
#include "component/shapes/MyShape.h"
#include "platform/Rounding.h"

#include <QPainter>

#include <utility>

namespace {
// Passes over the listed shapes, which lie scattered in memory, fetch what they read
// this many shapes ahead, so that the fetches overlap instead of waiting one by one: the
// listing fetches each shape's fields, the tidying (once they are there) its points.
constexpr size_t kFetchAhead = 8;

// Sets a flag for the life of a scope, restoring the previous value.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~BusyScope() { FFlag = FOld; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};
} // namespace

void TMyCAD::PaintRect(const TRect& Clip)
{
    if (FBusy || Clip.Width() <= 0 || Clip.Height() <= 0)
        return;
    BusyScope busy(FBusy);
    TCanvas* canvas = Canvas();
    DrawAll(Clip);
    if (FScreen.devicePixelRatio() == 1) {
        canvas->SetCopyMode(cmSrcCopy);
        canvas->Draw(Clip.Left, Clip.Top, *FBuffer);
    } else {
        // The page composed at the screen's density goes into the image pixel for pixel.
        const TRect pixels = ToScreenPixels(Clip);
        canvas->ReleasePainter();
        FScreen.setDevicePixelRatio(1);
        {
            QPainter painter(&FScreen);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QPoint(pixels.Left, pixels.Top), FBuffer->Image());
        }
        FScreen.setDevicePixelRatio(ScreenPixelRatio());
    }
    SelectAllWorkingShapes();
    Fire(OnPaint, this);
}

void TMyCAD::DrawAll(const TRect& Clip)
{
    FBuffer->SetPixelFormat(pf24bit);
    if (const double ratio = ScreenPixelRatio(); ratio != 1) {
        DrawAllDense(Clip, ratio);
        return;
    }
    FBuffer->SetSize(std::max(Clip.Width(), 0), std::max(Clip.Height(), 0));
    FillBackground(FBuffer.get(), Clip);
    DrawBkBitmap(FBuffer.get(), -Clip.Left, -Clip.Top, false);
    DrawGrid(FBuffer.get(), Clip);
    DrawAllShape(&FBuffer->Canvas(), Clip);
}

// The pass runs at the zoom times the ratio in image pixels, so every shape lays out its
// points, pens and text at the screen's density; what is fixed in control pixels (pens,
// link marks, grid, background picture) is scaled by the ratio. Which shapes show is
// decided in control pixels, at the zoom, against the paint index.
void TMyCAD::DrawAllDense(const TRect& Clip, double Ratio)
{
    const TRect pixels = ToScreenPixels(Clip);
    FBuffer->SetSize(std::max(pixels.Width(), 0), std::max(pixels.Height(), 0));
    PrepareShapesToPaint(TRect(Clip.Left - 1, Clip.Top - 1, Clip.Right + 1, Clip.Bottom + 1));

    const double zoom = FZoom;
    TCanvas& canvas = FBuffer->Canvas();
    FZoom = zoom * Ratio;
    FPassPixelRatio = Ratio;
    canvas.SetPenScale(Ratio);
    struct Restore {
        TMyCAD& Cad;
        TCanvas& Canvas;
        double Zoom;
        ~Restore()
        {
            Cad.FZoom = Zoom;
            Cad.FPassPixelRatio = 1;
            Canvas.SetPenScale(1);
        }
    } restore{*this, canvas, zoom};

    FillBackground(FBuffer.get(), pixels);
    DrawBkBitmap(FBuffer.get(), -pixels.Left, -pixels.Top, false);
    DrawGrid(FBuffer.get(), pixels);
    DrawPreparedShapes(&canvas, pixels);
}

void TMyCAD::SelectAllWorkingShapes()
{
    if (!FHotShow)
        return;
    TCanvas* canvas = Canvas();
    if (Interaction().ClickedChild) {
        if (Interaction().ClickedChild->Visible())
            Interaction().ClickedChild->DrawHot(canvas);
        return;
    }
    for (TMyShape* shape : FWorkingShapes)
        if (shape && shape->Visible() && IsVisibleLayerByID(shape->LayerId()))
            shape->DrawHot(canvas);
}

// Where a shape paints: the box of its points in zoom, and that box widened by its pen,
// by what it draws around its points (arrow heads) and by its caption text.
TPaintIndex::TExtent TMyCAD::PaintExtent(const TMyShape* Shape) const
{
    TPaintIndex::TExtent e;
    const TArrMyPoint& points = Shape->Points();
    if (points.empty())
        return e;
    const double z = FZoom;
    float l = points[0].X, t = points[0].Y, r = l, b = t;
    for (const TMyPoint& p : points) {
        l = std::min(l, p.X);
        r = std::max(r, p.X);
        t = std::min(t, p.Y);
        b = std::max(b, p.Y);
    }
    e.Valid = true;
    e.Width = (r - l) * z;
    e.Height = (b - t) * z;
    // Arcs bulge past their points, sectors reach their centre, interpolating curves
    // overshoot their points.
    if (TMyRect figure; Shape->FigureBox(figure)) {
        l = std::min(l, figure.Left);
        r = std::max(r, figure.Right);
        t = std::min(t, figure.Top);
        b = std::max(b, figure.Bottom);
    }
    const double margin = 2 + Shape->Pen()->Width() * z + Shape->OutsideMargin();
    e.Left = l * z - margin;
    e.Right = r * z + margin;
    e.Top = t * z - margin;
    e.Bottom = b * z + margin;
    if (Shape->CaptionShow() && (!Shape->Info().isEmpty() || !Shape->MultiInfo().isEmpty())) {
        // The caption is centred on the caption point: allow for its longest line.
        qsizetype chars = Shape->Info().size();
        for (const QString& line : Shape->MultiInfo())
            chars = std::max(chars, line.size());
        const double em = std::abs(Shape->Font()->EmHeight()) * z * 1.5;
        const double halfWidth = em * double(chars) / 2 + em;
        const double halfHeight = em * double(std::max<qsizetype>(1, Shape->MultiInfo().size())) / 2 + em;
        const TMyPoint c = Shape->CaptionPoint();
        e.Left = std::min(e.Left, c.X * z - halfWidth);
        e.Right = std::max(e.Right, c.X * z + halfWidth);
        e.Top = std::min(e.Top, c.Y * z - halfHeight);
        e.Bottom = std::max(e.Bottom, c.Y * z + halfHeight);
    }
    // The pass marks the link points of every shape it lists, off its figure too: the
    // mark's arms and a pixel of rounding.
    constexpr double kLinkMark = 2.5 + 1;
    for (const TMyPoint& p : Shape->LinkPoints()) {
        e.Left = std::min(e.Left, p.X * z - kLinkMark);
        e.Right = std::max(e.Right, p.X * z + kLinkMark);
        e.Top = std::min(e.Top, p.Y * z - kLinkMark);
        e.Bottom = std::max(e.Bottom, p.Y * z + kLinkMark);
    }
    return e;
}

void TMyCAD::ShapeExtentChanged(const TMyShape* S)
{
    if (!S || FPaintMovesShapes)
        return;
    FRouter->CombineTouched(S);
    if (!S->HasParentShape())
        FPaintIndex.Touch(S->ShapeNo());
}

void TMyCAD::ShapesToPaint(const TRect& R, std::vector<int>& Out, std::vector<char>* Meets)
{
    const TPaintIndex::TKey key = PaintKey();
    if (FPaintIndex.IsCurrent(key)) {
        for (int no : FPaintIndex.TakeTouched()) {
            const TMyShape* shape = GetShapeByNo(no);
            if (shape && !FPaintIndex.Patch(no, PaintExtent(shape)))
                break;
        }
    }
    if (!FPaintIndex.IsCurrent(key)) {
        std::vector<std::pair<int, TPaintIndex::TExtent>> extents;
        extents.reserve(FShapes.size());
        for (const auto& shape : FShapes)
            if (!shape->HasParentShape() && shape->ShapeNo() >= 0 && shape->ShapeNo() < GetShapesCount())
                extents.emplace_back(shape->ShapeNo(), PaintExtent(shape.get()));
        FPaintIndex.Build(extents, key);
    }
    FPaintIndex.ShapesIn(R, Out, Meets);
    // The shapes of hidden layers are left out (with their flags).
    size_t kept = 0;
    for (size_t i = 0; i < Out.size(); ++i) {
        if (i + kFetchAhead < Out.size())
            if (const TMyShape* ahead = GetShapeByNo(Out[i + kFetchAhead]))
                ahead->PrefetchShape();
        const TMyShape* shape = GetShapeByNo(Out[i]);
        if (!shape || !IsVisibleLayerByID(shape->LayerId()))
            continue;
        Out[kept] = Out[i];
        if (Meets)
            (*Meets)[kept] = (*Meets)[i];
        ++kept;
    }
    Out.resize(kept);
    if (Meets)
        Meets->resize(kept);
}

void TMyCAD::DrawAllShape(TCanvas* Canvas, const TRect& R)
{
    PrepareShapesToPaint(R);
    DrawPreparedShapes(Canvas, R);
}

void TMyCAD::PrepareShapesToPaint(const TRect& R)
{
    std::vector<int> listed;
    ShapesToPaint(R, listed, &FPassDraws);
    FDrawnShapes.assign(listed.begin(), listed.end());
    // Connectors are tidied in document units before the pass draws them.
    TidyConnectorsToPaint();
}

void TMyCAD::DrawPreparedShapes(TCanvas* Canvas, const TRect& R)
{
    // The pass draws the hops of the connectors it lists. Those that can show lie on
    // segments in the part's rows, give or take a hop and a pen.
    FHops.Clear();
    const double reach = 24 * std::max(1.0, FZoom);
    FHopRowsLow = R.Top - reach;
    FHopRowsHigh = R.Bottom + reach;
    BusyScope pass(FInPaintPass);

    // The listed shapes are drawn where they are, the canvas's window origin moved by R's
    // top-left: painting never touches a shape's coordinates. What a shape's Draw stores
    // about itself meanwhile does not count as a change of its extent.
    BusyScope storing(FPaintMovesShapes);
    const TPoint origin = Canvas->GetWindowOrg();
    Canvas->SetWindowOrgEx(origin.X + R.Left, origin.Y + R.Top);
    struct RestoreOrigin {
        TCanvas* Canvas;
        TPoint Origin;
        ~RestoreOrigin() { Canvas->SetWindowOrgEx(Origin.X, Origin.Y); }
    } restoreOrigin{Canvas, origin};

    // The link-point marks go over all the shapes, for every listed shape and member
    // that has link points, visible or not.
    std::vector<TMyShape*> linkHolders;
    const bool sized = FPassDraws.size() == FDrawnShapes.size();
    for (size_t i = 0; i < FDrawnShapes.size(); ++i) {
        TMyShape* shape = GetShapeByNo(int(FDrawnShapes[i]));
        if (!sized || FPassDraws[i])
            DrawShapeTree(Canvas, shape, 0, linkHolders);
        else
            CollectLinkHolders(shape, linkHolders, 0);
    }
    for (TMyShape* s : linkHolders)
        DrawLinkHot(s, Canvas);
}

void TMyCAD::TidyConnectorsToPaint()
{
    const size_t n = FDrawnShapes.size();
    for (size_t i = 0; i < n; ++i) {
        if (i + kFetchAhead < n)
            if (const TMyShape* ahead = GetShapeByNo(int(FDrawnShapes[i + kFetchAhead])))
                ahead->PrefetchPoints();
        TidyVisibleTree(GetShapeByNo(int(FDrawnShapes[i])), 0);
    }
}

void TMyCAD::TidyVisibleTree(TMyShape* Shape, int Depth)
{
    if (!Shape || !Shape->Visible() || Depth > GetShapesCount())
        return;
    Shape->TidyBeforePaint();
    for (uint32_t no : std::as_const(*Shape).ChildNos()) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != Shape)
            TidyVisibleTree(member, Depth + 1);
    }
}

void TMyCAD::CollectLinkHolders(TMyShape* Shape, std::vector<TMyShape*>& Out, int Depth) const
{
    if (!Shape || Depth > GetShapesCount())
        return;
    if (Shape->GetLinkPointsCount() > 0)
        Out.push_back(Shape);
    for (uint32_t no : std::as_const(*Shape).ChildNos()) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != Shape)
            CollectLinkHolders(member, Out, Depth + 1);
    }
}

// An invisible shape hides its members too; a visible one draws its members first.
void TMyCAD::DrawShapeTree(TCanvas* Canvas, TMyShape* Shape, int Depth, std::vector<TMyShape*>& LinkHolders)
{
    if (!Shape || Depth > GetShapesCount())
        return;
    if (!Shape->Visible()) {
        CollectLinkHolders(Shape, LinkHolders, Depth);
        return;
    }
    if (Shape->GetLinkPointsCount() > 0)
        LinkHolders.push_back(Shape);
    for (uint32_t no : std::as_const(*Shape).ChildNos()) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != Shape)
            DrawShapeTree(Canvas, member, Depth + 1, LinkHolders);
    }
    Shape->Draw(Canvas);
}

void TMyCAD::FillBackground(TBitmap* Bitmap, const TRect&)
{
    if (!Bitmap)
        return;
    TCanvas& c = Bitmap->Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FColorOfBackGround);
    c.FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
}

void TMyCAD::DrawBackground(TBitmap* Bitmap)
{
    if (!Bitmap)
        return;
    TCanvas& c = Bitmap->Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FPrintBackground ? FColorOfBackGround : clWhite);
    c.FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
}

void TMyCAD::DrawBkBitmap(TBitmap* Bitmap, int X, int Y, bool UseBitmapSize)
{
    if (!Bitmap || FBkBitmap->Empty() || FBkBitmap->Width() == 0 || FBkBitmap->Height() == 0)
        return;
    TCanvas& c = Bitmap->Canvas();
    c.SetCopyMode(cmSrcCopy);
    const int W = width(), H = height();
    const int bw = FBkBitmap->Width(), bh = FBkBitmap->Height();
    if (const double s = FPassPixelRatio; s != 1) {
        // The picture keeps its size in control pixels on a denser screen.
        const auto at = [&](double x, double y, double w, double h) {
            c.StretchDraw(TRect(Round(X + x * s), Round(Y + y * s), Round(X + (x + w) * s), Round(Y + (y + h) * s)),
                          *FBkBitmap);
        };
        switch (FBkBitmapMode) {
        case TBkBitmapMode::LeftTop: at(0, 0, bw, bh); break;
        case TBkBitmapMode::Center: at((W - bw) / 2, (H - bh) / 2, bw, bh); break;
        case TBkBitmapMode::Stretch: at(0, 0, W, H); break;
        case TBkBitmapMode::Tiled:
            for (int i = 0; i <= W / bw; ++i)
                for (int j = 0; j <= H / bh; ++j)
                    at(double(i) * bw, double(j) * bh, bw, bh);
            break;
        }
        return;
    }
    switch (FBkBitmapMode) {
    case TBkBitmapMode::LeftTop: c.Draw(X, Y, *FBkBitmap); break;
    case TBkBitmapMode::Center: c.Draw(X + (W - bw) / 2, Y + (H - bh) / 2, *FBkBitmap); break;
    case TBkBitmapMode::Stretch: c.StretchDraw(TRect(X, Y, X + W, Y + H), *FBkBitmap); break;
    case TBkBitmapMode::Tiled: {
        const int AW = UseBitmapSize ? Bitmap->Width() : W;
        const int AH = UseBitmapSize ? Bitmap->Height() : H;
        for (int i = 0; i <= AW / bw; ++i)
            for (int j = 0; j <= AH / bh; ++j)
                c.Draw(X + i * bw, Y + j * bh, *FBkBitmap);
        break;
    }
    }
}

void TMyCAD::DrawGrid(TBitmap* Bitmap, const TRect& Clip)
{
    // On a denser screen the grid keeps its spacing and dot size in control pixels.
    const double gw = FGridOperation->GridWidth() * FPassPixelRatio, gh = FGridOperation->GridHeight() * FPassPixelRatio;
    const int ps = FGridOperation->GridPenSize();
    const double dot = ps * FPassPixelRatio;
    if (!Bitmap || FGridOperation->GridType() == gNone || gw <= 0 || gh <= 0)
        return;
    BusyScope busy(FBusy);
    if (!FGridOperation->GridShow())
        return;
    const double offX = Clip.Left - Round(Clip.Left / gw) * gw;
    const double offY = Clip.Top - Round(Clip.Top / gh) * gh;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    TCanvas& c = Bitmap->Canvas();
    const TColor colour = FGridOperation->GridColor();
    c.Pen().SetColor(colour);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(ps);
    c.Pen().SetMode(pmCopy);
    if (FGridOperation->GridType() == gLine) {
        for (int i = 0; -offX + i * gw <= w; ++i) {
            const int x = Round(-offX + i * gw);
            c.MoveTo(x, 0);
            c.LineTo(x, h);
        }
        for (int j = 0; -offY + j * gh <= h; ++j) {
            const int y = Round(-offY + j * gh);
            c.MoveTo(0, y);
            c.LineTo(w, y);
        }
        return;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(colour);
    for (int i = 0; -offX + i * gw <= w; ++i) {
        const double x = -offX + i * gw;
        for (int j = 0; -offY + j * gh <= h; ++j) {
            const double y = -offY + j * gh;
            c.Rectangle(Round(x - dot), Round(y - dot), Round(x + dot), Round(y + dot));
        }
    }
}

void TMyCAD::DrawBorder(TBitmap* Bitmap)
{
    if (!Bitmap || !FPrintABorder)
        return;
    TCanvas& c = Bitmap->Canvas();
    c.Pen().SetColor(clBlack);
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetMode(pmCopy);
    c.Brush().SetStyle(bsClear);
    const double z = FZoom;
    c.Rectangle(Round(FPrintABordertoLeft * z), Round(FPrintABordertoTop * z),
                Round(Bitmap->Width() - FPrintABordertoRight * z), Round(Bitmap->Height() - FPrintABordertoBottom * z));
}

int TMyCAD::HeadFootX(int TextWidth, int BitmapWidth, TAlignment Alignment) const
{
    switch (Alignment) {
    case taLeftJustify: return Round(FPrintABordertoLeft * FZoom);
    case taRightJustify: return Round(BitmapWidth - TextWidth - FZoom * FPrintABordertoRight);
    case taCenter: return Round((BitmapWidth - TextWidth) / 2.0);
    }
    return 0;
}

void TMyCAD::DrawHeadFoot(TBitmap* Bitmap)
{
    if (!Bitmap)
        return;
    TCanvas* c = &Bitmap->Canvas();
    const double z = FZoom;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    const TSize head = GetTextWidthHeight(c, FPageHead, FPageHeadFont.get(), z, 0);
    MyLogTextOut(c, HeadFootX(head.cx, w, FPageHeadAlignment), Round(z * FPageHeadToTop), FPageHead,
                 FPageHeadFont.get(), z, 0);
    const TSize foot = GetTextWidthHeight(c, FPageFoot, FPageFootFont.get(), z, 0);
    MyLogTextOut(c, HeadFootX(foot.cx, w, FPageFootAlignment), Round(h - (foot.cy + FPageFootToBottom * z)),
                 FPageFoot, FPageFootFont.get(), z, 0);
}
