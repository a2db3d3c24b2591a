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

std::vector<const Component*> ByDesignator(const Board& board) {
    std::vector<const Component*> components;
    for (const Component& c : board.Components) {
        components.push_back(&c);
    }
    std::stable_sort(components.begin(), components.end(),
                     [](const Component* a, const Component* b) {
                         return NaturalLess(a->Designator, b->Designator);
                     });
    return components;
}

} // namespace

std::string BoardToBom(const Board& board) {
    // Groups in the order their first designator comes.
    std::vector<std::pair<std::pair<std::string, std::string>, std::vector<std::string>>> groups;
    std::map<std::pair<std::string, std::string>, std::size_t> index;
    for (const Component* c : ByDesignator(board)) {
        const auto key = std::make_pair(c->Comment, c->Pattern);
        const auto [at, added] = index.emplace(key, groups.size());
        if (added) {
            groups.push_back({key, {}});
        }
        groups[at->second].second.push_back(c->Designator);
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

std::string BoardToPositions(const Board& board) {
    std::string out = Line({"Designator", "Comment", "Pattern", "Mid X (mm)", "Mid Y (mm)",
                            "Rotation (degrees)", "Layer", "Rotation rule"});
    // A pad far from the rest of the board (a damaged value) does not move its part's centre.
    const std::optional<BoardBulk> bulk = PadBulk(board);
    for (const Component* c : ByDesignator(board)) {
        const PartPlacement placement = PlacementOf(*c, bulk);
        const bool bottom = OnBottomSide(c->Layer);
        // Bottom parts as seen from the bottom: x mirrored, as KiCad's placement file has them.
        out += Line({Field(c->Designator), Field(c->Comment), Field(c->Pattern),
                     units::HostMillimetres(bottom ? -placement.X : placement.X),
                     units::HostMillimetres(placement.Y),
                     units::Degrees(FootprintRotation(*c, placement.Rotation)),
                     bottom ? "bottom" : "top",
                     std::string(RotationRuleName(placement.Rotation.Rule))});
    }
    return out;
}

std::vector<std::string> PartsWithoutInferredRotation(const Board& board) {
    std::vector<std::string> parts;
    for (const Component* c : ByDesignator(board)) {
        if (PlacementOf(*c).Rotation.Rule == RotationRule::NotInferred) {
            parts.push_back(c->Designator);
        }
    }
    return parts;
}

} // namespace corvane::cli
