#pragma once
// A read-only sequential device over bytes, delivering at most a few bytes per read,
// like a pipe: no size, no seeking.
#include <QByteArray>
#include <QIODevice>
#include <algorithm>

class TSequentialDevice : public QIODevice {
public:
    explicit TSequentialDevice(QByteArray data, qint64 chunk = 7) : m_data(std::move(data)), m_chunk(chunk)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_pos + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min({maxSize, m_chunk, qint64(m_data.size()) - m_pos});
        if (n <= 0)
            return -1;
        std::copy_n(m_data.constData() + m_pos, n, data);
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_chunk;
    qint64 m_pos = 0;
};
