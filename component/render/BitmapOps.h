#pragma once
// Routines on 24-bit bitmaps (three bytes per pixel, blue, green, red): grey conversion,
// brightness, contrast, mirroring and turning. The image shape adjusts its picture with
// them at every paint, and the gradient fill turns its pattern with RotateBitmap.
#include "mycad_export.h"
#include "platform/Bitmap.h"

#include <memory>

// Every pixel becomes the grey (b + g + r) div 3. Nothing when On is false.
MYCAD_EXPORT void GrayScaleBitmap(TBitmap& Bitmap, bool On);
// Adds Amount to every channel byte, clamped to 0..255. Nothing for 0.
MYCAD_EXPORT void AdjustBrightBitmap(TBitmap& Bitmap, int Amount);
// Pushes every channel away from the middle (127) by (|127 - v| * Amount) div 255, or
// pulls it toward the middle for a negative Amount, clamped to 0..255. Nothing for 0.
MYCAD_EXPORT void AdjustContrastBitmap(TBitmap& Bitmap, int Amount);
// Mirrors left-right and/or top-bottom. Nothing when both flags are false.
MYCAD_EXPORT void FlipBitmap(TBitmap& Bitmap, bool Horizontal, bool Vertical);
// A new bitmap: the source stretched to Width x Height and turned by Angle (radians,
// counter-clockwise on screen for a positive angle) about (dx + Width div 2, dy + Height div 2),
// nearest pixel on doubled coordinates; areas outside the picture come out white. The
// source's transparency settings pass to the result (its transparent colour fixed); the
// source's Transparent flag is cleared. Stretching takes for each pixel the source pixel
// under its centre (TPicturePipeline::NearestSource). A stretched size beyond the pixel
// limit gives an empty result.
MYCAD_EXPORT std::unique_ptr<TBitmap> RotateBitmap(TBitmap& Source, int Width, int Height, int dy, int dx, double Angle);
