#pragma once
// Synthetic Corvane boards of any size, for measuring the import. The same shape and seed always
// give the same bytes, on every platform: the generator draws from its own 64-bit generator and
// does its own range reduction and shuffling.

#include <cstdint>
#include <string>

namespace corvane::bench {

/// Objects piled on one another, the geometry whose cost run-bench.sh follows as it grows.
enum class Pile {
    None,
    StackedTracks,    // N identical free tracks on one spot
    StackedPads,      // N free pads on one spot, named 1 to N
    OverlappingFills, // N large fills, every one overlapping every other
    KeepOutSquares,   // N small closed squares of four tracks on the keep-out layer, on a grid
    CrossingGrid,     // N long tracks, half across and half down, each crossing half the others
};

/// How many records of each kind a board holds and how they are laid out.
struct BoardShape {
    std::uint32_t Components = 0;
    std::uint32_t PinsPerComponent = 20;
    /// Outline tracks and arcs of each component besides its pads.
    std::uint32_t OutlineTracks = 4;
    std::uint32_t OutlineArcs = 1;
    /// Every fourth component sits on the bottom side (surface pads, bottom overlay).
    std::uint32_t BottomEvery = 4;
    /// Nets join 2..6 pins; they are made until this share of all pins is used (or Nets is
    /// reached when it is not 0).
    std::uint32_t Nets = 0;
    std::uint32_t MinNodes = 2;
    std::uint32_t MaxNodes = 6;
    double PinShareInNets = 0.8;
    /// Nets follow each component instead of coming after all of them: after every component,
    /// nets over pins of the components so far (most of them earlier ones) until the share above
    /// of all pins so far is used. Designators stay unique.
    bool AlternateNets = false;
    /// One pad in this many carries a plane-connection code (0: none).
    std::uint32_t PlaneCodedEvery = 50;
    // Free records of every kind.
    std::uint32_t FreeTracks = 0;
    std::uint32_t FreeVias = 0;
    std::uint32_t FreePads = 0;
    std::uint32_t FreeArcs = 0;
    std::uint32_t FreeFills = 0;
    std::uint32_t FreeStrings = 0;
    /// A board of the pile alone, instead of components, nets and free records.
    Pile PileKind = Pile::None;
    std::uint32_t PileCount = 0;
    int Version = 4;
    bool CrLf = true;
    std::uint64_t Seed = 1;
};

/// A shape of about the given number of records: components of PinsPerComponent pins with nets
/// over most of their pins, and a fifth of the records as free records of every kind.
BoardShape ShapeForRecords(std::uint64_t records, std::uint32_t pinsPerComponent = 20);

/// What a generated board holds.
struct BoardCounts {
    /// Record keyword lines (top-level and component sub-records) plus net node lines.
    std::uint64_t Records = 0;
    /// Host objects an import makes: every record's object, the two texts of each component and
    /// the nets.
    std::uint64_t Objects = 0;
    std::uint64_t Components = 0;
    std::uint64_t Nets = 0;
    std::uint64_t Nodes = 0;
    std::uint64_t Lines = 0;
    std::uint64_t Bytes = 0;
};

/// Writes the board as the text of a Corvane file.
std::string GenerateBoard(const BoardShape& shape, BoardCounts* counts = nullptr);

} // namespace corvane::bench
