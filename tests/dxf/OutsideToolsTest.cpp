// Exported files in other programs: ezdxf reads and audits them and counts their
// entities, LibreCAD's dxf2pdf prints them into a PDF that pdfinfo reads; and an export
// read back by the import writes the same file again.
#include "DxfTestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TExported {
    QString File;
    int Entities = 0;
};

// Drawings that cover every exported kind, with texts, turned shapes and many entities.
std::vector<TExported> ExportSamples(const QTemporaryDir& dir)
{
    std::vector<TExported> files;
    auto save = [&](const QString& name, const TMyCAD& cad) {
        const QString file = dir.filePath(name);
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TDXFExport writer(cad, buffer);
        writer.Write();
        f.write(buffer.data());
        files.push_back({file, writer.EntityCount()});
    };
    TMyCAD empty;
    save(QStringLiteral("empty.dxf"), empty);
    TMyCAD every;
    BuildEveryKind(every);
    save(QStringLiteral("every_kind.dxf"), every);
    TMyCAD turned;
    BuildEveryKind(turned);
    for (const auto& s : turned.Shapes())
        s->RotateChangeValueByAngle(s->ComputeCenterPoint(4), 0.5f);
    auto* text = static_cast<TMyText*>(turned.CreateAddShapeByName(QStringLiteral("TMyText"), nullptr));
    text->PointsRef() = {TMyPoint(10, 10), TMyPoint(200, 10), TMyPoint(200, 80), TMyPoint(10, 80)};
    text->SetLines({QStringLiteral("first line"), QString::fromUtf8("second \u00e4\u00f6\u00fc \u20ac"), QString()});
    save(QStringLiteral("turned.dxf"), turned);
    TMyCAD many;
    for (int i = 0; i < 600; ++i) {
        TMyShape* s = many.CreateAddShapeByName(i % 3 == 0 ? QStringLiteral("TMyLine")
                                                : i % 3 == 1 ? QStringLiteral("TMyRectangle")
                                                             : QStringLiteral("TMyEllipse"),
                                                nullptr);
        const float x = float(i % 60) * 13, y = float(i / 60) * 17;
        s->PointsRef() = {TMyPoint(x, y), TMyPoint(x + 9, y), TMyPoint(x + 9, y + 5 + i % 7), TMyPoint(x, y + 5 + i % 7)};
    }
    save(QStringLiteral("many.dxf"), many);
    return files;
}

} // namespace

TEST(DxfOutside, EzdxfReadsEveryExportWithoutAuditErrors)
{
    QString why;
    if (!HaveEzdxf(&why))
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir dir;
    const std::vector<TExported> files = ExportSamples(dir);
    QStringList names;
    for (const TExported& f : files)
        names << f.File;
    // One python for all files: per file its audit errors and model-space entity count.
    const QString script = QStringLiteral(
        "import sys, ezdxf\n"
        "for name in sys.argv[1:]:\n"
        "    doc = ezdxf.readfile(name)\n"
        "    auditor = doc.audit()\n"
        "    print(len(auditor.errors), len(doc.modelspace()))\n");
    QString out;
    ASSERT_TRUE(RunPython(script, names, out)) << out.toStdString();
    const QStringList lines = out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), qsizetype(files.size())) << out.toStdString();
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].File.toStdString());
        const QStringList fields = lines[qsizetype(i)].split(u' ');
        ASSERT_EQ(fields.size(), 2);
        EXPECT_EQ(fields[0], "0");
        EXPECT_EQ(fields[1].toInt(), files[i].Entities);
    }
}

TEST(DxfOutside, LibreCadPrintsEveryExportIntoAPdf)
{
    QString why;
    if (!HaveDxf2Pdf(&why))
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir dir;
    for (const TExported& f : ExportSamples(dir)) {
        if (f.Entities == 0)
            continue; // nothing to print
        QString detail;
        EXPECT_TRUE(Dxf2PdfReads(f.File, dir.filePath(QStringLiteral("pdf")), &detail))
            << f.File.toStdString() << ": " << detail.toStdString();
    }
}

TEST(DxfOutside, ExportImportExportWritesTheSameFile)
{
    // Kinds whose entities import as the same kind: lines, connectors and polylines (as
    // lines), circles, arcs and texts in the import's default font.
    TMyCAD cad;
    auto add = [&](const char* cls, TArrMyPoint points) {
        TMyShape* s = cad.CreateAddShapeByName(QString::fromLatin1(cls), nullptr);
        s->PointsRef() = std::move(points);
        return s;
    };
    add("TMyLine", {TMyPoint(10.25f, 20.5f), TMyPoint(110, 70.125f)});
    add("TMyPolyLine", {TMyPoint(0, 0), TMyPoint(50, 10), TMyPoint(60, 80), TMyPoint(1, 2)});
    add("TMyEllipse", {TMyPoint(400, 300), TMyPoint(460, 300), TMyPoint(460, 360), TMyPoint(400, 360)});
    add("TMyElliArc", {TMyPoint(100, 500), TMyPoint(150, 450), TMyPoint(200, 500)});
    TDXF2DImport defaults(QByteArray(), &cad);
    for (float angle : {0.0f, 0.7f, 3.0f}) {
        TMyShape* text = add("TMyText", {TMyPoint(300, 600), TMyPoint(400, 600), TMyPoint(400, 615), TMyPoint(300, 615)});
        text->SetInfo(QStringLiteral("Text at %1").arg(angle));
        text->SetFont(defaults.DefaultFont());
        text->RotateChangeValueByAngle(text->ComputeCenterPoint(4), angle);
    }
    const QByteArray first = ExportBytes(cad);
    TMyCAD back;
    back.DeleteAllLayers();
    back.NewLayer(QStringLiteral("0"), true);
    const TImportResult r = ImportBytes(back, first, false, [&](TDXF2DImport& i) { InverseOfExport(cad, i); });
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(back.GetShapesCount(), 3 + 1 + 1 + 1 + 3);
    EXPECT_EQ(ExportBytes(back), first);

    // Every kind: after one pass through the import (rectangles become polylines, ...),
    // the file no longer changes.
    TMyCAD every;
    BuildEveryKind(every);
    QByteArray previous = ExportBytes(every);
    QByteArray again;
    for (int pass = 0; pass < 2; ++pass) {
        TMyCAD next;
        ASSERT_TRUE(ImportBytes(next, previous, false, [&](TDXF2DImport& i) { InverseOfExport(every, i); }).Ok);
        again = ExportBytes(next);
        if (pass == 0)
            previous = again;
    }
    EXPECT_EQ(again, previous);
}
