// Feeds arbitrary bytes to the JPEG decoder and checks what a decode must give: an
// accepted picture is a pf24bit bitmap of the header's size within the limit, and a
// refusal gives a reason and leaves the bitmap as it was. Seeds: tests/data/jpeg.
#include "platform/Bitmap.h"
#include "platform/JpegCodec.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {
// Small enough that every input decodes quickly.
constexpr int64_t kFuzzPixels = int64_t(1) << 22;
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
    TBitmap bitmap(2, 3);
    QString error;
    TJpegReadInfo info;
    if (ReadJpeg(bytes, bitmap, &error, &info, kFuzzPixels)) {
        if (bitmap.PixelFormat() != pf24bit || bitmap.Width() != info.Width || bitmap.Height() != info.Height
            || int64_t(bitmap.Width()) * bitmap.Height() > kFuzzPixels || bitmap.ScanLine(bitmap.Height() - 1) == nullptr)
            abort();
    } else if (error.isEmpty() || bitmap.Width() != 2 || bitmap.Height() != 3) {
        abort();
    }
    return 0;
}
