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

    /// The line of the object with this handle, 0 when not known. A walk asks in about the
    /// order the objects were made: the entry after the last one found is tried first.
    std::uint32_t LineOf(std::uint32_t handle);

    bool Empty() const { return entries_.empty(); }

private:
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries_; // by handle
    std::size_t next_ = 0;
};

} // namespace corvane::cli
