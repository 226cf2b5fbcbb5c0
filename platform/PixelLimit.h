#pragma once
// The largest pictures the platform makes or reads: at most kMaxPictureDimension pixels
// a side and kMaxPicturePixels in all (those of the BMP files, so that every picture can
// be saved and read back), and picture files of at most kMaxPictureFileSize bytes.
// Sizes are compared in 64 bits, so no product of two sides can overflow.
#include "BmpCodec.h"

#include <cstdint>

constexpr int kMaxPictureDimension = kBmpMaxDimension;
constexpr int64_t kMaxPicturePixels = kBmpMaxPixels;
constexpr int64_t kMaxPictureFileSize = int64_t(1) << 30;

// Whether a width x height picture is within the limits (both sides at least 1).
constexpr bool PictureSizeAllowed(int64_t width, int64_t height, int64_t maxPixels = kMaxPicturePixels)
{
    return width >= 1 && height >= 1 && width <= kMaxPictureDimension && height <= kMaxPictureDimension
        && width * height <= maxPixels;
}
