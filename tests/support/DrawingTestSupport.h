#pragma once
// Helpers for the drawing tests: the drawing's invariants and small builders.
#include "component/CAD.h"

#include <gtest/gtest.h>

// Checks that every shape number equals the shape's position and that every reference
// by number (parent, members, connectors, connector ends) names a shape of the drawing.
::testing::AssertionResult DrawingInvariantsHold(const TMyCAD& cad);

#define EXPECT_INVARIANTS(cad) EXPECT_TRUE(DrawingInvariantsHold(cad))

// Adds a rectangle by code from (x1, y1) to (x2, y2) (screen pixels) and returns it.
TMyShape* AddRect(TMyCAD& cad, float x1, float y1, float x2, float y2, const QString& name = QStringLiteral("R"));
