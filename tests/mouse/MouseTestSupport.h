#pragma once
// Helpers for the mouse tests: a drawing driven step by step through its mouse handlers,
// with every event it fires written down in order and the drawing's invariants checked
// after every step.
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

// Readable failure messages for texts and lists of texts.
void PrintTo(const QString& S, std::ostream* os);

// The name of a shape for the event log ("nil" for none).
QString NameOf(const TMyShape* S);

// The undo history, one entry per record: "0:ACT_ADD:Shape0".
QStringList History(const TMyCAD& cad);

// A copy of the control's picture as it is now (rubber bands included).
QImage ScreenOf(TMyCAD& cad);

// The rectangle of pixels in which two pictures differ (empty when they are the same).
QRect DifferenceOf(const QImage& a, const QImage& b);

class MouseTest : public ::testing::Test {
protected:
    MouseTest();
    ~MouseTest() override;

    // The handlers, each followed by the invariant check.
    void Down(int x, int y, TShiftState shift = 0, TMouseButton button = mbLeft);
    void Move(int x, int y, TShiftState shift = 0);
    void Up(int x, int y, TShiftState shift = 0, TMouseButton button = mbLeft);
    // A left press and release at one point.
    void Click(int x, int y, TShiftState shift = 0);
    // A left press at (x0, y0), moves with the button held through the points, a release
    // at the last one.
    void Drag(int x0, int y0, std::initializer_list<TPoint> path, TShiftState shift = 0);

    // Records the shape's OnClick as "Click(name)".
    void Watch(TMyShape* s);
    // A rectangle added by code (screen pixels), watched and not selected; its events
    // are not logged.
    TMyShape* Rect(float x1, float y1, float x2, float y2, const QString& name);
    // A line or polyline added by code, watched and not selected.
    TMyShape* Line(std::initializer_list<TMyPoint> points, const QString& name, TDrawTool tool = SpLine);

    // The events fired since the last call, then forgotten.
    QStringList TakeEvents();
    QStringList Selection() const;

    std::unique_ptr<TMyCAD> owned;
    TMyCAD& cad;
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
    QStringList events;
    // Whether the host's own mouse events (OnMouseDown, OnMouseMove, OnMouseUp) are logged.
    bool logMouse = false;
};
