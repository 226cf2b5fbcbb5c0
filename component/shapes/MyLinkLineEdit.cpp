// TMyLinkLine: what the mouse does with a connector: drawing it, dragging it, reshaping
// it by its point and segment hots, and its hots and cursors. Points are screen pixels
// unless noted.
#include "component/shapes/MyLinkLine.h"

#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"

// ---- Drawing with the mouse ------------------------------------------------------------------

void TMyLinkLine::Drawing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    const TMyPoint start = StartAttached() ? GetStartPoint() : PtToMyPt(From);
    const TMyPoint end = PtToMyPt(To);
    if (FLinkLineDrawStyle == lldsFree) {
        SetDragResizeRotateShapeMode(Canvas);
        const TPoint a = MyPtToPt(start), b = MyPtToPt(end);
        Canvas->MoveTo(a.X, a.Y);
        Canvas->LineTo(b.X, b.Y);
        return;
    }
    if (FOwnerCAD)
        FOwnerCAD->GetPath(Canvas, this, GetStartShape(), start, GetEndShape(), end, dNone);
}

bool TMyLinkLine::IsDrawingFinished(TMouseButton, TPoint)
{
    return GetPointsCount() > 1;
}

void TMyLinkLine::Drawed(TPoint From, TPoint To)
{
    TMyLine::Drawed(From, To);
    if (!FOwnerCAD)
        return;
    FOwnerCAD->GetMainShape(this, llEnd, PtToMyPt(To));
    if (StartAttached() && !FPoints.empty())
        SetPointInZoom(0, GetStartPoint());
    if (EndAttached()) {
        if (!FPoints.empty())
            SetPointInZoom(GetPointsCount() - 1, GetEndPoint());
        return;
    }
    // A free end on another connector's segment splits that connector there.
    const double z = Zoom();
    TMyPoint at(float(To.X / z), float(To.Y / z));
    TMyLinkLine* other = nullptr;
    const int segment = FOwnerCAD->IsBreakLineByAPoint(at, other, this);
    if (segment >= 0 && other && other != this)
        FOwnerCAD->BreakLineAt(this, at, segment, other);
}

// ---- Dragging -------------------------------------------------------------------------------

void TMyLinkLine::DragChangeValuedxdy(double dx, double dy)
{
    TMyShape::DragChangeValuedxdy(dx, dy);
    // Only a connector dragged on its own looks for link points under its ends: moved
    // with other shapes, in a group or with the whole drawing, it keeps its attachments
    // (the shapes it hangs on may not have moved yet) and follows them instead.
    if (!FOwnerCAD || HasParentShape() || FOwnerCAD->ActionTool() == dtDragWhole || FPoints.empty())
        return;
    const TArrMyShape& working = FOwnerCAD->WorkingShapes();
    if (working.size() > 1 || (working.size() == 1 && working.front() != this))
        return;
    FOwnerCAD->GetMainShape(this, llStart, GetPointInZoom(0));
    FOwnerCAD->GetMainShape(this, llEnd, GetPointInZoom(GetPointsCount() - 1));
}

// ---- Reshaping ---------------------------------------------------------------------------------

bool TMyLinkLine::ResizeCopy(TArrMyPoint& W, int& S, bool& Segment) const
{
    const int n = GetPointsCount();
    const int h = FCurrentHot;
    if (n < 2 || h < 0 || h > 2 * n - 2)
        return false;
    W.clear();
    for (int i = 0; i < n; ++i)
        W.push_back(GetPointInZoom(i));
    Segment = h >= n;
    S = Segment ? h - n : h;
    // Jogs next to attached ends, so that the stub leaving a link point stays.
    const bool start = StartAttached(), end = EndAttached();
    auto insertTwice = [&W](int At, TMyPoint P) { W.insert(W.begin() + At, 2, P); };
    if (!Segment) {
        if (start && S == 1) {
            insertTwice(1, SplitALine(W[0], W[1]));
            S = 3;
        }
        if (end && S == int(W.size()) - 2)
            insertTwice(S + 1, SplitALine(W[size_t(S)], W[size_t(S) + 1]));
    } else {
        if (start && S == 0) {
            const TMyPoint m = SplitALine(W[0], W[1]);
            insertTwice(1, SplitALine(W[0], m));
            S = 2;
        }
        if (end && S == int(W.size()) - 2) {
            const TMyPoint m = SplitALine(W[size_t(S)], W[size_t(S) + 1]);
            insertTwice(S + 1, SplitALine(W[size_t(S) + 1], m));
        }
    }
    return true;
}

void TMyLinkLine::MoveInCopy(TArrMyPoint& W, int S, bool Segment, double dx, double dy)
{
    auto addX = [dx](TMyPoint& p) { p.X = float(p.X + dx); };
    auto addY = [dy](TMyPoint& p) { p.Y = float(p.Y + dy); };
    const size_t s = size_t(S);
    if (Segment) {
        if (s + 1 >= W.size())
            return;
        if (IsLineHV(W[s], W[s + 1]) == 1) {
            addY(W[s]);
            addY(W[s + 1]);
        } else {
            addX(W[s]);
            addX(W[s + 1]);
        }
        return;
    }
    // The neighbours keep their segments horizontal or vertical; both are classified
    // before anything moves.
    const bool hasNext = s + 1 < W.size(), hasPrev = s >= 1;
    const int nextKind = hasNext ? IsLineHV(W[s], W[s + 1]) : 0;
    const int prevKind = hasPrev ? IsLineHV(W[s], W[s - 1]) : 0;
    if (hasNext)
        nextKind == 1 ? addY(W[s + 1]) : addX(W[s + 1]);
    if (hasPrev)
        prevKind == 1 ? addY(W[s - 1]) : addX(W[s - 1]);
    addX(W[s]);
    addY(W[s]);
}

void TMyLinkLine::SizeChangeValue(TMyPoint From, TMyPoint To)
{
    const int n = GetPointsCount();
    const int h = FCurrentHot;
    if (n < 1 || h < 0 || h > 2 * n - 2)
        return; // not a hot of this connector
    const double dx = double(To.X) - From.X, dy = double(To.Y) - From.Y;
    if (FOwnerCAD) {
        auto moved = [&](int i) {
            const TMyPoint p = GetPointInZoom(i);
            return TMyPoint(float(p.X + dx), float(p.Y + dy));
        };
        if (h == 0)
            FOwnerCAD->GetMainShape(this, llStart, moved(0));
        if (h == n - 1)
            FOwnerCAD->GetMainShape(this, llEnd, moved(n - 1));
    }
    if (FLinkLineDrawStyle == lldsFree) {
        // A free connector moves its points; its segment hots are not shown and move nothing.
        if (h < n)
            PointAddXY(h, dx, dy);
        return;
    }
    if (h != 0 && h != n - 1 && (dx != 0 || dy != 0))
        FAutoRoute = false;
    TArrMyPoint W;
    int s = 0;
    bool segment = false;
    if (!ResizeCopy(W, s, segment))
        return;
    MoveInCopy(W, s, segment, dx, dy);
    const double z = Zoom();
    for (TMyPoint& p : W)
        p = TMyPoint(float(p.X / z), float(p.Y / z));
    PointsRef() = W;
    FCenterPoint = ComputeCenterPoint(4);
}

void TMyLinkLine::Sizing(TCanvas* Canvas, TPoint From, TPoint To)
{
    if (!Canvas)
        return;
    if (FLinkLineDrawStyle == lldsFree) {
        TMyLine::Sizing(Canvas, From, To);
        return;
    }
    TArrMyPoint W;
    int s = 0;
    bool segment = false;
    if (!ResizeCopy(W, s, segment))
        return;
    MoveInCopy(W, s, segment, double(To.X) - From.X, double(To.Y) - From.Y);
    const int count = int(W.size());
    auto piece = [&](std::initializer_list<int> Indices) {
        TArrPoint line;
        for (int i : Indices) {
            if (i < 0 || i >= count)
                break;
            line.push_back(MyPtToPt(W[size_t(i)]));
        }
        if (line.size() >= 2)
            Canvas->Polyline(line);
    };
    // Point mode: the moved point to each neighbour and on to the next point beyond.
    // Segment mode: the moved segment on to the next point, and from its near end back
    // over the two points before it.
    piece({s, s + 1, s + 2});
    piece({s, s - 1, s - 2});
}

// ---- Hots and cursor --------------------------------------------------------------------------

int TMyLinkLine::InWhichHot(TPoint P)
{
    if (FOwnerCAD && FOwnerCAD->ShapeTool() == SpRotateSelecting)
        return -1;
    FCurrentHot = -1;
    const int hs = FOwnerCAD ? FOwnerCAD->HotSize() : 4;
    const int n = GetPointsCount();
    auto inSquare = [&](TPoint c) { return PtInRect(TRect(c.X - hs, c.Y - hs, c.X + hs, c.Y + hs), P); };
    for (int i = 0; i < n; ++i)
        if (inSquare(MyPtToPt(GetPointInZoom(i))))
            FCurrentHot = i;
    for (int i = 0; i + 1 < n; ++i) {
        const TMyPoint a = GetPointInZoom(i), b = GetPointInZoom(i + 1);
        if (inSquare(MyPtToPt(TMyPoint(float(a.X + (double(b.X) - a.X) / 2), float(a.Y + (double(b.Y) - a.Y) / 2)))))
            FCurrentHot = n + i;
    }
    return FCurrentHot;
}

TCursor TMyLinkLine::GetMouseCursor(int X, int Y)
{
    TCursor cursor = crCross;
    const int n = GetPointsCount();
    const int h = InWhichHot(TPoint(X, Y));
    if (h >= 0 && h < n) {
        cursor = crSizeAll;
    } else if (h >= n && h - n + 1 < n) {
        const int s = h - n;
        cursor = IsLineHV(GetPoint(s), GetPoint(s + 1)) == 2 ? crSizeWE : crSizeNS;
    }
    if (cursor == crCross && FOwnerCAD &&
        (FOwnerCAD->ActionTool() == dtDrawing || FOwnerCAD->ActionTool() == dtResizing)) {
        const double z = Zoom();
        TMyPoint at(float(X / z), float(Y / z));
        TMyLinkLine* line = nullptr;
        if (FOwnerCAD->IsBreakLineByAPoint(at, line, nullptr) >= 0)
            cursor = crBreakLine;
    }
    return cursor;
}
