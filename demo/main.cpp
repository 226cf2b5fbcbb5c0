// The demonstration application: one main window hosting the drawing component.
// With --samples the window starts with every "Draw by Code" shape on the page; with
// --copy it then runs Edit, Copy on what is selected (a picture lands on the clipboard).
#include "DrawByCode.h"
#include "MainWindow.h"

#include <QAction>
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MyCAD"));
    MainWindow window;
    if (QApplication::arguments().contains(QStringLiteral("--samples"))) {
        for (const TDrawByCodeItem& item : DrawByCodeItems())
            item.Run(*window.MyCAD1());
        window.UpdateCommands();
    }
    if (QApplication::arguments().contains(QStringLiteral("--copy"))) {
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == QLatin1String("Copy"))
                action->trigger();
    }
    window.show();
    return app.exec();
}
