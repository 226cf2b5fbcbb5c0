#pragma once
// The drawing as a document of the window: its file, whether it has changed since it was
// last loaded or saved (the saved bytes are compared, so an edit undone is no change), the
// window title with the file name and the unsaved-changes mark, the prompt before changes
// are lost, and the recently used files (kept in the application's settings).
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QTimer;
class QWidget;
class TMyCAD;

class TDocumentSession : public QObject {
    Q_OBJECT
public:
    TDocumentSession(TMyCAD* Cad, QWidget* Window);

    QString FileName() const { return FFileName; }
    // The drawing as it is now is the file's (after a load or a save); an empty name
    // makes it a new, untitled drawing.
    void SetClean(const QString& FileName);
    bool IsModified() const;
    // Looks again whether the drawing changed, soon (edits come in bursts).
    void Touch();
    // A drawing recovered after a crash: it is the file's (or a new drawing when the name
    // is empty) but has changes that were never saved.
    void SetRecovered(const QString& FileName);
    // Updates the title and the mark now.
    void Refresh();

    // Before the drawing is replaced: when it has unsaved changes, asks whether to save
    // them. Save is called for Yes and must return whether the drawing was saved. False
    // when the user cancels (or the save failed): the drawing stays.
    bool ConfirmDiscard(const std::function<bool()>& Save);

    QStringList RecentFiles() const;
    void AddRecentFile(const QString& FileName);
    static constexpr int kMaxRecentFiles = 8;

signals:
    void RecentFilesChanged();
    void ModifiedChanged(bool Modified);
    // Emitted on every Touch (every edit).
    void Touched();

private:
    QByteArray Digest() const;

    TMyCAD* FCad;
    QWidget* FWindow;
    QTimer* FTimer;
    QString FFileName;
    QByteArray FCleanDigest;
    bool FModified = false;
};
