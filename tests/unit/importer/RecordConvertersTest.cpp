// The conversions of the file's records into the values the host takes, one table per kind, and
// the code tables they use.

#include "importer/RecordConverters.h"
#include "importer/GeometryRules.h"
#include "importer/LayerMapping.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

constexpr std::int32_t Mil(std::int32_t mils) {
    return mils * 10000;
}
constexpr std::int32_t Most = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Least = std::numeric_limits<std::int32_t>::min();

TEST(MilsToHostUnits, TimesTenThousandClampedToTheHostsRangeAndNoted) {
    struct Row {
        std::int32_t Mils;
        std::int32_t Host;
        bool Clamped;
    };
    for (const Row row :
         {Row{0, 0, false}, Row{1, Mil(1), false}, Row{-1, Mil(-1), false},
          Row{214748, 2147480000, false}, Row{-214748, -2147480000, false}, Row{214749, Most, true},
          Row{-300000, Least, true}, Row{Most, Most, true}}) {
        ConversionNotes notes;
        EXPECT_EQ(MilsToHostUnits(row.Mils, &notes), row.Host) << row.Mils;
        EXPECT_EQ(notes.ClampedMils, row.Clamped ? std::vector{row.Mils} : std::vector<int>{});
    }
}

TEST(ClassicLayerOfFileLayer, FileLayersOneToThirteenAndNoLayerForTheRest) {
    const TLayer expected[14] = {0, 1, 2, 3, 4, 15, 32, 33, 34, 39, 40, 57, 56, 74};
    for (int fileLayer = 0; fileLayer <= 13; ++fileLayer) {
        EXPECT_EQ(ClassicLayerOfFileLayer(static_cast<FileCode>(fileLayer)), expected[fileLayer]);
    }
    for (const int fileLayer : {14, 15, 16, 26, 32, 42, 74, 255}) {
        EXPECT_EQ(ClassicLayerOfFileLayer(static_cast<FileCode>(fileLayer)), 0) << fileLayer;
    }
}

TEST(ConvertTrack, PointsAndWidthInHostUnitsOnTheMappedLayer) {
    ConversionNotes notes;
    const HostTrack track = ConvertTrack({100, 200, 300, 400, 10, 1, {}});
    EXPECT_EQ(track.X, Mil(100));
    EXPECT_EQ(track.Y, Mil(200));
    EXPECT_EQ(track.X2, Mil(300));
    EXPECT_EQ(track.Y2, Mil(400));
    EXPECT_EQ(track.Width, Mil(10));
    EXPECT_EQ(track.Layer, 1);
    EXPECT_EQ(ConvertTrack({300000, -300000, 1, 1, 1, 5, {}}, &notes).Layer, 15);
    EXPECT_EQ(notes.ClampedMils, (std::vector{300000, -300000})); // in the order converted
}

TEST(ConvertVia, TopToBottomWithTheFilesHoleOrVersion5s) {
    struct Row {
        bool Version5;
        std::int32_t HoleMils;
    };
    for (const Row row : {Row{false, 28}, Row{true, 32}}) {
        const HostVia via = ConvertVia({10, 20, 50, 28, {}}, row.Version5);
        EXPECT_EQ(via.X, Mil(10));
        EXPECT_EQ(via.Y, Mil(20));
        EXPECT_EQ(via.Size, Mil(50));
        EXPECT_EQ(via.HoleSize, Mil(row.HoleMils));
        EXPECT_EQ(via.StartLayer, 1);
        EXPECT_EQ(via.EndLayer, 32);
    }
}

FilePad Pad(FileCode shape, FileCode plane = 1, FileCode layer = 1) {
    FilePad pad;
    pad.X = 10;
    pad.Y = 20;
    pad.XSize = 60;
    pad.YSize = 80;
    pad.ShapeCode = shape;
    pad.HoleSize = 28;
    pad.PlaneCode = plane;
    pad.Layer = layer;
    return pad;
}

TEST(ConvertPad, ShapeCodesAndTheSquaringRule) {
    struct Row {
        FileCode File;
        std::uint8_t Shape;
        std::int32_t YMils;
    };
    for (const Row row :
         {Row{0, 0, 80}, Row{1, 1, 60}, Row{2, 2, 80}, Row{3, 3, 60}, Row{4, 1, 80}, Row{5, 1, 80},
          Row{6, 1, 80}, Row{7, 7, 80}, Row{9, 9, 80}, Row{200, 200, 80}, Row{255, 255, 80}}) {
        const HostPad pad = ConvertPad(Pad(row.File), false);
        EXPECT_EQ(pad.Shape, row.Shape) << int{row.File};
        EXPECT_EQ(pad.XSize, Mil(60)) << int{row.File};
        EXPECT_EQ(pad.YSize, Mil(row.YMils)) << int{row.File};
    }
    const HostPad pad = ConvertPad(Pad(2), false);
    EXPECT_EQ(pad.X, Mil(10));
    EXPECT_EQ(pad.Y, Mil(20));
    EXPECT_EQ(pad.HoleSize, Mil(28));
    EXPECT_EQ(pad.Layer, 1);
}

TEST(ConvertPad, PlaneCodesAreClampedThenKeptInTheTag) {
    const std::uint16_t expected[8] = {0, 0, 1, 2, 4, 5, 3, 6}; // file codes 0..7
    for (int code = 0; code <= 7; ++code) {
        EXPECT_EQ(ConvertPad(Pad(1, static_cast<FileCode>(code)), false).Tag, expected[code])
            << code;
    }
    EXPECT_EQ(ConvertPad(Pad(1, 9), false).Tag, 6);
    EXPECT_EQ(ConvertPad(Pad(1, 255), false).Tag, 6);
}

TEST(ConvertPad, Version5DrillsOnlyTheMultiLayerPads) {
    struct Row {
        bool Version5;
        FileCode Layer;
        std::int32_t HoleMils;
    };
    for (const Row row : {Row{false, 13, 28}, Row{false, 1, 28}, Row{true, 13, 32}, Row{true, 1, 0},
                          Row{true, 0, 0}}) {
        EXPECT_EQ(ConvertPad(Pad(1, 1, row.Layer), row.Version5).HoleSize, Mil(row.HoleMils));
    }
}

TEST(ConvertArc, QuadrantFlagsGiveStartAndEndAngles) {
    const double expected[16][2] = {
        {0, 0},     {0, 90},   {90, 180}, {0, 180},   {180, 270}, {0, 90},   {90, 270}, {0, 270},
        {270, 360}, {270, 90}, {90, 180}, {270, 180}, {180, 360}, {180, 90}, {90, 360}, {0, 360}};
    for (int flags = 0; flags < 16; ++flags) {
        const HostArc arc = ConvertArc({100, 100, 50, flags, 8, 1, {}});
        EXPECT_EQ(arc.StartAngle, expected[flags][0]) << flags;
        EXPECT_EQ(arc.EndAngle, expected[flags][1]) << flags;
    }
    // Only the low four bits count, also of negative numbers.
    EXPECT_EQ(ConvertArc({0, 0, 0, 16 + 9, 0, 1, {}}).StartAngle, 270);
    EXPECT_EQ(ConvertArc({0, 0, 0, -1, 0, 1, {}}).EndAngle, 360);
    const HostArc arc = ConvertArc({100, 110, 50, 1, 8, 6, {}});
    EXPECT_EQ(arc.X, Mil(100));
    EXPECT_EQ(arc.Y, Mil(110));
    EXPECT_EQ(arc.Radius, Mil(50));
    EXPECT_EQ(arc.LineWidth, Mil(8));
    EXPECT_EQ(arc.Layer, 32);
}

TEST(ConvertFill, CornersInHostUnitsOnTheMappedLayer) {
    const HostFill fill = ConvertFill({10, 20, 30, 40, 6, {}});
    EXPECT_EQ(fill.X, Mil(10));
    EXPECT_EQ(fill.Y, Mil(20));
    EXPECT_EQ(fill.X2, Mil(30));
    EXPECT_EQ(fill.Y2, Mil(40));
    EXPECT_EQ(fill.Layer, 32);
}

FileText Text(double orientationCode, std::int32_t heightMils = 60) {
    FileText text;
    text.X = 10;
    text.Y = 20;
    text.Height = heightMils;
    text.OrientationCode = orientationCode;
    text.Layer = 7;
    return text;
}

TEST(ConvertText, EveryCombinationOfTurnsMirrorAndHalfTurn) {
    struct Expected {
        double Angle;
        bool Mirrored;
    };
    // Rows: code AND 3; columns: code AND 48 = 0, 16, 32, 48.
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
                const HostText text = ConvertText(Text(code | extraBits));
                EXPECT_EQ(text.Rotation, table[turns][column].Angle) << code;
                EXPECT_EQ(text.Mirrored, table[turns][column].Mirrored) << code;
            }
        }
    }
}

TEST(ConvertText, CodesRoundToNearestHalvesToEvenAsWhole64BitNumbers) {
    struct Row {
        double Code;
        double Angle;
        bool Mirrored;
    };
    for (const Row row :
         {Row{1.5, 180, false}, Row{2.5, 180, false}, Row{0.49, 0, false}, Row{-1.5, 0, false},
          Row{17, 270, true}, Row{48, 180, false}, Row{4294967313.0, 270, true},
          Row{-4294967313.0, 270, true}, Row{std::numeric_limits<double>::quiet_NaN(), 0, false}}) {
        const HostText text = ConvertText(Text(row.Code));
        EXPECT_EQ(text.Rotation, row.Angle) << row.Code;
        EXPECT_EQ(text.Mirrored, row.Mirrored) << row.Code;
    }
}

TEST(ConvertText, StrokeWidthFollowsTheHeightInTheStrokeFont) {
    struct Row {
        std::int32_t HeightMils;
        std::int32_t StrokeWidth;
    };
    for (const Row row : {Row{0, Mil(6)}, Row{10, Mil(6)}, Row{30, Mil(6)}, Row{45, Mil(7)},
                          Row{60, Mil(8)}, Row{70, Mil(8)}, Row{80, Mil(8)}, Row{100, Mil(10)},
                          Row{150, Mil(15)}, Row{-50, Mil(6)}, Row{300000, 214748365}}) {
        const HostText text = ConvertText(Text(0, row.HeightMils));
        EXPECT_EQ(text.StrokeWidth, row.StrokeWidth) << row.HeightMils;
        EXPECT_EQ(text.FontId, 1);
    }
    const HostText text = ConvertText(Text(0, 45));
    EXPECT_EQ(text.X, Mil(10));
    EXPECT_EQ(text.Y, Mil(20));
    EXPECT_EQ(text.Size, Mil(45));
    EXPECT_EQ(text.Layer, 33);
}

TEST(ConvertPosition, TheFifthValueSetsTheObjectFlagUnlessItIsTwo) {
    struct Row {
        bool HasFifth;
        std::int32_t Fifth;
        bool ObjectFlag;
    };
    for (const Row row : {Row{false, 0, false}, Row{true, 0, true}, Row{true, 2, false},
                          Row{true, 3, true}, Row{true, -2, true}}) {
        const HostPosition position =
            ConvertPosition({1000, 2000, 1, 1, row.HasFifth, row.Fifth, {}});
        EXPECT_EQ(position.ObjectFlag, row.ObjectFlag) << row.HasFifth << " " << row.Fifth;
    }
    const HostPosition position = ConvertPosition({1000, -2000, 257, 0x1FF, false, 0, {}});
    EXPECT_EQ(position.X, Mil(1000));
    EXPECT_EQ(position.Y, Mil(-2000));
    EXPECT_EQ(position.Option1, 1); // the low 8 bits
    EXPECT_EQ(position.Option2, 0xFF);
}

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
}

TEST(PlaneCodes, CodesNameTheFirstFourPlanes) {
    EXPECT_EQ(PlaneOfCode(0), InternalPlane::None);
    for (int code = 1; code <= 12; ++code) {
        EXPECT_EQ(static_cast<int>(PlaneOfCode(static_cast<std::uint8_t>(code))),
                  (code - 1) / 3 + 1)
            << code;
    }
    EXPECT_EQ(PlaneOfCode(13), InternalPlane::None);
    EXPECT_EQ(PlaneOfCode(255), InternalPlane::None);
}

TEST(OrientationCodes, AreWhole64BitNumbersWhoseLowBitsCount) {
    EXPECT_EQ(RoundOrientationCode(4294967313.0), 4294967313);
    EXPECT_EQ(RoundOrientationCode(-4294967313.0), -4294967313);
    // Beyond the 64-bit range the low 64 bits of the whole number; NaN gives 0.
    EXPECT_EQ(RoundOrientationCode(9223372036854775808.0),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundOrientationCode(18446744073709559808.0), 8192); // 2^64 + 2^13
    EXPECT_EQ(RoundOrientationCode(-18446744073709559808.0), -8192);
    EXPECT_EQ(RoundOrientationCode(1e300), 0);
}

} // namespace
} // namespace corvane
