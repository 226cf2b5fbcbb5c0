#pragma once
// Helpers for the editing tests: connectors wired by hand, the drawing's relations checked
// from both sides, and short descriptions of the shape list to compare.
#include "support/DrawingTestSupport.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Checks both sides of every relation: a member names its group and the group lists it;
// an attached connector end is listed by its shape, and every listed connector has an end
// there.
::testing::AssertionResult RelationsConsistent(const TMyCAD& cad);

#define EXPECT_CONSISTENT(cad)                                                                               \
    do {                                                                                                     \
        EXPECT_INVARIANTS(cad);                                                                              \
        EXPECT_TRUE(RelationsConsistent(cad));                                                               \
    } while (0)

// A connector (added to the drawing, named "Shape<id>") from A's link point 0 to B's,
// attached on both sides; either shape may be nil for a free end. Its two points are the
// centres of A and B (or (0, 0)).
TMyLinkLine* Connect(TMyCAD& cad, TMyShape* A, TMyShape* B);

// A junction (TMyLineLinkLine) at a screen point, added to the drawing.
TMyShape* AddJunction(TMyCAD& cad, int x, int y);

// The drawing as text, one shape per entry: "name p=parent c=[members] l=[connectors]"
// plus " s=start e=end" for connectors, so that two drawings can be compared whole.
QStringList Describe(const TMyCAD& cad);

// The names of the shapes in drawing order.
QStringList Names(const TMyCAD& cad);

// The action numbers and names of the undo history, one entry per record:
// "0:ACT_ADD:R1".
QStringList History(const TMyCAD& cad);
