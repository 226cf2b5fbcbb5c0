#pragma once
// TMyLine: the open line shape, a chain of points joined by straight segments with
// optional arrow heads at its ends. Parent of the polyline family and of the connector.
#include "shapes/MyShape.h"

class TMyLine : public TMyShape {
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

    // ---- Published properties (the setters only store; the host repaints) ---------------
    // Half opening angle of an arrow head, in degrees.
    int ArrowAngle() const { return FArrowAngle; }
    void SetArrowAngle(int v) { FArrowAngle = v; }
    // Length of each arrow-head side, in document units.
    uint8_t ArrowLength() const { return FArrowLength; }
    void SetArrowLength(uint8_t v) { FArrowLength = v; }
    // Screen pixels by which an arrow tip is pulled back from its end point.
    uint8_t ArrowOffset() const { return FArrowOffset; }
    void SetArrowOffset(uint8_t v) { FArrowOffset = v; }
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

private:
    int FArrowAngle = 10;
    uint8_t FArrowLength = 30;
    uint8_t FArrowOffset = 0;
    TArrowStyle FArrowStyle = ANone;
    int FMergeStartShapeId = -1;
    int FMergeStartPointNo = -1;
    int FMergeEndShapeId = -1;
    int FMergeEndPointNo = -1;
};
