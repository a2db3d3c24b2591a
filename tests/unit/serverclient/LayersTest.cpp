// Layer numbering: the names table, the layer constructors with their range errors, the
// classification of identifiers and the conversions between classic layers and identifiers.

#include "serverclient/LayerNumbering.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace corvane {
namespace {

constexpr TLayerId Extended(std::uint32_t tag, std::uint32_t number) {
    return (tag << 16) | number;
}

/// The message of the ELayerException the call raises, or "" when it does not raise.
std::string LayerError(const std::function<TLayerId()>& call) {
    try {
        call();
    } catch (const ELayerException& error) {
        return error.what();
    }
    return "";
}

TEST(LayerNamesTest, TableHoldsEveryClassicLayerInOrder) {
    ASSERT_EQ(LayerNames.size(), 83u);
    EXPECT_EQ(LayerNames[0], "NoLayer");
    EXPECT_EQ(LayerNames[1], "TopLayer");
    EXPECT_EQ(LayerNames[31], "MidLayer30");
    EXPECT_EQ(LayerNames[32], "BottomLayer");
    EXPECT_EQ(LayerNames[38], "BottomSolder");
    EXPECT_EQ(LayerNames[54], "InternalPlane16");
    EXPECT_EQ(LayerNames[56], "KeepOutLayer");
    EXPECT_EQ(LayerNames[72], "Mechanical16");
    EXPECT_EQ(LayerNames[74], "MultiLayer");
    EXPECT_EQ(LayerNames[80], "GridColor10");
    EXPECT_EQ(LayerNames[82], "ViaHoleLayer");
    for (int mid = 1; mid <= 30; ++mid) {
        EXPECT_EQ(LayerNames[mid + 1], "MidLayer" + std::to_string(mid));
    }
    EXPECT_EQ(LayerName(83), "NoLayer");
}

TEST(LayerNamesTest, EveryNameFitsItsRecordAndIsZeroFilled) {
    for (const String20& name : LayerNames) {
        ASSERT_GE(name.Length, 1);
        ASSERT_LE(name.Length, 20);
        for (std::size_t i = name.Length; i < 20; ++i) {
            EXPECT_EQ(name.Chars[i], '\0') << name.Str();
        }
    }
}

TEST(LayerConversionTest, EveryClassicLayerRoundTrips) {
    for (int layer = 0; layer <= 82; ++layer) {
        const TLayerId id = LayerToLayerId(static_cast<TLayer>(layer));
        EXPECT_EQ(id, static_cast<TLayerId>(layer)) << "identifier of classic layer " << layer;
        EXPECT_EQ(LayerIdToLayer(id), layer);
    }
}

TEST(LayerConversionTest, NumbersBeyondTheClassicRangeGiveNoLayer) {
    for (int layer = 83; layer <= 255; ++layer) {
        EXPECT_EQ(LayerToLayerId(static_cast<TLayer>(layer)), NoLayer()) << layer;
    }
}

TEST(LayerConversionTest, ExtendedIdentifiersFoldOntoTheLastClassicLayerOfTheirClass) {
    EXPECT_EQ(LayerIdToLayer(Extended(SignalLayerTag, 64)), 31);
    EXPECT_EQ(LayerIdToLayer(Extended(SignalLayerTag, 32)), 31);
    EXPECT_EQ(LayerIdToLayer(Extended(SignalLayerTag, 31)), 31);
    EXPECT_EQ(LayerIdToLayer(Extended(SignalLayerTag, 65535)), 31);
    EXPECT_EQ(LayerIdToLayer(Extended(InternalPlaneTag, 17)), 54);
    EXPECT_EQ(LayerIdToLayer(Extended(InternalPlaneTag, 3)), 41);
    EXPECT_EQ(LayerIdToLayer(Extended(MechanicalLayerTag, 256)), 72);
    EXPECT_EQ(LayerIdToLayer(Extended(MechanicalLayerTag, 1)), 57);
}

TEST(LayerConversionTest, ExtendedSignalNumberOneIsAMidLayerThatConvertsToTheTopLayer) {
    const TLayerId id = Extended(SignalLayerTag, 1);
    EXPECT_EQ(GetLayerKind(id), 2);
    EXPECT_EQ(LayerIdToLayer(id), 1);
}

TEST(LayerConversionTest, IdentifiersWithoutAClassConvertToNoLayer) {
    // Number 0 under a class tag belongs to no class.
    for (const std::uint32_t tag : {SignalLayerTag, InternalPlaneTag, MechanicalLayerTag}) {
        const TLayerId id = Extended(tag, 0);
        EXPECT_FALSE(IsSignalLayer(id));
        EXPECT_FALSE(IsInternalPlaneLayer(id));
        EXPECT_FALSE(IsMechanicalLayer(id));
        EXPECT_EQ(GetLayerKind(id), 0);
        EXPECT_EQ(LayerIdToLayer(id), 0);
    }
    // Unknown tags with a non-zero top byte are kind 0 whatever their number.
    EXPECT_EQ(LayerIdToLayer(Extended(0x0200, 33)), 0);
    EXPECT_EQ(LayerIdToLayer(Extended(0xFFFF, 1)), 0);
    // Unknown tags below 256 are classified by the number's low byte, like classic identifiers.
    EXPECT_EQ(GetLayerKind(Extended(0x0005, 33)), 6);
    EXPECT_EQ(GetLayerKind(Extended(0x0005, 1)), 0);
}

TEST(LayerKindTest, ClassicLayersHaveTheKindOfTheirRange) {
    const auto expectedKind = [](int layer) -> int {
        if (layer == 1) {
            return 1;
        }
        if (layer >= 2 && layer <= 31) {
            return 2;
        }
        if (layer == 32) {
            return 3;
        }
        if (layer >= 33 && layer <= 38) {
            return layer - 27;
        }
        if (layer >= 39 && layer <= 54) {
            return 4;
        }
        if (layer == 55 || layer == 56) {
            return layer - 43;
        }
        if (layer >= 57 && layer <= 72) {
            return 5;
        }
        return layer >= 73 && layer <= 82 ? layer - 59 : 0;
    };
    for (int layer = 0; layer <= 255; ++layer) {
        EXPECT_EQ(GetLayerKind(static_cast<TLayerId>(layer)), expectedKind(layer)) << layer;
    }
}

TEST(LayerKindTest, ClassTestsFollowTagOrClassicRange) {
    EXPECT_TRUE(IsSignalLayer(1));
    EXPECT_TRUE(IsSignalLayer(32));
    EXPECT_FALSE(IsSignalLayer(0));
    EXPECT_FALSE(IsSignalLayer(33));
    EXPECT_TRUE(IsSignalLayer(Extended(SignalLayerTag, 500)));
    EXPECT_FALSE(IsSignalLayer(Extended(InternalPlaneTag, 5)));
    EXPECT_TRUE(IsInternalPlaneLayer(39));
    EXPECT_TRUE(IsInternalPlaneLayer(54));
    EXPECT_FALSE(IsInternalPlaneLayer(55));
    EXPECT_TRUE(IsInternalPlaneLayer(Extended(InternalPlaneTag, 17)));
    EXPECT_TRUE(IsMechanicalLayer(57));
    EXPECT_TRUE(IsMechanicalLayer(72));
    EXPECT_FALSE(IsMechanicalLayer(73));
    EXPECT_TRUE(IsMechanicalLayer(Extended(MechanicalLayerTag, 17)));
    EXPECT_FALSE(IsMechanicalLayer(Extended(SignalLayerTag, 17)));
}

TEST(LayerKindTest, NumberInKindCountsWithinTheClass) {
    EXPECT_EQ(LayerNumberInKind(1), 1);
    EXPECT_EQ(LayerNumberInKind(5), 5); // mid layer 4 is signal number 5
    EXPECT_EQ(LayerNumberInKind(32), MaxLayerNumber);
    EXPECT_EQ(LayerNumberInKind(39), 1);
    EXPECT_EQ(LayerNumberInKind(54), 16);
    EXPECT_EQ(LayerNumberInKind(57), 1);
    EXPECT_EQ(LayerNumberInKind(72), 16);
    EXPECT_EQ(LayerNumberInKind(74), 15); // a fixed layer answers its kind
    EXPECT_EQ(LayerNumberInKind(0), 0);
    EXPECT_EQ(LayerNumberInKind(Extended(SignalLayerTag, 64)), 64);
    EXPECT_EQ(LayerNumberInKind(Extended(MechanicalLayerTag, 65535)), 65535);
}

TEST(LayerConstructorTest, SignalLayerFormsClassicAndExtendedIdentifiers) {
    EXPECT_EQ(SignalLayer(1), TopLayer());
    EXPECT_EQ(SignalLayer(65535), BottomLayer());
    EXPECT_EQ(SignalLayer(2), 2u);
    EXPECT_EQ(SignalLayer(31), 31u);
    EXPECT_EQ(SignalLayer(0), Extended(SignalLayerTag, 0));
    EXPECT_EQ(SignalLayer(32), Extended(SignalLayerTag, 32));
    EXPECT_EQ(SignalLayer(65534), Extended(SignalLayerTag, 65534));
}

TEST(LayerConstructorTest, MidLayerIsTheNextSignalNumber) {
    for (int mid = 1; mid <= 30; ++mid) {
        EXPECT_EQ(MidLayer(mid), static_cast<TLayerId>(mid + 1));
    }
    EXPECT_EQ(MidLayer(0), TopLayer());
    EXPECT_EQ(MidLayer(-1), Extended(SignalLayerTag, 0));
    EXPECT_EQ(MidLayer(31), Extended(SignalLayerTag, 32));
    EXPECT_EQ(MidLayer(65534), BottomLayer());
}

TEST(LayerConstructorTest, PlaneAndMechanicalLayersFormClassicAndExtendedIdentifiers) {
    EXPECT_EQ(InternalPlaneLayer(1), 39u);
    EXPECT_EQ(InternalPlaneLayer(16), 54u);
    EXPECT_EQ(InternalPlaneLayer(17), Extended(InternalPlaneTag, 17));
    EXPECT_EQ(InternalPlaneLayer(65535), Extended(InternalPlaneTag, 65535));
    EXPECT_EQ(MechanicalLayer(1), 57u);
    EXPECT_EQ(MechanicalLayer(16), 72u);
    EXPECT_EQ(MechanicalLayer(17), Extended(MechanicalLayerTag, 17));
    EXPECT_EQ(MechanicalLayer(65535), Extended(MechanicalLayerTag, 65535));
}

TEST(LayerConstructorTest, OutOfRangeNumbersRaiseWithTheNumberInTheMessage) {
    EXPECT_THROW(SignalLayer(70000), std::exception);
    EXPECT_EQ(LayerError([] { return SignalLayer(70000); }), "Creating SignalLayer(70000)");
    EXPECT_EQ(LayerError([] { return SignalLayer(65536); }), "Creating SignalLayer(65536)");
    EXPECT_EQ(LayerError([] { return SignalLayer(-1); }), "Creating SignalLayer(-1)");
    EXPECT_EQ(LayerError([] { return MidLayer(65535); }), "Creating SignalLayer(65536)");
    EXPECT_EQ(LayerError([] { return MidLayer(-2); }), "Creating SignalLayer(-1)");
    EXPECT_EQ(LayerError([] { return InternalPlaneLayer(0); }), "Creating InternalPlaneLayer(0)");
    EXPECT_EQ(LayerError([] { return InternalPlaneLayer(-5); }), "Creating InternalPlaneLayer(-5)");
    EXPECT_EQ(LayerError([] { return InternalPlaneLayer(65536); }),
              "Creating InternalPlaneLayer(65536)");
    EXPECT_EQ(LayerError([] { return MechanicalLayer(0); }), "Creating MechanicalLayer(0)");
    EXPECT_EQ(LayerError([] { return MechanicalLayer(65536); }), "Creating MechanicalLayer(65536)");
}

TEST(LayerConstructorTest, MessageShowsTheLowThirtyTwoBitsAsASignedNumber) {
    EXPECT_EQ(LayerError([] { return SignalLayer(0x100000005LL); }), "Creating SignalLayer(5)");
    EXPECT_EQ(LayerError([] { return SignalLayer(0x80000000LL); }),
              "Creating SignalLayer(-2147483648)");
    EXPECT_EQ(LayerError([] { return MechanicalLayer(0x1FFFFFFFFLL); }),
              "Creating MechanicalLayer(-1)");
    EXPECT_FALSE(
        LayerError([] { return MidLayer(std::numeric_limits<std::int64_t>::max()); }).empty());
}

} // namespace
} // namespace corvane
