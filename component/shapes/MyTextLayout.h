#pragma once
// The line layout of text boxes: breaking a line at characters so that every piece fits a
// box width, and a cache of the pieces per line, width and font.
//
// The break rule: the first k characters of the rest of the line are tried for k = 1, 2, ...;
// at the first k whose width exceeds the box, the k - 1 characters before become a line and
// the rest starts again at its k-th character. A character wider than the box on its own
// thus gives an empty line and then a line of that character alone. Characters are Unicode
// code points (a surrogate pair is never split).
//
// Widths are those of QFontMetrics::horizontalAdvance of each piece on its own, the
// measure of GetTextWidthHeight. The breaks are found from estimated advances and
// confirmed by measuring the pieces around each break, falling back to a galloping search
// where the estimate is far off, so a line of n characters costs O(n) estimates and a few
// measurements per break instead of one measurement per prefix. The breaks equal those of
// trying every prefix wherever a longer prefix is never narrower than a shorter one, which
// holds for every font without contextual shaping.
#include "mycad_export.h"
#include "platform/PreparedText.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A piece of a source line as laid out: code units [Start, Start + Length) of the line and
// the piece's width in pixels.
struct TTextRun {
    qsizetype Start = 0;
    qsizetype Length = 0;
    int Width = 0;
    friend bool operator==(const TTextRun&, const TTextRun&) = default;
};

// The pieces of Line broken to Width pixels by the rule above. Measurements, when given,
// receives the number of pieces measured.
MYCAD_EXPORT std::vector<TTextRun> WrapTextLine(const QString& Line, int Width, const QFont& Font,
                                                int* Measurements = nullptr);

// The texts of the pieces.
MYCAD_EXPORT QStringList RunTexts(const QString& Line, const std::vector<TTextRun>& Runs);

// The layout of every line of a text box, kept until the line, the width or the font
// changes: painting the same text again measures nothing.
class MYCAD_EXPORT TTextLayoutCache {
public:
    // The pieces of line Index: wrapped to Width when Wrap is set, else the whole line
    // with its width.
    const std::vector<TTextRun>& Runs(qsizetype Index, const QString& Line, bool Wrap, int Width, const QFont& Font);
    // The glyphs to draw piece Run of line Index with (laid out by Runs), or null the
    // first time the piece is asked for: glyphs are kept for the pieces that are drawn
    // again, not for a text drawn once, and only for pieces of 24 characters or more.
    TPreparedText* Prepared(qsizetype Index, size_t Run);
    // Forgets the lines from Count on.
    void Truncate(qsizetype Count);
    void Clear() { FEntries.clear(); }
    // How many line layouts have been computed so far (cache misses).
    int Computations() const { return FComputations; }

private:
    struct TEntry {
        QString Line;
        bool Wrap = false;
        int Width = 0;
        QFont Font;
        bool Valid = false;
        std::vector<TTextRun> Runs;
        // By piece, made when a piece of the line is first asked for: whether it has been,
        // and its glyphs.
        struct TGlyphs {
            std::vector<bool> Asked;
            std::vector<TPreparedText> Prepared;
        };
        std::unique_ptr<TGlyphs> Glyphs;
    };
    std::vector<TEntry> FEntries;
    int FComputations = 0;
};
