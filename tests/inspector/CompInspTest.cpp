// The component inspector on a drawing and its shapes: rows and their order, expanding
// and collapsing, the answers to the row interface, the next-value cycle, several
// instances showing only common values, rebuilding on every change of what is
// inspected, and applying pending edits to the object they were typed for.
#include "InspectorTestSupport.h"

#include "support/DrawingTestSupport.h"
#include "inspector/PropTexts.h"
#include "support/RecordingUIServices.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TCompInspFixture : ::testing::Test {
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    TInspectedDrawing d;
    TComponentInspector insp;

    void SetUp() override
    {
        insp.resize(240, 600);
        insp.SetRoot(d.Cad.get());
    }
    int Row(const QString& fullName) { return RowOf(insp, fullName); }
    QString Value(const QString& fullName) { return insp.GetValue(Row(fullName)); }
};

} // namespace

TEST_F(TCompInspFixture, RowsOfAShapeExpandAndCollapse)
{
    insp.SetInstance(d.Rect);
    EXPECT_EQ(insp.Instance(), d.Rect);
    QStringList names = RowNames(insp);
    EXPECT_EQ(names.first(), "Angle");
    EXPECT_EQ(names.last(), "Visible");
    EXPECT_TRUE(names.contains("Name"));
    EXPECT_EQ(insp.ItemIndex(), 0);
    const int pen = Row("Pen");
    EXPECT_EQ(insp.GetExpandState(pen), esExpand);
    EXPECT_EQ(insp.GetExpandState(Row("Tag")), esNone);
    EXPECT_EQ(insp.GetExpandState(Row("UserData")), esNone);
    const int before = insp.ItemCount();
    insp.Expand(pen);
    EXPECT_EQ(insp.ItemCount(), before + 4);
    EXPECT_EQ(insp.GetExpandState(pen), esCollapse);
    EXPECT_EQ(RowNames(insp).mid(pen, 5), (QStringList{"Pen", "Color", "Mode", "Style", "Width"}));
    EXPECT_EQ(insp.GetLevel(pen + 1), 1);
    EXPECT_EQ(insp.GetValue(pen + 1), "clBlack");
    // The expanded list survives a rebuild.
    insp.RefreshList();
    EXPECT_EQ(insp.ItemCount(), before + 4);
    insp.Collapse(pen);
    EXPECT_EQ(insp.ItemCount(), before);
    // Selecting a deep property opens the way to it.
    ASSERT_TRUE(insp.SelectProperty("font.style.FSBOLD"));
    EXPECT_EQ(insp.GetProperty(insp.ItemIndex())->FullName(), "Font.Style.fsBold");
    EXPECT_EQ(insp.GetLevel(insp.ItemIndex()), 2);
    EXPECT_FALSE(insp.SelectProperty("Font.Nothing"));
    insp.ClearExpanded();
    EXPECT_EQ(insp.ItemCount(), before);
    EXPECT_EQ(insp.GetProperty(insp.ItemIndex())->FullName(), "Font"); // the nearest row left
}

TEST_F(TCompInspFixture, DrawingRowsHideReadOnlyValuesButShowObjects)
{
    insp.SetInstance(d.Cad.get());
    const QStringList names = RowNames(insp);
    EXPECT_FALSE(names.contains("Version")); // read-only and not an object
    EXPECT_TRUE(names.contains("UserData"));
    EXPECT_TRUE(names.contains("GridOperation"));
    EXPECT_EQ(Value("ColorOfBackGround"), "clWhite");
    EXPECT_EQ(Value("CrossLine"), "True");
    EXPECT_EQ(Value("BkBitmap"), "(None)");
    EXPECT_EQ(Value("Font"), "(TFont)");
}

TEST_F(TCompInspFixture, AnswersOfTheRowInterface)
{
    insp.SetInstance(d.Rect);
    insp.Expand(Row("Pen"));
    insp.Expand(Row("Font"));
    EXPECT_EQ(insp.GetButtonType(Row("Tag")), btUpDown);
    EXPECT_EQ(insp.GetButtonType(Row("Pen.Width")), btUpDown);
    EXPECT_EQ(insp.GetButtonType(Row("Pen.Color")), btDropDown);
    EXPECT_EQ(insp.GetButtonType(Row("Pen.Style")), btDropDown);
    EXPECT_EQ(insp.GetButtonType(Row("Locked")), btDropDown);
    EXPECT_EQ(insp.GetButtonType(Row("Font")), btDialog);
    EXPECT_EQ(insp.GetButtonType(Row("Font.Name")), btDropDown);
    EXPECT_EQ(insp.GetButtonType(Row("Font.Charset")), btDropDown);
    EXPECT_EQ(insp.GetButtonType(Row("MultiInfo")), btDialog);
    EXPECT_EQ(insp.GetButtonType(Row("UserData")), btDialog);
    EXPECT_EQ(insp.GetButtonType(Row("Pen")), btNone);
    EXPECT_EQ(insp.GetButtonType(Row("Name")), btNone);
    EXPECT_EQ(insp.GetButtonType(Row("Angle")), btNone);
    EXPECT_TRUE(insp.GetReadOnly(Row("Pen")));
    EXPECT_TRUE(insp.GetReadOnly(Row("UserData")));
    EXPECT_FALSE(insp.GetReadOnly(Row("Name")));
    EXPECT_TRUE(insp.GetEnableExternalEditor(Row("Pen.Color")));
    EXPECT_TRUE(insp.GetEnableExternalEditor(Row("Font")));
    EXPECT_FALSE(insp.GetEnableExternalEditor(Row("Tag")));
    EXPECT_TRUE(insp.GetAutoApply(Row("Tag")));
    EXPECT_FALSE(insp.GetAutoApply(Row("Font")));
    EXPECT_EQ(insp.GetInplaceEditorType(Row("Locked")), ieEdit);
    insp.SetCheckBoxes(true);
    EXPECT_EQ(insp.GetInplaceEditorType(Row("Locked")), ieCheckBox);
    EXPECT_EQ(insp.GetButtonType(Row("Locked")), btNone);
    // Drag of the up-down button: the value plus the distance, in the edit.
    insp.SetItemIndex(Row("Tag"));
    insp.DragValue(Row("Tag"), 7);
    EXPECT_EQ(insp.Editor()->text(), "7");
    EXPECT_TRUE(insp.Editor()->isModified());
    EXPECT_EQ(d.Rect->Tag(), 0);
}

TEST_F(TCompInspFixture, NextValueCyclesThroughTheList)
{
    insp.SetInstance(d.Rect);
    const int locked = Row("Locked");
    EXPECT_EQ(insp.GetNextValue(locked), "True");
    insp.ItemAction(locked, iaDoubleClick);
    EXPECT_TRUE(d.Rect->Locked());
    insp.ItemAction(locked, iaDoubleClick);
    EXPECT_FALSE(d.Rect->Locked());
    const int align = Row("MultiInfoAlignment");
    EXPECT_EQ(insp.GetValue(align), "taLeftJustify");
    EXPECT_EQ(insp.GetNextValue(align), "taRightJustify");
    d.Rect->SetMultiInfoAlignment(taCenter);
    EXPECT_EQ(insp.GetNextValue(align), "taLeftJustify"); // wraps
    EXPECT_EQ(insp.GetNextValue(Row("Tag")), "0");        // no list: the value itself
    // A double click on a value without a list writes nothing back.
    d.Rect->SetAngle(0.3f);
    insp.ItemAction(Row("Angle"), iaDoubleClick);
    EXPECT_EQ(d.Rect->Angle(), 0.3f);
}

TEST_F(TCompInspFixture, SeveralInstancesShowOnlyWhatTheyShare)
{
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    const int lineId = d.Cad->AddShapeByCode(d.Cad.get(), SpLine, QString(), {TMyPoint(0, 0), TMyPoint(50, 50)}, 0, "L1");
    TMyShape* line = d.Cad->GetShapeByID(lineId);
    ASSERT_NE(line, nullptr);
    insp.SetInstance(d.Rect);
    insp.AddInstance(r2);
    EXPECT_EQ(insp.InstanceCount(), 2);
    EXPECT_EQ(insp.Instance(), nullptr);
    EXPECT_FALSE(RowNames(insp).contains("Name"));
    d.Rect->Pen()->SetColor(clRed);
    r2->Pen()->SetColor(clBlue);
    insp.Expand(Row("Pen"));
    insp.SetItemIndex(Row("Tag"));
    EXPECT_EQ(Value("Pen.Color"), ""); // different: empty until selected
    EXPECT_EQ(Value("Pen.Width"), "1");
    insp.SetItemIndex(Row("Pen.Color"));
    EXPECT_EQ(Value("Pen.Color"), "clRed");
    insp.SetValue(Row("Pen.Color"), "clLime");
    EXPECT_EQ(d.Rect->Pen()->Color(), clLime);
    EXPECT_EQ(r2->Pen()->Color(), clLime);
    EXPECT_FALSE(insp.GetAutoApply(Row("Tag")));
    // A line and a rectangle share only the shape's properties.
    insp.AddInstance(line);
    const QStringList shared = RowNames(insp);
    EXPECT_FALSE(shared.contains("ShowSideHot"));
    EXPECT_FALSE(shared.contains("ArrowAngle"));
    EXPECT_TRUE(shared.contains("Caption"));
    // Only drawings and shapes are inspected.
    QObject stranger;
    insp.SetInstance(&stranger);
    EXPECT_EQ(insp.InstanceCount(), 0);
    EXPECT_EQ(insp.ItemCount(), 0);
    QObject notADrawing;
    insp.SetRoot(&notADrawing);
    EXPECT_EQ(insp.Root(), d.Cad.get());
}

TEST_F(TCompInspFixture, FreedInstancesLeaveTheRowsAtOnce)
{
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    insp.SetInstance(d.Rect);
    insp.AddInstance(r2);
    insp.SetItemIndex(Row("Caption"));
    insp.SetEditedText("pending");
    ASSERT_TRUE(d.Cad->DeleteShapeById(r2->GetShapeId(), true));
    EXPECT_EQ(insp.ItemCount(), 0); // nothing of the freed shape is read
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.InstanceCount(), 1);
    EXPECT_TRUE(RowNames(insp).contains("Name")); // one instance again
    EXPECT_EQ(d.Rect->Caption(), "R1");            // the edit was dropped, not misapplied
    // Undo brings a new shape, not the freed one: the inspector still shows R1 only.
    d.Cad->PopFromUndoRedoShapeList();
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.Instance(), d.Rect);
    // A whole new drawing: nothing left.
    d.Cad->DeleteAllShapes();
    QCoreApplication::processEvents();
    EXPECT_EQ(insp.InstanceCount(), 0);
    EXPECT_EQ(insp.ItemCount(), 0);
}

TEST_F(TCompInspFixture, APendingEditGoesToTheObjectItWasTypedFor)
{
    TMyShape* r2 = AddRect(*d.Cad, 100, 100, 150, 150, "R2");
    insp.SetInstance(d.Rect);
    const int caption = Row("Caption");
    insp.SetItemIndex(caption);
    insp.SetEditedText("typed for R1");
    insp.SetInstance(r2); // the same row count
    EXPECT_EQ(d.Rect->Caption(), "typed for R1");
    EXPECT_EQ(r2->Caption(), "R2");
    EXPECT_EQ(Value("Name"), "R2");
    EXPECT_EQ(insp.ItemIndex(), caption); // the remembered row
    EXPECT_EQ(insp.Editor()->text(), "R2");
    EXPECT_FALSE(insp.Editor()->isModified());
}

TEST_F(TCompInspFixture, EnterWithAnInvalidValueShowsTheMessage)
{
    insp.SetInstance(d.Cad.get());
    insp.show();
    insp.SetItemIndex(Row("ArrowOffset"));
    insp.Editor()->setFocus();
    insp.Editor()->selectAll();
    QTest::keyClicks(insp.Editor(), "300");
    QTest::keyClick(insp.Editor(), Qt::Key_Return);
    EXPECT_EQ(ui.LastMessageText(), "Invalid property value.");
    EXPECT_EQ(d.Cad->ArrowOffset(), 0);
    EXPECT_EQ(insp.Editor()->text(), "0");
    insp.Editor()->selectAll();
    QTest::keyClicks(insp.Editor(), "12");
    QTest::keyClick(insp.Editor(), Qt::Key_Return);
    EXPECT_EQ(d.Cad->ArrowOffset(), 12);
}

TEST_F(TCompInspFixture, ColourRowsOpenTheListWithSwatchesAndTheDialog)
{
    insp.SetInstance(d.Rect);
    insp.show();
    insp.Expand(Row("Pen"));
    const int colour = Row("Pen.Color");
    insp.SetItemIndex(colour);
    EXPECT_EQ(insp.GetValueIndent(colour), insp.RowHeight());
    EXPECT_EQ(insp.Editor()->geometry().left(), insp.Splitter() + 3 + insp.RowHeight());
    insp.DropDown();
    ASSERT_TRUE(insp.Popup()->isVisible());
    EXPECT_EQ(insp.Popup()->currentItem()->text(), "clBlack");
    EXPECT_EQ(insp.Popup()->count(), int(PropTexts::ColorValueNames().size()));
    insp.CloseUp(false);
    // The swatch in the value cell.
    const QImage img = insp.viewport()->grab().toImage();
    const QRect cell = insp.ItemRect(colour);
    EXPECT_EQ(img.pixelColor(insp.Splitter() + 1 + cell.height() / 2, cell.center().y()), QColor(Qt::black));
    // A double click opens the colour dialog.
    ui.QueueColor(clYellow);
    insp.ItemAction(colour, iaDoubleClick);
    EXPECT_EQ(d.Rect->Pen()->Color(), clYellow);
    ASSERT_FALSE(ui.Dialogs().empty());
    EXPECT_EQ(ui.Dialogs().back().Kind, TRecordingUIServices::TDialogKind::ChooseColor);
    EXPECT_EQ(ui.Dialogs().back().Color, clBlack);
}
