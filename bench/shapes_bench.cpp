// Shape kinds with many points or big figures, each against Qt drawing the same in the run.
//
// BM_PaintPointLine/kind/width: a 10,000-point free line (kind 0) or polyline (kind 1) drawn
//   into a 1000 x 1000 picture with a pen of width 1 or 3, against QPainter::drawPolyline of
//   the same points on a QImage of the same size (ratio_to_qt).
// BM_FreeLineRotate: the rotate rubber band of a 10,000-point free line, one mouse move
//   (ms_per_move; target under 4 ms).
// BM_ArcDraw/kind: an ordinary arc (kind 0, radius 300) against QPainter::drawArc of the same
//   circle (ratio_to_qt), and the nearly straight arc of a radius near 4e7 (kind 1; bounded:
//   ms_per_draw under 1 ms).
// BM_BLineHover: the hit test of a 100-point B-spline for one mouse position (target under
//   0.2 ms).
// BM_PolygonArea: the area text of a polygon spanning 4000 x 3000 units (counted by rows).
#include "component/CAD.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cmath>

namespace {
std::vector<TMyPoint> Wiggle(int n)
{
    std::vector<TMyPoint> points;
    points.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const double t = i * 0.01;
        points.push_back(TMyPoint(float(500 + 450 * std::sin(t * 1.3)), float(500 + 450 * std::cos(t * 0.7))));
    }
    return points;
}

template <class F>
double NanosPerCall(int calls, F&& f)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        f();
    return double(timer.nsecsElapsed()) / calls;
}

void BM_PaintPointLine(benchmark::State& state)
{
    TMyCAD cad;
    std::unique_ptr<TMyPolyLine> line;
    if (state.range(0) == 0)
        line = std::make_unique<TMyFreeLine>(&cad);
    else
        line = std::make_unique<TMyPolyLine>(&cad);
    line->PointsRef() = Wiggle(10000);
    line->Pen()->SetWidth(int(state.range(1)));
    TBitmap picture(1000, 1000);
    QImage image(1000, 1000, QImage::Format_BGR888);
    QPolygon polygon;
    for (const TMyPoint& p : line->PointsRef())
        polygon << QPoint(int(std::lround(p.X)), int(std::lround(p.Y)));
    const double reference = NanosPerCall(20, [&] {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, double(state.range(1))));
        painter.drawPolyline(polygon);
    });
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        line->Draw(&picture.Canvas());
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_paint"] = nanos / 1e6;
    state.counters["qt_ms"] = reference / 1e6;
    state.counters["ratio_to_qt"] = nanos / reference;
}
BENCHMARK(BM_PaintPointLine)->ArgsProduct({{0, 1}, {1, 3}})->ArgNames({"kind", "width"})->Unit(benchmark::kMillisecond);

void BM_FreeLineRotate(benchmark::State& state)
{
    TMyCAD cad;
    TMyFreeLine line(&cad);
    line.PointsRef() = Wiggle(10000);
    TBitmap picture(1000, 1000);
    float angle = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        angle += 0.01f;
        line.Rotating(&picture.Canvas(), TMyPoint(500, 500), angle);
    }
    state.counters["ms_per_move"] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_FreeLineRotate)->Unit(benchmark::kMillisecond);

void BM_ArcDraw(benchmark::State& state)
{
    TMyCAD cad;
    TMyElliArc arc(&cad);
    if (state.range(0) == 0)
        arc.PointsRef() = {TMyPoint(800, 500), TMyPoint(500, 800), TMyPoint(200, 500)};
    else
        arc.PointsRef() = {TMyPoint(0, 500), TMyPoint(20000, 505), TMyPoint(40000, 500)};
    TBitmap picture(1000, 1000);
    QImage image(1000, 1000, QImage::Format_BGR888);
    const double reference = NanosPerCall(50, [&] {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawArc(QRect(200, 200, 600, 600), 0, -180 * 16);
    });
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        arc.Draw(&picture.Canvas());
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_draw"] = nanos / 1e6;
    state.counters["ratio_to_qt"] = nanos / reference;
}
BENCHMARK(BM_ArcDraw)->Arg(0)->Arg(1)->ArgName("nearly_straight")->Unit(benchmark::kMicrosecond);

void BM_BLineHover(benchmark::State& state)
{
    TMyCAD cad;
    TMyBLine line(&cad);
    for (int i = 0; i < 100; ++i)
        line.AddPoint(TMyPoint(float(10 + i * 9), float(400 + 200 * std::sin(i * 0.3))));
    TBitmap picture(1000, 1000);
    int x = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        x = (x + 37) % 1000;
        benchmark::DoNotOptimize(line.IsClickedMe(&picture.Canvas(), TPoint(x, 380)));
    }
    state.counters["ms_per_hover"] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_BLineHover)->Unit(benchmark::kMicrosecond);

void BM_PolygonArea(benchmark::State& state)
{
    TMyCAD cad;
    TMyPolygon polygon(&cad);
    polygon.PointsRef() = {TMyPoint(0, 0),    TMyPoint(4000, 0),    TMyPoint(4000, 3000), TMyPoint(2000, 1200),
                           TMyPoint(0, 3000), TMyPoint(0, 0)};
    for (auto _ : state)
        benchmark::DoNotOptimize(polygon.GetInfo());
}
BENCHMARK(BM_PolygonArea)->Unit(benchmark::kMillisecond);
} // namespace
