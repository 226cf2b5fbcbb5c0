// TMouseController: the Shift-key constraints of drawing and resizing. All points are
// screen pixels.
#include "component/editing/MouseController.h"

#include "component/base/Geometry.h"
#include "component/shapes/AllShapes.h"
#include "platform/Rounding.h"

#include <cstdlib>

void TMouseController::DrawMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint A, TPoint& P) const
{
    if (!(Shift & ssShift))
        return;
    if (dynamic_cast<TMyLine*>(Shape)) {
        // The longer extent wins; a tie gives a horizontal line.
        if (std::abs(P.X - A.X) < std::abs(P.Y - A.Y))
            P.X = A.X;
        else
            P.Y = A.Y;
        return;
    }
    if (!dynamic_cast<TMyRectangle*>(FState.CurrentShape.data()))
        return;
    if (P.X == A.X)
        P.X = A.X + 1;
    if (P.Y == A.Y)
        P.Y = A.Y + 1;
    // A square whose side is the shorter extent, in the direction of the drag.
    const double dx = double(P.X) - A.X, dy = double(P.Y) - A.Y;
    auto sign = [](double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); };
    if (std::abs(dx) > std::abs(dy))
        P.X = A.X + Round(sign(dx) * std::abs(dy));
    else
        P.Y = A.Y + Round(sign(dy) * std::abs(dx));
}

void TMouseController::ResizeMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint, TPoint& P)
{
    if (!(Shift & ssShift) || !Shape)
        return;
    if (auto* box = dynamic_cast<TMyRectangle*>(Shape)) {
        const int hot = box->CurrentHot();
        if (hot < 0 || hot > 3 || box->GetPointsCount() < 4)
            return; // side hots are not constrained
        const int opposite = (hot + 2) % 4;
        const double s = (hot == 0 || hot == 2) ? 1.0 : -1.0;
        // Work in the box's own frame: turned back about its centre.
        const TMyPoint m = box->GetCenterPointInZoom();
        const float theta = box->Angle();
        const TMyPoint o = RotateAPoint(box->GetPointInZoom(opposite), m, -theta);
        TPoint q = MyPtToPt(RotateAPoint(PtToMyPt(P), m, -theta));
        const double ex = double(q.X) - o.X, ey = double(q.Y) - o.Y;
        if (std::abs(ey) >= std::abs(ex))
            q.Y = Round(o.Y + s * ex);
        else
            q.X = Round(o.X + s * ey);
        P = MyPtToPt(RotateAPoint(PtToMyPt(q), m, theta));
        return;
    }
    const QString kind = Shape->ClassName();
    if ((kind == QLatin1String("TMyLine") || kind == QLatin1String("TMyRuleLine")) && Shape->GetPointsCount() == 2) {
        const int hot = Shape->CurrentHot();
        if (hot != 0 && hot != 1)
            return;
        const TMyPoint q = Shape->GetPointInZoom(hot == 1 ? 0 : 1);
        if (std::abs(P.X - double(q.X)) >= std::abs(P.Y - double(q.Y)))
            P.Y = Round(q.Y);
        else
            P.X = Round(q.X);
    }
}
