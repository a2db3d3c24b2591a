#include "kicadwriter/KicadLayers.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <utility>

namespace corvane::cli::kicad {
namespace {

constexpr int LastInnerNumber = 30; // "In30.Cu"
constexpr int BottomNumber = 31;    // "B.Cu"

// The layers of the records, by their strings' numbers.
void NoteLayers(const stored::Records& records, std::vector<bool>& used) {
    const auto note = [&](stored::StringId layer) { used[layer] = true; };
    for (const stored::TrackRecord& t : records.Tracks) {
        note(t.Layer);
    }
    for (const stored::ViaRecord& v : records.Vias) {
        note(v.StartLayer);
        note(v.EndLayer);
    }
    for (const stored::PadRecord& pad : records.Pads) {
        note(pad.Layer);
    }
    for (const stored::ArcRecord& a : records.Arcs) {
        note(a.Layer);
    }
    for (const stored::FillRecord& f : records.Fills) {
        note(f.Layer);
    }
    for (const stored::TextRecord& t : records.Texts) {
        note(t.Layer);
    }
}

std::set<std::string> UsedLayers(const BoardStore& board) {
    std::vector<bool> used(board.StringCount(), false);
    NoteLayers(board.FreeRecords(), used);
    NoteLayers(board.ChildRecords(), used);
    for (std::size_t i = 0; i < board.ComponentCount(); ++i) {
        const stored::ComponentRecord& c = board.ComponentRecordAt(i);
        if (c.HasDesignatorText) {
            used[c.DesignatorText.Layer] = true;
        }
        if (c.HasCommentText) {
            used[c.CommentText.Layer] = true;
        }
    }
    std::set<std::string> names;
    for (stored::StringId id = 0; id < used.size(); ++id) {
        if (used[id]) {
            names.emplace(board.String(id));
        }
    }
    return names;
}

CopperMask Bit(std::size_t index) {
    return CopperMask{1} << index;
}

} // namespace

LayerMap LayerMap::ForBoard(const Board& board) {
    return ForBoard(StoreOf(board));
}

LayerMap LayerMap::ForBoard(const BoardStore& board) {
    const std::set<std::string> used = UsedLayers(board);
    std::vector<CopperLayer> inner;
    for (int mid = 1; mid <= MidLayers.Last; ++mid) {
        const std::string name = LayerNameIn(MidLayers, mid);
        if (used.count(name) != 0) {
            inner.push_back({0, "", name, false, std::nullopt});
        }
    }
    std::set<std::string> planesSeen;
    for (const Plane& plane : board.Planes()) {
        if (LayerNumberIn(InternalPlanes, plane.Layer) != 0 &&
            planesSeen.insert(plane.Layer).second && (plane.Net || used.count(plane.Layer) != 0)) {
            inner.push_back({0, "", plane.Layer, true, plane.Net});
        }
    }
    for (int number = 1; number <= InternalPlanes.Last; ++number) {
        const std::string name = LayerNameIn(InternalPlanes, number);
        if (planesSeen.count(name) == 0 && used.count(name) != 0) {
            inner.push_back({0, "", name, true, std::nullopt});
        }
    }
    if (inner.size() > LastInnerNumber) {
        inner.resize(LastInnerNumber);
    }
    if (inner.size() % 2 != 0) {
        // KiCad's boards have an even number of copper layers.
        inner.push_back({0, "", "", false, std::nullopt});
    }
    LayerMap map;
    map.copper_.push_back({0, "F.Cu", std::string(TopLayerName), false, std::nullopt});
    int number = 1;
    for (CopperLayer& layer : inner) {
        layer.Number = number;
        layer.Name = "In" + std::to_string(number) + ".Cu";
        ++number;
        map.copper_.push_back(std::move(layer));
    }
    map.copper_.push_back(
        {BottomNumber, "B.Cu", std::string(BottomLayerName), false, std::nullopt});
    return map;
}

const CopperLayer* LayerMap::CopperOf(const std::string& hostLayer) const {
    const auto found = std::find_if(copper_.begin(), copper_.end(), [&](const CopperLayer& l) {
        return !hostLayer.empty() && l.HostLayer == hostLayer;
    });
    return found != copper_.end() ? &*found : nullptr;
}

CopperMask LayerMap::AllCopper() const {
    return copper_.size() >= 64 ? ~CopperMask{0} : Bit(copper_.size()) - 1;
}

CopperMask LayerMap::CopperOn(const std::string& hostLayer) const {
    if (hostLayer == MultiLayerName) {
        return AllCopper();
    }
    const CopperLayer* copper = CopperOf(hostLayer);
    return copper != nullptr ? Bit(static_cast<std::size_t>(copper - copper_.data())) : 0;
}

CopperMask LayerMap::Span(const std::string& from, const std::string& to) const {
    const CopperLayer* a = CopperOf(from);
    const CopperLayer* b = CopperOf(to);
    if (a == nullptr || b == nullptr) {
        return AllCopper();
    }
    auto first = static_cast<std::size_t>(a - copper_.data());
    auto last = static_cast<std::size_t>(b - copper_.data());
    if (first > last) {
        std::swap(first, last);
    }
    CopperMask mask = 0;
    for (std::size_t i = first; i <= last; ++i) {
        mask |= Bit(i);
    }
    return mask;
}

std::string LayerMap::NonCopperLayer(const std::string& hostLayer) const {
    // Silkscreen, paste and mask have their counterparts. The keep-out layer's lines bound areas
    // rather than draw anything: KiCad's "Margin" layer. The first mechanical layer holds the
    // drawing (outline, dimensions): "Dwgs.User"; the next ones the Eco and numbered user layers.
    static const std::array<std::pair<std::string_view, const char*>, 9> fixed = {{
        {"TopOverlay", "F.SilkS"},
        {"BottomOverlay", "B.SilkS"},
        {"TopPaste", "F.Paste"},
        {"BottomPaste", "B.Paste"},
        {"TopSolder", "F.Mask"},
        {"BottomSolder", "B.Mask"},
        {KeepOutLayerName, "Margin"},
        {"DrillGuide", "Dwgs.User"},
        {"DrillDrawing", "Dwgs.User"},
    }};
    for (const auto& [host, kicad] : fixed) {
        if (hostLayer == host) {
            return kicad;
        }
    }
    switch (const int n = LayerNumberIn(MechanicalLayers, hostLayer)) {
    case 0:
        break;
    case 1:
        return "Dwgs.User";
    case 2:
        return "Eco1.User";
    case 3:
        return "Eco2.User";
    default:
        return "User." + std::to_string(std::min(n - 3, 9));
    }
    // No layer, the system layers and copper layers beyond KiCad's thirty inner ones.
    return "Cmts.User";
}

std::string LayerMap::LayerOf(const std::string& hostLayer) const {
    const CopperLayer* copper = CopperOf(hostLayer);
    return copper != nullptr ? copper->Name : NonCopperLayer(hostLayer);
}

const std::vector<NonCopperLayerInfo>& NonCopperLayers() {
    static const std::vector<NonCopperLayerInfo> layers = {
        {32, "B.Adhes", "B.Adhesive"},
        {33, "F.Adhes", "F.Adhesive"},
        {34, "B.Paste", nullptr},
        {35, "F.Paste", nullptr},
        {36, "B.SilkS", "B.Silkscreen"},
        {37, "F.SilkS", "F.Silkscreen"},
        {38, "B.Mask", nullptr},
        {39, "F.Mask", nullptr},
        {40, "Dwgs.User", "User.Drawings"},
        {41, "Cmts.User", "User.Comments"},
        {42, "Eco1.User", "User.Eco1"},
        {43, "Eco2.User", "User.Eco2"},
        {44, "Edge.Cuts", nullptr},
        {45, "Margin", nullptr},
        {46, "B.CrtYd", "B.Courtyard"},
        {47, "F.CrtYd", "F.Courtyard"},
        {48, "B.Fab", nullptr},
        {49, "F.Fab", nullptr},
        {50, "User.1", nullptr},
        {51, "User.2", nullptr},
        {52, "User.3", nullptr},
        {53, "User.4", nullptr},
        {54, "User.5", nullptr},
        {55, "User.6", nullptr},
        {56, "User.7", nullptr},
        {57, "User.8", nullptr},
        {58, "User.9", nullptr},
    };
    return layers;
}

} // namespace corvane::cli::kicad
