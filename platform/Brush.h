#pragma once
// The brush of a canvas: fill colour and style, and optionally a pattern bitmap that
// replaces the style while it is set. Copied with Assign; every change fires OnChange and
// bumps Serial().
#include "mycad_export.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QMetaType>
#include <functional>
#include <memory>

class TBitmap;
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

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // The pattern bitmap (owned by the brush), or null. While set, fills tile it from the
    // device origin instead of using Style.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Stores a copy of the given bitmap; null removes the pattern.
    void SetBitmap(const TBitmap* value);
    // Whether a non-empty pattern bitmap is set (fills then ignore Style).
    bool HasPattern() const;

    // Copies colour, style and pattern, then fires OnChange once.
    void Assign(const TBrush& source);

    uint64_t Serial() const { return FSerial; }

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::unique_ptr<TBitmap> FBitmap;
    uint64_t FSerial = 0;
};
