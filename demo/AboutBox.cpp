#include "AboutBox.h"

#include <CAD.h>

#include <QLinearGradient>
#include <QPainter>

TAboutBox::TAboutBox(QWidget* Parent) : QDialog(Parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About MyCAD"));
    setFixedSize(360, 200);
}

void TAboutBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(24, 60, 120));
    sky.setColorAt(1, QColor(70, 130, 200));
    p.fillRect(rect(), sky);
    // A small diagram: two boxes and a connector with a hop.
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRect(30, 40, 70, 44);
    p.drawEllipse(250, 36, 80, 52);
    p.drawPolyline(QPolygon{{100, 62}, {170, 62}, {170, 80}, {250, 80}});
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 100, width(), 40), Qt::AlignCenter, QStringLiteral("MyCAD"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(12);
    p.setFont(small);
    p.drawText(QRect(0, 140, width(), 20), Qt::AlignCenter,
               QStringLiteral("Drawing and diagramming component %1").arg(QString::fromLatin1(MyCADVersion())));
    p.drawText(QRect(0, 165, width(), 20), Qt::AlignCenter, QStringLiteral("Click to close"));
}

void TAboutBox::mousePressEvent(QMouseEvent*)
{
    accept();
}

void TAboutBox::keyPressEvent(QKeyEvent*)
{
    accept();
}
