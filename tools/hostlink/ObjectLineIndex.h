#pragma once
// The file line of each object of an imported board, by the object's host handle, as the plug-in
// gives it (GetImportReport in its object-lines form: one "handle line" pair a line).

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {

class ObjectLineIndex {
public:
    ObjectLineIndex() = default;
    /// The pairs of the plug-in's text; a line that is not two numbers is passed over.
    explicit ObjectLineIndex(std::string_view text);

    /// The line of the object with this handle, 0 when not known.
    std::uint32_t LineOf(std::uint32_t handle) const;

    bool Empty() const { return lines_.empty() && entries_.empty(); }

private:
    // The server numbers its objects one after the other: most boards' handles fill a range,
    // kept as one line per handle from the first (0: none). Otherwise pairs by handle.
    std::uint32_t first_ = 0;
    std::vector<std::uint32_t> lines_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries_;
};

} // namespace corvane::cli
