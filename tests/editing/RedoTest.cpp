// Redo: every recorded action done, undone and done again leaves the drawing exactly as
// doing it once did (its saved bytes), step after step; a new action forgets the undone ones.
#include "EditingSupport.h"

#include <QBuffer>

#include <functional>

namespace {
QByteArray Saved(const TMyCAD& cad)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(cad.SaveToStream(buffer));
    return buffer.data();
}

// The same bytes, or where they part.
::testing::AssertionResult SameBytes(const QByteArray& Got, const QByteArray& Want)
{
    if (Got == Want)
        return ::testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < Got.size() && at < Want.size() && Got[at] == Want[at])
        ++at;
    return ::testing::AssertionFailure() << "sizes " << Got.size() << " and " << Want.size()
                                         << ", first difference at byte " << at << ": "
                                         << Got.mid(at - 8, 24).toHex(' ').toStdString() << " for "
                                         << Want.mid(at - 8, 24).toHex(' ').toStdString();
}

// Three boxes with a link point at each side's middle, A and B joined by a connector,
// then a history of 20 actions.
class Redo : public ::testing::Test {
protected:
    Redo()
    {
        cad.SetUndoRedoSize(0);
        a = Box(0, 0, 40, 20, "A");
        b = Box(100, 0, 140, 20, "B");
        c = Box(200, 100, 240, 120, "C");
        const int id = cad.CreateLink(QStringLiteral("L"), a, 2, b, 0);
        line = qobject_cast<TMyLinkLine*>(cad.GetShapeByID(id));
        cad.SetUndoRedoSize(20);
        cad.OnUndoRedoChange = [this](QObject*) { ++changes; };
    }
    TMyShape* Box(float x1, float y1, float x2, float y2, const QString& name)
    {
        TMyShape* s = AddRect(cad, x1, y1, x2, y2, name);
        const float mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
        for (const TMyPoint& p : {TMyPoint(x1, my), TMyPoint(mx, y1), TMyPoint(x2, my), TMyPoint(mx, y2)})
            s->AddLinkPoint(p);
        return s;
    }
    // Does the action, then undoes and redoes it twice: each redo gives the bytes the
    // action gave, and the history ends as it was after the action.
    void ExpectRedoable(const std::function<void()>& Action, int Line = __builtin_LINE())
    {
        SCOPED_TRACE(Line);
        Action();
        const QByteArray done = Saved(cad);
        const QStringList described = Describe(cad);
        const QStringList history = History(cad);
        const QString text = cad.UndoActionText();
        ASSERT_TRUE(cad.CanUndo());
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE(round);
            cad.PopFromUndoRedoShapeList();
            ASSERT_TRUE(cad.CanRedo());
            EXPECT_EQ(cad.RedoActionText(), text);
            EXPECT_CONSISTENT(cad);
            ASSERT_TRUE(cad.Redo());
            EXPECT_FALSE(cad.CanRedo());
            EXPECT_EQ(Describe(cad), described);
            EXPECT_TRUE(SameBytes(Saved(cad), done));
            EXPECT_EQ(History(cad), history);
            EXPECT_CONSISTENT(cad);
        }
    }

    TMyCAD cad;
    TMyShape* a = nullptr;
    TMyShape* b = nullptr;
    TMyShape* c = nullptr;
    TMyLinkLine* line = nullptr;
    int changes = 0;
};
} // namespace

TEST_F(Redo, AnAdditionComesBackWithItsIdentifierLayerAndAttachedEnds)
{
    const int first = cad.CurrentLayerId();
    const int layer = cad.NewLayer(QStringLiteral("Second"), true);
    cad.SetCurrentLayerId(layer);
    ExpectRedoable([&] { cad.CreateLink(QStringLiteral("L2"), b, 3, c, 1); });
    // The current layer changes between undo and redo: the connector keeps its own.
    cad.PopFromUndoRedoShapeList();
    cad.SetCurrentLayerId(first);
    ASSERT_TRUE(cad.Redo());
    const TMyShape* l2 = cad.GetShapeByNo(cad.GetShapesCount() - 1);
    EXPECT_EQ(l2->LayerId(), layer);
    EXPECT_EQ(qobject_cast<const TMyLinkLine*>(l2)->GetEndShape(), c);
    EXPECT_EQ(UndoActionCaption(TUndoAction::Add), cad.UndoActionText());
}

TEST_F(Redo, ChangesMovesAndTheirConnectorsAreDoneAgain)
{
    ExpectRedoable([&] {
        cad.PushtoUndoRedoShapeList({a}, QStringLiteral("ACT_CHANGE"));
        cad.Move(a, 30, 50);
    });
    ExpectRedoable([&] {
        cad.PushtoUndoRedoShapeList({line}, QStringLiteral("ACT_CHANGE"));
        cad.AttachConnectorEnd(line, llEnd, c->ShapeNo(), 1);
        cad.ChangeLinkShapes(c);
    });
    EXPECT_EQ(line->GetEndShape(), c);
    EXPECT_EQ(cad.UndoActionText(), "Change");
}

TEST_F(Redo, DeletionsGroupingsAndReorderingsAreDoneAgain)
{
    ExpectRedoable([&] {
        cad.SelectShapeByCode(b->GetShapeId(), true);
        cad.DeleteSelectedShapes();
    });
    int group = -1;
    ExpectRedoable([&] { group = cad.GroupShapes({a, c}, true); });
    // The group done again is the group the action made, by identifier and by name.
    ASSERT_NE(cad.GetShapeByID(group), nullptr);
    EXPECT_EQ(cad.GetShapeByID(group)->Name(), QStringLiteral("Shape%1").arg(group));
    ExpectRedoable([&] { cad.BringToFront(cad.GetShapeByNo(0), true); });
    ExpectRedoable([&] { cad.SendToBack(cad.GetShapeByNo(cad.GetShapesCount() - 1), true); });
    ExpectRedoable([&] { cad.BringToFrontByStep(cad.GetShapeByNo(0), true); });
    ExpectRedoable([&] { cad.SendToBackByStep(cad.GetShapeByNo(1), true); });
    ExpectRedoable([&] { cad.UnGroupShape(cad.GetShapeByID(group), true); });
    EXPECT_EQ(cad.UndoActionText(), "Ungroup");
}

TEST_F(Redo, ManyStepsUndoneAreRedoneInOrder)
{
    const TArrMyPoint startA = a->Points();
    cad.PushtoUndoRedoShapeList({a}, QStringLiteral("ACT_CHANGE"));
    cad.Move(a, 0, 60);
    const int group = cad.GroupShapes({a, b}, true);
    cad.PushtoUndoRedoShapeList({cad.GetShapeByID(group)}, QStringLiteral("ACT_CHANGE"));
    cad.Move(cad.GetShapeByID(group), 10, 10);
    cad.SelectShapeByCode(c->GetShapeId(), true);
    cad.DeleteSelectedShapes();
    const QByteArray end = Saved(cad);

    while (cad.CanUndo())
        cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.RedoCount(), 4);
    EXPECT_EQ(cad.RedoActionText(), "Change");
    int redone = 0;
    while (cad.Redo())
        ++redone;
    EXPECT_EQ(redone, 4);
    EXPECT_TRUE(SameBytes(Saved(cad), end));
    EXPECT_CONSISTENT(cad);
    // And all the way back again: the moves of the group find the group grouping made.
    while (cad.CanUndo())
        cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.GetShapesCount(), 4);
    EXPECT_EQ(a->Points(), startA);
}

TEST_F(Redo, ANewActionForgetsTheUndoneOnesAndEveryChangeIsAnnounced)
{
    changes = 0;
    cad.GroupShapes({a, b}, true);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(changes, 2);
    ASSERT_TRUE(cad.CanRedo());
    cad.PushtoUndoRedoShapeList({c}, QStringLiteral("ACT_CHANGE"));
    EXPECT_FALSE(cad.CanRedo());
    EXPECT_FALSE(cad.Redo());
    EXPECT_EQ(cad.RedoActionText(), QString());
    // An empty push records nothing and forgets nothing.
    cad.PopFromUndoRedoShapeList();
    cad.PushtoUndoRedoShapeList({}, QStringLiteral("ACT_CHANGE"));
    EXPECT_TRUE(cad.CanRedo());
    // Clearing the history and switching it off forget the undone actions too.
    cad.ClearAllUndoStuff();
    EXPECT_FALSE(cad.CanRedo());
    EXPECT_FALSE(cad.CanUndo());
    EXPECT_EQ(cad.UndoActionText(), QString());
    cad.Move(c, 5, 5);
    cad.PushtoUndoRedoShapeList({c}, QStringLiteral("ACT_CHANGE"));
    cad.PopFromUndoRedoShapeList();
    cad.SetUndoRedoSize(0);
    EXPECT_FALSE(cad.CanRedo());
}

TEST_F(Redo, ShapesGoneSinceTheUndoAreSkipped)
{
    cad.PushtoUndoRedoShapeList({a, c}, QStringLiteral("ACT_CHANGE"));
    cad.Move(a, 0, 40);
    cad.Move(c, 0, 40);
    cad.PopFromUndoRedoShapeList();
    const TArrMyPoint before = c->Points();
    cad.DeleteShapeById(a->GetShapeId(), false); // no record: the undone step stays
    ASSERT_TRUE(cad.Redo());
    EXPECT_NE(c->Points(), before);
    EXPECT_EQ(History(cad), (QStringList{"0:ACT_CHANGE:C"}));
    EXPECT_CONSISTENT(cad);
}
