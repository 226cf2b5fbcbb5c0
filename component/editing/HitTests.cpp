// TMyCAD: the hit and region tests of picking, the Shift-key constraints of drawing and
// resizing, the drag-mode constraint and the pen of the selection rectangle. All points
// are screen pixels.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "platform/Rounding.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <cstdlib>

void TMyCAD::SetSelectShapeMode()
{
    TCanvas* c = Canvas();
    TPen& pen = c->Pen();
    pen.SetWidth(1);
    pen.SetStyle(psDot);
    // Half way between the drawing's pen colour and white.
    pen.SetColor(TColor((int64_t(FPen->Color()) + 0xFFFFFF) / 2));
    pen.SetMode(pmXor);
    c->Brush().SetStyle(bsClear);
}

void TMyCAD::GetMousePointbyDragMode(TPoint Anchor, TPoint& P) const
{
    switch (FDragMode) {
    case TDragMode::dgHorz: P.Y = Anchor.Y; break;
    case TDragMode::dgVert: P.X = Anchor.X; break;
    case TDragMode::dgBoth: break;
    }
}

void TMyCAD::DrawMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint A, TPoint& P)
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
    if (!dynamic_cast<TMyRectangle*>(FCurrentShape))
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

void TMyCAD::ResizeMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint, TPoint& P)
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

bool TMyCAD::IsClickedMeforShape(TCanvas* Canvas, TMyShape* S, TPoint P)
{
    if (!S || !S->Visible())
        return false;
    if (S->IsClickedMe(Canvas, P))
        return true;
    for (uint32_t no : S->ChildNos()) {
        TMyShape* member = GetShapeByNo(int(no));
        if (member && member != S && member->IsClickedMe(Canvas, P))
            return true;
    }
    return false;
}

bool TMyCAD::IsInRegion(TPoint P1, TPoint P2, const TMyShape* S) const
{
    const TMyShape* root = GetRootParentShape(S);
    if (!root)
        return false;
    const TMyRect box = GetShapesLTRBinZoom({const_cast<TMyShape*>(root)});
    return std::min(P1.X, P2.X) <= box.Left && std::min(P1.Y, P2.Y) <= box.Top && std::max(P1.X, P2.X) >= box.Right &&
           std::max(P1.Y, P2.Y) >= box.Bottom;
}

bool TMyCAD::IsPtinRegion(const TRect& R, const TMyShape* S) const
{
    if (!S)
        return false;
    const double l = std::min(R.Left, R.Right), r = std::max(R.Left, R.Right);
    const double t = std::min(R.Top, R.Bottom), b = std::max(R.Top, R.Bottom);
    for (int i = 0; i < S->GetPointsCount(); ++i) {
        const TMyPoint p = S->GetPointInZoom(i);
        if (p.X >= l && p.X <= r && p.Y >= t && p.Y <= b)
            return true;
    }
    return false;
}

bool TMyCAD::IsPtinRegionX(const TRect& R, const TMyShape* S) const
{
    if (!S)
        return false;
    const double l = std::min(R.Left, R.Right), r = std::max(R.Left, R.Right);
    for (int i = 0; i < S->GetPointsCount(); ++i) {
        const double x = S->GetPointInZoom(i).X;
        if (x > l && x < r)
            return true;
    }
    return false;
}

bool TMyCAD::IsPtinRegionY(const TRect& R, const TMyShape* S) const
{
    if (!S)
        return false;
    const double t = std::min(R.Top, R.Bottom), b = std::max(R.Top, R.Bottom);
    for (int i = 0; i < S->GetPointsCount(); ++i) {
        const double y = S->GetPointInZoom(i).Y;
        if (y > t && y < b)
            return true;
    }
    return false;
}

bool TMyCAD::IsShapeBigthanRegion(const TRect& R, const TMyShape* S) const
{
    if (!S)
        return false;
    const bool fitsWide = std::abs(double(R.Right) - R.Left) >= S->GetWidth() * FZoom;
    const bool fitsHigh = std::abs(double(R.Bottom) - R.Top) >= S->GetHeight() * FZoom;
    return !(fitsWide && fitsHigh);
}
