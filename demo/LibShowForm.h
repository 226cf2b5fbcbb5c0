#pragma once
// TLibShowFrm: the always-on-top library browser. Every opened shape library is one tab
// (tabs on the left side) holding an icon view of its combined shapes: 32 x 32 previews on
// grey with the entries' names. Dragging an icon starts by itself and carries the entry's
// name (and the library's file) under the MIME type LibraryShapeMimeType, so a drop
// handler on the page can tell such a drag from a dropped file. A pop-up "Close" on the
// tabs closes the active library; the "Close" button hides the window, which keeps its
// libraries.
//
// Each tab owns its library manager: closing a tab frees exactly that library. A library
// counts as opened already when its file is the same file (by canonical path), however
// its name is spelled.
#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QListWidget;
class QMenu;
class QAction;
class QMimeData;
class QTabWidget;
class TLibManager;

class TLibShowFrm : public QDialog {
    Q_OBJECT
public:
    // The MIME type of a drag from a library view: the entry's name in UTF-8.
    static constexpr const char* LibraryShapeMimeType = "application/x-mycad-library-shape";
    // The canonical path of the dragged entry's library file, in UTF-8.
    static constexpr const char* LibraryFileMimeType = "application/x-mycad-library-file";
    // The size of the preview icons.
    static constexpr int IconSize = 32;

    explicit TLibShowFrm(QWidget* parent = nullptr);
    ~TLibShowFrm() override;

    // Opens a library file in a new tab and makes it current. Refuses, with a message and
    // no tab, a file that is no library, a library already open and one that cannot be
    // read. True when the tab was added.
    bool OpenLibrary(const QString& FileName);
    // Closes the library of the active tab (the pop-up's "Close"); nothing without tabs.
    void CloseActiveLibrary();
    // The library and the icon view of the active tab; null without tabs.
    TLibManager* CurrentLibrary() const;
    QListWidget* CurrentListView() const;
    // The opened libraries in opening order.
    int LibraryCount() const { return int(FLibraries.size()); }
    TLibManager* Library(int Index) const;
    // The open library of that file (any spelling of its path); null when none.
    TLibManager* FindLibrary(const QString& FileName) const;

    // Whether a drag comes from one of the browsers' icon views, and what it carries.
    static bool IsLibraryDrag(const QMimeData* Data);
    static QString DraggedShapeName(const QMimeData* Data);
    static QString DraggedLibraryFile(const QMimeData* Data);
    // The library a drag came from while it is still open here (null otherwise).
    TLibManager* DraggedLibrary(const QMimeData* Data) const;

    // A tab's caption: the file name without its folder and without everything from its
    // first "." on (the whole file name when that leaves nothing).
    static QString TabCaption(const QString& FileName);

    QTabWidget* PageControl() const { return FPageControl; }
    QMenu* PopupMenu() const { return FPopup; }
    QAction* CloseAction() const { return FCloseAction; }

private:
    struct TOpenLibrary {
        std::unique_ptr<TLibManager> Lib;
        QString CanonicalPath;
        QPointer<QListWidget> View;
    };
    // Builds the icon view of a library.
    QListWidget* CreateListView(TLibManager& Lib, const QString& CanonicalPath);
    int IndexOfView(const QWidget* View) const;
    // The canonical path of a file ("" when it does not exist).
    static QString CanonicalPath(const QString& FileName);
    // The open library whose canonical path is the one given; nullptr when none is.
    TLibManager* OpenLibraryAt(const QString& CanonicalFile) const;

    QTabWidget* FPageControl = nullptr;
    QMenu* FPopup = nullptr;
    QAction* FCloseAction = nullptr;
    std::vector<TOpenLibrary> FLibraries;
};
