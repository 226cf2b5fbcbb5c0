// Damaged and cut-off DXF files: every loop ends at the end of the data, a file that is
// not whole fails, and a failed import leaves the drawing as it was.
#include "DxfTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The drawing's state a failed import must not change.
struct TState {
    int Shapes = 0;
    int Layers = 0;
    int Current = 0;
    int Next = 0;
    friend bool operator==(const TState&, const TState&) = default;
};

TState StateOf(const TMyCAD& cad)
{
    return {cad.GetShapesCount(), cad.GetLayersCount(), cad.CurrentLayerId(), cad.NextShapeId()};
}

} // namespace

TEST(DxfDamaged, SampleReadsWholeInBothModes)
{
    for (bool extended : {false, true}) {
        TMyCAD cad;
        const TImportResult r = ImportBytes(cad, SampleFile(), extended);
        ASSERT_TRUE(r.Ok) << r.Error.toStdString();
        EXPECT_EQ(r.Entities, extended ? 15 : 10);
        EXPECT_INVARIANTS(cad);
    }
}

TEST(DxfDamaged, EveryCutOffFileFailsAndChangesNothing)
{
    const QByteArray file = SampleFile();
    for (bool extended : {false, true}) {
        TMyCAD cad;
        AddRect(cad, 0, 0, 5, 5);
        const TState before = StateOf(cad);
        // Every length short of the whole file (its last line end is not needed).
        for (qsizetype n = 0; n < file.size() - 1; ++n) {
            TDXF2DImport import(file.left(n), &cad);
            import.SetExtendedEntities(extended);
            ASSERT_FALSE(import.ReadDXF()) << "cut at " << n;
            ASSERT_TRUE(import.ReadFailed());
            ASSERT_TRUE(StateOf(cad) == before) << "cut at " << n;
        }
    }
}

TEST(DxfDamaged, MissingEndsFail)
{
    const QByteArray header = Dxf({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "0"});
    const QByteArray blocks = Dxf({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "B", "0", "LINE"});
    const QByteArray blockThenSection = blocks + Dxf({"0", "ENDSEC", "0", "EOF"});
    const QByteArray blockThenBlock = blocks + Dxf({"0", "BLOCK", "2", "C", "0", "ENDBLK", "0", "ENDSEC", "0", "EOF"});
    const QByteArray polyline = EntitiesSection({"0", "POLYLINE", "0", "VERTEX", "0", "VERTEX", "0", "LINE"});
    const QByteArray noEof = Dxf({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "0", "ENDSEC"});
    const QByteArray noEndsec = Dxf({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "0", "EOF"});
    for (const QByteArray& file : {header, blockThenSection, blockThenBlock, polyline, noEof, noEndsec}) {
        for (bool extended : {false, true}) {
            TMyCAD cad;
            const TImportResult r = ImportBytes(cad, file, extended);
            EXPECT_FALSE(r.Ok) << file.toStdString();
            EXPECT_EQ(r.Error, "Invalid DXF file.");
            EXPECT_EQ(cad.GetShapesCount(), 0);
        }
    }
}

TEST(DxfDamaged, CodesOutsideTheTableAreIgnoredAndCodeLinesMustBeNumbers)
{
    TMyCAD cad;
    EXPECT_TRUE(ImportBytes(cad, EntitiesSection({"-1", "x", "0", "LINE", "300", "y", "999", "comment", "1300", "z",
                                                  "10", "4", "11", "5"}))
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.GetShapeByNo(0)->GetPoint(1).X, 5);
    for (const char* bad : {"ten", "", "1 0", "0x0", "12345678901"}) {
        TMyCAD other;
        const TImportResult r = ImportBytes(other, EntitiesSection({"0", "LINE", bad, "4", "0", "LINE"}));
        EXPECT_FALSE(r.Ok) << bad;
        EXPECT_EQ(other.GetShapesCount(), 0);
    }
    // Sections of other names are passed over; what follows a group 0 EOF is not read.
    TMyCAD unknown;
    EXPECT_TRUE(ImportBytes(unknown, Dxf({"0", "SECTION", "2", "THUMBNAILIMAGE", "90", "1", "0", "ENDSEC"})
                                         + EntitiesSection({"0", "LINE"}) + Dxf({"0", "SECTION", "2", "OBJECTS", "0", "X"}))
                    .Ok);
    EXPECT_EQ(unknown.GetShapesCount(), 1);
    TMyCAD cut;
    EXPECT_FALSE(ImportBytes(cut, Dxf({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "0", "ENDSEC", "0", "SECTION", "2",
                                       "OBJECTS", "0", "DICTIONARY"}))
                     .Ok);
}

TEST(DxfDamaged, GarbageNeverCrashes)
{
    QRandomGenerator random(17);
    const QByteArray sample = SampleFile();
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = sample;
        // Flip, drop and duplicate a few bytes and lines.
        const int edits = 1 + random.bounded(8);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = random.bounded(int(bytes.size()));
            switch (random.bounded(4)) {
            case 0: bytes[at] = char(random.bounded(256)); break;
            case 1: bytes.remove(at, random.bounded(40)); break;
            case 2: bytes.insert(at, bytes.mid(random.bounded(int(bytes.size())), random.bounded(80))); break;
            case 3: bytes[at] = '\n'; break;
            }
        }
        for (bool extended : {false, true}) {
            TMyCAD cad;
            const TState before = StateOf(cad);
            TDXF2DImport import(bytes, &cad);
            import.SetExtendedEntities(extended);
            if (!import.ReadDXF())
                ASSERT_TRUE(StateOf(cad) == before);
            else
                ASSERT_TRUE(DrawingInvariantsHold(cad));
        }
    }
}
