#include "inspector/InspGlyphs.h"

#include <QImage>
#include <QPainter>

QPixmap InspectorGlyph(bool expand, TColor background)
{
    QImage image(11, 11, QImage::Format_RGB32);
    image.fill(ToQColor(background));
    QPainter p(&image);
    p.setPen(ToQColor(clBtnShadow));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 8, 8);
    p.setPen(Qt::black);
    p.drawLine(3, 5, 7, 5);
    if (expand)
        p.drawLine(5, 3, 5, 7);
    p.end();
    return QPixmap::fromImage(image);
}

QCursor UpDownCursor()
{
    QImage image(16, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::white);
    p.setBrush(Qt::black);
    const QPoint up[] = {{8, 0}, {15, 8}, {10, 8}, {10, 15}, {15, 15}, {8, 23}, {1, 15}, {6, 15}, {6, 8}, {1, 8}};
    p.drawPolygon(up, 10);
    p.end();
    return QCursor(QPixmap::fromImage(image), 8, 12);
}
