#pragma once
// The UI services with real Qt dialogs: what the demonstration application shows.
// Where no dialog can be answered (no QApplication, or Qt's "offscreen" and "minimal"
// platforms used by tests and batch runs) nothing is shown and every question gets the
// answer of a cancelled dialog, so nothing ever waits for a user who is not there.
#include "mycad_export.h"
#include "UIServices.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QObject;
class QPlainTextEdit;
class QPushButton;

class MYCAD_EXPORT TQtUIServices : public TUIServices {
public:
    TQtUIServices();
    ~TQtUIServices() override;

    void ShowMessage(const QString& text) override;
    int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    bool OpenFileDialog(QString& fileName, const QString& filter, const QString& title) override;
    bool SaveFileDialog(QString& fileName, const QString& filter, const QString& title) override;
    bool EditStrings(QStringList& lines, const QString& title) override;
    bool ChooseColor(TColor& color) override;
    // QFontDialog with the font's face, size and style; the colour stays.
    bool ChooseFont(TFont& font) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    // Runs the dialog modally: mrOk when accepted, mrCancel when rejected, otherwise the
    // code it was closed with.
    int ExecuteDialog(QDialog& dialog) override;
    // Qt cannot confine the cursor itself: while a rectangle is set, every mouse move
    // outside it puts the cursor back on the nearest point inside it.
    void ClipCursor(const QRect* screenRect) override;

    // The rectangle the cursor is confined to, if any.
    std::optional<QRect> CursorClip() const { return m_clip; }
    // True when modal dialogs can be shown and answered here.
    static bool CanShowDialogs();

private:
    std::optional<QRect> m_clip;
    std::unique_ptr<QObject> m_clipFilter;
};

// The modal string-list editor: a multi-line text box, a label with the line count
// ("0 lines", "1 line", "2 lines"...), and the buttons "&Clear", "OK" and "Cancel".
// Client area 413 x 261 pixels, not resizable, centred on the screen, caption "String
// List Editor".
class MYCAD_EXPORT TStringListEditor : public QDialog {
public:
    explicit TStringListEditor(QWidget* parent = nullptr);

    void SetStrings(const QStringList& lines);
    // The lines of the text box; a line break at the very end does not start a new line.
    QStringList GetStrings() const;
    // Empties the text box (what "&Clear" does).
    void Clear();

    QPlainTextEdit* Editor() const { return m_editor; }
    QLabel* CountLabel() const { return m_count; }
    QPushButton* ClearButton() const { return m_clear; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateCount();

    QPlainTextEdit* m_editor;
    QLabel* m_count;
    QPushButton* m_clear;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
