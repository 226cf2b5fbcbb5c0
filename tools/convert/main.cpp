// mycad-convert IN OUT [options]: converts drawings, DXF files and shape library entries
// into pictures, PDF pages, DXF files and drawings, without a window.
#include "ConsoleUIServices.h"
#include "ConvertOptions.h"
#include "Converter.h"

#include "component/base/Version.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

namespace {
// Qt's own chatter (a missing runtime folder, a font substituted) is no concern of whoever
// converts a file; only its grave messages reach the error stream.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", kConvertProgramName, qPrintable(message));
}
} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    // Drawings are widgets: an application without a screen is enough to make them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt sees none of the arguments, so that a file named like one of its options stays a file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    TConsoleUIServices console(QString::fromLatin1(kConvertProgramName));
    TScopedUIServices services(console);

    TConvertOptions options;
    const TParseResult parsed = ParseConvertArguments(arguments, options);
    if (!parsed.Ok) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kConvertProgramName,
                     qPrintable(parsed.Error), kConvertProgramName);
        return int(TConvertExit::Usage);
    }
    if (options.Help) {
        std::fputs(qPrintable(ConvertUsage()), stdout);
        return int(TConvertExit::Ok);
    }
    if (options.Version) {
        std::printf("%s %s\n", kConvertProgramName, MyCADVersion());
        return int(TConvertExit::Ok);
    }
    const TConvertResult result = RunConversion(options);
    if (result.Exit != TConvertExit::Ok)
        std::fprintf(stderr, "%s\n", qPrintable(result.Error));
    return int(result.Exit);
}
