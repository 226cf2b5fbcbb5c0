// TCanvas: device and painter management, application of pen, brush and modes.
#include "Canvas.h"

#include "Bitmap.h"
#include "Rounding.h"

#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QtDebug>
#include <cmath>

namespace {

// Which canvas holds an own painter open on a device (user-interface thread only).
QHash<const QPaintDevice*, TCanvas*>& DeviceOwners()
{
    static QHash<const QPaintDevice*, TCanvas*> owners;
    return owners;
}

void* ImageDataOf(QPaintDevice* device)
{
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    return static_cast<QImage*>(device)->data_ptr();
}

QPainter::CompositionMode CompositionFor(TPenMode mode)
{
    switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QColor ModeColor(TPenMode mode, TColor color)
{
    if (mode == pmBlack)
        return QColor(0, 0, 0);
    if (mode == pmWhite)
        return QColor(255, 255, 255);
    return ToQColor(color);
}

// Dash patterns in pen widths: the cosmetic ones of a one-pixel pen and the geometric
// ones that scale with the width.
QList<qreal> DashPattern(TPenStyle style, bool geometric)
{
    switch (style) {
    case psDash: return geometric ? QList<qreal>{3, 1} : QList<qreal>{18, 6};
    case psDot: return geometric ? QList<qreal>{1, 1} : QList<qreal>{3, 3};
    case psDashDot: return geometric ? QList<qreal>{3, 1, 1, 1} : QList<qreal>{9, 6, 3, 6};
    case psDashDotDot: return geometric ? QList<qreal>{3, 1, 1, 1, 1, 1} : QList<qreal>{9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

Qt::BrushStyle HatchFor(TBrushStyle style)
{
    switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

} // namespace

void TCanvas::PathData::Clear()
{
    points.clear();
    kinds.clear();
    open = false;
    exists = false;
    newFigure = true;
}

TCanvas::TCanvas()
{
    Init();
}

TCanvas::TCanvas(QPaintDevice* device)
{
    Init();
    SetDevice(device);
}

TCanvas::TCanvas(QPainter* painter)
{
    Init();
    SetPainter(painter);
}

TCanvas::~TCanvas()
{
    Detach();
}

void TCanvas::Init()
{
    FBkBrushSerial = FBrush.Serial();
    FBkMode = OPAQUE;
    FBkColor = FBrush.Color();
    TransformChanged();
}

void TCanvas::Detach()
{
    if (FOwnPainter && FOwnPainter->isActive()) {
        FOwnPainter->end();
        auto& owners = DeviceOwners();
        if (owners.value(FDevice) == this)
            owners.remove(FDevice);
    }
    FOwnPainter.reset();
    if (FExternal && FExternal->isActive())
        FExternal->restore();
    FExternal = nullptr;
    FDevice = nullptr;
    FImageData = nullptr;
    FClip.reset();
    FClipDirty = true;
    FDirect.valid = false;
    FPath.Clear();
    FXf = Xf::Unknown;
    FBase = QTransform();
}

void TCanvas::SetDevice(QPaintDevice* device)
{
    Detach();
    FDevice = device;
    SetMapMode(FMapMode);
}

void TCanvas::SetPainter(QPainter* painter)
{
    Detach();
    if (painter && painter->isActive()) {
        FExternal = painter;
        painter->save();
        FBase = painter->transform();
        FBaseHasClip = painter->hasClipping();
        FBaseClip = FBaseHasClip ? painter->clipPath() : QPainterPath();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    SetMapMode(FMapMode);
}

QPaintDevice* TCanvas::Device() const
{
    if (FExternal)
        return FExternal->device();
    return FDevice;
}

void TCanvas::ReleasePainter()
{
    if (!FOwnPainter || !FOwnPainter->isActive())
        return;
    FOwnPainter->end();
    auto& owners = DeviceOwners();
    if (owners.value(FDevice) == this)
        owners.remove(FDevice);
    FImageData = nullptr;
    FXf = Xf::Unknown;
    FClipDirty = true;
}

void TCanvas::ReleaseDevice(const QPaintDevice* device)
{
    if (TCanvas* owner = DeviceOwners().value(device, nullptr))
        owner->ReleasePainter();
}

QPainter* TCanvas::Begin()
{
    if (FExternal) {
        if (!FExternal->isActive())
            return nullptr;
        // The owner of a foreign painter may have drawn with it since our last call.
        FXf = Xf::Unknown;
        FClipDirty = true;
        return FExternal;
    }
    if (!FDevice)
        return nullptr;
    if (FOwnPainter && FOwnPainter->isActive()) {
        if (ImageDataOf(FDevice) == FImageData)
            return FOwnPainter.get();
        // The image was replaced under the open painter, whose engine went with the old
        // image data: the painter cannot even be ended safely, so it is abandoned.
        qWarning("TCanvas: the image was replaced while the canvas painted on it; call ReleasePainter() first");
        (void)FOwnPainter.release();
        auto& owners = DeviceOwners();
        if (owners.value(FDevice) == this)
            owners.remove(FDevice);
    }
    if (FDevice->devType() == QInternal::Image && static_cast<QImage*>(FDevice)->isNull())
        return nullptr;
    ReleaseDevice(FDevice);
    if (FDevice->paintingActive())
        return nullptr;
    if (!FOwnPainter)
        FOwnPainter = std::make_unique<QPainter>();
    if (!FOwnPainter->begin(FDevice))
        return nullptr;
    DeviceOwners().insert(FDevice, this);
    FImageData = ImageDataOf(FDevice);
    FOwnPainter->setRenderHint(QPainter::Antialiasing, false);
    FOwnPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FXf = Xf::Unknown;
    FClipDirty = true;
    return FOwnPainter.get();
}

QPainter* TCanvas::Painter()
{
    QPainter* p = Begin();
    if (!p)
        return nullptr;
    ApplyClip(p);
    UseXf(p, Xf::Logical);
    FXf = Xf::Unknown;
    FClipDirty = true;
    return p;
}

void TCanvas::TransformChanged()
{
    FLogToDev = FWindowOrg == TPoint() ? FWorld * FMap
                                       : FWorld * QTransform::fromTranslate(-double(FWindowOrg.X), -double(FWindowOrg.Y)) * FMap;
    FXf = Xf::Unknown;
    FDirect.valid = false;
}

void TCanvas::UseXf(QPainter* p, Xf xf)
{
    if (FXf == xf && xf != Xf::LogicalHairline && xf != Xf::DeviceHairline)
        return;
    static const QTransform half = QTransform::fromTranslate(0.5, 0.5);
    const double centre = FPenSpec.hairlineWidth / 2.0;
    switch (xf) {
    case Xf::LogicalHairline: p->setTransform(FLogToDev * QTransform::fromTranslate(centre, centre) * FBase); break;
    case Xf::DeviceHairline: p->setTransform(QTransform::fromTranslate(centre, centre) * FBase); break;
    case Xf::Logical: p->setTransform(FLogToDev * FBase); break;
    case Xf::LogicalHalf: p->setTransform(FLogToDev * half * FBase); break;
    case Xf::Device: p->setTransform(FBase); break;
    case Xf::DeviceHalf: p->setTransform(half * FBase); break;
    default: break;
    }
    FXf = xf;
}

void TCanvas::ApplyClip(QPainter* p)
{
    if (!FClipDirty)
        return;
    UseXf(p, Xf::Device);
    if (FBaseHasClip)
        p->setClipPath(FBaseClip);
    else
        p->setClipping(false);
    if (FClip)
        p->setClipRegion(*FClip, FBaseHasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    FClipDirty = false;
}

double TCanvas::LogicalScale() const
{
    return std::sqrt(std::abs(FLogToDev.determinant()));
}

// ---- Pen and brush ----

void TCanvas::SelectGeometricPen(TPenStyle style, TColor color, int width)
{
    FGeometric = true;
    FGeoStyle = style;
    FGeoColor = color;
    FGeoWidth = width < 0 ? 0 : width;
    FGeoPenSerial = FPen.Serial();
    FPenSpecSerial = 0;
}

void TCanvas::DeselectGeometricPen()
{
    FGeometric = false;
    FPenSpecSerial = 0;
}

bool TCanvas::GeometricPenSelected() const
{
    return FGeometric && FGeoPenSerial == FPen.Serial();
}

void TCanvas::SetPenScale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    if (scale != FPenScale) {
        FPenScale = scale;
        FPenSpecSerial = 0;
    }
}

int TCanvas::ScaledPenWidth(int width) const
{
    if (FPenScale == 1)
        return width;
    return std::max(1, Round(std::max(width, 1) * FPenScale));
}

const TCanvas::PenSpec& TCanvas::CurrentPen(double widthScale)
{
    const bool geometric = GeometricPenSelected();
    if (FPenSpecSerial == FPen.Serial() && FPenSpecGeometric == geometric && FPenSpecScale == widthScale)
        return FPenSpec;
    FPenSpecSerial = FPen.Serial();
    FPenSpecGeometric = geometric;
    FPenSpecScale = widthScale;

    const TPenMode mode = FPen.Mode();
    const TPenStyle style = geometric ? FGeoStyle : FPen.Style();
    const int width = geometric ? FGeoWidth : FPen.Width();
    PenSpec setup;
    setup.visible = mode != pmNop && style != psClear;
    setup.mode = CompositionFor(mode);
    const QColor color = ModeColor(mode, geometric ? FGeoColor : FPen.Color());
    const int scaled = ScaledPenWidth(width);
    if (width <= 1 && scaled > 1) {
        // A one-pixel pen on a denser device: as wide as one pixel there, with flat ends
        // and dashes of the one-pixel pen's length.
        setup.cosmetic = false;
        setup.hairline = true;
        setup.hairlineWidth = scaled;
        setup.pen = QPen(color, scaled * widthScale);
        setup.pen.setCapStyle(Qt::FlatCap);
        setup.pen.setJoinStyle(Qt::MiterJoin);
        QList<qreal> dashes = DashPattern(style, geometric);
        setup.stampPen = QPen(color, 1);
        setup.stampPen.setCosmetic(true);
        setup.stampPen.setCapStyle(Qt::FlatCap);
        setup.stampPen.setJoinStyle(Qt::MiterJoin);
        setup.stampable = mode != pmXor && mode != pmNotXor && mode != pmNot;
        if (!dashes.isEmpty()) {
            QList<qreal> stamp = dashes;
            for (qreal& d : stamp)
                d *= FPenScale;
            setup.stampPen.setDashPattern(stamp);
            for (qreal& d : dashes)
                d = geometric ? d : d * FPenScale / scaled;
            setup.pen.setDashPattern(dashes);
        }
    } else if (width <= 1) {
        setup.cosmetic = true;
        setup.pen = QPen(color, 1);
        setup.pen.setCosmetic(true);
        setup.pen.setCapStyle(Qt::FlatCap);
        setup.pen.setJoinStyle(Qt::MiterJoin);
        const QList<qreal> dashes = DashPattern(style, geometric);
        if (!dashes.isEmpty())
            setup.pen.setDashPattern(dashes);
    } else {
        setup.cosmetic = false;
        setup.pen = QPen(color, scaled * widthScale);
        setup.pen.setCapStyle(Qt::RoundCap);
        setup.pen.setJoinStyle(Qt::RoundJoin);
        if (geometric) {
            const QList<qreal> dashes = DashPattern(style, true);
            if (!dashes.isEmpty())
                setup.pen.setDashPattern(dashes);
        }
    }
    FPenSpec = setup;
    return FPenSpec;
}

// Sets the pen for stroking (no brush). False when the pen draws nothing.
bool TCanvas::SetupPen(QPainter* p, bool deviceSpace)
{
    const PenSpec& setup = CurrentPen(deviceSpace ? LogicalScale() : 1.0);
    if (!setup.visible)
        return false;
    ApplyClip(p);
    if (setup.hairline)
        UseXf(p, deviceSpace ? Xf::DeviceHairline : Xf::LogicalHairline);
    else if (deviceSpace)
        UseXf(p, setup.cosmetic ? Xf::Device : Xf::DeviceHalf);
    else
        UseXf(p, setup.cosmetic ? Xf::Logical : Xf::LogicalHalf);
    p->setCompositionMode(setup.mode);
    p->setPen(setup.pen);
    p->setBrush(NoBrush());
    // As in GDI, the gaps of a dashed pen take the background colour in OPAQUE mode.
    SyncBkFromBrush();
    ApplyBackground(p, setup.pen.style() != Qt::SolidLine);
    return true;
}

TCanvas::BrushSpec TCanvas::MakeBrush(const TBrush& brush, bool copyMode)
{
    BrushSpec setup;
    const TPenMode mode = copyMode ? pmCopy : FPen.Mode();
    setup.mode = CompositionFor(mode);
    if (mode == pmNop)
        return setup;
    if (const TBitmap* pattern = brush.Pattern(); pattern && !pattern->Empty()) {
        setup.visible = true;
        setup.brush = QBrush(pattern->Image());
        return setup;
    }
    if (brush.Style() == bsClear)
        return setup;
    setup.visible = true;
    setup.brush = QBrush(ModeColor(mode, brush.Color()), HatchFor(brush.Style()));
    return setup;
}

const TCanvas::BrushSpec& TCanvas::CurrentBrush()
{
    if (FBrushSpecSerial != FBrush.Serial() || FBrushSpecPenSerial != FPen.Serial()) {
        FBrushSpec = MakeBrush(FBrush, false);
        FBrushSpecSerial = FBrush.Serial();
        FBrushSpecPenSerial = FPen.Serial();
    }
    return FBrushSpec;
}

// Sets the brush for filling (no pen). False when the brush paints nothing.
bool TCanvas::SetupBrush(QPainter* p, const BrushSpec& setup)
{
    if (!setup.visible)
        return false;
    ApplyClip(p);
    SyncBkFromBrush();
    p->setCompositionMode(setup.mode);
    p->setPen(NoPen());
    p->setBrush(setup.brush);
    // The background shows only between the lines of a hatched or pattern brush.
    const Qt::BrushStyle style = setup.brush.style();
    ApplyBackground(p, style != Qt::SolidPattern && style != Qt::NoBrush);
    return true;
}

void TCanvas::ApplyBackground(QPainter* p, bool used)
{
    if (!used || FBkMode != OPAQUE) {
        p->setBackgroundMode(Qt::TransparentMode);
        return;
    }
    if (FBkBrushColor != FBkColor || FBkBrush.style() == Qt::NoBrush) {
        FBkBrush = QBrush(ToQColor(FBkColor));
        FBkBrushColor = FBkColor;
    }
    p->setBackgroundMode(Qt::OpaqueMode);
    p->setBackground(FBkBrush);
}

const QPen& TCanvas::NoPen()
{
    static const QPen none(Qt::NoPen);
    return none;
}

const QBrush& TCanvas::NoBrush()
{
    static const QBrush none(Qt::NoBrush);
    return none;
}

// ---- Device-context modes ----

void TCanvas::SyncBkFromBrush()
{
    if (FBkBrushSerial == FBrush.Serial())
        return;
    FBkBrushSerial = FBrush.Serial();
    if (FBrush.Style() == bsSolid && !FBrush.Pattern()) {
        FBkMode = OPAQUE;
        FBkColor = FBrush.Color();
    } else {
        FBkMode = TRANSPARENT;
    }
}

int TCanvas::SetBkMode(int mode)
{
    SyncBkFromBrush();
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    const int previous = FBkMode;
    FBkMode = mode;
    return previous;
}

int TCanvas::GetBkMode()
{
    SyncBkFromBrush();
    return FBkMode;
}

TColor TCanvas::SetBkColor(TColor color)
{
    SyncBkFromBrush();
    const TColor previous = FBkColor;
    FBkColor = color;
    return previous;
}

TColor TCanvas::GetBkColor()
{
    SyncBkFromBrush();
    return FBkColor;
}

int TCanvas::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    const int previous = FPolyFillMode;
    FPolyFillMode = mode;
    return previous;
}

int TCanvas::SetArcDirection(int direction)
{
    if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE)
        return 0;
    const int previous = FArcDirection;
    FArcDirection = direction;
    return previous;
}

int TCanvas::SetTextAlign(int align)
{
    const int previous = FTextAlign;
    FTextAlign = align;
    return previous;
}

int TCanvas::SetTextCharacterExtra(int extra)
{
    const int previous = FCharExtra;
    FCharExtra = extra;
    return previous;
}

// ---- Device facts ----

QImage* TCanvas::TargetImage() const
{
    QPaintDevice* device = Device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    return static_cast<QImage*>(device);
}

QRect TCanvas::DeviceWindow() const
{
    const QPaintDevice* device = Device();
    if (!device || device->width() <= 0 || device->height() <= 0)
        return QRect(-32768, -32768, 65536, 65536);
    const QRect pixels(0, 0, device->width(), device->height());
    if (FBase.isIdentity())
        return pixels;
    bool invertible = false;
    const QTransform inverse = FBase.inverted(&invertible);
    return invertible ? inverse.mapRect(pixels).adjusted(-1, -1, 1, 1) : pixels;
}

int TCanvas::GetDeviceCaps(int index) const
{
    const QPaintDevice* device = Device();
    if (!device)
        return 0;
    switch (index) {
    case HORZRES: return device->width();
    case VERTRES: return device->height();
    case HORZSIZE: return device->widthMM();
    case VERTSIZE: return device->heightMM();
    case BITSPIXEL: return device->depth();
    case NUMCOLORS: return device->depth() <= 8 ? 1 << device->depth() : -1;
    case LOGPIXELSX: return device->logicalDpiX();
    case LOGPIXELSY: return device->logicalDpiY();
    default: return 0;
    }
}
