// The ruler's picture: ticks, the scale band, labels upright and turned for the vertical
// directions, the raised edge, the corner, and the hair line drawn in not-xor and
// erased exactly by drawing it again.
#include "controls/ruler/RsRuler.h"
#include "controls/ruler/RsRulerCorner.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QRgb Rgb(TColor c)
{
    return ToQColor(c).rgb() & 0xFFFFFF;
}

QRgb At(const QImage& img, int x, int y)
{
    return img.pixel(x, y) & 0xFFFFFF;
}

// Pixels darker than mid-grey inside a rectangle.
int Ink(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}

QRect InkBox(const QImage& img, const QRect& r)
{
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Every pixel equal, except those in the rectangle, which are inverted.
::testing::AssertionResult InvertedOnly(const QImage& before, const QImage& after, const QRect& inverted)
{
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb b = At(before, x, y);
            const QRgb a = At(after, x, y);
            const QRgb want = inverted.contains(x, y) ? (~b & 0xFFFFFF) : b;
            if (a != want)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << a << " not " << want;
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(RulerPaint, TicksBandAndLabelsAlongTheTop)
{
    TRsRuler r;
    const QImage img = r.Picture();
    const int h = r.height();
    const int th = r.ScaleTextHeight();
    ASSERT_GT(th, 0);
    const QRgb tick = Rgb(r.TickColor());
    const QRgb face = Rgb(r.Color());
    EXPECT_EQ(At(img, 38, h - 6), tick); // long tick at 1 cm
    EXPECT_EQ(At(img, 38, h - 7), tick);
    EXPECT_EQ(At(img, 8, h - 4), tick);  // short tick at 2 mm
    EXPECT_EQ(At(img, 8, h - 6), face);  // a short tick is 6 long
    EXPECT_EQ(At(img, 4, h - 4), face);  // between ticks
    EXPECT_EQ(At(img, 20, h - 10), Rgb(r.ScaleColor())); // the band
    EXPECT_EQ(At(img, 20, h - th - 9), face);             // above the band
    // The label "1" is centred on its tick, nothing is written between labels.
    const QRect labelRow(0, h - th - 8, r.width(), th);
    const QRect one = InkBox(img, labelRow.intersected(QRect(30, 0, 16, h)));
    ASSERT_FALSE(one.isEmpty());
    EXPECT_NEAR(one.center().x(), 38, 2);
    EXPECT_EQ(Ink(img, labelRow.intersected(QRect(14, 0, 16, h))), 0);
    // The raised edge: light top-left, dark bottom-right.
    EXPECT_EQ(At(img, 0, 0), 0xE3E3E3u);
    EXPECT_EQ(At(img, r.width() - 1, 10), 0x696969u);
    r.SetFlat(true);
    EXPECT_EQ(At(r.Picture(), 0, 0), face);
}

TEST(RulerPaint, VerticalLabelsAreTurned)
{
    // "-8" reads upwards on the left ruler and downwards on the right one: the light
    // minus sign lies at the bottom of the label on the left and at its top on the right.
    for (TRulerDir dir : {rdLeft, rdRight}) {
        TRsRuler r;
        r.SetDirection(dir);
        r.SetUnit(ruMilli);
        r.SetOffset(-18);
        TFont big;
        big.SetHeight(-16);
        r.SetFont(&big);
        const QImage img = r.Picture();
        ASSERT_EQ(img.size(), QSize(33, 200));
        const QRect box = InkBox(img, QRect(0, 20, 33, 36)); // the label at 38
        ASSERT_FALSE(box.isEmpty()) << int(dir);
        EXPECT_GT(box.height(), box.width()) << int(dir);
        EXPECT_NEAR(box.center().y(), 38, 2) << int(dir);
        const int mid = box.center().y();
        const int upper = Ink(img, QRect(box.left(), box.top(), box.width(), mid - box.top()));
        const int lower = Ink(img, QRect(box.left(), mid + 1, box.width(), box.bottom() - mid));
        if (dir == rdLeft)
            EXPECT_LT(lower, upper);
        else
            EXPECT_LT(upper, lower);
    }
    TRsRuler top;
    top.SetUnit(ruMilli);
    const QRect box = InkBox(top.Picture(), QRect(25, 0, 28, 33));
    EXPECT_GT(box.width(), box.height());
}

TEST(RulerPaint, HairLineInvertsOnceAndDrawingAgainErasesIt)
{
    TRsRuler r;
    r.SetHairLine(true);
    const QImage before = r.Picture().copy();
    EXPECT_EQ(r.HairLinePos(), -1);
    r.SetHairLinePos(50);
    const QRect line50 = r.HairLineRect().toQRect();
    EXPECT_EQ(line50, QRect(49, r.height() - r.ScaleTextHeight() - 6, 1, r.ScaleTextHeight() - 2));
    EXPECT_TRUE(InvertedOnly(before, r.Picture(), line50));
    const QImage at50 = r.Picture().copy();
    r.SetHairLinePos(50); // the same position draws nothing
    EXPECT_EQ(r.Picture(), at50);
    r.SetHairLinePos(80);
    EXPECT_TRUE(InvertedOnly(before, r.Picture(), line50.translated(30, 0)));
    r.SetHairLinePos(-1);
    EXPECT_EQ(r.Picture(), before);
    // A paint pass forgets the line.
    r.SetHairLinePos(120);
    r.Invalidate();
    r.Picture();
    EXPECT_EQ(r.HairLinePos(), -1);
    EXPECT_EQ(r.Picture(), before);
}

TEST(RulerPaint, HairLineBandFromTheStartAndFromTheFarEnd)
{
    TRsRuler r;
    r.SetHairLine(true);
    r.SetHairLineStyle(hlsRect);
    const QImage before = r.Picture().copy();
    const int top = r.height() - r.ScaleTextHeight() - 6;
    const int depth = r.ScaleTextHeight() - 2;
    r.SetHairLinePos(60);
    EXPECT_TRUE(InvertedOnly(before, r.Picture(), QRect(1, top, 59, depth)));
    r.SetHairLinePos(30);
    EXPECT_TRUE(InvertedOnly(before, r.Picture(), QRect(1, top, 29, depth)));
    r.SetScaleDir(rsdReverse);
    const QImage reversed = r.Picture().copy();
    r.SetHairLinePos(150);
    EXPECT_TRUE(InvertedOnly(reversed, r.Picture(), QRect(150, top, 50, depth)));
    // Without HairLine nothing is drawn.
    r.SetHairLine(false);
    const QImage off = r.Picture().copy();
    r.SetHairLinePos(10);
    EXPECT_EQ(r.Picture(), off);
}

TEST(RulerCorner, UnitTextHintAndBands)
{
    TRsRulerCorner c;
    EXPECT_EQ(c.size(), QSize(24, 24));
    EXPECT_EQ(c.UnitText(), QStringLiteral("cm"));
    EXPECT_EQ(c.Hint(), QStringLiteral("centimeter"));
    EXPECT_EQ(c.Position(), cpLeftTop);
    const std::pair<TRulerUnit, std::pair<const char*, const char*>> units[] = {
        {ruKilo, {"km", "kilometer"}}, {ruMeter, {"m", "meter"}}, {ruCenti, {"cm", "centimeter"}},
        {ruMilli, {"mm", "millimeter"}}, {ruInch, {"in", "inch"}}, {ruPixel, {"px", "pixel"}}, {ruNone, {"", ""}}};
    for (const auto& [unit, texts] : units) {
        c.SetUnit(unit);
        EXPECT_EQ(c.Units(), unit);
        EXPECT_EQ(c.UnitText(), QLatin1String(texts.first));
        EXPECT_EQ(c.Hint(), QLatin1String(texts.second));
    }
    c.SetUnit(ruMilli);
    c.resize(40, 40);
    TRsRuler ruler; // the same font: the same text height
    ruler.Picture();
    const int d = ruler.ScaleTextHeight() + 6;
    const QImage img = c.Picture();
    // Left-top: the bands continue the rulers' bands along the bottom and the right,
    // and the abbreviation is written into them, right-aligned.
    EXPECT_EQ(At(img, 40 - d + 3, 40 - 4), Rgb(c.ScaleColor()));
    EXPECT_EQ(At(img, 10, 10), Rgb(c.Color()));
    const QRect text = InkBox(img, QRect(2, 2, 36, 36));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.top(), 40 - d - 1);
    EXPECT_LE(text.right(), 40 - 2);
    EXPECT_GE(text.right(), 40 - 2 - 3);
}
