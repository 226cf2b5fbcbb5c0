#pragma once
// TMyElliArc: an arc given by three points, start P0, a point on the way P1 and end P2.
// In circle mode it is the arc of the circle through them (open, chord or sector); in
// ellipse mode a conic from P0 to P2 with corner P1.
#include "mycad_export.h"
#include "component/shapes/MyShape.h"

class MYCAD_EXPORT TMyElliArc : public TMyShape {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TArcMode ArcMode READ ArcMode WRITE SetArcMode)
    Q_PROPERTY(MyCADEnums::TArcStyle ArcStyle READ ArcStyle WRITE SetArcStyle)

public:
    // New arcs take the owning drawing's ArcMode.
    explicit TMyElliArc(TMyCAD* OwnerCAD);

    // The common copy and, from another arc, ArcMode and ArcStyle.
    void Assign(const TMyShape* Source) override;

    // ---- Published properties (the setters only store; the host repaints) -----------
    TArcMode ArcMode() const { return FArcMode; }
    void SetArcMode(TArcMode v) { FArcMode = v; }
    // Outline of a circle-mode arc: open arc, chord or sector.
    TArcStyle ArcStyle() const { return FArcStyle; }
    void SetArcStyle(TArcStyle v) { FArcStyle = v; }

private:
    TArcMode FArcMode = amCircle;
    TArcStyle FArcStyle = asArc;
};
