#pragma once
// TLibManager: one shape library held in memory as the bytes of its file
// (component/library/LibraryFormat.h gives the layout). Every operation works on those
// bytes by position: the entries are found by walking from the tag, read into shapes of a
// private drawing, written in the current layout, renamed, moved, replaced and deleted in
// place; nothing reaches a file before SavetoFile.
//
// Generations. The tag decides how entries are read: every reader reads an entry in the
// layout of the library's own tag (a library of generation .8 has a user-data block, one
// of .7 has none), so no reader takes one block for another. Libraries of older
// generations are upgraded by position, in one pass over the entries, and are upgraded
// before anything is written into them, so a library never mixes layouts. Libraries whose
// tag has no known entry layout (".2", "ZEDALIB2.1", anything else) keep their bytes and
// their tag: their entries can be listed, renamed, moved and deleted, but not read.
//
// Walking ends at the first entry whose size or name does not fit in the library; what
// follows it is kept but never read, and new entries go in at entry boundaries only.
//
// The shapes the readers return belong to the caller but are created for the manager's
// private drawing (which gives them their zoom): they must not outlive the manager.
// Creating a manager needs a QApplication (the private drawing is a widget).
#include "mycad_export.h"
#include "component/base/MyTypes.h"
#include "component/base/UserData.h"
#include "component/library/LibraryFormat.h"
#include "platform/Color.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

class TBitmap;
class TMyCAD;
class TMyShape;

// Shapes read from a library; the caller owns them.
using TLibShapes = std::vector<std::unique_ptr<TMyShape>>;

// Where a field lies: the position right after it and its length in bytes.
struct MYCAD_EXPORT TLibSpan {
    int64_t Next = 0;
    int64_t Length = 0;
};

class MYCAD_EXPORT TLibManager {
public:
    // An empty library: the bytes hold only the tag "ZEDALIBX.i".
    TLibManager();
    // The library of a file. A library of an older generation is upgraded to the current
    // one in memory (the file is not touched); one whose entry layout is unknown keeps its
    // bytes and tag. When the file cannot be read or is shorter than a tag, the manager
    // holds an empty library and LibFileName is empty.
    explicit TLibManager(const QString& FileName);
    ~TLibManager();
    TLibManager(const TLibManager&) = delete;
    TLibManager& operator=(const TLibManager&) = delete;

    // ---- The library as a whole ------------------------------------------------------
    // The file the library was loaded from; empty for a new library or after a failed load.
    QString LibFileName() const { return FLibFileName; }
    int cmbShapesCount() const { return GetcmbShapesCount(); }
    const QByteArray& Bytes() const { return FBytes; }
    // The generation of the library's tag; none for a tag without a known generation.
    std::optional<LibraryFormat::TLibGenerationInfo> Generation() const;
    // The drawing that owns the shapes the manager reads and supplies their zoom.
    TMyCAD* Drawing() const { return FDrawing.get(); }

    // Empties the library: the bytes hold only the tag "ZEDALIBX.i".
    void Clear();
    // Replaces the bytes by those of the file, whatever its tag, and sets LibFileName.
    // False, with LibFileName empty and the bytes unchanged, when the file cannot be read
    // or is shorter than a tag.
    bool LoadFromFile(const QString& FileName);
    // LoadFromFile for files tagged "ZEDALIB2.1" only; false for any other file.
    bool LoadFromOldFile(const QString& FileName);
    // Replaces the bytes by everything from the stream's position on; false (unchanged)
    // when fewer bytes than a tag arrive.
    bool LoadFromStream(QIODevice& Stream);
    // Writes the library: an older generation is upgraded first and the tag is the one
    // its entries need ("ZEDALIBX.i", or "ZEDALIBX.L" while a string is too long for
    // it). The file is written beside its old self and replaces it only when every byte
    // was written. False when writing failed.
    bool SavetoFile(const QString& FileName);
    bool SaveToStream(QIODevice& Stream);

    // ---- Entries ---------------------------------------------------------------------
    int GetcmbShapesCount() const;
    // The name of the entry at Index (0-based, file order); empty outside the entries.
    QString GetCmbShapesNameByID(int Index) const;
    // The first entry of that name (compared exactly): its first byte and its whole length.
    bool GetExistShape(const QString& Name, int64_t& Position, int64_t& Length) const;

    // Reads the first entry of that name: its shapes at its natural size (W x H), and its
    // user data when the generation has it (UserData is otherwise left as it is). With
    // LinkPointsAsPoints the link-point shapes come back as their centres in Points
    // instead of as shapes. False, changing nothing, when there is no such entry or it
    // does not read.
    bool GetCmbShape(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W, int& H,
                     bool LinkPointsAsPoints);
    // The readers named after the generations they were made for. All read by the
    // library's real tag, as GetCmbShape does.
    bool GetCmbShapeforX8(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                          int& H, bool LinkPointsAsPoints);
    bool GetCmbShapeforX9(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                          int& H, bool LinkPointsAsPoints);
    bool GetCmbShapeforXA(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                          int& H, bool LinkPointsAsPoints);
    bool GetCmbShapeforXE(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                          int& H, bool LinkPointsAsPoints);
    bool GetCmbShapeforXH(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W,
                          int& H, bool LinkPointsAsPoints);
    // GetCmbShape for the entry starting at byte Position.
    bool GetCmbShapeAt(int64_t Position, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W, int& H,
                       bool LinkPointsAsPoints);

    // Writes a new entry after the last one. The shapes' points and caption points are
    // stored in the unit box of the shapes other than link points, their names empty;
    // the shapes themselves are left exactly as they were. W and H are stored as given.
    // False, changing nothing, for a name of more than 255 bytes or one the ANSI code page
    // cannot spell, a shape of a class without a record, or a library whose entries have
    // no known layout.
    bool AppendNewShape(const QString& Name, const TArrMyShape& Shapes, const TUserData& UserData, int W, int H);
    // The same at byte Position: the first byte of an entry, or the end of the entries
    // (the end of the bytes counts as that). False for any other position.
    bool InsertNewShape(int64_t Position, const QString& Name, const TArrMyShape& Shapes, const TUserData& UserData,
                        int W, int H);
    // Removes the first entry of that name; false when there is none.
    bool DeleteShape(const QString& Name);
    // Gives the first entry named OldName the name NewName, changing only its name field
    // (its content keeps its layout and bytes). NewName may be another entry's name.
    bool RenameCmbShapeName(const QString& OldName, const QString& NewName);
    // Replaces the content of the named entry in its place.
    bool RepalceExistShape(const QString& Name, const TArrMyShape& Shapes, const TUserData& UserData, int W, int H);
    // Moves the entry's bytes in front of the entry BeforeName, or to the front when
    // BeforeName is empty; false when either is not found.
    bool MoveCmbShapeBeforeByName(const QString& Name, const QString& BeforeName);

    // Renders the entry as a preview of round(Size) x round(Size) pixels on Color: zoom
    // (Size - 2) / max(W, H), centred, link-point shapes left out. Draws nothing on the
    // background when Size <= 2 or the entry is empty. False (Bitmap unchanged) when the
    // entry is not found or does not read.
    bool GetCmbShapeImage(const QString& Name, double Size, TBitmap& Bitmap, TColor Color);

    // ---- Upgrades ----------------------------------------------------------------------
    // Each rewrites every entry of a library of its source generation in the current
    // layout (with a user-data block) and sets the tag "ZEDALIBX.i", keeping every stored
    // value; false, changing nothing, for a library of another generation or an entry that
    // does not read. Upgradefromx6tox8 takes ".6" and ".7".
    bool Upgradefromx6tox8();
    bool Upgradefromx8tox9();
    bool Upgradefromx9toxa();
    bool Upgradefromxatoxe();
    bool Upgradefromxetoxh();
    bool Upgradefromxhtoxi();
    // Brings a library of any older generation with a known layout (".3" to ".h") to the
    // current one; true when it is current already.
    bool UpgradeToCurrent();

    // ---- Fields at a byte position ------------------------------------------------------
    // Each reads or writes one field of the layout at Position and reports where it ends
    // and its length in Span. Reads fail when the field does not lie within the library;
    // writes overwrite the bytes from Position on, extending the library when they run
    // past its end, and fail for a position outside it. Counted strings follow the
    // library's tag (whole long strings under "ZEDALIBX.L").
    bool WriteLibTag(const QByteArray& Tag, TLibSpan* Span = nullptr);
    bool ReadLibTag(QByteArray& Tag, TLibSpan* Span = nullptr) const;
    // Rewrites the tag of a library that has one.
    bool ReplaceoldTagwithNewTag(const QByteArray& NewTag);
    bool WriteCmbShapeName(int64_t Position, const QString& Name, TLibSpan* Span = nullptr);
    bool ReadCmbShapeName(int64_t Position, QString& Name, TLibSpan* Span = nullptr) const;
    bool WriteCmbShapeSize(int64_t Position, int32_t Size, TLibSpan* Span = nullptr);
    bool ReadCmbShapeSize(int64_t Position, int32_t& Size, TLibSpan* Span = nullptr) const;
    bool WriteWidthHeight(int64_t Position, int32_t W, int32_t H, TLibSpan* Span = nullptr);
    bool ReadWidthHeight(int64_t Position, int32_t& W, int32_t& H, TLibSpan* Span = nullptr) const;
    bool WriteUserDataRecords(int64_t Position, const TUserData& UserData, TLibSpan* Span = nullptr);
    // Empties UserData and adds the stored pairs (a repeated key keeps its first value).
    bool ReadUserDataRecords(int64_t Position, TUserData& UserData, TLibSpan* Span = nullptr) const;
    // The shapes block: normalised to the unit box as AppendNewShape stores them.
    bool WriteShapes(int64_t Position, const TArrMyShape& Shapes, TLibSpan* Span = nullptr);
    // Reads a shapes block and scales it to W x H, as GetCmbShape does.
    bool ReadShapes(int64_t Position, int W, int H, bool LinkPointsAsPoints, TArrMyPoint& Points, TLibShapes& Shapes,
                    TLibSpan* Span = nullptr);
    // A counted string.
    bool WriteStrBuffer(int64_t Position, const QString& S, TLibSpan* Span = nullptr);
    bool ReadStrBuffer(int64_t Position, QString& S, TLibSpan* Span = nullptr) const;

private:
    // One entry found by the walk.
    struct TEntry {
        int64_t Position = 0;  // the name length byte
        int64_t Length = 0;    // N + 1 + 4 + S
        int64_t NameAt = 0;    // the first byte of the name
        int NameLength = 0;    // N
        int64_t ContentAt = 0; // the first byte after the size field
        int32_t Size = 0;      // S
        int64_t End() const { return Position + Length; }
    };
    // How the content of entries is read: the generation and its record layout.
    struct TLayout {
        LibraryFormat::TLibGenerationInfo Info;
        TRecordFormat Format;
    };

    // ---- The walk (LibManager.cpp) -------------------------------------------------------
    // The entry starting at Position when its name, size and content lie in the library.
    bool EntryAt(int64_t Position, TEntry& Out) const;
    // Calls Visit for each entry in file order until it returns false; returns the end of
    // the last entry visited or passed.
    int64_t Walk(const std::function<bool(const TEntry&)>& Visit) const;
    bool FindEntry(const QString& Name, TEntry& Out) const;
    // The end of the last entry the walk reaches.
    int64_t EntriesEnd() const;
    QString NameOf(const TEntry& Entry) const;
    // The layout of the library's entries; none when its tag has no known one.
    std::optional<TLayout> Layout() const;

    // ---- Reading (LibEntryReader.cpp) ---------------------------------------------------
    // Reads an entry's content. Scale multiplies the stored unit-box coordinates by W and
    // H (readers); without it they come back as stored (upgrades). Outputs change only on
    // success.
    bool ReadEntry(const TEntry& Entry, const TLayout& Layout, TArrMyPoint& Points, TUserData& UserData,
                   TLibShapes& Shapes, int& W, int& H, bool LinkPointsAsPoints, bool Scale);
    bool ReadNamed(const QString& Name, TArrMyPoint& Points, TUserData& UserData, TLibShapes& Shapes, int& W, int& H,
                   bool LinkPointsAsPoints);
    // Whether any entry holds a string too long for the short counted strings.
    bool HoldsLongStrings();

    // ---- Writing (LibEntryWriter.cpp) -----------------------------------------------------
    // The index of the entry starting at Position, the entry count for the end of the
    // entries (or of the bytes), -1 for any other position.
    int IndexOfBoundary(int64_t Position) const;
    // The first byte of the entry at Index, or the end of the entries for the count.
    int64_t BoundaryOfIndex(int Index) const;
    int IndexOfEntry(const TEntry& Entry) const;
    // Brings an older generation to the current one before anything is written into it;
    // false when the library has no known layout or does not upgrade.
    bool MakeCurrent();
    // Makes the library's tag the long-string one when an entry needs it.
    void UseLongStringsIfNeeded(bool LongStrings);
    bool IsLongStringLibrary() const;

    // ---- Upgrades (LibUpgrades.cpp) -------------------------------------------------------
    bool UpgradeFrom(std::initializer_list<LibraryFormat::TLibGeneration> Sources);

    QByteArray FBytes;
    QString FLibFileName;
    std::unique_ptr<TMyCAD> FDrawing;
};

// Encodes an entry name in the ANSI code page; false when it has more than 255 bytes or
// a character the code page cannot spell (such a name could never be found again).
MYCAD_EXPORT bool EncodeLibEntryName(const QString& Name, QByteArray& Out);
