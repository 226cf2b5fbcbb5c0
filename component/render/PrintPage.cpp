#include "component/render/PrintPage.h"

#include "platform/Rounding.h"

#include <QPainter>
#include <algorithm>

int TPrintPage::ResolutionX(const TPrinter& Printer)
{
    return uint16_t(Printer.ResolutionX());
}

int TPrintPage::ResolutionY(const TPrinter& Printer)
{
    return uint16_t(Printer.ResolutionY());
}

int TPrintPage::Resolution(const TPrinter& Printer)
{
    return std::min(ResolutionX(Printer), ResolutionY(Printer));
}

TPrintPage::TPrintPage(TPrinter& Printer, QPointF Shift)
{
    QPainter* painter = Printer.Painter();
    const int dpi = Resolution(Printer);
    if (!painter || dpi <= 0)
        return;
    const double sx = double(ResolutionX(Printer)) / dpi, sy = double(ResolutionY(Printer)) / dpi;
    FPainter = painter;
    FPainter->save();
    FPainter->resetTransform();
    FPainter->translate(Shift);
    FPainter->scale(sx, sy);
    FWidth = Round(Printer.PageWidth() / sx);
    FHeight = Round(Printer.PageHeight() / sy);
    FCanvas = std::make_unique<TCanvas>(FPainter);
}

TPrintPage::~TPrintPage()
{
    FCanvas.reset(); // the canvas gives back its own changes first
    if (FPainter && FPainter->isActive())
        FPainter->restore();
}
