#include "component/library/LibFileChecks.h"

#include "component/library/LibraryFormat.h"

#include <QFile>
#include <initializer_list>

using namespace LibraryFormat;

namespace {

// The file's first ten bytes; empty when it cannot be opened or is shorter.
QByteArray TagOfFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray tag = file.read(kTagSize);
    return tag.size() == kTagSize ? tag : QByteArray();
}

bool HasGeneration(const QString& fileName, std::initializer_list<TLibGeneration> generations)
{
    const std::optional<TLibGenerationInfo> info = GenerationOfTag(TagOfFile(fileName));
    if (!info)
        return false;
    for (TLibGeneration g : generations)
        if (info->Generation == g)
            return true;
    return false;
}

} // namespace

bool IsZEDALibFile(const QString& FileName)
{
    return GenerationOfTag(TagOfFile(FileName)).has_value();
}

bool IsZEDALibFileXH(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::Xh});
}

bool IsZEDALibFileXE(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::Xe});
}

bool IsZEDALibFileXA(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::Xa});
}

bool IsZEDALibFileX9(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::X9});
}

bool IsZEDALibFileX8(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::X8});
}

bool IsZEDALibFileX67(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::X6, TLibGeneration::X7});
}

bool IsZEDALibX2File(const QString& FileName)
{
    return HasGeneration(FileName, {TLibGeneration::X2});
}

bool IsOLDZEDALibFile(const QString& FileName)
{
    return TagOfFile(FileName) == kOldTag;
}
