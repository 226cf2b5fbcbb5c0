// A large drawing built and searched by code: adding 100,000 shapes, looking them up by
// identifier and by name, and copying them with Assign.
#include "component/CAD.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kShapes = 100000;

TArrMyPoint Box(float x, float y)
{
    return {TMyPoint(x, y), TMyPoint(x + 20, y), TMyPoint(x + 20, y + 10), TMyPoint(x, y + 10)};
}

// A drawing of n rectangles, lines and ellipses spread over an A4 page.
std::unique_ptr<TMyCAD> MixedDrawing(int n)
{
    auto cad = std::make_unique<TMyCAD>();
    cad->SetUndoRedoSize(0);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(0, 770), y(0, 1100);
    for (int i = 0; i < n; ++i) {
        const float px = x(random), py = y(random);
        switch (i % 3) {
        case 0: cad->AddShapeByCode(cad.get(), SpRectangle, {}, Box(px, py), 0, QStringLiteral("R%1").arg(i)); break;
        case 1:
            cad->AddShapeByCode(cad.get(), SpLine, {}, {TMyPoint(px, py), TMyPoint(px + 30, py + 12)}, 0,
                                QStringLiteral("L%1").arg(i));
            break;
        default: cad->AddShapeByCode(cad.get(), SpEllipse, {}, Box(px, py), 0, QStringLiteral("E%1").arg(i)); break;
        }
    }
    return cad;
}

void BM_AddShapesByCode(benchmark::State& state)
{
    for (auto _ : state) {
        auto cad = MixedDrawing(int(state.range(0)));
        benchmark::DoNotOptimize(cad->GetShapesCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddShapesByCode)->Arg(kShapes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LookupById(benchmark::State& state)
{
    auto cad = MixedDrawing(kShapes);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> id(0, kShapes - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(cad->GetShapeByID(id(random)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupById);

void BM_LookupByName(benchmark::State& state)
{
    auto cad = MixedDrawing(kShapes);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> i(0, kShapes - 1);
    for (auto _ : state) {
        const int n = i(random);
        const QString name = QStringLiteral("%1%2").arg(n % 3 == 0 ? "R" : n % 3 == 1 ? "L" : "E").arg(n);
        benchmark::DoNotOptimize(cad->GetShapeByName(name));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupByName)->Unit(benchmark::kMicrosecond);

void BM_AssignAll(benchmark::State& state)
{
    auto cad = MixedDrawing(kShapes);
    std::vector<std::unique_ptr<TMyShape>> copies;
    for (int i = 0; i < kShapes; ++i)
        copies.push_back(cad->CreateShapeByName(cad->GetShapeByNo(i)->ClassName()));
    for (auto _ : state)
        for (int i = 0; i < kShapes; ++i)
            copies[size_t(i)]->Assign(cad->GetShapeByNo(i));
    state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_AssignAll)->Unit(benchmark::kMillisecond);
} // namespace
