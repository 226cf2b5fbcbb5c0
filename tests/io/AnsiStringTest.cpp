// Windows-1252 conversion: the table of 0x80-0x9F, round trips of every byte, and '?'
// for characters the code page lacks.
#include "platform/AnsiString.h"

#include <gtest/gtest.h>

TEST(AnsiString, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = FromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToAnsi(text), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(UnicodeToAnsi(AnsiToUnicode(uint8_t(b))), b);
}

TEST(AnsiString, TheHighControlRangeMapsToTypographicCharacters)
{
    const struct {
        uint8_t byte;
        char16_t ch;
    } table[] = {{0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
                 {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160},
                 {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019},
                 {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
                 {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153},
                 {0x9E, 0x017E}, {0x9F, 0x0178},
                 // unassigned bytes keep their value as C1 control characters
                 {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
                 // the rest is Latin-1
                 {0x41, 0x0041}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
    for (const auto& e : table) {
        EXPECT_EQ(AnsiToUnicode(e.byte), e.ch) << int(e.byte);
        EXPECT_EQ(UnicodeToAnsi(e.ch), e.byte) << int(e.byte);
    }
}

TEST(AnsiString, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(ToAnsi(QString::fromUtf8("Grüße €5 – ok")), QByteArray("Gr\xFC\xDF" "e \x80" "5 \x96 ok"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("Ā日本")), QByteArray("???"));
    // A character outside the BMP is one '?', not two.
    EXPECT_EQ(ToAnsi(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    // A lone surrogate is one '?'.
    EXPECT_EQ(ToAnsi(QString(QChar(0xD800)) + QLatin1Char('x')), QByteArray("?x"));
    EXPECT_EQ(UnicodeToAnsi(0x0100), -1);
    EXPECT_EQ(UnicodeToAnsi(0x0080), -1); // U+0080 has no byte: 0x80 is the euro sign
    EXPECT_TRUE(ToAnsi(QString()).isEmpty());
    EXPECT_TRUE(FromAnsi(QByteArray()).isEmpty());
    EXPECT_EQ(FromAnsi("ab\0c", 4), QStringLiteral("ab") + QChar(0) + QLatin1Char('c'));
}
