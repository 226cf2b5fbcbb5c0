// Small files written by ezdxf while the test runs (R12, R2000 in Windows-1252, R2018 in
// UTF-8), each with one entity of every kind that version has: they import whole in both
// modes, with the entity counts, layers, texts and points their writer put there.
#include "DxfTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* kWrite = R"(
import sys, ezdxf
for version, name in (('R12', 'r12.dxf'), ('R2000', 'r2000.dxf'), ('R2018', 'r2018.dxf')):
    doc = ezdxf.new(version)
    doc.layers.add('Walls')
    pair = doc.blocks.new('Pair')
    pair.add_line((0, 0), (10, 0))
    pair.add_line((0, 0), (0, 10))
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 50), dxfattribs={'layer': 'Walls'})
    msp.add_circle((20, 30), 5)
    msp.add_arc((50, 50), 10, 30, 300)
    msp.add_text('Gr\u00f6\u00dfe 10%%d' if version != 'R2018' else '\u20ac \u00fc', dxfattribs={'insert': (30, 40), 'height': 2.5})
    msp.add_solid([(0, 60), (10, 60), (0, 70), (10, 70)])
    msp.add_polyline2d([(1, 1), (9, 1), (9, 9)], close=True)
    msp.add_point((100, 80))
    msp.add_blockref('Pair', (80, 70), dxfattribs={'xscale': 2, 'rotation': 90})
    if version != 'R12':
        msp.add_ellipse((70, 20), (10, 5), 0.4)
        msp.add_ellipse((70, 20), (10, 5), 0.4, 0, 2)
        msp.add_lwpolyline([(20, 20, 0), (30, 20, 1), (30, 30, 0)], format='xyb', close=True)
        msp.add_mtext('Two\\Plines', dxfattribs={'insert': (5, 85)})
        msp.add_spline([(60, 60), (65, 80), (75, 80), (80, 60)])
        hatch = msp.add_hatch()
        hatch.paths.add_polyline_path([(90, 10), (95, 10), (95, 15)], is_closed=True)
    doc.saveas(sys.argv[1] + '/' + name)
)";

struct TExpected {
    const char* File;
    int Plain;    // entities without the further ones: their own, and the first block's two lines
    int Extended; // with them: points, inserted lines, partial ellipses, MTEXT, SPLINE, HATCH
    const char* Text;
};

} // namespace

TEST(DxfEzdxfFiles, ImportWholeWithTheirEntitiesLayersAndTexts)
{
    QString why;
    if (!HaveEzdxf(&why))
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir dir;
    QString out;
    ASSERT_TRUE(RunPython(QString::fromLatin1(kWrite), {dir.path()}, out)) << out.toStdString();
    const TExpected files[] = {{"r12.dxf", 6 + 2, 6 + 1 + 2, "Gr\u00f6\u00dfe 10\u00b0"},
                               {"r2000.dxf", 8 + 2, 8 + 1 + 2 + 4, "Gr\u00f6\u00dfe 10\u00b0"},
                               {"r2018.dxf", 8 + 2, 8 + 1 + 2 + 4, "\u20ac \u00fc"}};
    for (const TExpected& f : files) {
        SCOPED_TRACE(f.File);
        for (bool extended : {false, true}) {
            TMyCAD cad;
            TDXF2DImport import(dir.filePath(QString::fromLatin1(f.File)), &cad);
            import.SetExtendedEntities(extended);
            ASSERT_TRUE(import.ReadDXF()) << import.LastError().toStdString();
            EXPECT_EQ(import.ImportedEntities(), extended ? f.Extended : f.Plain);
            EXPECT_INVARIANTS(cad);
            // ezdxf writes the extents of an empty drawing (1e20, -1e20): no fitting.
            EXPECT_FALSE(import.ExtentsFound());
            const int walls = cad.GetLayerIdByName(QStringLiteral("Walls"));
            ASSERT_GE(walls, 0);
            const TMyShape* line = nullptr;
            const TMyText* text = nullptr;
            for (int i = 0; i < cad.GetShapesCount(); ++i) {
                const TMyShape* s = cad.GetShapeByNo(i);
                if (!line && s->ClassName() == QLatin1String("TMyLine") && s->GetPoint(1).X == 100)
                    line = s;
                if (!text)
                    text = qobject_cast<const TMyText*>(s);
            }
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->LayerId(), walls);
            EXPECT_EQ(line->GetPoint(1).Y, 50);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->Info(), QString::fromUtf8(f.Text));
        }
    }
}
