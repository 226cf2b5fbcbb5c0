#pragma once
// TPdfPrinter: the TPrinter interface on a QPdfWriter, printing one PDF page into a
// device (a file being saved, a buffer). The paper is the size given, without margins,
// so the printable area is the whole page and the physical offsets are 0.
#include "mycad_export.h"
#include "Printer.h"

#include <QSizeF>
#include <memory>

class QIODevice;
class QPdfWriter;

class MYCAD_EXPORT TPdfPrinter : public TPrinter {
public:
    // Paper of paperMm (width x height, millimetres) standing upright; the landscape
    // orientation turns it. The resolution is in dots per inch. The device must stay open until the job ended.
    TPdfPrinter(QIODevice& out, QSizeF paperMm, int dpi = 600);
    ~TPdfPrinter() override;

    int ResolutionX() const override { return FDpi; }
    int ResolutionY() const override { return FDpi; }
    TPoint PhysicalOffset() const override { return TPoint(0, 0); }
    TSize PageSize() const override;
    int ColorCount() const override { return -1; }
    TPrinterOrientation Orientation() const override { return FOrientation; }
    void SetOrientation(TPrinterOrientation value) override;
    // The document's title (the PDF information dictionary).
    void SetTitle(const QString& title);

protected:
    QPaintDevice* JobDevice() override;

private:
    void ApplyLayout();

    std::unique_ptr<QPdfWriter> FWriter;
    QSizeF FPaperMm;
    int FDpi;
    TPrinterOrientation FOrientation = TPrinterOrientation::Portrait;
};
