#pragma once
// Writes where the window's parts are on the screen, as JSON, so that a test driving the
// program with real mouse events knows where to click: the palette buttons, the page and
// the rulers by object name, the first icon of each list view, and the items of the menu
// bar and of the open menus by their texts, in global coordinates.
#include <QString>

class QWidget;

namespace LayoutReport {

bool Write(const QWidget& Window, const QString& FileName);

} // namespace LayoutReport
