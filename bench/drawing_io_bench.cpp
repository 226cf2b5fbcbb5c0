// Saving and loading a drawing of 100,000 mixed shapes, to and from memory and a file.
// Counters: bytes per second (MB/s) and shapes per second; the heap bytes a loaded shape
// holds. The load target is 100,000 shapes in under 0.2 s.
//
//   build-files/bench/drawing_io_bench --benchmark_counters_tabular=true
#include "component/CAD.h"
#include "component/shapes/ShapeMemory.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <benchmark/benchmark.h>

namespace {

constexpr int kShapes = 100000;

// Rectangles, ellipses, lines, polylines, texts, rule lines, arcs, connectors, link points
// and polygons in turn, each with its own points, some with texts and user data; every
// tenth group of ten is grouped.
TMyCAD& Drawing()
{
    static TMyCAD* cad = [] {
        auto* d = new TMyCAD;
        const QStringList classes = {"TMyRectangle", "TMyEllipse", "TMyLine",     "TMyPolyLine",  "TMyText",
                                     "TMyRuleLine",  "TMyElliArc", "TMyLinkLine", "TMyLinkPoint", "TMyPolygon"};
        for (int i = 0; i < kShapes; ++i) {
            TMyShape* s = d->CreateAddShapeByName(classes[i % classes.size()], nullptr);
            const float x = float(i % 400) * 5, y = float(i / 400) * 5;
            s->PointsRef() = {TMyPoint(x, y), TMyPoint(x + 4, y), TMyPoint(x + 4, y + 3), TMyPoint(x, y + 3)};
            s->SetCaptionPoint(TMyPoint(x + 2, y + 13));
            if (i % 3 == 0)
                s->SetInfo(QStringLiteral("Item %1").arg(i));
            if (i % 7 == 0)
                s->UserData()->AddKeyandValue(QStringLiteral("part"), QString::number(i));
            if (auto* text = qobject_cast<TMyText*>(s))
                text->SetLines({QStringLiteral("Line one"), QStringLiteral("Line two")});
        }
        return d;
    }();
    return *cad;
}

QByteArray SavedBytes()
{
    static const QByteArray bytes = [] {
        QByteArray b;
        QBuffer buffer(&b);
        buffer.open(QIODevice::WriteOnly);
        Drawing().SaveToStream(buffer);
        return b;
    }();
    return bytes;
}

// A new, empty drawing in place of the previous one. The allocator's deferred work on the
// freed shapes is done here too, so that it does not fall into the next timed load.
void FreshDrawing(std::unique_ptr<TMyCAD>& cad)
{
    cad = std::make_unique<TMyCAD>();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void Counters(benchmark::State& state, qint64 bytes)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["shapes/s"] = benchmark::Counter(kShapes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(bytes) / 1e6;
}

void BM_SaveToMemory(benchmark::State& state)
{
    TMyCAD& cad = Drawing();
    qint64 size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        bytes.reserve(SavedBytes().size());
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!cad.SaveToStream(buffer))
            state.SkipWithError("save failed");
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    Counters(state, size);
}

// Loading into a new, empty drawing (the drawing of the previous round is freed outside
// the timing).
void BM_LoadFromMemory(benchmark::State& state)
{
    QByteArray bytes = SavedBytes();
    std::unique_ptr<TMyCAD> cad;
    for (auto _ : state) {
        state.PauseTiming();
        FreshDrawing(cad);
        state.ResumeTiming();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (!cad->LoadFromStream(buffer) || cad->GetShapesCount() != kShapes)
            state.SkipWithError("load failed");
    }
    Counters(state, bytes.size());
}

// Loading over a drawing that holds the 100,000 shapes already: the time includes freeing
// them.
void BM_LoadReplacingFromMemory(benchmark::State& state)
{
    QByteArray bytes = SavedBytes();
    TMyCAD cad;
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (!cad.LoadFromStream(buffer) || cad.GetShapesCount() != kShapes)
            state.SkipWithError("load failed");
    }
    Counters(state, bytes.size());
}

// The heap a loaded drawing holds, per shape: the allocator's bytes in use after loading
// into a fresh drawing, less those before (the saved bytes themselves are held by both);
// shown_bytes/shape after it has also been painted twice.
// The shape objects' slots are counted as they are used, not as their blocks are taken
// from the heap (slots freed by an earlier drawing serve the next one).
void BM_MemoryPerShape(benchmark::State& state)
{
#ifdef __GLIBC__
    QByteArray bytes = SavedBytes();
    double perShape = 0, shownPerShape = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const auto heapBytes = [] {
            return double(mallinfo2().uordblks) - double(ShapeMemory::ReservedBytes()) + double(ShapeMemory::InUseBytes());
        };
        const double before = heapBytes();
        auto cad = std::make_unique<TMyCAD>();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (!cad->LoadFromStream(buffer) || cad->GetShapesCount() != kShapes)
            state.SkipWithError("load failed");
        perShape = (heapBytes() - before) / kShapes;
        // Shown: painting adds the paint index and, from the second paint on, the glyphs
        // text boxes keep; nothing to the shapes themselves.
        cad->resize(800, 1100);
        cad->DrawAll(TRect(0, 0, 800, 1100));
        cad->DrawAll(TRect(0, 0, 800, 1100));
        shownPerShape = (heapBytes() - before) / kShapes;
    }
    state.counters["bytes/shape"] = perShape;
    state.counters["shown_bytes/shape"] = shownPerShape;
#else
    state.SkipWithError("needs glibc's allocator statistics");
#endif
}

void BM_SaveToFile(benchmark::State& state)
{
    TMyCAD& cad = Drawing();
    QTemporaryDir dir;
    const QString name = dir.filePath("drawing.zed");
    for (auto _ : state)
        if (!cad.SaveToFile(name))
            state.SkipWithError("save failed");
    Counters(state, SavedBytes().size());
}

void BM_LoadFromFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("drawing.zed");
    Drawing().SaveToFile(name);
    std::unique_ptr<TMyCAD> cad;
    for (auto _ : state) {
        state.PauseTiming();
        FreshDrawing(cad);
        state.ResumeTiming();
        if (!cad->LoadFromFile(name) || cad->GetShapesCount() != kShapes)
            state.SkipWithError("load failed");
    }
    Counters(state, SavedBytes().size());
}

} // namespace

BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadReplacingFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerShape)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
