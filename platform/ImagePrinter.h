#pragma once
// TImagePrinter: a printer whose page is a picture. Its resolutions, physical offsets,
// printable area and colour count are whatever the caller sets, it can be told to fail
// at the start or the end of a job, and it counts its jobs: the printer of tests, and of
// hosts that want a print as a bitmap.
//
// The values set describe the portrait page; in landscape the printable area and the
// offsets are turned (width and height, x and y swap), as a driver reports them.
#include "mycad_export.h"
#include "Bitmap.h"
#include "Printer.h"

class MYCAD_EXPORT TImagePrinter : public TPrinter {
public:
    struct TSettings {
        int ResolutionX = 600;
        int ResolutionY = 600;
        TPoint PhysicalOffset{0, 0};
        // The printable area in printer pixels (A4 at 600 dpi less 4 mm margins).
        TSize PageSize{4867, 6826};
        int ColorCount = -1;
        // Refuse to start a job / report the finished job as failed.
        bool FailBegin = false;
        bool FailEnd = false;
    };

    TImagePrinter();
    explicit TImagePrinter(const TSettings& settings);
    ~TImagePrinter() override;

    const TSettings& Settings() const { return FSettings; }
    // Takes effect for the next job.
    void SetSettings(const TSettings& settings) { FSettings = settings; }

    int ResolutionX() const override;
    int ResolutionY() const override;
    TPoint PhysicalOffset() const override;
    TSize PageSize() const override;
    int ColorCount() const override { return FSettings.ColorCount; }
    TPrinterOrientation Orientation() const override { return FOrientation; }
    void SetOrientation(TPrinterOrientation value) override;

    // The page of the last job that was started (white where nothing was printed), 24
    // bits per pixel, PageSize() large.
    const TBitmap& Page() const { return FPage; }
    int BeginCount() const { return FBegun; }
    int EndCount() const { return FEnded; }
    int AbortCount() const { return FAborted; }

protected:
    QPaintDevice* JobDevice() override;
    bool StartJob() override;
    bool FinishJob(bool painted) override;
    void AbortJob() override { ++FAborted; }

private:
    bool Landscape() const;

    TSettings FSettings;
    TPrinterOrientation FOrientation = TPrinterOrientation::Portrait;
    TBitmap FPage;
    QImage FImage;
    int FBegun = 0;
    int FEnded = 0;
    int FAborted = 0;
};
