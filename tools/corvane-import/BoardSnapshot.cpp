#include "BoardSnapshot.h"

#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace halvex::cli {
namespace {

// The server's name for a plane without a net.
constexpr std::string_view NoNetName = "(No Net)";

// A fixed buffer of the view as a string, safe even when the server filled it to the end.
template <std::size_t N> std::string Str(const char (&buffer)[N]) {
    return std::string(buffer, strnlen(buffer, N));
}

class BoardReader {
public:
    BoardReader(const HalvexApi& server, std::uint32_t board) : server_(server), board_(board) {}

    Board Read() {
        Board result;
        result.Planes = ReadPlanes();
        const std::int32_t count = server_.GetMemberCount(board_);
        for (std::int32_t i = 0; i < count; ++i) {
            const auto info = Info(server_.GetMemberAt(board_, i));
            if (!info) {
                continue;
            }
            if (info->Kind == HALVEX_KIND_COMPONENT) {
                result.Components.push_back(ReadComponent(*info));
            } else if (info->Kind == HALVEX_KIND_NET) {
                result.Nets.push_back(ReadNet(*info));
            } else {
                AddPrimitive(*info, result.Free);
            }
        }
        return result;
    }

private:
    // The object's properties, or nothing for a handle the server does not know. On the heap:
    // the record holds several kilobytes of fixed string buffers.
    std::unique_ptr<HalvexObjectInfo> Info(std::uint32_t handle) const {
        auto info = std::make_unique<HalvexObjectInfo>();
        if (handle == 0 || server_.GetObjectInfo(handle, info.get()) != HALVEX_STATUS_OK) {
            return nullptr;
        }
        return info;
    }

    std::string LayerName(std::uint32_t layerId) const {
        const char* name = server_.LayerName(layerId);
        return name != nullptr ? name : "";
    }

    NetName NetOf(std::uint32_t netHandle) {
        if (netHandle == 0) {
            return std::nullopt;
        }
        const auto cached = netNames_.find(netHandle);
        if (cached != netNames_.end()) {
            return cached->second;
        }
        const auto info = Info(netHandle);
        NetName name;
        if (info && info->Kind == HALVEX_KIND_NET) {
            name = Str(info->Name);
        }
        netNames_.emplace(netHandle, name);
        return name;
    }

    std::vector<Plane> ReadPlanes() const {
        std::vector<Plane> planes;
        HalvexBoardInfo boardInfo{};
        if (server_.GetBoardInfo(board_, &boardInfo) != HALVEX_STATUS_OK) {
            return planes;
        }
        auto layer = std::make_unique<HalvexLayerInfo>();
        for (std::int32_t i = 0; i < boardInfo.StackLayerCount; ++i) {
            if (server_.GetStackLayer(board_, i, layer.get()) != HALVEX_STATUS_OK ||
                layer->IsPlane == 0) {
                continue;
            }
            const std::string netName = Str(layer->PlaneNetName);
            planes.push_back({Str(layer->Name), netName.empty() || netName == NoNetName
                                                    ? NetName()
                                                    : NetName(netName)});
        }
        return planes;
    }

    Text ReadText(const HalvexObjectInfo& info) const {
        Text text;
        text.X = info.X;
        text.Y = info.Y;
        text.Content = Str(info.Text);
        text.Height = info.Size;
        text.Width = info.Width;
        text.Rotation = info.Rotation;
        text.Mirror = info.Mirror != 0;
        text.Layer = LayerName(info.Layer);
        return text;
    }

    void AddPrimitive(const HalvexObjectInfo& info, Primitives& into) {
        switch (info.Kind) {
        case HALVEX_KIND_TRACK:
            into.Tracks.push_back({info.X, info.Y, info.X2, info.Y2, info.Width,
                                   LayerName(info.Layer), NetOf(info.Net)});
            break;
        case HALVEX_KIND_VIA:
            into.Vias.push_back({info.X, info.Y, info.Size, info.HoleSize,
                                 LayerName(info.StartLayer), LayerName(info.EndLayer),
                                 NetOf(info.Net)});
            break;
        case HALVEX_KIND_PAD:
            into.Pads.push_back({info.X, info.Y, Str(info.Name), info.TopShape, info.TopXSize,
                                 info.TopYSize, info.HoleSize, LayerName(info.Layer), info.Rotation,
                                 NetOf(info.Net), info.TopCRPercent});
            break;
        case HALVEX_KIND_ARC:
            into.Arcs.push_back({info.X, info.Y, info.Radius, info.StartAngle, info.EndAngle,
                                 info.Width, LayerName(info.Layer), NetOf(info.Net)});
            break;
        case HALVEX_KIND_FILL:
            into.Fills.push_back({info.X, info.Y, info.X2, info.Y2, LayerName(info.Layer),
                                  info.Rotation, NetOf(info.Net)});
            break;
        case HALVEX_KIND_TEXT:
            into.Texts.push_back(ReadText(info));
            break;
        default:
            break; // kinds the importer never makes
        }
    }

    std::optional<Text> TextOf(std::uint32_t handle) const {
        const auto info = Info(handle);
        if (!info || info->Kind != HALVEX_KIND_TEXT) {
            return std::nullopt;
        }
        return ReadText(*info);
    }

    Component ReadComponent(const HalvexObjectInfo& info) {
        Component component;
        component.Designator = Str(info.Name);
        component.Comment = Str(info.Comment);
        component.Pattern = Str(info.Pattern);
        component.X = info.X;
        component.Y = info.Y;
        component.Layer = LayerName(info.Layer);
        component.Rotation = info.Rotation;
        component.DesignatorText = TextOf(info.NameText);
        component.CommentText = TextOf(info.CommentText);
        const std::int32_t count = server_.GetMemberCount(info.Handle);
        for (std::int32_t i = 0; i < count; ++i) {
            if (const auto child = Info(server_.GetMemberAt(info.Handle, i))) {
                AddPrimitive(*child, component.Children);
            }
        }
        return component;
    }

    // Nets name many pads of each component: the designator is asked of the server once.
    const std::string& DesignatorOfHolder(std::uint32_t holder) {
        const auto known = designators_.find(holder);
        if (known != designators_.end()) {
            return known->second;
        }
        const auto info = Info(holder);
        std::string designator =
            info && info->Kind == HALVEX_KIND_COMPONENT ? Str(info->Name) : std::string();
        return designators_.emplace(holder, std::move(designator)).first->second;
    }

    Net ReadNet(const HalvexObjectInfo& info) {
        Net net;
        net.Name = Str(info.Name);
        netNames_.emplace(info.Handle, net.Name);
        const std::int32_t count = server_.GetMemberCount(info.Handle);
        for (std::int32_t i = 0; i < count; ++i) {
            const auto member = Info(server_.GetMemberAt(info.Handle, i));
            if (member && member->Kind == HALVEX_KIND_PAD) {
                net.Pads.push_back({DesignatorOfHolder(member->Holder), Str(member->Name)});
            }
        }
        return net;
    }

    const HalvexApi& server_;
    const std::uint32_t board_;
    std::unordered_map<std::uint32_t, NetName> netNames_;
    std::unordered_map<std::uint32_t, std::string> designators_;
};

} // namespace

Board SnapshotBoard(const HalvexApi& server, std::uint32_t boardHandle) {
    return BoardReader(server, boardHandle).Read();
}

} // namespace halvex::cli
