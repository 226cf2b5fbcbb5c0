// TMyCAD: pictures of the page for other programs, and the parameters of arcs for
// exchange formats. The raster pictures are composed as the page shows (page colour,
// background picture, shapes with their link marks) at the current zoom, without grid or
// hots; the vector pictures hold the shapes alone. Every file is written beside its name
// and replaces the old file only once complete.
#include "component/document/MyCAD.h"

#include "component/base/ArcGeometry.h"
#include "component/document/HopScope.h"
#include "component/render/HotDrawing.h"
#include "component/shapes/MyShape.h"
#include "platform/JpegCodec.h"
#include "platform/MetafileRecorder.h"
#include "platform/PdfPrinter.h"
#include "platform/PixelLimit.h"
#include "platform/Printer.h"
#include "platform/Stream.h"
#include "platform/SvgStream.h"

#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>

namespace {

// SVG parts: shapes drawn on one generator before it is written out.
constexpr size_t kSvgShapesPerPart = 2000;

// Sets the zoom back through the setter when the scope ends, however it ends.
class SetZoomBack {
public:
    explicit SetZoomBack(TMyCAD& cad) : FCad(cad), FZoom(cad.Zoom()) {}
    ~SetZoomBack() { FCad.SetZoom(FZoom); }
    SetZoomBack(const SetZoomBack&) = delete;
    SetZoomBack& operator=(const SetZoomBack&) = delete;

private:
    TMyCAD& FCad;
    double FZoom;
};

} // namespace

bool TMyCAD::ComposePage(TBitmap& Bitmap, bool Fill)
{
    const int W = width(), H = height();
    if (!PictureSizeAllowed(W, H))
        return false;
    Bitmap.SetPixelFormat(pf24bit);
    if (!Bitmap.SetSize(W, H))
        return false;
    const TRect R(0, 0, W, H);
    if (Fill)
        FillBackground(&Bitmap, R);
    DrawBkBitmap(&Bitmap, 0, 0, false);
    DrawAllShape(&Bitmap.Canvas(), R);
    return true;
}

bool TMyCAD::SaveToBmp(const QString& FileName, bool Fill)
{
    TBitmap bitmap;
    return ComposePage(bitmap, Fill) && bitmap.SaveToFile(FileName);
}

bool TMyCAD::SaveToBmp(TBitmap* Bitmap, int Width, int Height, bool Fill)
{
    if (!Bitmap || !PictureSizeAllowed(Width, Height))
        return false;
    SetZoomBack restore(*this);
    if (!Bitmap->SetSize(Width, Height))
        return false;
    SetZoom(1);
    const int W1 = width(), H1 = height();
    if (W1 <= 0 || H1 <= 0)
        return false;
    const double byWidth = double(Width) / W1, byHeight = double(Height) / H1;
    SetZoom(byHeight >= byWidth ? byWidth : byHeight);
    const TRect R(0, 0, width(), height());
    if (Fill)
        FillBackground(Bitmap, R);
    DrawBkBitmap(Bitmap, 0, 0, false);
    DrawAllShape(&Bitmap->Canvas(), R);
    return true;
}

bool TMyCAD::SaveToJpg(const QString& FileName, int Quality, bool Fill)
{
    TBitmap bitmap;
    if (!ComposePage(bitmap, Fill))
        return false;
    TJpegWriteOptions options;
    options.Quality = std::clamp(Quality, 1, 100);
    return SaveFileSafely(FileName, [&](QIODevice& file) { return WriteJpeg(file, bitmap, options); });
}

bool TMyCAD::SaveToPng(const QString& FileName, bool Fill)
{
    TBitmap bitmap;
    if (!ComposePage(bitmap, Fill))
        return false;
    return SaveFileSafely(FileName, [&](QIODevice& file) {
        QImageWriter writer(&file, "png");
        return writer.write(bitmap.Image());
    });
}

bool TMyCAD::SaveToWmf(const QString& FileName)
{
    const int W = width(), H = height();
    if (W <= 0 || H <= 0)
        return false;
    const TMetafileFormat format = QFileInfo(FileName).suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0
                                       ? TMetafileFormat::PlaceableWmf
                                       : TMetafileFormat::Emf;
    return SaveFileSafely(FileName, [&](QIODevice& file) {
        TMetafileRecorder recorder(file, QSize(W, H), format);
        {
            TCanvas canvas(&recorder);
            DrawAllShape(&canvas, TRect(0, 0, W, H));
        }
        return recorder.Finish();
    });
}

// The shapes DrawAllShape would draw, in parts of a bounded number of shapes, each part
// written out before the next is drawn; the link marks come last, over all of them.
bool TMyCAD::SaveToSvg(const QString& FileName)
{
    const int W = width(), H = height();
    if (W <= 0 || H <= 0)
        return false;
    const TRect R(0, 0, W, H);
    std::vector<int> listed;
    ShapesToPaint(R, listed);
    FDrawnShapes.assign(listed.begin(), listed.end());
    std::vector<TMyShape*> roots;
    roots.reserve(listed.size());
    for (int no : listed)
        roots.push_back(GetShapeByNo(no));
    const THopScope hops(*this, roots);
    return SaveFileSafely(FileName, [&](QIODevice& file) {
        TSvgStream svg(file, QSize(W, H), objectName());
        std::vector<TMyShape*> linkHolders;
        size_t from = 0;
        do {
            QPainter* painter = svg.NextPart();
            if (!painter)
                return false;
            TCanvas canvas(painter);
            for (size_t i = from; i < std::min(listed.size(), from + kSvgShapesPerPart); ++i)
                DrawShapeTree(&canvas, GetShapeByNo(listed[i]), 0, linkHolders);
            from += kSvgShapesPerPart;
        } while (from < listed.size());
        if (!linkHolders.empty()) {
            QPainter* painter = svg.NextPart();
            if (!painter)
                return false;
            TCanvas canvas(painter);
            for (TMyShape* s : linkHolders)
                DrawLinkHot(s, &canvas);
        }
        return svg.Finish();
    });
}

// The print of every visible shape on one PDF page of the drawing's paper.
bool TMyCAD::SaveToPdf(const QString& FileName)
{
    if (FPageWidth == 0 || FPageHeight == 0)
        return false;
    const bool landscape = FPageOrientation == TPageOrientation::poLandscape;
    // The paper upright; the landscape orientation the print sets turns it back.
    const QSizeF paper = landscape ? QSizeF(FPageHeight, FPageWidth) : QSizeF(FPageWidth, FPageHeight);
    return SaveFileSafely(FileName, [&](QIODevice& file) {
        TPdfPrinter pdf(file, paper);
        pdf.SetTitle(objectName());
        TPrinter* previous = SetPrinter(&pdf);
        const bool ok = Print({}, 1.0);
        SetPrinter(previous);
        return ok;
    });
}

void TMyCAD::GetRA1A2By3Points(TMyPoint P0, TMyPoint, TMyPoint P2, TMyPoint Centre, double& R, double& A1,
                               double& A2) const
{
    ArcExportParameters(height(), P0, P2, Centre, R, A1, A2);
}
