// The gradient pattern: its size per style, sample entries of the colour ramp, and the
// mirroring that follows the shape's flip flags.
#include "support/DrawingTestSupport.h"

namespace {
// The grey level of pixel (x, y) of a black-to-white or white-to-black pattern.
int Grey(const TBitmap& bitmap, int x, int y)
{
    const uint8_t* line = bitmap.ScanLine(y);
    EXPECT_EQ(line[3 * x], line[3 * x + 1]);
    EXPECT_EQ(line[3 * x], line[3 * x + 2]);
    return line[3 * x];
}

TMyShape* Shape(TMyCAD& cad)
{
    return AddRect(cad, 0, 0, 40, 20);
}
} // namespace

TEST(Gradient, PatternSizesPerStyle)
{
    TMyCAD cad;
    TMyShape* s = Shape(cad);
    const std::tuple<TGradientStyle, int, int> sizes[] = {
        {gsRadialC, 362, 362},    {gsRadialT, 362, 181},    {gsRadialB, 362, 181},   {gsRadialL, 181, 362},
        {gsRadialR, 181, 362},    {gsRadialTL, 181, 181},   {gsRadialTR, 181, 181},  {gsRadialBL, 181, 181},
        {gsRadialBR, 181, 181},   {gsLinearH, 1, 256},      {gsLinearV, 256, 1},     {gsReflectedH, 1, 512},
        {gsReflectedV, 512, 1},   {gsDiagonalLF, 128, 129}, {gsDiagonalLB, 128, 129}, {gsDiagonalRF, 256, 256},
        {gsDiagonalRB, 256, 256}, {gsArrowL, 129, 256},     {gsArrowR, 129, 256},    {gsArrowU, 256, 129},
        {gsArrowD, 256, 129},     {gsDiamond, 256, 256},    {gsButterfly, 256, 256}};
    for (const auto& [style, w, h] : sizes) {
        s->SetGradientStyle(style);
        EXPECT_EQ(s->GradientBitmap()->Width(), w) << EnumToName(style).toStdString();
        EXPECT_EQ(s->GradientBitmap()->Height(), h) << EnumToName(style).toStdString();
        EXPECT_EQ(s->GradientBitmap()->PixelFormat(), pf24bit);
    }
    s->SetGradientStyle(gsNone);
    EXPECT_TRUE(s->GradientBitmap()->Empty() || s->GradientBitmap()->Width() == 0);
}

TEST(Gradient, RampEntriesFollowThePattern)
{
    TMyCAD cad;
    TMyShape* s = Shape(cad);
    // White to black: entry i is 255 - (i * 255) div 255 = 255 - i.
    s->SetGradientStyle(gsLinearV);
    for (int x : {0, 1, 100, 255})
        EXPECT_EQ(Grey(*s->GradientBitmap(), x, 0), 255 - x);
    s->SetGradientStyle(gsRadialC);
    EXPECT_EQ(Grey(*s->GradientBitmap(), 180, 180), 255);   // entry 0
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 0), 0);         // entry 255
    EXPECT_EQ(Grey(*s->GradientBitmap(), 180, 170), 255 - 10);
    s->SetGradientStyle(gsReflectedH);
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 0), 0);     // 255 - 0
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 255), 255); // entry 0
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 256), 255); // entry 0 again
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 511), 0);
    s->SetGradientStyle(gsDiamond);
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 0), 0);       // 255 - 0 - 0
    EXPECT_EQ(Grey(*s->GradientBitmap(), 200, 10), 65);   // x - y = 190
    EXPECT_EQ(Grey(*s->GradientBitmap(), 10, 200), 65);   // y - x = 190
    EXPECT_EQ(Grey(*s->GradientBitmap(), 200, 200), 110); // x + y - 255 = 145
}

TEST(Gradient, TwoColoursMixChannelByChannelWithTruncation)
{
    TMyCAD cad;
    TMyShape* s = Shape(cad);
    s->SetColorBegin(RGB(10, 200, 0));
    s->SetColorEnd(RGB(20, 0, 255));
    s->SetGradientStyle(gsLinearV);
    const uint8_t* line = s->GradientBitmap()->ScanLine(0);
    // Entry 100: red 10 + 1000 div 255 = 13, green 200 + (-20000) div 255 = 122, blue 100.
    EXPECT_EQ(line[3 * 100 + 2], 13);
    EXPECT_EQ(line[3 * 100 + 1], 122);
    EXPECT_EQ(line[3 * 100], 100);
}

TEST(Gradient, StyleChangeMirrorsThePatternByTheFlipFlags)
{
    TMyCAD cad;
    TMyShape* s = Shape(cad);
    s->SetIsFlipHorz(true);
    ASSERT_TRUE(s->IsFlipHorz());
    s->SetGradientStyle(gsLinearV);
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 0), 0); // mirrored: entry 255 at the left
    EXPECT_EQ(Grey(*s->GradientBitmap(), 255, 0), 255);
    s->SetIsFlipHorz(true); // back to unmirrored, pattern rebuilt unmirrored
    EXPECT_EQ(Grey(*s->GradientBitmap(), 0, 0), 255);
}
