#pragma once
// The pictures of the tool palette and the command bar, drawn with QPainter at the size
// asked for (so they stay sharp on any screen), one per name.
#include <QIcon>
#include <QString>

namespace PaletteIcons {

// The names: "select", "rotate", "link", "linelink", "linkpoint", "line", "rule",
// "ellipse", "rect", "polyline", "polygon", "freeline", "arc", "bezier", "bspline",
// "text", "image", "zoomin", "zoomout", "pan", "delete". An unknown name gives a
// question mark.
QIcon Icon(const QString& Name);

} // namespace PaletteIcons
