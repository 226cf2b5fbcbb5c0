#pragma once
// TMyLinkLine: the connector, a line whose two ends can be attached to link points of
// other shapes. In the style lldsHV it runs in horizontal and vertical segments along a
// route the drawing's router lays; in lldsFree it is a straight polyline. Attached ends
// follow their shapes (TMyCAD::ChangeLinkShapes); the relation is kept on both sides:
// the connector holds each end's shape number and link point index, the shape lists the
// connector's number in its LinkLineNos.
#include "component/shapes/MyLine.h"
#include "mycad_export.h"

class MYCAD_EXPORT TMyLinkLine : public TMyLine {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TLinkLineDrawStyle LinkLineDrawStyle READ LinkLineDrawStyle WRITE SetLinkLineDrawStyle)

public:
    // A free connector (both ends unattached, automatic routing, hop radius 8) in the
    // style lldsHV. Whoever creates a connector for the user or by code gives it the
    // drawing's LinkLineDrawStyle; creation by class name (files, libraries) does not.
    explicit TMyLinkLine(TMyCAD* OwnerCAD) : TMyLine(OwnerCAD) {}

    // ---- Overridden operations (screen pixels unless noted) -------------------------------
    // The base move; a connector dragged on its own then attaches each end to the link
    // point under it, or frees it.
    void DragChangeValuedxdy(double dx, double dy) override;
    // At the finishing release: the line's centre and caption, the end attached to the
    // link point under To; attached ends sit on their link points. A free end on another
    // connector's segment splits that connector at a new junction.
    void Drawed(TPoint From, TPoint To) override;
    // lldsFree: a square at every point. lldsHV: squares at the ends, diamonds at the
    // corners, filled squares at the segment midpoints. Then the caption diamond.
    void DrawHot(TCanvas* Canvas) override;
    // The rubber band while drawing: lldsFree a straight stroke, lldsHV the route, laid
    // and stored at once.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // crSizeAll over a point hot, crSizeWE / crSizeNS over a vertical / horizontal segment.
    TCursor GetMouseCursor(int X, int Y) override;
    // True once the connector has more than one point.
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // The release of a resize: moves the grabbed point or segment (with jogs next to
    // attached ends, neighbours following on one axis) and re-attaches a grabbed end.
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    // The rubber band of a resize: the pieces around the grabbed point or segment.
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    void Assign(const TMyShape* Source) override;
    // The segments with hops where they cross vertical connector segments (CrossLine on),
    // arrow heads, caption. The points are not changed.
    void Draw(TCanvas* Canvas) override;
    // The point hots, then the segment hots (numbered from the point count on); the last
    // hit wins. -1 while the drawing's tool turns shapes.
    int InWhichHot(TPoint P) override;

    // ---- Ends ------------------------------------------------------------------------------
    TMyShape* GetStartShape() const;
    TMyShape* GetEndShape() const;
    // The attached link point, or the connector's own first (last) point, in zoom.
    TMyPoint GetStartPoint() const;
    TMyPoint GetEndPoint() const;
    // Attach the start (end) to link point Index of the shape with identifier Id and lay
    // the route; false for an unknown shape or index. No undo record, no event.
    bool CreateSrcLink(int Id, int Index);
    bool CreateDestLink(int Id, int Index);

    // ---- Geometry helpers ------------------------------------------------------------------
    // 1 (horizontal) when |P.x - Q.x| >= |P.y - Q.y|, else 2 (vertical).
    static int IsLineHV(TMyPoint P, TMyPoint Q);
    // The middle of A-B along the segment's main axis only.
    static TMyPoint SplitALine(TMyPoint A, TMyPoint B);
    // Removes repeated points and points of nearly straight runs (10 document units),
    // keeping the ends on attached link points; a connector between two attached ends
    // that collapsed to two points gets one jog. Linear in the number of points.
    void MergePoints();
    void TidyBeforePaint() override { MergePoints(); }

    // ---- Hot marks (screen pixels) --------------------------------------------------------
    void DrawStartEnd(TCanvas* Canvas, TMyPoint P);
    void DrawCenter(TCanvas* Canvas, TMyPoint P);
    void DrawCorner(TCanvas* Canvas, TMyPoint P);
    // The upper half circle of a hop centred on C.
    void DrawHalfCircle(TCanvas* Canvas, TMyPoint C);

    // ---- Published property -------------------------------------------------------------
    TLinkLineDrawStyle LinkLineDrawStyle() const { return FLinkLineDrawStyle; }
    // Nothing when unchanged. To lldsFree: only the first and the last point stay. To
    // lldsHV: automatic routing is switched back on and the route is recomputed.
    void SetLinkLineDrawStyle(TLinkLineDrawStyle v);
    // Stores the style without changing the points (creation and reading).
    void StoreLinkLineDrawStyle(TLinkLineDrawStyle v) { FLinkLineDrawStyle = v; }

    // ---- Attachments (the setters only store) --------------------------------------------
    // Shape number of the shape the first point is attached to; -1 when free.
    int StartSpNo() const { return FStartSpNo; }
    void SetStartSpNo(int v) { FStartSpNo = v; }
    // Index of that shape's link point.
    int StartSpPtId() const { return FStartSpPtId; }
    void SetStartSpPtId(int v) { FStartSpPtId = v; }
    // Shape number of the shape the last point is attached to; -1 when free.
    int EndSpNo() const { return FEndSpNo; }
    void SetEndSpNo(int v) { FEndSpNo = v; }
    // Index of that shape's link point.
    int EndSpPtId() const { return FEndSpPtId; }
    void SetEndSpPtId(int v) { FEndSpPtId = v; }
    // Free the start, the end or both ends on this side only; the shapes' lists of
    // attached connectors are left to the caller.
    void RemoveSrcLink()
    {
        FStartSpNo = -1;
        FStartSpPtId = -1;
    }
    void RemoveDestLink()
    {
        FEndSpNo = -1;
        FEndSpPtId = -1;
    }
    void RemoveAllLink()
    {
        RemoveSrcLink();
        RemoveDestLink();
    }
    // Whether an end is attached to a link point that exists: a shape number or index
    // read from a file that names nothing leaves the end free (the stored values stay).
    bool StartAttached() const;
    bool EndAttached() const;

    // Whether the whole route is recomputed when an attached shape moves; false once the
    // user has reshaped the inside of the route. Not copied and not saved.
    bool AutoRoute() const { return FAutoRoute; }
    void SetAutoRoute(bool v) { FAutoRoute = v; }
    // Radius, in document units, of the hops drawn where this connector crosses vertical
    // connector segments.
    int HopRadius() const { return FHopRadius; }

private:
    // The working copy of a resize in screen pixels with the jogs next to attached ends;
    // S becomes the index of the grabbed point or segment in it, Segment whether a
    // segment is grabbed. False for a hot outside the points and segments.
    bool ResizeCopy(TArrMyPoint& W, int& S, bool& Segment) const;
    // Moves the grabbed point or segment of W by (dx, dy), the neighbours following on
    // one axis.
    static void MoveInCopy(TArrMyPoint& W, int S, bool Segment, double dx, double dy);
    // Strokes P-Q with hops over the vertical connector segments crossing it.
    // Visible, when given, is the part of the canvas that shows (logical units). With
    // Run, the lines are added to it (TLineRun) instead of drawn one by one.
    void DrawSegmentWithHops(TCanvas* Canvas, TMyPoint P, TMyPoint Q, const TRect* Visible,
                             class TLineRun* Run = nullptr);
    // The corners DrawHalfCircle draws through (kept by the thread until the next call).
    const std::vector<TPoint>& HalfCircleAt(TMyPoint C) const;

    // The flag first: it fills what the line's fields leave before the next word.
    bool FAutoRoute = true;
    int FEndSpNo = -1;
    int FEndSpPtId = -1;
    TLinkLineDrawStyle FLinkLineDrawStyle = lldsHV;
    int FStartSpNo = -1;
    int FStartSpPtId = -1;
    int FHopRadius = 8;
};
