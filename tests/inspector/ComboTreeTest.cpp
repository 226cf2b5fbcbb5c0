// The component combo box and tree beside an inspector: their entries and texts, the
// user's choice setting the inspector's instance, rebuilding without selecting, and
// following the drawing's shape list.
#include "InspectorTestSupport.h"

#include "inspector/CompCombo.h"
#include "inspector/CompTree.h"
#include "support/DrawingTestSupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

} // namespace

TEST(ComponentComboBox, ListsTheDrawingAndItsShapes)
{
    TInspectedDrawing d;
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    TComponentComboBox combo;
    combo.SetInspector(&insp);
    EXPECT_EQ(Items(combo), (QStringList{"(noname): TMyCAD", "R1: TMyRectangle", "R2: TMyRectangle"}));
    EXPECT_EQ(combo.currentIndex(), -1);
    d.Cad->setObjectName("Canvas");
    combo.OnFilter = [](TCustomComponentComboBox*, QObject* c, bool& accept) { accept = ComponentName(c) != "R1"; };
    combo.OnGetComponentText = [](TCustomComponentComboBox*, QObject*, QString& text) { text += "!"; };
    combo.RebuildList();
    EXPECT_EQ(Items(combo), (QStringList{"Canvas: TMyCAD!", "R2: TMyRectangle!"}));
    // An inspector update shows its single instance, without signals.
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
    int chosen = 0;
    combo.OnChange = [&chosen](TCustomComponentComboBox*, QObject*) { ++chosen; };
    insp.SetInstance(r2);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(chosen, 0);
    // The user's choice sets the inspector's instance.
    emit combo.activated(0);
    EXPECT_EQ(insp.Instance(), d.Cad.get());
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST(ComponentComboBox, FollowsTheShapeList)
{
    TInspectedDrawing d;
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    TComponentComboBox combo;
    combo.SetInspector(&insp);
    ASSERT_EQ(combo.count(), 3);
    d.Cad->DeleteShapeById(r2->GetShapeId(), false);
    EXPECT_EQ(Items(combo), (QStringList{"(noname): TMyCAD", "R1: TMyRectangle"}));
    EXPECT_EQ(combo.ComponentAt(2), nullptr);
    AddRect(*d.Cad, 0, 0, 5, 5, "R3");
    d.Cad->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.Cad.get()));
    d.Cad->repaint(); // the drawing's paint after a change of its shapes
    EXPECT_EQ(Items(combo), (QStringList{"(noname): TMyCAD", "R1: TMyRectangle", "R3: TMyRectangle"}));
    d.Cad->DeleteAllShapes();
    EXPECT_EQ(Items(combo), QStringList{"(noname): TMyCAD"});
    emit combo.activated(5); // an entry that is gone does nothing
    EXPECT_EQ(insp.InstanceCount(), 0);
}

TEST(ComponentTree, ShapesUnderTheDrawingAndMembersUnderTheirGroup)
{
    TInspectedDrawing d;
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    TMyShape* r3 = AddRect(*d.Cad, 200, 100, 250, 150, "R3");
    ASSERT_GE(d.Cad->GroupShapes({r2, r3}, false), 0);
    auto* label = new QLabel(d.Cad.get());
    label->setObjectName("Status");
    auto* helper = new QObject(d.Cad.get());
    helper->setObjectName("Helper");
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    TComponentTree tree;
    tree.SetInspector(&insp);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(tree.ComponentOf(root), d.Cad.get());
    QTreeWidgetItem* r2Item = tree.ItemOf(r2);
    ASSERT_NE(r2Item, nullptr);
    QTreeWidgetItem* group = r2Item->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_NE(group, root);
    EXPECT_EQ(tree.ItemOf(r3)->parent(), group);
    EXPECT_EQ(group->parent(), root);
    EXPECT_EQ(tree.ItemOf(d.Rect)->parent(), root);
    EXPECT_NE(tree.ItemOf(label), nullptr);
    EXPECT_EQ(tree.ItemOf(helper), nullptr); // not visual
    tree.SetShowNonVisual(true);
    EXPECT_NE(tree.ItemOf(helper), nullptr);
    // Selecting a node inspects it; editing its text is reported.
    tree.setCurrentItem(tree.ItemOf(r3));
    EXPECT_EQ(insp.Instance(), r3);
    QString edited;
    tree.OnEditText = [&edited](TCustomComponentTree*, QObject* c, const QString& text) { edited = ComponentName(c) + "=" + text; };
    tree.ItemOf(r3)->setText(0, "Renamed");
    EXPECT_EQ(edited, "R3=Renamed");
}

TEST(ComponentComboBox, CutUngroupAndLoadLeaveNothingStaleBehind)
{
    TInspectedDrawing d;
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    TMyShape* r3 = AddRect(*d.Cad, 200, 100, 250, 150, "R3");
    TComponentInspector insp;
    insp.SetRoot(d.Cad.get());
    TComponentComboBox combo;
    combo.SetInspector(&insp);
    TComponentTree tree;
    tree.SetInspector(&insp);
    const auto names = [&combo] {
        QStringList shown;
        for (int i = 0; i < combo.count(); ++i)
            if (QObject* c = combo.ComponentAt(i))
                shown << ComponentName(c);
        return shown;
    };
    // Cut: the inspected shape goes, and with it its rows and its entries.
    insp.SetInstance(r2);
    d.Cad->SetWorkingShapes({r2});
    ASSERT_TRUE(d.Cad->Cut());
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.InstanceCount(), 0);
    EXPECT_EQ(insp.ItemCount(), 0);
    EXPECT_FALSE(names().contains("R2"));
    EXPECT_TRUE(tree.findItems("R2", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    // Ungroup: the group is freed, its members stay inspectable.
    const int groupId = d.Cad->GroupShapes({d.Rect, r3}, false);
    ASSERT_GE(groupId, 0);
    TMyShape* group = d.Cad->GetShapeByID(groupId);
    insp.SetInstance(group);
    EXPECT_GT(insp.ItemCount(), 0);
    ASSERT_NE(tree.ItemOf(r3), nullptr);
    EXPECT_EQ(tree.ComponentOf(tree.ItemOf(r3)->parent()), group);
    d.Cad->UnGroupShape(group, false);
    EXPECT_EQ(tree.ComponentOf(tree.ItemOf(r3)->parent()), d.Cad.get()); // at once
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.InstanceCount(), 0);
    combo.showPopup(); // looked at again: built from the shape list as it is now
    combo.hidePopup();
    EXPECT_EQ(names(), (QStringList{"", "R1", "R3"}));
    emit combo.activated(2);
    EXPECT_EQ(insp.Instance(), r3);
    // Load: every shape is replaced; the inspector keeps only the drawing.
    QBuffer stream;
    ASSERT_TRUE(stream.open(QIODevice::ReadWrite));
    ASSERT_TRUE(d.Cad->SaveToStream(stream));
    insp.AddInstance(d.Cad.get());
    ASSERT_TRUE(d.Cad->LoadFromStream(stream));
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.Instances(), std::vector<QObject*>{d.Cad.get()});
    EXPECT_TRUE(RowNames(insp).contains("Zoom"));
    EXPECT_EQ(names(), (QStringList{"", "R1", "R3"})); // the loaded shapes, fresh objects
    for (int i = 1; i < combo.count(); ++i)
        EXPECT_NE(combo.ComponentAt(i), r3);
}
