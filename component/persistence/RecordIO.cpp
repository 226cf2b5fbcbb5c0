#include "component/persistence/RecordIO.h"

#include "component/persistence/StreamPrimitives.h"
#include "platform/AnsiString.h"
#include "platform/Bitmap.h"
#include "platform/Extended.h"
#include "platform/Stream.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {
// Random-access devices are read ahead in chunks of this size.
constexpr int64_t kReadChunk = int64_t(1) << 18;
// The writer passes its bytes on in writes of up to this size.
constexpr int64_t kWriteBuffer = int64_t(1) << 16;

template <typename T>
T LoadLE(const char* p)
{
    return qFromLittleEndian<T>(p);
}
} // namespace

// ---- Encoding -----------------------------------------------------------------------

void EncodeAnsi(const QString& Text, QByteArray& Out)
{
    const qsizetype n = Text.size();
    Out.resize(n);
    char* d = Out.data();
    const QChar* s = Text.constData();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < 0x80) {
            d[k++] = char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
            ++i; // one character outside the BMP: one replacement byte, as ToAnsi does
            d[k++] = '?';
        } else {
            const int b = UnicodeToAnsi(c);
            d[k++] = b < 0 ? '?' : char(b);
        }
    }
    Out.resize(k);
}

QString DecodeAnsi(const char* Data, int64_t n)
{
    // Bytes below 0x80 are ASCII in the code page: Qt's Latin-1 decoder takes them fast.
    for (int64_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(Data[i]) >= 0x80)
            return FromAnsi(Data, qsizetype(n));
    return QString::fromLatin1(Data, qsizetype(n));
}

int64_t AnsiLength(const QString& Text)
{
    const qsizetype n = Text.size();
    const QChar* s = Text.constData();
    int64_t length = 0;
    for (qsizetype i = 0; i < n; ++i, ++length)
        if (s[i].isHighSurrogate() && i + 1 < n && s[i + 1].isLowSurrogate())
            ++i;
    return length;
}

void TLongStringScanner::String(const QString& v)
{
    // Each character gives at most one byte: only texts of more than 255 characters can
    // be too long.
    if (v.size() > DrawingFormat::kMaxShortStringBytes && AnsiLength(v) > DrawingFormat::kMaxShortStringBytes)
        FFound = true;
}

// ---- Reader -----------------------------------------------------------------------------

TRecordReader::TRecordReader(QIODevice& Device, TRecordFormat Format) : FDevice(Device), FFormat(Format)
{
    FSequential = Device.isSequential();
    auto* buffer = qobject_cast<QBuffer*>(&Device);
    if (buffer && !FSequential && buffer->isReadable()) {
        FWhole = buffer->data(); // shares the bytes
        FBase = buffer->pos();
        if (FBase >= 0 && FBase <= FWhole.size()) {
            FData = FWhole.constData() + FBase;
            FSize = FWhole.size() - FBase;
            FWholeData = true;
        }
    }
    if (!FWholeData && !FSequential) {
        FDeviceSize = Device.size();
        FDevicePos = Device.pos();
    }
}

TRecordReader::~TRecordReader()
{
    Finish();
}

void TRecordReader::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    if (FWholeData)
        FDevice.seek(FBase + FPos);
    else if (!FSequential && FSize > FPos)
        FDevice.seek(FDevicePos - (FSize - FPos));
}

int64_t TRecordReader::Left() const
{
    if (FWholeData)
        return FSize - FPos;
    if (FSequential)
        return -1;
    return std::max<int64_t>(0, FDeviceSize - FDevicePos) + (FSize - FPos);
}

bool TRecordReader::Fits(int64_t Count, int64_t ItemSize) const
{
    if (Count < 0 || ItemSize < 0)
        return false;
    if (Count == 0 || ItemSize == 0)
        return true;
    const int64_t left = Left();
    return left < 0 || Count <= left / ItemSize;
}

bool TRecordReader::Ensure(int64_t n)
{
    const int64_t avail = FSize - FPos;
    if (avail >= n)
        return true;
    if (FWholeData || n < 0)
        return false;
    // Keep only the bytes not yet consumed, then read what is missing (exactly that from a
    // sequential device, a chunk ahead from a random-access one).
    if (FPos > 0) {
        FWindow.remove(0, qsizetype(FPos));
        FPos = 0;
    }
    const int64_t need = n - avail;
    int64_t want = FSequential ? need : std::max(need, kReadChunk);
    if (!FSequential) {
        const int64_t deviceLeft = std::max<int64_t>(0, FDeviceSize - FDevicePos);
        if (deviceLeft < need)
            return false;
        want = std::min(want, deviceLeft);
    }
    const qsizetype old = FWindow.size();
    FWindow.resize(old + qsizetype(want));
    int64_t got = 0;
    while (got < need) {
        const qint64 r = FDevice.read(FWindow.data() + old + got, want - got);
        if (r <= 0)
            break;
        got += r;
    }
    FWindow.resize(old + qsizetype(got));
    FDevicePos += got;
    FData = FWindow.constData();
    FSize = FWindow.size();
    return got >= need;
}

bool TRecordReader::Int32(int32_t& v)
{
    if (!Ensure(4))
        return false;
    v = LoadLE<int32_t>(Take(4));
    return true;
}

bool TRecordReader::UInt32(uint32_t& v)
{
    if (!Ensure(4))
        return false;
    v = LoadLE<uint32_t>(Take(4));
    return true;
}

bool TRecordReader::Int64(int64_t& v)
{
    if (!Ensure(8))
        return false;
    v = LoadLE<int64_t>(Take(8));
    return true;
}

bool TRecordReader::UInt8(uint8_t& v)
{
    if (!Ensure(1))
        return false;
    v = uint8_t(*Take(1));
    return true;
}

bool TRecordReader::Bool(bool& v)
{
    uint8_t b = 0;
    if (!UInt8(b))
        return false;
    v = b != 0;
    return true;
}

bool TRecordReader::Float32(float& v)
{
    uint32_t bits = 0;
    if (!UInt32(bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool TRecordReader::Float64(double& v)
{
    int64_t bits = 0;
    if (!Int64(bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool TRecordReader::Coordinate(float& v)
{
    if (!DrawingFormat::HasExtendedCoordinates(FFormat.Generation))
        return Float32(v);
    if (!Ensure(10))
        return false;
    TExtendedBytes e;
    std::memcpy(e.data(), Take(10), 10);
    v = ExtendedToFloat(e);
    return true;
}

bool TRecordReader::StringBytes(const char*& p, int64_t& n)
{
    int32_t length = 0;
    if (!Int32(length))
        return false;
    n = length & 0xFF;
    if (FFormat.LongStrings) {
        if (length < 0 || length > kMaxLongStringLength || !Fits(length, 1))
            return false;
        n = length;
    }
    if (!Ensure(n))
        return false;
    p = Take(n);
    return true;
}

bool TRecordReader::String(QString& v)
{
    const char* p = nullptr;
    int64_t n = 0;
    if (!StringBytes(p, n))
        return false;
    v = DecodeAnsi(p, n);
    return true;
}

bool TRecordReader::RepeatedString(QString& v, QByteArray& LastBytes, QString& LastText)
{
    const char* p = nullptr;
    int64_t n = 0;
    if (!StringBytes(p, n))
        return false;
    if (LastBytes.size() == n && std::memcmp(p, LastBytes.constData(), size_t(n)) == 0) {
        v = LastText; // shared, not decoded again
        return true;
    }
    v = DecodeAnsi(p, n);
    if (n <= 64) {
        LastBytes = QByteArray(p, qsizetype(n));
        LastText = v;
    }
    return true;
}

bool TRecordReader::Fixed(int Width, QByteArray& v)
{
    if (Width < 0 || !Ensure(Width))
        return false;
    v = QByteArray(Take(Width), Width);
    return true;
}

bool TRecordReader::Bytes(int64_t n, QByteArray& v)
{
    v.clear();
    if (n < 0 || !Fits(n, 1))
        return false;
    const int64_t avail = FSize - FPos;
    if (n <= avail || FWholeData) {
        if (!Ensure(n))
            return false;
        v = QByteArray(Take(n), qsizetype(n));
        return true;
    }
    // A large block: the rest of the window, then straight from the device, growing the
    // buffer only as the data arrives.
    QByteArray head(Take(avail), qsizetype(avail));
    QByteArray tail;
    const bool ok = ReadBytes(FDevice, n - avail, tail);
    FDevicePos += tail.size();
    if (!ok)
        return false;
    v = head + tail;
    return true;
}

bool TRecordReader::Skip(int64_t n)
{
    if (n < 0 || !Ensure(n))
        return false;
    Take(n);
    return true;
}

bool TRecordReader::Bitmap(std::unique_ptr<TBitmap>& v)
{
    v.reset();
    int64_t n = 0;
    if (!Int64(n))
        return false;
    if (n <= 0)
        return true;
    if (n > kMaxBlockSize)
        return false;
    QByteArray bytes;
    if (!Bytes(n, bytes))
        return false;
    v = BitmapFromBufferBytes(bytes);
    return true;
}

bool TRecordReader::Count(int32_t& n, int64_t ItemSize)
{
    return Int32(n) && n >= 0 && Fits(n, ItemSize);
}

// ---- Writer -----------------------------------------------------------------------------

TRecordWriter::TRecordWriter(QIODevice& Device, bool LongStrings)
    : FDevice(Device), FLongStrings(LongStrings), FBuffer(std::make_unique<char[]>(size_t(kWriteBuffer)))
{
}

TRecordWriter::~TRecordWriter()
{
    Finish();
}

void TRecordWriter::Flush()
{
    if (FLength > 0 && FOk)
        FOk = WriteExact(FDevice, FBuffer.get(), FLength);
    FLength = 0;
}

bool TRecordWriter::Finish()
{
    Flush();
    return FOk;
}

void TRecordWriter::Raw(const char* Data, int64_t n)
{
    if (n <= 0)
        return;
    if (FLength + n > kWriteBuffer) {
        Flush();
        if (n > kWriteBuffer) {
            if (FOk)
                FOk = WriteExact(FDevice, Data, n);
            return;
        }
    }
    std::memcpy(FBuffer.get() + FLength, Data, size_t(n));
    FLength += n;
}

void TRecordWriter::Int32(int32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    Raw(b, 4);
}

void TRecordWriter::UInt32(uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    Raw(b, 4);
}

void TRecordWriter::Int64(int64_t v)
{
    char b[8];
    qToLittleEndian(v, b);
    Raw(b, 8);
}

void TRecordWriter::UInt8(uint8_t v)
{
    const char b = char(v);
    Raw(&b, 1);
}

void TRecordWriter::Float32(float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    UInt32(bits);
}

void TRecordWriter::Float64(double v)
{
    int64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    Int64(bits);
}

void TRecordWriter::String(const QString& v)
{
    EncodeAnsi(v, FScratch);
    if (FLongStrings && FScratch.size() > kMaxLongStringLength) {
        FOk = false; // no reader would take it back
        return;
    }
    const int32_t length = int32_t(FScratch.size());
    Int32(length);
    Raw(FScratch.constData(), FLongStrings ? length : (length & 0xFF));
}

void TRecordWriter::Fixed(const QByteArray& Text, int Width)
{
    static const char spaces[32] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                    ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    const int n = int(std::min<qsizetype>(Text.size(), std::max(Width, 0)));
    Raw(Text.constData(), n);
    for (int pad = Width - n; pad > 0; pad -= int(sizeof spaces))
        Raw(spaces, std::min<int>(pad, int(sizeof spaces)));
}

void TRecordWriter::Bitmap(const TBitmap* v)
{
    const QByteArray bytes = BitmapBufferBytes(v);
    Int64(bytes.size());
    Raw(bytes.constData(), bytes.size());
}
