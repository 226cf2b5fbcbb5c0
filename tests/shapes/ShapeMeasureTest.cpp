// Angles between points, connector exit points and measured lengths as text.
#include "support/DrawingTestSupport.h"

#include <cmath>

TEST(ShapeMeasure, RotatedAngleWithAndWithoutTheConstraint)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 10, 10);
    EXPECT_FLOAT_EQ(r->GetRotatedAngle(TMyPoint(10, 0), TMyPoint(0, 10), TMyPoint(0, 0), false), float(M_PI / 2));
    cad.SetRotateConstraintDegree(40);
    EXPECT_FLOAT_EQ(r->GetRotatedAngle(TMyPoint(10, 0), TMyPoint(0, 10), TMyPoint(0, 0), true), 1.3962634f);
    EXPECT_FLOAT_EQ(r->GetRotatedAngle(TMyPoint(10, 0), TMyPoint(0, 10), TMyPoint(0, 0), false), float(M_PI / 2));
    // Straight above the centre, then straight below: half a turn.
    cad.SetRotateConstraintDegree(0);
    EXPECT_FLOAT_EQ(r->GetRotatedAngle(TMyPoint(5, -10), TMyPoint(5, 20), TMyPoint(5, 5), true), float(-M_PI));
    // A second point on the centre counts as angle 0.
    EXPECT_FLOAT_EQ(r->GetRotatedAngle(TMyPoint(0, 10), TMyPoint(0, 0), TMyPoint(0, 0), false), float(-M_PI / 2));
    // Ties of the constraint round to even: 45 degrees with a 30-degree step is 1.5 steps.
    cad.SetRotateConstraintDegree(30);
    const TMyPoint at45 = RotateAPoint(TMyPoint(10, 0), TMyPoint(0, 0), float(M_PI / 4));
    EXPECT_NEAR(r->GetRotatedAngle(TMyPoint(10, 0), at45, TMyPoint(0, 0), true), 60 * M_PI / 180, 1e-6);
}

TEST(ShapeMeasure, MagicPointLeavesByTheNearestSide)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 100, 100);
    EXPECT_EQ(r->GetMagicPoint(r, TMyPoint(50, 50)), TMyPoint(50, 125)); // ties: the bottom wins
    EXPECT_EQ(r->GetMagicPoint(r, TMyPoint(5, 50)), TMyPoint(-25, 50));
    EXPECT_EQ(r->GetMagicPoint(r, TMyPoint(96, 50)), TMyPoint(125, 50));
    EXPECT_EQ(r->GetMagicPoint(r, TMyPoint(50, 3)), TMyPoint(50, -25));
    cad.SetZoom(2);
    EXPECT_EQ(r->GetMagicPoint(r, TMyPoint(10, 100)), TMyPoint(-50, 100));
}

TEST(ShapeMeasure, LengthTextForEveryUnit)
{
    TMyCAD cad;
    // A line reports lengths with the shape's own measure (boxes report their sides).
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(0, 0), TMyPoint(10, 0)}, 0, "L");
    TMyShape* r = cad.GetShapeByID(id);
    const TPoint a(0, 0), b(96, 0);
    const std::pair<TUnits, const char*> expected[] = {
        {TUnits::pixel, "       96 pixel(s)"}, {TUnits::mm, "    25.40 mm"}, {TUnits::cm, "     2.54 cm"},
        {TUnits::dm, "     0.25 dm"},         {TUnits::m, "     0.03 m"},  {TUnits::inch, "     1.00 in"}};
    for (const auto& [unit, text] : expected) {
        cad.SetTheUNIT(unit);
        EXPECT_EQ(r->GetLengthByUnit(a, b), text);
    }
    cad.SetTheUNIT(TUnits::mm);
    cad.SetZoom(2);
    EXPECT_EQ(r->GetLengthByUnit(a, b), "    12.70 mm");
    cad.SetRatio(10);
    EXPECT_EQ(r->GetLengthByUnit(a, TPoint(0, 96)), "   127.00 mm");
}
