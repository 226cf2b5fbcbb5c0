// Raster modes: drawing a figure twice in xor or not-xor restores every pixel, on every
// image layout the canvas paints on; every pen mode combines pen and destination bits
// as its formula says.
#include "CanvasTestUtil.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct XorCase {
    const char* name;
    std::function<void(TCanvas&)> draw;
};

std::vector<TPoint> RandomPolyline(int count, int width, int height)
{
    std::mt19937 random(7);
    std::vector<TPoint> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(int(random() % width), int(random() % height));
    return points;
}

const std::vector<XorCase>& Figures()
{
    static const std::vector<XorCase> cases = {
        {"line", [](TCanvas& c) { c.MoveTo(3, 4); c.LineTo(150, 97); }},
        {"rubber band rectangle", [](TCanvas& c) {
             c.Pen().SetStyle(psDot);
             c.Brush().SetStyle(bsClear);
             c.Rectangle(10, 12, 140, 90);
         }},
        {"filled rectangle", [](TCanvas& c) { c.Brush().SetColor(clTeal); c.Rectangle(20, 15, 61, 47); }},
        {"ellipse", [](TCanvas& c) { c.Brush().SetColor(clRed); c.Ellipse(5, 7, 120, 80); }},
        {"concave polygon", [](TCanvas& c) {
             c.Brush().SetStyle(bsDiagCross);
             c.Polygon({{5, 5}, {150, 10}, {80, 40}, {140, 95}, {10, 90}});
         }},
        {"winding star", [](TCanvas& c) {
             c.SetPolyFillMode(WINDING);
             c.Polygon({{80, 2}, {110, 95}, {20, 35}, {140, 35}, {50, 95}});
         }},
        {"1000-point polyline", [](TCanvas& c) { c.Polyline(RandomPolyline(1000, 160, 100)); }},
        {"wide polyline", [](TCanvas& c) {
             c.Pen().SetWidth(5);
             c.Polyline({{10, 10}, {100, 30}, {40, 80}, {150, 90}});
         }},
        {"geometric dashed path", [](TCanvas& c) {
             c.SelectGeometricPen(psDashDot, clBlue, 3);
             c.BeginPath();
             c.Polygon({{12, 8}, {140, 20}, {120, 88}, {30, 70}});
             c.EndPath();
             c.StrokePath();
         }},
        {"ellipse path stroke and fill", [](TCanvas& c) {
             c.BeginPath();
             c.Ellipse(30, 10, 130, 90);
             c.EndPath();
             c.StrokeAndFillPath();
         }},
        {"arc and pie", [](TCanvas& c) {
             c.Arc(10, 10, 100, 70, 100, 10, 10, 70);
             c.Pie(60, 20, 150, 95, 150, 20, 60, 20);
         }},
        {"bezier chain", [](TCanvas& c) { c.PolyBezier({{5, 90}, {40, -20}, {80, 150}, {120, 10}, {130, 0}, {150, 50}, {155, 95}}); }},
    };
    return cases;
}

void ExpectDrawTwiceRestores(QImage::Format format, TPenMode mode)
{
    for (const XorCase& figure : Figures()) {
        SCOPED_TRACE(figure.name);
        QImage image = NoiseImage(160, 100, format);
        const QImage original = image.copy();
        // A white pen changes every bit in xor, a black one in not-xor.
        const TColor ink = mode == pmXor ? clWhite : clBlack;
        {
            TCanvas canvas(&image);
            canvas.Pen().SetMode(mode);
            canvas.Pen().SetColor(ink);
            figure.draw(canvas);
            canvas.ReleasePainter();
            EXPECT_GT(DifferingPixels(image, original), 0) << "drawing once changes the picture";
            TCanvas again(&image);
            again.Pen().SetMode(mode);
            again.Pen().SetColor(ink);
            figure.draw(again);
        }
        EXPECT_EQ(DifferingPixels(image, original), 0);
    }
}

} // namespace

TEST(CanvasXor, DrawingTwiceInXorRestoresEveryPixelOnRgb32)
{
    ExpectDrawTwiceRestores(QImage::Format_RGB32, pmXor);
}

TEST(CanvasXor, DrawingTwiceInXorRestoresEveryPixelOnPremultipliedArgb)
{
    ExpectDrawTwiceRestores(QImage::Format_ARGB32_Premultiplied, pmXor);
}

TEST(CanvasXor, DrawingTwiceInXorRestoresEveryPixelOn24BitLayout)
{
    ExpectDrawTwiceRestores(QImage::Format_BGR888, pmXor);
}

TEST(CanvasXor, DrawingTwiceInNotXorRestoresEveryPixel)
{
    ExpectDrawTwiceRestores(QImage::Format_RGB32, pmNotXor);
    ExpectDrawTwiceRestores(QImage::Format_BGR888, pmNotXor);
}

TEST(CanvasXor, RubberBandOnABitmapCanvasIsErasedByTheSecondDrawing)
{
    TBitmap bitmap(200, 150);
    bitmap.Canvas().Brush().SetColor(clNavy);
    bitmap.Canvas().Ellipse(10, 10, 190, 140);
    const QImage before = bitmap.ToQImage();
    TCanvas& c = bitmap.Canvas();
    c.Pen().SetMode(pmXor);
    c.Pen().SetColor(clWhite);
    c.Pen().SetStyle(psDot);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(30, 20, 170, 120);
    // The rubber band shows between the two drawings, read through the scan lines: along
    // the dotted top edge, inside the navy ellipse, pixels are either untouched navy or
    // navy xor white, three of each in turn.
    const uint8_t* row = bitmap.ScanLine(20);
    int changed = 0;
    for (int x = 80; x < 120; ++x) {
        const uint8_t* px = row + 3 * x;
        const bool on = px[0] != 0x80;
        changed += on ? 1 : 0;
        EXPECT_EQ(px[0], on ? 0x7F : 0x80) << x;
        EXPECT_EQ(px[1], on ? 0xFF : 0x00) << x;
        EXPECT_EQ(px[2], on ? 0xFF : 0x00) << x;
        if (x >= 83) {
            EXPECT_EQ(on, (row[3 * (x - 3)] != 0x80) == false) << "dots of three " << x;
        }
    }
    EXPECT_EQ(changed, 20);
    c.Rectangle(30, 20, 170, 120);
    EXPECT_EQ(DifferingPixels(bitmap.ToQImage(), before), 0);
}

TEST(CanvasXor, EveryPenModeCombinesPenAndDestinationByItsFormula)
{
    const TColor pen = RGB(0x5A, 0xC3, 0x0F);
    const TColor dest = RGB(0x36, 0x9C, 0xF0);
    auto combine = [](TColor p, TColor d, TPenMode mode) -> TColor {
        const uint32_t P = uint32_t(p), D = uint32_t(d);
        uint32_t r = 0;
        switch (mode) {
        case pmBlack: r = 0; break;
        case pmWhite: r = ~0u; break;
        case pmNop: r = D; break;
        case pmNot: r = ~D; break;
        case pmCopy: r = P; break;
        case pmNotCopy: r = ~P; break;
        case pmMergePenNot: r = P | ~D; break;
        case pmMaskPenNot: r = P & ~D; break;
        case pmMergeNotPen: r = ~P | D; break;
        case pmMaskNotPen: r = ~P & D; break;
        case pmMerge: r = P | D; break;
        case pmNotMerge: r = ~(P | D); break;
        case pmMask: r = P & D; break;
        case pmNotMask: r = ~(P & D); break;
        case pmXor: r = P ^ D; break;
        case pmNotXor: r = ~(P ^ D); break;
        }
        return TColor(r & 0xFFFFFF);
    };
    for (int m = 0; m <= int(pmNotXor); ++m) {
        const auto mode = TPenMode(m);
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_BGR888}) {
            SCOPED_TRACE(testing::Message() << "mode " << m << " format " << int(format));
            QImage image(20, 5, format);
            image.fill(ToQColor(dest));
            {
                TCanvas canvas(&image);
                canvas.Pen().SetColor(pen);
                canvas.Pen().SetMode(mode);
                canvas.MoveTo(2, 2);
                canvas.LineTo(12, 2);
            }
            EXPECT_EQ(PixelAt(image, 5, 2), combine(pen, dest, mode));
            EXPECT_EQ(PixelAt(image, 12, 2), dest) << "the last pixel of a line stays";
            EXPECT_EQ(PixelAt(image, 5, 3), dest);
            if (format == QImage::Format_RGB32) {
                EXPECT_EQ(reinterpret_cast<const QRgb*>(image.constScanLine(2))[5] >> 24, 0xFFu) << "opaque stays opaque";
            }
        }
    }
}

TEST(CanvasXor, BrushFillsFollowThePenModeButFillRectCopies)
{
    QImage image = WhiteImage(20, 20);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetMode(pmXor);
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetColor(RGB(0x0F, 0xF0, 0x33));
        canvas.Rectangle(0, 0, 10, 10); // fills 0..8 in xor
        canvas.FillRect(TRect(10, 10, 15, 15));
    }
    EXPECT_EQ(PixelAt(image, 4, 4), RGB(0xF0, 0x0F, 0xCC));
    EXPECT_EQ(PixelAt(image, 12, 12), RGB(0x0F, 0xF0, 0x33));
}

TEST(CanvasXor, XorOutlinesTouchEveryPixelOnceCornersIncluded)
{
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetMode(pmXor);
        canvas.Pen().SetColor(clWhite);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(2, 3, 20, 25);
        canvas.Polygon({{22, 2}, {28, 2}, {28, 10}, {22, 10}});
        canvas.Polyline({{2, 27}, {10, 27}, {10, 29}, {2, 29}, {2, 27}});
    }
    for (const TPoint& corner : std::vector<TPoint>{{2, 3}, {19, 3}, {19, 24}, {2, 24}, {22, 2}, {28, 2}, {28, 10}, {22, 10},
                                                    {2, 27}, {10, 27}, {10, 29}, {2, 29}})
        EXPECT_EQ(PixelAt(image, corner.X, corner.Y), clWhite) << corner.X << "," << corner.Y;
    EXPECT_EQ(PixelAt(image, 10, 3), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 10), clBlack);
}
