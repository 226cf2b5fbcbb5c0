#include "component/persistence/StreamPrimitives.h"

#include "platform/AnsiString.h"
#include "platform/Bitmap.h"
#include "platform/Stream.h"

#include <QBuffer>

bool WriteStrBuffer(QIODevice& Stream, const QString& S, uint8_t Count)
{
    QByteArray bytes = ToAnsi(S).left(Count);
    if (bytes.size() < Count)
        bytes.append(Count - bytes.size(), '\0');
    return WriteExact(Stream, bytes);
}

QString ReadStrBuffer(QIODevice& Stream, uint8_t Count)
{
    return FromAnsi(ReadBytesPadded(Stream, Count));
}

QByteArray BitmapBufferBytes(const TBitmap* Bitmap)
{
    QByteArray bytes;
    if (!Bitmap || Bitmap->Empty())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Bitmap->SaveToStream(buffer))
        bytes.clear();
    return bytes;
}

std::unique_ptr<TBitmap> BitmapFromBufferBytes(const QByteArray& Bytes, bool* Ok)
{
    auto bitmap = std::make_unique<TBitmap>();
    QByteArray copy = Bytes; // shared, not copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const bool ok = bitmap->LoadFromStream(buffer);
    if (!ok)
        bitmap = std::make_unique<TBitmap>();
    if (Ok)
        *Ok = ok;
    return bitmap;
}

bool WriteBitmapBuffer(QIODevice& Stream, const TBitmap* Bitmap)
{
    return WriteSizedBlock(Stream, BitmapBufferBytes(Bitmap));
}

bool ReadBitmapBuffer(QIODevice& Stream, std::unique_ptr<TBitmap>& Bitmap)
{
    int64_t size = 0;
    if (!ReadInt64(Stream, size))
        return false;
    if (size <= 0)
        return true;
    if (size > kMaxBlockSize || !CountFits(Stream, size, 1))
        return false;
    QByteArray bytes;
    if (!ReadBytes(Stream, size, bytes))
        return false;
    bool ok = false;
    Bitmap = BitmapFromBufferBytes(bytes, &ok);
    return ok;
}
