// TMyCAD: the paint pass. The page is composed off screen for the clip rectangle (page
// colour, background picture, grid, shapes with their link-point marks), copied onto the
// control's picture, and the hots of the selection are drawn on top.
#include "document/MyCAD.h"

#include "HotDrawing.h"
#include "TextOut.h"
#include "platform/Rounding.h"
#include "shapes/MyShape.h"

namespace {
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
    DrawAll(Clip);
    TCanvas* canvas = Canvas();
    canvas->SetCopyMode(cmSrcCopy);
    canvas->Draw(Clip.Left, Clip.Top, *FBuffer);
    SelectAllWorkingShapes();
    Fire(OnPaint, this);
}

void TMyCAD::DrawAll(const TRect& Clip)
{
    FBuffer->SetPixelFormat(pf24bit);
    FBuffer->SetSize(std::max(Clip.Width(), 0), std::max(Clip.Height(), 0));
    FillBackground(FBuffer.get(), Clip);
    DrawBkBitmap(FBuffer.get(), -Clip.Left, -Clip.Top, false);
    DrawGrid(FBuffer.get(), Clip);
    DrawAllShape(&FBuffer->Canvas(), Clip);
}

void TMyCAD::SelectAllWorkingShapes()
{
    if (!FHotShow)
        return;
    TCanvas* canvas = Canvas();
    if (FClickedChild) {
        if (FClickedChild->Visible())
            FClickedChild->DrawHot(canvas);
        return;
    }
    for (TMyShape* shape : FWorkingShapes)
        if (shape && shape->Visible() && IsVisibleLayerByID(shape->LayerId()))
            shape->DrawHot(canvas);
}

// Whether a root shape can show inside R: it is larger than R, or one of its points in
// zoom lies in R (edges included), or its box in zoom (with room for pens, arrow heads
// and captions) meets R.
bool TMyCAD::ShapeMayTouch(const TMyShape* Shape, const TRect& R) const
{
    const TArrMyPoint& points = Shape->Points();
    if (points.empty())
        return false;
    const double z = FZoom;
    float l = points[0].X, t = points[0].Y, r = l, b = t;
    for (const TMyPoint& p : points) {
        l = std::min(l, p.X);
        r = std::max(r, p.X);
        t = std::min(t, p.Y);
        b = std::max(b, p.Y);
    }
    if ((r - l) * z > R.Width() || (b - t) * z > R.Height())
        return true;
    // A margin for what a shape draws outside its points: wide pens, arrow heads, the
    // caption below it.
    const double margin = 64 + Shape->Pen()->Width() * z;
    const double cl = l * z - margin, cr = r * z + margin, ct = t * z - margin;
    const double cb = std::max<double>(b, Shape->CaptionPoint().Y) * z + margin;
    return cr >= R.Left && cl <= R.Right && cb >= R.Top && ct <= R.Bottom;
}

namespace {
// The stored geometry of a shape, kept while the shape is drawn translated.
struct SavedGeometry {
    TMyShape* Shape;
    TArrMyPoint Points;
    TArrMyPoint LinkPoints;
    TMyPoint Caption;
};
} // namespace

void TMyCAD::DrawAllShape(TCanvas* Canvas, const TRect& R)
{
    FDrawnShapes.clear();
    for (const auto& shape : FShapes)
        if (!shape->HasParentShape() && IsVisibleLayerByID(shape->LayerId()) && ShapeMayTouch(shape.get(), R))
            FDrawnShapes.push_back(uint32_t(shape->ShapeNo()));

    // Every listed shape and its members are drawn moved by -R's top-left; their stored
    // geometry is put back exactly afterwards.
    std::vector<SavedGeometry> saved;
    const double dx = -R.Left / FZoom, dy = -R.Top / FZoom;
    const bool moved = R.Left != 0 || R.Top != 0;
    for (uint32_t no : FDrawnShapes)
        ForShapeTree(GetShapeByNo(int(no)), true, [&](TMyShape* s) {
            if (!moved)
                return;
            saved.push_back({s, s->Points(), s->LinkPoints(), s->CaptionPoint()});
            OffsetAllPoints(s, dx, dy);
        });

    for (uint32_t no : FDrawnShapes)
        DrawShapeTree(Canvas, GetShapeByNo(int(no)), 0);
    for (uint32_t no : FDrawnShapes)
        ForShapeTree(GetShapeByNo(int(no)), false, [Canvas](TMyShape* s) { DrawLinkHot(s, Canvas); });

    for (SavedGeometry& g : saved) {
        g.Shape->PointsRef() = std::move(g.Points);
        g.Shape->LinkPointsRef() = std::move(g.LinkPoints);
        g.Shape->SetCaptionPoint(g.Caption);
    }
}

// An invisible shape hides its members too; a visible one draws its members first.
void TMyCAD::DrawShapeTree(TCanvas* Canvas, TMyShape* Shape, int Depth)
{
    if (!Shape || !Shape->Visible() || Depth > GetShapesCount())
        return;
    for (uint32_t no : Shape->ChildNos()) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != Shape)
            DrawShapeTree(Canvas, member, Depth + 1);
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
    const double gw = FGridOperation->GridWidth(), gh = FGridOperation->GridHeight();
    const int ps = FGridOperation->GridPenSize();
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
            c.Rectangle(Round(x - ps), Round(y - ps), Round(x + ps), Round(y + ps));
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
