// Editing a large drawing: deleting 10,000 selected shapes of a 100,000-shape drawing (with
// connectors attached, so every kind of reference is renumbered) and undoing that
// deletion. Both run in one pass over the shape list; for comparison, the same drawing
// loses 100 shapes through one DeleteShapeById call per shape, each a full pass.
#include "component/document/MyCAD.h"
#include "component/shapes/AllShapes.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {
constexpr int kShapes = 100000;
constexpr int kConnectors = 10000;
constexpr int kSelected = 10000;

// 90,000 rectangles and 10,000 connectors between random rectangles.
std::unique_ptr<TMyCAD> BuildDrawing()
{
    auto cad = std::make_unique<TMyCAD>();
    cad->SetUndoRedoSize(0);
    std::mt19937 random(7);
    const int rectangles = kShapes - kConnectors;
    for (int i = 0; i < rectangles; ++i) {
        TMyShape* s = cad->CreateAddShapeByName(QStringLiteral("TMyRectangle"), nullptr);
        const float x = float(i % 300) * 20, y = float(i / 300) * 20;
        s->PointsRef() = {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}};
    }
    std::uniform_int_distribution<int> pick(0, rectangles - 1);
    for (int i = 0; i < kConnectors; ++i) {
        auto* line = static_cast<TMyLinkLine*>(cad->CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
        TMyShape* a = cad->GetShapeByNo(pick(random));
        TMyShape* b = cad->GetShapeByNo(pick(random));
        line->PointsRef() = {a->GetPoint(0), b->GetPoint(0)};
        line->SetStartSpNo(a->ShapeNo());
        line->SetStartSpPtId(0);
        line->SetEndSpNo(b->ShapeNo());
        line->SetEndSpPtId(0);
        a->LinkLineNos().push_back(uint32_t(line->ShapeNo()));
        b->LinkLineNos().push_back(uint32_t(line->ShapeNo()));
    }
    cad->SetUndoRedoSize(10);
    return cad;
}

// Every tenth shape of the drawing becomes a working shape.
void SelectEveryTenth(TMyCAD& cad)
{
    cad.DeSelectedAllShapesByCode();
    for (int i = 0; i < cad.GetShapesCount() && cad.GetWorkingShapesCount() < kSelected; i += 10)
        cad.AddWorkingShapes(cad.GetShapeByNo(i));
}

void BM_DeleteSelected10kOf100k(benchmark::State& state)
{
    auto cad = BuildDrawing();
    for (auto _ : state) {
        state.PauseTiming();
        SelectEveryTenth(*cad);
        state.ResumeTiming();
        benchmark::DoNotOptimize(cad->DeleteSelectedShapes());
        state.PauseTiming();
        if (cad->GetShapesCount() != kShapes - kSelected)
            state.SkipWithError("wrong number of shapes deleted");
        cad->PopFromUndoRedoShapeList();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteSelected10kOf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UndoDeletion10kOf100k(benchmark::State& state)
{
    auto cad = BuildDrawing();
    for (auto _ : state) {
        state.PauseTiming();
        SelectEveryTenth(*cad);
        cad->DeleteSelectedShapes();
        state.ResumeTiming();
        benchmark::DoNotOptimize(cad->PopFromUndoRedoShapeList());
        state.PauseTiming();
        if (cad->GetShapesCount() != kShapes)
            state.SkipWithError("the deletion was not undone");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoDeletion10kOf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same kind of work one shape at a time: each call is a full pass.
void BM_DeleteOneByOne100Of100k(benchmark::State& state)
{
    auto cad = BuildDrawing();
    cad->SetUndoRedoSize(0);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<int> ids;
        for (int i = 0; i < 100; ++i)
            ids.push_back(cad->GetShapeByNo(i * 100)->GetShapeId());
        state.ResumeTiming();
        for (int id : ids)
            cad->DeleteShapeById(id, false);
    }
}
BENCHMARK(BM_DeleteOneByOne100Of100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BringFirstToFrontOf100k(benchmark::State& state)
{
    auto cad = BuildDrawing();
    cad->SetUndoRedoSize(0);
    for (auto _ : state)
        cad->BringToFront(cad->GetShapeByNo(0), false);
}
BENCHMARK(BM_BringFirstToFrontOf100k)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace
