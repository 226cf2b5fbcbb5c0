// The character wrapping of text box lines and the cache of their layouts.
#include "component/shapes/MyTextLayout.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Measures pieces of one line: code point boundaries, estimated advances summed from the
// line's start, and exact widths of pieces through QFontMetrics.
class TPieceMeter {
public:
    TPieceMeter(const QString& line, const QFont& font) : FLine(line), FMetrics(font)
    {
        const QFontMetricsF estimates(font);
        const double spacing = font.letterSpacingType() == QFont::AbsoluteSpacing ? font.letterSpacing() : 0.0;
        std::array<double, 256> latin;
        latin.fill(-1);
        QHash<char32_t, double> others;
        auto advance = [&](char32_t c, qsizetype at, qsizetype units) {
            double* slot = nullptr;
            if (c < latin.size())
                slot = &latin[c];
            else if (auto it = others.find(c); it != others.end())
                return it.value();
            if (slot && *slot >= 0)
                return *slot;
            const double a =
                units == 1 ? estimates.horizontalAdvance(line[at]) : estimates.horizontalAdvance(line.mid(at, units));
            const double value = std::max(0.0, (std::isfinite(a) ? a : 0.0) + spacing);
            if (slot)
                *slot = value;
            else
                others.insert(c, value);
            return value;
        };
        const qsizetype n = line.size();
        FBounds.reserve(size_t(n) + 1);
        FSums.reserve(size_t(n) + 1);
        FBounds.push_back(0);
        FSums.push_back(0);
        const QChar* data = line.constData();
        for (qsizetype i = 0; i < n;) {
            qsizetype units = 1;
            char32_t c = data[i].unicode();
            if (data[i].isHighSurrogate() && i + 1 < n && data[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(data[i], data[i + 1]);
                units = 2;
            }
            FSums.push_back(FSums.back() + advance(c, i, units));
            i += units;
            FBounds.push_back(i);
        }
    }

    // Number of code points of the line.
    int Count() const { return int(FBounds.size()) - 1; }
    qsizetype Offset(int k) const { return FBounds[size_t(k)]; }
    // The smallest end e in (from, Count()] whose estimated piece [from, e) is wider than
    // Width, or Count() + 1 when none is.
    int EstimatedEnd(int from, int width) const
    {
        // horizontalAdvance rounds: a piece is wider than Width from Width + 0.5 on.
        const double limit = FSums[size_t(from)] + width + 0.5;
        const auto it = std::lower_bound(FSums.begin() + from + 1, FSums.end(), limit);
        return int(it - FSums.begin());
    }
    // The exact width of code points [from, to).
    int Width(int from, int to)
    {
        if (to <= from)
            return 0;
        ++FMeasurements;
        const qsizetype start = Offset(from);
        return FMetrics.horizontalAdvance(QString::fromRawData(FLine.constData() + start, Offset(to) - start));
    }
    int Measurements() const { return FMeasurements; }

private:
    const QString& FLine;
    QFontMetrics FMetrics;
    std::vector<qsizetype> FBounds;
    std::vector<double> FSums;
    int FMeasurements = 0;
};

// The break of the piece that starts at code point Start: the smallest length k in
// (Lo, Rest] whose piece is wider than the box, Rest + 1 when there is none. LoWidth is
// the width of length Lo (not wider than the box); on return it is the width of length
// k - 1, and HiWidth that of length k (when k <= Rest).
struct TBreak {
    int K = 0;
    int LoWidth = 0;
    int HiWidth = 0;
};

TBreak FindBreak(TPieceMeter& meter, int start, int rest, int lo, int loWidth, int boxWidth)
{
    int hi = rest + 1; // a sentinel: longer than the piece, counted as too wide
    int hiWidth = 0;
    auto wider = [&](int k, int& width) {
        width = meter.Width(start, start + k);
        return width > boxWidth;
    };
    auto moveLo = [&](int k, int width) {
        lo = k;
        loWidth = width;
    };
    auto moveHi = [&](int k, int width) {
        hi = k;
        hiWidth = width;
    };
    int guess = std::clamp(meter.EstimatedEnd(start, boxWidth) - start, lo + 1, rest + 1);
    // The estimate says everything fits: confirm with the whole rest.
    if (guess == rest + 1) {
        if (rest <= lo)
            return {rest + 1, loWidth, 0};
        guess = rest;
    }
    int width = 0;
    bool up;
    if (wider(guess, width)) {
        moveHi(guess, width);
        up = false;
    } else {
        moveLo(guess, width);
        up = true;
    }
    // Gallop away from the guess until the break is bracketed, then halve.
    for (int step = 1; hi - lo > 1; step *= 2) {
        const int k = up ? lo + step : hi - step;
        if (k >= hi || k <= lo)
            break;
        if (wider(k, width)) {
            moveHi(k, width);
            if (up)
                break;
        } else {
            moveLo(k, width);
            if (!up)
                break;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (wider(mid, width))
            moveHi(mid, width);
        else
            moveLo(mid, width);
    }
    return {hi, loWidth, hiWidth};
}

} // namespace

std::vector<TTextRun> WrapTextLine(const QString& Line, int Width, const QFont& Font, int* Measurements)
{
    std::vector<TTextRun> runs;
    TPieceMeter meter(Line, Font);
    const int count = meter.Count();
    auto addRun = [&](int from, int to, int width) {
        runs.push_back({meter.Offset(from), meter.Offset(to) - meter.Offset(from), width});
    };
    int start = 0;
    // After a single character wider than the box the next try is two characters long.
    bool afterWide = false;
    int wideWidth = 0;
    while (true) {
        const int rest = count - start;
        int lo = 0, loWidth = 0;
        if (afterWide) {
            if (rest < 2) {
                addRun(start, count, wideWidth);
                break;
            }
            const int two = meter.Width(start, start + 2);
            if (two > Width) {
                addRun(start, start + 1, wideWidth);
                start += 1;
                afterWide = false;
                continue;
            }
            lo = 2;
            loWidth = two;
        }
        const TBreak b = FindBreak(meter, start, rest, lo, loWidth, Width);
        if (b.K > rest) {
            addRun(start, count, b.LoWidth);
            break;
        }
        if (b.K == 1) {
            // The first character alone is too wide: an empty line, and the character stays.
            addRun(start, start, 0);
            afterWide = true;
            wideWidth = b.HiWidth;
            continue;
        }
        addRun(start, start + b.K - 1, b.LoWidth);
        start += b.K - 1;
        afterWide = false;
    }
    if (Measurements)
        *Measurements = meter.Measurements();
    return runs;
}

QStringList RunTexts(const QString& Line, const std::vector<TTextRun>& Runs)
{
    QStringList texts;
    texts.reserve(qsizetype(Runs.size()));
    for (const TTextRun& run : Runs)
        texts.append(Line.mid(run.Start, run.Length));
    return texts;
}

const std::vector<TTextRun>& TTextLayoutCache::Runs(qsizetype Index, const QString& Line, bool Wrap, int Width,
                                                    const QFont& Font)
{
    if (Index < 0)
        Index = 0;
    if (size_t(Index) >= FEntries.size())
        FEntries.resize(size_t(Index) + 1);
    TEntry& entry = FEntries[size_t(Index)];
    // Without wrapping the width of the box does not matter.
    const int width = Wrap ? Width : 0;
    if (entry.Valid && entry.Wrap == Wrap && entry.Width == width && entry.Line == Line && entry.Font == Font)
        return entry.Runs;
    ++FComputations;
    entry.Glyphs.reset();
    entry.Line = Line;
    entry.Wrap = Wrap;
    entry.Width = width;
    entry.Font = Font;
    entry.Valid = true;
    if (Wrap) {
        entry.Runs = WrapTextLine(Line, Width, Font);
    } else {
        const int whole = Line.isEmpty() ? 0 : QFontMetrics(Font).horizontalAdvance(Line);
        entry.Runs.assign(1, TTextRun{0, Line.size(), whole});
    }
    return entry.Runs;
}

TPreparedText* TTextLayoutCache::Prepared(qsizetype Index, size_t Run)
{
    if (Index < 0 || size_t(Index) >= FEntries.size())
        return nullptr;
    TEntry& entry = FEntries[size_t(Index)];
    // A short piece is shaped anew each time: its glyphs would cost more memory (several
    // hundred bytes) than they save time.
    constexpr qsizetype kShortestKept = 24;
    if (!entry.Valid || Run >= entry.Runs.size() || entry.Runs[Run].Length < kShortestKept)
        return nullptr;
    if (!entry.Glyphs) {
        entry.Glyphs = std::make_unique<TEntry::TGlyphs>();
        entry.Glyphs->Asked.assign(entry.Runs.size(), false);
    }
    TEntry::TGlyphs& glyphs = *entry.Glyphs;
    if (!glyphs.Asked[Run]) {
        glyphs.Asked[Run] = true;
        return nullptr;
    }
    if (glyphs.Prepared.size() != entry.Runs.size())
        glyphs.Prepared.resize(entry.Runs.size());
    return &glyphs.Prepared[Run];
}

void TTextLayoutCache::Truncate(qsizetype Count)
{
    if (Count >= 0 && size_t(Count) < FEntries.size())
        FEntries.resize(size_t(Count));
}
