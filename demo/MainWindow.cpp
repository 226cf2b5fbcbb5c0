#include "MainWindow.h"

#include <CAD.h>

#include "AboutBox.h"
#include "DocumentSession.h"
#include "RecoveryStore.h"
#include "DxfCommands.h"
#include "InspectorForm.h"
#include "LibShowForm.h"
#include "PictureCommands.h"
#include "ZoomMath.h"

#include <controls/ruler/RsRuler.h>
#include <controls/ruler/RsRulerCorner.h>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QString kDrawingFilter = QStringLiteral("MyCAD drawings|*.zed|All Files|*.*");

// The rulers of the window: pixels, 100 %, short ticks every unit and long ones every
// five, the hair line on, negative numbers shown.
void SetUpRuler(TRsRuler* ruler, TRulerDir direction)
{
    ruler->SetDirection(direction);
    ruler->SetUnit(ruPixel);
    ruler->SetScale(100);
    ruler->SetHairLine(true);
    ruler->SetHairLinePos(-1);
    ruler->SetShowMinus(true);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainFrm"));
    setAcceptDrops(true);
    CreateDrawing();
    CreateClientArea();
    FSession = new TDocumentSession(FMyCAD1, this);
    FRecovery = new TRecoveryStore(FMyCAD1, FSession, this);
    FInspector = new TInspectorFrm(this);
    FInspector->SetCanvas(FMyCAD1);
    FAbout = new TAboutBox(this);
    FLibrary = new TLibShowFrm(this);
    CreateToolPalette();
    CreateMenus();
    CreateCommandBar();
    CreatePopupMenu();
    FNavigator = new TPageNavigator(FMyCAD1, FScrollArea, FTopRuler, FLeftRuler, FZoomBox, this);
    HandleDrawingEvents();

    FLabelXY = new QLabel(this);
    FLabelXY->setMinimumWidth(160);
    FZoomLabel = new QLabel(this);
    FSelectionLabel = new QLabel(this);
    statusBar()->addWidget(FLabelXY);
    statusBar()->addPermanentWidget(FSelectionLabel);
    statusBar()->addPermanentWidget(FZoomLabel);
    FMyCAD1->SetLabelXY(FLabelXY);
    connect(FSession, &TDocumentSession::RecentFilesChanged, this, &MainWindow::FillRecentMenu);
    FillRecentMenu();
    UpdateCommands();
    FSession->Refresh();
    resize(1000, 750);

    const QString starter = StarterLibraryFile();
    if (!starter.isEmpty())
        FLibrary->OpenLibrary(starter);
}

MainWindow::~MainWindow()
{
    // The drawing's handlers and the navigator's event filters point into this window:
    // they go before the widgets they watch are torn down. The inspector lets go of the
    // drawing before the drawing goes.
    FMyCAD1->removeEventFilter(this);
    FMyCAD1->OnActionToolToSelecting = nullptr;
    FMyCAD1->OnShapeAdded = nullptr;
    FMyCAD1->OnShapeSelected = nullptr;
    FMyCAD1->OnChildShapeSelected = nullptr;
    FMyCAD1->OnShapeDeleted = nullptr;
    FMyCAD1->OnMouseDown = nullptr;
    FMyCAD1->OnMouseMove = nullptr;
    FMyCAD1->OnMouseUp = nullptr;
    FMyCAD1->OnUndoRedoChange = nullptr;
    delete FNavigator;
    FNavigator = nullptr;
    FInspector->SetCanvas(nullptr);
}

QString MainWindow::AppFolder()
{
    return QApplication::applicationDirPath();
}

QString MainWindow::StarterLibraryFile()
{
    const QString app = AppFolder();
    const QStringList candidates = {app + QStringLiteral("/libs/starter.lib"),
                                    app + QStringLiteral("/../share/MyCAD/starter.lib"),
#ifdef MYCAD_BUILT_STARTER_LIBRARY
                                    QStringLiteral(MYCAD_BUILT_STARTER_LIBRARY)
#endif
    };
    for (const QString& file : candidates)
        if (QFileInfo(file).isFile())
            return QFileInfo(file).canonicalFilePath();
    return {};
}

// The drawing starts as a 601 x 601 page (159 mm at 96 pixels per inch) with the
// demonstration's settings.
void MainWindow::CreateDrawing()
{
    FMyCAD1 = new TMyCAD;
    FMyCAD1->setObjectName(QStringLiteral("MyCAD1"));
    FMyCAD1->SetArcMode(TArcMode::amCircle);
    FMyCAD1->SetArrowAngle(10);
    FMyCAD1->SetArrowLength(30);
    FMyCAD1->SetArrowOffset(0);
    FMyCAD1->SetArrowStyle(TArrowStyle::ANone);
    FMyCAD1->Brush()->SetStyle(bsClear);
    FMyCAD1->SetColorOfBackGround(clWhite);
    FMyCAD1->SetColorOfHot(clLime);
    FMyCAD1->SetDragMode(dgBoth);
    FMyCAD1->SetDragTrace(true);
    TGridObject* grid = FMyCAD1->GridOperation();
    grid->SetGridColor(clSilver);
    grid->SetGridWidth(50);
    grid->SetGridHeight(50);
    grid->SetGridPenSize(1);
    grid->SetGridType(gLine);
    FMyCAD1->SetLinklineAroundShape(true);
    FMyCAD1->SetLockBound(true);
    FMyCAD1->SetMouseEffect(true);
    FMyCAD1->SetOperateAllLayer(true);
    FMyCAD1->SetPageFootAlignment(taRightJustify);
    FMyCAD1->SetPageOrientation(TPageOrientation::poPortrait);
    FMyCAD1->SetPageStyle(TPageStyle::CustomerPage);
    FMyCAD1->SetPageWidth(159);
    FMyCAD1->SetPageHeight(159);
    FMyCAD1->SetPrintABorder(true);
    FMyCAD1->SetPrintBackground(false);
    FMyCAD1->SetRatio(1);
    FMyCAD1->SetResizeEnable(true);
    FMyCAD1->SetReturnToSelecting(true);
    FMyCAD1->SetRotateConstraintDegree(0);
    FMyCAD1->SetRotateEnable(true);
    FMyCAD1->SetShapeTool(SpSelecting);
    FMyCAD1->SetSnap(true);
    FMyCAD1->SetTheUNIT(TUnits::mm);
    FMyCAD1->SetXYMode(TXYMode::Mode0);
    FMyCAD1->SetZoom(1);
    FMyCAD1->resize(601, 601);
    FMyCAD1->setCursor(Qt::CrossCursor);
    FMyCAD1->setAcceptDrops(true);
    FMyCAD1->installEventFilter(this);
}

// The ruler row (corner and horizontal ruler), the ruler column and the scroll box.
void MainWindow::CreateClientArea()
{
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    FToolPanel = new QWidget(central);
    FToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    FToolPanel->setFixedWidth(73);
    row->addWidget(FToolPanel);

    auto* client = new QWidget(central);
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    FCorner = new TRsRulerCorner(client);
    FCorner->SetPosition(cpLeftTop);
    FCorner->SetUnit(ruPixel);
    FCorner->setFixedSize(24, 24);
    FTopRuler = new TRsRuler(client);
    FTopRuler->setObjectName(QStringLiteral("TopRuler"));
    SetUpRuler(FTopRuler, rdTop);
    FTopRuler->setFixedHeight(24);
    FTopRuler->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    FLeftRuler = new TRsRuler(client);
    FLeftRuler->setObjectName(QStringLiteral("LeftRuler"));
    SetUpRuler(FLeftRuler, rdLeft);
    FLeftRuler->setFixedWidth(24);
    FLeftRuler->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    FScrollArea = new QScrollArea(client);
    FScrollArea->setObjectName(QStringLiteral("ScrollBox"));
    FScrollArea->setFrameShape(QFrame::NoFrame);
    QPalette gray = FScrollArea->palette();
    gray.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    FScrollArea->setPalette(gray);
    FScrollArea->setBackgroundRole(QPalette::Window);
    FScrollArea->setAlignment(Qt::AlignCenter);
    FScrollArea->setWidget(FMyCAD1);
    grid->addWidget(FCorner, 0, 0);
    grid->addWidget(FTopRuler, 0, 1);
    grid->addWidget(FLeftRuler, 1, 0);
    grid->addWidget(FScrollArea, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    row->addWidget(client, 1);
    setCentralWidget(central);
}

void MainWindow::HandleDrawingEvents()
{
    FMyCAD1->OnActionToolToSelecting = [this] {
        if (FSelectButton)
            FSelectButton->setChecked(true);
        FNavigator->SetArmedGesture(TPageNavigator::TGesture::None);
    };
    // A drawn image shape asks for its picture (after any handler installed before); the
    // inspector then shows the new shape.
    FMyCAD1->OnShapeAdded = [this, previous = FMyCAD1->OnShapeAdded](TMyShape*& shape, int count) {
        if (previous)
            previous(shape, count);
        PictureCommands::PlacePicture(*FMyCAD1, shape);
        FInspector->Rebuild();
        FInspector->Inspect(shape);
        FSession->Touch();
    };
    FMyCAD1->OnShapeSelected = [this](TMyShape*, TMyShape* selected) {
        FInspector->SetTopLevelMode();
        PointInspectorAt(FMyCAD1);
        if (selected)
            FInspector->Inspect(selected);
        ShowStatus();
    };
    FMyCAD1->OnChildShapeSelected = [this](TMyShape* child, bool&) {
        FInspector->SetChildMode(child);
        FInspector->Rebuild();
        FInspector->Inspect(child);
    };
    FMyCAD1->OnShapeDeleted = [this](TMyShape*) { FSession->Touch(); };
    // Undo and redo are named after the action they apply to as soon as it changes.
    FMyCAD1->OnUndoRedoChange = [this](QObject*) { UpdateCommands(); };
    FMyCAD1->OnMouseDown = [this](QObject*, TMouseButton button, TShiftState, int x, int y) {
        if (button == mbLeft)
            FNavigator->Press(x, y, FNavigator->ArmedGesture());
    };
    FMyCAD1->OnMouseMove = [this](QObject*, TShiftState, int x, int y) {
        FNavigator->TrackMouse(x, y);
        if (FNavigator->InGesture())
            FNavigator->Move(x, y);
    };
    FMyCAD1->OnMouseUp = [this](QObject*, TMouseButton, TShiftState, int x, int y) {
        if (FNavigator->InGesture())
            FNavigator->Release(x, y);
        UpdateCommands();
        FSession->Touch();
    };
}

void MainWindow::PointInspectorAt(QObject* Object)
{
    FInspector->Rebuild();
    FInspector->Inspect(Object);
}

void MainWindow::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    FInspector->SetTopLevelMode();
    PointInspectorAt(FMyCAD1);
    PlaceToolWindows();
    FInspector->show();
    FLibrary->show();
    FNavigator->Centre();
    for (TRsRuler* ruler : {FTopRuler, FLeftRuler}) {
        ruler->SetHairLine(true);
        ruler->SetHairLineStyle(hlsLine);
    }
    FNavigator->SyncRulers();
    FMyCAD1->SetColorOfHot(clLime);
}

// The inspector and the library browser float at the right of the screen the window is
// on, the inspector outermost, where they cover the least of the page.
void MainWindow::PlaceToolWindows()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int top = area.top() + 90;
    FInspector->move(area.right() - FInspector->width() - 12, top);
    FLibrary->move(area.right() - FInspector->width() - FLibrary->width() - 36, top);
}

void MainWindow::closeEvent(QCloseEvent* Event)
{
    if (!FSession->ConfirmDiscard([this] { return SaveDrawing(); })) {
        Event->ignore();
        return;
    }
    FInspector->close();
    FLibrary->close();
    Event->accept();
}

void MainWindow::ShowStatus()
{
    const int selected = FMyCAD1->GetSelectedShapesCount();
    FSelectionLabel->setText(selected == 1 ? QStringLiteral("1 shape selected")
                                           : QStringLiteral("%1 shapes selected").arg(selected));
    FZoomLabel->setText(QStringLiteral("Zoom %1%").arg(ZoomMath::ZoomPercent(FMyCAD1->Zoom())));
}

void MainWindow::UpdateCommands()
{
    const int selected = FMyCAD1->GetSelectedShapesCount();
    const TMyShape* shape = FMyCAD1->GetSelectedShape();
    const QString undone = FMyCAD1->UndoActionText(), redone = FMyCAD1->RedoActionText();
    FUndo->setEnabled(FMyCAD1->CanUndo());
    FUndo->setText(undone.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo %1").arg(undone));
    FRedo->setEnabled(FMyCAD1->CanRedo());
    FRedo->setText(redone.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo %1").arg(redone));
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
    ShowStatus();
}

QAction* MainWindow::FindAction(const QString& Text) const
{
    for (QAction* action : findChildren<QAction*>())
        if (action->text().remove(QLatin1Char('&')) == Text)
            return action;
    return nullptr;
}

// ---- Files --------------------------------------------------------------------------------

void MainWindow::AfterFileChange(const QString& FileName)
{
    FSession->SetClean(FileName);
    if (!FileName.isEmpty())
        FSession->AddRecentFile(FileName);
    FInspector->SetTopLevelMode();
    PointInspectorAt(FMyCAD1);
    FNavigator->Centre();
    UpdateCommands();
}

void MainWindow::NewDrawing()
{
    if (MessageDlg(QStringLiteral("Begin a new drawing?"), TMsgDlgType::mtConfirmation, mbYesNo) != mrYes)
        return;
    if (!FSession->ConfirmDiscard([this] { return SaveDrawing(); }))
        return;
    FMyCAD1->DeleteAllShapes();
    AfterFileChange(QString());
}

void MainWindow::LoadDrawing()
{
    PointInspectorAt(FMyCAD1);
    QString name = AppFolder() + QStringLiteral("/samples/");
    if (!UIServices().OpenFileDialog(name, kDrawingFilter, QStringLiteral("Load a drawing")))
        return;
    OpenFile(name);
}

bool MainWindow::OpenFile(const QString& FileName)
{
    if (!QFileInfo(FileName).isFile())
        return false;
    if (!FMyCAD1->IsZEDAFile(FileName)) {
        ShowMessage(FileName + QStringLiteral("is not a ZEDA format file!"));
        return false;
    }
    if (!FSession->ConfirmDiscard([this] { return SaveDrawing(); }))
        return false;
    if (!FMyCAD1->LoadFromFile(FileName)) {
        ShowMessage(QStringLiteral("Error when read file"));
        PointInspectorAt(FMyCAD1);
        return false;
    }
    AfterFileChange(FileName);
    return true;
}

void MainWindow::AddBlock(bool Import)
{
    QString name = AppFolder() + QStringLiteral("/samples/");
    if (!UIServices().OpenFileDialog(name, kDrawingFilter, QStringLiteral("Add a drawing as a block")))
        return;
    if (!QFileInfo::exists(name))
        return;
    if (!FMyCAD1->IsZEDAFile(name)) {
        ShowMessage(name + QStringLiteral("is not a ZEDA format file!"));
        return;
    }
    if (!FMyCAD1->AddBlockfromZEDAFile(name, Import ? TBlockLayerMode::Import : TBlockLayerMode::Merge))
        ShowMessage(QStringLiteral("Error when read file"));
    PointInspectorAt(FMyCAD1);
    FSession->Touch();
}

bool MainWindow::SaveDrawing()
{
    if (FSession->FileName().isEmpty())
        return SaveDrawingAs();
    return SaveTo(FSession->FileName());
}

bool MainWindow::SaveDrawingAs()
{
    QString name = FSession->FileName().isEmpty() ? AppFolder() + QStringLiteral("/samples/drawing.zed")
                                                  : FSession->FileName();
    if (!UIServices().SaveFileDialog(name, kDrawingFilter, QStringLiteral("Save the drawing")))
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".zed");
    return SaveTo(name);
}

// Writes the drawing to the file and says whether it did; the file becomes the drawing's.
bool MainWindow::SaveTo(const QString& name)
{
    if (!FMyCAD1->SaveToFile(name)) {
        ShowMessage(QStringLiteral("Could not save the drawing to ") + name);
        return false;
    }
    ShowMessage(QStringLiteral("MyCAD1 has been saved to ") + name);
    FSession->SetClean(name);
    FSession->AddRecentFile(name);
    return true;
}

void MainWindow::UnGroup()
{
    if (FMyCAD1->GetSelectedShapesCount() != 1) {
        ShowMessage(QStringLiteral("No shape selected or more shapes selected!"));
        return;
    }
    FMyCAD1->UnGroupShape(FMyCAD1->GetSelectedShape(), true);
    PointInspectorAt(FMyCAD1);
}

void MainWindow::DeleteSelected()
{
    FMyCAD1->DeleteSelectedShapes();
    PointInspectorAt(FMyCAD1);
}

void MainWindow::LoadLibrary()
{
    QString name = AppFolder() + QStringLiteral("/libs/");
    if (!UIServices().OpenFileDialog(name, QStringLiteral("Shape libraries|*.lib|All Files|*.*"),
                                     QStringLiteral("Load a library")))
        return;
    if (QFileInfo::exists(name))
        FLibrary->OpenLibrary(name);
    FLibrary->show();
}

void MainWindow::ArmGesture(TPageNavigator::TGesture Gesture)
{
    FNavigator->SetArmedGesture(Gesture);
    if (Gesture != TPageNavigator::TGesture::None)
        FMyCAD1->SetShapeTool(SpClose);
}

// ---- Dropping -----------------------------------------------------------------------------

// Files dropped on the window open: drawings replace the drawing, libraries open in the
// browser, DXF files are imported.
void MainWindow::dragEnterEvent(QDragEnterEvent* Event)
{
    if (Event->mimeData()->hasUrls())
        Event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* Event)
{
    for (const QUrl& url : Event->mimeData()->urls()) {
        const QString file = url.toLocalFile();
        if (file.isEmpty())
            continue;
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QLatin1String("lib")) {
            FLibrary->OpenLibrary(file);
            FLibrary->show();
        } else if (suffix == QLatin1String("dxf")) {
            DxfCommands::ImportFile(*FMyCAD1, file, this);
            FSession->Touch();
        } else {
            OpenFile(file);
        }
        Event->acceptProposedAction();
        return;
    }
}

// The page takes the icons dragged from the library browser: the shape is placed at
// the drop point.
bool MainWindow::DropLibraryShape(QDropEvent* Event)
{
    const QString name = TLibShowFrm::DraggedShapeName(Event->mimeData());
    TLibManager* library = FLibrary->DraggedLibrary(Event->mimeData());
    if (!library)
        library = FLibrary->CurrentLibrary();
    if (name.isEmpty() || !library)
        return false;
    const QPoint at = Event->position().toPoint();
    FMyCAD1->AddUserDefineShapefromLib(library, name, at.x(), at.y());
    FMyCAD1->Invalidate();
    Event->acceptProposedAction();
    FSession->Touch();
    return true;
}

bool MainWindow::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FMyCAD1)
        return QMainWindow::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(Event);
        if (!TLibShowFrm::IsLibraryDrag(drag->mimeData()))
            return false; // files go on to the window
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop:
        return DropLibraryShape(static_cast<QDropEvent*>(Event));
    case QEvent::KeyRelease:
        FSession->Touch();
        return false;
    default:
        return false;
    }
}
