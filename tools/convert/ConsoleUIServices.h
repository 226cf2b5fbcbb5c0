#pragma once
// User interface services for a program without windows: every message the component would
// show goes to the error stream as a warning, every question gets the answer nobody-there
// gives (DefaultMessageResult), and every dialog counts as cancelled, so that nothing ever
// waits for a user.
#include "platform/UIServices.h"

#include <QStringList>
#include <utility>

class TConsoleUIServices : public TUIServices {
public:
    // Prefix is put before every warning ("mycad-convert").
    explicit TConsoleUIServices(QString Prefix) : FPrefix(std::move(Prefix)) {}

    void ShowMessage(const QString& text) override;
    int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    bool OpenFileDialog(QString&, const QString&, const QString&) override { return false; }
    bool SaveFileDialog(QString&, const QString&, const QString&) override { return false; }
    bool EditStrings(QStringList&, const QString&) override { return false; }
    bool ChooseColor(TColor&) override { return false; }
    void ClipCursor(const QRect*) override {}

    // The messages shown so far, in order.
    const QStringList& Messages() const { return FMessages; }

private:
    void Warn(const QString& text);

    QString FPrefix;
    QStringList FMessages;
};
