// The widgets beside a drawing: rebuilding the inspector's rows for a shape (budget
// 5 ms), repainting the inspector's grid (budget 2 ms), and moving a ruler's hair line
// on a 4,000-pixel ruler (budget 0.5 ms per mouse move). Each reports the time of one
// step in milliseconds, as the clock on the wall (ms) and as the processor time of the
// thread (cpu_ms, which other programs on a busy machine do not inflate), and the share
// of its budget the processor time uses (of_budget, below 1 is within it).
#include "component/CAD.h"
#include "controls/ruler/RsRuler.h"
#include "inspector/CompInsp.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>

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

// The wall clock and the thread's processor time of the measured steps.
class TStepClock {
public:
    void Start()
    {
        FWallStart = std::chrono::steady_clock::now();
        FCpuStart = ThreadCpuMs();
    }
    void Stop()
    {
        FWallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - FWallStart).count();
        FCpuMs += ThreadCpuMs() - FCpuStart;
    }
    void Report(benchmark::State& state, double budgetMs) const
    {
        const double n = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
        state.counters["ms"] = FWallMs / n;
        state.counters["cpu_ms"] = FCpuMs / n;
        state.counters["of_budget"] = FCpuMs / n / budgetMs;
    }

private:
    static double ThreadCpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }
    std::chrono::steady_clock::time_point FWallStart;
    double FCpuStart = 0;
    double FWallMs = 0;
    double FCpuMs = 0;
};

void BM_InspectorRebuildShapeRows(benchmark::State& state)
{
    TInspectorScene scene;
    TStepClock clock;
    for (auto _ : state) {
        clock.Start();
        scene.Insp.RefreshList();
        clock.Stop();
        benchmark::DoNotOptimize(scene.Insp.ItemCount());
    }
    state.counters["rows"] = scene.Insp.ItemCount();
    clock.Report(state, 5.0);
}
BENCHMARK(BM_InspectorRebuildShapeRows)->Unit(benchmark::kMillisecond);

void BM_InspectorRepaintGrid(benchmark::State& state)
{
    TInspectorScene scene;
    QWidget* viewport = scene.Insp.viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    TStepClock clock;
    for (auto _ : state) {
        clock.Start();
        QPainter painter(&image);
        scene.Insp.PaintRows(painter, image.rect());
        painter.end();
        clock.Stop();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = scene.Insp.ItemCount();
    clock.Report(state, 2.0);
}
BENCHMARK(BM_InspectorRepaintGrid)->Unit(benchmark::kMillisecond);

void RulerHairLine(benchmark::State& state, THairLineStyle style)
{
    TRsRuler ruler;
    ruler.resize(4000, 33);
    ruler.SetHairLine(true);
    ruler.SetHairLineStyle(style);
    ruler.Picture(); // composed once, as shown
    uint32_t seed = 1;
    TStepClock clock;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        const int pos = int(seed >> 16) % 3989 + 5; // a mouse anywhere along the ruler
        clock.Start();
        ruler.SetHairLinePos(pos);
        clock.Stop();
    }
    clock.Report(state, 0.5);
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
