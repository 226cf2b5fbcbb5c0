#include "ConvertTestSupport.h"

#include "component/document/MyCAD.h"
#include "component/library/LibManager.h"
#include "component/shapes/MyShape.h"
#include "support/DrawingTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <memory>

namespace {
constexpr int kTimeoutMs = 120000;
}

TConvertRun RunConvertProgram(const QStringList& Arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Under the sanitizers the program inherits their settings: a leak or a fault in it
    // turns into a non-zero exit code the tests see.
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MYCAD_CONVERT_EXE), Arguments);
    TConvertRun run;
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.Finished = process.exitStatus() == QProcess::NormalExit;
    run.ExitCode = process.exitCode();
    run.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void AddRedRectangle(TMyCAD& Cad)
{
    TMyShape* rect = AddRect(Cad, 100, 100, 300, 200);
    rect->Brush()->SetColor(clRed);
    rect->Pen()->SetColor(clBlack);
}

bool WriteRectangleDrawing(const QString& FileName)
{
    TMyCAD cad;
    AddRedRectangle(cad);
    return cad.SaveToFile(FileName);
}

bool WriteBoxLibrary(const QString& FileName)
{
    TLibManager library;
    TMyCAD cad;
    TMyShape* box = AddRect(cad, 0, 0, 120, 60);
    box->Brush()->SetColor(clRed);
    return library.AppendNewShape(QStringLiteral("Box"), {box}, TUserData(), 120, 60) && library.SavetoFile(FileName);
}

bool RunTool(const QString& Program, const QStringList& Arguments, QString& Output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Program, Arguments);
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    Output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool ToolInstalled(const QString& Program) { return !QStandardPaths::findExecutable(Program).isEmpty(); }

bool EzdxfInstalled()
{
    QString out;
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) &&
           RunTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import ezdxf")}, out);
}

QStringList FilesIn(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}
