// The texts of values: colour, cursor, charset and shortcut names, integers with their
// hexadecimal forms, and floats that read back to the same value.
#include "inspector/PropTexts.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace PropTexts;

TEST(PropTexts, ColoursByNameAndByNumber)
{
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clWindow), "clWindow");
    EXPECT_EQ(ColorToString(clCream), "clCream");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(TColor(0xFF000019u)), "$FF000019"); // an unnamed system colour
    EXPECT_EQ(StringToColor("clred"), clRed);
    EXPECT_EQ(StringToColor(" CLBTNFACE "), clBtnFace);
    EXPECT_EQ(StringToColor("$00123456"), 0x00123456);
    EXPECT_EQ(StringToColor("0xFF"), 0xFF);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_EQ(StringToColor("$FF000005"), clWindow);
    EXPECT_EQ(StringToColor("-1"), -1);
    EXPECT_FALSE(StringToColor("clRedd"));
    EXPECT_FALSE(StringToColor("$100000000"));
    EXPECT_FALSE(StringToColor(""));
    const QStringList names = ColorValueNames();
    ASSERT_GE(names.size(), 16 + 25);
    EXPECT_EQ(names.mid(0, 16), (QStringList{"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal",
                                              "clGray", "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia",
                                              "clAqua", "clWhite"}));
    EXPECT_EQ(names[16], "clScrollBar");
    EXPECT_EQ(names[21], "clWindow");
    EXPECT_EQ(names.last(), "clMenuBar");
    EXPECT_FALSE(names.contains("clCream"));
}

TEST(PropTexts, CursorsCharsetsAndShortcuts)
{
    EXPECT_EQ(CursorToString(0), "crDefault");
    EXPECT_EQ(CursorToString(-21), "crHandPoint");
    EXPECT_EQ(CursorToString(-5), "-5");
    EXPECT_EQ(StringToCursor("crhourglass"), -11);
    const QStringList cursors = CursorValueNames();
    EXPECT_EQ(cursors.first(), "crDefault");
    EXPECT_EQ(cursors.last(), "crSizeAll");
    EXPECT_EQ(CharsetToString(1), "DEFAULT_CHARSET");
    EXPECT_EQ(CharsetToString(238), "EASTEUROPE_CHARSET");
    EXPECT_EQ(StringToCharset("oem_charset"), 255);
    EXPECT_EQ(CharsetValueNames().size(), 19);
    EXPECT_EQ(ShortCutToText(0), "(None)");
    EXPECT_EQ(ShortCutToText(0x4000 | 'A'), "Ctrl+A");
    EXPECT_EQ(ShortCutToText(0x2000 | 0x4000 | 0x70), "Shift+Ctrl+F1");
    EXPECT_EQ(ShortCutToText(0x8000 | 0x08), "Alt+BkSp");
    EXPECT_EQ(TextToShortCut("shift+ctrl+f12"), 0x2000 | 0x4000 | 0x7B);
    EXPECT_EQ(TextToShortCut("(None)"), 0);
    EXPECT_FALSE(TextToShortCut("Ctrl+"));
    EXPECT_FALSE(TextToShortCut("Hyper+A"));
    const QStringList shortcuts = ShortCutValueNames();
    EXPECT_EQ(shortcuts.size(), 1 + 26 + 48 + 6 + 2);
    EXPECT_EQ(shortcuts[1], "Ctrl+A");
    EXPECT_EQ(shortcuts[27], "F1");
    EXPECT_EQ(shortcuts[75], "Ins");
    EXPECT_EQ(shortcuts.last(), "Shift+Alt+BkSp");
    for (const QString& s : shortcuts)
        EXPECT_EQ(ShortCutToText(*TextToShortCut(s)), s);
}

TEST(PropTexts, IntegersDecimalAndHexadecimal)
{
    EXPECT_EQ(TextToInteger(" 42 ")->Value, 42);
    EXPECT_EQ(TextToInteger("-7")->Value, -7);
    EXPECT_EQ(TextToInteger("+7")->Value, 7);
    EXPECT_TRUE(TextToInteger("$ff")->Hex);
    EXPECT_EQ(TextToInteger("$ff")->Bits, 255u);
    EXPECT_EQ(TextToInteger("0x10")->Bits, 16u);
    EXPECT_FALSE(TextToInteger("12a"));
    EXPECT_FALSE(TextToInteger("1.5"));
    EXPECT_FALSE(TextToInteger("$"));
    EXPECT_FALSE(TextToInteger("--1"));
    EXPECT_FALSE(TextToInteger("99999999999999999999"));
    EXPECT_FALSE(TextToInteger(""));
}

TEST(PropTexts, FloatsAreShortestAndReadBack)
{
    EXPECT_EQ(FloatToText(0.1, false), "0.1");
    EXPECT_EQ(FloatToText(0.1f, true), "0.1"); // the float, not its double widening
    EXPECT_EQ(FloatToText(1.0, false), "1");
    EXPECT_EQ(FloatToText(100000, false), "100000");
    EXPECT_EQ(FloatToText(-2.5, false), "-2.5");
    EXPECT_EQ(FloatToText(1e20, false), "1E20");
    EXPECT_EQ(FloatToText(1.5e-7, false), "1.5E-7");
    EXPECT_EQ(FloatToText(0.00001, false), "0.00001");
    EXPECT_EQ(FloatToText(0.0, false), "0");
    EXPECT_EQ(FloatToText(1.0 / 3, false), "0.3333333333333333");
    EXPECT_EQ(TextToFloat("1E20"), 1e20);
    EXPECT_EQ(TextToFloat(" -0.5 "), -0.5);
    EXPECT_EQ(TextToFloat("+2"), 2.0);
    EXPECT_EQ(TextToFloat(".25"), 0.25);
    EXPECT_FALSE(TextToFloat("1,5"));   // the C locale's decimal point only
    EXPECT_FALSE(TextToFloat("inf"));
    EXPECT_FALSE(TextToFloat("nan"));
    EXPECT_FALSE(TextToFloat("1e999"));
    EXPECT_FALSE(TextToFloat("2x"));
    QRandomGenerator gen(7);
    for (int i = 0; i < 2000; ++i) {
        const double d = std::ldexp(gen.generateDouble() - 0.5, int(gen.bounded(-60, 60)));
        EXPECT_EQ(*TextToFloat(FloatToText(d, false)), d);
        const float f = float(d);
        EXPECT_EQ(float(*TextToFloat(FloatToText(f, true))), f);
    }
}
