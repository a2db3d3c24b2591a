// The tables that turn the file's codes into the board's: layers, plane codes, pad shapes, arc
// quadrants, text orientation and stroke width.

#include "importer/GeometryRules.h"
#include "importer/LayerMapping.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

TEST(LegacyLayerIndex, EveryIndexMapsIntoItsRange) {
    for (int index = 0; index <= 255; ++index) {
        const TLayer layer = LegacyLayerIndexToLayer(static_cast<std::uint8_t>(index));
        if (index >= 1 && index <= 15) {
            EXPECT_EQ(layer, index);
        } else if (index >= 16 && index <= 26) {
            EXPECT_EQ(layer, index + 16);
        } else if (index >= 27 && index <= 32) {
            EXPECT_EQ(layer, index + 28);
        } else if (index >= 33 && index <= 42) {
            EXPECT_EQ(layer, index + 40);
        } else {
            EXPECT_EQ(layer, 0) << "index " << index;
        }
    }
    EXPECT_EQ(LegacyLayerIndexToLayer(16), 32);
    EXPECT_EQ(LegacyLayerIndexToLayer(26), 42);
    EXPECT_EQ(LegacyLayerIndexToLayer(27), 55);
    EXPECT_EQ(LegacyLayerIndexToLayer(32), 60);
    EXPECT_EQ(LegacyLayerIndexToLayer(33), 73);
    EXPECT_EQ(LegacyLayerIndexToLayer(42), 82);
    EXPECT_EQ(LegacyLayerIndexToLayer(43), 0);
}

TEST(ImportLayerMap, FileLayersOneToThirteen) {
    const TLayer expected[13] = {1, 2, 3, 4, 15, 32, 33, 34, 39, 40, 57, 56, 74};
    for (int fileLayer = 1; fileLayer <= 13; ++fileLayer) {
        EXPECT_EQ(ImportLayerMap(static_cast<TLayer>(fileLayer)), expected[fileLayer - 1]);
    }
}

TEST(ImportLayerMap, NumbersOutsideTheMapHaveNoEntry) {
    for (const int fileLayer : {0, 14, 15, 32, 74, 255}) {
        EXPECT_FALSE(ImportLayerMap(static_cast<TLayer>(fileLayer)).has_value()) << fileLayer;
    }
}

TEST(PlaneCodes, FileCodesAreClampedThenMapped) {
    const std::uint16_t expected[8] = {0, 0, 1, 2, 4, 5, 3, 6}; // file codes 0..7
    for (int code = 0; code <= 7; ++code) {
        EXPECT_EQ(PlaneCodeMap(static_cast<std::uint8_t>(code)), expected[code]) << code;
    }
    EXPECT_EQ(PlaneCodeMap(9), 6);
    EXPECT_EQ(PlaneCodeMap(255), 6);
}

TEST(PlaneCodes, CodesNameTheFirstFourPlanes) {
    EXPECT_EQ(PlaneOfCode(0), 0);
    for (int code = 1; code <= 12; ++code) {
        EXPECT_EQ(PlaneOfCode(static_cast<std::uint8_t>(code)), (code - 1) / 3 + 1) << code;
    }
    EXPECT_EQ(PlaneOfCode(13), 0);
    EXPECT_EQ(PlaneOfCode(255), 0);
}

TEST(PadShapes, ShapeTableAndSquaringRule) {
    struct Row {
        int File;
        int Shape;
        bool Square;
    };
    const Row rows[] = {{0, 0, false}, {1, 1, true},      {2, 2, false},    {3, 3, true},
                        {4, 1, false}, {5, 1, false},     {6, 1, false},    {7, 7, false},
                        {9, 9, false}, {200, 200, false}, {255, 255, false}};
    for (const Row& row : rows) {
        const PadShapeRule rule = PadShapeOfCode(static_cast<std::uint8_t>(row.File));
        EXPECT_EQ(rule.Shape, row.Shape) << row.File;
        EXPECT_EQ(rule.Square, row.Square) << row.File;
    }
}

TEST(ArcQuadrants, EveryFlagCombination) {
    const double expected[16][2] = {
        {0, 0},     {0, 90},   {90, 180}, {0, 180},   {180, 270}, {0, 90},   {90, 270}, {0, 270},
        {270, 360}, {270, 90}, {90, 180}, {270, 180}, {180, 360}, {180, 90}, {90, 360}, {0, 360}};
    for (int flags = 0; flags < 16; ++flags) {
        const ArcAngles angles = ArcQuadrantAngles(flags);
        EXPECT_EQ(angles.Start, expected[flags][0]) << flags;
        EXPECT_EQ(angles.End, expected[flags][1]) << flags;
    }
    // Only the low four bits count, also for negative numbers.
    EXPECT_EQ(ArcQuadrantAngles(16 + 9).Start, 270);
    EXPECT_EQ(ArcQuadrantAngles(-1).End, 360);
}

TEST(TextOrientation, EveryCombinationOfTurnsMirrorAndHalfTurn) {
    struct Expected {
        double Angle;
        bool Mirrored;
    };
    // Rows: r AND 3; columns: r AND 48 = 0, 16, 32, 48.
    const Expected table[4][4] = {
        {{0, false}, {0, true}, {180, true}, {180, false}},
        {{90, false}, {270, true}, {90, true}, {270, false}},
        {{180, false}, {180, true}, {0, true}, {0, false}},
        {{270, false}, {90, true}, {270, true}, {90, false}},
    };
    for (int turns = 0; turns < 4; ++turns) {
        for (int column = 0; column < 4; ++column) {
            const int code = turns + 16 * column;
            for (const int extraBits : {0, 4, 8, 64, 128}) { // other bits are ignored
                const TextOrientation result = DecodeTextOrientation(code | extraBits);
                EXPECT_EQ(result.Angle, table[turns][column].Angle) << code;
                EXPECT_EQ(result.Mirrored, table[turns][column].Mirrored) << code;
            }
        }
    }
}

TEST(TextOrientation, CodesRoundToNearestHalvesToEven) {
    EXPECT_EQ(RoundOrientationCode(1.5), 2);
    EXPECT_EQ(RoundOrientationCode(2.5), 2);
    EXPECT_EQ(RoundOrientationCode(0.49), 0);
    EXPECT_EQ(RoundOrientationCode(-1.5), -2);
    EXPECT_EQ(DecodeTextOrientation(RoundOrientationCode(1.5)).Angle, 180);
    EXPECT_EQ(DecodeTextOrientation(17).Angle, 270);
    EXPECT_TRUE(DecodeTextOrientation(17).Mirrored);
    EXPECT_EQ(DecodeTextOrientation(48).Angle, 180);
    EXPECT_FALSE(DecodeTextOrientation(48).Mirrored);
}

TEST(TextOrientation, CodesAreWhole64BitNumbersWhoseBitsCount) {
    // 2^32 + 17: the bits of 17 above the 32-bit range, 270 degrees and mirrored.
    EXPECT_EQ(RoundOrientationCode(4294967313.0), 4294967313);
    EXPECT_EQ(DecodeTextOrientation(RoundOrientationCode(4294967313.0)).Angle, 270);
    EXPECT_TRUE(DecodeTextOrientation(RoundOrientationCode(4294967313.0)).Mirrored);
    EXPECT_EQ(RoundOrientationCode(-4294967313.0), -4294967313);
    EXPECT_EQ(DecodeTextOrientation(-4294967313).Angle, 270); // ...EF: three turns and 32
    EXPECT_TRUE(DecodeTextOrientation(-4294967313).Mirrored);
    // Beyond the 64-bit range the low 64 bits of the whole number; NaN gives 0.
    EXPECT_EQ(RoundOrientationCode(9223372036854775808.0),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundOrientationCode(18446744073709559808.0), 8192); // 2^64 + 2^13
    EXPECT_EQ(RoundOrientationCode(-18446744073709559808.0), -8192);
    EXPECT_EQ(RoundOrientationCode(1e300), 0);
    EXPECT_EQ(RoundOrientationCode(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TextStrokeWidth, Breakpoints) {
    struct Row {
        int HeightMils;
        int StrokeMils;
    };
    for (const Row row : {Row{0, 6}, Row{10, 6}, Row{30, 6}, Row{45, 7}, Row{60, 8}, Row{70, 8},
                          Row{80, 8}, Row{100, 10}, Row{150, 15}}) {
        EXPECT_EQ(TextStrokeWidth(row.HeightMils * 10000), row.StrokeMils * 10000)
            << row.HeightMils;
    }
    EXPECT_EQ(TextStrokeWidth(-500000), 60000);
    EXPECT_EQ(TextStrokeWidth(std::numeric_limits<std::int32_t>::max()), 214748365);
}

} // namespace
} // namespace corvane
