#include "Printer.h"

#include <QPrinter>
#include <memory>

QPrinter& Printer()
{
    static const std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

int PrinterColorCount()
{
    return Printer().colorMode() == QPrinter::GrayScale ? 2 : -1;
}

bool IsPrinterDevice(const QPaintDevice* device)
{
    return device && device->devType() == QInternal::Printer;
}
