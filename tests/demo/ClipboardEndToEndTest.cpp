// The demonstration under a real X server: Edit, Copy puts a picture of the selection on
// the system clipboard, which another program (xclip) lists as an image.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(DemoClipboard, CopyOffersAnImageToOtherPrograms)
{
    const QString demo = QCoreApplication::applicationDirPath() + QStringLiteral("/../demo/mycad_demo");
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        GTEST_SKIP() << "xvfb-run or xclip is not installed (scripts/deps.sh ci)";
    if (!QFileInfo(demo).isExecutable())
        GTEST_SKIP() << "the demonstration was not built";
    // The demo copies the selected sample shape, then xclip asks the clipboard's owner
    // for its targets while the demo still runs.
    const QString script = QStringLiteral(
        "QT_QPA_PLATFORM=xcb \"$0\" --samples --copy & pid=$!; "
        "for i in $(seq 1 50); do sleep 0.2; "
        "t=$(xclip -selection clipboard -t TARGETS -o 2>/dev/null) && [ -n \"$t\" ] && break; done; "
        "echo \"$t\"; kill $pid; wait $pid 2>/dev/null; true");
    QProcess run;
    run.start(QStringLiteral("xvfb-run"), {QStringLiteral("-a"), QStringLiteral("sh"), QStringLiteral("-c"), script, demo});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QString targets = QString::fromLocal8Bit(run.readAllStandardOutput());
    EXPECT_TRUE(targets.contains(QStringLiteral("image/png"))) << targets.toStdString();
}
