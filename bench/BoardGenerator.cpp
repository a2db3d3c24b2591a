#include "BoardGenerator.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace corvane::bench {
namespace {

// SplitMix64: small, fast and fully defined, so a seed means the same board everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /// A value in [low, high]; the slight modulo bias does not matter here.
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<std::int64_t>(Next() % span);
    }

    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            const auto j = static_cast<std::size_t>(Next() % i);
            std::swap(items[i - 1], items[j]);
        }
    }

private:
    std::uint64_t state_;
};

// File layer numbers of the format.
constexpr int TopLayer = 1;
constexpr int BottomLayer = 6;
constexpr int TopOverlay = 7;
constexpr int BottomOverlay = 8;
constexpr int KeepOutLayer = 12;
constexpr int MultiLayer = 13;

// Board area in mils; components sit on a grid inside it.
constexpr std::int64_t BoardSpan = 200000;

class BoardWriter {
public:
    BoardWriter(const BoardShape& shape, BoardCounts& counts)
        : shape_(shape), counts_(counts), random_(shape.Seed),
          lineEnd_(shape.CrLf ? "\r\n" : "\n") {}

    std::string Write() {
        Line(shape_.Version == 5 ? "PCB FILE 5" : "PCB FILE 4");
        if (shape_.PileKind != Pile::None) {
            Piled();
            Line("ENDPCB");
            counts_.Bytes = text_.size();
            return std::move(text_);
        }
        for (std::uint32_t c = 0; c < shape_.Components; ++c) {
            Component(c);
            if (shape_.AlternateNets) {
                NetsAfterComponent(c);
            }
        }
        FreeRecords();
        if (!shape_.AlternateNets) {
            Nets();
        }
        Line("ENDPCB");
        counts_.Bytes = text_.size();
        return std::move(text_);
    }

private:
    void Line(std::string_view line) {
        text_.append(line);
        text_.append(lineEnd_);
        ++counts_.Lines;
    }

    template <typename... Values> void Numbers(Values... values) {
        std::string line;
        bool first = true;
        for (const std::int64_t value : {static_cast<std::int64_t>(values)...}) {
            if (!first) {
                line.push_back(' ');
            }
            first = false;
            line.append(std::to_string(value));
        }
        Line(line);
    }

    void Record(std::string_view keyword) {
        Line(keyword);
        ++counts_.Records;
        ++counts_.Objects;
    }

    std::int64_t Coordinate() { return random_.Between(0, BoardSpan); }

    bool OnBottom(std::uint32_t component) const {
        return shape_.BottomEvery != 0 && component % shape_.BottomEvery == shape_.BottomEvery - 1;
    }

    // The file's plane code of the next pad: 1 (none) for most, 2 or 4 (planes 1 and 2) for a few.
    int PlaneCode() {
        if (shape_.PlaneCodedEvery == 0 || random_.Between(1, shape_.PlaneCodedEvery) != 1) {
            return 1;
        }
        return random_.Between(0, 1) == 0 ? 2 : 4;
    }

    void Component(std::uint32_t index) {
        const bool bottom = OnBottom(index);
        const std::int64_t columns = 400;
        const std::int64_t x = 1000 + (index % columns) * 450;
        const std::int64_t y = 1000 + (index / columns) * 450;
        Line("COMP");
        ++counts_.Records;
        counts_.Objects += 3; // the component and its two texts
        ++counts_.Components;
        Line("U" + std::to_string(index + 1));
        Line(bottom ? "SO" + std::to_string(shape_.PinsPerComponent)
                    : "DIP" + std::to_string(shape_.PinsPerComponent));
        Line("IC" + std::to_string(random_.Between(100, 999)));
        const int overlay = bottom ? BottomOverlay : TopOverlay;
        Line(" " + std::to_string(x + 30) + " " + std::to_string(y + 80) + " 60 0 10 " +
             std::to_string(overlay));
        Line(" " + std::to_string(x + 30) + " " + std::to_string(y + 160) + " 60 0 10 " +
             std::to_string(overlay));
        if (index % 7 == 0) {
            Numbers(x, y, 2, 2, 0); // a fifth value: the object flag
        } else {
            Numbers(x, y, 2, 2);
        }
        const int padLayer = bottom ? BottomLayer : MultiLayer;
        const int padShape = bottom ? 2 : 1;
        for (std::uint32_t pin = 0; pin < shape_.PinsPerComponent; ++pin) {
            Record("CP");
            const std::int64_t row = pin % 2 == 0 ? 0 : 300;
            Numbers(x + row, y + static_cast<std::int64_t>(pin / 2) * 100, 62, 62,
                    pin == 0 ? 2 : padShape, bottom ? 0 : 25, PlaneCode(), padLayer);
            Line(std::to_string(pin + 1));
        }
        const std::int64_t height = (shape_.PinsPerComponent + 1) / 2 * 100;
        for (std::uint32_t t = 0; t < shape_.OutlineTracks; ++t) {
            Record("CT");
            const std::int64_t side = t % 4;
            Numbers(x - 50 + (side == 1 ? 400 : 0), y - 50 + (side == 2 ? height : 0),
                    x - 50 + (side == 3 ? 0 : 400), y - 50 + (side == 0 ? 0 : height), 8, overlay);
        }
        for (std::uint32_t a = 0; a < shape_.OutlineArcs; ++a) {
            Record("CA");
            Numbers(x + 150, y - 50, 25, 12, 8, overlay);
        }
        Line("ENDCOMP");
    }

    void FreeRecords() {
        // Interleaved, as boards list them: a run of each kind in turn.
        std::vector<std::pair<std::string_view, std::uint32_t>> left = {
            {"FT", shape_.FreeTracks}, {"FV", shape_.FreeVias},  {"FP", shape_.FreePads},
            {"FA", shape_.FreeArcs},   {"FF", shape_.FreeFills}, {"FS", shape_.FreeStrings}};
        bool any = true;
        while (any) {
            any = false;
            for (auto& [keyword, count] : left) {
                const std::uint32_t run = std::min<std::uint32_t>(count, 16);
                for (std::uint32_t i = 0; i < run; ++i) {
                    FreeRecord(keyword);
                }
                count -= run;
                any = any || count > 0;
            }
        }
    }

    void FreeRecord(std::string_view keyword) {
        Record(keyword);
        const std::int64_t x = Coordinate();
        const std::int64_t y = Coordinate();
        const int layer = random_.Between(0, 3) == 0 ? BottomLayer : TopLayer;
        if (keyword == "FT") {
            Numbers(x, y, x + random_.Between(-500, 500), y + random_.Between(-500, 500),
                    random_.Between(8, 25), layer);
        } else if (keyword == "FV") {
            Numbers(x, y, 50, 28);
        } else if (keyword == "FP") {
            Numbers(x, y, 80, 80, random_.Between(1, 3), 32, PlaneCode(), MultiLayer);
            Line("MH" + std::to_string(counts_.Records));
        } else if (keyword == "FA") {
            Numbers(x, y, random_.Between(20, 200), random_.Between(1, 15), 10, TopOverlay);
        } else if (keyword == "FF") {
            Numbers(x, y, x + random_.Between(50, 800), y + random_.Between(50, 800), layer);
        } else {
            Numbers(x, y, 60, random_.Between(0, 3), 10, TopOverlay);
            Line("LABEL " + std::to_string(counts_.Records));
        }
    }

    // The pile alone, in mils from the board's origin.
    void Piled() {
        const std::uint32_t n = shape_.PileCount;
        switch (shape_.PileKind) {
        case Pile::None:
            break;
        case Pile::StackedTracks:
            for (std::uint32_t i = 0; i < n; ++i) {
                Record("FT");
                Numbers(1000, 1000, 1500, 1000, 10, TopLayer);
            }
            break;
        case Pile::StackedPads:
            for (std::uint32_t i = 0; i < n; ++i) {
                Record("FP");
                Numbers(1000, 1000, 60, 60, 1, 32, 1, MultiLayer);
                Line(std::to_string(i + 1));
            }
            break;
        case Pile::OverlappingFills: {
            // Every fill holds the square from (Side / 2, Side / 2) to (Side, Side).
            constexpr std::int64_t Side = 10000;
            for (std::uint32_t i = 0; i < n; ++i) {
                Record("FF");
                const std::int64_t x = random_.Between(0, Side / 2),
                                   y = random_.Between(0, Side / 2);
                Numbers(x, y, random_.Between(Side, Side * 3 / 2),
                        random_.Between(Side, Side * 3 / 2), TopLayer);
            }
            break;
        }
        case Pile::KeepOutSquares: {
            const auto columns = static_cast<std::uint32_t>(std::ceil(std::sqrt(double(n))));
            for (std::uint32_t i = 0; i < n; ++i) {
                const std::int64_t x = 1000 + std::int64_t(i % columns) * 100;
                const std::int64_t y = 1000 + std::int64_t(i / columns) * 100;
                const std::int64_t corners[5][2] = {
                    {x, y}, {x + 50, y}, {x + 50, y + 50}, {x, y + 50}, {x, y}};
                for (int side = 0; side < 4; ++side) {
                    Record("FT");
                    Numbers(corners[side][0], corners[side][1], corners[side + 1][0],
                            corners[side + 1][1], 8, KeepOutLayer);
                }
            }
            break;
        }
        case Pile::CrossingGrid: {
            // Lines 20 mil apart, their ends beyond the lines across: they cross and never touch.
            const std::int64_t across = (n + 1) / 2, down = n / 2;
            constexpr std::int64_t Pitch = 20;
            for (std::int64_t i = 0; i < across; ++i) {
                Record("FT");
                Numbers(0, Pitch / 2 + i * Pitch, down * Pitch, Pitch / 2 + i * Pitch, 8, TopLayer);
            }
            for (std::int64_t i = 0; i < down; ++i) {
                Record("FT");
                Numbers(Pitch / 2 + i * Pitch, 0, Pitch / 2 + i * Pitch, across * Pitch, 8,
                        TopLayer);
            }
            break;
        }
        }
    }

    // One net definition over the given pins, numbered after the nets so far.
    void Net(const std::vector<std::uint64_t>& pins) {
        Line("NETDEF");
        ++counts_.Records;
        ++counts_.Objects;
        ++counts_.Nets;
        Line("N" + std::to_string(counts_.Nets));
        Line("(");
        for (const std::uint64_t pin : pins) {
            Line("U" + std::to_string(pin / shape_.PinsPerComponent + 1) + "-" +
                 std::to_string(pin % shape_.PinsPerComponent + 1));
            ++counts_.Records;
            ++counts_.Nodes;
        }
        Line(")");
        Line("{");
        if (counts_.Nets % 5 == 0) {
            Line("NET CLASS SIGNAL");
        }
        Line("}");
    }

    // After component index: its pins join the unused ones, and nets of MinNodes..MaxNodes pins
    // drawn at random from them follow until PinShareInNets of the pins so far are used.
    void NetsAfterComponent(std::uint32_t index) {
        for (std::uint32_t pin = 0; pin < shape_.PinsPerComponent; ++pin) {
            unusedPins_.push_back(static_cast<std::uint64_t>(index) * shape_.PinsPerComponent +
                                  pin);
        }
        const auto pinsSoFar = static_cast<double>(index + 1) * shape_.PinsPerComponent;
        const double share = std::clamp(shape_.PinShareInNets, 0.0, 1.0);
        std::vector<std::uint64_t> pins;
        while (static_cast<double>(usedPins_ + shape_.MinNodes) <= pinsSoFar * share &&
               unusedPins_.size() >= shape_.MinNodes) {
            const auto size = static_cast<std::uint64_t>(
                random_.Between(shape_.MinNodes, std::max(shape_.MinNodes, shape_.MaxNodes)));
            pins.clear();
            for (std::uint64_t n = 0; n < size && !unusedPins_.empty(); ++n) {
                const auto pick = static_cast<std::size_t>(random_.Next() % unusedPins_.size());
                pins.push_back(unusedPins_[pick]);
                unusedPins_[pick] = unusedPins_.back();
                unusedPins_.pop_back();
            }
            usedPins_ += pins.size();
            Net(pins);
        }
    }

    // Nets over distinct pins chosen at random, each of MinNodes..MaxNodes pins.
    void Nets() {
        const std::uint64_t pinCount =
            static_cast<std::uint64_t>(shape_.Components) * shape_.PinsPerComponent;
        std::vector<std::uint64_t> pins(pinCount);
        for (std::uint64_t i = 0; i < pinCount; ++i) {
            pins[i] = i;
        }
        random_.Shuffle(pins);
        const auto budget = static_cast<std::uint64_t>(std::llround(
            static_cast<double>(pinCount) * std::clamp(shape_.PinShareInNets, 0.0, 1.0)));
        std::uint64_t used = 0;
        std::uint32_t made = 0;
        std::vector<std::uint64_t> nodes;
        while (shape_.Nets != 0 ? made < shape_.Nets : used + shape_.MinNodes <= budget) {
            const auto size = static_cast<std::uint64_t>(
                random_.Between(shape_.MinNodes, std::max(shape_.MinNodes, shape_.MaxNodes)));
            nodes.clear();
            for (std::uint64_t n = 0; n < size && used < pinCount; ++n, ++used) {
                nodes.push_back(pins[used]);
            }
            Net(nodes);
            ++made;
            if (used >= pinCount && shape_.Nets == 0) {
                break;
            }
        }
    }

    const BoardShape& shape_;
    BoardCounts& counts_;
    Random random_;
    std::string_view lineEnd_;
    std::string text_;
    std::vector<std::uint64_t> unusedPins_; // pins not in a net yet (alternating nets)
    std::uint64_t usedPins_ = 0;
};

} // namespace

BoardShape ShapeForRecords(std::uint64_t records, std::uint32_t pinsPerComponent) {
    BoardShape shape;
    shape.PinsPerComponent = std::max<std::uint32_t>(pinsPerComponent, 1);
    // A component brings its keyword, its pins and outline, and about PinShareInNets of its pins
    // as node lines of nets averaging four nodes (node lines plus one record per net).
    const double nodesPerComponent = shape.PinsPerComponent * shape.PinShareInNets;
    const double perComponent = 1.0 + shape.PinsPerComponent + shape.OutlineTracks +
                                shape.OutlineArcs + nodesPerComponent * 1.25;
    const double componentRecords = static_cast<double>(records) * 0.8;
    shape.Components =
        static_cast<std::uint32_t>(std::max(1.0, std::round(componentRecords / perComponent)));
    const double free = static_cast<double>(records) * 0.2;
    shape.FreeTracks = static_cast<std::uint32_t>(free * 0.50);
    shape.FreeVias = static_cast<std::uint32_t>(free * 0.20);
    shape.FreePads = static_cast<std::uint32_t>(free * 0.10);
    shape.FreeArcs = static_cast<std::uint32_t>(free * 0.07);
    shape.FreeFills = static_cast<std::uint32_t>(free * 0.05);
    shape.FreeStrings = static_cast<std::uint32_t>(free * 0.08);
    return shape;
}

std::string GenerateBoard(const BoardShape& shape, BoardCounts* counts) {
    BoardCounts local;
    BoardWriter writer(shape, counts != nullptr ? *counts : local);
    return writer.Write();
}

} // namespace corvane::bench
