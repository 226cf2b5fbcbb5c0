// The interaction state never reaches a freed shape: the current shape, the clicked
// member, the shape last entered, the highlighted hot and the working shapes each point
// at a shape, the shape goes (deleted, its addition undone, every shape deleted, another
// drawing loaded), and the state reads as nothing for it while the mouse goes on.
#include "MouseTestSupport.h"

#include "component/editing/InteractionState.h"
#include "component/editing/MouseController.h"

#include <QBuffer>
#include <functional>

namespace {
struct TWay {
    const char* Name;
    std::function<void(TMyCAD&, TMyShape*)> Free;
};

const TWay kWays[] = {
    {"deleted", [](TMyCAD& cad, TMyShape* s) { ASSERT_TRUE(cad.DeleteShapeById(cad.GetRootParentShape(s)->GetShapeId(), true)); }},
    {"undone", [](TMyCAD& cad, TMyShape*) {
         // The newest records are the additions of the shapes the scenario made.
         while (cad.PopFromUndoRedoShapeList() >= 0) {
         }
     }},
    {"all deleted", [](TMyCAD& cad, TMyShape*) { cad.DeleteAllShapes(); }},
    {"replaced by a load", [](TMyCAD& cad, TMyShape*) {
         TMyCAD other;
         AddRect(other, 500, 500, 520, 520);
         QBuffer bytes;
         bytes.open(QIODevice::ReadWrite);
         ASSERT_TRUE(other.SaveToStream(bytes));
         bytes.seek(0);
         ASSERT_TRUE(cad.LoadFromStream(bytes));
     }},
};
} // namespace

class FreedShapes : public MouseTest {
protected:
    // Frees the shape the scenario pointed the state at in each way, each time on a
    // fresh drawing, and checks what reads it afterwards.
    void ExpectForgottenEveryWay(const std::function<TMyShape*()>& Point,
                                 const std::function<const TMyShape*()>& Read)
    {
        for (const TWay& way : kWays) {
            SCOPED_TRACE(way.Name);
            cad.DeleteAllShapes();
            cad.SetShapeTool(SpSelecting);
            TMyShape* target = Point();
            ASSERT_NE(target, nullptr);
            ASSERT_EQ(Read(), target);
            const QPointer<TMyShape> gone(target);
            way.Free(cad, target);
            ASSERT_TRUE(gone.isNull()) << "the shape was not freed";
            EXPECT_EQ(Read(), nullptr);
            EXPECT_EQ(cad.IsInWorkingShape(target), -1);
            EXPECT_INVARIANTS(cad);
            // The mouse goes on over the place where the shape was, and beyond.
            Move(110, 110);
            Move(400, 400);
            Click(110, 110);
            cad.Paint();
            EXPECT_INVARIANTS(cad);
        }
    }
};

TEST_F(FreedShapes, TheCurrentShape)
{
    ExpectForgottenEveryWay(
        [&] {
            TMyShape* s = AddRect(cad, 100, 100, 140, 140);
            cad.DeSelectedAllShapesByCode();
            Click(120, 120);
            return s;
        },
        [&] { return cad.CurrentShape(); });
}

TEST_F(FreedShapes, TheWorkingShapes)
{
    ExpectForgottenEveryWay(
        [&] {
            TMyShape* s = AddRect(cad, 100, 100, 140, 140);
            cad.SelectShapeByCode(s->GetShapeId(), true);
            return s;
        },
        [&]() -> const TMyShape* { return cad.GetSelectedShape(); });
}

TEST_F(FreedShapes, TheClickedMemberOfAGroup)
{
    ExpectForgottenEveryWay(
        [&] {
            TMyShape* a = AddRect(cad, 100, 100, 140, 140, "A");
            TMyShape* b = AddRect(cad, 160, 100, 200, 140, "B");
            const int group = cad.GroupShapes({a, b}, true);
            cad.SelectShapeByCode(group, true);
            // A press on a member of the selected group picks the member.
            Down(120, 120);
            return cad.ClickedChild() == a ? a : nullptr;
        },
        [&] { return cad.ClickedChild(); });
}

TEST_F(FreedShapes, TheShapeLastEntered)
{
    ExpectForgottenEveryWay(
        [&] {
            TMyShape* s = AddRect(cad, 100, 100, 140, 140);
            cad.DeSelectedAllShapesByCode();
            Move(120, 120);
            return s;
        },
        [&] { return cad.LastEnteredShape(); });
}

TEST_F(FreedShapes, TheHighlightedLinkPoint)
{
    ExpectForgottenEveryWay(
        [&] {
            TMyShape* s = AddRect(cad, 100, 100, 140, 140);
            s->AddLinkPoint(TMyPoint(120, 120));
            cad.DeSelectedAllShapesByCode();
            cad.SetShapeTool(SpLinkLine);
            Move(121, 119); // the connector tool highlights the link point under the mouse
            return s;
        },
        [&]() -> const TMyShape* { return cad.MouseController().State().HighlightShape; });
}
