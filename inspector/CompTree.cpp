#include "inspector/CompTree.h"

#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"
#include "inspector/CompInsp.h"

#include <QEvent>
#include <QSignalBlocker>

TCustomComponentTree::TCustomComponentTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { Selected(); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) { Edited(item, column); });
}

void TCustomComponentTree::SetInspector(TCustomComponentInspector* Inspector)
{
    FInspector = Inspector;
    if (Inspector)
        Inspector->AttachTree(this);
    RebuildTree();
}

void TCustomComponentTree::SetShowNonVisual(bool value)
{
    if (FShowNonVisual == value)
        return;
    FShowNonVisual = value;
    RebuildTree();
}

QObject* TCustomComponentTree::ComponentOf(const QTreeWidgetItem* Item) const
{
    const auto it = FObjects.find(Item);
    return it == FObjects.end() ? nullptr : it->second.data();
}

QTreeWidgetItem* TCustomComponentTree::ItemOf(const QObject* Component) const
{
    for (const auto& [item, object] : FObjects)
        if (object && object == Component)
            return const_cast<QTreeWidgetItem*>(item);
    return nullptr;
}

QTreeWidgetItem* TCustomComponentTree::AddNode(QTreeWidgetItem* parent, QObject* component)
{
    QString text = ComponentName(component);
    if (text.isEmpty())
        text = QStringLiteral("(noname)");
    if (OnGetText)
        OnGetText(this, component, text);
    QIcon image;
    if (OnComponentImage)
        OnComponentImage(this, component, image);
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setIcon(0, image);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    FObjects[item] = component;
    connect(component, &QObject::destroyed, this, [this](QObject* gone) { ComponentDestroyed(gone); });
    return item;
}

void TCustomComponentTree::ComponentDestroyed(QObject* Gone)
{
    // The node goes at once (its children move up to its parent); the whole tree is
    // rebuilt when the drawing next paints or the inspector updates.
    const QSignalBlocker blocker(this);
    for (auto it = FObjects.begin(); it != FObjects.end();) {
        if (it->second && it->second.data() != Gone) {
            ++it;
            continue;
        }
        auto* item = const_cast<QTreeWidgetItem*>(it->first);
        it = FObjects.erase(it);
        QTreeWidgetItem* parent = item->parent();
        const QList<QTreeWidgetItem*> children = item->takeChildren();
        if (parent)
            parent->addChildren(children);
        else
            addTopLevelItems(children);
        delete item;
    }
    FShapeListGeneration = ~quint64(0);
}

void TCustomComponentTree::WatchRoot(TMyCAD* Root)
{
    if (FWatchedRoot == Root)
        return;
    if (FWatchedRoot)
        FWatchedRoot->removeEventFilter(this);
    FWatchedRoot = Root;
    // The drawing repaints after every change of its shape list; that is when the tree
    // is checked.
    if (Root)
        Root->installEventFilter(this);
}

bool TCustomComponentTree::TreeStale() const
{
    const TMyCAD* root = FWatchedRoot;
    return root && root->ShapeListGeneration() != FShapeListGeneration;
}

bool TCustomComponentTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FWatchedRoot && event->type() == QEvent::Paint && TreeStale() && !FRebuilding)
        RebuildTree();
    return QTreeWidget::eventFilter(watched, event);
}

void TCustomComponentTree::RebuildTree()
{
    if (FRebuilding)
        return;
    FRebuilding = true;
    const QSignalBlocker blocker(this);
    for (const auto& [item, object] : FObjects)
        if (object)
            disconnect(object, &QObject::destroyed, this, nullptr);
    clear();
    FObjects.clear();
    TMyCAD* root = FInspector ? FInspector->Root() : nullptr;
    WatchRoot(root);
    if (root) {
        FShapeListGeneration = root->ShapeListGeneration();
        QTreeWidgetItem* rootItem = AddNode(nullptr, root);
        // Shapes in drawing order, members under their groups (a group precedes its
        // members in the list, as it is created first; anything else goes under the root).
        const TOwnedShapes& shapes = root->Shapes();
        std::vector<QTreeWidgetItem*> items(shapes.size(), nullptr);
        const auto nodeOf = [&](int no, const auto& self) -> QTreeWidgetItem* {
            if (no < 0 || no >= int(shapes.size()))
                return rootItem;
            if (items[size_t(no)])
                return items[size_t(no)];
            TMyShape* s = shapes[size_t(no)].get();
            items[size_t(no)] = rootItem; // guards against a cycle of parents
            const int parentNo = s->ParentNo();
            QTreeWidgetItem* parentItem = parentNo >= 0 && parentNo != no ? self(parentNo, self) : rootItem;
            items[size_t(no)] = AddNode(parentItem, s);
            return items[size_t(no)];
        };
        for (int i = 0; i < int(shapes.size()); ++i)
            nodeOf(i, nodeOf);
        // The controls the drawing owns; other objects when asked for.
        for (QObject* child : root->children()) {
            if (qobject_cast<TMyShape*>(child) || child->objectName().isEmpty())
                continue;
            if (child->isWidgetType() || FShowNonVisual)
                AddNode(rootItem, child);
        }
        expandAll();
    }
    if (FInspector)
        if (QTreeWidgetItem* item = ItemOf(FInspector->Instance()))
            setCurrentItem(item);
    FRebuilding = false;
}

void TCustomComponentTree::InspectorUpdated()
{
    RebuildTree();
}

void TCustomComponentTree::Selected()
{
    if (FRebuilding || !FInspector)
        return;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    if (QObject* component = ComponentOf(selected.first()))
        FInspector->SetInstance(component);
}

void TCustomComponentTree::Edited(QTreeWidgetItem* item, int column)
{
    if (FRebuilding || column != 0)
        return;
    if (QObject* component = ComponentOf(item); component && OnEditText)
        OnEditText(this, component, item->text(0));
}
