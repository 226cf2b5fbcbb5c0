// Messages of the component as warnings on the error stream.
#include "ConsoleUIServices.h"

#include <cstdio>

void TConsoleUIServices::Warn(const QString& text)
{
    FMessages << text;
    // One line per message: a message spanning lines would read as several.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: warning: %s\n", qPrintable(FPrefix), qPrintable(line));
}

void TConsoleUIServices::ShowMessage(const QString& text) { Warn(text); }

int TConsoleUIServices::MessageDlg(const QString& text, TMsgDlgType, TMsgDlgButtons buttons)
{
    Warn(text);
    return DefaultMessageResult(buttons);
}
