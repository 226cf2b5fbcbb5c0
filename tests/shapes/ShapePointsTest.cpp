// Shape point storage, zoom conversions, bounding boxes and the widths before rotation.
#include "support/DrawingTestSupport.h"

#include <cmath>

namespace {
std::unique_ptr<TMyShape> Line(TMyCAD& cad, TMyPoint a, TMyPoint b)
{
    auto line = cad.CreateShapeByName("TMyLine");
    line->AddPoint(a);
    line->AddPoint(b);
    line->SetCenterPoint(line->ComputeCenterPoint(4));
    return line;
}
} // namespace

TEST(ShapePoints, ScreenValuesAreDividedByTheZoom)
{
    TMyCAD cad;
    cad.SetZoom(2);
    auto s = cad.CreateShapeByName("TMyPolyLine");
    s->AddPoint(TMyPoint(100, 50));
    EXPECT_EQ(s->GetPoint(0), TMyPoint(50, 25));
    EXPECT_EQ(s->GetPointInZoom(0), TMyPoint(100, 50));
    EXPECT_EQ(s->GetPoint(5), TMyPoint(0, 0));
    EXPECT_EQ(s->GetPoint(-1), TMyPoint(0, 0));
    EXPECT_EQ(s->GetPointInZoomWithMode(1), TPoint(0, 0));
    s->SetPointInZoom(0, TMyPoint(10, 20));
    EXPECT_EQ(s->GetPoint(0), TMyPoint(5, 10));
    s->PointAddXY(0, 4, -2);
    EXPECT_EQ(s->GetPoint(0), TMyPoint(7, 9));
    s->SetPointXInZoom(0, 2);
    s->SetPointYInZoom(0, 6);
    EXPECT_EQ(s->GetPoint(0), TMyPoint(1, 3));
    s->AddLinkPoint(TMyPoint(8, 8));
    EXPECT_EQ(s->GetLinkPoint(0), TMyPoint(4, 4));
    EXPECT_EQ(s->GetLinkPointInZoom(0), TMyPoint(8, 8));
    EXPECT_EQ(s->GetLinkPoint(3), TMyPoint(0, 0));
    s->LinkPointAddXY(0, 2, 2);
    EXPECT_EQ(s->GetLinkPoint(0), TMyPoint(5, 5));
    // Setters ignore indices outside the arrays instead of writing past them.
    s->SetPoint(9, TMyPoint(1, 1));
    s->LinkPointAddXY(9, 1, 1);
    EXPECT_EQ(s->GetPointsCount(), 1);
    EXPECT_EQ(s->GetLinkPointsCount(), 1);
}

TEST(ShapePoints, BoundingBoxCornersAndCentres)
{
    TMyCAD cad;
    auto s = cad.CreateShapeByName("TMyPolyLine");
    EXPECT_EQ(s->GetLeftTop(), TMyPoint(0, 0));
    EXPECT_EQ(s->GetWidth(), 0);
    for (TMyPoint p : {TMyPoint(10, 40), TMyPoint(50, 20), TMyPoint(30, 60)})
        s->AddPoint(p);
    EXPECT_EQ(s->GetLeftTop(), TMyPoint(10, 20));
    EXPECT_EQ(s->GetRightTop(), TMyPoint(50, 20));
    EXPECT_EQ(s->GetLeftBottom(), TMyPoint(10, 60));
    EXPECT_EQ(s->GetRightBottom(), TMyPoint(50, 60));
    EXPECT_EQ(s->GetWidth(), 40);
    EXPECT_EQ(s->GetHeight(), 40);
    EXPECT_EQ(s->ComputeCenterPoint(0), TMyPoint(10, 20));
    EXPECT_EQ(s->ComputeCenterPoint(1), TMyPoint(50, 20));
    EXPECT_EQ(s->ComputeCenterPoint(2), TMyPoint(50, 60));
    EXPECT_EQ(s->ComputeCenterPoint(3), TMyPoint(10, 60));
    EXPECT_EQ(s->ComputeCenterPoint(4), TMyPoint(30, 40));
    s->Drawed(TPoint(), TPoint());
    EXPECT_EQ(s->CenterPoint(), TMyPoint(30, 40));
    EXPECT_EQ(s->CaptionPoint(), TMyPoint(30, 70));
}

TEST(ShapePoints, WidthAndHeightBeforeRotation)
{
    TMyCAD cad;
    auto vertical = Line(cad, TMyPoint(10, 0), TMyPoint(10, 100));
    EXPECT_FLOAT_EQ(vertical->GetMyWidth(), 0);
    EXPECT_FLOAT_EQ(vertical->GetMyHeight(), 50); // two vertical edges: half the extent
    auto horizontal = Line(cad, TMyPoint(0, 10), TMyPoint(100, 10));
    EXPECT_FLOAT_EQ(horizontal->GetMyWidth(), 100);
    EXPECT_FLOAT_EQ(horizontal->GetMyHeight(), 0);
    TMyShape* rect = AddRect(cad, 0, 0, 80, 40);
    rect->SetAngle(float(M_PI / 6));
    EXPECT_NEAR(rect->GetMyWidth(), 80, 1e-3);
    EXPECT_NEAR(rect->GetMyHeight(), 40, 1e-3);
    EXPECT_GT(rect->GetWidth(), 80);
}
