// The demonstration window: drawing by code, the commands and their enabling, and the
// messages of the file and grouping commands.
#include "MainWindow.h"

#include "DocumentSession.h"
#include "DrawByCode.h"
#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QScrollArea>
#include <gtest/gtest.h>

TEST(DemoWindow, HostsA601PixelDrawingWithTheDemoSettings)
{
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    ASSERT_NE(cad, nullptr);
    EXPECT_EQ(window.ScrollArea()->widget(), cad);
    EXPECT_EQ(cad->size(), QSize(601, 601));
    EXPECT_EQ(cad->GridOperation()->GridWidth(), 50);
    EXPECT_TRUE(cad->LockBound());
    EXPECT_EQ(HotColor(), clLime);
}

TEST(DemoWindow, DrawByCodeItemsAddTheirShapes)
{
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    for (const TDrawByCodeItem& item : DrawByCodeItems())
        item.Run(*cad);
    const std::pair<const char*, const char*> expected[] = {
        {"LineShape", "TMyLine"},         {"RuleLineShape", "TMyRuleLine"}, {"EllipseShape", "TMyEllipse"},
        {"RectangleShape", "TMyRectangle"}, {"PolyLineShape", "TMyPolyLine"}, {"PolygonShape", "TMyPolygon"},
        {"TextShape", "TMyText"},         {"ImageShape", "TMyImage"}};
    for (const auto& [name, kind] : expected) {
        const TMyShape* shape = cad->GetShapeByName(name);
        ASSERT_NE(shape, nullptr) << name;
        EXPECT_EQ(shape->ClassName(), kind);
    }
    EXPECT_NEAR(cad->GetShapeByName("RectangleShape")->Angle(), M_PI / 6, 1e-6);
    EXPECT_EQ(static_cast<const TMyText*>(cad->GetShapeByName("TextShape"))->Lines(), QStringList{"My Text"});
    EXPECT_EQ(cad->GetSelectedShapesCount(), 1); // SelectShapeByCode(1, true) ran last
}

TEST(DemoWindow, CommandsFollowTheSelection)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    for (float x : {10.0f, 100.0f})
        cad->AddShapeByCode(cad, SpLine, {}, {TMyPoint(x, 10), TMyPoint(x + 50, 40)}, 0, "L");
    cad->SelectAllShapes();
    window.UpdateCommands();
    window.UnGroup(); // two shapes selected: refused with a message
    EXPECT_EQ(ui.LastMessageText(), "No shape selected or more shapes selected!");
    EXPECT_EQ(cad->GetShapesCount(), 2);
    ui.QueueMessageResult(mrNo);
    window.NewDrawing();
    EXPECT_EQ(cad->GetShapesCount(), 2);
    // The drawing has unsaved changes: after the confirmation, a second question offers to
    // save them; Cancel keeps the drawing, No discards it.
    ui.QueueMessageResult(mrYes);
    ui.QueueMessageResult(mrCancel);
    window.NewDrawing();
    EXPECT_EQ(cad->GetShapesCount(), 2);
    EXPECT_EQ(ui.LastMessageText(), "Save the changes to the new drawing?");
    ui.QueueMessageResult(mrYes);
    ui.QueueMessageResult(mrNo);
    window.NewDrawing();
    EXPECT_EQ(cad->GetShapesCount(), 0);
    EXPECT_FALSE(window.Session()->IsModified());
    // A drawing without changes asks only the confirmation.
    ui.QueueMessageResult(mrYes);
    const size_t asked = ui.Messages().size();
    window.NewDrawing();
    EXPECT_EQ(ui.Messages().size(), asked + 1);
}


TEST(DemoWindow, EnablingByTheSelection)
{
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    struct TExpect {
        bool Delete, Group, UnGroup, Lock, UnLock, LockShown, Align;
    };
    auto check = [&](const char* when, TExpect e) {
        SCOPED_TRACE(when);
        window.UpdateCommands();
        EXPECT_EQ(window.FindAction("Delete")->isEnabled(), e.Delete);
        EXPECT_EQ(window.FindAction("BringToFront")->isEnabled(), e.Delete);
        EXPECT_EQ(window.FindAction("SendToBack")->isEnabled(), e.Delete);
        EXPECT_EQ(window.FindAction("GroupShapes")->isEnabled(), e.Group);
        EXPECT_EQ(window.FindAction("unGroupShapes")->isEnabled(), e.UnGroup);
        EXPECT_EQ(window.FindAction("Lock")->isVisible(), e.LockShown);
        EXPECT_EQ(window.FindAction("UnLock")->isVisible(), e.LockShown);
        EXPECT_EQ(window.FindAction("Lock")->isEnabled(), e.Lock);
        EXPECT_EQ(window.FindAction("UnLock")->isEnabled(), e.UnLock);
        for (const char* align : {"AlignLeft", "AlignRight", "AlignTop", "AlignBottom"})
            EXPECT_EQ(window.FindAction(align)->isEnabled(), e.Align) << align;
    };
    check("none", {false, false, false, false, false, false, false});
    const int a = cad->AddShapeByCode(cad, SpLine, {}, {TMyPoint(10, 10), TMyPoint(60, 40)}, 0, "A");
    cad->AddShapeByCode(cad, SpLine, {}, {TMyPoint(100, 10), TMyPoint(160, 40)}, 0, "B");
    cad->SelectShapeByCode(a, true);
    check("one unlocked", {true, false, true, true, false, true, false});
    cad->LockUnLockforShapes(cad->GetSelectedShape(), true);
    check("one locked", {true, false, true, false, true, true, false});
    cad->SelectAllShapes();
    EXPECT_EQ(cad->GetSelectedShapesCount(), 2);
    check("two", {true, true, false, cad->GetSelectedShape() && !cad->GetSelectedShape()->Locked(),
                  cad->GetSelectedShape() && cad->GetSelectedShape()->Locked(), cad->GetSelectedShape() != nullptr, true});
}

TEST(DemoWindow, TheStreamCommandsExplainTheFunctions)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    window.FindAction("LoadFromStream")->trigger();
    EXPECT_EQ(ui.LastMessageText(), "You can load MyCAD from  database !  function  "
                                    "TMyCAD.LoadFromStream(Stream: TStream):Boolean;");
    window.FindAction("SaveToStream")->trigger();
    EXPECT_EQ(ui.LastMessageText(), "You can use this function to Save MyCAD to database !  function "
                                    "TMyCAD.SaveToStream(Stream: TStream):Boolean;");
}

TEST(DemoWindow, UndoAndRedoAreNamedAfterTheActionTheyApplyTo)
{
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    QAction* undo = window.FindAction("Undo");
    QAction* redo = window.FindAction("Redo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));

    cad->AddShapeByCode(cad, SpLine, {}, {TMyPoint(10, 10), TMyPoint(60, 40)}, 0, "L");
    EXPECT_EQ(undo->text(), "Undo Add");
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(cad->GetShapesCount(), 0);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo");
    EXPECT_EQ(redo->text(), "Redo Add");
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(cad->GetShapesCount(), 1);
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo Add");
}
