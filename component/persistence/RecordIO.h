#pragma once
// Fast, checked reading and writing of drawing records over a QIODevice.
//
// Drawings hold many small fields (a shape record has about fifty), so reading and writing
// them one QIODevice call at a time would dominate the time of a load or save. The reader
// works on a window of bytes: the whole data of a QBuffer without a copy, chunks read ahead
// from other random-access devices, and exactly the bytes asked for from sequential
// devices (which cannot give back bytes read too far). Finish() leaves the device at the
// first byte not consumed. The writer collects bytes in a buffer and passes them on in
// large writes.
//
// Every read of the reader either succeeds completely or returns false; counts read from
// the data are checked against the bytes left before anything is sized by them.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "component/persistence/DrawingFormat.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Pen.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class TBitmap;

class MYCAD_EXPORT TRecordReader {
public:
    TRecordReader(QIODevice& Device, TRecordFormat Format);
    ~TRecordReader();
    TRecordReader(const TRecordReader&) = delete;
    TRecordReader& operator=(const TRecordReader&) = delete;

    TRecordFormat Format() const { return FFormat; }
    TFileGeneration Generation() const { return FFormat.Generation; }
    void SetFormat(TRecordFormat Format) { FFormat = Format; }

    bool Int32(int32_t& v);
    bool UInt32(uint32_t& v);
    bool Int64(int64_t& v);
    bool UInt8(uint8_t& v);
    // A one-byte Boolean: any non-zero byte is true.
    bool Bool(bool& v);
    bool Float32(float& v);
    bool Float64(double& v);
    // A coordinate or angle: float32, or in the oldest generations a 10-byte extended
    // number rounded to the nearest float.
    bool Coordinate(float& v);
    // A counted string: int32 L, then L mod 256 bytes (or all L bytes in the long-string
    // format, where a negative L or one larger than the bytes left is refused).
    bool String(QString& v);
    // A counted string that is often the same as the last one read at this place (font
    // names): when its bytes equal LastBytes, v shares LastText instead of a new copy.
    bool RepeatedString(QString& v, QByteArray& LastBytes, QString& LastText);
    // A fixed field of Width bytes, unchanged.
    bool Fixed(int Width, QByteArray& v);
    // Exactly n bytes (refused when more than the bytes left).
    bool Bytes(int64_t n, QByteArray& v);
    bool Skip(int64_t n);
    // A bitmap buffer: none (null) for n <= 0; for n > 0 the n bytes are consumed and
    // decoded, and a damaged image gives an empty bitmap without failing.
    bool Bitmap(std::unique_ptr<TBitmap>& v);
    // An element count: an int32 that must not be negative and whose Count * ItemSize
    // bytes must fit in what is left.
    bool Count(int32_t& n, int64_t ItemSize);
    // A member of an enumeration stored as one byte, checked.
    template <typename E>
    bool Enum8(E& v)
    {
        uint8_t b = 0;
        if (!UInt8(b) || b >= MemberCount<E>())
            return false;
        v = static_cast<E>(b);
        return true;
    }
    // A member stored as an int32 of which readers use the low byte, checked.
    template <typename E>
    bool EnumLowByte(E& v)
    {
        int32_t w = 0;
        if (!Int32(w) || (w & 0xFF) >= MemberCount<E>())
            return false;
        v = static_cast<E>(w & 0xFF);
        return true;
    }

    // Bytes left from the current position; -1 when the device cannot tell.
    int64_t Left() const;
    // True when Count items of ItemSize bytes can still follow.
    bool Fits(int64_t Count, int64_t ItemSize) const;
    // Puts the device at the first byte not consumed. Called by the destructor too.
    void Finish();

private:
    // The number of members of an enumeration (ordinals 0 .. count - 1), looked up once.
    template <typename E>
    static int32_t MemberCount()
    {
        static const int32_t count = EnumCount<E>();
        return count;
    }
    // Reads a counted string's length word and takes its bytes.
    bool StringBytes(const char*& p, int64_t& n);
    // Makes n bytes available at FData + FPos.
    bool Ensure(int64_t n);
    const char* Take(int64_t n)
    {
        const char* p = FData + FPos;
        FPos += n;
        return p;
    }

    QIODevice& FDevice;
    TRecordFormat FFormat;
    // The window: FData[0 .. FSize), of which FPos bytes are consumed.
    const char* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPos = 0;
    QByteArray FWindow;      // owned window (devices other than QBuffer)
    QByteArray FWhole;       // the QBuffer's data, shared
    int64_t FBase = 0;       // QBuffer: device position of FData[0]
    bool FWholeData = false; // the window is the QBuffer's whole data
    bool FSequential = false;
    bool FFinished = false;
    // Random-access devices other than QBuffer: the size, taken once (asking a file for
    // its size is a system call), and the device position after the window.
    int64_t FDeviceSize = 0;
    int64_t FDevicePos = 0;

public:
    // The last font name read, shared by the records that repeat it.
    QByteArray LastFontNameBytes;
    QString LastFontName;
    // A record's pen, brush and font are read into the scratch ones; the last different
    // ones read are kept, so that the shapes drawing alike share one set of values.
    TPen ScratchPen, LastPen;
    TBrush ScratchBrush, LastBrush;
    TFont ScratchFont, LastFont;
};

class MYCAD_EXPORT TRecordWriter {
public:
    TRecordWriter(QIODevice& Device, bool LongStrings);
    ~TRecordWriter();
    TRecordWriter(const TRecordWriter&) = delete;
    TRecordWriter& operator=(const TRecordWriter&) = delete;

    bool LongStrings() const { return FLongStrings; }

    void Int32(int32_t v);
    void UInt32(uint32_t v);
    void Int64(int64_t v);
    void UInt8(uint8_t v);
    void Bool(bool v) { UInt8(v ? 1 : 0); }
    void Float32(float v);
    void Float64(double v);
    // A counted string in the writer's mode: L and L mod 256 bytes, or L and all L bytes.
    void String(const QString& v);
    // A fixed field of Width bytes: the text padded with spaces or cut.
    void Fixed(const QByteArray& Text, int Width);
    void Raw(const char* Data, int64_t n);
    // A bitmap buffer (n = 0 for none or an empty bitmap).
    void Bitmap(const TBitmap* v);

    // Passes every buffered byte on; true when every write so far succeeded.
    bool Finish();
    bool Ok() const { return FOk; }

private:
    void Flush();

    QIODevice& FDevice;
    bool FLongStrings;
    bool FOk = true;
    std::unique_ptr<char[]> FBuffer;
    int64_t FLength = 0;
    QByteArray FScratch;
};

// A stand-in for TRecordWriter that writes nothing and notes whether any string is too
// long for the format's counted strings (more than 255 bytes in the ANSI code page).
class MYCAD_EXPORT TLongStringScanner {
public:
    bool LongStrings() const { return false; }
    void Int32(int32_t) {}
    void UInt32(uint32_t) {}
    void Int64(int64_t) {}
    void UInt8(uint8_t) {}
    void Bool(bool) {}
    void Float32(float) {}
    void Float64(double) {}
    void String(const QString& v);
    void Fixed(const QByteArray&, int) {}
    void Raw(const char*, int64_t) {}
    void Bitmap(const TBitmap*) {}
    bool Found() const { return FFound; }

private:
    bool FFound = false;
};

// Encodes text in the ANSI code page into Out, reusing its memory.
MYCAD_EXPORT void EncodeAnsi(const QString& Text, QByteArray& Out);
// Decodes n bytes of the ANSI code page.
MYCAD_EXPORT QString DecodeAnsi(const char* Data, int64_t n);
// The number of bytes the ANSI encoding of Text has.
MYCAD_EXPORT int64_t AnsiLength(const QString& Text);
