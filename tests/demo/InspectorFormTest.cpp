// The inspector window: what its combo box lists in top-level and child mode, choosing a
// shape, the red colour's Polish name shown and typed, the user-data texts, the input box
// of string properties, and the window staying on living objects while shapes are freed.
#include "InspectorForm.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include "inspector/CompCombo.h"
#include "inspector/CompInsp.h"
#include "inspector/PropList.h"
#include <gtest/gtest.h>

namespace {

class InspectorFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cad.setObjectName(QStringLiteral("MyCAD1"));
        frm.SetCanvas(&cad);
    }
    void TearDown() override { frm.SetCanvas(nullptr); }

    TMyShape* AddRect(float x, const QString& Name)
    {
        const int id = cad.AddShapeByCode(&cad, SpRectangle, {},
                                          {TMyPoint(x, 10), TMyPoint(x + 40, 10), TMyPoint(x + 40, 30), TMyPoint(x, 30)},
                                          0, Name);
        return cad.GetShapeByNo(cad.GetShapeNoById(id));
    }
    TMyShape* Group(const TArrMyShape& Shapes)
    {
        const int id = cad.GroupShapes(Shapes, true);
        return cad.GetShapeByNo(cad.GetShapeNoById(id));
    }
    QStringList ComboTexts() const
    {
        QStringList texts;
        for (int i = 0; i < frm.ComboBox()->count(); ++i)
            texts << frm.ComboBox()->itemText(i);
        return texts;
    }
    // Selects a property's row and returns it.
    int Row(const QString& FullName)
    {
        EXPECT_TRUE(frm.Inspector()->SelectProperty(FullName)) << FullName.toStdString();
        return frm.Inspector()->ItemIndex();
    }
    // Every row read, as painting does.
    void ReadAllRows()
    {
        TComponentInspector* insp = frm.Inspector();
        for (int i = 0; i < insp->ItemCount(); ++i) {
            (void)insp->GetName(i);
            (void)insp->GetValue(i);
        }
    }
    static void Settle() { QCoreApplication::sendPostedEvents(); }

    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    TMyCAD cad;
    TInspectorFrm frm;
};

} // namespace

TEST_F(InspectorFormTest, IsAnAlwaysOnTopWindowWithComboInspectorAndClose)
{
    EXPECT_EQ(frm.size(), QSize(177, 480));
    EXPECT_TRUE(frm.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(frm.CloseButton()->text(), "Close");
    frm.show();
    EXPECT_EQ(frm.size(), QSize(177, 480));
    EXPECT_LT(frm.ComboBox()->y(), frm.Inspector()->y());
    EXPECT_LT(frm.Inspector()->y(), frm.CloseButton()->y());
    EXPECT_GT(frm.Inspector()->height(), 300);
    frm.CloseButton()->click();
    EXPECT_FALSE(frm.isVisible());
}

TEST_F(InspectorFormTest, ComboListsTheCanvasAndTopLevelShapesByNameAndClass)
{
    frm.Inspect(&cad);
    EXPECT_EQ(ComboTexts(), QStringList{"MyCAD1: TMyCAD"});
    EXPECT_EQ(frm.ComboBox()->currentIndex(), 0);
    TMyShape* a = AddRect(10, QStringLiteral("Shape1"));
    TMyShape* b = AddRect(80, QStringLiteral("Shape2"));
    AddRect(150, QString());
    frm.Rebuild();
    EXPECT_EQ(ComboTexts(),
              (QStringList{"MyCAD1: TMyCAD", "Shape1: TMyRectangle", "Shape2: TMyRectangle", "(noname): TMyRectangle"}));

    // A grouped shape is never listed in top-level mode; its group is.
    TMyShape* group = Group({a, b});
    ASSERT_NE(group, nullptr);
    frm.SetTopLevelMode();
    frm.Rebuild();
    const QString groupText = group->Name() + QStringLiteral(": TMyGroup");
    EXPECT_EQ(ComboTexts(), (QStringList{"MyCAD1: TMyCAD", "(noname): TMyRectangle", groupText}));
    frm.Inspect(group);
    EXPECT_EQ(frm.ComboBox()->currentText(), groupText);
    EXPECT_EQ(frm.Inspected(), group);
}

TEST_F(InspectorFormTest, ChildModeListsTheBrothersOfTheChildOnly)
{
    TMyShape* a = AddRect(10, QStringLiteral("A"));
    TMyShape* b = AddRect(80, QStringLiteral("B"));
    TMyShape* c = AddRect(150, QStringLiteral("C"));
    TMyShape* d = AddRect(220, QStringLiteral("D"));
    AddRect(290, QStringLiteral("E"));
    ASSERT_NE(Group({a, b}), nullptr);
    ASSERT_NE(Group({c, d}), nullptr);
    frm.SetChildMode(a);
    frm.Rebuild();
    frm.Inspect(a);
    EXPECT_FALSE(frm.TopLevelMode());
    EXPECT_EQ(ComboTexts(), (QStringList{"MyCAD1: TMyCAD", "A: TMyRectangle", "B: TMyRectangle"}));
    EXPECT_EQ(frm.ComboBox()->currentText(), "A: TMyRectangle");
    EXPECT_EQ(frm.Inspected(), a);
    frm.SetChildMode(d);
    frm.Rebuild();
    EXPECT_EQ(ComboTexts(), (QStringList{"MyCAD1: TMyCAD", "C: TMyRectangle", "D: TMyRectangle"}));
}

TEST_F(InspectorFormTest, ChoosingAShapeInTheComboSelectsItOnTheCanvas)
{
    AddRect(10, QStringLiteral("A"));
    TMyShape* b = AddRect(80, QStringLiteral("B"));
    cad.DeSelectedAllShapesByCode();
    frm.Inspect(&cad);
    ASSERT_EQ(frm.ComboBox()->itemText(2), "B: TMyRectangle");
    emit frm.ComboBox()->activated(2);
    EXPECT_EQ(cad.GetSelectedShape(), b);
    EXPECT_EQ(frm.Inspected(), b);
    emit frm.ComboBox()->activated(0); // the canvas: nothing to select
    EXPECT_EQ(frm.Inspected(), &cad);
    EXPECT_EQ(cad.GetSelectedShape(), b);
}

TEST_F(InspectorFormTest, RedIsShownAndTypedAsCzerwony)
{
    TMyShape* a = AddRect(10, QStringLiteral("A"));
    frm.Inspect(a);
    TComponentInspector* insp = frm.Inspector();
    const int row = Row(QStringLiteral("ColorBegin"));
    insp->SetEditedText(QStringLiteral("czerwony"));
    insp->ApplyChanges();
    EXPECT_EQ(a->ColorBegin(), clRed);
    EXPECT_EQ(insp->GetProperty(row)->GetStringValue(), "clRed");
    EXPECT_EQ(insp->GetValue(row), "Czerwony");
    EXPECT_EQ(insp->GetSelectedValue(row), "Czerwony");
    EXPECT_TRUE(ui.Messages().empty());

    QStringList values;
    insp->GetValuesList(row, values);
    EXPECT_TRUE(values.contains("Czerwony"));
    EXPECT_FALSE(values.contains("clRed", Qt::CaseInsensitive));
    EXPECT_TRUE(values.contains("clBlue"));

    // Within the pen too; another colour name still works; a caption keeps the word.
    const int penRow = Row(QStringLiteral("Pen.Color"));
    insp->SetValue(penRow, QStringLiteral("CZERWONY"));
    EXPECT_EQ(a->Pen()->Color(), clRed);
    insp->SetValue(penRow, QStringLiteral("clNavy"));
    EXPECT_EQ(a->Pen()->Color(), clNavy);
    EXPECT_EQ(insp->GetValue(penRow), "clNavy");
    insp->SetValue(Row(QStringLiteral("Caption")), QStringLiteral("czerwony"));
    EXPECT_EQ(a->Caption(), "czerwony");
}

TEST_F(InspectorFormTest, UserDataReadsTextOrEmpty)
{
    TMyShape* a = AddRect(10, QStringLiteral("A"));
    frm.Inspect(a);
    TComponentInspector* insp = frm.Inspector();
    EXPECT_EQ(insp->GetValue(Row(QStringLiteral("UserData"))), "(Empty)");
    a->UserData()->AddKeyandValue(QStringLiteral("Part"), QStringLiteral("42"));
    EXPECT_EQ(insp->GetValue(Row(QStringLiteral("UserData"))), "(Text)");
    EXPECT_TRUE(insp->GetEnableExternalEditor(Row(QStringLiteral("UserData"))));
    frm.Inspect(&cad);
    EXPECT_EQ(insp->GetValue(Row(QStringLiteral("UserData"))), "(Empty)");
}

TEST_F(InspectorFormTest, StringPropertiesEditInAnInputBox)
{
    TMyShape* a = AddRect(10, QStringLiteral("A"));
    frm.Inspect(a);
    TComponentInspector* insp = frm.Inspector();
    const int row = Row(QStringLiteral("Info"));
    EXPECT_EQ(insp->GetButtonType(row), btDialog);
    EXPECT_TRUE(insp->GetEnableExternalEditor(row));
    a->SetInfo(QStringLiteral("old"));

    ui.QueueInput(QStringLiteral("new info"));
    insp->ItemAction(row, iaButtonClick);
    EXPECT_EQ(a->Info(), "new info");
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    const TRecordingUIServices::TDialog& box = ui.Dialogs().back();
    EXPECT_EQ(box.Kind, TRecordingUIServices::TDialogKind::InputQuery);
    EXPECT_EQ(box.Title, "A");
    EXPECT_EQ(box.Prompt, "InspectorFrm");
    EXPECT_EQ(box.Text, "old");

    // Cancel and an unchanged answer change nothing.
    ui.QueueInput(std::nullopt);
    EXPECT_FALSE(insp->CallEditor(row));
    ui.QueueInput(QStringLiteral("new info"));
    EXPECT_FALSE(insp->CallEditor(row));
    EXPECT_EQ(a->Info(), "new info");

    // A text that cannot be stored gets neither the button nor the box.
    frm.Inspect(&cad);
    const int version = Row(QStringLiteral("Version"));
    EXPECT_EQ(insp->GetButtonType(version), btNone);
    EXPECT_FALSE(insp->CallEditor(version));
    EXPECT_EQ(ui.Dialogs().size(), 3u);
    frm.Inspect(a);

    // Other kinds keep their own editors: a colour opens the colour dialog.
    ui.Clear();
    ui.QueueColor(clGreen);
    EXPECT_TRUE(insp->CallEditor(Row(QStringLiteral("ColorEnd"))));
    EXPECT_EQ(a->ColorEnd(), clGreen);
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs().back().Kind, TRecordingUIServices::TDialogKind::ChooseColor);
    // Integers keep the up-down button, and every name with "Color" an editor.
    EXPECT_EQ(insp->GetButtonType(Row(QStringLiteral("Tag"))), btUpDown);
    EXPECT_FALSE(insp->GetEnableExternalEditor(Row(QStringLiteral("Tag"))));
    EXPECT_TRUE(insp->GetEnableExternalEditor(Row(QStringLiteral("ColorBegin"))));
}

TEST_F(InspectorFormTest, TurnsToTheCanvasWhenTheInspectedShapeIsFreed)
{
    // Deleted.
    TMyShape* a = AddRect(10, QStringLiteral("A"));
    frm.Inspect(a);
    ASSERT_EQ(frm.Inspected(), a);
    ASSERT_TRUE(cad.DeleteShapeById(a->GetShapeId(), true));
    ReadAllRows();
    Settle();
    EXPECT_EQ(frm.Inspected(), &cad);
    EXPECT_EQ(ComboTexts(), QStringList{"MyCAD1: TMyCAD"});
    ReadAllRows();

    // Undone.
    TMyShape* b = AddRect(80, QStringLiteral("B"));
    frm.Inspect(b);
    cad.PopFromUndoRedoShapeList();
    Settle();
    EXPECT_EQ(frm.Inspected(), &cad);
    ReadAllRows();

    // Ungrouped, with the child remembered.
    TMyShape* c = AddRect(10, QStringLiteral("C"));
    TMyShape* d = AddRect(80, QStringLiteral("D"));
    TMyShape* group = Group({c, d});
    frm.Inspect(group);
    cad.UnGroupShape(group, true);
    Settle();
    EXPECT_EQ(frm.Inspected(), &cad);
    frm.SetChildMode(c);
    Group({c, d});
    frm.Rebuild();
    frm.Inspect(c);
    cad.DeleteAllShapes();
    Settle();
    EXPECT_EQ(frm.ChildShape(), nullptr);
    frm.Rebuild();
    EXPECT_EQ(ComboTexts(), QStringList{"MyCAD1: TMyCAD"});
    EXPECT_EQ(frm.Inspected(), &cad);

    // Cut.
    TMyShape* e = AddRect(10, QStringLiteral("E"));
    cad.SelectShapeByCode(e->GetShapeId(), true);
    frm.Inspect(e);
    cad.Cut();
    Settle();
    EXPECT_EQ(frm.Inspected(), &cad);
    ReadAllRows();

    // Loaded.
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("one.zed"));
    AddRect(10, QStringLiteral("F"));
    ASSERT_TRUE(cad.SaveToFile(file));
    frm.Inspect(cad.GetShapeByName(QStringLiteral("F")));
    ASSERT_NE(frm.Inspected(), &cad);
    ASSERT_TRUE(cad.LoadFromFile(file));
    Settle();
    EXPECT_EQ(frm.Inspected(), &cad);
    ReadAllRows();

    // An object from another drawing is not inspected.
    TMyCAD other;
    const int id = other.AddShapeByCode(&other, SpLine, {}, {TMyPoint(1, 1), TMyPoint(9, 9)}, 0, QStringLiteral("X"));
    frm.Inspect(other.GetShapeByNo(other.GetShapeNoById(id)));
    EXPECT_EQ(frm.Inspected(), &cad);
}
