#include "PreparedText.h"

#include <QPaintDevice>
#include <QTextLayout>

namespace {
bool HasControlCharacters(const QString& Text)
{
    for (const QChar c : Text)
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
            || c.unicode() == 0x7f)
            return true;
    return false;
}
} // namespace

bool TPreparedText::Holds(const QString& Text, const QFont& Font, const QPaintDevice* Device) const
{
    const int dpiX = Device ? Device->logicalDpiX() : 0, dpiY = Device ? Device->logicalDpiY() : 0;
    return !FRuns.isEmpty() && FDpiX == dpiX && FDpiY == dpiY && FText == Text && FFont == Font;
}

bool TPreparedText::Prepare(const QString& Text, const QFont& Font, const QPaintDevice* Device)
{
    Clear();
    if (Text.isEmpty() || HasControlCharacters(Text))
        return false;
    // Laid out for the device, as the painter lays out a text it draws there.
    QTextLayout layout(Text, Font, const_cast<QPaintDevice*>(Device));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(0);
    layout.endLayout();
    if (!line.isValid() || layout.lineCount() != 1)
        return false;
    FRuns = layout.glyphRuns();
    if (FRuns.isEmpty())
        return false;
    FBaseline = line.ascent();
    FText = Text;
    FFont = Font;
    FDpiX = Device ? Device->logicalDpiX() : 0;
    FDpiY = Device ? Device->logicalDpiY() : 0;
    return true;
}

void TPreparedText::Clear()
{
    FRuns.clear();
    FText.clear();
    FFont = QFont();
    FDpiX = FDpiY = 0;
    FBaseline = 0;
}
