#include "UIServices.h"

#include "QtUIServices.h"

namespace {

TUIServices* g_services = nullptr; // the installed replacement, if any

TUIServices& DefaultServices()
{
    static TQtUIServices services;
    return services;
}

} // namespace

TUIServices::~TUIServices() = default;

bool TUIServices::ChooseFont(TFont&)
{
    return false;
}

bool TUIServices::InputQuery(const QString&, const QString&, QString&)
{
    return false;
}

int TUIServices::ExecuteDialog(QDialog&)
{
    return mrCancel;
}

TUIServices& UIServices()
{
    return g_services ? *g_services : DefaultServices();
}

void SetUIServices(TUIServices* services)
{
    g_services = services;
}

TScopedUIServices::TScopedUIServices(TUIServices& services) : m_previous(g_services)
{
    g_services = &services;
}

TScopedUIServices::~TScopedUIServices()
{
    g_services = m_previous;
}

void ShowMessage(const QString& text)
{
    UIServices().ShowMessage(text);
}

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    return UIServices().MessageDlg(text, type, buttons);
}

int ModalResultOf(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbCancel: return mrCancel;
    case TMsgDlgBtn::mbAbort: return mrAbort;
    case TMsgDlgBtn::mbRetry: return mrRetry;
    case TMsgDlgBtn::mbIgnore: return mrIgnore;
    case TMsgDlgBtn::mbAll: return mrAll;
    case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
    case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
    case TMsgDlgBtn::mbHelp: return mrNone;
    case TMsgDlgBtn::mbClose: return mrClose;
    }
    return mrNone;
}

int DefaultMessageResult(TMsgDlgButtons buttons)
{
    if (buttons.testFlag(TMsgDlgBtn::mbCancel))
        return mrCancel;
    if (buttons.testFlag(TMsgDlgBtn::mbNo))
        return mrNo;
    if (buttons.testFlag(TMsgDlgBtn::mbOK))
        return mrOk;
    for (unsigned bit = 1; bit <= unsigned(TMsgDlgBtn::mbClose); bit <<= 1) {
        const auto b = TMsgDlgBtn(bit);
        if (buttons.testFlag(b) && b != TMsgDlgBtn::mbHelp)
            return ModalResultOf(b);
    }
    return mrCancel;
}

QString ConvertDialogFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        if (description.isEmpty() && i + 1 >= parts.size())
            continue; // a trailing separator
        // Already "Description (*.a;*.b)"? Compare the last parenthesised part.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            QString inside = description.mid(open + 1, description.size() - open - 2);
            inside.replace(QLatin1Char(';'), QLatin1Char(' '));
            inside.replace(QLatin1Char(','), QLatin1Char(' '));
            if (inside.simplified() == patterns) {
                filters << description.left(open).trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
                continue;
            }
        }
        const QString name = description.isEmpty() ? patterns : description;
        filters << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
