// The ruler's scale: the advance and label step for each unit and scale, the ticks and
// labels (values, texts, positions), offsets, reversed direction, Pos2Unit and the
// unit change that converts the offset.
#include "controls/ruler/RsRuler.h"
#include "platform/Screen.h"

#include <QMetaProperty>
#include <gtest/gtest.h>

namespace {

std::vector<QString> LabelTexts(const TRsRuler& r, size_t count)
{
    std::vector<QString> texts;
    for (const TRulerLabel& l : r.Labels())
        if (texts.size() < count)
            texts.push_back(l.Text);
    return texts;
}

std::vector<int> LabelPositions(const TRsRuler& r, size_t count)
{
    std::vector<int> pos;
    for (const TRulerLabel& l : r.Labels())
        if (pos.size() < count)
            pos.push_back(l.Pos);
    return pos;
}

TRsRuler* MakeRuler(TRulerUnit unit, int scale, int width = 400)
{
    auto* r = new TRsRuler;
    r->resize(width, 33);
    r->SetUnit(unit);
    r->SetScale(scale);
    r->CalcAdvance();
    return r;
}

} // namespace

TEST(RulerDefaults, SizesPropertiesAndMetaProperties)
{
    TRsRuler r;
    EXPECT_EQ(r.size(), QSize(200, 33));
    EXPECT_EQ(r.Units(), ruCenti);
    EXPECT_EQ(r.Direction(), rdTop);
    EXPECT_EQ(r.ScaleDir(), rsdNormal);
    EXPECT_EQ(r.Scale(), 100);
    EXPECT_EQ(r.Offset(), 0.0);
    EXPECT_FALSE(r.HairLine());
    EXPECT_EQ(r.HairLinePos(), -1);
    EXPECT_EQ(r.HairLineStyle(), hlsLine);
    EXPECT_TRUE(r.ShowMinus());
    EXPECT_EQ(r.MyLongTick(), 5);
    EXPECT_EQ(r.MyShortTick(), 1);
    EXPECT_FALSE(r.Flat());
    EXPECT_EQ(r.ScaleColor(), clWindow);
    EXPECT_EQ(r.TickColor(), clWindowText);
    EXPECT_EQ(r.VersionInfo(), QStringLiteral("rule component "));
    EXPECT_EQ(r.Multiplier(), 1.0);
    for (const char* name : {"Units", "Flat", "ScaleColor", "TickColor", "VersionInfo", "Font", "Color", "Direction",
                             "ScaleDir", "Scale", "Offset", "HairLine", "HairLinePos", "HairLineStyle", "ShowMinus",
                             "MyLongTick", "MyShortTick"})
        EXPECT_GE(r.metaObject()->indexOfProperty(name), 0) << name;
    // Enumerations are registered: they read and write by name through the meta-object.
    const QMetaProperty units = r.metaObject()->property(r.metaObject()->indexOfProperty("Units"));
    EXPECT_TRUE(units.isEnumType());
    EXPECT_STREQ(units.enumerator().valueToKey(int(ruInch)), "ruInch");
    EXPECT_TRUE(r.setProperty("Scale", 250));
    EXPECT_EQ(r.Scale(), 250);
}

TEST(RulerScale, MultiplierTableAndScalesOutsideIt)
{
    TRsRuler r;
    const std::pair<int, double> table[] = {
        {1, 100}, {2, 50}, {3, 25}, {5, 25}, {6, 20}, {8, 20}, {9, 10}, {12, 10}, {13, 5}, {25, 5}, {26, 4}, {35, 4},
        {36, 2}, {50, 2}, {51, 1}, {125, 1}, {126, 0.5}, {300, 0.5}, {301, 0.25}, {400, 0.25}, {401, 0.2}, {500, 0.2},
        {501, 0.1}, {1000, 0.1}};
    for (const auto& [scale, multiplier] : table) {
        r.SetScale(scale);
        r.CalcAdvance();
        EXPECT_EQ(r.Multiplier(), multiplier) << scale;
    }
    r.SetScale(3);
    r.CalcAdvance();
    r.SetScale(2000); // above 1000 the step stays
    r.CalcAdvance();
    EXPECT_EQ(r.Multiplier(), 25.0);
    r.SetScale(0);
    r.SetScale(-5);
    EXPECT_EQ(r.Scale(), 2000);
}

TEST(RulerScale, AdvanceByUnit)
{
    const double ppi = ScreenPixelsPerInch();
    std::unique_ptr<TRsRuler> cm(MakeRuler(ruCenti, 100));
    EXPECT_DOUBLE_EQ(cm->Advance(), ppi / 10 / 2.54);
    std::unique_ptr<TRsRuler> in(MakeRuler(ruInch, 100));
    EXPECT_DOUBLE_EQ(in->Advance(), ppi / 10);
    std::unique_ptr<TRsRuler> px(MakeRuler(ruPixel, 100));
    EXPECT_DOUBLE_EQ(px->Advance(), 5.0);
    std::unique_ptr<TRsRuler> px200(MakeRuler(ruPixel, 200));
    EXPECT_DOUBLE_EQ(px200->Advance(), 10 * 0.5);
    std::unique_ptr<TRsRuler> mm50(MakeRuler(ruMilli, 50));
    EXPECT_DOUBLE_EQ(mm50->Advance(), ppi / 10 * 0.5 / 2.54 * 2);
}

TEST(RulerScale, TicksShortAndLong)
{
    std::unique_ptr<TRsRuler> r(MakeRuler(ruCenti, 100, 100));
    const std::vector<TRulerTick> ticks = r->Ticks();
    // Every 2 mm (7.56 px), a long one every 5 ticks.
    ASSERT_EQ(ticks.size(), 14u);
    EXPECT_EQ(ticks[0], (TRulerTick{0, 8}));
    EXPECT_EQ(ticks[1], (TRulerTick{8, 6}));
    EXPECT_EQ(ticks[2], (TRulerTick{15, 6}));
    EXPECT_EQ(ticks[5], (TRulerTick{38, 8}));
    EXPECT_EQ(ticks[10], (TRulerTick{76, 8}));
    r->setMyShortTick(2);
    r->setMyLongTick(3);
    const std::vector<TRulerTick> sparse = r->Ticks();
    EXPECT_EQ(sparse[1], (TRulerTick{15, 6})); // k = 1 has no tick now
    EXPECT_EQ(sparse[2], (TRulerTick{23, 8})); // k = 3
    // Spacings below 1 are ignored (every tick number is divided by them).
    r->setMyLongTick(0);
    r->setMyShortTick(-1);
    EXPECT_EQ(r->MyLongTick(), 3);
    EXPECT_EQ(r->MyShortTick(), 2);
}

TEST(RulerScale, LabelsForEachUnitAtScales50_100_200)
{
    struct Case {
        TRulerUnit unit;
        int scale;
        std::vector<QString> texts;
        std::vector<int> pos;
    };
    const Case cases[] = {
        {ruCenti, 100, {"1", "2", "3"}, {38, 76, 113}},
        {ruCenti, 50, {"2", "4", "6"}, {38, 76, 113}},
        {ruCenti, 200, {"0.5", "1", "1.5"}, {38, 76, 113}},
        {ruMilli, 100, {"10", "20", "30"}, {38, 76, 113}},
        {ruMilli, 50, {"20", "40", "60"}, {38, 76, 113}},
        {ruMilli, 200, {"5", "10", "15"}, {38, 76, 113}},
        {ruMeter, 100, {"0.01", "0.02", "0.03"}, {38, 76, 113}},
        {ruMeter, 200, {"0.01", "0.01", "0.02"}, {38, 76, 113}}, // 0.005 -> "0.01", 0.015 -> "0.02"
        {ruKilo, 100, {"0", "0", "0"}, {38, 76, 113}},
        {ruInch, 100, {"1", "2", "3"}, {96, 192, 288}},
        {ruInch, 50, {"2", "4", "6"}, {96, 192, 288}},
        {ruInch, 200, {"0.5", "1", "1.5"}, {96, 192, 288}},
        {ruPixel, 100, {"50", "100", "150"}, {50, 100, 150}},
        {ruPixel, 50, {"100", "200", "300"}, {50, 100, 150}},
        {ruPixel, 200, {"25", "50", "75"}, {50, 100, 150}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TRsRuler> r(MakeRuler(c.unit, c.scale));
        EXPECT_EQ(LabelTexts(*r, 3), c.texts) << int(c.unit) << " " << c.scale;
        EXPECT_EQ(LabelPositions(*r, 3), c.pos) << int(c.unit) << " " << c.scale;
    }
}

TEST(RulerScale, OffsetsNegativeOffsetsAndShowMinus)
{
    std::unique_ptr<TRsRuler> r(MakeRuler(ruCenti, 100));
    r->SetOffset(1.5);
    EXPECT_EQ(LabelTexts(*r, 3), (std::vector<QString>{"2.5", "3.5", "4.5"}));
    r->SetOffset(-2);
    EXPECT_EQ(LabelTexts(*r, 4), (std::vector<QString>{"-1", "0", "1", "2"}));
    r->SetShowMinus(false);
    r->SetOffset(-3.25);
    EXPECT_EQ(LabelTexts(*r, 4), (std::vector<QString>{"2.25", "1.25", "0.25", "0.75"}));
    std::unique_ptr<TRsRuler> px(MakeRuler(ruPixel, 100));
    px->SetOffset(-12.4); // pixel labels are whole numbers
    EXPECT_EQ(LabelTexts(*px, 2), (std::vector<QString>{"38", "88"}));
    std::unique_ptr<TRsRuler> in(MakeRuler(ruInch, 100));
    in->SetOffset(0.123); // inch labels keep two decimals
    EXPECT_EQ(LabelTexts(*in, 2), (std::vector<QString>{"1.12", "2.12"}));
}

TEST(RulerScale, ReversedDirectionStartsAtTheFarEnd)
{
    std::unique_ptr<TRsRuler> r(MakeRuler(ruPixel, 100, 200));
    r->SetScaleDir(rsdReverse);
    const std::vector<TRulerTick> ticks = r->Ticks();
    EXPECT_EQ(ticks.front(), (TRulerTick{200, 8}));
    EXPECT_EQ(ticks[1], (TRulerTick{190, 6}));
    EXPECT_EQ(LabelPositions(*r, 2), (std::vector<int>{150, 100}));
    EXPECT_EQ(LabelTexts(*r, 2), (std::vector<QString>{"50", "100"}));
    EXPECT_EQ(r->Pos2Unit(150), 50.0);
}

TEST(RulerScale, LabelTextsHaveAtMostTwoDecimals)
{
    EXPECT_EQ(TRsRuler::FormatLabel(1.0), "1");
    EXPECT_EQ(TRsRuler::FormatLabel(0.5), "0.5");
    EXPECT_EQ(TRsRuler::FormatLabel(0.125), "0.13");
    EXPECT_EQ(TRsRuler::FormatLabel(0.005), "0.01");
    EXPECT_EQ(TRsRuler::FormatLabel(0.0049), "0");
    EXPECT_EQ(TRsRuler::FormatLabel(2.999), "3");
    EXPECT_EQ(TRsRuler::FormatLabel(99.995), "100");
    EXPECT_EQ(TRsRuler::FormatLabel(123456.789), "123456.79");
    EXPECT_EQ(TRsRuler::FormatLabel(-1.25), "-1.25");
    EXPECT_EQ(TRsRuler::FormatLabel(-0.001), "0");
    EXPECT_EQ(TRsRuler::FormatLabel(1e-5), "0");
    EXPECT_EQ(TRsRuler::FormatLabel(0.0), "0");
}

TEST(RulerUnits, Pos2UnitForEachUnit)
{
    std::unique_ptr<TRsRuler> r(MakeRuler(ruInch, 100));
    EXPECT_DOUBLE_EQ(r->Pos2Unit(96), 1.0);
    r->SetUnit(ruCenti);
    EXPECT_DOUBLE_EQ(r->Pos2Unit(96), 2.54);
    r->SetUnit(ruMilli);
    EXPECT_DOUBLE_EQ(r->Pos2Unit(96), 25.4);
    r->SetUnit(ruMeter);
    EXPECT_DOUBLE_EQ(r->Pos2Unit(96), 0.0254);
    r->SetUnit(ruKilo);
    EXPECT_DOUBLE_EQ(r->Pos2Unit(96), 0.0000254);
    r->SetUnit(ruPixel);
    r->SetScale(200);
    EXPECT_EQ(r->Pos2Unit(101), 50.0); // round(50.5) is 50, half to even
    r->SetOffset(10.4);
    EXPECT_EQ(r->Pos2Unit(100), 60.0);
}

TEST(RulerUnits, UnitChangeConvertsTheOffset)
{
    TRsRuler r;
    r.SetUnit(ruMilli);
    r.SetOffset(25.4);
    r.SetUnit(ruCenti);
    EXPECT_NEAR(r.Offset(), 2.54, 1e-12);
    r.SetUnit(ruInch);
    EXPECT_NEAR(r.Offset(), 1.0, 1e-12);
    r.SetUnit(ruPixel);
    EXPECT_NEAR(r.Offset(), ScreenPixelsPerInch(), 1e-9);
    r.SetUnit(ruMeter);
    EXPECT_NEAR(r.Offset(), 0.0254, 1e-12);
    r.SetUnit(ruKilo);
    EXPECT_NEAR(r.Offset(), 0.0000254, 1e-15);
    EXPECT_EQ(r.Units(), ruKilo);
}

TEST(RulerUnits, DirectionSwapsTheSizeUnlessLoading)
{
    TRsRuler r;
    r.SetDirection(rdLeft);
    EXPECT_EQ(r.size(), QSize(33, 200));
    r.SetDirection(rdRight); // vertical to vertical: no swap
    EXPECT_EQ(r.size(), QSize(33, 200));
    r.SetLoading(true);
    r.SetDirection(rdTop);
    EXPECT_EQ(r.size(), QSize(33, 200));
    r.SetLoading(false);
    r.SetDirection(rdBottom); // horizontal to horizontal
    EXPECT_EQ(r.size(), QSize(33, 200));
    r.SetDirection(rdRight);
    EXPECT_EQ(r.size(), QSize(200, 33));
}
