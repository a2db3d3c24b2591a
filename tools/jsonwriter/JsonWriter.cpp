#include "jsonwriter/JsonWriter.h"

#include "textformat/JsonText.h"
#include "textformat/TextEncoding.h"

#include <array>
#include <charconv>
#include <string_view>

namespace corvane::cli {
namespace {

using json::CompactObject;

constexpr std::array<std::string_view, 8> SectionNames = {"tracks", "vias",  "pads",       "arcs",
                                                          "fills",  "texts", "components", "nets"};

// Every length and coordinate the document holds is written through this: the host's own units
// (1/10000 mil), whole, exactly as the board holds them. The digits stay in a small buffer of
// their own, no string is made: a document holds millions of lengths.
class JsonLength {
public:
    explicit JsonLength(std::int32_t hostUnits)
        : size_(static_cast<std::size_t>(
              std::to_chars(text_.data(), text_.data() + text_.size(), hostUnits).ptr -
              text_.data())) {}
    operator std::string_view() const { return {text_.data(), size_}; }

private:
    std::array<char, 11> text_{}; // "-2147483648"
    std::size_t size_;
};

void Indent(std::string& out, int indent) {
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
}

// A member of an object written one member a line: the separator, the indentation and the name.
void MemberName(std::string& out, std::string_view name, int indent, bool first) {
    out += first ? "\n" : ",\n";
    Indent(out, indent);
    json::AppendQuoted(out, name);
    out += ": ";
}

void TrackJson(std::string& out, const Track& t) {
    CompactObject(out)
        .Raw("x1", JsonLength(t.X1))
        .Raw("y1", JsonLength(t.Y1))
        .Raw("x2", JsonLength(t.X2))
        .Raw("y2", JsonLength(t.Y2))
        .Raw("width", JsonLength(t.Width))
        .Field("layer", t.Layer)
        .Field("net", t.Net)
        .End();
}

void ViaJson(std::string& out, const Via& v) {
    CompactObject(out)
        .Raw("x", JsonLength(v.X))
        .Raw("y", JsonLength(v.Y))
        .Raw("size", JsonLength(v.Size))
        .Raw("hole", JsonLength(v.Hole))
        .Field("startLayer", v.StartLayer)
        .Field("endLayer", v.EndLayer)
        .Field("net", v.Net)
        .End();
}

void PadJson(std::string& out, const Pad& p) {
    CompactObject(out)
        .Raw("x", JsonLength(p.X))
        .Raw("y", JsonLength(p.Y))
        .Field("name", p.Name)
        .Field("shape", PadShapeName(p.ShapeCode))
        .Raw("xSize", JsonLength(p.XSize))
        .Raw("ySize", JsonLength(p.YSize))
        .Raw("hole", JsonLength(p.Hole))
        .Field("layer", p.Layer)
        .Field("rotation", p.Rotation)
        .Field("net", p.Net)
        .End();
}

void ArcJson(std::string& out, const Arc& a) {
    CompactObject(out)
        .Raw("x", JsonLength(a.X))
        .Raw("y", JsonLength(a.Y))
        .Raw("radius", JsonLength(a.Radius))
        .Field("startAngle", a.StartAngle)
        .Field("endAngle", a.EndAngle)
        .Raw("width", JsonLength(a.Width))
        .Field("layer", a.Layer)
        .Field("net", a.Net)
        .End();
}

void FillJson(std::string& out, const Fill& f) {
    CompactObject(out)
        .Raw("x1", JsonLength(f.X1))
        .Raw("y1", JsonLength(f.Y1))
        .Raw("x2", JsonLength(f.X2))
        .Raw("y2", JsonLength(f.Y2))
        .Field("layer", f.Layer)
        .Field("rotation", f.Rotation)
        .Field("net", f.Net)
        .End();
}

void TextJson(std::string& out, const Text& t) {
    CompactObject(out)
        .Raw("x", JsonLength(t.X))
        .Raw("y", JsonLength(t.Y))
        .Field("text", t.Content)
        .Raw("height", JsonLength(t.Height))
        .Raw("width", JsonLength(t.Width))
        .Field("rotation", t.Rotation)
        .Field("mirror", t.Mirror)
        .Field("layer", t.Layer)
        .End();
}

void OptionalTextJson(std::string& out, const std::optional<Text>& text) {
    if (text) {
        TextJson(out, *text);
    } else {
        out += "null";
    }
}

void NetJson(std::string& out, const Net& net) {
    std::string pads = "[";
    for (const NetNode& node : net.Pads) {
        if (pads.size() > 1) {
            pads += ", ";
        }
        CompactObject(pads).Field("component", node.Component).Field("name", node.Pad).End();
    }
    pads += "]";
    CompactObject(out).Field("name", net.Name).Raw("pads", pads).End();
}

// The separator and indentation before an item of a list written one item a line.
void ItemStart(std::string& out, bool first, int indent) {
    out += first ? "\n" : ",\n";
    Indent(out, indent);
}

} // namespace

JsonDocumentWriter::JsonDocumentWriter(OutputStream& out) : out_(out) {
    sections_.reserve(Count);
    for (std::size_t i = 0; i < Count; ++i) {
        sections_.emplace_back(out_);
    }
    sectionEmpty_.fill(true);
}

void JsonDocumentWriter::CloseList(std::string& out, std::string_view name,
                                   const std::string& items, bool empty, int indent) const {
    MemberName(out, name, indent, false);
    if (empty) {
        out += "[]";
        return;
    }
    out += '[';
    out += items;
    out += '\n';
    Indent(out, indent);
    out += ']';
}

void JsonDocumentWriter::OnBoardBegin(const DocumentHeader& header) {
    std::string head = "{";
    MemberName(head, "file", 1, true);
    json::AppendQuoted(head, FileNameAsUtf8(header.File), json::TextBytes::Utf8);
    MemberName(head, "version", 1, false);
    json::AppendNumber(head, std::int64_t{header.Version});
    MemberName(head, "imported", 1, false);
    head += header.Imported ? "true" : "false";
    MemberName(head, "mayHaveLostData", 1, false);
    head += header.MayHaveLostData ? "true" : "false";
    out_.Write(head);
}

void JsonDocumentWriter::OnPlanes(const std::vector<Plane>& planes) {
    std::string head;
    std::string items;
    for (const Plane& plane : planes) {
        ItemStart(items, items.empty(), 2);
        CompactObject(items).Field("layer", plane.Layer).Field("net", plane.Net).End();
    }
    CloseList(head, "planes", items, planes.empty(), 1);
    out_.Write(head);
}

void JsonDocumentWriter::AddItem(Section kind, Owner owner) {
    if (owner.InComponent() && kind < PrimitiveKinds) {
        List& list = componentLists_[kind];
        ItemStart(list.Items, list.Empty, 4);
        list.Items += line_;
        list.Empty = false;
        return;
    }
    std::string item;
    ItemStart(item, sectionEmpty_[kind], 2);
    item += line_;
    sections_[kind].Append(item);
    sectionEmpty_[kind] = false;
}

void JsonDocumentWriter::OnTrack(const Track& track, Owner owner) {
    line_.clear();
    TrackJson(line_, track);
    AddItem(Tracks, owner);
}

void JsonDocumentWriter::OnVia(const Via& via, Owner owner) {
    line_.clear();
    ViaJson(line_, via);
    AddItem(Vias, owner);
}

void JsonDocumentWriter::OnPad(const Pad& pad, Owner owner) {
    line_.clear();
    PadJson(line_, pad);
    AddItem(Pads, owner);
}

void JsonDocumentWriter::OnArc(const Arc& arc, Owner owner) {
    line_.clear();
    ArcJson(line_, arc);
    AddItem(Arcs, owner);
}

void JsonDocumentWriter::OnFill(const Fill& fill, Owner owner) {
    line_.clear();
    FillJson(line_, fill);
    AddItem(Fills, owner);
}

void JsonDocumentWriter::OnText(const Text& text, Owner owner) {
    line_.clear();
    TextJson(line_, text);
    AddItem(Texts, owner);
}

void JsonDocumentWriter::OnComponentBegin(const Component& c) {
    for (List& list : componentLists_) {
        list.Items.clear();
        list.Empty = true;
    }
    std::string& out = componentFields_;
    out.clear();
    out += '{';
    MemberName(out, "designator", 3, true);
    json::AppendQuoted(out, c.Designator);
    MemberName(out, "comment", 3, false);
    json::AppendQuoted(out, c.Comment);
    MemberName(out, "pattern", 3, false);
    json::AppendQuoted(out, c.Pattern);
    MemberName(out, "x", 3, false);
    out += JsonLength(c.X);
    MemberName(out, "y", 3, false);
    out += JsonLength(c.Y);
    MemberName(out, "layer", 3, false);
    json::AppendQuoted(out, c.Layer);
    MemberName(out, "rotation", 3, false);
    json::AppendNumber(out, c.Rotation);
    MemberName(out, "designatorText", 3, false);
    OptionalTextJson(out, c.DesignatorText);
    MemberName(out, "commentText", 3, false);
    OptionalTextJson(out, c.CommentText);
}

void JsonDocumentWriter::OnComponentEnd() {
    std::string item;
    ItemStart(item, sectionEmpty_[Components], 2);
    item += componentFields_;
    for (std::size_t kind = 0; kind < PrimitiveKinds; ++kind) {
        const List& list = componentLists_[kind];
        CloseList(item, SectionNames[kind], list.Items, list.Empty, 3);
    }
    item += '\n';
    Indent(item, 2);
    item += '}';
    sections_[Components].Append(item);
    sectionEmpty_[Components] = false;
}

void JsonDocumentWriter::OnNet(const Net& net) {
    line_.clear();
    NetJson(line_, net);
    AddItem(Nets, BoardOwner);
}

void JsonDocumentWriter::OnBoardEnd() {
    for (std::size_t section = 0; section < Count; ++section) {
        std::string head;
        MemberName(head, SectionNames[section], 1, false);
        head += sectionEmpty_[section] ? "[]" : "[";
        out_.Write(head);
        if (sectionEmpty_[section]) {
            continue;
        }
        sections_[section].MoveIntoDocument();
        out_.Write("\n  ]");
    }
    out_.Write("\n}\n");
}

} // namespace corvane::cli
