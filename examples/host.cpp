// The smallest host of the component: it links the library and uses its chief header.
#include <CAD.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const TPoint p(Round(2.5), Round(3.5));
    std::printf("MyCAD host: rounded (2.5, 3.5) to (%d, %d)\n", p.X, p.Y);
    return p == TPoint(2, 4) ? 0 : 1;
}
