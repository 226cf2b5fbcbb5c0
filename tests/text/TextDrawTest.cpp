// Text boxes on a picture: placement of each line by the alignments, wrapping, the Info
// line with its character spacing and mirroring, outlined glyphs, borders and turning.
#include "TextTestSupport.h"

#include "support/DrawingTestSupport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr int PW = 320, PH = 240;

// The box (20, 20)-(220, 140): W = 200, H = 120 at zoom 1.
struct TextBox : ::testing::Test {
    TMyCAD cad;
    std::unique_ptr<TMyText> text = MakeText(cad, 20, 20, 220, 140);
    TCanvas measure;
    TSize Extent(const QString& s) { return GetTextWidthHeight(&measure, s, text->Font(), 1.0, 0); }
    TInk Ink() { return InkOf(Drawn(*text, PW, PH)); }
};

// The column with the most ink, counted from the ink's left; the row likewise from the top.
int DensestColumn(const QImage& image, const TInk& ink)
{
    int best = 0, at = 0;
    for (int x = ink.Left; x <= ink.Right; ++x) {
        int n = 0;
        for (int y = ink.Top; y <= ink.Bottom; ++y)
            n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        if (n > best)
            best = n, at = x - ink.Left;
    }
    return at;
}
int DensestRow(const QImage& image, const TInk& ink)
{
    return DensestColumn(image.transformed(QTransform(0, 1, 1, 0, 0, 0)), TInk{ink.Top, ink.Left, ink.Bottom, ink.Right});
}
} // namespace

TEST_F(TextBox, EachAlignmentPlacesTheLineByItsExtent)
{
    text->SetLines({"Ag"});
    const TSize e = Extent("Ag");
    text->SetHAlignment(taLeftJustify);
    text->SetVAlignment(vaTop);
    const TInk topLeft = Ink();
    ASSERT_TRUE(topLeft.Any());
    EXPECT_GE(topLeft.Left, 20);
    EXPECT_LE(topLeft.Left, 22);
    auto expectShift = [&](TAlignment h, TVAlignment v, int dx, int dy) {
        text->SetHAlignment(h);
        text->SetVAlignment(v);
        const TInk ink = Ink();
        EXPECT_EQ(ink.Left - topLeft.Left, dx) << int(h) << "/" << int(v);
        EXPECT_EQ(ink.Top - topLeft.Top, dy) << int(h) << "/" << int(v);
        EXPECT_EQ(ink.Width(), topLeft.Width());
    };
    expectShift(taRightJustify, vaTop, 200 - e.cx, 0);
    expectShift(taCenter, vaTop, Round(20 + (200 - e.cx) / 2.0) - 20, 0);
    expectShift(taLeftJustify, vaMiddle, 0, Round(20 + (120 - e.cy) / 2.0) - 20);
    expectShift(taLeftJustify, vaBottom, 0, 120 - e.cy);
    expectShift(taRightJustify, vaBottom, 200 - e.cx, 120 - e.cy);
}

TEST_F(TextBox, LinesStackOneLineHeightApartAndEmptyLinesCount)
{
    const int h = Extent("A").cy;
    text->SetHAlignment(taLeftJustify);
    text->SetVAlignment(vaTop);
    text->SetLines({"A"});
    const TInk first = Ink();
    text->SetLines({"", "", "A"});
    EXPECT_EQ(Ink().Top, first.Top + 2 * h);
    // The block of three lines in the middle and at the bottom of the box.
    text->SetVAlignment(vaMiddle);
    EXPECT_EQ(Ink().Top, first.Top + Round(20 + (120 - 3.0 * h) / 2 + 2 * h) - 20);
    text->SetVAlignment(vaBottom);
    EXPECT_EQ(Ink().Top, first.Top + 120 - h);
}

TEST_F(TextBox, ThreeLinesAtTheBottomOfABoxThreeLinesHigh)
{
    const int h = Extent("X").cy;
    text = MakeText(cad, 20, 20, 220, 20 + 3 * h);
    text->SetLines({"X", "Y", "Z"});
    text->SetVAlignment(vaTop);
    const QImage top = Drawn(*text, PW, PH);
    text->SetVAlignment(vaBottom);
    const QImage bottom = Drawn(*text, PW, PH);
    // The last line's top is the box bottom minus one line height: the same as from the top.
    EXPECT_EQ(DifferingPixels(top, bottom), 0);
    text->SetLines({"", "", "Z"});
    const TInk z = InkOf(Drawn(*text, PW, PH));
    text->SetVAlignment(vaTop);
    text->SetLines({"Z"});
    EXPECT_EQ(z.Top, InkOf(Drawn(*text, PW, PH)).Top + 2 * h);
}

TEST_F(TextBox, WrappingFlowsWithTheBoxAndOffALongLineRunsBeyondIt)
{
    text = MakeText(cad, 20, 20, 80, 200);
    text->SetHAlignment(taLeftJustify);
    text->SetVAlignment(vaTop);
    text->SetLines({"wrapping text runs on and on"});
    const TInk unwrapped = Ink();
    EXPECT_GT(unwrapped.Right, 150); // beyond the box's right edge at 80
    EXPECT_LT(unwrapped.Height(), Extent("W").cy + 2);
    text->SetWordWrap(true);
    const TInk wrapped = Ink();
    EXPECT_LE(wrapped.Right, 81);
    EXPECT_GT(wrapped.Height(), 3 * Extent("W").cy);
    const QStringList lines = text->LaidOutLines(nullptr);
    EXPECT_EQ(lines.join(QString()), "wrapping text runs on and on");
    EXPECT_EQ(lines, LiteralWrap(measure, "wrapping text runs on and on", 60, *text->Font(), 1.0));
    // A wider box takes more characters per line.
    text->PointsRef()[1].X = 140;
    text->PointsRef()[2].X = 140;
    text->Drawed(TPoint(), TPoint());
    EXPECT_LT(text->LaidOutLines(nullptr).size(), lines.size());
}

TEST_F(TextBox, CharacterSpaceWidensOnlyTheInfoLine)
{
    text->SetInfo("Spaced");
    const TInk plain = Ink();
    text->SetCharacterSpace(6);
    const TInk spaced = Ink();
    EXPECT_GE(spaced.Width() - plain.Width(), 5 * 6 - 1);
    EXPECT_LE(spaced.Width() - plain.Width(), 6 * 6 + 1);
    // Still centred in the box.
    EXPECT_NEAR((spaced.Left + spaced.Right) / 2.0, 120, 4);
    EXPECT_NEAR((spaced.Top + spaced.Bottom) / 2.0, 80, 6);
    // With lines the spacing changes nothing.
    text->SetLines({"Spaced"});
    const QImage withSpace = Drawn(*text, PW, PH);
    text->SetCharacterSpace(0);
    EXPECT_EQ(DifferingPixels(withSpace, Drawn(*text, PW, PH)), 0);
}

TEST_F(TextBox, MirroredInfoIsMirroredAboutItsOwnBox)
{
    for (double zoom : {1.0, 2.0}) {
        cad.SetZoom(zoom);
        // The Info line's own box: its extent at the centred output point.
        auto mirrored = [&](const QString& info, bool horz, bool vert, TInk& plain, QImage& plainImage) {
            text->SetInfo(info);
            text->StoreFlips(false, false);
            plainImage = Drawn(*text, 2 * PW, 2 * PH);
            plain = InkOf(plainImage);
            text->StoreFlips(horz, vert);
            return Drawn(*text, 2 * PW, 2 * PH);
        };
        auto origin = [&](const QString& info, TSize& e) {
            e = GetTextWidthHeight(&measure, info, text->Font(), zoom, 0);
            return TPoint(Round(20 * zoom + (200 * zoom - e.cx) / 2), Round(20 * zoom + (120 * zoom - e.cy) / 2));
        };
        TInk plain;
        QImage plainImage;
        TSize e;
        // Flipped horizontally: top to bottom; the T's bar, the densest row, goes down.
        const QImage upsideImage = mirrored("T", true, false, plain, plainImage);
        TPoint at = origin("T", e);
        const TInk upside = InkOf(upsideImage);
        EXPECT_NEAR(upside.Left, plain.Left, 1) << zoom;
        EXPECT_NEAR(upside.Right, plain.Right, 1) << zoom;
        EXPECT_NEAR(upside.Top, 2 * at.Y + e.cy - 1 - plain.Bottom, 1) << zoom;
        EXPECT_NEAR(upside.Bottom, 2 * at.Y + e.cy - 1 - plain.Top, 1) << zoom;
        EXPECT_LT(DensestRow(plainImage, plain), plain.Height() / 3);
        EXPECT_GT(DensestRow(upsideImage, upside), upside.Height() * 2 / 3);
        // Flipped vertically: left to right; the L's stem, the densest column, goes right.
        const QImage mirrorImage = mirrored("L", false, true, plain, plainImage);
        at = origin("L", e);
        const TInk mirror = InkOf(mirrorImage);
        EXPECT_NEAR(mirror.Top, plain.Top, 1) << zoom;
        EXPECT_NEAR(mirror.Bottom, plain.Bottom, 1) << zoom;
        EXPECT_NEAR(mirror.Left, 2 * at.X + e.cx - 1 - plain.Right, 1) << zoom;
        EXPECT_NEAR(mirror.Right, 2 * at.X + e.cx - 1 - plain.Left, 1) << zoom;
        EXPECT_LT(DensestColumn(plainImage, plain), plain.Width() / 3);
        EXPECT_GT(DensestColumn(mirrorImage, mirror), mirror.Width() * 2 / 3);
    }
}

TEST_F(TextBox, OutlinedGlyphsAreHollowInThePenColourOverTheBorder)
{
    text = MakeText(cad, 20, 20, 220, 140, 90);
    text->SetLines({"I"});
    const QImage solid = Drawn(*text, PW, PH);
    const TInk ink = InkOf(solid);
    const int cx = (ink.Left + ink.Right) / 2, cy = (ink.Top + ink.Bottom) / 2;
    EXPECT_EQ(solid.pixel(cx, cy) & 0xFFFFFF, 0u);
    text->SetIsSolid(false);
    text->Pen()->SetColor(clRed);
    const QImage hollow = Drawn(*text, PW, PH);
    EXPECT_EQ(hollow.pixel(cx, cy) & 0xFFFFFF, 0xFFFFFFu); // the inside of the stem
    int red = 0, black = 0;
    for (int y = 0; y < PH; ++y)
        for (int x = 0; x < PW; ++x) {
            const QRgb p = hollow.pixel(x, y) & 0xFFFFFF;
            red += p == 0xFF0000;
            black += qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    EXPECT_GT(red, 100);
    EXPECT_EQ(black, 0);
    // With the border, the box is filled and outlined under the outlines.
    text->SetIsBorder(true);
    text->Brush()->SetStyle(bsSolid);
    text->Brush()->SetColor(clYellow);
    const QImage boxed = Drawn(*text, PW, PH);
    EXPECT_EQ(boxed.pixel(30, 30) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(boxed.pixel(cx, cy) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(boxed.pixel(20, 80) & 0xFFFFFF, 0xFF0000u); // the box outline in the pen
    EXPECT_EQ(boxed.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(TextBox, TurnedTextTurnsAboutTheCentre)
{
    text = MakeText(cad, 100, 100, 200, 140);
    text->SetLines({"Turn"});
    const TInk level = InkOf(Drawn(*text, PW, PH));
    text->RotateChangeValueByAngle(text->GetCenterPoint(), float(std::numbers::pi / 2));
    const TInk turned = InkOf(Drawn(*text, PW, PH));
    EXPECT_NEAR(turned.Width(), level.Height(), 2);
    EXPECT_NEAR(turned.Height(), level.Width(), 2);
    EXPECT_NEAR((turned.Left + turned.Right) / 2.0, (level.Left + level.Right) / 2.0 - ((level.Top + level.Bottom) / 2.0 - 120), 2);
    EXPECT_NEAR((turned.Top + turned.Bottom) / 2.0, 120 + ((level.Left + level.Right) / 2.0 - 150), 2);
}

TEST_F(TextBox, TextInATurnedGroupTurnsAboutTheGroupCentre)
{
    TMyCAD drawing;
    drawing.resize(400, 400);
    const int textId = drawing.AddShapeByCode(&drawing, SpText, {}, {TMyPoint(40, 40), TMyPoint(140, 40), TMyPoint(140, 80), TMyPoint(40, 80)}, 0, "T");
    TMyShape* rect = AddRect(drawing, 200, 200, 240, 240);
    auto* t = dynamic_cast<TMyText*>(drawing.GetShapeByID(textId));
    ASSERT_NE(t, nullptr);
    t->SetLines({"G"});
    t->Font()->SetSize(20);
    ASSERT_GE(drawing.GroupShapes({t, rect}, false), 0);
    ASSERT_TRUE(t->HasParentShape());
    TMyShape* group = drawing.GetRootParentShape(t);
    ASSERT_NE(group, nullptr);
    const TMyPoint c = group->GetCenterPoint();
    const TInk before = InkOf(Drawn(*t, 400, 400));
    drawing.RotateChangeValueforShapes(group, c, float(std::numbers::pi));
    const TInk after = InkOf(Drawn(*t, 400, 400));
    // Half a turn about the group's centre carries the text's middle to the other side.
    EXPECT_NEAR((after.Left + after.Right) / 2.0, 2 * c.X - (before.Left + before.Right) / 2.0, 2);
    EXPECT_NEAR((after.Top + after.Bottom) / 2.0, 2 * c.Y - (before.Top + before.Bottom) / 2.0, 2);
}

TEST_F(TextBox, LinesOffThePictureAreSkippedWithoutChangingAPixel)
{
    text = MakeText(cad, 10, 10, 210, 20, 14);
    text->SetVAlignment(vaTop);
    text->SetWordWrap(true);
    QString line;
    for (int i = 0; i < 4000; ++i)
        line += QChar(u"abcdefgh ijklmnop"[i % 17]);
    text->SetLines({line});
    const QImage small = Drawn(*text, 240, 120);
    const QImage tall = Drawn(*text, 240, 3000);
    EXPECT_EQ(DifferingPixels(small, tall.copy(0, 0, 240, 120)), 0);
    EXPECT_TRUE(InkOf(tall.copy(0, 2000, 240, 1000)).Any());
}

// From its second paint on a text box draws the glyphs it kept: the pixels stay those of
// the first paint, also after the lines, the zoom or the font change.
TEST_F(TextBox, PaintingAgainDrawsTheKeptGlyphsWithTheSamePixels)
{
    // Small enough for pieces of the length whose glyphs are kept.
    text = MakeText(cad, 20, 20, 220, 140, 9);
    text->SetWordWrap(true);
    text->SetLines({"A first line that wraps in the box, AV To Wa, and runs on to a third piece", "second"});
    const QImage first = Drawn(*text, PW, PH);
    EXPECT_EQ(DifferingPixels(first, Drawn(*text, PW, PH)), 0);
    EXPECT_EQ(DifferingPixels(first, Drawn(*text, PW, PH)), 0) << "drawn from the kept glyphs";
    text->SetLines({"other words now, and enough of them for a piece that is kept", "second"});
    const QImage changed = Drawn(*text, PW, PH);
    EXPECT_GT(DifferingPixels(first, changed), 0);
    EXPECT_EQ(DifferingPixels(changed, Drawn(*text, PW, PH)), 0);
    EXPECT_EQ(DifferingPixels(changed, Drawn(*text, PW, PH)), 0);
    text->Font()->SetSize(8);
    const QImage smaller = Drawn(*text, PW, PH);
    EXPECT_GT(DifferingPixels(changed, smaller), 0);
    EXPECT_EQ(DifferingPixels(smaller, Drawn(*text, PW, PH)), 0);
    // A fresh text box of the same font draws the same first picture.
    std::unique_ptr<TMyText> other = MakeText(cad, 20, 20, 220, 140, 8);
    other->SetWordWrap(true);
    other->SetLines({"other words now, and enough of them for a piece that is kept", "second"});
    EXPECT_EQ(DifferingPixels(smaller, Drawn(*other, PW, PH)), 0);
}
