#pragma once
// TMyLinkPoint: a small square marker drawn as an X. In a shape-library entry its shapes
// become the link points of the combined shape.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

#include <cstdint>

class MYCAD_EXPORT TMyLinkPoint : public TMyRectangle {
    Q_OBJECT
    Q_PROPERTY(uint8_t Size READ Size WRITE SetSize)

public:
    explicit TMyLinkPoint(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}

    // The rubber band while placing: a circle of Size pixels from the anchor.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Only when the shape has no points: the square of side Size (document units) centred
    // on P (screen pixels). One click places it.
    void AddPointByMouse(TPoint P) override;
    // An X across the square.
    void Draw(TCanvas* Canvas) override;
    // Link points and junctions have no grab handles: always -1.
    int InWhichHot(TPoint P) override;

    // Side of the square, in document units. The setter only stores.
    uint8_t Size() const { return FSize; }
    void SetSize(uint8_t v) { FSize = v; }

private:
    uint8_t FSize = 8;
};
