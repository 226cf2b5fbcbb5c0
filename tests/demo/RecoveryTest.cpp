// Recovery copies of unsaved drawings: written a while after the last change, gone after a
// save, a discard or a clean exit; a copy left by a program that died is offered at the
// next start (Yes loads it, marked modified under its file's name; No deletes it). The
// end-to-end case kills the real program on a private X display and starts it again.
#include "DocumentSession.h"
#include "MainWindow.h"
#include "RecoveryStore.h"
#include "XSession.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Runs the event loop until the condition holds or the time is up.
bool RunUntil(const std::function<bool()>& Condition, int Milliseconds)
{
    for (int waited = 0; waited <= Milliseconds; waited += 10) {
        QCoreApplication::processEvents();
        if (Condition())
            return true;
        QThread::msleep(10);
    }
    return false;
}

class Recovery : public ::testing::Test {
protected:
    Recovery()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        store.SetInterval(300);
    }
    void AddLine(float x)
    {
        cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(x, 10), TMyPoint(x + 50, 40)}, 0, "L");
        session.Touch();
    }
    // A copy as a program that died would have left it.
    QString LeaveOrphan(const QString& Id, int Lines, const QString& FileName)
    {
        TMyCAD other;
        for (int i = 0; i < Lines; ++i)
            other.AddShapeByCode(&other, SpLine, {}, {TMyPoint(10.f * i, 10), TMyPoint(10.f * i + 50, 40)}, 0, "L");
        const QString copy = folder.filePath(Id + ".zed");
        EXPECT_TRUE(other.SaveToFile(copy));
        QFile sidecar(folder.filePath(Id + ".json"));
        EXPECT_TRUE(sidecar.open(QIODevice::WriteOnly));
        sidecar.write(QStringLiteral("{\"fileName\": \"%1\", \"saved\": \"2026-12-10T05:50:00.000Z\"}")
                          .arg(FileName)
                          .toUtf8());
        return copy;
    }

    QTemporaryDir settings;
    QTemporaryDir dir;
    QTemporaryDir folder;
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    MainWindow window;
    TMyCAD& cad = *window.MyCAD1();
    TDocumentSession& session = *window.Session();
    TRecoveryStore store{&cad, &session, nullptr, folder.path()};
    std::function<bool()> save = [this] { return window.SaveDrawing(); };
};

} // namespace

TEST_F(Recovery, ACopyFollowsTheLastChangeAndGoesWithASaveOrADiscard)
{
    EXPECT_EQ(TRecoveryStore(&cad, &session, nullptr).Interval(), 3000);
    AddLine(10);
    EXPECT_FALSE(QFileInfo::exists(store.CopyFile())) << "not before the interval";
    ASSERT_TRUE(RunUntil([&] { return QFileInfo::exists(store.CopyFile()); }, 3000)) << "no copy written";
    TMyCAD copy;
    ASSERT_TRUE(copy.LoadFromFile(store.CopyFile()));
    EXPECT_EQ(copy.GetShapesCount(), 1);

    const QString file = dir.filePath("plan.zed");
    ui.QueueFileName(file);
    ASSERT_TRUE(window.SaveDrawing());
    EXPECT_FALSE(QFileInfo::exists(store.CopyFile())) << "the save removes the copy";
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.json", "*.zed"}).isEmpty());
    session.Touch();
    RunUntil([] { return false; }, 500);
    EXPECT_FALSE(QFileInfo::exists(store.CopyFile())) << "a saved drawing needs no copy";

    // The copy names the drawing's file; a new drawing that discards the changes removes it.
    AddLine(100);
    ASSERT_TRUE(RunUntil([&] { return QFileInfo::exists(store.CopyFile()); }, 3000));
    ASSERT_EQ(store.Orphans().size(), 0u) << "a running window's copy is no orphan";
    TRecoveryStore other(&cad, &session, nullptr, folder.path());
    ASSERT_EQ(other.Orphans().size(), 0u) << "nor for a second window";
    ui.QueueMessageResult(mrYes);
    ui.QueueMessageResult(mrNo);
    window.NewDrawing();
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(store.CopyFile())) << "the discard removes the copy";

    // A clean exit removes the copy and the lock.
    {
        TRecoveryStore exiting(&cad, &session, nullptr, folder.path());
        AddLine(200);
        ASSERT_TRUE(exiting.WriteNow());
        EXPECT_TRUE(QFileInfo::exists(exiting.CopyFile()));
    }
    ASSERT_TRUE(store.WriteNow());
    EXPECT_EQ(QDir(folder.path()).entryList({"*.zed"}), QStringList{QFileInfo(store.CopyFile()).fileName()});
    EXPECT_EQ(QDir(folder.path()).entryList({"*.lock"}).size(), 2) << "this store's and the second window's";
}

TEST_F(Recovery, YesLoadsAnOrphanedCopyAsModifiedUnderItsFileName)
{
    const QString orphan = LeaveOrphan("dead", 2, "/drawings/plan.zed");
    const auto orphans = store.Orphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].OriginalName, "/drawings/plan.zed");
    EXPECT_EQ(orphans[0].Saved, QDateTime::fromString("2026-12-10T05:50:00.000Z", Qt::ISODateWithMs));

    ui.QueueMessageResult(mrYes);
    ASSERT_TRUE(store.OfferOrphans(save));
    EXPECT_TRUE(ui.LastMessageText().startsWith("A drawing that was not saved was recovered (plan.zed, from "));
    EXPECT_TRUE(ui.LastMessageText().endsWith("). Open it?"));
    EXPECT_EQ(cad.GetShapesCount(), 2);
    EXPECT_TRUE(session.IsModified());
    EXPECT_EQ(session.FileName(), "/drawings/plan.zed");
    EXPECT_EQ(window.windowTitle(), "plan.zed[*] - MyCAD");
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_FALSE(QFileInfo::exists(orphan)) << "the orphan became this window's copy";
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("dead.json")));
    TMyCAD copy;
    ASSERT_TRUE(copy.LoadFromFile(store.CopyFile()));
    EXPECT_EQ(copy.GetShapesCount(), 2);
    EXPECT_TRUE(store.Orphans().empty());
}

TEST_F(Recovery, NoDeletesACopyAndAnUnreadableOneLeavesTheDrawing)
{
    const QString file = dir.filePath("kept.zed");
    AddLine(10);
    ASSERT_TRUE(cad.SaveToFile(file));
    ui.QueueMessageResult(mrNo);
    ASSERT_TRUE(window.OpenFile(file));
    const size_t asked = ui.Messages().size();

    // Two orphans, the newest offered first; No to both deletes both.
    LeaveOrphan("older", 1, "");
    QFile::remove(folder.filePath("older.json")); // a copy without its sidecar is offered too
    LeaveOrphan("newer", 3, "");
    ui.QueueMessageResult(mrNo);
    ui.QueueMessageResult(mrNo);
    EXPECT_FALSE(store.OfferOrphans(save));
    ASSERT_EQ(ui.Messages().size(), asked + 2);
    EXPECT_TRUE(ui.Messages()[asked].Text.startsWith("A drawing that was not saved was recovered (A new drawing, from "));
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.zed", "*.json"}).isEmpty());
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_FALSE(session.IsModified());

    // A copy that does not read is reported and removed; the drawing stays as it was.
    QFile junk(folder.filePath("junk.zed"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("ZEDA but not really a drawing");
    junk.close();
    ui.QueueMessageResult(mrYes);
    EXPECT_FALSE(store.OfferOrphans(save));
    EXPECT_EQ(ui.LastMessageText(), "The recovered drawing could not be read.");
    EXPECT_FALSE(QFileInfo::exists(junk.fileName()));
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(session.FileName(), file);
    EXPECT_FALSE(session.IsModified());
}

TEST(DemoEndToEnd, AKilledProgramOffersItsUnsavedDrawingAtTheNextStart)
{
    const QString missing = TXSession::Missing();
    if (!missing.isEmpty())
        GTEST_SKIP() << "needs " << missing.toStdString();
    TXSession x;
    ASSERT_TRUE(x.Started()) << "Xvfb did not start";
    ASSERT_TRUE(x.StartDemo({})) << "the program reported no layout";
    const QDir folder(qEnvironmentVariable("XDG_DATA_HOME", x.Folder() + "/.local/share") + "/MyCAD/MyCAD/recovery");
    const auto copies = [&] { return folder.entryList({"*.zed"}, QDir::Files); };
    QPoint page = x.Origin("MyCAD1");
    x.Click(x.Centre("Tool_rect"));
    x.Click(page + QPoint(100, 100));
    x.Click(page + QPoint(200, 200));
    x.Click(x.Centre("Tool_select"));
    ASSERT_TRUE(TXSession::WaitFor([&] { return copies().size() == 1; }, 15000)) << "no recovery copy";
    const QString killed = copies().front();
    x.Kill();

    ASSERT_TRUE(x.StartDemo({})) << "the program did not start again";
    ASSERT_TRUE(x.Focus("^Confirm$")) << "no offer of the recovered drawing";
    x.Keys("alt+y");
    ASSERT_TRUE(x.Focus("^Untitled\\* - MyCAD$")) << "the recovered drawing is not marked modified";
    ASSERT_TRUE(x.Relayout());
    page = x.Origin("MyCAD1");
    const QImage shown = x.Screenshot();
    ASSERT_FALSE(shown.isNull());
    const auto dark = [&](QPoint at) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (shown.valid(at + QPoint(dx, dy)) && qGray(shown.pixel(at + QPoint(dx, dy))) < 100)
                    return true;
        return false;
    };
    EXPECT_TRUE(dark(page + QPoint(150, 100))) << "the recovered rectangle's top edge";
    EXPECT_TRUE(dark(page + QPoint(200, 150))) << "the recovered rectangle's right edge";
    EXPECT_FALSE(dark(page + QPoint(150, 150))) << "the inside of the rectangle";
    ASSERT_TRUE(TXSession::WaitFor([&] { return copies().size() == 1 && copies().front() != killed; }, 5000))
        << "the killed run's copy became the new run's";

    // A clean exit without saving leaves no copy behind.
    x.Keys("ctrl+q");
    ASSERT_TRUE(x.Focus("^Confirm$")) << "no question about the unsaved changes";
    x.Keys("alt+n");
    EXPECT_TRUE(x.WaitForExit(10000)) << "the program did not end";
    EXPECT_TRUE(copies().isEmpty());
}
