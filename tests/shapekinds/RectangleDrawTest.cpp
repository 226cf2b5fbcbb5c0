// The rectangle family on a picture: filled outlines, the ellipse's turned outline, groups,
// the hots with their switches, and the exclusive-or rubber bands.
#include "KindsTestSupport.h"

#include <numbers>

namespace {
template <class T>
std::unique_ptr<T> RedBox(TMyCAD& cad, int x1, int y1, int x2, int y2)
{
    auto shape = MakeBox<T>(cad, x1, y1, x2, y2);
    shape->Brush()->SetColor(clRed);
    return shape;
}

// The screen places of the eight hots of the box (40, 30)-(120, 90).
const TPoint Hots[8] = {TPoint(40, 30),  TPoint(120, 30), TPoint(120, 90), TPoint(40, 90),
                        TPoint(80, 30),  TPoint(120, 60), TPoint(80, 90),  TPoint(40, 60)};

template <class F>
void ExpectBandErasesItself(TBitmap& picture, F band)
{
    const QImage before = picture.ToQImage();
    band();
    EXPECT_GT(DifferingPixels(before, picture.ToQImage()), 10);
    band();
    EXPECT_EQ(DifferingPixels(before, picture.ToQImage()), 0);
}

// A canvas set for rubber bands with a solid pen, so that every pixel of a band shows.
TCanvas& SolidBandCanvas(TBitmap& picture)
{
    TCanvas& canvas = picture.Canvas();
    SetDragResizeRotateShapeMode(&canvas);
    canvas.Pen().SetStyle(psSolid);
    return canvas;
}
} // namespace

TEST(RectangleDraw, FilledWithTheBrushAndOutlinedWithThePen)
{
    TMyCAD cad;
    auto r = RedBox<TMyRectangle>(cad, 40, 30, 120, 90);
    auto picture = WhitePicture(160, 120);
    TCanvas& canvas = picture->Canvas();
    r->Draw(&canvas);
    EXPECT_EQ(canvas.Pixels(80, 60), clRed);
    EXPECT_EQ(canvas.Pixels(41, 31), clRed);
    for (TPoint p : {TPoint(40, 60), TPoint(120, 60), TPoint(80, 30), TPoint(80, 90)})
        EXPECT_EQ(canvas.Pixels(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    EXPECT_EQ(canvas.Pixels(38, 60), clWhite);
    EXPECT_EQ(canvas.Pixels(122, 60), clWhite);
    EXPECT_FALSE(canvas.GeometricPenSelected());

    // The caption is drawn at the caption point below the box.
    r->SetInfo(QStringLiteral("Box"));
    auto captioned = WhitePicture(160, 120);
    r->Draw(&captioned->Canvas());
    EXPECT_TRUE(AnyInk(*captioned, TRect(60, 93, 100, 108)));
}

TEST(RectangleDraw, TurnedBoxFillsItsTurnedOutline)
{
    TMyCAD cad;
    auto r = RedBox<TMyRectangle>(cad, 100, 100, 200, 160);
    r->SetAngle(float(std::numbers::pi / 2)); // now 120..180 by 80..180
    auto picture = WhitePicture(260, 220);
    TCanvas& canvas = picture->Canvas();
    r->Draw(&canvas);
    EXPECT_EQ(canvas.Pixels(150, 85), clRed);
    EXPECT_EQ(canvas.Pixels(150, 175), clRed);
    EXPECT_EQ(canvas.Pixels(110, 130), clWhite);
    EXPECT_EQ(canvas.Pixels(190, 130), clWhite);
}

TEST(EllipseDraw, InscribedInTheBoxAndTurnedWithIt)
{
    TMyCAD cad;
    auto e = RedBox<TMyEllipse>(cad, 40, 30, 160, 110); // centre (100, 70), half axes 60 and 40
    auto picture = WhitePicture(200, 160);
    TCanvas& canvas = picture->Canvas();
    e->Draw(&canvas);
    EXPECT_EQ(canvas.Pixels(100, 70), clRed);
    EXPECT_EQ(canvas.Pixels(100, 32), clRed);
    EXPECT_EQ(canvas.Pixels(155, 70), clRed);
    EXPECT_TRUE(IsDark(canvas.Pixels(100, 30))); // top of the outline
    EXPECT_TRUE(IsDark(canvas.Pixels(160, 70))); // right end of the outline
    EXPECT_EQ(canvas.Pixels(45, 35), clWhite);   // corner of the box, outside the ellipse
    EXPECT_EQ(canvas.Pixels(150, 100), clWhite);

    e->SetAngle(float(std::numbers::pi / 2)); // the long axis now runs downwards
    auto turned = WhitePicture(200, 160);
    TCanvas& tc = turned->Canvas();
    e->Draw(&tc);
    EXPECT_EQ(tc.Pixels(100, 125), clRed);
    EXPECT_EQ(tc.Pixels(135, 70), clRed);
    EXPECT_EQ(tc.Pixels(150, 70), clWhite);
    EXPECT_EQ(tc.Pixels(100, 135), clWhite);
}

TEST(GroupDraw, OnlyTheCaption)
{
    TMyCAD cad;
    auto g = RedBox<TMyGroup>(cad, 40, 30, 120, 90);
    auto c = RedBox<TMyCombine>(cad, 40, 30, 120, 90);
    for (TMyRectangle* box : {static_cast<TMyRectangle*>(g.get()), static_cast<TMyRectangle*>(c.get())}) {
        auto blank = WhitePicture(160, 120);
        box->Draw(&blank->Canvas());
        EXPECT_FALSE(AnyInk(*blank, TRect(0, 0, 160, 120)));
        box->SetInfo(QStringLiteral("Group"));
        auto captioned = WhitePicture(160, 120);
        box->Draw(&captioned->Canvas());
        EXPECT_TRUE(AnyInk(*captioned, TRect(50, 93, 110, 108)));
        EXPECT_FALSE(AnyInk(*captioned, TRect(0, 0, 160, 90)));
    }
}

// ---- Hots --------------------------------------------------------------------------------------

TEST(RectangleHotDrawing, EightHotsWhileTheDrawingShowsHots)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 40, 30, 120, 90);
    auto picture = WhitePicture(160, 120);
    TCanvas& canvas = picture->Canvas();
    r->DrawHot(&canvas);
    for (TPoint p : Hots) {
        EXPECT_EQ(canvas.Pixels(p.X, p.Y), HotColor()) << p.X << "," << p.Y;
        EXPECT_EQ(canvas.Pixels(p.X - 4, p.Y), clBlack);
    }
    EXPECT_EQ(canvas.Pixels(80, 60), clWhite);

    cad.SetHotShow(false);
    auto hidden = WhitePicture(160, 120);
    r->DrawHot(&hidden->Canvas());
    EXPECT_FALSE(AnyInk(*hidden, TRect(0, 0, 160, 120)));
    // The caption diamond is drawn even then, when there is a caption.
    r->SetInfo(QStringLiteral("x"));
    r->DrawHot(&hidden->Canvas());
    EXPECT_FALSE(AnyInk(*hidden, TRect(0, 0, 160, 93)));
    EXPECT_TRUE(AnyInk(*hidden, TRect(74, 94, 87, 107)));
}

TEST(RectangleHotDrawing, SwitchesLeaveOutSideHots)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 40, 30, 120, 90);
    r->SetShowVerticalSideHot(false);
    auto noVertical = WhitePicture(160, 120);
    r->DrawHot(&noVertical->Canvas());
    for (int i = 0; i < 8; ++i) {
        const bool shown = i != 4 && i != 6;
        EXPECT_EQ(noVertical->Canvas().Pixels(Hots[i].X, Hots[i].Y), shown ? HotColor() : clWhite) << i;
    }
    r->SetShowVerticalSideHot(true);
    r->SetShowHorizontalSideHot(false);
    auto noHorizontal = WhitePicture(160, 120);
    r->DrawHot(&noHorizontal->Canvas());
    for (int i = 0; i < 8; ++i) {
        const bool shown = i != 5 && i != 7;
        EXPECT_EQ(noHorizontal->Canvas().Pixels(Hots[i].X, Hots[i].Y), shown ? HotColor() : clWhite) << i;
    }
    r->SetShowHorizontalSideHot(true);
    r->SetShowSideHot(false);
    auto corners = WhitePicture(160, 120);
    r->DrawHot(&corners->Canvas());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(corners->Canvas().Pixels(Hots[i].X, Hots[i].Y), i < 4 ? HotColor() : clWhite) << i;
}

TEST(RectangleHotDrawing, WhileRotatingOnlyTheCornersAsRotationHandles)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 40, 30, 120, 90);
    cad.SetShapeTool(SpRotateSelecting);
    auto picture = WhitePicture(160, 120);
    TCanvas& canvas = picture->Canvas();
    r->DrawHot(&canvas);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(canvas.Pixels(Hots[i].X, Hots[i].Y), i < 4 ? HotColor() : clWhite) << i;
    // A corner handle is a circle: the corner of its box stays white.
    EXPECT_EQ(canvas.Pixels(36, 26), clWhite);
    // Side hots are not hit either; corners are.
    EXPECT_EQ(r->InWhichHot(Hots[5]), -1);
    EXPECT_EQ(r->GetMouseCursor(Hots[5].X, Hots[5].Y), crCross);
    EXPECT_EQ(r->InWhichHot(Hots[2]), 2);

    // With rotation switched off the corners show nothing, the caption diamond stays.
    cad.SetRotateEnable(false);
    r->SetInfo(QStringLiteral("x"));
    auto disabled = WhitePicture(160, 120);
    r->DrawHot(&disabled->Canvas());
    EXPECT_FALSE(AnyInk(*disabled, TRect(0, 0, 160, 93)));
    EXPECT_TRUE(AnyInk(*disabled, TRect(74, 94, 87, 107)));

    cad.SetShapeTool(SpSelecting);
    EXPECT_EQ(r->InWhichHot(Hots[5]), 5);
}

TEST(RectangleHotDrawing, TurnedAndLockedBoxes)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 40, 30, 120, 90);
    r->SetAngle(0.5f);
    auto picture = WhitePicture(160, 140);
    r->DrawHot(&picture->Canvas());
    for (TPoint p : Hots) {
        const TPoint q = MyPtToPt(RotateAPoint(PtToMyPt(p), TMyPoint(80, 60), 0.5f));
        EXPECT_EQ(picture->Canvas().Pixels(q.X, q.Y), HotColor()) << q.X << "," << q.Y;
    }
    r->StoreLocked(true);
    auto locked = WhitePicture(160, 140);
    r->DrawHot(&locked->Canvas());
    const TPoint q = MyPtToPt(r->GetPointInZoom(5));
    EXPECT_EQ(locked->Canvas().Pixels(q.X, q.Y), clGray);
}

// ---- Rubber bands --------------------------------------------------------------------------

TEST(RectangleRubberBands, EachBandDrawnTwiceLeavesThePictureUnchanged)
{
    TMyCAD cad;
    auto r = RedBox<TMyRectangle>(cad, 100, 100, 200, 160);
    r->SetAngle(0.3f);
    auto e = RedBox<TMyEllipse>(cad, 60, 40, 180, 120);
    auto picture = WhitePicture(260, 220);
    TCanvas& canvas = picture->Canvas();
    r->Draw(&canvas);
    e->Draw(&canvas);
    SetDragResizeRotateShapeMode(&canvas);
    ExpectBandErasesItself(*picture, [&] { r->Draging(&canvas, TPoint(0, 0), TPoint(13, -7)); });
    ASSERT_EQ(r->InWhichHot(MyPtToPt(r->GetPointInZoom(2))), 2);
    ExpectBandErasesItself(*picture, [&] { r->Sizing(&canvas, TPoint(), TPoint(230, 200)); });
    ASSERT_EQ(r->InWhichHot(MyPtToPt(r->GetPointInZoom(5))), 5);
    ExpectBandErasesItself(*picture, [&] { r->Sizing(&canvas, TPoint(), TPoint(240, 140)); });
    ExpectBandErasesItself(*picture, [&] { r->Rotating(&canvas, TMyPoint(150, 130), 0.8f); });
    ExpectBandErasesItself(*picture, [&] { r->Drawing(&canvas, TPoint(10, 10), TPoint(90, 70)); });
    ExpectBandErasesItself(*picture, [&] { e->Draging(&canvas, TPoint(0, 0), TPoint(20, 30)); });
    ExpectBandErasesItself(*picture, [&] { e->Drawing(&canvas, TPoint(90, 70), TPoint(10, 10)); });
}

TEST(RectangleRubberBands, SizingShowsTheResultOrNothing)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    ASSERT_EQ(r->InWhichHot(TPoint(200, 160)), 2);
    auto picture = WhitePicture(260, 220);
    TCanvas& canvas = SolidBandCanvas(*picture);
    r->Sizing(&canvas, TPoint(200, 160), TPoint(230, 190));
    for (TPoint p : {TPoint(165, 100), TPoint(230, 145), TPoint(165, 190), TPoint(100, 145)})
        EXPECT_EQ(canvas.Pixels(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    EXPECT_EQ(canvas.Pixels(200, 145), clWhite);
    EXPECT_EQ(canvas.Pixels(165, 160), clWhite);
    EXPECT_EQ(r->GetPoint(2), TMyPoint(200, 160)); // only drawn, not applied

    // Past the opposite corner nothing is drawn.
    auto refused = WhitePicture(260, 220);
    TCanvas& rc = SolidBandCanvas(*refused);
    r->Sizing(&rc, TPoint(200, 160), TPoint(99, 150));
    EXPECT_FALSE(AnyInk(*refused, TRect(0, 0, 260, 220)));
}

TEST(RectangleRubberBands, DragAndRotateOutlines)
{
    TMyCAD cad;
    auto r = MakeBox<TMyRectangle>(cad, 100, 100, 200, 160);
    auto dragged = WhitePicture(260, 220);
    TCanvas& dc = SolidBandCanvas(*dragged);
    r->Draging(&dc, TPoint(50, 50), TPoint(60, 55));
    EXPECT_EQ(dc.Pixels(150, 105), clBlack);
    EXPECT_EQ(dc.Pixels(210, 135), clBlack);
    EXPECT_EQ(dc.Pixels(150, 100), clWhite);

    auto rotated = WhitePicture(260, 220);
    TCanvas& rc = SolidBandCanvas(*rotated);
    r->Rotating(&rc, TMyPoint(150, 130), float(std::numbers::pi / 2)); // 120..180 by 80..180
    EXPECT_EQ(rc.Pixels(180, 130), clBlack);
    EXPECT_EQ(rc.Pixels(150, 80), clBlack);
    EXPECT_EQ(rc.Pixels(150, 100), clWhite);

    auto drawn = WhitePicture(260, 220);
    TCanvas& wc = SolidBandCanvas(*drawn);
    auto e = MakeBox<TMyEllipse>(cad, 40, 30, 160, 110);
    e->Drawing(&wc, TPoint(160, 110), TPoint(40, 30));
    EXPECT_EQ(wc.Pixels(100, 30), clBlack);
    EXPECT_EQ(wc.Pixels(45, 35), clWhite);
    EXPECT_EQ(wc.Pixels(100, 70), clWhite); // no fill
}
