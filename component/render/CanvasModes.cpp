#include "component/render/CanvasModes.h"

#include "component/render/HotColor.h"
#include "component/render/TextOut.h"
#include "platform/Printer.h"
#include "component/shapes/MyShape.h"

namespace {
void SetPen(TCanvas* canvas, TColor color, TPenStyle style, int width, TPenMode mode)
{
    TPen& pen = canvas->Pen();
    pen.SetWidth(width);
    pen.SetColor(color);
    pen.SetStyle(style);
    pen.SetMode(mode);
}

TColor Grey(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    const uint8_t g = uint8_t((GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3);
    return RGB(g, g, g);
}
} // namespace

void SetDrawHotMode(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetPen(Canvas, clBlack, psSolid, 1, pmCopy);
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->Brush().SetColor(HotColor());
}

void SetDrawLockedHotMode(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    SetDrawHotMode(Canvas);
    Canvas->Brush().SetColor(clGray);
}

void SetDragResizeRotateShapeMode(TCanvas* Canvas)
{
    if (!Canvas)
        return;
    Canvas->Brush().SetStyle(bsClear);
    SetPen(Canvas, clWhite, psDot, 1, pmXor);
}

void SetDrawTriangleMode(TCanvas* Canvas, const TMyShape* Shape)
{
    if (!Canvas || !Shape)
        return;
    Canvas->Font().Assign(*Shape->Font());
    SetPen(Canvas, Shape->Pen()->Color(), Shape->Pen()->Style(), Shape->Pen()->Width(), pmCopy);
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->Brush().SetColor(Shape->Pen()->Color());
}

void SetDrawShapeMode(const TMyShape* Shape, TCanvas* Canvas)
{
    if (!Canvas || !Shape)
        return;
    const TPen* pen = Shape->Pen();
    const TBrush* brush = Shape->Brush();
    if (!IsPrinterDevice(Canvas->Device())) {
        SetPen(Canvas, pen->Color(), pen->Style(), pen->Width(), pmCopy);
        Canvas->Brush().SetColor(brush->Color());
        Canvas->Brush().SetStyle(brush->Style());
        return;
    }
    Canvas->Brush().SetStyle(brush->Style());
    const bool grey = IsBlackWhitePrinter();
    Canvas->Pen().SetColor(grey ? Grey(pen->Color()) : pen->Color());
    Canvas->Brush().SetColor(grey ? Grey(brush->Color()) : brush->Color());
    if (brush->Style() == bsClear)
        Canvas->Brush().SetStyle(bsClear);
    Canvas->Pen().SetStyle(pen->Style());
    Canvas->Pen().SetWidth(pen->Width());
    Canvas->Pen().SetMode(pmCopy);
    Canvas->SetBkColor(clWindow);
}
