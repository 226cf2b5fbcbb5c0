#pragma once
// TPreparedText: a text shaped once for drawing it again, the glyphs and their positions of
// a text in a font on one base line. TCanvas::TextOut given one draws those glyphs instead
// of shaping the text anew, which is most of the cost of drawing a text that does not
// change (a text box painted again and again). The pixels are those of shaping it anew.
#include "mycad_export.h"

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>

class QPaintDevice;

class MYCAD_EXPORT TPreparedText {
public:
    // Whether the glyphs are those of Text in Font on a device of the given resolution.
    bool Holds(const QString& Text, const QFont& Font, const QPaintDevice* Device) const;
    // Shapes Text in Font for Device; false (and nothing kept) for a text with control
    // characters, which only a fresh shaping lays out as a single line of text does.
    bool Prepare(const QString& Text, const QFont& Font, const QPaintDevice* Device);
    void Clear();
    // The glyph runs, placed with the text starting at x = 0 and its base line at
    // y = Baseline().
    const QList<QGlyphRun>& Runs() const { return FRuns; }
    double Baseline() const { return FBaseline; }

private:
    QString FText;
    QFont FFont;
    int FDpiX = 0;
    int FDpiY = 0;
    double FBaseline = 0;
    QList<QGlyphRun> FRuns;
};
