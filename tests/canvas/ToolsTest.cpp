// Pen, brush and font: defaults, change notification, Assign, the size/height relation,
// log-font round trips, and the names the meta-object system gives their properties.
#include "CanvasTestUtil.h"
#include "platform/Bitmap.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

#include <QMetaEnum>
#include <QMetaProperty>

TEST(CanvasTools, PenDefaultsChangesAndAssign)
{
    TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Mode(), pmCopy);
    EXPECT_EQ(pen.Style(), psSolid);
    EXPECT_EQ(pen.Width(), 1);
    int changes = 0;
    pen.OnChange = [&] { ++changes; };
    const uint64_t serial = pen.Serial();
    pen.SetColor(clRed);
    pen.SetColor(clRed); // unchanged: no event
    pen.SetMode(pmXor);
    pen.SetStyle(psDot);
    pen.SetWidth(-4);
    EXPECT_EQ(pen.Width(), 0);
    EXPECT_EQ(changes, 4);
    EXPECT_NE(pen.Serial(), serial);

    TPen copy;
    int copyChanges = 0;
    copy.OnChange = [&] { ++copyChanges; };
    copy.Assign(pen);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Mode(), pmXor);
    EXPECT_EQ(copy.Style(), psDot);
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_EQ(changes, 4) << "the source is not touched";
}

TEST(CanvasTools, BrushOwnsACopyOfItsPatternBitmap)
{
    TBrush brush;
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_EQ(brush.Bitmap(), nullptr);
    int changes = 0;
    brush.OnChange = [&] { ++changes; };
    TBitmap pattern(8, 8);
    pattern.Canvas().Pixels(0, 0);
    brush.SetBitmap(&pattern);
    ASSERT_NE(brush.Bitmap(), nullptr);
    EXPECT_NE(brush.Bitmap(), &pattern);
    pattern.SetSize(2, 2);
    EXPECT_EQ(brush.Bitmap()->Width(), 8);

    TBrush copy;
    int copyChanges = 0;
    copy.OnChange = [&] { ++copyChanges; };
    brush.SetStyle(bsCross);
    brush.SetColor(clGreen);
    copy.Assign(brush);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Style(), bsCross);
    EXPECT_EQ(copy.Color(), clGreen);
    ASSERT_NE(copy.Bitmap(), nullptr);
    EXPECT_NE(copy.Bitmap(), brush.Bitmap());
    brush.SetBitmap(nullptr);
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_EQ(changes, 4);
}

TEST(CanvasTools, PatternBrushTilesFromTheDeviceOrigin)
{
    TBitmap pattern(2, 2);
    pattern.Canvas().SetPixels(0, 0, clRed);
    pattern.Canvas().SetPixels(1, 1, clRed);
    QImage image = WhiteImage(8, 8);
    {
        TCanvas canvas(&image);
        canvas.Brush().SetBitmap(&pattern);
        canvas.FillRect(TRect(1, 1, 7, 7));
    }
    EXPECT_EQ(PixelAt(image, 2, 2), clRed);
    EXPECT_EQ(PixelAt(image, 3, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 3, 3), clRed);
    EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
}

TEST(CanvasTools, FontDefaultsAndTheSizeHeightRelation)
{
    TFont font;
    EXPECT_EQ(font.Name(), "DejaVu Sans");
    EXPECT_EQ(font.PixelsPerInch(), ScreenPixelsPerInch());
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11); // 8 * 96 / 72 = 10.67
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(font.Style(), TFontStyles());
    EXPECT_EQ(font.Pitch(), fpDefault);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    font.SetHeight(-14);
    EXPECT_EQ(font.Size(), 10) << "10.5 rounds half to even";
    font.SetHeight(-15);
    EXPECT_EQ(font.Size(), 11);
    font.SetHeight(20);
    EXPECT_EQ(font.Size(), -15) << "a cell height gives a negative size";
    font.SetPixelsPerInch(120);
    EXPECT_EQ(font.Height(), 20) << "the resolution keeps the height";
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -17); // 16.67
    font.SetPixelsPerInch(0);
    EXPECT_EQ(font.PixelsPerInch(), 120);
}

TEST(CanvasTools, FontStyleAndWeight)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetStyle(fsBold | fsUnderline);
    EXPECT_EQ(font.Weight(), FW_BOLD);
    EXPECT_EQ(int(font.Style()), 1 | 4);
    font.SetWeight(900);
    EXPECT_TRUE(font.Style().testFlag(fsBold));
    font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(font.Weight(), 900) << "still bold: the weight stays";
    EXPECT_EQ(int(font.Style()), 15);
    font.SetStyle(fsItalic);
    EXPECT_EQ(font.Weight(), FW_NORMAL);
    font.SetWeight(600);
    EXPECT_FALSE(font.Style().testFlag(fsBold));
    EXPECT_EQ(changes, 5);
    const QFont q = font.ToQFont();
    EXPECT_TRUE(q.italic());
    EXPECT_FALSE(q.underline());
    EXPECT_EQ(q.weight(), QFont::Weight(600));
    EXPECT_EQ(q.pixelSize(), 11);
    EXPECT_EQ(q.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST(CanvasTools, LogFontRoundTripAndAssign)
{
    TFont font;
    TLogFont lf = font.GetLogFont();
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfFaceName, "DejaVu Sans");
    lf.lfHeight = -33;
    lf.lfEscapement = -900;
    lf.lfOrientation = -900;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = 238;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | 0x30;
    lf.lfFaceName = "DejaVu Sans Mono";
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetColor(clRed);
    font.SetLogFont(lf);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.Color(), clRed) << "colour is not part of the log font";
    EXPECT_EQ(font.Height(), -33);
    EXPECT_EQ(font.Escapement(), -900);
    EXPECT_EQ(font.Orientation(), -900);
    EXPECT_EQ(int(font.Style()), int(fsBold | fsItalic | fsStrikeOut));
    EXPECT_EQ(font.Charset(), 238);
    EXPECT_EQ(font.Quality(), fqAntialiased);
    EXPECT_TRUE(font.Antialiased());
    EXPECT_EQ(font.Pitch(), fpFixed);
    EXPECT_EQ(font.Name(), "DejaVu Sans Mono");
    TLogFont back = font.GetLogFont();
    lf.lfPitchAndFamily = FIXED_PITCH; // the family bits are not kept
    EXPECT_EQ(back, lf);

    TFont copy;
    int copyChanges = 0;
    copy.OnChange = [&] { ++copyChanges; };
    copy.Assign(font);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.GetLogFont(), back);
    EXPECT_EQ(copy.Color(), clRed);
    copy.SetOrientation(450);
    EXPECT_EQ(copy.Escapement(), 450) << "orientation turns the whole text";
}

// Assigned pens, brushes and fonts share their values, and their serial, until one of
// them changes; a change never reaches the others.
TEST(CanvasTools, AssignedToolsShareTheirValuesUntilOneChanges)
{
    TPen a, b;
    EXPECT_EQ(a.Serial(), b.Serial()) << "unchanged pens draw alike";
    a.SetColor(clRed);
    EXPECT_NE(a.Serial(), b.Serial());
    b.Assign(a);
    EXPECT_EQ(b.Serial(), a.Serial());
    EXPECT_TRUE(b.SameAs(a));
    b.SetWidth(3);
    EXPECT_EQ(a.Width(), 1) << "the change stays with the pen changed";
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_NE(b.Serial(), a.Serial());
    EXPECT_FALSE(b.SameAs(a));
    b.SetWidth(1);
    EXPECT_TRUE(b.SameAs(a)) << "equal values draw alike, shared or not";

    TFont f, g;
    f.SetName("DejaVu Sans Mono");
    f.SetEscapement(900);
    const QFont made = f.ToQFont();
    g.Assign(f);
    EXPECT_EQ(g.ToQFont(), made);
    TLogFont lf = g.GetLogFont();
    lf.lfEscapement = 0;
    g.SetLogFont(lf);
    EXPECT_EQ(f.Escapement(), 900);
    EXPECT_EQ(g.Escapement(), 0);
    EXPECT_EQ(g.Name(), "DejaVu Sans Mono");
    EXPECT_FALSE(g.SameAs(f));

    // A shared pattern is copied when a brush hands it out for writing.
    TBrush p, q;
    TBitmap pattern(4, 4);
    p.SetBitmap(&pattern);
    q.Assign(p);
    EXPECT_EQ(q.Pattern(), p.Pattern()) << "read-only, the pattern is shared";
    TBitmap* own = q.Bitmap();
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, p.Pattern());
    own->SetSize(2, 2);
    EXPECT_EQ(p.Pattern()->Width(), 4);
    EXPECT_EQ(q.Pattern()->Width(), 2);
}

// The change report keeps small callables in place, larger ones on the heap, and copies
// and clears like std::function.
TEST(CanvasTools, ChangeEventsCallCopyAndClear)
{
    int calls = 0;
    TChangeEvent small = [&calls] { ++calls; };
    const std::vector<int> big(100, 1);
    TChangeEvent large = [&calls, big] { calls += int(big.size()); };
    TChangeEvent copy = large;
    small();
    large();
    copy();
    EXPECT_EQ(calls, 201);
    large = nullptr;
    EXPECT_FALSE(large);
    large(); // an empty event does nothing
    copy = small;
    copy();
    EXPECT_EQ(calls, 202);
    TChangeEvent none = std::function<void()>();
    EXPECT_FALSE(none) << "an empty function makes an empty event";
    void (*nothing)() = nullptr;
    none = nothing;
    EXPECT_FALSE(none);
}

namespace {
struct alignas(8) TCounter {
    int Pens = 0;
    int Fonts = 0;
    void PenChanged() { ++Pens; }
    void FontChanged() { ++Fonts; }
};
} // namespace

TEST(CanvasTools, BoundChangeEventsCallTheirReceiverAndTakeOneWord)
{
    static_assert(sizeof(TChangeEvent) == sizeof(void*));
    TCounter a, b;
    TPen pen;
    TFont font;
    pen.OnChange = TChangeEvent::Bind<&TCounter::PenChanged>(&a);
    font.OnChange = TChangeEvent::Bind<&TCounter::FontChanged>(&a);
    pen.SetWidth(3);
    font.SetSize(20);
    TChangeEvent copy = pen.OnChange; // a copy calls the same receiver
    copy();
    EXPECT_EQ(a.Pens, 2);
    EXPECT_EQ(a.Fonts, 1);
    copy = TChangeEvent::Bind<&TCounter::FontChanged>(&b);
    copy();
    EXPECT_EQ(b.Fonts, 1);
    EXPECT_EQ(b.Pens, 0) << "each bound method keeps its own tag";
    EXPECT_FALSE(TChangeEvent::Bind<&TCounter::PenChanged>(static_cast<TCounter*>(nullptr)));
    pen.OnChange = nullptr;
    pen.SetWidth(4);
    EXPECT_EQ(a.Pens, 2);
}

namespace {
struct alignas(8) TManyMethods {
    int Calls[9] = {};
    template <int N>
    void Hit()
    {
        ++Calls[N];
    }
};
template <int... N>
std::vector<TChangeEvent> BindAll(TManyMethods* receiver, std::integer_sequence<int, N...>)
{
    return {TChangeEvent::Bind<&TManyMethods::Hit<N>>(receiver)...};
}
} // namespace

// More bound methods than the word's tags can name: the others are kept on the heap, and
// every event still calls its own method.
TEST(CanvasTools, BoundMethodsBeyondTheTagsStillCallTheirOwnMethod)
{
    TManyMethods receiver;
    std::vector<TChangeEvent> events = BindAll(&receiver, std::make_integer_sequence<int, 9>());
    for (size_t i = 0; i < events.size(); ++i)
        for (size_t k = 0; k <= i; ++k)
            events[i]();
    const std::vector<TChangeEvent> copies = events;
    for (const TChangeEvent& e : copies)
        e();
    for (int n = 0; n < 9; ++n)
        EXPECT_EQ(receiver.Calls[n], n + 2) << "method " << n;
}

TEST(CanvasTools, CanvasTakesToolChangesAtTheNextDrawingCall)
{
    QImage image = WhiteImage(20, 10);
    TCanvas canvas(&image);
    TPen red;
    red.SetColor(clRed);
    canvas.SetPen(red);
    canvas.MoveTo(0, 1);
    canvas.LineTo(10, 1);
    canvas.Pen().SetColor(clBlue);
    canvas.LineTo(10, 5); // from (10, 1)
    canvas.SelectGeometricPen(psSolid, clLime, 1);
    EXPECT_TRUE(canvas.GeometricPenSelected());
    canvas.MoveTo(0, 8);
    canvas.LineTo(5, 8);
    canvas.Pen().SetColor(clBlack); // a pen change drops the geometric pen
    EXPECT_FALSE(canvas.GeometricPenSelected());
    canvas.MoveTo(12, 8);
    canvas.LineTo(15, 8);
    canvas.ReleasePainter();
    EXPECT_EQ(PixelAt(image, 3, 1), clRed);
    EXPECT_EQ(PixelAt(image, 10, 3), clBlue);
    EXPECT_EQ(PixelAt(image, 2, 8), clLime);
    EXPECT_EQ(PixelAt(image, 13, 8), clBlack);
}

TEST(CanvasTools, GeometricPensDashWithTheirWidth)
{
    QImage image = WhiteImage(120, 20);
    {
        TCanvas canvas(&image);
        canvas.SelectGeometricPen(psDash, clBlack, 4);
        canvas.BeginPath();
        canvas.MoveTo(4, 10);
        canvas.LineTo(116, 10);
        canvas.EndPath();
        canvas.StrokePath();
    }
    // Dashes of three widths with one-width gaps narrowed by the round ends: the line has
    // gaps, and it is four pixels thick.
    int gaps = 0;
    for (int x = 10; x < 110; ++x)
        gaps += PixelAt(image, x, 10) == clWhite ? 1 : 0;
    EXPECT_GT(gaps, 0);
    int thickness = 0;
    for (int y = 0; y < 20; ++y)
        thickness += PixelAt(image, 8, y) == clBlack ? 1 : 0;
    EXPECT_EQ(thickness, 4);
    EXPECT_EQ(PixelAt(image, 8, 10), clBlack);
}

TEST(CanvasTools, EnumerationsHaveFixedOrdinalsAndRegisteredNames)
{
    EXPECT_EQ(int(psInsideFrame), 6);
    EXPECT_EQ(int(pmNotXor), 15);
    EXPECT_EQ(int(pmXor), 14);
    EXPECT_EQ(int(bsDiagCross), 7);
    EXPECT_EQ(int(fpFixed), 2);
    EXPECT_EQ(int(taCenter), 2);
    EXPECT_EQ(int(pf24bit), 6);
    EXPECT_EQ(int(tmFixed), 1);
    const QMetaEnum modes = QMetaEnum::fromType<TPenMode>();
    EXPECT_EQ(modes.keyCount(), 16);
    EXPECT_STREQ(modes.valueToKey(14), "pmXor");
    EXPECT_EQ(QMetaEnum::fromType<TPenStyle>().keyToValue("psDashDotDot"), 4);
    EXPECT_STREQ(QMetaEnum::fromType<TBrushStyle>().valueToKey(1), "bsClear");
    const QMetaEnum styles = QMetaEnum::fromType<TFontStyles>();
    EXPECT_TRUE(styles.isFlag());
    EXPECT_EQ(styles.valueToKeys(int(fsBold | fsStrikeOut)), "fsBold|fsStrikeOut");
}

TEST(CanvasTools, PropertiesAreReadAndWrittenThroughTheMetaObject)
{
    TPen pen;
    const QMetaObject& meta = TPen::staticMetaObject;
    const QMetaProperty mode = meta.property(meta.indexOfProperty("Mode"));
    ASSERT_TRUE(mode.isValid());
    EXPECT_TRUE(mode.isEnumType());
    EXPECT_TRUE(mode.writeOnGadget(&pen, QVariant::fromValue(pmNotXor)));
    EXPECT_EQ(pen.Mode(), pmNotXor);
    EXPECT_EQ(mode.readOnGadget(&pen).toInt(), 15);
    for (const char* name : {"Color", "Style", "Width"})
        EXPECT_GE(meta.indexOfProperty(name), 0) << name;

    TFont font;
    const QMetaObject& fontMeta = TFont::staticMetaObject;
    for (const char* name : {"Charset", "Color", "Height", "Name", "Orientation", "Pitch", "Size", "Style", "Quality"})
        EXPECT_GE(fontMeta.indexOfProperty(name), 0) << name;
    const QMetaProperty size = fontMeta.property(fontMeta.indexOfProperty("Size"));
    EXPECT_TRUE(size.writeOnGadget(&font, 12));
    EXPECT_EQ(font.Height(), -16);
    const QMetaProperty style = fontMeta.property(fontMeta.indexOfProperty("Style"));
    EXPECT_TRUE(style.isFlagType());
    EXPECT_EQ(TBrush::staticMetaObject.indexOfProperty("Style") >= 0, true);
}

TEST(FontSize, ExtremeHeightsAndSizesStayInRange)
{
    TFont font;
    font.SetHeight(std::numeric_limits<int>::min());
    EXPECT_GT(font.Size(), 0);
    font.SetSize(std::numeric_limits<int>::max());
    EXPECT_EQ(font.Height(), std::numeric_limits<int>::min());
    font.SetSize(std::numeric_limits<int>::min());
    EXPECT_EQ(font.Height(), std::numeric_limits<int>::max());
}
