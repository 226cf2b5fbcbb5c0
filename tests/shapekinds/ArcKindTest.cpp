// Arcs: the point lists of the circle-mode figure (straight cases, both passes, chord and
// sector endings, steps by radius, the bound on huge radii), the ellipse-mode curve, the
// centre, clicks, hits and the export angles.
#include "KindsTestSupport.h"

#include "component/base/ArcGeometry.h"

#include <cmath>

namespace {
TPoint OnCircle(double angle, double r, double cx, double cy)
{
    return TPoint(int(std::lround(r * std::cos(angle) + cx)), int(std::lround(r * std::sin(angle) + cy)));
}
} // namespace

TEST(ArcFigure, StraightAndDegenerateTriples)
{
    auto fig = CircleArcFigure(TPoint(0, 0), TPoint(10, 0), TPoint(5, 0), asArc);
    EXPECT_EQ(fig.Kind, TArcFigure::TKind::Segment);
    EXPECT_EQ(fig.Points, (std::vector<TPoint>{TPoint(0, 0), TPoint(5, 0)}));
    EXPECT_EQ(CircleArcFigure(TPoint(5, 0), TPoint(5, 40), TPoint(5, 90), asSector).Kind, TArcFigure::TKind::Segment);
    // Within 3 pixels of the line A-B, and more than 4 from B.
    EXPECT_EQ(CircleArcFigure(TPoint(0, 0), TPoint(100, 50), TPoint(200, 103), asArc).Kind,
              TArcFigure::TKind::Segment);
    // E within 4 pixels of B skips the test; the triple then lies on no circle.
    EXPECT_EQ(CircleArcFigure(TPoint(0, 0), TPoint(10, 10), TPoint(12, 12), asArc).Kind, TArcFigure::TKind::Nothing);
    // Nearly collinear but close to B: still a circle.
    EXPECT_EQ(CircleArcFigure(TPoint(0, 0), TPoint(100, 50), TPoint(103, 52), asArc).Kind, TArcFigure::TKind::Points);
}

TEST(ArcFigure, FirstPassRunsClockwiseFromTheStart)
{
    // Centre (100, 100), radius 50: from angle 0 through the bottom (screen y down) to pi.
    const auto fig = CircleArcFigure(TPoint(150, 100), TPoint(100, 150), TPoint(50, 100), asArc);
    ASSERT_EQ(fig.Kind, TArcFigure::TKind::Points);
    EXPECT_FALSE(fig.FromEnd);
    EXPECT_NEAR(fig.Cx, 100, 1e-9);
    EXPECT_NEAR(fig.Cy, 100, 1e-9);
    const double step = 0.15 * 25.4 / 50;
    const int n = int(std::nearbyint(3.14159265 / step + 0.5)); // the sweep to a3 = pi
    ASSERT_EQ(int(fig.Points.size()), n + 1);
    double angle = 0;
    for (int k = 0; k < n; ++k, angle += step)
        EXPECT_EQ(fig.Points[size_t(k)], OnCircle(angle, 50, 100, 100)) << k;
    EXPECT_EQ(fig.Points.back(), TPoint(50, 100)); // the exact end
    EXPECT_FALSE(fig.Closed);
}

TEST(ArcFigure, SecondPassStartsAtTheEndAndStylesCloseTheList)
{
    // The middle point above the centre: the clockwise sweep from A misses it.
    const auto arc = CircleArcFigure(TPoint(150, 100), TPoint(100, 50), TPoint(50, 100), asArc);
    ASSERT_EQ(arc.Kind, TArcFigure::TKind::Points);
    EXPECT_TRUE(arc.FromEnd);
    EXPECT_EQ(arc.Points.front(), TPoint(50, 100));
    EXPECT_EQ(arc.Points.back(), TPoint(150, 100));
    const auto chord = CircleArcFigure(TPoint(150, 100), TPoint(100, 50), TPoint(50, 100), asChord);
    EXPECT_EQ(chord.Points.size(), arc.Points.size() + 1);
    EXPECT_EQ(chord.Points.back(), arc.Points.front());
    EXPECT_TRUE(chord.Closed);
    const auto sector = CircleArcFigure(TPoint(150, 100), TPoint(100, 50), TPoint(50, 100), asSector);
    ASSERT_EQ(sector.Points.size(), arc.Points.size() + 2);
    EXPECT_EQ(sector.Points[sector.Points.size() - 2], TPoint(100, 100));
    EXPECT_EQ(sector.Points.back(), arc.Points.front());
}

TEST(ArcFigure, StepsByRadiusAndStaysBoundedForHugeRadii)
{
    // Radius 10: steps of 0.075 * 25.4 / 10 radians.
    const auto small = CircleArcFigure(TPoint(110, 100), TPoint(100, 110), TPoint(90, 100), asArc);
    ASSERT_EQ(small.Kind, TArcFigure::TKind::Points);
    EXPECT_EQ(small.Points[1], OnCircle(0.075 * 25.4 / 10, 10, 100, 100));
    // Nearly collinear and 40,000 pixels long: a radius of about 4e7 would take tens of
    // thousands of steps; the figure keeps within the bound and still ends exactly.
    const auto huge = CircleArcFigure(TPoint(0, 0), TPoint(20000, 5), TPoint(40000, 0), asSector);
    ASSERT_EQ(huge.Kind, TArcFigure::TKind::Points);
    EXPECT_LE(huge.Points.size(), size_t(kMaxArcPoints) + 3);
    EXPECT_GT(huge.R, 1e7);
    const TPoint last = huge.Points[huge.Points.size() - 3];
    EXPECT_TRUE(last == TPoint(0, 0) || last == TPoint(40000, 0));
    for (size_t i = 0; i + 2 < huge.Points.size(); ++i)
        ASSERT_LE(std::abs(huge.Points[i].Y), 6) << i;
}

TEST(ArcFigure, EllipseCurveRunsFromStartToEndAndSurvivesTheOrigin)
{
    const auto pts = EllipseArcPoints(TPoint(0, 100), TPoint(0, 0), TPoint(100, 0));
    ASSERT_GE(pts.size(), 3u);
    EXPECT_EQ(pts.front(), TPoint(0, 100));
    EXPECT_EQ(pts.back(), TPoint(100, 0));
    // The corner pulls the curve towards B: the middle sample lies inside the quarter.
    const TPoint mid = pts[pts.size() / 2];
    EXPECT_LT(mid.X + mid.Y, 100);
    const auto origin = EllipseArcPoints(TPoint(0, 0), TPoint(0, 0), TPoint(0, 0));
    EXPECT_EQ(origin.size(), 2u);
}

TEST(ArcShape, ClicksCentreHitsAndFlips)
{
    TMyCAD cad;
    TMyElliArc arc(&cad);
    EXPECT_EQ(arc.ArcMode(), amCircle);
    arc.AddPoint(TMyPoint(150, 100));
    arc.AddPoint(TMyPoint(150, 100)); // repeated click dropped
    EXPECT_FALSE(arc.IsDrawingFinished(mbLeft, TPoint()));
    EXPECT_EQ(arc.GetPointsCount(), 1);
    EXPECT_FALSE(arc.IsClickedMe(nullptr, TPoint(150, 100))); // fewer than three points
    arc.AddPoint(TMyPoint(100, 150));
    EXPECT_FALSE(arc.IsDrawingFinished(mbLeft, TPoint()));
    arc.AddPoint(TMyPoint(100, 150));
    EXPECT_FALSE(arc.IsDrawingFinished(mbLeft, TPoint()));
    EXPECT_EQ(arc.GetPointsCount(), 2);
    arc.AddPoint(TMyPoint(50, 100));
    EXPECT_TRUE(arc.IsDrawingFinished(mbLeft, TPoint()));
    EXPECT_NEAR(arc.GetCenterPoint().X, 100, 1e-4);
    EXPECT_NEAR(arc.GetCenterPoint().Y, 100, 1e-4);
    cad.SetZoom(2);
    EXPECT_NEAR(arc.GetCenterPointInZoom().X, 200, 1e-3);
    cad.SetZoom(1);
    EXPECT_TRUE(arc.IsClickedMe(nullptr, TPoint(100, 109)));  // inside the triangle
    EXPECT_TRUE(arc.IsClickedMe(nullptr, TPoint(142, 142)));  // 9.4 pixels outside the arc
    EXPECT_FALSE(arc.IsClickedMe(nullptr, TPoint(144, 144))); // 12 pixels outside
    EXPECT_FALSE(arc.IsClickedMe(nullptr, TPoint(100, 40)));
    // Mirrored about the box's middle (x 100), then the ends exchanged: still clockwise.
    auto lopsided = MakeShape<TMyElliArc>(cad, {TMyPoint(150, 100), TMyPoint(120, 150), TMyPoint(50, 100)});
    lopsided->FlipHoriz();
    EXPECT_EQ(lopsided->GetPoint(0), TMyPoint(150, 100));
    EXPECT_EQ(lopsided->GetPoint(1), TMyPoint(80, 150));
    EXPECT_EQ(lopsided->GetPoint(2), TMyPoint(50, 100));
    // Collinear points: the centre is the middle of the ends.
    auto flat = MakeShape<TMyElliArc>(cad, {TMyPoint(0, 0), TMyPoint(10, 0), TMyPoint(30, 0)});
    EXPECT_EQ(flat->GetCenterPoint(), TMyPoint(15, 0));
}

TEST(ArcShape, DrawsTheFigureAtZoomAndTheEllipseModeIgnoresTheStyle)
{
    TMyCAD cad;
    auto arc = MakeShape<TMyElliArc>(cad, {TMyPoint(75, 50), TMyPoint(50, 75), TMyPoint(25, 50)});
    arc->SetArcStyle(asSector);
    cad.SetZoom(2);
    auto picture = WhitePicture(220, 220);
    arc->Draw(&picture->Canvas());
    EXPECT_TRUE(IsDark(picture->Canvas().Pixels(100, 150)));  // bottom of the zoomed arc
    EXPECT_TRUE(AnyInk(*picture, TRect(98, 98, 103, 103)));   // the sector reaches the centre
    EXPECT_FALSE(AnyInk(*picture, TRect(90, 40, 110, 60)));   // nothing on the other side
    arc->SetArcMode(amEllipse);
    auto sector = WhitePicture(220, 220);
    arc->Draw(&sector->Canvas());
    arc->SetArcStyle(asArc);
    auto open = WhitePicture(220, 220);
    arc->Draw(&open->Canvas());
    EXPECT_EQ(DifferingPixels(sector->Image(), open->Image()), 0);
}

TEST(ArcExport, AnglesInTheUpwardFrame)
{
    TMyCAD cad;
    cad.resize(400, 400);
    double r = 0, a1 = 0, a2 = 0;
    // P0 right of the centre, P2 straight above it (the centre (100, 300) in the upward frame).
    cad.GetRA1A2By3Points(TMyPoint(150, 100), TMyPoint(), TMyPoint(100, 50), TMyPoint(100, 300), r, a1, a2);
    EXPECT_DOUBLE_EQ(r, 50);
    EXPECT_DOUBLE_EQ(a1, 90);
    EXPECT_DOUBLE_EQ(a2, 0);
    cad.GetRA1A2By3Points(TMyPoint(50, 100), TMyPoint(), TMyPoint(100, 150), TMyPoint(100, 300), r, a1, a2);
    EXPECT_DOUBLE_EQ(a1, 270); // below the centre
    EXPECT_DOUBLE_EQ(a2, 180); // left: the arctangent plus 180
    cad.GetRA1A2By3Points(TMyPoint(50, 50), TMyPoint(), TMyPoint(150, 50), TMyPoint(100, 300), r, a1, a2);
    EXPECT_NEAR(a1, 45, 1e-9);
    EXPECT_NEAR(a2, 135, 1e-9);
}
