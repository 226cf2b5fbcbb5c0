#include "Printer.h"

#include "Canvas.h"
#include "QtPrinter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QSet>

namespace {

// The devices of running print jobs (user-interface thread only).
QSet<const QPaintDevice*>& JobDevices()
{
    static QSet<const QPaintDevice*> devices;
    return devices;
}

TPrinter*& InstalledPrinter()
{
    static TPrinter* installed = nullptr;
    return installed;
}

} // namespace

TPrinter::TPrinter() = default;

// A job still running when its printer goes is cancelled. Derived printers end their own
// jobs first: their devices are gone by the time this runs.
TPrinter::~TPrinter()
{
    if (FPrinting) {
        FCanvas.reset();
        FPainter.reset();
        JobDevices().remove(FDevice);
    }
}

bool TPrinter::BeginDoc()
{
    if (FPrinting || !StartJob())
        return false;
    QPaintDevice* device = JobDevice();
    auto painter = std::make_unique<QPainter>();
    if (!device || !painter->begin(device)) {
        FinishJob(false);
        return false;
    }
    FDevice = device;
    FPainter = std::move(painter);
    FCanvas = std::make_unique<TCanvas>(FPainter.get());
    FPrinting = true;
    JobDevices().insert(FDevice);
    return true;
}

void TPrinter::CloseJob()
{
    FCanvas.reset();
    JobDevices().remove(FDevice);
    FDevice = nullptr;
    FPrinting = false;
}

bool TPrinter::EndDoc()
{
    if (!FPrinting)
        return false;
    CloseJob();
    const bool painted = FPainter->end();
    FPainter.reset();
    return FinishJob(painted);
}

void TPrinter::Abort()
{
    if (!FPrinting)
        return;
    CloseJob();
    AbortJob();
    if (FPainter->isActive())
        FPainter->end();
    FPainter.reset();
    FinishJob(false);
}

QPainter* TPrinter::Painter() const
{
    return FPrinting ? FPainter.get() : nullptr;
}

TCanvas* TPrinter::Canvas() const
{
    return FPrinting ? FCanvas.get() : nullptr;
}

TPrinter& Printer()
{
    if (TPrinter* installed = InstalledPrinter())
        return *installed;
    static const std::unique_ptr<TQtPrinter> system = std::make_unique<TQtPrinter>();
    return *system;
}

TPrinter* SetPrinter(TPrinter* printer)
{
    TPrinter* previous = InstalledPrinter();
    InstalledPrinter() = printer;
    return previous;
}

int PrinterColorCount()
{
    return Printer().ColorCount();
}

bool IsPrinterDevice(const QPaintDevice* device)
{
    return device && (device->devType() == QInternal::Printer || JobDevices().contains(device));
}
