#include "DocumentSession.h"

#include <CAD.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <QWidget>

namespace {
const QString kRecentKey = QStringLiteral("recentFiles");
}

TDocumentSession::TDocumentSession(TMyCAD* Cad, QWidget* Window)
    : QObject(Window), FCad(Cad), FWindow(Window), FTimer(new QTimer(this))
{
    FTimer->setSingleShot(true);
    FTimer->setInterval(250);
    connect(FTimer, &QTimer::timeout, this, &TDocumentSession::Refresh);
    SetClean(QString());
}

QByteArray TDocumentSession::Digest() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!FCad->SaveToStream(buffer))
        return {};
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

void TDocumentSession::SetClean(const QString& FileName)
{
    FFileName = FileName;
    FCleanDigest = Digest();
    Refresh();
}

bool TDocumentSession::IsModified() const
{
    return Digest() != FCleanDigest;
}

void TDocumentSession::Touch()
{
    FTimer->start();
    emit Touched();
}

void TDocumentSession::SetRecovered(const QString& FileName)
{
    FFileName = FileName;
    // No saved bytes hash to this, so the drawing reads as modified until it is saved.
    FCleanDigest = QByteArrayLiteral("recovered");
    Refresh();
}

void TDocumentSession::Refresh()
{
    FTimer->stop();
    const bool modified = IsModified();
    const QString name = FFileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FFileName).fileName();
    FWindow->setWindowTitle(name + QStringLiteral("[*] - MyCAD"));
    FWindow->setWindowModified(modified);
    if (modified != FModified) {
        FModified = modified;
        emit ModifiedChanged(modified);
    }
}

bool TDocumentSession::ConfirmDiscard(const std::function<bool()>& Save)
{
    if (!IsModified())
        return true;
    const QString name = FFileName.isEmpty() ? QStringLiteral("the new drawing") : QFileInfo(FFileName).fileName();
    switch (MessageDlg(QStringLiteral("Save the changes to %1?").arg(name), TMsgDlgType::mtConfirmation, mbYesNoCancel)) {
    case mrYes: return Save();
    case mrNo: return true;
    default: return false;
    }
}

QStringList TDocumentSession::RecentFiles() const
{
    return QSettings().value(kRecentKey).toStringList();
}

void TDocumentSession::AddRecentFile(const QString& FileName)
{
    const QString canonical = QFileInfo(FileName).canonicalFilePath();
    const QString entry = canonical.isEmpty() ? QFileInfo(FileName).absoluteFilePath() : canonical;
    QStringList files = RecentFiles();
    files.removeAll(entry);
    files.prepend(entry);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    QSettings().setValue(kRecentKey, files);
    emit RecentFilesChanged();
}
