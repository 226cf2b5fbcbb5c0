// The network and electrical symbols of the starter library.
#include "StarterBuilder.h"
#include "StarterShapes.h"

namespace {

const QString kNetwork = QStringLiteral("Network");
const QString kElectrical = QStringLiteral("Electrical");

TArrMyPoint Points(std::initializer_list<std::pair<double, double>> xy)
{
    TArrMyPoint points;
    for (const auto& [x, y] : xy)
        points.push_back(GridPoint(x, y));
    return points;
}

} // namespace

bool AddSymbolShapes(TMyCAD& d, TLibManager& lib)
{
    std::vector<TStarterEntry> entries;
    const TColor device = 0xEBE3DC;

    entries.emplace_back(d, QStringLiteral("Server"), 32, 64, kNetwork, QStringLiteral("A server in its rack"));
    entries.back()
        .Fill(device)
        .Rect(0, 0, 32, 64)
        .Line(4, 12, 28, 12)
        .Line(4, 20, 28, 20)
        .Line(4, 28, 28, 28)
        .Fill(0x50D050)
        .Ellipse(22, 52, 28, 58)
        .Sides();

    entries.emplace_back(d, QStringLiteral("Workstation"), 64, 64, kNetwork, QStringLiteral("A computer with its screen"));
    entries.back()
        .Fill(device)
        .Rect(0, 0, 64, 44)
        .Fill(0x804020)
        .Rect(4, 4, 60, 40)
        .Fill(device)
        .Rect(28, 44, 36, 56)
        .Rect(16, 56, 48, 64)
        .Sides();

    entries.emplace_back(d, QStringLiteral("Router"), 64, 64, kNetwork, QStringLiteral("Routes packets between networks"));
    entries.back()
        .Fill(0xE0C8A0)
        .Ellipse(0, 0, 64, 64)
        .PolyLine(Points({{12, 32}, {52, 32}}))
        .PolyLine(Points({{32, 12}, {32, 52}}))
        .PolyLine(Points({{44, 24}, {52, 32}, {44, 40}}))
        .PolyLine(Points({{20, 24}, {12, 32}, {20, 40}}))
        .PolyLine(Points({{24, 20}, {32, 12}, {40, 20}}))
        .PolyLine(Points({{24, 44}, {32, 52}, {40, 44}}))
        .Sides();

    entries.emplace_back(d, QStringLiteral("Switch"), 64, 32, kNetwork, QStringLiteral("A network switch"));
    entries.back()
        .Fill(0xE0C8A0)
        .Rect(0, 0, 64, 32)
        .PolyLine(Points({{8, 10}, {56, 10}, {50, 5}}))
        .PolyLine(Points({{56, 22}, {8, 22}, {14, 27}}))
        .Sides();

    entries.emplace_back(d, QStringLiteral("Firewall"), 64, 64, kNetwork, QStringLiteral("Filters the traffic"));
    entries.back()
        .Fill(0x4060C0)
        .Rect(0, 0, 64, 64)
        .Line(0, 16, 64, 16)
        .Line(0, 32, 64, 32)
        .Line(0, 48, 64, 48)
        .Line(32, 0, 32, 16)
        .Line(16, 16, 16, 32)
        .Line(48, 16, 48, 32)
        .Line(32, 32, 32, 48)
        .Line(16, 48, 16, 64)
        .Line(48, 48, 48, 64)
        .Sides();

    entries.emplace_back(d, QStringLiteral("Resistor"), 64, 16, kElectrical, QStringLiteral("A resistor"));
    entries.back()
        .PolyLine(Points({{0, 8}, {16, 8}, {20, 0}, {26, 16}, {32, 0}, {38, 16}, {44, 0}, {48, 8}, {64, 8}}))
        .Link(0, 8)
        .Link(64, 8);

    entries.emplace_back(d, QStringLiteral("Capacitor"), 64, 32, kElectrical, QStringLiteral("A capacitor"));
    entries.back()
        .Line(0, 16, 28, 16)
        .Outline(clBlack, 2)
        .Line(28, 0, 28, 32)
        .Line(36, 0, 36, 32)
        .Outline(clBlack)
        .Line(36, 16, 64, 16)
        .Link(0, 16)
        .Link(64, 16);

    {
        // Three half turns of the coil between the leads.
        TArrMyPoint coil = Points({{0, 8}, {8, 8}});
        for (int turn = 0; turn < 3; ++turn) {
            const TArrMyPoint arc = ArcPoints(16 + 16 * turn, 8, 8, 8, 180, 360, 8);
            coil.insert(coil.end(), arc.begin() + 1, arc.end());
        }
        coil.push_back(GridPoint(64, 8));
        entries.emplace_back(d, QStringLiteral("Inductor"), 64, 8, kElectrical, QStringLiteral("A coil"));
        entries.back().PolyLine(coil).Link(0, 8).Link(64, 8);
    }

    entries.emplace_back(d, QStringLiteral("Diode"), 64, 32, kElectrical, QStringLiteral("A diode, conducting to the right"));
    entries.back()
        .Line(0, 16, 20, 16)
        .Fill(clBlack)
        .Polygon(Points({{20, 0}, {44, 16}, {20, 32}}))
        .Line(44, 0, 44, 32)
        .Line(44, 16, 64, 16)
        .Link(0, 16)
        .Link(64, 16);

    entries.emplace_back(d, QStringLiteral("Battery"), 64, 32, kElectrical, QStringLiteral("A battery of two cells"));
    entries.back()
        .Line(0, 16, 24, 16)
        .Line(24, 0, 24, 32)
        .Outline(clBlack, 3)
        .Line(32, 8, 32, 24)
        .Outline(clBlack)
        .Line(40, 0, 40, 32)
        .Outline(clBlack, 3)
        .Line(48, 8, 48, 24)
        .Outline(clBlack)
        .Line(48, 16, 64, 16)
        .Link(0, 16)
        .Link(64, 16);

    entries.emplace_back(d, QStringLiteral("Lamp"), 32, 32, kElectrical, QStringLiteral("A lamp"));
    entries.back()
        .Fill(0xC0FFFF)
        .Ellipse(0, 0, 32, 32)
        .Line(4.6875, 4.6875, 27.3125, 27.3125)
        .Line(27.3125, 4.6875, 4.6875, 27.3125)
        .Link(0, 16)
        .Link(32, 16);

    entries.emplace_back(d, QStringLiteral("Ground"), 32, 32, kElectrical, QStringLiteral("Connection to earth"));
    entries.back()
        .Line(16, 0, 16, 16)
        .Line(0, 16, 32, 16)
        .Line(6, 24, 26, 24)
        .Line(12, 32, 20, 32)
        .Link(16, 0);

    for (const TStarterEntry& entry : entries)
        if (!entry.AppendTo(lib))
            return false;
    return true;
}
