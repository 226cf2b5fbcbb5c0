// The flowchart shapes and the block arrows of the starter library.
#include "StarterBuilder.h"
#include "StarterShapes.h"

#include <cmath>
#include <numbers>

namespace {

const QString kFlowchart = QStringLiteral("Flowchart");
const QString kArrows = QStringLiteral("Arrows");

TArrMyPoint Points(std::initializer_list<std::pair<double, double>> xy)
{
    TArrMyPoint points;
    for (const auto& [x, y] : xy)
        points.push_back(GridPoint(x, y));
    return points;
}

TArrMyPoint Joined(TArrMyPoint a, const TArrMyPoint& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A closed outline with rounded bumps, for the cloud: an ellipse whose radius swells in
// eight lobes, fitted to the box.
TArrMyPoint CloudOutline(int w, int h)
{
    TArrMyPoint points;
    constexpr int kSteps = 96;
    for (int i = 0; i < kSteps; ++i) {
        const double a = 2 * std::numbers::pi * i / kSteps;
        const double r = 0.8 + 0.2 * std::abs(std::sin(4 * a));
        points.push_back(TMyPoint(float(r * std::cos(a)), float(r * std::sin(a))));
    }
    return FitToBox(points, w, h);
}

} // namespace

bool AddFlowchartShapes(TMyCAD& d, TLibManager& lib)
{
    std::vector<TStarterEntry> entries;
    entries.emplace_back(d, QStringLiteral("Process"), 128, 64, kFlowchart, QStringLiteral("A step of the process"));
    entries.back().Fill(0xF8EAD6).Rect(0, 0, 128, 64).Sides();

    entries.emplace_back(d, QStringLiteral("Decision"), 128, 64, kFlowchart, QStringLiteral("A question with two ways on"));
    entries.back().Fill(0xCCF2FF).Polygon(Points({{64, 0}, {128, 32}, {64, 64}, {0, 32}})).Sides();

    entries.emplace_back(d, QStringLiteral("Terminator"), 128, 64, kFlowchart, QStringLiteral("Start or end"));
    entries.back()
        .Fill(0xD4E8D5)
        .Polygon(Joined(ArcPoints(96, 32, 32, 32, -90, 90, 16), ArcPoints(32, 32, 32, 32, 90, 270, 16)))
        .Sides();

    entries.emplace_back(d, QStringLiteral("Data"), 128, 64, kFlowchart, QStringLiteral("Input or output"));
    entries.back()
        .Fill(0xE7D5E1)
        .Polygon(Points({{24, 0}, {128, 0}, {104, 64}, {0, 64}}))
        .Link(76, 0)
        .Link(116, 32) // the middles of the slanted sides
        .Link(52, 64)
        .Link(12, 32);

    {
        // The lower edge waves once: down to the box's bottom at three quarters.
        TArrMyPoint wave;
        for (int i = 16; i >= 0; --i)
            wave.push_back(GridPoint(8.0 * i, 56 - 8 * std::sin(2 * std::numbers::pi * i / 16)));
        entries.emplace_back(d, QStringLiteral("Document"), 128, 64, kFlowchart, QStringLiteral("A printed document"));
        entries.back()
            .Fill(0xCCE6FF)
            .Polygon(Joined(Points({{0, 0}, {128, 0}}), wave))
            .Link(64, 0)
            .Link(128, 32)
            .Link(64, 56) // on the wave
            .Link(0, 32);
    }

    entries.emplace_back(d, QStringLiteral("Manual input"), 128, 64, kFlowchart, QStringLiteral("Data typed in by hand"));
    entries.back()
        .Fill(0xCCCEF8)
        .Polygon(Points({{0, 16}, {128, 0}, {128, 64}, {0, 64}}))
        .Link(64, 8) // on the slanted top
        .Link(128, 32)
        .Link(64, 64)
        .Link(0, 40);

    entries.emplace_back(d, QStringLiteral("Preparation"), 128, 64, kFlowchart, QStringLiteral("Setting up"));
    entries.back()
        .Fill(0xFCE8DA)
        .Polygon(Points({{24, 0}, {104, 0}, {128, 32}, {104, 64}, {24, 64}, {0, 32}}))
        .Sides();

    entries.emplace_back(d, QStringLiteral("Connector"), 32, 32, kFlowchart, QStringLiteral("Joins flow lines on a page"));
    entries.back().Fill(clWhite).Ellipse(0, 0, 32, 32).Sides();

    entries.emplace_back(d, QStringLiteral("Off-page reference"), 64, 64, kFlowchart,
                         QStringLiteral("Continues on another page"));
    entries.back().Fill(clWhite).Polygon(Points({{0, 0}, {64, 0}, {64, 40}, {32, 64}, {0, 40}})).Sides();

    entries.emplace_back(d, QStringLiteral("Database"), 64, 64, kFlowchart, QStringLiteral("Stored data"));
    entries.back()
        .Fill(0xE6E6E6)
        .Polygon(Joined(Joined(Points({{0, 8}}), ArcPoints(32, 56, 32, 8, 180, 0, 16)),
                        ArcPoints(32, 8, 32, 8, 0, 180, 16)))
        .Ellipse(0, 0, 64, 16)
        .Sides();

    entries.emplace_back(d, QStringLiteral("Cloud"), 128, 64, kFlowchart, QStringLiteral("A network or outside service"));
    {
        // Link points where the outline crosses the middle lines.
        const TArrMyPoint outline = CloudOutline(128, 64);
        TStarterEntry& cloud = entries.back().Fill(0xFFF8F0).Polygon(outline);
        for (size_t i : {0, 24, 48, 72})
            cloud.Link(outline[i].X, outline[i].Y);
    }

    entries.emplace_back(d, QStringLiteral("Actor"), 32, 64, kFlowchart, QStringLiteral("A person or role"));
    entries.back()
        .Fill(clWhite)
        .Ellipse(8, 0, 24, 16)
        .Line(16, 16, 16, 40)
        .Line(0, 24, 32, 24)
        .PolyLine(Points({{0, 64}, {16, 40}, {32, 64}}))
        .Link(16, 0)
        .Link(32, 24)
        .Link(0, 24);

    entries.emplace_back(d, QStringLiteral("Note"), 64, 64, kFlowchart, QStringLiteral("A comment"));
    entries.back()
        .Fill(0xCDFAFF)
        .Polygon(Points({{0, 0}, {48, 0}, {64, 16}, {64, 64}, {0, 64}}))
        .PolyLine(Points({{48, 0}, {48, 16}, {64, 16}}))
        .Sides();

    const TColor arrow = 0xF0D2BE;
    entries.emplace_back(d, QStringLiteral("Arrow right"), 64, 32, kArrows, QStringLiteral("Block arrow to the right"));
    entries.back()
        .Fill(arrow)
        .Polygon(Points({{0, 8}, {40, 8}, {40, 0}, {64, 16}, {40, 32}, {40, 24}, {0, 24}}))
        .Link(0, 16)
        .Link(64, 16);
    entries.emplace_back(d, QStringLiteral("Arrow left"), 64, 32, kArrows, QStringLiteral("Block arrow to the left"));
    entries.back()
        .Fill(arrow)
        .Polygon(Points({{64, 8}, {24, 8}, {24, 0}, {0, 16}, {24, 32}, {24, 24}, {64, 24}}))
        .Link(64, 16)
        .Link(0, 16);
    entries.emplace_back(d, QStringLiteral("Arrow up"), 32, 64, kArrows, QStringLiteral("Block arrow upwards"));
    entries.back()
        .Fill(arrow)
        .Polygon(Points({{8, 64}, {8, 24}, {0, 24}, {16, 0}, {32, 24}, {24, 24}, {24, 64}}))
        .Link(16, 64)
        .Link(16, 0);
    entries.emplace_back(d, QStringLiteral("Arrow down"), 32, 64, kArrows, QStringLiteral("Block arrow downwards"));
    entries.back()
        .Fill(arrow)
        .Polygon(Points({{8, 0}, {8, 40}, {0, 40}, {16, 64}, {32, 40}, {24, 40}, {24, 0}}))
        .Link(16, 0)
        .Link(16, 64);

    for (const TStarterEntry& entry : entries)
        if (!entry.AppendTo(lib))
            return false;
    return true;
}
