#include "BoardCounts.h"

#include "contract/HalvexHost.h"

namespace malformedtest {
namespace {

std::size_t KindSlot(std::uint8_t kind) {
    switch (kind) {
    case HALVEX_KIND_TRACK:
        return 0;
    case HALVEX_KIND_VIA:
        return 1;
    case HALVEX_KIND_PAD:
        return 2;
    case HALVEX_KIND_ARC:
        return 3;
    case HALVEX_KIND_FILL:
        return 4;
    case HALVEX_KIND_TEXT:
        return 5;
    case HALVEX_KIND_COMPONENT:
        return 6;
    case HALVEX_KIND_NET:
        return 7;
    default:
        return 8;
    }
}

} // namespace

std::optional<std::size_t> KindIndex(std::string_view name) {
    for (std::size_t i = 0; i < KindNames.size(); ++i) {
        if (KindNames[i] == name) {
            return i;
        }
    }
    return std::nullopt;
}

BoardCounts CountBoard(std::uint32_t board) {
    BoardCounts counts;
    const std::int32_t members = Halvex_GetMemberCount(board);
    for (std::int32_t i = 0; i < members; ++i) {
        HalvexObjectInfo info{};
        if (Halvex_GetObjectInfo(Halvex_GetMemberAt(board, i), &info) != HALVEX_STATUS_OK) {
            ++counts.Objects[KindSlot(0)];
            continue;
        }
        ++counts.Objects[KindSlot(info.Kind)];
        if (info.Kind == HALVEX_KIND_COMPONENT) {
            counts.ComponentChildren += Halvex_GetMemberCount(info.Handle);
        } else if (info.Kind == HALVEX_KIND_NET) {
            counts.NetMembers += Halvex_GetMemberCount(info.Handle);
        }
    }
    return counts;
}

std::string Describe(const BoardCounts& counts) {
    std::string text;
    const auto add = [&text](std::string_view name, int count) {
        if (count != 0) {
            text += (text.empty() ? "" : " ") + std::string(name) + "=" + std::to_string(count);
        }
    };
    for (std::size_t i = 0; i < KindNames.size(); ++i) {
        add(KindNames[i], counts.Objects[i]);
    }
    add("children", counts.ComponentChildren);
    add("net-members", counts.NetMembers);
    return text.empty() ? "nothing" : text;
}

} // namespace malformedtest
