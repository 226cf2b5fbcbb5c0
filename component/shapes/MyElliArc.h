#pragma once
// TMyElliArc: an arc given by three points, start P0, a point on the way P1 and end P2.
// In circle mode it is the arc of the circle through them (open, chord or sector); in
// ellipse mode a conic from P0 to P2 with corner P1. The figures come from
// base/ArcGeometry.h, shared with every other use of the arc.
#include "mycad_export.h"
#include "component/base/ArcGeometry.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyElliArc : public TMyShape {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TArcMode ArcMode READ ArcMode WRITE SetArcMode)
    Q_PROPERTY(MyCADEnums::TArcStyle ArcStyle READ ArcStyle WRITE SetArcStyle)

public:
    // New arcs take the owning drawing's ArcMode.
    explicit TMyElliArc(TMyCAD* OwnerCAD);

    // ---- Overridden operations (screen pixels unless noted) ----------------------------
    // The three points offset by To - From.
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // A square at each point, then the caption diamond.
    void DrawHot(TCanvas* Canvas) override;
    // While drawing: the squares of the points so far and the figure through To.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // True at the third distinct point; a repeated click is dropped.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // The three points turned by AAngle about Centre.
    void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle) override;
    // Moves the hot point; the centre becomes the centre of the points' box.
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    // The figure with the hot point at To.
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // The common copy and, from another arc, ArcMode and ArcStyle.
    void Assign(const TMyShape* Source) override;
    // The figure outlined with the pen, a chord or sector filled with the brush; caption.
    // With fewer than three points only the caption.
    void Draw(TCanvas* Canvas) override;
    // The base mirror, then start and end exchanged.
    void FlipHoriz() override;
    void FlipVert() override;
    // Circle mode: the circle's centre (the middle of P0 and P2 on a line); ellipse mode:
    // the stored centre.
    TMyPoint GetCenterPoint() const override;
    TMyPoint GetCenterPointInZoom() const override;
    // The highest point whose hot square holds P, or -1; stored as the current hot.
    int InWhichHot(TPoint P) override;
    // Inside the triangle of the points, or within 10 pixels of the figure.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;
    // The box of the figure; in circle mode that of the sector, whatever the style.
    bool FigureBox(TMyRect& Box) const override;

    // The circle-mode figure of A, B, E on the canvas; Fill fills a chord or sector.
    void DrawArc(TCanvas* Canvas, TPoint A, TPoint B, TPoint E, bool Fill);
    // The ellipse-mode curve of A, B, E.
    void DrawElliArc(TCanvas* Canvas, TPoint A, TPoint B, TPoint E);
    // The polyline of the figure of A, B, E in the shape's mode and style (empty when
    // nothing is drawn).
    std::vector<TPoint> FigurePoints(TPoint A, TPoint B, TPoint E) const;

    // ---- Published properties (the setters store; the host repaints) --------------------
    // A change of mode moves the figure: the drawing's paint index is told.
    TArcMode ArcMode() const { return FArcMode; }
    void SetArcMode(TArcMode v);
    // Outline of a circle-mode arc: open arc, chord or sector.
    TArcStyle ArcStyle() const { return FArcStyle; }
    void SetArcStyle(TArcStyle v);

private:
    // The three points in zoom, rounded; with fewer stored, the last one repeated.
    bool ThreePoints(TPoint& A, TPoint& B, TPoint& E) const;
    // Tells the drawing's paint index that where the arc shows may have changed.
    void FigureChanged();
    // The figure of A, B, E drawn as a rubber band (no fill).
    void DrawFigure(TCanvas* Canvas, TPoint A, TPoint B, TPoint E);

    TArcMode FArcMode = amCircle;
    TArcStyle FArcStyle = asArc;
};
