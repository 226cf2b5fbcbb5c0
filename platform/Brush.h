#pragma once
// The brush of a canvas: fill colour and style, and optionally a pattern bitmap that
// replaces the style while it is set. Copied with Assign; every change fires OnChange and
// gives Serial() a new number.
//
// Brushes that were assigned one another share their values, the pattern included,
// until one of them changes (copy on write); the serial belongs to the values.
#include "mycad_export.h"
#include "ChangeEvent.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QExplicitlySharedDataPointer>
#include <QMetaType>

class TBitmap;
struct TBrushData;
Q_DECLARE_OPAQUE_POINTER(TBitmap*)

class MYCAD_EXPORT TBrush {
    Q_GADGET
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Graphics::TBrushStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TBitmap* Bitmap READ Bitmap WRITE SetBitmap DESIGNABLE false)

public:
    // White, bsSolid, no bitmap.
    TBrush();
    ~TBrush();
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    TColor Color() const;
    void SetColor(TColor value);
    TBrushStyle Style() const;
    void SetStyle(TBrushStyle value);
    // The pattern bitmap (owned by the brush), or null. While set, fills tile it from the
    // device origin instead of using Style. The bitmap handed out is this brush's own (a
    // shared pattern is copied first), so it may be changed.
    TBitmap* Bitmap() const;
    // The pattern for reading, shared or not (null when there is none).
    const TBitmap* Pattern() const;
    // Stores a copy of the given bitmap; null removes the pattern.
    void SetBitmap(const TBitmap* value);
    // Whether a non-empty pattern bitmap is set (fills then ignore Style).
    bool HasPattern() const;

    // Takes colour, style and pattern (sharing them), then fires OnChange once.
    void Assign(const TBrush& source);
    // Whether both brushes are the same values (a pattern counts only when shared).
    bool SameAs(const TBrush& other) const;

    uint64_t Serial() const;

    TChangeEvent OnChange;

private:
    TBrushData& Edit();
    void Changed();

    // Mutable so that Bitmap() can make the pattern this brush's own.
    mutable QExplicitlySharedDataPointer<TBrushData> d;
};
