// The demonstration application: one main window hosting the drawing component, with the
// inspector window and the library browser.
//   mycad_demo [FILE]          opens a drawing at start
//   --samples                  starts with every "Draw by Code" shape on the page
//   --copy                     then runs Edit, Copy on what is selected
//   --report-layout FILE       writes where the window's parts are (for tests that drive
//                              the program with real mouse events), and again whenever
//                              the file has been removed
#include "DrawByCode.h"
#include "GuardedApplication.h"
#include "LayoutReport.h"
#include "MainWindow.h"
#include "RecoveryStore.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char** argv)
{
    TGuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MyCAD"));
    QApplication::setOrganizationName(QStringLiteral("MyCAD"));
    MainWindow window;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    QString layoutFile;
    QString openFile;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--samples")) {
            for (const TDrawByCodeItem& item : DrawByCodeItems())
                item.Run(*window.MyCAD1());
            window.UpdateCommands();
        } else if (arg == QLatin1String("--copy")) {
            if (QAction* copy = window.FindAction(QStringLiteral("Copy")))
                copy->trigger();
        } else if (arg == QLatin1String("--report-layout") && i + 1 < args.size()) {
            layoutFile = args[++i];
        } else if (!arg.startsWith(QLatin1String("--"))) {
            openFile = arg;
        }
    }
    if (!openFile.isEmpty())
        window.OpenFile(openFile);
    window.showMaximized();
    // A drawing that a run which ended abruptly left unsaved is offered once the window is up.
    QTimer::singleShot(0, &window, [&window] {
        if (window.Recovery()->OfferOrphans([&window] { return window.SaveDrawing(); })) {
            window.Navigator()->Centre();
            window.UpdateCommands();
        }
    });
    if (!layoutFile.isEmpty()) {
        auto* reporter = new QTimer(&window);
        QObject::connect(reporter, &QTimer::timeout, &window, [&window, layoutFile] {
            if (!QFileInfo::exists(layoutFile))
                LayoutReport::Write(window, layoutFile);
        });
        // The first report once the windows have settled on the screen.
        QTimer::singleShot(700, reporter, [reporter] { reporter->start(200); });
    }
    return app.exec();
}
