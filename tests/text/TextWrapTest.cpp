// Breaking lines at characters: the same pieces as trying every prefix, found with few
// measurements, and cached per line, width and font.
#include "TextTestSupport.h"

#include "component/shapes/MyTextLayout.h"
#include "support/TestSupport.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {
struct WrapSetup {
    TCanvas canvas;
    TFont font;
    QFont measure;
    explicit WrapSetup(int size = 20, double scale = 1.0)
    {
        font.SetName(TestFontFamily());
        font.SetSize(size);
        measure = GetTextMeasureFont(&canvas, &font, scale, 0);
    }
    int Width(const QString& s) { return GetTextWidthHeight(&canvas, s, &font, 1.0, 0).cx; }
    QStringList Wrap(const QString& line, int width) { return RunTexts(line, WrapTextLine(line, width, measure)); }
};
} // namespace

TEST(TextWrap, MeasuresExactlyAsGetTextWidthHeight)
{
    TCanvas canvas;
    TFont font;
    font.SetName(TestFontFamily());
    font.SetSize(13);
    for (int extra : {0, 3}) {
        canvas.SetTextCharacterExtra(extra);
        const QFont measure = GetTextMeasureFont(&canvas, &font, 1.5, 0.4);
        for (const QString& s : {QStringLiteral("Wave AV To"), QStringLiteral("ffi fl"), QStringLiteral("x"),
                                QStringLiteral("\u00e9t\u00e9 \u0416")}) {
            const TSize extent = GetTextWidthHeight(&canvas, s, &font, 1.5, 0.4);
            EXPECT_EQ(QFontMetrics(measure).horizontalAdvance(s), extent.cx) << s.toStdString() << extra;
            EXPECT_EQ(QFontMetrics(measure).height(), extent.cy);
        }
    }
}

TEST(TextWrap, SixEqualCharactersInATwoCharacterBoxMakeThreeLines)
{
    WrapSetup s;
    const int two = s.Width("00");
    EXPECT_EQ(s.Wrap("000000", two), QStringList({"00", "00", "00"}));
    // One pixel less: one character per line; one more: still two.
    EXPECT_EQ(s.Wrap("000000", two - 1).size(), 6);
    EXPECT_EQ(s.Wrap("000000", two + 1), QStringList({"00", "00", "00"}));
    // A line that fits is taken whole, with its width.
    const std::vector<TTextRun> whole = WrapTextLine("0000", 1000, s.measure);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].Width, s.Width("0000"));
}

TEST(TextWrap, ACharacterWiderThanTheBoxGetsAnEmptyLineAndALineOfItsOwn)
{
    WrapSetup s;
    const int w = s.Width("W"), i = s.Width("i");
    ASSERT_GT(w, 2 * i);
    // Alone, in the middle, twice in a row, at the end.
    EXPECT_EQ(s.Wrap("W", w - 1), QStringList({"", "W"}));
    EXPECT_EQ(s.Wrap("iiWii", w - 1), QStringList({"ii", "", "W", "ii"}));
    EXPECT_EQ(s.Wrap("WW", w - 1), QStringList({"", "W", "", "W"}));
    EXPECT_EQ(s.Wrap("iW", w - 1), QStringList({"i", "", "W"}));
    // A zero-width box: every character behind an empty line.
    EXPECT_EQ(s.Wrap("ab", 0), QStringList({"", "a", "", "b"}));
    // Empty lines stay single empty lines.
    EXPECT_EQ(s.Wrap("", 0), QStringList({""}));
    EXPECT_EQ(s.Wrap("", 50), QStringList({""}));
}

TEST(TextWrap, WordsWiderThanTheBoxBreakAtCharactersNotAtWords)
{
    WrapSetup s;
    const QString line = "Extraordinarily long words wrap anywhere";
    const QStringList pieces = s.Wrap(line, s.Width("Extraord"));
    EXPECT_EQ(pieces.front(), "Extraord");
    EXPECT_EQ(pieces.join(QString()), line);
}

TEST(TextWrap, SameBreaksAsTryingEveryPrefix)
{
    WrapSetup s(17, 1.0);
    const QString samples[] = {
        QStringLiteral("The quick brown fox jumps over the lazy dog, 0123456789 times!"),
        QStringLiteral("WWWWiiiiWWiWiW  mmm...   ,,,,;;;; AVAVAV TTTT ffffiiii"),
        QStringLiteral("\u00c5ngstr\u00f6m \u0416\u0443\u043a \u03a9\u03bc\u03b5\u03b3\u03b1 \u2014 \u00bd\u00bc caf\u00e9"),
        QStringLiteral("a\tb\tc  trailing spaces    "),
        QStringLiteral("e\u0301e\u0301e\u0301 combining marks e\u0301"),
    };
    for (const QString& line : samples)
        for (int width : {0, 3, 9, 10, 17, 25, 40, 61, 100, 173, 400, 2000})
            EXPECT_EQ(s.Wrap(line, width), LiteralWrap(s.canvas, line, width, s.font, 1.0))
                << line.toStdString() << " in " << width;
    // A longer line of mixed widths at several zooms.
    QString mixed;
    for (int i = 0; i < 1500; ++i)
        mixed += QChar(u"iWm .lAé0"[i * 7 % 9]);
    for (double scale : {0.5, 1.0, 2.5}) {
        WrapSetup z(11, scale);
        for (int width : {31, 200})
            EXPECT_EQ(RunTexts(mixed, WrapTextLine(mixed, width, z.measure)),
                      LiteralWrap(z.canvas, mixed, width, z.font, scale))
                << scale << " " << width;
    }
}

TEST(TextWrap, SurrogatePairsAreNeverSplit)
{
    WrapSetup s;
    const QString clef = QString::fromUcs4(U"\U0001D11E\U0001D11E\U0001D11E");
    for (int width : {0, 5, 30, 60}) {
        const QStringList pieces = s.Wrap(clef, width);
        EXPECT_EQ(pieces.join(QString()), clef);
        for (const QString& piece : pieces)
            EXPECT_EQ(piece.size() % 2, 0) << width;
    }
}

TEST(TextWrap, AHundredThousandCharactersCostAFewMeasurementsPerLine)
{
    WrapSetup s(12);
    QString line;
    for (int i = 0; i < 100000; ++i)
        line += QChar(u"lorem ipsum dolor sit amet, WIDE"[i % 32]);
    int measurements = 0;
    const std::vector<TTextRun> runs = WrapTextLine(line, 200, s.measure, &measurements);
    ASSERT_GT(runs.size(), 1000u);
    EXPECT_LE(measurements, int(runs.size()) * 3 + 4);
    // Every piece fits, the next character would not, and nothing is lost.
    qsizetype next = 0;
    QFontMetrics metrics(s.measure);
    for (size_t i = 0; i < runs.size(); ++i) {
        ASSERT_EQ(runs[i].Start, next);
        next += runs[i].Length;
        const QString piece = line.mid(runs[i].Start, runs[i].Length);
        EXPECT_EQ(runs[i].Width, metrics.horizontalAdvance(piece));
        EXPECT_LE(runs[i].Width, 200);
        if (i + 1 < runs.size() && i % 97 == 0) {
            EXPECT_GT(metrics.horizontalAdvance(line.mid(runs[i].Start, runs[i].Length + 1)), 200);
        }
    }
    EXPECT_EQ(next, line.size());
}

TEST(TextWrap, TheCacheMeasuresALineOnceForItsWidthAndFont)
{
    WrapSetup s;
    TTextLayoutCache cache;
    const QString line = "cached line of text";
    const std::vector<TTextRun> first = cache.Runs(0, line, true, 60, s.measure);
    EXPECT_EQ(cache.Runs(0, line, true, 60, s.measure), first);
    EXPECT_EQ(cache.Computations(), 1);
    cache.Runs(0, line, true, 61, s.measure); // another width
    cache.Runs(0, line + "!", true, 61, s.measure); // another text
    QFont bigger = s.measure;
    bigger.setPixelSize(bigger.pixelSize() + 1);
    cache.Runs(0, line + "!", true, 61, bigger); // another font
    EXPECT_EQ(cache.Computations(), 4);
    // Unwrapped lines keep their width whatever the box's width.
    const std::vector<TTextRun> whole = cache.Runs(1, line, false, 10, s.measure);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].Width, s.Width(line));
    cache.Runs(1, line, false, 500, s.measure);
    EXPECT_EQ(cache.Computations(), 5);
}
