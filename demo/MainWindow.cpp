#include "MainWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("MyCAD"));
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FToolPanel = new QWidget(central);
    FToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    FToolPanel->setFixedWidth(64);
    auto* tools = new QVBoxLayout(FToolPanel);
    tools->addStretch();

    FScrollArea = new QScrollArea(central);
    FScrollArea->setObjectName(QStringLiteral("ScrollBox"));
    FScrollArea->setBackgroundRole(QPalette::Dark);
    FScrollArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    layout->addWidget(FToolPanel);
    layout->addWidget(FScrollArea, 1);
    setCentralWidget(central);
    resize(1000, 750);
}
