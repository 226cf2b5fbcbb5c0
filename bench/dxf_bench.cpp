// DXF reading and writing against ezdxf in the same run. A file of 500,000 LINE, 50,000
// LWPOLYLINE of 10 vertices, 50,000 CIRCLE and 20,000 TEXT on 10 layers (R2000) is written
// by ezdxf when the benchmark starts; ezdxf.readfile reads it once as the reference, then
// the group reader alone and the whole import into shapes read it. The export writes
// 100,000 shapes to a file.
//
// Targets: the group reader at least 150 MB/s; the import at least 15 times ezdxf's speed
// (counter x_ezdxf, by processor time; x_ezdxf_wall by the clock), its peak memory reported (peak_MB, the mapped file included); the
// export at least 100 MB/s with flat memory (peak_MB stays far below the file's size).
//
//   build-dxf/bench/dxf_bench --benchmark_counters_tabular=true
//
// MYCAD_DXF_BENCH_FILE names a file to use instead of writing a new one (it is then not
// removed). Without /usr/bin/python3 and ezdxf the reference and the generated file are
// missing and the benchmarks say so.
#include "component/CAD.h"
#include "component/dxf/DXFExport.h"
#include "component/dxf/DXFImport.h"
#include "component/dxf/DXFRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const char* kGenerate = R"(
import sys, ezdxf
doc = ezdxf.new('R2000')
msp = doc.modelspace()
layers = ['Layer%d' % i for i in range(10)]
for name in layers:
    doc.layers.add(name)
for i in range(500000):
    x = (i % 1000) * 1.37 + 0.013 * (i % 7); y = (i // 1000) * 1.41
    msp.add_line((x, y), (x + 1.25, y + 0.753), dxfattribs={'layer': layers[i % 10]})
for i in range(50000):
    x = (i % 250) * 4.1; y = (i // 250) * 4.3
    msp.add_lwpolyline([(x + k * 0.37, y + (k % 3) * 0.51) for k in range(10)], dxfattribs={'layer': layers[i % 10]})
for i in range(50000):
    msp.add_circle(((i % 250) * 4.1 + 2.03, (i // 250) * 4.3 + 2.07), 1.5 + (i % 5) * 0.1,
                   dxfattribs={'layer': layers[i % 10]})
for i in range(20000):
    msp.add_text('Text number %d' % i, dxfattribs={'layer': layers[i % 10], 'height': 0.8,
                 'insert': ((i % 100) * 10.3, (i // 100) * 2.1)})
doc.saveas(sys.argv[1])
)";

const char* kRead = R"(
import sys, time, ezdxf
t, c = time.perf_counter(), time.process_time()
doc = ezdxf.readfile(sys.argv[1])
n = len(doc.modelspace())
print(time.perf_counter() - t, time.process_time() - c, n)
)";

constexpr int kEntities = 500000 + 50000 + 50000 + 20000;
constexpr int kExportShapes = 100000;

bool RunPython(const char* Script, const QString& Argument, QString& Output)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        return false;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(Script), Argument});
    if (!python.waitForStarted(10000) || !python.waitForFinished(3600 * 1000))
        return false;
    Output = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    return python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
}

// The file ezdxf writes, written once per run (or the one the environment names).
struct TBenchFile {
    std::unique_ptr<QTemporaryDir> Dir;
    QString Name;
    qint64 Size = 0;
    double EzdxfSeconds = 0;    // ezdxf.readfile, 0 when it did not run
    double EzdxfCpuSeconds = 0; // the processor time it took
};

const TBenchFile& BenchFile()
{
    static const TBenchFile file = [] {
        TBenchFile f;
        f.Name = qEnvironmentVariable("MYCAD_DXF_BENCH_FILE");
        QString out;
        if (f.Name.isEmpty() || !QFileInfo::exists(f.Name)) {
            f.Dir = std::make_unique<QTemporaryDir>();
            f.Name = f.Dir->filePath(QStringLiteral("bench.dxf"));
            const auto start = std::chrono::steady_clock::now();
            if (!RunPython(kGenerate, f.Name, out)) {
                f.Name.clear();
                return f;
            }
            std::cerr << "ezdxf wrote the file in "
                      << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
        }
        f.Size = QFileInfo(f.Name).size();
        if (!qEnvironmentVariableIsSet("MYCAD_DXF_BENCH_NO_EZDXF") && RunPython(kRead, f.Name, out)) {
            f.EzdxfSeconds = out.section(u' ', 0, 0).toDouble();
            f.EzdxfCpuSeconds = out.section(u' ', 1, 1).toDouble();
        }
        return f;
    }();
    return file;
}

// The process's peak resident size is reset before a step and read after it, less the
// resident size before (Linux; 0 elsewhere).
double StatusMegabytes(const char* Field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(Field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double ResetPeak()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return StatusMegabytes("VmRSS");
}

// Processor time of the process: the fair measure on a machine other work shares.
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double MBps(qint64 Bytes, double Seconds)
{
    return Seconds > 0 ? double(Bytes) / 1e6 / Seconds : 0;
}

void BM_EzdxfReadfile(benchmark::State& state)
{
    const TBenchFile& file = BenchFile();
    if (file.EzdxfSeconds <= 0) {
        state.SkipWithError("python3-ezdxf is missing or failed");
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(file.EzdxfSeconds);
    state.counters["MB/s"] = MBps(file.Size, file.EzdxfSeconds);
    state.counters["cpu_MB/s"] = MBps(file.Size, file.EzdxfCpuSeconds);
    state.counters["file_MB"] = double(file.Size) / 1e6;
}

// Every group of the file: code and value converted, nothing kept.
void BM_GroupReader(benchmark::State& state)
{
    const TBenchFile& file = BenchFile();
    if (file.Name.isEmpty()) {
        state.SkipWithError("no benchmark file (python3-ezdxf is missing)");
        return;
    }
    int64_t groups = 0;
    for (auto _ : state) {
        TDXFRead reader(file.Name);
        groups = 0;
        double sum = 0;
        // The walk starts at the first section's first group.
        while (reader.HasGroup()) {
            sum += reader.GroupValue().Real;
            ++groups;
            reader.ConsumeGroup();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * file.Size);
    state.counters["groups"] = double(groups);
}

// The whole import into a new drawing, the shapes on their layers.
void BM_ImportIntoShapes(benchmark::State& state)
{
    const TBenchFile& file = BenchFile();
    if (file.Name.isEmpty()) {
        state.SkipWithError("no benchmark file (python3-ezdxf is missing)");
        return;
    }
    double peak = 0, seconds = 0, cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto cad = std::make_unique<TMyCAD>();
        cad->resize(1000, 800);
        const double start = ResetPeak();
        state.ResumeTiming();
        const auto begin = std::chrono::steady_clock::now();
        const double cpuBegin = CpuSeconds();
        {
            TDXF2DImport import(file.Name, cad.get());
            if (!import.ReadDXF() || cad->GetShapesCount() != kEntities)
                state.SkipWithError("the import failed or lost entities");
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        cpu = CpuSeconds() - cpuBegin;
        state.PauseTiming();
        peak = StatusMegabytes("VmHWM") - start;
        cad.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * file.Size);
    state.counters["peak_MB"] = peak;
    state.counters["shapes/s"] = benchmark::Counter(kEntities, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["cpu_MB/s"] = MBps(file.Size, cpu);
    if (file.EzdxfSeconds > 0) {
        state.counters["x_ezdxf"] = file.EzdxfCpuSeconds / cpu;
        state.counters["x_ezdxf_wall"] = file.EzdxfSeconds / seconds;
    }
}

// 100,000 shapes of the exported kinds to a file through the safe save.
void BM_Export(benchmark::State& state)
{
    TMyCAD cad;
    cad.resize(1000, 800);
    const QStringList classes = {"TMyLine", "TMyRectangle", "TMyPolyLine", "TMyEllipse", "TMyPolygon", "TMyText"};
    for (int i = 0; i < kExportShapes; ++i) {
        TMyShape* s = cad.CreateAddShapeByName(classes[i % classes.size()], nullptr);
        const float x = float(i % 400) * 2.5f, y = float(i / 400) * 3.25f;
        s->PointsRef() = {TMyPoint(x, y), TMyPoint(x + 2.125f, y), TMyPoint(x + 2.125f, y + 1.5f + float(i % 3)),
                          TMyPoint(x, y + 1.5f + float(i % 3))};
        s->SetCenterPoint(s->ComputeCenterPoint(4));
        if (i % 6 == 5)
            s->SetInfo(QStringLiteral("Label %1").arg(i));
    }
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("export.dxf"));
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double start = ResetPeak();
        state.ResumeTiming();
        if (!cad.SaveToDxf(name))
            state.SkipWithError("export failed");
        state.PauseTiming();
        peak = StatusMegabytes("VmHWM") - start;
        state.ResumeTiming();
    }
    const qint64 size = QFileInfo(name).size();
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    state.counters["file_MB"] = double(size) / 1e6;
    state.counters["peak_MB"] = peak;
}

} // namespace

BENCHMARK(BM_EzdxfReadfile)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupReader)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoShapes)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Iterations(3)->Unit(benchmark::kMillisecond);
