#pragma once
// The inputs of mycad-convert: a drawing file, a DXF file or one entry of a shape library,
// read into a drawing. The drawing is changed only when the input read completely.
#include "ConvertOptions.h"

#include <QString>

class TMyCAD;

// Where the input comes from: the file and, for a shape library, the entry.
struct TConvertSource {
    QString File;
    QString Entry;
};

// The file and entry the options name: --entry, else IN itself when such a file exists,
// else "library.lib#EntryName" split at its last '#' when the library exists.
TConvertSource SourceOf(const TConvertOptions& Options);

struct TReadResult {
    TConvertExit Exit = TConvertExit::Ok;
    QString Error; // the reason, without the file name
};

// Reads the source into Cad: a drawing (recognised by its signature), a shape library
// entry (placed centred on a page just large enough for it), or a DXF file (by its
// suffix or its first group). InputUnreadable with a reason for anything else; Usage for
// a library named without an entry.
TReadResult ReadConvertInput(const TConvertSource& Source, TMyCAD& Cad);
