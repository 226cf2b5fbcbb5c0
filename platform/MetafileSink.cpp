#include "MetafileSink.h"

bool TMfBrush::operator==(const TMfBrush& other) const
{
    return Style == other.Style && Color == other.Color && Hatch == other.Hatch
        && Pattern.cacheKey() == other.Pattern.cacheKey();
}

TMetafileSink::~TMetafileSink() = default;

void TMetafileSink::ResetState()
{
    FPen.reset();
    FBrush.reset();
    FFont.reset();
    FRop2 = 0;
    FBkMode = 0;
    FBkColor = -1;
    FTextColor = -1;
    FTextAlign = -1;
    FPolyFillMode = 0;
    FClipKnown = false;
    FClip.reset();
}

void TMetafileSink::SelectPen(const TMfPen& pen)
{
    if (!FOk || (FPen && *FPen == pen))
        return;
    FPen = pen;
    WritePen(pen);
}

void TMetafileSink::SelectBrush(const TMfBrush& brush)
{
    if (!FOk || (FBrush && *FBrush == brush))
        return;
    FBrush = brush;
    WriteBrush(brush);
}

void TMetafileSink::SelectFont(const TMfFont& font)
{
    if (!FOk || (FFont && *FFont == font))
        return;
    FFont = font;
    WriteFont(font);
}

void TMetafileSink::SetRop2(int rop)
{
    if (!FOk || FRop2 == rop)
        return;
    FRop2 = rop;
    WriteRop2(rop);
}

void TMetafileSink::SetBkMode(int mode)
{
    if (!FOk || FBkMode == mode)
        return;
    FBkMode = mode;
    WriteBkMode(mode);
}

void TMetafileSink::SetBkColor(TColor color)
{
    if (!FOk || FBkColor == color)
        return;
    FBkColor = color;
    WriteBkColor(color);
}

void TMetafileSink::SetTextColor(TColor color)
{
    if (!FOk || FTextColor == color)
        return;
    FTextColor = color;
    WriteTextColor(color);
}

void TMetafileSink::SetTextAlign(uint32_t align)
{
    if (!FOk || FTextAlign == int64_t(align))
        return;
    FTextAlign = align;
    WriteTextAlign(align);
}

void TMetafileSink::SetPolyFillMode(int mode)
{
    if (!FOk || FPolyFillMode == mode)
        return;
    FPolyFillMode = mode;
    WritePolyFillMode(mode);
}

void TMetafileSink::SetClip(const std::optional<QRegion>& clip)
{
    if (!FOk || (FClipKnown && FClip == clip))
        return;
    FClipKnown = true;
    FClip = clip;
    WriteClip(clip);
}
