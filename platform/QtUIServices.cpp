#include "QtUIServices.h"

#include "Font.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QScreen>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

QString CaptionOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warning");
    case TMsgDlgType::mtError: return QStringLiteral("Error");
    case TMsgDlgType::mtInformation: return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Confirm");
    case TMsgDlgType::mtCustom: break;
    }
    return QGuiApplication::applicationDisplayName();
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButtonOf(TMsgDlgBtn b)
{
    switch (b) {
    case TMsgDlgBtn::mbYes: return QMessageBox::Yes;
    case TMsgDlgBtn::mbNo: return QMessageBox::No;
    case TMsgDlgBtn::mbOK: return QMessageBox::Ok;
    case TMsgDlgBtn::mbCancel: return QMessageBox::Cancel;
    case TMsgDlgBtn::mbAbort: return QMessageBox::Abort;
    case TMsgDlgBtn::mbRetry: return QMessageBox::Retry;
    case TMsgDlgBtn::mbIgnore: return QMessageBox::Ignore;
    case TMsgDlgBtn::mbAll: return QMessageBox::YesToAll;
    case TMsgDlgBtn::mbNoToAll: return QMessageBox::NoToAll;
    case TMsgDlgBtn::mbYesToAll: return QMessageBox::YesToAll;
    case TMsgDlgBtn::mbHelp: return QMessageBox::Help;
    case TMsgDlgBtn::mbClose: return QMessageBox::Close;
    }
    return QMessageBox::NoButton;
}

// Keeps the cursor inside a rectangle by moving it back on every mouse move outside.
class TCursorClipFilter : public QObject {
public:
    explicit TCursorClipFilter(const std::optional<QRect>& clip) : m_clip(clip) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove && m_clip && m_clip->isValid()) {
            const QPoint p = QCursor::pos();
            const QPoint q(std::clamp(p.x(), m_clip->left(), m_clip->right()),
                           std::clamp(p.y(), m_clip->top(), m_clip->bottom()));
            if (q != p)
                QCursor::setPos(q);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const std::optional<QRect>& m_clip;
};

} // namespace

TQtUIServices::TQtUIServices() = default;
TQtUIServices::~TQtUIServices() = default;

bool TQtUIServices::CanShowDialogs()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void TQtUIServices::ShowMessage(const QString& text)
{
    if (!CanShowDialogs())
        return;
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.exec();
}

int TQtUIServices::MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    if (!CanShowDialogs())
        return DefaultMessageResult(buttons);
    QMessageBox box(IconOf(type), CaptionOf(type), text);
    QHash<QAbstractButton*, int> results;
    for (unsigned bit = 1; bit <= unsigned(TMsgDlgBtn::mbClose); bit <<= 1) {
        const auto b = TMsgDlgBtn(bit);
        if (!buttons.testFlag(b))
            continue;
        QAbstractButton* button = nullptr;
        if (b == TMsgDlgBtn::mbAll) // no standard "All" button in Qt
            button = box.addButton(QStringLiteral("&All"), QMessageBox::AcceptRole);
        else
            button = box.addButton(QtButtonOf(b));
        results.insert(button, ModalResultOf(b));
    }
    if (results.isEmpty())
        results.insert(box.addButton(QMessageBox::Ok), mrOk);
    box.exec();
    return results.value(box.clickedButton(), mrCancel);
}

bool TQtUIServices::OpenFileDialog(QString& fileName, const QString& filter, const QString& title)
{
    if (!CanShowDialogs())
        return false;
    const QString chosen = QFileDialog::getOpenFileName(nullptr, title, fileName, ConvertDialogFilter(filter));
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

bool TQtUIServices::SaveFileDialog(QString& fileName, const QString& filter, const QString& title)
{
    if (!CanShowDialogs())
        return false;
    const QString chosen = QFileDialog::getSaveFileName(nullptr, title, fileName, ConvertDialogFilter(filter));
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

bool TQtUIServices::EditStrings(QStringList& lines, const QString& title)
{
    if (!CanShowDialogs())
        return false;
    TStringListEditor dialog;
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.SetStrings(lines);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    lines = dialog.GetStrings();
    return true;
}

bool TQtUIServices::ChooseColor(TColor& color)
{
    if (!CanShowDialogs())
        return false;
    const QColor chosen = QColorDialog::getColor(ToQColor(color));
    if (!chosen.isValid())
        return false;
    color = FromQColor(chosen);
    return true;
}

bool TQtUIServices::ChooseFont(TFont& font)
{
    if (!CanShowDialogs())
        return false;
    QFont initial(font.Name());
    initial.setPointSize(std::max(1, font.Size()));
    const TFontStyles style = font.Style();
    initial.setBold(style.testFlag(fsBold));
    initial.setItalic(style.testFlag(fsItalic));
    initial.setUnderline(style.testFlag(fsUnderline));
    initial.setStrikeOut(style.testFlag(fsStrikeOut));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial);
    if (!ok)
        return false;
    font.SetName(chosen.family());
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    else if (chosen.pixelSize() > 0)
        font.SetHeight(-chosen.pixelSize());
    TFontStyles styles;
    styles.setFlag(fsBold, chosen.bold());
    styles.setFlag(fsItalic, chosen.italic());
    styles.setFlag(fsUnderline, chosen.underline());
    styles.setFlag(fsStrikeOut, chosen.strikeOut());
    font.SetStyle(styles);
    return true;
}

bool TQtUIServices::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    if (!CanShowDialogs())
        return false;
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok)
        return false;
    value = text;
    return true;
}

int TQtUIServices::ExecuteDialog(QDialog& dialog)
{
    if (!CanShowDialogs())
        return mrCancel;
    const int result = dialog.exec();
    if (result == QDialog::Accepted)
        return mrOk;
    return result == QDialog::Rejected ? mrCancel : result;
}

void TQtUIServices::ClipCursor(const QRect* screenRect)
{
    if (screenRect)
        m_clip = *screenRect;
    else
        m_clip.reset();
    QCoreApplication* app = QCoreApplication::instance();
    if (m_clip && !m_clipFilter && app) {
        m_clipFilter = std::make_unique<TCursorClipFilter>(m_clip);
        app->installEventFilter(m_clipFilter.get());
    } else if (!m_clip && m_clipFilter) {
        m_clipFilter.reset(); // a destroyed filter removes itself from the application
    }
}

// --- String list editor ----------------------------------------------------------------

TStringListEditor::TStringListEditor(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("String List Editor"));
    setFixedSize(413, 261);
    m_editor = new QPlainTextEdit(this);
    m_editor->setGeometry(10, 10, 393, 193);
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_count = new QLabel(QStringLiteral("0 lines"), this);
    m_count->setGeometry(10, 207, 200, 16);
    m_clear = new QPushButton(QStringLiteral("&Clear"), this);
    m_clear->setGeometry(10, 228, 75, 25);
    m_clear->setAutoDefault(false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(247, 228, 75, 25);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setGeometry(328, 228, 75, 25);
    m_cancel->setAutoDefault(false);
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] { UpdateCount(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { Clear(); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TStringListEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen, whatever window opened it.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TStringListEditor::SetStrings(const QStringList& lines)
{
    // An empty last line needs a line break of its own to survive GetStrings.
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        text += QLatin1Char('\n');
    m_editor->setPlainText(text);
    UpdateCount();
}

QStringList TStringListEditor::GetStrings() const
{
    const QString text = m_editor->toPlainText();
    if (text.isEmpty())
        return QStringList();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TStringListEditor::Clear()
{
    m_editor->clear();
    UpdateCount();
}

void TStringListEditor::UpdateCount()
{
    const qsizetype n = GetStrings().size();
    m_count->setText(QStringLiteral("%1 line%2").arg(n).arg(n == 1 ? QString() : QStringLiteral("s")));
}
