#include "component/library/LibraryFormat.h"

#include <QString>
#include <array>

namespace LibraryFormat {

namespace {
struct TTagEntry {
    const char* Tag;
    TLibGenerationInfo Info;
};
constexpr std::array<TTagEntry, 11> kTags = {{
    {"ZEDALIBX.i", {TLibGeneration::Xi, "XP.i", true}},
    {"ZEDALIBX.L", {TLibGeneration::XiLong, "XP.iL", true}},
    {"ZEDALIBX.h", {TLibGeneration::Xh, "XP.h", true}},
    {"ZEDALIBX.e", {TLibGeneration::Xe, "XP.e", true}},
    {"ZEDALIBX.a", {TLibGeneration::Xa, "XP.a", true}},
    {"ZEDALIBX.9", {TLibGeneration::X9, "XP.9", true}},
    {"ZEDALIBX.8", {TLibGeneration::X8, "XP.8", true}},
    {"ZEDALIBX.7", {TLibGeneration::X7, "XP.7", false}},
    {"ZEDALIBX.6", {TLibGeneration::X6, "XP.6", false}},
    {"ZEDALIBX.3", {TLibGeneration::X3, "XP.4", false}},
    {"ZEDALIBX.2", {TLibGeneration::X2, "XP.2", false}},
}};
} // namespace

std::optional<TLibGenerationInfo> GenerationOfTag(const QByteArray& Tag)
{
    if (Tag.size() != kTagSize)
        return std::nullopt;
    for (const TTagEntry& entry : kTags)
        if (Tag == entry.Tag)
            return entry.Info;
    return std::nullopt;
}

std::optional<TRecordFormat> RecordFormatOf(const TLibGenerationInfo& Info)
{
    return DrawingFormat::FormatOfTag(QString::fromLatin1(Info.DiskFileVersion));
}

} // namespace LibraryFormat
