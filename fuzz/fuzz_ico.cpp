// Feeds arbitrary bytes to the icon reader: the directory, every entry decoded on its
// own, and the picture of the file; accepted pictures are within the limit, refusals give
// a reason and leave the bitmap as it was. Seeds: tests/data/ico.
#include "platform/Bitmap.h"
#include "platform/IcoCodec.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int64_t kFuzzPixels = int64_t(1) << 20;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<TIconEntry> entries;
    QString error;
    if (ReadIconDirectory(bytes, entries, &error)) {
        for (const TIconEntry& e : entries) {
            if (uint64_t(e.Offset) + e.Size > size)
                abort();
            QImage image;
            if (DecodeIconEntry(bytes, e, image, &error, kFuzzPixels)
                && (image.isNull() || int64_t(image.width()) * image.height() > kFuzzPixels))
                abort();
        }
    } else if (error.isEmpty()) {
        abort();
    }
    TBitmap bitmap(2, 3);
    error.clear();
    if (ReadIco(bytes, bitmap, &error, kFuzzPixels)) {
        if (bitmap.PixelFormat() != pf24bit || bitmap.Empty())
            abort();
    } else if (error.isEmpty() || bitmap.Width() != 2) {
        abort();
    }
    return 0;
}
