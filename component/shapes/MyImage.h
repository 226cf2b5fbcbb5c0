#pragma once
// TMyImage: a picture placed in a box. The picture stays unchanged in the shape's bitmap;
// grey conversion, contrast, brightness, mirroring, scaling and rotation are applied to a
// working copy at every paint.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

#include <memory>

class MYCAD_EXPORT TMyImage : public TMyRectangle {
    Q_OBJECT
    Q_PROPERTY(TBitmap* Bitmap READ Bitmap WRITE SetBitmap)
    Q_PROPERTY(bool Border READ Border WRITE SetBorder)
    Q_PROPERTY(int Brightness READ Brightness WRITE SetBrightness)
    Q_PROPERTY(int Contrast READ Contrast WRITE SetContrast)
    Q_PROPERTY(bool GrayScale READ GrayScale WRITE SetGrayScale)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_PROPERTY(Graphics::TTransparentMode TransparentMode READ TransparentMode WRITE SetTransparentMode)

public:
    // Starts with an empty picture.
    explicit TMyImage(TMyCAD* OwnerCAD);
    ~TMyImage() override;

    // The common copy and, when the source is exactly an image, the picture and the seven
    // other properties (the stored transparent colour, not the effective one).
    void Assign(const TMyShape* Source) override;
    // The picture adjusted, mirrored, scaled to the box and turned with it, clipped to the
    // box (only the part the canvas shows is computed), then the border when asked and the
    // caption; an empty picture shows a grey box with its diagonals.
    void Draw(TCanvas* Canvas) override;

    // ---- Published properties -----------------------------------------------------------
    // The picture, owned by the shape.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Sets the given bitmap to 24 bits per pixel (the caller's bitmap changes), copies it
    // and sizes the box from P0 to the picture's size in screen pixels at the current
    // zoom. No bitmap: nothing changes.
    void SetBitmap(TBitmap* v);
    // Whether the box is drawn over the picture.
    bool Border() const { return FBorder; }
    void SetBorder(bool v) { FBorder = v; }
    // Added to every channel; values outside -255 ... 255 are ignored.
    int Brightness() const { return FBrightness; }
    void SetBrightness(int v);
    // Contrast change; values outside -255 ... 255 are ignored.
    int Contrast() const { return FContrast; }
    void SetContrast(int v);
    bool GrayScale() const { return FGrayScale; }
    void SetGrayScale(bool v) { FGrayScale = v; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; }
    // The effective transparent colour: the stored colour as RGB, or with clDefault
    // stored, the picture's bottom-left pixel.
    TColor TransparentColor() const;
    // A new colour also chooses the mode: tmFixed for a colour, tmAuto for clDefault.
    void SetTransparentColor(TColor v);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    // tmFixed fixes the colour now in effect; tmAuto goes back to clDefault.
    void SetTransparentMode(TTransparentMode v);

    // The transparent colour as stored (clDefault: automatic), as files hold it.
    TColor StoredTransparentColor() const { return FTransparentColor; }
    // Stores colour and mode as read from a file, without the setters' rules.
    void StoreTransparency(TColor Color, TTransparentMode Mode)
    {
        FTransparentColor = Color;
        FTransparentMode = Mode;
    }

private:
    // The picture on the canvas at the zoomed corners.
    void DrawPicture(TCanvas* Canvas, const TArrPoint& Corners);

    std::unique_ptr<TBitmap> FBitmap;
    bool FBorder = false;
    int FBrightness = 0;
    int FContrast = 0;
    bool FGrayScale = false;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};
