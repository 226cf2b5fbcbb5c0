// The rectangle family: corners made by the mouse, the centre, the eight hots with their
// switches and cursors, the polygon hit test, resizing in the turned frame, and the area
// and size texts.
#include "KindsTestSupport.h"

#include <cmath>
#include <numbers>

namespace {
// A rectangle turned by atan2(60, 80) whose corners lie on whole pixels: P0 (100, 50),
// P1 (180, 110), P2 (150, 150), P3 (70, 90). Unturned about its centre (125, 100) it
// spans 75..175 by 75..125.
std::unique_ptr<TMyRectangle> TiltedRect(TMyCAD& cad)
{
    auto r = std::make_unique<TMyRectangle>(&cad);
    r->PointsRef() = {TMyPoint(100, 50), TMyPoint(180, 110), TMyPoint(150, 150), TMyPoint(70, 90)};
    r->StoreAngle(float(std::atan2(60.0, 80.0)));
    r->Drawed(TPoint(), TPoint());
    return r;
}

void ExpectNear(TMyPoint actual, TMyPoint expected, double tolerance = 1e-3)
{
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

// The unturned places of the eight hots of the box 100..200 by 100..160 drawn from its
// top-left corner.
const TMyPoint BoxHots[8] = {TMyPoint(100, 100), TMyPoint(200, 100), TMyPoint(200, 160), TMyPoint(100, 160),
                             TMyPoint(150, 100), TMyPoint(200, 130), TMyPoint(150, 160), TMyPoint(100, 130)};
} // namespace

TEST(RectanglePoints, TwoPressesGiveTheFourCornersInCreationOrder)
{
    TMyCAD cad;
    cad.SetZoom(2);
    TMyRectangle r(&cad);
    r.AddPointByMouse(TPoint(100, 60));
    EXPECT_EQ(r.GetPointsCount(), 1);
    EXPECT_FALSE(r.IsDrawingFinished(mbLeft, TPoint()));
    r.AddPointByMouse(TPoint(300, 200));
    ASSERT_EQ(r.GetPointsCount(), 4);
    EXPECT_EQ(r.GetPoint(0), TMyPoint(50, 30));
    EXPECT_EQ(r.GetPoint(1), TMyPoint(150, 30));
    EXPECT_EQ(r.GetPoint(2), TMyPoint(150, 100));
    EXPECT_EQ(r.GetPoint(3), TMyPoint(50, 100));
    EXPECT_TRUE(r.IsDrawingFinished(mbRight, TPoint()));
    r.AddPointByMouse(TPoint(0, 0)); // a finished box takes no more points
    EXPECT_EQ(r.GetPointsCount(), 4);
}

TEST(RectanglePoints, CentreIsTheMiddleOfThePointsAtEveryCall)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 10, 20, 50, 40);
    EXPECT_EQ(r->GetCenterPoint(), TMyPoint(30, 30));
    for (TMyPoint& p : r->PointsRef())
        p = TMyPoint(p.X + 100, p.Y);
    EXPECT_EQ(r->CenterPoint(), TMyPoint(30, 30)); // the stored centre is not consulted
    EXPECT_EQ(r->GetCenterPoint(), TMyPoint(130, 30));
    cad.SetZoom(2);
    EXPECT_EQ(r->GetCenterPointInZoom(), TMyPoint(260, 60));
}

TEST(RectanglePoints, SideHotPlacesFollowTheRotation)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    const TMyPoint c(150, 130);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(r->GetPoint(i), BoxHots[i]) << i;
    r->SetAngle(0.5f);
    for (int i = 0; i < 8; ++i)
        ExpectNear(r->GetPoint(i), RotateAPoint(BoxHots[i], c, 0.5f));
    EXPECT_EQ(r->GetPoint(-1), TMyPoint());
    EXPECT_EQ(r->GetPoint(8), TMyPoint());
    // The base point queries read the corners; zoomed places go through GetPoint.
    cad.SetZoom(3);
    ExpectNear(r->GetPointInZoom(6), RotateAPoint(TMyPoint(450, 480), TMyPoint(450, 390), 0.5f), 3e-3);
}

TEST(RectangleHots, EachHotIsFoundAtItsPlace)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[i])), i);
        EXPECT_EQ(r->CurrentHot(), i);
    }
    EXPECT_EQ(r->InWhichHot(TPoint(96, 96)), 0);   // left and top edges of the square
    EXPECT_EQ(r->InWhichHot(TPoint(104, 100)), -1); // right edge excluded
    EXPECT_EQ(r->InWhichHot(TPoint(150, 130)), -1);
    EXPECT_EQ(r->CurrentHot(), -1);

    cad.SetZoom(2);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(r->InWhichHot(TPoint(Round(BoxHots[i].X * 2), Round(BoxHots[i].Y * 2))), i);

    cad.SetZoom(1);
    r->SetAngle(0.7f);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(r->InWhichHot(MyPtToPt(RotateAPoint(BoxHots[i], TMyPoint(150, 130), 0.7f))), i);
}

TEST(RectangleHots, SwitchesRemoveSideHotsAndTheLastHitWins)
{
    TMyCAD cad;
    // A box so small that all eight squares hold the point (12, 11).
    auto tiny = MakeBox<TMyRectangle>(cad, 10, 10, 14, 12);
    EXPECT_EQ(tiny->InWhichHot(TPoint(12, 11)), 7);
    tiny->SetShowHorizontalSideHot(false);
    EXPECT_EQ(tiny->InWhichHot(TPoint(12, 11)), 6);
    tiny->SetShowVerticalSideHot(false);
    EXPECT_EQ(tiny->InWhichHot(TPoint(12, 11)), 3);

    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    r->SetShowVerticalSideHot(false);
    EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[4])), -1);
    EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[6])), -1);
    EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[5])), 5);
    r->SetShowVerticalSideHot(true);
    r->SetShowSideHot(false);
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[i])), -1);
    EXPECT_EQ(r->InWhichHot(MyPtToPt(BoxHots[2])), 2);

    // A box still being drawn (one corner) has no hots.
    TMyRectangle started(&cad);
    started.AddPointByMouse(TPoint(0, 0));
    EXPECT_EQ(started.InWhichHot(TPoint(0, 0)), -1);
    auto picture = WhitePicture(20, 20);
    started.DrawHot(&picture->Canvas());
    EXPECT_FALSE(AnyInk(*picture, TRect(0, 0, 20, 20)));
}

TEST(RectangleHots, CursorsBySideAndByCornerAgainstTheCentre)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    const TCursor expected[8] = {crSizeNWSE, crSizeNESW, crSizeNWSE, crSizeNESW,
                                 crSizeNS,   crSizeWE,   crSizeNS,   crSizeWE};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(r->GetMouseCursor(Round(BoxHots[i].X), Round(BoxHots[i].Y)), expected[i]) << i;
    EXPECT_EQ(r->GetMouseCursor(150, 130), crCross);
    // Corners are judged by where the mouse is, in document units.
    cad.SetZoom(2);
    EXPECT_EQ(r->GetMouseCursor(403, 203), crSizeNESW); // hot 1, right of and above the centre
    EXPECT_EQ(r->GetMouseCursor(300, 320), crSizeNS);   // hot 6
    EXPECT_EQ(r->GetMouseCursor(300, 260), crCross);    // the centre

    // Drawn from the lower right: P0 is the lower right corner and hot 4 the bottom side.
    cad.SetZoom(1);
    auto reversed = MakeBox<TMyRectangle>(cad, 200, 160, 100, 100);
    EXPECT_EQ(reversed->GetPoint(0), TMyPoint(200, 160));
    EXPECT_EQ(reversed->InWhichHot(TPoint(150, 160)), 4);
    EXPECT_EQ(reversed->GetMouseCursor(150, 160), crSizeNS);
    EXPECT_EQ(reversed->GetMouseCursor(200, 160), crSizeNWSE);
    EXPECT_EQ(reversed->GetMouseCursor(100, 160), crSizeNESW);
}

TEST(RectangleHitTest, InsideTheTurnedOutlineWithoutMargin)
{
    TMyCAD cad;
    auto r = TiltedRect(cad);
    // Across each side: the last pixel in, the first pixel out.
    const std::pair<TPoint, TPoint> across[] = {{TPoint(140, 80), TPoint(140, 79)},   // P0-P1
                                                {TPoint(171, 120), TPoint(172, 120)}, // P1-P2
                                                {TPoint(110, 119), TPoint(110, 120)}, // P2-P3
                                                {TPoint(77, 80), TPoint(76, 80)}};    // P3-P0
    for (const auto& [in, out] : across) {
        EXPECT_TRUE(r->IsClickedMe(nullptr, in)) << in.X << "," << in.Y;
        EXPECT_FALSE(r->IsClickedMe(nullptr, out)) << out.X << "," << out.Y;
    }
    // Inside the turned outline but outside the unturned box, and the other way round.
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(105, 56)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(76, 80)));
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(125, 100)));
    // At zoom 2 the outline doubles.
    cad.SetZoom(2);
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(280, 160)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(280, 157)));
}

TEST(RectangleHitTest, TurningMovesTheHitArea)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(110, 130)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(150, 85)));
    // Unturned, the box holds the pixels 100..199 by 100..159.
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(100, 100)));
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(199, 159)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(200, 130)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(150, 160)));
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(99, 130)));
    r->SetAngle(float(std::numbers::pi / 2)); // now 120..180 by 80..180
    EXPECT_FALSE(r->IsClickedMe(nullptr, TPoint(110, 130)));
    EXPECT_TRUE(r->IsClickedMe(nullptr, TPoint(150, 85)));
    TMyRectangle empty(&cad);
    EXPECT_FALSE(empty.IsClickedMe(nullptr, TPoint(0, 0)));
}

// ---- Resizing ------------------------------------------------------------------------------

TEST(RectangleResize, EveryHotResizesInTheTurnedFrame)
{
    struct Case {
        int hot;
        TMyPoint target; // unturned
        TMyRect box;     // the unturned box afterwards
    };
    const Case cases[] = {
        {0, TMyPoint(90, 95), TMyRect(90, 95, 200, 160)},    {1, TMyPoint(210, 92), TMyRect(100, 92, 210, 160)},
        {2, TMyPoint(212, 170), TMyRect(100, 100, 212, 170)}, {3, TMyPoint(92, 168), TMyRect(92, 100, 200, 168)},
        {4, TMyPoint(140, 90), TMyRect(100, 90, 200, 160)},   {5, TMyPoint(215, 120), TMyRect(100, 100, 215, 160)},
        {6, TMyPoint(160, 170), TMyRect(100, 100, 200, 170)}, {7, TMyPoint(85, 140), TMyRect(85, 100, 200, 160)}};
    const TMyPoint c(150, 130);
    const float theta = 0.5f;
    for (double zoom : {1.0, 2.0}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << "hot " << k.hot << " zoom " << zoom);
            TMyCAD cad;
            auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
            r->SetAngle(theta);
            cad.SetZoom(zoom);
            const TMyPoint place = RotateAPoint(BoxHots[k.hot], c, theta);
            ASSERT_EQ(r->InWhichHot(TPoint(Round(place.X * zoom), Round(place.Y * zoom))), k.hot);
            const TMyPoint to = RotateAPoint(k.target, c, theta);
            r->SizeChangeValue(place, TMyPoint(float(to.X * zoom), float(to.Y * zoom)));
            const TMyPoint expected[4] = {TMyPoint(k.box.Left, k.box.Top), TMyPoint(k.box.Right, k.box.Top),
                                          TMyPoint(k.box.Right, k.box.Bottom), TMyPoint(k.box.Left, k.box.Bottom)};
            for (int i = 0; i < 4; ++i)
                ExpectNear(RotateAPoint(r->GetPoint(i), c, -theta), expected[i]);
            EXPECT_FLOAT_EQ(r->Angle(), theta);
            EXPECT_EQ(r->CenterPoint(), r->ComputeCenterPoint(4));
        }
    }
}

TEST(RectangleResize, ACornerStopsAtTheOppositeCorner)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    const TArrMyPoint before = r->Points();
    ASSERT_EQ(r->InWhichHot(TPoint(100, 100)), 0);
    r->SizeChangeValue(TMyPoint(100, 100), TMyPoint(201, 150)); // past the right side
    EXPECT_EQ(r->Points(), before);
    r->SizeChangeValue(TMyPoint(100, 100), TMyPoint(150, 161)); // past the bottom
    EXPECT_EQ(r->Points(), before);
    r->SizeChangeValue(TMyPoint(100, 100), TMyPoint(200, 160)); // exactly onto it
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r->GetPoint(i), TMyPoint(200, 160)) << i;

    // The lower right corner may not pass the upper left one either.
    auto s = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    ASSERT_EQ(s->InWhichHot(TPoint(200, 160)), 2);
    s->SizeChangeValue(TMyPoint(), TMyPoint(99, 130));
    EXPECT_EQ(s->GetPoint(2), TMyPoint(200, 160));
    s->SizeChangeValue(TMyPoint(), TMyPoint(120, 110));
    EXPECT_EQ(s->GetPoint(2), TMyPoint(120, 110));
    EXPECT_EQ(s->GetPoint(1), TMyPoint(120, 100));
    EXPECT_EQ(s->GetPoint(3), TMyPoint(100, 110));
}

TEST(RectangleResize, ASideHotStopsWhenTheMouseCrossesTheOppositeCornerOnEitherAxis)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    const TArrMyPoint before = r->Points();
    ASSERT_EQ(r->InWhichHot(TPoint(150, 100)), 4);
    r->SizeChangeValue(TMyPoint(), TMyPoint(150, 161));
    EXPECT_EQ(r->Points(), before);
    r->SizeChangeValue(TMyPoint(), TMyPoint(201, 120)); // inside vertically, past on x
    EXPECT_EQ(r->Points(), before);
    r->SizeChangeValue(TMyPoint(), TMyPoint(30, 120)); // x is ignored when allowed
    EXPECT_EQ(r->GetPoint(0), TMyPoint(100, 120));
    EXPECT_EQ(r->GetPoint(1), TMyPoint(200, 120));
    EXPECT_EQ(r->GetPoint(2), TMyPoint(200, 160));
    EXPECT_EQ(r->GetPoint(3), TMyPoint(100, 160));
    EXPECT_EQ(r->CenterPoint(), TMyPoint(150, 140));

    // Without a current hot nothing moves.
    auto s = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    s->SizeChangeValue(TMyPoint(), TMyPoint(120, 120));
    EXPECT_EQ(s->GetPoint(0), TMyPoint(100, 100));
}

// ---- Texts -----------------------------------------------------------------------------------

TEST(RectangleTexts, AreaPerUnit)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 0, 0, 96, 48); // one inch by half an inch
    auto e = MakeBox<TMyEllipse>(cad, 0, 0, 96, 48);
    const struct {
        TUnits unit;
        const char* rect;
        const char* ellipse;
    } cases[] = {{TUnits::pixel, "Area=  4608.00pixel(s)2", "Area=  3619.11pixel(s)2"},
                 {TUnits::mm, "Area=   322.58mm2", "Area=   253.35mm2"},
                 {TUnits::cm, "Area=     3.23cm2", "Area=     2.53cm2"},
                 {TUnits::dm, "Area=     0.03dm2", "Area=     0.03dm2"},
                 {TUnits::m, "Area=     0.00m2", "Area=     0.00m2"},
                 {TUnits::inch, "Area=     0.50inch2", "Area=     0.39inch2"}};
    for (const auto& k : cases) {
        cad.SetTheUNIT(k.unit);
        EXPECT_EQ(r->GetInfo(), k.rect);
        EXPECT_EQ(r->Info(), k.rect);
        EXPECT_EQ(e->GetInfo(), k.ellipse);
    }
    // The drawing's ratio counts squared; zoom does not count.
    cad.SetTheUNIT(TUnits::pixel);
    cad.SetRatio(2);
    cad.SetZoom(3);
    EXPECT_EQ(r->GetInfo(), "Area= 18432.00pixel(s)2");
    // The area of a turned box is that of the box before turning.
    cad.SetRatio(1);
    auto big = MakeBox<TMyRectangle>(cad, 0, 0, 300, 150); // 100 x 50 document units at zoom 3
    big->SetAngle(0.5f);
    EXPECT_EQ(big->GetInfo(), "Area=  5000.00pixel(s)2");
    auto ellipse = MakeBox<TMyEllipse>(cad, 0, 0, 300, 150);
    EXPECT_EQ(ellipse->GetInfo(), "Area=  3926.99pixel(s)2");
    // A group reports its box like a rectangle.
    auto group = MakeBox<TMyGroup>(cad, 0, 0, 300, 150);
    EXPECT_EQ(group->GetInfo(), "Area=  5000.00pixel(s)2");
}

TEST(RectangleTexts, SizeWhileDrawingPerUnit)
{
    TMyCAD cad;
    TMyRectangle r(&cad);
    const TPoint a(10, 10), b(106, 58); // 96 by 48 pixels
    const std::pair<TUnits, const char*> cases[] = {
        {TUnits::pixel, "m=    96.00 pixel(s)\rn=    48.00pixel(s)"},
        {TUnits::mm, "m=    25.40 mm\rn=    12.70mm"},
        {TUnits::cm, "m=     2.54 cm\rn=     1.27cm"},
        {TUnits::dm, "m=     0.25 dm\rn=     0.13dm"},
        {TUnits::m, "m=     0.03 m\rn=     0.01m"},
        {TUnits::inch, "m=     1.00 in\rn=     0.50in"}};
    for (const auto& [unit, text] : cases) {
        cad.SetTheUNIT(unit);
        EXPECT_EQ(r.GetLengthByUnit(a, b), text);
    }
    // Lengths on screen shrink with the zoom and grow with the ratio; the order of the
    // two points does not matter.
    cad.SetTheUNIT(TUnits::mm);
    cad.SetZoom(2);
    cad.SetRatio(4);
    EXPECT_EQ(r.GetLengthByUnit(b, a), "m=    50.80 mm\rn=    25.40mm");
}
