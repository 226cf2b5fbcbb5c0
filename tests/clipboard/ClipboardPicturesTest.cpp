// The pictures on the system clipboard: the bitmap of Copy (2 pixels of margin, at the
// zoom), the enhanced metafile of CopyToClipBoardAsWmf (no margin), what happens when
// no picture can be made or placed, and a picture of another program pasted as an image.
#include "ClipboardTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>
#include <cmath>

namespace {

class ClipboardPictures : public ClipboardTest {
protected:
    ClipboardPictures()
    {
        cad.SetUndoRedoSize(20);
        rect = AddRect(cad, 50, 30, 150, 80); // 100 x 50 document units
        rect->Brush()->SetColor(clRed);
        rect->Brush()->SetStyle(bsSolid);
        cad.SetWorkingShapes({rect});
    }
    TMyCAD cad;
    TMyShape* rect = nullptr;
};

int32_t I32(const QByteArray& b, int at)
{
    return qFromLittleEndian<int32_t>(b.constData() + at);
}

// The frame of an EMF header: its width and height in pixels at 96 dpi.
QSize EmfFrameSize(const QByteArray& emf)
{
    const double perPixel = 2540.0 / 96.0;
    return QSize(int(std::lround((I32(emf, 32) + 1) / perPixel)), int(std::lround((I32(emf, 36) + 1) / perPixel)));
}

} // namespace

TEST_F(ClipboardPictures, TheBitmapHasAMarginOfTwoPixelsAtTheZoom)
{
    ASSERT_TRUE(cad.Copy());
    ASSERT_EQ(clipboard.Placed.size(), 1u);
    const QImage one = clipboard.Placed[0].Bitmap;
    EXPECT_TRUE(clipboard.Placed[0].Emf.isEmpty());
    EXPECT_EQ(one.size(), QSize(104, 54));
    // The shape fills the inside; the margin shows the page colour.
    EXPECT_EQ(one.pixelColor(52, 27), QColor(Qt::red));
    EXPECT_EQ(one.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(one.pixelColor(103, 53), QColor(Qt::white));

    cad.SetZoom(2);
    cad.SetWorkingShapes({rect});
    ASSERT_TRUE(cad.Copy());
    EXPECT_EQ(clipboard.Placed.back().Bitmap.size(), QSize(204, 104));
    EXPECT_EQ(clipboard.Placed.back().Bitmap.pixelColor(102, 52), QColor(Qt::red));
}

// Copied connectors hop over each other in the picture as on the page, and keep their
// points exactly.
TEST_F(ClipboardPictures, CopiedConnectorsHopOverEachOther)
{
    cad.SetCrossLine(true);
    TMyShape* across = cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
    across->PointsRef() = {TMyPoint(100, 200), TMyPoint(200, 200), TMyPoint(300, 200)};
    TMyShape* down = cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
    down->PointsRef() = {TMyPoint(180, 120), TMyPoint(180, 300)};
    cad.SetWorkingShapes({across, down});
    ASSERT_TRUE(cad.Copy());
    // The picture starts 2 pixels left of and above the shapes: the crossing is at (82, 82).
    const QImage picture = clipboard.Placed.back().Bitmap;
    EXPECT_EQ(picture.pixelColor(67, 82), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(78, 82), QColor(Qt::white)) << "the row is open beside the crossing";
    int arc = 0; // the hop's ink above the row, beside the vertical connector
    for (int y = 70; y < 82; ++y)
        arc += picture.pixelColor(76, y) == QColor(Qt::black);
    EXPECT_GE(arc, 1);
    EXPECT_EQ(across->GetPointsCount(), 3) << "the points are put back as they were";
    EXPECT_EQ(across->GetPointInZoom(0), TMyPoint(100, 200));
}

TEST_F(ClipboardPictures, TheMetafileIsTheSizeOfTheShapesWithoutMargin)
{
    const int memory = cad.GetMemShapesCount();
    ASSERT_TRUE(cad.CopyToClipBoardAsWmf());
    ASSERT_EQ(clipboard.Placed.size(), 1u);
    const QByteArray emf = clipboard.Placed[0].Emf;
    EXPECT_TRUE(clipboard.Placed[0].Bitmap.isNull());
    ASSERT_GT(emf.size(), 88);
    EXPECT_EQ(I32(emf, 0), 1) << "EMR_HEADER";
    EXPECT_EQ(I32(emf, 40), 0x464D4520) << "the EMF signature";
    EXPECT_EQ(EmfFrameSize(emf), QSize(100, 50));
    EXPECT_EQ(cad.GetMemShapesCount(), memory) << "the memory shapes are not touched";

    cad.SetZoom(2);
    cad.SetWorkingShapes({rect});
    ASSERT_TRUE(cad.CopyToClipBoardAsWmf());
    EXPECT_EQ(EmfFrameSize(clipboard.Placed.back().Emf), QSize(200, 100));
}

TEST_F(ClipboardPictures, AHugeSelectionFillsTheMemoryButMakesNoPicture)
{
    TMyShape* huge = AddRect(cad, 0, 0, 10, 10);
    huge->PointsRef() = {TMyPoint(0, 0), TMyPoint(4e7f, 0), TMyPoint(4e7f, 3e7f), TMyPoint(0, 3e7f)};
    cad.SetWorkingShapes({rect, huge});
    EXPECT_FALSE(cad.Copy());
    EXPECT_EQ(cad.GetMemShapesCount(), 2);
    ASSERT_EQ(clipboard.Placed.size(), 1u);
    EXPECT_TRUE(clipboard.Placed[0].Empty()) << "no older picture stands for this copy";
    // The cut still goes ahead: the shapes are in memory.
    cad.SetWorkingShapes({rect, huge});
    EXPECT_TRUE(cad.Cut());
    EXPECT_EQ(cad.GetShapesCount(), 0);
    cad.Paste();
    EXPECT_EQ(cad.GetShapesCount(), 2);
}

TEST_F(ClipboardPictures, ARefusingClipboardStillLeavesTheCopyInMemory)
{
    clipboard.Accept = false;
    EXPECT_FALSE(cad.Copy());
    EXPECT_EQ(cad.GetMemShapesCount(), 1);
    cad.Paste();
    EXPECT_EQ(cad.GetShapesCount(), 2);
}

TEST_F(ClipboardPictures, APictureOfAnotherProgramPastesAsAnImageShape)
{
    EXPECT_EQ(cad.PasteClipboardPicture(TPoint(0, 0)), -1) << "nothing on the clipboard";
    QImage picture(12, 8, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 255));
    picture.setPixelColor(0, 0, QColor(0, 0, 0, 0)); // transparent: white of paper
    clipboard.Held.Bitmap = picture;
    cad.SetZoom(2);
    const int id = cad.PasteClipboardPicture(TPoint(40, 20));
    ASSERT_GE(id, 0);
    auto* image = qobject_cast<TMyImage*>(cad.GetShapeByID(id));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Points().front(), TMyPoint(20, 10));
    EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{image});
    EXPECT_INVARIANTS(cad);
}

TEST(ClipboardServicesOfQt, PlacesTheBitmapAndTheMetafile)
{
    TQtClipboardServices qt;
    TClipboardContent content;
    content.Bitmap = QImage(5, 4, QImage::Format_RGB32);
    content.Bitmap.fill(Qt::green);
    content.Emf = QByteArray("EMF bytes");
    ASSERT_TRUE(qt.SetContent(content));
    EXPECT_EQ(qt.Picture().size(), QSize(5, 4));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(data->data(QLatin1String(kEmfMimeType)), content.Emf);
    EXPECT_EQ(data->data(QLatin1String(kEmfMimeTypeRegistered)), content.Emf);
    EXPECT_TRUE(qt.SetContent(TClipboardContent()));
    EXPECT_TRUE(qt.Picture().isNull());
}
