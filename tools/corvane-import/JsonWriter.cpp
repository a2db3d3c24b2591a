#include "JsonWriter.h"

#include "JsonText.h"

#include <functional>
#include <string_view>
#include <vector>

namespace halvex::cli {
namespace {

using json::CompactObject;

std::string TrackJson(const Track& t) {
    return CompactObject()
        .Field("x1", t.X1)
        .Field("y1", t.Y1)
        .Field("x2", t.X2)
        .Field("y2", t.Y2)
        .Field("width", t.Width)
        .Field("layer", t.Layer)
        .Field("net", t.Net)
        .Text();
}

std::string ViaJson(const Via& v) {
    return CompactObject()
        .Field("x", v.X)
        .Field("y", v.Y)
        .Field("size", v.Size)
        .Field("hole", v.Hole)
        .Field("startLayer", v.StartLayer)
        .Field("endLayer", v.EndLayer)
        .Field("net", v.Net)
        .Text();
}

std::string PadJson(const Pad& p) {
    return CompactObject()
        .Field("x", p.X)
        .Field("y", p.Y)
        .Field("name", p.Name)
        .Field("shape", PadShapeName(p.ShapeCode))
        .Field("xSize", p.XSize)
        .Field("ySize", p.YSize)
        .Field("hole", p.Hole)
        .Field("layer", p.Layer)
        .Field("rotation", p.Rotation)
        .Field("net", p.Net)
        .Text();
}

std::string ArcJson(const Arc& a) {
    return CompactObject()
        .Field("x", a.X)
        .Field("y", a.Y)
        .Field("radius", a.Radius)
        .Field("startAngle", a.StartAngle)
        .Field("endAngle", a.EndAngle)
        .Field("width", a.Width)
        .Field("layer", a.Layer)
        .Field("net", a.Net)
        .Text();
}

std::string FillJson(const Fill& f) {
    return CompactObject()
        .Field("x1", f.X1)
        .Field("y1", f.Y1)
        .Field("x2", f.X2)
        .Field("y2", f.Y2)
        .Field("layer", f.Layer)
        .Field("rotation", f.Rotation)
        .Field("net", f.Net)
        .Text();
}

std::string TextJson(const Text& t) {
    return CompactObject()
        .Field("x", t.X)
        .Field("y", t.Y)
        .Field("text", t.Content)
        .Field("height", t.Height)
        .Field("width", t.Width)
        .Field("rotation", t.Rotation)
        .Field("mirror", t.Mirror)
        .Field("layer", t.Layer)
        .Text();
}

std::string OptionalTextJson(const std::optional<Text>& text) {
    return text ? TextJson(*text) : std::string("null");
}

std::string PlaneJson(const Plane& p) {
    return CompactObject().Field("layer", p.Layer).Field("net", p.Net).Text();
}

std::string NetJson(const Net& net) {
    std::string pads = "[";
    for (const NetNode& node : net.Pads) {
        pads += (pads.size() > 1 ? ", " : "") +
                CompactObject().Field("component", node.Component).Field("name", node.Pad).Text();
    }
    pads += "]";
    return CompactObject().Field("name", net.Name).Raw("pads", pads).Text();
}

// Writes members of an object, one per line, at one indentation.
class Members {
public:
    Members(std::string& out, int indent) : out_(out), indent_(indent) {}

    void Value(std::string_view name, std::string_view jsonValue) {
        Begin(name);
        out_ += jsonValue;
    }

    /// An array of one-line items, one per line; "[]" when empty.
    template <typename Item>
    void Array(std::string_view name, const std::vector<Item>& items,
               const std::function<std::string(const Item&)>& toJson) {
        Begin(name);
        if (items.empty()) {
            out_ += "[]";
            return;
        }
        out_ += "[";
        for (std::size_t i = 0; i < items.size(); ++i) {
            out_ += (i == 0 ? "\n" : ",\n") + Pad(indent_ + 1) + toJson(items[i]);
        }
        out_ += "\n" + Pad(indent_) + "]";
    }

    void End() { out_ += "\n"; }

    static std::string Pad(int indent) {
        return std::string(static_cast<std::size_t>(indent) * 2, ' ');
    }

private:
    void Begin(std::string_view name) {
        out_ += (first_ ? "\n" : ",\n") + Pad(indent_) + json::Quote(name) + ": ";
        first_ = false;
    }

    std::string& out_;
    const int indent_;
    bool first_ = true;
};

void WritePrimitives(Members& members, const Primitives& p) {
    members.Array<Track>("tracks", p.Tracks, TrackJson);
    members.Array<Via>("vias", p.Vias, ViaJson);
    members.Array<Pad>("pads", p.Pads, PadJson);
    members.Array<Arc>("arcs", p.Arcs, ArcJson);
    members.Array<Fill>("fills", p.Fills, FillJson);
    members.Array<Text>("texts", p.Texts, TextJson);
}

std::string ComponentJson(const Component& c, int indent) {
    std::string out = "{";
    Members members(out, indent + 1);
    members.Value("designator", json::Quote(c.Designator));
    members.Value("comment", json::Quote(c.Comment));
    members.Value("pattern", json::Quote(c.Pattern));
    members.Value("x", json::Number(std::int64_t{c.X}));
    members.Value("y", json::Number(std::int64_t{c.Y}));
    members.Value("layer", json::Quote(c.Layer));
    members.Value("rotation", json::Number(c.Rotation));
    members.Value("designatorText", OptionalTextJson(c.DesignatorText));
    members.Value("commentText", OptionalTextJson(c.CommentText));
    WritePrimitives(members, c.Children);
    members.End();
    return out + Members::Pad(indent) + "}";
}

} // namespace

std::string BoardToJson(const Board& board) {
    std::string out = "{";
    Members members(out, 1);
    members.Value("file", json::Quote(board.File));
    members.Value("version", json::Number(std::int64_t{board.Version}));
    members.Value("imported", board.Imported ? "true" : "false");
    members.Array<Plane>("planes", board.Planes, PlaneJson);
    WritePrimitives(members, board.Free);
    members.Array<Component>("components", board.Components,
                             [](const Component& c) { return ComponentJson(c, 2); });
    members.Array<Net>("nets", board.Nets, NetJson);
    members.End();
    return out + "}\n";
}

} // namespace halvex::cli
