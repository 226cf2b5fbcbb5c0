#include "MainWindow.h"

#include "DrawByCode.h"
#include "DxfCommands.h"
#include "PictureCommands.h"

#include <CAD.h>

#include <QApplication>
#include <QActionGroup>
#include <QButtonGroup>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
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

    FScrollArea = new QScrollArea(central);
    FScrollArea->setObjectName(QStringLiteral("ScrollBox"));
    FScrollArea->setBackgroundRole(QPalette::Dark);
    FScrollArea->setAlignment(Qt::AlignCenter);

    layout->addWidget(FToolPanel);
    layout->addWidget(FScrollArea, 1);
    setCentralWidget(central);

    CreateDrawing();
    CreateToolPalette();
    CreateMenus();
    CreateCommandBar();
    FLabelXY = new QLabel(this);
    statusBar()->addWidget(FLabelXY);
    FMyCAD1->SetLabelXY(FLabelXY);
    UpdateCommands();
    resize(1000, 750);
}

QString MainWindow::AppFolder()
{
    return QApplication::applicationDirPath();
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
    FMyCAD1->OnActionToolToSelecting = [this] {
        if (FSelectButton)
            FSelectButton->setChecked(true);
    };
    FMyCAD1->OnMouseUp = [this](QObject*, TMouseButton, TShiftState, int, int) { UpdateCommands(); };
    // A drawn image shape asks for its picture (after any handler installed before).
    FMyCAD1->OnShapeAdded = [this, previous = FMyCAD1->OnShapeAdded](TMyShape*& shape, int count) {
        if (previous)
            previous(shape, count);
        PictureCommands::PlacePicture(*FMyCAD1, shape);
    };
}

void MainWindow::CreateToolPalette()
{
    auto* tools = new QVBoxLayout(FToolPanel);
    tools->setContentsMargins(4, 4, 4, 4);
    FTools = new QButtonGroup(this);
    FTools->setExclusive(true);
    const std::pair<const char*, TDrawTool> palette[] = {
        {"Select", SpSelecting}, {"Rotate", SpRotateSelecting}, {"Line", SpLine}, {"Rule", SpRuleLine},
        {"Ellipse", SpEllipse},  {"Rect", SpRectangle},         {"Polyline", SpPolyLine}, {"Polygon", SpPolygon},
        {"FreeLine", SpFreeLine}, {"Arc", SpElliArc},           {"Bezier", SpPolyBezier}, {"BSpline", SpBLine},
        {"Text", SpText},         {"Image", SpImage},
        {"Link", SpLinkLine},    {"LineLink", SpLineLinkLine}, {"LinkPoint", SpLinkPoint}};
    for (const auto& [caption, tool] : palette) {
        auto* button = new QToolButton(FToolPanel);
        button->setText(QString::fromLatin1(caption));
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const TDrawTool t = tool;
        connect(button, &QToolButton::clicked, this, [this, t] { FMyCAD1->SetShapeTool(t); });
        FTools->addButton(button);
        tools->addWidget(button);
        if (tool == SpSelecting) {
            FSelectButton = button;
            button->setChecked(true);
        }
    }
    tools->addStretch();
}

QAction* MainWindow::Command(const QString& text, const std::function<void()>& run)
{
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, [this, run] {
        run();
        UpdateCommands();
    });
    return action;
}

void MainWindow::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(Command(QStringLiteral("New"), [this] { NewDrawing(); }));
    file->addAction(Command(QStringLiteral("LoadFromFile"), [this] { LoadDrawing(); }));
    file->addAction(Command(QStringLiteral("SaveToFile"), [this] { SaveDrawing(); }));
    file->addAction(Command(QStringLiteral("Merge a Drawing as a Block"), [this] { AddBlock(false); }));
    file->addAction(Command(QStringLiteral("Import a Drawing as a Block"), [this] { AddBlock(true); }));
    PictureCommands::AddTo(file, FMyCAD1, this);
    DxfCommands::AddTo(file, FMyCAD1, this);
    file->addSeparator();
    file->addAction(Command(QStringLiteral("Exit"), [this] { close(); }));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(Command(QStringLiteral("Undo"), [this] { FMyCAD1->PopFromUndoRedoShapeList(); }));
    QAction* copy = Command(QStringLiteral("Copy"), [this] { FMyCAD1->Copy(); });
    QAction* cut = Command(QStringLiteral("Cut"), [this] { FMyCAD1->Cut(); });
    QAction* paste = Command(QStringLiteral("Paste"), [this] { FMyCAD1->Paste(); });
    copy->setShortcut(QKeySequence::Copy);
    cut->setShortcut(QKeySequence::Cut);
    paste->setShortcut(QKeySequence::Paste);
    edit->addActions({copy, cut, paste});
    edit->addSeparator();
    FDelete = Command(QStringLiteral("Delete"), [this] { FMyCAD1->DeleteSelectedShapes(); });
    FGroup = Command(QStringLiteral("GroupShapes"), [this] { FMyCAD1->GroupWorkingShape(); });
    FUnGroup = Command(QStringLiteral("unGroupShapes"), [this] { UnGroup(); });
    FBringToFront = Command(QStringLiteral("BringToFront"),
                            [this] { FMyCAD1->BringToFront(FMyCAD1->GetSelectedShape(), true); });
    FSendToBack = Command(QStringLiteral("SendToBack"), [this] { FMyCAD1->SendToBack(FMyCAD1->GetSelectedShape(), true); });
    FLock = Command(QStringLiteral("Lock"), [this] { FMyCAD1->LockUnLockforShapes(FMyCAD1->GetSelectedShape(), true); });
    FUnLock = Command(QStringLiteral("UnLock"),
                      [this] { FMyCAD1->LockUnLockforShapes(FMyCAD1->GetSelectedShape(), false); });
    edit->addActions({FDelete, FGroup, FUnGroup, FBringToFront, FSendToBack, FLock, FUnLock});
    edit->addSeparator();
    edit->addAction(Command(QStringLiteral("FlipHorizontal"), [this] { FMyCAD1->FlipHoriz(FMyCAD1->GetSelectedShape()); }));
    edit->addAction(Command(QStringLiteral("FlipVertical"), [this] { FMyCAD1->FlipVert(FMyCAD1->GetSelectedShape()); }));

    QMenu* align = menuBar()->addMenu(QStringLiteral("&Align"));
    FAligns = {Command(QStringLiteral("AlignLeft"), [this] { FMyCAD1->AlignLeft(); }),
               Command(QStringLiteral("AlignRight"), [this] { FMyCAD1->AlignRight(); }),
               Command(QStringLiteral("AlignTop"), [this] { FMyCAD1->AlignTop(); }),
               Command(QStringLiteral("AlignBottom"), [this] { FMyCAD1->AlignBottom(); })};
    align->addActions(FAligns);

    QMenu* byCode = menuBar()->addMenu(QStringLiteral("Draw by Code"));
    for (const TDrawByCodeItem& item : DrawByCodeItems()) {
        QAction* action = byCode->addAction(item.Caption);
        connect(action, &QAction::triggered, this, [this, item] {
            item.Run(*FMyCAD1);
            UpdateCommands();
        });
    }
}

void MainWindow::CreateCommandBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setMovable(false);
    bar->addAction(Command(QStringLiteral("Undo"), [this] { FMyCAD1->PopFromUndoRedoShapeList(); }));
    bar->addActions({FDelete, FGroup, FUnGroup, FBringToFront, FSendToBack});
    bar->addSeparator();
    bar->addActions(FAligns);
    bar->addSeparator();
    auto* drag = new QActionGroup(this);
    const std::pair<const char*, TDragMode> modes[] = {{"Horz", dgHorz}, {"Vert", dgVert}, {"Both", dgBoth}};
    for (const auto& [caption, mode] : modes) {
        QAction* action = bar->addAction(QString::fromLatin1(caption));
        action->setCheckable(true);
        action->setChecked(mode == dgBoth);
        drag->addAction(action);
        const TDragMode m = mode;
        connect(action, &QAction::triggered, this, [this, m] { FMyCAD1->SetDragShapeMode(m); });
    }
    bar->addSeparator();
    bar->addAction(Command(QStringLiteral("Grid lines"), [this] {
        FMyCAD1->GridOperation()->SetGridType(gLine);
        FMyCAD1->Invalidate();
    }));
    bar->addAction(Command(QStringLiteral("Grid dots"), [this] {
        FMyCAD1->GridOperation()->SetGridType(gPixel);
        FMyCAD1->Invalidate();
    }));
}

void MainWindow::UpdateCommands()
{
    const int selected = FMyCAD1->GetSelectedShapesCount();
    const TMyShape* shape = FMyCAD1->GetSelectedShape();
    FDelete->setEnabled(selected >= 1);
    FBringToFront->setEnabled(selected >= 1);
    FSendToBack->setEnabled(selected >= 1);
    FGroup->setEnabled(selected > 1);
    FUnGroup->setEnabled(selected == 1);
    FLock->setVisible(shape != nullptr);
    FUnLock->setVisible(shape != nullptr);
    FLock->setEnabled(shape && !shape->Locked());
    FUnLock->setEnabled(shape && shape->Locked());
    for (QAction* a : FAligns)
        a->setEnabled(selected > 1);
}

void MainWindow::NewDrawing()
{
    if (MessageDlg(QStringLiteral("Begin a new drawing?"), TMsgDlgType::mtConfirmation, mbYesNo) == mrYes)
        FMyCAD1->DeleteAllShapes();
}

void MainWindow::LoadDrawing()
{
    QString name = AppFolder() + QStringLiteral("/samples/");
    if (!UIServices().OpenFileDialog(name, QStringLiteral("MyCAD drawings|*.zed|All Files|*.*"),
                                     QStringLiteral("Load a drawing")))
        return;
    if (!QFileInfo::exists(name))
        return;
    if (!FMyCAD1->IsZEDAFile(name)) {
        ShowMessage(name + QStringLiteral("is not a ZEDA format file!"));
        return;
    }
    if (!FMyCAD1->LoadFromFile(name))
        ShowMessage(QStringLiteral("Error when read file"));
}

void MainWindow::AddBlock(bool Import)
{
    QString name = AppFolder() + QStringLiteral("/samples/");
    if (!UIServices().OpenFileDialog(name, QStringLiteral("MyCAD drawings|*.zed|All Files|*.*"),
                                     QStringLiteral("Add a drawing as a block")))
        return;
    if (!QFileInfo::exists(name))
        return;
    if (!FMyCAD1->IsZEDAFile(name)) {
        ShowMessage(name + QStringLiteral("is not a ZEDA format file!"));
        return;
    }
    if (!FMyCAD1->AddBlockfromZEDAFile(name, Import ? TBlockLayerMode::Import : TBlockLayerMode::Merge))
        ShowMessage(QStringLiteral("Error when read file"));
}

void MainWindow::SaveDrawing()
{
    QString name = AppFolder() + QStringLiteral("/samples/drawing.zed");
    if (!UIServices().SaveFileDialog(name, QStringLiteral("MyCAD drawings|*.zed|All Files|*.*"),
                                     QStringLiteral("Save the drawing")))
        return;
    if (FMyCAD1->SaveToFile(name))
        ShowMessage(QStringLiteral("MyCAD1 has been saved to ") + name);
    else
        ShowMessage(QStringLiteral("Could not save the drawing to ") + name);
}

void MainWindow::UnGroup()
{
    if (FMyCAD1->GetSelectedShapesCount() != 1) {
        ShowMessage(QStringLiteral("No shape selected or more shapes selected!"));
        return;
    }
    FMyCAD1->UnGroupShape(FMyCAD1->GetSelectedShape(), true);
}
