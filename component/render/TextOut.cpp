#include "component/render/TextOut.h"

#include "platform/Printer.h"
#include "platform/Rounding.h"

#include <numbers>

namespace {
// Makes the canvas font the given font at the scale and angle, keeping the canvas font's
// other log-font attributes.
void SelectScaledFont(TCanvas* canvas, const TFont* font, double scale, double angle, bool antialiased)
{
    const TLogFont current = canvas->Font().GetLogFont();
    TLogFont lf = current;
    const TFontStyles style = font->Style();
    lf.lfItalic = style.testFlag(fsItalic) ? 1 : 0;
    lf.lfWeight = style.testFlag(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = style.testFlag(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style.testFlag(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font->Charset();
    lf.lfEscapement = Round(-angle * 180 / std::numbers::pi * 10);
    lf.lfOrientation = lf.lfEscapement;
    lf.lfHeight = -Round(font->Size() * scale);
    lf.lfFaceName = font->Name();
    if (antialiased)
        lf.lfQuality = ANTIALIASED_QUALITY;
    // The same font again keeps the canvas's font as it is (and its Qt font with it), so
    // many texts in one font measure and draw without building a font for each.
    if (!(lf == current))
        canvas->Font().SetLogFont(lf);
}
} // namespace

void MyLogTextOut(TCanvas* Canvas, int X, int Y, const QString& Text, const TFont* AFont, double Scale,
                  double Angle, TPreparedText* Prepared)
{
    if (!Canvas || !AFont)
        return;
    Canvas->Font().SetColor(AFont->Color());
    SelectScaledFont(Canvas, AFont, Scale, Angle, true);
    Canvas->SetBkMode(TRANSPARENT);
    Canvas->TextOut(X, Y, Text, Prepared);
}

TSize GetTextWidthHeight(TCanvas* Canvas, const QString& Text, const TFont* AFont, double Scale, double Angle)
{
    if (!Canvas || !AFont)
        return TSize();
    SelectScaledFont(Canvas, AFont, Scale, Angle, false);
    return Canvas->TextExtent(Text);
}

QFont GetTextMeasureFont(TCanvas* Canvas, const TFont* AFont, double Scale, double Angle)
{
    if (!Canvas || !AFont)
        return QFont();
    SelectScaledFont(Canvas, AFont, Scale, Angle, false);
    // The canvas measures with its font and the character extra as absolute letter spacing.
    QFont font = Canvas->Font().ToQFont();
    if (const int extra = Canvas->GetTextCharacterExtra(); extra != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, extra);
    return font;
}

bool IsBlackWhitePrinter()
{
    return PrinterColorCount() == 2;
}
