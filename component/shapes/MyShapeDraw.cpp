// TMyShape: caption text, filled outlines with gradients, and the hit tests of the
// caption point, link points and end points.
#include "component/shapes/MyShape.h"

#include "component/render/BitmapOps.h"
#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "component/render/TextOut.h"
#include "component/document/MyCAD.h"
#include "platform/Printer.h"
#include "component/shapes/MyPolygon.h"

#include <algorithm>

void TMyShape::MyLogTextOut(TCanvas* Canvas, int X, int Y, const QString& Text, const TFont* AFont, double Scale,
                            double AAngle)
{
    ::MyLogTextOut(Canvas, X, Y, Text, AFont, Scale, AAngle);
}

TSize TMyShape::GetTextWidthHeight(TCanvas* Canvas, const QString& Text, const TFont* AFont, double Scale,
                                   double AAngle)
{
    return ::GetTextWidthHeight(Canvas, Text, AFont, Scale, AAngle);
}

// The caption: Info centred on the caption point, or else the lines of MultiInfo as a
// block centred there. It never turns with the shape.
void TMyShape::DrawInfo(TCanvas* Canvas)
{
    if (!Canvas || !FCaptionShow)
        return;
    const double z = Zoom();
    const int cx = Round(z * FCaptionPoint.X);
    const int cy = Round(z * FCaptionPoint.Y);
    if (!FInfo.isEmpty()) {
        const TSize size = GetTextWidthHeight(Canvas, FInfo, &FFont, z, 0);
        MyLogTextOut(Canvas, Round(cx - size.cx / 2.0), Round(cy - size.cy / 2.0), FInfo, &FFont, z, 0);
        return;
    }
    const QStringList& lines = ReadExtras().MultiInfo;
    if (lines.isEmpty())
        return;
    std::vector<TSize> sizes;
    int W = 0, H = 0;
    for (const QString& line : lines) {
        sizes.push_back(GetTextWidthHeight(Canvas, line, &FFont, z, 0));
        W = std::max(W, sizes.back().cx);
        H += sizes.back().cy;
    }
    const int h = sizes.back().cy;
    const int left = Round(cx - W / 2.0);
    int y = Round(cy - H / 2.0);
    for (int i = 0; i < lines.size(); ++i) {
        const int w = sizes[size_t(i)].cx;
        int x = left;
        if (MultiInfoAlignment() == taRightJustify)
            x = left + W - w;
        else if (MultiInfoAlignment() == taCenter)
            x = left + Round((W - w) / 2.0);
        MyLogTextOut(Canvas, x, y, lines[i], &FFont, z, 0);
        y += h;
    }
}

void TMyShape::SetPS(TCanvas* Canvas, TPenStyle Style, TColor Color, int Width)
{
    if (!Canvas)
        return;
    int width = Width;
    if (IsPrinterDevice(Canvas->Device()))
        width = std::max(1, Round(Zoom() * Width));
    Canvas->SelectGeometricPen(Style, Color, width);
}

// Fills the first FillCount points as a polygon (gradient pattern first, then the brush
// over it) and strokes the outline of all the points with the shape's pen.
void TMyShape::PowerDrawShape(TCanvas* Canvas, const TArrPoint& Points, int FillCount, bool Fill)
{
    if (!Canvas || Points.empty())
        return;
    const bool gradient = GradientStyle() != gsNone && HasGradientBitmap();
    const bool brush = FBrush.Style() != bsClear || FBrush.HasPattern();
    if (Fill && (gradient || brush)) {
        const size_t n = size_t(std::clamp(FillCount, 0, int(Points.size())));
        const TRegion region = TRegion::FromPolygon(TArrPoint(Points.begin(), Points.begin() + long(n)), WINDING);
        bool clipped = false;
        if (gradient) {
            const double z = Zoom();
            const int W = Round(z * GetMyWidth());
            const int H = Round(z * GetMyHeight());
            if (W > 0 && H > 0) {
                std::unique_ptr<TBitmap> pattern = RotateBitmap(*FExtras->GradientBitmap, W, H, 0, 0, -FAngle);
                TMyPoint corner = GetLeftTop();
                if (dynamic_cast<const TMyPolygon*>(this)) {
                    // The top-left of the box around the unrotated bounding box's corners,
                    // turned back by the angle.
                    TArrMyPoint corners;
                    for (TMyPoint p : {GetLeftTop(), GetRightTop(), GetRightBottom(), GetLeftBottom()})
                        corners.push_back(RotateAPoint(p, FCenterPoint, -FAngle));
                    const TMyRect box = GetPointsLTRB(corners);
                    corner = RotateAPoint(TMyPoint(box.Left, box.Top), FCenterPoint, FAngle);
                }
                // The clip is in device pixels: the region moved by the window origin.
                TRegion device = region;
                device.Offset(-Canvas->GetWindowOrg().X, -Canvas->GetWindowOrg().Y);
                Canvas->SelectClipRgn(&device);
                clipped = true;
                Canvas->Draw(Round(corner.X * z), Round(corner.Y * z), *pattern);
            }
        }
        if (brush)
            Canvas->FillRgn(region, FBrush);
        if (clipped)
            Canvas->SelectClipRgn(nullptr);
    }
    if (FPen.Width() <= 1 && !IsPrinterDevice(Canvas->Device())) {
        // A one-pixel outline: the canvas pen (the shape's, set by SetDrawShapeMode) strokes
        // the closed outline directly, as the one-pixel geometric pen would.
        thread_local TArrPoint closed; // kept between calls to spare the allocation
        closed.assign(Points.begin(), Points.end());
        closed.push_back(Points.front());
        Canvas->Pen().SetStyle(FPen.Style());
        Canvas->Pen().SetColor(FPen.Color());
        Canvas->Pen().SetWidth(FPen.Width());
        Canvas->Polyline(closed);
        return;
    }
    SetPS(Canvas, FPen.Style(), FPen.Color(), FPen.Width());
    Canvas->BeginPath();
    Canvas->Polygon(Points);
    Canvas->EndPath();
    Canvas->StrokePath();
    Canvas->DeselectGeometricPen();
}

void TMyShape::DrawHotLinkSquare(TCanvas* Canvas, TMyPoint P)
{
    if (!Canvas || FLocked)
        return;
    SetDrawHotMode(Canvas);
    Canvas->Pen().SetWidth(2);
    Canvas->Pen().SetColor(clRed);
    Canvas->Pen().SetMode(pmNotXor);
    Canvas->Brush().SetStyle(bsClear);
    Canvas->Rectangle(Round(P.X - 5), Round(P.Y - 5), Round(P.X + 5), Round(P.Y + 5));
}

// ---- Hit tests ---------------------------------------------------------------------------

namespace {
// Whether p lies in the square of half-side t around c, right and bottom edges excluded.
bool InSquare(TPoint p, TPoint c, int t)
{
    return p.X >= c.X - t && p.X < c.X + t && p.Y >= c.Y - t && p.Y < c.Y + t;
}
} // namespace

bool TMyShape::InTextPointHot(TPoint P) const
{
    const int hs = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    return InSquare(P, MyPtToPt(ZoomedValuePt(FCaptionPoint)), hs);
}

int TMyShape::Highlight(int Index, bool LinkPoint)
{
    return FOwnerCAD ? FOwnerCAD->HighlightHot(this, Index, LinkPoint) : Index;
}

int TMyShape::InWhichLinkHot(TMyPoint P)
{
    const TPoint p = MyPtToPt(P);
    for (int i = 0; i < GetLinkPointsCount(); ++i)
        if (InSquare(p, MyPtToPt(GetLinkPointInZoom(i)), 5))
            return Highlight(i, true);
    return Highlight(-1, true);
}

int TMyShape::InWhichPointHot(TMyPoint P)
{
    const TPoint p = MyPtToPt(P);
    const int hs = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    const int last = GetPointsCount() - 1;
    if (last >= 0) {
        if (InSquare(p, MyPtToPt(GetPointInZoom(0)), hs))
            return Highlight(0, false);
        if (InSquare(p, MyPtToPt(GetPointInZoom(last)), hs))
            return Highlight(last, false);
    }
    return Highlight(-1, false);
}
