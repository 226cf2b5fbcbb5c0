// The library's errors come back here through setjmp/longjmp: each function that sets a
// jump point holds only plain data in its own frame (the C++ objects it works on live in
// its caller), so jumping out of the library skips no destructor.
#include "JpegCodec.h"

#include "Bitmap.h"
#include "Stream.h"

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

// More scans than any encoder writes (a progressive file has about ten).
constexpr int kMaxScans = 1000;
// The library's own working memory (coefficient buffers of progressive pictures).
constexpr long kMaxLibraryMemory = 1L << 30;
constexpr size_t kOutputChunk = 1 << 16;

struct TErrors {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    int Warnings;
    bool EndOfData;
};

void OnError(j_common_ptr cinfo)
{
    auto* errors = reinterpret_cast<TErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->Message);
    std::longjmp(errors->Jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    auto* errors = reinterpret_cast<TErrors*>(cinfo->err);
    ++errors->Warnings;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        errors->EndOfData = true;
}

void OnOutput(j_common_ptr) {}

void InitErrors(TErrors& errors)
{
    jpeg_std_error(&errors.Pub);
    errors.Pub.error_exit = OnError;
    errors.Pub.emit_message = OnMessage;
    errors.Pub.output_message = OnOutput;
    errors.Message[0] = '\0';
    errors.Warnings = 0;
    errors.EndOfData = false;
}

void Fail(TErrors& errors, const char* message)
{
    std::snprintf(errors.Message, sizeof errors.Message, "%s", message);
    std::longjmp(errors.Jump, 1);
}

struct TProgress {
    jpeg_progress_mgr Pub;
    TErrors* Errors;
};

void OnProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto* progress = reinterpret_cast<TProgress*>(cinfo->progress);
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        Fail(*progress->Errors, "The JPEG file has too many scans.");
}

// ---- Decoding ----

// The decompressor lives with the job, outside the frame that sets the jump point.
struct TDecodeJob {
    const uint8_t* Data;
    size_t Size;
    int64_t MaxPixels;
    TBitmap* Target;
    TJpegReadInfo Info;
    jpeg_decompress_struct Cinfo;
    TProgress Progress;
};

// RGB from the four stored channels; Adobe's files store them inverted.
void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int c = inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = uint8_t((y * k + 127) / 255);
        bgr[1] = uint8_t((m * k + 127) / 255);
        bgr[2] = uint8_t((c * k + 127) / 255);
    }
}

bool Decode(TDecodeJob& job, TErrors& errors)
{
    jpeg_decompress_struct& cinfo = job.Cinfo;
    TProgress& progress = job.Progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&progress, 0, sizeof progress);
    cinfo.err = &errors.Pub;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    progress.Pub.progress_monitor = OnProgress;
    progress.Errors = &errors;
    cinfo.progress = &progress.Pub;
    jpeg_mem_src(&cinfo, job.Data, static_cast<unsigned long>(job.Size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        Fail(errors, "The JPEG file holds no picture.");
    job.Info.Width = int(cinfo.image_width);
    job.Info.Height = int(cinfo.image_height);
    job.Info.Components = cinfo.num_components;
    job.Info.Progressive = cinfo.progressive_mode;
    if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height, job.MaxPixels))
        Fail(errors, "The JPEG picture is larger than the pixel limit.");
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    const int width = int(cinfo.output_width);
    if (!job.Target->SetSize(width, int(cinfo.output_height)))
        Fail(errors, "The JPEG picture does not fit in memory.");
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           JDIMENSION(width) * 4, 1)
                              : nullptr;
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t* line = job.Target->ScanLine(int(cinfo.output_scanline));
        JSAMPROW row = cmyk ? cmykRow[0] : line;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break;
        if (cmyk)
            CmykRowToBgr(cmykRow[0], line, width, inverted);
    }
    if (cinfo.output_scanline == cinfo.output_height)
        jpeg_finish_decompress(&cinfo);
    else
        jpeg_abort_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    job.Info.Truncated = errors.EndOfData;
    job.Info.Warnings = errors.Warnings;
    return true;
}

// ---- Encoding ----

struct TEncodeJob {
    jpeg_destination_mgr Dest;
    TErrors* Errors;
    QIODevice* Out;
    const QImage* Image;
    TJpegWriteOptions Options;
    jpeg_compress_struct Cinfo;
    JOCTET Buffer[kOutputChunk];
};

void InitDestination(j_compress_ptr cinfo)
{
    auto* job = reinterpret_cast<TEncodeJob*>(cinfo->dest);
    job->Dest.next_output_byte = job->Buffer;
    job->Dest.free_in_buffer = kOutputChunk;
}

boolean EmptyBuffer(j_compress_ptr cinfo)
{
    auto* job = reinterpret_cast<TEncodeJob*>(cinfo->dest);
    if (!WriteExact(*job->Out, job->Buffer, qint64(kOutputChunk)))
        Fail(*job->Errors, "The JPEG file could not be written.");
    job->Dest.next_output_byte = job->Buffer;
    job->Dest.free_in_buffer = kOutputChunk;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    auto* job = reinterpret_cast<TEncodeJob*>(cinfo->dest);
    const size_t used = kOutputChunk - job->Dest.free_in_buffer;
    if (used > 0 && !WriteExact(*job->Out, job->Buffer, qint64(used)))
        Fail(*job->Errors, "The JPEG file could not be written.");
}

// Adobe's inverted CMYK of a blue-green-red row, without black generation: the inverted
// C, M and Y are the red, green and blue channels and the inverted K is 255, so that
// decoding (C' x K' / 255) gives the channels back and the compression's error stays
// that of each channel alone.
void BgrRowToInvertedCmyk(const uint8_t* bgr, int step, uint8_t* cmyk, int width)
{
    for (int x = 0; x < width; ++x, bgr += step, cmyk += 4) {
        cmyk[0] = bgr[2];
        cmyk[1] = bgr[1];
        cmyk[2] = bgr[0];
        cmyk[3] = 255;
    }
}

bool Encode(TEncodeJob& job, TErrors& errors)
{
    jpeg_compress_struct& cinfo = job.Cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = &errors.Pub;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    job.Dest.init_destination = InitDestination;
    job.Dest.empty_output_buffer = EmptyBuffer;
    job.Dest.term_destination = TermDestination;
    cinfo.dest = &job.Dest;
    const QImage& image = *job.Image;
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const int step = image.format() == QImage::Format_BGR888 ? 3 : 4;
    const TJpegColorSpace space = job.Options.ColorSpace;
    const bool cmyk = !grey && (space == TJpegColorSpace::Cmyk || space == TJpegColorSpace::Ycck);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = grey ? 1 : cmyk ? 4 : step;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : step == 3 ? JCS_EXT_BGR : JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    if (space == TJpegColorSpace::Grey)
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    else if (cmyk)
        jpeg_set_colorspace(&cinfo, space == TJpegColorSpace::Ycck ? JCS_YCCK : JCS_CMYK);
    jpeg_set_quality(&cinfo, std::clamp(job.Options.Quality, 1, 100), TRUE);
    if (job.Options.Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           cinfo.image_width * 4, 1)
                              : nullptr;
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* line = image.constScanLine(int(cinfo.next_scanline));
        JSAMPROW row = const_cast<JSAMPROW>(line); // the library only reads input rows
        if (cmyk) {
            BgrRowToInvertedCmyk(line, step, cmykRow[0], image.width());
            row = cmykRow[0];
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

} // namespace

bool IsJpegData(const QByteArray& data)
{
    return data.size() >= 3 && uint8_t(data[0]) == 0xFF && uint8_t(data[1]) == 0xD8 && uint8_t(data[2]) == 0xFF;
}

bool WriteJpeg(QIODevice& out, const QImage& image, const TJpegWriteOptions& options, QString* error)
{
    if (image.isNull()) {
        SetError(error, QStringLiteral("There is no picture to write."));
        return false;
    }
    if (!PictureSizeAllowed(image.width(), image.height())) {
        SetError(error, QStringLiteral("The picture is larger than the pixel limit."));
        return false;
    }
    // Rows the library takes as they are: 24-bit blue-green-red, 32-bit, or grey.
    const QImage::Format f = image.format();
    const bool direct = f == QImage::Format_BGR888 || f == QImage::Format_RGB32 || f == QImage::Format_Grayscale8;
    const QImage rows = direct ? image : image.convertToFormat(QImage::Format_RGB32);
    auto job = std::make_unique<TEncodeJob>();
    auto errors = std::make_unique<TErrors>();
    InitErrors(*errors);
    job->Errors = errors.get();
    job->Out = &out;
    job->Image = &rows;
    job->Options = options;
    if (!Encode(*job, *errors)) {
        SetError(error, QString::fromLatin1(errors->Message));
        return false;
    }
    return true;
}

bool WriteJpeg(QIODevice& out, const TBitmap& bitmap, const TJpegWriteOptions& options, QString* error)
{
    return WriteJpeg(out, bitmap.Image(), options, error);
}

bool ReadJpeg(const QByteArray& data, TBitmap& out, QString* error, TJpegReadInfo* info, int64_t maxPixels)
{
    if (!IsJpegData(data)) {
        SetError(error, QStringLiteral("The data is not a JPEG file."));
        return false;
    }
    TBitmap decoded; // becomes the result only when decoding succeeded
    decoded.SetPixelFormat(pf24bit);
    auto errors = std::make_unique<TErrors>();
    InitErrors(*errors);
    auto job = std::make_unique<TDecodeJob>();
    job->Data = reinterpret_cast<const uint8_t*>(data.constData());
    job->Size = size_t(data.size());
    job->MaxPixels = maxPixels;
    job->Target = &decoded;
    const bool ok = Decode(*job, *errors);
    if (info)
        *info = job->Info;
    if (!ok) {
        SetError(error, QString::fromLatin1(errors->Message));
        return false;
    }
    out.SetPixelFormat(pf24bit);
    out.Assign(decoded);
    return true;
}

bool ReadJpegFile(const QString& fileName, TBitmap& out, QString* error, TJpegReadInfo* info)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    if (file.size() > kMaxPictureFileSize) {
        SetError(error, QStringLiteral("The file is too large."));
        return false;
    }
    return ReadJpeg(file.readAll(), out, error, info);
}
