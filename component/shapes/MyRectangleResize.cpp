// TMyRectangle: resizing by a hot in the shape's own (unturned) frame, and the rubber
// bands of drawing, dragging, resizing and rotating.
#include "component/shapes/MyRectangle.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"

namespace {
// Per hot: the corner it moves (or whose side it moves) and the two corners that follow
// it, one along each axis of the unturned frame. A side hot moves its two corners whole.
struct CornerRoles {
    int p, q, r;
};
constexpr CornerRoles Roles[8] = {{0, 1, 3}, {1, 0, 2}, {2, 3, 1}, {3, 2, 0},
                                  {0, 0, 1}, {1, 1, 2}, {2, 2, 3}, {3, 3, 0}};

TArrPoint Rounded(const std::array<TMyPoint, 4>& corners)
{
    return {MyPtToPt(corners[0]), MyPtToPt(corners[1]), MyPtToPt(corners[2]), MyPtToPt(corners[3])};
}
} // namespace

bool TMyRectangle::ResizedCorners(TMyPoint Target, bool Zoomed, std::array<TMyPoint, 4>& Corners) const
{
    const int h = FCurrentHot;
    if (h < 0 || h > 7 || GetPointsCount() < 4)
        return false;
    const CornerRoles role = Roles[h];
    const TMyPoint centre = Zoomed ? GetCenterPointInZoom() : GetCenterPoint();
    const float a = Angle();

    // The corners and the target in the unturned frame.
    TArrMyPoint u(4);
    for (int i = 0; i < 4; ++i) {
        Corners[size_t(i)] = Zoomed ? GetPointInZoom(i) : TMyShape::GetPoint(i);
        u[size_t(i)] = RotateAPoint(Corners[size_t(i)], centre, -a);
    }
    const TMyRect box = GetPointsLTRB(u);
    const TMyPoint LT(box.Left, box.Top), RB(box.Right, box.Bottom);
    const TMyPoint RT(box.Right, box.Top), LB(box.Left, box.Bottom);
    const TMyPoint target = RotateAPoint(Target, centre, -a);
    const TMyPoint moved = u[size_t(role.p)];

    // A corner may not pass the opposite corner of the box.
    const bool allowed = (IsAtLeftTop(centre, moved) && IsAtLeftTop(RB, target)) ||
                         (IsAtRightBottom(centre, moved) && IsAtRightBottom(LT, target)) ||
                         (IsAtRightTop(centre, moved) && IsAtRightTop(LB, target)) ||
                         (IsAtLeftBottom(centre, moved) && IsAtLeftBottom(RT, target));
    if (!allowed)
        return false;

    double dx = double(target.X) - moved.X;
    double dy = double(target.Y) - moved.Y;
    const bool side = h >= 4;
    if (side) {
        if (role.p == 0 || role.p == 2)
            dx = 0;
        else
            dy = 0;
    }
    bool changed[4] = {false, false, false, false};
    if (!side) {
        u[size_t(role.p)] = target;
        changed[role.p] = true;
    }
    TMyPoint& q = u[size_t(role.q)];
    q = TMyPoint(side ? float(q.X + dx) : q.X, float(q.Y + dy));
    changed[role.q] = true;
    TMyPoint& r = u[size_t(role.r)];
    r = TMyPoint(float(r.X + dx), side ? float(r.Y + dy) : r.Y);
    changed[role.r] = true;
    for (int i = 0; i < 4; ++i)
        if (changed[i])
            Corners[size_t(i)] = RotateAPoint(u[size_t(i)], centre, a);
    return true;
}

void TMyRectangle::SizeChangeValue(TMyPoint, TMyPoint To)
{
    const double z = Zoom();
    std::array<TMyPoint, 4> corners;
    if (!ResizedCorners(TMyPoint(float(To.X / z), float(To.Y / z)), false, corners))
        return;
    for (int i = 0; i < 4; ++i)
        SetPoint(i, corners[size_t(i)]);
    FCenterPoint = ComputeCenterPoint(4);
}

void TMyRectangle::Sizing(TCanvas* Canvas, TPoint, TPoint To)
{
    std::array<TMyPoint, 4> corners;
    if (Canvas && ResizedCorners(PtToMyPt(To), true, corners))
        DrawRectangle(Canvas, Rounded(corners));
}

// ---- Rubber bands (the caller sets the exclusive-or mode) ------------------------------

void TMyRectangle::Drawing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (Canvas)
        Canvas->Rectangle(From.X, From.Y, To.X, To.Y);
}

void TMyRectangle::Draging(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    const double dx = double(To.X) - From.X, dy = double(To.Y) - From.Y;
    std::array<TMyPoint, 4> corners;
    for (int i = 0; i < 4; ++i) {
        const TMyPoint p = GetPointInZoom(i);
        corners[size_t(i)] = TMyPoint(float(p.X + dx), float(p.Y + dy));
    }
    DrawRectangle(Canvas, Rounded(corners));
}

void TMyRectangle::Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle)
{
    if (!Canvas || GetPointsCount() < 4)
        return;
    std::array<TMyPoint, 4> corners;
    for (int i = 0; i < 4; ++i)
        corners[size_t(i)] = RotateAPoint(GetPointInZoom(i), Centre, AAngle);
    DrawRectangle(Canvas, Rounded(corners));
}
