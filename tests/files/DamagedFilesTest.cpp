// Damaged and hostile drawing streams: every one is refused with false, quickly and
// without large allocations, and the drawing that was open stays exactly as it was.
#include "FilesTestSupport.h"
#include "io/SequentialDevice.h"
#include "component/persistence/DrawingStream.h"
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"

#include <QElapsedTimer>
#include <QtEndian>
#include <functional>

namespace {

// A drawing of one shape entry: the class name, the base record, then the tail bytes.
QByteArray OneShape(const QByteArray& cls, const TBaseSpec& recipe, const QByteArray& tail = {}, TDocSpec doc = {})
{
    doc.ShapeCount = 1;
    return TBytes().Raw(DocumentBytes(doc)).Fixed(cls, 16).Raw(BaseRecord(TFileGeneration::XPi, recipe)).Raw(tail).Data;
}

// Loads bytes into a drawing that holds a shape, and checks that the load is refused and
// the drawing unchanged.
::testing::AssertionResult RefusedAndUntouched(const QByteArray& bytes, TDrawingReadError expected = TDrawingReadError::None)
{
    TMyCAD cad;
    AddRect(cad, 1, 2, 30, 40, "Kept");
    cad.SetZoom(2);
    cad.UserData()->AddKeyandValue("own", "value");
    const QByteArray before = SaveBytes(cad);
    const QString version = cad.DiskFileVersion();
    if (LoadBytes(cad, bytes))
        return ::testing::AssertionFailure() << "the stream was accepted";
    if (SaveBytes(cad) != before || cad.Zoom() != 2 || cad.DiskFileVersion() != version || cad.Loading())
        return ::testing::AssertionFailure() << "the open drawing changed";
    if (expected != TDrawingReadError::None) {
        TMyCAD other;
        TLoadedDrawing loaded;
        TDrawingReadError error = TDrawingReadError::None;
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        if (ReadDrawing(buffer, other, loaded, &error) || error != expected)
            return ::testing::AssertionFailure() << "refused for reason " << int(error) << ", not " << int(expected);
    }
    return ::testing::AssertionSuccess();
}

QByteArray LinkTail(int32_t start, int32_t end)
{
    return TBytes().I32(10).U8(30).U8(0).U8(0).I32(start).I32(0).I32(end).I32(0).U8(0).Data;
}

} // namespace

TEST(DamagedDrawing, EveryTruncationIsRefused)
{
    TMyCAD source;
    BuildEveryClassDrawing(source);
    const QByteArray bytes = SaveBytes(source);
    ASSERT_LT(bytes.size(), 20000);
    TMyCAD cad;
    AddRect(cad, 1, 2, 30, 40, "Kept");
    const QByteArray before = SaveBytes(cad);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        ASSERT_FALSE(LoadBytes(cad, bytes.left(n))) << n;
        if (n % 97 == 0) {
            ASSERT_EQ(SaveBytes(cad), before) << n;
            TSequentialDevice pipe(bytes.left(n), 5);
            ASSERT_FALSE(cad.LoadFromStream(pipe)) << n;
        }
    }
    EXPECT_EQ(SaveBytes(cad), before);
    EXPECT_TRUE(LoadBytes(cad, bytes));
}

TEST(DamagedDrawing, SequentialDevicesReadLikeBuffers)
{
    TMyCAD source;
    BuildEveryClassDrawing(source);
    const QByteArray bytes = SaveBytes(source);
    TSequentialDevice pipe(bytes, 3);
    TMyCAD cad;
    ASSERT_TRUE(cad.LoadFromStream(pipe));
    EXPECT_EQ(SaveBytes(cad), bytes);
}

TEST(DamagedDrawing, HugeCountsAreRefusedWithoutAllocating)
{
    QElapsedTimer timer;
    timer.start();
    TBaseSpec recipe;
    const QByteArray good = OneShape("TMyRectangle", recipe);
    // Offsets in the single-shape stream: document block, then class name and record.
    const qsizetype record = DocumentBytes(TDocSpec{}).size() + 16;
    const qsizetype childCount = record + 4 + recipe.Name.size() + 16;
    for (int32_t count : {0x7FFFFFFF, 0x10000000, 1000, -1, int32_t(0x80000000)}) {
        for (qsizetype offset : {childCount, childCount + 4, childCount + 8, childCount + 8 + 4 + 16}) {
            QByteArray bytes = good;
            qToLittleEndian(count, bytes.data() + offset);
            EXPECT_TRUE(RefusedAndUntouched(bytes)) << count << " at " << offset;
        }
    }
    // The shape count, the layer count and the user-data count of the document.
    const qsizetype shapeCount = DocumentBytes(TDocSpec{}).size() - 4;
    for (int32_t count : {0x7FFFFFFF, 2, -5}) {
        QByteArray bytes = good;
        qToLittleEndian(count, bytes.data() + shapeCount);
        EXPECT_TRUE(RefusedAndUntouched(bytes)) << count;
    }
    const qsizetype layerCount = 218 + 4 + 4 + 4 + 1 + 8 + 4 + 8 + 4 + 4;
    for (int32_t count : {256, -1, 0x7FFFFFFF}) {
        QByteArray bytes = good;
        qToLittleEndian(count, bytes.data() + layerCount);
        EXPECT_TRUE(RefusedAndUntouched(bytes, count == 0x7FFFFFFF ? TDrawingReadError::BadValue : TDrawingReadError::None));
    }
    QByteArray userData = good;
    qToLittleEndian(int32_t(0x40000000), userData.data() + layerCount - 4);
    EXPECT_TRUE(RefusedAndUntouched(userData, TDrawingReadError::Truncated));
    // A bitmap size far beyond the data.
    QByteArray bitmap = good;
    qToLittleEndian(int64_t(1) << 40, bitmap.data() + 218 + 13);
    EXPECT_TRUE(RefusedAndUntouched(bitmap, TDrawingReadError::Truncated));
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(DamagedDrawing, NegativeBitmapSizeMeansNoBitmap)
{
    QByteArray bytes = DocumentBytes(TDocSpec{});
    qToLittleEndian(int64_t(-7), bytes.data() + 218 + 13);
    TMyCAD cad;
    cad.SetBkBitmap(SmallPicture().get());
    ASSERT_TRUE(LoadBytes(cad, bytes));
    EXPECT_TRUE(cad.BkBitmap()->Empty());
}

TEST(DamagedDrawing, OrdinalsOutOfRangeAreRefused)
{
    using Set = std::function<void(TBaseSpec&)>;
    const std::vector<std::pair<const char*, Set>> base = {
        {"brush style", [](TBaseSpec& s) { s.BrushStyle = 8; }},
        {"font pitch", [](TBaseSpec& s) { s.Pitch = 3; }},
        {"font style", [](TBaseSpec& s) { s.Style = 16; }},
        {"gradient", [](TBaseSpec& s) { s.Gradient = 24; }},
        {"pen mode", [](TBaseSpec& s) { s.PenMode = 16; }},
        {"pen style", [](TBaseSpec& s) { s.PenStyle = 7; }},
        {"alignment", [](TBaseSpec& s) { s.MultiInfoAlignment = 3; }},
        {"name", [](TBaseSpec& s) { s.Name = "1st"; }},
        {"name with space", [](TBaseSpec& s) { s.Name = "a b"; }},
    };
    for (const auto& [what, set] : base) {
        TBaseSpec recipe;
        set(recipe);
        EXPECT_TRUE(RefusedAndUntouched(OneShape("TMyRectangle", recipe), TDrawingReadError::BadShapeRecord)) << what;
    }
    // The last value of each range is accepted.
    TBaseSpec last;
    last.BrushStyle = 7;
    last.Pitch = 2;
    last.Style = 15;
    last.Gradient = 23;
    last.PenMode = 15;
    last.PenStyle = 6;
    last.MultiInfoAlignment = 2;
    last.Name = "";
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, OneShape("TMyRectangle", last)));
    EXPECT_EQ(cad.GetShapeByNo(0)->GradientStyle(), gsNone);
    EXPECT_EQ(cad.GetShapeByNo(0)->Name(), "");

    const TBaseSpec recipe;
    const QByteArray line = TBytes().I32(10).U8(30).U8(0).Data;
    const std::vector<std::pair<const char*, std::pair<QByteArray, QByteArray>>> tails = {
        {"arrow style", {"TMyLine", line + TBytes().U8(4).Data}},
        {"tick style", {"TMyRuleLine", line + TBytes().U8(0).U8(0).U8(2).Str("").Data}},
        {"link style", {"TMyLinkLine", line + TBytes().U8(0).I32(-1).I32(-1).I32(-1).I32(-1).U8(2).Data}},
        {"arc mode", {"TMyElliArc", TBytes().U8(2).U8(0).Data}},
        {"arc style", {"TMyElliArc", TBytes().U8(0).U8(3).Data}},
        {"vertical alignment", {"TMyText", TBytes().U8(0).U8(0).I32(0).U8(3).U8(0).U8(0).Data}},
        {"horizontal alignment", {"TMyText", TBytes().U8(0).U8(0).I32(0).U8(0).U8(3).U8(0).Data}},
        {"transparent mode", {"TMyImage", TBytes().I64(0).I32(0).I32(0).U8(0).U8(0).U8(0).I32(0).I32(2).Data}},
    };
    for (const auto& [what, entry] : tails)
        EXPECT_TRUE(RefusedAndUntouched(OneShape(entry.first, recipe, entry.second), TDrawingReadError::BadShapeRecord)) << what;

    // Document fields: unit, background mode (low byte), canvas size.
    const QByteArray doc = DocumentBytes(TDocSpec{});
    auto patched = [&](qsizetype at, const QByteArray& with) { return QByteArray(doc).replace(at, with.size(), with); };
    EXPECT_TRUE(RefusedAndUntouched(patched(230, TBytes().U8(6).Data), TDrawingReadError::BadValue));
    EXPECT_TRUE(RefusedAndUntouched(patched(239, TBytes().I32(4).Data), TDrawingReadError::BadValue));
    EXPECT_TRUE(RefusedAndUntouched(patched(222, TBytes().I32(-1).Data), TDrawingReadError::BadValue));
    EXPECT_TRUE(RefusedAndUntouched(patched(226, TBytes().I32(70000).Data), TDrawingReadError::BadValue));
    ASSERT_TRUE(LoadBytes(cad, patched(239, TBytes().I32(0x0303).Data)));
    EXPECT_EQ(cad.BkBitmapMode(), TBkBitmapMode::LeftTop);
}

TEST(DamagedDrawing, ExtremeFontValuesAreLimited)
{
    // The size decides the height (at the new shape's resolution, 96 here); heights are
    // limited to 2^24 pixels, so the font's own size and height rules cannot overflow.
    for (int32_t size : {int32_t(0x7FFFFFFF), int32_t(0x80000000), 0}) {
        TBaseSpec recipe;
        recipe.Height = int32_t(0x80000000);
        recipe.Size = size;
        recipe.PixelsPerInch = 1;
        TMyCAD cad;
        ASSERT_TRUE(LoadBytes(cad, OneShape("TMyRectangle", recipe))) << size;
        const TFont* font = cad.GetShapeByNo(0)->Font();
        EXPECT_EQ(font->Height(), size > 0 ? -(1 << 24) : size < 0 ? (1 << 24) : 0);
        EXPECT_EQ(font->PixelsPerInch(), 1);
        TMyCAD again;
        EXPECT_TRUE(LoadBytes(again, SaveBytes(cad)));
    }
}

TEST(DamagedDrawing, ClassNamesOutsideTheTableAreRefused)
{
    const TBaseSpec recipe;
    for (const char* cls : {"TMyShape", "tmyrectangle", "TMyRect", "", "QObject", "TMyRectangleX"})
        EXPECT_TRUE(RefusedAndUntouched(OneShape(cls, recipe), TDrawingReadError::UnknownClass)) << cls;
    // Leading and trailing spaces and control bytes around a name are trimmed.
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, OneShape("  TMyEllipse\t", recipe)));
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyEllipse");
}

TEST(DamagedDrawing, ReferencesOutsideTheDrawingAreRefused)
{
    auto recipe = [](std::function<void(TBaseSpec&)> f) {
        TBaseSpec s;
        f(s);
        return s;
    };
    const std::vector<std::pair<const char*, TBaseSpec>> cases = {
        {"parent", recipe([](TBaseSpec& s) { s.Parent = 1; })},
        {"parent below -1", recipe([](TBaseSpec& s) { s.Parent = -2; })},
        {"own parent", recipe([](TBaseSpec& s) { s.Parent = 0; })},
        {"member", recipe([](TBaseSpec& s) { s.Children = {1}; })},
        {"own member", recipe([](TBaseSpec& s) { s.Children = {0}; })},
        {"connector", recipe([](TBaseSpec& s) { s.Links = {5}; })},
    };
    for (const auto& [what, s] : cases)
        EXPECT_TRUE(RefusedAndUntouched(OneShape("TMyGroup", s), TDrawingReadError::BadReference)) << what;
    for (auto [start, end] : {std::pair{1, -1}, std::pair{-1, 1}, std::pair{-2, -1}})
        EXPECT_TRUE(RefusedAndUntouched(OneShape("TMyLinkLine", TBaseSpec{}, LinkTail(start, end)),
                                        TDrawingReadError::BadReference));
    // A connector attached to itself at both ends is odd but names a shape.
    TMyCAD cad;
    EXPECT_TRUE(LoadBytes(cad, OneShape("TMyLinkLine", TBaseSpec{}, LinkTail(0, 0))));
}

TEST(DamagedDrawing, LoopsOfParentsOrMembersAreRefused)
{
    auto twoShapes = [](TBaseSpec a, TBaseSpec b) {
        TDocSpec doc;
        doc.ShapeCount = 2;
        b.No = 1;
        return TBytes()
            .Raw(DocumentBytes(doc))
            .Fixed("TMyGroup", 16)
            .Raw(BaseRecord(TFileGeneration::XPi, a))
            .Fixed("TMyGroup", 16)
            .Raw(BaseRecord(TFileGeneration::XPi, b))
            .Data;
    };
    TBaseSpec a, b;
    a.Parent = 1;
    b.Parent = 0;
    EXPECT_TRUE(RefusedAndUntouched(twoShapes(a, b), TDrawingReadError::BadReference));
    a = b = TBaseSpec{};
    a.Children = {1};
    b.Children = {0};
    EXPECT_TRUE(RefusedAndUntouched(twoShapes(a, b), TDrawingReadError::BadReference));
    // A proper group: member 1 in group 0.
    a = b = TBaseSpec{};
    a.Children = {1};
    b.Parent = 0;
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, twoShapes(a, b)));
    EXPECT_INVARIANTS(cad);
}

TEST(DamagedDrawing, ShapeNumbersBecomeThePositions)
{
    TBaseSpec recipe;
    recipe.No = 12;
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, OneShape("TMyRectangle", recipe)));
    EXPECT_EQ(cad.GetShapeByNo(0)->ShapeNo(), 0);
    EXPECT_INVARIANTS(cad);
}

TEST(DamagedDrawing, ShapesWithoutALayerAreRefusedWithTheLayerMessage)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TDocSpec doc;
    doc.Layers = {};
    doc.CurrentLayer = -1;
    EXPECT_TRUE(RefusedAndUntouched(OneShape("TMyRectangle", TBaseSpec{}, {}, doc), TDrawingReadError::NoLayer));
    EXPECT_EQ(ui.LastMessageText(), "Error!There is no Layer!");
    // Without shapes a drawing without layers loads.
    ui.Clear();
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, DocumentBytes(doc)));
    EXPECT_EQ(cad.GetLayersCount(), 0);
    EXPECT_EQ(cad.CurrentLayerId(), -1);
    EXPECT_TRUE(ui.Messages().empty());
}
