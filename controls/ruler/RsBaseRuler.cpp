#include "controls/ruler/RsBaseRuler.h"

#include <QPaintEvent>
#include <QPainter>

TRsBaseRuler::TRsBaseRuler(QWidget* parent) : QWidget(parent), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this] { FontChanged(); };
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TRsBaseRuler::~TRsBaseRuler()
{
    if (FCanvas)
        FCanvas->ReleasePainter();
}

void TRsBaseRuler::SetUnit(TRulerUnit)
{
}

void TRsBaseRuler::SetFlat(bool value)
{
    if (FFlat == value)
        return;
    FFlat = value;
    Invalidate();
}

void TRsBaseRuler::SetScaleColor(TColor value)
{
    if (FScaleColor == value)
        return;
    FScaleColor = value;
    Invalidate();
}

void TRsBaseRuler::SetTickColor(TColor value)
{
    if (FTickColor == value)
        return;
    FTickColor = value;
    Invalidate();
}

void TRsBaseRuler::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Invalidate();
}

void TRsBaseRuler::SetFont(const TFont* value)
{
    if (value && value != FFont.get())
        FFont->Assign(*value); // fires OnChange: the fonts are rebuilt
}

void TRsBaseRuler::SetHint(const QString& value)
{
    FHint = value;
    setToolTip(FShowHint ? FHint : QString());
}

void TRsBaseRuler::SetShowHint(bool value)
{
    FShowHint = value;
    setToolTip(FShowHint ? FHint : QString());
}

void TRsBaseRuler::FontChanged()
{
    FFontsInvalid = true;
    Invalidate();
}

void TRsBaseRuler::BuildFonts()
{
    FHorzFont.Assign(*FFont);
    FHorzFont.SetEscapement(0);
    FUpFont.Assign(FHorzFont);
    FUpFont.SetEscapement(900);
    FDownFont.Assign(FHorzFont);
    FDownFont.SetEscapement(2700);
    FFontsInvalid = false;
}

void TRsBaseRuler::Invalidate()
{
    FStale = true;
    update();
}

TCanvas& TRsBaseRuler::Canvas()
{
    EnsurePicture();
    return *FCanvas;
}

bool TRsBaseRuler::EnsurePicture()
{
    const QSize size(std::max(width(), 1), std::max(height(), 1));
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>();
    if (FPicture.size() == size)
        return false;
    FCanvas->ReleasePainter();
    FPicture = QImage(size, QImage::Format_RGB32);
    FCanvas->SetDevice(&FPicture);
    FStale = true;
    return true;
}

void TRsBaseRuler::Repaint()
{
    EnsurePicture();
    FStale = false;
    Paint();
    update();
}

void TRsBaseRuler::EnsureComposed()
{
    EnsurePicture();
    if (FStale)
        Repaint();
}

const QImage& TRsBaseRuler::Picture()
{
    EnsureComposed();
    FCanvas->ReleasePainter();
    return FPicture;
}

void TRsBaseRuler::Paint()
{
    TCanvas& c = *FCanvas;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FColor);
    c.FillRect(TRect(0, 0, width(), height()));
    if (FFontsInvalid)
        BuildFonts();
    c.SetFont(FHorzFont);
}

void TRsBaseRuler::DrawRaisedEdge(const TRect& r)
{
    // Outer bevel: light top-left, dark shadow bottom-right; inner bevel: highlight
    // top-left, shadow bottom-right.
    TCanvas& c = *FCanvas;
    const auto bevel = [&c](const TRect& b, TColor topLeft, TColor bottomRight) {
        if (b.Width() < 1 || b.Height() < 1)
            return;
        c.Pen().SetMode(pmCopy);
        c.Pen().SetStyle(psSolid);
        c.Pen().SetWidth(1);
        c.Pen().SetColor(topLeft);
        c.MoveTo(b.Left, b.Bottom - 2);
        c.LineTo(b.Left, b.Top);
        c.LineTo(b.Right - 1, b.Top);
        c.Pen().SetColor(bottomRight);
        c.MoveTo(b.Left, b.Bottom - 1);
        c.LineTo(b.Right - 1, b.Bottom - 1);
        c.LineTo(b.Right - 1, b.Top - 1);
    };
    bevel(r, ColorToRGB(TColor(0xFF000016u)) /* 3-D light */, ColorToRGB(TColor(0xFF000015u)) /* 3-D dark shadow */);
    bevel(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), clBtnHighlight, clBtnShadow);
}

void TRsBaseRuler::PictureChanged(const TRect& r)
{
    update(r.toQRect().adjusted(-1, -1, 1, 1));
}

void TRsBaseRuler::paintEvent(QPaintEvent* event)
{
    EnsureComposed();
    FCanvas->ReleasePainter();
    QPainter painter(this);
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), FPicture, r);
}

void TRsBaseRuler::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Invalidate();
}
