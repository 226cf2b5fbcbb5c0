// Page formats, orientation, zoom and the control's size kept in step.
#include "support/DrawingTestSupport.h"

#include <QApplication>
#include <QResizeEvent>

namespace {
// Resizes the control as a host would and delivers the resize notification.
void HostResize(TMyCAD& cad, int w, int h)
{
    const QSize old = cad.size();
    cad.resize(w, h);
    QResizeEvent event(QSize(w, h), old);
    QApplication::sendEvent(&cad, &event);
}
} // namespace

TEST(Page, NewDrawingIsAnA4PortraitPage)
{
    TMyCAD cad;
    EXPECT_EQ(cad.size(), QSize(794, 1123));
    cad.SetZoom(2);
    EXPECT_EQ(cad.size(), QSize(1587, 2245));
    EXPECT_EQ(cad.PreZoom(), 1.0);
    cad.SetZoom(2); // unchanged zoom: nothing happens
    EXPECT_EQ(cad.PreZoom(), 1.0);
}

TEST(Page, LandscapeSwapsTheSides)
{
    TMyCAD cad;
    cad.SetPageOrientation(poLandscape);
    EXPECT_EQ(cad.PageWidth(), 297u);
    EXPECT_EQ(cad.PageHeight(), 210u);
    EXPECT_EQ(cad.size(), QSize(1123, 794));
    EXPECT_EQ(cad.GetPageStyleByWH(297, 210), TPageStyle::A4);
    cad.SetPageOrientation(poPortrait);
    EXPECT_EQ(cad.GetPageStyleByWH(297, 210), TPageStyle::CustomerPage);
    EXPECT_EQ(cad.GetPageStyleByWH(210, 297), TPageStyle::A4);
}

TEST(Page, EveryFormatHasItsSize)
{
    TMyCAD cad;
    const std::tuple<TPageStyle, uint32_t, uint32_t> formats[] = {
        {TPageStyle::A0, 841, 1189}, {TPageStyle::A1, 594, 841}, {TPageStyle::A2, 420, 594},
        {TPageStyle::A3, 297, 420},  {TPageStyle::A5, 148, 210}, {TPageStyle::B3, 353, 500},
        {TPageStyle::B4, 257, 364},  {TPageStyle::B5, 182, 257}};
    for (const auto& [style, w, h] : formats) {
        cad.SetPageStyle(style);
        EXPECT_EQ(cad.PageWidth(), w);
        EXPECT_EQ(cad.PageHeight(), h);
        EXPECT_EQ(cad.width(), Round(w * 96 / 25.4));
        EXPECT_EQ(cad.GetPageStyleByWH(w, h), style);
    }
    EXPECT_EQ(cad.GetPageStyleByWH(250, 353), TPageStyle::CustomerPage); // ISO B4 is not B4
}

TEST(Page, CustomWidthChangesThePageOnly)
{
    TMyCAD cad;
    cad.SetPageWidth(300);
    EXPECT_EQ(cad.PageStyle(), TPageStyle::CustomerPage);
    EXPECT_EQ(cad.PageWidth(), 300u);
    EXPECT_EQ(cad.width(), 794);
    cad.SetPageWidth(210); // back to the A4 numbers: the style and the control follow
    EXPECT_EQ(cad.PageStyle(), TPageStyle::A4);
}

TEST(Page, HostResizeDrivesThePageSize)
{
    TMyCAD cad;
    HostResize(cad, 601, 601);
    EXPECT_EQ(cad.PageWidth(), 159u);
    EXPECT_EQ(cad.PageHeight(), 159u);
    EXPECT_EQ(cad.PageStyle(), TPageStyle::CustomerPage);
    EXPECT_EQ(cad.size(), QSize(601, 601));
}

TEST(Page, ScreenResolutionScalesThePage)
{
    SetScreenPixelsPerInch(120);
    TMyCAD cad;
    EXPECT_EQ(cad.size(), QSize(Round(210 * 120 / 25.4), Round(297 * 120 / 25.4)));
    SetScreenPixelsPerInch(0);
}
