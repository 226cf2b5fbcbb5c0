// The slots shape objects live in: a freed slot serves the next shape of its size, the
// slots in use are counted, and shapes of every kind come and go through them.
#include "support/DrawingTestSupport.h"
#include "component/shapes/ShapeMemory.h"

#include <gtest/gtest.h>

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
