#pragma once
// Recognises the ellipses, elliptic arcs, chords and pies that Qt builds from cubic
// curves (QPainterPath::addEllipse, arcTo), so that a metafile can record them as the
// figures they are. The ellipse must be axis-parallel; a path that is not such a figure,
// within a small fraction of its radii, is not recognised.
#include "mycad_export.h"

#include <QPainterPath>
#include <QPointF>

struct MYCAD_EXPORT TFittedEllipse {
    enum class TKind { None, Ellipse, Arc, Chord, Pie };
    TKind Kind = TKind::None;
    QPointF Centre;
    double RadiusX = 0;
    double RadiusY = 0;
    // The arc runs counter-clockwise on screen from Start to End (both on the ellipse).
    QPointF Start;
    QPointF End;
};

// The figure of a path of one subpath: a closed ellipse; an open arc; an arc closed by its
// chord; an arc closed by two radii through the centre.
MYCAD_EXPORT TFittedEllipse FitEllipseFigure(const QPainterPath& path);
