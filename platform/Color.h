#pragma once
// Colours as the drawing model stores them: a 32-bit value 0x00BBGGRR, red in the
// low byte. Converted to QColor only at the edge where Qt draws.
#include "mycad_export.h"
#include <QColor>
#include <cstdint>

using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// System colours: negative values naming an entry of the system palette.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clScrollBar = int32_t(0xFF000000u);
constexpr TColor clBackground = int32_t(0xFF000001u);
constexpr TColor clActiveCaption = int32_t(0xFF000002u);
constexpr TColor clInactiveCaption = int32_t(0xFF000003u);
constexpr TColor clMenu = int32_t(0xFF000004u);
constexpr TColor clWindow = int32_t(0xFF000005u);
constexpr TColor clWindowFrame = int32_t(0xFF000006u);
constexpr TColor clMenuText = int32_t(0xFF000007u);
constexpr TColor clWindowText = int32_t(0xFF000008u);
constexpr TColor clCaptionText = int32_t(0xFF000009u);
constexpr TColor clActiveBorder = int32_t(0xFF00000Au);
constexpr TColor clInactiveBorder = int32_t(0xFF00000Bu);
constexpr TColor clAppWorkSpace = int32_t(0xFF00000Cu);
constexpr TColor clHighlight = int32_t(0xFF00000Du);
constexpr TColor clHighlightText = int32_t(0xFF00000Eu);
constexpr TColor clBtnFace = int32_t(0xFF00000Fu);
constexpr TColor clBtnShadow = int32_t(0xFF000010u);
constexpr TColor clGrayText = int32_t(0xFF000011u);
constexpr TColor clBtnText = int32_t(0xFF000012u);
constexpr TColor clInactiveCaptionText = int32_t(0xFF000013u);
constexpr TColor clBtnHighlight = int32_t(0xFF000014u);
constexpr TColor clInfoText = int32_t(0xFF000017u);
constexpr TColor clInfoBk = int32_t(0xFF000018u);

// The red, green and blue bytes of an RGB colour (system colours resolved first).
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

// A system colour resolved to its RGB value (fixed values, so pictures do not depend on
// the desktop theme); RGB colours come back unchanged.
MYCAD_EXPORT TColor ColorToRGB(TColor c);

MYCAD_EXPORT QColor ToQColor(TColor c);
MYCAD_EXPORT TColor FromQColor(const QColor& c);
