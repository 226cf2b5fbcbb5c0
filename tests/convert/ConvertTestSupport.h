#pragma once
// Helpers for the converter's tests: running the built mycad-convert, making input files,
// and asking outside programs about the outputs.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TMyCAD;

struct TConvertRun {
    int ExitCode = -1;
    bool Finished = false; // false when the program crashed or did not end in time
    QString Out;
    QString Err;
};

// Runs mycad-convert with the arguments.
TConvertRun RunConvertProgram(const QStringList& Arguments);

// A drawing on an A4 page holding one rectangle from (100, 100) to (300, 200) (screen pixels
// at zoom 1) with a red fill and a black outline.
void AddRedRectangle(TMyCAD& Cad);
// Saves such a drawing as FileName; false when saving failed.
bool WriteRectangleDrawing(const QString& FileName);
// A shape library with one entry "Box": a red 120 x 60 rectangle.
bool WriteBoxLibrary(const QString& FileName);

// Runs an outside program; true when it ran and exited with 0. Output receives its
// standard output and error together.
bool RunTool(const QString& Program, const QStringList& Arguments, QString& Output);
// Whether the program is on the path.
bool ToolInstalled(const QString& Program);
// Whether /usr/bin/python3 can import ezdxf.
bool EzdxfInstalled();

// The names in a folder (files only, hidden ones included).
QStringList FilesIn(const QString& Folder);
