// Text output: reference point, escapement, height, extent, background and alignment,
// probed by where the ink lands.
#include "CanvasTestUtil.h"
#include "platform/PreparedText.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <climits>

namespace {

TRect DrawText(QImage& image, int x, int y, const QString& text, const std::function<void(TCanvas&)>& setup)
{
    {
        TCanvas canvas(&image);
        canvas.SetBkMode(TRANSPARENT);
        setup(canvas);
        canvas.TextOut(x, y, text);
    }
    return InkBounds(image);
}

} // namespace

TEST(CanvasText, TopLeftReferencePointAndExtent)
{
    QImage image = WhiteImage(200, 60);
    TSize extent;
    const TRect ink = DrawText(image, 20, 10, "Hello", [&](TCanvas& c) {
        c.Font().SetHeight(-20);
        extent = c.TextExtent("Hello");
    });
    // DejaVu Sans at a 20-pixel em: ascent 19, descent 5.
    EXPECT_EQ(extent.cy, 24);
    EXPECT_GT(extent.cx, 40);
    EXPECT_LT(extent.cx, 60);
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + extent.cx + 1);
    // The capital H spans the cap height (0.73 em) and sits on the base line, 19 below the top.
    EXPECT_EQ(ink.Bottom, 10 + 19);
    EXPECT_NEAR(ink.Bottom - ink.Top, 15, 1);
}

TEST(CanvasText, FontHeightMinus20GivesA20PixelEm)
{
    QImage image = WhiteImage(100, 60);
    const TRect ink = DrawText(image, 5, 5, "H", [](TCanvas& c) { c.Font().SetHeight(-20); });
    EXPECT_NEAR(ink.Height(), 0.729 * 20, 1.0); // cap height of DejaVu Sans
    QImage large = WhiteImage(100, 100);
    const TRect inkLarge = DrawText(large, 5, 5, "H", [](TCanvas& c) { c.Font().SetHeight(-60); });
    EXPECT_NEAR(inkLarge.Height(), 0.729 * 60, 1.0);
    // A positive height is the cell height: ascent + descent.
    TCanvas canvas;
    canvas.Font().SetHeight(48);
    EXPECT_NEAR(canvas.TextHeight("Hg"), 48, 1);
    // Size 15 at 96 pixels per inch is height -20.
    canvas.Font().SetSize(15);
    EXPECT_EQ(canvas.Font().Height(), -20);
    EXPECT_EQ(canvas.TextHeight("x"), 24);
}

TEST(CanvasText, Escapement900RunsUpwardAndMinus900Downward)
{
    const QString text = "Upward";
    TCanvas measure;
    measure.Font().SetHeight(-20);
    const TSize extent = measure.TextExtent(text);
    {
        QImage image = WhiteImage(120, 200);
        const TRect ink = DrawText(image, 50, 150, text, [](TCanvas& c) {
            c.Font().SetHeight(-20);
            c.Font().SetEscapement(900);
        });
        // Turned a quarter counter-clockwise about the top-left corner: the text climbs from
        // y = 150 and its glyphs stand to the right of x = 50.
        EXPECT_LE(ink.Bottom, 151);
        EXPECT_NEAR(ink.Top, 150 - extent.cx, 3);
        EXPECT_GE(ink.Left, 50);
        EXPECT_LE(ink.Right, 50 + extent.cy + 1);
        EXPECT_GT(ink.Height(), ink.Width());
    }
    {
        QImage image = WhiteImage(120, 200);
        const TRect ink = DrawText(image, 50, 20, text, [](TCanvas& c) {
            c.Font().SetHeight(-20);
            c.Font().SetEscapement(-900);
        });
        // A quarter clockwise: downward from y = 20, glyphs to the left of x = 50.
        EXPECT_GE(ink.Top, 19);
        EXPECT_NEAR(ink.Bottom, 20 + extent.cx, 3);
        EXPECT_LE(ink.Right, 51);
        EXPECT_GE(ink.Left, 50 - extent.cy - 1);
        EXPECT_GT(ink.Height(), ink.Width());
    }
}

TEST(CanvasText, EscapementComesFromTheLogFontAndTheExtentIgnoresIt)
{
    TCanvas canvas;
    canvas.Font().SetHeight(-16);
    const TSize flat = canvas.TextExtent("Rotate me");
    TLogFont lf = canvas.Font().GetLogFont();
    lf.lfEscapement = 450;
    lf.lfOrientation = 450;
    lf.lfWeight = FW_BOLD;
    canvas.Font().SetLogFont(lf);
    EXPECT_EQ(canvas.Font().Escapement(), 450);
    EXPECT_TRUE(canvas.Font().Style().testFlag(fsBold));
    const TSize turned = canvas.TextExtent("Rotate me");
    EXPECT_EQ(turned.cy, flat.cy);
    EXPECT_GT(turned.cx, flat.cx) << "bold is wider, the angle changes nothing";
}

TEST(CanvasText, OpaqueBackgroundFillsTheTextBox)
{
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    TSize extent;
    {
        TCanvas canvas(&image);
        canvas.Font().SetHeight(-16);
        canvas.Font().SetColor(clRed);
        canvas.Brush().SetColor(clYellow); // a solid brush: opaque background in its colour
        EXPECT_EQ(canvas.GetBkMode(), OPAQUE);
        extent = canvas.TextExtent("Box");
        canvas.TextOut(10, 5, "Box");
    }
    EXPECT_EQ(PixelAt(image, 10, 5), clYellow);
    EXPECT_EQ(PixelAt(image, 10 + extent.cx - 1, 5 + extent.cy - 1), clYellow);
    EXPECT_EQ(PixelAt(image, 10 + extent.cx, 5), clBlack);
    EXPECT_EQ(PixelAt(image, 9, 5), clBlack);
    EXPECT_FALSE(PixelsWhere(image, [](TColor c) { return c == clRed; }).empty());
}

TEST(CanvasText, TransparentBackgroundAndAliasedGlyphs)
{
    QImage image = WhiteImage(120, 40);
    DrawText(image, 10, 5, "Text", [](TCanvas& c) {
        c.Font().SetHeight(-18);
        c.Font().SetColor(clBlue);
    });
    // Without an antialiased quality every pixel is either the text colour or untouched.
    const auto other = PixelsWhere(image, [](TColor c) { return c != clWhite && c != clBlue; });
    EXPECT_TRUE(other.empty());
    EXPECT_FALSE(PixelsWhere(image, [](TColor c) { return c == clBlue; }).empty());

    QImage smooth = WhiteImage(120, 40);
    DrawText(smooth, 10, 5, "Text", [](TCanvas& c) {
        c.Font().SetHeight(-18);
        c.Font().SetColor(clBlue);
        c.Font().SetQuality(fqAntialiased);
    });
    EXPECT_FALSE(PixelsWhere(smooth, [](TColor c) { return c != clWhite && c != clBlue; }).empty());
}

TEST(CanvasText, AlignmentMovesTheReferencePoint)
{
    TCanvas measure;
    measure.Font().SetHeight(-20);
    const int width = measure.TextWidth("Ref");
    QImage left = WhiteImage(200, 80);
    const TRect a = DrawText(left, 100, 40, "Ref", [](TCanvas& c) { c.Font().SetHeight(-20); });
    QImage right = WhiteImage(200, 80);
    const TRect b = DrawText(right, 100, 40, "Ref", [](TCanvas& c) {
        c.Font().SetHeight(-20);
        c.SetTextAlign(TA_RIGHT | TA_BASELINE);
    });
    EXPECT_EQ(b.Left, a.Left - width);
    EXPECT_EQ(b.Bottom, 40) << "R and f sit on the base line";
    EXPECT_EQ(a.Bottom, 40 + 19);
    QImage centred = WhiteImage(200, 80);
    const TRect c = DrawText(centred, 100, 40, "Ref", [](TCanvas& c) {
        c.Font().SetHeight(-20);
        c.SetTextAlign(TA_CENTER | TA_TOP);
    });
    EXPECT_EQ(c.Left, a.Left - width / 2);
    EXPECT_EQ(c.Top, a.Top);
}

TEST(CanvasText, CharacterExtraWidensEveryCharacter)
{
    TCanvas canvas;
    canvas.Font().SetHeight(-20);
    const int plain = canvas.TextWidth("abcd");
    EXPECT_EQ(canvas.SetTextCharacterExtra(3), 0);
    EXPECT_EQ(canvas.TextWidth("abcd"), plain + 4 * 3);
    EXPECT_EQ(canvas.SetTextCharacterExtra(0), 3);
    EXPECT_EQ(canvas.TextWidth(""), 0);
}

TEST(CanvasText, TextRectClipsToItsRectangle)
{
    QImage image = WhiteImage(120, 40);
    {
        TCanvas canvas(&image);
        canvas.SetBkMode(TRANSPARENT);
        canvas.Font().SetHeight(-24);
        canvas.TextRect(TRect(10, 0, 30, 40), 5, 5, "WWWW");
        canvas.MoveTo(0, 39);
        canvas.LineTo(120, 39); // the clip of TextRect does not outlive it
    }
    const TRect ink = InkBounds(image);
    EXPECT_GE(ink.Left, 0);
    EXPECT_EQ(PixelAt(image, 119 - 1, 39), clBlack);
    for (int y = 0; y < 39; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(PixelAt(image, x, y), clWhite);
        for (int x = 30; x < 120; ++x)
            ASSERT_EQ(PixelAt(image, x, y), clWhite);
    }
}

// Drawing the glyphs a TPreparedText keeps gives the pixels of shaping the text anew, in
// every frame the canvas draws text in.
TEST(CanvasText, PreparedGlyphsDrawTheSamePixels)
{
    struct TCase {
        const char* Name;
        QString Text;
        std::function<void(TCanvas&)> Setup;
        double PainterScale = 1;
    };
    const std::vector<TCase> cases = {
        {"plain", "Lorem ipsum, dolor sit amet", [](TCanvas&) {}},
        {"turned 30 degrees", "Turned text, 30 degrees", [](TCanvas& c) { c.Font().SetEscapement(300); }},
        {"upward", "Upward", [](TCanvas& c) { c.Font().SetEscapement(900); }},
        {"centred, spaced", "Centred AV To", [](TCanvas& c) {
             c.SetTextAlign(TA_CENTER);
             c.SetTextCharacterExtra(3);
         }},
        {"aliased", "Aliased glyphs", [](TCanvas& c) { c.Font().SetQuality(fqNonAntialiased); }},
        {"mapping mode", "Metric", [](TCanvas& c) { c.SetMapMode(MM_LOMETRIC); }},
        {"other scripts", QString::fromUtf8("Ab \xce\xa9\xce\xbb \xd0\x96\xd1\x8f \xe6\xbc\xa2\xe5\xad\x97"), [](TCanvas&) {}},
        {"screen at 200 %", "Sharp at twice the pixels", [](TCanvas&) {}, 2},
    };
    for (const TCase& test : cases) {
        const auto draw = [&](QImage& image, TPreparedText* prepared, int times) {
            for (int i = 0; i < times; ++i) {
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.scale(test.PainterScale, test.PainterScale);
                TCanvas canvas(&painter);
                canvas.SetBkMode(TRANSPARENT);
                canvas.Font().SetHeight(-17);
                test.Setup(canvas);
                const bool metric = canvas.GetMapMode() == MM_LOMETRIC;
                canvas.TextOut(metric ? 50 : 150, metric ? -300 : 60, test.Text, prepared);
            }
        };
        QImage fresh = WhiteImage(600, 240), kept = WhiteImage(600, 240);
        draw(fresh, nullptr, 1);
        TPreparedText prepared;
        draw(kept, &prepared, 2); // prepared at the first output, drawn from at the second
        EXPECT_FALSE(prepared.Runs().isEmpty()) << test.Name;
        EXPECT_TRUE(InkBounds(fresh).Width() > 0) << test.Name;
        EXPECT_EQ(fresh, kept) << test.Name;
    }
}

TEST(CanvasText, PreparedTextRefusesControlCharactersAndFollowsTheFont)
{
    TPreparedText prepared;
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    QImage image = WhiteImage(10, 10);
    EXPECT_FALSE(prepared.Prepare("tab\there", font, &image));
    EXPECT_FALSE(prepared.Prepare(QString(), font, &image));
    EXPECT_TRUE(prepared.Prepare("word", font, &image));
    EXPECT_TRUE(prepared.Holds("word", font, &image));
    EXPECT_FALSE(prepared.Holds("Word", font, &image));
    QFont larger = font;
    larger.setPixelSize(15);
    EXPECT_FALSE(prepared.Holds("word", larger, &image));
    // A text with a tab is still drawn, shaped anew, as without prepared glyphs.
    QImage fresh = WhiteImage(200, 40), kept = WhiteImage(200, 40);
    {
        TCanvas canvas(&fresh);
        canvas.TextOut(5, 5, "a\tb");
    }
    {
        TCanvas canvas(&kept);
        canvas.TextOut(5, 5, "a\tb", &prepared);
    }
    EXPECT_EQ(fresh, kept);
    EXPECT_FALSE(prepared.Holds("a\tb", font, &kept));
}

// Under a world transform that stretches one axis a thousandfold and squeezes the
// other, the glyphs are drawn as their outlines: the ink of a stretched capital I runs
// down the whole picture, and a squeezed one leaves at most a hairline.
TEST(CanvasText, GlyphsStretchedPastAnyPictureAreDrawnAsOutlines)
{
    QImage image = WhiteImage(60, 60);
    const TRect ink = DrawText(image, 0, 0, "I", [](TCanvas& c) {
        c.Font().SetHeight(-13);
        c.SetGraphicsMode(GM_ADVANCED);
        XFORM stretch;
        stretch.eM11 = 20;
        stretch.eM22 = 1000;
        stretch.eDx = 0;
        stretch.eDy = -3000;
        c.SetWorldTransform(stretch);
    });
    EXPECT_EQ(ink.Top, 0);
    EXPECT_EQ(ink.Bottom, 60);
    QImage squeezed = WhiteImage(60, 60);
    DrawText(squeezed, 5, 0, "I+I", [](TCanvas& c) {
        c.SetGraphicsMode(GM_ADVANCED);
        XFORM squeeze;
        squeeze.eM11 = 0.000148f;
        squeeze.eM22 = 60630;
        c.SetWorldTransform(squeeze);
    });
    // A font so large that its metrics overflow, sheared flat.
    QImage sheared = WhiteImage(60, 60);
    DrawText(sheared, 5, 0, "I+I", [](TCanvas& c) {
        c.Font().SetHeight(-32767);
        c.SetGraphicsMode(GM_ADVANCED);
        XFORM shear;
        shear.eM11 = 5.4f;
        shear.eM21 = 0.92f;
        shear.eM22 = 3.4e-9f;
        c.SetWorldTransform(shear);
    });
    // An escapement at the end of the int range turns the text like any other value.
    QImage turned = WhiteImage(60, 60);
    DrawText(turned, 30, 30, "I", [](TCanvas& c) { c.Font().SetEscapement(INT_MIN); });
}
