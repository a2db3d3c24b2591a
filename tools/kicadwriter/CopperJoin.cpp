#include "kicadwriter/CopperJoin.h"

#include "kicadwriter/BoundsGrid.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane::cli::kicad {
namespace {

constexpr std::uint32_t NoMember = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t NoGroup = std::numeric_limits<std::size_t>::max();

// How far outside its bounds a point may still be found on a piece, in host units: the rounding
// of the hit tests is a millionth of that on any board.
constexpr double Slack = 1;

// A piece of the bucket being joined, with what its tests need near at hand.
struct Member {
    std::uint32_t Piece = 0;
    std::uint32_t Next = NoMember;  // the next member of its group in this bucket
    std::uint32_t Shape = NoMember; // its outline and anchors among the bucket's, once made
    CopperMask Layers = 0;
    Bounds Box;
};

// What the tests of a member's touch need, made the first time a pair needs it.
struct Shape {
    CopperOutline Outline;
    CopperAnchors Anchors;
};

// A group present in the bucket, with its members there in a list.
struct PresentGroup {
    std::uint32_t Root = 0;
    std::uint32_t First = NoMember, Last = NoMember;
};

bool Within(CopperPoint p, const Bounds& b) {
    return p.X >= double(b.MinX) - Slack && p.X <= double(b.MaxX) + Slack &&
           p.Y >= double(b.MinY) - Slack && p.Y <= double(b.MaxY) + Slack;
}

// Whether an anchor of one lies on the other; an anchor outside the other's bounds cannot.
bool AnchorOn(const Shape& from, const Shape& on, const Bounds& onBox) {
    return std::any_of(from.Anchors.begin(), from.Anchors.end(),
                       [&](CopperPoint p) { return Within(p, onBox) && Covers(on.Outline, p); });
}

// Joins the pieces of one bucket at a time. A member is tested against the groups present
// before it, each group's members in turn until one touches it, and not against its own group:
// a bucket full of one group costs what its members are, however many they are. Pairs that
// share several cells are tested in one of them.
class BucketJoiner {
public:
    BucketJoiner(const std::vector<CopperPiece>& pieces, const std::vector<CopperMask>& layerSets,
                 const BoundsGrid& grid, UnionFind& groups)
        : pieces_(pieces), layerSets_(layerSets), grid_(grid), groups_(groups) {}

    void Join(std::size_t bucket) {
        const auto ids = grid_.Bucket(bucket);
        if (ids.size() < 2) {
            return;
        }
        bucket_ = bucket;
        members_.clear();
        present_.clear();
        shapes_.clear();
        for (const std::uint32_t id : ids) {
            members_.push_back(
                {id, NoMember, NoMember, layerSets_[pieces_[id].Layers], pieces_[id].Box});
        }
        for (std::uint32_t m = 0; m < members_.size(); ++m) {
            Place(m);
        }
    }

private:
    // Tests the member against the groups present, joins it to those it touches and puts it in
    // the group they make.
    void Place(std::uint32_t m) {
        const std::uint32_t own = groups_.Root(members_[m].Piece);
        std::uint32_t root = own;
        std::size_t home = NoGroup;
        met_.clear();
        for (std::size_t g = 0; g < present_.size(); ++g) {
            if (present_[g].Root == own) {
                home = g;
                continue;
            }
            for (std::uint32_t y = present_[g].First; y != NoMember; y = members_[y].Next) {
                if (Touch(members_[m], members_[y])) {
                    root = groups_.Join(members_[m].Piece, members_[y].Piece);
                    met_.push_back(g);
                    break;
                }
            }
        }
        if (home == NoGroup && met_.empty()) {
            present_.push_back({root, m, m});
            return;
        }
        const std::size_t into = home != NoGroup ? home : met_.front();
        for (const std::size_t g : met_) {
            if (g != into) {
                members_[present_[into].Last].Next = present_[g].First;
                present_[into].Last = present_[g].Last;
                present_[g].First = NoMember;
            }
        }
        present_[into].Root = root;
        members_[present_[into].Last].Next = m;
        present_[into].Last = m;
        if (met_.size() > (home == NoGroup ? 1U : 0U)) {
            std::erase_if(present_, [](const PresentGroup& g) { return g.First == NoMember; });
        }
    }

    bool Touch(Member& a, Member& b) {
        if ((a.Layers & b.Layers) == 0 || !a.Box.Overlaps(b.Box)) {
            return false;
        }
        // The pair is tested in the bucket of the lowest corner of its boxes' overlap, which
        // both are listed in.
        if (grid_.BucketOf(std::max(a.Box.MinX, b.Box.MinX), std::max(a.Box.MinY, b.Box.MinY)) !=
            bucket_) {
            return false;
        }
        const std::uint32_t first = ShapeOf(a), second = ShapeOf(b);
        return AnchorOn(shapes_[first], shapes_[second], b.Box) ||
               AnchorOn(shapes_[second], shapes_[first], a.Box);
    }

    std::uint32_t ShapeOf(Member& m) {
        if (m.Shape == NoMember) {
            m.Shape = std::uint32_t(shapes_.size());
            const CopperOutline outline = OutlineOf(pieces_[m.Piece]);
            shapes_.push_back({outline, AnchorsOf(outline)});
        }
        return m.Shape;
    }

    const std::vector<CopperPiece>& pieces_;
    const std::vector<CopperMask>& layerSets_;
    const BoundsGrid& grid_;
    UnionFind& groups_;
    std::size_t bucket_ = 0;
    std::vector<Member> members_;
    std::vector<PresentGroup> present_;
    std::vector<Shape> shapes_;
    std::vector<std::size_t> met_; // the groups present that the member joined
};

} // namespace

void JoinTouching(const std::vector<CopperPiece>& pieces, const std::vector<CopperMask>& layerSets,
                  UnionFind& groups) {
    const BoundsGrid grid(pieces.size(), [&](std::size_t i) { return pieces[i].Box; });
    BucketJoiner joiner(pieces, layerSets, grid, groups);
    // The pieces of a bucket a few ahead are asked for early: they lie anywhere in memory, and
    // their waits overlap the tests of the buckets before. Then their records and groups, once
    // the pieces are near.
    constexpr std::size_t PrefetchAhead = 4;
    const std::size_t buckets = grid.BucketCount();
    for (std::size_t b = 0; b < buckets; ++b) {
        if (b + PrefetchAhead < buckets) {
            for (const std::uint32_t i : grid.Bucket(b + PrefetchAhead)) {
                __builtin_prefetch(&pieces[i]);
            }
        }
        if (b + PrefetchAhead / 2 < buckets) {
            for (const std::uint32_t i : grid.Bucket(b + PrefetchAhead / 2)) {
                __builtin_prefetch(RecordAddress(pieces[i]));
                groups.Prefetch(i);
            }
        }
        joiner.Join(b);
    }
}

} // namespace corvane::cli::kicad
