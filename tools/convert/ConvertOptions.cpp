// The command line of mycad-convert and the formats it writes.
#include "ConvertOptions.h"

#include <QColor>
#include <QFileInfo>
#include <array>
#include <cmath>

namespace {

struct TSuffix {
    const char* Suffix;
    TConvertFormat Format;
};

constexpr std::array<TSuffix, 10> kSuffixes{{
    {"png", TConvertFormat::Png},
    {"jpg", TConvertFormat::Jpeg},
    {"jpeg", TConvertFormat::Jpeg},
    {"bmp", TConvertFormat::Bmp},
    {"emf", TConvertFormat::Emf},
    {"wmf", TConvertFormat::Wmf},
    {"svg", TConvertFormat::Svg},
    {"pdf", TConvertFormat::Pdf},
    {"dxf", TConvertFormat::Dxf},
    {"zed", TConvertFormat::Drawing},
}};

// The largest zoom and picture side accepted on the command line; the component refuses
// pictures beyond its pixel limit anyway, these bounds only keep the numbers sane.
constexpr double kMaxZoom = 100.0;
constexpr int kMaxSide = 100000;

TParseResult Refuse(const QString& Error) { return {false, Error}; }

bool ParsePositiveInt(const QString& Text, int& Value)
{
    bool ok = false;
    const int v = Text.toInt(&ok);
    if (!ok || v <= 0)
        return false;
    Value = v;
    return true;
}

bool ParseColor(const QString& Text, TColor& Color)
{
    const QColor c = QColor::fromString(Text);
    if (!c.isValid())
        return false;
    Color = TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
    return true;
}

bool IsRaster(TConvertFormat F)
{
    return F == TConvertFormat::Png || F == TConvertFormat::Jpeg || F == TConvertFormat::Bmp;
}

bool IsPicture(TConvertFormat F)
{
    return IsRaster(F) || F == TConvertFormat::Emf || F == TConvertFormat::Wmf || F == TConvertFormat::Svg;
}

} // namespace

TParseResult ParseConvertArguments(const QStringList& Arguments, TConvertOptions& Options)
{
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < Arguments.size(); ++i) {
        const QString& arg = Arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            if (!optionsEnded && arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
                return Refuse(QStringLiteral("unknown option '%1'").arg(arg));
            files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg, value;
        bool hasValue = false;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            hasValue = true;
        }
        const auto flag = [&](bool& target) -> TParseResult {
            if (hasValue)
                return Refuse(QStringLiteral("option '%1' takes no value").arg(name));
            target = true;
            return {true, {}};
        };
        const auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= Arguments.size())
                return false;
            value = Arguments[++i];
            return true;
        };
        TParseResult r{true, {}};
        if (name == QLatin1String("--help")) {
            r = flag(Options.Help);
        } else if (name == QLatin1String("--version")) {
            r = flag(Options.Version);
        } else if (name == QLatin1String("--page")) {
            r = flag(Options.Page);
        } else if (name == QLatin1String("--entry") || name == QLatin1String("--zoom") ||
                   name == QLatin1String("--width") || name == QLatin1String("--height") ||
                   name == QLatin1String("--quality") || name == QLatin1String("--background")) {
            if (!takeValue())
                return Refuse(QStringLiteral("option '%1' needs a value").arg(name));
            int n = 0;
            if (name == QLatin1String("--entry")) {
                if (value.isEmpty())
                    return Refuse(QStringLiteral("option '--entry' needs an entry name"));
                Options.Entry = value;
            } else if (name == QLatin1String("--zoom")) {
                bool ok = false;
                const double z = value.toDouble(&ok);
                if (!ok || !std::isfinite(z) || z <= 0 || z > kMaxZoom)
                    return Refuse(QStringLiteral("'%1' is not a zoom (a number above 0 and at most %2)")
                                      .arg(value).arg(kMaxZoom));
                Options.Zoom = z;
            } else if (name == QLatin1String("--quality")) {
                if (!ParsePositiveInt(value, n) || n > 100)
                    return Refuse(QStringLiteral("'%1' is not a JPEG quality (1 to 100)").arg(value));
                Options.Quality = n;
            } else if (name == QLatin1String("--background")) {
                TColor c = 0;
                if (!ParseColor(value, c))
                    return Refuse(QStringLiteral("'%1' is not a colour (#RRGGBB or a name such as 'white')").arg(value));
                Options.Background = c;
            } else {
                if (!ParsePositiveInt(value, n) || n > kMaxSide)
                    return Refuse(QStringLiteral("'%1' is not a size in pixels (1 to %2)").arg(value).arg(kMaxSide));
                (name == QLatin1String("--width") ? Options.Width : Options.Height) = n;
            }
        } else {
            return Refuse(QStringLiteral("unknown option '%1'").arg(name));
        }
        if (!r.Ok)
            return r;
    }
    if (Options.Help || Options.Version)
        return {true, {}};
    if (files.size() != 2)
        return Refuse(files.size() < 2 ? QStringLiteral("an input and an output file are needed")
                                       : QStringLiteral("too many file names ('%1')").arg(files[2]));
    Options.Input = files[0];
    Options.Output = files[1];
    if (Options.Input.isEmpty() || Options.Output.isEmpty())
        return Refuse(QStringLiteral("a file name is empty"));
    if (Options.Zoom && (Options.Width || Options.Height))
        return Refuse(QStringLiteral("'--zoom' and '--width'/'--height' cannot be combined"));
    return {true, {}};
}

std::optional<TConvertFormat> FormatOfFileName(const QString& FileName)
{
    const QString suffix = QFileInfo(FileName).suffix();
    for (const TSuffix& s : kSuffixes)
        if (suffix.compare(QLatin1String(s.Suffix), Qt::CaseInsensitive) == 0)
            return s.Format;
    return std::nullopt;
}

QString FormatName(TConvertFormat Format)
{
    switch (Format) {
    case TConvertFormat::Png: return QStringLiteral("PNG");
    case TConvertFormat::Jpeg: return QStringLiteral("JPEG");
    case TConvertFormat::Bmp: return QStringLiteral("BMP");
    case TConvertFormat::Emf: return QStringLiteral("EMF");
    case TConvertFormat::Wmf: return QStringLiteral("WMF");
    case TConvertFormat::Svg: return QStringLiteral("SVG");
    case TConvertFormat::Pdf: return QStringLiteral("PDF");
    case TConvertFormat::Dxf: return QStringLiteral("DXF");
    case TConvertFormat::Drawing: return QStringLiteral("drawing");
    }
    return {};
}

QString KnownOutputSuffixes()
{
    QStringList list;
    for (const TSuffix& s : kSuffixes)
        list << QLatin1Char('.') + QLatin1String(s.Suffix);
    return list.join(QLatin1String(", "));
}

TParseResult CheckOptionsForFormat(const TConvertOptions& Options, TConvertFormat Format)
{
    const QString name = FormatName(Format);
    if ((Options.Zoom || Options.Width || Options.Height) && !IsPicture(Format))
        return Refuse(QStringLiteral("a %1 file has no zoom or size: '--zoom', '--width' and '--height' apply "
                                     "to PNG, JPEG, BMP, EMF, WMF and SVG output")
                          .arg(name));
    if (Options.Quality && Format != TConvertFormat::Jpeg)
        return Refuse(QStringLiteral("'--quality' applies to JPEG output only"));
    const bool paged = IsRaster(Format) || Format == TConvertFormat::Pdf;
    if (Options.Background && !paged)
        return Refuse(QStringLiteral("a %1 file holds the shapes alone: '--background' applies to PNG, JPEG, "
                                     "BMP and PDF output")
                          .arg(name));
    if (Options.Page && !paged)
        return Refuse(QStringLiteral("a %1 file holds the shapes alone: '--page' applies to PNG, JPEG, BMP "
                                     "and PDF output")
                          .arg(name));
    return {true, {}};
}

QString ConvertUsage()
{
    return QStringLiteral(
        "Usage: mycad-convert IN OUT [options]\n"
        "Converts a MyCAD drawing, a DXF file or an entry of a shape library into a picture,\n"
        "a PDF page, a DXF file or a drawing. The format of OUT follows its suffix:\n"
        "  .png .jpg/.jpeg .bmp .emf .wmf .svg .pdf .dxf .zed\n"
        "A library entry is named as library.lib#EntryName or with --entry.\n"
        "\n"
        "Options:\n"
        "  --entry NAME        the library entry to convert\n"
        "  --zoom F            the zoom of the picture (1 = 96 pixels per inch)\n"
        "  --width N           fit the page into N pixels of width, keeping its aspect\n"
        "  --height N          fit the page into N pixels of height, keeping its aspect\n"
        "  --quality N         JPEG quality, 1 to 100 (75 unless given)\n"
        "  --background COLOR  the page colour: #RRGGBB or a name such as 'white'\n"
        "  --page              the page as printed, with its frame, head and foot\n"
        "                      (PNG, JPEG, BMP; a PDF always holds the page)\n"
        "  --help              show this text\n"
        "  --version           show the version\n"
        "\n"
        "Exit codes: 0 done, 1 wrong command line, 2 input unreadable or invalid,\n"
        "3 output unwritable or of an unknown format.\n");
}
