#pragma once
// TMyRectangle: the four-cornered box and the parent of every box-like kind (ellipse,
// text, image, group, link point). Its four points are the true corners in creation
// order: P0 the first corner pressed, P2 the opposite one.
#include "shapes/MyShape.h"

class TMyRectangle : public TMyShape {
    Q_OBJECT
    Q_PROPERTY(bool AssociateSideResizing READ AssociateSideResizing WRITE SetAssociateSideResizing)
    Q_PROPERTY(bool ShowHorizontalSideHot READ ShowHorizontalSideHot WRITE SetShowHorizontalSideHot)
    Q_PROPERTY(bool ShowSideHot READ ShowSideHot WRITE SetShowSideHot)
    Q_PROPERTY(bool ShowVerticalSideHot READ ShowVerticalSideHot WRITE SetShowVerticalSideHot)

public:
    explicit TMyRectangle(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}

    // ---- Published properties (the setters only store; none is saved or copied) -------
    // Whether the host's resizing handlers may change the target point while a side hot
    // is dragged.
    bool AssociateSideResizing() const { return FAssociateSideResizing; }
    void SetAssociateSideResizing(bool v) { FAssociateSideResizing = v; }
    // Side hots 5 and 7 (on the sides P1-P2 and P3-P0).
    bool ShowHorizontalSideHot() const { return FShowHorizontalSideHot; }
    void SetShowHorizontalSideHot(bool v) { FShowHorizontalSideHot = v; }
    // Master switch for the four side hots.
    bool ShowSideHot() const { return FShowSideHot; }
    void SetShowSideHot(bool v) { FShowSideHot = v; }
    // Side hots 4 and 6 (on the sides P0-P1 and P2-P3).
    bool ShowVerticalSideHot() const { return FShowVerticalSideHot; }
    void SetShowVerticalSideHot(bool v) { FShowVerticalSideHot = v; }

private:
    bool FAssociateSideResizing = false;
    bool FShowHorizontalSideHot = true;
    bool FShowSideHot = true;
    bool FShowVerticalSideHot = true;
};
