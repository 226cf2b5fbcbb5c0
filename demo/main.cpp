// The demonstration application: one main window hosting the drawing component.
// With --samples the window starts with every "Draw by Code" shape on the page.
#include "DrawByCode.h"
#include "MainWindow.h"

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
    window.show();
    return app.exec();
}
