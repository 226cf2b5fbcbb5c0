#include "component/persistence/DrawingFormat.h"

#include <array>

namespace DrawingFormat {

namespace {
struct TTagEntry {
    const char* Tag;
    TFileGeneration Generation;
};
constexpr std::array<TTagEntry, 11> kTags = {{
    {"XP.3", TFileGeneration::XP3},
    {"XP.4", TFileGeneration::XP4},
    {"XP.5", TFileGeneration::XP5},
    {"XP.6", TFileGeneration::XP6},
    {"XP.7", TFileGeneration::XP7},
    {"XP.8", TFileGeneration::XP8},
    {"XP.9", TFileGeneration::XP9},
    {"XP.a", TFileGeneration::XPa},
    {"XP.e", TFileGeneration::XPe},
    {"XP.h", TFileGeneration::XPh},
    {"XP.i", TFileGeneration::XPi},
}};
} // namespace

std::optional<TRecordFormat> FormatOfTag(const QString& Tag)
{
    if (Tag == QLatin1String(kLongStringTag))
        return TRecordFormat{TFileGeneration::XPi, true};
    for (const TTagEntry& entry : kTags)
        if (Tag == QLatin1String(entry.Tag))
            return TRecordFormat{entry.Generation, false};
    return std::nullopt;
}

QString TagOfFormat(TRecordFormat Format)
{
    if (Format.LongStrings)
        return QLatin1String(kLongStringTag);
    for (const TTagEntry& entry : kTags)
        if (entry.Generation == Format.Generation)
            return QLatin1String(entry.Tag);
    return QLatin1String(kCurrentTag);
}

} // namespace DrawingFormat
