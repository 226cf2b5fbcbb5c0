// The converter's command line: where files and options may stand, the values accepted,
// the formats chosen by suffix, and the options each format refuses.
#include "ConvertOptions.h"

#include <gtest/gtest.h>

namespace {
TConvertOptions Parsed(const QStringList& args)
{
    TConvertOptions o;
    const TParseResult r = ParseConvertArguments(args, o);
    EXPECT_TRUE(r.Ok) << r.Error.toStdString();
    return o;
}

QString Refusal(const QStringList& args)
{
    TConvertOptions o;
    const TParseResult r = ParseConvertArguments(args, o);
    EXPECT_FALSE(r.Ok);
    return r.Error;
}
} // namespace

TEST(ConvertOptions, FilesAndOptionsInAnyOrder)
{
    const TConvertOptions o = Parsed({"--zoom", "2.5", "in.zed", "--quality=40", "out.jpg", "--background", "#102030",
                                      "--page"});
    EXPECT_EQ(o.Input, "in.zed");
    EXPECT_EQ(o.Output, "out.jpg");
    EXPECT_DOUBLE_EQ(o.Zoom.value_or(0), 2.5);
    EXPECT_EQ(o.Quality.value_or(0), 40);
    EXPECT_EQ(o.Background.value_or(-1), 0x302010); // TColor is 0x00BBGGRR
    EXPECT_TRUE(o.Page);

    const TConvertOptions sized = Parsed({"a.lib", "b.png", "--width", "300", "--height=200", "--entry", "Box"});
    EXPECT_EQ(sized.Width.value_or(0), 300);
    EXPECT_EQ(sized.Height.value_or(0), 200);
    EXPECT_EQ(sized.Entry, "Box");
    EXPECT_EQ(Parsed({"--background", "white", "x", "y.png"}).Background.value_or(-1), 0xFFFFFF);
    // After "--" a name that looks like an option is a file.
    EXPECT_EQ(Parsed({"--", "--odd.zed", "out.png"}).Input, "--odd.zed");
    EXPECT_TRUE(Parsed({"--help"}).Help);
    EXPECT_TRUE(Parsed({"--version"}).Version);
}

TEST(ConvertOptions, RefusesWrongCommandLines)
{
    EXPECT_TRUE(Refusal({}).contains("an input and an output file are needed"));
    EXPECT_TRUE(Refusal({"a.zed"}).contains("an input and an output file are needed"));
    EXPECT_TRUE(Refusal({"a", "b.png", "c.png"}).contains("too many file names ('c.png')"));
    EXPECT_TRUE(Refusal({"a", "b.png", "--frobnicate"}).contains("unknown option '--frobnicate'"));
    EXPECT_TRUE(Refusal({"a", "b.png", "-z"}).contains("unknown option '-z'"));
    EXPECT_TRUE(Refusal({"a", "b.png", "--zoom"}).contains("needs a value"));
    for (const char* zoom : {"0", "-1", "abc", "nan", "inf", "101"})
        EXPECT_TRUE(Refusal({"a", "b.png", "--zoom", zoom}).contains("is not a zoom")) << zoom;
    for (const char* q : {"0", "101", "x"})
        EXPECT_TRUE(Refusal({"a", "b.jpg", "--quality", q}).contains("is not a JPEG quality")) << q;
    for (const char* n : {"0", "-5", "100001", "1e3"})
        EXPECT_TRUE(Refusal({"a", "b.png", "--width", n}).contains("is not a size in pixels")) << n;
    EXPECT_TRUE(Refusal({"a", "b.png", "--background", "notacolour"}).contains("is not a colour"));
    EXPECT_TRUE(Refusal({"a", "b.png", "--page=yes"}).contains("takes no value"));
    EXPECT_TRUE(Refusal({"a", "b.png", "--entry="}).contains("needs an entry name"));
    EXPECT_TRUE(Refusal({"a", "b.png", "--zoom", "2", "--width", "10"}).contains("cannot be combined"));
}

TEST(ConvertOptions, FormatFollowsTheSuffixWithoutCase)
{
    EXPECT_EQ(FormatOfFileName("x.PNG"), TConvertFormat::Png);
    EXPECT_EQ(FormatOfFileName("dir.v2/x.Jpeg"), TConvertFormat::Jpeg);
    EXPECT_EQ(FormatOfFileName("x.jpg"), TConvertFormat::Jpeg);
    EXPECT_EQ(FormatOfFileName("x.bmp"), TConvertFormat::Bmp);
    EXPECT_EQ(FormatOfFileName("x.Emf"), TConvertFormat::Emf);
    EXPECT_EQ(FormatOfFileName("x.WMF"), TConvertFormat::Wmf);
    EXPECT_EQ(FormatOfFileName("x.svg"), TConvertFormat::Svg);
    EXPECT_EQ(FormatOfFileName("x.pdf"), TConvertFormat::Pdf);
    EXPECT_EQ(FormatOfFileName("x.DXF"), TConvertFormat::Dxf);
    EXPECT_EQ(FormatOfFileName("x.zed"), TConvertFormat::Drawing);
    EXPECT_FALSE(FormatOfFileName("x.xyz"));
    EXPECT_FALSE(FormatOfFileName("png"));
    EXPECT_FALSE(FormatOfFileName("dir.png/x"));
}

TEST(ConvertOptions, EachFormatTakesOnlyTheOptionsItCanHonour)
{
    const auto fits = [](const QStringList& args, TConvertFormat f) {
        TConvertOptions o;
        EXPECT_TRUE(ParseConvertArguments(QStringList{"in", "out"} + args, o).Ok);
        return CheckOptionsForFormat(o, f).Ok;
    };
    EXPECT_TRUE(fits({"--quality", "50", "--page", "--background", "red", "--zoom", "2"}, TConvertFormat::Jpeg));
    EXPECT_FALSE(fits({"--quality", "50"}, TConvertFormat::Png));
    EXPECT_TRUE(fits({"--zoom", "2"}, TConvertFormat::Svg));
    EXPECT_TRUE(fits({"--width", "100"}, TConvertFormat::Emf));
    EXPECT_FALSE(fits({"--background", "red"}, TConvertFormat::Svg));
    EXPECT_FALSE(fits({"--page"}, TConvertFormat::Wmf));
    EXPECT_TRUE(fits({"--page", "--background", "red"}, TConvertFormat::Pdf));
    EXPECT_FALSE(fits({"--zoom", "2"}, TConvertFormat::Pdf));
    EXPECT_FALSE(fits({"--height", "20"}, TConvertFormat::Dxf));
    EXPECT_FALSE(fits({"--page"}, TConvertFormat::Drawing));
    EXPECT_TRUE(fits({}, TConvertFormat::Drawing));
}
