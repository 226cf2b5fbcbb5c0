// TMyCAD: copy, cut and paste. The memory shapes hold what was copied and are all that
// Paste reads; the system clipboard (platform/Clipboard.h) receives a picture of the
// copied shapes for other programs: a bitmap from Copy, an enhanced metafile from
// CopyToClipBoardAsWmf.
#include "component/document/MyCAD.h"

#include "component/document/HopScope.h"
#include "component/shapes/MyShape.h"
#include "platform/Clipboard.h"
#include "platform/MetafileRecorder.h"
#include "platform/PixelLimit.h"
#include "platform/Rounding.h"

#include <QBuffer>
#include <QPainter>
#include <deque>
#include <unordered_set>

namespace {

// Margin of the copied bitmap around the shapes, in pixels.
constexpr int kCopyMargin = 2;

// Sets a flag for the lifetime of a scope and puts the old value back.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

// A shape's stored geometry, put back exactly when the scope ends (moving by an offset
// and back in float arithmetic would drift).
class TGeometryScope {
public:
    explicit TGeometryScope(TMyShape& shape)
        : FShape(shape), FPoints(shape.Points()), FLinkPoints(shape.LinkPoints()), FCaption(shape.CaptionPoint())
    {
    }
    ~TGeometryScope()
    {
        FShape.PointsRef() = FPoints;
        if (!FLinkPoints.empty() || FShape.GetLinkPointsCount() > 0)
            FShape.LinkPointsRef() = FLinkPoints;
        FShape.SetCaptionPoint(FCaption);
    }
    TGeometryScope(const TGeometryScope&) = delete;
    TGeometryScope& operator=(const TGeometryScope&) = delete;

private:
    TMyShape& FShape;
    TArrMyPoint FPoints, FLinkPoints;
    TMyPoint FCaption;
};

// A picture side in pixels from a box computed in doubles: at least 1, and none (-1)
// beyond what a picture may have.
int64_t PictureSide(double length)
{
    if (!(length < double(kMaxPictureDimension)))
        return -1; // also not a number
    return std::max<int64_t>(Round(std::max(length, 0.0)), 1);
}

} // namespace

bool TMyCAD::Copy()
{
    if (FWorkingShapes.empty())
        return false;
    const TArrMyShape roots = FWorkingShapes;
    // The memory shapes first: they are the copy, whatever becomes of the picture.
    FillMemShapes(roots);

    // The picture: the box of the shapes in whole pixels, grown by the margin, computed
    // in 64 bits and refused beyond the pictures the platform makes.
    const TMyRect box = GetShapesLTRBinZoom(roots);
    const int64_t left = Round64(box.Left) - kCopyMargin, top = Round64(box.Top) - kCopyMargin;
    const int64_t w = Round64(box.Right) + kCopyMargin - left, h = Round64(box.Bottom) + kCopyMargin - top;
    TClipboardContent content;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    if (PictureSizeAllowed(w, h) && picture.SetSize(int(w), int(h))) {
        TCanvas& canvas = picture.Canvas();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(FColorOfBackGround);
        canvas.FillRect(TRect(0, 0, int(w), int(h)));
        DrawTreesMoved(&canvas, roots, -double(left) / FZoom, -double(top) / FZoom);
        content.Bitmap = picture.ToQImage();
    }
    // Without a picture the clipboard is emptied, so that no older picture stands for
    // this copy in other programs.
    const bool placed = ClipboardServices().SetContent(content);
    return placed && !content.Bitmap.isNull();
}

void TMyCAD::DrawTreesMoved(TCanvas* Canvas, const TArrMyShape& Roots, double DX, double DY)
{
    TFlagScope moving(FPaintMovesShapes);
    std::unordered_set<const TMyShape*> seen;
    TArrMyShape order;
    for (TMyShape* root : Roots)
        for (TMyShape* shape : ShapeTreeOf(root, false))
            if (shape && seen.insert(shape).second)
                order.push_back(shape);
    // Declared before the hop scope, so put back after it ends.
    std::deque<TGeometryScope> kept;
    for (TMyShape* shape : order) {
        kept.emplace_back(*shape);
        OffsetAllPoints(shape, DX, DY);
    }
    const THopScope hops(*this, Roots);
    for (TMyShape* shape : order)
        shape->Draw(Canvas);
}

bool TMyCAD::Cut()
{
    // What the working shapes hold, each shape once: all of it must be in the memory
    // shapes before anything is deleted.
    std::unordered_set<const TMyShape*> trees;
    for (TMyShape* root : FWorkingShapes)
        for (const TMyShape* shape : ShapeTreeOf(root, false))
            trees.insert(shape);
    Copy();
    if (trees.empty() || FMemShapes.size() != trees.size())
        return false;
    return DeleteSelectedShapes();
}

void TMyCAD::Paste()
{
    PasteMemShapes(false);
}

void TMyCAD::PasteFromMyCAD(TMyCAD* Other)
{
    if (Other && Other != this && !Other->FMemShapes.empty()) {
        std::vector<std::unique_ptr<TMyShape>> copies;
        copies.reserve(Other->FMemShapes.size());
        for (const auto& shape : Other->FMemShapes) {
            std::unique_ptr<TMyShape> copy = CreateShapeByName(shape->ClassName(), this);
            if (!copy)
                continue;
            copy->Assign(shape.get());
            copies.push_back(std::move(copy));
        }
        FMemShapes = std::move(copies);
    }
    Paste();
}

bool TMyCAD::CopyToClipBoardAsWmf()
{
    if (FWorkingShapes.empty())
        return false;
    const TArrMyShape roots = FWorkingShapes;
    const TMyRect box = GetShapesLTRBinZoom(roots);
    const int64_t w = PictureSide(double(box.Right) - double(box.Left));
    const int64_t h = PictureSide(double(box.Bottom) - double(box.Top));
    TClipboardContent content;
    if (w > 0 && h > 0) {
        QBuffer buffer(&content.Emf);
        buffer.open(QIODevice::WriteOnly);
        TMetafileRecorder recorder(buffer, QSize(int(w), int(h)), TMetafileFormat::Emf);
        {
            TCanvas canvas(&recorder);
            DrawTreesMoved(&canvas, roots, -box.Left / FZoom, -box.Top / FZoom);
        }
        if (!recorder.Finish())
            content.Emf.clear();
    }
    const bool placed = ClipboardServices().SetContent(content);
    return placed && !content.Emf.isEmpty();
}

int TMyCAD::PasteClipboardPicture(TPoint TopLeft)
{
    const QImage image = ClipboardServices().Picture();
    if (image.isNull() || !PictureSizeAllowed(image.width(), image.height()))
        return -1;
    // Transparent parts show the white of paper, as other programs paste them.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    TBitmap picture;
    picture.Assign(opaque);
    return AddImageShapeByCode(QStringLiteral("Shape%1").arg(FNextShapeId), TopLeft, &picture);
}
