#include "Dib.h"

#include "BmpCodec.h"

uint32_t AppendDibHeader(TLeBytes& header, const QImage& image)
{
    if (image.isNull())
        return 0;
    const uint32_t stride = (uint32_t(image.width()) * 3 + 3) & ~3u;
    const uint32_t bytes = stride * uint32_t(image.height());
    header.U32(40);
    header.I32(image.width());
    header.I32(image.height());
    header.U16(1);
    header.U16(24);
    header.U32(0); // BI_RGB
    header.U32(bytes);
    header.I32(0);
    header.I32(0);
    header.U32(0);
    header.U32(0);
    return bytes;
}

void AppendDibBits(TLeBytes& out, const QImage& image)
{
    if (image.isNull())
        return;
    const QImage bgr = image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
    const qsizetype row = qsizetype(bgr.width()) * 3;
    const qsizetype padding = ((row + 3) & ~qsizetype(3)) - row;
    out.Reserve(out.Size() + (row + padding) * bgr.height());
    for (int y = bgr.height() - 1; y >= 0; --y) {
        out.Bytes(bgr.constScanLine(y), row);
        out.Zeros(padding);
    }
}

// A BMP file image around the DIB: the file header points past the info block.
bool DecodeDib(const QByteArray& info, const QByteArray& bits, QImage& out, QString* error)
{
    if (info.size() < 12) {
        if (error)
            *error = QStringLiteral("The bitmap header is cut short.");
        return false;
    }
    TLeBytes file;
    const qsizetype total = 14 + info.size() + bits.size();
    file.Reserve(total);
    file.U8('B');
    file.U8('M');
    file.U32(total > 0x7FFFFFFF ? 0 : uint32_t(total));
    file.U32(0);
    file.U32(uint32_t(14 + info.size()));
    file.Bytes(info.constData(), info.size());
    file.Bytes(bits.constData(), bits.size());
    return ReadBmp(file.Data(), out, error);
}
