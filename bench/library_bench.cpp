// Shape libraries: opening a library of 1,000 entries and rendering every preview as the
// library browser does (target: under 0.3 s), placing an entry of 1,000 shapes on a
// canvas, and upgrading libraries of generation .8 of 250 to 2,000 entries (linear).
//
//   build-library-rel/bench/library_bench --benchmark_counters_tabular=true
#include "component/CAD.h"

#include <QBuffer>
#include <QtEndian>
#include <cstring>
#include <memory>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TMyShape> Shape(TMyCAD& cad, const char* className, TArrMyPoint points)
{
    std::unique_ptr<TMyShape> shape = cad.CreateShapeByName(QLatin1String(className), &cad);
    shape->PointsRef() = std::move(points);
    return shape;
}

TArrMyPoint Box(float l, float t, float r, float b)
{
    return {TMyPoint(l, t), TMyPoint(r, t), TMyPoint(r, b), TMyPoint(l, b)};
}

// 1,000 entries like those of a diagram library: a filled box, an ellipse, a line and
// four link points, with user data.
const QByteArray& BrowserLibrary()
{
    static const QByteArray bytes = [] {
        TMyCAD cad;
        TLibManager lib;
        for (int i = 0; i < 1000; ++i) {
            std::vector<std::unique_ptr<TMyShape>> shapes;
            shapes.push_back(Shape(cad, "TMyRectangle", Box(0, 0, 128, 64)));
            shapes.push_back(Shape(cad, "TMyEllipse", Box(16, 8, 112, 56)));
            shapes.push_back(Shape(cad, "TMyLine", {TMyPoint(0, 32), TMyPoint(float(i % 128), 0)}));
            for (const TMyPoint& p : {TMyPoint(64, 0), TMyPoint(128, 32), TMyPoint(64, 64), TMyPoint(0, 32)})
                shapes.push_back(Shape(cad, "TMyLinkPoint", Box(p.X - 4, p.Y - 4, p.X + 4, p.Y + 4)));
            TArrMyShape list;
            for (const auto& s : shapes)
                list.push_back(s.get());
            TUserData data;
            data.AddKeyandValue(QStringLiteral("Category"), QStringLiteral("Bench"));
            lib.AppendNewShape(QStringLiteral("Entry %1").arg(i), list, data, 128, 64);
        }
        return lib.Bytes();
    }();
    return bytes;
}

void Load(TLibManager& lib, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    lib.LoadFromStream(buffer);
}

void BM_OpenAndRenderAllPreviews(benchmark::State& state)
{
    const QByteArray& bytes = BrowserLibrary();
    int64_t previews = 0;
    for (auto _ : state) {
        TLibManager lib;
        Load(lib, bytes);
        TBitmap picture;
        const int count = lib.GetcmbShapesCount();
        for (int i = 0; i < count; ++i)
            lib.GetCmbShapeImage(lib.GetCmbShapesNameByID(i), 32, picture, clGray);
        previews += count;
        benchmark::DoNotOptimize(picture.ScanLine(16));
    }
    state.counters["previews/s"] = benchmark::Counter(double(previews), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OpenAndRenderAllPreviews)->Unit(benchmark::kMillisecond);

void BM_PlaceEntryOf1000Shapes(benchmark::State& state)
{
    TMyCAD source;
    TLibManager lib;
    std::vector<std::unique_ptr<TMyShape>> shapes;
    TArrMyShape list;
    for (int i = 0; i < 1000; ++i) {
        const float x = float(i % 40) * 10, y = float(i / 40) * 10;
        shapes.push_back(Shape(source, i % 2 ? "TMyEllipse" : "TMyRectangle", Box(x, y, x + 8, y + 8)));
        list.push_back(shapes.back().get());
    }
    auto point = Shape(source, "TMyLinkPoint", Box(196, -4, 204, 4));
    list.push_back(point.get());
    lib.AppendNewShape(QStringLiteral("Big"), list, TUserData(), 400, 250);
    for (auto _ : state) {
        state.PauseTiming();
        auto cad = std::make_unique<TMyCAD>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(cad->AddUserDefineShapefromLib(&lib, QStringLiteral("Big"), 300, 200));
        state.PauseTiming();
        cad.reset();
        state.ResumeTiming();
    }
    state.counters["shapes/s"] = benchmark::Counter(double(state.iterations()) * 1000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlaceEntryOf1000Shapes)->Unit(benchmark::kMillisecond);

// ---- A library of generation .8, written field by field -------------------------------

template <typename T>
void Put(QByteArray& out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

void PutFloat(QByteArray& out, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Put(out, bits);
}

void PutString(QByteArray& out, const QByteArray& s)
{
    Put<int32_t>(out, int32_t(s.size()));
    out.append(s);
}

// A rectangle's record in the XP.8 layout: no flips, multi-line info or log fields.
QByteArray RectangleRecord(int no)
{
    QByteArray r;
    PutString(r, "");
    Put<int32_t>(r, no); // identifier
    Put<int32_t>(r, no); // number
    Put<int32_t>(r, 0);  // layer
    Put<int32_t>(r, -1); // parent
    Put<int32_t>(r, 0);  // members
    Put<int32_t>(r, 0);  // connectors
    Put<int32_t>(r, 4);
    for (const auto& [x, y] : {std::pair{0.f, 0.f}, {1.f, 0.f}, {1.f, 1.f}, {0.f, 1.f}}) {
        PutFloat(r, x);
        PutFloat(r, y);
    }
    Put<int32_t>(r, 0); // link points
    PutFloat(r, 0.5f);
    PutFloat(r, 1.2f);
    Put<int32_t>(r, 0);     // tag
    PutFloat(r, 0);         // angle
    Put<int64_t>(r, 0);     // no brush bitmap
    Put<int32_t>(r, 0xFFFFFF);
    r.append(char(0));      // bsSolid
    PutString(r, "Box");
    Put<int32_t>(r, 0xFFFFFF);
    Put<int32_t>(r, 0);
    PutString(r, "DejaVu Sans");
    r.append(char(1));
    Put<int32_t>(r, 0);
    Put<int32_t>(r, -12);
    Put<int32_t>(r, 9);
    r.append(char(0));
    Put<int32_t>(r, 96);
    r.append(char(0));
    Put<int32_t>(r, 0); // reserved
    Put<int32_t>(r, 0);
    r.append(char(23)); // gsNone
    PutString(r, "info");
    Put<int32_t>(r, 0);
    r.append(char(4)); // pmCopy
    r.append(char(0)); // psSolid
    Put<int32_t>(r, 1);
    Put<int32_t>(r, 1); // user data
    PutString(r, "k");
    PutString(r, "v");
    return r;
}

QByteArray X8Library(int entries)
{
    QByteArray lib("ZEDALIBX.8");
    for (int i = 0; i < entries; ++i) {
        QByteArray content;
        Put<int32_t>(content, 100);
        Put<int32_t>(content, 50);
        Put<int32_t>(content, 1); // user data
        PutString(content, "part");
        PutString(content, QByteArray::number(i));
        Put<int32_t>(content, 3);
        for (int s = 0; s < 3; ++s) {
            QByteArray name("TMyRectangle");
            name.append(QByteArray(16 - name.size(), ' '));
            content.append(name).append(RectangleRecord(s));
        }
        // Every name the same: the upgrade goes by position, not by name.
        lib.append(char(5)).append("Shape");
        Put<int32_t>(lib, int32_t(content.size()));
        lib.append(content);
    }
    return lib;
}

void BM_UpgradeX8Library(benchmark::State& state)
{
    const QByteArray bytes = X8Library(int(state.range(0)));
    TLibManager lib;
    for (auto _ : state) {
        state.PauseTiming();
        Load(lib, bytes);
        state.ResumeTiming();
        if (!lib.Upgradefromx8tox9())
            state.SkipWithError("the upgrade failed");
    }
    state.SetComplexityN(state.range(0));
    state.counters["entries/s"] =
        benchmark::Counter(double(state.iterations()) * double(state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UpgradeX8Library)->RangeMultiplier(2)->Range(250, 2000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
