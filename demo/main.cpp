// The demonstration application: one main window hosting the drawing component.
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MyCAD"));
    MainWindow window;
    window.show();
    return app.exec();
}
