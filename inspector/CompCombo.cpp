#include "inspector/CompCombo.h"

#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"
#include "inspector/CompInsp.h"

#include <QEvent>
#include <QSignalBlocker>

TCustomComponentComboBox::TCustomComponentComboBox(QWidget* parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, [this](int index) { Chosen(index); });
}

TCustomComponentComboBox::~TCustomComponentComboBox() = default;

void TCustomComponentComboBox::SetInspector(TCustomComponentInspector* Inspector)
{
    FInspector = Inspector;
    if (Inspector)
        Inspector->AttachComboBox(this);
    RebuildList();
}

QString TCustomComponentComboBox::GetComponentText(QObject* Component)
{
    if (!Component)
        return QString();
    QString name = ComponentName(Component);
    if (name.isEmpty())
        name = QStringLiteral("(noname)");
    QString text = QStringLiteral("%1: %2").arg(name, QString::fromLatin1(Component->metaObject()->className()));
    if (OnGetComponentText)
        OnGetComponentText(this, Component, text);
    return text;
}

QObject* TCustomComponentComboBox::ComponentAt(int Index) const
{
    return Index >= 0 && Index < int(FComponents.size()) ? FComponents[size_t(Index)].data() : nullptr;
}

void TCustomComponentComboBox::WatchRoot(TMyCAD* Root)
{
    if (FWatchedRoot == Root)
        return;
    if (FWatchedRoot)
        FWatchedRoot->removeEventFilter(this);
    FWatchedRoot = Root;
    // The drawing repaints after every change of its shape list; that is when the list
    // is checked.
    if (Root)
        Root->installEventFilter(this);
}

bool TCustomComponentComboBox::ListStale() const
{
    const TMyCAD* root = FWatchedRoot;
    return root && root->ShapeListGeneration() != FShapeListGeneration;
}

void TCustomComponentComboBox::RebuildList()
{
    if (FRebuilding)
        return;
    FRebuilding = true;
    const QSignalBlocker blocker(this);
    for (const QPointer<QObject>& c : FComponents)
        if (c)
            disconnect(c, &QObject::destroyed, this, nullptr);
    clear();
    FComponents.clear();
    TMyCAD* root = FInspector ? FInspector->Root() : nullptr;
    WatchRoot(root);
    if (root) {
        FShapeListGeneration = root->ShapeListGeneration();
        std::vector<QObject*> candidates{root};
        for (const auto& shape : root->Shapes())
            candidates.push_back(shape.get());
        for (QObject* c : candidates) {
            bool accept = true;
            if (OnFilter)
                OnFilter(this, c, accept);
            if (!accept)
                continue;
            FComponents.emplace_back(c);
            addItem(GetComponentText(c));
            connect(c, &QObject::destroyed, this, [this](QObject* gone) { ComponentDestroyed(gone); });
        }
    }
    int current = -1;
    if (FInspector && FInspector->InstanceCount() == 1) {
        const QObject* instance = FInspector->Instance();
        for (int i = 0; i < int(FComponents.size()); ++i)
            if (FComponents[size_t(i)] == instance)
                current = i;
    }
    setCurrentIndex(current);
    FRebuilding = false;
}

void TCustomComponentComboBox::ComponentDestroyed(QObject* Gone)
{
    // The entry goes at once; the whole list is rebuilt when next looked at.
    const QSignalBlocker blocker(this);
    for (size_t i = FComponents.size(); i-- > 0;) {
        if (!FComponents[i] || FComponents[i].data() == Gone) {
            FComponents.erase(FComponents.begin() + ptrdiff_t(i));
            removeItem(int(i));
        }
    }
    FShapeListGeneration = ~quint64(0);
}

void TCustomComponentComboBox::InspectorUpdated()
{
    RebuildList();
}

void TCustomComponentComboBox::showPopup()
{
    if (ListStale())
        RebuildList();
    QComboBox::showPopup();
}

bool TCustomComponentComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FWatchedRoot && event->type() == QEvent::Paint && ListStale() && !FRebuilding)
        RebuildList();
    return QComboBox::eventFilter(watched, event);
}

void TCustomComponentComboBox::Chosen(int index)
{
    QObject* component = ComponentAt(index);
    if (!component || !FInspector)
        return;
    FInspector->SetInstance(component);
    if (OnChange)
        OnChange(this, component);
}
