#include "MetafilePlayer.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "MetafilePlay.h"
#include "MetafileRecordView.h"
#include "MetafileRecords.h"
#include "Screen.h"

#include <QFile>

namespace {

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The size of a WMF without a placeable header: its first window extent, taken as pixels.
QSize WindowExtent(const QByteArray& data, qsizetype from)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    uint64_t at = uint64_t(from);
    while (at + 6 <= uint64_t(data.size())) {
        const Mf::TRecordView r(bytes + at, size_t(uint64_t(data.size()) - at));
        const uint64_t size = uint64_t(r.U32(0)) * 2;
        if (size < 6 || !r.Has(0, size) || r.U16(4) == Wmf::EOF_)
            break;
        if (r.U16(4) == Wmf::SETWINDOWEXT)
            return QSize(std::abs(r.I16(8)), std::abs(r.I16(6)));
        at += size;
    }
    return QSize();
}

} // namespace

bool ReadMetafileInfo(const QByteArray& data, TMetafileInfo& info, QString* error)
{
    const int ppi = ScreenPixelsPerInch();
    Mf::TEmfHeader emf;
    if (Mf::ReadEmfHeader(data, emf, nullptr)) {
        info.Kind = TMetafileKind::Emf;
        info.Size = emf.PixelSize(ppi);
        if (info.Size.isEmpty() && emf.Bounds.isValid())
            info.Size = emf.Bounds.size();
        return true;
    }
    Mf::TWmfHeader wmf;
    if (Mf::ReadWmfHeader(data, wmf, nullptr)) {
        info.Kind = wmf.Placeable ? TMetafileKind::PlaceableWmf : TMetafileKind::Wmf;
        info.Size = wmf.Placeable ? wmf.PixelSize(ppi) : WindowExtent(data, wmf.RecordsAt);
        return true;
    }
    SetError(error, QStringLiteral("The data is not a Windows metafile."));
    return false;
}

bool PlayMetafile(const QByteArray& data, TCanvas& canvas, const TRect& target, QString* error)
{
    const QRectF box(target.Left, target.Top, double(target.Right) - target.Left, double(target.Bottom) - target.Top);
    // The canvas's own state comes back afterwards: the records change pen, brush,
    // font, modes and transform.
    const int mode = canvas.GetGraphicsMode();
    XFORM world;
    canvas.GetWorldTransform(world);
    TPen pen;
    pen.Assign(canvas.Pen());
    TBrush brush;
    brush.Assign(canvas.Brush());
    TFont font;
    font.Assign(canvas.Font());
    Mf::TEmfHeader emf;
    Mf::TWmfHeader wmf;
    bool ok;
    if (Mf::ReadEmfHeader(data, emf, nullptr)) {
        ok = Mf::PlayEmf(data, emf, canvas, box, error);
    } else if (Mf::ReadWmfHeader(data, wmf, error)) {
        if (!wmf.Placeable) {
            const QSize ext = WindowExtent(data, wmf.RecordsAt);
            wmf.Box = QRect(0, 0, ext.width() + 1, ext.height() + 1);
            wmf.Placeable = !ext.isEmpty();
        }
        ok = Mf::PlayWmf(data, wmf, canvas, box, error);
    } else {
        return false;
    }
    canvas.SetWorldTransform(world);
    canvas.SetGraphicsMode(mode);
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    canvas.SetFont(font);
    canvas.SetCopyMode(cmSrcCopy);
    return ok;
}

bool LoadMetafile(const QByteArray& data, TBitmap& out, QString* error, int64_t maxPixels)
{
    TMetafileInfo info;
    if (!ReadMetafileInfo(data, info, error))
        return false;
    if (!PictureSizeAllowed(info.Size.width(), info.Size.height(), maxPixels)) {
        SetError(error, QStringLiteral("The metafile's picture has no size or is larger than the pixel limit."));
        return false;
    }
    TBitmap picture(info.Size.width(), info.Size.height());
    if (picture.Empty()) {
        SetError(error, QStringLiteral("The metafile's picture does not fit in memory."));
        return false;
    }
    PlayMetafile(data, picture.Canvas(), TRect(0, 0, info.Size.width(), info.Size.height()), error);
    out.SetPixelFormat(pf24bit);
    out.Assign(picture);
    return true;
}

bool LoadMetafileFile(const QString& fileName, TBitmap& out, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    if (file.size() > kMaxPictureFileSize) {
        SetError(error, QStringLiteral("The file is too large."));
        return false;
    }
    return LoadMetafile(file.readAll(), out, error);
}
