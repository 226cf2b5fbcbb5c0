// The text shape's own operations: copying, Info, flips with and without an angle, fitting
// the box to Info, the outline path for DXF and where the text shows.
#include "TextTestSupport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
// The corner P0 turned back into the unrotated frame, relative to the centre.
TMyPoint UnturnedP0(const TMyText& t)
{
    const TMyPoint c = t.GetCenterPoint();
    const TMyPoint p = RotateAPoint(t.GetPoint(0), c, -t.Angle());
    return TMyPoint(p.X - c.X, p.Y - c.Y);
}
} // namespace

TEST(TextShape, AssignCopiesTheTextFieldsButNotTheCharacterSpace)
{
    TMyCAD cad;
    auto source = MakeText(cad, 10, 10, 110, 60);
    source->SetIsBorder(true);
    source->SetIsSolid(false);
    source->SetLines({"one", "two"});
    source->SetHAlignment(taRightJustify);
    source->SetVAlignment(vaBottom);
    source->SetWordWrap(true);
    source->SetCharacterSpace(7);
    source->SetInfo("info");
    TMyText copy(&cad);
    copy.Assign(source.get());
    EXPECT_TRUE(copy.IsBorder());
    EXPECT_FALSE(copy.IsSolid());
    EXPECT_EQ(copy.Lines(), QStringList({"one", "two"}));
    EXPECT_EQ(copy.HAlignment(), taRightJustify);
    EXPECT_EQ(copy.VAlignment(), vaBottom);
    EXPECT_TRUE(copy.WordWrap());
    EXPECT_EQ(copy.CharacterSpace(), 0);
    EXPECT_EQ(copy.Info(), "info");
    EXPECT_EQ(copy.Points(), source->Points());
    // The copy draws what the source draws (CharacterSpace has no effect with lines).
    EXPECT_EQ(DifferingPixels(Drawn(copy, 200, 100), Drawn(*source, 200, 100)), 0);
}

TEST(TextShape, GetInfoGivesInfoUnchanged)
{
    TMyCAD cad;
    auto text = MakeText(cad, 0, 0, 100, 50);
    text->SetInfo("Imported");
    EXPECT_EQ(text->GetInfo(), "Imported");
    EXPECT_EQ(text->Info(), "Imported");
    text->SetInfo("");
    EXPECT_EQ(text->GetInfo(), "");
}

TEST(TextShape, FlipsKeepTheCornersInReadingOrder)
{
    TMyCAD cad;
    auto text = MakeText(cad, 20, 20, 120, 60);
    text->FlipHoriz();
    EXPECT_EQ(text->Points(), TArrMyPoint({TMyPoint(20, 20), TMyPoint(120, 20), TMyPoint(120, 60), TMyPoint(20, 60)}));
    EXPECT_EQ(text->Angle(), 0);
    EXPECT_TRUE(text->IsFlipHorz());
    text->FlipVert();
    EXPECT_EQ(text->Points(), TArrMyPoint({TMyPoint(20, 20), TMyPoint(120, 20), TMyPoint(120, 60), TMyPoint(20, 60)}));
    EXPECT_EQ(text->Angle(), 0);
    EXPECT_TRUE(text->IsFlipVert());
}

TEST(TextShape, FlipsWithAnAngleTurnTheTextTheMirroredWay)
{
    for (bool horizontal : {true, false}) {
        TMyCAD cad;
        auto text = MakeText(cad, 20, 20, 120, 60);
        text->RotateChangeValueByAngle(text->GetCenterPoint(), 0.3f);
        const TMyPoint centre = text->GetCenterPoint();
        if (horizontal)
            text->FlipHoriz();
        else
            text->FlipVert();
        // pi - 0.3 + pi after a horizontal flip, -0.3 + 2 pi after a vertical one.
        EXPECT_NEAR(text->Angle(), 2 * std::numbers::pi - 0.3, 1e-5) << horizontal;
        // P0 is the top-left corner of the box turned back, the box keeps its size and place.
        const TMyPoint p0 = UnturnedP0(*text);
        EXPECT_NEAR(p0.X, -50, 1e-3) << horizontal;
        EXPECT_NEAR(p0.Y, -20, 1e-3) << horizontal;
        EXPECT_NEAR(text->GetCenterPoint().X, centre.X, 1e-3);
        EXPECT_NEAR(text->GetCenterPoint().Y, centre.Y, 1e-3);
        EXPECT_NEAR(text->GetMyWidth(), 100, 1e-3);
        EXPECT_NEAR(text->GetMyHeight(), 40, 1e-3);
    }
}

TEST(TextShape, ReCaclpointsFitsTheBoxToInfo)
{
    TMyCAD cad;
    TCanvas canvas;
    TMyText text(&cad);
    text.Font()->SetName("DejaVu Sans");
    text.Font()->SetSize(20);
    text.SetInfo("Fit me");
    text.PointsRef() = {TMyPoint(10, 20), TMyPoint(0, 0), TMyPoint(0, 0), TMyPoint(0, 0)};
    const TSize e = GetTextWidthHeight(&canvas, "Fit me", text.Font(), 1.0, 0);
    text.reCaclpoints(&canvas);
    EXPECT_EQ(text.Points(), TArrMyPoint({TMyPoint(10, 20), TMyPoint(10 + e.cx, 20), TMyPoint(10 + e.cx, 20 + e.cy),
                                          TMyPoint(10, 20 + e.cy)}));
    EXPECT_EQ(text.CenterPoint(), TMyPoint(10 + e.cx / 2.0f, 20 + e.cy / 2.0f));
    // A turned text is fitted in its own frame and stays turned.
    text.RotateChangeValueByAngle(text.GetCenterPoint(), 0.5f);
    text.SetInfo("Fit me, wider");
    const TSize wider = GetTextWidthHeight(&canvas, "Fit me, wider", text.Font(), 1.0, 0);
    text.reCaclpoints(nullptr);
    EXPECT_NEAR(text.Angle(), 0.5, 1e-6);
    EXPECT_NEAR(text.GetMyWidth(), wider.cx, 1e-3);
    EXPECT_NEAR(text.GetMyHeight(), wider.cy, 1e-3);
}

TEST(TextShape, OutlinePathLaysTheTextOutAsDrawDoes)
{
    TMyCAD cad;
    auto text = MakeText(cad, 20, 20, 25, 200);
    text->SetHAlignment(taLeftJustify);
    text->SetVAlignment(vaTop);
    text->SetWordWrap(true);
    text->SetLines({"W"});
    EXPECT_EQ(text->LaidOutLines(nullptr), QStringList({"", "W"}));
    TArrPoint points;
    std::vector<uint8_t> kinds;
    ASSERT_TRUE(text->GetPathPoints(nullptr, points, kinds));
    ASSERT_EQ(points.size(), kinds.size());
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(kinds.front(), PT_MOVETO);
    // The character sits on the second line, below the empty first one.
    TCanvas canvas;
    const int h = GetTextWidthHeight(&canvas, "W", text->Font(), 1.0, 0).cy;
    for (const TPoint& p : points) {
        EXPECT_GE(p.Y, 20 + h);
        EXPECT_LE(p.Y, 20 + 2 * h);
    }
    for (uint8_t k : kinds)
        EXPECT_TRUE((k & ~PT_CLOSEFIGURE) == PT_MOVETO || (k & ~PT_CLOSEFIGURE) == PT_LINETO) << int(k);
    // The same figures at zoom 2 are twice as far out; the border and spacing add nothing.
    text->SetIsBorder(true);
    text->SetCharacterSpace(9);
    cad.SetZoom(2);
    TArrPoint zoomed;
    ASSERT_TRUE(text->GetPathPoints(&canvas, zoomed, kinds));
    int top = INT32_MAX;
    for (const TPoint& p : zoomed)
        top = std::min(top, p.Y);
    EXPECT_GE(top, 40 + GetTextWidthHeight(&canvas, "W", text->Font(), 2.0, 0).cy);
    // An Info line gives its outline too; nothing to write gives none.
    text->SetLines({});
    text->SetInfo("I");
    EXPECT_TRUE(text->GetPathPoints(&canvas, points, kinds));
    text->SetInfo("");
    EXPECT_FALSE(text->GetPathPoints(&canvas, points, kinds));
    EXPECT_TRUE(points.empty());
    EXPECT_FALSE(canvas.PathOpen());
}

TEST(TextShape, FigureBoxCoversTextBeyondTheBox)
{
    TMyCAD cad;
    auto text = MakeText(cad, 20, 20, 60, 40);
    TMyRect box;
    EXPECT_FALSE(text->FigureBox(box));
    text->SetHAlignment(taLeftJustify);
    text->SetLines({"a line much longer than its box"});
    ASSERT_TRUE(text->FigureBox(box));
    const TInk ink = InkOf(Drawn(*text, 600, 100));
    EXPECT_LE(box.Left, ink.Left);
    EXPECT_GE(box.Right, ink.Right + 1);
    EXPECT_LE(box.Top, ink.Top);
    EXPECT_GE(box.Bottom, ink.Bottom + 1);
    // In document units: the same box at zoom 2.
    cad.SetZoom(2);
    TMyRect zoomed;
    ASSERT_TRUE(text->FigureBox(zoomed));
    EXPECT_NEAR(zoomed.Right, box.Right, 3);
}
