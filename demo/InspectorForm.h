#pragma once
// TInspectorFrm: the always-on-top inspector window of the demonstration. A component
// combo box on top lists the canvas and its shapes, a component inspector below shows the
// published properties of the chosen one, and "Close" at the bottom closes the window.
//
// The window adds the demonstration's rules: in top-level mode the combo lists the canvas
// and the shapes outside any group; in child mode (a shape inside a group was selected)
// the canvas and that shape's brothers. Choosing a shape selects it on the canvas. The
// colour red is shown as "Czerwony" and "czerwony" (any case) typed into a colour stores
// clRed; user data reads "(Text)" or "(Empty)"; string properties get a dialog button
// that opens an input box.
//
// The window never points at a freed shape: what it inspects and the remembered child are
// held through QPointer, and when the inspected shape goes (deleted, undone, cut,
// ungrouped, a new or loaded drawing) the window turns to the canvas.
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QPushButton;
class TComponentComboBox;
class TComponentInspector;
class TMyCAD;
class TMyShape;
class TProperty;

class TInspectorFrm : public QWidget {
    Q_OBJECT
public:
    explicit TInspectorFrm(QWidget* parent = nullptr);
    ~TInspectorFrm() override;

    // The canvas whose objects are listed and inspected (null lets go of it).
    void SetCanvas(TMyCAD* Canvas);
    TMyCAD* Canvas() const;
    // The combo lists top-level shapes, or the brothers of a child shape. The list
    // follows at the next Rebuild or Inspect.
    void SetTopLevelMode();
    void SetChildMode(TMyShape* Child);
    bool TopLevelMode() const { return FTopLevel; }
    TMyShape* ChildShape() const;
    // Rebuilds the combo's list from the canvas.
    void Rebuild();
    // Makes Object the inspected object and the combo's current item; null inspects the
    // canvas.
    void Inspect(QObject* Object);
    // The single inspected object (null when none).
    QObject* Inspected() const;

    TComponentComboBox* ComboBox() const { return FCombo; }
    TComponentInspector* Inspector() const { return FInspector; }
    QPushButton* CloseButton() const { return FCloseButton; }

    // The demonstration's texts: a property's value as shown, and a typed text as stored.
    static QString ShownValue(const TProperty* Prop, const QString& Text);
    static QString StoredValue(const TProperty* Prop, const QString& Text);
    // Whether a property holds text (string, long string or wide string).
    static bool IsStringProperty(const TProperty* Prop);

private:
    // The handlers of the combo box and the inspector.
    void InstallHandlers();
    void FilterComponent(QObject* Component, bool& Accept) const;
    void ComponentChosen(QObject* Component);
    bool EditString(int Row, bool& Changed);
    // Whether S is one of the canvas's shapes now.
    bool InCanvas(const TMyShape* S) const;
    // Remembers the inspected object and watches for its end.
    void Watch(QObject* Object);
    // After the inspected object went: the canvas, once the deletion is over.
    void InspectedGone();
    void InvalidateCanvas();

    TComponentComboBox* FCombo = nullptr;
    TComponentInspector* FInspector = nullptr;
    QPushButton* FCloseButton = nullptr;
    QPointer<TMyCAD> FCanvas;
    QPointer<TMyShape> FChild;
    QPointer<QObject> FInspected;
    QMetaObject::Connection FInspectedWatch;
    bool FTopLevel = true;
    bool FFallbackQueued = false;
};
