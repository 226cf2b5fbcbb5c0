#pragma once
// TMyLine: the open line shape, a chain of points joined by straight segments with
// optional arrow heads at its ends. Parent of the polyline family and of the connector.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

#include <cmath>

class MYCAD_EXPORT TMyLine : public TMyShape {
    Q_OBJECT
    Q_PROPERTY(int ArrowAngle READ ArrowAngle WRITE SetArrowAngle)
    Q_PROPERTY(uint8_t ArrowLength READ ArrowLength WRITE SetArrowLength)
    Q_PROPERTY(uint8_t ArrowOffset READ ArrowOffset WRITE SetArrowOffset)
    Q_PROPERTY(MyCADEnums::TArrowStyle ArrowStyle READ ArrowStyle WRITE SetArrowStyle)

public:
    // Takes the four arrow settings from the owning drawing.
    explicit TMyLine(TMyCAD* OwnerCAD);

    // Copies the common shape state and, from another line, the four arrow settings.
    // The merge fields are not copied.
    void Assign(const TMyShape* Source) override;

    // ---- Overridden operations (screen pixels unless noted) --------------------------------
    // Drag rubber band: every segment offset by To - From.
    void Draging(TCanvas* Canvas, TPoint From, TPoint To) override;
    // Centre and caption point as the base sets them; the merge targets stay as they are.
    void Drawed(TPoint From, TPoint To) override;
    // A hot at every point and the caption diamond, while the drawing shows hots.
    void DrawHot(TCanvas* Canvas) override;
    // Sets the exclusive-or rubber-band mode and draws the segment From-To.
    void Drawing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // True once the line has exactly two points (the button is not examined).
    bool IsDrawingFinished(TMouseButton Button, TPoint P) override;
    // The points in zoom turned by AAngle about Centre, joined in order.
    void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle) override;
    // Moves the point of the current hot by (To - From) / Zoom (zoomed coordinates).
    void SizeChangeValue(TMyPoint From, TMyPoint To) override;
    // The one or two segments at the current hot, its point moved by To - From.
    void Sizing(TCanvas* Canvas, TPoint From, TPoint To) override;
    // The segments with the shape's pen, arrow heads, then the caption. Angle follows the
    // first segment.
    void Draw(TCanvas* Canvas) override;
    // For a plain line or rule line: the length of the first segment in the drawing's unit,
    // also stored as Info; empty for the kinds derived from the line.
    QString GetInfo() override;
    // Number of the point whose hot square holds P (the highest wins), or -1; stored as the
    // current hot.
    int InWhichHot(TPoint P) override;
    // Whether P lies within 8 pixels of a segment.
    bool IsClickedMe(TCanvas* Canvas, TPoint P) override;

    // One filled arrow head with its tip at Tip (pulled back ArrowOffset pixels towards
    // From) and its axis pointing back towards From; screen pixels held as floats.
    void DrawTriangle(TCanvas* Canvas, TMyPoint Tip, TMyPoint From);
    // The hit test of IsClickedMe that also reports the number of the point ending the
    // first segment hit (segment k gives k + 1); -1 and false when none is hit.
    bool IsClickedMeBeforeWhichPoint(int& Index, TPoint P);
    // Length in pixels of each arrow-head side at the current zoom: round(Zoom x
    // ArrowLength), never cut to 8 bits.
    int ArrowHeadLength() const;
    double OutsideMargin() const override { return ArrowHeadLength() + FArrowOffset * Zoom(); }

    // ---- Published properties (the setters only store; the host repaints) ---------------
    // Half opening angle of an arrow head, in degrees.
    int ArrowAngle() const { return FArrowAngle; }
    void SetArrowAngle(int v) { FArrowAngle = v; }
    // Length of each arrow-head side, in document units.
    uint8_t ArrowLength() const { return FArrowLength; }
    void SetArrowLength(uint8_t v)
    {
        FArrowLength = v;
        ExtentChanged();
    }
    // Screen pixels by which an arrow tip is pulled back from its end point.
    uint8_t ArrowOffset() const { return FArrowOffset; }
    void SetArrowOffset(uint8_t v)
    {
        FArrowOffset = v;
        ExtentChanged();
    }
    TArrowStyle ArrowStyle() const { return FArrowStyle; }
    void SetArrowStyle(TArrowStyle v) { FArrowStyle = v; }

    // ---- Merge targets ------------------------------------------------------------------
    // The line or polyline (identifier) and its end point (number) on which the first or
    // the last point of this line was drawn; -1 and -1 when none. Used only to merge
    // lines into a polyline; neither copied nor saved.
    int MergeStartShapeId() const { return FMergeStartShapeId; }
    int MergeStartPointNo() const { return FMergeStartPointNo; }
    void SetMergeStart(int ShapeId, int PointNo)
    {
        FMergeStartShapeId = ShapeId;
        FMergeStartPointNo = PointNo;
    }
    int MergeEndShapeId() const { return FMergeEndShapeId; }
    int MergeEndPointNo() const { return FMergeEndPointNo; }
    void SetMergeEnd(int ShapeId, int PointNo)
    {
        FMergeEndShapeId = ShapeId;
        FMergeEndPointNo = PointNo;
    }

protected:
    // Sets the shape's pen on the canvas and draws the segments between its points.
    void DrawSegments(TCanvas* Canvas);

private:
    // The bytes first: they fill what the shape's fields leave before the next word.
    uint8_t FArrowLength = 30;
    uint8_t FArrowOffset = 0;
    int FArrowAngle = 10;
    TArrowStyle FArrowStyle = ANone;
    int FMergeStartShapeId = -1;
    int FMergeStartPointNo = -1;
    int FMergeEndShapeId = -1;
    int FMergeEndPointNo = -1;
    // The first segment in zoom the angle was last worked out for, and that angle: a line
    // painted again unchanged spares the arc tangent.
    TMyPoint FSlopeFrom{NAN, NAN};
    TMyPoint FSlopeTo{NAN, NAN};
    float FSlopeAngle = 0;
};
