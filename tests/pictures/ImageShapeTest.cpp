// The image shape: its paint against the bitmap routines applied one after another, the
// order of the adjustments, transparency in both modes, the placeholder, pictures at high
// zoom, and the property rules.
#include "PictureTestUtil.h"
#include "component/CAD.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const double kPi = std::acos(-1.0);

// A 40 x 30 picture of gradients, with a red bottom-left corner block and red dots.
void TestPicture(TBitmap& b)
{
    b.SetSize(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t* p = b.ScanLine(y) + 3 * x;
            const bool red = (x < 4 && y >= 26) || (x % 9 == 4 && y % 7 == 3);
            p[0] = red ? 0 : uint8_t(x * 6);
            p[1] = red ? 0 : uint8_t(y * 8);
            p[2] = red ? 255 : uint8_t(200 - x * 2);
        }
}

struct ImageScene {
    std::unique_ptr<TMyCAD> Cad = std::make_unique<TMyCAD>();
    TMyImage* Image = nullptr;
};

ImageScene MakeImage(TPoint at = TPoint(30, 20))
{
    ImageScene s;
    s.Cad->SetUndoRedoSize(0);
    TBitmap picture;
    TestPicture(picture);
    const int id = s.Cad->AddImageShapeByCode("Picture", at, &picture);
    s.Image = qobject_cast<TMyImage*>(s.Cad->GetShapeByID(id));
    s.Cad->RemoveAllWorkingShapes();
    return s;
}

TBitmap* Page(TBitmap& page, int w, int h, TColor background)
{
    page.SetSize(w, h);
    page.Canvas().Brush().SetColor(background);
    page.Canvas().FillRect(TRect(0, 0, w, h));
    return &page;
}

// The paint as the routines give it: a working copy adjusted, mirrored, given the
// transparency settings, stretched and turned by RotateBitmap, drawn clipped to the box.
QImage LiteralPaint(TMyImage& image, int w, int h, TColor background)
{
    TBitmap page;
    Page(page, w, h, background);
    TBitmap copy;
    copy.Assign(*image.Bitmap());
    GrayScaleBitmap(copy, image.GrayScale());
    AdjustContrastBitmap(copy, image.Contrast());
    AdjustBrightBitmap(copy, image.Brightness());
    FlipBitmap(copy, image.IsFlipHorz(), image.IsFlipVert());
    copy.SetTransparentColor(image.StoredTransparentColor());
    copy.SetTransparentMode(image.TransparentMode());
    copy.SetTransparent(image.Transparent());
    const double z = image.Zoom();
    std::unique_ptr<TBitmap> turned =
        RotateBitmap(copy, Round(z * image.GetMyWidth()), Round(z * image.GetMyHeight()), 0, 0, -image.Angle());
    TArrPoint corners;
    for (int i = 0; i < 4; ++i)
        corners.push_back(MyPtToPt(image.GetPointInZoom(i)));
    const TRegion box = TRegion::FromPolygon(corners, WINDING);
    page.Canvas().SelectClipRgn(&box);
    const TMyPoint lt = image.GetLeftTop();
    page.Canvas().Draw(Round(lt.X * z), Round(lt.Y * z), *turned);
    page.Canvas().SelectClipRgn(nullptr);
    return page.ToQImage();
}

QImage ShapePaint(TMyImage& image, int w, int h, TColor background)
{
    TBitmap page;
    Page(page, w, h, background);
    image.Draw(&page.Canvas());
    return page.ToQImage();
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

// Zooms, angles, flips, adjustments and transparency: the shape paints exactly what the
// routines give, also where only part of the picture is on the canvas.
TEST(ImageShape, PaintsWhatTheRoutinesGive)
{
    struct Case {
        double Zoom, Angle;
        bool FlipH, FlipV, Grey;
        int Contrast, Brightness;
        bool Transparent, Fixed;
    };
    const Case cases[] = {{1, 0, false, false, false, 0, 0, false, false},
                          {2.5, 0, true, false, false, 60, -20, false, false},
                          {0.25, 0, false, true, true, 0, 0, false, false},
                          {1, kPi / 6, false, false, false, 0, 0, false, false},
                          {3, -1.2, true, true, false, -90, 40, true, false},
                          {1.7, kPi / 2, false, false, true, 120, 0, true, true},
                          {2, 0, false, false, false, 0, 0, true, false},
                          {20, 0.4, false, true, false, 30, 30, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.Zoom << " angle " << c.Angle);
        ImageScene s = MakeImage(TPoint(2, 2));
        TMyImage& image = *s.Image;
        if (c.Angle != 0)
            s.Cad->RotateChangeValueforShapes(&image, image.GetCenterPoint(), c.Angle);
        if (c.FlipH)
            image.FlipHoriz();
        if (c.FlipV)
            image.FlipVert();
        image.SetGrayScale(c.Grey);
        image.SetContrast(c.Contrast);
        image.SetBrightness(c.Brightness);
        image.SetTransparent(c.Transparent);
        if (c.Fixed)
            image.SetTransparentColor(RGB(160, 80, 120));
        s.Cad->SetZoom(c.Zoom);
        const QImage ours = ShapePaint(image, 260, 190, clYellow);
        const QImage literal = LiteralPaint(image, 260, 190, clYellow);
        EXPECT_EQ(DifferentPixels(ours, literal), 0);
        // Something of the picture is there.
        QImage empty(ours.size(), ours.format());
        empty.fill(Qt::yellow);
        EXPECT_GT(DifferentPixels(ours, empty), 50);
    }
}

// Grey first, then contrast, then brightness: (10, 20, 31) greys to 20, contrast 100
// takes it to 0, brightness 50 to 50.
TEST(ImageShape, AdjustmentsInTheirOrder)
{
    ImageScene s;
    s.Cad->SetUndoRedoSize(0);
    TBitmap picture(4, 4);
    picture.Canvas().Brush().SetColor(RGB(31, 20, 10));
    picture.Canvas().FillRect(TRect(0, 0, 4, 4));
    const int id = s.Cad->AddImageShapeByCode("P", TPoint(10, 10), &picture);
    auto* image = qobject_cast<TMyImage*>(s.Cad->GetShapeByID(id));
    image->SetGrayScale(true);
    image->SetContrast(100);
    image->SetBrightness(50);
    const QImage page = ShapePaint(*image, 40, 40, clWhite);
    EXPECT_EQ(ColorAt(page, 12, 12), RGB(50, 50, 50));
    // The stored picture is untouched.
    EXPECT_EQ(image->Bitmap()->ScanLine(0)[0], 10);
}

TEST(ImageShape, TransparencyInBothModes)
{
    ImageScene s = MakeImage(TPoint(0, 0));
    TMyImage& image = *s.Image;
    image.SetTransparent(true);
    // tmAuto: the bottom-left pixel's colour (red) lets the page through.
    QImage page = ShapePaint(image, 40, 30, clBlue);
    EXPECT_EQ(ColorAt(page, 1, 28), clBlue);
    EXPECT_EQ(ColorAt(page, 4, 3), clBlue) << "a red dot";
    EXPECT_EQ(ColorAt(page, 20, 10), RGB(200 - 40, 80, 120));
    // tmFixed with another colour: red shows, that colour does not.
    const TColor fixed = RGB(200 - 40, 80, 120);
    image.SetTransparentColor(fixed);
    EXPECT_EQ(image.TransparentMode(), tmFixed);
    page = ShapePaint(image, 40, 30, clBlue);
    EXPECT_EQ(ColorAt(page, 1, 28), clRed);
    EXPECT_EQ(ColorAt(page, 20, 10), clBlue);
    // Flipped, the automatic colour is the mirrored copy's bottom-left pixel.
    image.SetTransparentMode(tmAuto);
    image.FlipVert();
    page = ShapePaint(image, 40, 30, clBlue);
    EXPECT_EQ(ColorAt(page, 1, 1), clRed) << "the red corner, now at the top, is drawn";
    EXPECT_EQ(ColorAt(page, 0, 29), clBlue) << "the first pixel, now at the bottom-left, is left out";
    EXPECT_EQ(ColorAt(page, 1, 29), RGB(198, 0, 6));
}

TEST(ImageShape, PlaceholderAndBorder)
{
    TMyCAD cad;
    auto image = std::make_unique<TMyImage>(&cad);
    for (TMyPoint p : {TMyPoint(10, 10), TMyPoint(50, 10), TMyPoint(50, 40), TMyPoint(10, 40)})
        image->PointsRef().push_back(p);
    ASSERT_TRUE(image->Bitmap()->Empty());
    const QImage page = ShapePaint(*image, 60, 50, clWhite);
    for (auto [x, y] : {std::pair{10, 10}, {30, 10}, {49, 10}, {10, 25}, {50, 25}, {30, 40}, {30, 25}, {18, 16}})
        EXPECT_EQ(ColorAt(page, x, y), clGray) << x << "," << y;
    EXPECT_EQ(ColorAt(page, 30, 15), clWhite);
    EXPECT_EQ(ColorAt(page, 5, 5), clWhite);

    // With a border the box is drawn over the picture with the shape's pen.
    ImageScene s = MakeImage(TPoint(5, 5));
    s.Image->Pen()->SetColor(clLime);
    s.Image->Brush()->SetStyle(bsClear);
    s.Image->SetBorder(true);
    const QImage bordered = ShapePaint(*s.Image, 60, 50, clWhite);
    EXPECT_EQ(ColorAt(bordered, 5, 20), clLime);
    EXPECT_EQ(ColorAt(bordered, 20, 5), clLime);
    EXPECT_EQ(ColorAt(bordered, 20, 15), RGB(200 - 30, 80, 90));
}

// At a zoom where the whole stretched picture could not be allocated, the part on the
// canvas is still drawn; a box beyond any picture draws nothing.
TEST(ImageShape, PicturesAtHighZoom)
{
    ImageScene s = MakeImage(TPoint(0, 0));
    s.Cad->SetZoom(2000); // 80,000 x 60,000 pixels: beyond the pixel limit
    const QImage page = ShapePaint(*s.Image, 300, 200, clYellow);
    // Source pixel (0, 0) covers the canvas's 2000 x 2000 top-left pixels.
    EXPECT_EQ(ColorAt(page, 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(ColorAt(page, 299, 199), RGB(200, 0, 0));
    EXPECT_EQ(LiteralPaint(*s.Image, 300, 200, clYellow).pixel(0, 0), QColor(Qt::yellow).rgb())
        << "the routines alone cannot draw it";

    s.Cad->SetZoom(1);
    TBitmap wide(2000, 1);
    const int id = s.Cad->AddImageShapeByCode("Wide", TPoint(0, 0), &wide);
    s.Cad->SetZoom(10000);
    const QImage none = ShapePaint(*qobject_cast<TMyImage*>(s.Cad->GetShapeByID(id)), 50, 50, clYellow);
    EXPECT_EQ(ColorAt(none, 10, 0), clYellow);
}

TEST(ImageShape, PropertyRules)
{
    ImageScene s = MakeImage();
    TMyImage& image = *s.Image;
    image.SetBrightness(100);
    image.SetBrightness(300);
    EXPECT_EQ(image.Brightness(), 100);
    image.SetContrast(-255);
    image.SetContrast(-256);
    EXPECT_EQ(image.Contrast(), -255);
    // The box takes the picture's size at the zoom of the moment.
    EXPECT_FLOAT_EQ(image.GetMyWidth(), 40);
    s.Cad->SetZoom(2);
    TBitmap picture(40, 30);
    image.SetBitmap(&picture);
    EXPECT_FLOAT_EQ(image.GetMyWidth(), 20);
    EXPECT_FLOAT_EQ(image.GetMyHeight(), 15);
    image.SetBitmap(nullptr);
    EXPECT_EQ(image.GetPointsCount(), 4);

    // The setters end in the requested mode, also when the colour is already stored.
    image.StoreTransparency(clRed, tmAuto);
    image.SetTransparentColor(clRed);
    EXPECT_EQ(image.TransparentMode(), tmFixed);
    image.SetTransparentColor(clDefault);
    EXPECT_EQ(image.TransparentMode(), tmAuto);
    ImageScene empty;
    TMyImage blank(empty.Cad.get());
    blank.SetTransparentMode(tmFixed);
    EXPECT_EQ(blank.TransparentMode(), tmFixed);
    blank.SetTransparentMode(tmAuto);
    EXPECT_EQ(blank.TransparentMode(), tmAuto);
    EXPECT_EQ(blank.StoredTransparentColor(), clDefault);

    // Assign copies the picture and the seven properties from an image only.
    image.SetGrayScale(true);
    image.SetBorder(true);
    image.SetTransparent(true);
    image.SetTransparentColor(clBlue);
    TMyImage copy(s.Cad.get());
    copy.Assign(&image);
    EXPECT_EQ(copy.Bitmap()->Width(), 40);
    EXPECT_TRUE(copy.GrayScale() && copy.Border() && copy.Transparent());
    EXPECT_EQ(copy.Brightness(), 100);
    EXPECT_EQ(copy.Contrast(), -255);
    EXPECT_EQ(copy.StoredTransparentColor(), clBlue);
    EXPECT_EQ(copy.TransparentMode(), tmFixed);
    TMyRectangle rectangle(s.Cad.get());
    TMyImage fromRectangle(s.Cad.get());
    fromRectangle.Assign(&rectangle);
    EXPECT_TRUE(fromRectangle.Bitmap()->Empty());
}
