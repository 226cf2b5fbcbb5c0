#include "component/dxf/DXFOutput.h"

#include <algorithm>
#include <cstring>

TDXFOutput::TDXFOutput(QIODevice& Device, size_t BufferSize) : FDevice(Device)
{
    FBuffer.resize(std::max<size_t>(BufferSize, 4096));
}

TDXFOutput::~TDXFOutput()
{
    Flush();
}

char* TDXFOutput::Reserve(size_t Count)
{
    Count += 2; // the line end
    if (FBuffer.size() - FUsed < Count) {
        Flush();
        if (FBuffer.size() < Count)
            FBuffer.resize(Count);
    }
    return FBuffer.data() + FUsed;
}

void TDXFOutput::EndLine(char* End)
{
    *End++ = '\r';
    *End++ = '\n';
    FUsed = size_t(End - FBuffer.data());
}

void TDXFOutput::Line(std::string_view Text)
{
    char* out = Reserve(Text.size());
    if (!Text.empty()) // an empty view may have no data at all
        memcpy(out, Text.data(), Text.size());
    EndLine(out + Text.size());
}

bool TDXFOutput::Flush()
{
    if (FUsed > 0) {
        if (!FFailed) {
            const qint64 n = FDevice.write(FBuffer.data(), qint64(FUsed));
            if (n != qint64(FUsed))
                FFailed = true;
            else
                FWritten += n;
        }
        FUsed = 0;
    }
    return !FFailed;
}

void TDXFOutput::Discard()
{
    FUsed = 0;
    FWritten = 0;
    FFailed = false;
}
