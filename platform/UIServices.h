#pragma once
// The one way the component talks to the user: message boxes, confirmations, file
// dialogs, the string-list editor, the colour dialog and cursor confinement. The
// services are replaceable, so a host can restyle them and tests can record the
// messages and answer the questions without any dialog ever blocking.
#include "mycad_export.h"
#include "Color.h"

#include <QFlags>
#include <QMetaType>
#include <QRect>
#include <QString>
#include <QStringList>

class QDialog;
class TFont;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum class TMsgDlgBtn : unsigned {
    mbYes = 0x001,
    mbNo = 0x002,
    mbOK = 0x004,
    mbCancel = 0x008,
    mbAbort = 0x010,
    mbRetry = 0x020,
    mbIgnore = 0x040,
    mbAll = 0x080,
    mbNoToAll = 0x100,
    mbYesToAll = 0x200,
    mbHelp = 0x400,
    mbClose = 0x800,
};
using TMsgDlgButtons = QFlags<TMsgDlgBtn>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

inline constexpr TMsgDlgButtons mbYesNo = TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo;
inline constexpr TMsgDlgButtons mbYesNoCancel = TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo | TMsgDlgBtn::mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = TMsgDlgBtn::mbOK | TMsgDlgBtn::mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = TMsgDlgBtn::mbAbort | TMsgDlgBtn::mbRetry | TMsgDlgBtn::mbIgnore;

// Results of a modal dialog.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;
constexpr int mrClose = 11;

class MYCAD_EXPORT TUIServices {
public:
    virtual ~TUIServices();
    // An information box with one OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // A message box of the given type with the given buttons; returns the mr... result of
    // the button pressed.
    virtual int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
    // File dialogs. fileName holds the initial name and receives the chosen one; filter is
    // in the form "Description|*.ext|Description|*.a;*.b". False when cancelled (fileName
    // is then unchanged).
    virtual bool OpenFileDialog(QString& fileName, const QString& filter, const QString& title) = 0;
    virtual bool SaveFileDialog(QString& fileName, const QString& filter, const QString& title) = 0;
    // The string-list editor: true when closed with OK (lines then hold the edited
    // lines); false leaves lines unchanged.
    virtual bool EditStrings(QStringList& lines, const QString& title) = 0;
    // The colour dialog, starting from color; true and the chosen colour on OK.
    virtual bool ChooseColor(TColor& color) = 0;
    // Confines the mouse cursor to a rectangle in screen coordinates; nullptr releases it.
    virtual void ClipCursor(const QRect* screenRect) = 0;
    // The font dialog, starting from font; true and the chosen font copied into font on
    // OK. The default answers as a cancelled dialog.
    virtual bool ChooseFont(TFont& font);
    // A one-line input box with a caption and a prompt, starting with value; true and the
    // typed text in value on OK, false and value unchanged on Cancel. The default
    // answers as a cancelled box.
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value);
    // Shows one of the program's own modal dialogs (a property editor's window, for
    // example) and returns the mr... result it closed with. The default shows nothing
    // and answers mrCancel.
    virtual int ExecuteDialog(QDialog& dialog);
};

// The current services (by default the real Qt dialogs, see QtUIServices.h).
MYCAD_EXPORT TUIServices& UIServices();
// Replaces the services (not owned; the caller keeps them alive while installed).
// nullptr restores the default.
MYCAD_EXPORT void SetUIServices(TUIServices* services);

// Installs services for the lifetime of a scope and then puts back the ones before.
class MYCAD_EXPORT TScopedUIServices {
public:
    explicit TScopedUIServices(TUIServices& services);
    ~TScopedUIServices();
    TScopedUIServices(const TScopedUIServices&) = delete;
    TScopedUIServices& operator=(const TScopedUIServices&) = delete;

private:
    TUIServices* m_previous;
};

// Shortcuts through the current services.
MYCAD_EXPORT void ShowMessage(const QString& text);
MYCAD_EXPORT int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);

// The answer a message box gives when nobody can answer it: Cancel when offered, else
// No, else OK, else the first button offered (mrCancel when none is).
MYCAD_EXPORT int DefaultMessageResult(TMsgDlgButtons buttons);
// The mr... result of a button.
MYCAD_EXPORT int ModalResultOf(TMsgDlgBtn button);

// Converts a filter in the pipe form "Bitmaps (*.bmp)|*.bmp|All|*.*" to Qt's form
// "Bitmaps (*.bmp);;All (*.*)". Patterns separated by ';' become separated by spaces. A
// description that already ends with its patterns in parentheses is not given them a
// second time; otherwise the patterns are appended in parentheses. A description
// without patterns gets "*".
MYCAD_EXPORT QString ConvertDialogFilter(const QString& pipeFilter);
