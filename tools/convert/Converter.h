#pragma once
// mycad-convert's work, callable in-process: reads the input the options name into a new
// drawing and writes it in the format of the output's suffix through the component's own
// exports. An output is written beside its name and replaces it only once complete, so a
// failed conversion leaves no file and an older output untouched.
#include "ConvertOptions.h"

#include <QString>

struct TConvertResult {
    TConvertExit Exit = TConvertExit::Ok;
    // The complete message for the error stream ("mycad-convert: cannot read 'x.dxf': ...");
    // empty on success.
    QString Error;
};

// The name the program calls itself in its messages.
inline constexpr char kConvertProgramName[] = "mycad-convert";

// Converts as the options say (they must have been parsed; --help and --version are the
// caller's). Needs a QApplication, since drawings are widgets.
TConvertResult RunConversion(const TConvertOptions& Options);
