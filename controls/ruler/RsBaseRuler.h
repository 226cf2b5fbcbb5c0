#pragma once
// TRsBaseRuler: what the ruler and the ruler corner share: the unit, the flat or raised
// look, the colours of the scale band and the ticks, the fonts (upright and turned by 90
// and 270 degrees for the vertical directions), and the picture on the screen.
//
// The control keeps what it shows in an image of its own. A paint pass (Paint) composes
// the whole control into it; drawing between paint passes (the ruler's hair line, in
// not-xor, so that drawing it again erases it exactly) goes straight into that image and
// asks Qt to show the touched rectangle; the paint event only copies the image to the
// screen, composing it first when a property change made it stale.
#include "mycad_export.h"
#include "controls/ruler/RsRulerTypes.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Font.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class MYCAD_EXPORT TRsBaseRuler : public QWidget {
    Q_OBJECT
    Q_PROPERTY(RsRulerEnums::TRulerUnit Units READ Units WRITE SetUnit)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(TColor ScaleColor READ ScaleColor WRITE SetScaleColor)
    Q_PROPERTY(TColor TickColor READ TickColor WRITE SetTickColor)
    Q_PROPERTY(QString VersionInfo READ VersionInfo WRITE SetVersionInfo)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TRsBaseRuler(QWidget* parent = nullptr);
    ~TRsBaseRuler() override;

    TRulerUnit Units() const { return FUnits; }
    // Does nothing here: the ruler converts its offset, the corner changes its text.
    virtual void SetUnit(TRulerUnit value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TColor ScaleColor() const { return FScaleColor; }
    void SetScaleColor(TColor value);
    TColor TickColor() const { return FTickColor; }
    void SetTickColor(TColor value);
    QString VersionInfo() const { return FVersionInfo; }
    void SetVersionInfo(const QString& value) { FVersionInfo = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The font of the labels; setting copies the given font's attributes.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    int Width() const { return width(); }
    void SetWidth(int value) { resize(value, height()); }
    int Height() const { return height(); }
    void SetHeight(int value) { resize(width(), value); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }

    // While loading, a change of direction does not swap width and height.
    bool Loading() const { return FLoading; }
    void SetLoading(bool value) { FLoading = value; }

    // Marks the picture stale and asks for a paint.
    void Invalidate();
    // Composes the whole control into its picture now (the paint pass).
    void Repaint();
    // The picture on the screen (composed first when stale).
    const QImage& Picture();
    // The canvas drawing into the picture.
    TCanvas& Canvas();

    QSize sizeHint() const override { return size(); }

protected:
    // The paint pass: fills the control with Color and builds the fonts at the first
    // paint (or after a font change).
    virtual void Paint();
    // A raised edge (outer and inner bevel) round the rectangle.
    void DrawRaisedEdge(const TRect& r);
    // Records the unit (for the classes whose SetUnit takes it).
    void StoreUnit(TRulerUnit value) { FUnits = value; }
    // The margin inside the edge: 2 when raised, 1 when flat.
    int Margin() const { return FFlat ? 1 : 2; }
    // Shows the touched rectangle of the picture on the screen.
    void PictureChanged(const TRect& r);
    // Makes the picture current (composing it when stale) before drawing into it directly.
    void EnsureComposed();

    const TFont& HorzFont() const { return FHorzFont; }
    const TFont& UpFont() const { return FUpFont; }
    const TFont& DownFont() const { return FDownFont; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildFonts();
    void FontChanged();
    bool EnsurePicture();

    TRulerUnit FUnits = ruCenti;
    bool FFlat = false;
    TColor FScaleColor = clWindow;
    TColor FTickColor = clWindowText;
    QString FVersionInfo = RsRuler::cVer;
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    QString FHint;
    bool FShowHint = false;
    int FTag = 0;
    bool FLoading = false;

    // The labels' fonts: upright, escapement 900 (upwards), escapement 2700 (downwards).
    TFont FHorzFont;
    TFont FUpFont;
    TFont FDownFont;
    bool FFontsInvalid = true;

    QImage FPicture;
    std::unique_ptr<TCanvas> FCanvas;
    bool FStale = true;
};
