// The demonstration in a real window: drawn by real mouse events on a private X display,
// saved through the real save dialog, reopened, and looked at in screenshots (pixels
// probed where the shapes must be).
#include "XSession.h"

#include <CAD.h>

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

bool Dark(const QImage& image, QPoint at)
{
    return image.valid(at) && qGray(image.pixel(at)) < 100;
}

// A dark pixel within a few pixels of the point (lines are one pixel wide and may sit a
// pixel off a rounded coordinate).
bool DarkNear(const QImage& image, QPoint at, int reach = 2)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (Dark(image, at + QPoint(dx, dy)))
                return true;
    return false;
}

int CountOf(const TMyCAD& cad, const char* kind)
{
    int n = 0;
    for (int i = 0; i < cad.GetShapesCount(); ++i)
        n += cad.GetShapeByNo(i)->ClassName() == QLatin1String(kind);
    return n;
}

} // namespace

TEST(DemoEndToEnd, DrawConnectDropZoomSaveAndReopen)
{
    const QString missing = TXSession::Missing();
    if (!missing.isEmpty())
        GTEST_SKIP() << "needs " << missing.toStdString();
    TXSession x;
    ASSERT_TRUE(x.Started()) << "Xvfb did not start";
    ASSERT_TRUE(x.StartDemo({})) << "the program reported no layout";
    const QPoint page = x.Origin(QStringLiteral("MyCAD1"));
    ASSERT_EQ(x.Part(QStringLiteral("MyCAD1")).value(QStringLiteral("width")).toInt(), 601);

    // Two rectangles on grid points (the grid of 50 snaps), each drawn click by click.
    x.Click(x.Centre(QStringLiteral("Tool_rect")));
    x.Click(page + QPoint(100, 100));
    x.Click(page + QPoint(200, 200));
    x.Click(x.Centre(QStringLiteral("Tool_rect")));
    x.Click(page + QPoint(300, 100));
    x.Click(page + QPoint(400, 200));
    // Two "Process" boxes of the starter library (128 x 64, link points in the middle of
    // their sides) dragged from the browser onto the page, and a connector dragged from
    // the right link point of the first to the left one of the second.
    const QJsonObject icon = x.Part(QStringLiteral("ListView0.item0"));
    ASSERT_EQ(icon.value(QStringLiteral("text")).toString(), QStringLiteral("Process")) << "no starter library";
    for (const QPoint drop : {QPoint(150, 400), QPoint(400, 400)})
        x.Drag(x.Origin(QStringLiteral("ListView0.item0")), page + drop);
    x.Click(x.Centre(QStringLiteral("Tool_link")));
    x.Drag(page + QPoint(214, 400), page + QPoint(336, 400));
    // A click on empty paper selects nothing, so that no hot covers the lines.
    x.Click(page + QPoint(560, 560));

    const QImage drawn = x.Screenshot();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_TRUE(DarkNear(drawn, page + QPoint(150, 100))) << "the first rectangle's top edge";
    EXPECT_TRUE(DarkNear(drawn, page + QPoint(350, 200))) << "the second rectangle's bottom edge";
    EXPECT_TRUE(DarkNear(drawn, page + QPoint(275, 400))) << "the connector";
    EXPECT_TRUE(DarkNear(drawn, page + QPoint(150, 368))) << "the first library box's top edge";
    EXPECT_FALSE(DarkNear(drawn, page + QPoint(150, 150), 5)) << "the inside of a rectangle";
    // The rulers are drawn: the top ruler is not blank.
    const QPoint ruler = x.Origin(QStringLiteral("TopRuler"));
    int rulerInk = 0;
    for (int dx = 0; dx < 400; ++dx)
        rulerInk += Dark(drawn, ruler + QPoint(dx, 20));
    EXPECT_GT(rulerInk, 5);

    // A click with the zoom-in toggle zooms by 1.2 about the click: the page grows to
    // 721 pixels and stays centred in the scroll box.
    x.Click(x.Centre(QStringLiteral("Tool_zoomin")));
    x.Click(page + QPoint(300, 300));
    ASSERT_TRUE(x.Relayout());
    EXPECT_EQ(x.Part(QStringLiteral("MyCAD1")).value(QStringLiteral("width")).toInt(), 721);
    x.Click(x.Centre(QStringLiteral("Tool_select")));

    // Save through the real dialog: the path typed into its name box.
    const QString file = x.Folder() + QStringLiteral("/flow.zed");
    x.Xdo({QStringLiteral("mousemove"), QString::number(page.x() + 500), QString::number(page.y() + 500)});
    ASSERT_TRUE(x.Focus(QStringLiteral("[-] MyCAD$")));
    x.Keys(QStringLiteral("ctrl+s"));
    ASSERT_TRUE(x.Focus(QStringLiteral("^Save the drawing$"))) << "no save dialog";
    x.Keys(QStringLiteral("ctrl+a"));
    x.Type(file);
    x.Keys(QStringLiteral("Return"));
    ASSERT_TRUE(TXSession::WaitFor([&] { return QFileInfo(file).size() > 0; }, 10000)) << "nothing saved";
    ASSERT_TRUE(x.Focus(QStringLiteral("^MyCAD$"))) << "no message after saving";
    x.Keys(QStringLiteral("Return"));

    TMyCAD saved;
    ASSERT_TRUE(saved.LoadFromFile(file));
    EXPECT_EQ(CountOf(saved, "TMyCombine"), 2);
    ASSERT_EQ(CountOf(saved, "TMyLinkLine"), 1);
    for (int i = 0; i < saved.GetShapesCount(); ++i) {
        const auto* line = qobject_cast<const TMyLinkLine*>(saved.GetShapeByNo(i));
        if (!line)
            continue;
        EXPECT_GE(line->StartSpNo(), 0) << "the connector's start is attached";
        EXPECT_GE(line->EndSpNo(), 0) << "the connector's end is attached";
    }

    // Export a PNG through the menus and the save dialog.
    const QString png = x.Folder() + QStringLiteral("/flow.png");
    x.Click(x.Origin(QStringLiteral("MenuBar/File")));
    ASSERT_TRUE(x.Relayout());
    ASSERT_TRUE(x.Part(QStringLiteral("Menu/Export")).contains(QStringLiteral("x"))) << "the File menu did not open";
    x.Xdo({QStringLiteral("mousemove"), QString::number(x.Origin(QStringLiteral("Menu/Export")).x()),
           QString::number(x.Origin(QStringLiteral("Menu/Export")).y())});
    ASSERT_TRUE(TXSession::WaitFor(
        [&] { return x.Relayout() && x.Part(QStringLiteral("Menu/PNG picture...")).contains(QStringLiteral("x")); }, 5000))
        << "the Export menu did not open";
    x.Click(x.Origin(QStringLiteral("Menu/PNG picture...")));
    ASSERT_TRUE(x.Focus(QStringLiteral("^Export the page$"))) << "no export dialog";
    x.Keys(QStringLiteral("ctrl+a"));
    x.Type(png);
    x.Keys(QStringLiteral("Return"));
    ASSERT_TRUE(TXSession::WaitFor([&] { return QFileInfo(png).size() > 0; }, 10000)) << "nothing exported";
    ASSERT_TRUE(x.Focus(QStringLiteral("^MyCAD$"))) << "no message after exporting";
    x.Keys(QStringLiteral("Return"));
    const QImage exported(png);
    ASSERT_FALSE(exported.isNull());
    EXPECT_GE(exported.width(), 601);
    int dark = 0;
    for (int y = 0; y < exported.height(); y += 2)
        for (int x0 = 0; x0 < exported.width(); x0 += 2)
            dark += qGray(exported.pixel(x0, y)) < 100;
    EXPECT_GT(dark, 100) << "the shapes are in the picture";

    // Quitting a saved drawing asks nothing; the file reopens from the command line.
    ASSERT_TRUE(x.Focus(QStringLiteral("[-] MyCAD$")));
    x.Keys(QStringLiteral("ctrl+q"));
    EXPECT_TRUE(x.WaitForExit(10000)) << "the program did not end on Ctrl+Q";
    ASSERT_TRUE(x.StartDemo({file}));
    const QPoint reopened = x.Origin(QStringLiteral("MyCAD1"));
    const QImage shown = x.Screenshot();
    EXPECT_TRUE(DarkNear(shown, reopened + QPoint(150, 100))) << "the reopened rectangle";
    EXPECT_TRUE(DarkNear(shown, reopened + QPoint(275, 400))) << "the reopened connector";
}
