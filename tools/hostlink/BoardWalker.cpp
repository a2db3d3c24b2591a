#include "hostlink/BoardWalker.h"

#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace corvane::cli {
namespace {

// The server's name for a plane without a net.
constexpr std::string_view NoNetName = "(No Net)";

// A fixed buffer of the view as a string, safe even when the server filled it to the end.
template <std::size_t N> std::string_view Str(const char (&buffer)[N]) {
    return std::string_view(buffer, strnlen(buffer, N));
}

// Values found by handle. Open addressing over a power-of-two table of small entries: a lookup
// reads one or two neighbouring entries, where a node-based table chased a pointer into memory
// spread over the whole walk (a cache miss for nearly every pad of a board of many nets).
// Values keep their place as the table grows.
template <typename Value> class HandleTable {
public:
    Value* Find(std::uint32_t handle) {
        if (entries_.empty()) {
            return nullptr;
        }
        for (std::size_t i = Home(handle);; i = (i + 1) & (entries_.size() - 1)) {
            if (entries_[i].Handle == handle) {
                return &values_[entries_[i].Index];
            }
            if (entries_[i].Handle == 0) {
                return nullptr;
            }
        }
    }

    /// Adds a handle (not 0, not yet present).
    Value& Insert(std::uint32_t handle, Value value) {
        if ((values_.size() + 1) * 2 > entries_.size()) {
            Grow();
        }
        values_.push_back(std::move(value));
        Place(handle, static_cast<std::uint32_t>(values_.size() - 1));
        return values_.back();
    }

private:
    struct Entry {
        std::uint32_t Handle = 0; // 0: free
        std::uint32_t Index = 0;
    };

    std::size_t Home(std::uint32_t handle) const {
        // Fibonacci hashing: consecutive handles land far apart.
        return static_cast<std::size_t>((handle * 2654435769u) >> (32 - bits_));
    }

    void Place(std::uint32_t handle, std::uint32_t index) {
        std::size_t i = Home(handle);
        while (entries_[i].Handle != 0) {
            i = (i + 1) & (entries_.size() - 1);
        }
        entries_[i] = {handle, index};
    }

    void Grow() {
        const std::vector<Entry> old = std::move(entries_);
        bits_ = old.empty() ? 10 : bits_ + 1;
        entries_.assign(std::size_t{1} << bits_, Entry{});
        for (const Entry& entry : old) {
            if (entry.Handle != 0) {
                Place(entry.Handle, entry.Index);
            }
        }
    }

    std::vector<Entry> entries_;
    std::deque<Value> values_;
    unsigned bits_ = 0;
};

class Walker {
public:
    Walker(const HalvexApi& server, std::uint32_t board, BoardVisitor& visitor,
           const ObjectLineIndex* lines)
        : server_(server), board_(board), visitor_(visitor), lines_(lines) {}

    void Walk(const DocumentHeader& header, const WalkStep& step) {
        visitor_.OnBoardBegin(header);
        visitor_.OnPlanes(ReadPlanes());
        const std::int32_t count = server_.GetMemberCount(board_);
        for (std::int32_t i = 0; i < count; ++i) {
            if (Read(server_.GetMemberAt(board_, i), *object_)) {
                if (object_->Kind == HALVEX_KIND_COMPONENT) {
                    VisitComponent(*object_);
                } else if (object_->Kind == HALVEX_KIND_NET) {
                    VisitNet(*object_);
                } else {
                    VisitPrimitive(*object_, BoardOwner);
                }
            }
            if (step) {
                step();
            }
        }
        visitor_.OnBoardEnd();
    }

private:
    // The properties of a handle into one of the buffers; false for a handle the server does not
    // know. The buffers are kept: each holds several kilobytes of fixed string fields.
    bool Read(std::uint32_t handle, HalvexObjectInfo& info) const {
        return handle != 0 && server_.GetObjectInfo(handle, &info) == HALVEX_STATUS_OK;
    }

    std::uint32_t LineOf(std::uint32_t handle) const {
        return lines_ != nullptr ? lines_->LineOf(handle) : 0;
    }

    void SetLayer(std::string& into, std::uint32_t layerId) const {
        const char* name = server_.LayerName(layerId);
        into.assign(name != nullptr ? name : "");
    }

    const NetName& NetOf(std::uint32_t netHandle) {
        static const NetName none;
        if (netHandle == 0) {
            return none;
        }
        // A small table of recent nets before the full one: objects of one net tend to come
        // together, and the full table's lookup was a good part of the walk.
        RecentNet& recent = recentNets_[netHandle % recentNets_.size()];
        if (recent.Handle == netHandle) {
            return *recent.Name;
        }
        NetName* cached = netNames_.Find(netHandle);
        if (cached == nullptr) {
            NetName name;
            if (Read(netHandle, *scratch_) && scratch_->Kind == HALVEX_KIND_NET) {
                name = std::string(Str(scratch_->Name));
            }
            cached = &netNames_.Insert(netHandle, std::move(name));
        }
        recent = {netHandle, cached};
        return *cached;
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
            const std::string_view netName = Str(layer->PlaneNetName);
            planes.push_back({std::string(Str(layer->Name)), netName.empty() || netName == NoNetName
                                                                 ? NetName()
                                                                 : NetName(std::string(netName))});
        }
        return planes;
    }

    void FillText(const HalvexObjectInfo& info, Text& text) const {
        text.X = info.X;
        text.Y = info.Y;
        text.Content.assign(Str(info.Text));
        text.Height = info.Size;
        text.Width = info.Width;
        text.Rotation = info.Rotation;
        text.Mirror = info.Mirror != 0;
        SetLayer(text.Layer, info.Layer);
        text.Line = LineOf(info.Handle);
    }

    void VisitPrimitive(const HalvexObjectInfo& info, Owner owner) {
        switch (info.Kind) {
        case HALVEX_KIND_TRACK:
            track_ = {info.X,     info.Y, info.X2,         info.Y2,
                      info.Width, {},     NetOf(info.Net), LineOf(info.Handle)};
            SetLayer(track_.Layer, info.Layer);
            visitor_.OnTrack(track_, owner);
            break;
        case HALVEX_KIND_VIA:
            via_.X = info.X;
            via_.Y = info.Y;
            via_.Size = info.Size;
            via_.Hole = info.HoleSize;
            SetLayer(via_.StartLayer, info.StartLayer);
            SetLayer(via_.EndLayer, info.EndLayer);
            via_.Net = NetOf(info.Net);
            via_.Line = LineOf(info.Handle);
            visitor_.OnVia(via_, owner);
            break;
        case HALVEX_KIND_PAD:
            pad_.X = info.X;
            pad_.Y = info.Y;
            pad_.Name.assign(Str(info.Name));
            pad_.ShapeCode = info.TopShape;
            pad_.XSize = info.TopXSize;
            pad_.YSize = info.TopYSize;
            pad_.Hole = info.HoleSize;
            SetLayer(pad_.Layer, info.Layer);
            pad_.Rotation = info.Rotation;
            pad_.Net = NetOf(info.Net);
            pad_.CornerPercent = info.TopCRPercent;
            pad_.Line = LineOf(info.Handle);
            visitor_.OnPad(pad_, owner);
            break;
        case HALVEX_KIND_ARC:
            arc_ = {info.X,     info.Y, info.Radius,     info.StartAngle,    info.EndAngle,
                    info.Width, {},     NetOf(info.Net), LineOf(info.Handle)};
            SetLayer(arc_.Layer, info.Layer);
            visitor_.OnArc(arc_, owner);
            break;
        case HALVEX_KIND_FILL:
            fill_ = {info.X, info.Y,        info.X2,         info.Y2,
                     {},     info.Rotation, NetOf(info.Net), LineOf(info.Handle)};
            SetLayer(fill_.Layer, info.Layer);
            visitor_.OnFill(fill_, owner);
            break;
        case HALVEX_KIND_TEXT:
            FillText(info, text_);
            visitor_.OnText(text_, owner);
            break;
        default:
            break; // kinds the importer never makes
        }
    }

    std::optional<Text> TextOf(std::uint32_t handle) {
        if (!Read(handle, *scratch_) || scratch_->Kind != HALVEX_KIND_TEXT) {
            return std::nullopt;
        }
        Text text;
        FillText(*scratch_, text);
        return text;
    }

    void VisitComponent(const HalvexObjectInfo& info) {
        component_.Designator.assign(Str(info.Name));
        component_.Comment.assign(Str(info.Comment));
        component_.Pattern.assign(Str(info.Pattern));
        component_.X = info.X;
        component_.Y = info.Y;
        SetLayer(component_.Layer, info.Layer);
        component_.Rotation = info.Rotation;
        component_.Line = LineOf(info.Handle);
        component_.DesignatorText = TextOf(info.NameText);
        component_.CommentText = TextOf(info.CommentText);
        visitor_.OnComponentBegin(component_);
        const Owner owner{++components_};
        const std::int32_t count = server_.GetMemberCount(info.Handle);
        for (std::int32_t i = 0; i < count; ++i) {
            if (Read(server_.GetMemberAt(info.Handle, i), *child_)) {
                VisitPrimitive(*child_, owner);
            }
        }
        visitor_.OnComponentEnd();
    }

    // Nets name many pads of each component: the designator is asked of the server once.
    const std::string& DesignatorOfHolder(std::uint32_t holder) {
        if (const std::string* known = designators_.Find(holder)) {
            return *known;
        }
        std::string designator;
        if (Read(holder, *scratch_) && scratch_->Kind == HALVEX_KIND_COMPONENT) {
            designator = Str(scratch_->Name);
        }
        return designators_.Insert(holder, std::move(designator));
    }

    void VisitNet(const HalvexObjectInfo& info) {
        net_.Name.assign(Str(info.Name));
        net_.Pads.clear();
        if (netNames_.Find(info.Handle) == nullptr) {
            netNames_.Insert(info.Handle, net_.Name);
        }
        const std::int32_t count = needsNetPads_ ? server_.GetMemberCount(info.Handle) : 0;
        for (std::int32_t i = 0; i < count; ++i) {
            if (Read(server_.GetMemberAt(info.Handle, i), *child_) &&
                child_->Kind == HALVEX_KIND_PAD) {
                net_.Pads.push_back(
                    {DesignatorOfHolder(child_->Holder), std::string(Str(child_->Name))});
            }
        }
        visitor_.OnNet(net_);
    }

    const HalvexApi& server_;
    const std::uint32_t board_;
    BoardVisitor& visitor_;
    const ObjectLineIndex* lines_;
    const bool needsNetPads_ = visitor_.NeedsNetPads();
    std::uint32_t components_ = 0; // the components visited so far
    // A board member, a component's child or a net's member, and the net, designator and text
    // objects those refer to.
    const std::unique_ptr<HalvexObjectInfo> object_ = std::make_unique<HalvexObjectInfo>();
    const std::unique_ptr<HalvexObjectInfo> child_ = std::make_unique<HalvexObjectInfo>();
    const std::unique_ptr<HalvexObjectInfo> scratch_ = std::make_unique<HalvexObjectInfo>();
    HandleTable<NetName> netNames_;
    struct RecentNet {
        std::uint32_t Handle = 0;
        const NetName* Name = nullptr;
    };
    std::array<RecentNet, 4096> recentNets_{};
    HandleTable<std::string> designators_; // a holder's designator, "" for the board
    // The values handed to the visitor, kept so that their strings keep their room.
    Track track_;
    Via via_;
    Pad pad_;
    Arc arc_;
    Fill fill_;
    Text text_;
    Component component_;
    Net net_;
};

} // namespace

std::int32_t BoardMemberCount(const HalvexApi& server, std::uint32_t boardHandle) {
    return server.GetMemberCount(boardHandle);
}

void WalkBoard(const HalvexApi& server, std::uint32_t boardHandle, const DocumentHeader& header,
               BoardVisitor& visitor, const WalkStep& step, const ObjectLineIndex* lines) {
    Walker(server, boardHandle, visitor, lines).Walk(header, step);
}

} // namespace corvane::cli
