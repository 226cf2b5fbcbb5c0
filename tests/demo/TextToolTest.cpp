// The demonstration's text tool: a text box drawn on the canvas asks for its lines in the
// string list editor and shows them.
#include "MainWindow.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(DemoTextTool, ADrawnTextBoxTakesTheLinesTypedInTheEditor)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    QToolButton* textTool = nullptr;
    for (QToolButton* button : window.findChildren<QToolButton*>())
        if (button->text() == QStringLiteral("Text"))
            textTool = button;
    ASSERT_NE(textTool, nullptr);
    textTool->click();
    EXPECT_EQ(cad->ShapeTool(), SpText);

    ui.QueueStrings(QStringList({"Hello", "demo"}));
    for (const TPoint p : {TPoint(100, 100), TPoint(300, 200)}) {
        cad->MouseDown(mbLeft, ssLeft, p.X, p.Y);
        cad->MouseUp(mbLeft, 0, p.X, p.Y);
    }
    ASSERT_EQ(cad->GetShapesCount(), 1);
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].Kind, TRecordingUIServices::TDialogKind::EditStrings);
    auto* text = dynamic_cast<TMyText*>(cad->GetShapeByNo(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Lines(), QStringList({"Hello", "demo"}));
    // The lines are on the screen, inside the box.
    TBitmap picture(cad->width(), cad->height());
    text->Draw(&picture.Canvas());
    bool ink = false;
    const QImage image = picture.ToQImage();
    for (int y = 101; y < 200 && !ink; ++y)
        for (int x = 101; x < 300 && !ink; ++x)
            ink = (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_TRUE(ink);
}
