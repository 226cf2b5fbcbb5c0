// Reading the inputs of mycad-convert into a drawing.
#include "ConvertInput.h"

#include "component/document/MyCAD.h"
#include "component/dxf/DXFImport.h"
#include "component/library/LibFileChecks.h"
#include "component/library/LibManager.h"
#include "component/shapes/MyShape.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

// Room around a library entry on its page, in pixels, so that lines at the edge of the
// entry are drawn whole.
constexpr double kEntryMargin = 8.0;
// The largest side of a library entry's page in pixels; an entry claiming more is damaged.
constexpr double kMaxEntrySide = 30000.0;
// How much of a file is looked at to recognise a DXF file without the suffix.
constexpr qint64 kDxfSniffBytes = 256;

TReadResult Unreadable(const QString& Error) { return {TConvertExit::InputUnreadable, Error}; }

// An ASCII DXF file begins with group 0 SECTION or a 999 comment.
bool LooksLikeDxf(const QString& FileName)
{
    if (QFileInfo(FileName).suffix().compare(QLatin1String("dxf"), Qt::CaseInsensitive) == 0)
        return true;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.read(kDxfSniffBytes).split('\n');
    if (lines.size() < 2)
        return false;
    const QByteArray code = lines[0].trimmed(), value = lines[1].trimmed();
    return (code == "0" && value == "SECTION") || code == "999";
}

TReadResult ReadDrawing(const QString& FileName, TMyCAD& Cad)
{
    if (!Cad.LoadFromFile(FileName))
        return Unreadable(QStringLiteral("the drawing is damaged or incomplete"));
    return {};
}

TReadResult ReadDxf(const QString& FileName, TMyCAD& Cad)
{
    TDXF2DImport import(FileName, &Cad);
    if (!import.IsOpen())
        return Unreadable(QStringLiteral("the file cannot be opened"));
    // Inserted blocks, bulges, splines, MTEXT and hatch boundaries too: the picture should
    // show what the DXF file shows.
    import.SetExtendedEntities(true);
    if (!import.ReadDXF()) {
        const QString reason = import.LastError().isEmpty() ? QStringLiteral("Invalid DXF file.") : import.LastError();
        return Unreadable(reason);
    }
    return {};
}

// The page in millimetres that holds Pixels at the 96-pixels-per-inch model (at least 1).
uint32_t PageMillimetres(double Pixels)
{
    return uint32_t(std::max(1.0, std::ceil(Pixels * 25.4 / ScreenPixelsPerInch())));
}

TReadResult ReadLibraryEntry(const TConvertSource& Source, TMyCAD& Cad)
{
    if (!IsZEDALibFile(Source.File))
        return Unreadable(QStringLiteral("not a shape library"));
    TLibManager library(Source.File);
    if (library.LibFileName().isEmpty())
        return Unreadable(QStringLiteral("the library cannot be read"));
    int64_t position = 0, length = 0;
    if (!library.GetExistShape(Source.Entry, position, length))
        return Unreadable(QStringLiteral("the library holds no entry '%1'").arg(Source.Entry));

    // The entry's extent decides the page; the shapes read here only measure it.
    double boxWidth = 0, boxHeight = 0;
    {
        TArrMyPoint linkPoints;
        TUserData userData;
        TLibShapes shapes;
        int w = 0, h = 0;
        if (!library.GetCmbShape(Source.Entry, linkPoints, userData, shapes, w, h, true))
            return Unreadable(QStringLiteral("the entry '%1' is damaged or of an unknown layout").arg(Source.Entry));
        TArrMyShape list;
        for (const auto& s : shapes)
            list.push_back(s.get());
        if (!list.empty()) {
            const TMyRect box = Cad.GetShapesLTRB(list);
            boxWidth = double(box.Right) - box.Left;
            boxHeight = double(box.Bottom) - box.Top;
        }
        boxWidth = std::max(boxWidth, double(w));
        boxHeight = std::max(boxHeight, double(h));
    }
    if (!std::isfinite(boxWidth) || !std::isfinite(boxHeight) || boxWidth > kMaxEntrySide ||
        boxHeight > kMaxEntrySide)
        return Unreadable(QStringLiteral("the entry '%1' claims an impossible size").arg(Source.Entry));

    const uint32_t pageWidth = PageMillimetres(boxWidth + 2 * kEntryMargin);
    const uint32_t pageHeight = PageMillimetres(boxHeight + 2 * kEntryMargin);
    Cad.SetPageWidth(pageWidth);
    Cad.SetPageHeight(pageHeight);
    // A page of no standard size keeps the control's size; give it the page's.
    const double scale = Cad.Zoom() * ScreenPixelsPerInch() / 25.4;
    Cad.resize(Round(pageWidth * scale), Round(pageHeight * scale));
    if (Cad.AddUserDefineShapefromLib(&library, Source.Entry, Cad.width() / 2, Cad.height() / 2) < 0)
        return Unreadable(QStringLiteral("the entry '%1' holds no shape").arg(Source.Entry));
    return {};
}

} // namespace

TConvertSource SourceOf(const TConvertOptions& Options)
{
    if (!Options.Entry.isEmpty())
        return {Options.Input, Options.Entry};
    if (QFileInfo::exists(Options.Input))
        return {Options.Input, {}};
    const qsizetype hash = Options.Input.lastIndexOf(QLatin1Char('#'));
    if (hash > 0 && QFileInfo(Options.Input.left(hash)).isFile())
        return {Options.Input.left(hash), Options.Input.mid(hash + 1)};
    return {Options.Input, {}};
}

TReadResult ReadConvertInput(const TConvertSource& Source, TMyCAD& Cad)
{
    const QFileInfo info(Source.File);
    if (!info.exists())
        return Unreadable(QStringLiteral("no such file"));
    if (info.isDir())
        return Unreadable(QStringLiteral("it is a folder"));
    {
        QFile file(Source.File);
        if (!file.open(QIODevice::ReadOnly))
            return Unreadable(file.errorString());
    }
    const bool library = IsZEDALibFile(Source.File);
    if (!Source.Entry.isEmpty() || library) {
        if (Source.Entry.isEmpty())
            return {TConvertExit::Usage,
                    QStringLiteral("it is a shape library: name an entry as '%1#Name' or with '--entry Name'")
                        .arg(Source.File)};
        return ReadLibraryEntry(Source, Cad);
    }
    if (Cad.IsZEDAFile(Source.File))
        return ReadDrawing(Source.File, Cad);
    if (LooksLikeDxf(Source.File))
        return ReadDxf(Source.File, Cad);
    return Unreadable(QStringLiteral("not a MyCAD drawing, DXF file or shape library"));
}
