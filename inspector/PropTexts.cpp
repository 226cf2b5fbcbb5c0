#include "inspector/PropTexts.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace PropTexts {

namespace {

struct TIdent {
    int32_t Value;
    const char* Name;
};

constexpr TColor SysColor(uint32_t index)
{
    return TColor(0xFF000000u | index);
}

// Every colour with a name, in the order names are looked up.
constexpr std::array<TIdent, 52> ColorIdents = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {SysColor(10), "clActiveBorder"}, {SysColor(2), "clActiveCaption"}, {SysColor(12), "clAppWorkSpace"},
    {SysColor(1), "clBackground"}, {SysColor(15), "clBtnFace"}, {SysColor(20), "clBtnHighlight"},
    {SysColor(16), "clBtnShadow"}, {SysColor(18), "clBtnText"}, {SysColor(9), "clCaptionText"},
    {clDefault, "clDefault"}, {SysColor(27), "clGradientActiveCaption"}, {SysColor(28), "clGradientInactiveCaption"},
    {SysColor(17), "clGrayText"}, {SysColor(13), "clHighlight"}, {SysColor(14), "clHighlightText"},
    {SysColor(26), "clHotLight"}, {SysColor(11), "clInactiveBorder"}, {SysColor(3), "clInactiveCaption"},
    {SysColor(19), "clInactiveCaptionText"}, {SysColor(24), "clInfoBk"}, {SysColor(23), "clInfoText"},
    {SysColor(4), "clMenu"}, {SysColor(30), "clMenuBar"}, {SysColor(29), "clMenuHighlight"},
    {SysColor(7), "clMenuText"}, {clNone, "clNone"}, {SysColor(0), "clScrollBar"},
    {SysColor(21), "cl3DDkShadow"}, {SysColor(22), "cl3DLight"}, {SysColor(5), "clWindow"},
    {SysColor(6), "clWindowFrame"}, {SysColor(8), "clWindowText"},
}};

constexpr std::array<TIdent, 22> CursorIdents = {{
    {0, "crDefault"}, {-1, "crNone"}, {-2, "crArrow"}, {-3, "crCross"}, {-4, "crIBeam"},
    {-6, "crSizeNESW"}, {-7, "crSizeNS"}, {-8, "crSizeNWSE"}, {-9, "crSizeWE"}, {-10, "crUpArrow"},
    {-11, "crHourGlass"}, {-12, "crDrag"}, {-13, "crNoDrop"}, {-14, "crHSplit"}, {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"}, {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
}};

constexpr std::array<TIdent, 19> CharsetIdents = {{
    {0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}, {2, "SYMBOL_CHARSET"}, {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"}, {130, "JOHAB_CHARSET"}, {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"}, {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"}, {178, "ARABIC_CHARSET"}, {186, "BALTIC_CHARSET"}, {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"}, {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
}};

template <size_t N>
const char* NameOf(const std::array<TIdent, N>& table, int32_t value)
{
    for (const TIdent& i : table)
        if (i.Value == value)
            return i.Name;
    return nullptr;
}

template <size_t N>
std::optional<int32_t> ValueOf(const std::array<TIdent, N>& table, const QString& name)
{
    for (const TIdent& i : table)
        if (name.compare(QLatin1String(i.Name), Qt::CaseInsensitive) == 0)
            return i.Value;
    return std::nullopt;
}

// A 32-bit signed number: decimal within range, or hexadecimal bits up to 0xFFFFFFFF.
std::optional<int32_t> ToInt32(const QString& text)
{
    const std::optional<TParsedInteger> n = TextToInteger(text);
    if (!n)
        return std::nullopt;
    if (n->Hex)
        return n->Bits <= 0xFFFFFFFFu ? std::optional<int32_t>(int32_t(uint32_t(n->Bits))) : std::nullopt;
    if (n->Value < INT32_MIN || n->Value > INT32_MAX)
        return std::nullopt;
    return int32_t(n->Value);
}

constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;

struct TKeyName {
    int Key;
    const char* Name;
};
constexpr std::array<TKeyName, 17> SpecialKeys = {{
    {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"}, {0x20, "Space"}, {0x21, "PgUp"},
    {0x22, "PgDn"}, {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"},
    {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"}, {0x0C, "Clear"}, {0x13, "Pause"},
}};

QString KeyName(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return QString(QChar(key));
    if (key >= 0x70 && key <= 0x87)
        return QStringLiteral("F%1").arg(key - 0x70 + 1);
    for (const TKeyName& k : SpecialKeys)
        if (k.Key == key)
            return QLatin1String(k.Name);
    return QString();
}

std::optional<int> KeyOf(const QString& name)
{
    if (name.size() == 1) {
        const QChar c = name.at(0).toUpper();
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return c.unicode();
    }
    if (name.size() >= 2 && name.at(0).toUpper() == QLatin1Char('F')) {
        bool ok = false;
        const int f = name.mid(1).toInt(&ok);
        if (ok && f >= 1 && f <= 24 && name.mid(1) == QString::number(f))
            return 0x70 + f - 1;
    }
    for (const TKeyName& k : SpecialKeys)
        if (name.compare(QLatin1String(k.Name), Qt::CaseInsensitive) == 0)
            return k.Key;
    return std::nullopt;
}

} // namespace

// ---- Colours --------------------------------------------------------------------------

QString ColorToString(TColor color)
{
    if (const char* name = NameOf(ColorIdents, color))
        return QLatin1String(name);
    return QStringLiteral("$%1").arg(uint32_t(color), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> StringToColor(const QString& text)
{
    const QString t = text.trimmed();
    if (const std::optional<int32_t> v = ValueOf(ColorIdents, t))
        return *v;
    return ToInt32(t);
}

QStringList ColorValueNames()
{
    QStringList names;
    for (size_t i = 0; i < 16; ++i)
        names << QLatin1String(ColorIdents[i].Name);
    for (uint32_t index = 0; index <= 32; ++index)
        if (const char* name = NameOf(ColorIdents, SysColor(index)))
            names << QLatin1String(name);
    return names;
}

// ---- Cursors and charsets -------------------------------------------------------------

QString CursorToString(int cursor)
{
    if (const char* name = NameOf(CursorIdents, cursor))
        return QLatin1String(name);
    return QString::number(cursor);
}

std::optional<int> StringToCursor(const QString& text)
{
    const QString t = text.trimmed();
    if (const std::optional<int32_t> v = ValueOf(CursorIdents, t))
        return *v;
    return ToInt32(t);
}

QStringList CursorValueNames()
{
    QStringList names;
    for (int c = 0; c >= -32; --c)
        if (const char* name = NameOf(CursorIdents, c))
            names << QLatin1String(name);
    return names;
}

QString CharsetToString(int charset)
{
    if (const char* name = NameOf(CharsetIdents, charset))
        return QLatin1String(name);
    return QString::number(charset);
}

std::optional<int> StringToCharset(const QString& text)
{
    const QString t = text.trimmed();
    if (const std::optional<int32_t> v = ValueOf(CharsetIdents, t))
        return *v;
    return ToInt32(t);
}

QStringList CharsetValueNames()
{
    QStringList names;
    for (const TIdent& i : CharsetIdents)
        names << QLatin1String(i.Name);
    return names;
}

// ---- Shortcuts ------------------------------------------------------------------------

QString ShortCutToText(int shortCut)
{
    const QString key = KeyName(shortCut & 0xFF);
    if (shortCut == 0 || key.isEmpty() || (shortCut & ~0xE0FF) != 0)
        return QStringLiteral("(None)");
    QString text;
    if (shortCut & scShift)
        text += QStringLiteral("Shift+");
    if (shortCut & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (shortCut & scAlt)
        text += QStringLiteral("Alt+");
    return text + key;
}

std::optional<int> TextToShortCut(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("(None)"), Qt::CaseInsensitive) == 0)
        return 0;
    int mods = 0;
    for (;;) {
        struct {
            const char* Prefix;
            int Bit;
        } const prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
        bool found = false;
        for (const auto& p : prefixes) {
            const QLatin1String prefix(p.Prefix);
            if (t.size() > prefix.size() && t.startsWith(prefix, Qt::CaseInsensitive)) {
                mods |= p.Bit;
                t = t.mid(prefix.size());
                found = true;
            }
        }
        if (!found)
            break;
    }
    const std::optional<int> key = KeyOf(t);
    if (!key)
        return std::nullopt;
    return mods | *key;
}

QStringList ShortCutValueNames()
{
    QStringList names{QStringLiteral("(None)")};
    for (int c = 'A'; c <= 'Z'; ++c)
        names << ShortCutToText(scCtrl | c);
    for (int mods : {0, scCtrl, scShift, scShift | scCtrl})
        for (int f = 0; f < 12; ++f)
            names << ShortCutToText(mods | (0x70 + f));
    for (int key : {0x2D, 0x2E})
        for (int mods : {0, scShift, scCtrl})
            names << ShortCutToText(mods | key);
    names << ShortCutToText(scAlt | 0x08) << ShortCutToText(scShift | scAlt | 0x08);
    return names;
}

// ---- Numbers --------------------------------------------------------------------------

QString FloatToText(double value, bool single)
{
    if (!std::isfinite(value))
        return QString::number(value);
    char buf[64];
    const std::to_chars_result r = single ? std::to_chars(buf, buf + sizeof buf, float(value), std::chars_format::scientific)
                                          : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    *r.ptr = '\0';
    // buf: [-]d[.ddd]e[+-]xx
    const bool negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    const char* e = std::strchr(p, 'e');
    QByteArray digits;
    for (const char* q = p; q < e; ++q)
        if (*q != '.')
            digits += *q;
    const int exponent = std::atoi(e + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QByteArray text;
    if (digits == "0") {
        text = "0";
    } else if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            text = "0." + QByteArray(-exponent - 1, '0') + digits;
        } else if (exponent + 1 >= digits.size()) {
            text = digits + QByteArray(exponent + 1 - digits.size(), '0');
        } else {
            text = digits.left(exponent + 1) + '.' + digits.mid(exponent + 1);
        }
    } else {
        text = digits.left(1);
        if (digits.size() > 1)
            text += '.' + digits.mid(1);
        text += 'E' + QByteArray::number(exponent);
    }
    if (negative && text != "0")
        text.prepend('-');
    return QString::fromLatin1(text);
}

std::optional<double> TextToFloat(const QString& text)
{
    QByteArray t = text.trimmed().toLatin1();
    if (t.isEmpty() || text.trimmed().size() != t.size())
        return std::nullopt;
    if (t.startsWith('+'))
        t.remove(0, 1);
    if (t.isEmpty() || !(std::isdigit(uchar(t[0])) || t[0] == '.' || t[0] == '-'))
        return std::nullopt;
    double value = 0;
    const std::from_chars_result r = std::from_chars(t.constData(), t.constData() + t.size(), value, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != t.constData() + t.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<TParsedInteger> TextToInteger(const QString& text)
{
    const QByteArray t = text.trimmed().toLatin1();
    if (t.isEmpty() || text.trimmed().size() != t.size())
        return std::nullopt;
    TParsedInteger n;
    const char* p = t.constData();
    const char* end = p + t.size();
    if (*p == '$' || (t.size() > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) {
        p += *p == '$' ? 1 : 2;
        if (p == end || end - p > 16)
            return std::nullopt;
        const std::from_chars_result r = std::from_chars(p, end, n.Bits, 16);
        if (r.ec != std::errc() || r.ptr != end)
            return std::nullopt;
        n.Hex = true;
        return n;
    }
    if (*p == '+')
        ++p;
    if (p == end || *p == '+')
        return std::nullopt;
    const std::from_chars_result r = std::from_chars(p, end, n.Value, 10);
    if (r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    return n;
}

} // namespace PropTexts
