#include "RecoveryStore.h"

#include "DocumentSession.h"

#include <CAD.h>
#include "platform/Stream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace {

constexpr int kDefaultInterval = 3000;
// A sidecar is a few hundred bytes; anything much larger is not one of ours.
constexpr qint64 kMaxSidecarBytes = 64 * 1024;

// A lock of another instance, stale only when the process that took it is gone (never by
// its age alone: a window may run for days without touching its lock).
std::unique_ptr<QLockFile> TryLock(const QString& Path)
{
    auto lock = std::make_unique<QLockFile>(Path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

TRecoveryStore::TRecoveryStore(TMyCAD* Cad, TDocumentSession* Session, QObject* Parent, const QString& Folder)
    : QObject(Parent), FCad(Cad), FSession(Session), FTimer(new QTimer(this)),
      FFolder(Folder.isEmpty()
                  ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery")
                  : Folder),
      FId(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    FTimer->setSingleShot(true);
    FTimer->setInterval(kDefaultInterval);
    connect(FTimer, &QTimer::timeout, this, &TRecoveryStore::WriteNow);
    connect(FSession, &TDocumentSession::Touched, FTimer, qOverload<>(&QTimer::start));
    connect(FSession, &TDocumentSession::ModifiedChanged, this, [this](bool Modified) {
        if (Modified) {
            FTimer->start();
        } else {
            FTimer->stop();
            Remove();
        }
    });
    if (QDir().mkpath(FFolder)) {
        FLock = std::make_unique<QLockFile>(PathOf(FId, ".lock"));
        FLock->setStaleLockTime(0);
        if (!FLock->tryLock(0))
            FLock.reset();
    }
}

TRecoveryStore::~TRecoveryStore()
{
    Remove();
}

QString TRecoveryStore::PathOf(const QString& Id, const char* Suffix) const
{
    return FFolder + QLatin1Char('/') + Id + QLatin1String(Suffix);
}

QString TRecoveryStore::CopyFile() const
{
    return PathOf(FId, ".zed");
}

int TRecoveryStore::Interval() const
{
    return FTimer->interval();
}

void TRecoveryStore::SetInterval(int Milliseconds)
{
    FTimer->setInterval(std::max(0, Milliseconds));
}

bool TRecoveryStore::WriteNow()
{
    // The session's mark is brought up to date first: once it reads modified, the save or
    // the discard that makes the drawing clean again is announced, and removes the copy.
    FSession->Refresh();
    FTimer->stop();
    if (!FSession->IsModified()) {
        Remove();
        return true;
    }
    // Without its lock the copy would be offered to the next start while this window
    // still runs.
    if (!FLock)
        return false;
    return FCad->SaveToFile(CopyFile()) && WriteSidecar(PathOf(FId, ".json"));
}

bool TRecoveryStore::WriteSidecar(const QString& Path) const
{
    QJsonObject sidecar;
    sidecar.insert(QStringLiteral("fileName"), FSession->FileName());
    sidecar.insert(QStringLiteral("saved"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    const QByteArray bytes = QJsonDocument(sidecar).toJson();
    return SaveFileSafely(Path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

void TRecoveryStore::Remove()
{
    RemoveFiles(FId);
}

void TRecoveryStore::RemoveFiles(const QString& Id) const
{
    // The sidecar first: a copy without one is still offered, a sidecar alone is not.
    QFile::remove(PathOf(Id, ".json"));
    QFile::remove(PathOf(Id, ".zed"));
}

std::vector<TRecoveryStore::TOrphan> TRecoveryStore::Orphans() const
{
    std::vector<TOrphan> orphans;
    const QFileInfoList copies = QDir(FFolder).entryInfoList({QStringLiteral("*.zed")}, QDir::Files);
    for (const QFileInfo& copy : copies) {
        const QString id = copy.completeBaseName();
        if (id == FId || !TryLock(PathOf(id, ".lock")))
            continue;
        TOrphan orphan{id, copy.filePath(), QString(), copy.lastModified()};
        QFile file(PathOf(id, ".json"));
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxSidecarBytes) {
            const QJsonObject sidecar = QJsonDocument::fromJson(file.readAll()).object();
            orphan.OriginalName = sidecar.value(QStringLiteral("fileName")).toString();
            const QDateTime saved =
                QDateTime::fromString(sidecar.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
            if (saved.isValid())
                orphan.Saved = saved;
        }
        orphans.push_back(orphan);
    }
    std::stable_sort(orphans.begin(), orphans.end(),
                     [](const TOrphan& a, const TOrphan& b) { return a.Saved > b.Saved; });
    return orphans;
}

bool TRecoveryStore::OfferOrphans(const std::function<bool()>& Save)
{
    for (const TOrphan& orphan : Orphans()) {
        // Held while asking, so that a second window starting now does not offer it too.
        const std::unique_ptr<QLockFile> lock = TryLock(PathOf(orphan.Id, ".lock"));
        if (!lock || !QFileInfo::exists(orphan.DrawingFile))
            continue;
        const QString what = orphan.OriginalName.isEmpty() ? QStringLiteral("A new drawing")
                                                           : QFileInfo(orphan.OriginalName).fileName();
        const QString text = QStringLiteral("A drawing that was not saved was recovered (%1, from %2). Open it?")
                                 .arg(what, QLocale().toString(orphan.Saved.toLocalTime(), QLocale::ShortFormat));
        if (MessageDlg(text, TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) {
            RemoveFiles(orphan.Id);
            continue;
        }
        // The window's drawing may have changes of its own (a file given at the start).
        if (!FSession->ConfirmDiscard(Save))
            return false;
        return Adopt(orphan);
    }
    return false;
}

bool TRecoveryStore::Adopt(const TOrphan& Orphan)
{
    if (!FCad->LoadFromFile(Orphan.DrawingFile)) {
        ShowMessage(QStringLiteral("The recovered drawing could not be read."));
        RemoveFiles(Orphan.Id);
        return false;
    }
    FSession->SetRecovered(Orphan.OriginalName);
    // The drawing is this window's copy from now on, before the old one goes.
    if (WriteNow())
        RemoveFiles(Orphan.Id);
    return true;
}
