#include "component/render/HotDrawing.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "platform/Rounding.h"
#include "component/document/MyCAD.h"
#include "component/shapes/MyShape.h"
#include "component/shapes/MyText.h"

namespace {
TRect Square(TMyPoint p, double r)
{
    return TRect(Round(p.X - r), Round(p.Y - r), Round(p.X + r), Round(p.Y + r));
}
} // namespace

void DrawSquare(const TMyShape* Shape, TCanvas* Canvas, TMyPoint P)
{
    if (!Shape || !Canvas)
        return;
    const TMyCAD* cad = Shape->OwnerCAD();
    if (!cad || !cad->HotShow())
        return;
    const int hs = cad->HotSize();
    const double r = Shape->HasParentShape() ? hs / 2 : hs;
    if (Shape->Locked()) {
        SetDrawLockedHotMode(Canvas);
        Canvas->Rectangle(Square(P, r));
        return;
    }
    const TActionTools tool = cad->ActionTool();
    if (tool == dtRotating || tool == dtRotateSelecting) {
        if (!cad->RotateEnable())
            return;
        SetDrawHotMode(Canvas);
        if (Shape->HasParentShape())
            Canvas->Rectangle(Square(P, r));
        else
            Canvas->Ellipse(Square(P, hs));
        return;
    }
    SetDrawHotMode(Canvas);
    Canvas->Rectangle(Square(P, r));
}

void DrawLinkSquare(TCanvas* Canvas, TMyPoint P, double Scale)
{
    if (!Canvas)
        return;
    SetDrawHotMode(Canvas);
    Canvas->Pen().SetMode(pmCopy);
    Canvas->Pen().SetColor(clBlue);
    const double arm = 2.5 * Scale;
    Canvas->MoveTo(Round(P.X - arm), Round(P.Y - arm));
    Canvas->LineTo(Round(P.X + arm), Round(P.Y + arm));
    Canvas->MoveTo(Round(P.X + arm), Round(P.Y - arm));
    Canvas->LineTo(Round(P.X - arm), Round(P.Y + arm));
}

void DrawLinkHot(const TMyShape* Shape, TCanvas* Canvas)
{
    if (!Shape || !Canvas)
        return;
    const TMyCAD* cad = Shape->OwnerCAD();
    if (!cad || !cad->HotShow() || !cad->ShowHotLink())
        return;
    for (int i = 0; i < Shape->GetLinkPointsCount(); ++i)
        DrawLinkSquare(Canvas, Shape->GetLinkPointInZoom(i), cad->PassPixelRatio());
}

void DrawDiamond(const TMyShape* Shape, TCanvas* Canvas, TMyPoint P, TColor)
{
    if (!Shape || !Canvas || dynamic_cast<const TMyText*>(Shape))
        return;
    if (Shape->Info().isEmpty() && Shape->MultiInfo().isEmpty())
        return;
    const TMyCAD* cad = Shape->OwnerCAD();
    const int hs = cad ? cad->HotSize() : 4;
    Canvas->Polygon({MyPtToPt(TMyPoint(P.X - hs, P.Y)), MyPtToPt(TMyPoint(P.X, P.Y - hs)),
                     MyPtToPt(TMyPoint(P.X + hs, P.Y)), MyPtToPt(TMyPoint(P.X, P.Y + hs))});
}

void LineDraw(const TMyShape*, TCanvas* Canvas, TMyPoint A, TMyPoint B)
{
    if (!Canvas)
        return;
    const TPoint a = MyPtToPt(A), b = MyPtToPt(B);
    Canvas->MoveTo(a.X, a.Y);
    Canvas->LineTo(b.X, b.Y);
}
