// TMyCAD: the hit and region tests of picking, the drag-mode constraint and the pen of
// the selection rectangle. All points are screen pixels.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "platform/Rounding.h"
#include "component/shapes/MyShape.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

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

bool TMyCAD::IsClickedMeforShape(TCanvas* Canvas, TMyShape* S, TPoint P)
{
    if (!S || !S->Visible())
        return false;
    if (S->IsClickedMe(Canvas, P))
        return true;
    for (uint32_t no : std::as_const(*S).ChildNos()) {
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
