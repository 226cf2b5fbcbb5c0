#pragma once
// The picture editor: "Picture Editor" (TfrmPicture) shows a copy of a picture in a
// preview and lets the user load it from a file, save it, clear it, and keep it (OK) or
// not (Cancel). Pictures are bitmaps, so both file dialogs offer "Bitmaps (*.bmp)".
#include "mycad_export.h"
#include "inspector/PropEdit.h"
#include "platform/Bitmap.h"

#include <QDialog>
#include <QWidget>

class QPushButton;

// Shows a picture centred in the widget, scaled down to fit (keeping its shape) when it
// is larger.
class MYCAD_EXPORT TPicturePreview : public QWidget {
    Q_OBJECT
public:
    explicit TPicturePreview(QWidget* parent = nullptr);
    void SetPicture(const TBitmap* picture);
    // Where a picture of the given size is drawn in an area.
    static QRect PreviewRect(const QSize& picture, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TBitmap* FPicture = nullptr;
};

class MYCAD_EXPORT TfrmPicture : public QDialog {
    Q_OBJECT
public:
    // Works on a copy of the picture. CanClear false disables "&Clear".
    TfrmPicture(const TBitmap& picture, bool canClear, QWidget* parent = nullptr);

    // The edited copy.
    TBitmap& Picture() { return FPicture; }
    // What the file dialogs offer.
    static QString Filter() { return QStringLiteral("Bitmaps (*.bmp)|*.bmp"); }

    // The buttons' actions.
    void Load();
    void Save();
    void Clear();

    TPicturePreview* Preview() const { return FPreview; }
    QPushButton* LoadButton() const { return FLoad; }
    QPushButton* SaveButton() const { return FSave; }
    QPushButton* ClearButton() const { return FClear; }
    QPushButton* OkButton() const { return FOk; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    void PictureChanged();

    TBitmap FPicture;
    bool FCanClear;
    TPicturePreview* FPreview;
    QPushButton* FLoad;
    QPushButton* FSave;
    QPushButton* FClear;
    QPushButton* FOk;
    QPushButton* FCancel;
};

// A picture property (TBitmap): the picture editor on a copy, copied back on OK. The
// picture of an image shape cannot be cleared: the shape takes its size from it.
class MYCAD_EXPORT TPicturePropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool Execute() override;
    // Whether the property may be left without a picture.
    bool CanClear() const;
};
