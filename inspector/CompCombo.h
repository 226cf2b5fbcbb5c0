#pragma once
// TCustomComponentComboBox (TComponentComboBox): a drop-down list of the inspector's
// root drawing and its shapes in drawing order, each accepted by OnFilter and labelled
// "name: class" ("(noname)" for a shape without a name). Choosing an entry makes it the
// inspector's instance. The list is rebuilt after every update of the inspector and
// whenever the drawing's shape list changed, with its signals blocked, so rebuilding
// never selects anything; only the user's choices (activated) do.
#include "mycad_export.h"

#include <QComboBox>
#include <QPointer>

#include <functional>
#include <vector>

class TCustomComponentComboBox;
class TCustomComponentInspector;
class TMyCAD;

using TComponentFilterEvent = std::function<void(TCustomComponentComboBox* Sender, QObject* Component, bool& Accept)>;
using TComponentTextEvent = std::function<void(TCustomComponentComboBox* Sender, QObject* Component, QString& Text)>;
using TComponentChangeEvent = std::function<void(TCustomComponentComboBox* Sender, QObject* Component)>;

class MYCAD_EXPORT TCustomComponentComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TCustomComponentComboBox(QWidget* parent = nullptr);
    ~TCustomComponentComboBox() override;

    TCustomComponentInspector* Inspector() const { return FInspector; }
    void SetInspector(TCustomComponentInspector* Inspector);

    // "name: class", the name "(noname)" when empty; OnGetComponentText may change it.
    QString GetComponentText(QObject* Component);
    // Rebuilds the entries and shows the inspector's instance when it has exactly one.
    void RebuildList();
    // The object of an entry (null when gone).
    QObject* ComponentAt(int Index) const;
    // What the inspector calls after every update.
    void InspectorUpdated();

    TComponentFilterEvent OnFilter;
    TComponentTextEvent OnGetComponentText;
    // After the user chose an entry and it became the inspector's instance.
    TComponentChangeEvent OnChange;

    void showPopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Chosen(int index);
    void ComponentDestroyed(QObject* Gone);
    void WatchRoot(TMyCAD* Root);
    // Whether the drawing's shapes changed since the list was built.
    bool ListStale() const;

    QPointer<TCustomComponentInspector> FInspector;
    QPointer<TMyCAD> FWatchedRoot;
    std::vector<QPointer<QObject>> FComponents;
    quint64 FShapeListGeneration = 0;
    bool FRebuilding = false;
};

class MYCAD_EXPORT TComponentComboBox : public TCustomComponentComboBox {
    Q_OBJECT
public:
    explicit TComponentComboBox(QWidget* parent = nullptr) : TCustomComponentComboBox(parent) {}
};
