#include "component/render/GraphicsFile.h"

#include "platform/IcoCodec.h"
#include "platform/JpegCodec.h"
#include "platform/MetafilePlayer.h"
#include "platform/PixelLimit.h"
#include "platform/PngCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// Any picture Qt's readers know, its size checked before it is decoded.
bool ReadWithQt(const QString& fileName, TBitmap& out, QString* error)
{
    // A PNG chunk that claims more bytes than the file holds would be allocated first.
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly) && IsPngStream(file.peek(8)) && !PngChunksFit(file.readAll())) {
        SetError(error, QStringLiteral("The picture is damaged: a PNG chunk runs past the end of the file."));
        return false;
    }
    file.close();
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    // Four bytes a pixel at the pixel limit, in megabytes.
    reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height())) {
        SetError(error, QStringLiteral("The picture is larger than the pixel limit."));
        return false;
    }
    QImage image;
    if (!reader.read(&image) || !PictureSizeAllowed(image.width(), image.height())) {
        SetError(error, QStringLiteral("The picture does not decode: ") + reader.errorString());
        return false;
    }
    if (image.hasAlphaChannel()) {
        QImage page(image.size(), QImage::Format_RGB32);
        if (page.isNull()) {
            SetError(error, QStringLiteral("The picture does not fit in memory."));
            return false;
        }
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(0, 0, image);
        painter.end();
        image = page;
    }
    out.SetPixelFormat(pf24bit);
    out.Assign(image);
    return !out.Empty();
}

} // namespace

std::unique_ptr<TBitmap> RedCrossBitmap()
{
    auto bitmap = std::make_unique<TBitmap>(32, 32);
    TCanvas& c = bitmap->Canvas();
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(3);
    c.MoveTo(2, 2);
    c.LineTo(29, 29);
    c.MoveTo(2, 29);
    c.LineTo(29, 2);
    c.ReleasePainter();
    return bitmap;
}

std::unique_ptr<TBitmap> LoadGraphicsFile(const QString& FileName, QString* Error)
{
    SetError(Error, QString());
    const QFileInfo info(FileName);
    if (!info.isFile()) {
        SetError(Error, QStringLiteral("The file does not exist."));
        return RedCrossBitmap();
    }
    const QString ext = FileName.right(3).toUpper();
    auto bitmap = std::make_unique<TBitmap>();
    QString reason;
    bool ok;
    bool named = true;
    if (ext == QLatin1String("BMP"))
        ok = bitmap->LoadFromFile(FileName, &reason);
    else if (ext == QLatin1String("ICO"))
        ok = ReadIcoFile(FileName, *bitmap, &reason);
    else if (ext == QLatin1String("JPG") || ext == QLatin1String("PEG"))
        ok = ReadJpegFile(FileName, *bitmap, &reason);
    else if (ext == QLatin1String("EMF") || ext == QLatin1String("WMF"))
        ok = LoadMetafileFile(FileName, *bitmap, &reason);
    else
        ok = false, named = false;
    if (!ok) {
        QString qtReason;
        ok = ReadWithQt(FileName, *bitmap, &qtReason);
        if (!named || reason.isEmpty())
            reason = qtReason;
    }
    if (!ok || bitmap->Empty()) {
        SetError(Error, reason.isEmpty() ? QStringLiteral("The picture does not decode.") : reason);
        return RedCrossBitmap();
    }
    bitmap->SetPixelFormat(pf24bit);
    return bitmap;
}
