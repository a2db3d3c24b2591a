// The placement of a part: its rotation inferred from its pads, one table of layouts on both
// sides, and the centre of its pads.

#include "placement/PartPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace corvane::cli {
namespace {

constexpr std::int32_t Mil = 10000; // host units

// Pads by name at whole mils.
std::vector<Pad> Pads(const std::vector<std::tuple<const char*, int, int>>& layout) {
    std::vector<Pad> pads;
    for (const auto& [name, x, y] : layout) {
        Pad pad;
        pad.Name = name;
        pad.X = x * Mil;
        pad.Y = y * Mil;
        pad.XSize = pad.YSize = 60 * Mil;
        pads.push_back(pad);
    }
    return pads;
}

TEST(PartPlacement, RotationsFollowTheLibraryConventionsOnBothSides) {
    const struct {
        const char* Layout;
        std::vector<std::tuple<const char*, int, int>> Pads;
        bool Bottom;
        double Degrees;
        RotationRule Rule;
        const char* Pattern = "";
    } cases[] = {
        {"two pads, pin 1 left", {{"1", 0, 0}, {"2", 100, 0}}, false, 0, RotationRule::TwoPads},
        {"two pads, pin 1 below", {{"1", 0, 0}, {"2", 0, 100}}, false, 90, RotationRule::TwoPads},
        {"two pads, pin 1 right", {{"2", 0, 0}, {"1", 100, 0}}, false, 180, RotationRule::TwoPads},
        {"two pads, pin 1 above", {{"1", 0, 100}, {"2", 0, 0}}, false, 270, RotationRule::TwoPads},
        // KiCad flips a footprint top to bottom: left and right stay, up and down swap.
        {"bottom, pin 1 left", {{"1", 0, 0}, {"2", 100, 0}}, true, 0, RotationRule::TwoPads},
        {"bottom, pin 1 below", {{"1", 0, 0}, {"2", 0, 100}}, true, 90, RotationRule::TwoPads},
        {"row running down",
         {{"1", 0, 200}, {"2", 0, 100}, {"3", 0, 0}},
         false,
         0,
         RotationRule::OneRow},
        {"row running left",
         {{"3", 0, 0}, {"2", 100, 0}, {"1", 200, 0}},
         false,
         270,
         RotationRule::OneRow},
        {"bottom row running up",
         {{"1", 0, 0}, {"2", 0, 100}, {"3", 0, 200}},
         true,
         0,
         RotationRule::OneRow},
        {"pad 1 inside the row",
         {{"2", 0, 200}, {"1", 0, 100}, {"3", 0, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"DIP-4, pin 1 top left",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", 300, 0}, {"4", 300, 100}},
         false,
         0,
         RotationRule::TwoRows},
        {"DIP-4, pins along the bottom",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 100, 300}, {"4", 0, 300}},
         false,
         90,
         RotationRule::TwoRows},
        {"DIP-4, pin 1 bottom right",
         {{"1", 300, 0}, {"2", 300, 100}, {"3", 0, 100}, {"4", 0, 0}},
         false,
         180,
         RotationRule::TwoRows},
        {"SOT-23", {{"1", 0, 100}, {"2", 0, 0}, {"3", 200, 50}}, false, 0, RotationRule::TwoRows},
        {"DIP-4 on the bottom, pin 1 bottom left",
         {{"1", 0, 0}, {"2", 0, 100}, {"3", 300, 100}, {"4", 300, 0}},
         true,
         0,
         RotationRule::TwoRows},
        {"DIP-4 numbered clockwise",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", -300, 0}, {"4", -300, 100}},
         false,
         0,
         RotationRule::NotInferred},
        {"pin header 2x2",
         {{"1", 0, 100}, {"2", 100, 100}, {"3", 0, 0}, {"4", 100, 0}},
         false,
         0,
         RotationRule::RowsLeftToRight},
        {"D-sub and its mounting holes, pin 1 at the bottom",
         {{"1", 0, 0},
          {"2", 0, 100},
          {"3", 0, 200},
          {"4", 100, 50},
          {"5", 100, 150},
          {"0", 50, -150},
          {"0", 50, 350}},
         false,
         90,
         RotationRule::RowsLeftToRight},
        {"two rows, the lower one numbered from its right end",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}, {"4", 150, -100}, {"5", 50, -100}},
         false,
         0,
         RotationRule::NotInferred},
        {"a mounting hole without a name",
         {{"1", 0, 0}, {"2", 100, 0}, {"", 50, 80}},
         false,
         0,
         RotationRule::TwoPads},
        {"TO-220, pin 1 left",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}},
         false,
         0,
         RotationRule::InARow,
         "TO220"},
        {"TO-92 inline, running down",
         {{"1", 0, 200}, {"2", 0, 100}, {"3", 0, 0}},
         false,
         270,
         RotationRule::InARow,
         "TO-92"},
        {"a header of three, running right",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}},
         false,
         90,
         RotationRule::OneRow,
         "HDR3"},
        {"TO-92, pin 2 above",
         {{"1", 0, 0}, {"2", 50, 50}, {"3", 100, 0}},
         false,
         0,
         RotationRule::Triangle,
         "TO-92"},
        {"TO-92 numbered the other way, pin 2 below",
         {{"1", 0, 0}, {"2", 50, -50}, {"3", 100, 0}},
         false,
         180,
         RotationRule::Triangle,
         "to-92a"},
        {"trimmer, wiper above",
         {{"1", 0, 0}, {"2", 100, 100}, {"3", 200, 0}},
         false,
         90,
         RotationRule::Triangle,
         "VR4"},
        {"a trimmer's pins in a line",
         {{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}},
         false,
         0,
         RotationRule::NotInferred,
         "VR5"},
        {"TO-92 on the bottom, pin 2 below",
         {{"1", 0, 0}, {"2", 50, -50}, {"3", 100, 0}},
         true,
         0,
         RotationRule::Triangle,
         "TO-92"},
        {"three columns",
         {{"1", 0, 100}, {"2", 0, 0}, {"3", 100, 0}, {"4", 200, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"diagonal pair", {{"1", 0, 0}, {"2", 100, 100}}, false, 0, RotationRule::NotInferred},
        {"triangle",
         {{"1", 0, 0}, {"2", 50, 50}, {"3", 100, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"cathode left", {{"K", 0, 0}, {"A", 400, 0}}, false, 0, RotationRule::Diode},
        {"anode left", {{"A", 0, 0}, {"K", 100, 0}}, false, 180, RotationRule::Diode},
        {"cathode and a third pin",
         {{"K", 0, 0}, {"A", 100, 0}, {"G", 50, 50}},
         false,
         0,
         RotationRule::NotInferred},
        {"two pads named 1",
         {{"1", 0, 0}, {"1", 100, 0}, {"2", 200, 0}},
         false,
         0,
         RotationRule::NotInferred},
        {"pin 1 on two layers",
         {{"1", 0, 0}, {"1", 0, 0}, {"2", 100, 0}},
         false,
         0,
         RotationRule::TwoPads},
        {"no pads", {}, false, 0, RotationRule::NotInferred},
    };
    for (const auto& c : cases) {
        const InferredRotation inferred = InferRotation(Pads(c.Pads), c.Bottom, c.Pattern);
        EXPECT_EQ(inferred.Degrees, c.Degrees) << c.Layout;
        EXPECT_EQ(inferred.Rule, c.Rule) << c.Layout;
    }
}

// The pads of a footprint of KiCad's library (its .kicad_mod file), at rotation 0 in host units,
// y up; a diode's pads 1 and 2 named K and A, as KiCad's pin 1 is the cathode.
std::vector<Pad> LibraryPads(const std::filesystem::path& file, bool diode) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    // Each pad reads `(pad "NAME" TYPE SHAPE (at X Y ...`.
    std::vector<Pad> pads;
    const std::string key = "(pad \"";
    for (std::size_t at = source.find(key); at != std::string::npos;
         at = source.find(key, at + 1)) {
        std::istringstream fields(source.substr(at + key.size(), 200));
        Pad p;
        std::getline(fields, p.Name, '"');
        std::string type, shape, open;
        double x = 0, y = 0;
        if (!(fields >> type >> shape >> open >> x >> y) || open != "(at") {
            continue;
        }
        if (diode) {
            p.Name = p.Name == "1" ? "K" : p.Name == "2" ? "A" : p.Name;
        }
        const auto units = [](double mm) { return std::int32_t(std::lround(mm * 1e6 / 2.54)); };
        p.X = units(x);
        p.Y = -units(y);
        p.XSize = p.YSize = 60 * Mil;
        pads.push_back(p);
    }
    return pads;
}

// Each rule agrees with the footprint of KiCad's library it follows: at rotation 0 there, each
// quarter turn on the top, and flipped to the bottom as KiCad flips it.
TEST(PartPlacement, EachRuleAgreesWithKicadsLibrary) {
    const std::filesystem::path library = "/usr/share/kicad/footprints";
    if (!std::filesystem::is_directory(library)) {
        GTEST_SKIP() << "no KiCad footprint library at " << library;
    }
    const struct {
        const char* Footprint;
        const char* Pattern;
        RotationRule Rule;
        bool Diode = false;
    } cases[] = {
        {"Resistor_THT.pretty/R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal", "AXIAL0.4",
         RotationRule::TwoPads},
        {"Resistor_SMD.pretty/R_0805_2012Metric", "0805", RotationRule::TwoPads},
        {"Diode_THT.pretty/D_DO-35_SOD27_P10.16mm_Horizontal", "DIODE0.4", RotationRule::Diode,
         true},
        {"LED_THT.pretty/LED_D5.0mm", "LED5", RotationRule::Diode, true},
        {"Connector_PinHeader_2.54mm.pretty/PinHeader_1x05_P2.54mm_Vertical", "SIP5",
         RotationRule::OneRow},
        {"Package_DIP.pretty/DIP-8_W7.62mm", "DIP8", RotationRule::TwoRows},
        {"Package_TO_SOT_SMD.pretty/SOT-23", "SOT23", RotationRule::TwoRows},
        {"Package_TO_SOT_THT.pretty/TO-92_Inline", "TO-92", RotationRule::InARow},
        {"Package_TO_SOT_THT.pretty/TO-220-3_Vertical", "TO220", RotationRule::InARow},
        {"Package_TO_SOT_THT.pretty/TO-92", "TO-92A", RotationRule::Triangle},
        {"Potentiometer_THT.pretty/Potentiometer_Bourns_3386P_Vertical", "VR4",
         RotationRule::Triangle},
        {"Connector_Dsub.pretty/DSUB-15_Male_Vertical_P2.77x2.84mm_MountingHoles", "DB15/M",
         RotationRule::RowsLeftToRight},
        {"Connector_PinHeader_2.54mm.pretty/PinHeader_2x02_P2.54mm_Vertical", "HDR2X2",
         RotationRule::RowsLeftToRight},
    };
    for (const auto& c : cases) {
        const std::filesystem::path file = library / (std::string(c.Footprint) + ".kicad_mod");
        ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file;
        const std::vector<Pad> zero = LibraryPads(file, c.Diode);
        for (int turns = 0; turns < 4; ++turns) {
            std::vector<Pad> turned = zero;
            for (Pad& pad : turned) {
                for (int i = 0; i < turns; ++i) {
                    std::tie(pad.X, pad.Y) = std::make_tuple(-pad.Y, pad.X);
                }
            }
            const InferredRotation inferred = InferRotation(turned, false, c.Pattern);
            EXPECT_EQ(inferred.Rule, c.Rule) << c.Footprint << " turned " << turns;
            EXPECT_EQ(inferred.Degrees, 90.0 * turns) << c.Footprint << " turned " << turns;
        }
        std::vector<Pad> flipped = zero;
        for (Pad& pad : flipped) {
            pad.Y = -pad.Y;
        }
        const InferredRotation bottom = InferRotation(flipped, true, c.Pattern);
        EXPECT_EQ(bottom.Rule, c.Rule) << c.Footprint << " on the bottom";
        EXPECT_EQ(bottom.Degrees, 0) << c.Footprint << " on the bottom";
    }
}

TEST(PartPlacement, TheCentreIsThatOfThePadsBoundingBox) {
    Component part;
    part.X = 7 * Mil, part.Y = 9 * Mil;
    EXPECT_EQ(PlacementOf(part).X, 7 * Mil); // without pads: the reference point
    part.Children.Pads = Pads({{"1", 0, 0}, {"2", 200, 0}});
    part.Children.Pads[1].XSize = 100 * Mil;
    part.Children.Pads[1].YSize = 20 * Mil;
    part.Children.Pads[1].Rotation = 90; // turned: 10 mil left and right, 50 up and down
    const PartPlacement placement = PlacementOf(part);
    EXPECT_EQ(placement.X, 90 * Mil); // from -30 to 210
    EXPECT_EQ(placement.Y, 0);        // from -50 to 50
    EXPECT_EQ(placement.Rotation.Rule, RotationRule::TwoPads);
}

// A pad far from the rest of the board (a damaged value) does not move its part's centre.
TEST(PartPlacement, APadFarFromTheBoardIsLeftOutOfTheCentre) {
    Board board;
    Component part;
    part.Children.Pads = Pads({{"1", 0, 0}, {"2", 100, 0}, {"3", 200, 0}});
    board.Components.push_back(part);
    part.Children.Pads[2].X = 214748 * Mil; // the host's limit
    board.Components.push_back(part);
    const std::optional<BoardBulk> bulk = PadBulk(StoreOf(board));
    EXPECT_EQ(PlacementOf(board.Components[0], bulk).X, 100 * Mil);
    EXPECT_EQ(PlacementOf(board.Components[1], bulk).X, 50 * Mil);     // pads 1 and 2
    EXPECT_EQ(PlacementOf(board.Components[1]).X, (214748 / 2) * Mil); // without the bulk
}

} // namespace
} // namespace corvane::cli
