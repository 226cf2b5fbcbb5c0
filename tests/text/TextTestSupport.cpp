#include "TextTestSupport.h"

#include "support/TestSupport.h"

std::unique_ptr<TMyText> MakeText(TMyCAD& cad, float x1, float y1, float x2, float y2, int size)
{
    auto text = std::make_unique<TMyText>(&cad);
    for (const TMyPoint& p : {TMyPoint(x1, y1), TMyPoint(x2, y1), TMyPoint(x2, y2), TMyPoint(x1, y2)})
        text->PointsRef().push_back(p);
    text->Drawed(TPoint(), TPoint());
    text->Font()->SetName(TestFontFamily());
    text->Font()->SetSize(size);
    text->Font()->SetColor(clBlack);
    text->Brush()->SetStyle(bsClear);
    return text;
}

TInk InkOf(const QImage& image)
{
    TInk ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
            }
    return ink;
}

QImage Drawn(TMyShape& shape, int width, int height)
{
    TBitmap picture(width, height);
    shape.Draw(&picture.Canvas());
    return picture.ToQImage();
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return INT32_MAX;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

QStringList LiteralWrap(TCanvas& canvas, const QString& line, int width, const TFont& font, double scale)
{
    auto wide = [&](const QString& s) { return GetTextWidthHeight(&canvas, s, &font, scale, 0).cx > width; };
    if (!wide(line))
        return {line};
    QStringList out;
    QString rest = line, piece;
    for (qsizetype k = 1; k <= rest.size(); ++k) {
        piece = rest.left(k);
        if (wide(piece)) {
            out.append(piece.left(k - 1));
            rest = rest.mid(k - 1);
            if (piece.size() > 1)
                k = 0;
        }
    }
    out.append(piece);
    return out;
}
