#pragma once
// Strings kept once each and referred to by number: a board names a few layers and some thousands
// of nets and pad names over and over, which as strings per object took most of a stored board.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

class StringPool {
public:
    using Id = std::uint32_t;

    /// The number of the text, given one when it is new.
    Id Intern(std::string_view text);

    /// The number of the text, when it has one.
    std::optional<Id> Find(std::string_view text) const;

    /// The text of a number Intern gave; valid while the pool lives and takes no new text.
    std::string_view View(Id id) const {
        return std::string_view(bytes_).substr(starts_[id], starts_[id + 1] - starts_[id]);
    }

    std::size_t Size() const { return starts_.size() - 1; }

private:
    static std::size_t Hash(std::string_view text);
    /// The slot of the text, or the free slot where it would go.
    std::size_t SlotOf(std::string_view text) const;
    void Grow();

    std::string bytes_;                     // every text, one after the other
    std::vector<std::size_t> starts_ = {0}; // where text i starts; one more for the end
    std::vector<Id> slots_;                 // open addressing: an id + 1, 0 for a free slot
};

} // namespace corvane::cli
