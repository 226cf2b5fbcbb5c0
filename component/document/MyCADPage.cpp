// TMyCAD: page formats, zoom and the control's size kept in step.
#include "component/document/MyCAD.h"

#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <QResizeEvent>
#include <cmath>

namespace {
// Portrait width and height in millimetres of the standard formats.
struct PageFormat {
    TPageStyle Style;
    uint32_t Width;
    uint32_t Height;
};
constexpr PageFormat PageFormats[] = {
    {TPageStyle::A0, 841, 1189}, {TPageStyle::A1, 594, 841}, {TPageStyle::A2, 420, 594},
    {TPageStyle::A3, 297, 420},  {TPageStyle::A4, 210, 297}, {TPageStyle::A5, 148, 210},
    {TPageStyle::B3, 353, 500},  {TPageStyle::B4, 257, 364}, {TPageStyle::B5, 182, 257},
};

// Sets a flag for the life of a scope, restoring the previous value.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~BusyScope() { FFlag = FOld; }
private:
    bool& FFlag;
    bool FOld;
};
} // namespace

bool TMyCAD::PageSizeOf(TPageStyle Style, uint32_t& Width, uint32_t& Height)
{
    for (const PageFormat& f : PageFormats) {
        if (f.Style == Style) {
            Width = f.Width;
            Height = f.Height;
            return true;
        }
    }
    return false;
}

int TMyCAD::PageMmToPixels(uint32_t mm) const
{
    return Round(double(mm) * FZoom * ScreenPixelsPerInch() / 25.4);
}

void TMyCAD::SetControlSize(int Width, int Height)
{
    resize(std::max(Width, 0), std::max(Height, 0));
}

TPageStyle TMyCAD::GetPageStyleByWH(uint32_t Width, uint32_t Height) const
{
    const bool landscape = FPageOrientation == TPageOrientation::poLandscape;
    for (const PageFormat& f : PageFormats) {
        const uint32_t w = landscape ? f.Height : f.Width;
        const uint32_t h = landscape ? f.Width : f.Height;
        if (w == Width && h == Height)
            return f.Style;
    }
    return TPageStyle::CustomerPage;
}

void TMyCAD::SetPreZoom(double v)
{
    if (v != FPreZoom)
        FPreZoom = v;
}

void TMyCAD::SetZoom(double v)
{
    // Every conversion between screen pixels and document units divides by the zoom.
    if (v == FZoom || !(v > 0) || !std::isfinite(v))
        return;
    BusyScope busy(FBusy);
    SetPreZoom(FZoom);
    FZoom = v;
    SetControlSize(PageMmToPixels(FPageWidth), PageMmToPixels(FPageHeight));
    Invalidate();
}

void TMyCAD::SetPageStyle(TPageStyle v)
{
    BusyScope busy(FBusy);
    FPageStyle = v;
    PageSizeOf(v, FPageWidth, FPageHeight);
    if (FPageOrientation == TPageOrientation::poLandscape)
        std::swap(FPageWidth, FPageHeight);
    if (v != TPageStyle::CustomerPage)
        SetControlSize(PageMmToPixels(FPageWidth), PageMmToPixels(FPageHeight));
}

void TMyCAD::SetPageWidth(uint32_t mm)
{
    BusyScope busy(FBusy);
    FPageWidth = mm;
    FPageStyle = GetPageStyleByWH(FPageWidth, FPageHeight);
    if (FPageStyle != TPageStyle::CustomerPage)
        SetControlSize(PageMmToPixels(FPageWidth), height());
}

void TMyCAD::SetPageHeight(uint32_t mm)
{
    BusyScope busy(FBusy);
    FPageHeight = mm;
    FPageStyle = GetPageStyleByWH(FPageWidth, FPageHeight);
    if (FPageStyle != TPageStyle::CustomerPage)
        SetControlSize(width(), PageMmToPixels(FPageHeight));
}

void TMyCAD::SetPageOrientation(TPageOrientation v)
{
    if (v == FPageOrientation)
        return;
    FPageOrientation = v;
    SetPageStyle(FPageStyle);
}

void TMyCAD::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Resize();
}

// The host changed the control's size: the page takes the size of the control.
void TMyCAD::Resize()
{
    if (FBusy)
        return;
    const double ppiZoom = ScreenPixelsPerInch() * FZoom;
    SetPageHeight(uint32_t(std::max(0, Round(height() * 25.4 / ppiZoom))));
    SetPageWidth(uint32_t(std::max(0, Round(width() * 25.4 / ppiZoom))));
    FPageStyle = GetPageStyleByWH(FPageWidth, FPageHeight);
}
