#pragma once
// TLeBytes: a byte buffer that little-endian values are appended to, for building binary
// records (metafile records, file headers) before they are written in one piece.
#include <QByteArray>
#include <cstdint>
#include <cstring>

class TLeBytes {
public:
    void Clear() { FData.clear(); }
    qsizetype Size() const { return FData.size(); }
    const QByteArray& Data() const { return FData; }

    void U8(uint8_t v) { FData.append(char(v)); }
    void U16(uint16_t v)
    {
        const char b[2] = {char(v & 0xFF), char(v >> 8)};
        FData.append(b, 2);
    }
    void I16(int16_t v) { U16(uint16_t(v)); }
    void U32(uint32_t v)
    {
        const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
        FData.append(b, 4);
    }
    void I32(int32_t v) { U32(uint32_t(v)); }
    void F32(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        U32(bits);
    }
    void Bytes(const void* data, qsizetype n) { FData.append(static_cast<const char*>(data), n); }
    void Zeros(qsizetype n) { FData.append(n, '\0'); }
    // Zero bytes up to the next multiple of the alignment.
    void Align(qsizetype alignment)
    {
        while (FData.size() % alignment != 0)
            FData.append('\0');
    }
    void PatchU32(qsizetype at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            FData[at + i] = char((v >> (8 * i)) & 0xFF);
    }
    void PatchU16(qsizetype at, uint16_t v)
    {
        FData[at] = char(v & 0xFF);
        FData[at + 1] = char(v >> 8);
    }
    void Reserve(qsizetype n) { FData.reserve(n); }

private:
    QByteArray FData;
};
