#include "Color.h"

#include <array>

TColor ColorToRGB(TColor c)
{
    if (c >= 0)
        return c & 0xFFFFFF;
    // A classic light system palette, so that system colours render the same everywhere.
    static constexpr std::array<TColor, 25> palette = {
        0xC8C8C8, 0xA56E3A, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xE1FFFF};
    const uint32_t index = uint32_t(c) & 0xFF;
    return index < palette.size() ? palette[index] : 0;
}

QColor ToQColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c)
{
    return RGB(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}
