#include "inspector/PicsEdit.h"

#include "component/shapes/MyImage.h"
#include "inspector/PropList.h"
#include "platform/UIServices.h"

#include <QPainter>
#include <QPushButton>

#include <cmath>

// ---- Preview --------------------------------------------------------------------------

TPicturePreview::TPicturePreview(QWidget* parent) : QWidget(parent)
{
}

void TPicturePreview::SetPicture(const TBitmap* picture)
{
    FPicture = picture;
    update();
}

QRect TPicturePreview::PreviewRect(const QSize& picture, const QRect& area)
{
    if (picture.isEmpty() || area.isEmpty())
        return QRect();
    QSize size = picture;
    if (picture.width() > area.width() || picture.height() > area.height()) {
        // The smaller of the two scales, so the picture fits in both directions.
        const double scale = std::min(double(area.width()) / picture.width(), double(area.height()) / picture.height());
        size = QSize(std::max(1, int(std::lround(picture.width() * scale))), std::max(1, int(std::lround(picture.height() * scale))));
        size = size.boundedTo(area.size());
    }
    return QRect(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

void TPicturePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clWindow));
    p.setPen(ToQColor(clBtnShadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!FPicture || FPicture->Empty())
        return;
    const QRect area = rect().adjusted(2, 2, -2, -2);
    const QRect target = PreviewRect(QSize(FPicture->Width(), FPicture->Height()), area);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, FPicture->Image());
}

// ---- Dialog ---------------------------------------------------------------------------

TfrmPicture::TfrmPicture(const TBitmap& picture, bool canClear, QWidget* parent) : QDialog(parent), FCanClear(canClear)
{
    setWindowTitle(QStringLiteral("Picture Editor"));
    setFixedSize(400, 300);
    FPicture.Assign(picture);
    FPreview = new TPicturePreview(this);
    FPreview->setGeometry(8, 8, 296, 284);
    const auto button = [this](const QString& text, int y) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(314, y, 78, 25);
        b->setAutoDefault(false);
        return b;
    };
    FLoad = button(QStringLiteral("&Load..."), 8);
    FSave = button(QStringLiteral("&Save..."), 39);
    FClear = button(QStringLiteral("&Clear"), 70);
    FOk = button(QStringLiteral("OK"), 236);
    FCancel = button(QStringLiteral("Cancel"), 267);
    FOk->setDefault(true);
    connect(FLoad, &QPushButton::clicked, this, [this] { Load(); });
    connect(FSave, &QPushButton::clicked, this, [this] { Save(); });
    connect(FClear, &QPushButton::clicked, this, [this] { Clear(); });
    connect(FOk, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(FCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    PictureChanged();
}

void TfrmPicture::PictureChanged()
{
    FPreview->SetPicture(&FPicture);
    FSave->setEnabled(!FPicture.Empty());
    FClear->setEnabled(FCanClear && !FPicture.Empty());
}

void TfrmPicture::Load()
{
    QString fileName;
    if (!UIServices().OpenFileDialog(fileName, Filter(), QStringLiteral("Load picture")))
        return;
    TBitmap loaded;
    QString error;
    if (!loaded.LoadFromFile(fileName, &error)) {
        ShowMessage(error.isEmpty() ? QStringLiteral("The picture could not be loaded.") : error);
        return;
    }
    FPicture.Assign(loaded);
    PictureChanged();
}

void TfrmPicture::Save()
{
    if (FPicture.Empty())
        return;
    QString fileName;
    if (!UIServices().SaveFileDialog(fileName, Filter(), QStringLiteral("Save picture")))
        return;
    if (!FPicture.SaveToFile(fileName))
        ShowMessage(QStringLiteral("The picture could not be saved."));
}

void TfrmPicture::Clear()
{
    if (!FCanClear)
        return;
    FPicture.Assign(TBitmap());
    PictureChanged();
}

// ---- Editor ---------------------------------------------------------------------------

bool TPicturePropertyEditor::CanClear() const
{
    return !(FProp && !FProp->Parent() && qobject_cast<TMyImage*>(FProp->Instance()));
}

bool TPicturePropertyEditor::Execute()
{
    if (!FProp || !FProp->Alive() || !FProp->Writable())
        return false;
    TBitmap* current = FProp->BitmapValue();
    TBitmap original;
    if (current)
        original.Assign(*current);
    TfrmPicture dialog(original, CanClear());
    if (UIServices().ExecuteDialog(dialog) != mrOk)
        return false;
    TBitmap& edited = dialog.Picture();
    if (edited.Empty() && !CanClear())
        return false; // an image shape keeps its picture
    if (edited.Empty() == original.Empty() && edited.ToQImage() == original.ToQImage())
        return false;
    TBitmap* value = &edited;
    FProp->SetValue(QVariant(FProp->MetaType(), &value)); // the setter copies it
    return true;
}
