#pragma once
// A real X display for end-to-end runs of the demonstration: a private Xvfb server, the
// program started on it, real mouse and key events sent with xdotool, screenshots taken
// with ImageMagick's import, and the layout the program reports about its windows.
#include <QImage>
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class TXSession {
public:
    // What is missing for a session ("" when everything is there).
    static QString Missing();

    TXSession();
    ~TXSession();
    bool Started() const { return FServer != nullptr; }
    QString Display() const { return FDisplay; }
    QString Folder() const { return FHome.path(); }

    // Starts the demonstration with the arguments (plus the layout report) and waits until
    // its windows are up and have reported where their parts are.
    bool StartDemo(const QStringList& Arguments);
    // Waits for the program to end by itself; kills it after the time.
    bool WaitForExit(int Milliseconds);
    void Kill();
    // Where a part of the window is (its top left, or an item's centre), from the report.
    QPoint Origin(const QString& Part) const;
    QPoint Centre(const QString& Part) const;
    QJsonObject Part(const QString& Name) const { return FLayout.value(Name).toObject(); }
    // Asks the program for a new report (after zooming, scrolling...).
    bool Relayout();

    // xdotool with the arguments; true when it succeeded.
    bool Xdo(const QStringList& Arguments);
    void Click(QPoint At);
    // A press, a drag through a few steps (each reported to the program) and a release.
    void Drag(QPoint From, QPoint To);
    void Keys(const QString& Keys);
    // Gives the keyboard to the first window whose title matches the pattern (a regular
    // expression), once it is there; false when none comes within a few seconds.
    bool Focus(const QString& TitlePattern);
    void Type(const QString& Text);
    QImage Screenshot();
    // Waits (running nothing) for the condition, polling every 50 ms.
    static bool WaitFor(const std::function<bool()>& Condition, int Milliseconds);

private:
    QTemporaryDir FHome;
    QString FDisplay;
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FDemo;
    QJsonObject FLayout;
    QString FLayoutFile;
};
