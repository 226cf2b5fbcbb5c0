#pragma once
// Peak memory of one measured step: the process's peak resident size is reset before the
// step (Linux, /proc/self/clear_refs) and read after it, less the resident size before.
#include <QFile>
#include <QString>

namespace bench {

// A field of /proc/self/status in megabytes (VmRSS, VmHWM); 0 where there is none.
inline double StatusMegabytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

class PeakMemory {
public:
    PeakMemory()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        FStart = StatusMegabytes("VmRSS");
    }
    // Megabytes above the resident size at the start.
    double Above() const { return StatusMegabytes("VmHWM") - FStart; }

private:
    double FStart = 0;
};

} // namespace bench
