// Pictures of a large drawing: the A4 page of 10,000 and 100,000 mixed shapes exported
// as BMP, JPEG, EMF and SVG files (ms_per_export). The JPEG encoder is measured against
// libjpeg-turbo's own cjpeg -quality 80 (a process reading the same page as a BMP file:
// cjpeg_ms) and against Qt's QImageWriter at quality 80 (qt_ms), all encoding the same
// page picture in the same run (encode_ms, ratio_to_cjpeg, ratio_to_qt). Every export
// reports the peak memory a repeated export needs above the start (peak_MB): for the
// metafile and SVG writers it stays flat in the number of shapes, as they stream.
#include "component/CAD.h"

#include "BenchMemory.h"
#include "MixedDrawing.h"
#include "platform/JpegCodec.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

template <typename Run>
double Nanos(Run run, int atLeastMs = 300)
{
    run();
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    while (runs < 3 || timer.elapsed() < atLeastMs) {
        run();
        ++runs;
    }
    return double(timer.nsecsElapsed()) / runs;
}

template <typename Export>
void ExportBenchmark(benchmark::State& state, const QString& name, Export save)
{
    auto cad = bench::MixedDrawing(int(state.range(0)));
    QTemporaryDir dir;
    const QString file = dir.filePath(name);
    // A first export builds what every paint of the drawing uses (its paint index);
    // the second one's peak is the writer's own.
    save(*cad, file);
    double peak = 0;
    {
        bench::PeakMemory memory;
        if (!save(*cad, file))
            state.SkipWithError("the export failed");
        peak = memory.Above();
    }
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        benchmark::DoNotOptimize(save(*cad, file));
    state.counters["ms_per_export"] = double(timer.nsecsElapsed()) / double(state.iterations()) / 1e6;
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
}

void BM_SaveToBmp(benchmark::State& state)
{
    ExportBenchmark(state, "page.bmp", [](TMyCAD& cad, const QString& f) { return cad.SaveToBmp(f, true); });
}
BENCHMARK(BM_SaveToBmp)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveToWmfAsEmf(benchmark::State& state)
{
    ExportBenchmark(state, "page.emf", [](TMyCAD& cad, const QString& f) { return cad.SaveToWmf(f); });
}
BENCHMARK(BM_SaveToWmfAsEmf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveToSvg(benchmark::State& state)
{
    ExportBenchmark(state, "page.svg", [](TMyCAD& cad, const QString& f) { return cad.SaveToSvg(f); });
}
BENCHMARK(BM_SaveToSvg)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveToJpg(benchmark::State& state)
{
    ExportBenchmark(state, "page.jpg", [](TMyCAD& cad, const QString& f) { return cad.SaveToJpg(f, 80, true); });
    // The encoders alone on the same page picture.
    auto cad = bench::MixedDrawing(int(state.range(0)));
    QTemporaryDir dir;
    const QString bmp = dir.filePath("page.bmp");
    cad->SaveToBmp(bmp, true);
    TBitmap page;
    page.LoadFromFile(bmp);
    TJpegWriteOptions options;
    options.Quality = 80;
    const double ours = Nanos([&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        WriteJpeg(out, page, options);
    });
    const QImage image = page.ToQImage();
    const double qt = Nanos([&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, "jpeg");
        writer.setQuality(80);
        writer.write(image);
    });
    state.counters["encode_ms"] = ours / 1e6;
    state.counters["qt_ms"] = qt / 1e6;
    state.counters["ratio_to_qt"] = ours / qt;
    const QString cjpeg = QStandardPaths::findExecutable("cjpeg");
    if (cjpeg.isEmpty())
        return;
    const double theirs = Nanos([&] {
        QProcess::execute(cjpeg, {"-quality", "80", "-outfile", dir.filePath("c.jpg"), bmp});
    });
    state.counters["cjpeg_ms"] = theirs / 1e6;
    state.counters["ratio_to_cjpeg"] = ours / theirs;
}
BENCHMARK(BM_SaveToJpg)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
