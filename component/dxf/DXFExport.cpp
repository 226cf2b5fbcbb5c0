#include "component/dxf/DXFExport.h"

#include "component/base/ArcGeometry.h"
#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/dxf/DXFNumbers.h"
#include "component/render/TextOut.h"
#include "component/shapes/AllShapes.h"
#include "platform/AnsiString.h"
#include "platform/Canvas.h"
#include "platform/GraphicsTypes.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

bool AllFinite(const TArrMyPoint& Points)
{
    for (const TMyPoint& p : Points)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            return false;
    return true;
}

bool IsClass(const TMyShape& Shape, const char* Name)
{
    return std::strcmp(Shape.metaObject()->className(), Name) == 0;
}

// The shape's angle in degrees as DXF counts it (counter-clockwise with the y axis up,
// while the drawing's angles turn clockwise on the screen), in [0, 360). The angle is held
// in single precision; its degrees are kept to six significant digits, which that
// precision carries through a reading and a writing again unchanged (pi/2 gives 270).
double DxfDegrees(float Angle)
{
    double d = std::fmod(-double(Angle) * 180.0 / std::numbers::pi, 360.0);
    if (d < 0)
        d += 360;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, d, std::chars_format::scientific, 5).ptr;
    std::from_chars(text, end, d);
    return d >= 360 || d == 0 ? 0.0 : d;
}
} // namespace

TDXFExport::TDXFExport(const TMyCAD& CAD, QIODevice& Device, bool TextAsOutlines)
    : FCAD(CAD), FOut(Device), FTextAsOutlines(TextAsOutlines), FZoom(CAD.Zoom() > 0 ? CAD.Zoom() : 1.0),
      FCanvas(std::make_unique<TCanvas>())
{
    FHeight = DocumentHeight(CAD);
}

double TDXFExport::DocumentHeight(const TMyCAD& CAD)
{
    const double zoom = CAD.Zoom() > 0 ? CAD.Zoom() : 1.0;
    const double pagePixels = CAD.PageHeight() * double(ScreenPixelsPerInch()) / 25.4;
    if (Round(pagePixels * zoom) == CAD.height())
        return Round(pagePixels);
    return CAD.height() / zoom;
}

TDXFExport::~TDXFExport() = default;

bool TDXFExport::Write()
{
    Text(0, "SECTION");
    Text(2, "ENTITIES");
    for (const auto& shape : FCAD.Shapes())
        WriteShape(*shape);
    Text(0, "ENDSEC");
    Text(0, "EOF");
    return FOut.Flush();
}

// ---- Groups ------------------------------------------------------------------------------

void TDXFExport::Code(int Code)
{
    char* out = FOut.Reserve(12);
    FOut.EndLine(DXFNumbers::FormatInteger(out, Code));
}

void TDXFExport::Text(int Code, std::string_view Value)
{
    this->Code(Code);
    FOut.Line(Value);
}

void TDXFExport::Real(int Code, double Value)
{
    this->Code(Code);
    char* out = FOut.Reserve(40);
    FOut.EndLine(DXFNumbers::FormatGeneral(out, Value));
}

void TDXFExport::Integer(int Code, int Value)
{
    this->Code(Code);
    char* out = FOut.Reserve(12);
    FOut.EndLine(DXFNumbers::FormatInteger(out, Value));
}

void TDXFExport::Zero(int Code)
{
    Text(Code, "0.0");
}

void TDXFExport::Handle()
{
    Integer(5, FHandle++);
}

void TDXFExport::Layer()
{
    Text(8, "0");
}

void TDXFExport::Start(std::string_view Entity)
{
    Text(0, Entity);
    Handle();
    Layer();
    if (Entity != "VERTEX" && Entity != "SEQEND")
        ++FEntities;
}

void TDXFExport::Vertex(double X, double Y)
{
    Start("VERTEX");
    Real(10, X);
    Real(20, Y);
    Zero(30);
}

void TDXFExport::SeqEnd()
{
    Start("SEQEND");
}

// ---- Shapes ------------------------------------------------------------------------------

void TDXFExport::WriteShape(const TMyShape& Shape)
{
    const TArrMyPoint& p = Shape.Points();
    if (p.empty() || !AllFinite(p) || !std::isfinite(Shape.Angle()))
        return;
    if (IsClass(Shape, "TMyText")) {
        WriteText(static_cast<const TMyText&>(Shape));
    } else if (IsClass(Shape, "TMyLine")) {
        if (p.size() >= 2)
            WriteLine(p[0], p[1]);
    } else if (IsClass(Shape, "TMyLinkLine") || IsClass(Shape, "TMyPolyLine")) {
        for (size_t i = 1; i < p.size(); ++i)
            WriteLine(p[i - 1], p[i]);
    } else if (IsClass(Shape, "TMyRectangle") || IsClass(Shape, "TMyPolygon")) {
        WriteClosedPolyline(p, true);
    } else if (IsClass(Shape, "TMyElliArc")) {
        const auto& arc = static_cast<const TMyElliArc&>(Shape);
        if (arc.ArcMode() == amEllipse)
            WriteCurvePoints(arc);
        else
            WriteArc(arc);
    } else if (IsClass(Shape, "TMyPolyBezier")) {
        WriteBezier(static_cast<const TMyPolyBezier&>(Shape));
    } else if (IsClass(Shape, "TMyLineLinkLine")) {
        if (p.size() >= 2) {
            const TMyPoint m = Shape.GetCenterPoint();
            const double r = std::fabs(double(p[1].X) - p[0].X) / 2;
            WriteCircle(m, r);
            WriteCircle(m, r / 2);
        }
    } else if (IsClass(Shape, "TMyEllipse")) {
        WriteEllipse(static_cast<const TMyEllipse&>(Shape));
    }
}

void TDXFExport::WriteLine(TMyPoint A, TMyPoint B)
{
    Start("LINE");
    Real(10, X(A.X));
    Real(20, Y(A.Y));
    Zero(30);
    Real(11, X(B.X));
    Real(21, Y(B.Y));
    Zero(31);
}

void TDXFExport::WriteClosedPolyline(const TArrMyPoint& Points, bool Closed)
{
    Start("POLYLINE");
    Integer(66, 1);
    Zero(10);
    Zero(20);
    Zero(30);
    Integer(70, Closed ? 1 : 0);
    for (const TMyPoint& p : Points)
        Vertex(X(p.X), Y(p.Y));
    SeqEnd();
}

void TDXFExport::WriteCircle(TMyPoint Centre, double Radius)
{
    Start("CIRCLE");
    Real(10, X(Centre.X));
    Real(20, Y(Centre.Y));
    Zero(30);
    Real(40, Radius / S);
}

void TDXFExport::WriteEllipse(const TMyEllipse& Ellipse)
{
    const TArrMyPoint& p = Ellipse.Points();
    if (p.size() < 4)
        return;
    const TMyPoint m = Ellipse.GetCenterPoint();
    const double angle = Ellipse.Angle();
    double a, b, d;
    if (angle == 0) {
        // Which corner follows which: the box may have been drawn from any corner.
        int orientation;
        if (p[0].Y == p[1].Y)
            orientation = p[0].X < p[1].X ? 1 : 3;
        else
            orientation = p[0].Y > p[1].Y ? 2 : 4;
        switch (orientation) {
        case 1:
        case 3:
            a = std::fabs(double(p[1].X) - p[0].X) / 2;
            b = std::fabs(double(p[3].Y) - p[0].Y) / 2;
            d = (orientation == 1 ? double(p[1].X) - p[0].X : double(p[3].X) - p[2].X) / 90;
            break;
        default:
            a = std::fabs(double(p[3].X) - p[0].X) / 2;
            b = std::fabs(double(p[1].Y) - p[0].Y) / 2;
            d = (orientation == 2 ? double(p[2].X) - p[1].X : double(p[0].X) - p[3].X) / 90;
            break;
        }
    } else {
        // A turned ellipse: its axes are the sides of its box, written turned back.
        a = std::hypot(double(p[1].X) - p[0].X, double(p[1].Y) - p[0].Y) / 2;
        b = std::hypot(double(p[3].X) - p[0].X, double(p[3].Y) - p[0].Y) / 2;
        d = 2 * a / 90;
    }
    if (a == 0 && b == 0)
        return;
    if (std::fabs(a - b) < 0.5) {
        WriteCircle(m, a);
        return;
    }
    // A box flat on one axis is the segment it collapses to.
    auto turned = [&](double x, double y) {
        const TMyPoint q{float(x), float(y)};
        return angle == 0 ? q : RotateAPoint(q, m, float(angle));
    };
    if (a == 0 || b == 0) {
        WriteLine(turned(m.X - a, m.Y - b), turned(m.X + a, m.Y + b));
        return;
    }
    auto vertex = [&](double x, double y) { // layer before handle in these vertices
        Text(0, "VERTEX");
        Layer();
        Handle();
        if (angle != 0) {
            const TMyPoint q = turned(x, y);
            x = q.X;
            y = q.Y;
        }
        Real(10, X(x));
        Real(20, Y(y));
        Zero(30);
        Integer(70, 32);
    };
    double x = m.X - a;
    const double y0 = m.Y;
    Start("POLYLINE");
    const TMyPoint first = turned(x, y0);
    Real(10, X(angle == 0 ? x : first.X));
    Real(20, Y(angle == 0 ? y0 : first.Y));
    Zero(30);
    Integer(66, 1);
    Integer(70, 8);
    vertex(x, y0);
    const double mx = m.X;
    for (int i = 0; i < 90; ++i) {
        x += d;
        vertex(x, m.Y + std::sqrt(std::fabs(b * b * (1 - (x - mx) * (x - mx) / (a * a)))));
    }
    for (int i = 0; i < 90; ++i) {
        x -= d;
        vertex(x, m.Y - std::sqrt(std::fabs(b * b * (1 - (x - mx) * (x - mx) / (a * a)))));
    }
    SeqEnd();
}

void TDXFExport::WriteArc(const TMyElliArc& Arc)
{
    const int n = Arc.GetPointsCount();
    const TMyPoint p0 = Arc.GetPoint(0);
    const TMyPoint p1 = n > 1 ? Arc.GetPoint(1) : p0;
    const TMyPoint p2 = n > 2 ? Arc.GetPoint(2) : p1;
    // The figure the arc draws at zoom 1, so that the export is the same at every zoom.
    auto pixel = [](TMyPoint p) {
        constexpr double limit = double(1 << 30);
        return TPoint(Round(std::clamp(double(p.X), -limit, limit)), Round(std::clamp(double(p.Y), -limit, limit)));
    };
    const TArcFigure figure = CircleArcFigure(pixel(p0), pixel(p1), pixel(p2), asArc);
    if (figure.Kind == TArcFigure::TKind::Nothing)
        return;
    if (figure.Kind == TArcFigure::TKind::Segment) {
        WriteLine(p0, p2);
        return;
    }
    const TMyPoint m = Arc.GetCenterPoint();
    if (!std::isfinite(m.X) || !std::isfinite(m.Y))
        return;
    double r = 0, a1 = 0, a2 = 0;
    ArcExportParameters(FHeight, p0, p2, TMyPoint(m.X, float(FHeight - m.Y)), r, a1, a2);
    // The second pass draws the other half of the circle: from P2 clockwise to P0.
    if (figure.FromEnd)
        std::swap(a1, a2);
    Start("ARC");
    Real(10, X(m.X));
    Real(20, Y(m.Y));
    Zero(30);
    Real(40, r / S);
    Real(50, a1);
    Real(51, a2);
    if (Arc.ArcStyle() == asChord) {
        WriteLine(p0, p2);
    } else if (Arc.ArcStyle() == asSector) {
        WriteLine(p0, m);
        WriteLine(m, p2);
    }
}

// The conic from P0 to P2 with corner P1, in n + 1 vertices rounded to whole units.
void TDXFExport::WriteCurvePoints(const TMyShape& Shape)
{
    const int count = Shape.GetPointsCount();
    const TMyPoint p0 = Shape.GetPoint(0);
    const TMyPoint p1 = count > 1 ? Shape.GetPoint(1) : p0;
    const TMyPoint p2 = count > 2 ? Shape.GetPoint(2) : p1;
    const double ax = double(p0.X) - 2.0 * p1.X + 2.0 * p2.X, ay = double(p0.Y) - 2.0 * p1.Y + 2.0 * p2.Y;
    const double bx = 2.0 * p1.X - 2.0 * p0.X, by = 2.0 * p1.Y - 2.0 * p0.Y;
    // At least the two ends, and no more vertices than a screen's worth of pixels.
    const int64_t n = std::clamp<int64_t>(Round64(std::sqrt(100 * std::hypot(ax, ay))), 1, 100000);
    TArrMyPoint points;
    points.reserve(size_t(n + 1));
    for (int64_t i = 0; i <= n; ++i) {
        const double t = double(i) / double(n);
        const double w = t * t + 1;
        points.emplace_back(float(Round64((ax * t * t + bx * t + p0.X) / w)), float(Round64((ay * t * t + by * t + p0.Y) / w)));
    }
    WriteClosedPolyline(points, false);
}

// The cubic segments P(3k) .. P(3k + 3), each in steps that follow its size.
void TDXFExport::WriteBezier(const TMyPolyBezier& Curve)
{
    const TArrMyPoint& p = Curve.Points();
    if (p.size() < 4) {
        WriteClosedPolyline(p, false);
        return;
    }
    TArrMyPoint points{p[0]};
    for (size_t k = 0; k + 3 < p.size(); k += 3) {
        const TMyPoint q0 = p[k], q1 = p[k + 1], q2 = p[k + 2], q3 = p[k + 3];
        const double length = std::hypot(double(q1.X) - q0.X, double(q1.Y) - q0.Y)
                              + std::hypot(double(q2.X) - q1.X, double(q2.Y) - q1.Y)
                              + std::hypot(double(q3.X) - q2.X, double(q3.Y) - q2.Y);
        const int64_t n = std::clamp<int64_t>(Round64(std::sqrt(50 * length)), 1, 10000);
        for (int64_t i = 1; i <= n; ++i) {
            const double t = double(i) / double(n), u = 1 - t;
            const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
            points.emplace_back(float(w0 * q0.X + w1 * q1.X + w2 * q2.X + w3 * q3.X),
                                float(w0 * q0.Y + w1 * q1.Y + w2 * q2.Y + w3 * q3.Y));
        }
    }
    WriteClosedPolyline(points, false);
}

void TDXFExport::WriteTextEntity(double X, double Y, double Height, double Degrees, const QString& Line)
{
    QByteArray bytes = ToAnsi(Line);
    bytes.replace('\r', ' ').replace('\n', ' ');
    Start("TEXT");
    Real(10, X);
    Real(20, Y);
    Zero(30);
    Real(40, Height);
    Real(50, Degrees);
    Text(1, std::string_view(bytes.constData(), size_t(bytes.size())));
}

void TDXFExport::WriteText(const TMyText& Text)
{
    QStringList lines = Text.Lines();
    if (lines.isEmpty() && !Text.Info().isEmpty())
        lines.append(Text.Info());
    if (lines.isEmpty())
        return;
    if (FTextAsOutlines) {
        TArrPoint points;
        std::vector<uint8_t> kinds;
        if (Text.GetPathPoints(FCanvas.get(), points, kinds)) {
            WriteOutline(points, kinds);
            return;
        }
    }
    const TFont* font = Text.Font();
    int fontHeight = font ? std::abs(font->Height()) : 0;
    if (fontHeight == 0 && font)
        fontHeight = font->EmHeight();
    const double angle = Text.Angle();
    const TMyPoint corner = Text.GetPoint(std::min(3, Text.GetPointsCount() - 1));
    // The lines stack upwards from the box's bottom-left corner, the first on top.
    const double h = GetTextWidthHeight(FCanvas.get(), lines.front(), font, 1.0, angle).cy;
    const double upX = std::sin(angle), upY = -std::cos(angle);
    const qsizetype n = lines.size();
    for (qsizetype i = 0; i < n; ++i) {
        const double k = h * double(n - 1 - i);
        WriteTextEntity(X(corner.X + k * upX), Y(corner.Y + k * upY), fontHeight / S, DxfDegrees(Text.Angle()),
                        lines[i]);
    }
}

void TDXFExport::WriteOutline(const TArrPoint& Points, const std::vector<uint8_t>& Kinds)
{
    bool open = false;
    const size_t n = std::min(Points.size(), Kinds.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t kind = Kinds[i];
        const double x = Points[i].X / FZoom, y = Points[i].Y / FZoom;
        if (kind == PT_MOVETO) {
            if (open)
                SeqEnd();
            Start("POLYLINE");
            Integer(66, 1);
            Zero(10);
            Zero(20);
            Zero(30);
            Integer(70, 1);
            open = true;
            Vertex(X(x), Y(y));
        } else if ((kind & ~PT_CLOSEFIGURE) == PT_LINETO && open) {
            Vertex(X(x), Y(y));
        }
    }
    if (open)
        SeqEnd();
}
