#pragma once
// The application object of the demonstration: an error that escapes an event handler is
// shown to the user in a message box, and the program goes on.
#include <QApplication>

class TGuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* Receiver, QEvent* Event) override;
};
