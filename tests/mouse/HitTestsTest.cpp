// The hit and region tests of picking and the constraints of the mouse, called directly.
#include "MouseTestSupport.h"

#include "component/base/Geometry.h"

#include <QRandomGenerator>
#include <cmath>
#include <numbers>

using HitTests = MouseTest;

TEST_F(HitTests, AShapeIsHitItselfOrThroughADirectMemberAndNeverWhenHidden)
{
    TMyShape* a = Rect(100, 100, 150, 150, "A");
    TMyShape* b = Rect(300, 100, 350, 150, "B");
    TMyShape* group = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TCanvas* canvas = cad.Canvas();
    EXPECT_TRUE(cad.IsClickedMeforShape(canvas, a, TPoint(120, 120)));
    EXPECT_TRUE(cad.IsClickedMeforShape(canvas, group, TPoint(120, 120)));
    EXPECT_FALSE(cad.IsClickedMeforShape(canvas, a, TPoint(320, 120)));
    group->SetVisible(false);
    EXPECT_FALSE(cad.IsClickedMeforShape(canvas, group, TPoint(120, 120)));
    EXPECT_FALSE(cad.IsClickedMeforShape(canvas, nullptr, TPoint(120, 120)));
}

TEST_F(HitTests, RegionsTakeTheRootsBoxAndIncludeTheirEdges)
{
    TMyShape* a = Rect(100, 100, 150, 150, "A");
    TMyShape* b = Rect(300, 100, 350, 150, "B");
    cad.GroupShapes({a, b}, false);
    // A member stands for its group: the box from 100 to 350.
    EXPECT_FALSE(cad.IsInRegion(TPoint(90, 90), TPoint(160, 160), a));
    EXPECT_TRUE(cad.IsInRegion(TPoint(350, 150), TPoint(100, 100), a));
    EXPECT_FALSE(cad.IsInRegion(TPoint(350, 150), TPoint(101, 100), a));

    const TRect r(160, 140, 100, 90); // corners in any order
    EXPECT_TRUE(cad.IsPtinRegion(r, a));  // (100, 100) on the edge
    EXPECT_FALSE(cad.IsPtinRegion(TRect(151, 151, 200, 200), a));
    EXPECT_TRUE(cad.IsPtinRegionX(TRect(99, 0, 101, 0), a));
    EXPECT_FALSE(cad.IsPtinRegionX(TRect(100, 0, 140, 0), a)); // strictly between only
    EXPECT_TRUE(cad.IsPtinRegionY(TRect(0, 140, 0, 160), a));
    EXPECT_FALSE(cad.IsPtinRegionY(TRect(0, 150, 0, 200), a));

    // A 50 x 50 shape at zoom 2 needs 100 x 100 pixels.
    cad.SetZoom(2);
    EXPECT_FALSE(cad.IsShapeBigthanRegion(TRect(0, 0, 100, 100), a));
    EXPECT_TRUE(cad.IsShapeBigthanRegion(TRect(0, 0, 99, 100), a));
    EXPECT_TRUE(cad.IsShapeBigthanRegion(TRect(100, 0, 0, 99), a));
}

TEST_F(HitTests, TheDragModeKeepsARowOrAColumn)
{
    TPoint p(30, 40);
    cad.GetMousePointbyDragMode(TPoint(5, 6), p);
    EXPECT_EQ(p, TPoint(30, 40));
    cad.SetDragMode(dgHorz);
    cad.GetMousePointbyDragMode(TPoint(5, 6), p);
    EXPECT_EQ(p, TPoint(30, 6));
    cad.SetDragMode(dgVert);
    p = TPoint(30, 40);
    cad.GetMousePointbyDragMode(TPoint(5, 6), p);
    EXPECT_EQ(p, TPoint(5, 40));
}

TEST_F(HitTests, DrawingConstraintsNeedShiftAndALineOrABoxBeingDrawn)
{
    TMyShape* line = Line({TMyPoint(0, 0), TMyPoint(10, 10)}, "L");
    TPoint p(50, 20);
    cad.DrawMakeSquareorHV(0, line, TPoint(0, 0), p);
    EXPECT_EQ(p, TPoint(50, 20));
    cad.DrawMakeSquareorHV(ssShift, line, TPoint(0, 0), p);
    EXPECT_EQ(p, TPoint(50, 0));
    // A box is squared only while it is the shape being drawn; a point on the anchor's
    // row or column is first moved one pixel off it.
    cad.SetShapeTool(SpRectangle);
    Down(100, 100);
    TMyShape* box = cad.CurrentShape();
    p = TPoint(100, 130);
    cad.DrawMakeSquareorHV(ssShift, box, TPoint(100, 100), p);
    EXPECT_EQ(p, TPoint(101, 101));
    p = TPoint(40, 130);
    cad.DrawMakeSquareorHV(ssShift, box, TPoint(100, 100), p);
    EXPECT_EQ(p, TPoint(70, 130));
    Up(100, 100);
    TMyShape* other = Rect(0, 0, 10, 10, "Other");
    cad.SetShapeTool(SpLine); // the box being drawn is dropped
    p = TPoint(40, 130);
    cad.DrawMakeSquareorHV(ssShift, other, TPoint(100, 100), p);
    EXPECT_EQ(p, TPoint(40, 130));
}

TEST_F(HitTests, AResizedTurnedBoxStaysSquareInItsOwnFrame)
{
    TMyShape* box = Rect(200, 200, 300, 260, "Box");
    box->SetAngle(float(std::numbers::pi / 6));
    const TMyPoint m = box->GetCenterPointInZoom();
    QRandomGenerator rng(5);
    for (int hot = 0; hot < 4; ++hot) {
        box->SetCurrentHot(hot);
        const TMyPoint fixed = RotateAPoint(box->GetPointInZoom((hot + 2) % 4), m, -box->Angle());
        for (int k = 0; k < 50; ++k) {
            TPoint p(int(rng.bounded(500)), int(rng.bounded(500)));
            cad.ResizeMakeSquareorHV(ssShift, box, TPoint(), p);
            const TMyPoint own = RotateAPoint(PtToMyPt(p), m, -box->Angle());
            // Rounding to pixels twice moves the corner by up to a pixel and a half.
            EXPECT_NEAR(std::abs(own.X - fixed.X), std::abs(own.Y - fixed.Y), 3.0) << hot << " " << p.X << "," << p.Y;
        }
    }
    // Side hots are left alone.
    box->SetCurrentHot(5);
    TPoint p(10, 20);
    cad.ResizeMakeSquareorHV(ssShift, box, TPoint(), p);
    EXPECT_EQ(p, TPoint(10, 20));
}
