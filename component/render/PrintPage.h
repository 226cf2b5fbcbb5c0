#pragma once
// TPrintPage: the page of a running print job as the drawing prints on it. Its canvas
// counts in square pixels of the printer's coarser resolution; along the finer axis the
// painter scales, so that the page prints at its real size also when the printer's x
// and y resolutions differ. A shift (in printer pixels) moves everything drawn, which
// is how the printed shapes meet the paper's edge instead of the printable area's.
#include "mycad_export.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"

#include <QPointF>
#include <memory>

class MYCAD_EXPORT TPrintPage {
public:
    // Opens on the printer's painter; Valid() is false when the printer is not printing
    // or reports no resolution.
    explicit TPrintPage(TPrinter& Printer, QPointF Shift = QPointF());
    // Gives the painter back as it was.
    ~TPrintPage();
    TPrintPage(const TPrintPage&) = delete;
    TPrintPage& operator=(const TPrintPage&) = delete;

    bool Valid() const { return FCanvas != nullptr; }
    TCanvas* Canvas() const { return FCanvas.get(); }
    // The printable area in the canvas's pixels.
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The printer's resolutions as its device capabilities give them (16-bit values).
    static int ResolutionX(const TPrinter& Printer);
    static int ResolutionY(const TPrinter& Printer);
    // The canvas's pixels per inch: the coarser of the two.
    static int Resolution(const TPrinter& Printer);

private:
    QPainter* FPainter = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    int FWidth = 0;
    int FHeight = 0;
};
