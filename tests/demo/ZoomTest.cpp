// The window's zooming and panning: the percentages shown, the bounds, where the page goes
// in the scroll box, and the rulers following the zoom, the scroll bars and the mouse.
#include "MainWindow.h"
#include "PageNavigator.h"
#include "ZoomMath.h"

#include <CAD.h>
#include <controls/ruler/RsRuler.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace ZoomMath;

TEST(ZoomMath, PercentagesWithoutTheNoiseOfBinaryFractions)
{
    EXPECT_EQ(ZoomPercent(1.1), 110); // 1.1 x 100 is 110.00000000000001
    EXPECT_EQ(ZoomPercent(1.3), 130);
    EXPECT_EQ(ZoomPercent(0.75), 75);
    EXPECT_EQ(ZoomPercent(1.2 * 1.2), 144);
    EXPECT_EQ(ZoomPercent(1.005), 101); // a real fraction still rounds up
    EXPECT_EQ(ZoomPercent(0.001), 1);
    EXPECT_EQ(ZoomPercent(0), 1);
    EXPECT_EQ(ZoomText(1.1), "110%");
    EXPECT_EQ(ZoomText(1.2 * 1.2 * 1.2), "172%");
    EXPECT_EQ(ZoomText(0.8 * 0.8), "64%");
    const double expected[] = {0.5, 0.75, 1, 1.1, 1.3, 2};
    ASSERT_EQ(ZoomBoxItems().size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_DOUBLE_EQ(ZoomOfItem(ZoomBoxItems()[i]), expected[i]);
    EXPECT_EQ(ZoomOfItem("big"), 0);
}

TEST(ZoomMath, BoundsAndPlacement)
{
    EXPECT_EQ(ClampZoom(100, 601, 601), kMaxZoom);
    EXPECT_EQ(ClampZoom(1e-9, 601, 601), kMinZoom);
    EXPECT_NEAR(ClampZoom(8, 10000, 500), 3.2767, 1e-9) << "the widget limit of 32,767 pixels";
    EXPECT_EQ(CentredEdge(903, 601), 151);
    EXPECT_EQ(CentredEdge(100, 601), -250) << "halves truncate towards zero";
    EXPECT_EQ(GestureEdge(903, 721, 300, 1.2), 91) << "a page that fits is centred";
    EXPECT_EQ(GestureEdge(500, 721, 300, 1.2), -110);
    EXPECT_EQ(GestureEdge(500, 721, 10, 1.2), 0) << "never right of 0";
    EXPECT_EQ(GestureEdge(500, 721, 600, 1.2), -221) << "the far edge stays outside the box";
    EXPECT_EQ(PannedEdge(151, 40, 903, 601), 151) << "a page that fits does not pan";
    EXPECT_EQ(PannedEdge(-100, 30, 500, 721), -70);
    EXPECT_EQ(PannedEdge(-100, 500, 500, 721), 0);
    EXPECT_EQ(PannedEdge(-100, -500, 500, 721), -221);
    // The page point under the cursor stays there: x = 100 at the cursor 300 at zoom 1
    // is 200 at zoom 2, so the page's edge goes to 100 (then clamped to the box).
    EXPECT_EQ(EdgeKeepingPoint(500, 1202, 100, 300, 1, 2), 0);
    EXPECT_EQ(EdgeKeepingPoint(500, 1202, 400, 300, 1, 2), -500);
}

namespace {

class Navigation : public ::testing::Test {
protected:
    Navigation()
    {
        window.resize(1000, 750);
        window.show();
        QApplication::processEvents();
    }
    TPageNavigator& nav() { return *window.Navigator(); }
    QPoint Edges() { return nav().Edges(); }
    int BoxWidth() { return window.ScrollArea()->viewport()->width(); }

    MainWindow window;
    TMyCAD& cad = *window.MyCAD1();
};

} // namespace

TEST_F(Navigation, TheZoomBoxSetsTheZoomCentresThePageAndScalesTheRulers)
{
    EXPECT_EQ(window.ZoomBox()->count(), 6);
    EXPECT_EQ(Edges().x(), CentredEdge(BoxWidth(), 601));
    EXPECT_EQ(window.TopRuler()->Scale(), 100);
    EXPECT_DOUBLE_EQ(window.TopRuler()->Offset(), -Edges().x());

    window.ZoomBox()->textActivated("110%");
    EXPECT_DOUBLE_EQ(cad.Zoom(), 1.1);
    EXPECT_EQ(cad.width(), 661);
    EXPECT_EQ(window.TopRuler()->Scale(), 110);
    EXPECT_EQ(window.LeftRuler()->Scale(), 110);
    window.ZoomBox()->textActivated("200%");
    EXPECT_EQ(cad.width(), 1202);
    ASSERT_GT(cad.width(), BoxWidth());
    EXPECT_EQ(Edges().x(), CentredEdge(BoxWidth(), 1202)) << "a page larger than the box is centred too";
    EXPECT_DOUBLE_EQ(window.TopRuler()->Offset(), -Edges().x() / 2.0);
    EXPECT_DOUBLE_EQ(window.LeftRuler()->Offset(), -Edges().y() / 2.0);

    // Scrolling moves the rulers' origins with the page.
    window.ScrollArea()->horizontalScrollBar()->setValue(40);
    EXPECT_EQ(Edges().x(), -40);
    EXPECT_DOUBLE_EQ(window.TopRuler()->Offset(), 20);
    // The hair lines follow the mouse over the page, in scroll-box pixels.
    nav().TrackMouse(100, 70);
    EXPECT_EQ(window.TopRuler()->HairLinePos(), 60);
    EXPECT_EQ(window.LeftRuler()->HairLinePos(), 70 + Edges().y());
}

TEST_F(Navigation, GesturesZoomAboutTheirPointsAndPanStopsAtTheEdges)
{
    window.ArmGesture(TPageNavigator::TGesture::ZoomIn);
    EXPECT_EQ(cad.ShapeTool(), SpClose);
    // A zoom-in click (press and release at one point) zooms by 1.2 about that point.
    cad.MouseDown(mbLeft, ssLeft, 300, 300);
    EXPECT_TRUE(nav().InGesture());
    cad.MouseUp(mbLeft, 0, 300, 300);
    EXPECT_FALSE(nav().InGesture());
    EXPECT_DOUBLE_EQ(cad.Zoom(), 1.2);
    EXPECT_EQ(window.ZoomBox()->currentText(), "120%");
    EXPECT_EQ(cad.GetShapesCount(), 0) << "the drawing ignored the gesture";
    // A dragged rectangle zooms about its middle.
    cad.MouseDown(mbLeft, ssLeft, 100, 100);
    cad.MouseMove(ssLeft, 200, 160);
    EXPECT_EQ(nav().BandRect(), QRect(QPoint(100, 100), QPoint(200, 160)));
    cad.MouseUp(mbLeft, 0, 300, 220);
    EXPECT_NEAR(cad.Zoom(), 1.44, 1e-12);
    EXPECT_EQ(Edges().x(), GestureEdge(BoxWidth(), cad.width(), 200, 1.2));
    EXPECT_EQ(window.TopRuler()->Scale(), 144);

    // Zoom-outs and zoom-ins without end stay within 5 % and 1,000 %.
    window.ArmGesture(TPageNavigator::TGesture::ZoomOut);
    for (int i = 0; i < 40; ++i) {
        cad.MouseDown(mbLeft, ssLeft, 10, 10);
        cad.MouseUp(mbLeft, 0, 10, 10);
    }
    EXPECT_DOUBLE_EQ(cad.Zoom(), kMinZoom);
    EXPECT_GE(cad.width(), 30);
    for (int i = 0; i < 40; ++i)
        nav().SetZoom(cad.Zoom() * 1.2);
    EXPECT_DOUBLE_EQ(cad.Zoom(), kMaxZoom);
    EXPECT_LE(cad.width(), kMaxCanvasPixels);

    // Panning moves a page larger than the box, never past its edges.
    window.ArmGesture(TPageNavigator::TGesture::Pan);
    const QPoint before = Edges();
    cad.MouseDown(mbLeft, ssLeft, 500, 500);
    cad.MouseMove(ssLeft, 480, 470);
    EXPECT_EQ(Edges(), before + QPoint(-20, -30));
    cad.MouseMove(ssLeft, 100000, 100000);
    EXPECT_EQ(Edges(), QPoint(0, 0));
    cad.MouseUp(mbLeft, 0, 100000, 100000);
    nav().SetZoom(0.5);
    const QPoint fitted = Edges();
    cad.MouseDown(mbLeft, ssLeft, 50, 50);
    cad.MouseMove(ssLeft, 90, 90);
    cad.MouseUp(mbLeft, 0, 90, 90);
    EXPECT_EQ(Edges(), fitted) << "a page that fits does not move";
}

TEST_F(Navigation, CtrlWheelZoomsAboutTheCursorAndFitShowsTheWholePage)
{
    window.ZoomBox()->textActivated("200%");
    window.ScrollArea()->horizontalScrollBar()->setValue(100);
    const QPoint at(400, 300);
    const QPoint screenBefore = at + Edges();
    QWheelEvent wheel(QPointF(at), QPointF(cad.mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&cad, &wheel);
    EXPECT_NEAR(cad.Zoom(), 2.4, 1e-12);
    // The page point under the cursor (400 / 2 = 200 units) is still there.
    EXPECT_NEAR(200 * 2.4 + Edges().x(), screenBefore.x(), 1.0);
    QWheelEvent plain(QPointF(at), QPointF(cad.mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&cad, &plain);
    EXPECT_NEAR(cad.Zoom(), 2.4, 1e-12) << "the wheel alone scrolls";

    nav().FitPage();
    EXPECT_LE(cad.width(), BoxWidth());
    EXPECT_LE(cad.height(), window.ScrollArea()->viewport()->height());
    EXPECT_GE(Edges().x(), 0);
}
