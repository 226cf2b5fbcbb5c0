#pragma once
// The pen of a canvas: colour, raster mode, line style and width. Copied with Assign;
// every change fires OnChange (shapes pass changes on to the members of their group
// through it) and gives Serial() a new number, by which a canvas notices that the pen it
// last applied is out of date.
//
// Pens that were assigned one another share their values until one of them changes
// (copy on write), so the many shapes of a drawing that draw with the same pen hold one
// set of values. The serial belongs to the values: pens sharing them have the same serial.
#include "mycad_export.h"
#include "ChangeEvent.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QExplicitlySharedDataPointer>
#include <QMetaType>

struct TPenData;

class MYCAD_EXPORT TPen {
    Q_GADGET
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Graphics::TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(Graphics::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    // Black, pmCopy, psSolid, width 1.
    TPen();
    ~TPen();
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const;
    void SetColor(TColor value);
    TPenMode Mode() const;
    void SetMode(TPenMode value);
    TPenStyle Style() const;
    void SetStyle(TPenStyle value);
    // Width in logical units; 0 and 1 both draw one pixel wide. Negative values become 0.
    int Width() const;
    void SetWidth(int value);

    // Takes colour, mode, style and width (sharing them), then fires OnChange once.
    void Assign(const TPen& source);
    // Whether both pens draw alike (same colour, mode, style and width).
    bool SameAs(const TPen& other) const;

    // A number that changes with every change of the pen (pens sharing their values
    // share it; no other pen has it).
    uint64_t Serial() const;

    TChangeEvent OnChange;

private:
    // The pen's own values, copied first while they are shared; takes a new serial.
    TPenData& Edit();
    void Changed();

    QExplicitlySharedDataPointer<TPenData> d;
};
