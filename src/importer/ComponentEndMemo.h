#pragma once
// The line starts from which a component's loop is known to meet no "ENDCOMP" before a "COMP"
// line or the end of the file. Where the loop goes from a line depends on nothing but that line's
// place, so a look-ahead that reaches one of them has its answer there: no stretch of the file is
// looked ahead over twice for the same answer.

#include <cstddef>
#include <cstdint>
#include <set>
#include <span>

namespace corvane {

class ComponentEndMemo {
public:
    /// Bounds the memory a crafted file can ask for; past it, look-aheads only repeat work.
    static constexpr std::size_t MaxLines = std::size_t{1} << 20;

    bool LeadsToNoEnd(std::uint64_t lineOffset) const { return lines_.contains(lineOffset); }

    /// Keeps the line starts of a look-ahead that met no "ENDCOMP", and forgets those before
    /// from, which the import has passed and never looks ahead from again.
    void AddLinesWithoutEnd(std::span<const std::uint64_t> lineOffsets, std::uint64_t from);

    void Clear() { lines_.clear(); }

private:
    std::set<std::uint64_t> lines_;
};

} // namespace corvane
