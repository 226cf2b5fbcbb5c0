// Painting a large drawing: the whole A4 page at zoom 1 and a 200 x 200 partial repaint,
// for 10,000 and 100,000 mixed shapes (rectangles, lines, ellipses). The reference,
// measured in the same process, is Qt's QGraphicsScene holding the same items and
// rendering the same area into an image of the same size: without an index for the
// full page, with its BSP index for the partial repaint. Each benchmark reports its time
// per paint (ms_per_paint) and its ratio to the reference (ratio_to_scene).
// BM_PaintFullPageDense paints the page for a screen of twice the pixel density.
// BM_PaintPartialAfterEdit moves one shape before every partial repaint, so each repaint
// has one touched shape to take in first: the cost of the first repaint after an edit.
// BM_PaintPartialAfterAdd adds a rectangle before every partial repaint.
// BM_PaintPartialAfterZoom changes the zoom (by a hair, so the same shapes show) before
// every partial repaint, which rebuilds the index.
#include "component/CAD.h"

#include "MixedDrawing.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

namespace {
using bench::kPageHeight;
using bench::kPageWidth;
const TRect kPartial(300, 400, 500, 600);

std::unique_ptr<TMyCAD> Drawing(int n)
{
    return bench::MixedDrawing(n, bsClear);
}

double SceneNanos(QGraphicsScene& scene, const TRect& area, double ratio)
{
    QImage image(int(area.Width() * ratio), int(area.Height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
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

void PaintBenchmark(benchmark::State& state, const TRect& area, QGraphicsScene::ItemIndexMethod index,
                    double ratio = 1)
{
    const int n = int(state.range(0));
    auto cad = Drawing(n);
    cad->GridOperation()->SetGridType(gNone);
    cad->SetScreenPixelRatio(ratio);
    auto scene = bench::MixedScene(n, index);
    const double reference = SceneNanos(*scene, area, ratio);
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        cad->DrawAll(area);
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_paint"] = nanos / 1e6;
    state.counters["scene_ms"] = reference / 1e6;
    state.counters["ratio_to_scene"] = nanos / reference;
}

void BM_PaintFullPage(benchmark::State& state)
{
    PaintBenchmark(state, TRect(0, 0, kPageWidth, kPageHeight), QGraphicsScene::NoIndex);
}
BENCHMARK(BM_PaintFullPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same at a screen pixel ratio of 2 (200 % scaling), against the scene rendered into
// an image of that ratio.
void BM_PaintFullPageDense(benchmark::State& state)
{
    PaintBenchmark(state, TRect(0, 0, kPageWidth, kPageHeight), QGraphicsScene::NoIndex, 2);
}
BENCHMARK(BM_PaintFullPageDense)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintPartial(benchmark::State& state)
{
    PaintBenchmark(state, kPartial, QGraphicsScene::BspTreeIndex);
}
BENCHMARK(BM_PaintPartial)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintPartialAfterEdit(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    cad->GridOperation()->SetGridType(gNone);
    TMyShape* shape = cad->GetShapeByNo(0);
    float dx = 1;
    for (auto _ : state) {
        shape->PointAddXY(0, dx, 0);
        dx = -dx;
        cad->DrawAll(kPartial);
    }
}
BENCHMARK(BM_PaintPartialAfterEdit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintPartialAfterAdd(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    cad->GridOperation()->SetGridType(gNone);
    cad->DrawAll(kPartial);
    int k = 0;
    for (auto _ : state) {
        const float x = float(kPartial.Left + (k * 7) % 180), y = float(kPartial.Top + (k * 13) % 180);
        ++k;
        cad->AddShapeByCode(cad.get(), SpRectangle, {},
                            {TMyPoint(x, y), TMyPoint(x + 10, y), TMyPoint(x + 10, y + 10), TMyPoint(x, y + 10)}, 0,
                            QStringLiteral("A"));
        cad->DrawAll(kPartial);
    }
}
BENCHMARK(BM_PaintPartialAfterAdd)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintPartialAfterZoom(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    cad->GridOperation()->SetGridType(gNone);
    bool odd = false;
    for (auto _ : state) {
        cad->SetZoom(odd ? 1.0 : 1.0000001);
        odd = !odd;
        cad->DrawAll(kPartial);
    }
}
BENCHMARK(BM_PaintPartialAfterZoom)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace
