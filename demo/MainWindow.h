#pragma once
#include <QMainWindow>
#include <functional>

class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QScrollArea;
class QToolButton;
class QWidget;
class TMyCAD;

// The demonstration main window: the tool palette on the left, the command bar on top,
// the scrolling page with the drawing in the middle, and the menus.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QWidget* ToolPanel() const { return FToolPanel; }
    QScrollArea* ScrollArea() const { return FScrollArea; }
    TMyCAD* MyCAD1() const { return FMyCAD1; }
    // Enables the commands by the selection, as after every mouse release on the page.
    void UpdateCommands();
    // The folder of the executable, where the demonstration's files live.
    static QString AppFolder();

    // ---- Commands (the menu items and buttons call these) ---------------------------
    void NewDrawing();
    void LoadDrawing();
    // Adds a drawing file chosen in the open dialog as a block: merged onto the current
    // layer, or imported onto layers of its own.
    void AddBlock(bool Import);
    void SaveDrawing();
    void UnGroup();

private:
    void CreateDrawing();
    void CreateToolPalette();
    void CreateMenus();
    void CreateCommandBar();
    QAction* Command(const QString& text, const std::function<void()>& run);

    QWidget* FToolPanel = nullptr;
    QScrollArea* FScrollArea = nullptr;
    TMyCAD* FMyCAD1 = nullptr;
    QButtonGroup* FTools = nullptr;
    QToolButton* FSelectButton = nullptr;
    QLabel* FLabelXY = nullptr;
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
