// Copy and paste: copying 1,000 selected shapes (memory shapes and the bitmap for the
// system clipboard), pasting 2,500 to 10,000 shapes with groups and connectors among
// them (the relation cut and the renumbering go through hash maps: linear), and adding a
// drawing file of 100,000 shapes as a block.
//
//   build-library/bench/clipboard_bench --benchmark_counters_tabular=true
#include "component/CAD.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Nothing leaves the process: the pictures are made but not handed to a display.
class TDiscardingClipboard : public TClipboardServices {
public:
    bool SetContent(const TClipboardContent&) override { return true; }
    QImage Picture() const override { return QImage(); }
};

TMyShape* Add(TMyCAD& cad, const char* className, float l, float t, float w, float h)
{
    TMyShape* s = cad.CreateAddShapeByName(QLatin1String(className), nullptr);
    s->PointsRef() = {TMyPoint(l, t), TMyPoint(l + w, t), TMyPoint(l + w, t + h), TMyPoint(l, t + h)};
    return s;
}

// N shapes in a grid, built with their relations directly: per 10 shapes, a group of two
// rectangles, five more rectangles with link points, a connector attached between two
// of them, and an ellipse.
void Fill(TMyCAD& cad, int n)
{
    cad.SetUndoRedoSize(0);
    for (int i = 0; i + 10 <= n; i += 10) {
        const float x = float((i / 10) % 100) * 30, y = float(i / 1000) * 30;
        std::vector<TMyShape*> boxes;
        for (int k = 0; k < 7; ++k) {
            TMyShape* s = Add(cad, "TMyRectangle", x + float(k % 4) * 6, y + float(k / 4) * 6, 5, 5);
            s->LinkPointsRef() = {TMyPoint(s->Points()[1].X, s->Points()[1].Y + 2.5f),
                                  TMyPoint(s->Points()[0].X, s->Points()[0].Y + 2.5f)};
            boxes.push_back(s);
        }
        auto* link = qobject_cast<TMyLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
        link->PointsRef() = {boxes[2]->LinkPoints()[0], boxes[3]->LinkPoints()[1]};
        link->SetStartSpNo(boxes[2]->ShapeNo());
        link->SetStartSpPtId(0);
        link->SetEndSpNo(boxes[3]->ShapeNo());
        link->SetEndSpPtId(1);
        AddLinklineShape(boxes[2], link->ShapeNo());
        AddLinklineShape(boxes[3], link->ShapeNo());
        Add(cad, "TMyEllipse", x, y + 20, 8, 6);
        TMyShape* group = Add(cad, "TMyGroup", x, y, 11, 5);
        for (TMyShape* member : {boxes[0], boxes[1]}) {
            group->ChildNos().push_back(uint32_t(member->ShapeNo()));
            member->SetParentNo(group->ShapeNo());
        }
    }
    cad.RemoveAllWorkingShapes();
}

TArrMyShape AllRoots(const TMyCAD& cad)
{
    TArrMyShape roots;
    for (const auto& s : cad.Shapes())
        if (!s->HasParentShape())
            roots.push_back(s.get());
    return roots;
}

void BM_CopyOf1000Shapes(benchmark::State& state)
{
    TDiscardingClipboard clipboard;
    TScopedClipboardServices scope(clipboard);
    TMyCAD cad;
    Fill(cad, 1000);
    const TArrMyShape roots = AllRoots(cad);
    for (auto _ : state) {
        cad.SetWorkingShapes(roots);
        benchmark::DoNotOptimize(cad.Copy());
    }
    state.counters["shapes/s"] = benchmark::Counter(double(state.iterations()) * 1000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CopyOf1000Shapes)->Unit(benchmark::kMillisecond);

void BM_Paste(benchmark::State& state)
{
    TDiscardingClipboard clipboard;
    TScopedClipboardServices scope(clipboard);
    const int n = int(state.range(0));
    TMyCAD source;
    Fill(source, n);
    source.SetWorkingShapes(AllRoots(source));
    source.Copy();
    for (auto _ : state) {
        state.PauseTiming();
        auto cad = std::make_unique<TMyCAD>();
        cad->SetUndoRedoSize(1);
        state.ResumeTiming();
        cad->PasteFromMyCAD(&source);
        state.PauseTiming();
        const bool whole = cad->GetShapesCount() == n;
        cad.reset();
        state.ResumeTiming();
        if (!whole) {
            state.SkipWithError("the paste lost shapes");
            break;
        }
    }
    state.SetComplexityN(n);
    state.counters["shapes/s"] = benchmark::Counter(double(state.iterations()) * n, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Paste)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_BlockImportOf100000Shapes(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("block.dwg"));
    {
        TMyCAD source;
        Fill(source, 100000);
        source.SaveToFile(file);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto cad = std::make_unique<TMyCAD>();
        cad->SetUndoRedoSize(1);
        state.ResumeTiming();
        const bool read = cad->AddBlockfromZEDAFile(file, TBlockLayerMode::Import);
        state.PauseTiming();
        cad.reset();
        state.ResumeTiming();
        if (!read) {
            state.SkipWithError("the block did not read");
            break;
        }
    }
    state.counters["shapes/s"] = benchmark::Counter(double(state.iterations()) * 100000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BlockImportOf100000Shapes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
