#pragma once
// The pictures of the inspector control: the expand and collapse glyphs (a small box
// with a plus or a minus on the window colour) and the cursor shown while the up-down
// button is dragged.
#include "mycad_export.h"
#include "platform/Color.h"

#include <QCursor>
#include <QPixmap>

// "EXPAND" and "COLLAPSE": 11 x 11 pixels, the background in the given colour.
MYCAD_EXPORT QPixmap InspectorGlyph(bool expand, TColor background);
// "UPDOWN": a double arrow pointing up and down.
MYCAD_EXPORT QCursor UpDownCursor();
