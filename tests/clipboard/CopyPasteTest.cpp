// Copy, cut and paste within a drawing and between drawings: the memory shapes, the
// relation cut, the renumbering, identifiers, names, offsets, selection, events and undo.
#include "ClipboardTestSupport.h"

#include <cstring>

namespace {

class CopyPaste : public ClipboardTest {
protected:
    CopyPaste()
    {
        cad.SetUndoRedoSize(20);
        cad.OnShapeAdded = [this](TMyShape*& shape, int count) { added.emplace_back(shape->GetShapeId(), count); };
    }
    TMyCAD cad;
    std::vector<std::pair<int, int>> added; // identifier, count
};

TArrMyPoint Shifted(const TArrMyPoint& points, float d)
{
    TArrMyPoint out = points;
    for (TMyPoint& p : out)
        p = TMyPoint(p.X + d, p.Y + d);
    return out;
}

} // namespace

TEST_F(CopyPaste, AGroupAndAConnectorPasteWithEveryRelationMapped)
{
    const TSampleDrawing s = BuildSample(cad);
    const TArrMyPoint groupPoints = s.Group->Points(), linkPoints = s.Link->Points();
    cad.SetWorkingShapes({s.Group, s.C, s.Link});
    cad.ClearAllUndoStuff();
    ASSERT_TRUE(cad.Copy());
    // Each copied shape before its members, in selection order.
    ASSERT_EQ(cad.GetMemShapesCount(), 5);
    EXPECT_EQ(cad.MemShapes()[0]->GetShapeId(), s.Group->GetShapeId());
    EXPECT_EQ(cad.MemShapes()[1]->GetShapeId(), s.A->GetShapeId());
    EXPECT_EQ(cad.MemShapes()[2]->GetShapeId(), s.B->GetShapeId());
    EXPECT_EQ(cad.MemShapes()[3]->GetShapeId(), s.C->GetShapeId());
    EXPECT_EQ(cad.MemShapes()[4]->GetShapeId(), s.Link->GetShapeId());
    EXPECT_EQ(cad.GetShapesCount(), 5) << "Copy changes nothing in the drawing";
    EXPECT_TRUE(cad.UndoList().Empty());

    added.clear();
    cad.Paste();
    ASSERT_EQ(cad.GetShapesCount(), 10);
    EXPECT_INVARIANTS(cad);
    // Reverse order of the memory list: connector, C, B, A, group.
    auto at = [&](int no) { return cad.GetShapeByNo(no); };
    const QStringList classes = {QStringLiteral("TMyLinkLine"), QStringLiteral("TMyRectangle"),
                                 QStringLiteral("TMyRectangle"), QStringLiteral("TMyRectangle"),
                                 QStringLiteral("TMyGroup")};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(at(5 + k)->ClassName(), classes[k]);
        EXPECT_EQ(at(5 + k)->GetShapeId(), 5 + k);
        EXPECT_EQ(at(5 + k)->Name(), QStringLiteral("Shape%1").arg(5 + k));
        EXPECT_EQ(at(5 + k)->LayerId(), cad.CurrentLayerId());
    }
    TMyShape* group = at(9);
    TMyShape* a = at(8);
    TMyShape* c = at(6);
    auto* link = qobject_cast<TMyLinkLine*>(at(5));
    ASSERT_TRUE(link);
    EXPECT_EQ(group->ChildNos(), (TMyShapeNo{8, 7}));
    EXPECT_EQ(a->ParentNo(), 9);
    EXPECT_EQ(at(7)->ParentNo(), 9);
    EXPECT_EQ(link->StartSpNo(), 8);
    EXPECT_EQ(link->EndSpNo(), 6);
    EXPECT_EQ(link->StartSpPtId(), 3);
    EXPECT_EQ(link->EndSpPtId(), 1);
    EXPECT_EQ(a->LinkLineNos(), TMyShapeNo{5});
    EXPECT_EQ(c->LinkLineNos(), TMyShapeNo{5});
    // 4 units right and down of the copied shapes.
    EXPECT_EQ(group->Points(), Shifted(groupPoints, 4));
    EXPECT_EQ(link->Points(), Shifted(linkPoints, 4));
    EXPECT_EQ(a->Points(), Shifted(s.A->Points(), 4));
    // The pasted top-level shapes are the selection and one undo action.
    EXPECT_EQ(cad.WorkingShapes(), (TArrMyShape{link, c, group}));
    ASSERT_EQ(added.size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(added[size_t(k)], std::make_pair(5 + k, 6 + k));
    EXPECT_EQ(cad.UndoList().ActionCount(), 1);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.GetShapesCount(), 5);
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, AConnectorCopiedAloneComesLooseAndStaysLooseInMemory)
{
    const TSampleDrawing s = BuildSample(cad);
    cad.SetWorkingShapes({s.Link});
    cad.Copy();
    cad.Paste();
    auto* pasted = qobject_cast<TMyLinkLine*>(cad.GetShapeByNo(5));
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->StartSpNo(), -1);
    EXPECT_EQ(pasted->EndSpNo(), -1);
    EXPECT_EQ(pasted->StartSpPtId(), -1);
    auto* memory = qobject_cast<TMyLinkLine*>(cad.MemShapes()[0].get());
    EXPECT_EQ(memory->StartSpNo(), -1);
    EXPECT_EQ(memory->EndSpNo(), -1);
    // The original keeps its ends.
    EXPECT_EQ(s.Link->StartSpNo(), 0);
    EXPECT_EQ(s.A->LinkLineNos(), TMyShapeNo{3});
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, ASecondPasteLandsAtTheSamePlaceWithFreshIdentifiers)
{
    TMyShape* r = AddRect(cad, 0, 0, 100, 50);
    const TArrMyPoint points = r->Points();
    cad.SetWorkingShapes({r});
    cad.Copy();
    cad.Paste();
    cad.Paste();
    ASSERT_EQ(cad.GetShapesCount(), 3);
    EXPECT_EQ(cad.GetShapeByNo(1)->Points(), Shifted(points, 4));
    EXPECT_EQ(cad.GetShapeByNo(2)->Points(), Shifted(points, 4));
    EXPECT_EQ(cad.GetShapeByNo(2)->Name(), QStringLiteral("Shape2"));
    EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{cad.GetShapeByNo(2)});
    EXPECT_EQ(cad.UndoList().ActionCount(), 3);
}

TEST_F(CopyPaste, TheFirstShapeCopiedEndsUpFrontmost)
{
    TMyShape* a = AddRect(cad, 0, 0, 10, 10, QStringLiteral("A"));
    TMyShape* b = AddRect(cad, 20, 0, 30, 10, QStringLiteral("B"));
    cad.SetWorkingShapes({a, b});
    cad.Copy();
    cad.Paste();
    EXPECT_EQ(cad.GetShapeByNo(2)->Points(), Shifted(b->Points(), 4));
    EXPECT_EQ(cad.GetShapeByNo(3)->Points(), Shifted(a->Points(), 4));
}

TEST_F(CopyPaste, AMemberCopiedWithoutItsGroupPastesAsATopLevelShape)
{
    const TSampleDrawing s = BuildSample(cad);
    cad.SetWorkingShapes({s.B});
    cad.Copy();
    cad.Paste();
    TMyShape* pasted = cad.GetShapeByNo(5);
    EXPECT_EQ(pasted->ParentNo(), -1);
    EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{pasted});
    EXPECT_EQ(cad.UndoList().Record(cad.UndoList().RecordCount() - 1).Shape->GetShapeId(), pasted->GetShapeId());
    EXPECT_EQ(s.Group->ChildNos(), (TMyShapeNo{0, 1})) << "the group keeps its members";
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, AMemberSelectedBesideItsGroupIsCopiedOnce)
{
    const TSampleDrawing s = BuildSample(cad);
    cad.SetWorkingShapes({s.Group, s.A});
    cad.Copy();
    EXPECT_EQ(cad.GetMemShapesCount(), 3);
    cad.Paste();
    EXPECT_EQ(cad.GetShapesCount(), 8);
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, CopyingRestoresTheExactCoordinates)
{
    // Coordinates that a float shift and its inverse would not give back.
    TMyShape* r = AddRect(cad, 0, 0, 10, 10);
    r->PointsRef() = {TMyPoint(0.1f, 1234.567f), TMyPoint(77.7f, 1234.567f), TMyPoint(77.7f, 3000.3f),
                      TMyPoint(0.1f, 3000.3f)};
    r->AddLinkPoint(TMyPoint(93.3f, 5001.1f));
    r->SetCaptionPoint(TMyPoint(38.9f, 3010.3f));
    cad.SetZoom(3);
    const TArrMyPoint points = r->Points(), links = r->LinkPoints();
    const TMyPoint caption = r->CaptionPoint();
    cad.SetWorkingShapes({r});
    cad.Copy();
    cad.CopyToClipBoardAsWmf();
    EXPECT_EQ(std::memcmp(r->Points().data(), points.data(), points.size() * sizeof(TMyPoint)), 0);
    EXPECT_EQ(std::memcmp(r->LinkPoints().data(), links.data(), links.size() * sizeof(TMyPoint)), 0);
    const TMyPoint after = r->CaptionPoint();
    EXPECT_EQ(std::memcmp(&caption, &after, sizeof(TMyPoint)), 0);
}

TEST_F(CopyPaste, CutCopiesAndDeletesButNeverALockedShape)
{
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    b->SetLocked(true);
    cad.SetWorkingShapes({a, b});
    EXPECT_FALSE(cad.Cut());
    EXPECT_EQ(cad.GetShapesCount(), 2);
    EXPECT_EQ(cad.GetMemShapesCount(), 2) << "the selection was copied";

    b->SetLocked(false);
    cad.SetWorkingShapes({a, b});
    EXPECT_TRUE(cad.Cut());
    EXPECT_EQ(cad.GetShapesCount(), 0);
    cad.Paste();
    EXPECT_EQ(cad.GetShapesCount(), 2);
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, EmptySelectionsAndEmptyMemory)
{
    TMyShape* r = AddRect(cad, 0, 0, 10, 10);
    cad.SetWorkingShapes({r});
    cad.Copy();
    clipboard.Placed.clear();
    cad.RemoveAllWorkingShapes();
    EXPECT_FALSE(cad.Copy());
    EXPECT_FALSE(cad.CopyToClipBoardAsWmf());
    EXPECT_TRUE(clipboard.Placed.empty()) << "both clipboards stay as they were";
    EXPECT_EQ(cad.GetMemShapesCount(), 1);

    TMyCAD empty;
    empty.SetUndoRedoSize(20);
    TMyShape* e = AddRect(empty, 0, 0, 5, 5);
    empty.SetWorkingShapes({e});
    empty.Paste();
    EXPECT_EQ(empty.GetShapesCount(), 1);
    EXPECT_TRUE(empty.WorkingShapes().empty());
    EXPECT_EQ(empty.UndoList().ActionCount(), 1) << "no record for an empty paste";
}

TEST_F(CopyPaste, PasteFromAnotherDrawingTakesItsMemoryShapes)
{
    TMyCAD other;
    const TSampleDrawing s = BuildSample(other);
    other.SetWorkingShapes({s.Group, s.C, s.Link});
    other.Copy();
    AddRect(cad, 0, 0, 10, 10);
    cad.PasteFromMyCAD(&other);
    ASSERT_EQ(cad.GetShapesCount(), 6);
    EXPECT_EQ(cad.GetMemShapesCount(), 5);
    EXPECT_EQ(other.GetMemShapesCount(), 5);
    for (const auto& shape : cad.Shapes())
        EXPECT_EQ(shape->OwnerCAD(), &cad);
    for (const auto& shape : cad.MemShapes())
        EXPECT_EQ(shape->OwnerCAD(), &cad);
    EXPECT_EQ(cad.GetShapeByNo(5)->ClassName(), QStringLiteral("TMyGroup"));
    EXPECT_INVARIANTS(cad);

    // An empty other drawing, none, or this one: this drawing's own memory is pasted.
    TMyCAD empty;
    cad.PasteFromMyCAD(&empty);
    EXPECT_EQ(cad.GetShapesCount(), 11);
    cad.PasteFromMyCAD(nullptr);
    EXPECT_EQ(cad.GetShapesCount(), 16);
    cad.PasteFromMyCAD(&cad);
    EXPECT_EQ(cad.GetShapesCount(), 21);
    EXPECT_EQ(cad.GetMemShapesCount(), 5);
    EXPECT_INVARIANTS(cad);
}

TEST_F(CopyPaste, AHandlerThatDeletesShapesDuringThePasteCannotMisdirectNumbers)
{
    const TSampleDrawing s = BuildSample(cad);
    cad.SetWorkingShapes({s.Group, s.C, s.Link});
    cad.Copy();
    // The first event deletes the pasted connector and an old shape.
    bool done = false;
    cad.OnShapeAdded = [&](TMyShape*& shape, int) {
        if (done)
            return;
        done = true;
        const int id = shape->GetShapeId();
        cad.DeleteShapeById(id, false);
        cad.DeleteShapeById(s.B->GetShapeId(), false);
    };
    cad.Paste();
    EXPECT_INVARIANTS(cad);
    TMyShape* group = cad.GetShapeByID(9);
    ASSERT_TRUE(group);
    for (uint32_t member : group->ChildNos())
        EXPECT_EQ(cad.GetShapeByNo(int(member))->ParentNo(), group->ShapeNo());
    EXPECT_FALSE(cad.GetShapeByID(5));
    for (TMyShape* shape : cad.WorkingShapes())
        EXPECT_EQ(cad.GetShapeByID(shape->GetShapeId()), shape);
}

TEST_F(CopyPaste, ADrawingWithoutLayersRefusesThePasteCleanly)
{
    TRecordingUIServices ui;
    TScopedUIServices uiScope(ui);
    TMyShape* r = AddRect(cad, 0, 0, 10, 10);
    cad.SetWorkingShapes({r});
    cad.Copy();
    cad.DeleteAllLayers();
    added.clear();
    cad.Paste();
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(ui.LastMessageText(), QStringLiteral("Error!There is no Layer!"));
}
