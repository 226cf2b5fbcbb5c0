#pragma once
// TMyLinkLine: the connector, a line whose two ends can be attached to link points of
// other shapes. In the style lldsHV it runs in horizontal and vertical segments along a
// computed route; in lldsFree it is a straight polyline.
#include "mycad_export.h"
#include "component/shapes/MyLine.h"

class MYCAD_EXPORT TMyLinkLine : public TMyLine {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TLinkLineDrawStyle LinkLineDrawStyle READ LinkLineDrawStyle WRITE SetLinkLineDrawStyle)

public:
    // A free connector (both ends unattached, automatic routing, hop radius 8) in the
    // style lldsHV. Whoever creates a connector for the user or by code gives it the
    // drawing's LinkLineDrawStyle; creation by class name (files, libraries) does not.
    explicit TMyLinkLine(TMyCAD* OwnerCAD) : TMyLine(OwnerCAD) {}

    // The line's copy and, from another connector, the four attachment values and the
    // style. Automatic routing and hop radius are not copied.
    void Assign(const TMyShape* Source) override;

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

    // Whether the whole route is recomputed when an attached shape moves; false once the
    // user has reshaped the inside of the route. Not copied and not saved.
    bool AutoRoute() const { return FAutoRoute; }
    void SetAutoRoute(bool v) { FAutoRoute = v; }
    // Radius, in document units, of the hops drawn where this connector crosses vertical
    // connector segments.
    int HopRadius() const { return FHopRadius; }

private:
    int FEndSpNo = -1;
    int FEndSpPtId = -1;
    TLinkLineDrawStyle FLinkLineDrawStyle = lldsHV;
    int FStartSpNo = -1;
    int FStartSpPtId = -1;
    bool FAutoRoute = true;
    int FHopRadius = 8;
};
