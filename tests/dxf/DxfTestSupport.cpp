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
