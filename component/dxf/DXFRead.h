#pragma once
// TDXFRead: the group reader of DXF text files. It walks the file group by group (a code
// line, then a value line), finds the sections and collects the groups of one entry into
// a group table. The group just read is the look-ahead of all scanning.
//
// The file is mapped into memory (or read whole when it cannot be mapped) and read in
// place: lines are found with memchr, numbers converted with from_chars, and the texts of
// the groups view the file's bytes, so reading allocates nothing per line. Those views
// stay valid as long as the reader or any reader made from it lives.
//
// Lines end with a line feed, optionally preceded by a carriage return. A code line that
// is not a number, or a code line with no value line after it, ends the reading as a
// failure (Failed). Codes outside the group table (negative, 256 to 999, above 1256) are
// read and passed over.
#include "mycad_export.h"
#include "component/dxf/DXFGroupTable.h"
#include "component/dxf/DXFSections.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

class MYCAD_EXPORT TDXFRead : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool IsR12DXF READ IsR12DXF WRITE SetIsR12DXF)

public:
    // Why the last NextSection ended on scUnknow.
    enum class TStop { None, EndOfFile, UnknownSection, EndOfData };

    // Opens the file (IsOpen tells whether that worked), reads the first group and moves
    // to the first section.
    explicit TDXFRead(const QString& FileName, QObject* Parent = nullptr);
    // The same over bytes in memory (the reader keeps a reference to them).
    explicit TDXFRead(const QByteArray& Data, QObject* Parent = nullptr);
    // A reader of the groups between the byte offsets Begin and End of another reader's
    // data (the entities of a block), positioned at its first group; it shares the data.
    TDXFRead(const TDXFRead& Source, qint64 Begin, qint64 End);
    ~TDXFRead() override;

    bool IsOpen() const { return FData != nullptr; }

    // Reads the next group; false at the end of the data or when the reading failed.
    bool ConsumeGroup();
    // Scans forward to the next group 0 SECTION, takes the section from the name in the
    // group after it (HEADER, TABLES, BLOCKS, ENTITIES, CLASSES; any other gives
    // scUnknow) and reads one more group. A group 0 EOF, or the end of the data, also
    // ends the scan with scUnknow.
    void NextSection();
    // Skips groups up to one with the code or code 0. Stopping at code 0 while another
    // code was asked for returns 0. Otherwise stores that group and every following one
    // in the table (not cleared first) up to the next group with the code or code 0, and
    // returns the code. -1 when the data ended before a group was found. The stored
    // groups are also listed, in file order, by EntryGroups.
    int ReadAnEntry(int Code, TGroupTable& Table);
    // Back to the beginning and to the first section.
    void Rewind();

    // The current group.
    bool HasGroup() const { return FHasGroup; }
    int GroupCode() const { return FCode; }
    const TGroupValue& GroupValue() const { return FValue; }
    // Whether the current group has this code and, trimmed, this text.
    bool IsGroup(int Code, std::string_view Text) const;
    TSections Section() const { return FSection; }
    TStop StopReason() const { return FStop; }
    // A code line that was no number, or a group cut off by the end of the data.
    bool Failed() const { return FFailed; }

    // The groups of the last ReadAnEntry that the table stores, in file order; an
    // entity's repeated codes (vertices, knots, boundary edges) are all here.
    const std::vector<TDXFGroup>& EntryGroups() const { return FEntry; }
    // Byte offsets: where the current group's code line starts, where reading goes on,
    // and the end of the data this reader covers.
    qint64 GroupOffset() const { return FGroupStart; }
    qint64 Position() const { return FPos; }
    qint64 Size() const { return FEnd; }

    bool IsR12DXF() const { return FIsR12DXF; }
    void SetIsR12DXF(bool Value) { FIsR12DXF = Value; }

private:
    struct TData;
    void Open(std::shared_ptr<const TData> Data, qint64 Begin, qint64 End);
    // The next line without its line end; false when the data has ended.
    bool NextLine(std::string_view& Line);

    std::shared_ptr<const TData> FData;
    const char* FBytes = nullptr;
    qint64 FBegin = 0;
    qint64 FEnd = 0;
    qint64 FPos = 0;
    qint64 FGroupStart = 0;
    bool FHasGroup = false;
    bool FFailed = false;
    int FCode = 0;
    TGroupValue FValue;
    TSections FSection = scUnknow;
    TStop FStop = TStop::None;
    bool FIsR12DXF = true;
    std::vector<TDXFGroup> FEntry;
};
