#pragma once
// TQtPrinter: the TPrinter interface on a QPrinter, so printing reaches the system's
// printers and, with an output file name set on the QPrinter, PDF files (headless too).
#include "mycad_export.h"
#include "Printer.h"

#include <memory>

class QPrinter;

class MYCAD_EXPORT TQtPrinter : public TPrinter {
public:
    // On a printer of its own (high resolution, the system's default printer).
    TQtPrinter();
    // On the caller's printer (a print dialog's or a print preview's), which must outlive
    // this object.
    explicit TQtPrinter(QPrinter& printer);
    ~TQtPrinter() override;

    QPrinter& QtPrinter() const { return *FPrinter; }

    int ResolutionX() const override;
    int ResolutionY() const override;
    TPoint PhysicalOffset() const override;
    TSize PageSize() const override;
    // 2 when the printer is set to grey scale, -1 otherwise.
    int ColorCount() const override;
    TPrinterOrientation Orientation() const override;
    void SetOrientation(TPrinterOrientation value) override;

protected:
    QPaintDevice* JobDevice() override;
    void AbortJob() override;
    bool FinishJob(bool painted) override;

private:
    std::unique_ptr<QPrinter> FOwned;
    QPrinter* FPrinter = nullptr;
};
