// The mouse on a drawing of 100,000 mixed shapes (rectangles, lines, ellipses) on an A4
// page at zoom 1:
// - hovering: a move without a button, which looks for the topmost shape under the
//   mouse at every step;
// - clicking: a press and a release that pick the shape under the mouse;
// - dragging a selection of 1,000 shapes: one move (the traces of every selected shape
//   erased and drawn again) and a whole drag (press, one move, release: the undo record
//   and the move of every selected shape);
// - the first hover after such a drag, which takes the moved shapes into the picking
//   grid, and a rebuild of the whole grid, which the first pick after a change of the
//   shape list, the zoom or the geometry as a whole pays.
// The reference for hovering and clicking, measured in the same process over the same
// points, is Qt's QGraphicsScene with its BSP index holding the same items: itemAt() for
// hovering, items() at the point for clicking. Each benchmark reports microseconds per
// step (us_per_move, us_per_click...) and, where there is a reference, its time
// (scene_us) and the ratio (ratio_to_scene). A 60 Hz frame is 16,667 microseconds.
#include "component/CAD.h"
#include "component/editing/MouseController.h"

#include "MixedDrawing.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <map>
#include <random>

namespace {
using bench::kPageHeight;
using bench::kPageWidth;
constexpr int kShapes = 100000;
constexpr int kSelected = 1000;

std::unique_ptr<TMyCAD> Drawing(int n)
{
    auto cad = bench::MixedDrawing(n);
    cad->SetUndoRedoSize(10);
    cad->SetShapeTool(SpSelecting);
    return cad;
}

std::unique_ptr<QGraphicsScene> Scene(int n)
{
    return bench::MixedScene(n, QGraphicsScene::BspTreeIndex);
}

// The points the mouse visits: a random walk over the page.
const std::vector<TPoint>& Walk()
{
    static std::vector<TPoint> points;
    if (points.empty()) {
        std::mt19937 random(5);
        std::uniform_int_distribution<int> step(-6, 6);
        TPoint p(kPageWidth / 2, kPageHeight / 2);
        for (int i = 0; i < 4096; ++i) {
            p.X = std::clamp(p.X + step(random), 0, kPageWidth - 1);
            p.Y = std::clamp(p.Y + step(random), 0, kPageHeight - 1);
            points.push_back(p);
        }
    }
    return points;
}

// Nanoseconds per call of Step over the walk, for at least 300 ms.
template <typename F>
double Measure(F Step)
{
    const std::vector<TPoint>& walk = Walk();
    for (size_t i = 0; i < 64; ++i)
        Step(walk[i]);
    QElapsedTimer timer;
    timer.start();
    size_t runs = 0;
    while (runs < walk.size() || timer.elapsed() < 300) {
        Step(walk[runs % walk.size()]);
        ++runs;
    }
    return double(timer.nsecsElapsed()) / double(runs);
}

void Report(benchmark::State& state, const char* name, double nanos, double reference = 0)
{
    state.counters[name] = nanos / 1e3;
    if (reference > 0) {
        state.counters["scene_us"] = reference / 1e3;
        state.counters["ratio_to_scene"] = nanos / reference;
    }
}

void BM_Hover(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    auto scene = Scene(int(state.range(0)));
    int hits = 0;
    const double reference = Measure([&](TPoint p) {
        hits += scene->itemAt(QPointF(p.X, p.Y), QTransform()) != nullptr;
    });
    const std::vector<TPoint>& walk = Walk();
    cad->MouseMove(0, walk[0].X, walk[0].Y); // the grid is built
    QElapsedTimer timer;
    timer.start();
    size_t i = 0;
    for (auto _ : state) {
        const TPoint p = walk[i++ % walk.size()];
        cad->MouseMove(0, p.X, p.Y);
    }
    Report(state, "us_per_move", double(timer.nsecsElapsed()) / double(state.iterations()), reference);
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_Hover)->Arg(kShapes)->Unit(benchmark::kMicrosecond);

// The pick alone, against the scene's list of items at the point.
void BM_PickTopShape(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    auto scene = Scene(int(state.range(0)));
    size_t found = 0;
    const double reference = Measure([&](TPoint p) {
        found += scene->items(QPointF(p.X, p.Y), Qt::IntersectsItemShape, Qt::DescendingOrder).size();
    });
    TMouseController& mouse = cad->MouseController();
    const std::vector<TPoint>& walk = Walk();
    mouse.TopShapeAt(walk[0]);
    QElapsedTimer timer;
    timer.start();
    size_t i = 0;
    for (auto _ : state) {
        bool passOne = false;
        benchmark::DoNotOptimize(mouse.NewPickAt(walk[i++ % walk.size()], passOne));
    }
    Report(state, "us_per_pick", double(timer.nsecsElapsed()) / double(state.iterations()), reference);
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_PickTopShape)->Arg(kShapes)->Unit(benchmark::kMicrosecond);

void BM_Click(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    auto scene = Scene(int(state.range(0)));
    size_t found = 0;
    const double reference = Measure([&](TPoint p) {
        found += scene->items(QPointF(p.X, p.Y), Qt::IntersectsItemShape, Qt::DescendingOrder).size();
    });
    const std::vector<TPoint>& walk = Walk();
    QElapsedTimer timer;
    timer.start();
    size_t i = 0;
    for (auto _ : state) {
        const TPoint p = walk[(i++ * 37) % walk.size()];
        cad->MouseDown(mbLeft, ssLeft, p.X, p.Y);
        cad->MouseUp(mbLeft, 0, p.X, p.Y);
    }
    Report(state, "us_per_click", double(timer.nsecsElapsed()) / double(state.iterations()), reference);
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_Click)->Arg(kShapes)->Unit(benchmark::kMicrosecond);

// Selects every hundredth shape and returns a point inside a selected rectangle, away
// from its hots, where a press starts a drag.
TPoint SelectSpread(TMyCAD& cad)
{
    for (int i = 0; i < kShapes && cad.GetWorkingShapesCount() < kSelected; i += kShapes / kSelected)
        cad.AddWorkingShapes(cad.GetShapeByNo(i));
    for (const TMyShape* s : cad.GetSelectedShapes())
        if (dynamic_cast<const TMyRectangle*>(s) && !dynamic_cast<const TMyEllipse*>(s) && s->GetWidth() > 24 &&
            s->GetHeight() > 24)
            return MyPtToPt(TMyPoint(s->GetLeftTop().X + 6, s->GetLeftTop().Y + 12));
    return TPoint();
}

// Presses at P and checks that the press started a drag.
bool StartDrag(benchmark::State& state, TMyCAD& cad, TPoint P)
{
    cad.MouseDown(mbLeft, ssLeft, P.X, P.Y);
    if (cad.ActionTool() == dtDragging)
        return true;
    state.SkipWithError("the press did not start a drag");
    return false;
}

void BM_DragMove1000(benchmark::State& state)
{
    auto cad = Drawing(kShapes);
    const TPoint start = SelectSpread(*cad);
    if (!StartDrag(state, *cad, start))
        return;
    const std::vector<TPoint>& walk = Walk();
    QElapsedTimer timer;
    timer.start();
    size_t i = 0;
    for (auto _ : state) {
        const TPoint d = walk[i++ % walk.size()];
        cad->MouseMove(ssLeft, start.X + (d.X - kPageWidth / 2), start.Y + (d.Y - kPageHeight / 2));
    }
    Report(state, "us_per_move", double(timer.nsecsElapsed()) / double(state.iterations()));
    cad->MouseUp(mbLeft, 0, start.X, start.Y);
}
BENCHMARK(BM_DragMove1000)->Unit(benchmark::kMicrosecond);

// Press, one move and the release that moves the 1,000 shapes and records them for undo.
void BM_DragRelease1000(benchmark::State& state)
{
    auto cad = Drawing(kShapes);
    cad->SetSnap(false);
    TPoint at = SelectSpread(*cad);
    QElapsedTimer timer;
    timer.start();
    int dx = 3;
    for (auto _ : state) {
        if (!StartDrag(state, *cad, at))
            return;
        cad->MouseMove(ssLeft, at.X + dx, at.Y);
        cad->MouseUp(mbLeft, 0, at.X + dx, at.Y);
        at.X += dx;
        dx = -dx;
    }
    Report(state, "us_per_drag", double(timer.nsecsElapsed()) / double(state.iterations()));
}

// The first hover after a drag of 1,000 shapes: the grid takes in their new places.
void BM_HoverAfterDrag1000(benchmark::State& state)
{
    auto cad = Drawing(kShapes);
    cad->SetSnap(false);
    TPoint at = SelectSpread(*cad);
    cad->MouseMove(0, 10, 10); // the grid is built
    QElapsedTimer timer;
    qint64 hover = 0;
    int dx = 3;
    for (auto _ : state) {
        if (!StartDrag(state, *cad, at))
            return;
        cad->MouseMove(ssLeft, at.X + dx, at.Y);
        cad->MouseUp(mbLeft, 0, at.X + dx, at.Y);
        at.X += dx;
        dx = -dx;
        timer.start();
        cad->MouseMove(0, at.X, at.Y + 40);
        hover += timer.nsecsElapsed();
    }
    Report(state, "us_first_move", double(hover) / double(state.iterations()));
}
BENCHMARK(BM_HoverAfterDrag1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragRelease1000)->Unit(benchmark::kMillisecond);

// What the first pick after an edit pays: the grid built anew over 100,000 shapes.
void BM_GridRebuild(benchmark::State& state)
{
    auto cad = Drawing(int(state.range(0)));
    TMouseController& mouse = cad->MouseController();
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        cad->GeometryChanged();
        benchmark::DoNotOptimize(mouse.TopShapeAt(TPoint(100, 100)));
    }
    Report(state, "us_per_rebuild", double(timer.nsecsElapsed()) / double(state.iterations()));
    const TShapeGrid& grid = mouse.Grid();
    state.counters["cells"] = grid.CellCount();
    state.counters["cell_size"] = grid.CellSize();
}
BENCHMARK(BM_GridRebuild)->Arg(kShapes)->Unit(benchmark::kMillisecond);
} // namespace
