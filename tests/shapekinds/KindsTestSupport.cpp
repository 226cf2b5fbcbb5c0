#include "KindsTestSupport.h"

int DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++n;
    return n;
}

bool AnyInk(TBitmap& picture, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (picture.Canvas().Pixels(x, y) != clWhite)
                return true;
    return false;
}

bool IsDark(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return GetRValue(rgb) < 128 && GetGValue(rgb) < 128 && GetBValue(rgb) < 128;
}
