#include "InspectorForm.h"

#include "component/base/UserData.h"
#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"
#include "inspector/CompCombo.h"
#include "inspector/CompInsp.h"
#include "inspector/PropList.h"
#include "platform/UIServices.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString RedName = QStringLiteral("CLRED");
const QString RedShown = QStringLiteral("Czerwony");

// The component inspector with the window's value texts: what a row shows, what its
// drop-down preselects and what a typed text stores. The canvas repaints after every
// stored value.
class TDemoInspector : public TComponentInspector {
public:
    using TComponentInspector::TComponentInspector;

    QString GetValue(int TheIndex) override
    {
        return TInspectorFrm::ShownValue(GetProperty(TheIndex), TComponentInspector::GetValue(TheIndex));
    }
    QString GetSelectedValue(int TheIndex) override
    {
        return TInspectorFrm::ShownValue(GetProperty(TheIndex), TComponentInspector::GetSelectedValue(TheIndex));
    }
    void SetValue(int TheIndex, const QString& Value) override
    {
        TComponentInspector::SetValue(TheIndex, TInspectorFrm::StoredValue(GetProperty(TheIndex), Value));
        if (AfterSetValue)
            AfterSetValue();
    }

    std::function<void()> AfterSetValue;
};

bool IsColorProperty(const TProperty* Prop)
{
    return Prop && Prop->ValueKind() == TValueKind::vkColor;
}

} // namespace

TInspectorFrm::TInspectorFrm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("InspectorFrm"));
    setWindowTitle(QStringLiteral("Inspector"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    FCombo = new TComponentComboBox(this);
    auto* inspector = new TDemoInspector(this);
    inspector->AfterSetValue = [this] { InvalidateCanvas(); };
    FInspector = inspector;
    FCombo->SetInspector(FInspector);
    FCloseButton = new QPushButton(QStringLiteral("Close"), this);
    connect(FCloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(FCombo);
    layout->addWidget(FInspector, 1);
    layout->addWidget(FCloseButton);
    InstallHandlers();
    resize(177, 480);
}

TInspectorFrm::~TInspectorFrm()
{
    disconnect(FInspectedWatch);
}

// ---- What is listed and inspected --------------------------------------------------------

void TInspectorFrm::SetCanvas(TMyCAD* Canvas)
{
    if (Canvas == FCanvas && FInspector->Root() == Canvas)
        return;
    disconnect(FInspectedWatch);
    FInspected = nullptr;
    FChild = nullptr;
    FTopLevel = true;
    FCanvas = Canvas;
    FInspector->SetInstance(nullptr);
    FInspector->SetRoot(Canvas);
    Rebuild();
}

TMyCAD* TInspectorFrm::Canvas() const
{
    return FCanvas;
}

TMyShape* TInspectorFrm::ChildShape() const
{
    return FChild;
}

void TInspectorFrm::SetTopLevelMode()
{
    FTopLevel = true;
    FChild = nullptr;
}

void TInspectorFrm::SetChildMode(TMyShape* Child)
{
    FTopLevel = false;
    FChild = Child;
}

void TInspectorFrm::Rebuild()
{
    if (FInspector->Root() != FCanvas)
        FInspector->SetRoot(FCanvas);
    FCombo->RebuildList();
}

void TInspectorFrm::Inspect(QObject* Object)
{
    if (!FCanvas)
        return;
    if (!Object)
        Object = FCanvas;
    // Only the canvas and its own shapes are inspected here.
    if (Object != FCanvas && !InCanvas(qobject_cast<TMyShape*>(Object)))
        Object = FCanvas;
    if (FInspector->Root() != FCanvas)
        FInspector->SetRoot(FCanvas);
    Watch(Object);
    // The inspector's update rebuilds the combo's list and shows the object in it.
    FInspector->SetInstance(Object);
}

QObject* TInspectorFrm::Inspected() const
{
    return FInspector->Instance();
}

void TInspectorFrm::Watch(QObject* Object)
{
    disconnect(FInspectedWatch);
    FInspected = Object;
    if (Object && Object != FCanvas)
        FInspectedWatch = connect(Object, &QObject::destroyed, this, [this] { InspectedGone(); });
}

void TInspectorFrm::InspectedGone()
{
    // The inspector has dropped the shape already; the canvas takes its place once the
    // drawing has finished freeing (more shapes may go in the same step).
    if (FFallbackQueued)
        return;
    FFallbackQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        FFallbackQueued = false;
        if (FCanvas && FInspector->InstanceCount() == 0)
            Inspect(FCanvas);
        else
            Rebuild();
    }, Qt::QueuedConnection);
}

bool TInspectorFrm::InCanvas(const TMyShape* S) const
{
    return S && FCanvas && FCanvas->GetShapeByNo(S->ShapeNo()) == S;
}

void TInspectorFrm::InvalidateCanvas()
{
    if (FCanvas)
        FCanvas->Invalidate();
}

// ---- The demonstration's texts ------------------------------------------------------------

bool TInspectorFrm::IsStringProperty(const TProperty* Prop)
{
    if (!Prop)
        return false;
    const TTypeKind kind = Prop->Kind();
    return kind == TTypeKind::tkString || kind == TTypeKind::tkLString || kind == TTypeKind::tkWString;
}

QString TInspectorFrm::ShownValue(const TProperty* Prop, const QString& Text)
{
    if (!Prop)
        return Text;
    if (Prop->ValueKind() == TValueKind::vkUserData || Prop->Name() == QLatin1String("UserData")) {
        const TUserData* data = Prop->UserDataValue();
        return data && data->GetCount() > 0 ? QStringLiteral("(Text)") : QStringLiteral("(Empty)");
    }
    if (IsColorProperty(Prop) && Text.compare(RedName, Qt::CaseInsensitive) == 0)
        return RedShown;
    return Text;
}

QString TInspectorFrm::StoredValue(const TProperty* Prop, const QString& Text)
{
    if (IsColorProperty(Prop) && Text.trimmed().compare(RedShown, Qt::CaseInsensitive) == 0)
        return RedName;
    return Text;
}

// ---- Handlers -------------------------------------------------------------------------------

void TInspectorFrm::InstallHandlers()
{
    FCombo->OnFilter = [this](TCustomComponentComboBox*, QObject* component, bool& accept) {
        FilterComponent(component, accept);
    };
    FCombo->OnChange = [this](TCustomComponentComboBox*, QObject* component) { ComponentChosen(component); };

    // Every property of the canvas and the shapes is listed.
    FInspector->OnFilter = [](TCustomComponentInspector*, TProperty*, bool& allow) { allow = true; };
    FInspector->OnGetValuesList = [this](TCustomInspector* sender, int, QStringList& values) {
        if (sender != FInspector)
            return;
        for (QString& value : values)
            if (value.compare(RedName, Qt::CaseInsensitive) == 0)
                value = RedShown;
    };
    FInspector->OnGetButtonType = [this](TCustomInspector*, int row, TButtonType& type) {
        // Not for a text that cannot be stored (the canvas's Version).
        if (type == btNone && IsStringProperty(FInspector->GetProperty(row)) && !FInspector->GetReadOnly(row))
            type = btDialog;
    };
    FInspector->OnGetEnableExternalEditor = [this](TCustomInspector*, int row, bool& enabled) {
        const TProperty* p = FInspector->GetProperty(row);
        if (!p)
            return;
        const QString name = p->Name();
        if (IsStringProperty(p) || name == QLatin1String("UserData") || name == QLatin1String("Bitmap") ||
            name == QLatin1String("Lines") || name.contains(QLatin1String("Color")))
            enabled = true;
    };
    FInspector->OnCallEditor = [this](TCustomInspector*, int row, bool& changed, bool& handled) {
        handled = EditString(row, changed);
    };
}

void TInspectorFrm::FilterComponent(QObject* Component, bool& Accept) const
{
    if (qobject_cast<TMyCAD*>(Component)) {
        Accept = Component == FCanvas;
        return;
    }
    const TMyShape* shape = qobject_cast<TMyShape*>(Component);
    if (!shape || !FCanvas) {
        Accept = false;
        return;
    }
    if (FTopLevel)
        Accept = !shape->HasParentShape();
    else
        Accept = InCanvas(FChild) && FCanvas->areTheyBrother(shape, FChild);
}

void TInspectorFrm::ComponentChosen(QObject* Component)
{
    if (auto* shape = qobject_cast<TMyShape*>(Component); shape && FCanvas) {
        Watch(shape); // the combo made it the inspector's instance
        FCanvas->SelectShapeByCode(shape->GetShapeId(), true);
    }
}

// The input box of string properties: titled with the inspected object's name, prompting
// with this window's name; a read-only text asks nothing. False for the other properties,
// whose own editors run.
bool TInspectorFrm::EditString(int Row, bool& Changed)
{
    TProperty* p = FInspector->GetProperty(Row);
    if (!IsStringProperty(p))
        return false;
    Changed = false;
    if (FInspector->GetReadOnly(Row))
        return true; // nothing to ask for
    const QObject* instance = p->Instance();
    const QString caption = ComponentName(instance);
    const QString old = p->GetStringValue();
    QString value = old;
    if (!UIServices().InputQuery(caption, objectName(), value))
        return true;
    FInspector->SetValue(Row, value);
    Changed = p->Alive() && p->GetStringValue() != old;
    if (Changed)
        InvalidateCanvas();
    return true;
}
