// The screen image at a higher pixel density: composed with the screen's pixels, so lines
// and text are drawn sharp rather than enlarged, while the control's coordinates, the
// document and the exported pictures stay exactly as they are.
#include "support/DrawingTestSupport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QImage ScreenAfterPaint(TMyCAD& cad)
{
    cad.Paint();
    TCanvas* canvas = cad.Canvas();
    canvas->ReleasePainter();
    return static_cast<QImage*>(canvas->Device())->copy();
}

bool Ink(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

int InkIn(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += Ink(image, x, y);
    return n;
}

// Aligned 2 x 2 blocks holding ink and page both: none in a picture merely enlarged.
int MixedBlocks(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const int ink = Ink(image, x, y) + Ink(image, x + 1, y) + Ink(image, x, y + 1) + Ink(image, x + 1, y + 1);
            n += ink > 0 && ink < 4;
        }
    return n;
}

QRect Scaled(const QRect& r, int k)
{
    return QRect(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

// A rectangle, a slanted line and a caption on a white page without a grid.
struct Scene {
    TMyCAD cad;
    const QRect lineArea{118, 18, 86, 46};
    const QRect textArea{40, 100, 140, 40};
    Scene()
    {
        cad.SetColorOfBackGround(clWhite);
        cad.GridOperation()->SetGridType(gNone);
        AddRect(cad, 20, 20, 100, 60);
        cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(120, 20), TMyPoint(200, 60)}, 0, "L");
        const int id = cad.AddShapeByCode(&cad, SpPolyBezier, {}, {TMyPoint(110, 120)}, 0, "C");
        TMyShape* caption = cad.GetShapeByID(id);
        caption->SetInfo("Sharp text");
        caption->SetCaptionPoint(TMyPoint(110, 120));
        cad.RemoveAllWorkingShapes();
    }
};

} // namespace

TEST(HighDensity, TwiceTheDensityDrawsWithTheScreensPixels)
{
    Scene scene;
    TMyCAD& cad = scene.cad;
    cad.SetScreenPixelRatio(1);
    const QImage one = ScreenAfterPaint(cad);
    cad.SetScreenPixelRatio(2);
    EXPECT_EQ(cad.ScreenPixelRatio(), 2);
    const QImage two = ScreenAfterPaint(cad);
    ASSERT_EQ(two.size(), one.size() * 2);
    EXPECT_EQ(two.devicePixelRatio(), 2);

    // The rectangle's one-pixel outline is two image pixels deep, on the same control pixel.
    for (int y : {30, 40, 50}) {
        EXPECT_TRUE(Ink(one, 20, y));
        EXPECT_FALSE(Ink(one, 21, y));
        EXPECT_FALSE(Ink(two, 39, 2 * y));
        EXPECT_TRUE(Ink(two, 40, 2 * y));
        EXPECT_TRUE(Ink(two, 41, 2 * y));
        EXPECT_FALSE(Ink(two, 42, 2 * y));
        // The right side: control pixel 100, image pixels 200 and 201.
        EXPECT_TRUE(Ink(one, 100, y));
        EXPECT_FALSE(Ink(two, 199, 2 * y));
        EXPECT_TRUE(Ink(two, 200, 2 * y));
        EXPECT_TRUE(Ink(two, 201, 2 * y));
        EXPECT_FALSE(Ink(two, 202, 2 * y));
    }
    EXPECT_TRUE(Ink(two, 100, 40) && Ink(two, 100, 41) && !Ink(two, 100, 42));

    // The slanted line and the text are laid out in the image's pixels, not enlarged:
    // blocks of four image pixels are partly inked, and the ink is about four times as
    // much (twice as long, twice as wide).
    for (const QRect& area : {scene.lineArea, scene.textArea}) {
        SCOPED_TRACE(area.topLeft().x());
        EXPECT_GT(MixedBlocks(two, Scaled(area, 2)), 10);
        const double ratio = double(InkIn(two, Scaled(area, 2))) / InkIn(one, area);
        EXPECT_GT(ratio, 2.5);
        EXPECT_LT(ratio, 6);
    }

    // Coordinates read and written through the control's canvas are the control's.
    TCanvas* canvas = cad.Canvas();
    EXPECT_EQ(canvas->Pixels(20, 40), clBlack);
    EXPECT_EQ(canvas->Pixels(22, 40), clWhite);
    canvas->SetPixels(300, 300, clRed);
    canvas->ReleasePainter();
    const QImage* screen = static_cast<QImage*>(canvas->Device());
    for (int y : {600, 601})
        for (int x : {600, 601})
            EXPECT_EQ(screen->pixelColor(x, y), QColor(Qt::red));
    EXPECT_NE(screen->pixelColor(602, 600), QColor(Qt::red));
}

TEST(HighDensity, PartsComposedAtTheDensityMatchTheWholePage)
{
    Scene scene;
    TMyCAD& cad = scene.cad;
    cad.SetScreenPixelRatio(2);
    const TRect page(0, 0, 260, 160);
    cad.DrawAll(page);
    const QImage whole = cad.Buffer()->ToQImage();
    ASSERT_EQ(whole.size(), QSize(520, 320));
    const TArrMyPoint before = cad.GetShapeByNo(0)->Points();
    for (const TRect part : {TRect(13, 7, 151, 93), TRect(57, 33, 99, 71), TRect(101, 95, 203, 131)}) {
        cad.DrawAll(part);
        const QImage image = cad.Buffer()->ToQImage();
        EXPECT_EQ(image, whole.copy(Scaled(part.toQRect(), 2))) << part.Left << "," << part.Top;
    }
    EXPECT_EQ(cad.GetShapeByNo(0)->Points(), before);
    EXPECT_EQ(cad.Zoom(), 1);
    EXPECT_EQ(cad.PassPixelRatio(), 1);

    // At 150 %: the image pixels that cover the control's, partly covered ones included.
    cad.SetScreenPixelRatio(1.5);
    cad.DrawAll(TRect(11, 3, 101, 64));
    EXPECT_EQ(cad.Buffer()->Width(), 152 - 16);
    EXPECT_EQ(cad.Buffer()->Height(), 96 - 4);
    const QImage oneAndHalf = ScreenAfterPaint(cad);
    EXPECT_EQ(oneAndHalf.width(), (cad.width() * 3 + 1) / 2);
    // The left side of the rectangle: control pixel 20, image pixels 30 and 31 (two wide).
    EXPECT_FALSE(Ink(oneAndHalf, 29, 60));
    EXPECT_TRUE(Ink(oneAndHalf, 30, 60));
    EXPECT_TRUE(Ink(oneAndHalf, 31, 60));
    EXPECT_FALSE(Ink(oneAndHalf, 32, 60));
}

TEST(HighDensity, ExportsAndTheDocumentDoNotChange)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Scene scene;
    TMyCAD& cad = scene.cad;
    const auto bytes = [&](const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    cad.SetScreenPixelRatio(1);
    ScreenAfterPaint(cad);
    ASSERT_TRUE(cad.SaveToBmp(dir.filePath("one.bmp"), true));
    ASSERT_TRUE(cad.SaveToPng(dir.filePath("one.png"), true));
    ASSERT_TRUE(cad.SaveToFile(dir.filePath("one.zed")));
    cad.SetScreenPixelRatio(2);
    ScreenAfterPaint(cad);
    ASSERT_TRUE(cad.SaveToBmp(dir.filePath("two.bmp"), true));
    ASSERT_TRUE(cad.SaveToPng(dir.filePath("two.png"), true));
    ASSERT_TRUE(cad.SaveToFile(dir.filePath("two.zed")));
    EXPECT_FALSE(bytes("one.bmp").isEmpty());
    EXPECT_EQ(bytes("one.bmp"), bytes("two.bmp"));
    EXPECT_EQ(bytes("one.png"), bytes("two.png"));
    EXPECT_EQ(bytes("one.zed"), bytes("two.zed"));

    // Following the window again: the offscreen window's own ratio.
    cad.SetScreenPixelRatio(0);
    EXPECT_EQ(cad.ScreenPixelRatio(), std::clamp(cad.devicePixelRatioF(), 1.0, 8.0));
    EXPECT_EQ(ScreenAfterPaint(cad).devicePixelRatio(), cad.ScreenPixelRatio());
}

// Run with QT_SCALE_FACTOR=2 as well (see the test list): the window's ratio is followed.
TEST(HighDensity, FollowsTheWindowsDevicePixelRatio)
{
    TMyCAD cad;
    cad.show();
    const double expected = qEnvironmentVariable("QT_SCALE_FACTOR") == "2" ? 2.0 : 1.0;
    EXPECT_EQ(cad.devicePixelRatioF(), expected);
    EXPECT_EQ(cad.ScreenPixelRatio(), expected);
    const QImage screen = ScreenAfterPaint(cad);
    EXPECT_EQ(screen.width(), int(cad.width() * expected));
    // The widget shows the composed image: its grab is the page at the window's density.
    const QImage shown = cad.grab().toImage();
    EXPECT_EQ(shown.size(), screen.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32).copy(0, 0, 200, 200),
              screen.convertToFormat(QImage::Format_RGB32).copy(0, 0, 200, 200));
}
