#include "PaletteIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace PaletteIcons {

namespace {

// Draws one picture in a 24 x 24 design box.
void Draw(QPainter& p, const QString& name)
{
    const QColor ink(30, 30, 30);
    const QColor accent(0, 90, 200);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    auto arrowHead = [&p](QPointF tip, double angle) {
        const double a = 0.45, l = 5;
        QPolygonF head{tip, tip - QPointF(l * std::cos(angle - a), l * std::sin(angle - a)),
                       tip - QPointF(l * std::cos(angle + a), l * std::sin(angle + a))};
        p.save();
        p.setBrush(p.pen().color());
        p.drawPolygon(head);
        p.restore();
    };
    auto magnifier = [&](bool plus) {
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
        p.setPen(QPen(accent, 1.8));
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        if (plus)
            p.drawLine(QPointF(10, 7), QPointF(10, 13));
    };
    if (name == QLatin1String("select")) {
        QPolygonF cursor{{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {18, 14}};
        p.setBrush(Qt::white);
        p.drawPolygon(cursor);
    } else if (name == QLatin1String("rotate")) {
        p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 280 * 16);
        arrowHead(QPointF(18.9, 7.5), -0.9);
    } else if (name == QLatin1String("link") || name == QLatin1String("linelink")) {
        p.setBrush(QColor(220, 230, 250));
        p.drawRect(QRectF(2, 2, 7, 6));
        p.drawRect(QRectF(15, 16, 7, 6));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(accent, 1.6));
        p.drawPolyline(QPolygonF{{9, 5}, {12, 5}, {12, 19}, {15, 19}});
        if (name == QLatin1String("linelink")) {
            p.setBrush(accent);
            p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        }
    } else if (name == QLatin1String("linkpoint")) {
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    } else if (name == QLatin1String("line")) {
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
    } else if (name == QLatin1String("rule")) {
        p.drawLine(QPointF(3, 14), QPointF(21, 14));
        arrowHead(QPointF(3, 14), M_PI);
        arrowHead(QPointF(21, 14), 0);
        p.drawLine(QPointF(3, 8), QPointF(3, 18));
        p.drawLine(QPointF(21, 8), QPointF(21, 18));
    } else if (name == QLatin1String("ellipse")) {
        p.drawEllipse(QRectF(3, 6, 18, 12));
    } else if (name == QLatin1String("rect")) {
        p.drawRect(QRectF(4, 6, 16, 12));
    } else if (name == QLatin1String("polyline")) {
        p.drawPolyline(QPolygonF{{3, 19}, {8, 6}, {14, 15}, {21, 4}});
    } else if (name == QLatin1String("polygon")) {
        p.drawPolygon(QPolygonF{{4, 18}, {7, 5}, {17, 4}, {21, 13}, {12, 20}});
    } else if (name == QLatin1String("freeline")) {
        QPainterPath path(QPointF(3, 16));
        path.cubicTo(QPointF(6, 4), QPointF(10, 22), QPointF(14, 10));
        path.cubicTo(QPointF(16, 5), QPointF(19, 8), QPointF(21, 6));
        p.drawPath(path);
    } else if (name == QLatin1String("arc")) {
        p.drawArc(QRectF(3, 5, 18, 22), 20 * 16, 140 * 16);
    } else if (name == QLatin1String("bezier") || name == QLatin1String("bspline")) {
        QPainterPath path(QPointF(3, 19));
        path.cubicTo(QPointF(6, 2), QPointF(18, 22), QPointF(21, 5));
        p.drawPath(path);
        p.setPen(QPen(accent, 1));
        if (name == QLatin1String("bezier")) {
            p.drawLine(QPointF(3, 19), QPointF(6, 2));
            p.drawLine(QPointF(21, 5), QPointF(18, 22));
        } else {
            for (QPointF dot : {QPointF(3, 19), QPointF(9, 10), QPointF(15, 14), QPointF(21, 5)})
                p.drawRect(QRectF(dot - QPointF(1.5, 1.5), QSizeF(3, 3)));
        }
    } else if (name == QLatin1String("text")) {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("A"));
    } else if (name == QLatin1String("image")) {
        p.drawRect(QRectF(3, 5, 18, 14));
        p.setBrush(QColor(90, 160, 90));
        p.drawPolygon(QPolygonF{{4, 18}, {10, 11}, {14, 15}, {16, 13}, {20, 18}});
        p.setBrush(QColor(240, 190, 40));
        p.drawEllipse(QPointF(16, 9), 2, 2);
    } else if (name == QLatin1String("zoomin") || name == QLatin1String("zoomout")) {
        magnifier(name == QLatin1String("zoomin"));
    } else if (name == QLatin1String("pan")) {
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        for (double a : {0.0, M_PI / 2, M_PI, 3 * M_PI / 2})
            arrowHead(QPointF(12 + 9 * std::cos(a), 12 + 9 * std::sin(a)), a);
    } else if (name == QLatin1String("delete")) {
        p.setPen(QPen(QColor(200, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    } else {
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    }
}

// Paints the picture afresh at every size and device pixel ratio asked for.
class TDrawnIcon : public QIconEngine {
public:
    explicit TDrawnIcon(QString name) : FName(std::move(name)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        Draw(*painter, FName);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new TDrawnIcon(FName); }

private:
    QString FName;
};

} // namespace

QIcon Icon(const QString& Name)
{
    return QIcon(new TDrawnIcon(Name));
}

} // namespace PaletteIcons
