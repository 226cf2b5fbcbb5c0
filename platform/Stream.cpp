#include "Stream.h"

#include "AnsiString.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <limits>
#include <cstring>

namespace {

// Reads of unknown-size data grow the buffer by at most this much at a time.
constexpr qint64 kReadChunk = qint64(1) << 20;

template <typename T>
bool ReadLE(QIODevice& dev, T& v)
{
    unsigned char b[sizeof(T)];
    if (!ReadExact(dev, b, sizeof(T)))
        return false;
    v = qFromLittleEndian<T>(b);
    return true;
}

template <typename T>
bool WriteLE(QIODevice& dev, T v)
{
    unsigned char b[sizeof(T)];
    qToLittleEndian<T>(v, b);
    return WriteExact(dev, b, sizeof(T));
}

} // namespace

// --- Raw bytes ---------------------------------------------------------------------

bool ReadExact(QIODevice& dev, void* data, qint64 n)
{
    if (n < 0)
        return false;
    char* p = static_cast<char*>(data);
    while (n > 0) {
        const qint64 got = dev.read(p, n);
        if (got <= 0)
            return false;
        p += got;
        n -= got;
    }
    return true;
}

bool WriteExact(QIODevice& dev, const void* data, qint64 n)
{
    if (n < 0)
        return false;
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const qint64 put = dev.write(p, n);
        if (put <= 0)
            return false;
        p += put;
        n -= put;
    }
    return true;
}

bool WriteExact(QIODevice& dev, const QByteArray& bytes)
{
    return WriteExact(dev, bytes.constData(), bytes.size());
}

bool ReadBytes(QIODevice& dev, qint64 n, QByteArray& out)
{
    out.clear();
    if (n < 0)
        return false;
    const qint64 left = BytesLeft(dev);
    if (left >= 0 && n <= left) {
        // The device says the bytes are there: one allocation.
        out.resize(n);
        if (ReadExact(dev, out.data(), n))
            return true;
        out.clear();
        return false;
    }
    while (out.size() < n) {
        const qint64 want = std::min(kReadChunk, n - out.size());
        const qsizetype old = out.size();
        out.resize(old + want);
        const qint64 got = dev.read(out.data() + old, want);
        if (got <= 0) {
            out.resize(old);
            return false;
        }
        out.resize(old + got);
    }
    return true;
}

QByteArray ReadBytesPadded(QIODevice& dev, int n)
{
    if (n <= 0)
        return QByteArray();
    QByteArray out(n, '\0');
    qsizetype have = 0;
    while (have < n) {
        const qint64 got = dev.read(out.data() + have, n - have);
        if (got <= 0)
            break;
        have += got;
    }
    return out;
}

qint64 BytesLeft(const QIODevice& dev)
{
    if (dev.isSequential() || !dev.isOpen())
        return -1;
    return std::max<qint64>(0, dev.size() - dev.pos());
}

bool CountFits(const QIODevice& dev, int64_t count, int64_t itemSize)
{
    if (count < 0 || itemSize < 0)
        return false;
    const qint64 left = BytesLeft(dev);
    if (left < 0)
        return true;
    if (itemSize == 0 || count == 0)
        return true;
    return count <= left / itemSize;
}

// --- Typed little-endian values --------------------------------------------------------

bool ReadInt8(QIODevice& dev, int8_t& v) { return ReadExact(dev, &v, 1); }
bool ReadUInt8(QIODevice& dev, uint8_t& v) { return ReadExact(dev, &v, 1); }
bool ReadInt16(QIODevice& dev, int16_t& v) { return ReadLE(dev, v); }
bool ReadUInt16(QIODevice& dev, uint16_t& v) { return ReadLE(dev, v); }
bool ReadInt32(QIODevice& dev, int32_t& v) { return ReadLE(dev, v); }
bool ReadUInt32(QIODevice& dev, uint32_t& v) { return ReadLE(dev, v); }
bool ReadInt64(QIODevice& dev, int64_t& v) { return ReadLE(dev, v); }

bool ReadFloat32(QIODevice& dev, float& v)
{
    uint32_t bits = 0;
    if (!ReadLE(dev, bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool ReadFloat64(QIODevice& dev, double& v)
{
    uint64_t bits = 0;
    if (!ReadLE(dev, bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool ReadBool(QIODevice& dev, bool& v)
{
    uint8_t b = 0;
    if (!ReadUInt8(dev, b))
        return false;
    v = b != 0;
    return true;
}

bool WriteInt8(QIODevice& dev, int8_t v) { return WriteExact(dev, &v, 1); }
bool WriteUInt8(QIODevice& dev, uint8_t v) { return WriteExact(dev, &v, 1); }
bool WriteInt16(QIODevice& dev, int16_t v) { return WriteLE(dev, v); }
bool WriteUInt16(QIODevice& dev, uint16_t v) { return WriteLE(dev, v); }
bool WriteInt32(QIODevice& dev, int32_t v) { return WriteLE(dev, v); }
bool WriteUInt32(QIODevice& dev, uint32_t v) { return WriteLE(dev, v); }
bool WriteInt64(QIODevice& dev, int64_t v) { return WriteLE(dev, v); }

bool WriteFloat32(QIODevice& dev, float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    return WriteLE(dev, bits);
}

bool WriteFloat64(QIODevice& dev, double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    return WriteLE(dev, bits);
}

bool WriteBool(QIODevice& dev, bool v) { return WriteUInt8(dev, v ? 1 : 0); }

// --- Fixed text fields ---------------------------------------------------------------

bool WriteFixedText(QIODevice& dev, const QByteArray& text, int width)
{
    if (width < 0)
        return false;
    QByteArray field = text.left(width);
    if (field.size() < width)
        field.append(width - field.size(), ' ');
    return WriteExact(dev, field);
}

bool WriteFixedText(QIODevice& dev, const QString& text, int width)
{
    return WriteFixedText(dev, ToAnsi(text), width);
}

bool ReadFixedText(QIODevice& dev, int width, QByteArray& field)
{
    field.clear();
    if (width < 0)
        return false;
    return ReadBytes(dev, width, field);
}

bool ReadFixedText(QIODevice& dev, int width, QString& text)
{
    QByteArray field;
    if (!ReadFixedText(dev, width, field))
        return false;
    text = FromAnsi(TrimField(field));
    return true;
}

QByteArray TrimField(const QByteArray& field)
{
    qsizetype b = 0;
    qsizetype e = field.size();
    while (b < e && static_cast<unsigned char>(field[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(field[e - 1]) <= 0x20)
        --e;
    return field.mid(b, e - b);
}

QString TrimField(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= 0x20)
        ++b;
    while (e > b && text[e - 1].unicode() <= 0x20)
        --e;
    return text.mid(b, e - b);
}

// --- Counted strings -----------------------------------------------------------------

bool WriteCountedBytes(QIODevice& dev, const QByteArray& bytes)
{
    if (bytes.size() > std::numeric_limits<int32_t>::max())
        return false;
    const int32_t length = int32_t(bytes.size());
    const int count = length & 0xFF;
    return WriteInt32(dev, length) && WriteExact(dev, bytes.constData(), count);
}

bool WriteCountedString(QIODevice& dev, const QString& text)
{
    return WriteCountedBytes(dev, ToAnsi(text));
}

bool ReadCountedBytes(QIODevice& dev, QByteArray& bytes, int32_t* storedLength)
{
    bytes.clear();
    int32_t length = 0;
    if (!ReadInt32(dev, length))
        return false;
    if (storedLength)
        *storedLength = length;
    return ReadBytes(dev, length & 0xFF, bytes);
}

bool ReadCountedString(QIODevice& dev, QString& text, int32_t* storedLength)
{
    QByteArray bytes;
    if (!ReadCountedBytes(dev, bytes, storedLength))
        return false;
    text = FromAnsi(bytes);
    return true;
}

bool WriteLongCountedBytes(QIODevice& dev, const QByteArray& bytes)
{
    if (bytes.size() > std::numeric_limits<int32_t>::max())
        return false;
    return WriteInt32(dev, int32_t(bytes.size())) && WriteExact(dev, bytes);
}

bool WriteLongCountedString(QIODevice& dev, const QString& text)
{
    return WriteLongCountedBytes(dev, ToAnsi(text));
}

bool ReadLongCountedBytes(QIODevice& dev, QByteArray& bytes, int32_t maxLength)
{
    bytes.clear();
    int32_t length = 0;
    if (!ReadInt32(dev, length))
        return false;
    if (length < 0 || length > maxLength || !CountFits(dev, length, 1))
        return false;
    return ReadBytes(dev, length, bytes);
}

bool ReadLongCountedString(QIODevice& dev, QString& text, int32_t maxLength)
{
    QByteArray bytes;
    if (!ReadLongCountedBytes(dev, bytes, maxLength))
        return false;
    text = FromAnsi(bytes);
    return true;
}

// --- Sized blocks --------------------------------------------------------------------

bool WriteSizedBlock(QIODevice& dev, const QByteArray& bytes)
{
    return WriteInt64(dev, int64_t(bytes.size())) && WriteExact(dev, bytes);
}

bool ReadSizedBlock(QIODevice& dev, QByteArray& bytes, int64_t maxSize, int64_t* storedSize)
{
    bytes.clear();
    int64_t size = 0;
    if (!ReadInt64(dev, size))
        return false;
    if (storedSize)
        *storedSize = size;
    if (size <= 0)
        return true;
    if (size > maxSize)
        return false;
    return ReadBytes(dev, size, bytes);
}

bool SaveFileSafely(const QString& fileName, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
