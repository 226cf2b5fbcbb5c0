// TMyCAD: snapping screen points to the grid and to the edges of other shapes, and the
// confinement of the cursor to the control during a mouse operation.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "platform/Rounding.h"
#include "platform/UIServices.h"
#include "component/shapes/MyShape.h"

#include <QRect>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
// A correction slot that nothing captured.
constexpr int NoCorrection = 10000;

// Snaps one coordinate to the nearest multiple of the spacing when it lies closer than
// Pixels. A spacing of 0 or less has no grid lines: the axis is left alone.
bool SnapAxisToGrid(int& V, double Spacing, int Pixels)
{
    if (!(Spacing > 0))
        return false;
    const double n = Round(V / Spacing);
    if (Pixels > std::fabs(V - n * Spacing)) {
        V = int(Round(n * Spacing));
        return true;
    }
    return false;
}

// The non-zero candidate with the smaller magnitude, the first winning a tie; 0 when
// neither slot holds a correction.
int SmallerCorrection(int First, int Second)
{
    const bool useFirst = First != 0 && First != NoCorrection;
    const bool useSecond = Second != 0 && Second != NoCorrection;
    if (useFirst && useSecond)
        return std::abs(Second) < std::abs(First) ? Second : First;
    if (useFirst)
        return First;
    if (useSecond)
        return Second;
    return 0;
}

// The smallest non-zero correction of a list, the first winning a tie; 0 when none.
int SmallestCorrection(const int (&Values)[4])
{
    int best = 0;
    for (int v : Values)
        if (v != 0 && v != NoCorrection && (best == 0 || std::abs(v) < std::abs(best)))
            best = v;
    return best;
}
} // namespace

bool TMyCAD::SnapXY(int& X, int& Y)
{
    bool snapped = false;
    const int s = FSnapPixels;
    if (FSnap) {
        snapped |= SnapAxisToGrid(X, FGridOperation->GridWidth(), s);
        snapped |= SnapAxisToGrid(Y, FGridOperation->GridHeight(), s);
    }
    if (snapped || !FSnapShape)
        return snapped;

    // The edges of every other top-level shape, in screen pixels. The slots are shared:
    // a later shape that matches overwrites an earlier one's value.
    int dx0 = NoCorrection, dx1 = NoCorrection, dy0 = NoCorrection, dy1 = NoCorrection;
    bool capturedX = false, capturedY = false;
    const double x = X, y = Y, z = FZoom;
    for (const auto& owned : FShapes) {
        const TMyShape* shape = owned.get();
        if (shape == Interaction().CurrentShape || shape->HasParentShape() || shape->Points().empty())
            continue;
        float l = std::numeric_limits<float>::max(), t = l;
        float r = std::numeric_limits<float>::lowest(), b = r;
        for (const TMyPoint& p : shape->Points()) {
            l = std::min(l, p.X);
            t = std::min(t, p.Y);
            r = std::max(r, p.X);
            b = std::max(b, p.Y);
        }
        const double L = float(l * z), T = float(t * z), R = float(r * z), B = float(b * z);
        const bool inHeight = 0.8 * T < y && y < 1.2 * B;
        const bool inWidth = 0.8 * L < x && x < 1.2 * R;
        if (L - s < x && x < L + s && inHeight) {
            dx0 = int(Round(x - L));
            capturedX = true;
        }
        if (R - s < x && x < R + s && inHeight) {
            dx1 = int(Round(x - R));
            capturedX = true;
        }
        if (T - s < y && y < T + s && inWidth) {
            dy0 = int(Round(y - T));
            capturedY = true;
        }
        if (B - s < y && y < B + s && inWidth) {
            dy1 = int(Round(y - B));
            capturedY = true;
        }
    }
    X -= SmallerCorrection(dx0, dx1);
    Y -= SmallerCorrection(dy0, dy1);
    return capturedX || capturedY;
}

void TMyCAD::SnapRect(const TRect& R, int& X, int& Y)
{
    const TPoint corners[4] = {TPoint(R.Left, R.Top), TPoint(R.Left, R.Bottom), TPoint(R.Right, R.Top),
                               TPoint(R.Right, R.Bottom)};
    int cx[4] = {0, 0, 0, 0}, cy[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        int x = corners[i].X, y = corners[i].Y;
        if (SnapXY(x, y)) {
            cx[i] = corners[i].X - x;
            cy[i] = corners[i].Y - y;
        }
    }
    X -= SmallestCorrection(cx);
    Y -= SmallestCorrection(cy);
}

void TMyCAD::SetCursorClipArea(const TRect& R, int RightCut, int BottomCut, bool HideCursor)
{
    if (HideCursor)
        setCursor(ToQtCursorShape(crNone));
    const QRect area(R.Left, R.Top, R.Right - RightCut, R.Bottom - BottomCut);
    UIServices().ClipCursor(&area);
    FCursorClip.Active = true;
}

void TMyCAD::ReleaseCursorClipArea()
{
    UIServices().ClipCursor(nullptr);
    FCursorClip.Active = false;
    if (FMouseEffect)
        setCursor(ToQtCursorShape(crCross));
}

// The confinement is global to the desktop: a control destroyed in the middle of a mouse
// operation still frees it.
TMyCAD::TCursorClip::~TCursorClip()
{
    if (Active)
        UIServices().ClipCursor(nullptr);
}
