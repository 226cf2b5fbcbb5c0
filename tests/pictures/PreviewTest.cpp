// Print previews rendered into bitmaps.
#include "PictureScene.h"
#include "PictureTestUtil.h"

#include <gtest/gtest.h>

TEST(Preview, HalfZoomOfAnA4Page)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    TBitmap preview;
    ASSERT_TRUE(cad.PrintPreview({}, &preview, 0.5));
    EXPECT_EQ(preview.Width(), 397);
    EXPECT_EQ(preview.Height(), 561);
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.size(), QSize(794, 1123));
    EXPECT_EQ(cad.PreZoom(), 1.0);
    const QImage page = preview.ToQImage();
    EXPECT_EQ(ColorAt(page, 75, 50), clRed);
    EXPECT_EQ(ColorAt(page, 250, 150), clBlue);
    // The frame 10 pixels inside (margins of 20 at zoom 0.5).
    EXPECT_EQ(ColorAt(page, 10, 300), clBlack);
    EXPECT_EQ(ColorAt(page, 9, 300), clWhite);
    EXPECT_EQ(ColorAt(page, 397 - 11, 300), clBlack); // right and bottom exclusive
    EXPECT_EQ(ColorAt(page, 397 - 10, 300), clWhite);
    // Shapes of hidden layers appear, shapes that are not Visible do not.
    EXPECT_EQ(ColorAt(page, 75, 275), clLime);
    EXPECT_EQ(ColorAt(page, 175, 275), clWhite);

    EXPECT_FALSE(cad.PrintPreview({}, &preview, 0));
    EXPECT_FALSE(cad.PrintPreview({}, nullptr, 1));
    EXPECT_FALSE(cad.PrintPreview({}, &preview, 100)) << "beyond the pixel limit";
    EXPECT_EQ(preview.Width(), 397);
    EXPECT_EQ(cad.Zoom(), 1.0);
}

// The low-memory preview is cut off at the maximum; the frame follows the capped edges.
TEST(Preview, LowMemoryPreviewIsCappedNotScaled)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    TBitmap preview;
    ASSERT_TRUE(cad.PrintPreviewLowMem({}, &preview, 500, 500, 1.0));
    EXPECT_EQ(preview.Width(), 500);
    EXPECT_EQ(preview.Height(), 500);
    const QImage page = preview.ToQImage();
    EXPECT_EQ(ColorAt(page, 479, 100), clBlack); // the rectangle ends at x = 480
    EXPECT_EQ(ColorAt(page, 480, 100), clWhite);
    EXPECT_EQ(ColorAt(page, 150, 100), clRed);
    EXPECT_EQ(ColorAt(page, 450, 300), clBlue);
    // A hidden group hides its members here too.
    TMyShape* a = FilledRect(cad, 100, 300, 150, 350, clMaroon);
    TMyShape* b = FilledRect(cad, 160, 300, 210, 350, clOlive);
    TMyShape* group = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    ASSERT_NE(group, nullptr);
    group->SetVisible(false);
    ASSERT_TRUE(cad.PrintPreviewLowMem({}, &preview, 500, 500, 1.0));
    EXPECT_EQ(ColorAt(preview.ToQImage(), 125, 325), clWhite);
    EXPECT_EQ(ColorAt(preview.ToQImage(), 185, 325), clWhite);
    group->SetVisible(true);
    ASSERT_TRUE(cad.PrintPreviewLowMem({}, &preview, 500, 500, 1.0));
    EXPECT_EQ(ColorAt(preview.ToQImage(), 125, 325), clMaroon);
}

TEST(Preview, SelectedShapes)
{
    PictureScene scene = MakePictureScene();
    TMyCAD& cad = *scene.Cad;
    cad.SetPageHead("Head");
    TBitmap preview;
    ASSERT_TRUE(cad.PreviewSelectedShapes(&preview, 1.0));
    QImage page = preview.ToQImage();
    EXPECT_EQ(ColorAt(page, 500, 300), clBlue);
    EXPECT_EQ(ColorAt(page, 150, 100), clWhite) << "not selected";
    cad.RemoveAllWorkingShapes();
    ASSERT_TRUE(cad.PreviewSelectedShapes(&preview, 1.0));
    page = preview.ToQImage();
    EXPECT_EQ(ColorAt(page, 500, 300), clWhite);
    EXPECT_EQ(ColorAt(page, 20, 500), clBlack) << "the frame";
    bool head = false;
    for (int y = 10; y < 40 && !head; ++y)
        for (int x = 350; x < 450 && !head; ++x)
            head = ColorAt(page, x, y) != clWhite;
    EXPECT_TRUE(head);
}

// Connectors hop over each other on a preview, and so on the printed page it shows, as on
// the screen; an SVG page has the hops too.
TEST(Preview, ConnectorsHopAsOnTheScreen)
{
    TMyCAD cad;
    cad.resize(794, 1123);
    cad.SetUndoRedoSize(0);
    cad.GridOperation()->SetGridType(gNone);
    cad.SetCrossLine(true);
    const std::vector<TArrMyPoint> routes = {{TMyPoint(100, 200), TMyPoint(300, 200), TMyPoint(300, 260)},
                                             {TMyPoint(180, 120), TMyPoint(180, 300)},
                                             {TMyPoint(240, 150), TMyPoint(240, 280), TMyPoint(240, 280)}};
    for (const TArrMyPoint& r : routes)
        cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr)->PointsRef() = r;
    cad.RemoveAllWorkingShapes();
    TBitmap preview;
    ASSERT_TRUE(cad.PrintPreview({}, &preview, 1.0));
    EXPECT_EQ(cad.GetShapeByNo(2)->GetPointsCount(), 2) << "the repeated point tidied away";
    cad.DrawAll(TRect(0, 0, 794, 1123));
    const QImage screen = cad.Buffer()->ToQImage(), page = preview.ToQImage();
    int differing = 0, dark = 0;
    for (int y = 100; y < 320; ++y)
        for (int x = 80; x < 320; ++x) {
            differing += screen.pixel(x, y) != page.pixel(x, y);
            dark += ColorAt(page, x, y) == clBlack;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(dark, 400);
    // The hop over x = 180 leaves the horizontal connector's row open beside the crossing.
    EXPECT_EQ(ColorAt(page, 176, 200), clWhite);
    EXPECT_EQ(ColorAt(page, 160, 200), clBlack);

    QTemporaryDir dir;
    ASSERT_TRUE(cad.SaveToSvg(dir.filePath("hops.svg")));
    cad.SetCrossLine(false);
    ASSERT_TRUE(cad.SaveToSvg(dir.filePath("straight.svg")));
    EXPECT_GT(ReadAll(dir.filePath("hops.svg")).size(), ReadAll(dir.filePath("straight.svg")).size());
}
