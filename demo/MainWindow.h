#pragma once
#include <QMainWindow>

class QScrollArea;
class QWidget;
class TMyCAD;

// The demonstration main window: the tool panel on the left, the scrolling page with
// the drawing in the middle, and the menus.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QWidget* ToolPanel() const { return FToolPanel; }
    QScrollArea* ScrollArea() const { return FScrollArea; }
    TMyCAD* MyCAD1() const { return FMyCAD1; }

private:
    void CreateDrawing();
    void CreateDrawByCodeMenu();

    QWidget* FToolPanel = nullptr;
    QScrollArea* FScrollArea = nullptr;
    TMyCAD* FMyCAD1 = nullptr;
};
