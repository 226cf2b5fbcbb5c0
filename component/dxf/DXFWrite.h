#pragma once
// TDXFWrite: a general writer of DXF groups. The code is written right-aligned in three
// characters, the value on the next line by the code's range: text (at most 255
// characters, Windows-1252, a carriage return or line feed inside it written as a space),
// reals with six decimals, integers right-aligned in six characters; any other code
// writes an empty value line. Numbers never follow the process locale.
#include "mycad_export.h"
#include "component/dxf/DXFGroupTable.h"
#include "component/dxf/DXFOutput.h"
#include "component/dxf/DXFSections.h"

#include <QFile>
#include <QIODevice>
#include <QString>
#include <memory>

class MYCAD_EXPORT TDXFWrite {
public:
    // Creates or truncates the file; IsOpen tells whether that worked.
    explicit TDXFWrite(const QString& FileName);
    // Writes to a device opened for writing by the caller, which keeps it alive.
    explicit TDXFWrite(QIODevice& Device);
    TDXFWrite(const TDXFWrite&) = delete;
    TDXFWrite& operator=(const TDXFWrite&) = delete;
    // Writes out what is buffered and closes a file the writer opened.
    ~TDXFWrite();

    bool IsOpen() const { return FDevice != nullptr; }
    // Empties the file (or a device that can be truncated) and starts again; false when
    // it cannot be emptied.
    bool Reset();

    // The value's text, number or integer is taken by the code's range; a number given
    // for a text code is written in general format, a text given for a number code is
    // converted (0 when it is no number).
    void WriteGroup(int Code, const TGroupValue& Value);
    void WriteGroup(int Code, const QString& Value);
    void WriteGroup(int Code, double Value);
    void WriteGroup(int Code, int Value);
    // 0 SECTION and 2 with the section's name (none for scUnknow); 0 ENDSEC.
    void BeginSection(TSections Section);
    void EndSection();
    // Every value the table holds, in ascending code order.
    void WriteAnEntry(const TGroupTable& Groups);

    // Writes out the buffer; false once anything failed to reach the device.
    bool Flush();
    bool Failed() const { return !FDevice || FOutput->Failed(); }

private:
    void WriteCode(int Code);

    std::unique_ptr<QFile> FFile;
    QIODevice* FDevice = nullptr;
    std::unique_ptr<TDXFOutput> FOutput;
};
