#include "ConnectorTestSupport.h"

void PrintTo(const QString& S, std::ostream* os)
{
    *os << S.toStdString();
}

QString PointsText(const TArrMyPoint& Points)
{
    QStringList parts;
    for (const TMyPoint& p : Points)
        parts << QStringLiteral("(%1,%2)").arg(double(p.X)).arg(double(p.Y));
    return parts.join(QLatin1Char(' '));
}

QString PointsOf(const TMyShape* S)
{
    return S ? PointsText(S->Points()) : QStringLiteral("nil");
}

ConnectorTest::ConnectorTest()
{
    cad.SetSnap(false);
    cad.SetCrossLine(false);
}

TMyShape* ConnectorTest::Box(float x1, float y1, float x2, float y2, const QString& name)
{
    TMyShape* s = AddRect(cad, x1, y1, x2, y2, name);
    const float mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
    for (const TMyPoint& p : {TMyPoint(x1, my), TMyPoint(mx, y1), TMyPoint(x2, my), TMyPoint(mx, y2)})
        s->AddLinkPoint(p);
    cad.DeSelectedAllShapesByCode();
    return s;
}

TMyShape* ConnectorTest::Obstacle(float x1, float y1, float x2, float y2)
{
    TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyCombine"), nullptr);
    s->PointsRef() = {TMyPoint(x1, y1), TMyPoint(x2, y1), TMyPoint(x2, y2), TMyPoint(x1, y2)};
    return s;
}

TMyLinkLine* ConnectorTest::Link(TMyShape* a, int pa, TMyShape* b, int pb)
{
    const int id = cad.CreateLink(QStringLiteral("L"), a, pa, b, pb);
    EXPECT_GE(id, 0);
    EXPECT_INVARIANTS(cad);
    return dynamic_cast<TMyLinkLine*>(cad.GetShapeByID(id));
}

TMyLinkLine* ConnectorTest::FreeConnector(const TArrMyPoint& points)
{
    auto* line = dynamic_cast<TMyLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
    line->PointsRef() = points;
    return line;
}

void ConnectorTest::Down(int x, int y, TShiftState shift)
{
    cad.MouseDown(mbLeft, TShiftState(shift | ssLeft), x, y);
    EXPECT_INVARIANTS(cad);
}

void ConnectorTest::Move(int x, int y, TShiftState shift)
{
    cad.MouseMove(shift, x, y);
    EXPECT_INVARIANTS(cad);
}

void ConnectorTest::Up(int x, int y, TShiftState shift)
{
    cad.MouseUp(mbLeft, shift, x, y);
    EXPECT_INVARIANTS(cad);
}

void ConnectorTest::Click(int x, int y)
{
    Down(x, y);
    Up(x, y);
}
