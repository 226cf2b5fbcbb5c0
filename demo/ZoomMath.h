#pragma once
// The arithmetic of the window's zooming and panning, free of widgets so that it can be
// checked number by number: the percentages shown, the bounds of the zoom, and where the
// page goes in the scroll box (its left or top edge, in scroll-box pixels; negative when
// the page is scrolled).
#include <QString>
#include <QStringList>

namespace ZoomMath {

// The zoom never leaves 5 % to 1,000 %, and the page never grows beyond what a widget
// can be on every platform (32,767 pixels a side).
inline constexpr double kMinZoom = 0.05;
inline constexpr double kMaxZoom = 10.0;
inline constexpr int kMaxCanvasPixels = 32767;

// The zoom box's items and their zooms.
QStringList ZoomBoxItems();
// The zoom of an item ("110%" is 1.1); 0 for a text that is no percentage.
double ZoomOfItem(const QString& item);

// ceiling(Zoom x 100), at least 1, without the noise of binary fractions: 1.1 x 100 is
// 110.00000000000001 in doubles, and shows as 110.
int ZoomPercent(double zoom);
// The zoom box's text after a gesture: the integer part of Zoom x 100 and "%".
QString ZoomText(double zoom);

// The zoom kept within the bounds, and small enough that a page of the given size at
// zoom 1 (in pixels) stays within the widget limit.
double ClampZoom(double zoom, int pageWidthAtOne, int pageHeightAtOne);

// The page's edge that centres it in the scroll box: half the difference, truncated
// towards zero.
int CentredEdge(int boxSize, int canvasSize);
// The page's edge after a zoom gesture by Factor about Focus (a page coordinate before the
// zoom): centred when the zoomed page fits, else truncate(box / 2 - focus x factor), never
// beyond 0 and never so far that the page's far edge comes inside the box.
int GestureEdge(int boxSize, int canvasSizeAfter, double focus, double factor);
// The page's edge after panning by Delta: unchanged when the page fits and is not
// scrolled, else moved by Delta but kept between box - canvas and 0.
int PannedEdge(int edge, int delta, int boxSize, int canvasSize);
// The page's edge that keeps the page point under the cursor where it is when the zoom
// changes from Zoom to NewZoom (X is the cursor in page pixels before, Cursor in the box).
int EdgeKeepingPoint(int boxSize, int canvasSizeAfter, double x, int cursor, double zoom, double newZoom);

} // namespace ZoomMath
