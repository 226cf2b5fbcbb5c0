// TLibManager: the library as a whole (creation, files) and the walk over its entries.
#include "component/library/LibManager.h"

#include "component/library/LibEntryBytes.h"
#include "component/document/MyCAD.h"
#include "platform/AnsiString.h"
#include "platform/Stream.h"

#include <QFile>
#include <cstring>

using namespace LibraryFormat;

bool EncodeLibEntryName(const QString& Name, QByteArray& Out)
{
    QByteArray bytes = ToAnsi(Name);
    if (bytes.size() > kMaxNameBytes || FromAnsi(bytes) != Name)
        return false;
    Out = std::move(bytes);
    return true;
}

TLibManager::TLibManager() : FBytes(kCurrentTag), FDrawing(std::make_unique<TMyCAD>())
{
    // The private drawing keeps no history of the shapes it lends out.
    FDrawing->SetUndoRedoSize(0);
}

TLibManager::TLibManager(const QString& FileName) : TLibManager()
{
    if (!LoadFromFile(FileName))
        return;
    const std::optional<TLibGenerationInfo> info = Generation();
    // An older generation is read as what it is and brought to the current one; when an
    // entry does not read, the library keeps its own generation and tag.
    if (info && !IsCurrent(info->Generation))
        UpgradeToCurrent();
}

TLibManager::~TLibManager() = default;

std::optional<TLibGenerationInfo> TLibManager::Generation() const
{
    return GenerationOfTag(FBytes.left(kTagSize));
}

std::optional<TLibManager::TLayout> TLibManager::Layout() const
{
    const std::optional<TLibGenerationInfo> info = Generation();
    if (!info)
        return std::nullopt;
    const std::optional<TRecordFormat> format = RecordFormatOf(*info);
    if (!format)
        return std::nullopt;
    return TLayout{*info, *format};
}

void TLibManager::Clear()
{
    FBytes = QByteArray(kCurrentTag);
}

bool TLibManager::LoadFromStream(QIODevice& Stream)
{
    QByteArray bytes = Stream.readAll();
    if (bytes.size() < kTagSize)
        return false;
    FBytes = std::move(bytes);
    return true;
}

bool TLibManager::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly) || !LoadFromStream(file)) {
        FLibFileName.clear();
        return false;
    }
    FLibFileName = FileName;
    return true;
}

bool TLibManager::LoadFromOldFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly) || file.read(kTagSize) != kOldTag) {
        FLibFileName.clear();
        return false;
    }
    file.close();
    return LoadFromFile(FileName);
}

bool TLibManager::SaveToStream(QIODevice& Stream)
{
    const std::optional<TLibGenerationInfo> info = Generation();
    if (info && !IsCurrent(info->Generation))
        UpgradeToCurrent(); // when an entry does not read, the library is written as it is
    if (IsLongStringLibrary() && !HoldsLongStrings())
        ReplaceoldTagwithNewTag(kCurrentTag);
    return WriteExact(Stream, FBytes);
}

bool TLibManager::SavetoFile(const QString& FileName)
{
    return SaveFileSafely(FileName, [this](QIODevice& file) { return SaveToStream(file); });
}

// ---- The walk ---------------------------------------------------------------------------

bool TLibManager::EntryAt(int64_t Position, TEntry& Out) const
{
    const int64_t size = FBytes.size();
    if (Position < kFirstEntry || Position >= size)
        return false;
    const int n = uint8_t(FBytes[qsizetype(Position)]);
    const int64_t sizeAt = Position + 1 + n;
    int32_t s = 0;
    if (!LibEntryBytes::GetInt32(FBytes, sizeAt, s) || s < kMinEntrySize || s > size - (sizeAt + 4))
        return false;
    Out.Position = Position;
    Out.NameAt = Position + 1;
    Out.NameLength = n;
    Out.ContentAt = sizeAt + 4;
    Out.Size = s;
    Out.Length = 1 + n + 4 + int64_t(s);
    return true;
}

int64_t TLibManager::Walk(const std::function<bool(const TEntry&)>& Visit) const
{
    int64_t at = kFirstEntry;
    TEntry entry;
    while (EntryAt(at, entry)) {
        at = entry.End();
        if (!Visit(entry))
            break;
    }
    return at;
}

int64_t TLibManager::EntriesEnd() const
{
    return Walk([](const TEntry&) { return true; });
}

QString TLibManager::NameOf(const TEntry& Entry) const
{
    return FromAnsi(FBytes.constData() + Entry.NameAt, Entry.NameLength);
}

bool TLibManager::FindEntry(const QString& Name, TEntry& Out) const
{
    QByteArray name;
    if (!EncodeLibEntryName(Name, name))
        return false; // no stored name can equal it
    bool found = false;
    Walk([&](const TEntry& e) {
        if (e.NameLength == name.size() && std::memcmp(FBytes.constData() + e.NameAt, name.constData(), size_t(e.NameLength)) == 0) {
            Out = e;
            found = true;
        }
        return !found;
    });
    return found;
}

int TLibManager::GetcmbShapesCount() const
{
    int count = 0;
    Walk([&count](const TEntry&) {
        ++count;
        return true;
    });
    return count;
}

QString TLibManager::GetCmbShapesNameByID(int Index) const
{
    QString name;
    int i = 0;
    if (Index < 0)
        return name;
    Walk([&](const TEntry& e) {
        if (i++ != Index)
            return true;
        name = NameOf(e);
        return false;
    });
    return name;
}

bool TLibManager::GetExistShape(const QString& Name, int64_t& Position, int64_t& Length) const
{
    TEntry entry;
    if (!FindEntry(Name, entry))
        return false;
    Position = entry.Position;
    Length = entry.Length;
    return true;
}
