// The bulk of a board: which objects are far from the rest, and the extent of the others, one
// board a row (coordinates in mils, the finder's unit).

#include "boardmodel/BoardBulk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::cli {
namespace {

constexpr double MilsPerHostUnit = 1e-4;

// An object: its extent and anchors; a line from (x1, y1) to (x2, y2) of the given width, or a
// circle about (x1, y1) of the given radius (x2, y2 unused).
struct Object {
    double X1, Y1, X2, Y2, Reach;
    bool Circle = false;

    BulkBox Extent() const {
        if (Circle) {
            return {X1 - Reach, Y1 - Reach, X1 + Reach, Y1 + Reach};
        }
        return {std::min(X1, X2) - Reach, std::min(Y1, Y2) - Reach, std::max(X1, X2) + Reach,
                std::max(Y1, Y2) + Reach};
    }
    void AddTo(BulkFinder& finder) const {
        const BulkPoint ends[] = {{X1, Y1}, {X2, Y2}};
        finder.Add(Extent(), {ends, Circle ? 1u : 2u});
    }
};

// Twenty tracks of a 2 by 1 inch board at (1000, 1000).
std::vector<Object> SmallBoard() {
    std::vector<Object> board;
    for (int i = 0; i < 20; ++i) {
        board.push_back({1000, 1000 + 50.0 * i, 3000, 1000 + 50.0 * i, 5});
    }
    return board;
}

TEST(BoardBulk, FarObjectsAreLeftOutAndTheRestKeepTheirExtent) {
    const BulkBox small{995, 995, 3005, 1955}; // the small board's tracks with their widths
    struct Case {
        std::string What;
        std::vector<Object> Added; // to the small board
        std::vector<bool> Far;     // of the added objects
        BulkBox Extent;
    };
    const std::vector<Case> cases = {
        {"nothing far: the extent of everything", {}, {}, small},
        {"a track 3 inches off: a gap bridged",
         {{6000, 1000, 6100, 1000, 5}},
         {false},
         {995, 995, 6105, 1955}},
        {"a via 40 inches off", {{41000, 1500, 41000, 1500, 25}}, {true}, small},
        {"a track from the board to the host's limit (a damaged end)",
         {{2000, 1200, 214748, 1200, 10}},
         {true},
         small},
        {"a text far below", {{2000, -150000, 2000, -150000, 30}}, {true}, small},
        {"a circle about the board's middle with a damaged radius",
         {{2000, 1500, 0, 0, 200000, true}},
         {true},
         small},
        {"a circle drawn around the board",
         {{2000, 1500, 0, 0, 1200, true}},
         {false},
         {800, 300, 3200, 2700}},
        {"a second board 3 inches away, as large as the first: a panel",
         {{6000, 1000, 8000, 1000, 5}, {6000, 1950, 8000, 1950, 5}},
         {false, false},
         {995, 995, 8005, 1955}},
        {"two objects far on either side",
         {{-90000, 1500, -90000, 1500, 10}, {90000, 1500, 90000, 1500, 10}},
         {true, true},
         small},
    };
    for (const Case& c : cases) {
        BulkFinder finder(MilsPerHostUnit);
        for (const Object& o : SmallBoard()) {
            o.AddTo(finder);
        }
        for (const Object& o : c.Added) {
            o.AddTo(finder);
        }
        const std::optional<BoardBulk> bulk = finder.Bulk();
        ASSERT_TRUE(bulk.has_value()) << c.What;
        EXPECT_EQ(bulk->Extent, c.Extent) << c.What;
        for (const Object& o : SmallBoard()) {
            EXPECT_TRUE(bulk->IsNear(o.Extent())) << c.What;
        }
        for (std::size_t i = 0; i < c.Added.size(); ++i) {
            EXPECT_EQ(!bulk->IsNear(c.Added[i].Extent()), c.Far[i]) << c.What << ", object " << i;
        }
    }
}

TEST(BoardBulk, ABoardWithoutObjectsHasNoBulkAndOneOfManyFarObjectsStillHasItsBoard) {
    EXPECT_FALSE(BulkFinder().Bulk().has_value());
    // A generated board's clamped values stack at the host's limit: many, but not most.
    BulkFinder finder(MilsPerHostUnit);
    for (const Object& o : SmallBoard()) {
        o.AddTo(finder);
    }
    for (int i = 0; i < 9; ++i) {
        Object{214748, 1000.0 + i, 214748, 1000.0 + i, 0}.AddTo(finder);
    }
    EXPECT_EQ(finder.Bulk()->Extent, (BulkBox{995, 995, 3005, 1955}));
}

} // namespace
} // namespace corvane::cli
