// mycad-convert's conversion: input into a drawing, the drawing out through the component's
// exports, with the zoom, size, colour and page options applied between.
#include "Converter.h"

#include "ConvertInput.h"

#include "component/document/MyCAD.h"
#include "platform/Bitmap.h"
#include "platform/JpegCodec.h"
#include "platform/PixelLimit.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Stream.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

QString Prefixed(const QString& Message) { return QLatin1String(kConvertProgramName) + QLatin1String(": ") + Message; }

TConvertResult CannotRead(TConvertExit Exit, const QString& File, const QString& Reason)
{
    return {Exit, Prefixed(QStringLiteral("cannot read '%1': %2").arg(File, Reason))};
}

TConvertResult CannotWrite(const QString& File, const QString& Reason)
{
    return {TConvertExit::OutputUnwritable, Prefixed(QStringLiteral("cannot write '%1': %2").arg(File, Reason))};
}

bool IsRaster(TConvertFormat F)
{
    return F == TConvertFormat::Png || F == TConvertFormat::Jpeg || F == TConvertFormat::Bmp;
}

// Why a file of that name cannot be made, as far as its folder tells; empty when nothing
// stands in the way.
QString ObstacleToWriting(const QString& FileName)
{
    const QFileInfo file(FileName);
    if (file.isDir())
        return QStringLiteral("it is a folder");
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder '%1' does not exist").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("'%1' is not a folder").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable())
        return QStringLiteral("the folder '%1' is not writable").arg(QDir::toNativeSeparators(folder.filePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("the file is read-only");
    return {};
}

// The page's side in pixels at a zoom, as the component sizes it.
int PagePixels(uint32_t Millimetres, double Zoom)
{
    return Round(double(Millimetres) * Zoom * ScreenPixelsPerInch() / 25.4);
}

// The zoom the options ask for; nullopt when the page has no size to fit.
std::optional<double> ZoomOf(const TConvertOptions& Options, const TMyCAD& Cad)
{
    if (Options.Zoom)
        return *Options.Zoom;
    if (!Options.Width && !Options.Height)
        return Cad.Zoom();
    if (Cad.PageWidth() == 0 || Cad.PageHeight() == 0)
        return std::nullopt;
    const double perMm = ScreenPixelsPerInch() / 25.4;
    double zoom = std::numeric_limits<double>::infinity();
    if (Options.Width)
        zoom = std::min(zoom, *Options.Width / (Cad.PageWidth() * perMm));
    if (Options.Height)
        zoom = std::min(zoom, *Options.Height / (Cad.PageHeight() * perMm));
    return zoom;
}

// The page as printed (page colour, background picture, frame, head and foot, shapes) in a
// picture file of the raster format.
bool WritePrintedPage(TMyCAD& Cad, double Zoom, TConvertFormat Format, const TConvertOptions& Options)
{
    TBitmap page;
    if (!Cad.PrintPreview({}, &page, Zoom))
        return false;
    switch (Format) {
    case TConvertFormat::Bmp:
        return page.SaveToFile(Options.Output);
    case TConvertFormat::Jpeg: {
        TJpegWriteOptions jpeg;
        jpeg.Quality = Options.Quality.value_or(jpeg.Quality);
        return SaveFileSafely(Options.Output, [&](QIODevice& file) { return WriteJpeg(file, page, jpeg); });
    }
    default:
        return SaveFileSafely(Options.Output, [&](QIODevice& file) {
            QImageWriter writer(&file, "png");
            return writer.write(page.Image());
        });
    }
}

// The drawing at its current zoom through the export of the format.
bool WriteExport(TMyCAD& Cad, TConvertFormat Format, const TConvertOptions& Options)
{
    const QString& out = Options.Output;
    switch (Format) {
    case TConvertFormat::Png: return Cad.SaveToPng(out, true);
    case TConvertFormat::Jpeg: return Cad.SaveToJpg(out, Options.Quality.value_or(TJpegWriteOptions{}.Quality), true);
    case TConvertFormat::Bmp: return Cad.SaveToBmp(out, true);
    // SaveToWmf writes a placeable WMF for a ".wmf" name and an EMF for any other.
    case TConvertFormat::Emf:
    case TConvertFormat::Wmf: return Cad.SaveToWmf(out);
    case TConvertFormat::Svg: return Cad.SaveToSvg(out);
    case TConvertFormat::Pdf: return Cad.SaveToPdf(out);
    case TConvertFormat::Dxf: return Cad.SaveToDxf(out);
    case TConvertFormat::Drawing: return Cad.SaveToFile(out);
    }
    return false;
}

} // namespace

TConvertResult RunConversion(const TConvertOptions& Options)
{
    const std::optional<TConvertFormat> format = FormatOfFileName(Options.Output);
    if (!format) {
        const QString suffix = QFileInfo(Options.Output).suffix();
        return CannotWrite(Options.Output,
                           (suffix.isEmpty() ? QStringLiteral("no suffix names the output format")
                                             : QStringLiteral("unknown output format '.%1'").arg(suffix)) +
                               QStringLiteral(" (known: %1)").arg(KnownOutputSuffixes()));
    }
    if (const TParseResult fits = CheckOptionsForFormat(Options, *format); !fits.Ok)
        return {TConvertExit::Usage, Prefixed(fits.Error)};

    TMyCAD cad;
    const TConvertSource source = SourceOf(Options);
    if (const TReadResult read = ReadConvertInput(source, cad); read.Exit != TConvertExit::Ok)
        return CannotRead(read.Exit, source.File, read.Error);

    if (const QString obstacle = ObstacleToWriting(Options.Output); !obstacle.isEmpty())
        return CannotWrite(Options.Output, obstacle);

    const std::optional<double> zoom = ZoomOf(Options, cad);
    if (!zoom)
        return CannotWrite(Options.Output, QStringLiteral("the drawing's page has no size to fit"));
    if (Options.Background) {
        cad.SetColorOfBackGround(*Options.Background);
        cad.SetPrintBackground(true); // the printed page shows the page colour too
    }

    const bool printedPage = Options.Page && IsRaster(*format);
    if (IsRaster(*format) || *format == TConvertFormat::Emf || *format == TConvertFormat::Wmf ||
        *format == TConvertFormat::Svg) {
        int w = 0, h = 0;
        if (printedPage) {
            w = PagePixels(cad.PageWidth(), *zoom);
            h = PagePixels(cad.PageHeight(), *zoom);
        } else {
            cad.SetZoom(*zoom);
            // A fitted picture is the page at that zoom, whatever canvas the input brought.
            if (Options.Width || Options.Height)
                cad.resize(PagePixels(cad.PageWidth(), *zoom), PagePixels(cad.PageHeight(), *zoom));
            w = cad.width();
            h = cad.height();
        }
        if (!PictureSizeAllowed(w, h))
            return CannotWrite(Options.Output,
                               QStringLiteral("a picture of %1 x %2 pixels is beyond the limit of %3 pixels a side "
                                              "and %4 pixels in all")
                                   .arg(w).arg(h).arg(kMaxPictureDimension).arg(kMaxPicturePixels));
    }

    const bool written = printedPage ? WritePrintedPage(cad, *zoom, *format, Options) : WriteExport(cad, *format, Options);
    if (!written) {
        const QString obstacle = ObstacleToWriting(Options.Output);
        return CannotWrite(Options.Output, obstacle.isEmpty()
                                               ? QStringLiteral("the %1 file could not be written").arg(FormatName(*format))
                                               : obstacle);
    }
    return {};
}
