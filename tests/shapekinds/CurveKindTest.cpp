// Curves: the poly-Bézier's automatic joins, padding and swinging controls; the B-spline's
// phantom vertices, interpolation through its points, corners and any number of points;
// hits along the curves; and every kind with too few points drawn and handled.
#include "KindsTestSupport.h"

#include <cmath>
#include <functional>

namespace {
void ExpectNear(TMyPoint actual, TMyPoint expected, double tolerance)
{
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}
} // namespace

TEST(PolyBezierClicks, JoinsGoHalfWayAndADoubleClickPadsTheLastSegment)
{
    TMyCAD cad;
    TMyPolyBezier curve(&cad);
    for (TPoint p : {TPoint(0, 0), TPoint(10, 40), TPoint(30, 40), TPoint(50, 0)})
        curve.AddPointByMouse(p);
    ASSERT_EQ(curve.GetPointsCount(), 5);
    EXPECT_EQ(curve.GetPoint(3), TMyPoint(40, 20)); // between the third and the fourth click
    EXPECT_EQ(curve.GetPoint(4), TMyPoint(50, 0));
    curve.AddPointByMouse(TPoint(70, -40));
    curve.AddPointByMouse(TPoint(70, -40)); // a double click after six points
    EXPECT_TRUE(curve.IsDrawingFinished(mbLeft, TPoint(70, -40)));
    ASSERT_EQ(curve.GetPointsCount(), 7);
    EXPECT_EQ(curve.GetPoint(6), TMyPoint(70, -40));
    EXPECT_EQ(TMyPolyBezier::LineCenterPoint(TPoint(0, 0), TPoint(-3, 5)), TPoint(-1, 2)); // truncated
    TMyPolyBezier three(&cad);
    for (TPoint p : {TPoint(0, 0), TPoint(5, 5), TPoint(5, 5)})
        three.AddPointByMouse(p);
    EXPECT_FALSE(three.IsDrawingFinished(mbLeft, TPoint(5, 5)));
}

TEST(PolyBezierEdit, TheOppositeControlSwingsAboutTheJoin)
{
    TMyCAD cad;
    auto curve = MakeShape<TMyPolyBezier>(cad, {TMyPoint(0, 100), TMyPoint(20, 60), TMyPoint(40, 100), TMyPoint(60, 100),
                                                TMyPoint(80, 100), TMyPoint(100, 60), TMyPoint(120, 100)});
    ASSERT_EQ(curve->InWhichHot(TPoint(40, 100)), 2);
    curve->SizeChangeValue(TMyPoint(40, 100), TMyPoint(60, 80)); // a quarter turn about (60, 100)
    ExpectNear(curve->GetPoint(2), TMyPoint(60, 80), 1e-3);
    ExpectNear(curve->GetPoint(4), TMyPoint(60, 120), 1e-2);
    EXPECT_EQ(curve->GetPoint(3), TMyPoint(60, 100));
    EXPECT_EQ(curve->GetPoint(1), TMyPoint(20, 60));
    // Dragging a join carries both its controls.
    ASSERT_EQ(curve->InWhichHot(TPoint(60, 100)), 3);
    curve->SizeChangeValue(TMyPoint(60, 100), TMyPoint(70, 100));
    ExpectNear(curve->GetPoint(2), TMyPoint(70, 80), 1e-3);
    ExpectNear(curve->GetPoint(4), TMyPoint(70, 120), 1e-2);
    // A control on its own join swings nothing and divides by nothing.
    auto folded = MakeShape<TMyPolyBezier>(cad, {TMyPoint(0, 0), TMyPoint(10, 0), TMyPoint(20, 0), TMyPoint(20, 0),
                                                 TMyPoint(30, 0), TMyPoint(40, 0), TMyPoint(50, 0)});
    folded->InWhichHot(TPoint(30, 0));
    folded->SizeChangeValue(TMyPoint(30, 0), TMyPoint(30, 10));
    for (int i = 0; i < folded->GetPointsCount(); ++i)
        EXPECT_TRUE(std::isfinite(folded->GetPoint(i).X) && std::isfinite(folded->GetPoint(i).Y)) << i;
}

TEST(PolyBezierHit, AStraightCurveIsHitInTheMiddleOfItsSegment)
{
    TMyCAD cad;
    auto curve = MakeShape<TMyPolyBezier>(cad, {TMyPoint(0, 50), TMyPoint(100, 50), TMyPoint(200, 50), TMyPoint(300, 50)});
    EXPECT_TRUE(curve->IsClickedMe(nullptr, TPoint(150, 59)));
    EXPECT_FALSE(curve->IsClickedMe(nullptr, TPoint(150, 61)));
    cad.SetZoom(2);
    EXPECT_TRUE(curve->IsClickedMe(nullptr, TPoint(300, 105)));
    EXPECT_FALSE(curve->IsClickedMe(nullptr, TPoint(300, 115)));
}

TEST(BLineVertices, PhantomsMirrorTheEndsAndTheCurvePassesThroughEveryPoint)
{
    TMyCAD cad;
    TMyBLine line(&cad);
    line.AddVertex(TMyPoint(0, 0));
    line.AddVertex(TMyPoint(10, 0));
    line.AddVertex(TMyPoint(20, 5));
    ASSERT_EQ(line.VertexCount(), 3);
    EXPECT_EQ(line.Vertices()[0], TMyPoint(-10, 0));
    EXPECT_EQ(line.Vertices()[4], TMyPoint(30, 10));
    line.Interpolate();
    ExpectNear(line.GetVPoint(0), TMyPoint(0, 0), 1e-4);
    ExpectNear(line.GetVPoint(0.5), TMyPoint(10, 0), 1e-4);
    ExpectNear(line.GetVPoint(1), TMyPoint(20, 5), 1e-4);
    TMyBLine single(&cad);
    single.AddVertex(TMyPoint(7, 9));
    single.Interpolate();
    EXPECT_EQ(single.GetVPoint(0.3), TMyPoint(7, 9));
}

TEST(BLineVertices, ATripledPointIsACornerAndLongSplinesStayExact)
{
    TMyCAD cad;
    TMyBLine corner(&cad);
    for (TMyPoint p : {TMyPoint(0, 0), TMyPoint(50, 50), TMyPoint(50, 50), TMyPoint(50, 50), TMyPoint(100, 0)})
        corner.AddVertex(p);
    corner.Interpolate();
    ExpectNear(corner.GetVPoint(0.5), TMyPoint(50, 50), 1e-4);
    // Just before the corner the curve comes straight from the first point.
    const TMyPoint before = corner.GetVPoint(0.45);
    EXPECT_NEAR(before.X, before.Y, 0.05);
    // 150 points, more than a fixed buffer would take: every point is on the curve.
    TMyBLine wave(&cad);
    const int n = 150;
    for (int i = 0; i < n; ++i)
        wave.AddVertex(TMyPoint(float(i * 8), float(100 + 40 * std::sin(i * 0.4))));
    wave.Interpolate();
    ASSERT_EQ(wave.VertexCount(), n);
    for (int i = 0; i < n; ++i)
        ExpectNear(wave.GetVPoint(double(i) / (n - 1)), TMyPoint(float(i * 8), float(100 + 40 * std::sin(i * 0.4))),
                   2e-2);
}

TEST(BLineShape, DoubleClickEndsItHitsAlongLongSegmentsAndThePreviewWaitsForBothAxes)
{
    TMyCAD cad;
    TMyBLine line(&cad);
    for (TMyPoint p : {TMyPoint(0, 100), TMyPoint(200, 100), TMyPoint(400, 100), TMyPoint(400, 100)})
        line.AddPoint(p);
    EXPECT_TRUE(line.IsDrawingFinished(mbLeft, TPoint()));
    EXPECT_EQ(line.GetPointsCount(), 3);
    EXPECT_TRUE(line.IsClickedMe(nullptr, TPoint(301, 108)));
    EXPECT_FALSE(line.IsClickedMe(nullptr, TPoint(301, 112)));
    TMyRect box;
    ASSERT_TRUE(line.FigureBox(box));
    EXPECT_LE(box.Left, 0);
    EXPECT_GE(box.Right, 400);
    // While drawing, the mouse level with the last point shows only what was there.
    TMyBLine drawing(&cad);
    drawing.AddPoint(TMyPoint(20, 20));
    drawing.AddPoint(TMyPoint(60, 50));
    auto level = WhitePicture(120, 120);
    drawing.Drawing(&level->Canvas(), TPoint(), TPoint(100, 50));
    EXPECT_FALSE(AnyInk(*level, TRect(70, 45, 100, 55)));
    auto free = WhitePicture(120, 120);
    drawing.Drawing(&free->Canvas(), TPoint(), TPoint(100, 90));
    EXPECT_TRUE(AnyInk(*free, TRect(65, 45, 110, 100)));
}

// Files and hosts can give any number of points: every kind draws, shows its hots, hits,
// drags, sizes and turns with none, one or two of them.
TEST(FewPoints, EveryKindHandlesNoneOneAndTwoPoints)
{
    TMyCAD cad;
    cad.SetHotShow(true);
    auto picture = WhitePicture(64, 64);
    TCanvas* canvas = &picture->Canvas();
    std::vector<std::function<std::unique_ptr<TMyShape>()>> kinds = {
        [&] { return std::make_unique<TMyPolyLine>(&cad); }, [&] { return std::make_unique<TMyPolygon>(&cad); },
        [&] { return std::make_unique<TMyFreeLine>(&cad); }, [&] { return std::make_unique<TMyElliArc>(&cad); },
        [&] { return std::make_unique<TMyPolyBezier>(&cad); }, [&] { return std::make_unique<TMyBLine>(&cad); }};
    for (size_t k = 0; k < kinds.size(); ++k)
        for (int count = 0; count <= 2; ++count) {
            auto s = kinds[k]();
            for (int i = 0; i < count; ++i)
                s->AddPoint(TMyPoint(10, 10));
            s->Draw(canvas);
            s->DrawHot(canvas);
            s->Drawing(canvas, TPoint(10, 10), TPoint(30, 30));
            s->Draging(canvas, TPoint(0, 0), TPoint(5, 5));
            s->Rotating(canvas, TMyPoint(10, 10), 0.5f);
            s->InWhichHot(TPoint(10, 10));
            s->Sizing(canvas, TPoint(10, 10), TPoint(20, 20));
            s->SizeChangeValue(TMyPoint(10, 10), TMyPoint(20, 20));
            s->GetInfo();
            const bool hit = s->IsClickedMe(canvas, TPoint(40, 40));
            EXPECT_FALSE(hit) << k << " with " << count;
            TMyRect box;
            s->FigureBox(box);
        }
    TMyElliArc two(&cad);
    two.AddPoint(TMyPoint(10, 10));
    two.AddPoint(TMyPoint(50, 50));
    EXPECT_FALSE(two.IsClickedMe(canvas, TPoint(30, 30)));
}
