#include "PdfPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>

TPdfPrinter::TPdfPrinter(QIODevice& out, QSizeF paperMm, int dpi)
    : FWriter(std::make_unique<QPdfWriter>(&out)), FPaperMm(paperMm), FDpi(std::max(dpi, 1))
{
    FWriter->setResolution(FDpi);
    FWriter->setCreator(QStringLiteral("MyCAD"));
    ApplyLayout();
}

TPdfPrinter::~TPdfPrinter()
{
    Abort();
}

void TPdfPrinter::ApplyLayout()
{
    // The paper as given stands upright; the landscape orientation turns it.
    const QSizeF paper(std::max(FPaperMm.width(), 1.0), std::max(FPaperMm.height(), 1.0));
    const QPageSize size(paper, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    FWriter->setPageLayout(QPageLayout(size,
                                       FOrientation == TPrinterOrientation::Landscape ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

TSize TPdfPrinter::PageSize() const
{
    const QRect area = FWriter->pageLayout().paintRectPixels(FDpi);
    return TSize{area.width(), area.height()};
}

void TPdfPrinter::SetOrientation(TPrinterOrientation value)
{
    if (Printing() || value == FOrientation)
        return;
    FOrientation = value;
    ApplyLayout();
}

void TPdfPrinter::SetTitle(const QString& title)
{
    FWriter->setTitle(title);
}

QPaintDevice* TPdfPrinter::JobDevice()
{
    return FWriter.get();
}
