#pragma once
// The demonstration main window: the tool palette on the left, the command bar with the
// zoom box on top, the rulers along the scrolling page, the menus and the page's pop-up
// menu, the status bar; it feeds the inspector window and the library browser, and keeps
// the window title, the unsaved-changes mark and the recent files.
#include "PageNavigator.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;
class QWidget;
class TAboutBox;
class TDocumentSession;
class TInspectorFrm;
class TLibShowFrm;
class TRecoveryStore;
class TMyCAD;
class TMyShape;
class TRsRuler;
class TRsRulerCorner;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* ToolPanel() const { return FToolPanel; }
    QScrollArea* ScrollArea() const { return FScrollArea; }
    TMyCAD* MyCAD1() const { return FMyCAD1; }
    TRsRuler* TopRuler() const { return FTopRuler; }
    TRsRuler* LeftRuler() const { return FLeftRuler; }
    QComboBox* ZoomBox() const { return FZoomBox; }
    TPageNavigator* Navigator() const { return FNavigator; }
    TDocumentSession* Session() const { return FSession; }
    TRecoveryStore* Recovery() const { return FRecovery; }
    TInspectorFrm* Inspector() const { return FInspector; }
    TLibShowFrm* Library() const { return FLibrary; }
    // The action whose text (without "&") is Text, in the menus or the bars; nullptr when none.
    QAction* FindAction(const QString& Text) const;
    // Enables the commands by the selection, as after every mouse release on the page.
    void UpdateCommands();
    // The folder of the executable, where the demonstration's files live.
    static QString AppFolder();
    // The starter library shipped with the component, where it is found ("" when nowhere).
    static QString StarterLibraryFile();

    // ---- Commands (the menu items and buttons call these) ---------------------------
    void NewDrawing();
    void LoadDrawing();
    // Opens a drawing without a dialog (recent files, a dropped file, the command line);
    // asks first when the drawing has unsaved changes. True when the file was loaded.
    bool OpenFile(const QString& FileName);
    // Adds a drawing file chosen in the open dialog as a block: merged onto the current
    // layer, or imported onto layers of its own.
    void AddBlock(bool Import);
    // Saves to the drawing's file, asking for a name when it has none; true when saved.
    bool SaveDrawing();
    bool SaveDrawingAs();
    void UnGroup();
    void DeleteSelected();
    // Asks for a library file in the "libs" folder and opens it in the library browser.
    void LoadLibrary();
    // The tool-palette toggles without a tool of their own.
    void ArmGesture(TPageNavigator::TGesture Gesture);

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Built in MainWindow.cpp.
    void CreateDrawing();
    void CreateClientArea();
    void HandleDrawingEvents();
    void PointInspectorAt(QObject* Object);
    void PlaceToolWindows();
    void ShowStatus();
    void AfterFileChange(const QString& FileName);
    bool SaveTo(const QString& FileName);
    bool DropLibraryShape(QDropEvent* Event);
    // Built in MainWindowActions.cpp.
    void CreateToolPalette();
    void CreateMenus();
    void CreateCommandBar();
    void CreatePopupMenu();
    void FillRecentMenu();
    QAction* Command(const QString& Text, const std::function<void()>& Run);

    QWidget* FToolPanel = nullptr;
    QScrollArea* FScrollArea = nullptr;
    TMyCAD* FMyCAD1 = nullptr;
    TRsRulerCorner* FCorner = nullptr;
    TRsRuler* FTopRuler = nullptr;
    TRsRuler* FLeftRuler = nullptr;
    QComboBox* FZoomBox = nullptr;
    TPageNavigator* FNavigator = nullptr;
    TDocumentSession* FSession = nullptr;
    TRecoveryStore* FRecovery = nullptr;
    TInspectorFrm* FInspector = nullptr;
    TLibShowFrm* FLibrary = nullptr;
    TAboutBox* FAbout = nullptr;
    QButtonGroup* FTools = nullptr;
    QToolButton* FSelectButton = nullptr;
    QLabel* FLabelXY = nullptr;
    QLabel* FZoomLabel = nullptr;
    QLabel* FSelectionLabel = nullptr;
    QMenu* FRecentMenu = nullptr;
    QMenu* FPopup = nullptr;
    bool FShownOnce = false;
    // Undo and redo, named after the action they apply to.
    QAction* FUndo = nullptr;
    QAction* FRedo = nullptr;
    // Commands enabled by the selection.
    QAction* FDelete = nullptr;
    QAction* FBringToFront = nullptr;
    QAction* FSendToBack = nullptr;
    QAction* FGroup = nullptr;
    QAction* FUnGroup = nullptr;
    QAction* FLock = nullptr;
    QAction* FUnLock = nullptr;
    QList<QAction*> FAligns;
};
