// Rubber bands on the screen picture: a figure drawn in xor and drawn again to erase it,
// on a 1600 x 1200 image, through TCanvas and, as the reference, through a bare QPainter
// set up the same way. Each canvas benchmark reports its time per draw + erase and its
// ratio to the reference measured in the same process (ratio_to_qpainter).
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <functional>
#include <random>

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

QImage ScreenImage()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 230));
    return image;
}

// A 1000-point polyline as a user draws it: a random walk of short strokes.
const std::vector<TPoint>& Walk()
{
    static const std::vector<TPoint> points = [] {
        std::mt19937 random(42);
        std::uniform_int_distribution<int> step(-25, 25);
        std::vector<TPoint> pts;
        int x = kWidth / 2, y = kHeight / 2;
        for (int i = 0; i < 1000; ++i) {
            x = std::clamp(x + step(random), 0, kWidth - 1);
            y = std::clamp(y + step(random), 0, kHeight - 1);
            pts.emplace_back(x, y);
        }
        return pts;
    }();
    return points;
}

QPen XorPen(Qt::PenStyle style)
{
    QPen pen(Qt::white, 1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    if (style == Qt::DotLine)
        pen.setDashPattern({3, 3});
    return pen;
}

// Nanoseconds per call of the reference, averaged over a fixed number of runs.
double ReferenceNanos(const std::function<void()>& run)
{
    run();
    QElapsedTimer timer;
    timer.start();
    constexpr int runs = 30;
    for (int i = 0; i < runs; ++i)
        run();
    return double(timer.nsecsElapsed()) / runs;
}

void Report(benchmark::State& state, double canvasNanos, double referenceNanos)
{
    const double iterations = double(state.iterations());
    state.counters["us_per_draw_erase"] = canvasNanos / iterations / 1000.0;
    state.counters["ratio_to_qpainter"] = referenceNanos > 0 ? canvasNanos / iterations / referenceNanos : 0;
}

template <typename Body>
double Timed(Body&& body)
{
    const auto start = std::chrono::steady_clock::now();
    body();
    return double(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
}

} // namespace

static void BM_XorPolylineRubberBand(benchmark::State& state)
{
    QImage image = ScreenImage();
    const auto& walk = Walk();
    QPolygon polygon;
    for (const TPoint& p : walk)
        polygon << QPoint(p.X, p.Y);
    const double reference = ReferenceNanos([&] {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(XorPen(Qt::SolidLine));
        painter.drawPolyline(polygon);
        painter.drawPolyline(polygon);
    });
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clWhite);
    double nanos = 0;
    for (auto _ : state)
        nanos += Timed([&] {
            canvas.Polyline(walk);
            canvas.Polyline(walk);
        });
    Report(state, nanos, reference);
}
BENCHMARK(BM_XorPolylineRubberBand)->Unit(benchmark::kMicrosecond);

static void BM_XorRectangleRubberBand(benchmark::State& state)
{
    QImage image = ScreenImage();
    const double reference = ReferenceNanos([&] {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(XorPen(Qt::DotLine));
        painter.drawRect(200, 150, 1199, 899);
        painter.drawRect(200, 150, 1199, 899);
    });
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clWhite);
    canvas.Pen().SetStyle(psDot);
    canvas.Brush().SetStyle(bsClear);
    double nanos = 0;
    for (auto _ : state)
        nanos += Timed([&] {
            canvas.Rectangle(200, 150, 1400, 1050);
            canvas.Rectangle(200, 150, 1400, 1050);
        });
    Report(state, nanos, reference);
}
BENCHMARK(BM_XorRectangleRubberBand)->Unit(benchmark::kMicrosecond);

// Many small figures, as the grab handles of a selection: 1000 filled 8 x 8 squares drawn
// and erased, one canvas call each (the per-call cost of the canvas).
static void BM_XorHotSquares(benchmark::State& state)
{
    QImage image = ScreenImage();
    const auto& walk = Walk();
    const double reference = ReferenceNanos([&] {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(XorPen(Qt::SolidLine));
        painter.setBrush(Qt::green);
        for (int pass = 0; pass < 2; ++pass)
            for (const TPoint& p : walk)
                painter.drawRect(p.X - 4, p.Y - 4, 7, 7);
    });
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clWhite);
    canvas.Brush().SetColor(clLime);
    double nanos = 0;
    for (auto _ : state)
        nanos += Timed([&] {
            for (int pass = 0; pass < 2; ++pass)
                for (const TPoint& p : walk)
                    canvas.Rectangle(p.X - 4, p.Y - 4, p.X + 4, p.Y + 4);
        });
    Report(state, nanos, reference);
}
BENCHMARK(BM_XorHotSquares)->Unit(benchmark::kMicrosecond);

// A 4000 x 3000 picture drawn onto the screen picture, as an image shape at every paint.
static void BM_DrawLargeBitmap(benchmark::State& state)
{
    QImage image = ScreenImage();
    TBitmap picture(4000, 3000);
    picture.Canvas().Brush().SetColor(clTeal);
    picture.Canvas().Ellipse(0, 0, 4000, 3000);
    const QImage rgb = picture.ToQImage();
    const double reference = ReferenceNanos([&] {
        QPainter painter(&image);
        painter.drawImage(QPoint(-1000, -800), rgb);
    });
    TCanvas canvas(&image);
    double nanos = 0;
    for (auto _ : state)
        nanos += Timed([&] { canvas.Draw(-1000, -800, picture); });
    Report(state, nanos, reference);
}
BENCHMARK(BM_DrawLargeBitmap)->Unit(benchmark::kMicrosecond);
