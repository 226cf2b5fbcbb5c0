#pragma once
// TMyRectangle: the four-cornered box and the parent of every box-like kind (ellipse,
// text, image, group, link point). Its four points are the true corners in creation
// order: P0 the first corner pressed, P2 the opposite one.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

#include <array>

class MYCAD_EXPORT TMyRectangle : public TMyShape {
    Q_OBJECT
    Q_PROPERTY(bool AssociateSideResizing READ AssociateSideResizing WRITE SetAssociateSideResizing)
    Q_PROPERTY(bool ShowHorizontalSideHot READ ShowHorizontalSideHot WRITE SetShowHorizontalSideHot)
    Q_PROPERTY(bool ShowSideHot READ ShowSideHot WRITE SetShowSideHot)
    Q_PROPERTY(bool ShowVerticalSideHot READ ShowVerticalSideHot WRITE SetShowVerticalSideHot)

public:
    explicit TMyRectangle(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}

    // ---- Overridden operations (screen pixels unless noted) --------------------------------
    // Drag rubber band: the four corners offset by To - From.
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Corner hots 0 to 3 and the shown side hots 4 to 7 (only the corners while the drawing
    // rotates), when the drawing shows hots; then the caption diamond.
    void DrawHot(TCanvas* Canvas) override;
    // Rubber band while drawn: Rectangle(From, To) with the canvas's current brush.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // "m=" width and "n=" height of the box spanned by P1 and P2, in the drawing's unit.
    QString GetLengthByUnit(TPoint P1, TPoint P2) override;
    // The sizing cursor of the hot under (X, Y), crCross elsewhere.
    TCursor GetMouseCursor(int X, int Y) override;
    // True once the box has its four corners (the button is not examined).
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // The corners in zoom turned by AAngle about Centre (zoomed), as a closed outline.
    void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle) override;
    // Moves the current hot to To (zoomed) in the shape's own frame, never past the
    // opposite corner; the centre follows.
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    // The outline SizeChangeValue would give for To, or nothing when the move is refused.
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // The first press gives corner P0, the second the other three corners.
    void AddPointByMouse(TPoint P) override;
    // The filled outline, then the caption (not for text shapes).
    void Draw(TCanvas* Canvas) override;
    // The middle of the bounding box of the points, recomputed at every call.
    TMyPoint GetCenterPoint() const override;
    TMyPoint GetCenterPointInZoom() const override;
    // "Area=" and the unrotated box's area in the drawing's unit; also stored as Info.
    QString GetInfo() override;
    // 0 to 3: the corners; 4 to 7: the places of the side hots (document units); (0, 0)
    // for -1 and numbers without a place.
    TMyPoint GetPoint(int Index) const override;
    // The number of the last hot whose square holds P, or -1; stored as the current hot.
    int InWhichHot(TPoint P) override;
    // Whether P lies inside the (rotated) outline, without margin.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;

    // The closed outline through four screen points.
    void DrawRectangle(TCanvas* Canvas, const TArrPoint& Points);

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

protected:
    // The screen places of the eight hots as DrawHot and InWhichHot use them: the corners
    // turned back by the angle about the centre and forward again, and the side hots
    // computed on the unturned corners and turned forward.
    std::array<TMyPoint, 8> HotPlacesInZoom() const;
    // Whether the drawing is in one of its rotating states.
    bool InRotatingState() const;
    // The unit area of the box (the kinds scale it) in the drawing's unit, as the Info text.
    QString AreaText(double UnitArea);
    // Whether Draw adds the Info caption under the box (a text box shows its own text).
    virtual bool DrawsInfoCaption() const { return true; }

private:
    // The four corners after moving the current hot to Target, in the frame the arguments
    // are in (screen with Zoomed, document otherwise); false when the move is refused.
    bool ResizedCorners(TMyPoint Target, bool Zoomed, std::array<TMyPoint, 4>& Corners) const;

    bool FAssociateSideResizing = false;
    bool FShowHorizontalSideHot = true;
    bool FShowSideHot = true;
    bool FShowVerticalSideHot = true;
};
