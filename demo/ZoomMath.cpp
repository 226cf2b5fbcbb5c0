#include "ZoomMath.h"

#include <algorithm>
#include <cmath>

namespace ZoomMath {

namespace {

// Products such as 1.1 x 100 carry an error of a few units in the last place; anything
// within a millionth of a whole number is that number.
constexpr double kNoise = 1e-6;

int ClampEdge(int edge, int boxSize, int canvasSize)
{
    if (canvasSize <= boxSize)
        return CentredEdge(boxSize, canvasSize);
    return std::clamp(edge, boxSize - canvasSize, 0);
}

} // namespace

QStringList ZoomBoxItems()
{
    return {QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
            QStringLiteral("110%"), QStringLiteral("130%"), QStringLiteral("200%")};
}

double ZoomOfItem(const QString& item)
{
    QString digits = item.trimmed();
    if (digits.endsWith(QLatin1Char('%')))
        digits.chop(1);
    bool ok = false;
    const int percent = digits.trimmed().toInt(&ok);
    return ok && percent > 0 ? percent / 100.0 : 0.0;
}

int ZoomPercent(double zoom)
{
    if (!(zoom > 0) || !std::isfinite(zoom))
        return 1;
    const double percent = std::ceil(zoom * 100 - kNoise);
    return int(std::clamp(percent, 1.0, 1e6));
}

QString ZoomText(double zoom)
{
    const double percent = std::isfinite(zoom) ? std::floor(zoom * 100 + kNoise) : 100;
    return QString::number(int(std::clamp(percent, 0.0, 1e6))) + QLatin1Char('%');
}

double ClampZoom(double zoom, int pageWidthAtOne, int pageHeightAtOne)
{
    if (!std::isfinite(zoom))
        zoom = 1;
    double high = kMaxZoom;
    const int side = std::max(pageWidthAtOne, pageHeightAtOne);
    if (side > 0)
        high = std::min(high, double(kMaxCanvasPixels) / side);
    return std::clamp(zoom, std::min(kMinZoom, high), high);
}

int CentredEdge(int boxSize, int canvasSize)
{
    return (boxSize - canvasSize) / 2; // integer division truncates towards zero
}

int GestureEdge(int boxSize, int canvasSizeAfter, double focus, double factor)
{
    if (canvasSizeAfter <= boxSize)
        return CentredEdge(boxSize, canvasSizeAfter);
    const double edge = std::trunc(boxSize / 2.0 - focus * factor);
    return ClampEdge(int(std::clamp(edge, -1e9, 0.0)), boxSize, canvasSizeAfter);
}

int PannedEdge(int edge, int delta, int boxSize, int canvasSize)
{
    if (canvasSize <= boxSize && edge >= 0)
        return edge;
    return std::clamp(edge + delta, std::min(0, boxSize - canvasSize), 0);
}

int EdgeKeepingPoint(int boxSize, int canvasSizeAfter, double x, int cursor, double zoom, double newZoom)
{
    const double after = zoom > 0 ? x * newZoom / zoom : x;
    const double edge = std::round(cursor - after);
    return ClampEdge(int(std::clamp(edge, -1e9, 1e9)), boxSize, canvasSizeAfter);
}

} // namespace ZoomMath
