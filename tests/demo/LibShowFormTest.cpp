// The library browser: which files it opens (libraries only, each file once however its
// path is spelled), the tabs and icon views it builds, closing a tab, and the drags its
// icons start.
#include "LibShowForm.h"

#include "support/RecordingUIServices.h"

#include <CAD.h>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes a library whose entries are rectangles of the given names.
void WriteLibrary(const QString& FileName, const QStringList& Names)
{
    TMyCAD cad;
    TLibManager lib;
    float x = 10;
    for (const QString& name : Names) {
        const int id = cad.AddShapeByCode(&cad, SpRectangle, {},
                                          {TMyPoint(x, 10), TMyPoint(x + 40, 10), TMyPoint(x + 40, 30), TMyPoint(x, 30)},
                                          0, QStringLiteral("R"));
        x += 60;
        ASSERT_TRUE(lib.AppendNewShape(name, {cad.GetShapeByNo(cad.GetShapeNoById(id))}, TUserData(), 100, 50));
    }
    ASSERT_TRUE(lib.SavetoFile(FileName));
}

class LibShowFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("other")));
    }
    QString Path(const QString& Name) const { return dir.filePath(Name); }

    QTemporaryDir dir;
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    TLibShowFrm frm;
};

} // namespace

TEST_F(LibShowFormTest, IsASmallLibraryWindowWithSideTabs)
{
    EXPECT_EQ(frm.windowTitle(), "Library");
    EXPECT_EQ(frm.size(), QSize(173, 453));
    EXPECT_TRUE(frm.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(frm.PageControl()->tabPosition(), QTabWidget::West);
    EXPECT_EQ(frm.CloseAction()->text(), "Close");
    EXPECT_EQ(frm.CurrentLibrary(), nullptr);
    EXPECT_EQ(frm.CurrentListView(), nullptr);
    frm.CloseActiveLibrary(); // nothing to close
    EXPECT_EQ(frm.LibraryCount(), 0);
    EXPECT_EQ(TLibShowFrm::TabCaption(QStringLiteral("/x/flow.chart.lib")), "flow");
    EXPECT_EQ(TLibShowFrm::TabCaption(QStringLiteral("/x/.lib")), ".lib");
}

TEST_F(LibShowFormTest, RefusesADrawingFileAndAMissingFile)
{
    TMyCAD cad;
    cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(1, 1), TMyPoint(50, 40)}, 0, QStringLiteral("L"));
    const QString drawing = Path(QStringLiteral("drawing.zed"));
    ASSERT_TRUE(cad.SaveToFile(drawing));
    EXPECT_FALSE(frm.OpenLibrary(drawing));
    EXPECT_EQ(ui.LastMessageText(), "This Lib: " + drawing + " is not a ZEDA library file!");
    const QString missing = Path(QStringLiteral("missing.lib"));
    EXPECT_FALSE(frm.OpenLibrary(missing));
    EXPECT_EQ(ui.LastMessageText(), "This Lib: " + missing + " is not a ZEDA library file!");
    EXPECT_EQ(frm.PageControl()->count(), 0);
    EXPECT_EQ(frm.LibraryCount(), 0);
}

TEST_F(LibShowFormTest, OpensEachFileOnceHoweverItsPathIsSpelled)
{
    const QString file = Path(QStringLiteral("shapes.lib"));
    WriteLibrary(file, {QStringLiteral("Box")});
    ASSERT_TRUE(frm.OpenLibrary(file));
    EXPECT_TRUE(ui.Messages().empty());
    const QStringList spellings = {file, dir.path() + QStringLiteral("/other/../shapes.lib"),
                                   dir.path() + QStringLiteral("/./shapes.lib")};
    ASSERT_TRUE(QFile::link(file, Path(QStringLiteral("other/link.lib"))));
    for (const QString& spelling : spellings + QStringList{Path(QStringLiteral("other/link.lib"))}) {
        ui.Clear();
        EXPECT_FALSE(frm.OpenLibrary(spelling)) << spelling.toStdString();
        EXPECT_EQ(ui.LastMessageText(), "This Lib: " + spelling + " has been opened!");
    }
    EXPECT_EQ(frm.PageControl()->count(), 1);

    // Another file whose name contains the first one's is another library.
    const QString longer = Path(QStringLiteral("shapes.lib.old"));
    WriteLibrary(longer, {QStringLiteral("Circle"), QStringLiteral("Box")});
    ui.Clear();
    ASSERT_TRUE(frm.OpenLibrary(longer));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(frm.PageControl()->count(), 2);
    EXPECT_EQ(frm.PageControl()->tabText(1), "shapes");
    EXPECT_EQ(frm.CurrentLibrary(), frm.Library(1));
    EXPECT_EQ(frm.CurrentLibrary()->LibFileName(), longer);
    // Asking for an open library again shows its tab.
    EXPECT_FALSE(frm.OpenLibrary(file));
    EXPECT_EQ(frm.PageControl()->currentIndex(), 0);
    EXPECT_EQ(frm.CurrentLibrary()->LibFileName(), file);
}

TEST_F(LibShowFormTest, ClosingATabFreesExactlyItsLibrary)
{
    // Two tabs with the same caption: the one closed is the one shown.
    const QString first = Path(QStringLiteral("shapes.lib"));
    const QString second = Path(QStringLiteral("other/shapes.lib"));
    const QString third = Path(QStringLiteral("third.lib"));
    WriteLibrary(first, {QStringLiteral("A")});
    WriteLibrary(second, {QStringLiteral("B")});
    WriteLibrary(third, {QStringLiteral("C")});
    for (const QString& f : {first, second, third})
        ASSERT_TRUE(frm.OpenLibrary(f));
    const QPointer<TMyCAD> firstDrawing = frm.Library(0)->Drawing();
    frm.PageControl()->setCurrentIndex(0);
    const QPointer<QListWidget> shownView = frm.CurrentListView();
    ASSERT_EQ(frm.CurrentLibrary()->LibFileName(), first);
    TLibManager* kept1 = frm.Library(1);
    TLibManager* kept2 = frm.Library(2);

    frm.CloseAction()->trigger();
    EXPECT_TRUE(firstDrawing.isNull()); // the manager is gone with its private drawing
    EXPECT_TRUE(shownView.isNull());
    ASSERT_EQ(frm.LibraryCount(), 2);
    EXPECT_EQ(frm.Library(0), kept1);
    EXPECT_EQ(frm.Library(1), kept2);
    EXPECT_EQ(kept1->LibFileName(), second);
    EXPECT_EQ(frm.PageControl()->count(), 2);
    EXPECT_EQ(frm.CurrentLibrary()->LibFileName(), frm.PageControl()->currentIndex() == 0 ? second : third);

    // The file closed can be opened again; closing every tab leaves nothing to drag from.
    ASSERT_TRUE(frm.OpenLibrary(first));
    for (int i = 0; i < 3; ++i)
        frm.CloseActiveLibrary();
    EXPECT_EQ(frm.LibraryCount(), 0);
    EXPECT_EQ(frm.PageControl()->count(), 0);
    EXPECT_EQ(frm.CurrentListView(), nullptr);
}

TEST_F(LibShowFormTest, TheTabShownMakesItsLibraryAndViewCurrent)
{
    const QString a = Path(QStringLiteral("a.lib")), b = Path(QStringLiteral("b.lib"));
    WriteLibrary(a, {QStringLiteral("One")});
    WriteLibrary(b, {QStringLiteral("Two"), QStringLiteral("Three")});
    ASSERT_TRUE(frm.OpenLibrary(a));
    ASSERT_TRUE(frm.OpenLibrary(b));
    EXPECT_EQ(frm.CurrentLibrary(), frm.Library(1));
    EXPECT_EQ(frm.CurrentListView()->count(), 2);
    frm.PageControl()->setCurrentIndex(0);
    EXPECT_EQ(frm.CurrentLibrary(), frm.Library(0));
    EXPECT_EQ(frm.CurrentListView()->count(), 1);
    EXPECT_EQ(frm.CurrentListView()->item(0)->text(), "One");
}

TEST_F(LibShowFormTest, ShowsTheStarterLibraryAsGreyIconsWithNames)
{
    const QString starter = QStringLiteral(MYCAD_STARTER_LIBRARY);
    if (!QFile::exists(starter))
        GTEST_SKIP() << "the build wrote no starter library at " << starter.toStdString();
    ASSERT_TRUE(frm.OpenLibrary(starter));
    EXPECT_EQ(frm.PageControl()->tabText(0), "starter");
    TLibManager* lib = frm.CurrentLibrary();
    QListWidget* view = frm.CurrentListView();
    ASSERT_NE(lib, nullptr);
    ASSERT_NE(view, nullptr);
    ASSERT_GT(lib->GetcmbShapesCount(), 0);
    ASSERT_EQ(view->count(), lib->GetcmbShapesCount());
    EXPECT_EQ(view->viewMode(), QListView::IconMode);
    EXPECT_EQ(view->iconSize(), QSize(32, 32));
    EXPECT_TRUE(view->dragEnabled());
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0x80, 0x80, 0x80));
    int drawn = 0;
    for (int i = 0; i < view->count(); ++i) {
        EXPECT_EQ(view->item(i)->text(), lib->GetCmbShapesNameByID(i));
        const QImage icon = view->item(i)->icon().pixmap(32, 32).toImage();
        ASSERT_EQ(icon.size(), QSize(32, 32));
        EXPECT_EQ(icon.pixelColor(0, 0), QColor(0x80, 0x80, 0x80)) << i; // the corner stays grey
        bool drawsSomething = false;
        for (int y = 0; y < 32 && !drawsSomething; ++y)
            for (int x = 0; x < 32 && !drawsSomething; ++x)
                drawsSomething = icon.pixelColor(x, y) != QColor(0x80, 0x80, 0x80);
        drawn += drawsSomething ? 1 : 0;
    }
    EXPECT_EQ(drawn, view->count()); // every preview draws its entry
}

TEST_F(LibShowFormTest, AnIconDragCarriesTheEntryAndItsLibrary)
{
    const QString file = Path(QStringLiteral("drag.lib"));
    WriteLibrary(file, {QStringLiteral("Box"), QStringLiteral("Décor")});
    ASSERT_TRUE(frm.OpenLibrary(file));
    QListWidget* view = frm.CurrentListView();
    ASSERT_EQ(view->count(), 2);
    EXPECT_EQ(view->model()->mimeTypes().front(), TLibShowFrm::LibraryShapeMimeType);
    // The view's model encodes the items through the view's own mimeData().
    const QModelIndexList dragged{view->model()->index(1, 0)};
    std::unique_ptr<QMimeData> data(view->model()->mimeData(dragged));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(TLibShowFrm::IsLibraryDrag(data.get()));
    EXPECT_EQ(TLibShowFrm::DraggedShapeName(data.get()), "Décor");
    EXPECT_EQ(frm.DraggedLibrary(data.get()), frm.CurrentLibrary());
    EXPECT_EQ(view->count(), 2);

    QMimeData files;
    files.setText(QStringLiteral("Box"));
    EXPECT_FALSE(TLibShowFrm::IsLibraryDrag(&files));
    EXPECT_FALSE(TLibShowFrm::IsLibraryDrag(nullptr));
    EXPECT_EQ(frm.DraggedLibrary(&files), nullptr);
    frm.CloseActiveLibrary();
    EXPECT_EQ(frm.DraggedLibrary(data.get()), nullptr);
}

TEST_F(LibShowFormTest, DamagedLibrariesOpenWithWhatCanBeListed)
{
    const QString whole = Path(QStringLiteral("whole.lib"));
    WriteLibrary(whole, {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const auto write = [&](const QString& name, const QByteArray& content) {
        QFile out(Path(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return Path(name);
    };
    // Cut inside the last entry, a size field pointing past the end, noise after the tag.
    QByteArray oversized = bytes;
    oversized[10 + 1 + 3 + 3] = char(0x7f); // the high byte of the first entry's size
    const QStringList damaged = {write(QStringLiteral("cut.lib"), bytes.left(bytes.size() - 7)),
                                 write(QStringLiteral("oversized.lib"), oversized),
                                 write(QStringLiteral("noise.lib"), "ZEDALIBX.i" + QByteArray(300, char(0xa5))),
                                 write(QStringLiteral("tag.lib"), "ZEDALIBX.i")};
    for (const QString& file : damaged) {
        ASSERT_TRUE(frm.OpenLibrary(file)) << file.toStdString();
        EXPECT_EQ(frm.CurrentListView()->count(), frm.CurrentLibrary()->GetcmbShapesCount());
    }
    EXPECT_EQ(frm.Library(0)->GetcmbShapesCount(), 2); // the cut entry is not listed
    EXPECT_EQ(frm.Library(1)->GetcmbShapesCount(), 0);
    EXPECT_EQ(frm.Library(3)->GetcmbShapesCount(), 0);
    EXPECT_TRUE(ui.Messages().empty());
    // A file too short for a tag is no library.
    const QString shortFile = write(QStringLiteral("short.lib"), "ZEDALIB");
    EXPECT_FALSE(frm.OpenLibrary(shortFile));
    EXPECT_EQ(ui.LastMessageText(), "This Lib: " + shortFile + " is not a ZEDA library file!");
}

TEST_F(LibShowFormTest, ALibraryThatDoesNotLoadGetsAMessageAndNoTab)
{
    // A pipe answers the tag check with a tag and the loading with nothing, as a file that
    // is cut between the two would. A writer opens it whenever a reader waits, writing the
    // tag the first time only.
    const QString pipe = Path(QStringLiteral("pipe.lib"));
    const QByteArray pipeName = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(pipeName.constData(), 0600), 0);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        bool tagWritten = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            const int fd = ::open(pipeName.constData(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            if (!tagWritten)
                tagWritten = ::write(fd, "ZEDALIBX.i", 10) == 10;
            ::close(fd);
        }
    });
    const bool opened = frm.OpenLibrary(pipe);
    done = true;
    writer.join();
    EXPECT_FALSE(opened);
    EXPECT_EQ(ui.LastMessageText(), "This Lib: " + pipe + " could not be read!");
    EXPECT_EQ(frm.PageControl()->count(), 0);
    EXPECT_EQ(frm.LibraryCount(), 0);
}
