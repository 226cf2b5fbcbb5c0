// TMyCAD: aligning the working shapes to the box around them, and spacing shapes evenly.
#include "component/document/MyCAD.h"

#include "component/base/PointArrays.h"
#include "platform/Rounding.h"
#include "component/shapes/MyShape.h"

#include <algorithm>

namespace {
enum AlignHow { alLeft, alRight, alTop, alBottom, alHorizontalCenter, alVerticalCenter };
} // namespace

void TMyCAD::AlignWorkingShapes(int How)
{
    // One shape (or none) has nothing to align with.
    if (FWorkingShapes.size() < 2)
        return;
    const TArrMyShape shapes = FWorkingShapes;
    PushtoUndoRedoShapeList(shapes, UndoActionName(TUndoAction::Change));
    const TMyRect R = GetShapesLTRB(shapes);
    const double D = FZoom;
    for (TMyShape* s : shapes) {
        const TMyRect r = GetShapesLTRB({s});
        const TMyPoint m = s->GetCenterPoint();
        double dx = 0, dy = 0;
        switch (How) {
        case alLeft: dx = (double(R.Left) - r.Left) * D; break;
        case alRight: dx = (double(R.Right) - r.Right) * D; break;
        case alTop: dy = (double(R.Top) - r.Top) * D; break;
        case alBottom: dy = (double(R.Bottom) - r.Bottom) * D; break;
        // The centre lines meet each shape's own centre point (its rotation centre).
        case alHorizontalCenter: dx = (R.Left + (double(R.Right) - R.Left) / 2 - m.X) * D; break;
        case alVerticalCenter: dy = (R.Top + (double(R.Bottom) - R.Top) / 2 - m.Y) * D; break;
        default: break;
        }
        DragChangeValueDxDyforShapes(s, dx, dy);
    }
    for (TMyShape* s : shapes)
        ChangeLinkShapes(s);
    Invalidate();
}

void TMyCAD::AlignLeft() { AlignWorkingShapes(alLeft); }
void TMyCAD::AlignRight() { AlignWorkingShapes(alRight); }
void TMyCAD::AlignTop() { AlignWorkingShapes(alTop); }
void TMyCAD::AlignBottom() { AlignWorkingShapes(alBottom); }
void TMyCAD::AlignHorizontalCenter() { AlignWorkingShapes(alHorizontalCenter); }
void TMyCAD::AlignVerticalCenter() { AlignWorkingShapes(alVerticalCenter); }

namespace {
// The extent of a shape's points along one axis (document units).
struct TExtent {
    TMyShape* Shape;
    double Low;  // least coordinate: left or top
    double High; // greatest coordinate: right or bottom
};

TExtent ExtentOf(TMyShape* S, bool Vertical)
{
    const TMyRect r = GetPointsLTRB(S->Points());
    return Vertical ? TExtent{S, r.Top, r.Bottom} : TExtent{S, r.Left, r.Right};
}

// Spaces the shapes evenly between the one that starts first and the one that ends last
// along an axis; the middle ones keep their order by far edge. Deltas to Move are
// document units. False when there was nothing to space.
template <typename MoveFn>
bool SpaceEvenly(const TArrMyShape& Given, bool Vertical, MoveFn Move)
{
    TArrMyShape shapes;
    for (TMyShape* s : Given)
        if (s && !s->Points().empty())
            shapes.push_back(s);
    if (shapes.size() < 3)
        return false;
    std::vector<TExtent> ext;
    for (TMyShape* s : shapes)
        ext.push_back(ExtentOf(s, Vertical));
    size_t first = 0, last = 0;
    for (size_t i = 1; i < ext.size(); ++i) {
        if (ext[i].Low < ext[first].Low)
            first = i;
        if (ext[i].High > ext[last].High)
            last = i;
    }
    const double a = ext[first].High;
    const double b = ext[last].Low;
    std::vector<TExtent> middle;
    for (size_t i = 0; i < ext.size(); ++i)
        if (i != first && i != last)
            middle.push_back(ext[i]);
    // By far edge: at each position, every later element with a smaller far edge is
    // exchanged with the one there.
    for (size_t i = 0; i < middle.size(); ++i)
        for (size_t j = i + 1; j < middle.size(); ++j)
            if (middle[j].High < middle[i].High)
                std::swap(middle[i], middle[j]);
    if (middle.empty())
        return false;
    double total = 0;
    for (const TExtent& e : middle)
        total += e.High - e.Low;
    const double gap = (b - a - total) / double(middle.size() + 1);
    double previousEnd = a;
    for (const TExtent& e : middle) {
        const double newLow = Round(previousEnd + gap);
        const TExtent now = ExtentOf(e.Shape, Vertical);
        Move(e.Shape, newLow - Round(now.Low));
        previousEnd = ExtentOf(e.Shape, Vertical).High;
    }
    return true;
}
} // namespace

void TMyCAD::AverageWidth(const TArrMyShape& Shapes)
{
    const double z = FZoom;
    if (SpaceEvenly(Shapes, false, [this, z](TMyShape* s, double d) { DragChangeValueDxDyforShapes(s, d * z, 0); })) {
        GeometryChanged();
        Invalidate();
    }
}

void TMyCAD::AverageHeight(const TArrMyShape& Shapes)
{
    const double z = FZoom;
    if (SpaceEvenly(Shapes, true, [this, z](TMyShape* s, double d) { DragChangeValueDxDyforShapes(s, 0, d * z); })) {
        GeometryChanged();
        Invalidate();
    }
}
