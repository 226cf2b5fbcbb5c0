// TMyShape: point storage, zoom conversions, bounding boxes, moving, rotating, scaling
// and mirroring.
#include "component/shapes/MyShape.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {
bool InRange(const TArrMyPoint& a, int i)
{
    return i >= 0 && size_t(i) < a.size();
}

// The element at i, or null when i lies outside the array.
TMyPoint* At(TArrMyPoint& a, int i)
{
    return InRange(a, i) ? &a[size_t(i)] : nullptr;
}

// The direction of P seen from C in [0, 2pi), clockwise on screen from east, with a point
// straight above or below C starting from sign(dy) * pi/2 before the quadrant rules.
// A point on C gives Coincident.
double DirectionFrom(const TMyPoint& P, const TMyPoint& C, double Coincident)
{
    const long double dx = (long double)P.X - C.X;
    const long double dy = (long double)P.Y - C.Y;
    if (dx == 0 && dy == 0)
        return Coincident;
    constexpr long double pi = std::numbers::pi_v<long double>;
    long double t = dx == 0 ? (dy > 0 ? pi / 2 : -pi / 2) : std::atan(dy / dx);
    const int qx = PointInQuadrantX(P, C);
    const int qy = PointInQuadrantY(P, C);
    if (qx > 0 && qy < 0)
        t = t + pi;
    else if (qx > 0 && qy > 0)
        t = std::fabs(t) + pi;
    else if (qx < 0 && qy > 0)
        t = 2 * pi - std::fabs(t);
    return double(t);
}
} // namespace

// ---- Points ------------------------------------------------------------------------------

void TMyShape::AddPoint(TMyPoint P)
{
    const double z = Zoom();
    FPoints.push_back(TMyPoint(float(P.X / z), float(P.Y / z)));
    ExtentChanged();
}

void TMyShape::AddLinkPoint(TMyPoint P)
{
    const double z = Zoom();
    Extras().LinkPoints.push_back(TMyPoint(float(P.X / z), float(P.Y / z)));
    ExtentChanged();
}

void TMyShape::AddPointByMouse(TPoint P)
{
    AddPoint(TMyPoint(float(P.X), float(P.Y)));
}

TMyPoint TMyShape::GetPoint(int Index) const
{
    return InRange(FPoints, Index) ? FPoints[size_t(Index)] : TMyPoint();
}

TMyPoint TMyShape::GetPointInZoom(int Index) const
{
    return ZoomedValuePt(GetPoint(Index));
}

TPoint TMyShape::GetPointInZoomWithMode(int Index) const
{
    if (Index < 0 || Index >= GetPointsCount())
        return TPoint();
    const TPoint p = MyPtToPt(GetPointInZoom(Index));
    return FOwnerCAD ? FOwnerCAD->GetPointByMode(p) : p;
}

// The setters do not grow the arrays: an index outside them is ignored.
void TMyShape::SetPoint(int Index, TMyPoint P)
{
    if (TMyPoint* p = At(FPoints, Index))
        *p = P;
    ExtentChanged();
}

void TMyShape::SetPointX(int Index, float X)
{
    if (TMyPoint* p = At(FPoints, Index))
        p->X = X;
    ExtentChanged();
}

void TMyShape::SetPointY(int Index, float Y)
{
    if (TMyPoint* p = At(FPoints, Index))
        p->Y = Y;
    ExtentChanged();
}

void TMyShape::SetPointInZoom(int Index, TMyPoint P)
{
    const double z = Zoom();
    SetPoint(Index, TMyPoint(float(P.X / z), float(P.Y / z)));
}

void TMyShape::SetPointXInZoom(int Index, float X)
{
    SetPointX(Index, float(X / Zoom()));
}

void TMyShape::SetPointYInZoom(int Index, float Y)
{
    SetPointY(Index, float(Y / Zoom()));
}

void TMyShape::PointAddX(int Index, double dx)
{
    if (TMyPoint* p = At(FPoints, Index))
        p->X = float(p->X + dx / Zoom());
    ExtentChanged();
}

void TMyShape::PointAddY(int Index, double dy)
{
    if (TMyPoint* p = At(FPoints, Index))
        p->Y = float(p->Y + dy / Zoom());
    ExtentChanged();
}

void TMyShape::PointAddXY(int Index, double dx, double dy)
{
    PointAddX(Index, dx);
    PointAddY(Index, dy);
}

TMyPoint TMyShape::GetLinkPoint(int Index) const
{
    const TArrMyPoint& points = ReadExtras().LinkPoints;
    return InRange(points, Index) ? points[size_t(Index)] : TMyPoint();
}

TMyPoint TMyShape::GetLinkPointInZoom(int Index) const
{
    return ZoomedValuePt(GetLinkPoint(Index));
}

void TMyShape::SetLinkPoint(int Index, TMyPoint P)
{
    if (TMyPoint* p = FExtras ? At(FExtras->LinkPoints, Index) : nullptr) {
        *p = P;
        ExtentChanged();
    }
}

void TMyShape::SetLinkPointX(int Index, float X)
{
    if (TMyPoint* p = FExtras ? At(FExtras->LinkPoints, Index) : nullptr) {
        p->X = X;
        ExtentChanged();
    }
}

void TMyShape::SetLinkPointY(int Index, float Y)
{
    if (TMyPoint* p = FExtras ? At(FExtras->LinkPoints, Index) : nullptr) {
        p->Y = Y;
        ExtentChanged();
    }
}

void TMyShape::LinkPointAddXY(int Index, double dx, double dy)
{
    if (!InRange(LinkPoints(), Index))
        return;
    const double z = Zoom();
    TMyPoint& p = FExtras->LinkPoints[size_t(Index)];
    p = TMyPoint(float(p.X + dx / z), float(p.Y + dy / z));
    ExtentChanged();
}

// ---- Geometry queries ------------------------------------------------------------------

TMyPoint TMyShape::GetLeftTop() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return TMyPoint(r.Left, r.Top);
}

TMyPoint TMyShape::GetRightTop() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return TMyPoint(r.Right, r.Top);
}

TMyPoint TMyShape::GetLeftBottom() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return TMyPoint(r.Left, r.Bottom);
}

TMyPoint TMyShape::GetRightBottom() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return TMyPoint(r.Right, r.Bottom);
}

float TMyShape::GetWidth() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return r.Right - r.Left;
}

float TMyShape::GetHeight() const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    return r.Bottom - r.Top;
}

namespace {
// The bounding box of the points turned by -angle about the centre.
TMyRect UnrotatedBox(const TArrMyPoint& points, TMyPoint centre, float angle)
{
    if (points.empty())
        return TMyRect();
    TMyRect box(std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest());
    for (const TMyPoint& p : points) {
        const TMyPoint q = angle == 0 ? p : RotateAPoint(p, centre, -angle);
        box.Left = std::min(box.Left, q.X);
        box.Top = std::min(box.Top, q.Y);
        box.Right = std::max(box.Right, q.X);
        box.Bottom = std::max(box.Bottom, q.Y);
    }
    return box;
}
} // namespace

namespace {
// The width between the crossings of the unrotated box's left and top edges and of its
// top and right edges.
float WidthOfUnrotated(const TMyRect& r)
{
    return GetLengthinPixel(TMyPoint(r.Left, r.Top), TMyPoint(r.Right, r.Top));
}

// The height between the crossings of the bottom and right edges and of the top and
// right edges. When the box has no width its bottom and top edges are vertical lines as
// well, and the crossing of two vertical lines answers half the difference of their
// coordinates: such a shape reports half its extent.
float HeightOfUnrotated(const TMyRect& r)
{
    if (r.Right == r.Left)
        return float((double(r.Bottom) - r.Top) / 2);
    return GetLengthinPixel(TMyPoint(r.Right, r.Bottom), TMyPoint(r.Right, r.Top));
}
} // namespace

float TMyShape::GetMyWidth() const
{
    return WidthOfUnrotated(UnrotatedBox(FPoints, FCenterPoint, FAngle));
}

float TMyShape::GetMyHeight() const
{
    return HeightOfUnrotated(UnrotatedBox(FPoints, FCenterPoint, FAngle));
}

void TMyShape::GetMyWidthHeight(float& Width, float& Height) const
{
    const TMyRect r = UnrotatedBox(FPoints, FCenterPoint, FAngle);
    Width = WidthOfUnrotated(r);
    Height = HeightOfUnrotated(r);
}

TMyPoint TMyShape::ComputeCenterPoint(int Kind) const
{
    const TMyRect r = GetPointsLTRB(FPoints);
    switch (Kind) {
    case 0: return TMyPoint(r.Left, r.Top);
    case 1: return TMyPoint(r.Right, r.Top);
    case 2: return TMyPoint(r.Right, r.Bottom);
    case 3: return TMyPoint(r.Left, r.Bottom);
    default: return TMyPoint((r.Right - r.Left) / 2 + r.Left, (r.Bottom - r.Top) / 2 + r.Top);
    }
}

TMyPoint TMyShape::ZoomedValuePt(TMyPoint P) const
{
    const double z = Zoom();
    return TMyPoint(float(P.X * z), float(P.Y * z));
}

TMyPoint TMyShape::GetCenterPoint() const
{
    return FCenterPoint;
}

TMyPoint TMyShape::GetCenterPointInZoom() const
{
    return ZoomedValuePt(FCenterPoint);
}

float TMyShape::GetRotatedAngle(TMyPoint A, TMyPoint B, TMyPoint Centre, bool Snap) const
{
    const double alpha = DirectionFrom(A, Centre, 0.0);
    const double beta = DirectionFrom(B, Centre, 0.0);
    double result = beta - alpha;
    const int n = FOwnerCAD ? FOwnerCAD->RotateConstraintDegree() : 0;
    if (Snap && n > 0)
        result = Round(result * 57.29577951308232 / n) * n * 0.017453292519943295;
    return float(result);
}

TMyPoint TMyShape::GetMagicPoint(TMyShape* Shape, TMyPoint P) const
{
    if (!Shape || !FOwnerCAD)
        return P;
    const double d = 25 * Zoom();
    const TMyRect box = FOwnerCAD->GetShapesLTRBinZoom({Shape});
    const double L = Round(box.Left), T = Round(box.Top), R = Round(box.Right), B = Round(box.Bottom);
    const double dl = P.X - L, dr = R - P.X, dt = P.Y - T, db = B - P.Y;
    const double m = std::min(std::min(dl, dr), std::min(dt, db));
    TMyPoint result = P;
    if (m == dl)
        result = TMyPoint(float(L - d), P.Y);
    if (m == dr)
        result = TMyPoint(float(R + d), P.Y);
    if (m == dt)
        result = TMyPoint(P.X, float(T - d));
    if (m == db)
        result = TMyPoint(P.X, float(B + d));
    return result;
}

// ---- Transforms ------------------------------------------------------------------------

void TMyShape::Drawed(TPoint, TPoint)
{
    FCenterPoint = ComputeCenterPoint(4);
    FCaptionPoint = TMyPoint(FCenterPoint.X, GetPointsLTRB(FPoints).Bottom + 10);
    ExtentChanged();
}

void TMyShape::DragChangeValue(TPoint From, TPoint To)
{
    DragChangeValuedxdy(double(To.X) - From.X, double(To.Y) - From.Y);
}

void TMyShape::DragChangeValuedxdy(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (int i = 0; i < GetPointsCount(); ++i)
        PointAddXY(i, dx, dy);
    for (int i = 0; i < GetLinkPointsCount(); ++i)
        LinkPointAddXY(i, dx, dy);
    const double z = Zoom();
    FCenterPoint = TMyPoint(float(FCenterPoint.X + dx / z), float(FCenterPoint.Y + dy / z));
    FCaptionPoint = TMyPoint(float(FCaptionPoint.X + dx / z), float(FCaptionPoint.Y + dy / z));
    ExtentChanged();
}

void TMyShape::RotateChangeValueByAngle(TMyPoint Centre, float AAngle)
{
    if (FPoints.empty())
        return;
    for (int i = 0; i < GetPointsCount(); ++i)
        SetPoint(i, RotateAPoint(GetPoint(i), Centre, AAngle));
    if (FExtras)
        for (TMyPoint& p : FExtras->LinkPoints)
            p = RotateAPoint(p, Centre, AAngle);
    FCaptionPoint = RotateAPoint(FCaptionPoint, Centre, AAngle);
    FCenterPoint = RotateAPoint(FCenterPoint, Centre, AAngle);
    float a = FAngle + AAngle;
    RecaclinRad(a);
    FAngle = a;
    ExtentChanged();
}

// Assigning an angle turns the shape further by that angle: about its own centre, or
// about its root group's centre when it is a member.
void TMyShape::SetAngle(float a)
{
    if (FPoints.empty() || !FOwnerCAD) {
        if (FPoints.empty())
            FAngle = a;
        else
            RotateChangeValueByAngle(GetCenterPoint(), a);
        return;
    }
    const TMyShape* root = HasParentShape() ? FOwnerCAD->GetRootParentShape(this) : this;
    FOwnerCAD->RotateChangeValueforShapes(this, (root ? root : this)->GetCenterPoint(), a);
    FOwnerCAD->GeometryChanged(this);
}

void TMyShape::SizeChangeValueByScale(double sx, double sy, TMyPoint Fixed, TMyPoint Centre, TMyPoint)
{
    float theta = FAngle;
    if (theta != 0 && HasParentShape() && FOwnerCAD) {
        const TMyShape* root = FOwnerCAD->GetRootParentShape(this);
        if (root && root->FAngle != theta)
            theta = root->FAngle;
    }
    auto scale = [&](TMyPoint p) {
        TMyPoint q = RotateAPoint(p, Centre, -theta);
        q = TMyPoint(float(Fixed.X + (double(q.X) - Fixed.X) * sx), float(Fixed.Y + (double(q.Y) - Fixed.Y) * sy));
        return RotateAPoint(q, Centre, theta);
    };
    if (FExtras)
        for (TMyPoint& p : FExtras->LinkPoints)
            p = scale(p);
    for (TMyPoint& p : FPoints)
        p = scale(p);
    FCaptionPoint = scale(FCaptionPoint);
    FCenterPoint = ComputeCenterPoint(4);
    ExtentChanged();
}

namespace {
TMyPoint MirrorCentre(const TMyShape* shape, TMyCAD* owner)
{
    const TMyShape* root = (shape->HasParentShape() && owner) ? owner->GetRootParentShape(shape) : shape;
    return (root ? root : shape)->GetCenterPoint();
}
} // namespace

void TMyShape::FlipHoriz()
{
    const float m = MirrorCentre(this, FOwnerCAD).X;
    auto mirror = [m](TMyPoint& p) { p.X = m - (p.X - m); };
    for (TMyPoint& p : FPoints)
        mirror(p);
    if (FExtras)
        for (TMyPoint& p : FExtras->LinkPoints)
            mirror(p);
    mirror(FCenterPoint);
    mirror(FCaptionPoint);
    if (FAngle != 0)
        FAngle = float(std::numbers::pi - FAngle);
    FIsFlipHorz = !FIsFlipHorz;
    ExtentChanged();
    Repaint();
}

void TMyShape::FlipVert()
{
    const float m = MirrorCentre(this, FOwnerCAD).Y;
    auto mirror = [m](TMyPoint& p) { p.Y = m - (p.Y - m); };
    for (TMyPoint& p : FPoints)
        mirror(p);
    if (FExtras)
        for (TMyPoint& p : FExtras->LinkPoints)
            mirror(p);
    mirror(FCenterPoint);
    mirror(FCaptionPoint);
    FAngle = -FAngle;
    FIsFlipVert = !FIsFlipVert;
    ExtentChanged();
    Repaint();
}

// ---- Offsetting whole shapes -----------------------------------------------------------

void OffsetAllPoints(TMyShape* Shape, double DX, double DY)
{
    if (!Shape)
        return;
    auto shift = [DX, DY](TMyPoint& p) { p = TMyPoint(float(p.X + DX), float(p.Y + DY)); };
    for (TMyPoint& p : Shape->PointsRef())
        shift(p);
    if (Shape->GetLinkPointsCount() > 0)
        for (TMyPoint& p : Shape->LinkPointsRef())
            shift(p);
    TMyPoint c = Shape->CaptionPoint();
    shift(c);
    Shape->SetCaptionPoint(c);
}

void RemoveAllPoints(TMyShape* Shape)
{
    if (Shape)
        Shape->PointsRef().clear();
}
