// Drawing files added as blocks: merged onto the current layer or imported onto layers
// matched by position, with groups and connectors renumbered, the page settings taken
// over by the file's generation, the canvas that only grows, relations leading outside
// the block cut, and damaged blocks refused with the drawing unchanged.
#include "ClipboardTestSupport.h"

#include <QFile>

namespace {

class Blocks : public ClipboardTest {
protected:
    Blocks() { cad.SetUndoRedoSize(20); }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // A block of three layers: the sample drawing on "Layer0", a rectangle on "Second"
    // and one on "Third"; page colour, unit, ratio, tag and user data of its own.
    QString SampleBlock()
    {
        TMyCAD block;
        BuildSample(block);
        block.NewLayer(QStringLiteral("Second"), true);
        AddRect(block, 200, 200, 220, 220, QStringLiteral("S"));
        block.NewLayer(QStringLiteral("Third"), false);
        AddRect(block, 300, 300, 330, 330, QStringLiteral("T"));
        block.SetColorOfBackGround(0x00336699);
        block.SetTheUNIT(TUnits::inch);
        block.SetRatio(2.5);
        block.SetTag(1234);
        block.UserData()->AddKeyandValue(QStringLiteral("kept"), QStringLiteral("block"));
        block.UserData()->AddKeyandValue(QStringLiteral("new"), QStringLiteral("1"));
        block.resize(1000, 700);
        return Write(QStringLiteral("block.dwg"), SaveBytes(block));
    }
    // A drawing of two layers with one shape, the drawing's own settings.
    void PrepareTarget()
    {
        AddRect(cad, 0, 0, 5, 5, QStringLiteral("Own"));
        cad.NewLayer(QStringLiteral("Upper"), true);
        cad.SetCurrentLayerId(0);
        cad.UserData()->AddKeyandValue(QStringLiteral("kept"), QStringLiteral("drawing"));
        cad.resize(1200, 500);
    }

    QTemporaryDir dir;
    TMyCAD cad;
};

} // namespace

TEST_F(Blocks, ImportMatchesLayersByPositionAndAddsTheFurtherOnes)
{
    const QString file = SampleBlock();
    PrepareTarget();
    std::vector<QString> newLayers;
    cad.OnNewLayer = [&](int, const QString& name, bool) { newLayers.push_back(name); };
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Import));
    EXPECT_INVARIANTS(cad);
    ASSERT_EQ(cad.GetShapesCount(), 8);
    EXPECT_EQ(newLayers, std::vector<QString>{QStringLiteral("BlockThird")});
    ASSERT_EQ(cad.GetLayersCount(), 3);
    const int third = cad.GetLayerIdByName(QStringLiteral("BlockThird"));
    EXPECT_EQ(cad.CurrentLayerId(), third);
    EXPECT_TRUE(cad.IsVisibleLayerByID(third));
    // In the block's order, after the drawing's own shape, identifiers from 1 on.
    const int upper = cad.GetLayerIdByName(QStringLiteral("Upper"));
    const std::vector<int> layers = {0, 0, 0, 0, 0, upper, third};
    for (int k = 0; k < 7; ++k) {
        TMyShape* s = cad.GetShapeByNo(1 + k);
        EXPECT_EQ(s->GetShapeId(), 1 + k);
        EXPECT_EQ(s->Name(), QStringLiteral("Shape%1").arg(1 + k));
        EXPECT_EQ(s->LayerId(), layers[size_t(k)]) << k;
    }
    // Relations point at the new copies; no offset.
    TMyShape* group = cad.GetShapeByNo(5);
    EXPECT_EQ(group->ClassName(), QStringLiteral("TMyGroup"));
    EXPECT_EQ(group->ChildNos(), (TMyShapeNo{1, 2}));
    EXPECT_EQ(cad.GetShapeByNo(1)->ParentNo(), 5);
    auto* link = qobject_cast<TMyLinkLine*>(cad.GetShapeByNo(4));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->StartSpNo(), 1);
    EXPECT_EQ(link->EndSpNo(), 3);
    EXPECT_EQ(cad.GetShapeByNo(3)->Points().front(), TMyPoint(10, 110));
    // The page settings of the block; the canvas grows only.
    EXPECT_EQ(cad.ColorOfBackGround(), TColor(0x00336699));
    EXPECT_EQ(cad.TheUNIT(), TUnits::inch);
    EXPECT_EQ(cad.Ratio(), 2.5);
    EXPECT_EQ(cad.Tag(), 1234);
    EXPECT_EQ(cad.UserData()->GetValueByKey(QStringLiteral("kept")), QStringLiteral("drawing"));
    EXPECT_EQ(cad.UserData()->GetValueByKey(QStringLiteral("new")), QStringLiteral("1"));
    EXPECT_EQ(cad.width(), 1200);
    EXPECT_EQ(cad.height(), 700);
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.DiskFileVersion(), QStringLiteral("XP.i"));
    // The new roots are selected; one undo takes the whole block away.
    EXPECT_EQ(cad.WorkingShapes().size(), 5u);
    EXPECT_EQ(cad.GetMemShapesCount(), 0);
    EXPECT_EQ(cad.UndoList().ActionCount(), 1);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Blocks, MergePutsEveryShapeOnTheCurrentLayer)
{
    const QString file = SampleBlock();
    PrepareTarget();
    cad.SetCurrentLayerId(cad.GetLayerIdByName(QStringLiteral("Upper")));
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Merge));
    EXPECT_EQ(cad.GetLayersCount(), 2);
    for (int no = 1; no < cad.GetShapesCount(); ++no)
        EXPECT_EQ(cad.GetShapeByNo(no)->LayerId(), cad.CurrentLayerId());
    EXPECT_EQ(cad.GetShapeByNo(0)->LayerId(), 0);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Blocks, TheSameBlockTwiceGivesIndependentCopies)
{
    const QString file = SampleBlock();
    PrepareTarget();
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Import));
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Import));
    EXPECT_EQ(cad.GetShapesCount(), 15);
    // The second import finds three layers: no layer is added.
    EXPECT_EQ(cad.GetLayersCount(), 3);
    EXPECT_EQ(cad.GetShapeByNo(14)->GetShapeId(), 14);
    EXPECT_EQ(cad.GetShapeByNo(12)->ChildNos(), (TMyShapeNo{8, 9}));
    EXPECT_INVARIANTS(cad);
}

TEST_F(Blocks, AGrowingCanvasAndAnOldGenerationWithoutTagOrUserData)
{
    cad.resize(800, 300);
    cad.SetTag(5);
    cad.UserData()->AddKeyandValue(QStringLiteral("k"), QStringLiteral("v"));
    TDocSpec e;
    e.Tag = "XP.e";
    const QString file = Write(QStringLiteral("old.dwg"), DocumentBytes(e));
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Merge));
    EXPECT_EQ(cad.width(), 800) << "640 is narrower";
    EXPECT_EQ(cad.height(), 480);
    EXPECT_EQ(cad.Tag(), 5);
    EXPECT_EQ(cad.UserData()->GetCount(), 1);
    EXPECT_EQ(cad.DiskFileVersion(), QStringLiteral("XP.e"));
    EXPECT_EQ(cad.TheUNIT(), TUnits::cm);
    EXPECT_EQ(cad.GetShapesCount(), 0);
}

TEST_F(Blocks, RelationsLeadingOutsideTheBlockAreCut)
{
    // A block whose rectangle lists connector 7, whose connector starts at shape 9 and
    // ends at shape -7, with a parent -3: numbers beyond the block, kept by the reader for
    // the paste to cut.
    TMyCAD source;
    TMyShape* r = AddRect(source, 0, 0, 10, 10);
    TMyShape* l = source.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr);
    l->PointsRef() = {TMyPoint(0, 0), TMyPoint(50, 0)};
    r->LinkLineNos().push_back(7);
    qobject_cast<TMyLinkLine*>(l)->SetStartSpNo(9);
    qobject_cast<TMyLinkLine*>(l)->SetStartSpPtId(0);
    qobject_cast<TMyLinkLine*>(l)->SetEndSpNo(-7);
    qobject_cast<TMyLinkLine*>(l)->SetEndSpPtId(0);
    l->SetParentNo(-3);
    const QString file = Write(QStringLiteral("outside.dwg"), SaveBytes(source));
    TMyCAD check;
    EXPECT_FALSE(LoadBytes(check, SaveBytes(source))) << "as a drawing it is refused";

    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Merge));
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_TRUE(cad.GetShapeByNo(0)->LinkLineNos().empty());
    EXPECT_EQ(qobject_cast<TMyLinkLine*>(cad.GetShapeByNo(1))->StartSpNo(), -1);
    EXPECT_EQ(qobject_cast<TMyLinkLine*>(cad.GetShapeByNo(1))->EndSpNo(), -1);
    EXPECT_EQ(cad.GetShapeByNo(1)->ParentNo(), -1);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Blocks, ADamagedBlockLeavesTheDrawingExactlyAsItWas)
{
    const QString good = SampleBlock();
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    PrepareTarget();
    cad.SetZoom(2);
    TMyShape* own = cad.GetShapeByNo(0);
    cad.SetWorkingShapes({own});
    cad.Copy();
    cad.Move(own, 3, 0);
    cad.PushtoUndoRedoShapeList({own}, UndoActionName(TUndoAction::Change));
    const QByteArray before = SaveBytes(cad);
    const int undo = cad.UndoList().ActionCount();
    std::vector<QString> newLayers;
    cad.OnNewLayer = [&](int, const QString& name, bool) { newLayers.push_back(name); };

    // Cut short anywhere, a class name spoilt, a relation loop, not a drawing at all.
    std::vector<QByteArray> damaged;
    for (qsizetype cut : {qsizetype(100), qsizetype(230), bytes.size() / 2, bytes.size() - 1})
        damaged.push_back(bytes.left(cut));
    QByteArray badClass = bytes;
    const qsizetype at = badClass.indexOf("TMyRectangle");
    ASSERT_GT(at, 0);
    badClass[at + 3] = 'Q';
    damaged.push_back(badClass);
    for (const QByteArray& d : damaged) {
        EXPECT_FALSE(cad.AddBlockfromZEDAFile(Write(QStringLiteral("bad.dwg"), d), TBlockLayerMode::Import));
        EXPECT_EQ(SaveBytes(cad), before);
        EXPECT_EQ(cad.Zoom(), 2.0);
        EXPECT_EQ(cad.UndoList().ActionCount(), undo);
        EXPECT_EQ(cad.GetMemShapesCount(), 1) << "the clipboard keeps its copy";
        EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{own});
        EXPECT_TRUE(newLayers.empty());
    }
    EXPECT_FALSE(cad.AddBlockfromZEDAFile(dir.filePath(QStringLiteral("missing.dwg")), TBlockLayerMode::Merge));
    EXPECT_EQ(SaveBytes(cad), before);
}

TEST_F(Blocks, ARelationLoopIsRefused)
{
    TMyCAD source;
    TMyShape* a = AddRect(source, 0, 0, 10, 10);
    TMyShape* b = AddRect(source, 20, 0, 30, 10);
    const int g = source.GroupShapes({a, b}, false);
    TMyShape* group = source.GetShapeByID(g);
    group->SetParentNo(a->ShapeNo()); // the group is its own member's member
    a->ChildNos().push_back(uint32_t(group->ShapeNo()));
    const QByteArray before = SaveBytes(cad);
    QByteArray loop = SaveBytes(source);
    EXPECT_FALSE(cad.AddBlockfromZEDAFile(Write(QStringLiteral("loop.dwg"), loop), TBlockLayerMode::Merge));
    EXPECT_EQ(SaveBytes(cad), before);
}

TEST_F(Blocks, ATakenLayerNameFallsBackToTheLayerOfThatName)
{
    const QString file = SampleBlock();
    // Two layers, the second already named as the block's third would be.
    const int taken = cad.NewLayer(QStringLiteral("BlockThird"), false);
    cad.SetCurrentLayerId(0);
    std::vector<QString> newLayers;
    cad.OnNewLayer = [&](int, const QString& name, bool) { newLayers.push_back(name); };
    ASSERT_TRUE(cad.AddBlockfromZEDAFile(file, TBlockLayerMode::Import));
    EXPECT_TRUE(newLayers.empty());
    EXPECT_EQ(cad.GetLayersCount(), 2);
    // Block position 1 lies on the drawing's position 1, which is that layer too.
    EXPECT_EQ(cad.GetShapeByNo(cad.GetShapesCount() - 2)->LayerId(), taken);
    EXPECT_EQ(cad.GetShapeByNo(cad.GetShapesCount() - 1)->LayerId(), taken);
    EXPECT_INVARIANTS(cad);
}

TEST_F(Blocks, LoadingForABlockFillsTheMemoryShapesOnly)
{
    const QString path = SampleBlock();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    AddRect(cad, 0, 0, 5, 5);
    ASSERT_TRUE(cad.LoadFromStreamforBlock(file, TBlockLayerMode::Merge));
    EXPECT_EQ(cad.GetShapesCount(), 1);
    ASSERT_EQ(cad.GetMemShapesCount(), 7);
    for (const auto& shape : cad.MemShapes()) {
        EXPECT_TRUE(shape->Name().isEmpty());
        EXPECT_EQ(shape->LayerId(), cad.CurrentLayerId());
    }
    EXPECT_TRUE(cad.UndoList().Empty());
    cad.PasteforBlock();
    EXPECT_EQ(cad.GetShapesCount(), 8);
    EXPECT_EQ(cad.GetMemShapesCount(), 7) << "the paste leaves the memory shapes";
    EXPECT_INVARIANTS(cad);
}
