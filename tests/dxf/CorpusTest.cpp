// Real DXF files written by other programs, read from the installed Debian packages
// librecad-data (its part library) and openscad-testing-data: every file imports without
// a crash, nearly all without failure, and with the further entities switched on the
// import makes as many entities as ezdxf counts of the same kinds.
#include "DxfTestSupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <iostream>

namespace {

QStringList CorpusFiles()
{
    QStringList files;
    for (const char* folder : {"/usr/share/librecad/library", "/usr/share/openscad/testdata"}) {
        QDirIterator it(QString::fromLatin1(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (file.endsWith(QLatin1String(".dxf"), Qt::CaseInsensitive))
                files << file;
        }
    }
    files.sort();
    return files;
}

// ezdxf's count of the entities the import reads with the further entities switched on,
// by the same rules: model space only, inserts expanded (columns times rows, nested, a
// block never inside itself, 16 levels), polylines by the vertices they show, splines
// with a curve, hatches with a boundary. "ERR" for a file ezdxf does not read.
const char* kCountScript = R"(
import sys, ezdxf
KINDS = {'LINE', 'ARC', 'CIRCLE', 'TEXT', 'SOLID', 'DIMENSION', 'ELLIPSE', 'MTEXT', 'POINT', 'LWPOLYLINE'}
def count(doc, e, stack):
    t = e.dxftype()
    if t in KINDS:
        return 0 if t == 'LWPOLYLINE' and len(e) == 0 else 1
    if t == 'POLYLINE':
        flags = e.dxf.get('flags', 0)
        keep = [v for v in e.vertices if not (flags & 4 and not v.dxf.get('flags', 0) & 8)
                and not (flags & 64 and not v.dxf.get('flags', 0) & 64)]
        return 1 if keep else 0
    if t == 'SPLINE':
        d = e.dxf.get('degree', 3)
        if 1 <= d <= 11 and len(e.control_points) >= d + 1:
            return 1
        return 1 if len(e.fit_points) >= 2 else 0
    if t == 'HATCH':
        return 1 if len(e.paths) > 0 else 0
    if t == 'INSERT':
        name = e.dxf.name.upper()
        block = doc.blocks.get(e.dxf.name)
        if block is None or len(stack) >= 16 or name in stack or block.block.dxf.get('flags', 0) & 4:
            return 0
        n = sum(count(doc, b, stack + [name]) for b in block)
        return n * max(1, e.dxf.get('row_count', 1)) * max(1, e.dxf.get('column_count', 1))
    return 0
for name in sys.argv[1:]:
    try:
        doc = ezdxf.readfile(name)
        print(sum(count(doc, e, []) for e in doc.modelspace()), flush=True)
    except Exception:
        print('ERR', flush=True)
)";

} // namespace

TEST(DxfCorpus, RealFilesImportAndMatchEzdxf)
{
    const QStringList files = CorpusFiles();
    if (files.isEmpty())
        GTEST_SKIP() << "neither librecad-data nor openscad-testing-data is installed (scripts/deps.sh ci installs them)";
    int plainOk = 0, extendedOk = 0;
    std::vector<int> counts;
    std::vector<bool> extendedRead;
    for (const QString& file : files) {
        for (bool extended : {false, true}) {
            TMyCAD cad;
            TDXF2DImport import(file, &cad);
            import.SetExtendedEntities(extended);
            const bool ok = import.ReadDXF();
            (extended ? extendedOk : plainOk) += ok ? 1 : 0;
            if (extended) {
                counts.push_back(import.ImportedEntities());
                extendedRead.push_back(ok);
            }
        }
    }
    const double n = files.size();
    std::cout << "[ corpus   ] " << files.size() << " files; read whole: " << plainOk << " ("
              << 100.0 * plainOk / n << " %), with the further entities " << extendedOk << " ("
              << 100.0 * extendedOk / n << " %)" << std::endl;
    EXPECT_GE(plainOk, 0.99 * n);
    EXPECT_GE(extendedOk, 0.99 * n);

    QString why;
    if (!HaveEzdxf(&why))
        GTEST_SKIP() << why.toStdString();
    QString out;
    ASSERT_TRUE(RunPython(QString::fromLatin1(kCountScript), files, out, 900000));
    const QStringList lines = out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), files.size());
    int compared = 0, equal = 0;
    QStringList differing;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (lines[i] == QLatin1String("ERR"))
            continue;
        ++compared;
        if (extendedRead[size_t(i)] && lines[i].toInt() == counts[size_t(i)])
            ++equal;
        else if (differing.size() < 20)
            differing << QStringLiteral("%1: %2 here, %3 by ezdxf").arg(files[i]).arg(counts[size_t(i)]).arg(lines[i]);
    }
    std::cout << "[ corpus   ] ezdxf read " << compared << " files; the entity counts agree in " << equal << " ("
              << 100.0 * equal / std::max(compared, 1) << " %)" << std::endl;
    for (const QString& d : differing)
        std::cout << "[ differs  ] " << d.toStdString() << std::endl;
    EXPECT_GE(equal, 0.95 * compared);
}
