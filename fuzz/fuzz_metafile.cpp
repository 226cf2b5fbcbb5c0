// Feeds arbitrary bytes to the metafile players (EMF and WMF, placeable or not): loaded
// into a bitmap of the picture's size, and played onto a small fixed bitmap. A load is
// refused with a reason or gives a bitmap within the limit. Seeds: tests/data/metafile.
#include "platform/Bitmap.h"
#include "platform/MetafilePlayer.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int64_t kFuzzPixels = int64_t(1) << 18;
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
    if (LoadMetafile(bytes, bitmap, &error, kFuzzPixels)) {
        if (bitmap.PixelFormat() != pf24bit || bitmap.Empty()
            || int64_t(bitmap.Width()) * bitmap.Height() > kFuzzPixels)
            abort();
    } else if (error.isEmpty() || bitmap.Width() != 2) {
        abort();
    }
    TBitmap small(64, 48);
    PlayMetafile(bytes, small.Canvas(), TRect(0, 0, 64, 48));
    if (small.Width() != 64 || small.Height() != 48)
        abort();
    return 0;
}
