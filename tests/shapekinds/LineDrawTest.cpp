// Straight lines and rule lines on a picture: arrow heads, the direction angle, rule-line
// ticks and labels, and the exclusive-or rubber bands.
#include "KindsTestSupport.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;

std::unique_ptr<TMyLine> RedLine(TMyCAD& cad, TMyPoint a, TMyPoint b, TArrowStyle style)
{
    auto line = MakeShape<TMyLine>(cad, {a, b});
    line->Pen()->SetColor(clRed);
    line->SetArrowStyle(style);
    return line;
}

bool Red(TBitmap& picture, int x, int y)
{
    return picture.Canvas().Pixels(x, y) == clRed;
}
} // namespace

TEST(ArrowHeads, PlacedByStyleAtTheEndsPointingOutwards)
{
    TMyCAD cad;
    struct Case {
        TArrowStyle style;
        bool atLast, atFirst;
    };
    for (const Case c : {Case{ANone, false, false}, Case{ALeft, true, false}, Case{ARight, false, true},
                         Case{ADouble, true, true}}) {
        SCOPED_TRACE(int(c.style));
        auto line = RedLine(cad, TMyPoint(20, 100), TMyPoint(180, 100), c.style);
        auto picture = WhitePicture(200, 200);
        line->Draw(&picture->Canvas());
        EXPECT_TRUE(Red(*picture, 100, 100)); // the segment
        // The head at the last point: 30 pixels long, 10 degrees either side of the axis.
        EXPECT_EQ(Red(*picture, 165, 101), c.atLast);
        EXPECT_EQ(Red(*picture, 152, 103), c.atLast);
        EXPECT_EQ(Red(*picture, 152, 97), c.atLast);
        EXPECT_FALSE(Red(*picture, 150, 107));
        EXPECT_FALSE(Red(*picture, 140, 103));
        EXPECT_FALSE(Red(*picture, 185, 100));
        // The head at the first point, pointing away from the second.
        EXPECT_EQ(Red(*picture, 45, 102), c.atFirst);
        EXPECT_EQ(Red(*picture, 45, 98), c.atFirst);
        EXPECT_FALSE(Red(*picture, 60, 103));
    }
}

TEST(ArrowHeads, OffsetPullsTheTipBackAndAngleOpensTheHead)
{
    TMyCAD cad;
    auto line = RedLine(cad, TMyPoint(20, 100), TMyPoint(180, 100), ALeft);
    line->SetArrowOffset(10);
    auto pulled = WhitePicture(200, 200);
    line->Draw(&pulled->Canvas());
    EXPECT_FALSE(Red(*pulled, 176, 101)); // beyond the pulled-back tip only the segment
    EXPECT_TRUE(Red(*pulled, 150, 102));
    EXPECT_TRUE(Red(*pulled, 145, 103));
    EXPECT_FALSE(Red(*pulled, 138, 103)); // behind the base, 30 pixels from the new tip

    line->SetArrowOffset(0);
    line->SetArrowAngle(30);
    auto wide = WhitePicture(200, 200);
    line->Draw(&wide->Canvas());
    EXPECT_TRUE(Red(*wide, 170, 104));
    EXPECT_TRUE(Red(*wide, 160, 110));
    EXPECT_FALSE(Red(*wide, 160, 113));
}

TEST(ArrowHeads, SlantedHeadFollowsTheSegment)
{
    TMyCAD cad;
    // Tip at the upper right, the segment coming from the lower left at 45 degrees.
    auto line = RedLine(cad, TMyPoint(20, 180), TMyPoint(180, 20), ALeft);
    auto picture = WhitePicture(200, 200);
    line->Draw(&picture->Canvas());
    const double d = 20 / std::sqrt(2.0);
    // 20 pixels back from the tip along the axis, and 2 pixels to either side of it.
    const double ax = 180 - d, ay = 20 + d;
    const double nx = std::sqrt(0.5) * 2, ny = std::sqrt(0.5) * 2;
    EXPECT_TRUE(Red(*picture, Round(ax + nx), Round(ay + ny)));
    EXPECT_TRUE(Red(*picture, Round(ax - nx), Round(ay - ny)));
    // 6 pixels to the side lies outside the head (its half width there is 3.5).
    EXPECT_FALSE(Red(*picture, Round(ax + 3 * nx), Round(ay + 3 * ny)));
}

TEST(ArrowHeads, LengthIsTheRoundedZoomedLengthAtEveryZoom)
{
    TMyCAD cad;
    TMyLine line(&cad);
    line.SetArrowLength(30);
    EXPECT_EQ(line.ArrowHeadLength(), 30);
    cad.SetZoom(1.25);
    EXPECT_EQ(line.ArrowHeadLength(), 38); // 37.5 rounds to even
    cad.SetZoom(10);
    EXPECT_EQ(line.ArrowHeadLength(), 300); // not cut to 8 bits (which would give 44)
    line.SetArrowLength(255);
    cad.SetZoom(4);
    EXPECT_EQ(line.ArrowHeadLength(), 1020);
}

TEST(ArrowHeads, LongHeadIsDrawnInFullAtHighZoom)
{
    TMyCAD cad;
    auto line = RedLine(cad, TMyPoint(0, 10), TMyPoint(50, 10), ALeft);
    line->SetArrowLength(30);
    cad.SetZoom(10); // the segment runs from (0, 100) to (500, 100) on screen
    auto picture = WhitePicture(520, 220);
    line->Draw(&picture->Canvas());
    // 240 and 280 pixels back from the tip the head is still 42 and 49 pixels wide.
    EXPECT_TRUE(Red(*picture, 260, 140));
    EXPECT_TRUE(Red(*picture, 260, 60));
    EXPECT_TRUE(Red(*picture, 220, 145));
    // Its base lies 300 x cos(10 degrees) = 295 pixels back, at x = 205.
    EXPECT_TRUE(Red(*picture, 208, 100 + 50));
    EXPECT_FALSE(Red(*picture, 200, 140));
}

TEST(LineDraw, AngleFollowsTheFirstSegment)
{
    TMyCAD cad;
    auto picture = WhitePicture(200, 200);
    const std::pair<TMyPoint, double> cases[] = {
        {TMyPoint(150, 100), 0}, {TMyPoint(100, 150), Pi / 2}, {TMyPoint(50, 100), Pi}, {TMyPoint(100, 0), 3 * Pi / 2}};
    for (const auto& [end, angle] : cases) {
        auto line = MakeShape<TMyLine>(cad, {TMyPoint(100, 100), end, TMyPoint(0, 0)});
        line->Draw(&picture->Canvas());
        EXPECT_NEAR(line->Angle(), angle, 1e-6);
    }
    // One line drawn again and again follows each change of its first segment, and an
    // unchanged line keeps its angle when something else set another.
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(100, 100), TMyPoint(150, 100)});
    for (int round = 0; round < 2; ++round)
        for (const auto& [end, angle] : cases) {
            line->PointsRef()[1] = end;
            line->Draw(&picture->Canvas());
            EXPECT_NEAR(line->Angle(), angle, 1e-6);
            line->StoreAngle(1);
            line->Draw(&picture->Canvas());
            EXPECT_NEAR(line->Angle(), angle, 1e-6);
        }
}

TEST(LineDraw, SegmentsCaptionAndOwnPenRestored)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(10, 10), TMyPoint(90, 10), TMyPoint(90, 60)});
    line->Pen()->SetColor(clBlue);
    line->Pen()->SetWidth(3);
    line->SetInfo(QStringLiteral("WWW"));
    auto picture = WhitePicture(120, 100);
    TCanvas& canvas = picture->Canvas();
    line->Draw(&canvas);
    EXPECT_EQ(canvas.Pixels(50, 10), clBlue);
    EXPECT_EQ(canvas.Pixels(50, 11), clBlue); // three pixels wide
    EXPECT_EQ(canvas.Pixels(91, 35), clBlue);
    EXPECT_EQ(canvas.Pixels(50, 14), clWhite);
    EXPECT_TRUE(AnyInk(*picture, TRect(40, 62, 60, 80))); // caption centred at (50, 70)
    EXPECT_FALSE(canvas.GeometricPenSelected());
}

// ---- Rule lines ------------------------------------------------------------------------------

namespace {
// Counts the dark pixels within Radius of the middle of the segment A-B that lie more
// than 3 pixels off the segment, on the side of smaller y and on the other side.
void InkBySide(TBitmap& picture, TPoint a, TPoint b, int radius, int& above, int& below)
{
    above = below = 0;
    const double mx = (a.X + b.X) / 2.0, my = (a.Y + b.Y) / 2.0;
    const double len = std::hypot(double(b.X - a.X), double(b.Y - a.Y));
    // Unit normal pointing towards smaller y.
    double nx = -(b.Y - a.Y) / len, ny = (b.X - a.X) / len;
    if (ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    for (int y = int(my) - radius; y <= int(my) + radius; ++y)
        for (int x = int(mx) - radius; x <= int(mx) + radius; ++x) {
            if (std::hypot(x - mx, y - my) > radius || !IsDark(picture.Canvas().Pixels(x, y)))
                continue;
            const double side = (x - a.X) * nx + (y - a.Y) * ny;
            if (side > 3)
                ++above;
            else if (side < -3)
                ++below;
        }
}
} // namespace

TEST(RuleLine, LabelAngleTurnsLeftwardSlopesHalfATurn)
{
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(0), 0);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(1.0), 1.0);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(Pi / 2), Pi / 2); // limits excluded
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(1.6), 1.6 + Pi);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(Pi), 2 * Pi);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(4.0), 4.0 + Pi);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(3 * Pi / 2), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(TMyRuleLine::LabelAngle(5.0), 5.0);
}

TEST(RuleLine, LabelReadsUprightAboveTheSegmentInEveryDirection)
{
    TMyCAD cad;
    struct Case {
        TPoint a, b;
        double angle;
    };
    const Case cases[] = {{TPoint(300, 100), TPoint(50, 100), Pi}, // right to left
                          {TPoint(50, 100), TPoint(300, 100), 0},
                          {TPoint(300, 150), TPoint(60, 50), Pi + std::atan(100.0 / 240)},
                          {TPoint(60, 50), TPoint(300, 150), std::atan(100.0 / 240)},
                          {TPoint(60, 150), TPoint(300, 50), 2 * Pi - std::atan(100.0 / 240)},
                          {TPoint(300, 50), TPoint(60, 150), Pi - std::atan(100.0 / 240)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.X << "," << c.a.Y << " -> " << c.b.X << "," << c.b.Y);
        auto rule = MakeShape<TMyRuleLine>(cad, {PtToMyPt(c.a), PtToMyPt(c.b)});
        auto picture = WhitePicture(360, 200);
        rule->Draw(&picture->Canvas());
        EXPECT_NEAR(rule->Angle(), c.angle, 1e-5);
        int above = 0, below = 0;
        InkBySide(*picture, c.a, c.b, 60, above, below);
        EXPECT_GT(above, 20);
        EXPECT_EQ(below, 0);
    }
}

TEST(RuleLine, TicksAtBothEndsUnlessSwitchedOff)
{
    TMyCAD cad;
    auto rule = MakeShape<TMyRuleLine>(cad, {TMyPoint(300, 100), TMyPoint(50, 100)});
    auto picture = WhitePicture(360, 200);
    rule->Draw(&picture->Canvas());
    TCanvas& canvas = picture->Canvas();
    for (TPoint p : {TPoint(300, 91), TPoint(300, 108), TPoint(50, 91), TPoint(50, 108)})
        EXPECT_TRUE(IsDark(canvas.Pixels(p.X, p.Y))) << p.X << "," << p.Y;
    EXPECT_FALSE(IsDark(canvas.Pixels(300, 111)));
    EXPECT_FALSE(IsDark(canvas.Pixels(300, 89)));
    // Double arrows, 20 pixels long, pointing outwards.
    EXPECT_TRUE(IsDark(canvas.Pixels(62, 101)));
    EXPECT_TRUE(IsDark(canvas.Pixels(288, 101)));

    rule->SetTickStyle(tsNone);
    auto plain = WhitePicture(360, 200);
    rule->Draw(&plain->Canvas());
    EXPECT_FALSE(IsDark(plain->Canvas().Pixels(300, 95)));
    EXPECT_FALSE(IsDark(plain->Canvas().Pixels(50, 105)));
    EXPECT_TRUE(IsDark(plain->Canvas().Pixels(62, 101)));
}

TEST(RuleLine, LabelTextIsTheLengthOrTheUsersText)
{
    TMyCAD cad;
    auto rule = MakeShape<TMyRuleLine>(cad, {TMyPoint(300, 100), TMyPoint(50, 100)});
    auto picture = WhitePicture(360, 200);
    rule->Draw(&picture->Canvas());
    EXPECT_EQ(rule->Info(), QStringLiteral("    66.15 mm"));

    rule->SetInfo(QStringLiteral("kept"));
    rule->SetShowUserInfo(true);
    rule->SetUserInfo(QStringLiteral("WIDTH"));
    auto user = WhitePicture(360, 200);
    rule->Draw(&user->Canvas());
    EXPECT_EQ(rule->Info(), QStringLiteral("kept"));
    EXPECT_TRUE(AnyInk(*user, TRect(120, 80, 230, 97)));
    // The caption of the base shape is not drawn below the segment.
    EXPECT_FALSE(AnyInk(*user, TRect(100, 103, 250, 130)));
}

TEST(RuleLine, CopyKeepsItsOwnSettings)
{
    TMyCAD cad;
    auto rule = MakeShape<TMyRuleLine>(cad, {TMyPoint(0, 0), TMyPoint(10, 0)});
    rule->SetArrowOffset(9);
    rule->SetShowUserInfo(true);
    rule->SetTickStyle(tsNone);
    rule->SetUserInfo(QStringLiteral("u"));
    TMyRuleLine copy(&cad);
    copy.Assign(rule.get());
    EXPECT_EQ(copy.ArrowOffset(), 9);
    EXPECT_TRUE(copy.ShowUserInfo());
    EXPECT_EQ(copy.TickStyle(), tsNone);
    EXPECT_EQ(copy.UserInfo(), QStringLiteral("u"));
}

// ---- Rubber bands ------------------------------------------------------------------------------

namespace {
// Draws the band once (it must change the picture) and again (which must restore it).
template <class F>
void ExpectBandErasesItself(TBitmap& picture, F band)
{
    const QImage before = picture.ToQImage();
    band();
    EXPECT_GT(DifferingPixels(before, picture.ToQImage()), 10);
    band();
    EXPECT_EQ(DifferingPixels(before, picture.ToQImage()), 0);
}
} // namespace

TEST(LineRubberBands, EachBandDrawnTwiceLeavesThePictureUnchanged)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(20, 20), TMyPoint(120, 40), TMyPoint(60, 110)});
    auto picture = WhitePicture(160, 160);
    TCanvas& canvas = picture->Canvas();
    line->Draw(&canvas); // something under the bands
    SetDragResizeRotateShapeMode(&canvas);
    ExpectBandErasesItself(*picture, [&] { line->Draging(&canvas, TPoint(5, 5), TPoint(12, 9)); });
    ASSERT_EQ(line->InWhichHot(TPoint(120, 40)), 1);
    ExpectBandErasesItself(*picture, [&] { line->Sizing(&canvas, TPoint(120, 40), TPoint(140, 70)); });
    ExpectBandErasesItself(*picture, [&] { line->Rotating(&canvas, TMyPoint(70, 65), 0.4f); });
    ExpectBandErasesItself(*picture, [&] { line->Drawing(&canvas, TPoint(10, 150), TPoint(150, 100)); });
}

TEST(LineRubberBands, BandsRunWhereTheyShould)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(20, 20), TMyPoint(100, 20), TMyPoint(100, 100)});
    auto picture = WhitePicture(160, 160);
    TCanvas& canvas = picture->Canvas();
    SetDragResizeRotateShapeMode(&canvas);
    canvas.Pen().SetStyle(psSolid); // every pixel of the band shows
    line->Draging(&canvas, TPoint(0, 0), TPoint(10, 30));
    EXPECT_EQ(canvas.Pixels(60, 50), clBlack);   // first segment moved down by 30
    EXPECT_EQ(canvas.Pixels(110, 90), clBlack);  // second segment moved right by 10
    EXPECT_EQ(canvas.Pixels(60, 20), clWhite);

    auto sized = WhitePicture(160, 160);
    TCanvas& sc = sized->Canvas();
    SetDragResizeRotateShapeMode(&sc);
    sc.Pen().SetStyle(psSolid);
    ASSERT_EQ(line->InWhichHot(TPoint(100, 20)), 1);
    line->Sizing(&sc, TPoint(100, 20), TPoint(100, 60)); // the middle point moves to (100, 60)
    EXPECT_EQ(sc.Pixels(60, 40), clBlack);   // from (100, 60) back to (20, 20)
    EXPECT_EQ(sc.Pixels(100, 80), clBlack);  // from (100, 60) on to (100, 100)
    EXPECT_EQ(sc.Pixels(100, 40), clWhite);  // the old part of the second segment
}
