#pragma once
// TMetafileRecorder: a paint device that records what is painted on it as a Windows
// metafile, written to a device while painting goes on (nothing is collected in memory).
//
//   TMetafileRecorder recorder(file, QSize(w, h), TMetafileFormat::Emf);
//   TCanvas canvas(&recorder);           // or a QPainter of one's own
//   ... draw ...
//   bool ok = recorder.Finish();         // ends the canvas's painter, completes the file
//
// The device has the size given in pixels and the screen's logical resolution, so a
// canvas measures text as on the screen. The output device must be random access: the
// headers are completed at the end.
#include "mycad_export.h"

#include <QPaintDevice>
#include <QSize>
#include <memory>

class QIODevice;
class TMetafileSink;
class TMetafileEngine;

enum class TMetafileFormat : uint8_t {
    Emf,          // enhanced metafile
    PlaceableWmf  // Windows metafile with the placeable header
};

class MYCAD_EXPORT TMetafileRecorder : public QPaintDevice {
public:
    TMetafileRecorder(QIODevice& out, QSize size, TMetafileFormat format);
    ~TMetafileRecorder() override;
    TMetafileRecorder(const TMetafileRecorder&) = delete;
    TMetafileRecorder& operator=(const TMetafileRecorder&) = delete;

    QPaintEngine* paintEngine() const override;
    // Ends the painter of a canvas on this device, writes the end of the metafile and
    // completes its headers. False when a write failed or a foreign painter is still
    // active on the device.
    bool Finish();
    TMetafileFormat Format() const { return FFormat; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize FSize;
    TMetafileFormat FFormat;
    std::unique_ptr<TMetafileSink> FSink;
    std::unique_ptr<TMetafileEngine> FEngine;
    bool FFinished = false;
    bool FResult = false;
};
