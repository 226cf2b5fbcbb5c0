// Hots, link-point marks, caption diamonds and highlights, probed in rendered pictures.
#include "support/DrawingTestSupport.h"

#include <QImage>

namespace {
TColor PixelAt(TBitmap& bitmap, int x, int y)
{
    return FromQColor(QColor(bitmap.ToQImage().pixel(x, y)));
}

int CountNonWhite(TBitmap& bitmap)
{
    const QImage image = bitmap.ToQImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return n;
}
} // namespace

TEST(HotDrawing, SquareIsEightPixelsAcrossInTheHotColour)
{
    TMyCAD cad;
    cad.SetColorOfHot(clLime);
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    TBitmap bitmap(40, 40);
    DrawSquare(r, &bitmap.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(PixelAt(bitmap, 16, 16), clBlack); // outline
    EXPECT_EQ(PixelAt(bitmap, 23, 23), clBlack);
    EXPECT_EQ(PixelAt(bitmap, 20, 20), clLime);  // fill
    EXPECT_EQ(PixelAt(bitmap, 24, 24), clWhite); // right and bottom exclusive
    EXPECT_EQ(PixelAt(bitmap, 15, 20), clWhite);
    EXPECT_EQ(CountNonWhite(bitmap), 64);
}

TEST(HotDrawing, MembersGetHalfSquaresLockedShapesGreyAndHiddenHotsNothing)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    r->SetParentNo(0); // drawn as a member (the parent is not looked at)
    TBitmap small(40, 40);
    DrawSquare(r, &small.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(CountNonWhite(small), 16);
    r->SetParentNo(-1);
    r->StoreLocked(true);
    TBitmap locked(40, 40);
    DrawSquare(r, &locked.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(PixelAt(locked, 20, 20), clGray);
    cad.SetHotShow(false);
    TBitmap none(40, 40);
    DrawSquare(r, &none.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(CountNonWhite(none), 0);
}

TEST(HotDrawing, RotatingToolsDrawCirclesOrNothing)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    cad.SetShapeTool(SpRotateSelecting);
    TBitmap circle(40, 40);
    DrawSquare(r, &circle.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(PixelAt(circle, 20, 20), HotColor());
    EXPECT_EQ(PixelAt(circle, 16, 16), clWhite); // the corner of the box stays empty
    cad.SetRotateEnable(false);
    TBitmap none(40, 40);
    DrawSquare(r, &none.Canvas(), TMyPoint(20, 20));
    EXPECT_EQ(CountNonWhite(none), 0);
}

TEST(HotDrawing, LinkMarksAndDiamonds)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    TBitmap cross(20, 20);
    DrawLinkSquare(&cross.Canvas(), TMyPoint(10, 10));
    EXPECT_EQ(PixelAt(cross, 10, 10), clBlue);
    EXPECT_EQ(PixelAt(cross, 8, 8), clBlue);
    EXPECT_EQ(PixelAt(cross, 12, 8), clBlue);
    EXPECT_EQ(PixelAt(cross, 10, 8), clWhite);

    r->AddLinkPoint(TMyPoint(10, 10));
    TBitmap marks(20, 20);
    cad.SetShowHotLink(false);
    DrawLinkHot(r, &marks.Canvas());
    EXPECT_EQ(CountNonWhite(marks), 0);
    cad.SetShowHotLink(true);
    DrawLinkHot(r, &marks.Canvas());
    EXPECT_EQ(PixelAt(marks, 10, 10), clBlue);

    TBitmap diamond(20, 20);
    SetDrawHotMode(&diamond.Canvas());
    DrawDiamond(r, &diamond.Canvas(), TMyPoint(10, 10), clRed);
    EXPECT_EQ(CountNonWhite(diamond), 0); // no caption text: no diamond
    r->SetInfo("x");
    DrawDiamond(r, &diamond.Canvas(), TMyPoint(10, 10), clRed);
    EXPECT_EQ(PixelAt(diamond, 10, 10), HotColor());
    EXPECT_EQ(PixelAt(diamond, 7, 7), clWhite);
    auto text = cad.CreateShapeByName("TMyText");
    text->SetInfo("x");
    TBitmap none(20, 20);
    DrawDiamond(text.get(), &none.Canvas(), TMyPoint(10, 10), clRed);
    EXPECT_EQ(CountNonWhite(none), 0);
}

TEST(HotDrawing, HighlightOfALinkPointIsErasedByTheNextOne)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 50, 50);
    r->AddLinkPoint(TMyPoint(10, 10));
    r->AddLinkPoint(TMyPoint(40, 40));
    TCanvas* screen = cad.Canvas();
    screen->Brush().SetColor(clWhite);
    screen->FillRect(TRect(0, 0, 100, 100));
    EXPECT_EQ(r->InWhichLinkHot(TMyPoint(12, 13)), 0);
    EXPECT_EQ(r->InWhichLinkHot(TMyPoint(11, 11)), 0); // already highlighted: nothing drawn
    EXPECT_EQ(r->InWhichLinkHot(TMyPoint(39, 44)), 1);
    EXPECT_EQ(r->InWhichLinkHot(TMyPoint(45, 40)), -1); // right edge excluded
    EXPECT_EQ(r->InWhichLinkHot(TMyPoint(80, 80)), -1);
    // Every highlight was drawn twice in a reversible mode: the screen is as before.
    EXPECT_EQ(cad.Canvas()->Pixels(10, 10), clWhite);
    EXPECT_EQ(cad.Canvas()->Pixels(5, 5), clWhite);
    EXPECT_EQ(cad.Canvas()->Pixels(40, 35), clWhite);
}

TEST(HotDrawing, EndPointAndCaptionHits)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 50, 20);
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(2, 2)), 0);
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(-4, -4)), 0);
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(4, 0)), -1);
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(1, 21)), 3); // the last point (0, 20)
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(50, 0)), -1); // a middle point never hits
    EXPECT_EQ(r->InWhichPointHot(TMyPoint(100, 100)), -1);
    r->SetCaptionPoint(TMyPoint(25, 30));
    EXPECT_TRUE(r->InTextPointHot(TPoint(21, 26)));
    EXPECT_FALSE(r->InTextPointHot(TPoint(29, 30)));
    cad.SetZoom(2);
    EXPECT_TRUE(r->InTextPointHot(TPoint(50, 60)));
}
