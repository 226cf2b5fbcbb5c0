// TMyImage: drawing. The stored picture is never changed; each paint computes, for the
// part of the box the canvas shows, what adjusting, mirroring, stretching and turning a
// copy of it would give there (component/render/PicturePipeline.h).
#include "component/shapes/MyImage.h"

#include "component/base/Geometry.h"
#include "component/render/CanvasModes.h"
#include "component/render/PicturePipeline.h"
#include "platform/Region.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

void TMyImage::Draw(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawShapeMode(this, Canvas);
    if (GetPointsCount() >= 4) {
        TArrPoint corners;
        for (int i = 0; i < 4; ++i)
            corners.push_back(MyPtToPt(GetPointInZoom(i)));
        if (FBitmap->Empty()) {
            // The placeholder: the box and both diagonals in grey.
            TPen& pen = Canvas->Pen();
            pen.SetColor(clGray);
            pen.SetWidth(1);
            pen.SetStyle(psSolid);
            Canvas->MoveTo(corners[0].X, corners[0].Y);
            for (int i : {1, 2, 3, 0, 2})
                Canvas->LineTo(corners[size_t(i)].X, corners[size_t(i)].Y);
            Canvas->MoveTo(corners[1].X, corners[1].Y);
            Canvas->LineTo(corners[3].X, corners[3].Y);
        } else {
            DrawPicture(Canvas, corners);
            if (FBorder) {
                SetDrawShapeMode(this, Canvas);
                TArrPoint outline = corners;
                outline.push_back(corners[0]);
                PowerDrawShape(Canvas, outline, 5, true);
            }
        }
    }
    DrawInfo(Canvas);
}

void TMyImage::DrawPicture(TCanvas* Canvas, const TArrPoint& Corners)
{
    const double z = Zoom();
    const double w = z * GetMyWidth(), h = z * GetMyHeight();
    if (!(std::fabs(w) < TPicturePipeline::kMaxSide) || !(std::fabs(h) < TPicturePipeline::kMaxSide))
        return; // a box no picture of the platform could cover
    TPictureSteps steps;
    steps.GrayScale = FGrayScale;
    steps.Contrast = FContrast;
    steps.Brightness = FBrightness;
    steps.FlipHorizontal = IsFlipHorz();
    steps.FlipVertical = IsFlipVert();
    steps.Width = Round(w);
    steps.Height = Round(h);
    steps.Angle = -double(Angle());
    const TPicturePipeline pipeline(*FBitmap, steps);
    if (!pipeline.Usable())
        return;

    // The turned picture's place, and the part of it the canvas can show.
    const TMyPoint leftTop = GetLeftTop();
    const int64_t left = Round64(double(leftTop.X) * z), top = Round64(double(leftTop.Y) * z);
    const QSize size = pipeline.ResultSize();
    const TRect clip = Canvas->ClipRect();
    int64_t x0 = std::max<int64_t>(clip.Left, left), y0 = std::max<int64_t>(clip.Top, top);
    int64_t x1 = std::min<int64_t>(clip.Right, left + size.width()), y1 = std::min<int64_t>(clip.Bottom, top + size.height());
    // Nothing outside the box is shown either.
    int64_t bl = INT64_MAX, bt = INT64_MAX, br = INT64_MIN, bb = INT64_MIN;
    for (const TPoint& p : Corners) {
        bl = std::min<int64_t>(bl, p.X), bt = std::min<int64_t>(bt, p.Y);
        br = std::max<int64_t>(br, p.X), bb = std::max<int64_t>(bb, p.Y);
    }
    x0 = std::max(x0, bl), y0 = std::max(y0, bt), x1 = std::min(x1, br + 1), y1 = std::min(y1, bb + 1);
    if (x1 <= x0 || y1 <= y0)
        return;
    const QRect window(int(x0 - left), int(y0 - top), int(x1 - x0), int(y1 - y0));
    TBitmap part;
    if (!pipeline.Render(window, part))
        return; // a part that cannot be allocated draws nothing
    if (FTransparent) {
        part.SetTransparent(true);
        part.SetTransparentColor(pipeline.TransparentKey(FTransparentMode, FTransparentColor));
    }
    // The clip is in device pixels: the box moved by the window origin.
    TRegion box = TRegion::FromPolygon(Corners, WINDING);
    box.Offset(-Canvas->GetWindowOrg().X, -Canvas->GetWindowOrg().Y);
    Canvas->SelectClipRgn(&box);
    Canvas->Draw(int(x0), int(y0), part);
    Canvas->SelectClipRgn(nullptr);
}
