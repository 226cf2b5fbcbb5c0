// Polylines, polygons and free lines: how clicks end them, the closing copy of a polygon,
// its hots and region, the area by unit without moving the points, and the free line's
// frame and box.
#include "KindsTestSupport.h"

#include "component/base/PolygonPixels.h"
#include "platform/Screen.h"

#include <QPainter>
#include <QPolygon>

namespace {
std::unique_ptr<TMyPolygon> ClosedSquare(TMyCAD& cad, float x, float y, float size)
{
    return MakeShape<TMyPolygon>(cad, {TMyPoint(x, y), TMyPoint(x + size, y), TMyPoint(x + size, y + size),
                                       TMyPoint(x, y + size), TMyPoint(x, y)});
}
} // namespace

TEST(PolyLineClicks, ADoubleClickEndsItAndDropsTheRepeatedPoint)
{
    TMyCAD cad;
    TMyPolyLine line(&cad);
    EXPECT_EQ(line.ArrowStyle(), ANone);
    line.AddPoint(TMyPoint(10, 10));
    line.AddPoint(TMyPoint(10, 10)); // two points repeated: too few to end
    EXPECT_FALSE(line.IsDrawingFinished(mbLeft, TPoint(10, 10)));
    line.PointsRef().pop_back();
    line.AddPoint(TMyPoint(50, 10));
    line.AddPoint(TMyPoint(50, 60));
    line.AddPoint(TMyPoint(50.4f, 60)); // nearly the same place does not end it
    EXPECT_FALSE(line.IsDrawingFinished(mbLeft, TPoint(50, 60)));
    line.AddPoint(TMyPoint(50.4f, 60));
    EXPECT_TRUE(line.IsDrawingFinished(mbRight, TPoint(50, 60)));
    EXPECT_EQ(line.GetPointsCount(), 4);
    EXPECT_TRUE(line.GetInfo().isEmpty());
}

TEST(PolyLineClicks, AppendPointFollowsTheAxesModeAndTheZoom)
{
    TMyCAD cad;
    cad.SetZoom(2); // the control takes the page's size at the zoom: set ours after it
    cad.resize(400, 300);
    cad.SetXYMode(TXYMode::Mode1);
    TMyPolyLine line(&cad);
    line.AppendPoint(TPoint(100, 100));
    EXPECT_EQ(line.GetPoint(0), TMyPoint(50, 100)); // y := 300 - 100, then halved
    cad.SetXYMode(TXYMode::Mode3);
    line.AppendPoint(TPoint(100, 100));
    EXPECT_EQ(line.GetPoint(1), TMyPoint(150, 50));
}

TEST(PolygonClicks, ClosesOnTheFirstPointOrThePointBeforeTheCurrent)
{
    TMyCAD cad;
    cad.SetHotSize(4);
    auto closeAt = [&](TMyPoint click) {
        auto p = MakeShape<TMyPolygon>(cad, {TMyPoint(100, 100), TMyPoint(200, 100), TMyPoint(200, 200), click});
        const bool closed = p->IsDrawingFinished(mbLeft, MyPtToPt(click));
        return std::make_pair(closed, p->GetPoint(p->GetPointsCount() - 1));
    };
    EXPECT_EQ(closeAt(TMyPoint(103, 101)), std::make_pair(true, TMyPoint(100, 100)));
    EXPECT_FALSE(closeAt(TMyPoint(104, 100)).first); // 4 pixels on one axis is outside
    EXPECT_EQ(closeAt(TMyPoint(197, 203)), std::make_pair(true, TMyPoint(100, 100)));
    EXPECT_FALSE(closeAt(TMyPoint(150, 150)).first);
    TMyPolygon two(&cad);
    two.AddPoint(TMyPoint(100, 100));
    two.AddPoint(TMyPoint(100, 100));
    EXPECT_FALSE(two.IsDrawingFinished(mbLeft, TPoint(100, 100)));
}

TEST(PolygonHots, TheClosingCopyMovesWithTheFirstPoint)
{
    TMyCAD cad;
    cad.SetHotSize(4);
    auto p = ClosedSquare(cad, 100, 100, 100);
    EXPECT_EQ(p->InWhichHot(TPoint(101, 99)), 4); // the copy wins over P0
    p->SizeChangeValue(TMyPoint(100, 100), TMyPoint(90, 80));
    EXPECT_EQ(p->GetPoint(0), TMyPoint(90, 80));
    EXPECT_EQ(p->GetPoint(4), TMyPoint(90, 80));
    EXPECT_EQ(p->InWhichHot(TPoint(199, 101)), 1);
    cad.SetZoom(2); // moves are divided by the zoom
    p->SizeChangeValue(TMyPoint(398, 202), TMyPoint(418, 202));
    EXPECT_EQ(p->GetPoint(1), TMyPoint(210, 100));
    EXPECT_EQ(p->GetPoint(0), TMyPoint(90, 80));
    // A hot outside the points changes nothing.
    EXPECT_EQ(p->InWhichHot(TPoint(5, 5)), -1);
    const TArrMyPoint before = p->PointsRef();
    p->SizeChangeValue(TMyPoint(0, 0), TMyPoint(50, 50));
    auto picture = WhitePicture(50, 50);
    p->Sizing(&picture->Canvas(), TPoint(0, 0), TPoint(50, 50));
    EXPECT_EQ(p->PointsRef(), before);
}

TEST(PolygonHots, SquaresLeaveOutTheClosingCopyAndTheRegionHasNoTolerance)
{
    TMyCAD cad;
    cad.SetHotShow(true);
    auto p = MakeShape<TMyPolygon>(
        cad, {TMyPoint(20, 20), TMyPoint(80, 20), TMyPoint(80, 80), TMyPoint(20, 80), TMyPoint(20, 20)});
    EXPECT_TRUE(p->IsClickedMe(nullptr, TPoint(50, 50)));
    EXPECT_TRUE(p->IsClickedMe(nullptr, TPoint(21, 21)));
    EXPECT_FALSE(p->IsClickedMe(nullptr, TPoint(19, 50)));
    EXPECT_FALSE(p->IsClickedMe(nullptr, TPoint(81, 50)));
    cad.SetZoom(2);
    EXPECT_TRUE(p->IsClickedMe(nullptr, TPoint(150, 150)));
    EXPECT_FALSE(p->IsClickedMe(nullptr, TPoint(30, 30)));
}

TEST(PolygonArea, CountsCoveredPixelsPerUnitAndLeavesThePointsAlone)
{
    TMyCAD cad;
    cad.SetRatio(1);
    cad.SetTheUNIT(TUnits::pixel);
    auto square = ClosedSquare(cad, 0, 0, 10);
    EXPECT_EQ(square->GetInfo(), QStringLiteral("Area=   100.00pixel(s)2"));
    EXPECT_EQ(square->Info(), square->GetInfo());
    cad.SetRatio(2);
    EXPECT_EQ(square->GetInfo(), QStringLiteral("Area=   400.00pixel(s)2"));
    const double d = ScreenPixelsPerInch();
    const struct {
        TUnits unit;
        double factor;
        const char* text;
    } units[] = {{TUnits::mm, 25.4 * 25.4, "mm2"},          {TUnits::cm, 25.4 * 25.4 / 100, "cm2"},
                 {TUnits::dm, 25.4 * 25.4 / 10000, "dm2"},  {TUnits::m, 25.4 * 25.4 / 1e6, "m2"},
                 {TUnits::inch, 1, "inch2"}};
    for (const auto& u : units) {
        cad.SetTheUNIT(u.unit);
        const QString expected =
            QStringLiteral("Area=") + QString::asprintf("%9.2f", 400 / (d * d) * u.factor) + QLatin1String(u.text);
        EXPECT_EQ(square->GetInfo(), expected);
    }
    // Fractional points are counted on a copy: they come back bit for bit.
    auto odd = MakeShape<TMyPolygon>(cad, {TMyPoint(10.3f, 20.7f), TMyPoint(60.1f, 22.9f), TMyPoint(33.3f, 70.05f),
                                           TMyPoint(10.3f, 20.7f)});
    const TArrMyPoint before = odd->PointsRef();
    odd->GetInfo();
    EXPECT_EQ(odd->PointsRef(), before);
}

TEST(PolygonArea, ScanCountMatchesARasterFillAndNeedsNoRasterForHugePolygons)
{
    const std::vector<TPoint> star = {TPoint(50, 0),  TPoint(61, 35), TPoint(98, 35), TPoint(68, 57),
                                      TPoint(79, 91), TPoint(50, 70), TPoint(21, 91), TPoint(32, 57),
                                      TPoint(2, 35),  TPoint(39, 35), TPoint(50, 0)};
    QImage raster(100, 100, QImage::Format_RGB32);
    raster.fill(Qt::white);
    {
        QPainter painter(&raster);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::black);
        QPolygon polygon;
        for (const TPoint& p : star)
            polygon << QPoint(p.X, p.Y);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    int64_t inked = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            inked += raster.pixel(x, y) != qRgb(255, 255, 255);
    const int64_t counted = CountPolygonPixels(star, 100, 100);
    EXPECT_NEAR(double(counted), double(inked), inked * 0.03);
    // A polygon a file can give, terabytes as a bitmap, is counted row by row.
    const std::vector<TPoint> huge = {TPoint(0, 0), TPoint(2000000, 0), TPoint(2000000, 1500000), TPoint(0, 1500000),
                                      TPoint(0, 0)};
    EXPECT_EQ(CountPolygonPixels(huge, 2000000, 1500000), int64_t(2000000) * 1500000);
}

TEST(FreeLine, FinishesOnTheSecondPointShowsARedFrameAndHitsInItsBox)
{
    TMyCAD cad;
    cad.SetHotShow(true);
    TMyFreeLine free(&cad);
    free.AddPoint(TMyPoint(20, 20));
    EXPECT_FALSE(free.IsDrawingFinished(mbLeft, TPoint()));
    free.AddPoint(TMyPoint(60, 30));
    free.AddPoint(TMyPoint(80, 70));
    EXPECT_TRUE(free.IsDrawingFinished(mbLeft, TPoint()));
    EXPECT_TRUE(free.IsClickedMe(nullptr, TPoint(25, 65))); // far from the stroke, inside the box
    EXPECT_FALSE(free.IsClickedMe(nullptr, TPoint(85, 50)));
    auto picture = WhitePicture(100, 100);
    free.DrawHot(&picture->Canvas());
    TCanvas& c = picture->Canvas();
    EXPECT_EQ(c.Pixels(20, 45), clRed);
    EXPECT_EQ(c.Pixels(50, 20), clRed);
    EXPECT_EQ(c.Pixels(40, 40), clWhite); // clear brush, and no point squares
    EXPECT_EQ(c.Pixels(60, 31), clWhite);
}
