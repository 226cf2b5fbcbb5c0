#include "QtPrinter.h"

#include <QPageLayout>
#include <QPrinter>

TQtPrinter::TQtPrinter() : FOwned(std::make_unique<QPrinter>(QPrinter::HighResolution)), FPrinter(FOwned.get()) {}

TQtPrinter::TQtPrinter(QPrinter& printer) : FPrinter(&printer) {}

TQtPrinter::~TQtPrinter()
{
    Abort();
}

int TQtPrinter::ResolutionX() const
{
    return FPrinter->logicalDpiX();
}

int TQtPrinter::ResolutionY() const
{
    return FPrinter->logicalDpiY();
}

// The printable area's corner seen from the paper's corner, in printer pixels.
TPoint TQtPrinter::PhysicalOffset() const
{
    const QPageLayout layout = FPrinter->pageLayout();
    const int dpi = FPrinter->resolution();
    const QPoint offset = layout.paintRectPixels(dpi).topLeft() - layout.fullRectPixels(dpi).topLeft();
    return TPoint(offset.x(), offset.y());
}

TSize TQtPrinter::PageSize() const
{
    const QRect area = FPrinter->pageLayout().paintRectPixels(FPrinter->resolution());
    return TSize{area.width(), area.height()};
}

int TQtPrinter::ColorCount() const
{
    return FPrinter->colorMode() == QPrinter::GrayScale ? 2 : -1;
}

TPrinterOrientation TQtPrinter::Orientation() const
{
    return FPrinter->pageLayout().orientation() == QPageLayout::Landscape ? TPrinterOrientation::Landscape
                                                                          : TPrinterOrientation::Portrait;
}

void TQtPrinter::SetOrientation(TPrinterOrientation value)
{
    if (Printing())
        return;
    FPrinter->setPageOrientation(value == TPrinterOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
}

QPaintDevice* TQtPrinter::JobDevice()
{
    return FPrinter;
}

void TQtPrinter::AbortJob()
{
    FPrinter->abort();
}

bool TQtPrinter::FinishJob(bool painted)
{
    return painted && FPrinter->printerState() != QPrinter::Error && FPrinter->printerState() != QPrinter::Aborted;
}
