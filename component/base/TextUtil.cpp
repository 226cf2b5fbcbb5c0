#include "component/base/TextUtil.h"

QString AppendSpace(const QString& S, int32_t N)
{
    if (S.size() > N)
        return S;
    return S + QString(qsizetype(N) - S.size() + 1, QLatin1Char(' '));
}
