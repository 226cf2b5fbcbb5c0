// The image shape's paint of a 4000 x 3000 picture with contrast and brightness on, at
// zoom 1 and 0.25, angle 0 and 30 degrees, over the whole A4 page and in a 200 x 200
// repaint (ms_per_paint, peak_MB). The reference, in the same run, is Qt's way to the same
// picture: QImage::scaled to the zoomed size, QImage::transformed by the angle, a
// lookup-table pass for the adjustments, drawn clipped on an image of the area (qt_ms,
// qt_peak_MB, ratio_to_qt). And decoding a 4000 x 3000 JPEG with ReadJpeg against
// QImageReader (ratio_to_qt).
#include "component/CAD.h"

#include "BenchMemory.h"
#include "platform/JpegCodec.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <array>
#include <cmath>

namespace {

constexpr int kPictureWidth = 4000, kPictureHeight = 3000;
constexpr int kContrast = 40, kBrightness = 25;
const TRect kPartial(300, 400, 500, 600);

const QImage& Picture()
{
    static const QImage picture = [] {
        QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
        for (int y = 0; y < kPictureHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kPictureWidth; ++x)
                line[x] = qRgb(x * 255 / kPictureWidth, y * 255 / kPictureHeight, ((x / 40 + y / 40) % 2) * 160 + 40);
        }
        return image;
    }();
    return picture;
}

std::array<uint8_t, 256> Lut()
{
    std::array<uint8_t, 256> lut{};
    for (int v = 0; v < 256; ++v) {
        const int f = (std::abs(127 - v) * kContrast) / 255;
        const int c = std::clamp(v > 127 ? v + f : v - f, 0, 255);
        lut[size_t(v)] = uint8_t(std::clamp(c + kBrightness, 0, 255));
    }
    return lut;
}

// Qt's way: the whole picture scaled, turned and adjusted, then drawn clipped to the box.
void QtPaint(QImage& area, const TRect& r, double zoom, double angle, QPointF topLeft)
{
    static const std::array<uint8_t, 256> lut = Lut();
    QImage scaled = Picture().scaled(int(std::lround(zoom * kPictureWidth)), int(std::lround(zoom * kPictureHeight)));
    QImage turned = angle == 0 ? scaled : scaled.transformed(QTransform().rotateRadians(angle));
    scaled = QImage();
    for (int y = 0; y < turned.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(turned.scanLine(y));
        for (int x = 0; x < turned.width(); ++x)
            line[x] = qRgba(lut[qRed(line[x])], lut[qGreen(line[x])], lut[qBlue(line[x])], qAlpha(line[x]));
    }
    QPainter painter(&area);
    painter.translate(-r.Left, -r.Top);
    const QRectF box(topLeft * zoom, QSizeF(kPictureWidth * zoom, kPictureHeight * zoom));
    const QPointF centre = box.center();
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotateRadians(angle);
    turn.translate(-centre.x(), -centre.y());
    QPainterPath clip;
    clip.addPolygon(turn.map(QPolygonF(box)));
    painter.setClipPath(clip);
    painter.drawImage(QPointF(centre.x() - turned.width() / 2.0, centre.y() - turned.height() / 2.0), turned);
}

void BM_PaintImage(benchmark::State& state)
{
    const double zoom = double(state.range(0)) / 100;
    const double angle = double(state.range(1)) * std::acos(-1.0) / 180;
    const bool partial = state.range(2) != 0;
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    cad.GridOperation()->SetGridType(gNone);
    TBitmap picture;
    picture.Assign(Picture());
    const int id = cad.AddImageShapeByCode("Picture", TPoint(50, 50), &picture);
    auto* image = qobject_cast<TMyImage*>(cad.GetShapeByID(id));
    image->SetContrast(kContrast);
    image->SetBrightness(kBrightness);
    if (angle != 0)
        cad.RotateChangeValueforShapes(image, image->GetCenterPoint(), angle);
    cad.RemoveAllWorkingShapes();
    cad.SetZoom(zoom);
    const TRect area = partial ? kPartial : TRect(0, 0, cad.width(), cad.height());

    double peak = 0;
    {
        bench::PeakMemory memory;
        cad.DrawAll(area);
        peak = memory.Above();
    }
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        cad.DrawAll(area);
    const double ours = double(timer.nsecsElapsed()) / double(state.iterations());

    QImage target(area.Width(), area.Height(), QImage::Format_RGB32);
    double qtPeak = 0;
    {
        bench::PeakMemory memory;
        QtPaint(target, area, zoom, angle, QPointF(50, 50));
        qtPeak = memory.Above();
    }
    QElapsedTimer qtTimer;
    qtTimer.start();
    int runs = 0;
    while (runs < 2 || qtTimer.elapsed() < 300) {
        QtPaint(target, area, zoom, angle, QPointF(50, 50));
        ++runs;
    }
    const double qt = double(qtTimer.nsecsElapsed()) / runs;
    state.counters["ms_per_paint"] = ours / 1e6;
    state.counters["qt_ms"] = qt / 1e6;
    state.counters["ratio_to_qt"] = ours / qt;
    state.counters["peak_MB"] = peak;
    state.counters["qt_peak_MB"] = qtPeak;
}
// Zoom in percent, angle in degrees, partial repaint.
BENCHMARK(BM_PaintImage)
    ->ArgsProduct({{100, 25}, {0, 30}, {0, 1}})
    ->ArgNames({"zoom%", "deg", "partial"})
    ->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    TJpegWriteOptions options;
    options.Quality = 90;
    WriteJpeg(file, Picture(), options);
    const QByteArray jpeg = file.data();
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        TBitmap bitmap;
        benchmark::DoNotOptimize(ReadJpeg(jpeg, bitmap));
    }
    const double ours = double(timer.nsecsElapsed()) / double(state.iterations());
    QElapsedTimer qtTimer;
    qtTimer.start();
    int runs = 0;
    while (runs < 3 || qtTimer.elapsed() < 300) {
        QBuffer in;
        in.setData(jpeg);
        in.open(QIODevice::ReadOnly);
        QImageReader reader(&in, "jpeg");
        QImage image = reader.read();
        benchmark::DoNotOptimize(image);
        ++runs;
    }
    const double qt = double(qtTimer.nsecsElapsed()) / runs;
    state.counters["ms_per_decode"] = ours / 1e6;
    state.counters["qt_ms"] = qt / 1e6;
    state.counters["ratio_to_qt"] = ours / qt;
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

} // namespace
