#include "kicadwriter/CopperJoin.h"

#include "kicadwriter/BoundsGrid.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane::cli::kicad {
namespace {

constexpr std::uint32_t NoMember = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t NoGroup = std::numeric_limits<std::size_t>::max();

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
    return p.X >= double(b.MinX) && p.X <= double(b.MaxX) && p.Y >= double(b.MinY) &&
           p.Y <= double(b.MaxY);
}

// Whether an anchor of one lies on the other; an anchor outside the other's bounds cannot.
bool AnchorOn(const Shape& from, const Shape& on, const Bounds& onBox) {
    return std::any_of(from.Anchors.begin(), from.Anchors.end(),
                       [&](CopperPoint p) { return Within(p, onBox) && Covers(on.Outline, p); });
}

// Joins the pieces of one bucket at a time, in the order of their left edges. A member is tested
// against the groups present before it, each group's members in turn until one touches it, and
// not against its own group: a bucket full of one group costs what its members are, however many
// they are. Members that end left of the one being placed end left of every later one: they
// leave their groups' lists as they are met. Pairs that share several cells are tested in one
// of them.
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
        // By left edge, and in the order of the pieces where the edges are equal: copper stacked
        // on one spot stays together.
        std::sort(members_.begin(), members_.end(), [](const Member& a, const Member& b) {
            return a.Box.MinX != b.Box.MinX ? a.Box.MinX < b.Box.MinX : a.Piece < b.Piece;
        });
        for (std::uint32_t m = 0; m < members_.size(); ++m) {
            Place(m);
        }
    }

private:
    // Tests the member against the groups present, joins it to those it touches and puts it in
    // the group they make. The groups left without members, or joined into another, go.
    void Place(std::uint32_t m) {
        placedShaped_ = false;
        const std::uint32_t own = groups_.Root(members_[m].Piece);
        std::uint32_t root = own;
        std::size_t into = NoGroup; // the member's group among those kept
        std::size_t kept = 0;
        for (std::size_t g = 0; g < present_.size(); ++g) {
            PresentGroup group = present_[g];
            const bool joined = group.Root == own || Meets(m, group, root);
            if (group.First == NoMember) {
                continue;
            }
            if (!joined) {
                present_[kept++] = group;
            } else if (into == NoGroup) {
                into = kept;
                present_[kept++] = group;
            } else {
                members_[present_[into].Last].Next = group.First;
                present_[into].Last = group.Last;
            }
        }
        present_.resize(kept);
        if (into == NoGroup) {
            present_.push_back({root, m, m});
            KeepPlacedShape(m);
            return;
        }
        present_[into].Root = root;
        // A piece the same as the last of its group touches what that one touches: the list
        // keeps one of a stack, which another group's piece then meets once.
        if (!SameCopper(pieces_[members_[present_[into].Last].Piece], pieces_[members_[m].Piece])) {
            members_[present_[into].Last].Next = m;
            present_[into].Last = m;
            KeepPlacedShape(m);
        }
    }

    void KeepPlacedShape(std::uint32_t m) {
        if (placedShaped_) {
            members_[m].Shape = std::uint32_t(shapes_.size());
            shapes_.push_back(placed_);
        }
    }

    // Whether the member touches one of the group's, joined then; the members met that end left
    // of it leave the list.
    bool Meets(std::uint32_t m, PresentGroup& group, std::uint32_t& root) {
        const float left = members_[m].Box.MinX;
        std::uint32_t before = NoMember;
        for (std::uint32_t y = group.First; y != NoMember; y = members_[y].Next) {
            if (members_[y].Box.MaxX < left) {
                (before == NoMember ? group.First : members_[before].Next) = members_[y].Next;
                if (group.Last == y) {
                    group.Last = before;
                }
                continue;
            }
            if (Touch(members_[m], members_[y])) {
                root = groups_.Join(members_[m].Piece, members_[y].Piece);
                return true;
            }
            before = y;
        }
        return false;
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
        const Shape& placed = PlacedShape(a);
        const Shape& listed = shapes_[ShapeOf(b)];
        return AnchorOn(placed, listed, b.Box) || AnchorOn(listed, placed, a.Box);
    }

    // The shape of the member being placed, kept among the bucket's only if it joins a list: a
    // member left out of the lists (one of a stack) is never tested again.
    const Shape& PlacedShape(const Member& m) {
        if (!placedShaped_) {
            placed_.Outline = OutlineOf(pieces_[m.Piece]);
            placed_.Anchors = AnchorsOf(placed_.Outline);
            placedShaped_ = true;
        }
        return placed_;
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
    Shape placed_;
    bool placedShaped_ = false;
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
