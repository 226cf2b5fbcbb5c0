#include "MouseTestSupport.h"

void PrintTo(const QString& S, std::ostream* os)
{
    *os << '"' << S.toStdString() << '"';
}

QString NameOf(const TMyShape* S)
{
    return S ? S->Name() : QStringLiteral("nil");
}

QStringList History(const TMyCAD& cad)
{
    QStringList out;
    const TUndoList& list = cad.UndoList();
    for (int i = 0; i < list.RecordCount(); ++i) {
        const TSavedShape& r = list.Record(i);
        out << QStringLiteral("%1:%2:%3").arg(r.ActionNo).arg(r.ActionName, r.ShapeName);
    }
    return out;
}

QImage ScreenOf(TMyCAD& cad)
{
    TCanvas* canvas = cad.Canvas();
    canvas->ReleasePainter();
    return static_cast<QImage*>(canvas->Device())->copy();
}

QRect DifferenceOf(const QImage& a, const QImage& b)
{
    QRect diff;
    if (a.size() != b.size())
        return a.rect().united(b.rect());
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if ((la[x] & 0xFFFFFF) != (lb[x] & 0xFFFFFF))
                diff = diff.united(QRect(x, y, 1, 1));
    }
    return diff;
}

MouseTest::MouseTest() : owned(std::make_unique<TMyCAD>()), cad(*owned)
{
    // Exact points unless a test asks for the grid.
    cad.SetSnap(false);
    cad.SetShapeTool(SpSelecting);
    cad.OnShapeSelected = [this](TMyShape* last, TMyShape* now) {
        events << QStringLiteral("ShapeSelected(%1,%2)").arg(NameOf(last), NameOf(now));
    };
    cad.OnShapeAdded = [this](TMyShape*& s, int count) {
        events << QStringLiteral("ShapeAdded(%1,%2)").arg(NameOf(s)).arg(count);
    };
    cad.OnActionToolToSelecting = [this] { events << QStringLiteral("ToSelecting"); };
    cad.OnMouseEnterShape = [this](TMyShape* s) { events << QStringLiteral("Enter(%1)").arg(NameOf(s)); };
    cad.OnMouseLeaveShape = [this](TMyShape* s) { events << QStringLiteral("Leave(%1)").arg(NameOf(s)); };
    cad.OnChildShapeSelected = [this](TMyShape* s, bool&) { events << QStringLiteral("ChildSelected(%1)").arg(NameOf(s)); };
    cad.OnNodeAdded = [this](TMyShape*& s, int i) { events << QStringLiteral("NodeAdded(%1,%2)").arg(NameOf(s)).arg(i); };
    cad.OnNodeDeleted = [this](TMyShape*& s, int i) {
        events << QStringLiteral("NodeDeleted(%1,%2)").arg(NameOf(s)).arg(i);
    };
    cad.OnWholeDragged = [this] { events << QStringLiteral("WholeDragged"); };
    auto points = [this](const char* what) {
        return [this, what](TMyShape* s, TPoint from, TPoint& to) {
            events << QStringLiteral("%1(%2,%3,%4,%5,%6)")
                          .arg(QLatin1String(what), NameOf(s))
                          .arg(from.X)
                          .arg(from.Y)
                          .arg(to.X)
                          .arg(to.Y);
        };
    };
    cad.OnShapeMouseDragging = points("Dragging");
    cad.OnShapeMouseDragged = points("Dragged");
    cad.OnShapeMouseResizing = points("Resizing");
    cad.OnShapeMouseResized = points("Resized");
    cad.OnShapeMouseResizeFinished = points("ResizeFinished");
    cad.OnShapeMouseRotating = points("Rotating");
    cad.OnShapeMouseRotated = points("Rotated");
    cad.OnMouseDown = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
        if (logMouse)
            events << QStringLiteral("MouseDown(%1,%2,%3)").arg(int(b)).arg(x).arg(y);
    };
    cad.OnMouseMove = [this](QObject*, TShiftState, int x, int y) {
        if (logMouse)
            events << QStringLiteral("MouseMove(%1,%2)").arg(x).arg(y);
    };
    cad.OnMouseUp = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
        if (logMouse)
            events << QStringLiteral("MouseUp(%1,%2,%3)").arg(int(b)).arg(x).arg(y);
    };
}

MouseTest::~MouseTest() = default;

void MouseTest::Down(int x, int y, TShiftState shift, TMouseButton button)
{
    const TShiftState held = button == mbLeft ? ssLeft : (button == mbRight ? ssRight : ssMiddle);
    cad.MouseDown(button, TShiftState(shift | held), x, y);
    EXPECT_INVARIANTS(cad);
}

void MouseTest::Move(int x, int y, TShiftState shift)
{
    cad.MouseMove(shift, x, y);
    EXPECT_INVARIANTS(cad);
}

void MouseTest::Up(int x, int y, TShiftState shift, TMouseButton button)
{
    cad.MouseUp(button, shift, x, y);
    EXPECT_INVARIANTS(cad);
}

void MouseTest::Click(int x, int y, TShiftState shift)
{
    Down(x, y, shift);
    Up(x, y, shift);
}

void MouseTest::Drag(int x0, int y0, std::initializer_list<TPoint> path, TShiftState shift)
{
    Down(x0, y0, shift);
    TPoint last(x0, y0);
    for (const TPoint& p : path) {
        Move(p.X, p.Y, TShiftState(shift | ssLeft));
        last = p;
    }
    Up(last.X, last.Y, shift);
}

void MouseTest::Watch(TMyShape* s)
{
    s->OnClick = [this, s](QObject* sender) {
        events << QStringLiteral("Click(%1%2)").arg(NameOf(s), sender == &cad ? QString() : QStringLiteral(",?"));
    };
}

TMyShape* MouseTest::Rect(float x1, float y1, float x2, float y2, const QString& name)
{
    TMyShape* s = AddRect(cad, x1, y1, x2, y2, name);
    Watch(s);
    cad.DeSelectedAllShapesByCode(); // adding by code selects the shape
    events.clear();
    return s;
}

TMyShape* MouseTest::Line(std::initializer_list<TMyPoint> points, const QString& name, TDrawTool tool)
{
    const int id = cad.AddShapeByCode(&cad, tool, QString(), points, 0, name);
    TMyShape* s = cad.GetShapeByID(id);
    Watch(s);
    cad.DeSelectedAllShapesByCode();
    events.clear();
    return s;
}

QStringList MouseTest::TakeEvents()
{
    QStringList out = events;
    events.clear();
    return out;
}

QStringList MouseTest::Selection() const
{
    QStringList out;
    for (const TMyShape* s : cad.GetSelectedShapes())
        out << NameOf(s);
    return out;
}
