// Shape records of every generation, built byte by byte from the layouts: each reads with
// its own fields applied and the fields it lacks at the values a new shape has.
#include "FilesTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <cmath>

using G = TFileGeneration;

namespace {

struct TGen {
    G Generation;
    const char* Tag;
};

const TGen kGenerations[] = {
    {G::XP3, "XP.3"}, {G::XP4, "XP.4"}, {G::XP5, "XP.5"}, {G::XP6, "XP.6"}, {G::XP7, "XP.7"}, {G::XP8, "XP.8"},
    {G::XP9, "XP.9"}, {G::XPa, "XP.a"}, {G::XPe, "XP.e"}, {G::XPh, "XP.h"}, {G::XPi, "XP.i"},
};

class ShapeRecordGenerations : public ::testing::TestWithParam<TGen> {};

} // namespace

TEST_P(ShapeRecordGenerations, ReadWithTheirFieldsAndDefaultsForTheRest)
{
    const TGen gen = GetParam();
    const G g = gen.Generation;
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, GenerationDrawing(gen.Generation, gen.Tag))) << gen.Tag;
    EXPECT_EQ(cad.DiskFileVersion(), gen.Tag);
    ASSERT_EQ(cad.GetShapesCount(), 7);
    EXPECT_INVARIANTS(cad);
    EXPECT_EQ(cad.GetShapeByNo(0)->LinkLineNos(), TMyShapeNo({2}));

    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const TMyShape& s = *cad.GetShapeByNo(i);
        // Present in every generation.
        EXPECT_EQ(s.Name(), QStringLiteral("Shape%1").arg(i));
        EXPECT_EQ(s.GetShapeId(), 10 + i);
        ASSERT_EQ(s.GetPointsCount(), 2);
        // 0.1 is stored as a double-precision value (extended in the oldest
        // generations): it reads as the nearest float.
        EXPECT_EQ(s.GetPoint(0), TMyPoint(1.5f, 0.1f));
        EXPECT_EQ(s.GetPoint(1), TMyPoint(10.25f, 20.75f));
        EXPECT_EQ(s.GetLinkPoint(0), TMyPoint(3, 4));
        EXPECT_EQ(s.CaptionPoint(), TMyPoint(5.5f, -6.5f));
        EXPECT_EQ(s.Tag(), 42);
        EXPECT_EQ(s.Angle(), 0.5f);
        EXPECT_EQ(s.Brush()->Color(), 0x123456);
        EXPECT_EQ(s.Brush()->Style(), bsHorizontal);
        EXPECT_EQ(s.Caption(), "Cap");
        EXPECT_EQ(s.ColorBegin(), 0x0000FF);
        EXPECT_EQ(s.ColorEnd(), 0x00FF00);
        EXPECT_EQ(s.Font()->Name(), "DejaVu Sans Mono");
        EXPECT_EQ(s.Font()->Charset(), 3);
        EXPECT_EQ(s.Font()->Color(), 0x0A0B0C);
        EXPECT_EQ(s.Font()->Height(), -16);
        EXPECT_EQ(s.Font()->Pitch(), fpFixed);
        EXPECT_EQ(s.Font()->Style(), TFontStyles(fsBold) | fsUnderline);
        EXPECT_EQ(s.GradientStyle(), gsLinearH);
        EXPECT_EQ(s.GradientBitmap()->Width(), 1); // rebuilt on reading
        EXPECT_EQ(s.GradientBitmap()->Height(), 256);
        EXPECT_EQ(s.Info(), "Inf");
        EXPECT_EQ(s.Pen()->Color(), 0x0F0E0D);
        EXPECT_EQ(s.Pen()->Mode(), pmXor);
        EXPECT_EQ(s.Pen()->Style(), psDot);
        EXPECT_EQ(s.Pen()->Width(), 3);
        // Present from some generation on.
        if (g >= G::XP8) {
            EXPECT_EQ(s.UserData()->GetCount(), 1); // the repeated key is dropped
            EXPECT_EQ(s.UserData()->GetValueByKey("k"), "v");
        } else {
            EXPECT_EQ(s.UserData()->GetCount(), 0);
        }
        EXPECT_EQ(s.IsFlipHorz(), g >= G::XP9);
        EXPECT_EQ(s.IsFlipVert(), g >= G::XP9);
        EXPECT_EQ(s.Visible(), g < G::XP9);
        EXPECT_EQ(s.MultiInfo(), g >= G::XPe ? QStringList({"m1", "m2"}) : QStringList());
        EXPECT_EQ(s.MultiInfoAlignment(), g >= G::XPe ? taCenter : taLeftJustify);
        EXPECT_EQ(s.LogHeight(), g >= G::XPh ? 30 : 10);
        EXPECT_EQ(s.LogUse(), g >= G::XPh);
        EXPECT_EQ(s.LogWidth(), g >= G::XPh ? 40 : 10);
        EXPECT_EQ(s.Locked(), g >= G::XPh);
    }

    const auto* rule = dynamic_cast<const TMyRuleLine*>(cad.GetShapeByNo(1));
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->ArrowAngle(), 25);
    EXPECT_EQ(rule->ArrowLength(), 44);
    EXPECT_EQ(rule->ArrowOffset(), 2);
    EXPECT_EQ(rule->ArrowStyle(), ADouble);
    EXPECT_TRUE(rule->ShowUserInfo());
    EXPECT_EQ(rule->TickStyle(), tsNone);
    EXPECT_EQ(rule->UserInfo(), "UI");

    const auto* link = dynamic_cast<const TMyLinkLine*>(cad.GetShapeByNo(2));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->StartSpNo(), 0);
    EXPECT_EQ(link->StartSpPtId(), 1);
    EXPECT_EQ(link->EndSpNo(), -1);
    EXPECT_EQ(link->LinkLineDrawStyle(), g >= G::XP5 ? lldsFree : lldsHV);
    EXPECT_EQ(link->GetPointsCount(), 2); // the style is stored, the route kept

    const auto* arc = dynamic_cast<const TMyElliArc*>(cad.GetShapeByNo(3));
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->ArcMode(), amEllipse);
    EXPECT_EQ(arc->ArcStyle(), asSector);

    const auto* text = dynamic_cast<const TMyText*>(cad.GetShapeByNo(4));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->IsBorder());
    EXPECT_FALSE(text->IsSolid());
    EXPECT_EQ(text->Lines(), g >= G::XPa ? QStringList({"alpha", "beta"}) : QStringList());
    EXPECT_EQ(text->VAlignment(), g >= G::XPa ? vaBottom : vaMiddle);
    EXPECT_EQ(text->HAlignment(), g >= G::XPa ? taRightJustify : taCenter);
    EXPECT_EQ(text->WordWrap(), g >= G::XPa);

    const auto* image = dynamic_cast<const TMyImage*>(cad.GetShapeByNo(5));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(BmpBytes(*image->Bitmap()), BmpBytes(*SmallPicture()));
    EXPECT_EQ(image->GetPoint(1), TMyPoint(10.25f, 20.75f)); // the box is the stored one
    EXPECT_EQ(image->Brightness(), g >= G::XP9 ? -30 : 0);
    EXPECT_EQ(image->Contrast(), g >= G::XP9 ? 60 : 0);
    EXPECT_EQ(image->Transparent(), g >= G::XP9);
    EXPECT_EQ(image->Border(), g >= G::XP9);
    EXPECT_EQ(image->GrayScale(), g >= G::XP9);
    EXPECT_EQ(image->StoredTransparentColor(), g == G::XPi ? 0x00C0FFEE : clDefault);
    EXPECT_EQ(image->TransparentMode(), g == G::XPi ? tmFixed : tmAuto);

    const auto* junction = dynamic_cast<const TMyLineLinkLine*>(cad.GetShapeByNo(6));
    ASSERT_NE(junction, nullptr);
    EXPECT_EQ(junction->Size(), 9);

    // Saved again it is an XP.i drawing with the same content.
    const QByteArray again = SaveBytes(cad);
    EXPECT_EQ(again.mid(128, 16), QByteArray("XP.i") + QByteArray(12, ' '));
    TMyCAD reloaded;
    ASSERT_TRUE(LoadBytes(reloaded, again));
    EXPECT_EQ(DescribeDrawing(reloaded), DescribeDrawing(cad));
}

INSTANTIATE_TEST_SUITE_P(AllGenerations, ShapeRecordGenerations, ::testing::ValuesIn(kGenerations),
                         [](const ::testing::TestParamInfo<TGen>& info) {
                             return QString::fromLatin1(info.param.Tag).remove('.').toStdString();
                         });

TEST(ShapeRecordGeneration, ReadingAnotherGenerationsRecordFails)
{
    // The reserved words of XP.8 are absent in XP.7: read as XP.7, the record is
    // misaligned and refused rather than taken with wrong values.
    QByteArray bytes = GenerationDrawing(G::XP8, "XP.8");
    bytes.replace(128, 4, "XP.7");
    TMyCAD cad;
    AddRect(cad, 0, 0, 1, 1, "Kept");
    EXPECT_FALSE(LoadBytes(cad, bytes));
    EXPECT_NE(cad.GetShapeByName("Kept"), nullptr);
    EXPECT_EQ(cad.DiskFileVersion(), "XP.i");
}

TEST(ShapeRecordGeneration, UnknownVersionTagsAreRefused)
{
    for (const char* tag : {"XP.2", "XP.j", "xp.i", "", "XP.b"}) {
        TDocSpec recipe;
        recipe.Tag = tag;
        TMyCAD cad;
        EXPECT_FALSE(LoadBytes(cad, DocumentBytes(recipe))) << tag;
        EXPECT_EQ(cad.DiskFileVersion(), "XP.i");
    }
}

TEST(ShapeRecordGeneration, SingleShapeFollowsTheDiskFileVersion)
{
    TBaseSpec recipe;
    QByteArray bytes = BaseRecord(G::XP3, recipe);
    TMyCAD cad;
    cad.SetDiskFileVersion("XP.3");
    TMyRectangle rect(&cad);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(rect.LoadFromStream(buffer));
    EXPECT_EQ(buffer.pos(), bytes.size()); // the stream is left after the record
    EXPECT_EQ(rect.GetPoint(0).Y, 0.1f);
    EXPECT_EQ(rect.Caption(), "Cap");
    EXPECT_FALSE(cad.Loading());

    // Under an unknown version nothing can be read.
    cad.SetDiskFileVersion("XP.0");
    TMyRectangle other(&cad);
    buffer.seek(0);
    EXPECT_FALSE(other.LoadFromStream(buffer));
}

TEST(ShapeRecordGeneration, ExtendedValuesRoundToTheNearestFloat)
{
    TBaseSpec recipe;
    recipe.Points = {{1.0 / 3.0, 16777217.0}}; // 2^24 + 1 lies halfway: ties to even
    recipe.Angle = 3.141592653589793;
    QByteArray bytes = BaseRecord(G::XP4, recipe);
    TMyCAD cad;
    cad.SetDiskFileVersion("XP.4");
    TMyEllipse e(&cad);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(e.LoadFromStream(buffer));
    EXPECT_EQ(e.GetPoint(0), TMyPoint(float(1.0 / 3.0), 16777216.0f));
    EXPECT_EQ(e.Angle(), float(3.141592653589793));
}

TEST(ShapeRecordGeneration, BrushPatternReplacesTheStoredColourAndStyle)
{
    TBaseSpec recipe;
    recipe.BrushBitmap = BmpBytes(*SmallPicture(0x445566));
    QByteArray bytes = BaseRecord(G::XPi, recipe);
    TMyCAD cad;
    TMyRectangle r(&cad);
    const TColor defaultColor = r.Brush()->Color();
    const TBrushStyle defaultStyle = r.Brush()->Style();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(r.LoadFromStream(buffer));
    ASSERT_NE(r.Brush()->Bitmap(), nullptr);
    EXPECT_EQ(BmpBytes(*r.Brush()->Bitmap()), recipe.BrushBitmap);
    EXPECT_EQ(r.Brush()->Color(), defaultColor);
    EXPECT_EQ(r.Brush()->Style(), defaultStyle);

    // A buffer that holds no valid picture is consumed and counts as no pattern.
    recipe.BrushBitmap = "BM not really a bitmap";
    bytes = BaseRecord(G::XPi, recipe);
    TMyRectangle r2(&cad);
    QBuffer buffer2(&bytes);
    buffer2.open(QIODevice::ReadOnly);
    ASSERT_TRUE(r2.LoadFromStream(buffer2));
    EXPECT_EQ(r2.Brush()->Bitmap(), nullptr);
    EXPECT_EQ(r2.Brush()->Color(), 0x123456);
    EXPECT_EQ(r2.Info(), "Inf"); // the fields after it are in place
}

TEST(ShapeRecordGeneration, ShapeWithoutPointsWritesAZeroCount)
{
    TMyCAD cad;
    TMyPolyBezier curve(&cad);
    curve.SetName("Curve");
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(curve.SaveToStream(out));
    // name, id, number, layer, parent, members, connectors, then the points count
    const qsizetype pointsCount = 4 + 5 + 4 * 4 + 4 + 4;
    EXPECT_EQ(bytes.mid(pointsCount, 8), QByteArray(8, '\0')); // no points, no link points

    TMyPolyBezier back(&cad);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(back.LoadFromStream(in));
    EXPECT_EQ(back.GetPointsCount(), 0);
    EXPECT_EQ(back.Name(), "Curve");
    EXPECT_EQ(in.pos(), bytes.size());
}
