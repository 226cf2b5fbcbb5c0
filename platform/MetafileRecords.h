#pragma once
// Record types and object constants of Windows metafiles: the enhanced format (EMF) and
// the old 16-bit one (WMF) with its placeable header. The metafile writers and players
// share them. All values are little-endian on disk.
#include <cstdint>

namespace Emf {
// Record types (EMR_...).
constexpr uint32_t HEADER = 1;
constexpr uint32_t POLYBEZIER = 2;
constexpr uint32_t POLYGON = 3;
constexpr uint32_t POLYLINE = 4;
constexpr uint32_t POLYBEZIERTO = 5;
constexpr uint32_t POLYLINETO = 6;
constexpr uint32_t POLYPOLYLINE = 7;
constexpr uint32_t POLYPOLYGON = 8;
constexpr uint32_t SETWINDOWEXTEX = 9;
constexpr uint32_t SETWINDOWORGEX = 10;
constexpr uint32_t SETVIEWPORTEXTEX = 11;
constexpr uint32_t SETVIEWPORTORGEX = 12;
constexpr uint32_t SETBRUSHORGEX = 13;
constexpr uint32_t EOF_ = 14;
constexpr uint32_t SETPIXELV = 15;
constexpr uint32_t SETMAPMODE = 17;
constexpr uint32_t SETBKMODE = 18;
constexpr uint32_t SETPOLYFILLMODE = 19;
constexpr uint32_t SETROP2 = 20;
constexpr uint32_t SETSTRETCHBLTMODE = 21;
constexpr uint32_t SETTEXTALIGN = 22;
constexpr uint32_t SETTEXTCOLOR = 24;
constexpr uint32_t SETBKCOLOR = 25;
constexpr uint32_t OFFSETCLIPRGN = 26;
constexpr uint32_t MOVETOEX = 27;
constexpr uint32_t EXCLUDECLIPRECT = 29;
constexpr uint32_t INTERSECTCLIPRECT = 30;
constexpr uint32_t SCALEVIEWPORTEXTEX = 31;
constexpr uint32_t SCALEWINDOWEXTEX = 32;
constexpr uint32_t SAVEDC = 33;
constexpr uint32_t RESTOREDC = 34;
constexpr uint32_t SETWORLDTRANSFORM = 35;
constexpr uint32_t MODIFYWORLDTRANSFORM = 36;
constexpr uint32_t SELECTOBJECT = 37;
constexpr uint32_t CREATEPEN = 38;
constexpr uint32_t CREATEBRUSHINDIRECT = 39;
constexpr uint32_t DELETEOBJECT = 40;
constexpr uint32_t ANGLEARC = 41;
constexpr uint32_t ELLIPSE = 42;
constexpr uint32_t RECTANGLE = 43;
constexpr uint32_t ROUNDRECT = 44;
constexpr uint32_t ARC = 45;
constexpr uint32_t CHORD = 46;
constexpr uint32_t PIE = 47;
constexpr uint32_t SELECTPALETTE = 48;
constexpr uint32_t LINETO = 54;
constexpr uint32_t ARCTO = 55;
constexpr uint32_t SETARCDIRECTION = 57;
constexpr uint32_t SETMITERLIMIT = 58;
constexpr uint32_t BEGINPATH = 59;
constexpr uint32_t ENDPATH = 60;
constexpr uint32_t CLOSEFIGURE = 61;
constexpr uint32_t FILLPATH = 62;
constexpr uint32_t STROKEANDFILLPATH = 63;
constexpr uint32_t STROKEPATH = 64;
constexpr uint32_t FLATTENPATH = 65;
constexpr uint32_t WIDENPATH = 66;
constexpr uint32_t SELECTCLIPPATH = 67;
constexpr uint32_t ABORTPATH = 68;
constexpr uint32_t GDICOMMENT = 70;
constexpr uint32_t FILLRGN = 71;
constexpr uint32_t FRAMERGN = 72;
constexpr uint32_t INVERTRGN = 73;
constexpr uint32_t PAINTRGN = 74;
constexpr uint32_t EXTSELECTCLIPRGN = 75;
constexpr uint32_t BITBLT = 76;
constexpr uint32_t STRETCHBLT = 77;
constexpr uint32_t SETDIBITSTODEVICE = 80;
constexpr uint32_t STRETCHDIBITS = 81;
constexpr uint32_t EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EXTTEXTOUTA = 83;
constexpr uint32_t EXTTEXTOUTW = 84;
constexpr uint32_t POLYBEZIER16 = 85;
constexpr uint32_t POLYGON16 = 86;
constexpr uint32_t POLYLINE16 = 87;
constexpr uint32_t POLYBEZIERTO16 = 88;
constexpr uint32_t POLYLINETO16 = 89;
constexpr uint32_t POLYPOLYLINE16 = 90;
constexpr uint32_t POLYPOLYGON16 = 91;
constexpr uint32_t CREATEMONOBRUSH = 93;
constexpr uint32_t CREATEDIBPATTERNBRUSHPT = 94;
constexpr uint32_t EXTCREATEPEN = 95;
constexpr uint32_t SETICMMODE = 98;
constexpr uint32_t ALPHABLEND = 114;
constexpr uint32_t SETLAYOUT = 115;
constexpr uint32_t TRANSPARENTBLT = 116;

constexpr uint32_t SIGNATURE = 0x464D4520; // " EMF"
constexpr uint32_t VERSION = 0x00010000;
// The header with both extensions (pixel format, micrometres), then the description.
constexpr uint32_t HEADER_SIZE = 108;
// Stock objects are selected by these indices instead of a handle.
constexpr uint32_t STOCK_OBJECT = 0x80000000;
} // namespace Emf

namespace Wmf {
// Record functions (META_...).
constexpr uint16_t EOF_ = 0x0000;
constexpr uint16_t SETBKCOLOR = 0x0201;
constexpr uint16_t SETBKMODE = 0x0102;
constexpr uint16_t SETMAPMODE = 0x0103;
constexpr uint16_t SETROP2 = 0x0104;
constexpr uint16_t SETRELABS = 0x0105;
constexpr uint16_t SETPOLYFILLMODE = 0x0106;
constexpr uint16_t SETSTRETCHBLTMODE = 0x0107;
constexpr uint16_t SETTEXTCHAREXTRA = 0x0108;
constexpr uint16_t SETTEXTCOLOR = 0x0209;
constexpr uint16_t SETTEXTJUSTIFICATION = 0x020A;
constexpr uint16_t SETWINDOWORG = 0x020B;
constexpr uint16_t SETWINDOWEXT = 0x020C;
constexpr uint16_t SETVIEWPORTORG = 0x020D;
constexpr uint16_t SETVIEWPORTEXT = 0x020E;
constexpr uint16_t OFFSETWINDOWORG = 0x020F;
constexpr uint16_t SCALEWINDOWEXT = 0x0410;
constexpr uint16_t OFFSETVIEWPORTORG = 0x0211;
constexpr uint16_t SCALEVIEWPORTEXT = 0x0412;
constexpr uint16_t LINETO = 0x0213;
constexpr uint16_t MOVETO = 0x0214;
constexpr uint16_t EXCLUDECLIPRECT = 0x0415;
constexpr uint16_t INTERSECTCLIPRECT = 0x0416;
constexpr uint16_t ARC = 0x0817;
constexpr uint16_t ELLIPSE = 0x0418;
constexpr uint16_t FLOODFILL = 0x0419;
constexpr uint16_t PIE = 0x081A;
constexpr uint16_t RECTANGLE = 0x041B;
constexpr uint16_t ROUNDRECT = 0x061C;
constexpr uint16_t PATBLT = 0x061D;
constexpr uint16_t SAVEDC = 0x001E;
constexpr uint16_t SETPIXEL = 0x041F;
constexpr uint16_t OFFSETCLIPRGN = 0x0220;
constexpr uint16_t TEXTOUT = 0x0521;
constexpr uint16_t BITBLT = 0x0922;
constexpr uint16_t STRETCHBLT = 0x0B23;
constexpr uint16_t POLYGON = 0x0324;
constexpr uint16_t POLYLINE = 0x0325;
constexpr uint16_t ESCAPE = 0x0626;
constexpr uint16_t RESTOREDC = 0x0127;
constexpr uint16_t FILLREGION = 0x0228;
constexpr uint16_t FRAMEREGION = 0x0429;
constexpr uint16_t INVERTREGION = 0x012A;
constexpr uint16_t PAINTREGION = 0x012B;
constexpr uint16_t SELECTCLIPREGION = 0x012C;
constexpr uint16_t SELECTOBJECT = 0x012D;
constexpr uint16_t SETTEXTALIGN = 0x012E;
constexpr uint16_t CHORD = 0x0830;
constexpr uint16_t SETMAPPERFLAGS = 0x0231;
constexpr uint16_t EXTTEXTOUT = 0x0A32;
constexpr uint16_t SETDIBTODEV = 0x0D33;
constexpr uint16_t SELECTPALETTE = 0x0234;
constexpr uint16_t REALIZEPALETTE = 0x0035;
constexpr uint16_t SETPALENTRIES = 0x0037;
constexpr uint16_t POLYPOLYGON = 0x0538;
constexpr uint16_t DIBBITBLT = 0x0940;
constexpr uint16_t DIBSTRETCHBLT = 0x0B41;
constexpr uint16_t DIBCREATEPATTERNBRUSH = 0x0142;
constexpr uint16_t STRETCHDIB = 0x0F43;
constexpr uint16_t EXTFLOODFILL = 0x0548;
constexpr uint16_t DELETEOBJECT = 0x01F0;
constexpr uint16_t CREATEPALETTE = 0x00F7;
constexpr uint16_t CREATEPATTERNBRUSH = 0x01F9;
constexpr uint16_t CREATEPENINDIRECT = 0x02FA;
constexpr uint16_t CREATEFONTINDIRECT = 0x02FB;
constexpr uint16_t CREATEBRUSHINDIRECT = 0x02FC;
constexpr uint16_t CREATEREGION = 0x06FF;

constexpr uint32_t PLACEABLE_KEY = 0x9AC6CDD7;
constexpr int PLACEABLE_SIZE = 22; // bytes
constexpr int HEADER_WORDS = 9;
constexpr uint16_t VERSION = 0x0300;
} // namespace Wmf

// Pen styles (LOGPEN, EXTLOGPEN).
constexpr uint32_t PS_SOLID = 0;
constexpr uint32_t PS_DASH = 1;
constexpr uint32_t PS_DOT = 2;
constexpr uint32_t PS_DASHDOT = 3;
constexpr uint32_t PS_DASHDOTDOT = 4;
constexpr uint32_t PS_NULL = 5;
constexpr uint32_t PS_INSIDEFRAME = 6;
constexpr uint32_t PS_USERSTYLE = 7;
constexpr uint32_t PS_ALTERNATE = 8;
constexpr uint32_t PS_STYLE_MASK = 0x0000000F;
constexpr uint32_t PS_ENDCAP_ROUND = 0x00000000;
constexpr uint32_t PS_ENDCAP_SQUARE = 0x00000100;
constexpr uint32_t PS_ENDCAP_FLAT = 0x00000200;
constexpr uint32_t PS_ENDCAP_MASK = 0x00000F00;
constexpr uint32_t PS_JOIN_ROUND = 0x00000000;
constexpr uint32_t PS_JOIN_BEVEL = 0x00001000;
constexpr uint32_t PS_JOIN_MITER = 0x00002000;
constexpr uint32_t PS_JOIN_MASK = 0x0000F000;
constexpr uint32_t PS_COSMETIC = 0x00000000;
constexpr uint32_t PS_GEOMETRIC = 0x00010000;

// Brush styles and hatches (LOGBRUSH).
constexpr uint32_t BS_SOLID = 0;
constexpr uint32_t BS_NULL = 1;
constexpr uint32_t BS_HATCHED = 2;
constexpr uint32_t BS_PATTERN = 3;
constexpr uint32_t BS_DIBPATTERN = 5;
constexpr uint32_t BS_DIBPATTERNPT = 6;
constexpr uint32_t HS_HORIZONTAL = 0;
constexpr uint32_t HS_VERTICAL = 1;
constexpr uint32_t HS_FDIAGONAL = 2;
constexpr uint32_t HS_BDIAGONAL = 3;
constexpr uint32_t HS_CROSS = 4;
constexpr uint32_t HS_DIAGCROSS = 5;

// Stock objects (GetStockObject indices).
constexpr uint32_t WHITE_BRUSH = 0;
constexpr uint32_t LTGRAY_BRUSH = 1;
constexpr uint32_t GRAY_BRUSH = 2;
constexpr uint32_t DKGRAY_BRUSH = 3;
constexpr uint32_t BLACK_BRUSH = 4;
constexpr uint32_t NULL_BRUSH = 5;
constexpr uint32_t WHITE_PEN = 6;
constexpr uint32_t BLACK_PEN = 7;
constexpr uint32_t NULL_PEN = 8;
constexpr uint32_t OEM_FIXED_FONT = 10;
constexpr uint32_t ANSI_FIXED_FONT = 11;
constexpr uint32_t ANSI_VAR_FONT = 12;
constexpr uint32_t SYSTEM_FONT = 13;
constexpr uint32_t DEVICE_DEFAULT_FONT = 14;
constexpr uint32_t DEFAULT_PALETTE = 15;
constexpr uint32_t SYSTEM_FIXED_FONT = 16;
constexpr uint32_t DEFAULT_GUI_FONT = 17;
constexpr uint32_t DC_BRUSH = 18;
constexpr uint32_t DC_PEN = 19;

// Binary raster operations (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Stretch modes, DIB colour usage, ExtTextOut options, clip-region data.
constexpr int COLORONCOLOR = 3;
constexpr uint32_t DIB_RGB_COLORS = 0;
constexpr uint32_t DIB_PAL_COLORS = 1;
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;
constexpr uint32_t ETO_GLYPH_INDEX = 0x0010;
constexpr uint32_t ETO_PDY = 0x2000;
constexpr uint32_t RDH_RECTANGLES = 1;
