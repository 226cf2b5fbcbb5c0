// The drawing as the window's document: the unsaved-changes mark, the title, the prompt
// before changes are lost, the recent files, and saving and opening through the window.
#include "DocumentSession.h"
#include "InspectorForm.h"
#include "MainWindow.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Session : public ::testing::Test {
protected:
    Session()
    {
        // The recent files go to settings of this test only.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings().clear();
    }
    TMyShape* AddLine(float x)
    {
        const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(x, 10), TMyPoint(x + 50, 40)}, 0, "L");
        return cad.GetShapeByID(id);
    }

    QTemporaryDir settings;
    QTemporaryDir dir;
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    MainWindow window;
    TMyCAD& cad = *window.MyCAD1();
    TDocumentSession& session = *window.Session();
};

} // namespace

TEST_F(Session, TheMarkFollowsTheSavedBytesAndTheTitleNamesTheFile)
{
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(window.windowTitle(), "Untitled[*] - MyCAD");
    AddLine(10);
    session.Refresh();
    EXPECT_TRUE(window.isWindowModified());
    // An edit undone is no change.
    cad.PopFromUndoRedoShapeList();
    session.Refresh();
    EXPECT_FALSE(window.isWindowModified());

    AddLine(10);
    const QString file = dir.filePath("plan.zed");
    ui.QueueFileName(file);
    ASSERT_TRUE(window.SaveDrawing()) << "asks for a name the first time";
    EXPECT_EQ(ui.LastMessageText(), "MyCAD1 has been saved to " + file);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.windowTitle(), "plan.zed[*] - MyCAD");
    const size_t dialogs = ui.Dialogs().size();
    AddLine(100);
    ASSERT_TRUE(window.SaveDrawing());
    EXPECT_EQ(ui.Dialogs().size(), dialogs) << "then saves to its file";
    EXPECT_EQ(session.RecentFiles(), QStringList{QFileInfo(file).canonicalFilePath()});
}

TEST_F(Session, ChangesAreNotLostWithoutAskingAndRecentFilesStayFew)
{
    AddLine(10);
    const QString file = dir.filePath("a.zed");
    ASSERT_TRUE(cad.SaveToFile(file));
    // Opening over unsaved changes asks; Cancel keeps the drawing.
    ui.QueueMessageResult(mrCancel);
    EXPECT_FALSE(window.OpenFile(file));
    EXPECT_EQ(ui.LastMessageText(), "Save the changes to the new drawing?");
    ui.QueueMessageResult(mrNo);
    EXPECT_TRUE(window.OpenFile(file));
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(session.FileName(), file);
    // Yes saves first; a failed save keeps the drawing.
    AddLine(200);
    ui.QueueMessageResult(mrYes);
    session.SetClean(dir.filePath("no/such/folder/b.zed"));
    AddLine(300);
    EXPECT_FALSE(session.ConfirmDiscard([&] { return window.SaveDrawing(); }));
    EXPECT_EQ(ui.LastMessageText(), "Could not save the drawing to " + dir.filePath("no/such/folder/b.zed"));

    // A file that is not a drawing is named in the message and changes nothing.
    const QString text = dir.filePath("notes.txt");
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a drawing");
    notes.close();
    const int shapes = cad.GetShapesCount();
    EXPECT_FALSE(window.OpenFile(text));
    EXPECT_EQ(ui.LastMessageText(), text + "is not a ZEDA format file!");
    EXPECT_EQ(cad.GetShapesCount(), shapes);

    for (int i = 0; i < 12; ++i)
        session.AddRecentFile(dir.filePath(QStringLiteral("f%1.zed").arg(i)));
    session.AddRecentFile(dir.filePath("f5.zed"));
    const QStringList recent = session.RecentFiles();
    ASSERT_EQ(recent.size(), TDocumentSession::kMaxRecentFiles);
    EXPECT_EQ(recent.front(), dir.filePath("f5.zed")) << "the newest first, once";
    EXPECT_EQ(recent.count(dir.filePath("f5.zed")), 1);
    EXPECT_EQ(recent.back(), dir.filePath("f5.zed").replace("f5", "f4"));
}

TEST_F(Session, TheInspectorNeverShowsAFreedShape)
{
    TMyShape* shape = AddLine(10);
    cad.SelectShapeByCode(shape->GetShapeId(), true);
    EXPECT_EQ(window.Inspector()->Inspected(), shape);
    window.DeleteSelected();
    EXPECT_EQ(window.Inspector()->Inspected(), &cad);
    cad.PopFromUndoRedoShapeList();
    TMyShape* back = cad.GetShapeByNo(0);
    ASSERT_NE(back, nullptr);
    cad.SelectShapeByCode(back->GetShapeId(), true);
    ui.QueueMessageResult(mrYes);
    ui.QueueMessageResult(mrNo);
    window.NewDrawing();
    EXPECT_EQ(window.Inspector()->Inspected(), &cad);
}
