#pragma once
// TInteractionState: what the mouse state machine is doing and which shapes it works on.
// The mouse controller owns it; the drawing reads and resets it through the controller.
//
// Every shape reference is guarded: once a shape is freed (deleted, cut, undone, or gone
// with a loaded drawing) the reference reads as nothing, whichever way the shape went.
#include "component/base/Enums.h"
#include "mycad_export.h"

#include <QPointer>

class TMyShape;

struct MYCAD_EXPORT TInteractionState {
    // The state of the machine (dtClose: no tool is active).
    TActionTools ActionTool = TActionTools::dtClose;
    // The shape being drawn, resized, rotated or whose caption is moved.
    QPointer<TMyShape> CurrentShape;
    // The member of a selected group that a click picked; its hots are drawn.
    QPointer<TMyShape> ClickedChild;
    // The shape the mouse entered last (for the enter and leave events).
    QPointer<TMyShape> LastEnteredShape;
    // The end point or link point shown highlighted on the screen (Index -1: none).
    QPointer<TMyShape> HighlightShape;
    int HighlightIndex = -1;
    bool HighlightIsLink = false;

    void ClearHighlight()
    {
        HighlightShape = nullptr;
        HighlightIndex = -1;
    }
    // Forgets every shape (the state of the machine stays).
    void ForgetShapes()
    {
        CurrentShape = nullptr;
        ClickedChild = nullptr;
        LastEnteredShape = nullptr;
        ClearHighlight();
    }
};
