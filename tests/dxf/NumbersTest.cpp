// Numbers in DXF text: the general format of the export, the fixed formats of the group
// writer, the reader's conversions, and independence of the process locale.
#include "DxfTestSupport.h"
#include "component/dxf/DXFNumbers.h"

#include <QProcess>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <locale>

namespace {

std::string General(double v)
{
    char buffer[DXFNumbers::kBufferSize];
    return std::string(buffer, DXFNumbers::FormatGeneral(buffer, v));
}

std::string Fixed(double v)
{
    char buffer[DXFNumbers::kBufferSize];
    return std::string(buffer, DXFNumbers::FormatFixed6(buffer, v));
}

double Real(const char* text)
{
    double v = -1;
    DXFNumbers::ParseReal(text, v);
    return v;
}

} // namespace

TEST(DxfNumbers, GeneralFormat)
{
    EXPECT_EQ(General(0), "0");
    EXPECT_EQ(General(-0.0), "0");
    EXPECT_EQ(General(158.75), "158.75");
    EXPECT_EQ(General(378 / 3.779527559055118), "100.0125");
    EXPECT_EQ(General(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(General(-2.0 / 3), "-0.666666666666667");
    EXPECT_EQ(General(90), "90");
    EXPECT_EQ(General(123456789012345.0), "123456789012345");
    // Exponent from 15 digits before the point on, and below -5.
    EXPECT_EQ(General(1e15), "1E15");
    EXPECT_EQ(General(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(General(999999999999999.9), "1E15"); // rounds up to 16 digits
    EXPECT_EQ(General(0.00001), "0.00001");
    EXPECT_EQ(General(0.0000123), "0.0000123");
    EXPECT_EQ(General(0.000001), "1E-6");
    EXPECT_EQ(General(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(General(1e20), "1E20");
    EXPECT_EQ(General(-1e-300), "-1E-300");
    EXPECT_EQ(General(std::numeric_limits<double>::max()), "1.79769313486232E308");
    EXPECT_EQ(General(0.1 + 0.2), "0.3");
    EXPECT_EQ(General(std::nan("")), "NAN");
    EXPECT_EQ(General(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(General(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(DxfNumbers, FixedAndIntegerFormats)
{
    EXPECT_EQ(Fixed(1.5), "1.500000");
    EXPECT_EQ(Fixed(-0.0000004), "-0.000000");
    EXPECT_EQ(Fixed(123456.1234567), "123456.123457");
    char buffer[64];
    EXPECT_EQ(std::string(buffer, DXFNumbers::FormatInteger(buffer, 7, 6)), "     7");
    EXPECT_EQ(std::string(buffer, DXFNumbers::FormatInteger(buffer, -42, 3)), "-42");
    EXPECT_EQ(std::string(buffer, DXFNumbers::FormatInteger(buffer, 1234567, 6)), "1234567");
}

TEST(DxfNumbers, ReadingReals)
{
    EXPECT_EQ(Real("1.5"), 1.5);
    EXPECT_EQ(Real("  -2.25  "), -2.25);
    EXPECT_EQ(Real("\t3\t"), 3);
    EXPECT_EQ(Real("+4.5"), 4.5);
    EXPECT_EQ(Real("1e3"), 1000);
    EXPECT_EQ(Real(".5"), 0.5);
    // The comma is the decimal separator only when there is no point.
    EXPECT_EQ(Real("1,5"), 1.5);
    EXPECT_EQ(Real("1,000.5"), 0);
    // Values that are no finite number read as 0.
    for (const char* bad : {"", "  ", "abc", "12abc", "nan", "NaN", "inf", "-Infinity", "1e999", "--1", "1..2", "0x10"})
        EXPECT_EQ(Real(bad), 0) << bad;
    int32_t i = -1;
    EXPECT_TRUE(DXFNumbers::ParseInteger("   70 ", i));
    EXPECT_EQ(i, 70);
    EXPECT_FALSE(DXFNumbers::ParseInteger("1.5", i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(DXFNumbers::ParseInteger("99999999999", i));
    EXPECT_EQ(i, 0);
}

// The same bytes whatever the user's number settings: a German locale set in the process
// (when the system has one) changes nothing.
TEST(DxfNumbers, ExportIgnoresTheProcessLocale)
{
    TMyCAD cad;
    BuildEveryKind(cad);
    const QByteArray plain = ExportBytes(cad);
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE"};
    const char* set = nullptr;
    for (const char* name : names)
        if ((set = std::setlocale(LC_ALL, name)))
            break;
    if (!set)
        GTEST_SKIP() << "no German locale on this system (locale-gen de_DE.UTF-8 provides one)";
    std::locale::global(std::locale(set));
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const QByteArray german = ExportBytes(cad);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_STREQ(probe, "1,5"); // the locale was really in effect
    EXPECT_EQ(german, plain);
    EXPECT_FALSE(plain.contains("0,"));
}
