#include "DxfTestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QByteArray ExportBytes(const TMyCAD& cad, bool outlines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDXFExport writer(cad, buffer, outlines);
    if (!writer.Write())
        return {};
    return bytes;
}

QStringList DxfLines(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

QByteArray CrLf(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

QByteArray Dxf(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\n";
    return out;
}

QByteArray EntitiesSection(std::initializer_list<const char*> lines)
{
    return Dxf({"0", "SECTION", "2", "ENTITIES"}) + Dxf(lines) + Dxf({"0", "ENDSEC", "0", "EOF"});
}

TImportResult ImportBytes(TMyCAD& cad, const QByteArray& bytes, bool extended,
                          const std::function<void(TDXF2DImport&)>& configure)
{
    TDXF2DImport import(bytes, &cad);
    import.SetExtendedEntities(extended);
    if (configure)
        configure(import);
    TImportResult result;
    result.Ok = import.ReadDXF();
    result.Entities = import.ImportedEntities();
    result.Error = import.LastError();
    if (result.Ok == import.ReadFailed())
        result.Error += QStringLiteral(" (ReadFailed disagrees)");
    return result;
}

void InverseOfExport(const TMyCAD& cad, TDXF2DImport& import)
{
    const double s = TDXFExport::S;
    import.SetScalex(s);
    import.SetScaley(-s);
    import.SetOffSetX(0);
    import.SetOffSetY(-TDXFExport::DocumentHeight(cad) / s);
}

bool HaveEzdxf(QString* why)
{
    QString out;
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3")) || !RunPython(QStringLiteral("import ezdxf"), {}, out, 60000)) {
        if (why)
            *why = QStringLiteral("python3-ezdxf is not installed (scripts/deps.sh ci installs it)");
        return false;
    }
    return true;
}

bool RunPython(const QString& script, const QStringList& args, QString& output, int timeoutMs)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    if (!python.waitForStarted(10000))
        return false;
    python.closeWriteChannel();
    if (!python.waitForFinished(timeoutMs)) {
        python.kill();
        python.waitForFinished();
        return false;
    }
    output = QString::fromUtf8(python.readAllStandardOutput());
    return python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
}

bool HaveDxf2Pdf(QString* why)
{
    if (QStandardPaths::findExecutable(QStringLiteral("librecad")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        if (why)
            *why = QStringLiteral("librecad (dxf2pdf) or pdfinfo (poppler-utils) is not installed "
                                  "(scripts/deps.sh ci installs them)");
        return false;
    }
    return true;
}

bool Dxf2PdfReads(const QString& dxfFile, const QString& folder, QString* detail)
{
    QProcess convert;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    convert.setProcessEnvironment(env);
    convert.setProcessChannelMode(QProcess::MergedChannels);
    convert.start(QStringLiteral("librecad"),
                  {QStringLiteral("dxf2pdf"), QStringLiteral("-a"), QStringLiteral("-t"), folder, dxfFile});
    if (!convert.waitForFinished(120000)) {
        convert.kill();
        convert.waitForFinished();
        if (detail)
            *detail = QStringLiteral("dxf2pdf did not finish");
        return false;
    }
    const QString pdf = QDir(folder).filePath(QFileInfo(dxfFile).completeBaseName() + QStringLiteral(".pdf"));
    if (!QFileInfo::exists(pdf)) {
        if (detail)
            *detail = QStringLiteral("no PDF: ") + QString::fromLocal8Bit(convert.readAll()).right(400);
        return false;
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(60000);
    const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
    if (detail)
        *detail = text;
    return info.exitCode() == 0 && text.contains(QLatin1String("Pages:"));
}

void BuildEveryKind(TMyCAD& cad)
{
    auto add = [&](const char* cls, TArrMyPoint points) {
        TMyShape* s = cad.CreateAddShapeByName(QString::fromLatin1(cls), nullptr);
        s->PointsRef() = std::move(points);
        s->SetCenterPoint(s->ComputeCenterPoint(4));
        return s;
    };
    add("TMyLine", {TMyPoint(10, 20), TMyPoint(110, 70)});
    add("TMyPolyLine", {TMyPoint(0, 0), TMyPoint(50, 10), TMyPoint(60, 80)});
    add("TMyRectangle", {TMyPoint(200, 100), TMyPoint(300, 100), TMyPoint(300, 150), TMyPoint(200, 150)});
    add("TMyPolygon", {TMyPoint(10, 300), TMyPoint(90, 310), TMyPoint(40, 390), TMyPoint(10, 300)});
    add("TMyEllipse", {TMyPoint(400, 100), TMyPoint(500, 100), TMyPoint(500, 160), TMyPoint(400, 160)});
    add("TMyEllipse", {TMyPoint(400, 300), TMyPoint(460, 300), TMyPoint(460, 360), TMyPoint(400, 360)});
    add("TMyElliArc", {TMyPoint(100, 500), TMyPoint(150, 450), TMyPoint(200, 500)});
    auto* conic = static_cast<TMyElliArc*>(add("TMyElliArc", {TMyPoint(300, 500), TMyPoint(300, 450), TMyPoint(350, 450)}));
    conic->SetArcMode(amEllipse);
    add("TMyPolyBezier", {TMyPoint(500, 500), TMyPoint(520, 450), TMyPoint(580, 450), TMyPoint(600, 500)});
    add("TMyLinkLine", {TMyPoint(100, 600), TMyPoint(150, 600), TMyPoint(150, 650)});
    add("TMyLineLinkLine", {TMyPoint(300, 600), TMyPoint(306, 600), TMyPoint(306, 606), TMyPoint(300, 606)});
    TMyShape* text = add("TMyText", {TMyPoint(400, 600), TMyPoint(500, 600), TMyPoint(500, 620), TMyPoint(400, 620)});
    text->SetInfo(QStringLiteral("Hello DXF"));
    // Kinds that write nothing.
    add("TMyRuleLine", {TMyPoint(0, 700), TMyPoint(100, 700)});
    add("TMyFreeLine", {TMyPoint(0, 750), TMyPoint(10, 760), TMyPoint(20, 750)});
}

QByteArray SampleFile()
{
    return Dxf({"999", "sample", "0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "9", "$EXTMIN", "10",
                "-10", "20", "-10", "30", "0", "9", "$EXTMAX", "10", "110", "20", "90", "30", "0", "0", "ENDSEC",
                "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "X", "0", "ENDSEC",
                "0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "70", "2", "0", "LAYER", "2", "0", "70",
                "0", "0", "LAYER", "2", "Walls", "70", "0", "0", "ENDTAB", "0", "ENDSEC",
                "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "Frame", "70", "0", "10", "0", "20", "0",
                "0", "POLYLINE", "8", "0", "66", "1", "70", "1", "0", "VERTEX", "10", "0", "20", "0", "0", "VERTEX",
                "10", "5", "20", "0", "42", "0.5", "0", "VERTEX", "10", "5", "20", "5", "0", "SEQEND", "0", "ENDBLK",
                "0", "BLOCK", "2", "*D1", "70", "1", "0", "LINE", "11", "1", "0", "ENDBLK", "0", "ENDSEC",
                "0", "SECTION", "2", "ENTITIES",
                "0", "LINE", "8", "Walls", "10", "0", "20", "0", "11", "100", "21", "50",
                "0", "ARC", "10", "50", "20", "50", "40", "10", "50", "30", "51", "300",
                "0", "CIRCLE", "10", "20", "20", "30", "40", "5",
                "0", "ELLIPSE", "10", "70", "20", "20", "11", "10", "21", "5", "40", "0.4", "41", "0", "42", "6.283185307",
                "0", "ELLIPSE", "10", "70", "20", "20", "11", "10", "21", "5", "40", "0.4", "41", "1", "42", "2",
                "0", "SOLID", "10", "0", "20", "60", "11", "10", "21", "60", "12", "0", "22", "70", "13", "10", "23", "70",
                "0", "DIMENSION", "2", "*D1", "10", "1", "20", "2", "11", "3", "21", "4", "13", "5", "23", "6", "14", "7",
                "24", "8",
                "0", "TEXT", "8", "Walls", "10", "30", "20", "40", "40", "2.5", "50", "15", "1", "Text %%d",
                "0", "POLYLINE", "66", "1", "70", "0", "0", "VERTEX", "10", "1", "20", "1", "0", "VERTEX", "10", "9",
                "20", "1", "42", "-0.3", "0", "VERTEX", "10", "9", "20", "9", "0", "SEQEND",
                "0", "LWPOLYLINE", "90", "3", "70", "1", "10", "20", "20", "20", "10", "30", "20", "20", "42", "1",
                "10", "30", "20", "30",
                "0", "INSERT", "8", "Walls", "2", "Frame", "10", "80", "20", "70", "41", "2", "42", "1.5", "50", "30",
                "0", "MTEXT", "10", "5", "20", "85", "71", "7", "3", "Two ", "1", "lines\\Pof text",
                "0", "SPLINE", "71", "3", "40", "0", "40", "0", "40", "0", "40", "0", "40", "1", "40", "1", "40", "1",
                "40", "1", "10", "60", "20", "60", "10", "65", "20", "80", "10", "75", "20", "80", "10", "80", "20", "60",
                "0", "POINT", "10", "100", "20", "80",
                "0", "HATCH", "10", "0", "20", "0", "2", "SOLID", "70", "1", "91", "1", "92", "1", "93", "2", "72", "2",
                "10", "90", "20", "10", "40", "5", "50", "0", "51", "360", "73", "1", "72", "1", "10", "95", "20", "10",
                "11", "95", "21", "10", "97", "0", "75", "0", "76", "1",
                "0", "ENDSEC", "0", "EOF"});
}
