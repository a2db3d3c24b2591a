#include "assemblywriter/AssemblyFiles.h"

#include "boardfacts/HostLayers.h"
#include "placement/PartPlacement.h"
#include "textformat/NaturalOrder.h"
#include "textformat/Units.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace corvane::cli {
namespace {

constexpr const char* LineEnd = "\r\n";

std::string Utf8(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += '?';
        } else if (byte >= 0x80) {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            out += c;
        }
    }
    return out;
}

std::string Field(const std::string& text) {
    const std::string value = Utf8(text);
    const bool quote = value.find_first_of(",\"") != std::string::npos ||
                       (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quote) {
        return value;
    }
    std::string out = "\"";
    for (const char c : value) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string Line(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += (i == 0 ? "" : ",") + fields[i];
    }
    return out + LineEnd;
}

// The components' indices in the store, in the natural order of their designators.
std::vector<std::size_t> ByDesignator(const BoardStore& board) {
    std::vector<std::size_t> components(board.ComponentCount());
    for (std::size_t i = 0; i < components.size(); ++i) {
        components[i] = i;
    }
    const auto designator = [&](std::size_t i) {
        return board.String(board.ComponentRecordAt(i).Designator);
    };
    std::stable_sort(components.begin(), components.end(), [&](std::size_t a, std::size_t b) {
        return NaturalLess(designator(a), designator(b));
    });
    return components;
}

// A component as its placement needs it: its own properties and its pads.
Component WithPads(const BoardStore& board, std::size_t i) {
    Component c = board.ComponentAt(i);
    const StoredColumn<Pad, stored::PadRecord> pads = board.ChildrenOf(i).Pads;
    c.Children.Pads.assign(pads.begin(), pads.end());
    return c;
}

} // namespace

std::string BoardToBom(const BoardStore& board) {
    // Groups in the order their first designator comes.
    std::vector<std::pair<std::pair<std::string, std::string>, std::vector<std::string>>> groups;
    std::map<std::pair<std::string, std::string>, std::size_t> index;
    for (const std::size_t i : ByDesignator(board)) {
        const stored::ComponentRecord& c = board.ComponentRecordAt(i);
        const auto key = std::make_pair(std::string(board.String(c.Comment)),
                                        std::string(board.String(c.Pattern)));
        const auto [at, added] = index.emplace(key, groups.size());
        if (added) {
            groups.push_back({key, {}});
        }
        groups[at->second].second.emplace_back(board.String(c.Designator));
    }
    std::string out = Line({"Comment", "Pattern", "Quantity", "Designators"});
    for (const auto& [key, designators] : groups) {
        std::string joined;
        for (const std::string& d : designators) {
            joined += (joined.empty() ? "" : ",") + d;
        }
        out += Line({Field(key.first), Field(key.second), std::to_string(designators.size()),
                     Field(joined)});
    }
    return out;
}

std::string BoardToPositions(const BoardStore& board) {
    return BoardToPlacementFile(board).Text;
}

std::vector<std::string> PartsWithoutInferredRotation(const BoardStore& board) {
    return BoardToPlacementFile(board).WithoutInferredRotation;
}

PlacementFile BoardToPlacementFile(const BoardStore& board) {
    PlacementFile file;
    std::string& out = file.Text;
    out = Line({"Designator", "Comment", "Pattern", "Mid X (mm)", "Mid Y (mm)",
                "Rotation (degrees)", "Layer", "Rotation rule"});
    // A pad far from the rest of the board (a damaged value) does not move its part's centre.
    const std::optional<BoardBulk> bulk = PadBulk(board);
    for (const std::size_t i : ByDesignator(board)) {
        const Component c = WithPads(board, i);
        const PartPlacement placement = PlacementOf(c, bulk);
        const bool bottom = OnBottomSide(c.Layer);
        // Bottom parts as seen from the bottom: x mirrored, as KiCad's placement file has them.
        out += Line({Field(c.Designator), Field(c.Comment), Field(c.Pattern),
                     units::HostMillimetres(bottom ? -placement.X : placement.X),
                     units::HostMillimetres(placement.Y),
                     units::Degrees(FootprintRotation(c, placement.Rotation)),
                     bottom ? "bottom" : "top",
                     std::string(RotationRuleName(placement.Rotation.Rule))});
        // The summary names the parts whose pads, all of them, give no rotation.
        if (PlacementOf(c).Rotation.Rule == RotationRule::NotInferred) {
            file.WithoutInferredRotation.push_back(c.Designator);
        }
    }
    return file;
}

} // namespace corvane::cli
