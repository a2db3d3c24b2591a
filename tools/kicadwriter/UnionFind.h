#pragma once
// Groups of things numbered 0 to n - 1, joined two at a time: a union-find whose root is always
// the group's lowest number, so that the groups do not depend on the order of the joins.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

namespace corvane::cli::kicad {

class UnionFind {
public:
    explicit UnionFind(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::uint32_t{0});
    }

    /// The lowest number of the group (path halving on the way).
    std::uint32_t Root(std::size_t member) {
        auto i = std::uint32_t(member);
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }

    void Prefetch(std::size_t member) const { __builtin_prefetch(&parent_[member]); }

    /// Joins the two groups; returns the root of the group they make.
    std::uint32_t Join(std::size_t a, std::size_t b) {
        const std::uint32_t ra = Root(a), rb = Root(b);
        parent_[std::max(ra, rb)] = std::min(ra, rb);
        return std::min(ra, rb);
    }

private:
    std::vector<std::uint32_t> parent_; // counted in 32 bits
};

} // namespace corvane::cli::kicad
