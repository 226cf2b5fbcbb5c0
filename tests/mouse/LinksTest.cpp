// What the connector and line tools find under the mouse: link points to attach a
// connector's ends to, line ends to merge a new line with, and the merging itself.
#include "MouseTestSupport.h"

namespace {
// A box with one link point at its centre.
TMyShape* Linked(MouseTest& t, TMyCAD& cad, float x, float y, const QString& name)
{
    TMyShape* s = AddRect(cad, x - 20, y - 20, x + 20, y + 20, name);
    s->AddLinkPoint(TMyPoint(x, y));
    cad.DeSelectedAllShapesByCode();
    (void)t;
    return s;
}

bool Lists(const TMyShape* s, int no)
{
    const TMyShapeNo& list = s->LinkLineNos();
    return std::find(list.begin(), list.end(), uint32_t(no)) != list.end();
}
} // namespace

class Links : public MouseTest {
protected:
    Links()
    {
        plain = Rect(400, 400, 450, 450, "Plain");
        s1 = Linked(*this, cad, 150, 150, "S1");
        s2 = Linked(*this, cad, 150, 150, "S2"); // the same place, above S1
        s3 = Linked(*this, cad, 300, 150, "S3");
        events.clear();
    }
    TMyShape* plain;
    TMyShape* s1;
    TMyShape* s2;
    TMyShape* s3;
};

TEST_F(Links, TheLowestShapeWithALinkPointUnderTheMouseWins)
{
    int no = 0, id = 0;
    EXPECT_TRUE(cad.InWhichShapeWhichHotLinkId(no, id, TMyPoint(153, 146)));
    EXPECT_EQ(no, s1->ShapeNo());
    EXPECT_EQ(id, 0);
    EXPECT_FALSE(cad.InWhichShapeWhichHotLinkId(no, id, TMyPoint(155, 150))); // five pixels off
    EXPECT_EQ(no, -1);
    EXPECT_EQ(id, -1);
    // One selected shape still takes part; of several selected, none does.
    cad.SelectShapeByCode(s1->GetShapeId(), true);
    EXPECT_TRUE(cad.InWhichShapeWhichHotLinkId(no, id, TMyPoint(150, 150)));
    EXPECT_EQ(no, s1->ShapeNo());
    cad.SelectShapeByCode(plain->GetShapeId(), false);
    EXPECT_TRUE(cad.InWhichShapeWhichHotLinkId(no, id, TMyPoint(150, 150)));
    EXPECT_EQ(no, s2->ShapeNo());
}

TEST_F(Links, AnEndAttachesOnBothSidesAndComesLooseOverEmptyCanvas)
{
    auto* line = static_cast<TMyLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
    line->PointsRef() = {TMyPoint(150, 150), TMyPoint(300, 150)};
    const int no = line->ShapeNo();
    cad.GetMainShape(line, llStart, TMyPoint(150, 150));
    cad.GetMainShape(line, llEnd, TMyPoint(300, 151));
    EXPECT_EQ(line->StartSpNo(), s1->ShapeNo());
    EXPECT_EQ(line->StartSpPtId(), 0);
    EXPECT_EQ(line->EndSpNo(), s3->ShapeNo());
    EXPECT_TRUE(Lists(s1, no));
    EXPECT_TRUE(Lists(s3, no));
    EXPECT_INVARIANTS(cad);
    cad.GetMainShape(line, llEnd, TMyPoint(600, 600));
    EXPECT_EQ(line->EndSpNo(), -1);
    EXPECT_EQ(line->EndSpPtId(), -1);
    EXPECT_FALSE(Lists(s3, no));
    EXPECT_TRUE(Lists(s1, no));
}

TEST_F(Links, TheConnectorToolAttachesTheStartAndFollowsLinkPointsUnsnapped)
{
    cad.SetSnap(true);
    cad.SetLinkLineDrawStyle(lldsFree);
    cad.SetShapeTool(SpLinkLine);
    Down(150, 150);
    auto* connector = dynamic_cast<TMyLinkLine*>(cad.CurrentShape());
    ASSERT_NE(connector, nullptr);
    EXPECT_EQ(connector->LinkLineDrawStyle(), lldsFree);
    EXPECT_EQ(connector->StartSpNo(), s1->ShapeNo());
    EXPECT_EQ(connector->StartSpPtId(), 0);
    // The shape lists the connector once it has joined the drawing.
    EXPECT_TRUE(s1->LinkLineNos().empty());
    Up(150, 150);
    Move(302, 149);
    EXPECT_EQ(cad.CurrentPoint(), TPoint(302, 149)); // not pulled to the grid
    EXPECT_EQ(connector->EndSpNo(), s3->ShapeNo());
    EXPECT_EQ(connector->EndSpPtId(), 0);
    EXPECT_EQ(cad.HotShapeNo(), s3->ShapeNo());
    EXPECT_EQ(cad.HotLinkId(), 0);
    Move(500, 500);
    EXPECT_EQ(connector->EndSpNo(), -1);
    Click(500, 500);
    ASSERT_EQ(cad.GetShapesCount(), 5);
    EXPECT_EQ(cad.GetShapeByNo(4), connector);
    EXPECT_TRUE(Lists(s1, 4));
    EXPECT_INVARIANTS(cad);
}

TEST_F(Links, ADroppedConnectorLeavesNoTrace)
{
    cad.SetShapeTool(SpLinkLine);
    Down(150, 150);
    Up(150, 150);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    cad.SetShapeTool(SpLine);
    EXPECT_EQ(cad.CurrentShape(), nullptr);
    EXPECT_TRUE(s1->LinkLineNos().empty());
    Click(10, 10);
    EXPECT_EQ(cad.CurrentShape()->ClassName(), "TMyLine");
}

TEST_F(Links, TheLineToolFindsTheEndsOfPlainLinesAndPolylinesOnly)
{
    TMyShape* line = Line({TMyPoint(100, 300), TMyPoint(200, 300)}, "L");
    TMyShape* poly = Line({TMyPoint(300, 300), TMyPoint(350, 350), TMyPoint(400, 300)}, "P", SpPolyLine);
    Line({TMyPoint(100, 500), TMyPoint(200, 500)}, "R", SpRuleLine);
    int id = 0, no = 0;
    EXPECT_TRUE(cad.InWhichShapeWhichPointNo(id, no, TMyPoint(198, 302)));
    EXPECT_EQ(id, line->GetShapeId());
    EXPECT_EQ(no, 1);
    EXPECT_TRUE(cad.InWhichShapeWhichPointNo(id, no, TMyPoint(400, 300)));
    EXPECT_EQ(id, poly->GetShapeId());
    EXPECT_EQ(no, 2);
    EXPECT_FALSE(cad.InWhichShapeWhichPointNo(id, no, TMyPoint(350, 350))); // an inner point
    EXPECT_FALSE(cad.InWhichShapeWhichPointNo(id, no, TMyPoint(200, 500))); // a rule line
    EXPECT_EQ(id, -1);
    EXPECT_EQ(no, -1);

    cad.SetShapeTool(SpLine);
    Down(201, 299);
    auto* drawn = dynamic_cast<TMyLine*>(cad.CurrentShape());
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->MergeStartShapeId(), line->GetShapeId());
    EXPECT_EQ(drawn->MergeStartPointNo(), 1);
    Up(201, 299);
    Move(299, 301);
    EXPECT_EQ(cad.HotShapeNo(), poly->GetShapeId());
    EXPECT_EQ(cad.HotLinkId(), 0);
}

TEST_F(Links, ALineDrawnBetweenTwoLineEndsJoinsThemIntoOnePolyline)
{
    TMyShape* left = Line({TMyPoint(100, 300), TMyPoint(200, 300)}, "Left");
    TMyShape* right = Line({TMyPoint(400, 400), TMyPoint(300, 300)}, "Right");
    const int rightId = right->GetShapeId();
    cad.ClearAllUndoStuff();
    // The end of the new line is recorded when it is finished.
    cad.OnShapeAdded = [&](TMyShape*& s, int) { static_cast<TMyLine*>(s)->SetMergeEnd(rightId, 1); };
    cad.SetShapeTool(SpLine);
    Click(200, 300);
    Click(300, 300);
    ASSERT_EQ(cad.GetShapesCount(), 5); // Plain, S1, S2, S3 and the polyline
    TMyShape* joined = cad.GetShapeByNo(4);
    EXPECT_EQ(joined->ClassName(), "TMyPolyLine");
    EXPECT_EQ(joined->Name(), "Shape7"); // "Shape" and the count before it was added
    QStringList points;
    for (const TMyPoint& p : joined->Points())
        points << QStringLiteral("(%1,%2)").arg(double(p.X)).arg(double(p.Y));
    EXPECT_EQ(points, QStringList({"(100,300)", "(200,300)", "(300,300)", "(400,400)"}));
    EXPECT_EQ(cad.GetShapeByName("Left"), nullptr);
    EXPECT_EQ(cad.GetShapeByName("Right"), nullptr);
    EXPECT_TRUE(Selection().isEmpty()); // the deletions that follow the addition empty it
    // The polyline's addition and the two deletions; the new line itself is not recorded.
    EXPECT_EQ(History(cad), QStringList({"0:ACT_ADD:Shape7", "1:ACT_DELETE:Left", "2:ACT_DELETE:Right"}));
    (void)left;
}
