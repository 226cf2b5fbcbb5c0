#include "XSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <unistd.h>

namespace {
const QStringList kTools = {QStringLiteral("Xvfb"), QStringLiteral("xdotool"), QStringLiteral("import")};
}

QString TXSession::Missing()
{
    QStringList missing;
    for (const QString& tool : kTools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    if (!QFileInfo(QStringLiteral(MYCAD_DEMO_EXE)).isExecutable())
        missing << QStringLiteral(MYCAD_DEMO_EXE);
    return missing.join(QStringLiteral(", "));
}

TXSession::TXSession()
{
    // A display number nobody uses: from the process number, past the taken ones.
    for (int n = 100 + getpid() % 400, tries = 0; tries < 50; ++n, ++tries) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        FDisplay = QStringLiteral(":%1").arg(n);
        FServer = std::make_unique<QProcess>();
        FServer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        FServer->start(QStringLiteral("Xvfb"), {FDisplay, QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                QStringLiteral("tcp")});
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        if (FServer->waitForStarted(5000) && WaitFor([&] { return QFileInfo::exists(socket); }, 10000))
            return;
        FServer->kill();
        FServer->waitForFinished(2000);
        FServer.reset();
    }
}

TXSession::~TXSession()
{
    Kill();
    if (FServer) {
        FServer->terminate();
        if (!FServer->waitForFinished(3000))
            FServer->kill();
        FServer->waitForFinished(2000);
    }
}

bool TXSession::WaitFor(const std::function<bool()>& Condition, int Milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!Condition()) {
        if (clock.elapsed() > Milliseconds)
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool TXSession::StartDemo(const QStringList& Arguments)
{
    Kill();
    FLayoutFile = FHome.filePath(QStringLiteral("layout.json"));
    QFile::remove(FLayoutFile);
    FDemo = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), FDisplay);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), FHome.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), FHome.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FHome.path());
    // The sanitizers' leak report of a killed program is no failure of the test.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    FDemo->setProcessEnvironment(env);
    FDemo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FDemo->start(QStringLiteral(MYCAD_DEMO_EXE), QStringList(Arguments) << QStringLiteral("--report-layout") << FLayoutFile);
    if (!FDemo->waitForStarted(5000))
        return false;
    return Relayout();
}

bool TXSession::Relayout()
{
    if (!FDemo)
        return false;
    // The program writes the report again once it is gone.
    QFile::remove(FLayoutFile);
    if (!WaitFor([&] { return QFileInfo(FLayoutFile).size() > 0; }, 20000))
        return false;
    QFile file(FLayoutFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    FLayout = QJsonDocument::fromJson(file.readAll()).object();
    return !FLayout.isEmpty();
}

bool TXSession::WaitForExit(int Milliseconds)
{
    if (!FDemo)
        return true;
    const bool ended = FDemo->waitForFinished(Milliseconds);
    if (!ended)
        Kill();
    return ended;
}

void TXSession::Kill()
{
    if (!FDemo)
        return;
    if (FDemo->state() != QProcess::NotRunning) {
        FDemo->kill();
        FDemo->waitForFinished(5000);
    }
    FDemo.reset();
}

QPoint TXSession::Origin(const QString& Name) const
{
    const QJsonObject part = Part(Name);
    return {part.value(QStringLiteral("x")).toInt(), part.value(QStringLiteral("y")).toInt()};
}

QPoint TXSession::Centre(const QString& Name) const
{
    const QJsonObject part = Part(Name);
    return Origin(Name) + QPoint(part.value(QStringLiteral("width")).toInt() / 2,
                                 part.value(QStringLiteral("height")).toInt() / 2);
}

bool TXSession::Xdo(const QStringList& Arguments)
{
    QProcess xdo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), FDisplay);
    xdo.setProcessEnvironment(env);
    xdo.start(QStringLiteral("xdotool"), Arguments);
    return xdo.waitForFinished(10000) && xdo.exitCode() == 0;
}

void TXSession::Click(QPoint At)
{
    Xdo({QStringLiteral("mousemove"), QString::number(At.x()), QString::number(At.y())});
    QThread::msleep(60);
    Xdo({QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(150);
}

void TXSession::Drag(QPoint From, QPoint To)
{
    Xdo({QStringLiteral("mousemove"), QString::number(From.x()), QString::number(From.y())});
    QThread::msleep(60);
    Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = From + (To - From) * i / steps;
        QThread::msleep(40);
        Xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    }
    QThread::msleep(100);
    Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(200);
}

void TXSession::Keys(const QString& Keys)
{
    Xdo({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60"), Keys});
    QThread::msleep(300);
}

bool TXSession::Focus(const QString& TitlePattern)
{
    const bool found = WaitFor(
        [&] {
            return Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), TitlePattern});
        },
        8000);
    if (!found)
        return false;
    const bool focused = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                              TitlePattern, QStringLiteral("windowfocus"), QStringLiteral("--sync")});
    QThread::msleep(200);
    return focused;
}

void TXSession::Type(const QString& Text)
{
    Xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), Text});
    QThread::msleep(200);
}

QImage TXSession::Screenshot()
{
    const QString file = FHome.filePath(QStringLiteral("screen.png"));
    QFile::remove(file);
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-display"), FDisplay, QStringLiteral("-window"), QStringLiteral("root"), file});
    if (!import.waitForFinished(20000) || import.exitCode() != 0)
        return {};
    // MYCAD_E2E_SHOTS names a folder that keeps every screenshot, for looking at a failure.
    static int taken = 0;
    const QString keep = qEnvironmentVariable("MYCAD_E2E_SHOTS");
    if (!keep.isEmpty() && QDir().mkpath(keep))
        QFile::copy(file, QStringLiteral("%1/screen-%2.png").arg(keep).arg(++taken, 2, 10, QLatin1Char('0')));
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}
