// The drawing stream: header bytes, the document block, round trips of every shape class,
// the state after a load, and the file operations.
#include "FilesTestSupport.h"
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

int32_t Int32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}

QByteArray Spaces(int n)
{
    return QByteArray(n, ' ');
}

} // namespace

TEST(DrawingHeader, IsTheFixedTextFieldsWithTheReservedZero)
{
    TMyCAD cad;
    const QByteArray bytes = SaveBytes(cad);
    ASSERT_GE(bytes.size(), 218);
    const QByteArray expected = "Ombrell Component" + Spaces(47) + "ZEDA for Borland Delphi & C++ Builder" + Spaces(27)
                                + "XP.i" + Spaces(12) + "20080724" + Spaces(2) + Spaces(63) + QByteArray(1, '\0');
    ASSERT_EQ(expected.size(), 218);
    EXPECT_EQ(bytes.left(218), expected);
}

TEST(DrawingHeader, EmptyDrawingDocumentBlock)
{
    TMyCAD cad; // one layer "Layer0", A4 at zoom 1: 794 x 1123 pixels
    cad.SetTag(5);
    const QByteArray bytes = SaveBytes(cad);
    TBytes expected;
    expected.Raw(HeaderBytes("XP.i"));
    expected.I32(clWhite).I32(cad.width()).I32(cad.height()).U8(1); // unit mm
    expected.I64(0);                                                 // no background picture
    expected.I32(2).F64(1.0);                                        // Center, ratio
    expected.I32(5).I32(0);                                          // tag, no user data
    expected.I32(1).Str("Layer0").I32(0).I32(1);                     // one visible layer
    expected.I32(0).I32(0);                                          // current layer, no shapes
    EXPECT_EQ(bytes, expected.Data);
    EXPECT_EQ(cad.width(), 794);
    EXPECT_EQ(cad.height(), 1123);
}

TEST(DrawingHeader, CanvasSizeIsTheControlSizeInDocumentUnitsRoundedHalfToEven)
{
    TMyCAD cad;
    cad.SetZoom(2);
    cad.resize(1201, 803);
    const QByteArray bytes = SaveBytes(cad);
    EXPECT_EQ(Int32At(bytes, 222), 600); // 600.5 rounds to the even neighbour
    EXPECT_EQ(Int32At(bytes, 226), 402); // 401.5 likewise

    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, bytes));
    EXPECT_EQ(loaded.Zoom(), 1.0);
    EXPECT_EQ(loaded.width(), 600);
    EXPECT_EQ(loaded.height(), 402);
}

TEST(DrawingHeader, SavingChangesNothingAndIsDeterministic)
{
    TMyCAD cad;
    BuildEveryClassDrawing(cad);
    const QString before = DescribeDrawing(cad);
    const QByteArray first = SaveBytes(cad);
    EXPECT_EQ(DescribeDrawing(cad), before);
    EXPECT_EQ(SaveBytes(cad), first);
    EXPECT_EQ(cad.DiskFileVersion(), "XP.i");
}

TEST(DrawingHeader, SaveWritesAtTheStreamPosition)
{
    TMyCAD cad;
    QByteArray bytes = "prefix";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    buffer.seek(6);
    ASSERT_TRUE(cad.SaveToStream(buffer));
    EXPECT_TRUE(bytes.startsWith("prefixOmbrell Component"));
}

// ---- Round trips ----------------------------------------------------------------------------

TEST(DrawingRoundTrip, EveryShapeClassWithEveryFieldSetGivesIdenticalBytes)
{
    TMyCAD cad;
    BuildEveryClassDrawing(cad);
    ASSERT_EQ(cad.GetShapesCount(), 17);
    const QByteArray first = SaveBytes(cad);

    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, first));
    EXPECT_INVARIANTS(loaded);
    EXPECT_EQ(DescribeDrawing(loaded), DescribeDrawing(cad));
    EXPECT_EQ(SaveBytes(loaded), first);

    // Each class reads back as itself, in place.
    const QStringList classes = EveryClassName();
    for (int i = 0; i < classes.size(); ++i)
        EXPECT_EQ(loaded.GetShapeByNo(i)->ClassName(), classes[i]);
}

TEST(DrawingRoundTrip, LoadedValuesAreTheSavedOnes)
{
    TMyCAD cad;
    BuildEveryClassDrawing(cad);
    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, SaveBytes(cad)));

    EXPECT_EQ(loaded.ColorOfBackGround(), 0x00EEDDCC);
    EXPECT_EQ(loaded.TheUNIT(), TUnits::inch);
    EXPECT_EQ(loaded.BkBitmapMode(), TBkBitmapMode::Tiled);
    EXPECT_EQ(loaded.Ratio(), 0.75);
    EXPECT_EQ(loaded.Tag(), -9);
    EXPECT_EQ(loaded.BkBitmap()->Width(), 4);
    EXPECT_EQ(loaded.UserData()->GetValueByKey("Project"), "Pump house");
    ASSERT_EQ(loaded.GetLayersCount(), 2);
    EXPECT_FALSE(loaded.IsVisibleLayerByID(1));
    EXPECT_EQ(loaded.CurrentLayerId(), 1);

    const auto* text = dynamic_cast<TMyText*>(loaded.GetShapeByNo(14));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Lines(), QStringList({"first", "", "third \u00fc"}));
    EXPECT_EQ(text->Caption(), "Caption 14 \u00e9\u20ac");
    EXPECT_EQ(text->Font()->Height(), -12);
    EXPECT_EQ(text->Font()->PixelsPerInch(), 100);
    EXPECT_TRUE(text->Locked());
    EXPECT_FALSE(text->Visible());
    const auto* link = dynamic_cast<TMyLinkLine*>(loaded.GetShapeByNo(16));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->StartSpNo(), 11);
    EXPECT_EQ(link->EndSpNo(), 15);
    EXPECT_EQ(loaded.GetShapeByNo(2)->ChildNos(), TMyShapeNo({0, 1}));
    // The brush with a pattern keeps its picture.
    ASSERT_NE(loaded.GetShapeByNo(5)->Brush()->Bitmap(), nullptr);
    EXPECT_EQ(loaded.GetShapeByNo(5)->Brush()->Bitmap()->Width(), 4);
    // The rotation centre is recomputed as the centre of the bounding box.
    const TMyShape* r = loaded.GetShapeByNo(0);
    EXPECT_EQ(r->CenterPoint(), r->ComputeCenterPoint(4));
}

// Loaded shapes that draw alike share their pen, brush and font values; a change to one
// shape's attributes stays with it. A shape's name is its own, not Qt's object name.
TEST(DrawingLoad, ShapesDrawingAlikeShareTheirAttributes)
{
    TMyCAD cad;
    TMyShape* shapes[4];
    for (int i = 0; i < 4; ++i) {
        shapes[i] = AddRect(cad, 10 * i, 0, 10 * i + 8, 8, QStringLiteral("R%1").arg(i));
        shapes[i]->Pen()->SetColor(i < 3 ? clRed : clBlue);
        shapes[i]->Font()->SetName("DejaVu Sans Mono");
    }
    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, SaveBytes(cad)));
    TMyShape* r0 = loaded.GetShapeByNo(0);
    TMyShape* r1 = loaded.GetShapeByNo(1);
    EXPECT_EQ(r0->Pen()->Serial(), loaded.GetShapeByNo(2)->Pen()->Serial());
    EXPECT_NE(r0->Pen()->Serial(), loaded.GetShapeByNo(3)->Pen()->Serial());
    EXPECT_EQ(loaded.GetShapeByNo(3)->Pen()->Color(), clBlue);
    EXPECT_EQ(r0->Font()->Serial(), loaded.GetShapeByNo(3)->Font()->Serial());
    EXPECT_EQ(r0->Brush()->Serial(), r1->Brush()->Serial());
    r1->Pen()->SetWidth(5);
    r1->Font()->SetSize(20);
    EXPECT_EQ(r0->Pen()->Width(), 1);
    EXPECT_EQ(r0->Font()->Size(), 8);
    EXPECT_EQ(SaveBytes(loaded).size(), SaveBytes(cad).size());

    EXPECT_EQ(r1->Name(), "R1");
    EXPECT_EQ(ComponentName(r1), "R1");
    EXPECT_TRUE(r1->objectName().isEmpty());
    EXPECT_EQ(r1->Caption(), "R1");
}

TEST(DrawingRoundTrip, ThroughAFileAndThroughASequentialDevice)
{
    TMyCAD cad;
    BuildEveryClassDrawing(cad);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("drawing.zed");
    ASSERT_TRUE(cad.SaveToFile(name));
    ASSERT_TRUE(cad.SaveToFileold(name));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, SaveBytes(cad));

    TMyCAD loaded;
    ASSERT_TRUE(loaded.LoadFromFile(name));
    EXPECT_EQ(SaveBytes(loaded), bytes);
}

// ---- The state after a load ----------------------------------------------------------------

TEST(DrawingLoad, ReplacesTheDrawingAndResetsZoomSelectionAndVersion)
{
    TMyCAD source;
    BuildEveryClassDrawing(source);
    const QByteArray bytes = SaveBytes(source);

    std::vector<int> deleted; // outlives the drawing, whose destructor fires the event too
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10, "Old");
    cad.SetZoom(3);
    cad.SetDiskFileVersion("XP.e");
    cad.OnDeleteLayer = [&](int id, const QString&, bool) { deleted.push_back(id); };
    ASSERT_TRUE(LoadBytes(cad, bytes));
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.GetWorkingShapesCount(), 0);
    EXPECT_EQ(cad.GetShapesCount(), 17);
    EXPECT_EQ(cad.GetShapeByName("Old"), nullptr);
    EXPECT_EQ(cad.DiskFileVersion(), "XP.i");
    EXPECT_FALSE(cad.Loading());
    EXPECT_EQ(deleted, std::vector<int>({0}));
    EXPECT_EQ(cad.UndoList().RecordCount(), 0);
    EXPECT_INVARIANTS(cad);
}

TEST(DrawingLoad, NextIdentifiersFollowTheLargestLoaded)
{
    TDocSpec recipe;
    recipe.Layers = {{"A", 0, 1}, {"B", 3, 1}, {"C", 7, 0}};
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, DocumentBytes(recipe)));
    EXPECT_EQ(cad.NewLayer("D", true), 8);

    TMyCAD source;
    for (int i = 0; i < 3; ++i)
        AddRect(source, 0, 0, 5, 5, QStringLiteral("R%1").arg(i));
    source.GetShapeByNo(1)->SetShapeId(41);
    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, SaveBytes(source)));
    const TMyShape* added = AddRect(loaded, 0, 0, 5, 5, "Next");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetShapeId(), 42);
}

TEST(DrawingLoad, LayerVisibleFlagOtherThanOneIsHidden)
{
    TDocSpec recipe;
    recipe.Layers = {{"One", 0, 1}, {"Two", 1, 2}, {"Zero", 2, 0}, {"Minus", 3, -1}};
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, DocumentBytes(recipe)));
    EXPECT_TRUE(cad.IsVisibleLayerByID(0));
    EXPECT_FALSE(cad.IsVisibleLayerByID(1));
    EXPECT_FALSE(cad.IsVisibleLayerByID(2));
    EXPECT_FALSE(cad.IsVisibleLayerByID(3));
}

TEST(DrawingLoad, UserDataIsMergedIntoTheDrawingsOwn)
{
    TDocSpec recipe;
    recipe.UserData = {{"Owner", "file"}, {"Site", "Harbour"}, {"Owner", "repeated"}};
    TMyCAD cad;
    cad.UserData()->AddKeyandValue("Owner", "drawing");
    cad.SetTag(3);
    ASSERT_TRUE(LoadBytes(cad, DocumentBytes(recipe)));
    EXPECT_EQ(cad.Tag(), 77);
    ASSERT_EQ(cad.UserData()->GetCount(), 2);
    EXPECT_EQ(cad.UserData()->GetValueByKey("Owner"), "drawing");
    EXPECT_EQ(cad.UserData()->GetValueByKey("Site"), "Harbour");
}

TEST(DrawingLoad, OlderVersionsKeepTheDrawingsTagAndUserData)
{
    TDocSpec recipe;
    recipe.Tag = "XP.e";
    TMyCAD cad;
    cad.SetTag(12);
    cad.UserData()->AddKeyandValue("Mine", "kept");
    ASSERT_TRUE(LoadBytes(cad, DocumentBytes(recipe)));
    EXPECT_EQ(cad.Tag(), 12);
    EXPECT_EQ(cad.UserData()->GetCount(), 1);
    EXPECT_EQ(cad.DiskFileVersion(), "XP.e");
    EXPECT_EQ(cad.TheUNIT(), TUnits::cm);
    EXPECT_EQ(cad.Ratio(), 2.5);
    EXPECT_EQ(cad.width(), 640);
}

TEST(DrawingLoad, EmptyDrawingWithOneLayerReadsBackEmpty)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10);
    TMyCAD empty;
    ASSERT_TRUE(LoadBytes(cad, SaveBytes(empty)));
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.GetLayersCount(), 1);
    EXPECT_EQ(cad.BkBitmap()->Empty(), true);
}

TEST(DrawingLoad, ReadsFromPositionZero)
{
    TMyCAD source;
    AddRect(source, 0, 0, 10, 10, "Only");
    QByteArray bytes = SaveBytes(source);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(100);
    TMyCAD cad;
    ASSERT_TRUE(cad.LoadFromStream(buffer));
    EXPECT_NE(cad.GetShapeByName("Only"), nullptr);
    EXPECT_EQ(buffer.pos(), bytes.size());
}

// ---- Files ------------------------------------------------------------------------------------

TEST(DrawingFiles, IsZEDAFileChecksTheTrimmedSignature)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    TMyCAD cad;
    EXPECT_TRUE(cad.IsZEDAFile(write("plain", HeaderBytes("XP.i"))));
    EXPECT_TRUE(cad.IsZEDAFile(write("leading", "  Ombrell Component" + Spaces(45))));
    EXPECT_TRUE(cad.IsZEDAFile(write("short", "Ombrell Component")));
    EXPECT_FALSE(cad.IsZEDAFile(write("lower", "ombrell component" + Spaces(47))));
    EXPECT_FALSE(cad.IsZEDAFile(write("other", "Ombrell Components" + Spaces(46))));
    EXPECT_FALSE(cad.IsZEDAFile(dir.filePath("missing")));
}

TEST(DrawingFiles, LoadFromFileRefusesOtherFilesAndKeepsTheDrawing)
{
    QTemporaryDir dir;
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10, "Kept");
    const QByteArray before = SaveBytes(cad);

    QFile other(dir.filePath("other"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not a drawing at all");
    other.close();
    EXPECT_FALSE(cad.LoadFromFile(other.fileName()));
    EXPECT_FALSE(cad.LoadFromFile(dir.filePath("missing")));

    // A drawing file that is cut short: recognised, but refused, and nothing lost.
    TMyCAD source;
    BuildEveryClassDrawing(source);
    QFile cut(dir.filePath("cut"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(SaveBytes(source).left(1000));
    cut.close();
    EXPECT_TRUE(cad.IsZEDAFile(cut.fileName()));
    EXPECT_FALSE(cad.LoadFromFile(cut.fileName()));
    EXPECT_EQ(SaveBytes(cad), before);
    EXPECT_NE(cad.GetShapeByName("Kept"), nullptr);
}

TEST(DrawingFiles, FailedSaveLeavesThePreviousFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("drawing.zed");
    TMyCAD first;
    AddRect(first, 0, 0, 10, 10, "First");
    ASSERT_TRUE(first.SaveToFile(name));

    // A shape whose class has no record layout makes the save fail half way.
    class TUnknownShape : public TMyShape {
    public:
        using TMyShape::TMyShape;
    };
    TMyCAD second;
    AddRect(second, 0, 0, 10, 10, "Second");
    std::unique_ptr<TMyShape> odd = std::make_unique<TUnknownShape>(&second);
    odd->SetShapeNo(1);
    ASSERT_TRUE(second.AddShape(odd, false, false));
    EXPECT_FALSE(second.SaveToFile(name));

    TMyCAD check;
    ASSERT_TRUE(check.LoadFromFile(name));
    EXPECT_NE(check.GetShapeByName("First"), nullptr);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"drawing.zed"}));

    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(first.SaveToFile(dir.filePath("no/such/folder/x.zed")));
}

TEST(DrawingFiles, SaveToAReadOnlyStreamFails)
{
    TMyCAD cad;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(cad.SaveToStream(buffer));
}
