#pragma once
// Buffered output of DXF text lines to a device: each line ends with carriage return and
// line feed. The buffer is written out whenever it fills, so memory stays flat however
// long the file grows. A write error is remembered; later lines are dropped.
#include "mycad_export.h"

#include <QIODevice>
#include <cstddef>
#include <string_view>
#include <vector>

class MYCAD_EXPORT TDXFOutput {
public:
    static constexpr size_t kDefaultBuffer = 256 * 1024;

    explicit TDXFOutput(QIODevice& Device, size_t BufferSize = kDefaultBuffer);
    TDXFOutput(const TDXFOutput&) = delete;
    TDXFOutput& operator=(const TDXFOutput&) = delete;
    // Writes out what is left; call Flush first to learn whether that worked.
    ~TDXFOutput();

    // Appends the text and the line end.
    void Line(std::string_view Text);
    // Room for Count characters at the end of the buffer; give the end of what was
    // written there to EndLine, which adds the line end.
    char* Reserve(size_t Count);
    void EndLine(char* End);

    // Writes out the buffer; false once any write failed.
    bool Flush();
    bool Failed() const { return FFailed; }
    // Bytes handed to the device or waiting in the buffer.
    qint64 BytesWritten() const { return FWritten + qint64(FUsed); }
    // Forgets the buffered bytes and the error (after the device was truncated).
    void Discard();

private:
    QIODevice& FDevice;
    std::vector<char> FBuffer;
    size_t FUsed = 0;
    qint64 FWritten = 0;
    bool FFailed = false;
};
