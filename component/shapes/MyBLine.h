#pragma once
// TMyBLine: a uniform cubic B-spline through every point the user placed. The control
// vertices are recomputed from the points, in screen pixels, whenever the curve is used.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyBLine : public TMyShape {
    Q_OBJECT

public:
    // Capacity of the vertex buffer: the vertices of MaxPoints data points plus the two
    // phantom vertices.
    static constexpr int MaxVertices = 102;
    static constexpr int MaxPoints = MaxVertices - 2;

    explicit TMyBLine(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}

    // The working vertex buffer: entries 1 to VertexCount() are the control vertices,
    // entries 0 and VertexCount() + 1 the phantom vertices. It is empty until the curve
    // is first computed (many drawings hold many shapes), then holds MaxVertices
    // entries. Neither copied nor saved.
    int VertexCount() const { return FVertexCount; }
    const TArrMyPoint& Vertices() const { return FVertices; }

protected:
    TArrMyPoint FVertices;
    int FVertexCount = 0;
};
