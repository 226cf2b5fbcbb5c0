// Rubber bands on the control's picture: every move erases the previous figure exactly,
// so that during an operation the picture is the page plus the figures that belong on
// it, and after the release and a paint pass it is the page of the changed drawing.
#include "MouseTestSupport.h"

#include "component/render/CanvasModes.h"

namespace {
// The selection rectangle's pen for the drawing's default pen colour.
void SelectionPen(TCanvas& canvas, const TMyCAD& cad)
{
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetColor(TColor((int64_t(cad.Pen()->Color()) + 0xFFFFFF) / 2));
    canvas.Pen().SetMode(pmXor);
    canvas.Brush().SetStyle(bsClear);
}
// The picture with the selection rectangle drawn on it as the canvas draws it.
QImage WithSelectionBand(const QImage& before, const TMyCAD& cad, const TRect& band)
{
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SelectionPen(canvas, cad);
        canvas.Rectangle(band.Left, band.Top, band.Right, band.Bottom);
    }
    return expected;
}
} // namespace

using RubberBand = MouseTest;

TEST_F(RubberBand, TheSelectionPenIsHalfWayToWhiteInExclusiveOr)
{
    TPen pen;
    pen.SetColor(clRed);
    cad.SetPen(&pen);
    cad.SetSelectShapeMode();
    const TCanvas* canvas = cad.Canvas();
    EXPECT_EQ(canvas->Pen().Color(), TColor(0x7FFFFF + 0x80)); // (0x0000FF + 0xFFFFFF) / 2
    EXPECT_EQ(canvas->Pen().Style(), psDot);
    EXPECT_EQ(canvas->Pen().Width(), 1);
    EXPECT_EQ(canvas->Pen().Mode(), pmXor);
    EXPECT_EQ(canvas->Brush().Style(), bsClear);
}

TEST_F(RubberBand, TheSelectionRectangleLeavesOnlyItsLastOutlineAndNothingAfterThePaint)
{
    Rect(300, 300, 400, 400, "Far");
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(50, 50);
    for (const TPoint p : {TPoint(100, 80), TPoint(150, 120), TPoint(260, 260), TPoint(130, 160)}) {
        Move(p.X, p.Y, ssLeft);
        EXPECT_FALSE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
    }
    const QImage expected = WithSelectionBand(before, cad, TRect(50, 50, 130, 160));
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(130, 160);
    EXPECT_TRUE(Selection().isEmpty());
    cad.Paint();
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
}

TEST_F(RubberBand, DragTracesFollowTheMouseAndThePaintShowsTheMovedShape)
{
    TMyShape* a = Rect(100, 100, 200, 200, "A");
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(150, 150);
    // The press picks without drawing.
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
    for (const TPoint p : {TPoint(160, 170), TPoint(200, 150), TPoint(185, 175)})
        Move(p.X, p.Y, ssLeft);
    // The first move draws the trace at the start (the erasing of the press's trace),
    // then the traces cancel but for the last.
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SetDragResizeRotateShapeMode(&canvas);
        a->Draging(&canvas, TPoint(150, 150), TPoint(150, 150));
        a->Draging(&canvas, TPoint(150, 150), TPoint(185, 175));
    }
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(185, 175);
    cad.Paint();

    // The same drawing made with the shape where the drag left it.
    TMyCAD moved;
    AddRect(moved, 135, 125, 235, 225, "A");
    moved.Paint();
    EXPECT_TRUE(DifferenceOf(ScreenOf(moved), ScreenOf(cad)).isEmpty());
}

TEST_F(RubberBand, WithDragModeTheTraceStillFollowsTheMouse)
{
    TMyShape* a = Rect(100, 100, 200, 200, "A");
    cad.SetDragMode(dgHorz);
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(150, 150);
    Move(170, 190, ssLeft);
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SetDragResizeRotateShapeMode(&canvas);
        a->Draging(&canvas, TPoint(150, 150), TPoint(150, 150));
        a->Draging(&canvas, TPoint(150, 150), TPoint(170, 190));
    }
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(170, 190);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(120, 100));
}

TEST_F(RubberBand, WithoutDragTraceNothingIsDrawnWhileDragging)
{
    Rect(100, 100, 200, 200, "A");
    cad.SetDragTrace(false);
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(150, 150);
    Move(170, 190, ssLeft);
    Move(180, 150, ssLeft);
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
}

TEST_F(RubberBand, TheResizeBandShowsTheOutlineTheReleaseWillGive)
{
    TMyShape* a = Rect(100, 100, 200, 200, "A");
    Click(150, 150);
    cad.Paint(); // with the hots of the selection
    const QImage before = ScreenOf(cad);
    Down(200, 200);
    Move(230, 220, ssLeft);
    Move(250, 240, ssLeft);
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SetDragResizeRotateShapeMode(&canvas);
        a->Sizing(&canvas, TPoint(200, 200), TPoint(200, 200));
        a->Sizing(&canvas, TPoint(200, 200), TPoint(250, 240));
    }
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(250, 240);
    EXPECT_EQ(a->GetRightBottom(), TMyPoint(250, 240));
}

TEST_F(RubberBand, TheCursorIsConfinedWhileTheButtonIsDownAndFreedOnEveryRelease)
{
    Rect(100, 100, 200, 200, "A");
    const QPoint origin = cad.mapToGlobal(QPoint(0, 0));
    ui.Clear();
    Down(150, 150);
    EXPECT_TRUE(ui.CursorClips().empty());
    Move(160, 160, ssLeft);
    ASSERT_TRUE(ui.CursorClip().has_value());
    EXPECT_EQ(*ui.CursorClip(), QRect(origin.x(), origin.y(), cad.width(), cad.height()));
    Up(160, 160);
    EXPECT_FALSE(ui.CursorClip().has_value());
    EXPECT_FALSE(cad.CursorClipped());

    // With LockBound the box of the selection may not leave the control: the cursor is
    // kept as far from each edge as the press was from the box's sides.
    cad.SetLockBound(true);
    Down(170, 180); // the box is now (110, 110) to (210, 210)
    Move(175, 185, ssLeft);
    ASSERT_TRUE(ui.CursorClip().has_value());
    EXPECT_EQ(*ui.CursorClip(),
              QRect(origin.x() + 60, origin.y() + 70, cad.width() - 60 - 40, cad.height() - 70 - 30));
    Up(175, 185);
    EXPECT_FALSE(ui.CursorClip().has_value());
}

TEST_F(RubberBand, AtTwiceTheDensityBandsUseTheControlsCoordinatesAndLeaveNoTrace)
{
    cad.SetScreenPixelRatio(2);
    TMyShape* far = Rect(300, 300, 400, 400, "Far");
    cad.Paint();
    const QImage before = ScreenOf(cad);
    ASSERT_EQ(before.devicePixelRatio(), 2);
    Down(50, 50);
    for (const TPoint p : {TPoint(100, 80), TPoint(260, 260), TPoint(130, 160)})
        Move(p.X, p.Y, ssLeft);
    // The band as a canvas draws it on the image in the control's pixels.
    const QImage expected = WithSelectionBand(before, cad, TRect(50, 50, 130, 160));
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(130, 160);
    cad.Paint();
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
    // A drag moves the shape by the mouse's distance in the control's pixels.
    Drag(350, 300, {TPoint(370, 310), TPoint(380, 320)});
    EXPECT_EQ(far->GetLeftTop(), TMyPoint(330, 320));
}
