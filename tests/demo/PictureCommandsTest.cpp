// The demonstration's picture commands: a drawn image shape takes the picture chosen in
// the open dialog; the Export commands ask where to write and say whether they did.
#include "MainWindow.h"
#include "PictureCommands.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DemoPictures, ADrawnImageTakesThePictureChosen)
{
    QTemporaryDir dir;
    TBitmap blue(30, 20);
    blue.Canvas().Brush().SetColor(clBlue);
    blue.Canvas().FillRect(TRect(0, 0, 30, 20));
    ASSERT_TRUE(blue.SaveToFile(dir.filePath("blue.bmp")));

    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD* cad = window.MyCAD1();
    cad->SetShapeTool(SpImage);
    ui.QueueFileName(dir.filePath("blue.bmp"));
    for (const TPoint p : {TPoint(100, 100), TPoint(200, 180)}) {
        cad->MouseDown(mbLeft, ssLeft, p.X, p.Y);
        cad->MouseUp(mbLeft, 0, p.X, p.Y);
    }
    ASSERT_EQ(cad->GetShapesCount(), 1);
    auto* image = qobject_cast<TMyImage*>(cad->GetShapeByNo(0));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].Kind, TRecordingUIServices::TDialogKind::OpenFile);
    EXPECT_EQ(image->Bitmap()->Width(), 30);
    EXPECT_FLOAT_EQ(image->GetMyWidth(), 30);

    // A picture placed by code asks for nothing; a file that does not decode gives the
    // red cross.
    TBitmap logo(8, 8);
    cad->AddImageShapeByCode("Logo", TPoint(10, 10), &logo);
    EXPECT_EQ(ui.Dialogs().size(), 1u);
    cad->SetShapeTool(SpImage);
    ui.QueueFileName(dir.filePath("missing.jpg"));
    for (const TPoint p : {TPoint(300, 100), TPoint(350, 150)}) {
        cad->MouseDown(mbLeft, ssLeft, p.X, p.Y);
        cad->MouseUp(mbLeft, 0, p.X, p.Y);
    }
    auto* cross = qobject_cast<TMyImage*>(cad->GetShapeByNo(cad->GetShapesCount() - 1));
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(cross->Bitmap()->Width(), 32);
}

TEST(DemoPictures, ExportCommandsWriteTheirFiles)
{
    QTemporaryDir home;
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    MainWindow window;
    TMyCAD& cad = *window.MyCAD1();
    for (const char* name : {"MyCADTest.Bmp", "MyCADTest.Wmf", "MyCADTest.Jpg", "page.png"})
        ui.QueueFileName(home.filePath(name));
    PictureCommands::ExportBitmap(cad);
    PictureCommands::ExportMetafile(cad);
    PictureCommands::ExportJpeg(cad);
    PictureCommands::ExportPng(cad);
    for (const char* name : {"MyCADTest.Bmp", "MyCADTest.Wmf", "MyCADTest.Jpg", "page.png"})
        EXPECT_TRUE(QFileInfo(home.filePath(name)).size() > 0) << name;
    ASSERT_EQ(ui.Dialogs().size(), 4u);
    EXPECT_EQ(ui.Dialogs()[0].FileName, PictureCommands::ExportFolder() + "/MyCADTest.Bmp");
    ASSERT_EQ(ui.Messages().size(), 4u);
    EXPECT_EQ(ui.Messages()[0].Text, "MyCAD1 has been saved to " + home.filePath("MyCADTest.Bmp"));
    // A cancelled dialog writes nothing and says nothing; a folder that is not there is
    // an error, not a success.
    ui.QueueFileName(std::nullopt);
    PictureCommands::ExportJpeg(cad);
    ui.QueueFileName(home.filePath("no/such/folder/x.Bmp"));
    PictureCommands::ExportBitmap(cad);
    ASSERT_EQ(ui.Messages().size(), 5u);
    EXPECT_EQ(ui.Messages()[4].Text, "Could not save MyCAD1 to " + home.filePath("no/such/folder/x.Bmp"));
    // The placeable metafile's key.
    QFile wmf(home.filePath("MyCADTest.Wmf"));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    EXPECT_EQ(wmf.read(4), QByteArray("\xD7\xCD\xC6\x9A", 4));
}
