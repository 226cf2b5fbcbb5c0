#pragma once
// The process's current printer, as print set-up leaves it.
#include "mycad_export.h"
class QPrinter;
class QPaintDevice;

// The current printer (created on first use).
MYCAD_EXPORT QPrinter& Printer();
// The number of colours the current printer reports: 2 for a printer set to grey scale,
// -1 (more than 256) otherwise.
MYCAD_EXPORT int PrinterColorCount();
// Whether a paint device is a printer.
MYCAD_EXPORT bool IsPrinterDevice(const QPaintDevice* device);
