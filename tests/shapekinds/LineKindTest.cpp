// Straight lines: hit tests with their tolerance, hots, resizing, the length report and
// the end of drawing.
#include "KindsTestSupport.h"

#include <cmath>
#include <numbers>

TEST(LineHitTest, AxisParallelSegmentsHaveAnEightPixelBand)
{
    TMyCAD cad;
    auto horizontal = MakeShape<TMyLine>(cad, {TMyPoint(10, 50), TMyPoint(110, 50)});
    EXPECT_TRUE(horizontal->IsClickedMe(nullptr, TPoint(60, 55))); // five pixels beside
    EXPECT_TRUE(horizontal->IsClickedMe(nullptr, TPoint(60, 42)));  // top edge of the band
    EXPECT_TRUE(horizontal->IsClickedMe(nullptr, TPoint(60, 57)));
    EXPECT_FALSE(horizontal->IsClickedMe(nullptr, TPoint(60, 58))); // bottom edge excluded
    EXPECT_TRUE(horizontal->IsClickedMe(nullptr, TPoint(10, 50)));
    EXPECT_FALSE(horizontal->IsClickedMe(nullptr, TPoint(110, 50))); // right end excluded

    auto vertical = MakeShape<TMyLine>(cad, {TMyPoint(30, 90), TMyPoint(30, 10)});
    EXPECT_TRUE(vertical->IsClickedMe(nullptr, TPoint(22, 50)));
    EXPECT_TRUE(vertical->IsClickedMe(nullptr, TPoint(37, 50)));
    EXPECT_FALSE(vertical->IsClickedMe(nullptr, TPoint(38, 50)));
    EXPECT_TRUE(vertical->IsClickedMe(nullptr, TPoint(30, 10)));
    EXPECT_FALSE(vertical->IsClickedMe(nullptr, TPoint(30, 90)));
}

TEST(LineHitTest, SlantedSegmentsOnlyInsideTheirBoundingRectangle)
{
    TMyCAD cad;
    // Nearly horizontal: a click five pixels above lies outside the segment's box.
    auto flat = MakeShape<TMyLine>(cad, {TMyPoint(0, 0), TMyPoint(100, 2)});
    EXPECT_FALSE(flat->IsClickedMe(nullptr, TPoint(50, -4)));
    EXPECT_TRUE(flat->IsClickedMe(nullptr, TPoint(50, 1)));

    // Mostly horizontal: the distance is measured vertically.
    auto shallow = MakeShape<TMyLine>(cad, {TMyPoint(0, 0), TMyPoint(100, 50)});
    EXPECT_TRUE(shallow->IsClickedMe(nullptr, TPoint(50, 33)));
    EXPECT_FALSE(shallow->IsClickedMe(nullptr, TPoint(50, 34)));
    EXPECT_TRUE(shallow->IsClickedMe(nullptr, TPoint(50, 17)));
    EXPECT_FALSE(shallow->IsClickedMe(nullptr, TPoint(50, 16)));

    // Mostly vertical: the distance is measured horizontally.
    auto steep = MakeShape<TMyLine>(cad, {TMyPoint(0, 0), TMyPoint(20, 100)});
    EXPECT_TRUE(steep->IsClickedMe(nullptr, TPoint(18, 50)));
    EXPECT_FALSE(steep->IsClickedMe(nullptr, TPoint(19, 50)));
    EXPECT_TRUE(steep->IsClickedMe(nullptr, TPoint(2, 50)));
    EXPECT_FALSE(steep->IsClickedMe(nullptr, TPoint(1, 50)));
}

TEST(LineHitTest, ZoomScalesThePointsButNotTheTolerance)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(10, 20), TMyPoint(110, 20)});
    cad.SetZoom(2);
    EXPECT_TRUE(line->IsClickedMe(nullptr, TPoint(200, 47)));
    EXPECT_FALSE(line->IsClickedMe(nullptr, TPoint(200, 48)));
    EXPECT_FALSE(line->IsClickedMe(nullptr, TPoint(200, 27)));
}

TEST(LineHitTest, ReportsThePointAfterTheFirstSegmentHit)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 100)});
    int index = 99;
    EXPECT_TRUE(line->IsClickedMeBeforeWhichPoint(index, TPoint(50, 3)));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(line->IsClickedMeBeforeWhichPoint(index, TPoint(103, 50)));
    EXPECT_EQ(index, 2);
    // Near the shared corner both segments are hit; the first one counts.
    EXPECT_TRUE(line->IsClickedMeBeforeWhichPoint(index, TPoint(99, 2)));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(line->IsClickedMeBeforeWhichPoint(index, TPoint(50, 50)));
    EXPECT_EQ(index, -1);

    auto single = MakeShape<TMyLine>(cad, {TMyPoint(5, 5)});
    EXPECT_FALSE(single->IsClickedMe(nullptr, TPoint(5, 5)));
    EXPECT_FALSE(single->IsClickedMeBeforeWhichPoint(index, TPoint(5, 5)));
    EXPECT_EQ(index, -1);
}

TEST(LineHots, TheHighestPointWhoseSquareHoldsTheMouseWins)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(10, 10), TMyPoint(14, 10)});
    EXPECT_EQ(line->InWhichHot(TPoint(9, 10)), 0);
    EXPECT_EQ(line->CurrentHot(), 0);
    EXPECT_EQ(line->InWhichHot(TPoint(12, 10)), 1); // in both squares
    EXPECT_EQ(line->InWhichHot(TPoint(6, 6)), 0);   // left and top edges included
    EXPECT_EQ(line->InWhichHot(TPoint(17, 13)), 1);
    EXPECT_EQ(line->InWhichHot(TPoint(18, 10)), -1); // right edge excluded
    EXPECT_EQ(line->InWhichHot(TPoint(12, 14)), -1); // bottom edge excluded
    EXPECT_EQ(line->CurrentHot(), -1);
    cad.SetHotSize(2);
    EXPECT_EQ(line->InWhichHot(TPoint(9, 10)), 0);
    EXPECT_EQ(line->InWhichHot(TPoint(7, 10)), -1);
    // Every hot of a line shows the cross cursor.
    EXPECT_EQ(line->GetMouseCursor(10, 10), crCross);
}

TEST(LineHots, DrawnAtEveryPointOnlyWhileTheDrawingShowsHots)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(20, 20), TMyPoint(60, 30), TMyPoint(20, 50)});
    auto picture = WhitePicture(80, 80);
    line->DrawHot(&picture->Canvas());
    for (TPoint p : {TPoint(20, 20), TPoint(60, 30), TPoint(20, 50)}) {
        EXPECT_EQ(picture->Canvas().Pixels(p.X, p.Y), HotColor());
        EXPECT_EQ(picture->Canvas().Pixels(p.X - 4, p.Y), clBlack); // outline of the square
        EXPECT_EQ(picture->Canvas().Pixels(p.X + 4, p.Y), clWhite);
    }

    cad.SetHotShow(false);
    line->SetInfo(QStringLiteral("caption"));
    auto hidden = WhitePicture(80, 80);
    line->DrawHot(&hidden->Canvas());
    EXPECT_FALSE(AnyInk(*hidden, TRect(0, 0, 80, 80)));
}

TEST(LineHots, CaptionDiamondOnlyWithCaptionText)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(10, 10), TMyPoint(50, 10)});
    EXPECT_EQ(line->CaptionPoint(), TMyPoint(30, 20));
    auto plain = WhitePicture(60, 40);
    line->DrawHot(&plain->Canvas());
    EXPECT_EQ(plain->Canvas().Pixels(30, 20), clWhite);

    line->SetInfo(QStringLiteral("x"));
    auto captioned = WhitePicture(60, 40);
    line->DrawHot(&captioned->Canvas());
    EXPECT_EQ(captioned->Canvas().Pixels(30, 20), HotColor());
    EXPECT_EQ(captioned->Canvas().Pixels(30, 25), clWhite);
}

TEST(LineResize, TheGrabbedPointMovesByTheMouseInDocumentUnits)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(10, 10), TMyPoint(50, 10)});
    cad.SetZoom(2);
    ASSERT_EQ(line->InWhichHot(TPoint(100, 20)), 1);
    line->SizeChangeValue(TMyPoint(100, 20), TMyPoint(120, 40));
    EXPECT_EQ(line->GetPoint(0), TMyPoint(10, 10));
    EXPECT_EQ(line->GetPoint(1), TMyPoint(60, 20));
    EXPECT_EQ(line->CenterPoint(), TMyPoint(35, 15));
    // A plain line keeps its Info.
    EXPECT_TRUE(line->Info().isEmpty());
}

TEST(LineResize, RuleLineTakesTheSlopeAndItsLengthText)
{
    TMyCAD cad;
    auto rule = MakeShape<TMyRuleLine>(cad, {TMyPoint(0, 0), TMyPoint(96, 0)});
    ASSERT_EQ(rule->InWhichHot(TPoint(96, 0)), 1);
    rule->SizeChangeValue(TMyPoint(96, 0), TMyPoint(48, 48));
    EXPECT_EQ(rule->GetPoint(1), TMyPoint(48, 48));
    EXPECT_FLOAT_EQ(rule->Angle(), float(std::numbers::pi / 4));
    EXPECT_EQ(rule->Info(), QStringLiteral("17.96 mm"));

    // Straight below the first point: a quarter turn.
    rule->SizeChangeValue(TMyPoint(48, 48), TMyPoint(0, 96));
    EXPECT_FLOAT_EQ(rule->Angle(), float(std::numbers::pi / 2));
    EXPECT_EQ(rule->Info(), QStringLiteral("25.40 mm"));
    // Towards the upper left the plain arc tangent is kept, without quadrant correction.
    ASSERT_EQ(rule->InWhichHot(TPoint(0, 96)), 1);
    rule->SizeChangeValue(TMyPoint(0, 96), TMyPoint(-96, -96));
    EXPECT_FLOAT_EQ(rule->Angle(), float(std::numbers::pi / 4));
    EXPECT_EQ(rule->CenterPoint(), TMyPoint(-48, -48));
}

TEST(LineInfo, LengthOfTheFirstSegmentForLinesAndRuleLinesOnly)
{
    TMyCAD cad;
    auto line = MakeShape<TMyLine>(cad, {TMyPoint(0, 0), TMyPoint(96, 0), TMyPoint(96, 500)});
    EXPECT_EQ(line->GetInfo(), QStringLiteral("    25.40 mm"));
    EXPECT_EQ(line->Info(), QStringLiteral("    25.40 mm"));
    cad.SetTheUNIT(TUnits::inch);
    cad.SetZoom(2); // the points are read in zoom and the length divided by it
    EXPECT_EQ(line->GetInfo(), QStringLiteral("     1.00 in"));

    auto rule = MakeShape<TMyRuleLine>(cad, {TMyPoint(0, 0), TMyPoint(0, 192)});
    EXPECT_EQ(rule->GetInfo(), QStringLiteral("     1.00 in"));

    // Kinds derived from the line report nothing and keep their Info.
    auto polyline = MakeShape<TMyPolyLine>(cad, {TMyPoint(0, 0), TMyPoint(96, 0)});
    polyline->SetInfo(QStringLiteral("mine"));
    EXPECT_TRUE(polyline->GetInfo().isEmpty());
    EXPECT_EQ(polyline->Info(), QStringLiteral("mine"));
}

TEST(LineLifecycle, FinishedWithTwoPointsAndDrawnSetsCentreAndCaption)
{
    TMyCAD cad;
    TMyLine line(&cad);
    line.AddPoint(TMyPoint(40, 10));
    EXPECT_FALSE(line.IsDrawingFinished(mbLeft, TPoint()));
    line.AddPoint(TMyPoint(0, 30));
    EXPECT_TRUE(line.IsDrawingFinished(mbRight, TPoint()));
    line.Drawed(TPoint(40, 10), TPoint(0, 30));
    EXPECT_EQ(line.CenterPoint(), TMyPoint(20, 20));
    EXPECT_EQ(line.CaptionPoint(), TMyPoint(20, 40));
    EXPECT_EQ(line.MergeEndShapeId(), -1);
    EXPECT_EQ(line.MergeEndPointNo(), -1);
    line.AddPoint(TMyPoint(5, 5));
    EXPECT_FALSE(line.IsDrawingFinished(mbLeft, TPoint()));
}

TEST(LineLifecycle, ArrowSettingsComeFromTheDrawing)
{
    TMyCAD cad;
    cad.SetArrowAngle(25);
    cad.SetArrowLength(70);
    cad.SetArrowOffset(7);
    cad.SetArrowStyle(ADouble);
    TMyLine line(&cad);
    EXPECT_EQ(line.ArrowAngle(), 25);
    EXPECT_EQ(line.ArrowLength(), 70);
    EXPECT_EQ(line.ArrowOffset(), 7);
    EXPECT_EQ(line.ArrowStyle(), ADouble);
    // The rule line has its own arrows but keeps the drawing's offset.
    TMyRuleLine rule(&cad);
    EXPECT_EQ(rule.ArrowAngle(), 10);
    EXPECT_EQ(rule.ArrowLength(), 20);
    EXPECT_EQ(rule.ArrowOffset(), 7);
    EXPECT_EQ(rule.ArrowStyle(), ADouble);
    EXPECT_EQ(rule.Font()->Size(), 8);
}
