#include "PngCheck.h"

#include <cstdint>

namespace {
constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

uint32_t BigU32(const QByteArray& b, qsizetype at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 | uint32_t(uint8_t(b[at + 2])) << 8
           | uint32_t(uint8_t(b[at + 3]));
}
} // namespace

bool IsPngStream(const QByteArray& Bytes)
{
    return Bytes.startsWith(QByteArray::fromRawData(kSignature, 8));
}

bool PngChunksFit(const QByteArray& Bytes)
{
    if (!IsPngStream(Bytes))
        return false;
    qsizetype at = 8;
    while (at + 8 <= Bytes.size()) {
        const uint64_t length = BigU32(Bytes, at);
        // Length, type, data and check sum.
        if (uint64_t(Bytes.size() - at) < length + 12)
            return false;
        if (Bytes.mid(at + 4, 4) == "IEND")
            return true;
        at += qsizetype(length) + 12;
    }
    return true;
}
