#pragma once
#include <QMainWindow>

class QScrollArea;
class QWidget;

// The demonstration main window: the tool panel on the left, the scrolling page in
// the middle.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QWidget* ToolPanel() const { return FToolPanel; }
    QScrollArea* ScrollArea() const { return FScrollArea; }

private:
    QWidget* FToolPanel = nullptr;
    QScrollArea* FScrollArea = nullptr;
};
