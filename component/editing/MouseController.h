#pragma once
// TMouseController: the mouse state machine of a drawing. The drawing forwards its
// MouseDown, MouseMove and MouseUp to it; the controller picks shapes, draws the rubber
// bands in exclusive-or mode straight onto the control's picture, changes the shapes on
// release through the drawing's transforms, records undo actions and fires the events.
//
// The controller owns the interaction state (TInteractionState: the state of the
// machine, the current shape, the clicked member, the shape last entered, the highlighted
// hot), which the drawing reads and resets through it, and the searches under the mouse:
// the picks, the link point a connector end attaches to and the line end a new line
// starts on.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "component/document/ShapeGrid.h"
#include "component/editing/InteractionState.h"
#include "platform/Input.h"
#include "platform/Types.h"

#include <QPointer>
#include <memory>
#include <vector>

class TCanvas;
class TMyCAD;
class TMyShape;

class MYCAD_EXPORT TMouseController {
public:
    explicit TMouseController(TMyCAD& Cad);
    ~TMouseController();
    TMouseController(const TMouseController&) = delete;
    TMouseController& operator=(const TMouseController&) = delete;

    // The three handlers. X and Y are pixels of the control.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

    // ---- State, for the drawing's accessors --------------------------------------------
    TInteractionState& State() { return FState; }
    const TInteractionState& State() const { return FState; }
    TActionTools NextActionTool() const { return FNextActionTool; }
    bool MouseIsDown() const { return FMouseDown; }
    TPoint AnchorPoint() const { return FAnchorPoint; }
    TPoint CurrentPoint() const { return FCurrentPoint; }
    TMyShape* UnderShape() const { return FUnderShape.data(); }
    int HotShapeNo() const { return FHotShapeNo; }
    int HotLinkId() const { return FHotLinkId; }
    // The shape being drawn while it is not yet part of the drawing (the controller owns
    // it until the drawing takes it), or nothing.
    TMyShape* ShapeInTheMaking() const { return FDrawnShape.get(); }
    // Frees the shape being drawn (a drawing tool chosen afresh drops it).
    void DropUnfinishedShape();

    // ---- Picking (screen pixels) ---------------------------------------------------------
    // The topmost top-level shape whose own hit test holds at P (the hover pick).
    TMyShape* TopShapeAt(TPoint P);
    // The pick of a press on no selected shape: the topmost top-level shape that is not
    // selected, is hit with its members, lies on a visible layer and on the current layer
    // unless every layer is operated. A junction beats every other kind. PassOne tells
    // whether a junction was picked.
    TMyShape* NewPickAt(TPoint P, bool& PassOne);
    // The shape that a click on the selected shape S selects instead of S: the first
    // shape in drawing order other than S that is hit at P, lies inside S's box, is not a
    // direct member of S and is on an operated layer; its direct group when it is a
    // member. Nothing when there is none.
    TMyShape* ClickThroughCandidate(TMyShape* S, TPoint P);
    // The lookup behind the three picks; rebuilt when the shape list, the zoom or the
    // geometry as a whole changed since it was built, patched for single shapes that
    // moved.
    TShapeGrid& Grid();
    // S changed its geometry (its tree and connectors follow): the grid takes it in at
    // its next use.
    void ShapeMoved(TMyShape* S);

    // ---- Searches under the mouse (document units scaled by the zoom: screen pixels) ----
    // The link point under P of the shapes that take part (with one shape selected every
    // shape, that one too; otherwise the unselected ones); the lowest shape number wins.
    // The shape's link point under P is highlighted on the way.
    bool LinkHotAt(int& ShapeNo, int& LinkId, TMyPoint P);
    // The end point under P of a line or polyline other than the current shape.
    bool LineEndAt(int& Id, int& PointNo, TMyPoint P);
    // Shows end point or link point Index of Shape highlighted (-1: none), erasing the
    // previous highlight by drawing it once more; returns Index.
    int Highlight(TMyShape* Shape, int Index, bool LinkPoint);

    // ---- Shift constraints (screen pixels) -----------------------------------------------
    // With Shift: a line drawn horizontal or vertical, a box drawn square.
    void DrawMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P) const;
    // With Shift: a box resized by a corner stays square in its own frame, a two-point
    // line or rule line resized by an end stays horizontal or vertical.
    static void ResizeMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P);

private:
    // Press.
    void PressDrawing(TShiftState Shift, int X, int Y);
    void PressSelecting(TShiftState Shift);
    bool PressOnHotOrCaption(TCanvas* Canvas, TActionTools State);
    bool PressOnWorkingShape(TCanvas* Canvas, TShiftState Shift, TActionTools State);
    void PressNewPick(TShiftState Shift, TActionTools State);
    // Move.
    void MoveDrawing(TShiftState Shift, int& X, int& Y);
    void MoveSelecting(TShiftState Shift, int X, int Y);
    void MoveWithButton(TShiftState Shift, int X, int Y);
    void MoveResizing(TShiftState Shift, int X, int Y);
    void MoveDragging(int X, int Y);
    void MoveRotating(int X, int Y);
    void MoveDragWhole(int X, int Y);
    // Release.
    bool ReleaseMemberClick();
    bool ReleaseClickThrough();
    void ReleaseDrawing(TMouseButton Button, TShiftState Shift);
    void FinishDrawnShape();
    void ReleaseRubberBand();
    void ReleaseResizing(TShiftState Shift);
    void ReleaseDragging();
    void ReleaseRotating();
    void ReleaseNodeRemoving();
    void ReleaseNodeAdding();
    void ReleaseDragWhole();

    // The cursor confined to the whole control, or to it shrunk by the given margins.
    void ConfineCursor(int Left = 0, int Top = 0, int Right = 0, int Bottom = 0);
    // The top-level shapes a whole-drawing drag moves.
    TArrMyShape WholeDragShapes() const;
    // The bounding box of the working shapes in screen pixels, rounded.
    TRect WorkingShapesBox() const;

    TMyCAD& FCad;
    TInteractionState FState;
    TActionTools FNextActionTool = TActionTools::dtClose;
    bool FMouseDown = false;
    TPoint FAnchorPoint;
    TPoint FCurrentPoint;
    // Guarded: an event handler may delete the shape between press and release.
    QPointer<TMyShape> FUnderShape;
    int FHotShapeNo = -1;
    int FHotLinkId = -1;
    std::unique_ptr<TMyShape> FDrawnShape;
    TShapeGrid FGrid;
    // The shape numbers a pick works through (kept to spare an allocation per move).
    std::vector<int> FScratch;
    // Shapes moved since the grid was last brought up to date.
    TArrMyShape FMoved;
};
