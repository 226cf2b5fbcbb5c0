#include "MetafileRecorder.h"

#include "Canvas.h"
#include "EmfWriter.h"
#include "MetafileEngine.h"
#include "Rounding.h"
#include "Screen.h"
#include "WmfWriter.h"

TMetafileRecorder::TMetafileRecorder(QIODevice& out, QSize size, TMetafileFormat format)
    : FSize(size.expandedTo(QSize(1, 1))), FFormat(format)
{
    if (format == TMetafileFormat::PlaceableWmf)
        FSink = std::make_unique<TWmfWriter>(out, FSize);
    else
        FSink = std::make_unique<TEmfWriter>(out, FSize);
    FEngine = std::make_unique<TMetafileEngine>(*FSink);
}

TMetafileRecorder::~TMetafileRecorder()
{
    // A canvas still painting here must let go before the engine goes.
    TCanvas::ReleaseDevice(this);
}

QPaintEngine* TMetafileRecorder::paintEngine() const
{
    return FEngine.get();
}

bool TMetafileRecorder::Finish()
{
    if (FFinished)
        return FResult;
    TCanvas::ReleaseDevice(this);
    if (paintingActive())
        return false;
    FFinished = true;
    FResult = FSink->Finish();
    return FResult;
}

int TMetafileRecorder::metric(PaintDeviceMetric metric) const
{
    const int ppi = ScreenPixelsPerInch();
    switch (metric) {
    case PdmWidth: return FSize.width();
    case PdmHeight: return FSize.height();
    case PdmWidthMM: return Round(FSize.width() * 25.4 / ppi);
    case PdmHeightMM: return Round(FSize.height() * 25.4 / ppi);
    case PdmNumColors: return 0xFFFFFF;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return ppi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}
