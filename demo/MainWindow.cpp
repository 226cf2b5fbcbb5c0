#include "MainWindow.h"

#include "DrawByCode.h"

#include <CAD.h>

#include <QHBoxLayout>
#include <QMenuBar>
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
    FToolPanel->setFixedWidth(73);
    auto* tools = new QVBoxLayout(FToolPanel);
    tools->addStretch();

    FScrollArea = new QScrollArea(central);
    FScrollArea->setObjectName(QStringLiteral("ScrollBox"));
    FScrollArea->setBackgroundRole(QPalette::Dark);
    FScrollArea->setAlignment(Qt::AlignCenter);

    layout->addWidget(FToolPanel);
    layout->addWidget(FScrollArea, 1);
    setCentralWidget(central);

    CreateDrawing();
    CreateDrawByCodeMenu();
    resize(1000, 750);
}

// The drawing starts as a 601 x 601 page with the demonstration's settings.
void MainWindow::CreateDrawing()
{
    FMyCAD1 = new TMyCAD;
    FMyCAD1->setObjectName(QStringLiteral("MyCAD1"));
    FMyCAD1->Brush()->SetStyle(bsClear);
    FMyCAD1->SetColorOfHot(clLime);
    FMyCAD1->GridOperation()->SetGridWidth(50);
    FMyCAD1->GridOperation()->SetGridHeight(50);
    FMyCAD1->SetLockBound(true);
    FMyCAD1->resize(601, 601);
    FScrollArea->setWidget(FMyCAD1);
}

void MainWindow::CreateDrawByCodeMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Draw by Code"));
    for (const TDrawByCodeItem& item : DrawByCodeItems()) {
        QAction* action = menu->addAction(item.Caption);
        connect(action, &QAction::triggered, this, [this, item] { item.Run(*FMyCAD1); });
    }
}
