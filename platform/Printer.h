#pragma once
// Printers: the device a print job draws on, behind one replaceable interface.
//
// TPrinter speaks the printer device context's language: the logical resolution in x and
// y (LOGPIXELSX, LOGPIXELSY), the distance from the paper's edge to the printable area
// (PHYSICALOFFSETX, PHYSICALOFFSETY), the printable area in printer pixels, the colour
// count, the orientation, and a job of one page (BeginDoc, EndDoc, Abort) during which a
// painter and a canvas draw on the page in printer pixels, with the origin at the
// printable area's top-left corner.
//
// Implementations: TQtPrinter (QtPrinter.h) on a QPrinter, so real printers and PDF
// files work through Qt; TPdfPrinter (PdfPrinter.h) on a QPdfWriter writing to a device;
// TImagePrinter (ImagePrinter.h) printing into a picture with any resolutions, offsets
// and failures a test chooses.
//
// Read the capabilities after SetOrientation: they describe the page in the orientation
// set (a landscape page is wider than high, its offsets turned with it).
#include "mycad_export.h"
#include "GraphicsTypes.h"
#include "Types.h"

#include <cstdint>
#include <memory>

class QPainter;
class QPaintDevice;
class TCanvas;

enum class TPrinterOrientation : uint8_t { Portrait, Landscape };

class MYCAD_EXPORT TPrinter {
public:
    TPrinter();
    virtual ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // ---- Capabilities (for the orientation set) ----
    virtual int ResolutionX() const = 0;
    virtual int ResolutionY() const = 0;
    // Printer pixels from the paper's left and top edges to the printable area.
    virtual TPoint PhysicalOffset() const = 0;
    // The printable area in printer pixels.
    virtual TSize PageSize() const = 0;
    int PageWidth() const { return PageSize().cx; }
    int PageHeight() const { return PageSize().cy; }
    // 2 for a black-and-white (grey scale) printer, -1 for more than 256 colours.
    virtual int ColorCount() const = 0;
    virtual TPrinterOrientation Orientation() const = 0;
    // Ignored while a job is running.
    virtual void SetOrientation(TPrinterOrientation value) = 0;

    // ---- The job ----
    // Starts a job of one page; false when the printer cannot start one (nothing needs
    // ending then). False as well while a job is running.
    bool BeginDoc();
    // Finishes the job; false when it failed (the page may then be lost) or none ran.
    bool EndDoc();
    // Cancels the running job: nothing of it is printed.
    void Abort();
    bool Printing() const { return FPrinting; }

    // While printing: the painter on the page, in printer pixels (null otherwise). Whoever
    // changes its state restores it (save and restore) before the canvas draws again.
    QPainter* Painter() const;
    // While printing: a canvas on that painter (null otherwise).
    TCanvas* Canvas() const;

protected:
    // The device of the job, opened with a painter once StartJob succeeded.
    virtual QPaintDevice* JobDevice() = 0;
    // Before the painter opens; false refuses the job.
    virtual bool StartJob() { return true; }
    // After the painter was ended (painted true when it ended well); the job's result.
    virtual bool FinishJob(bool painted) { return painted; }
    // Cancels a job whose painter is still open (the painter is ended afterwards).
    virtual void AbortJob() {}

private:
    void CloseJob();

    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TCanvas> FCanvas;
    QPaintDevice* FDevice = nullptr;
    bool FPrinting = false;
};

// The current printer: the one installed with SetPrinter, else the system printer (a
// TQtPrinter created on first use).
MYCAD_EXPORT TPrinter& Printer();
// Installs the printer Printer() returns (not owned; null goes back to the system
// printer) and returns the one installed before (null for the system printer).
MYCAD_EXPORT TPrinter* SetPrinter(TPrinter* printer);
// The number of colours the current printer reports: 2 for a black-and-white printer,
// -1 (more than 256) otherwise.
MYCAD_EXPORT int PrinterColorCount();
// Whether a paint device is a printer: a QPrinter, or the device of a running TPrinter job.
MYCAD_EXPORT bool IsPrinterDevice(const QPaintDevice* device);
