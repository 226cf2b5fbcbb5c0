// World transforms, mapping modes, and canvases on painters, pictures and shared devices.
#include "CanvasTestUtil.h"

#include <gtest/gtest.h>

#include <QPicture>

TEST(CanvasTransform, WorldTranslationMovesDrawing)
{
    QImage image = WhiteImage(60, 40);
    {
        TCanvas canvas(&image);
        EXPECT_FALSE(canvas.SetWorldTransform(XFORM{1, 0, 0, 1, 30, 20})) << "needs the advanced mode";
        EXPECT_EQ(canvas.SetGraphicsMode(GM_ADVANCED), GM_COMPATIBLE);
        EXPECT_TRUE(canvas.SetWorldTransform(XFORM{1, 0, 0, 1, 30, 20}));
        canvas.Brush().SetColor(clBlack);
        canvas.Rectangle(0, 0, 10, 10);
        EXPECT_EQ(canvas.SetGraphicsMode(GM_COMPATIBLE), 0) << "refused while the world transform is not identity";
        XFORM back;
        EXPECT_TRUE(canvas.GetWorldTransform(back));
        EXPECT_EQ(back, (XFORM{1, 0, 0, 1, 30, 20}));
        EXPECT_TRUE(canvas.ModifyWorldTransform(XFORM{}, MWT_IDENTITY));
        EXPECT_EQ(canvas.SetGraphicsMode(GM_COMPATIBLE), GM_ADVANCED);
        canvas.FillRect(TRect(0, 0, 2, 2));
    }
    EXPECT_EQ(InkBounds(image), TRect(0, 0, 40, 30));
    EXPECT_EQ(PixelAt(image, 30, 20), clBlack);
    EXPECT_EQ(PixelAt(image, 39, 29), clBlack);
    EXPECT_EQ(PixelAt(image, 29, 20), clWhite);
    EXPECT_EQ(PixelAt(image, 1, 1), clBlack) << "back at the identity transform";
    EXPECT_EQ(PixelAt(image, 2, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 10), clWhite);
}

TEST(CanvasTransform, ModifyWorldTransformMultipliesOnTheGivenSide)
{
    TCanvas canvas;
    canvas.SetGraphicsMode(GM_ADVANCED);
    canvas.SetWorldTransform(XFORM{2, 0, 0, 2, 0, 0});
    // Left: the translation applies first, then the scale.
    canvas.ModifyWorldTransform(XFORM{1, 0, 0, 1, 10, 0}, MWT_LEFTMULTIPLY);
    std::vector<TPoint> points = {{1, 1}};
    canvas.LPtoDP(points);
    EXPECT_EQ(points[0], TPoint(22, 2));
    canvas.SetWorldTransform(XFORM{2, 0, 0, 2, 0, 0});
    canvas.ModifyWorldTransform(XFORM{1, 0, 0, 1, 10, 0}, MWT_RIGHTMULTIPLY);
    points = {{1, 1}};
    canvas.LPtoDP(points);
    EXPECT_EQ(points[0], TPoint(12, 2));
    EXPECT_TRUE(canvas.DPtoLP(points));
    EXPECT_EQ(points[0], TPoint(1, 1));
    EXPECT_FALSE(canvas.SetWorldTransform(XFORM{0, 0, 0, 0, 1, 1})) << "singular";
    EXPECT_FALSE(canvas.ModifyWorldTransform(XFORM{}, 9));
}

TEST(CanvasTransform, LoEnglishMapsHundredthsOfAnInchWithYUpward)
{
    QImage image = WhiteImage(200, 200);
    ASSERT_EQ(image.logicalDpiX(), 96);
    TCanvas canvas(&image);
    EXPECT_EQ(canvas.SetMapMode(MM_LOENGLISH), MM_TEXT);
    EXPECT_EQ(canvas.GetMapMode(), MM_LOENGLISH);
    std::vector<TPoint> points = {{100, -100}, {0, 0}, {50, 25}};
    canvas.LPtoDP(points);
    EXPECT_EQ(points, (std::vector<TPoint>{{96, 96}, {0, 0}, {48, -24}}));
    canvas.Brush().SetColor(clBlack);
    // Top above bottom in logical units: y grows upward.
    canvas.FillRect(TRect(0, -50, 100, -100));
    canvas.ReleasePainter();
    EXPECT_EQ(InkBounds(image), TRect(0, 48, 96, 96));
    EXPECT_EQ(canvas.SetMapMode(7), 0) << "isotropic scaling is not offered";
    EXPECT_EQ(canvas.SetMapMode(MM_TEXT), MM_LOENGLISH);
    points = {{100, -100}};
    canvas.LPtoDP(points);
    EXPECT_EQ(points[0], TPoint(100, -100));
}

TEST(CanvasTransform, TextStaysUprightInLoEnglishAndMirrorsWithAMirroringWorld)
{
    // A capital T: its bar is the widest row of ink, at the top when upright.
    auto barAtTop = [](const QImage& image) {
        const TRect ink = InkBounds(image);
        auto rowInk = [&](int y) {
            int n = 0;
            for (int x = ink.Left; x < ink.Right; ++x)
                n += PixelAt(image, x, y) != clWhite ? 1 : 0;
            return n;
        };
        return rowInk(ink.Top) > rowInk(ink.Bottom - 1);
    };
    TCanvas measure;
    measure.Font().SetHeight(-60);
    const TSize extent = measure.TextExtent("T");

    QImage upright = WhiteImage(150, 150);
    {
        TCanvas canvas(&upright);
        canvas.SetBkMode(TRANSPARENT);
        canvas.Font().SetHeight(-60);
        canvas.SetMapMode(MM_LOENGLISH);
        canvas.TextOut(50, -50, "T");
    }
    EXPECT_TRUE(barAtTop(upright));
    const TRect a = InkBounds(upright);
    EXPECT_GE(a.Top, 48);
    EXPECT_LE(a.Bottom, 48 + extent.cy);

    // The mirrored single-line text of a flipped text shape: world (1, 0, 0, -1, 0, -h) in
    // LoEnglish with the text put at its screen position fills the same box, upside down.
    QImage mirrored = WhiteImage(150, 150);
    {
        TCanvas canvas(&mirrored);
        canvas.SetBkMode(TRANSPARENT);
        canvas.Font().SetHeight(-60);
        canvas.SetGraphicsMode(GM_ADVANCED);
        canvas.SetMapMode(MM_LOENGLISH);
        canvas.SetWorldTransform(XFORM{1, 0, 0, -1, 0, float(-extent.cy)});
        canvas.TextOut(50, 50, "T");
    }
    EXPECT_FALSE(barAtTop(mirrored));
    const TRect b = InkBounds(mirrored);
    EXPECT_GE(b.Top, 48 - 1);
    EXPECT_LE(b.Bottom, 48 + int(extent.cy * 0.96) + 1);
    EXPECT_NEAR(b.Left, a.Left, 1);
}

TEST(CanvasTransform, ForeignPainterKeepsItsTransformAndGetsItsStateBack)
{
    QImage image = WhiteImage(40, 40);
    QPainter painter(&image);
    painter.scale(2, 2);
    painter.setPen(QPen(Qt::green));
    {
        TCanvas canvas(&painter);
        canvas.Pen().SetColor(clRed);
        canvas.Pen().SetWidth(0);
        canvas.MoveTo(1, 5);
        canvas.LineTo(11, 5);
    }
    EXPECT_EQ(painter.transform(), QTransform::fromScale(2, 2));
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    painter.end();
    // Logical (1, 5)..(11, 5) lands on device (2, 10)..(22, 10) through the painter's scale.
    EXPECT_EQ(PixelAt(image, 2, 10), clRed);
    EXPECT_EQ(PixelAt(image, 21, 10), clRed);
    EXPECT_EQ(PixelAt(image, 1, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 23, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 5), clWhite);
}

TEST(CanvasTransform, PictureRecordingReplaysTheDrawing)
{
    QPicture picture;
    {
        QPainter recorder(&picture);
        TCanvas canvas(&recorder);
        canvas.Brush().SetColor(clBlue);
        canvas.Rectangle(5, 5, 25, 20);
        canvas.TextOut(5, 25, "rec");
    }
    QImage image = WhiteImage(60, 50);
    {
        QPainter replay(&image);
        picture.play(&replay);
    }
    EXPECT_EQ(PixelAt(image, 10, 10), clBlue);
    EXPECT_EQ(PixelAt(image, 5, 5), clBlack);
    EXPECT_FALSE(PixelsWhere(image, [](TColor c) { return c == clBlack; }).empty());
}

TEST(CanvasTransform, CanvasesOnOneDeviceTakeTurns)
{
    QImage image = WhiteImage(30, 10);
    TCanvas a(&image);
    TCanvas b(&image);
    a.MoveTo(0, 1);
    a.LineTo(10, 1);
    b.Pen().SetColor(clRed);
    b.MoveTo(0, 3);
    b.LineTo(10, 3);
    a.LineTo(10, 8);
    TCanvas::ReleaseDevice(&image);
    {
        QPainter own(&image);
        ASSERT_TRUE(own.isActive());
        own.fillRect(QRect(20, 0, 5, 5), Qt::blue);
    }
    b.LineTo(20, 3);
    b.ReleasePainter();
    EXPECT_EQ(PixelAt(image, 5, 1), clBlack);
    EXPECT_EQ(PixelAt(image, 5, 3), clRed);
    EXPECT_EQ(PixelAt(image, 10, 5), clBlack);
    EXPECT_EQ(PixelAt(image, 15, 3), clRed);
    EXPECT_EQ(PixelAt(image, 22, 2), clBlue);
}

TEST(CanvasTransform, DeviceCapabilities)
{
    QImage image = WhiteImage(123, 45);
    TCanvas canvas(&image);
    EXPECT_EQ(canvas.GetDeviceCaps(HORZRES), 123);
    EXPECT_EQ(canvas.GetDeviceCaps(VERTRES), 45);
    EXPECT_EQ(canvas.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(canvas.GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_EQ(canvas.GetDeviceCaps(BITSPIXEL), 32);
    TCanvas none;
    EXPECT_EQ(none.GetDeviceCaps(HORZRES), 0);
    EXPECT_FALSE(none.HandleAllocated());
    EXPECT_TRUE(canvas.HandleAllocated());
}
