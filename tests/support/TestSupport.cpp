#include "TestSupport.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

void LoadTestFont()
{
    QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    QFont font(TestFontFamily());
    font.setPixelSize(13);
    QApplication::setFont(font);
}

QString TestFontFamily()
{
    return QStringLiteral("DejaVu Sans");
}
