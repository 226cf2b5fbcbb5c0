#pragma once
// TCustomComponentTree (TComponentTree): a tree of what the inspector's root drawing
// holds, under a node of the drawing itself: its shapes, each member of a group under
// its group, and the controls the drawing owns (other objects only with
// ShowNonVisual). Selecting a node makes its object the inspector's instance; editing a
// node's text raises OnEditText. Nodes hold their objects through QPointer; the tree is
// rebuilt after every update of the inspector and whenever the drawing's shape list
// changed (checked when the drawing paints), and the node of a freed object goes at once.
#include "mycad_export.h"

#include <QIcon>
#include <QPointer>
#include <QTreeWidget>

#include <functional>
#include <unordered_map>

class TCustomComponentInspector;
class TCustomComponentTree;
class TMyCAD;

using TComponentTreeTextEvent = std::function<void(TCustomComponentTree* Sender, QObject* Component, QString& Text)>;
using TComponentTreeImageEvent = std::function<void(TCustomComponentTree* Sender, QObject* Component, QIcon& Image)>;
using TComponentTreeEditEvent = std::function<void(TCustomComponentTree* Sender, QObject* Component, const QString& Text)>;

class MYCAD_EXPORT TCustomComponentTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TCustomComponentTree(QWidget* parent = nullptr);

    TCustomComponentInspector* Inspector() const { return FInspector; }
    void SetInspector(TCustomComponentInspector* Inspector);
    bool ShowNonVisual() const { return FShowNonVisual; }
    void SetShowNonVisual(bool value);

    void RebuildTree();
    // The object of a node (null when gone).
    QObject* ComponentOf(const QTreeWidgetItem* Item) const;
    QTreeWidgetItem* ItemOf(const QObject* Component) const;
    void InspectorUpdated();

    TComponentTreeTextEvent OnGetText;
    TComponentTreeImageEvent OnComponentImage;
    TComponentTreeEditEvent OnEditText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, QObject* component);
    void ComponentDestroyed(QObject* Gone);
    void WatchRoot(TMyCAD* Root);
    // Whether the drawing's shapes changed since the tree was built.
    bool TreeStale() const;
    void Selected();
    void Edited(QTreeWidgetItem* item, int column);

    QPointer<TCustomComponentInspector> FInspector;
    bool FShowNonVisual = false;
    bool FRebuilding = false;
    QPointer<TMyCAD> FWatchedRoot;
    quint64 FShapeListGeneration = 0;
    std::unordered_map<const QTreeWidgetItem*, QPointer<QObject>> FObjects;
};

class MYCAD_EXPORT TComponentTree : public TCustomComponentTree {
    Q_OBJECT
public:
    explicit TComponentTree(QWidget* parent = nullptr) : TCustomComponentTree(parent) {}
};
