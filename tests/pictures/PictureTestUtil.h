#pragma once
// Helpers of the picture tests: files in a temporary folder, outside programs, the
// records of metafiles, little-endian reads.
#include "component/CAD.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <vector>

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline uint16_t U16At(const QByteArray& b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

inline uint32_t U32At(const QByteArray& b, qsizetype at)
{
    return uint32_t(U16At(b, at)) | (uint32_t(U16At(b, at + 2)) << 16);
}

inline int32_t I32At(const QByteArray& b, qsizetype at)
{
    return int32_t(U32At(b, at));
}

inline int16_t I16At(const QByteArray& b, qsizetype at)
{
    return int16_t(U16At(b, at));
}

// Whether an outside program is installed.
inline bool HaveTool(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

struct ToolRun {
    bool Started = false;
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

// Runs a program to its end (at most timeoutMs), its standard input closed.
inline ToolRun RunTool(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    ToolRun run;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return run;
    run.Started = true;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}

// Whether ImageMagick's convert is installed: a program of that name that is something
// else (a stand-in that only converts one kind of file) counts as missing.
inline bool HaveImageMagick()
{
    return HaveTool("convert") && RunTool("convert", {"-version"}, 20000).Out.startsWith("Version: ImageMagick");
}

// One record of an enhanced metafile: its type, where it starts, its size.
struct EmfRecord {
    uint32_t Type;
    qsizetype Offset;
    uint32_t Size;
};

// The records of an EMF file image as their sizes chain them (stops at a size that
// leaves the data or is not a multiple of 4).
inline std::vector<EmfRecord> EmfRecords(const QByteArray& emf)
{
    std::vector<EmfRecord> records;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        const uint32_t size = U32At(emf, at + 4);
        if (size < 8 || size % 4 != 0 || at + qsizetype(size) > emf.size())
            break;
        records.push_back({U32At(emf, at), at, size});
        at += size;
    }
    return records;
}

inline int CountRecords(const std::vector<EmfRecord>& records, uint32_t type)
{
    int n = 0;
    for (const EmfRecord& r : records)
        n += r.Type == type;
    return n;
}

// One record of a Windows metafile after its headers: function, offset, size in bytes.
struct WmfRecord {
    uint16_t Function;
    qsizetype Offset;
    uint32_t Size;
};

// The records of a placeable WMF file image (after the 22-byte placeable header and the
// 18-byte metafile header), up to and including the end-of-file record.
inline std::vector<WmfRecord> WmfRecords(const QByteArray& wmf)
{
    std::vector<WmfRecord> records;
    qsizetype at = 22 + 18;
    while (at + 6 <= wmf.size()) {
        const uint64_t size = uint64_t(U32At(wmf, at)) * 2;
        if (size < 6 || at + qsizetype(size) > wmf.size())
            break;
        records.push_back({U16At(wmf, at + 4), at, uint32_t(size)});
        at += qsizetype(size);
        if (records.back().Function == 0)
            break;
    }
    return records;
}

// The colour of an image's pixel as a TColor.
inline TColor ColorAt(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)));
}

// Whether two colours differ by at most tolerance in every channel.
inline bool Near(TColor a, TColor b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}
