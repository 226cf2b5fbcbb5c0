#pragma once
// The pen of a canvas: colour, raster mode, line style and width. A small value object
// copied with Assign; every change fires OnChange (shapes pass changes on to the members
// of their group through it) and bumps Serial(), by which a canvas notices that the pen
// it last applied is out of date.
#include "mycad_export.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QMetaType>
#include <functional>

class MYCAD_EXPORT TPen {
    Q_GADGET
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Graphics::TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(Graphics::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    // Black, pmCopy, psSolid, width 1.
    TPen();
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    // Width in logical units; 0 and 1 both draw one pixel wide. Negative values become 0.
    int Width() const { return FWidth; }
    void SetWidth(int value);

    // Copies colour, mode, style and width, then fires OnChange once.
    void Assign(const TPen& source);

    // A number that changes with every change of the pen (unique across all pens).
    uint64_t Serial() const { return FSerial; }

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
    uint64_t FSerial = 0;
};
