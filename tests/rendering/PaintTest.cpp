// The paint pass: page colour, background picture, grid, shapes of visible layers, and
// hots on top, probed in the composed pictures.
#include "support/DrawingTestSupport.h"

#include <QImage>

namespace {
TColor At(const TBitmap& bitmap, int x, int y)
{
    return FromQColor(QColor(bitmap.ToQImage().pixel(x, y)));
}

// Columns of the first row that carry the grid colour.
std::vector<int> GridColumns(const TBitmap& bitmap, int row)
{
    std::vector<int> xs;
    const QImage image = bitmap.ToQImage();
    for (int x = 0; x < image.width(); ++x)
        if (FromQColor(QColor(image.pixel(x, row))) == clSilver)
            xs.push_back(x);
    return xs;
}

bool AnyInk(const TBitmap& bitmap, TColor background = clWhite)
{
    const QImage image = bitmap.ToQImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FromQColor(QColor(image.pixel(x, y))) != background)
                return true;
    return false;
}

// A shape that draws only its caption text: ink shows where it was drawn.
TMyShape* CaptionShape(TMyCAD& cad, float x, float y, const QString& info)
{
    const int id = cad.AddShapeByCode(&cad, SpPolyBezier, {}, {TMyPoint(x, y)}, 0, "C");
    TMyShape* s = cad.GetShapeByID(id);
    s->SetInfo(info);
    s->SetCaptionPoint(TMyPoint(x, y));
    return s;
}
} // namespace

TEST(PaintGrid, LinesFallOnPageMultiplesForAnyClip)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridWidth(20);
    cad.GridOperation()->SetGridHeight(20);
    cad.DrawAll(TRect(30, 0, 130, 50));
    EXPECT_EQ(GridColumns(*cad.Buffer(), 5), (std::vector<int>{10, 30, 50, 70, 90}));
    cad.DrawAll(TRect(10, 0, 110, 50));
    EXPECT_EQ(GridColumns(*cad.Buffer(), 5), (std::vector<int>{10, 30, 50, 70, 90}));
    cad.DrawAll(TRect(0, 0, 100, 50));
    EXPECT_EQ(GridColumns(*cad.Buffer(), 5), (std::vector<int>{0, 20, 40, 60, 80}));
}

TEST(PaintGrid, DotsSitOnTheSamePositionsAndZeroSpacingDrawsNothing)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridWidth(20);
    cad.GridOperation()->SetGridHeight(20);
    cad.GridOperation()->SetGridType(gPixel);
    cad.DrawAll(TRect(30, 40, 130, 90));
    EXPECT_EQ(At(*cad.Buffer(), 10, 0), clSilver);  // page (40, 40)
    EXPECT_EQ(At(*cad.Buffer(), 9, 0), clSilver);   // the dot reaches pen size to the left
    EXPECT_EQ(At(*cad.Buffer(), 11, 0), clWhite);   // and stops before pen size to the right
    EXPECT_EQ(At(*cad.Buffer(), 20, 10), clWhite);
    cad.GridOperation()->SetGridWidth(0);
    cad.DrawAll(TRect(30, 40, 130, 90));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
    cad.GridOperation()->SetGridWidth(20);
    cad.GridOperation()->SetGridType(gLine);
    cad.GridOperation()->SetGridShow(false);
    cad.DrawAll(TRect(30, 40, 130, 90));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
}

TEST(PaintPage, PageColourAndBorderInsetAtZoom)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridType(gNone);
    cad.SetColorOfBackGround(clYellow);
    cad.DrawAll(TRect(0, 0, 50, 50));
    EXPECT_EQ(At(*cad.Buffer(), 25, 25), clYellow);
    cad.SetZoom(0.5);
    TBitmap page(200, 100);
    cad.DrawBorder(&page);
    EXPECT_EQ(At(page, 10, 10), clBlack);
    EXPECT_EQ(At(page, 189, 89), clBlack);
    EXPECT_EQ(At(page, 9, 10), clWhite);
    EXPECT_EQ(At(page, 50, 50), clWhite);
    cad.SetPrintABorder(false);
    TBitmap none(200, 100);
    cad.DrawBorder(&none);
    EXPECT_FALSE(AnyInk(none));
    TBitmap back(10, 10);
    cad.DrawBackground(&back);
    EXPECT_EQ(At(back, 5, 5), clWhite); // the page colour prints only when asked
    cad.SetPrintBackground(true);
    cad.DrawBackground(&back);
    EXPECT_EQ(At(back, 5, 5), clYellow);
}

TEST(PaintPage, HeadIsCentredAndFootRightAligned)
{
    TMyCAD cad;
    cad.SetPageHead("Head");
    cad.SetPageFoot("Foot");
    cad.PageHeadFont()->SetSize(12);
    cad.PageFootFont()->SetSize(12);
    TBitmap page(600, 400);
    const TSize head = GetTextWidthHeight(&page.Canvas(), "Head", cad.PageHeadFont(), 1, 0);
    cad.DrawHeadFoot(&page);
    const QImage image = page.ToQImage();
    int left = 600, right = -1, footRight = -1, footBottom = -1;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                if (y < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                } else {
                    footRight = std::max(footRight, x);
                    footBottom = std::max(footBottom, y);
                }
            }
    const int start = Round((600 - head.cx) / 2.0);
    EXPECT_NEAR(left, start, 2);
    EXPECT_LE(right, start + head.cx);
    EXPECT_LE(footRight, 600 - 20);
    EXPECT_GE(footRight, 600 - 24);
    EXPECT_LE(footBottom, 400 - 15);
}

TEST(PaintPage, BackgroundPicturePlacement)
{
    TMyCAD cad;
    cad.resize(601, 601);
    cad.GridOperation()->SetGridType(gNone);
    TBitmap picture(100, 50);
    picture.Canvas().Brush().SetColor(clRed);
    picture.Canvas().FillRect(TRect(0, 0, 100, 50));
    cad.SetBkBitmap(&picture);
    cad.SetBkBitmapMode(TBkBitmapMode::Center);
    cad.DrawAll(TRect(240, 270, 360, 330));
    EXPECT_EQ(At(*cad.Buffer(), 10, 5), clRed);   // page (250, 275)
    EXPECT_EQ(At(*cad.Buffer(), 9, 5), clWhite);
    EXPECT_EQ(At(*cad.Buffer(), 10, 4), clWhite);
    EXPECT_EQ(At(*cad.Buffer(), 109, 54), clRed); // page (349, 324)
    EXPECT_EQ(At(*cad.Buffer(), 110, 54), clWhite);

    cad.SetBkBitmapMode(TBkBitmapMode::LeftTop);
    cad.DrawAll(TRect(0, 0, 120, 60));
    EXPECT_EQ(At(*cad.Buffer(), 0, 0), clRed);
    EXPECT_EQ(At(*cad.Buffer(), 100, 10), clWhite);

    cad.SetBkBitmapMode(TBkBitmapMode::Stretch);
    cad.DrawAll(TRect(500, 500, 601, 601));
    EXPECT_EQ(At(*cad.Buffer(), 100, 100), clRed);

    // Tiles cover columns 0 to 6: 700 pixels for a 601-pixel page.
    cad.SetBkBitmapMode(TBkBitmapMode::Tiled);
    TBitmap wide(800, 60);
    cad.DrawBkBitmap(&wide, 0, 0, false);
    EXPECT_EQ(At(wide, 650, 10), clRed);
    EXPECT_EQ(At(wide, 750, 10), clWhite);
    TBitmap whole(800, 60);
    cad.DrawBkBitmap(&whole, 0, 0, true);
    EXPECT_EQ(At(whole, 750, 10), clRed);
}

TEST(PaintShapes, InvisibleLayersShapesAndGroupsAreNotDrawn)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridType(gNone);
    TMyShape* a = CaptionShape(cad, 20, 20, "A");
    cad.DrawAll(TRect(0, 0, 40, 40));
    EXPECT_TRUE(AnyInk(*cad.Buffer()));
    EXPECT_EQ(cad.DrawnShapes(), TMyShapeNo({0}));
    a->SetVisible(false);
    cad.DrawAll(TRect(0, 0, 40, 40));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
    a->SetVisible(true);
    cad.InVisibleLayerByID(0);
    cad.DrawAll(TRect(0, 0, 40, 40));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
    EXPECT_TRUE(cad.DrawnShapes().empty());
    cad.VisibleLayerByID(0);

    // A group hides its members when invisible; an invisible member alone is skipped.
    TMyShape* b = CaptionShape(cad, 60, 20, "B");
    auto group = cad.CreateShapeByName("TMyGroup");
    for (TMyPoint p : {TMyPoint(0, 0), TMyPoint(80, 0), TMyPoint(80, 40), TMyPoint(0, 40)})
        group->PointsRef().push_back(p);
    group->ChildNos() = {0, 1};
    group->SetShapeNo(2);
    a->SetParentNo(2);
    b->SetParentNo(2);
    TMyShape* g = group.get();
    ASSERT_TRUE(cad.AddShape(group, false, false));
    b->SetVisible(false);
    cad.DrawAll(TRect(0, 0, 80, 40));
    EXPECT_EQ(cad.DrawnShapes(), TMyShapeNo({2}));
    TBitmap left(40, 40), right(40, 40);
    left.Canvas().CopyRect(TRect(0, 0, 40, 40), cad.Buffer()->Canvas(), TRect(0, 0, 40, 40));
    right.Canvas().CopyRect(TRect(0, 0, 40, 40), cad.Buffer()->Canvas(), TRect(40, 0, 80, 40));
    EXPECT_TRUE(AnyInk(left));
    EXPECT_FALSE(AnyInk(right));
    g->SetVisible(false);
    cad.DrawAll(TRect(0, 0, 80, 40));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
}

TEST(PaintShapes, PartialRepaintsDrawAtThePageOffsetAndLeavePointsAsTheyWere)
{
    TMyCAD cad;
    cad.GridOperation()->SetGridType(gNone);
    cad.SetZoom(2);
    TMyShape* s = CaptionShape(cad, 100.3f, 60.7f, "X");
    s->AddLinkPoint(TMyPoint(307.1f, 309.9f));
    const TArrMyPoint points = s->Points(), links = s->LinkPoints();
    const TMyPoint caption = s->CaptionPoint();
    cad.DrawAll(TRect(150, 90, 250, 150)); // the caption sits at page (200.6, 121.4)
    EXPECT_TRUE(AnyInk(*cad.Buffer()));
    EXPECT_EQ(s->Points(), points);
    EXPECT_EQ(s->LinkPoints(), links);
    EXPECT_EQ(s->CaptionPoint(), caption);
    cad.DrawAll(TRect(0, 0, 100, 100));
    EXPECT_FALSE(AnyInk(*cad.Buffer()));
}

namespace {
// A shape that fills its box in blue when drawn and draws a red hot at its first point.
class TProbeShape : public TMyShape {
    Q_OBJECT
public:
    using TMyShape::TMyShape;
    void Draw(TCanvas* Canvas) override
    {
        const TMyPoint a = GetPointInZoom(0), b = GetPointInZoom(1);
        Canvas->Brush().SetColor(clBlue);
        Canvas->FillRect(TRect(Round(a.X), Round(a.Y), Round(b.X), Round(b.Y)));
    }
    void DrawHot(TCanvas* Canvas) override
    {
        const TMyPoint a = GetPointInZoom(0);
        Canvas->Brush().SetColor(clRed);
        Canvas->FillRect(TRect(Round(a.X), Round(a.Y), Round(a.X) + 4, Round(a.Y) + 4));
    }
};

TMyShape* AddProbe(TMyCAD& cad, float l, float t, float r, float b)
{
    auto probe = std::make_unique<TProbeShape>(&cad);
    probe->PointsRef() = {TMyPoint(l, t), TMyPoint(r, b)};
    probe->SetShapeId(cad.GetShapesCount());
    probe->SetShapeNo(cad.GetShapesCount());
    std::unique_ptr<TMyShape> shape = std::move(probe);
    TMyShape* raw = shape.get();
    EXPECT_TRUE(cad.AddShape(shape, false, false));
    return raw;
}

TColor ScreenAt(TMyCAD& cad, int x, int y)
{
    return FromQColor(QColor(cad.grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0)));
}
} // namespace

TEST(PaintPass, HotsAreDrawnOnTheControlButNeverIntoThePagePicture)
{
    TMyCAD cad;
    cad.resize(200, 200);
    cad.GridOperation()->SetGridType(gNone);
    int painted = 0;
    cad.OnPaint = [&](QObject* sender) {
        EXPECT_EQ(sender, &cad);
        ++painted;
    };
    TMyShape* probe = AddProbe(cad, 50, 50, 100, 100);
    cad.AddWorkingShapes(probe);
    cad.Paint();
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(cad.Canvas()->Pixels(51, 51), clRed);
    EXPECT_EQ(cad.Canvas()->Pixels(60, 60), clBlue);
    EXPECT_EQ(At(*cad.Buffer(), 51, 51), clBlue); // the composed page has no hots
    TBitmap exported(200, 200);
    cad.DrawAllShape(&exported.Canvas(), TRect(0, 0, 200, 200));
    EXPECT_EQ(At(exported, 51, 51), clBlue);
    cad.SetHotShow(false);
    cad.Paint();
    EXPECT_EQ(cad.Canvas()->Pixels(51, 51), clBlue);
}

TEST(PaintPass, PaintEventsComposeOnlyWhatIsStale)
{
    TMyCAD cad;
    cad.resize(200, 200);
    cad.GridOperation()->SetGridType(gNone);
    AddProbe(cad, 10, 10, 30, 30);
    cad.grab(); // shows, and so composes, the whole page
    EXPECT_EQ(ScreenAt(cad, 20, 20), clBlue);
    // Drawing on the control's picture stays until the page is invalidated.
    cad.Canvas()->Brush().SetColor(clLime);
    cad.Canvas()->FillRect(TRect(100, 100, 110, 110));
    cad.ScreenChanged();
    EXPECT_EQ(ScreenAt(cad, 105, 105), clLime);
    cad.Invalidate();
    EXPECT_EQ(ScreenAt(cad, 105, 105), clWhite);
}

TEST(PaintPass, NothingIsComposedWhileBusy)
{
    TMyCAD cad;
    cad.resize(200, 200);
    int painted = 0;
    // A paint requested while a paint pass runs is dropped.
    cad.OnPaint = [&](QObject*) {
        ++painted;
        cad.Paint();
    };
    cad.Paint();
    EXPECT_EQ(painted, 1);
}

#include "PaintTest.moc"

// Every kind of figure that draws through the canvas differently (a device clip for the
// gradient and the turned picture, text, hops, hatching) lands in a repaint of any part of
// the page exactly where the whole page has it, at any zoom. So does the link mark of a
// shape whose figure lies elsewhere; a connector listed for its size alone is tidied as a
// drawn one is.
TEST(PaintPass, APartialRepaintIsThePageCutOut)
{
    TMyCAD cad;
    cad.resize(420, 360);
    cad.SetUndoRedoSize(0);
    cad.GridOperation()->SetGridType(gNone);
    cad.SetCrossLine(true);
    const auto box = [](float l, float t, float r, float b) {
        return TArrMyPoint{TMyPoint(l, t), TMyPoint(r, t), TMyPoint(r, b), TMyPoint(l, b)};
    };
    TMyShape* gradient = cad.GetShapeByID(cad.AddShapeByCode(&cad, SpRectangle, {}, box(20, 20, 150, 110), 0.3, "G"));
    gradient->SetGradientStyle(gsRadialC);
    TMyShape* hatched = cad.GetShapeByID(cad.AddShapeByCode(&cad, SpEllipse, {}, box(170, 30, 300, 120), -0.4, "E"));
    hatched->Brush()->SetStyle(bsDiagCross);
    hatched->Brush()->SetColor(clGreen);
    TBitmap picture(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.Canvas().SetPixels(x, y, RGB(x * 6, y * 8, 200 - x - y));
    TMyShape* image = cad.GetShapeByID(cad.AddImageShapeByCode("P", TPoint(40, 150), &picture));
    cad.RotateChangeValueforShapes(image, image->GetCenterPoint(), 0.5f);
    TMyShape* text = cad.GetShapeByID(cad.AddShapeByCode(&cad, SpText, {}, box(200, 150, 330, 230), 0, "T"));
    static_cast<TMyText*>(text)->SetLines({"Part of the page", "drawn again"});
    for (int k = 0; k < 4; ++k) {
        auto* line = cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
        line->PointsRef() = k < 2 ? TArrMyPoint{TMyPoint(10, 260 + 30 * k), TMyPoint(380, 260 + 30 * k)}
                                  : TArrMyPoint{TMyPoint(60 + 150 * k - 300, 240), TMyPoint(60 + 150 * k - 300, 340)};
    }
    // Wider than the narrow part, right of it, with a link point inside both first parts.
    TMyShape* wide = cad.GetShapeByID(cad.AddShapeByCode(&cad, SpRectangle, {}, box(300, 20, 400, 60), 0, "W"));
    wide->AddLinkPoint(TMyPoint(115, 90));
    TMyShape* far = cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
    cad.RemoveAllWorkingShapes();
    const auto listed = [&](const TMyShape* s) {
        const TMyShapeNo& drawn = cad.DrawnShapes();
        return std::find(drawn.begin(), drawn.end(), uint32_t(s->ShapeNo())) != drawn.end();
    };
    far->PointsRef() = {TMyPoint(250, 330), TMyPoint(300, 330), TMyPoint(300, 330), TMyPoint(400, 330)};
    cad.DrawAll(TRect(101, 7, 180, 300));
    EXPECT_TRUE(listed(wide));
    EXPECT_TRUE(listed(far));
    EXPECT_EQ(far->GetPointsCount(), 2);

    for (double zoom : {1.0, 1.5}) {
        cad.SetZoom(zoom);
        cad.DrawAll(TRect(0, 0, 640, 540));
        const QImage page = cad.Buffer()->ToQImage().copy();
        for (const TRect part : {TRect(37, 53, 237, 253), TRect(101, 7, 180, 300), TRect(250, 190, 450, 420)}) {
            SCOPED_TRACE(testing::Message() << "zoom " << zoom << " part " << part.Left << "," << part.Top);
            cad.DrawAll(part);
            const QImage drawn = cad.Buffer()->ToQImage();
            int differing = 0;
            for (int y = 0; y < part.Height(); ++y)
                for (int x = 0; x < part.Width(); ++x)
                    differing += drawn.pixel(x, y) != page.pixel(part.Left + x, part.Top + y);
            EXPECT_EQ(differing, 0);
        }
    }
}
