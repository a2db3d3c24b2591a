#ifndef CORVANE_OBJECT_KIND_CODES_H
#define CORVANE_OBJECT_KIND_CODES_H
/*
 * The host's object kind codes: the argument of PcbApi_CreateObject and the ObjectId of every
 * object, the same on the host, the substitute server and the plug-in's model. The numbers are the
 * host's; 23 to 25 name no kind. C, for the server's C interface; C++ also gets them as an enum.
 */

#define HALVEX_KIND_ARC 1
#define HALVEX_KIND_PAD 2
#define HALVEX_KIND_VIA 3
#define HALVEX_KIND_TRACK 4
#define HALVEX_KIND_TEXT 5
#define HALVEX_KIND_FILL 6
#define HALVEX_KIND_FROM_TO 7
#define HALVEX_KIND_NET 8
#define HALVEX_KIND_COMPONENT 9
#define HALVEX_KIND_POLYGON 10
#define HALVEX_KIND_REGION 11
#define HALVEX_KIND_COMPONENT_BODY 12
#define HALVEX_KIND_DIMENSION 13
#define HALVEX_KIND_COORDINATE 14
#define HALVEX_KIND_OBJECT_CLASS 15
#define HALVEX_KIND_RULE 16
#define HALVEX_KIND_MANUAL_FROM_TO 17
#define HALVEX_KIND_DIFFERENTIAL_PAIR 18
#define HALVEX_KIND_VIOLATION 19
#define HALVEX_KIND_EMBEDDED 20
#define HALVEX_KIND_EMBEDDED_BOARD 21
#define HALVEX_KIND_SPLIT_PLANE 22
#define HALVEX_KIND_BOARD_OUTLINE 26

#ifdef __cplusplus
#include <cstdint>

namespace corvane {

enum class ObjectKind : std::uint8_t {
    Arc = HALVEX_KIND_ARC,
    Pad = HALVEX_KIND_PAD,
    Via = HALVEX_KIND_VIA,
    Track = HALVEX_KIND_TRACK,
    Text = HALVEX_KIND_TEXT,
    Fill = HALVEX_KIND_FILL,
    FromTo = HALVEX_KIND_FROM_TO,
    Net = HALVEX_KIND_NET,
    Component = HALVEX_KIND_COMPONENT,
    Polygon = HALVEX_KIND_POLYGON,
    Region = HALVEX_KIND_REGION,
    ComponentBody = HALVEX_KIND_COMPONENT_BODY,
    Dimension = HALVEX_KIND_DIMENSION,
    Coordinate = HALVEX_KIND_COORDINATE,
    ObjectClass = HALVEX_KIND_OBJECT_CLASS,
    Rule = HALVEX_KIND_RULE,
    ManualFromTo = HALVEX_KIND_MANUAL_FROM_TO,
    DifferentialPair = HALVEX_KIND_DIFFERENTIAL_PAIR,
    Violation = HALVEX_KIND_VIOLATION,
    Embedded = HALVEX_KIND_EMBEDDED,
    EmbeddedBoard = HALVEX_KIND_EMBEDDED_BOARD,
    SplitPlane = HALVEX_KIND_SPLIT_PLANE,
    BoardOutline = HALVEX_KIND_BOARD_OUTLINE,
};

/// The code of a kind as the host exchanges it (one byte).
constexpr std::uint8_t KindCodeOf(ObjectKind kind) {
    return static_cast<std::uint8_t>(kind);
}

} // namespace corvane
#endif

#endif
