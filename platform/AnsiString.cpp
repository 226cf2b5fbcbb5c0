#include "AnsiString.h"

namespace {

// Bytes 0x80..0x9F. The rest of the code page equals Latin-1 (byte value = code point).
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t AnsiToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return char16_t(byte);
}

int UnicodeToAnsi(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return int(ch);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

QByteArray ToAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the BMP: one replacement byte
            out.append('?');
            continue;
        }
        const int b = UnicodeToAnsi(c.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

QString FromAnsi(const char* data, qsizetype size)
{
    QString out;
    if (size <= 0)
        return out;
    out.resize(size);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(AnsiToUnicode(static_cast<unsigned char>(data[i])));
    return out;
}

QString FromAnsi(const QByteArray& bytes)
{
    return FromAnsi(bytes.constData(), bytes.size());
}
