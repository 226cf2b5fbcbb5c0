// Feeds arbitrary bytes to the BMP reader, through a random-access buffer and through a
// sequential device, and checks what an accepted picture must satisfy. Seeds: tests/data/bmp.
#include "platform/BmpCodec.h"

#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A sequential read-only device over the input (no size, no seeking).
class TPipe : public QIODevice {
public:
    explicit TPipe(const QByteArray& data) : m_data(data) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>(maxSize, m_data.size() - m_pos);
        if (n <= 0)
            return -1;
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray& m_data;
    qint64 m_pos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage image;
    QString error;
    const bool ok = ReadBmp(buffer, image, &error);
    if (ok) {
        // An accepted picture is RGB32 within the limits, ends inside the data, and
        // survives a write and a second read unchanged.
        if (image.format() != QImage::Format_RGB32 || image.width() > kBmpMaxDimension
            || image.height() > kBmpMaxDimension || buffer.pos() > qint64(size))
            abort();
        QImage again;
        if (!ReadBmp(WriteBmp(image), again) || again != image)
            abort();
    } else if (error.isEmpty()) {
        abort(); // every refusal gives a reason
    }
    // The same bytes through a sequential device give the same answer.
    TPipe pipe(bytes);
    QImage piped;
    if (ReadBmp(pipe, piped) != ok || (ok && piped != image))
        abort();
    return 0;
}
