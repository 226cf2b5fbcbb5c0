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

