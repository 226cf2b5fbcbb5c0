#pragma once
// Vocabulary of the drawing surface: the enumerations of pens, brushes, fonts and bitmaps
// (ordinals are written to files, so their order is fixed), the GDI-style constants the
// canvas takes (background and fill modes, path vertex kinds, mapping and graphics modes,
// region operations, text alignment, copy modes, device capabilities), and the small
// records TSize and XFORM.
//
// The enumerations are scoped (enum class) and registered with Qt's meta-object system in
// the namespace Graphics, so a property inspector can list and parse their names; a
// `using enum` below makes every member reachable unqualified (psSolid, pmXor, bsClear...).
#include "mycad_export.h"
#include <QObject>
#include <cstdint>

namespace Graphics {
Q_NAMESPACE_EXPORT(MYCAD_EXPORT)

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

// Raster operation of pen and brush: the result from pen (or brush) colour P and the
// destination pixel D, bit by bit.
enum class TPenMode : uint8_t {
    pmBlack,        // 0
    pmWhite,        // 1
    pmNop,          // D (nothing is drawn)
    pmNot,          // ~D
    pmCopy,         // P
    pmNotCopy,      // ~P
    pmMergePenNot,  // P | ~D
    pmMaskPenNot,   // P & ~D
    pmMergeNotPen,  // ~P | D
    pmMaskNotPen,   // ~P & D
    pmMerge,        // P | D
    pmNotMerge,     // ~(P | D)
    pmMask,         // P & D
    pmNotMask,      // ~(P & D)
    pmXor,          // P ^ D
    pmNotXor        // ~(P ^ D)
};
Q_ENUM_NS(TPenMode)

enum class TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)

// Font style bits; a set of them is TFontStyles (its integer value is the set's byte as
// written to files: bold 1, italic 2, underline 4, strike-out 8).
enum class TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

// Rendering quality of a font; the ordinals equal the log-font quality values.
enum class TFontQuality : uint8_t { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
Q_ENUM_NS(TFontQuality)

enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Pixel formats of a bitmap. Only pf8bit, pf24bit and pf32bit are stored as such; the
// others are kept as pf24bit (see Bitmap.h).
enum class TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
Q_ENUM_NS(TPixelFormat)

// How a transparent bitmap finds its transparent colour: tmAuto takes the bottom-left
// pixel, tmFixed the stored colour.
enum class TTransparentMode : uint8_t { tmAuto, tmFixed };
Q_ENUM_NS(TTransparentMode)

} // namespace Graphics

Q_DECLARE_OPERATORS_FOR_FLAGS(Graphics::TFontStyles)

using Graphics::TAlignment;
using Graphics::TBrushStyle;
using Graphics::TFontPitch;
using Graphics::TFontQuality;
using Graphics::TFontStyle;
using Graphics::TFontStyles;
using Graphics::TPenMode;
using Graphics::TPenStyle;
using Graphics::TPixelFormat;
using Graphics::TTransparentMode;
using enum Graphics::TPenStyle;
using enum Graphics::TPenMode;
using enum Graphics::TBrushStyle;
using enum Graphics::TFontStyle;
using enum Graphics::TFontPitch;
using enum Graphics::TFontQuality;
using enum Graphics::TAlignment;
using enum Graphics::TPixelFormat;
using enum Graphics::TTransparentMode;

// Width and height of a text or picture extent.
struct MYCAD_EXPORT TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// A world transform: x' = x * eM11 + y * eM21 + eDx, y' = x * eM12 + y * eM22 + eDy
// (the same convention as QTransform(eM11, eM12, eM21, eM22, eDx, eDy)).
struct MYCAD_EXPORT XFORM {
    float eM11 = 1;
    float eM12 = 0;
    float eM21 = 0;
    float eM22 = 1;
    float eDx = 0;
    float eDy = 0;
    friend constexpr bool operator==(const XFORM&, const XFORM&) = default;
};

// Background mode of text and hatched brushes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Vertex kinds returned by TCanvas::GetPath; PT_CLOSEFIGURE is or-ed into the last vertex
// of a closed figure.
constexpr uint8_t PT_CLOSEFIGURE = 1;
constexpr uint8_t PT_LINETO = 2;
constexpr uint8_t PT_BEZIERTO = 4;
constexpr uint8_t PT_MOVETO = 6;

// Mapping modes (logical unit, y direction). MM_ISOTROPIC and MM_ANISOTROPIC are not offered.
constexpr int MM_TEXT = 1;       // one device pixel, y down
constexpr int MM_LOMETRIC = 2;   // 0.1 mm, y up
constexpr int MM_HIMETRIC = 3;   // 0.01 mm, y up
constexpr int MM_LOENGLISH = 4;  // 0.01 inch, y up
constexpr int MM_HIENGLISH = 5;  // 0.001 inch, y up
constexpr int MM_TWIPS = 6;      // 1/1440 inch, y up

// Graphics modes: world transforms need GM_ADVANCED.
constexpr int GM_COMPATIBLE = 1;
constexpr int GM_ADVANCED = 2;

// ModifyWorldTransform modes.
constexpr int MWT_IDENTITY = 1;
constexpr int MWT_LEFTMULTIPLY = 2;   // new = given * current (the given one applies first)
constexpr int MWT_RIGHTMULTIPLY = 3;  // new = current * given

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Arc directions (as seen on a y-down device).
constexpr int AD_COUNTERCLOCKWISE = 1;
constexpr int AD_CLOCKWISE = 2;

// Text alignment of TextOut's reference point (horizontal | vertical).
constexpr int TA_LEFT = 0;
constexpr int TA_RIGHT = 2;
constexpr int TA_CENTER = 6;
constexpr int TA_TOP = 0;
constexpr int TA_BOTTOM = 8;
constexpr int TA_BASELINE = 24;

// Log-font weights, character sets, pitches and qualities.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t DEFAULT_PITCH = 0;
constexpr uint8_t FIXED_PITCH = 1;
constexpr uint8_t VARIABLE_PITCH = 2;
constexpr uint8_t DEFAULT_QUALITY = 0;
constexpr uint8_t NONANTIALIASED_QUALITY = 3;
constexpr uint8_t ANTIALIASED_QUALITY = 4;
constexpr uint8_t CLEARTYPE_QUALITY = 5;

// Copy modes of Draw, StretchDraw and CopyRect (raster operations of source S and
// destination D). Modes not listed here copy.
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;   // ~D
constexpr TCopyMode cmMergePaint = 0x00BB0226;  // ~S | D
constexpr TCopyMode cmNotSrcCopy = 0x00330008;  // ~S
constexpr TCopyMode cmNotSrcErase = 0x001100A6; // ~(S | D)
constexpr TCopyMode cmSrcAnd = 0x008800C6;      // S & D
constexpr TCopyMode cmSrcCopy = 0x00CC0020;     // S
constexpr TCopyMode cmSrcErase = 0x00440328;    // S & ~D
constexpr TCopyMode cmSrcInvert = 0x00660046;   // S ^ D
constexpr TCopyMode cmSrcPaint = 0x00EE0086;    // S | D
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Device capabilities for TCanvas::GetDeviceCaps.
constexpr int HORZSIZE = 4;    // width in millimetres
constexpr int VERTSIZE = 6;    // height in millimetres
constexpr int HORZRES = 8;     // width in pixels
constexpr int VERTRES = 10;    // height in pixels
constexpr int BITSPIXEL = 12;  // bits per pixel
constexpr int NUMCOLORS = 24;  // -1 for more than 256 colours
constexpr int LOGPIXELSX = 88; // pixels per inch
constexpr int LOGPIXELSY = 90;

// The value Pixels() returns outside the device.
constexpr int32_t CLR_INVALID = -1;
