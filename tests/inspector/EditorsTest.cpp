// The property editors, answered through the UI services: colour, font, string list,
// the picture editor (load, save, clear, the preview's fit) and the key and value
// editor of user data (add, insert, edit, delete, refusals).
#include "InspectorTestSupport.h"

#include "inspector/PicsEdit.h"
#include "inspector/USREdit.h"
#include "inspector/USRKeyAdd.h"
#include "platform/QtUIServices.h"
#include "support/RecordingUIServices.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using TKind = TRecordingUIServices::TDialogKind;

struct TEditorsFixture : ::testing::Test {
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    TInspectedDrawing d;
    std::unique_ptr<TPropertyList> rect;
    std::unique_ptr<TPropertyList> cad;
    QTemporaryDir dir;

    void SetUp() override
    {
        rect = std::make_unique<TPropertyList>(nullptr, d.Cad.get(), d.Rect);
        rect->Update();
        cad = std::make_unique<TPropertyList>(nullptr, d.Cad.get(), d.Cad.get());
        cad->Update();
    }
    bool Run(TPropertyList& list, const QString& fullName)
    {
        TProperty* p = list.FindFullName(fullName);
        const TPropertyEditorClass editorClass = EditorClassOf(p);
        return editorClass && editorClass(p)->Execute();
    }
    QString WriteBmp(const QString& name, int w, int h)
    {
        TBitmap b(w, h);
        b.Canvas().Brush().SetColor(clRed);
        b.Canvas().FillRect(TRect(0, 0, w, h));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(b.SaveToFile(path));
        return path;
    }
};

TUserKeyFrm& KeyForm(QDialog& dialog)
{
    return dynamic_cast<TUserKeyFrm&>(dialog);
}

// Answers the next "Add key and value" with the texts.
std::function<int(QDialog&)> KeyValue(const QString& key, const QString& value, QStringList* seen = nullptr)
{
    return [key, value, seen](QDialog& dialog) {
        auto& form = dynamic_cast<TUserKeyAddFrm&>(dialog);
        if (seen)
            *seen << form.KeyEdit()->text() << form.ValueEdit()->text();
        form.KeyEdit()->setText(key);
        form.ValueEdit()->setText(value);
        form.OkButton()->click();
        return form.result();
    };
}

} // namespace

TEST_F(TEditorsFixture, EditorClassesByKind)
{
    EXPECT_TRUE(EditorClassOf(rect->FindFullName("Pen.Color")));
    EXPECT_TRUE(EditorClassOf(rect->FindFullName("Font")));
    EXPECT_TRUE(EditorClassOf(rect->FindFullName("MultiInfo")));
    EXPECT_TRUE(EditorClassOf(rect->FindFullName("UserData")));
    EXPECT_TRUE(EditorClassOf(cad->FindFullName("BkBitmap")));
    EXPECT_FALSE(EditorClassOf(rect->FindFullName("Pen")));
    EXPECT_FALSE(EditorClassOf(rect->FindFullName("Tag")));
}

TEST_F(TEditorsFixture, ColourFontAndStrings)
{
    ui.QueueColor(std::nullopt);
    EXPECT_FALSE(Run(*rect, "Brush.Color"));
    EXPECT_EQ(d.Rect->Brush()->Color(), clWhite);
    ui.QueueColor(clNavy);
    EXPECT_TRUE(Run(*rect, "Brush.Color"));
    EXPECT_EQ(d.Rect->Brush()->Color(), clNavy);

    ui.QueueFont([](TFont& f) {
        f.SetName("DejaVu Sans Mono");
        f.SetSize(14);
        f.SetStyle(fsBold);
    });
    EXPECT_TRUE(Run(*rect, "Font"));
    EXPECT_EQ(ui.Dialogs().back().FontName, "DejaVu Sans");
    EXPECT_EQ(ui.Dialogs().back().FontSize, 8);
    EXPECT_EQ(d.Rect->Font()->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(d.Rect->Font()->Size(), 14);
    EXPECT_EQ(d.Rect->Font()->Style(), TFontStyles(fsBold));
    ui.QueueFont(nullptr);
    EXPECT_FALSE(Run(*rect, "Font"));
    EXPECT_EQ(d.Rect->Font()->Size(), 14);

    d.Rect->SetMultiInfo({"old"});
    ui.QueueStrings(std::nullopt);
    EXPECT_FALSE(Run(*rect, "MultiInfo"));
    EXPECT_EQ(ui.Dialogs().back().Lines, QStringList{"old"});
    EXPECT_EQ(d.Rect->MultiInfo(), QStringList{"old"});
    ui.QueueStrings(QStringList{"a", "b"});
    EXPECT_TRUE(Run(*rect, "MultiInfo"));
    EXPECT_EQ(d.Rect->MultiInfo(), (QStringList{"a", "b"}));
}

TEST_F(TEditorsFixture, PicturePreviewKeepsTheShapeInBothDirections)
{
    const QRect area(0, 0, 100, 50);
    EXPECT_EQ(TPicturePreview::PreviewRect(QSize(20, 10), area), QRect(40, 20, 20, 10)); // centred, not scaled
    EXPECT_EQ(TPicturePreview::PreviewRect(QSize(400, 100), area), QRect(0, 12, 100, 25));
    EXPECT_EQ(TPicturePreview::PreviewRect(QSize(100, 200), area), QRect(37, 0, 25, 50));
    // Wider than tall, yet it is the height that limits: fitting the width would not do.
    EXPECT_EQ(TPicturePreview::PreviewRect(QSize(300, 200), area), QRect(12, 0, 75, 50));
    EXPECT_EQ(TPicturePreview::PreviewRect(QSize(), area), QRect());
}

TEST_F(TEditorsFixture, PictureEditorLoadsSavesAndClears)
{
    const QString bmp = WriteBmp("in.bmp", 30, 20);
    ui.QueueDialog([](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmPicture&>(dialog);
        EXPECT_EQ(form.windowTitle(), "Picture Editor");
        EXPECT_FALSE(form.SaveButton()->isEnabled()); // nothing to save yet
        form.LoadButton()->click();
        EXPECT_EQ(form.Picture().Width(), 30);
        EXPECT_TRUE(form.SaveButton()->isEnabled());
        form.OkButton()->click();
        return form.result();
    });
    ui.QueueFileName(bmp);
    EXPECT_TRUE(Run(*cad, "BkBitmap"));
    EXPECT_EQ(d.Cad->BkBitmap()->Width(), 30);
    EXPECT_EQ(d.Cad->BkBitmap()->Height(), 20);
    const auto& dialogs = ui.Dialogs();
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[dialogs.size() - 2].Kind, TKind::ExecuteDialog);
    EXPECT_EQ(dialogs.back().Kind, TKind::OpenFile);
    EXPECT_EQ(dialogs.back().Filter, "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(cad->FindProperty("BkBitmap")->DisplayValue(), "(TBitmap)");

    // A file that is no bitmap: a message, the picture stays; Save writes the copy.
    QFile junk(dir.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap at all");
    junk.close();
    const QString saved = dir.filePath("out.bmp");
    ui.QueueDialog([](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmPicture&>(dialog);
        form.Load();
        form.Save();
        return int(mrCancel);
    });
    ui.QueueFileName(junk.fileName());
    ui.QueueFileName(saved);
    EXPECT_FALSE(Run(*cad, "BkBitmap"));
    EXPECT_FALSE(ui.LastMessageText().isEmpty());
    TBitmap reread;
    ASSERT_TRUE(reread.LoadFromFile(saved));
    EXPECT_EQ(reread.Width(), 30);

    // Clear and OK empties the background.
    ui.QueueDialog([](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmPicture&>(dialog);
        EXPECT_TRUE(form.ClearButton()->isEnabled());
        form.ClearButton()->click();
        return int(mrOk);
    });
    EXPECT_TRUE(Run(*cad, "BkBitmap"));
    EXPECT_TRUE(d.Cad->BkBitmap()->Empty());
}

TEST_F(TEditorsFixture, TheImageOfAnImageShapeCannotBeCleared)
{
    TBitmap picture(40, 30);
    const int id = d.Cad->AddImageShapeByCode("I1", TPoint(10, 10), &picture);
    TMyShape* image = d.Cad->GetShapeByID(id);
    ASSERT_NE(image, nullptr);
    TPropertyList list(nullptr, d.Cad.get(), image);
    list.Update();
    ui.QueueDialog([](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmPicture&>(dialog);
        EXPECT_FALSE(form.ClearButton()->isEnabled());
        form.Clear();
        EXPECT_FALSE(form.Picture().Empty());
        return int(mrOk);
    });
    EXPECT_FALSE(Run(list, "Bitmap"));
    EXPECT_EQ(list.FindProperty("Bitmap")->BitmapValue()->Width(), 40);
}

TEST_F(TEditorsFixture, KeyAndValueEditorAddsInsertsEditsAndDeletes)
{
    d.Rect->UserData()->AddKeyandValue("a", "1");
    d.Rect->UserData()->AddKeyandValue("b", "2");
    QStringList prefilled;
    ui.QueueDialog([&](QDialog& dialog) {
        TUserKeyFrm& form = KeyForm(dialog);
        EXPECT_EQ(form.windowTitle(), "Key and Value Editor");
        EXPECT_EQ(form.List()->headerItem()->text(0), "Key");
        EXPECT_EQ(form.List()->headerItem()->text(1), "Value");
        EXPECT_EQ(form.RowCount(), 2);
        EXPECT_EQ(form.ValueOf(1), "2");
        form.AddButton()->click();    // " c " / " 3 " trimmed, appended
        form.SelectRow(0);
        form.InsertButton()->click(); // before "a"
        form.SelectRow(2);
        form.EditButton()->click();   // "b" -> "B" = "20"
        form.SelectRow(0);
        form.DeleteButton()->click();
        form.OkButton()->click();
        return form.result();
    });
    ui.QueueDialog(KeyValue(" c ", " 3 "));
    ui.QueueDialog(KeyValue("z", "0"));
    ui.QueueDialog(KeyValue("B", "20", &prefilled));
    EXPECT_TRUE(Run(*rect, "UserData"));
    EXPECT_EQ(prefilled, (QStringList{"b", "2"}));
    const TArrUserDataRecord expected{{"a", "1"}, {"B", "20"}, {"c", "3"}};
    EXPECT_EQ(d.Rect->UserData()->Records(), expected);
    EXPECT_EQ(ui.Dialogs()[1].Title, "Add key and value");
}

TEST_F(TEditorsFixture, KeyAndValueEditorRefusals)
{
    d.Rect->UserData()->AddKeyandValue("a", "1");
    ui.QueueDialog([&](QDialog& dialog) {
        TUserKeyFrm& form = KeyForm(dialog);
        form.List()->clearSelection();
        for (QPushButton* b : {form.InsertButton(), form.EditButton(), form.DeleteButton()})
            b->click();
        EXPECT_EQ(ui.MessageTexts(), QStringList(3, "Please select the Key/Value first."));
        form.AddButton()->click(); // a key that is there already
        form.AddButton()->click(); // an empty key
        form.AddButton()->click(); // cancelled
        EXPECT_EQ(form.RowCount(), 1);
        EXPECT_EQ(ui.MessageTexts().mid(3), (QStringList{"The key \"a\" is already in the list.", "The key must not be empty."}));
        return int(mrOk);
    });
    ui.QueueDialog(KeyValue("a", "again"));
    ui.QueueDialog(KeyValue("   ", "x"));
    ui.QueueDialog(nullptr);
    EXPECT_FALSE(Run(*rect, "UserData")); // nothing changed
    EXPECT_EQ(d.Rect->UserData()->GetCount(), 1);
    // Cancel keeps the records; OK with an empty list clears them all.
    ui.QueueDialog([](QDialog& dialog) {
        KeyForm(dialog).SelectRow(0);
        KeyForm(dialog).Delete();
        return int(mrCancel);
    });
    EXPECT_FALSE(Run(*rect, "UserData"));
    EXPECT_EQ(d.Rect->UserData()->GetCount(), 1);
    ui.QueueDialog([](QDialog& dialog) {
        KeyForm(dialog).SelectRow(0);
        KeyForm(dialog).Delete();
        return int(mrOk);
    });
    EXPECT_TRUE(Run(*rect, "UserData"));
    EXPECT_EQ(d.Rect->UserData()->GetCount(), 0);
}

TEST(UIServicesForEditors, InputBoxCancelChangesNothing)
{
    TRecordingUIServices ui;
    QString value = "before";
    ui.QueueInput(std::nullopt);
    EXPECT_FALSE(ui.InputQuery("Shape1", "Inspector", value));
    EXPECT_EQ(value, "before");
    ui.QueueInput(QString("after"));
    EXPECT_TRUE(ui.InputQuery("Shape1", "Inspector", value));
    EXPECT_EQ(value, "after");
    EXPECT_EQ(ui.Dialogs().front().Title, "Shape1");
    EXPECT_EQ(ui.Dialogs().front().Prompt, "Inspector");
    EXPECT_EQ(ui.Dialogs().front().Text, "before");
    // Where nobody can answer, the Qt services answer as a cancelled dialog.
    TQtUIServices qt;
    EXPECT_FALSE(qt.InputQuery("c", "p", value));
    EXPECT_EQ(value, "after");
    TFont font;
    EXPECT_FALSE(qt.ChooseFont(font));
    TUserKeyAddFrm form;
    EXPECT_EQ(qt.ExecuteDialog(form), mrCancel);
}

TEST(UIServicesForEditors, StringListEditorIsCentredOnTheScreen)
{
    TStringListEditor dialog;
    dialog.show();
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(dialog.frameGeometry().center().y() - screen.center().y()), 1);
    dialog.hide();
}
