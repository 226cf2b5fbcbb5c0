#pragma once
// UI services for tests: every message is recorded (text, type, buttons) and every
// dialog is answered from queued answers, so nothing is ever shown and nothing blocks.
// With nothing queued a message box answers as a cancelled one (Cancel, else No, else
// OK) and every other dialog is cancelled.
//
// Header-only, so any test executable can use it:
//     TRecordingUIServices ui;
//     TScopedUIServices scope(ui);   // installed until the end of the scope
//     ui.QueueMessageResult(mrYes);
//     ... code under test ...
//     EXPECT_EQ(ui.LastMessageText(), "Error!There is no Layer!");
#include "platform/Font.h"
#include "platform/UIServices.h"

#include <QDialog>

#include <QRect>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class TRecordingUIServices : public TUIServices {
public:
    enum class TKind { ShowMessage, MessageDlg };
    struct TMessage {
        TKind Kind = TKind::ShowMessage;
        QString Text;
        TMsgDlgType Type = TMsgDlgType::mtInformation; // mtInformation for ShowMessage
        TMsgDlgButtons Buttons;                        // mbOK for ShowMessage
        int Result = mrOk;                             // what the box answered
    };
    enum class TDialogKind { OpenFile, SaveFile, EditStrings, ChooseColor, ChooseFont, InputQuery, ExecuteDialog };
    struct TDialog {
        TDialogKind Kind = TDialogKind::OpenFile;
        QString Title;           // file dialogs and string editor
        QString Filter;          // file dialogs, in the pipe form as given
        QString FileName;        // file dialogs: the initial name
        QStringList Lines;       // string editor: the lines it was opened with
        TColor Color = clBlack;  // colour dialog: the initial colour
        QString Prompt;          // input box: the prompt (Title holds the caption)
        QString Text;            // input box: the initial text
        QString FontName;        // font dialog: the initial face name and size
        int FontSize = 0;
        bool Accepted = false;   // ExecuteDialog: closed with mrOk
    };

    // --- Answers -------------------------------------------------------------------
    void QueueMessageResult(int result) { m_messageResults.push_back(result); }
    // A file name to choose, or std::nullopt to cancel. Open and save share the queue.
    void QueueFileName(std::optional<QString> name) { m_fileNames.push_back(std::move(name)); }
    void QueueStrings(std::optional<QStringList> lines) { m_strings.push_back(std::move(lines)); }
    void QueueColor(std::optional<TColor> color) { m_colors.push_back(color); }
    // The font dialog: a change to make to the font (OK), or nullptr to cancel.
    void QueueFont(std::function<void(TFont&)> change) { m_fonts.push_back(std::move(change)); }
    // The input box: the text typed (OK), or std::nullopt to cancel.
    void QueueInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    // One of the program's own dialogs: a handler that works the dialog (fills its
    // fields, clicks its buttons, which may open further dialogs) and returns the mr...
    // result it closes with; nullptr answers mrCancel.
    void QueueDialog(std::function<int(QDialog&)> handler) { m_handlers.push_back(std::move(handler)); }

    // --- What happened ---------------------------------------------------------------
    const std::vector<TMessage>& Messages() const { return m_messages; }
    const std::vector<TDialog>& Dialogs() const { return m_dialogs; }
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const TMessage& m : m_messages)
            texts << m.Text;
        return texts;
    }
    QString LastMessageText() const { return m_messages.empty() ? QString() : m_messages.back().Text; }
    // Every ClipCursor call in order: a rectangle, or std::nullopt for a release.
    const std::vector<std::optional<QRect>>& CursorClips() const { return m_clips; }
    // The rectangle the cursor is confined to now, if any.
    std::optional<QRect> CursorClip() const { return m_clips.empty() ? std::nullopt : m_clips.back(); }
    // Answers queued but not used.
    size_t PendingAnswers() const
    {
        return m_messageResults.size() + m_fileNames.size() + m_strings.size() + m_colors.size() + m_fonts.size() +
               m_inputs.size() + m_handlers.size();
    }
    void Clear()
    {
        m_messages.clear();
        m_dialogs.clear();
        m_clips.clear();
        m_messageResults.clear();
        m_fileNames.clear();
        m_strings.clear();
        m_colors.clear();
        m_fonts.clear();
        m_inputs.clear();
        m_handlers.clear();
    }

    // --- TUIServices ---------------------------------------------------------------------
    void ShowMessage(const QString& text) override
    {
        m_messages.push_back({TKind::ShowMessage, text, TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK, mrOk});
    }
    int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) override
    {
        int result = DefaultMessageResult(buttons);
        if (!m_messageResults.empty()) {
            result = m_messageResults.front();
            m_messageResults.pop_front();
        }
        m_messages.push_back({TKind::MessageDlg, text, type, buttons, result});
        return result;
    }
    bool OpenFileDialog(QString& fileName, const QString& filter, const QString& title) override
    {
        return FileDialog(TDialogKind::OpenFile, fileName, filter, title);
    }
    bool SaveFileDialog(QString& fileName, const QString& filter, const QString& title) override
    {
        return FileDialog(TDialogKind::SaveFile, fileName, filter, title);
    }
    bool EditStrings(QStringList& lines, const QString& title) override
    {
        TDialog d;
        d.Kind = TDialogKind::EditStrings;
        d.Title = title;
        d.Lines = lines;
        if (!m_strings.empty()) {
            if (m_strings.front()) {
                lines = *m_strings.front();
                d.Accepted = true;
            }
            m_strings.pop_front();
        }
        m_dialogs.push_back(d);
        return d.Accepted;
    }
    bool ChooseColor(TColor& color) override
    {
        TDialog d;
        d.Kind = TDialogKind::ChooseColor;
        d.Color = color;
        if (!m_colors.empty()) {
            if (m_colors.front()) {
                color = *m_colors.front();
                d.Accepted = true;
            }
            m_colors.pop_front();
        }
        m_dialogs.push_back(d);
        return d.Accepted;
    }
    void ClipCursor(const QRect* screenRect) override
    {
        m_clips.push_back(screenRect ? std::optional<QRect>(*screenRect) : std::nullopt);
    }
    bool ChooseFont(TFont& font) override
    {
        TDialog d;
        d.Kind = TDialogKind::ChooseFont;
        d.FontName = font.Name();
        d.FontSize = font.Size();
        if (!m_fonts.empty()) {
            if (m_fonts.front()) {
                m_fonts.front()(font);
                d.Accepted = true;
            }
            m_fonts.pop_front();
        }
        m_dialogs.push_back(d);
        return d.Accepted;
    }
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override
    {
        TDialog d;
        d.Kind = TDialogKind::InputQuery;
        d.Title = caption;
        d.Prompt = prompt;
        d.Text = value;
        if (!m_inputs.empty()) {
            if (m_inputs.front()) {
                value = *m_inputs.front();
                d.Accepted = true;
            }
            m_inputs.pop_front();
        }
        m_dialogs.push_back(d);
        return d.Accepted;
    }
    int ExecuteDialog(QDialog& dialog) override
    {
        // Recorded first, so nested dialogs follow the one that opened them.
        const size_t index = m_dialogs.size();
        TDialog d;
        d.Kind = TDialogKind::ExecuteDialog;
        d.Title = dialog.windowTitle();
        m_dialogs.push_back(d);
        int result = mrCancel;
        if (!m_handlers.empty()) {
            std::function<int(QDialog&)> handler = std::move(m_handlers.front());
            m_handlers.pop_front();
            if (handler)
                result = handler(dialog);
        }
        m_dialogs[index].Accepted = result == mrOk;
        return result;
    }

private:
    bool FileDialog(TDialogKind kind, QString& fileName, const QString& filter, const QString& title)
    {
        TDialog d;
        d.Kind = kind;
        d.Title = title;
        d.Filter = filter;
        d.FileName = fileName;
        if (!m_fileNames.empty()) {
            if (m_fileNames.front()) {
                fileName = *m_fileNames.front();
                d.Accepted = true;
            }
            m_fileNames.pop_front();
        }
        m_dialogs.push_back(d);
        return d.Accepted;
    }

    std::vector<TMessage> m_messages;
    std::vector<TDialog> m_dialogs;
    std::vector<std::optional<QRect>> m_clips;
    std::deque<int> m_messageResults;
    std::deque<std::optional<QString>> m_fileNames;
    std::deque<std::optional<QStringList>> m_strings;
    std::deque<std::optional<TColor>> m_colors;
    std::deque<std::function<void(TFont&)>> m_fonts;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::function<int(QDialog&)>> m_handlers;
};
