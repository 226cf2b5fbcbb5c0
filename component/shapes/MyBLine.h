#pragma once
// TMyBLine: a uniform cubic B-spline through every point the user placed. The control
// vertices are recomputed from the points, in screen pixels, whenever the curve is used;
// a point entered three times in a row makes a corner.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyBLine : public TMyShape {
    Q_OBJECT

public:
    explicit TMyBLine(TMyCAD* OwnerCAD) : TMyShape(OwnerCAD) {}

    // ---- Overridden operations (screen pixels unless noted) --------------------------------
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    void DrawHot(TCanvas* Canvas) override;
    // The curve through the points and To (not drawn while To shares an axis with the
    // last point). With the preview flag raised, the curve through the points alone:
    // the preview drawn before the press that added the last point, which this erases.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // True once four points are placed and the last two are the same (a double click).
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle) override;
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    void Draw(TCanvas* Canvas) override;
    int InWhichHot(TPoint P) override;
    // Within 10 pixels of the curve.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;
    bool FigureBox(TMyRect& Box) const override;

    // ---- The vertex buffer ------------------------------------------------------------------
    // Entries 1 to VertexCount() are the control vertices, entries 0 and VertexCount() + 1
    // the phantom vertices. Sized to the points; neither copied nor saved.
    int VertexCount() const { return FVertexCount; }
    const TArrMyPoint& Vertices() const { return FVertices; }
    // Appends a vertex and recomputes the phantom vertices.
    void AddVertex(TMyPoint P);
    // The phantom vertices (with more than one vertex).
    void PhantomPoints();
    // Replaces the vertices, which hold the data points, by the control vertices of the
    // interpolating spline (a tridiagonal system), then the phantom vertices.
    void Interpolate();
    // The curve point for T in [0, 1].
    TMyPoint GetVPoint(double T) const;
    // The curve from the vertex buffer: 601 samples joined.
    void DrawBLine(TCanvas* Canvas);
    // Raised by the mouse machine for the one Drawing call after a press.
    void SetPreview(bool v) { FPreview = v; }

private:
    // The vertex set-up: the vertices become these points.
    void SetVertices(const TArrMyPoint& Points);
    // The samples of the curve through these points (screen pixels), rounded.
    std::vector<TPoint> CurveThrough(const TArrMyPoint& Points);
    TArrMyPoint PointsInZoom() const;

    TArrMyPoint FVertices;
    int FVertexCount = 0;
    bool FPreview = false;
};
