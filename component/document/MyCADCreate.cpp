// TMyCAD: creating shapes by class name, by tool and by code, and adding them.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "platform/UIServices.h"
#include "component/shapes/AllShapes.h"

#include <functional>
#include <map>

namespace {
using TShapeFactory = std::function<std::unique_ptr<TMyShape>(TMyCAD*)>;

template <typename Kind>
TShapeFactory Make()
{
    return [](TMyCAD* owner) { return std::make_unique<Kind>(owner); };
}

// The shape classes a drawing can create, by their exact class names.
const std::map<QString, TShapeFactory>& ShapeClasses()
{
    static const std::map<QString, TShapeFactory> classes = {
        {QStringLiteral("TMyLinkLine"), Make<TMyLinkLine>()},
        {QStringLiteral("TMyLine"), Make<TMyLine>()},
        {QStringLiteral("TMyRuleLine"), Make<TMyRuleLine>()},
        {QStringLiteral("TMyPolyLine"), Make<TMyPolyLine>()},
        {QStringLiteral("TMyRectangle"), Make<TMyRectangle>()},
        {QStringLiteral("TMyLinkPoint"), Make<TMyLinkPoint>()},
        {QStringLiteral("TMyLineLinkLine"), Make<TMyLineLinkLine>()},
        {QStringLiteral("TMyEllipse"), Make<TMyEllipse>()},
        {QStringLiteral("TMyText"), Make<TMyText>()},
        {QStringLiteral("TMyImage"), Make<TMyImage>()},
        {QStringLiteral("TMyPolygon"), Make<TMyPolygon>()},
        {QStringLiteral("TMyPolyBezier"), Make<TMyPolyBezier>()},
        {QStringLiteral("TMyElliArc"), Make<TMyElliArc>()},
        {QStringLiteral("TMyFreeLine"), Make<TMyFreeLine>()},
        {QStringLiteral("TMyBLine"), Make<TMyBLine>()},
        {QStringLiteral("TMyGroup"), Make<TMyGroup>()},
        {QStringLiteral("TMyCombine"), Make<TMyCombine>()},
    };
    return classes;
}

// The class a drawing tool creates; empty for the tools that create nothing.
QString ClassOfTool(TDrawTool tool)
{
    switch (tool) {
    case SpLinkLine: return QStringLiteral("TMyLinkLine");
    case SpLine: return QStringLiteral("TMyLine");
    case SpRuleLine: return QStringLiteral("TMyRuleLine");
    case SpPolyLine: return QStringLiteral("TMyPolyLine");
    case SpRectangle: return QStringLiteral("TMyRectangle");
    case SpLinkPoint: return QStringLiteral("TMyLinkPoint");
    case SpLineLinkLine: return QStringLiteral("TMyLineLinkLine");
    case SpEllipse: return QStringLiteral("TMyEllipse");
    case SpText: return QStringLiteral("TMyText");
    case SpImage: return QStringLiteral("TMyImage");
    case SpPolygon: return QStringLiteral("TMyPolygon");
    case SpPolyBezier: return QStringLiteral("TMyPolyBezier");
    case SpElliArc: return QStringLiteral("TMyElliArc");
    case SpFreeLine: return QStringLiteral("TMyFreeLine");
    case SpBLine: return QStringLiteral("TMyBLine");
    default: return QString();
    }
}

// Whether a tool accepts n points given by code.
bool PointCountFits(TDrawTool tool, size_t n)
{
    switch (tool) {
    case SpLine:
    case SpRuleLine: return n == 2;
    case SpPolyLine:
    case SpPolygon: return n >= 2;
    case SpRectangle:
    case SpEllipse:
    case SpText: return n == 4;
    case SpPolyBezier: return n % 3 == 1;
    case SpElliArc: return n == 3;
    case SpBLine: return n >= 3;
    case SpLineLinkLine: return true;
    default: return false;
    }
}
} // namespace

bool TMyCAD::AddShape(std::unique_ptr<TMyShape>& Shape, bool KeepLayer, bool KeepCounter)
{
    if (!Shape)
        return false;
    if (FLayers.empty()) {
        // The shape is refused; the application goes on and nothing drawn is lost.
        ShowMessage(QStringLiteral("Error!There is no Layer!"));
        return false;
    }
    if (!KeepLayer)
        Shape->SetLayerId(FCurrentLayerId);
    if (!KeepCounter)
        ++FNextShapeId;
    const bool indexed = FPaintIndex.IsCurrent(PaintKey());
    FShapes.push_back(std::move(Shape));
    ShapeListChanged();
    // A new top-level shape joins the paint index rather than having it rebuilt.
    if (indexed && !FShapes.back()->HasParentShape())
        FPaintIndex.Append(FShapes.back()->ShapeNo(), PaintKey());
    return true;
}

bool TMyCAD::AddShapeforLoadfromStream(int Position, std::unique_ptr<TMyShape>& Shape, bool KeepCounter)
{
    if (!Shape || Position < 0 || Position >= GetShapesCount())
        return false;
    if (FLayers.empty()) {
        ShowMessage(QStringLiteral("Error!There is no Layer!"));
        return false;
    }
    if (!KeepCounter)
        ++FNextShapeId;
    FShapes[size_t(Position)] = std::move(Shape);
    ShapeListChanged();
    return true;
}

std::unique_ptr<TMyShape> TMyCAD::CreateShapeByName(const QString& ClassName, TMyCAD* Owner)
{
    const auto& classes = ShapeClasses();
    const auto it = classes.find(ClassName);
    if (it == classes.end())
        return nullptr;
    return it->second(Owner ? Owner : this);
}

std::unique_ptr<TMyShape> TMyCAD::CreateShapeBySpTool(TDrawTool Tool, QObject*)
{
    auto shape = CreateShapeByName(ClassOfTool(Tool), this);
    if (auto* connector = dynamic_cast<TMyLinkLine*>(shape.get()))
        connector->StoreLinkLineDrawStyle(FLinkLineDrawStyle);
    return shape;
}

TMyShape* TMyCAD::CreateAddShapeByName(const QString& ClassName, const TMyShape* Template)
{
    auto shape = CreateShapeByName(ClassName, this);
    if (!shape)
        return nullptr;
    if (Template)
        shape->Assign(Template);
    shape->SetShapeId(FNextShapeId);
    shape->SetShapeNo(GetShapesCount());
    const QString name = QStringLiteral("Shape%1").arg(FNextShapeId);
    shape->SetName(name);
    shape->SetCaption(name);
    TMyShape* added = shape.get();
    return AddShape(shape, false, false) ? added : nullptr;
}

int TMyCAD::AddShapeByCode(TMyCAD* Owner, TDrawTool Tool, const QString& Info, const TArrMyPoint& Points,
                           double Angle, const QString& Name)
{
    if (!PointCountFits(Tool, Points.size()))
        return -1;
    auto shape = CreateShapeByName(ClassOfTool(Tool), Owner ? Owner : this);
    if (!shape)
        return -1;
    if (Tool == SpText)
        shape->SetInfo(Info);
    for (const TMyPoint& p : Points)
        shape->AddPoint(GetMyPointByMode(p));
    shape->ClearLinkPoints();
    if (Tool == SpPolygon)
        shape->AddPoint(GetMyPointByMode(Points.front()));
    if (Tool == SpLineLinkLine && !Points.empty())
        shape->AddPointByMouse(MyPtToPt(GetMyPointByMode(Points.front())));
    shape->SetName(Name);
    shape->SetShapeId(FNextShapeId);
    shape->SetShapeNo(GetShapesCount());
    shape->SetCenterPoint(shape->ComputeCenterPoint(4));
    shape->SetAngle(float(Angle));
    shape->SetCenterPoint(shape->ComputeCenterPoint(4));
    const TMyRect box = GetPointsLTRB(shape->Points());
    shape->SetCaptionPoint(TMyPoint(shape->CenterPoint().X, box.Bottom + 10));

    TMyShape* added = shape.get();
    if (!AddShape(shape, false, false))
        return -1;
    Fire(OnShapeAdded, added, GetShapesCount());
    PushtoUndoRedoShapeList({added}, UndoActionName(TUndoAction::Add));
    FWorkingShapes.assign(1, added);
    Invalidate();
    return added->GetShapeId();
}

int TMyCAD::AddImageShapeByCode(const QString& Name, TPoint TopLeft, TBitmap* Picture)
{
    auto image = std::make_unique<TMyImage>(this);
    const TMyPoint corner(float(TopLeft.X / FZoom), float(TopLeft.Y / FZoom));
    for (int i = 0; i < 4; ++i)
        image->PointsRef().push_back(corner);
    image->SetBitmap(Picture);
    image->SetName(Name);
    image->SetShapeId(FNextShapeId);
    image->SetShapeNo(GetShapesCount());
    const int id = image->GetShapeId();
    std::unique_ptr<TMyShape> shape = std::move(image);
    TMyShape* added = shape.get();
    if (!AddShape(shape, false, false))
        return -1;
    Fire(OnShapeAdded, added, GetShapesCount());
    PushtoUndoRedoShapeList({added}, UndoActionName(TUndoAction::Add));
    FWorkingShapes.assign(1, added);
    Invalidate();
    return id;
}

void TMyCAD::FreeAllShapes()
{
    FWorkingShapes.clear();
    FShapes.clear();
    ShapeListChanged();
}

void TMyCAD::DeleteAllShapes()
{
    Interaction().CurrentShape = nullptr;
    Interaction().LastEnteredShape = nullptr;
    Interaction().ClearHighlight();
    FreeAllShapes();
    FNextShapeId = 0;
    // Identifiers start again from 0: records of the old shapes would name new ones.
    ClearAllUndoStuff();
    Invalidate();
}
