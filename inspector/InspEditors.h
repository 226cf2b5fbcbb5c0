#pragma once
// The child controls of the inspector control, placed over its selected row: the
// in-place edit, the in-place check box, the small button at the row's right end (drop
// down, up-down or dialog) and the drop-down list that floats above every window.
// Each hands what the user does to the inspector that owns it.
#include "mycad_export.h"
#include "inspector/InspTypes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

class TCustomInspector;

class MYCAD_EXPORT TInspectorEdit : public QLineEdit {
    Q_OBJECT
public:
    TInspectorEdit(TCustomInspector* inspector, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TCustomInspector* FInspector;
};

class MYCAD_EXPORT TInspectorCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TInspectorCheckBox(TCustomInspector* inspector, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCustomInspector* FInspector;
};

class MYCAD_EXPORT TInspectorButton : public QAbstractButton {
    Q_OBJECT
public:
    TInspectorButton(TCustomInspector* inspector, QWidget* parent);

    TButtonType ButtonType() const { return FButtonType; }
    void SetButtonType(TButtonType value);
    // While an up-down button is held: whether it is being dragged.
    bool Dragging() const { return FDragging; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TCustomInspector* FInspector;
    TButtonType FButtonType = btNone;
    bool FDragging = false;
};

class MYCAD_EXPORT TInspectorPopup : public QListWidget {
    Q_OBJECT
public:
    TInspectorPopup(TCustomInspector* inspector, QWidget* parent);

    // The row of the inspector the list was opened for.
    int Row() const { return FRow; }
    void SetRow(int row) { FRow = row; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TCustomInspector* FInspector;
    int FRow = -1;
};
