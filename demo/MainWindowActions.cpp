// MainWindow: the tool palette, the menus, the command bar and the page's pop-up menu.
// Every command runs guarded: an error in it is shown as a message and the program goes
// on.
#include "MainWindow.h"

#include <CAD.h>

#include "AboutBox.h"
#include "DocumentSession.h"
#include "DrawByCode.h"
#include "DxfCommands.h"
#include "InspectorForm.h"
#include "LibShowForm.h"
#include "PaletteIcons.h"
#include "PictureCommands.h"


#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace {

struct TPaletteEntry {
    const char* Icon;
    const char* Tip;
    TDrawTool Tool;
    TPageNavigator::TGesture Gesture;
};

// The palette in its order: the tools, then the toggles without a tool of their own.
constexpr TPageNavigator::TGesture kNoGesture = TPageNavigator::TGesture::None;
const TPaletteEntry kPalette[] = {
    {"select", "Select", SpSelecting, kNoGesture},
    {"rotate", "Select and rotate", SpRotateSelecting, kNoGesture},
    {"link", "Connector", SpLinkLine, kNoGesture},
    {"linelink", "Junction on a connector", SpLineLinkLine, kNoGesture},
    {"line", "Line", SpLine, kNoGesture},
    {"rule", "Dimension line", SpRuleLine, kNoGesture},
    {"ellipse", "Ellipse", SpEllipse, kNoGesture},
    {"rect", "Rectangle", SpRectangle, kNoGesture},
    {"polyline", "Polyline", SpPolyLine, kNoGesture},
    {"polygon", "Polygon", SpPolygon, kNoGesture},
    {"arc", "Elliptic arc", SpElliArc, kNoGesture},
    {"bezier", "Bezier curve", SpPolyBezier, kNoGesture},
    {"text", "Text", SpText, kNoGesture},
    {"image", "Picture", SpImage, kNoGesture},
    {"freeline", "Free line", SpFreeLine, kNoGesture},
    {"bspline", "B-spline curve", SpBLine, kNoGesture},
    {"linkpoint", "Link point", SpLinkPoint, kNoGesture},
    {"zoomin", "Zoom in (drag a rectangle or click)", SpClose, TPageNavigator::TGesture::ZoomIn},
    {"zoomout", "Zoom out (click)", SpClose, TPageNavigator::TGesture::ZoomOut},
    {"pan", "Drag the page", SpClose, TPageNavigator::TGesture::Pan},
};

} // namespace

QAction* MainWindow::Command(const QString& Text, const std::function<void()>& Run)
{
    auto* action = new QAction(Text, this);
    connect(action, &QAction::triggered, this, [this, Text, Run] {
        try {
            Run();
        } catch (const std::exception& error) {
            ShowMessage(QStringLiteral("%1 failed: %2").arg(QString(Text).remove(QLatin1Char('&')),
                                                            QString::fromLocal8Bit(error.what())));
        } catch (...) {
            ShowMessage(QStringLiteral("%1 failed.").arg(QString(Text).remove(QLatin1Char('&'))));
        }
        UpdateCommands();
        FSession->Touch();
    });
    return action;
}

void MainWindow::CreateToolPalette()
{
    auto* grid = new QGridLayout(FToolPanel);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    FTools = new QButtonGroup(this);
    FTools->setExclusive(true);
    int index = 0;
    for (const TPaletteEntry& entry : kPalette) {
        auto* button = new QToolButton(FToolPanel);
        button->setObjectName(QStringLiteral("Tool_") + QString::fromLatin1(entry.Icon));
        button->setIcon(PaletteIcons::Icon(QString::fromLatin1(entry.Icon)));
        button->setIconSize(QSize(24, 24));
        button->setToolTip(QString::fromLatin1(entry.Tip));
        button->setText(QString::fromLatin1(entry.Tip)); // shown only as the tip; read by screen readers
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(32, 32);
        const TPaletteEntry e = entry;
        connect(button, &QToolButton::clicked, this, [this, e] {
            if (e.Gesture != TPageNavigator::TGesture::None) {
                ArmGesture(e.Gesture);
                return;
            }
            FNavigator->SetArmedGesture(TPageNavigator::TGesture::None);
            FMyCAD1->SetShapeTool(e.Tool);
        });
        FTools->addButton(button);
        grid->addWidget(button, index / 2, index % 2);
        if (entry.Tool == SpSelecting) {
            FSelectButton = button;
            button->setChecked(true);
        }
        ++index;
    }
    auto* remove = new QToolButton(FToolPanel);
    remove->setObjectName(QStringLiteral("Tool_delete"));
    remove->setIcon(PaletteIcons::Icon(QStringLiteral("delete")));
    remove->setIconSize(QSize(24, 24));
    remove->setToolTip(QStringLiteral("Delete the selection"));
    remove->setAutoRaise(true);
    remove->setFixedSize(32, 32);
    connect(remove, &QToolButton::clicked, this, [this] {
        DeleteSelected();
        UpdateCommands();
        FSession->Touch();
    });
    grid->addWidget(remove, index / 2 + 1, 0);
    grid->setRowStretch(index / 2 + 2, 1);
}

void MainWindow::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* create = Command(QStringLiteral("New"), [this] { NewDrawing(); });
    create->setShortcut(QKeySequence::New);
    QAction* open = Command(QStringLiteral("LoadFromFile"), [this] { LoadDrawing(); });
    open->setShortcut(QKeySequence::Open);
    QAction* save = Command(QStringLiteral("SaveToFile"), [this] { SaveDrawing(); });
    save->setShortcut(QKeySequence::Save);
    QAction* saveAs = Command(QStringLiteral("Save As..."), [this] { SaveDrawingAs(); });
    saveAs->setShortcut(QKeySequence::SaveAs);
    file->addActions({create, open, save, saveAs});
    FRecentMenu = file->addMenu(QStringLiteral("Recent Files"));
    file->addSeparator();
    file->addAction(Command(QStringLiteral("Merge a Drawing as a Block"), [this] { AddBlock(false); }));
    file->addAction(Command(QStringLiteral("Import a Drawing as a Block"), [this] { AddBlock(true); }));
    PictureCommands::AddTo(file, FMyCAD1, this);
    DxfCommands::AddTo(file, FMyCAD1, this);
    file->addSeparator();
    file->addAction(Command(QStringLiteral("Load&FromStream"), [] {
        ShowMessage(QStringLiteral("You can load MyCAD from  database !  function  "
                                   "TMyCAD.LoadFromStream(Stream: TStream):Boolean;"));
    }));
    file->addAction(Command(QStringLiteral("Save&ToStream"), [] {
        ShowMessage(QStringLiteral("You can use this function to Save MyCAD to database !  function "
                                   "TMyCAD.SaveToStream(Stream: TStream):Boolean;"));
    }));
    file->addAction(Command(QStringLiteral("load from library"), [this] { LoadLibrary(); }));
    file->addSeparator();
    QAction* quit = Command(QStringLiteral("Exit"), [this] { close(); });
    quit->setShortcut(QKeySequence::Quit);
    file->addAction(quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    FUndo = Command(QStringLiteral("Undo"), [this] {
        FMyCAD1->PopFromUndoRedoShapeList();
        PointInspectorAt(FMyCAD1);
    });
    FUndo->setShortcut(QKeySequence::Undo);
    FRedo = Command(QStringLiteral("Redo"), [this] {
        FMyCAD1->Redo();
        PointInspectorAt(FMyCAD1);
    });
    FRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addActions({FUndo, FRedo});
    edit->addSeparator();
    QAction* copy = Command(QStringLiteral("Copy"), [this] { FMyCAD1->Copy(); });
    QAction* cut = Command(QStringLiteral("Cut"), [this] {
        FMyCAD1->Cut();
        PointInspectorAt(FMyCAD1);
    });
    QAction* paste = Command(QStringLiteral("Paste"), [this] { FMyCAD1->Paste(); });
    copy->setShortcut(QKeySequence::Copy);
    cut->setShortcut(QKeySequence::Cut);
    paste->setShortcut(QKeySequence::Paste);
    QAction* all = Command(QStringLiteral("Select All"), [this] { FMyCAD1->SelectAllShapes(); });
    all->setShortcut(QKeySequence::SelectAll);
    edit->addActions({copy, cut, paste, all});
    edit->addSeparator();
    FDelete = Command(QStringLiteral("Delete"), [this] { DeleteSelected(); });
    FDelete->setShortcut(QKeySequence::Delete);
    FDelete->setIcon(PaletteIcons::Icon(QStringLiteral("delete")));
    FGroup = Command(QStringLiteral("GroupShapes"), [this] { FMyCAD1->GroupWorkingShape(); });
    FGroup->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    FUnGroup = Command(QStringLiteral("unGroupShapes"), [this] { UnGroup(); });
    FUnGroup->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
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

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* zoomIn = Command(QStringLiteral("Zoom In"), [this] { FNavigator->SetZoom(FMyCAD1->Zoom() * 1.2); });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = Command(QStringLiteral("Zoom Out"), [this] { FNavigator->SetZoom(FMyCAD1->Zoom() * 0.8); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* actual = Command(QStringLiteral("Actual Size"), [this] { FNavigator->SetZoom(1); });
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    QAction* fit = Command(QStringLiteral("Fit Page"), [this] { FNavigator->FitPage(); });
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    view->addActions({zoomIn, zoomOut, actual, fit});

    QMenu* byCode = menuBar()->addMenu(QStringLiteral("Draw by Code"));
    for (const TDrawByCodeItem& item : DrawByCodeItems())
        byCode->addAction(Command(item.Caption, [this, item] { item.Run(*FMyCAD1); }));

    QMenu* windows = menuBar()->addMenu(QStringLiteral("&Window"));
    windows->addAction(Command(QStringLiteral("Inspector"), [this] {
        FInspector->show();
        FInspector->raise();
    }));
    windows->addAction(Command(QStringLiteral("Library"), [this] {
        FLibrary->show();
        FLibrary->raise();
    }));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(Command(QStringLiteral("About"), [this] { FAbout->exec(); }));
}

void MainWindow::FillRecentMenu()
{
    FRecentMenu->clear();
    const QStringList files = FSession->RecentFiles();
    for (const QString& file : files)
        FRecentMenu->addAction(Command(QFileInfo(file).fileName(), [this, file] {
            if (!OpenFile(file) && !QFileInfo::exists(file))
                ShowMessage(file + QStringLiteral(" no longer exists."));
        }));
    FRecentMenu->setEnabled(!files.isEmpty());
}

void MainWindow::CreateCommandBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("CommandBar"));
    bar->setMovable(false);
    bar->setMinimumHeight(41);
    for (const char* name : {"New", "LoadFromFile", "SaveToFile", "load from library"})
        bar->addAction(FindAction(QString::fromLatin1(name)));
    bar->addSeparator();
    bar->addAction(FUndo);
    bar->addAction(FRedo);
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
        action->setToolTip(QStringLiteral("Drag shapes %1").arg(mode == dgHorz   ? QStringLiteral("horizontally only")
                                                               : mode == dgVert ? QStringLiteral("vertically only")
                                                                                : QStringLiteral("in both directions")));
        drag->addAction(action);
        const TDragMode m = mode;
        connect(action, &QAction::triggered, this, [this, m] { FMyCAD1->SetDragShapeMode(m); });
    }
    bar->addSeparator();
    bar->addAction(FindAction(QStringLiteral("FlipHorizontal")));
    bar->addAction(FindAction(QStringLiteral("FlipVertical")));
    bar->addSeparator();
    bar->addAction(Command(QStringLiteral("Grid lines"), [this] {
        FMyCAD1->GridOperation()->SetGridType(gLine);
        FMyCAD1->Invalidate();
    }));
    bar->addAction(Command(QStringLiteral("Grid dots"), [this] {
        FMyCAD1->GridOperation()->SetGridType(gPixel);
        FMyCAD1->Invalidate();
    }));
    bar->addSeparator();
    FZoomBox = new QComboBox(bar);
    FZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    // Editable, so that it can show any zoom (120 % after a gesture) and take a typed one.
    FZoomBox->setEditable(true);
    FZoomBox->setInsertPolicy(QComboBox::NoInsert);
    FZoomBox->setToolTip(QStringLiteral("Zoom"));
    FZoomBox->setMinimumContentsLength(5);
    bar->addWidget(FZoomBox);
}

void MainWindow::CreatePopupMenu()
{
    FPopup = new QMenu(this);
    FPopup->addActions({FDelete, FBringToFront, FSendToBack});
    FPopup->addSeparator();
    FPopup->addActions({FLock, FUnLock});
    FPopup->addSeparator();
    FPopup->addActions({FGroup, FUnGroup});
    FPopup->addSeparator();
    for (const char* name : {"Copy", "Cut", "Paste"})
        FPopup->addAction(FindAction(QString::fromLatin1(name)));
    FMyCAD1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FMyCAD1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateCommands();
        FPopup->popup(FMyCAD1->mapToGlobal(at));
    });
}
