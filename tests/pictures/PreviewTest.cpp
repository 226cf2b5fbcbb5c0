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
