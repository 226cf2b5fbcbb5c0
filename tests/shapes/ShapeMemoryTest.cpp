// The slots shape objects live in: a freed slot serves the next shape of its size, the
// slots in use are counted, and shapes of every kind come and go through them.
#include "support/DrawingTestSupport.h"
#include "component/shapes/ShapeMemory.h"

#include <gtest/gtest.h>

#include <QBuffer>

TEST(ShapeMemory, FreedSlotsServeTheNextShapesOfTheirSize)
{
    if (!ShapeMemory::Pooled())
        GTEST_SKIP() << "shapes use the ordinary allocator in this build";
    const std::size_t inUse = ShapeMemory::InUseBytes();
    void* a = ShapeMemory::Allocate(440);
    void* b = ShapeMemory::Allocate(440);
    EXPECT_NE(a, b);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % alignof(std::max_align_t), 0u);
    EXPECT_EQ(ShapeMemory::InUseBytes(), inUse + 2 * 448);
    ShapeMemory::Free(a, 440);
    EXPECT_EQ(ShapeMemory::Allocate(433), a) << "sizes of one class share their slots";
    void* large = ShapeMemory::Allocate(100000); // the ordinary allocator
    ShapeMemory::Free(large, 100000);
    ShapeMemory::Free(a, 433);
    ShapeMemory::Free(b, 440);
    EXPECT_EQ(ShapeMemory::InUseBytes(), inUse);

    // Every kind is made in the slots and gives its slot back when deleted.
    const std::size_t before = ShapeMemory::InUseBytes();
    {
        TMyCAD cad;
        const QStringList kinds = {"TMyRectangle", "TMyLine", "TMyText", "TMyLinkLine", "TMyPolyBezier", "TMyImage"};
        for (const QString& kind : kinds)
            ASSERT_NE(cad.CreateAddShapeByName(kind, nullptr), nullptr) << kind.toStdString();
        EXPECT_GE(ShapeMemory::InUseBytes(), before + kinds.size() * sizeof(TMyShape));
    }
    EXPECT_EQ(ShapeMemory::InUseBytes(), before);
}

// The block of rarely set fields lives in the slots too, so the slots in use show whether
// an operation made blocks for shapes that leave those fields as made: painting, saving,
// hit tests and undo records only read them.
TEST(ShapeMemory, ReadingTheRarelySetFieldsMakesNoBlocks)
{
    if (!ShapeMemory::Pooled())
        GTEST_SKIP() << "shapes use the ordinary allocator in this build";
    TMyCAD cad;
    cad.resize(400, 300);
    std::vector<TMyShape*> shapes;
    for (const char* kind : {"TMyRectangle", "TMyEllipse", "TMyLine", "TMyPolyLine", "TMyText", "TMyLinkLine"}) {
        TMyShape* s = cad.CreateAddShapeByName(kind, nullptr);
        const float x = float(shapes.size() * 50 + 10);
        s->PointsRef() = {TMyPoint(x, 10), TMyPoint(x + 40, 10), TMyPoint(x + 40, 40), TMyPoint(x, 40)};
        shapes.push_back(s);
    }
    cad.RemoveAllWorkingShapes();
    const std::size_t before = ShapeMemory::InUseBytes();
    cad.DrawAll(TRect(0, 0, 400, 300));
    cad.DrawAll(TRect(20, 0, 120, 100));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(cad.SaveToStream(buffer));
    TCanvas canvas;
    for (TMyShape* s : shapes)
        cad.IsClickedMeforShape(&canvas, s, TPoint(15, 15));
    EXPECT_EQ(ShapeMemory::InUseBytes(), before) << "a read made a block";

    // An undo record is a copy of the shape: its own slot, and no block.
    cad.PushtoUndoRedoShapeList({shapes[0]}, QStringLiteral("ACT_CHANGE"));
    EXPECT_EQ(ShapeMemory::InUseBytes(), before + (sizeof(TMyRectangle) + 15) / 16 * 16);
}
