// Sub-objects are opened one level at a time, as the user expands them, so an object
// graph that leads back to itself is inspected as deep as it is opened and no deeper;
// and a host's editor hook can leave a row to the built-in editor.
#include "InspectorTestSupport.h"

#include "component/shapes/MyRectangle.h"

#include "support/RecordingUIServices.h"

#include <gtest/gtest.h>

class TNode : public QObject {
    Q_OBJECT
    Q_PROPERTY(TNode* Next READ Next WRITE SetNext)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
public:
    TNode* Next() const { return FNext; }
    void SetNext(TNode* v) { FNext = v; }
    int Value() const { return FValue; }
    void SetValue(int v) { FValue = v; }
    TNode* FNext = nullptr;
    int FValue = 0;
};

TEST(ObjectGraph, ACycleIsOpenedOnlyAsFarAsExpanded)
{
    TInspectedDrawing d;
    TNode a;
    TNode b;
    a.SetNext(&b);
    b.SetNext(&a); // a -> b -> a -> ...
    a.SetValue(1);
    b.SetValue(2);
    TCustomPropertyEntry entry;
    entry.Class = &TMyRectangle::staticMetaObject;
    entry.Name = "Chain";
    entry.ValueType = QMetaType::fromType<TNode*>();
    entry.Read = [&a](QObject*) { return QVariant::fromValue(&a); };
    ASSERT_TRUE(RegisterCustomProperty(entry));
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    insp.SetInstance(d.Rect);
    const int chain = RowOf(insp, "Chain");
    ASSERT_GE(chain, 0);
    EXPECT_EQ(insp.GetValue(chain), "(TNode)");
    EXPECT_EQ(insp.GetExpandState(chain), esExpand);
    const int before = insp.ItemCount();
    ASSERT_TRUE(insp.SelectProperty("Chain.Next.Next.Next.Value"));
    EXPECT_EQ(insp.ItemCount(), before + 8); // two rows for each of the four open levels
    EXPECT_EQ(insp.GetValue(insp.ItemIndex()), "2");
    EXPECT_EQ(insp.GetLevel(insp.ItemIndex()), 4);
    EXPECT_EQ(insp.GetExpandState(RowOf(insp, "Chain.Next.Next.Next.Next")), esExpand);
    insp.SetValue(insp.ItemIndex(), "5");
    EXPECT_EQ(b.Value(), 5);
    insp.SetInstance(nullptr);
    EXPECT_TRUE(UnregisterCustomProperty(&TMyRectangle::staticMetaObject, "Chain"));
}

TEST(ObjectGraph, EditorHookCanLeaveARowToTheBuiltInEditor)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TInspectedDrawing d;
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    insp.SetInstance(d.Rect);
    QStringList handled;
    insp.OnCallEditor = [&handled](TCustomInspector* s, int row, bool& changed, bool& done) {
        auto* ci = static_cast<TCustomComponentInspector*>(s);
        if (ci->GetProperty(row)->Kind() == TTypeKind::tkLString) {
            handled << ci->GetProperty(row)->Name();
            changed = false;
        } else {
            done = false;
        }
    };
    int changes = 0;
    insp.OnChange = [&changes](TCustomComponentInspector*, TProperty*) { ++changes; };
    // Without an external editor a double click steps to the next value (here the same
    // text, which is not written) and the hook is not asked.
    insp.ItemAction(RowOf(insp, "Caption"), iaDoubleClick);
    EXPECT_TRUE(handled.isEmpty());
    EXPECT_EQ(changes, 1);
    insp.OnGetEnableExternalEditor = [](TCustomInspector*, int, bool& v) { v = true; };
    insp.ItemAction(RowOf(insp, "Caption"), iaDoubleClick);
    EXPECT_EQ(handled, QStringList{"Caption"});
    ui.QueueColor(clGreen);
    insp.SelectProperty("Brush.Color");
    insp.ItemAction(insp.ItemIndex(), iaDoubleClick);
    EXPECT_EQ(d.Rect->Brush()->Color(), clGreen);
    EXPECT_EQ(changes, 2);
    insp.SetValue(RowOf(insp, "Tag"), "4");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(d.Rect->Tag(), 4);
}

#include "ObjectGraphTest.moc"
