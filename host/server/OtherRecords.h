#pragma once
// The kinds an import never creates: from-tos, manual from-tos, object classes, embedded objects,
// embedded boards, rules, violations, component bodies and differential pairs. Their fields are
// the host's; the server keeps them so that each can be exchanged.

#include "HostLayerTable.h"
#include "KindRecord.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace halvex {

/// A connection line from (X, Y) to (X2, Y2).
struct FromToRecord : KindRecord<ObjectKind::FromTo> {
    explicit FromToRecord(HostHandle handle) : KindRecord(handle) {}
    Bool8 FlagA = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    Bool8 FlagB = 0;
};

struct ManualFromToRecord : KindRecord<ObjectKind::ManualFromTo> {
    explicit ManualFromToRecord(HostHandle handle) : KindRecord(handle) {}
    std::array<std::string, 3> Texts;
    std::int32_t Value = 0;
};

/// A named group of objects; its members are names.
struct ClassRecord : KindRecord<ObjectKind::ObjectClass> {
    explicit ClassRecord(HostHandle handle) : KindRecord(handle) {}
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
    std::string ClassName;
    std::vector<std::string> Members;
};

/// An embedded object with a 4096-byte data block (kept from its first write on; zeros before).
struct EmbeddedRecord : KindRecord<ObjectKind::Embedded> {
    static constexpr std::size_t DataSize = 4096;
    explicit EmbeddedRecord(HostHandle handle) : KindRecord(handle) {}
    std::string Text;
    std::unique_ptr<std::uint8_t[]> Data;
};

/// An embedded board at (X, Y). New: on "TopLayer".
struct EmbeddedBoardRecord : KindRecord<ObjectKind::EmbeddedBoard> {
    explicit EmbeddedBoardRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}
    std::string Text;
    std::array<std::int32_t, 4> Values{};
    std::uint64_t Value64 = 0;
    Bool8 Mirror = 0;
    std::uint8_t Option = 0;
};

struct RuleRecord : KindRecord<ObjectKind::Rule> {
    explicit RuleRecord(HostHandle handle) : KindRecord(handle) {}
    std::array<std::uint8_t, 9> Options{};
    std::array<std::int32_t, 4> Values{};
    std::array<std::string, 10> Texts;
};

struct ViolationRecord : KindRecord<ObjectKind::Violation> {
    explicit ViolationRecord(HostHandle handle) : KindRecord(handle) {}
    std::array<std::string, 2> Texts;
    std::array<std::int32_t, 3> Values{};
};

/// Kinds with no fields beyond those every object has.
struct ComponentBodyRecord : KindRecord<ObjectKind::ComponentBody> {
    explicit ComponentBodyRecord(HostHandle handle) : KindRecord(handle) {}
};
struct DifferentialPairRecord : KindRecord<ObjectKind::DifferentialPair> {
    explicit DifferentialPairRecord(HostHandle handle) : KindRecord(handle) {}
};

} // namespace halvex
