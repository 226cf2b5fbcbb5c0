#include "ImagePrinter.h"

#include <algorithm>
#include <cmath>

TImagePrinter::TImagePrinter() = default;

TImagePrinter::TImagePrinter(const TSettings& settings) : FSettings(settings) {}

TImagePrinter::~TImagePrinter()
{
    Abort();
}

bool TImagePrinter::Landscape() const
{
    return FOrientation == TPrinterOrientation::Landscape;
}

int TImagePrinter::ResolutionX() const
{
    return Landscape() ? FSettings.ResolutionY : FSettings.ResolutionX;
}

int TImagePrinter::ResolutionY() const
{
    return Landscape() ? FSettings.ResolutionX : FSettings.ResolutionY;
}

TPoint TImagePrinter::PhysicalOffset() const
{
    const TPoint o = FSettings.PhysicalOffset;
    return Landscape() ? TPoint(o.Y, o.X) : o;
}

TSize TImagePrinter::PageSize() const
{
    const TSize s = FSettings.PageSize;
    return Landscape() ? TSize{s.cy, s.cx} : s;
}

void TImagePrinter::SetOrientation(TPrinterOrientation value)
{
    if (!Printing())
        FOrientation = value;
}

bool TImagePrinter::StartJob()
{
    ++FBegun;
    if (FSettings.FailBegin)
        return false;
    const TSize size = PageSize();
    FImage = QImage(std::max(size.cx, 1), std::max(size.cy, 1), QImage::Format_RGB32);
    if (FImage.isNull())
        return false;
    FImage.fill(Qt::white);
    // The picture knows its resolution, so the canvas's device capabilities report it.
    FImage.setDotsPerMeterX(int(std::lround(ResolutionX() / 0.0254)));
    FImage.setDotsPerMeterY(int(std::lround(ResolutionY() / 0.0254)));
    return true;
}

QPaintDevice* TImagePrinter::JobDevice()
{
    return &FImage;
}

bool TImagePrinter::FinishJob(bool painted)
{
    FPage.Assign(FImage);
    FImage = QImage();
    if (!painted || FSettings.FailEnd)
        return false;
    ++FEnded;
    return true;
}
