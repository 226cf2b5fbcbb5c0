#pragma once
// The pixels a filled polygon with a one-pixel outline covers, counted by scan conversion
// row by row: a pixel counts when its centre lies inside the polygon (even-odd) or the
// outline passes through it (one pixel per step along each edge's longer axis). Only the
// pixels of the Width x Height box from (0, 0) count. The count is 64-bit and no raster
// is allocated, whatever the polygon's size.
#include "mycad_export.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

MYCAD_EXPORT int64_t CountPolygonPixels(const std::vector<TPoint>& Polygon, int Width, int Height);
