// The inspector control with rows from its events, driven by real Qt events: geometry
// (row height, splitter limits, drop-down size), the in-place edit (Enter, Escape,
// refused keys), the drop-down list, check boxes, the up-down button, the double click
// that steps to the next value, and failures shown as messages.
#include "inspector/InspCtrl.h"
#include "inspector/PropList.h"
#include "support/RecordingUIServices.h"

#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Rows "Row0".."RowN" with values kept here; row 1 is Boolean-like, row 2 has a
// drop-down list, row 3 an up-down button, row 4 a dialog.
struct TRows {
    QStringList Values;
    QStringList DropDown{"alpha", "beta", "gamma"};
    std::vector<std::pair<int, QString>> Set;
    std::vector<std::pair<int, int>> Drags;
    QStringList Events;
    bool Throw = false;

    void Attach(TCommonInspector& insp)
    {
        insp.OnGetName = [](TCustomInspector*, int i, QString& v) { v = QStringLiteral("Row%1").arg(i); };
        insp.OnGetValue = [this](TCustomInspector*, int i, QString& v) { v = Values.value(i); };
        insp.OnSetValue = [this](TCustomInspector*, int i, const QString& v) {
            if (Throw)
                throw EPropertyError();
            Set.emplace_back(i, v);
            Values[i] = v;
        };
        insp.OnGetNextValue = [this](TCustomInspector*, int i, QString& v) { v = Values.value(i) + QStringLiteral("+"); };
        insp.OnGetInplaceEditorType = [](TCustomInspector*, int i, TInplaceEditorType& t) {
            if (i == 1)
                t = ieCheckBox;
        };
        insp.OnGetButtonType = [](TCustomInspector*, int i, TButtonType& b) {
            if (i == 2)
                b = btDropDown;
            if (i == 3)
                b = btUpDown;
            if (i == 4)
                b = btDialog;
        };
        insp.OnGetValuesList = [this](TCustomInspector*, int, QStringList& list) { list = DropDown; };
        insp.OnGetEnableExternalEditor = [](TCustomInspector*, int i, bool& v) { v = i == 4; };
        insp.OnCallEditor = [this](TCustomInspector*, int i, bool& changed, bool&) {
            Events << QStringLiteral("editor %1").arg(i);
            changed = true;
        };
        insp.OnSelect = [this](TCustomInspector*, int i) { Events << QStringLiteral("select %1").arg(i); };
        insp.OnDeselectItem = [this](TCustomInspector*, int i) { Events << QStringLiteral("deselect %1").arg(i); };
        insp.OnGetAutoApply = [](TCustomInspector*, int, bool& v) { v = true; };
    }
};

struct TInspectorFixture : ::testing::Test {
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    TCommonInspector insp;
    TRows rows;

    void SetUp() override
    {
        rows.Values = {"zero", "True", "beta", "10", "dialog", "five", "six", "seven"};
        rows.Attach(insp);
        insp.resize(300, 200);
        insp.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&insp));
        insp.activateWindow();
        insp.SetItemCount(int(rows.Values.size()));
        insp.setFocus();
    }
    QPoint RowPoint(int row, int x) const { return QPoint(x, insp.ItemRect(row).center().y()); }
};

} // namespace

TEST_F(TInspectorFixture, RowHeightFollowsTheFont)
{
    EXPECT_EQ(insp.RowHeight(), 13 * 3 / 2); // the test font is 13 pixels high
    QFont f = insp.font();
    f.setPixelSize(20);
    insp.setFont(f);
    EXPECT_EQ(insp.RowHeight(), 30);
    EXPECT_EQ(insp.ItemRect(2), QRect(0, 60, insp.viewport()->width(), 30));
    EXPECT_EQ(insp.Button()->isVisible(), false); // row 0 has no button
    insp.SetItemIndex(2);
    EXPECT_TRUE(insp.Button()->isVisible());
    EXPECT_EQ(insp.Button()->geometry(), QRect(insp.viewport()->width() - 29, 60, 29, 29));
    EXPECT_EQ(insp.Editor()->geometry().left(), insp.Splitter() + 3);
    EXPECT_EQ(insp.Editor()->geometry().right(), insp.viewport()->width() - 29 - 2);
}

TEST_F(TInspectorFixture, SplitterDragStopsAtItsLimits)
{
    QWidget* vp = insp.viewport();
    EXPECT_EQ(insp.Splitter(), 100);
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(101, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 5), vp->mapToGlobal(QPointF(10, 5)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(insp.Splitter(), 32);
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(33, 5));
    QMouseEvent far(QEvent::MouseMove, QPointF(500, 5), vp->mapToGlobal(QPointF(500, 5)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(vp, &far);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_EQ(insp.Splitter(), vp->width() - 48);
    // A press elsewhere selects the row under the mouse.
    QTest::mouseClick(vp, Qt::LeftButton, {}, RowPoint(5, 20));
    EXPECT_EQ(insp.ItemIndex(), 5);
}

TEST_F(TInspectorFixture, EnterAppliesEscapeRestoresAndKeysCanBeRefused)
{
    insp.SetItemIndex(0);
    QLineEdit* edit = insp.Editor();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), "zero");
    EXPECT_EQ(edit->selectedText(), "zero");
    QTest::keyClicks(edit, "typed");
    EXPECT_EQ(edit->text(), "typed");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), "zero");
    EXPECT_TRUE(rows.Set.empty());
    QTest::keyClicks(edit, "one");
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(rows.Set.size(), 1u);
    EXPECT_EQ(rows.Set[0], std::make_pair(0, QString("one")));
    insp.OnValidateChar = [](TCustomInspector*, int, QChar c, bool& valid) { valid = c.isDigit(); };
    QTest::keyClicks(edit, "a1b2");
    EXPECT_EQ(edit->text(), "12");
    // Down moves to the next row and applies the edit on the way.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(insp.ItemIndex(), 1);
    EXPECT_EQ(rows.Values[0], "12");
    EXPECT_EQ(rows.Events.mid(rows.Events.size() - 2), (QStringList{"deselect 0", "select 1"}));
}

TEST_F(TInspectorFixture, FailuresAreShownAndTheRowKeepsItsValue)
{
    rows.Throw = true;
    insp.SetItemIndex(0);
    QTest::keyClicks(insp.Editor(), "bad");
    QTest::keyClick(insp.Editor(), Qt::Key_Return);
    EXPECT_EQ(ui.LastMessageText(), "Invalid property value.");
    EXPECT_EQ(insp.Editor()->text(), "zero");
    // Leaving the row applies too: the failure is caught there as well.
    QTest::keyClicks(insp.Editor(), "worse");
    ui.Clear();
    insp.SetItemIndex(5);
    EXPECT_EQ(ui.MessageTexts(), QStringList{"Invalid property value."});
    EXPECT_EQ(rows.Values[0], "zero");
    // And the next value of a double click.
    ui.Clear();
    QTest::mouseDClick(insp.Editor(), Qt::LeftButton);
    EXPECT_EQ(ui.MessageTexts(), QStringList{"Invalid property value."});
    // And a choice from the drop-down list.
    ui.Clear();
    insp.SetItemIndex(2);
    insp.DropDown();
    insp.Popup()->setCurrentRow(0);
    QTest::keyClick(insp.Popup(), Qt::Key_Return);
    EXPECT_EQ(ui.MessageTexts(), QStringList{"Invalid property value."});
    EXPECT_EQ(insp.Editor()->text(), "beta");
    // And an editor behind the dialog button.
    ui.Clear();
    insp.OnCallEditor = [](TCustomInspector*, int, bool&, bool&) { throw EPropertyError(); };
    insp.SetItemIndex(4);
    QTest::mouseClick(insp.Button(), Qt::LeftButton);
    EXPECT_EQ(ui.MessageTexts(), QStringList{"Invalid property value."});
    EXPECT_TRUE(rows.Set.empty());
}

TEST_F(TInspectorFixture, DropDownOpensAboveTheRowNearTheScreenBottom)
{
    const QRect screen = insp.screen()->geometry();
    insp.move(screen.left() + 10, screen.bottom() - insp.height() + 1);
    insp.SetItemIndex(2);
    insp.SetTopRow(0);
    const int rowTop = insp.viewport()->mapToGlobal(insp.ItemRect(2).topLeft()).y();
    rows.DropDown.clear();
    for (int i = 0; i < 8; ++i)
        rows.DropDown << QStringLiteral("e%1").arg(i);
    insp.resize(300, 120);
    insp.move(screen.left() + 10, screen.bottom() - 120 + 1);
    insp.DropDown();
    const int top = insp.viewport()->mapToGlobal(insp.ItemRect(2).topLeft()).y();
    (void)rowTop;
    EXPECT_EQ(insp.Popup()->geometry().bottom() + 1, top);
    insp.CloseUp(false);
}

TEST_F(TInspectorFixture, DropDownListChoosesAValue)
{
    insp.SetItemIndex(2);
    QTest::keyClick(insp.Editor(), Qt::Key_Down, Qt::AltModifier);
    TInspectorPopup* popup = insp.Popup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->count(), 3);
    EXPECT_EQ(popup->height(), insp.RowHeight() * 3 + 2);
    EXPECT_GE(popup->width(), insp.viewport()->width() - insp.Splitter());
    const QRect item = popup->visualItemRect(popup->item(2));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_FALSE(popup->isVisible());
    ASSERT_EQ(rows.Set.size(), 1u);
    EXPECT_EQ(rows.Set[0], std::make_pair(2, QString("gamma")));
    EXPECT_EQ(insp.Editor()->text(), "gamma");
    // Opened by its button; Escape closes without a change.
    QTest::mouseClick(insp.Button(), Qt::LeftButton);
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(rows.Set.size(), 1u);
    // Enter takes the entry under the cursor.
    insp.OnGetSelectedValue = [](TCustomInspector* s, int i, QString& v) { v = s->GetValue(i); };
    insp.DropDown();
    EXPECT_EQ(popup->currentRow(), 2);
    QTest::keyClick(popup, Qt::Key_Up);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(rows.Values[2], "beta");
}

TEST_F(TInspectorFixture, DropDownHeightAndWidth)
{
    insp.SetItemIndex(2);
    rows.DropDown.clear();
    for (int i = 0; i < 20; ++i)
        rows.DropDown << QStringLiteral("entry %1").arg(i);
    insp.DropDown();
    EXPECT_EQ(insp.Popup()->height(), insp.RowHeight() * 8 + 2);
    EXPECT_EQ(insp.Popup()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    insp.CloseUp(false);
    rows.DropDown.clear();
    insp.DropDown();
    EXPECT_EQ(insp.Popup()->height(), insp.RowHeight() + 2);
    EXPECT_EQ(insp.Popup()->width(), insp.viewport()->width() - insp.Splitter());
    insp.CloseUp(false);
    rows.DropDown = {QString(60, QLatin1Char('W'))};
    insp.DropDown();
    EXPECT_GT(insp.Popup()->width(), insp.viewport()->width() - insp.Splitter());
    // Wider than the control: moved left as far as the control's left edge.
    EXPECT_EQ(insp.Popup()->geometry().left(), insp.viewport()->mapToGlobal(QPoint(0, 0)).x());
}

TEST(InspectorLifetime, FreedWithItsListOpenAndAnEditPending)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TRows rows;
    rows.Values = {"zero", "True", "beta"};
    auto insp = std::make_unique<TCommonInspector>();
    rows.Attach(*insp);
    insp->resize(300, 200);
    insp->show();
    insp->SetItemCount(3);
    insp->SetItemIndex(2);
    insp->SetEditedText("typed");
    insp->DropDown();
    ASSERT_TRUE(insp->DroppedDown());
    insp.reset(); // nothing is applied, nothing read from a half-freed control
    EXPECT_TRUE(rows.Set.empty());
}

TEST_F(TInspectorFixture, CheckBoxesForBooleanRows)
{
    insp.SetItemIndex(1);
    EXPECT_TRUE(insp.Editor()->isVisible()); // check boxes are off: the edit
    EXPECT_FALSE(insp.CheckBox()->isVisible());
    insp.SetCheckBoxes(true);
    ASSERT_TRUE(insp.CheckBox()->isVisible());
    EXPECT_FALSE(insp.Editor()->isVisible());
    EXPECT_TRUE(insp.CheckBox()->isChecked());
    QTest::mouseClick(insp.CheckBox(), Qt::LeftButton);
    ASSERT_EQ(rows.Set.size(), 1u);
    EXPECT_EQ(rows.Set[0], std::make_pair(1, QString("False")));
    EXPECT_FALSE(insp.CheckBox()->isChecked());
}

TEST_F(TInspectorFixture, UpDownButtonDragsTheValue)
{
    insp.SetItemIndex(3);
    ASSERT_TRUE(insp.Button()->isVisible());
    EXPECT_EQ(insp.Button()->ButtonType(), btUpDown);
    // DragValue of the plain control does nothing; count the drags through a subclass.
    struct TDragging : TCommonInspector {
        std::vector<int> Offsets;
        void DragValue(int, int Offset) override { Offsets.push_back(Offset); }
    } drag;
    rows.Attach(drag);
    drag.resize(300, 200);
    drag.show();
    drag.SetItemCount(int(rows.Values.size()));
    drag.SetItemIndex(3);
    TInspectorButton* b = drag.Button();
    const QPoint centre = b->rect().center();
    QTest::mousePress(b, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(b->Dragging());
    for (int dy : {3, 10, -5}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(centre.x(), b->height() / 2 - dy), b->mapToGlobal(QPointF(centre.x(), b->height() / 2 - dy)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(b, &move);
    }
    QTest::mouseRelease(b, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(b->Dragging());
    EXPECT_EQ(drag.Offsets, (std::vector<int>{3, 10, -5}));
}

TEST_F(TInspectorFixture, DoubleClickStepsToTheNextValueOrOpensTheEditor)
{
    insp.SetItemIndex(5);
    QTest::mouseDClick(insp.Editor(), Qt::LeftButton);
    EXPECT_EQ(rows.Values[5], "five+");
    insp.OnValueDoubleClick = [](TCustomInspector*, int, bool& allow) { allow = false; };
    QTest::mouseDClick(insp.Editor(), Qt::LeftButton);
    EXPECT_EQ(rows.Values[5], "five+");
    insp.OnValueDoubleClick = nullptr;
    insp.SetItemIndex(4);
    QTest::mouseClick(insp.Button(), Qt::LeftButton); // the dialog button
    EXPECT_TRUE(rows.Events.contains("editor 4"));
    rows.Events.clear();
    QTest::keyClick(insp.Editor(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(rows.Events, QStringList{"editor 4"});
}

TEST_F(TInspectorFixture, ItemCountRebuildsOnlyWhenItChanges)
{
    int names = 0;
    insp.OnGetName = [&names](TCustomInspector*, int i, QString& v) {
        ++names;
        v = QStringLiteral("N%1").arg(i);
    };
    insp.SetItemCount(insp.ItemCount());
    EXPECT_EQ(names, 0);
    insp.RebuildItems(insp.ItemCount());
    EXPECT_EQ(names, insp.ItemCount());
    EXPECT_EQ(insp.ItemName(3), "N3");
    insp.SetItemCount(0);
    EXPECT_EQ(insp.ItemIndex(), -1);
    EXPECT_FALSE(insp.Editor()->isVisible());
}

TEST_F(TInspectorFixture, PaintsNamesValuesAndTheSelectedRow)
{
    insp.SetItemIndex(0);
    const QImage img = insp.viewport()->grab().toImage();
    const QRect row5 = insp.ItemRect(5);
    // Some text in the name and the value cell of an unselected row.
    int nameInk = 0;
    int valueInk = 0;
    for (int y = row5.top(); y < row5.bottom(); ++y) {
        for (int x = 0; x < insp.Splitter() - 2; ++x)
            nameInk += qGray(img.pixel(x, y)) < 100;
        for (int x = insp.Splitter() + 2; x < row5.right(); ++x)
            valueInk += qGray(img.pixel(x, y)) < 100;
    }
    EXPECT_GT(nameInk, 10);
    EXPECT_GT(valueInk, 10);
    // Dotted separators under the rows in the classic style.
    const int bottom = row5.bottom();
    EXPECT_NE(img.pixel(10, bottom), img.pixel(11, bottom));
}
