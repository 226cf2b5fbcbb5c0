// Text boxes against Qt's own text layout in the same run.
//
// BM_WrapAndDrawText/cached:0: a 10,000-character line wrapped at characters in a 200-pixel
//   wide text box and drawn, with the line changed before every paint so nothing is cached,
//   against QTextLayout with QTextOption::WrapAnywhere laying out and drawing the same line
//   in the same font and width on a picture of the same size (ratio_to_qt; target <= 1.0).
// BM_WrapAndDrawText/cached:1: the same text painted again (the line breaks cached), against
//   drawing a QTextLayout laid out beforehand (ratio_to_qt).
// BM_WrapLongLine: only the line breaks of a 100,000-character line in a 200-pixel box
//   (ms_per_wrap, measurements per line), against QTextLayout's line breaking of the same
//   line without drawing (ratio_to_qt).
#include "component/CAD.h"
#include "component/shapes/MyTextLayout.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

namespace {
QString LongLine(int n, QChar first)
{
    static const char16_t words[] = u"Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod "
                                    u"tempor incididunt ut labore et dolore magna aliqua. ";
    const int cycle = int(std::size(words)) - 1;
    QString line(n, QChar(' '));
    for (int i = 0; i < n; ++i)
        line[i] = QChar(words[i % cycle]);
    line[0] = first;
    return line;
}

template <class F>
double NanosPerCall(int calls, F&& f)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        f();
    return double(timer.nsecsElapsed()) / calls;
}

// Lays the line out with wrap-anywhere into lines of the given width, one under the other.
void QtLayout(QTextLayout& layout, double width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

struct TTextScene {
    TMyCAD cad;
    TMyText text{&cad};
    QFont font;
    int height = 0;
    TTextScene(int chars)
    {
        text.Font()->SetName(QStringLiteral("DejaVu Sans"));
        text.Font()->SetSize(12);
        text.PointsRef() = {TMyPoint(10, 10), TMyPoint(210, 10), TMyPoint(210, 30), TMyPoint(10, 30)};
        text.Drawed(TPoint(), TPoint());
        text.SetWordWrap(true);
        text.SetHAlignment(taLeftJustify);
        text.SetVAlignment(vaTop);
        text.SetLines({LongLine(chars, 'L')});
        TCanvas canvas;
        // The font the text is drawn in, and a picture high enough for every line.
        GetTextMeasureFont(&canvas, text.Font(), 1.0, 0);
        MyLogTextOut(&canvas, 0, 0, QString(), text.Font(), 1.0, 0);
        font = canvas.Font().ToQFont();
        height = 40 + int(text.LaidOutLines(&canvas).size()) * GetTextWidthHeight(&canvas, "X", text.Font(), 1, 0).cy;
    }
};
} // namespace

void BM_WrapAndDrawText(benchmark::State& state)
{
    const bool cached = state.range(0) != 0;
    TTextScene scene(10000);
    TBitmap picture(240, scene.height);
    QImage image(240, scene.height, QImage::Format_BGR888);
    image.fill(Qt::white);
    const QString lines[2] = {LongLine(10000, 'L'), LongLine(10000, 'M')};
    QTextLayout prepared(lines[0], scene.font);
    QtLayout(prepared, 200);
    int turn = 0;
    const double reference = NanosPerCall(10, [&] {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        if (cached) {
            prepared.draw(&painter, QPointF(10, 10));
        } else {
            QTextLayout layout(lines[++turn % 2], scene.font);
            QtLayout(layout, 200);
            layout.draw(&painter, QPointF(10, 10));
        }
    });
    scene.text.Draw(&picture.Canvas()); // the painter and the glyph cache warm up
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        if (!cached)
            scene.text.SetLines({lines[++turn % 2]});
        scene.text.Draw(&picture.Canvas());
    }
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_paint"] = nanos / 1e6;
    state.counters["qt_ms"] = reference / 1e6;
    state.counters["ratio_to_qt"] = nanos / reference;
}
BENCHMARK(BM_WrapAndDrawText)->Arg(0)->Arg(1)->ArgName("cached")->Unit(benchmark::kMillisecond);

void BM_WrapLongLine(benchmark::State& state)
{
    TTextScene scene(16);
    TCanvas canvas;
    const QFont measure = GetTextMeasureFont(&canvas, scene.text.Font(), 1.0, 0);
    const QString line = LongLine(100000, 'L');
    const double reference = NanosPerCall(3, [&] {
        QTextLayout layout(line, measure);
        QtLayout(layout, 200);
    });
    int measurements = 0;
    size_t pieces = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        const std::vector<TTextRun> runs = WrapTextLine(line, 200, measure, &measurements);
        pieces = runs.size();
        benchmark::DoNotOptimize(runs.data());
    }
    const double nanos = double(timer.nsecsElapsed()) / double(state.iterations());
    state.counters["ms_per_wrap"] = nanos / 1e6;
    state.counters["qt_ms"] = reference / 1e6;
    state.counters["ratio_to_qt"] = nanos / reference;
    state.counters["measurements_per_line"] = double(measurements) / double(std::max<size_t>(1, pieces));
}
BENCHMARK(BM_WrapLongLine)->Unit(benchmark::kMillisecond);
