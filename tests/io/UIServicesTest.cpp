// The replaceable UI services: the recorder tests use, the default answers, the
// filter conversion, and the Qt services that never block where nobody can answer.
#include "platform/QtUIServices.h"
#include "platform/UIServices.h"
#include "support/RecordingUIServices.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(UIServices, TheRecorderCapturesMessagesWithTypeAndButtons)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    ShowMessage(QStringLiteral("Error!There is no Layer!"));
    EXPECT_EQ(MessageDlg(QStringLiteral("Save changes?"), TMsgDlgType::mtConfirmation, mbYesNoCancel), mrCancel);
    EXPECT_EQ(MessageDlg(QStringLiteral("Replace?"), TMsgDlgType::mtWarning, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("Done"), TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK), mrOk);

    ASSERT_EQ(ui.Messages().size(), 4u);
    EXPECT_EQ(ui.MessageTexts(), QStringList({"Error!There is no Layer!", "Save changes?", "Replace?", "Done"}));
    EXPECT_EQ(ui.Messages()[0].Kind, TRecordingUIServices::TKind::ShowMessage);
    EXPECT_EQ(ui.Messages()[1].Kind, TRecordingUIServices::TKind::MessageDlg);
    EXPECT_EQ(ui.Messages()[1].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(ui.Messages()[1].Buttons, mbYesNoCancel);
    EXPECT_EQ(ui.Messages()[2].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(ui.Messages()[2].Result, mrNo);
    EXPECT_EQ(ui.LastMessageText(), QStringLiteral("Done"));
}

TEST(UIServices, QueuedAnswersAreUsedInOrder)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    ui.QueueMessageResult(mrYes);
    ui.QueueMessageResult(mrNo);
    EXPECT_EQ(MessageDlg("1", TMsgDlgType::mtConfirmation, mbYesNo), mrYes);
    EXPECT_EQ(MessageDlg("2", TMsgDlgType::mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg("3", TMsgDlgType::mtConfirmation, mbYesNo), mrNo); // queue empty: default

    ui.QueueFileName(QStringLiteral("/tmp/a.zeda"));
    ui.QueueFileName(std::nullopt);
    QString name = QStringLiteral("start.zeda");
    EXPECT_TRUE(UIServices().OpenFileDialog(name, "Drawings|*.zeda", "Open"));
    EXPECT_EQ(name, QStringLiteral("/tmp/a.zeda"));
    EXPECT_FALSE(UIServices().SaveFileDialog(name, "Drawings|*.zeda", "Save as"));
    EXPECT_EQ(name, QStringLiteral("/tmp/a.zeda")); // cancelled: unchanged
    EXPECT_FALSE(UIServices().OpenFileDialog(name, "", "Again")); // nothing queued: cancelled

    QStringList lines{"old"};
    EXPECT_FALSE(UIServices().EditStrings(lines, "Text"));
    ui.QueueStrings(QStringList{"one", "two"});
    EXPECT_TRUE(UIServices().EditStrings(lines, "Text"));
    EXPECT_EQ(lines, QStringList({"one", "two"}));

    TColor color = clRed;
    ui.QueueColor(clBlue);
    EXPECT_TRUE(UIServices().ChooseColor(color));
    EXPECT_EQ(color, clBlue);
    EXPECT_FALSE(UIServices().ChooseColor(color));
    EXPECT_EQ(color, clBlue);

    const auto& d = ui.Dialogs();
    ASSERT_EQ(d.size(), 7u);
    EXPECT_EQ(d[0].Kind, TRecordingUIServices::TDialogKind::OpenFile);
    EXPECT_EQ(d[0].FileName, QStringLiteral("start.zeda"));
    EXPECT_EQ(d[0].Filter, QStringLiteral("Drawings|*.zeda"));
    EXPECT_TRUE(d[0].Accepted);
    EXPECT_EQ(d[1].Kind, TRecordingUIServices::TDialogKind::SaveFile);
    EXPECT_EQ(d[1].Title, QStringLiteral("Save as"));
    EXPECT_FALSE(d[1].Accepted);
    EXPECT_EQ(d[4].Lines, QStringList({"old"}));
    EXPECT_EQ(d[5].Color, clRed);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(UIServices, ScopesNestAndRestoreTheDefault)
{
    TUIServices* const defaults = &UIServices();
    TRecordingUIServices outer, inner;
    {
        TScopedUIServices a(outer);
        {
            TScopedUIServices b(inner);
            ShowMessage("inner");
        }
        ShowMessage("outer");
    }
    EXPECT_EQ(&UIServices(), defaults);
    EXPECT_EQ(inner.MessageTexts(), QStringList{"inner"});
    EXPECT_EQ(outer.MessageTexts(), QStringList{"outer"});
    SetUIServices(&outer);
    EXPECT_EQ(&UIServices(), &outer);
    SetUIServices(nullptr);
    EXPECT_NE(dynamic_cast<TQtUIServices*>(&UIServices()), nullptr);
    SetUIServices(defaults); // the services the test main installed
}

TEST(UIServices, CursorClipsAreRecorded)
{
    TRecordingUIServices ui;
    const QRect r(10, 20, 300, 200);
    ui.ClipCursor(&r);
    EXPECT_EQ(ui.CursorClip(), r);
    ui.ClipCursor(nullptr);
    EXPECT_FALSE(ui.CursorClip().has_value());
    ASSERT_EQ(ui.CursorClips().size(), 2u);
    EXPECT_EQ(ui.CursorClips()[0], r);
}

TEST(UIServices, DefaultAnswersAreThoseOfACancelledBox)
{
    EXPECT_EQ(DefaultMessageResult(mbYesNoCancel), mrCancel);
    EXPECT_EQ(DefaultMessageResult(mbYesNo), mrNo);
    EXPECT_EQ(DefaultMessageResult(TMsgDlgBtn::mbOK), mrOk);
    EXPECT_EQ(DefaultMessageResult(mbAbortRetryIgnore), mrAbort);
    EXPECT_EQ(DefaultMessageResult(TMsgDlgBtn::mbHelp | TMsgDlgBtn::mbRetry), mrRetry);
    EXPECT_EQ(DefaultMessageResult(TMsgDlgButtons()), mrCancel);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbYesToAll), mrYesToAll);
}

TEST(UIServices, PipeFiltersBecomeQtFilters)
{
    EXPECT_EQ(ConvertDialogFilter("Drawing files|*.zeda"), QStringLiteral("Drawing files (*.zeda)"));
    EXPECT_EQ(ConvertDialogFilter("Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*"),
              QStringLiteral("Bitmaps (*.bmp);;All files (*.*)"));
    EXPECT_EQ(ConvertDialogFilter("Pictures|*.bmp;*.jpg;*.jpeg|Metafiles (*.emf;*.wmf)|*.emf;*.wmf"),
              QStringLiteral("Pictures (*.bmp *.jpg *.jpeg);;Metafiles (*.emf *.wmf)"));
    EXPECT_EQ(ConvertDialogFilter("DXF|*.dxf|"), QStringLiteral("DXF (*.dxf)"));
    EXPECT_EQ(ConvertDialogFilter("Anything"), QStringLiteral("Anything (*)"));
    EXPECT_EQ(ConvertDialogFilter("|*.txt"), QStringLiteral("*.txt (*.txt)"));
    EXPECT_EQ(ConvertDialogFilter(""), QString());
}

TEST(UIServices, QtServicesNeverBlockWithoutADisplay)
{
    ASSERT_FALSE(TQtUIServices::CanShowDialogs()); // the tests run offscreen
    TQtUIServices qt;
    qt.ShowMessage("nobody sees this");
    EXPECT_EQ(qt.MessageDlg("Save?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrCancel);
    EXPECT_EQ(qt.MessageDlg("Sure?", TMsgDlgType::mtConfirmation, mbYesNo), mrNo);
    QString name = "keep";
    EXPECT_FALSE(qt.OpenFileDialog(name, "All|*.*", "Open"));
    EXPECT_FALSE(qt.SaveFileDialog(name, "All|*.*", "Save"));
    EXPECT_EQ(name, QStringLiteral("keep"));
    QStringList lines{"a"};
    EXPECT_FALSE(qt.EditStrings(lines, "Lines"));
    EXPECT_EQ(lines, QStringList{"a"});
    TColor color = clLime;
    EXPECT_FALSE(qt.ChooseColor(color));
    EXPECT_EQ(color, clLime);
    const QRect r(0, 0, 50, 50);
    qt.ClipCursor(&r);
    EXPECT_EQ(qt.CursorClip(), r);
    qt.ClipCursor(nullptr);
    EXPECT_FALSE(qt.CursorClip().has_value());
}

TEST(StringListEditor, LayoutLineCountLabelAndClear)
{
    TStringListEditor dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("String List Editor"));
    EXPECT_EQ(dialog.size(), QSize(413, 261));
    EXPECT_EQ(dialog.Editor()->size(), QSize(393, 193));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("0 lines"));
    EXPECT_EQ(dialog.ClearButton()->text(), QStringLiteral("&Clear"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());

    dialog.SetStrings({"only"});
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("1 line"));
    dialog.SetStrings({"a", "b"});
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("2 lines"));
    dialog.Editor()->appendPlainText("c"); // typing updates the count
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("3 lines"));
    EXPECT_EQ(dialog.GetStrings(), QStringList({"a", "b", "c"}));

    dialog.SetStrings({"x", ""}); // an empty last line survives
    EXPECT_EQ(dialog.GetStrings(), QStringList({"x", ""}));
    dialog.SetStrings({""});
    EXPECT_EQ(dialog.GetStrings(), QStringList({""}));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("1 line"));

    dialog.ClearButton()->click();
    EXPECT_TRUE(dialog.GetStrings().isEmpty());
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("0 lines"));
}

TEST(StringListEditor, OkAcceptsAndCancelRejects)
{
    TStringListEditor dialog;
    dialog.SetStrings({"a"});
    dialog.open();
    dialog.ClearButton()->click();
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.open();
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
