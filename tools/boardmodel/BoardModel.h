#pragma once
// What landed on the board, as plain values: coordinates and sizes in host units (1/10000 mil),
// angles in degrees, layers by name, nets by name (empty optional: no net). Line: the line of the
// board file the object was read from (its first data line; a component's position line, a
// component text's geometry line), 0 when not known.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

using NetName = std::optional<std::string>;

struct Track {
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, Width = 0;
    std::string Layer;
    NetName Net;
    std::uint32_t Line = 0;

    bool operator==(const Track&) const = default;
};

struct Via {
    std::int32_t X = 0, Y = 0, Size = 0, Hole = 0;
    std::string StartLayer, EndLayer;
    NetName Net;
    std::uint32_t Line = 0;

    bool operator==(const Via&) const = default;
};

struct Pad {
    std::int32_t X = 0, Y = 0;
    std::string Name;
    std::uint8_t ShapeCode = 0;
    std::int32_t XSize = 0, YSize = 0, Hole = 0;
    std::string Layer;
    double Rotation = 0;
    NetName Net;
    /// The rounded rectangle's corner radius, as a percentage of half the smaller side.
    std::uint8_t CornerPercent = 0;
    std::uint32_t Line = 0;

    bool operator==(const Pad&) const = default;
};

struct Arc {
    std::int32_t X = 0, Y = 0, Radius = 0;
    double StartAngle = 0, EndAngle = 0;
    std::int32_t Width = 0;
    std::string Layer;
    NetName Net;
    std::uint32_t Line = 0;

    bool operator==(const Arc&) const = default;
};

struct Fill {
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    std::string Layer;
    double Rotation = 0;
    NetName Net;
    std::uint32_t Line = 0;

    bool operator==(const Fill&) const = default;
};

struct Text {
    std::int32_t X = 0, Y = 0;
    std::string Content;
    std::int32_t Height = 0, Width = 0;
    double Rotation = 0;
    bool Mirror = false;
    std::string Layer;
    std::uint32_t Line = 0;

    bool operator==(const Text&) const = default;
};

/// Primitives, in the order they were added to their board or component.
struct Primitives {
    std::vector<Track> Tracks;
    std::vector<Via> Vias;
    std::vector<Pad> Pads;
    std::vector<Arc> Arcs;
    std::vector<Fill> Fills;
    std::vector<Text> Texts;

    bool operator==(const Primitives&) const = default;
};

struct Component {
    std::string Designator, Comment, Pattern;
    std::int32_t X = 0, Y = 0;
    std::string Layer;
    double Rotation = 0;
    std::optional<Text> DesignatorText, CommentText;
    Primitives Children;
    std::uint32_t Line = 0;

    bool operator==(const Component&) const = default;
};

struct NetNode {
    std::string Component; // designator of the pad's component, empty for a free pad
    std::string Pad;

    bool operator==(const NetNode&) const = default;
};

struct Net {
    std::string Name;
    std::vector<NetNode> Pads;

    bool operator==(const Net&) const = default;
};

struct Plane {
    std::string Layer;
    NetName Net;

    bool operator==(const Plane&) const = default;
};

/// What a document of an aborted import says of itself (the SVG in its title, the KiCad board in
/// its title block; the JSON has "imported": false).
inline constexpr std::string_view PartialDocumentNote =
    "partial: the import was aborted before the end of the file";

/// What the documents say about the import besides the board's contents.
struct DocumentHeader {
    std::string File;             // the file's name without its folder
    int Version = 4;              // 4 or 5
    bool Imported = false;        // false: the import was aborted, and the document is partial
    bool MayHaveLostData = false; // the import report holds an entry of a kind that may lose data
};

/// A board written out whole as values: how tests and benchmarks make one (StoreOf keeps it as the
/// documents read it, VisitBoard walks it).
struct Board {
    DocumentHeader Header;
    std::vector<Plane> Planes;
    Primitives Free;
    std::vector<Component> Components;
    std::vector<Net> Nets;
};

/// The name of a host pad shape code: "round", "rectangle", "octagonal", "roundedRectangle", or
/// "shapeN" for a code the host gives no meaning.
std::string PadShapeName(std::uint8_t shapeCode);

} // namespace corvane::cli
