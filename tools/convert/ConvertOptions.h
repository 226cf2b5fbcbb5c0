#pragma once
// The command line of mycad-convert: IN OUT [options], parsed into TConvertOptions, and the
// output format chosen from the suffix of OUT.
#include "platform/Color.h"

#include <QString>
#include <QStringList>
#include <optional>

// The process's exit codes: success, a wrong command line, an input that cannot be read,
// an output that cannot be written (an unknown format included).
enum class TConvertExit : int { Ok = 0, Usage = 1, InputUnreadable = 2, OutputUnwritable = 3 };

enum class TConvertFormat { Png, Jpeg, Bmp, Emf, Wmf, Svg, Pdf, Dxf, Drawing };

struct TConvertOptions {
    QString Input;  // a drawing, a DXF file or a shape library ("library.lib#Entry" names an entry)
    QString Output;
    QString Entry;  // --entry: the library entry to convert (empty: taken from Input)
    std::optional<double> Zoom;
    std::optional<int> Width;  // --width / --height: the page fitted into that many pixels
    std::optional<int> Height;
    std::optional<int> Quality;         // JPEG quality, 1..100
    std::optional<TColor> Background;   // the page colour
    bool Page = false;                  // the page as printed: frame, head, foot
    bool Help = false;
    bool Version = false;
};

struct TParseResult {
    bool Ok = false;
    QString Error; // why the command line was refused
};

// Reads the arguments after the program name. Options may stand before, between or after
// IN and OUT; "--name value" and "--name=value" are both accepted, and "--" ends the
// options. With --help or --version nothing else is required.
TParseResult ParseConvertArguments(const QStringList& Arguments, TConvertOptions& Options);

// The format of a file name's suffix, compared without regard to case.
std::optional<TConvertFormat> FormatOfFileName(const QString& FileName);
// "PNG", "JPEG", ... as messages name the formats.
QString FormatName(TConvertFormat Format);
// The suffixes mycad-convert writes, for messages: ".png, .jpg, ...".
QString KnownOutputSuffixes();

// Refuses options that the output format cannot honour (for example --quality for a PNG,
// or a size for a DXF file); Ok when every option given applies.
TParseResult CheckOptionsForFormat(const TConvertOptions& Options, TConvertFormat Format);

// The text of --help.
QString ConvertUsage();
