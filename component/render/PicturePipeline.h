#pragma once
// TPicturePipeline: the picture an image shape paints, computed for any part of it alone.
//
// The steps are those of the bitmap routines applied one after another to a copy of the
// picture: GrayScaleBitmap, AdjustContrastBitmap, AdjustBrightBitmap, FlipBitmap, then
// RotateBitmap (stretched to Width x Height, nearest pixel, and turned by Angle on doubled
// coordinates). Render gives the pixels of any rectangle of that result, equal to the
// pixels the routines give there, while reading only the source pixels it needs: a
// picture scaled up for a high zoom costs what is shown, not what it would measure.
#include "mycad_export.h"
#include "platform/Bitmap.h"

#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

struct MYCAD_EXPORT TPictureSteps {
    bool GrayScale = false;
    int Contrast = 0;   // -255..255
    int Brightness = 0; // -255..255
    bool FlipHorizontal = false;
    bool FlipVertical = false;
    // The stretched size and RotateBitmap's angle (radians).
    int Width = 0;
    int Height = 0;
    double Angle = 0;
};

class MYCAD_EXPORT TPicturePipeline {
public:
    // Sides of the stretched picture beyond this draw nothing (the coordinates of the turn
    // are then still exact in 64 bits).
    static constexpr int kMaxSide = 1 << 24;

    // The source must stay alive and unchanged while the pipeline is used.
    TPicturePipeline(const TBitmap& Source, const TPictureSteps& Steps);

    // Whether there is anything to compute (a picture, a stretched size within kMaxSide).
    bool Usable() const { return FUsable; }
    // The size of RotateBitmap's result.
    QSize ResultSize() const { return FResult; }
    // The pixels of Window (result coordinates, inside the result) into Out, a pf24bit
    // bitmap of the window's size. False when the window is empty or cannot be allocated.
    bool Render(const QRect& Window, TBitmap& Out) const;
    // The colour transparent drawing leaves out, as the steps' bitmaps carry it: in
    // tmFixed mode with a stored colour, that colour; otherwise the bottom-left pixel of
    // the adjusted and mirrored picture when it is turned, of the stretched one when not.
    TColor TransparentKey(TTransparentMode Mode, TColor Stored) const;

    // The source column (row) that stretching Source pixels to Target pixels shows at
    // position At: the pixel under the target pixel's centre.
    static int NearestSource(int64_t At, int64_t Target, int64_t Source)
    {
        return int(((2 * At + 1) * Source) / (2 * Target));
    }

private:
    // The adjusted and mirrored source pixel under pixel (sx, sy) of the stretched picture.
    void Stretched(int sx, int sy, uint8_t* To) const;
    void Adjusted(int x, int y, uint8_t* To) const;

    TBitmap FConverted; // the source in pf24bit when it was not
    const TBitmap* FPixels = nullptr;
    TPictureSteps FSteps;
    std::array<uint8_t, 256> FLut{};
    bool FUsable = false;
    QSize FResult;
    double FCos = 1, FSin = 0;
    int64_t FCx = 0, FCy = 0, FOx = 0, FOy = 0;
};
