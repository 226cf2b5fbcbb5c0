// The widgets beside a drawing: rebuilding the inspector's rows for a shape (budget
// 5 ms), repainting the inspector's grid (budget 2 ms), and moving a ruler's hair line
// on a 4,000-pixel ruler (budget 0.5 ms per mouse move). Each reports its time in
// milliseconds and the share of its budget used (of_budget, below 1 is within it).
#include "component/CAD.h"
#include "controls/ruler/RsRuler.h"
#include "inspector/CompInsp.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <chrono>

namespace {

struct TInspectorScene {
    TMyCAD Cad;
    TComponentInspector Insp;
    TMyShape* Rect = nullptr;
    TInspectorScene()
    {
        Cad.resize(800, 600);
        const int id = Cad.AddShapeByCode(&Cad, SpRectangle, QString(),
                                          {TMyPoint(10, 10), TMyPoint(90, 10), TMyPoint(90, 60), TMyPoint(10, 60)}, 0, "R1");
        Rect = Cad.GetShapeByID(id);
        Insp.resize(260, 900);
        Insp.SetRoot(&Cad);
        Insp.SetInstance(Rect);
        // The sub-objects open, as a user inspecting a shape has them.
        Insp.SelectProperty("Pen.Color");
        Insp.SelectProperty("Brush.Color");
        Insp.SelectProperty("Font.Style.fsBold");
    }
};

void ReportBudget(benchmark::State& state, double budgetMs, double totalMs)
{
    const double ms = totalMs / double(state.iterations());
    state.counters["ms"] = ms;
    state.counters["of_budget"] = ms / budgetMs;
}

double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void BM_InspectorRebuildShapeRows(benchmark::State& state)
{
    TInspectorScene scene;
    std::chrono::steady_clock::duration total{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        scene.Insp.RefreshList();
        total += std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(scene.Insp.ItemCount());
    }
    state.counters["rows"] = scene.Insp.ItemCount();
    ReportBudget(state, 5.0, Ms(total));
}
BENCHMARK(BM_InspectorRebuildShapeRows)->Unit(benchmark::kMillisecond);

void BM_InspectorRepaintGrid(benchmark::State& state)
{
    TInspectorScene scene;
    QWidget* viewport = scene.Insp.viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    std::chrono::steady_clock::duration total{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QPainter painter(&image);
        scene.Insp.PaintRows(painter, image.rect());
        painter.end();
        total += std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = scene.Insp.ItemCount();
    ReportBudget(state, 2.0, Ms(total));
}
BENCHMARK(BM_InspectorRepaintGrid)->Unit(benchmark::kMillisecond);

void RulerHairLine(benchmark::State& state, THairLineStyle style)
{
    TRsRuler ruler;
    ruler.resize(4000, 33);
    ruler.SetHairLine(true);
    ruler.SetHairLineStyle(style);
    ruler.Picture(); // composed once, as shown
    int pos = 1;
    std::chrono::steady_clock::duration total{};
    for (auto _ : state) {
        pos = pos * 1103515245 % 3989 + 5; // a mouse anywhere along the ruler
        const auto start = std::chrono::steady_clock::now();
        ruler.SetHairLinePos(pos);
        total += std::chrono::steady_clock::now() - start;
    }
    ReportBudget(state, 0.5, Ms(total));
}

void BM_RulerHairLine(benchmark::State& state)
{
    RulerHairLine(state, hlsLine);
}
BENCHMARK(BM_RulerHairLine)->Unit(benchmark::kMicrosecond);

void BM_RulerHairLineBand(benchmark::State& state)
{
    RulerHairLine(state, hlsRect);
}
BENCHMARK(BM_RulerHairLineBand)->Unit(benchmark::kMicrosecond);

// For comparison: a whole paint pass of the same ruler.
void BM_RulerPaintPass(benchmark::State& state)
{
    TRsRuler ruler;
    ruler.resize(4000, 33);
    for (auto _ : state) {
        ruler.Repaint();
        benchmark::DoNotOptimize(ruler.Picture().constBits());
    }
}
BENCHMARK(BM_RulerPaintPass)->Unit(benchmark::kMicrosecond);

} // namespace
