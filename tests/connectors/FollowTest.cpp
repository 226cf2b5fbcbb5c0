// Connectors following their shapes, reshaped by their hots, created by code, split by a
// drawn connector or a junction, and painted with hops.
#include "ConnectorTestSupport.h"

#include <QImage>

namespace {
TColor At(const TBitmap& bitmap, int x, int y)
{
    return FromQColor(QColor(bitmap.ToQImage().pixel(x, y)));
}

QStringList History(const TMyCAD& cad)
{
    QStringList lines;
    const TUndoList& undo = cad.UndoList();
    for (int i = 0; i < undo.RecordCount(); ++i)
        lines << QStringLiteral("%1:%2").arg(undo.Record(i).ActionName, undo.Record(i).ShapeName);
    return lines;
}
} // namespace

class Follow : public ConnectorTest {
protected:
    Follow()
    {
        a = Box(100, 100, 200, 160, "A"); // right link point (200, 130)
        b = Box(400, 300, 500, 360, "B"); // left link point (400, 330)
        line = Link(a, 2, b, 0);
    }
    // The route a fresh connector between the same link points gets now.
    QString FreshRoute(TMyShape* from, int pf, TMyShape* to, int pt)
    {
        TMyLinkLine* fresh = FreeConnector({});
        cad.GetPath(nullptr, fresh, from, from->GetLinkPointInZoom(pf), to, to->GetLinkPointInZoom(pt), dNone);
        const QString route = PointsOf(fresh);
        cad.DeleteShapeById(fresh->GetShapeId(), false);
        return route;
    }
    TMyShape* a;
    TMyShape* b;
    TMyLinkLine* line;
};

TEST_F(Follow, CreateLinkAddsOneSelectedConnectorWithOneRecord)
{
    EXPECT_EQ(line->Name(), "L");
    EXPECT_EQ(line->StartSpNo(), a->ShapeNo());
    EXPECT_EQ(line->EndSpPtId(), 0);
    EXPECT_EQ(cad.GetSelectedShape(), line);
    EXPECT_EQ(History(cad).last(), "ACT_ADD:L");
    EXPECT_EQ(cad.IsLinked(a, b), line->GetShapeId());
    EXPECT_EQ(cad.IsinHotLink(a, TPoint(204, 126)), 2);
    EXPECT_EQ(cad.IsinHotLink(a, TPoint(205, 130)), -1);
}

TEST_F(Follow, CreateLinkThatFailsLeavesNothingBehind)
{
    const int count = cad.GetShapesCount();
    const auto listedA = a->LinkLineNos();
    cad.SelectShapeByCode(a->GetShapeId(), true);
    EXPECT_EQ(cad.CreateLink("X", a, 4, b, 0), -1); // an index equal to the count
    EXPECT_EQ(cad.CreateLink("X", a, 0, nullptr, 0), -1);
    TMyCAD other;
    TMyShape* foreign = AddRect(other, 0, 0, 10, 10);
    foreign->AddLinkPoint(TMyPoint(5, 5));
    EXPECT_EQ(cad.CreateLink("X", a, 0, foreign, 0), -1);
    EXPECT_EQ(cad.GetShapesCount(), count);
    EXPECT_EQ(a->LinkLineNos(), listedA);
    EXPECT_EQ(cad.GetSelectedShape(), a);
    // A handler that deletes the new connector: nothing is recorded or selected.
    const int history = cad.UndoList().RecordCount();
    cad.OnShapeAdded = [this](TMyShape*& s, int) { cad.DeleteShapeById(s->GetShapeId(), false); };
    EXPECT_EQ(cad.CreateLink("X", a, 0, b, 1), -1);
    EXPECT_EQ(cad.GetShapesCount(), count);
    EXPECT_EQ(a->LinkLineNos(), listedA);
    EXPECT_EQ(cad.UndoList().RecordCount(), history);
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
    EXPECT_EQ(cad.CurrentShape(), nullptr);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Follow, AnAutomaticRouteIsLaidAgainWholeWhenAShapeMoves)
{
    cad.Move(a, 50, -40);
    EXPECT_EQ(PointsOf(line), FreshRoute(a, 2, b, 0));
    cad.Rotate(b, 0.5f);
    EXPECT_EQ(line->GetPoint(line->GetPointsCount() - 1), b->GetLinkPoint(0));
    cad.SelectAllShapes();
    cad.AlignLeft();
    EXPECT_EQ(line->GetPoint(0), a->GetLinkPoint(2));
    cad.FlipHoriz(a);
    EXPECT_EQ(line->GetPoint(0), a->GetLinkPoint(2));
    EXPECT_INVARIANTS(cad);
}

TEST_F(Follow, AHandShapedRouteKeepsItsInsideAndIsReroutedAtTheMovedEnd)
{
    // The inner segment dragged down by 20 pixels: the route is the user's now.
    line->MergePoints();
    const int n = line->GetPointsCount();
    line->SetCurrentHot(n + 1);
    line->SizeChangeValue(TMyPoint(0, 0), TMyPoint(10, 0));
    ASSERT_FALSE(line->AutoRoute());
    const TArrMyPoint before = line->Points();
    cad.Move(b, 30, 50);
    const TArrMyPoint after = line->Points();
    ASSERT_GE(after.size(), before.size() - 3);
    for (size_t i = 0; i + 3 < before.size(); ++i)
        EXPECT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(after.back(), b->GetLinkPoint(0));
    EXPECT_FALSE(line->AutoRoute());
    // Three points or fewer: always laid again whole.
    line->PointsRef() = {a->GetLinkPoint(2), TMyPoint(300, 130), b->GetLinkPoint(0)};
    cad.Move(b, 10, 0);
    EXPECT_TRUE(line->AutoRoute());
    EXPECT_EQ(PointsOf(line), FreshRoute(a, 2, b, 0));
}

TEST_F(Follow, BothEndsOnOneShapeAreListedOnceAndFollowIt)
{
    TMyLinkLine* loop = Link(a, 1, a, 3);
    EXPECT_EQ(std::count(a->LinkLineNos().begin(), a->LinkLineNos().end(), uint32_t(loop->ShapeNo())), 1);
    cad.Move(a, 20, 20);
    EXPECT_EQ(loop->GetPoint(0), a->GetLinkPoint(1));
    EXPECT_EQ(loop->GetPoint(loop->GetPointsCount() - 1), a->GetLinkPoint(3));
    // One end leaving keeps the entry for the other.
    loop->SetCurrentHot(loop->GetPointsCount() - 1);
    const TMyPoint end = loop->GetPointInZoom(loop->GetPointsCount() - 1);
    loop->SizeChangeValue(end, TMyPoint(700, 700));
    EXPECT_EQ(loop->EndSpNo(), -1);
    EXPECT_EQ(std::count(a->LinkLineNos().begin(), a->LinkLineNos().end(), uint32_t(loop->ShapeNo())), 1);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Follow, AnEndDroppedOnALinkPointAttachesThereAndOnEmptyCanvasComesLoose)
{
    TMyShape* c = Box(600, 100, 700, 160, "C");
    line->SetCurrentHot(line->GetPointsCount() - 1);
    line->SizeChangeValue(TMyPoint(400, 330), TMyPoint(600, 130)); // onto C's left link point
    EXPECT_EQ(line->EndSpNo(), c->ShapeNo());
    EXPECT_EQ(line->EndSpPtId(), 0);
    EXPECT_TRUE(std::find(c->LinkLineNos().begin(), c->LinkLineNos().end(), uint32_t(line->ShapeNo())) !=
                c->LinkLineNos().end());
    EXPECT_TRUE(b->LinkLineNos().empty());
    line->SetCurrentHot(line->GetPointsCount() - 1);
    line->SizeChangeValue(TMyPoint(600, 130), TMyPoint(650, 400));
    EXPECT_EQ(line->EndSpNo(), -1);
    EXPECT_TRUE(c->LinkLineNos().empty());
    EXPECT_INVARIANTS(cad);
}

TEST_F(Follow, DraggingASegmentNextToAnAttachedStartAddsAJog)
{
    line->MergePoints();
    ASSERT_EQ(PointsOf(line), "(200,130) (375,130) (375,330) (400,330)");
    line->SetCurrentHot(4); // segment 0
    line->SizeChangeValue(TMyPoint(0, 0), TMyPoint(0, 20));
    EXPECT_EQ(PointsOf(line), "(200,130) (243.75,130) (243.75,150) (375,150) (375,330) (400,330)");
    // A point hot: its neighbours follow on one axis each.
    line->SetCurrentHot(3); // (375,150)
    line->SizeChangeValue(TMyPoint(0, 0), TMyPoint(15, 5));
    EXPECT_EQ(PointsOf(line), "(200,130) (243.75,130) (243.75,155) (390,155) (390,330) (400,330)");
    // Hots that are not the connector's change nothing.
    const QString kept = PointsOf(line);
    for (int hot : {-1, 2 * line->GetPointsCount() - 1, 1000}) {
        line->SetCurrentHot(hot);
        line->SizeChangeValue(TMyPoint(0, 0), TMyPoint(9, 9));
    }
    EXPECT_EQ(PointsOf(line), kept);
}

TEST_F(Follow, HotsAndCursorsOfPointsAndSegments)
{
    line->MergePoints(); // (200,130) (375,130) (375,330) (400,330)
    EXPECT_EQ(line->InWhichHot(TPoint(375, 131)), 1);
    EXPECT_EQ(line->InWhichHot(TPoint(287, 130)), 4);       // middle of segment 0
    EXPECT_EQ(line->GetMouseCursor(287, 130), crSizeNS);    // a horizontal segment moves up and down
    EXPECT_EQ(line->GetMouseCursor(375, 230), crSizeWE);    // a vertical one sideways
    EXPECT_EQ(line->GetMouseCursor(200, 130), crSizeAll);
    cad.SetShapeTool(SpRotateSelecting);
    EXPECT_EQ(line->InWhichHot(TPoint(200, 130)), -1);
}

TEST_F(Follow, AStyleChangeStraightensOrLaysTheRouteAgain)
{
    line->SetLinkLineDrawStyle(lldsFree);
    EXPECT_EQ(PointsOf(line), "(200,130) (400,330)");
    line->SetAutoRoute(false);
    line->SetLinkLineDrawStyle(lldsHV);
    EXPECT_TRUE(line->AutoRoute());
    EXPECT_EQ(PointsOf(line), FreshRoute(a, 2, b, 0));
}

TEST_F(Follow, UndoingAChangeOfAConnectorAttachesItsEndsAgain)
{
    cad.PushtoUndoRedoShapeList({line}, UndoActionName(TUndoAction::Change));
    line->SetCurrentHot(line->GetPointsCount() - 1);
    line->SizeChangeValue(TMyPoint(400, 330), TMyPoint(650, 500));
    ASSERT_EQ(line->EndSpNo(), -1);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(line->EndSpNo(), b->ShapeNo());
    EXPECT_EQ(line->GetPoint(line->GetPointsCount() - 1), b->GetLinkPoint(0));
    EXPECT_INVARIANTS(cad);
}

// ---- Splitting --------------------------------------------------------------------------------

class Split : public ConnectorTest {
protected:
    Split()
    {
        target = FreeConnector({TMyPoint(100, 300), TMyPoint(500, 300)});
        box = Box(250, 100, 350, 160, "A"); // bottom link point (300, 160)
        cad.ClearAllUndoStuff();
    }
    TMyLinkLine* target;
    TMyShape* box;
};

TEST_F(Split, ADrawnConnectorEndingOnASegmentSplitsItAtANewJunction)
{
    cad.SetShapeTool(SpLinkLine);
    Down(300, 160);
    Move(300, 250, ssLeft);
    Move(300, 302, ssLeft);
    Up(300, 302);
    ASSERT_EQ(cad.GetShapesCount(), 5); // target, box, drawn, remainder, junction
    auto* drawn = dynamic_cast<TMyLinkLine*>(cad.GetShapeByNo(2));
    auto* rest = dynamic_cast<TMyLinkLine*>(cad.GetShapeByNo(3));
    auto* junction = dynamic_cast<TMyLineLinkLine*>(cad.GetShapeByNo(4));
    ASSERT_TRUE(rest && junction && drawn);
    EXPECT_EQ(PointsOf(target), "(100,300) (300,300)");
    EXPECT_EQ(PointsOf(rest), "(300,300) (500,300)");
    EXPECT_EQ(junction->GetLinkPoint(0), TMyPoint(300, 300));
    for (TMyLinkLine* l : {target, drawn})
        EXPECT_EQ(l->EndSpNo(), junction->ShapeNo());
    EXPECT_EQ(rest->StartSpNo(), junction->ShapeNo());
    EXPECT_EQ(drawn->StartSpNo(), box->ShapeNo());
    EXPECT_EQ(drawn->GetPoint(drawn->GetPointsCount() - 1), TMyPoint(300, 300)); // on the junction
    EXPECT_EQ(History(cad), (QStringList{"ACT_CHANGE:Shape0", "ACT_ADD:" + rest->Name(), "ACT_ADD:" + junction->Name(),
                                         "ACT_ADD:" + drawn->Name(), "ACT_ADD:" + drawn->Name()}));
    // Undone step by step: no end is left dangling, and the split connector comes back.
    while (cad.PopFromUndoRedoShapeList() >= 0)
        EXPECT_INVARIANTS(cad);
    EXPECT_EQ(cad.GetShapesCount(), 2);
    EXPECT_EQ(PointsOf(target), "(100,300) (500,300)");
    EXPECT_EQ(target->EndSpNo(), -1);
}

TEST_F(Split, AJunctionPlacedOnASegmentSplitsIt)
{
    cad.SetShapeTool(SpLineLinkLine);
    Click(200, 303);
    ASSERT_EQ(cad.GetShapesCount(), 4); // target, box, junction, remainder
    auto* junction = dynamic_cast<TMyLineLinkLine*>(cad.GetShapeByNo(2));
    auto* rest = dynamic_cast<TMyLinkLine*>(cad.GetShapeByNo(3));
    ASSERT_TRUE(junction && rest);
    EXPECT_EQ(junction->GetLinkPoint(0), TMyPoint(200, 300));
    EXPECT_EQ(PointsOf(target), "(100,300) (200,300)");
    EXPECT_EQ(PointsOf(rest), "(200,300) (500,300)");
    EXPECT_EQ(cad.IsLinked(junction, junction), rest->GetShapeId());
    // Off the segment, or level with an end: no split.
    TMyPoint p(100, 300);
    TMyLinkLine* hit = nullptr;
    EXPECT_EQ(cad.IsBreakLineByAPoint(p, hit, nullptr), -1);
    p = TMyPoint(150, 305);
    EXPECT_EQ(cad.IsBreakLineByAPoint(p, hit, nullptr), -1);
    p = TMyPoint(150, 304);
    EXPECT_EQ(cad.IsBreakLineByAPoint(p, hit, nullptr), 0);
    EXPECT_EQ(hit, target);
    EXPECT_EQ(p, TMyPoint(150, 300));
}

// ---- Hops --------------------------------------------------------------------------------------

TEST_F(Split, HopsAreHalfCirclesOverVerticalConnectorSegments)
{
    cad.DeleteAllShapes();
    cad.SetCrossLine(true);
    cad.GridOperation()->SetGridType(gNone);
    for (double zoom : {1.0, 2.0}) {
        cad.SetZoom(zoom);
        cad.DeleteAllShapes();
        FreeConnector({TMyPoint(0, 50), TMyPoint(100, 50)});
        FreeConnector({TMyPoint(40, 20), TMyPoint(40, 80)});
        FreeConnector({TMyPoint(50, 20), TMyPoint(50, 80)});  // too close to the first hop
        FreeConnector({TMyPoint(70, 20), TMyPoint(70, 50)});  // ends on the segment: no hop
        cad.DrawAll(TRect(0, 0, int(120 * zoom), int(100 * zoom)));
        const TBitmap& image = *cad.Buffer();
        const int y = int(50 * zoom), r = int(8 * zoom);
        auto px = [&](double x, int yy) { return At(image, int(x * zoom), yy); };
        EXPECT_EQ(px(20, y), clBlack) << zoom;          // the segment before the hop
        EXPECT_EQ(px(40 - 6, y), clWhite) << zoom;      // left open under the hop
        // The top of the half circle.
        bool top = false;
        for (int yy = y - r - 1; yy <= y - r + 1; ++yy)
            top = top || At(image, int(40 * zoom), yy) == clBlack;
        EXPECT_TRUE(top) << zoom;
        EXPECT_EQ(px(60, y), clBlack) << zoom;          // no hop at 50 nor at 70
        EXPECT_EQ(px(70, y), clBlack) << zoom;
    }
}

// Without hops a connector is drawn as its segments one after the other, each leaving out
// its end: the same pixels however it goes, back over itself too.
TEST_F(Split, AConnectorWithoutHopsDrawsTheSegmentsOfItsPoints)
{
    cad.DeleteAllShapes();
    cad.GridOperation()->SetGridType(gNone);
    const TArrMyPoint points = {TMyPoint(10.4f, 10), TMyPoint(200, 31.5f), TMyPoint(40, 92),
                                TMyPoint(181, 150),  TMyPoint(20.6f, 171), TMyPoint(150, 20)};
    TMyLinkLine* line = FreeConnector(points);
    line->SetLinkLineDrawStyle(lldsFree);
    line->PointsRef() = points;
    for (double zoom : {1.0, 1.3}) {
        cad.SetZoom(zoom);
        const TRect page(0, 0, int(220 * zoom), int(200 * zoom));
        cad.DrawAll(page);
        ASSERT_EQ(line->Points(), points);
        TBitmap expected(page.Width(), page.Height());
        TCanvas& c = expected.Canvas();
        c.Brush().SetColor(clWhite);
        c.FillRect(page);
        c.Pen().SetColor(clBlack);
        for (size_t k = 0; k + 1 < points.size(); ++k) {
            const TPoint a = MyPtToPt(line->GetPointInZoom(int(k))), b = MyPtToPt(line->GetPointInZoom(int(k + 1)));
            c.MoveTo(a.X, a.Y);
            c.LineTo(b.X, b.Y);
        }
        EXPECT_EQ(cad.Buffer()->ToQImage(), expected.ToQImage()) << zoom;
    }
}

// With hops, the pieces between the hops and the hops' half circles are drawn as the
// lines they are, one after the other: a segment drawn right to left runs its pieces left
// to right, and nothing joins them to the segment before.
TEST_F(Split, AConnectorWithHopsDrawsItsPiecesOneByOne)
{
    cad.DeleteAllShapes();
    cad.GridOperation()->SetGridType(gNone);
    cad.SetCrossLine(true);
    const TArrMyPoint left = {TMyPoint(300, 100), TMyPoint(100, 100), TMyPoint(100, 150)};
    const TArrMyPoint right = {TMyPoint(60, 20), TMyPoint(60, 60.4f), TMyPoint(290.6f, 60.4f)};
    TMyLinkLine* leftward = FreeConnector(left);
    TMyLinkLine* rightward = FreeConnector(right);
    FreeConnector({TMyPoint(200.3f, 10), TMyPoint(200.3f, 170)});
    FreeConnector({TMyPoint(150, 30), TMyPoint(150, 120)});
    leftward->SetLinkLineDrawStyle(lldsFree);
    leftward->PointsRef() = left;
    rightward->SetLinkLineDrawStyle(lldsFree);
    rightward->PointsRef() = right;
    cad.RemoveAllWorkingShapes();
    for (double zoom : {1.0, 2.0}) {
        cad.SetZoom(zoom);
        const TRect page(0, 0, int(320 * zoom), int(200 * zoom));
        cad.DrawAll(page);
        TBitmap expected(page.Width(), page.Height());
        TCanvas& c = expected.Canvas();
        c.Brush().SetColor(clWhite);
        c.FillRect(page);
        c.Pen().SetColor(clBlack);
        const auto line = [&](TMyPoint a, TMyPoint b) {
            c.MoveTo(Round(a.X), Round(a.Y));
            c.LineTo(Round(b.X), Round(b.Y));
        };
        const int r = Round(zoom * leftward->HopRadius());
        const auto hopped = [&](float y, float from, float to, std::vector<float> xs) {
            float cur = from;
            for (float x : xs) {
                line(TMyPoint(cur, y), TMyPoint(float(double(x) - r), y));
                leftward->DrawHalfCircle(&c, TMyPoint(x, y));
                cur = float(double(x) + r);
            }
            line(TMyPoint(cur, y), TMyPoint(to, y));
        };
        const float z = float(zoom);
        hopped(100 * z, 100 * z, 300 * z, {150 * z, float(200.3 * zoom)});
        line(TMyPoint(100 * z, 100 * z), TMyPoint(100 * z, 150 * z));
        line(TMyPoint(60 * z, 20 * z), TMyPoint(60 * z, float(60.4 * zoom)));
        hopped(float(60.4 * zoom), 60 * z, float(290.6 * zoom), {150 * z, float(200.3 * zoom)});
        line(TMyPoint(float(200.3 * zoom), 10 * z), TMyPoint(float(200.3 * zoom), 170 * z));
        line(TMyPoint(150 * z, 30 * z), TMyPoint(150 * z, 120 * z));
        EXPECT_EQ(cad.Buffer()->ToQImage(), expected.ToQImage()) << zoom;
    }
}

TEST_F(Split, PaintingTidiesInDocumentUnitsAndDrawsNoHopsOutsideAPass)
{
    cad.DeleteAllShapes();
    cad.SetCrossLine(true);
    TMyLinkLine* h = FreeConnector({TMyPoint(10.25f, 50), TMyPoint(10.25f, 50), TMyPoint(300.5f, 50)});
    FreeConnector({TMyPoint(100, 20), TMyPoint(100, 80)});
    // A partial repaint moves the shapes it draws and puts them back: the tidied points
    // are the document's own, exactly.
    cad.DrawAll(TRect(7, 3, 207, 203));
    EXPECT_EQ(PointsOf(h), "(10.25,50) (300.5,50)");
    cad.DrawAll(TRect(7, 3, 207, 203));
    EXPECT_EQ(PointsOf(h), "(10.25,50) (300.5,50)");
    // Drawn on its own, outside a paint pass, the connector has no hops to make.
    TBitmap picture;
    picture.SetSize(320, 100);
    picture.Canvas().Brush().SetColor(clWhite);
    picture.Canvas().FillRect(TRect(0, 0, 320, 100));
    h->Draw(&picture.Canvas());
    EXPECT_EQ(At(picture, 100, 50), clBlack);
    EXPECT_EQ(At(picture, 100, 42), clWhite);
}

TEST_F(Split, ZoomZeroOrBelowIsRefusedAndLongConnectorsTidyInLinearTime)
{
    cad.SetZoom(0);
    cad.SetZoom(-2);
    EXPECT_EQ(cad.Zoom(), 1.0);
    // 200,000 points of a nearly straight run: the quadratic tidying would not finish.
    TArrMyPoint many;
    for (int i = 0; i < 200000; ++i)
        many.push_back(TMyPoint(float(i % 2), float(i)));
    target->PointsRef() = many;
    target->MergePoints();
    EXPECT_EQ(PointsOf(target), "(0,0) (0,199999)");
}

TEST_F(Split, DamagedReferencesAreSkippedAndOutOfRangeEndsAreFree)
{
    // A link point index beyond the shape's link points: the end is free, its values stay.
    target->SetStartSpNo(box->ShapeNo());
    target->SetStartSpPtId(9);
    AddLinklineShape(box, target->ShapeNo());
    EXPECT_FALSE(target->StartAttached());
    EXPECT_EQ(target->GetStartShape(), nullptr);
    // A listed number that is not a connector is passed over.
    AddLinklineShape(box, box->ShapeNo());
    cad.Move(box, 10, 10);
    EXPECT_EQ(target->StartSpPtId(), 9);
    EXPECT_EQ(PointsOf(target), "(100,300) (500,300) (500,300)"); // laid again between its own ends
}

// A partial repaint leaves out the hops that cannot show in it: its pixels are those of
// the whole page there, with the same connectors drawn (each reaches into the part).
TEST_F(Split, APartialRepaintDrawsTheHopsOfTheWholePageThere)
{
    cad.DeleteAllShapes();
    cad.SetCrossLine(true);
    cad.GridOperation()->SetGridType(gNone);
    const TRect part(100, 250, 200, 350);
    for (int y = 260; y <= 340; y += 16) // long horizontals through the part
        FreeConnector({TMyPoint(0, float(y)), TMyPoint(400, float(y))});
    // Verticals, each with a tail into the part, none near its sides.
    for (const int x : {10, 33, 56, 130, 150, 170, 250, 273, 296, 319, 342, 365, 388})
        FreeConnector({TMyPoint(float(x), 200), TMyPoint(float(x), 380), TMyPoint(150, 380), TMyPoint(150, 300)});
    // Short verticals that put the hop of one horizontal each a pixel or two off the part's
    // sides, where only a thick pen's ink reaches in.
    for (int j = 0; j < 6; ++j) {
        const float y = float(260 + 16 * j);
        for (const float x : {float(100 - 8 - 4 + j), float(200 + 8 + 4 - j)})
            FreeConnector({TMyPoint(x, y - 5), TMyPoint(x, y + 5), TMyPoint(150, y + 5)});
    }
    for (int width : {1, 5}) {
        for (const auto& s : cad.Shapes())
            s->Pen()->SetWidth(width);
        cad.DrawAll(TRect(0, 0, 400, 400));
        const QImage whole = cad.Buffer()->Image().copy(part.Left, part.Top, part.Width(), part.Height());
        cad.DrawAll(part);
        const QImage& partial = cad.Buffer()->Image();
        int differing = 0, ink = 0;
        for (int y = 0; y < part.Height(); ++y)
            for (int x = 0; x < part.Width(); ++x) {
                differing += whole.pixel(x, y) != partial.pixel(x, y);
                ink += (whole.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            }
        EXPECT_GT(ink, 1000) << "the part shows lines and hops";
        EXPECT_EQ(differing, 0) << "pen width " << width;
    }
}

// A part's hops count the connectors listed for their size alone: a chain of crossings
// off the part decides which crossings inside it get hops. The part equals the page cut
// out at zoom 1 and 2.
TEST_F(Split, APartCountsTheCrossingsOfConnectorsListedForTheirSize)
{
    cad.DeleteAllShapes();
    cad.SetCrossLine(true);
    cad.GridOperation()->SetGridType(gNone);
    FreeConnector({TMyPoint(0, 150), TMyPoint(150, 150)});
    // Taller than the part, beside it: listed for their height; one tidied by the pass.
    for (int x = 15; x <= 45; x += 5)
        FreeConnector(x == 25 ? TArrMyPoint{TMyPoint(25, 115), TMyPoint(25, 115), TMyPoint(25, 185)}
                              : TArrMyPoint{TMyPoint(float(x), 115), TMyPoint(float(x), 185)});
    for (int x = 50; x <= 95; x += 5)
        FreeConnector({TMyPoint(float(x), 140), TMyPoint(float(x), 160)});
    // Listed for its height too, far below the rows.
    FreeConnector({TMyPoint(75, 400), TMyPoint(75, 500)});
    for (const int zoom : {1, 2}) {
        cad.SetZoom(zoom);
        const TRect part(50 * zoom, 125 * zoom, 100 * zoom, 175 * zoom);
        cad.DrawAll(TRect(0, 0, 200 * zoom, 600 * zoom));
        const QImage whole = cad.Buffer()->Image().copy(part.Left, part.Top, part.Width(), part.Height());
        cad.DrawAll(part);
        EXPECT_EQ(cad.DrawnShapes().size(), 19u) << "zoom " << zoom;
        const QImage& partial = cad.Buffer()->Image();
        int differing = 0;
        for (int y = 0; y < part.Height(); ++y)
            for (int x = 0; x < part.Width(); ++x)
                differing += whole.pixel(x, y) != partial.pixel(x, y);
        EXPECT_EQ(differing, 0) << "zoom " << zoom;
        // Hops at 15, 35, 55 and 75 leave the line between 63 and 67 bare; hops begun at
        // 50 (50, 70, 90) would jump over x = 64.
        EXPECT_NE(partial.pixel(14 * zoom, 25 * zoom) & 0xFFFFFF, 0xFFFFFFu) << "zoom " << zoom;
    }
}
