#pragma once
// Helpers for the connector tests: boxes with link points on their sides, combined
// shapes, connectors made by code, point lists printed readably, and the drawing's
// invariants (connector relations on both sides included) after every step.
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"

#include <QStringList>
#include <ostream>

// "(x,y) (x,y) ..." of a connector's points (document units).
QString PointsOf(const TMyShape* S);
// The same for a list of points.
QString PointsText(const TArrMyPoint& Points);

class ConnectorTest : public ::testing::Test {
protected:
    ConnectorTest();

    // A rectangle from (x1, y1) to (x2, y2) (document units at zoom 1) with four link
    // points, at the middles of its left, top, right and bottom sides (0 to 3).
    TMyShape* Box(float x1, float y1, float x2, float y2, const QString& name = QStringLiteral("B"));
    // A combined shape (an obstacle for the router) covering the rectangle.
    TMyShape* Obstacle(float x1, float y1, float x2, float y2);
    // A connector by code between link points, checked to exist.
    TMyLinkLine* Link(TMyShape* a, int pa, TMyShape* b, int pb);
    // A free connector with exactly these points, added by class name.
    TMyLinkLine* FreeConnector(const TArrMyPoint& points);

    // The mouse, each step followed by the invariant check.
    void Down(int x, int y, TShiftState shift = 0);
    void Move(int x, int y, TShiftState shift = 0);
    void Up(int x, int y, TShiftState shift = 0);
    void Click(int x, int y);

    TMyCAD cad;
    TRecordingUIServices ui;
    TScopedUIServices scope{ui};
};

void PrintTo(const QString& S, std::ostream* os);
