// TMyText: laying the text out in its box, drawing it, its outline path and where it shows.
//
// The frame: z is the zoom, W and H the unrotated box in pixels (rounded), Q the rotation
// centre in pixels (the centre of the topmost group holding the text, else its own) and A
// the box's top-left corner turned back about Q into the unrotated frame. Each line is
// placed in that frame by the alignments and its output point turned forward by the angle;
// the text itself is output turned by the angle about that point.
#include "component/shapes/MyText.h"

#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/render/TextOut.h"
#include "component/shapes/MyTextLayout.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <utility>

struct TMyText::TFrame {
    double Zoom = 1;
    double Angle = 0;
    int W = 0;
    int H = 0;
    double Qx = 0, Qy = 0;
    double Ax = 0, Ay = 0;

    // (x, y) of the unrotated frame turned forward by the angle about Q, rounded.
    TPoint Output(double x, double y) const
    {
        if (Angle == 0)
            return TPoint{Round(x), Round(y)};
        const double c = std::cos(Angle), s = std::sin(Angle);
        const double dx = x - Qx, dy = y - Qy;
        return TPoint{Round(Qx + dx * c - dy * s), Round(Qy + dx * s + dy * c)};
    }
};

struct TMyText::TPlacedLine {
    qsizetype Line = 0;
    size_t RunNo = 0; // the piece's number within its line
    TTextRun Run;
    TPoint At;
};

namespace {
// The box around text of the given extent output at P turned by Angle, widened by Margin.
QRectF TurnedTextBox(TPoint P, TSize Extent, double Angle, double Margin)
{
    const double c = std::cos(Angle), s = std::sin(Angle);
    double l = P.X, r = P.X, t = P.Y, b = P.Y;
    const std::pair<double, double> corners[] = {
        {double(Extent.cx), 0.0}, {0.0, double(Extent.cy)}, {double(Extent.cx), double(Extent.cy)}};
    for (const auto& [u, v] : corners) {
        const double x = P.X + u * c - v * s, y = P.Y + u * s + v * c;
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
    }
    return QRectF(QPointF(l - Margin, t - Margin), QPointF(r + Margin, b + Margin));
}
} // namespace

TMyText::TFrame TMyText::MakeFrame() const
{
    TFrame f;
    f.Zoom = Zoom();
    f.Angle = Angle();
    f.W = Round(GetMyWidth() * f.Zoom);
    f.H = Round(GetMyHeight() * f.Zoom);
    const TMyShape* root = this;
    if (HasParentShape() && FOwnerCAD)
        if (const TMyShape* top = FOwnerCAD->GetRootParentShape(this))
            root = top;
    const TMyPoint q = root->GetCenterPointInZoom();
    f.Qx = q.X;
    f.Qy = q.Y;
    const TMyPoint p0 = GetPointInZoom(0);
    f.Ax = p0.X;
    f.Ay = p0.Y;
    if (f.Angle != 0) {
        const double c = std::cos(-f.Angle), s = std::sin(-f.Angle);
        const double dx = double(p0.X) - f.Qx, dy = double(p0.Y) - f.Qy;
        f.Ax = f.Qx + dx * c - dy * s;
        f.Ay = f.Qy + dx * s + dy * c;
    }
    return f;
}

std::vector<TMyText::TPlacedLine> TMyText::PlaceLines(TCanvas* Canvas, const TFrame& Frame, int& LineHeight) const
{
    const QFont font = GetTextMeasureFont(Canvas, Font(), Frame.Zoom, Frame.Angle);
    const int h = QFontMetrics(font).height();
    LineHeight = h;
    std::vector<TPlacedLine> placed;
    if (!FLayout)
        FLayout = std::make_unique<TTextLayoutCache>();
    FLayout->Truncate(FLines.size());
    for (qsizetype i = 0; i < FLines.size(); ++i) {
        const std::vector<TTextRun>& runs = FLayout->Runs(i, FLines[i], FWordWrap, Frame.W, font);
        for (size_t r = 0; r < runs.size(); ++r)
            placed.push_back({i, r, runs[r], TPoint{}});
    }
    const double n = double(placed.size());
    for (size_t j = 0; j < placed.size(); ++j) {
        const double w = placed[j].Run.Width;
        double x = Frame.Ax;
        if (FHAlignment == taRightJustify)
            x = Frame.Ax + Frame.W - w;
        else if (FHAlignment == taCenter)
            x = Frame.Ax + (Frame.W - w) / 2;
        double y = Frame.Ay + double(h) * double(j);
        if (FVAlignment == vaMiddle)
            y = Frame.Ay + (Frame.H - h * n) / 2 + double(h) * double(j);
        else if (FVAlignment == vaBottom)
            y = Frame.Ay + Frame.H - (n - double(j)) * h;
        placed[j].At = Frame.Output(x, y);
    }
    return placed;
}

TPoint TMyText::InfoPoint(const TFrame& Frame, TSize Extent) const
{
    return Frame.Output(Frame.Ax + (Frame.W - Extent.cx) / 2.0, Frame.Ay + (Frame.H - Extent.cy) / 2.0);
}

void TMyText::OutputLines(TCanvas* Canvas, const TFrame& Frame, const TRect* Visible, bool KeepGlyphs) const
{
    int h = 0;
    const std::vector<TPlacedLine> placed = PlaceLines(Canvas, Frame, h);
    const QRectF visible = Visible ? QRectF(QPointF(Visible->Left, Visible->Top), QPointF(Visible->Right, Visible->Bottom))
                                   : QRectF();
    for (const TPlacedLine& line : placed) {
        if (line.Run.Length == 0)
            continue;
        // A line that cannot touch the visible area (with a line height to spare for
        // glyphs reaching past their advance) is left out: it would not change a pixel.
        if (Visible && !TurnedTextBox(line.At, TSize{line.Run.Width, h}, Frame.Angle, h).intersects(visible))
            continue;
        TPreparedText* glyphs = KeepGlyphs ? FLayout->Prepared(line.Line, line.RunNo) : nullptr;
        ::MyLogTextOut(Canvas, line.At.X, line.At.Y, FLines[line.Line].mid(line.Run.Start, line.Run.Length), Font(),
                       Frame.Zoom, Frame.Angle, glyphs);
    }
}

// The Info line. Mirrored, it is mirrored in pixels about the middle of its own box: a
// horizontally flipped text top to bottom across its base line's direction, a vertically
// flipped one left to right across the perpendicular.
void TMyText::OutputInfo(TCanvas* Canvas, const TFrame& Frame, bool Decorated) const
{
    const QString info = Info();
    const int savedExtra = Decorated ? Canvas->SetTextCharacterExtra(FCharacterSpace) : 0;
    const TSize extent = ::GetTextWidthHeight(Canvas, info, Font(), Frame.Zoom, Frame.Angle);
    const TPoint at = InfoPoint(Frame, extent);
    const bool mirrored = Decorated && (IsFlipHorz() || IsFlipVert());
    if (!mirrored) {
        ::MyLogTextOut(Canvas, at.X, at.Y, info, Font(), Frame.Zoom, Frame.Angle);
    } else {
        const double c = std::cos(Frame.Angle), s = std::sin(Frame.Angle);
        const double cx = at.X + extent.cx / 2.0 * c - extent.cy / 2.0 * s;
        const double cy = at.Y + extent.cx / 2.0 * s + extent.cy / 2.0 * c;
        const double sign = IsFlipHorz() ? 1 : -1;
        const double m11 = sign * std::cos(2 * Frame.Angle), m12 = sign * std::sin(2 * Frame.Angle);
        const double m21 = m12, m22 = -m11;
        XFORM mirror;
        mirror.eM11 = float(m11);
        mirror.eM12 = float(m12);
        mirror.eM21 = float(m21);
        mirror.eM22 = float(m22);
        mirror.eDx = float(cx - (cx * m11 + cy * m21));
        mirror.eDy = float(cy - (cx * m12 + cy * m22));
        XFORM saved;
        Canvas->GetWorldTransform(saved);
        const int savedMode = Canvas->SetGraphicsMode(GM_ADVANCED);
        Canvas->ModifyWorldTransform(mirror, MWT_LEFTMULTIPLY);
        ::MyLogTextOut(Canvas, at.X, at.Y, info, Font(), Frame.Zoom, Frame.Angle);
        Canvas->SetWorldTransform(saved);
        if (savedMode != 0 && savedMode != GM_ADVANCED)
            Canvas->SetGraphicsMode(savedMode);
    }
    if (Decorated)
        Canvas->SetTextCharacterExtra(savedExtra);
}

void TMyText::Draw(TCanvas* Canvas)
{
    if (!Canvas || GetPointsCount() == 0)
        return;
    if (FIsBorder)
        TMyRectangle::Draw(Canvas);
    else
        SetDrawShapeMode(this, Canvas);
    const TFrame frame = MakeFrame();
    const bool outline = !FIsSolid;
    if (outline)
        Canvas->BeginPath();
    if (!FLines.isEmpty()) {
        // On a picture, lines outside the drawable area are skipped, and a text painted
        // again draws the glyphs kept from before.
        TRect visible;
        const bool cull = Canvas->VisiblePictureArea(visible);
        OutputLines(Canvas, frame, cull ? &visible : nullptr, Canvas->DrawsOnPicture());
    } else {
        OutputInfo(Canvas, frame, true);
    }
    if (outline) {
        Canvas->EndPath();
        Canvas->StrokePath();
    }
}

bool TMyText::GetPathPoints(TCanvas* Canvas, TArrPoint& Points, std::vector<uint8_t>& Kinds) const
{
    Points.clear();
    Kinds.clear();
    if (GetPointsCount() == 0)
        return false;
    TCanvas own;
    TCanvas* canvas = Canvas ? Canvas : &own;
    const TFrame frame = MakeFrame();
    canvas->BeginPath();
    if (FLines.isEmpty())
        OutputInfo(canvas, frame, false);
    else
        OutputLines(canvas, frame, nullptr, false);
    canvas->EndPath();
    canvas->FlattenPath();
    const int count = canvas->GetPath(Points, Kinds);
    canvas->AbortPath();
    if (count <= 0) {
        Points.clear();
        Kinds.clear();
        return false;
    }
    return true;
}

QStringList TMyText::LaidOutLines(TCanvas* Canvas) const
{
    TCanvas own;
    TCanvas* canvas = Canvas ? Canvas : &own;
    int h = 0;
    QStringList lines;
    for (const TPlacedLine& line : PlaceLines(canvas, MakeFrame(), h))
        lines.append(FLines[line.Line].mid(line.Run.Start, line.Run.Length));
    return lines;
}

bool TMyText::FigureBox(TMyRect& Box) const
{
    const double z = Zoom();
    if (GetPointsCount() == 0 || !(z > 0) || (FLines.isEmpty() && Info().isEmpty()))
        return false;
    TCanvas canvas;
    const TFrame frame = MakeFrame();
    QRectF box;
    if (!FLines.isEmpty()) {
        int h = 0;
        for (const TPlacedLine& line : PlaceLines(&canvas, frame, h))
            box |= TurnedTextBox(line.At, TSize{line.Run.Width, h}, frame.Angle, h / 4.0);
    } else {
        canvas.SetTextCharacterExtra(FCharacterSpace);
        const TSize extent = ::GetTextWidthHeight(&canvas, Info(), Font(), z, frame.Angle);
        // A mirrored Info line covers the same box.
        box = TurnedTextBox(InfoPoint(frame, extent), extent, frame.Angle, extent.cy / 4.0);
    }
    if (!box.isValid())
        return false;
    Box = TMyRect(float(box.left() / z), float(box.top() / z), float(box.right() / z), float(box.bottom() / z));
    return true;
}
