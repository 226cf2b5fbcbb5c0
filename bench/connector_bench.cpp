// Connectors: following a moved shape, painting many crossing connectors with and without
// hops, laying one route among many combined shapes, and the connector tool's mouse move.
//
// BM_MoveShapeWithConnectors: a shape with 100 attached connectors among 1,000 shapes is
//   moved by code; every connector is laid again (ms_per_move; target under 16 ms).
// BM_PaintConnectors/N/hops/full: N crossing connectors (half horizontal, half vertical,
//   each of three points) painted on the whole A4 page (full 1) or a 200 x 200 part (full 0),
//   with hops on or off, against QGraphicsScene painting the same polylines (without an
//   index for the page, with its BSP index for the part): ratio_to_scene (targets: 1.0 with
//   hops, 0.5 without).
// BM_GetPath/N: one route between two attached boxes among N combined shapes spread over the
//   page (the cost must not grow with the shapes away from the route).
// BM_ConnectorToolMove: the connector tool's mouse move over 100,000 shapes with link points
//   (ms_per_move; target under a 60 Hz frame, 16.7 ms).
#include "component/CAD.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <random>

namespace {
constexpr int kPageWidth = 794, kPageHeight = 1123;

TMyShape* LinkedBox(TMyCAD& cad, float x, float y, float w, float h)
{
    const int id = cad.AddShapeByCode(&cad, SpRectangle, {},
                                      {TMyPoint(x, y), TMyPoint(x + w, y), TMyPoint(x + w, y + h), TMyPoint(x, y + h)}, 0,
                                      QStringLiteral("B"));
    TMyShape* s = cad.GetShapeByID(id);
    s->AddLinkPoint(TMyPoint(x, y + h / 2));
    s->AddLinkPoint(TMyPoint(x + w / 2, y));
    s->AddLinkPoint(TMyPoint(x + w, y + h / 2));
    s->AddLinkPoint(TMyPoint(x + w / 2, y + h));
    return s;
}

void BM_MoveShapeWithConnectors(benchmark::State& state)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> x(0, kPageWidth - 40), y(0, kPageHeight - 40);
    TMyShape* hub = LinkedBox(cad, 380, 540, 40, 40);
    std::vector<TMyShape*> others;
    for (int i = 1; i < 1000; ++i)
        others.push_back(LinkedBox(cad, x(random), y(random), 24, 16));
    for (int i = 0; i < 100; ++i)
        cad.CreateLink(QStringLiteral("L"), hub, i % 4, others[size_t(i * 7)], (i + 2) % 4);
    cad.RemoveAllWorkingShapes();
    double dx = 3;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        cad.Move(hub, dx, 0);
        dx = -dx;
    }
    state.counters["ms_per_move"] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_MoveShapeWithConnectors)->Unit(benchmark::kMillisecond);

// N connectors crossing each other: horizontal ones with a short jog, vertical ones too.
std::vector<TArrMyPoint> CrossingRoutes(int n)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(0, kPageWidth), y(0, kPageHeight), len(60, 240);
    std::vector<TArrMyPoint> routes;
    for (int i = 0; i < n; ++i) {
        const float ax = x(random), ay = y(random), l = len(random);
        if (i % 2 == 0)
            routes.push_back({TMyPoint(ax, ay), TMyPoint(ax + l, ay), TMyPoint(ax + l, ay + 20)});
        else
            routes.push_back({TMyPoint(ax, ay), TMyPoint(ax, ay + l), TMyPoint(ax + 20, ay + l)});
    }
    return routes;
}

double SceneNanos(QGraphicsScene& scene, const TRect& area)
{
    QImage image(area.Width(), area.Height(), QImage::Format_RGB32);
    const QRectF source(area.Left, area.Top, area.Width(), area.Height());
    auto run = [&] {
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, area.Width(), area.Height()), source);
    };
    run();
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    while (runs < 3 || timer.elapsed() < 300) {
        run();
        ++runs;
    }
    return double(timer.nsecsElapsed()) / runs;
}

void BM_PaintConnectors(benchmark::State& state)
{
    const int n = int(state.range(0));
    const bool hops = state.range(1) != 0, full = state.range(2) != 0;
    const TRect area = full ? TRect(0, 0, kPageWidth, kPageHeight) : TRect(300, 400, 500, 600);
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    cad.GridOperation()->SetGridType(gNone);
    cad.SetCrossLine(hops);
    const auto routes = CrossingRoutes(n);
    for (const TArrMyPoint& r : routes) {
        TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
        s->PointsRef() = r;
    }
    QGraphicsScene scene(0, 0, kPageWidth, kPageHeight);
    scene.setItemIndexMethod(full ? QGraphicsScene::NoIndex : QGraphicsScene::BspTreeIndex);
    scene.setBackgroundBrush(Qt::white);
    for (const TArrMyPoint& r : routes) {
        QPainterPath path(r[0].toQPointF());
        for (size_t k = 1; k < r.size(); ++k)
            path.lineTo(r[k].toQPointF());
        scene.addPath(path, QPen(Qt::black, 1));
    }
    const double reference = SceneNanos(scene, area);
    cad.DrawAll(area);
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        cad.DrawAll(area);
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_paint"] = nanos / 1e6;
    state.counters["scene_ms"] = reference / 1e6;
    state.counters["ratio_to_scene"] = nanos / reference;
    state.counters["drawn"] = double(cad.DrawnShapes().size());
}
BENCHMARK(BM_PaintConnectors)
    ->ArgsProduct({{1000, 10000}, {1, 0}, {1, 0}})
    ->ArgNames({"connectors", "hops", "full"})
    ->Unit(benchmark::kMillisecond);

void BM_GetPath(benchmark::State& state)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    std::mt19937 random(11);
    std::uniform_real_distribution<float> x(0, 20000), y(0, 20000);
    for (int i = 0; i < state.range(0); ++i) {
        TMyShape* c = cad.CreateAddShapeByName(QStringLiteral("TMyCombine"), nullptr);
        const float cx = x(random), cy = y(random);
        c->PointsRef() = {TMyPoint(cx, cy), TMyPoint(cx + 30, cy), TMyPoint(cx + 30, cy + 30), TMyPoint(cx, cy + 30)};
    }
    TMyShape* a = LinkedBox(cad, 100, 100, 60, 40);
    TMyShape* b = LinkedBox(cad, 500, 400, 60, 40);
    // An obstacle on the way, so that the route detours.
    TMyShape* o = cad.CreateAddShapeByName(QStringLiteral("TMyCombine"), nullptr);
    o->PointsRef() = {TMyPoint(220, 80), TMyPoint(300, 80), TMyPoint(300, 160), TMyPoint(220, 160)};
    auto* line = static_cast<TMyLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
    cad.GetPath(nullptr, line, a, a->GetLinkPointInZoom(2), b, b->GetLinkPointInZoom(0), dNone);
    for (auto _ : state)
        cad.GetPath(nullptr, line, a, a->GetLinkPointInZoom(2), b, b->GetLinkPointInZoom(0), dNone);
    state.counters["points"] = line->GetPointsCount();
}
BENCHMARK(BM_GetPath)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_ConnectorToolMove(benchmark::State& state)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    std::mt19937 random(5);
    std::uniform_real_distribution<float> x(0, kPageWidth - 30), y(0, kPageHeight - 30);
    for (int i = 0; i < 100000; ++i)
        LinkedBox(cad, x(random), y(random), 20, 14);
    cad.RemoveAllWorkingShapes();
    cad.SetShapeTool(SpLinkLine);
    std::uniform_int_distribution<int> mx(0, kPageWidth - 1), my(0, kPageHeight - 1);
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        cad.MouseMove(0, mx(random), my(random));
    state.counters["ms_per_move"] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_ConnectorToolMove)->Unit(benchmark::kMillisecond);
} // namespace
