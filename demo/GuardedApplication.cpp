#include "GuardedApplication.h"

#include <QMessageBox>
#include <exception>

bool TGuardedApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), QStringLiteral("MyCAD"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("MyCAD"), QStringLiteral("An unknown error occurred."));
    }
    return false;
}
