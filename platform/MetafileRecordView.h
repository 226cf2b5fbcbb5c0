#pragma once
// TRecordView: bounds-checked little-endian reads inside one metafile record. Every read
// names its offset from the record's start; Has() says whether the bytes are there, and
// reads outside the record give 0, so no read ever leaves the record's bytes.
#include "Types.h"

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Mf {

class TRecordView {
public:
    TRecordView(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    size_t Size() const { return FSize; }
    bool Has(uint64_t offset, uint64_t bytes) const { return offset <= FSize && bytes <= FSize - offset; }

    uint8_t U8(uint64_t at) const { return Has(at, 1) ? FData[at] : 0; }
    uint16_t U16(uint64_t at) const { return Has(at, 2) ? uint16_t(FData[at] | (FData[at + 1] << 8)) : 0; }
    int16_t I16(uint64_t at) const { return int16_t(U16(at)); }
    uint32_t U32(uint64_t at) const { return Has(at, 4) ? uint32_t(U16(at)) | (uint32_t(U16(at + 2)) << 16) : 0; }
    int32_t I32(uint64_t at) const { return int32_t(U32(at)); }
    float F32(uint64_t at) const
    {
        const uint32_t bits = U32(at);
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    // The bytes from offset on, n of them; empty when they are not all there.
    QByteArray Bytes(uint64_t at, uint64_t n) const
    {
        return Has(at, n) ? QByteArray(reinterpret_cast<const char*>(FData + at), qsizetype(n)) : QByteArray();
    }

    // count points of two 16- or 32-bit coordinates from offset; false when they do not fit.
    bool Points(uint64_t at, uint64_t count, bool small, std::vector<TPoint>& out) const
    {
        const uint64_t size = small ? 4 : 8;
        if (count > FSize / size || !Has(at, count * size))
            return false;
        out.resize(size_t(count));
        for (uint64_t i = 0; i < count; ++i) {
            const uint64_t p = at + i * size;
            out[size_t(i)] = small ? TPoint(I16(p), I16(p + 2)) : TPoint(I32(p), I32(p + 4));
        }
        return true;
    }

private:
    const uint8_t* FData;
    size_t FSize;
};

} // namespace Mf
