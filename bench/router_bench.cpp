// Connector routers compared on generated diagrams: 1,000 combined shapes with four link
// points each on a jittered lattice of 40 x 25 cells of 120 units, and 1,000 connectors
// between shapes at most three cells apart, laid by the standard router (arg 0) and by
// the obstacle-avoiding one (arg 1).
//
// BM_RouteDiagram/R: every connector laid again through TMyCAD::GetPath (us_per_route;
//   target under 2 ms for the avoiding router), with per route: crossings (segments
//   through a shape's box other than the stubs out of its own ends; target 0), bends and
//   length; and routes_crossing, the connectors with at least one crossing.
// BM_DragWithConnectors/R: a shape in the middle with 100 connectors to shapes at most five
//   cells away, among the 1,000, moved by code, every connector laid again (ms_per_move; target under 16 ms).
#include "component/CAD.h"
#include "component/editing/OrthoGraph.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <random>

namespace {
constexpr int kCols = 40, kRows = 25;
constexpr float kCell = 120;

struct TDiagram {
    TMyCAD cad;
    std::vector<TMyShape*> shapes;
    std::vector<TMyLinkLine*> lines;
};

TMyShape* Block(TMyCAD& cad, float x, float y, float w, float h)
{
    TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyCombine"), nullptr);
    s->PointsRef() = {TMyPoint(x, y), TMyPoint(x + w, y), TMyPoint(x + w, y + h), TMyPoint(x, y + h)};
    for (const TMyPoint& p : {TMyPoint(x, y + h / 2), TMyPoint(x + w / 2, y), TMyPoint(x + w, y + h / 2),
                              TMyPoint(x + w / 2, y + h)})
        s->AddLinkPoint(p);
    return s;
}

void Build(TDiagram& d, TLinkLineRouter router, int hubLinks)
{
    d.cad.SetUndoRedoSize(0);
    d.cad.SetLinkLineRouter(router);
    std::mt19937 random(11);
    std::uniform_real_distribution<float> size(30, 60), jitter(0, 1);
    for (int j = 0; j < kRows; ++j)
        for (int i = 0; i < kCols; ++i) {
            const float w = size(random), h = size(random);
            d.shapes.push_back(Block(d.cad, float(i) * kCell + jitter(random) * (kCell - 40 - w),
                                     float(j) * kCell + jitter(random) * (kCell - 40 - h), w, h));
        }
    std::uniform_int_distribution<int> near(-3, 3), side(0, 3);
    auto link = [&](int from, int to) {
        const int id = d.cad.CreateLink(QStringLiteral("L"), d.shapes[size_t(from)], side(random), d.shapes[size_t(to)],
                                        side(random));
        if (auto* line = dynamic_cast<TMyLinkLine*>(d.cad.GetShapeByID(id)))
            d.lines.push_back(line);
    };
    // The hub, in the middle, with its connectors; then the rest between near shapes.
    const int hub = (kRows / 2) * kCols + kCols / 2;
    std::uniform_int_distribution<int> any(0, kCols * kRows - 1);
    std::uniform_int_distribution<int> around(-5, 5);
    while (int(d.lines.size()) < hubLinks) {
        const int to = (kRows / 2 + around(random)) * kCols + kCols / 2 + around(random);
        if (to != hub)
            link(hub, to);
    }
    while (int(d.lines.size()) < 1000) {
        const int from = any(random);
        const int ci = std::clamp(from % kCols + near(random), 0, kCols - 1);
        const int cj = std::clamp(from / kCols + near(random), 0, kRows - 1);
        const int to = cj * kCols + ci;
        if (to != from)
            link(from, to);
    }
    d.cad.RemoveAllWorkingShapes();
}

void Reroute(TDiagram& d)
{
    for (TMyLinkLine* line : d.lines) {
        TMyShape* a = line->GetStartShape();
        TMyShape* b = line->GetEndShape();
        d.cad.GetPath(nullptr, line, a, a->GetLinkPointInZoom(line->StartSpPtId()), b,
                      b->GetLinkPointInZoom(line->EndSpPtId()), dNone);
    }
}

void Measure(benchmark::State& state, const TDiagram& d)
{
    std::vector<TMyRect> boxes;
    for (const TMyShape* s : d.shapes)
        boxes.push_back(GetPointsLTRB(s->Points()));
    double crossings = 0, bends = 0, length = 0, crossingRoutes = 0;
    for (const TMyLinkLine* line : d.lines) {
        const TArrMyPoint& p = line->Points();
        int here = 0;
        for (size_t k = 0; k + 1 < p.size(); ++k)
            for (size_t s = 0; s < boxes.size(); ++s) {
                const bool ownStub = (k == 0 && d.shapes[s] == line->GetStartShape()) ||
                                     (k + 2 == p.size() && d.shapes[s] == line->GetEndShape());
                if (!ownStub && SegmentCrossesBox(p[k], p[k + 1], boxes[s]))
                    ++here;
            }
        crossings += here;
        crossingRoutes += here > 0;
        bends += CountBends(p);
        length += PolylineLength(p);
    }
    const double n = double(d.lines.size());
    state.counters["crossings_per_route"] = crossings / n;
    state.counters["routes_crossing"] = crossingRoutes;
    state.counters["bends_per_route"] = bends / n;
    state.counters["length_per_route"] = length / n;
}

void BM_RouteDiagram(benchmark::State& state)
{
    TDiagram d;
    Build(d, state.range(0) ? lrAvoidObstacles : lrStandard, 0);
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        Reroute(d);
    state.counters["us_per_route"] = double(timer.nsecsElapsed()) / 1e3 / double(state.iterations()) / double(d.lines.size());
    Measure(state, d);
}
BENCHMARK(BM_RouteDiagram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DragWithConnectors(benchmark::State& state)
{
    TDiagram d;
    Build(d, state.range(0) ? lrAvoidObstacles : lrStandard, 100);
    TMyShape* hub = d.shapes[size_t((kRows / 2) * kCols + kCols / 2)];
    double dx = 3;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        d.cad.Move(hub, dx, 0);
        dx = -dx;
    }
    state.counters["ms_per_move"] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_DragWithConnectors)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
