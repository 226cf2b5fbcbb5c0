// TMyCAD: the host's coordinate and value labels, the caption hint of the shape under
// the mouse, and two diagnostic writers.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/shapes/MyShape.h"

#include <QLabel>
#include <QToolTip>

void TMyCAD::UpdateLabelXY(int X, int Y)
{
    if (!FLabelXY)
        return;
    const TPoint p = GetPointByMode(TPoint(X, Y));
    FLabelXY->setText(QStringLiteral("(%1,%2)").arg(p.X).arg(p.Y));
}

void TMyCAD::UpdateLabelValue(const QString& Text)
{
    if (FLabelValue)
        FLabelValue->setText(Text);
}

void TMyCAD::ShowHintEnterLeaveShape(TMyShape* Shape, bool Entering, TPoint P)
{
    if (Entering && Shape != Interaction().LastEnteredShape)
        Fire(OnMouseEnterShape, Shape);
    if (Interaction().LastEnteredShape && Interaction().LastEnteredShape != Shape)
        Fire(OnMouseLeaveShape, Interaction().LastEnteredShape.data());
    Interaction().LastEnteredShape = Shape;
    if (Shape && FShowHint && toolTip() != Shape->Caption()) {
        setToolTip(Shape->Caption());
        QToolTip::showText(mapToGlobal(P.toQPoint()), Shape->Caption(), this);
    }
}

void TMyCAD::DebugVar(int X, int Y, int n)
{
    DebugText(X, Y, QStringLiteral("[%1]").arg(n));
}

void TMyCAD::DebugVarf(int X, int Y, double v)
{
    DebugText(X, Y, QString::number(v));
}

void TMyCAD::DebugText(int X, int Y, const QString& Text)
{
    TCanvas* c = Canvas();
    c->Brush().SetStyle(bsSolid);
    c->Brush().SetColor(clGray);
    c->Pen().SetColor(clRed);
    c->Pen().SetMode(pmCopy);
    c->SetBkMode(OPAQUE);
    c->TextOut(X, Y, Text);
    ScreenChanged();
}
