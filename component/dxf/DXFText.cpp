#include "component/dxf/DXFText.h"

#include "platform/AnsiString.h"

namespace {

bool IsHex(QChar C)
{
    return (C >= u'0' && C <= u'9') || (C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F');
}

// The codes that take an argument up to the next semicolon.
bool TakesArgument(QChar C)
{
    return QStringView(u"ACcFfHQTWp").contains(C);
}

} // namespace

QString DecodeDxfString(std::string_view Bytes, bool Utf8)
{
    const QString text = Utf8 ? QString::fromUtf8(Bytes.data(), qsizetype(Bytes.size()))
                              : FromAnsi(Bytes.data(), qsizetype(Bytes.size()));
    if (!text.contains(QLatin1String("\\U+"), Qt::CaseInsensitive))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 6 < text.size() + 0 && (text[i + 1] == u'U' || text[i + 1] == u'u')
            && text[i + 2] == u'+' && IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5])
            && IsHex(text[i + 6])) {
            const char32_t code = text.mid(i + 3, 4).toUInt(nullptr, 16);
            out += QString::fromUcs4(&code, 1);
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString DecodeDxfText(std::string_view Bytes, bool Utf8)
{
    const QString text = DecodeDxfString(Bytes, Utf8);
    if (!text.contains(QLatin1String("%%")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 2 >= text.size() || text[i + 1] != u'%') {
            out += text[i];
            continue;
        }
        const QChar c = text[i + 2].toLower();
        i += 2;
        if (c == u'd')
            out += QChar(0x00B0);
        else if (c == u'p')
            out += QChar(0x00B1);
        else if (c == u'c')
            out += QChar(0x2300);
        else if (c == u'%')
            out += u'%';
        else if (c == u'u' || c == u'o' || c == u'k')
            ;
        else if (c.isDigit()) {
            qsizetype end = i;
            while (end < text.size() && end < i + 3 && text[end].isDigit())
                ++end;
            const uint code = text.mid(i, end - i).toUInt();
            if (code > 0 && code < 0xD800)
                out += QChar(char16_t(code));
            i = end - 1;
        } else {
            out += QLatin1String("%%");
            out += text[i];
        }
    }
    return out;
}

QStringList MTextLines(const QString& Text)
{
    QStringList lines;
    QString line;
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = Text[i];
        if (c == u'{' || c == u'}')
            continue;
        if (c == u'^' && i + 1 < n) {
            const QChar next = Text[i + 1];
            if (next == u'J' || next == u'M') {
                lines.append(line);
                line.clear();
                ++i;
                continue;
            }
            if (next == u'I') {
                line += u' ';
                ++i;
                continue;
            }
            if (next == u' ') {
                line += u'^';
                ++i;
                continue;
            }
        }
        if (c != u'\\' || i + 1 >= n) {
            line += c;
            continue;
        }
        const QChar code = Text[++i];
        if (code == u'P' || code == u'X' || code == u'N') {
            lines.append(line);
            line.clear();
        } else if (code == u'~') {
            line += u' ';
        } else if (code == u'\\' || code == u'{' || code == u'}') {
            line += code;
        } else if (code == u'S') {
            // A stacked fraction up to the semicolon: its parts read across.
            for (++i; i < n && Text[i] != u';'; ++i)
                line += Text[i] == u'^' || Text[i] == u'#' ? QChar(u'/') : Text[i];
        } else if (TakesArgument(code)) {
            while (i + 1 < n && Text[i + 1] != u';')
                ++i;
            ++i; // the semicolon
        }
        // Other codes (\L, \l, \O, \o, \K, \k and unknown ones) are toggles: dropped.
    }
    lines.append(line);
    return lines;
}
