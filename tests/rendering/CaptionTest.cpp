// The caption of a shape (Info or the lines of MultiInfo, centred on the caption point)
// and the gradient fill of a box, probed in rendered pictures.
#include "support/DrawingTestSupport.h"
#include "support/TestSupport.h"

#include <QImage>

namespace {
struct Box {
    int Left = INT_MAX, Top = INT_MAX, Right = -1, Bottom = -1;
    bool Any() const { return Right >= 0; }
};

Box InkBox(const TBitmap& bitmap)
{
    Box box;
    const QImage image = bitmap.ToQImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                box.Left = std::min(box.Left, x);
                box.Right = std::max(box.Right, x);
                box.Top = std::min(box.Top, y);
                box.Bottom = std::max(box.Bottom, y);
            }
    return box;
}

TMyShape* CaptionOnly(TMyCAD& cad)
{
    auto shape = cad.CreateShapeByName("TMyPolyBezier"); // draws its caption only, for now
    shape->Font()->SetName(TestFontFamily());
    shape->Font()->SetSize(10);
    shape->SetCaptionPoint(TMyPoint(100, 50));
    TMyShape* raw = shape.get();
    shape->SetShapeNo(cad.GetShapesCount());
    EXPECT_TRUE(cad.AddShape(shape, false, false));
    return raw;
}
} // namespace

TEST(Caption, InfoIsCentredOnTheCaptionPointAndNeverTurns)
{
    TMyCAD cad;
    TMyShape* s = CaptionOnly(cad);
    s->SetInfo("Caption");
    s->StoreAngle(1.0f);
    TBitmap bitmap(200, 100);
    s->DrawInfo(&bitmap.Canvas());
    const Box ink = InkBox(bitmap);
    ASSERT_TRUE(ink.Any());
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 50, 4);
    EXPECT_GT(ink.Right - ink.Left, 3 * (ink.Bottom - ink.Top)); // upright text
}

TEST(Caption, MultiInfoLinesStackAndInfoWins)
{
    TMyCAD cad;
    TMyShape* s = CaptionOnly(cad);
    s->SetMultiInfo({"one", "two", "three"});
    TBitmap lines(200, 100);
    s->DrawInfo(&lines.Canvas());
    const Box block = InkBox(lines);
    ASSERT_TRUE(block.Any());
    EXPECT_GT(block.Bottom - block.Top, 22); // three stacked lines of a 10-pixel font
    EXPECT_NEAR((block.Top + block.Bottom) / 2.0, 50, 5);
    s->SetInfo("x");
    TBitmap info(200, 100);
    s->DrawInfo(&info.Canvas());
    EXPECT_LT(InkBox(info).Bottom - InkBox(info).Top, 15);
    s->SetCaptionShow(false);
    TBitmap none(200, 100);
    s->DrawInfo(&none.Canvas());
    EXPECT_FALSE(InkBox(none).Any());
}

TEST(Caption, RightAlignedLinesEndTogether)
{
    TMyCAD cad;
    TMyShape* s = CaptionOnly(cad);
    s->SetMultiInfo({"a", "wide line"});
    s->SetMultiInfoAlignment(taRightJustify);
    TBitmap bitmap(200, 100);
    s->DrawInfo(&bitmap.Canvas());
    const QImage image = bitmap.ToQImage();
    auto rightmost = [&image](int top, int bottom) {
        int r = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    r = std::max(r, x);
        return r;
    };
    EXPECT_NEAR(rightmost(0, 50), rightmost(50, 100), 2);
}

TEST(GradientFill, ABoxShowsItsRampAndASolidBrushCoversIt)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 10, 10, 266, 60);
    r->Brush()->SetStyle(bsClear);
    r->SetGradientStyle(gsLinearV); // white at the left to black at the right
    TBitmap bitmap(300, 80);
    r->Draw(&bitmap.Canvas());
    const TColor left = bitmap.Canvas().Pixels(14, 35), right = bitmap.Canvas().Pixels(260, 35);
    EXPECT_GT(GetRValue(left), 230);
    EXPECT_LT(GetRValue(right), 25);
    EXPECT_EQ(bitmap.Canvas().Pixels(5, 35), clWhite); // outside the box: untouched
    r->Brush()->SetStyle(bsSolid);
    r->Brush()->SetColor(clYellow);
    TBitmap solid(300, 80);
    r->Draw(&solid.Canvas());
    EXPECT_EQ(solid.Canvas().Pixels(140, 35), clYellow);
}
