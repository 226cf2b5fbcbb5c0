// A new drawing: its document state, every published property's default, and the
// setters that check their values.
#include "support/DrawingTestSupport.h"

#include "support/RecordingUIServices.h"

#include <QLabel>
#include <QMetaProperty>

TEST(DrawingDefaults, NewDrawingHoldsOneLayerAndNoShapes)
{
    TMyCAD cad;
    EXPECT_EQ(cad.GetLayersCount(), 1);
    EXPECT_EQ(cad.GetLayerNameByID(0), "Layer0");
    EXPECT_TRUE(cad.IsVisibleLayerByID(0));
    EXPECT_EQ(cad.GetMaxLayerId(), 0);
    EXPECT_EQ(cad.CurrentLayerId(), 0);
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.GetWorkingShapesCount(), 0);
    EXPECT_EQ(cad.GetMemShapesCount(), 0);
    EXPECT_TRUE(cad.GetSystemShapes().empty());
    EXPECT_EQ(cad.ActionTool(), TActionTools::dtClose);
    EXPECT_EQ(cad.Version(), "XP.i.4");
}

TEST(DrawingDefaults, EveryPublishedPropertyStartsAtItsDefault)
{
    TMyCAD cad;
    EXPECT_EQ(cad.ArcMode(), amCircle);
    EXPECT_EQ(cad.ArrowAngle(), 10);
    EXPECT_EQ(cad.ArrowLength(), 30);
    EXPECT_EQ(cad.ArrowOffset(), 0);
    EXPECT_EQ(cad.ArrowStyle(), ANone);
    EXPECT_TRUE(cad.BkBitmap()->Empty());
    EXPECT_EQ(cad.BkBitmapMode(), TBkBitmapMode::Center);
    EXPECT_EQ(cad.ColorOfBackGround(), clWhite);
    EXPECT_EQ(cad.ColorOfHot(), clGray);
    EXPECT_TRUE(cad.CrossLine());
    EXPECT_EQ(cad.DragMode(), dgBoth);
    EXPECT_TRUE(cad.DragTrace());
    EXPECT_EQ(cad.GridOperation()->GridColor(), clSilver);
    EXPECT_EQ(cad.GridOperation()->GridHeight(), 20.0);
    EXPECT_EQ(cad.GridOperation()->GridWidth(), 20.0);
    EXPECT_EQ(cad.GridOperation()->GridPenSize(), 1);
    EXPECT_TRUE(cad.GridOperation()->GridShow());
    EXPECT_EQ(cad.GridOperation()->GridType(), gLine);
    EXPECT_TRUE(cad.HotShow());
    EXPECT_EQ(cad.HotSize(), 4);
    EXPECT_EQ(cad.LabelValue(), nullptr);
    EXPECT_EQ(cad.LabelXY(), nullptr);
    EXPECT_TRUE(cad.LinklineAroundShape());
    EXPECT_EQ(cad.LinkLineDrawStyle(), lldsHV);
    EXPECT_FALSE(cad.LockBound());
    EXPECT_TRUE(cad.MouseEffect());
    EXPECT_TRUE(cad.OperateAllLayer());
    EXPECT_EQ(cad.PageFoot(), "");
    EXPECT_EQ(cad.PageFootAlignment(), taRightJustify);
    EXPECT_EQ(cad.PageFootToBottom(), 15);
    EXPECT_EQ(cad.PageHead(), "");
    EXPECT_EQ(cad.PageHeadAlignment(), taCenter);
    EXPECT_EQ(cad.PageHeadToTop(), 15);
    EXPECT_EQ(cad.PageHeight(), 297u);
    EXPECT_EQ(cad.PageWidth(), 210u);
    EXPECT_EQ(cad.PageOrientation(), poPortrait);
    EXPECT_EQ(cad.PageStyle(), TPageStyle::A4);
    EXPECT_TRUE(cad.PrintABorder());
    EXPECT_EQ(cad.PrintABordertoBottom(), 20);
    EXPECT_EQ(cad.PrintABordertoLeft(), 20);
    EXPECT_EQ(cad.PrintABordertoRight(), 20);
    EXPECT_EQ(cad.PrintABordertoTop(), 20);
    EXPECT_FALSE(cad.PrintBackground());
    EXPECT_EQ(cad.Ratio(), 1.0);
    EXPECT_TRUE(cad.ResizeEnable());
    EXPECT_TRUE(cad.ReturnToSelecting());
    EXPECT_EQ(cad.RotateConstraintDegree(), 0);
    EXPECT_TRUE(cad.RotateEnable());
    EXPECT_EQ(cad.ShapeTool(), SpSelecting);
    EXPECT_FALSE(cad.ShowHint());
    EXPECT_TRUE(cad.ShowHotLink());
    EXPECT_TRUE(cad.Snap());
    EXPECT_EQ(cad.SnapPixels(), 4);
    EXPECT_FALSE(cad.SnapShape());
    EXPECT_EQ(cad.Tag(), 0);
    EXPECT_EQ(cad.TheUNIT(), TUnits::mm);
    EXPECT_EQ(cad.UndoRedoSize(), 10);
    EXPECT_EQ(cad.UserData()->GetCount(), 0);
    EXPECT_EQ(cad.XYMode(), TXYMode::Mode0);
    EXPECT_EQ(cad.Zoom(), 1.0);
    EXPECT_EQ(cad.Pen()->Color(), clBlack);
    EXPECT_EQ(cad.Pen()->Width(), 1);
    EXPECT_EQ(cad.Brush()->Color(), clWhite);
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
}

TEST(DrawingDefaults, PropertiesAreReachableThroughTheMetaObject)
{
    TMyCAD cad;
    EXPECT_EQ(cad.property("ArrowLength").toInt(), 30);
    EXPECT_TRUE(cad.setProperty("ArrowAngle", 45));
    EXPECT_EQ(cad.ArrowAngle(), 45);
    EXPECT_EQ(cad.property("Version").toString(), "XP.i.4");
    const QMetaObject* mo = cad.metaObject();
    const QMetaProperty unit = mo->property(mo->indexOfProperty("TheUNIT"));
    ASSERT_TRUE(unit.isEnumType());
    EXPECT_STREQ(unit.enumerator().valueToKey(int(TUnits::inch)), "inch");
}

TEST(DrawingDefaults, CheckedSettersIgnoreValuesOutOfRange)
{
    TMyCAD cad;
    cad.SetArrowAngle(360);
    cad.SetArrowAngle(-1);
    EXPECT_EQ(cad.ArrowAngle(), 10);
    cad.SetArrowAngle(359);
    EXPECT_EQ(cad.ArrowAngle(), 359);
    cad.SetArrowLength(9);
    cad.SetArrowLength(81);
    EXPECT_EQ(cad.ArrowLength(), 30);
    cad.SetArrowLength(80);
    EXPECT_EQ(cad.ArrowLength(), 80);
    cad.SetSnapPixels(20);
    EXPECT_EQ(cad.SnapPixels(), 4);
    cad.SetSnapPixels(19);
    EXPECT_EQ(cad.SnapPixels(), 19);
    cad.SetRotateConstraintDegree(-5);
    EXPECT_EQ(cad.RotateConstraintDegree(), 0);
    cad.SetRotateConstraintDegree(15);
    EXPECT_EQ(cad.RotateConstraintDegree(), 15);
}

TEST(DrawingDefaults, HotColourIsSharedByEveryDrawing)
{
    TMyCAD a;
    TMyCAD b;
    const TColor before = HotColor();
    EXPECT_EQ(b.ColorOfHot(), clGray); // the property reads grey until set
    a.SetColorOfHot(clRed);
    EXPECT_EQ(HotColor(), clRed);
    b.SetColorOfHot(clBlue);
    EXPECT_EQ(HotColor(), clBlue);
    EXPECT_EQ(a.ColorOfHot(), clRed);
    SetHotColor(before);
}

TEST(DrawingDefaults, ObjectPropertiesCopyTheGivenObject)
{
    TMyCAD cad;
    TPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(3);
    cad.SetPen(&pen);
    pen.SetColor(clBlue);
    EXPECT_EQ(cad.Pen()->Color(), clRed);
    EXPECT_EQ(cad.Pen()->Width(), 3);
    TGridObject grid;
    grid.SetGridWidth(10);
    grid.SetGridType(gPixel);
    cad.SetGridOperation(&grid);
    EXPECT_EQ(cad.GridOperation()->GridWidth(), 10);
    EXPECT_EQ(cad.GridOperation()->GridType(), gPixel);
    EXPECT_NE(cad.GridOperation(), &grid);
}

TEST(DrawingDefaults, LabelPropertyEmptiesWhenTheLabelIsFreed)
{
    TMyCAD cad;
    auto* label = new QLabel;
    cad.SetLabelXY(label);
    EXPECT_EQ(cad.LabelXY(), label);
    delete label;
    EXPECT_EQ(cad.LabelXY(), nullptr);
}

TEST(DrawingDefaults, ObjectPropertiesArePublishedForTheInspector)
{
    TMyCAD cad;
    for (const char* name : {"Pen", "Brush", "Font", "PageHeadFont", "PageFootFont", "GridOperation", "BkBitmap",
                             "UserData", "LabelXY", "LabelValue"})
        EXPECT_GE(cad.metaObject()->indexOfProperty(name), 0) << name;
    const QVariant pen = cad.property("Pen");
    ASSERT_TRUE(pen.isValid());
    EXPECT_EQ(pen.value<TPen*>(), cad.Pen());
    auto shape = cad.CreateShapeByName("TMyRectangle");
    for (const char* name : {"Pen", "Brush", "Font", "UserData", "MultiInfoAlignment", "GradientStyle"})
        EXPECT_GE(shape->metaObject()->indexOfProperty(name), 0) << name;
    const QMetaObject* mo = shape->metaObject();
    EXPECT_TRUE(mo->property(mo->indexOfProperty("MultiInfoAlignment")).isEnumType());
}
