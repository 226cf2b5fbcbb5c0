// TMyShape: construction, copying, attributes and their passing to group members.
#include "component/shapes/MyShape.h"

#include "component/document/MyCAD.h"
#include "component/base/Geometry.h"
#include "platform/Screen.h"
#include "platform/UIServices.h"

#include <QRegularExpression>

namespace {
// Gives a rarely set field of a shape a value; a shape without the block of those fields
// makes it only for a value other than the default.
template <typename T>
void StoreRarelySet(std::unique_ptr<TMyShapeExtras>& Extras, T TMyShapeExtras::*Field, const T& Value)
{
    static const TMyShapeExtras defaults;
    if (!Extras) {
        if (Value == defaults.*Field)
            return;
        Extras = std::make_unique<TMyShapeExtras>();
    }
    (*Extras).*Field = Value;
}
} // namespace

TMyShape::TMyShape(TMyCAD* OwnerCAD)
    : QObject(nullptr), FOwnerCAD(OwnerCAD)
{
    if (FOwnerCAD) {
        FPen.Assign(*FOwnerCAD->Pen());
        FBrush.Assign(*FOwnerCAD->Brush());
        FFont.Assign(*FOwnerCAD->Font());
        FResizeEnable = FOwnerCAD->ResizeEnable();
    }
    // Bound methods keep each event in one word of the shape.
    FPen.OnChange = TChangeEvent::Bind<&TMyShape::PenOrBrushChanged>(this);
    FBrush.OnChange = TChangeEvent::Bind<&TMyShape::PenOrBrushChanged>(this);
    FFont.OnChange = TChangeEvent::Bind<&TMyShape::FontChanged>(this);
}

TMyShape::~TMyShape()
{
    // The attribute objects die with the shape; their change reports must not reach it.
    FPen.OnChange = nullptr;
    FBrush.OnChange = nullptr;
    FFont.OnChange = nullptr;
}

TMyShapeExtras& TMyShape::Extras() const
{
    if (!FExtras)
        FExtras = std::make_unique<TMyShapeExtras>();
    return *FExtras;
}

const TMyShapeExtras& TMyShape::DefaultExtras()
{
    static const TMyShapeExtras defaults;
    return defaults;
}

TBitmap* TMyShape::GradientBitmap() const
{
    std::unique_ptr<TBitmap>& pattern = Extras().GradientBitmap;
    if (!pattern)
        pattern = std::make_unique<TBitmap>();
    return pattern.get();
}

TUserData* TMyShape::UserData() const
{
    if (!FUserData)
        FUserData = std::make_unique<TUserData>();
    return FUserData.get();
}

QString TMyShape::ClassName() const
{
    return QString::fromLatin1(metaObject()->className());
}

double TMyShape::Zoom() const
{
    return FOwnerCAD ? FOwnerCAD->Zoom() : 1.0;
}

void TMyShape::Repaint() const
{
    if (FOwnerCAD)
        FOwnerCAD->Invalidate();
}

bool TMyShape::IsValidIdent(const QString& Name)
{
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return ident.match(Name).hasMatch();
}

QString ComponentName(const QObject* Object)
{
    if (const auto* shape = qobject_cast<const TMyShape*>(Object))
        return shape->Name();
    return Object ? Object->objectName() : QString();
}

bool TMyShape::SetName(const QString& v)
{
    if (!v.isEmpty() && !IsValidIdent(v)) {
        ShowMessage(QStringLiteral("'%1' is not a valid component name").arg(v));
        return false;
    }
    // An empty caption becomes the name; any other stays as it is.
    const bool captionEmpty = Caption().isEmpty();
    StoreName(v);
    if (captionEmpty)
        SetCaption(v);
    if (FOwnerCAD)
        FOwnerCAD->ShapeIdentityChanged();
    return true;
}

void TMyShape::StoreName(const QString& v)
{
    // A caption that shares the name's text keeps that text when the name changes.
    if (FCaptionIsName && v != FName) {
        FOwnCaption = std::make_unique<QString>(FName);
        FCaptionIsName = false;
    }
    FName = v;
}

void TMyShape::SetCaption(const QString& v)
{
    FCaptionIsName = !v.isEmpty() && v == FName;
    if (FCaptionIsName || v.isEmpty())
        FOwnCaption.reset();
    else if (FOwnCaption)
        *FOwnCaption = v;
    else
        FOwnCaption = std::make_unique<QString>(v);
}

void TMyShape::SetShapeId(int Id)
{
    if (FShapeId == Id)
        return;
    FShapeId = Id;
    if (FOwnerCAD)
        FOwnerCAD->ShapeIdentityChanged();
}

void TMyShape::ExtentChanged()
{
    if (FOwnerCAD)
        FOwnerCAD->ShapeExtentChanged(this);
}

void TMyShape::SetParentNo(int No)
{
    if (No == FParentNo)
        return;
    FParentNo = No;
    if (FOwnerCAD)
        FOwnerCAD->ShapeParentChanged();
}

// ---- Attributes ----------------------------------------------------------------------

void TMyShape::SetPen(const TPen* v)
{
    if (v)
        FPen.Assign(*v);
}

void TMyShape::SetBrush(const TBrush* v)
{
    if (v)
        FBrush.Assign(*v);
}

void TMyShape::SetFont(const TFont* v)
{
    if (v)
        FFont.Assign(*v);
}

void TMyShape::SetMultiInfo(const QStringList& v)
{
    StoreRarelySet(FExtras, &TMyShapeExtras::MultiInfo, v);
    ExtentChanged();
    Repaint();
}

void TMyShape::SetLocked(bool v)
{
    if (v == FLocked)
        return;
    if (FOwnerCAD)
        FOwnerCAD->LockUnLockforShapes(this, v);
    else
        FLocked = v;
    Repaint();
}

void TMyShape::StoreGradient(TColor Begin, TColor End, TGradientStyle Style)
{
    const TMyShapeExtras& now = ReadExtras();
    if (Begin == now.ColorBegin && End == now.ColorEnd && Style == now.GradientStyle)
        return;
    TMyShapeExtras& e = Extras();
    e.ColorBegin = Begin;
    e.ColorEnd = End;
    e.GradientStyle = Style;
}

bool TMyShape::PassingToChildrenAllowed() const
{
    return !(FOwnerCAD && FOwnerCAD->Loading()) && FOwnerCAD && HasChildShapes();
}

// A group imposes its pen, brush, font and gradient on its members, which pass them on
// to their own members through the same setters. Suspended while a drawing is read,
// where every member brings its own attributes.
void TMyShape::PenOrBrushChanged()
{
    ExtentChanged();
    if (!PassingToChildrenAllowed())
        return;
    // A member's setters may reach back here through its own members: iterate a copy.
    const TMyShapeNo members = ReadExtras().ChildNos;
    for (uint32_t no : members) {
        TMyShape* child = FOwnerCAD->GetShapeByNo(int(no));
        if (!child || child == this)
            continue;
        child->FPen.Assign(FPen);
        child->FBrush.Assign(FBrush);
        child->FFont.Assign(FFont);
        child->SetColorBegin(ColorBegin());
        child->SetColorEnd(ColorEnd());
        child->SetGradientStyle(GradientStyle());
    }
}

void TMyShape::FontChanged()
{
    ExtentChanged();
    if (!PassingToChildrenAllowed())
        return;
    const TMyShapeNo members = ReadExtras().ChildNos;
    for (uint32_t no : members) {
        TMyShape* child = FOwnerCAD->GetShapeByNo(int(no));
        if (child && child != this)
            child->FFont.Assign(FFont);
    }
}

void TMyShape::SetColorBegin(TColor v)
{
    if (v == ColorBegin())
        return;
    Extras().ColorBegin = v;
    DrawGradient();
    PenOrBrushChanged();
    Repaint();
}

void TMyShape::SetColorEnd(TColor v)
{
    if (v == ColorEnd())
        return;
    Extras().ColorEnd = v;
    DrawGradient();
    PenOrBrushChanged();
    Repaint();
}

void TMyShape::SetGradientStyle(TGradientStyle v)
{
    if (v == GradientStyle())
        return;
    Extras().GradientStyle = v;
    PenOrBrushChanged();
    DrawGradient();
    FlipGradientByFlags();
    Repaint();
}

// Every assignment mirrors the shape once more, whatever the value given: the drawing
// mirrors it with its members, then the gradient pattern is rebuilt and mirrored to
// match the new flags.
void TMyShape::SetIsFlipHorz(bool)
{
    if (FOwnerCAD)
        FOwnerCAD->FlipHoriz(this);
    else
        FlipHoriz();
    DrawGradient();
    FlipGradientByFlags();
}

void TMyShape::SetIsFlipVert(bool)
{
    if (FOwnerCAD)
        FOwnerCAD->FlipVert(this);
    else
        FlipVert();
    DrawGradient();
    FlipGradientByFlags();
}

// ---- Copying ---------------------------------------------------------------------------

void TMyShape::AssignCommon(const TMyShape* Source)
{
    SetTag(Source->Tag());
    SetCaption(Source->Caption());
    FShapeId = Source->FShapeId;
    FLayerId = Source->FLayerId;
    FCurrentHot = -1;
    const TMyShapeExtras& source = Source->ReadExtras();
    if (source.GradientBitmap)
        GradientBitmap()->Assign(*source.GradientBitmap);
    else if (FExtras && FExtras->GradientBitmap)
        FExtras->GradientBitmap->Assign(TBitmap());
    StoreGradient(source.ColorBegin, source.ColorEnd, source.GradientStyle);
    FIsFlipHorz = Source->FIsFlipHorz;
    FIsFlipVert = Source->FIsFlipVert;
    FLocked = Source->FLocked;
    FInfo = Source->FInfo;
    FPen.Assign(Source->FPen);
    FBrush.Assign(Source->FBrush); // a pattern bitmap is copied, never shared
    FFont.Assign(Source->FFont);
    FPoints = Source->FPoints;
    StoreRarelySet(FExtras, &TMyShapeExtras::LinkPoints, source.LinkPoints);
    FAngle = Source->FAngle;
    FCaptionPoint = Source->FCaptionPoint;
    ExtentChanged();
    if (Source->FUserData)
        UserData()->Assign(*Source->FUserData);
    else if (FUserData)
        FUserData->ClearAll();
    FCenterPoint = ComputeCenterPoint(4);
    if (FOwnerCAD)
        FOwnerCAD->ShapeIdentityChanged();
}

void TMyShape::Assign(const TMyShape* Source)
{
    if (!Source || Source == this)
        return;
    AssignCommon(Source);
    FShapeNo = Source->FShapeNo;
    const TMyShapeExtras& source = Source->ReadExtras();
    StoreRarelySet(FExtras, &TMyShapeExtras::ChildNos, source.ChildNos);
    StoreRarelySet(FExtras, &TMyShapeExtras::LinkLineNos, source.LinkLineNos);
    const bool regrouped = FParentNo != Source->FParentNo;
    FParentNo = Source->FParentNo;
    StoreRarelySet(FExtras, &TMyShapeExtras::MultiInfo, source.MultiInfo);
    SetMultiInfoAlignment(source.MultiInfoAlignment);
    ExtentChanged();
    // A shape of the drawing that joins or leaves a group this way changes its tree.
    if (regrouped && FOwnerCAD && FOwnerCAD->GetShapeByNo(FShapeNo) == this)
        FOwnerCAD->ShapeParentChanged();
}

void TMyShape::AssignWithoutRelation(const TMyShape* Source)
{
    if (!Source || Source == this)
        return;
    AssignCommon(Source);
}

// ---- Measuring -------------------------------------------------------------------------

// The distance between two screen points as a real length in the drawing's unit,
// right-aligned in nine characters.
QString TMyShape::GetLengthByUnit(TPoint P1, TPoint P2)
{
    const double ppi = ScreenPixelsPerInch();
    const double length = GetLengthinPixel(PtToMyPt(P1), PtToMyPt(P2));
    const double ratio = FOwnerCAD ? FOwnerCAD->Ratio() : 1.0;
    const double inches = length / ppi * ratio / Zoom();
    const TUnits unit = FOwnerCAD ? FOwnerCAD->TheUNIT() : TUnits::mm;
    switch (unit) {
    case TUnits::pixel: return QString::asprintf("%9.0f", inches * ppi) + QStringLiteral(" pixel(s)");
    case TUnits::mm: return QString::asprintf("%9.2f", inches * 25.4) + QStringLiteral(" mm");
    case TUnits::cm: return QString::asprintf("%9.2f", inches * 25.4 / 10) + QStringLiteral(" cm");
    case TUnits::dm: return QString::asprintf("%9.2f", inches * 25.4 / 100) + QStringLiteral(" dm");
    case TUnits::m: return QString::asprintf("%9.2f", inches * 25.4 / 1000) + QStringLiteral(" m");
    case TUnits::inch: return QString::asprintf("%9.2f", inches) + QStringLiteral(" in");
    }
    return QString();
}

// ---- Behaviour the kinds override --------------------------------------------------------

void TMyShape::Draging(TCanvas*, TPoint, TPoint) {}
void TMyShape::DrawHot(TCanvas*) {}
void TMyShape::Drawing(TCanvas*, TPoint, TPoint) {}
TCursor TMyShape::GetMouseCursor(int, int) { return crCross; }
bool TMyShape::IsDrawingFinished(TMouseButton, TPoint) { return false; }
void TMyShape::Rotating(TCanvas*, TMyPoint, float) {}
void TMyShape::SizeChangeValue(TMyPoint, TMyPoint) {}
void TMyShape::Sizing(TCanvas*, TPoint, TPoint) {}
QString TMyShape::GetInfo() { return QString(); }
int TMyShape::InWhichHot(TPoint) { return -1; }
bool TMyShape::IsClickedMe(TCanvas*, TPoint) { return false; }
void TMyShape::Draw(TCanvas* Canvas) { DrawInfo(Canvas); }
