#include "component/base/TextUtil.h"

QString AppendSpace(const QString& S, int32_t N)
{
    if (S.size() > N)
        return S;
    return S + QString(qsizetype(N) - S.size() + 1, QLatin1Char(' '));
}

QString AreaText(double UnitArea, double Ratio, TUnits Unit, double D)
{
    const double s = Ratio * Ratio;
    const double squareInches = UnitArea * s / (D * D);
    const double squareMm = squareInches * 25.4 * 25.4;
    double area = s * UnitArea;
    const char* unit = "pixel(s)2";
    switch (Unit) {
    case TUnits::pixel: break;
    case TUnits::mm: area = squareMm; unit = "mm2"; break;
    case TUnits::cm: area = squareMm / 100; unit = "cm2"; break;
    case TUnits::dm: area = squareMm / 10000; unit = "dm2"; break;
    case TUnits::m: area = squareMm / 1000000; unit = "m2"; break;
    case TUnits::inch: area = squareInches; unit = "inch2"; break;
    }
    return QStringLiteral("Area=") + QString::asprintf("%9.2f", area) + QLatin1String(unit);
}
