#pragma once
// Recovery copies of unsaved drawings. A few seconds after the last change of a drawing
// with unsaved changes, the drawing is written (through the safe save) into a recovery
// folder as "<instance>.zed", with a sidecar "<instance>.json" naming the drawing's own
// file and the time of the copy. Each running window holds "<instance>.lock", so that a
// copy is offered at a start only when the program that wrote it is no longer running.
// The copy goes once the drawing is saved or discarded, and when the store is destroyed
// (a clean exit of the program).
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QLockFile;
class QTimer;
class TDocumentSession;
class TMyCAD;

class TRecoveryStore : public QObject {
    Q_OBJECT
public:
    // Folder "" is the application's data folder's "recovery" folder.
    TRecoveryStore(TMyCAD* Cad, TDocumentSession* Session, QObject* Parent, const QString& Folder = QString());
    ~TRecoveryStore() override;

    QString Folder() const { return FFolder; }
    // This instance's copy (it exists only while the drawing has unsaved changes).
    QString CopyFile() const;
    // The time from the last change to the copy, in milliseconds.
    int Interval() const;
    void SetInterval(int Milliseconds);

    // Writes the copy now when the drawing has unsaved changes, else removes it; true when
    // the copy on disk is now the drawing's (or rightly absent).
    bool WriteNow();
    // Removes this instance's copy.
    void Remove();

    // A copy left by a program that is no longer running.
    struct TOrphan {
        QString Id;
        QString DrawingFile;
        QString OriginalName; // "" for a drawing that never had a file
        QDateTime Saved;
    };
    // Orphaned copies, the newest first.
    std::vector<TOrphan> Orphans() const;
    // Offers the orphaned copies one by one, the newest first: Yes loads the copy into
    // the drawing (marked modified, under its own file's name) and stops; No deletes it
    // and goes on to the next. Before a load, unsaved changes of the drawing are offered
    // for saving (Save saves them, as for TDocumentSession::ConfirmDiscard). True when a
    // copy was loaded.
    bool OfferOrphans(const std::function<bool()>& Save);

private:
    QString PathOf(const QString& Id, const char* Suffix) const;
    bool WriteSidecar(const QString& Path) const;
    void RemoveFiles(const QString& Id) const;
    bool Adopt(const TOrphan& Orphan);

    TMyCAD* FCad;
    TDocumentSession* FSession;
    QTimer* FTimer;
    QString FFolder;
    QString FId;
    std::unique_ptr<QLockFile> FLock;
};
