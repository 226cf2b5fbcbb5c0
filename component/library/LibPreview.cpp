// TLibManager: preview pictures of entries.
#include "component/library/LibManager.h"

#include "component/document/MyCAD.h"
#include "component/shapes/MyLinkPoint.h"
#include "platform/Bitmap.h"
#include "platform/Rounding.h"

#include <cmath>

namespace {

// Whether a shape drawn at zoom with the offset can reach the picture: a shape of an
// entry lies in the entry's box, which the zoom fits into the picture, so a shape far
// outside it (or with coordinates that are no numbers) is damage and is left out.
bool CanShowIn(const TMyShape& shape, double zoom, double ox, double oy, double size)
{
    constexpr double kReach = 64; // picture sizes around it that a shape may reach into
    const double low = -kReach * size, high = (kReach + 1) * size;
    for (const TMyPoint& p : shape.Points()) {
        const double x = p.X * zoom + ox, y = p.Y * zoom + oy;
        if (!(x >= low && x <= high && y >= low && y <= high))
            return false;
    }
    return true;
}

} // namespace

bool TLibManager::GetCmbShapeImage(const QString& Name, double Size, TBitmap& Bitmap, TColor Color)
{
    TArrMyPoint points;
    TUserData data;
    TLibShapes shapes;
    int W = 0, H = 0;
    if (!GetCmbShape(Name, points, data, shapes, W, H, false))
        return false;
    if (W == 0)
        W = 1;
    if (H == 0)
        H = 1;
    const int side = std::isfinite(Size) ? std::max(Round(Size), 0) : 0;
    if (!Bitmap.SetSize(side, side))
        return false;
    TCanvas& canvas = Bitmap.Canvas();
    canvas.Brush().SetBitmap(nullptr);
    canvas.Brush().SetColor(Color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(TRect(0, 0, side, side));

    // A picture of two pixels or less has no room for a shape; a box without a positive
    // side has no zoom.
    const double zoom = (Size - 2) / std::max(W, H);
    if (!(zoom > 0) || !std::isfinite(zoom) || shapes.empty())
        return true;
    const double ox = Round((Size - W * zoom) / 2);
    const double oy = Round((Size - H * zoom) / 2);
    FDrawing->SetZoom(zoom);
    for (const auto& shape : shapes) {
        if (qobject_cast<const TMyLinkPoint*>(shape.get()) || !CanShowIn(*shape, zoom, ox, oy, Size))
            continue;
        // The shapes are freed afterwards: they are moved and not moved back.
        OffsetAllPoints(shape.get(), ox / zoom, oy / zoom);
        shape->Draw(&canvas);
    }
    FDrawing->SetZoom(1);
    return true;
}
