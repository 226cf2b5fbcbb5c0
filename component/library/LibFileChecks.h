#pragma once
// Checks of a file's generation tag, made before a library is opened. Each reads only the
// first ten bytes of the file; a file that cannot be opened or is shorter than ten bytes
// is rejected.
#include "mycad_export.h"
#include <QString>

// Any library generation this program reads or knows: "ZEDALIBX.i" (and its long-string
// form "ZEDALIBX.L"), ".h", ".e", ".a", ".9", ".8", ".7", ".6", ".3" and ".2".
MYCAD_EXPORT bool IsZEDALibFile(const QString& FileName);
// Exactly the generation the suffix names.
MYCAD_EXPORT bool IsZEDALibFileXH(const QString& FileName);
MYCAD_EXPORT bool IsZEDALibFileXE(const QString& FileName);
MYCAD_EXPORT bool IsZEDALibFileXA(const QString& FileName);
MYCAD_EXPORT bool IsZEDALibFileX9(const QString& FileName);
MYCAD_EXPORT bool IsZEDALibFileX8(const QString& FileName);
// ".6" or ".7".
MYCAD_EXPORT bool IsZEDALibFileX67(const QString& FileName);
MYCAD_EXPORT bool IsZEDALibX2File(const QString& FileName);
// The oldest libraries, tagged "ZEDALIB2.1".
MYCAD_EXPORT bool IsOLDZEDALibFile(const QString& FileName);
