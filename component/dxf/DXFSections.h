#pragma once
// The sections of a DXF file, as the reader reports them and the writer starts them.
#include "mycad_export.h"

#include <QObject>

namespace DXFEnums {
Q_NAMESPACE_EXPORT(MYCAD_EXPORT)

// scUnknow: no section, an unknown section name, or the end of the file.
enum class TSections { scHeader, scTables, scBlocks, scEntities, scUnknow, scClasses };
Q_ENUM_NS(TSections)

} // namespace DXFEnums

using DXFEnums::TSections;
inline constexpr TSections scHeader = TSections::scHeader;
inline constexpr TSections scTables = TSections::scTables;
inline constexpr TSections scBlocks = TSections::scBlocks;
inline constexpr TSections scEntities = TSections::scEntities;
inline constexpr TSections scUnknow = TSections::scUnknow;
inline constexpr TSections scClasses = TSections::scClasses;
